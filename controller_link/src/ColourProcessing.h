// Colour processing of frames before they are mapped to the ports: the
// white modes (ApplyWhiteChannel) and the fifth colour (ApplyFiveColour).
// Frames are 4-byte pixels: blue, green, red, fourth byte. Callers run
// ApplyWhiteChannel when the white mode is not 0, then ApplyFiveColour when
// the fifth colour is enabled, then PortOutput::ExtractOutput per output.
#pragma once

#include <cstddef>

#include "LEDScreen.h"

// Changes the frame in place by the white mode (0 and modes above 11 change
// nothing). Mode 8 treats only pixels under the screen's white mask.
void ApplyWhiteChannel(int whiteMode, BYTE* frame, const CLEDScreen& screen, std::size_t frameLength);

// Writes each pixel's fifth-colour value into the buffer at the pixel's
// byte offset and reduces red, green and blue, by the screen's
// coefficients. The buffer holds at least frameLength bytes.
void ApplyFiveColour(std::size_t frameLength, BYTE* frame, const CLEDScreen& screen, BYTE* fifthBuffer);

// The screen's fifth-colour buffer, zeroed and sized for its grid (4 bytes
// per pixel plus the four trailing zero bytes) when its size changed.
BYTE* PrepareFifthColourBuffer(CLEDScreen& screen);
