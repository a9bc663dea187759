// Private window messages of the preview program and its play states.
#pragma once

#include <windows.h>

constexpr UINT WM_PREVIEW_VIEW_READY = WM_USER + 100; // view (sent) -> main frame
constexpr UINT WM_PREVIEW_FILE_OPENED = WM_USER + 101; // document (posted) -> main frame
constexpr UINT WM_PREVIEW_FRAME_DONE = WM_USER + 102; // playback thread -> view
constexpr UINT WM_PREVIEW_PLAY_STATE = WM_USER + 103; // caption bar, view <-> main frame
constexpr UINT WM_PREVIEW_SEEK = WM_USER + 104; // slider, dialog bar -> main frame
constexpr UINT WM_PREVIEW_MOUSE_POS = WM_USER + 105; // view -> main frame

// First parameter of WM_PREVIEW_PLAY_STATE.
constexpr WPARAM kPlayStateCommand = 17; // second: the PlayState asked for
constexpr WPARAM kPlayStateShow = 18; // second: the PlayState to show
constexpr WPARAM kPlayStateFrame = 19; // second: the frame index to show

// PlayState of the document.
constexpr int kPlayStatePlaying = 33;
constexpr int kPlayStatePaused = 34;
constexpr int kPlayStateStopped = 35;
