// The playback of the preview: a worker thread that renders one frame each
// time the frame event is set (at most one frame per 40 ms) and tells the
// user-interface thread when it is done, and the play, pause, stop, seek and
// reset steps that the view runs on the user-interface thread. At most one
// frame is in flight: a play, seek or reset that comes while a frame is
// being rendered is served after that frame's "done", so playback never
// runs on two chains of requests at once.
//
// The target is the view; the thread calls only RenderFrame and
// PostFrameDone, everything else runs on the user-interface thread.
#pragma once

#include <afxmt.h>

#include <atomic>
#include <cstdint>

#include "PreviewMessages.h"

namespace preview {

constexpr DWORD kFramePeriodMs = 40;

class IPlaybackTarget {
public:
    virtual ~IPlaybackTarget() = default;
    // On the playback thread: draws the current frame.
    virtual void RenderFrame() = 0;
    // On the playback thread: WM_PREVIEW_FRAME_DONE to the view.
    virtual void PostFrameDone() = 0;
    // WM_PREVIEW_PLAY_STATE (code, value) to the main window.
    virtual void PostPlayState(WPARAM code, LPARAM value) = 0;
    virtual void InvalidateCanvas() = 0;
};

class CPreviewPlayback {
public:
    explicit CPreviewPlayback(IPlaybackTarget& target);
    ~CPreviewPlayback();
    CPreviewPlayback(const CPreviewPlayback&) = delete;
    CPreviewPlayback& operator=(const CPreviewPlayback&) = delete;

    // Starts the thread (once); false when it could not be started.
    bool StartThread();
    // Asks the thread to leave and waits until it has.
    void StopThread();
    bool ThreadExited() const { return m_exited.load() != 0; }

    int CurrentFrame() const { return m_currentFrame.load(); }

    // WM_PREVIEW_PLAY_STATE (17, command) from the main frame.
    void PlayCommand(int& state, int command);
    // WM_PREVIEW_FRAME_DONE from the thread.
    void FrameDone(int& state, std::uint32_t frameCount);
    // A seek from the slider.
    void Seek(int& state, int frame, std::uint32_t frameCount);
    // A file opened or a layout chosen: first stop...
    void ResetBegin(int& state);
    // ...then, once the picture is sized, start again with auto play.
    void ResetEnd(int& state, bool autoPlay, bool haveFiles);

    // Milliseconds to sleep after a render from `started` to `finished`
    // (tick counts) so that a frame takes at least kFramePeriodMs.
    static DWORD PacingSleep(DWORD started, DWORD finished);

private:
    static UINT __cdecl ThreadProc(LPVOID param);
    // Sets the frame event unless a frame is under way; then the request
    // waits for that frame's "done", so that one frame at most is in flight.
    void RequestFrame();
    void Run();

    IPlaybackTarget& m_target;
    std::atomic<int> m_running { 0 };
    std::atomic<int> m_exited { 1 };
    CEvent m_frameEvent; // auto-reset, not signalled
    std::atomic<int> m_currentFrame { 0 };
    bool m_inFlight = false; // user-interface thread only
    bool m_pending = false;
};

} // namespace preview
