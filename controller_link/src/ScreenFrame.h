// The frame the port maps of a screen read. Callers hand frames of the
// display's depth (3 or 4 bytes per pixel, blue, green, red[, spare]) sized
// exactly width x height; the maps read pixels of the screen's map stride
// (4 bytes, or 3 for an archive layout read for a 24-bit display) and
// nothing past the last pixel. A frame of another depth is converted into a
// buffer of the screen's own.
#pragma once

#include "LEDScreen.h"

#include <cstddef>
#include <vector>

// Zero bytes after the last pixel of a prepared frame.
constexpr std::size_t kScreenFramePad = 10;

// Copies the caller's frame of the screen's grid into `buffer` as pixels of
// the screen's map stride followed by kScreenFramePad zero bytes, and
// derives the white and fifth colour by the screen's colour settings. With
// 4-byte pixels on both sides the white is derived in the caller's frame
// first (callers of live play see it there); a 3-byte frame is converted
// first and derived in the copy. Frames of 3-byte map stride have no fourth
// byte: nothing is derived for them. Returns the prepared frame, or nullptr
// for no pixels, an empty grid or a depth other than 3 or 4.
const BYTE* PrepareScreenFrame(CLEDScreen& screen, BYTE* pixels, int bytesPerPixel, std::vector<BYTE>& buffer);

// As PrepareScreenFrame, but a frame that already has the map stride is
// not copied: its colours are derived in place and it is returned itself.
const BYTE* ScreenFrameForMaps(CLEDScreen& screen, BYTE* pixels, int bytesPerPixel, std::vector<BYTE>& buffer);
