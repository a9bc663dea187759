// Live play: rendered frames straight to a screen's controllers (a frame
// start command, every port's outputs through the packet builder, then the
// caller's sync), and the self-paced state machine that sends test frames
// and DMX frames one port per step, sleeping after each frame.
#pragma once

#include "LEDScreen.h"

// Plays the same frame `count` times through the state machine, sleeping
// `intervalMs` after each frame. Needs a ready screen with sync enabled.
void SendFrames(CLEDScreen& screen, int count, int intervalMs, const BYTE* pixels);

// One step of the state machine with the given 16 output buffers.
void SendFrameStep(CLEDScreen& screen, std::array<std::vector<BYTE>, 16>& buffers, const BYTE* pixels);

// The largest output any port of the screen sends (at least the usual
// buffer size): the size of the output buffers.
std::size_t LiveOutputBufferSize(const CLEDScreen& screen);

// Tests: whether live play was initialised.
bool LivePlayInitialised();
