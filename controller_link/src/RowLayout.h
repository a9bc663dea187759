// The row layout of a screen: a private screen with the same ports, sender
// and grouping whose every port has 8 outputs, output o of port p sending
// pixel row 8 p + o from left to right in a given channel order. DMX output
// sends channel values through it, and live play its blank test frames.
#pragma once

#include "LEDScreen.h"

// Builds `out` from `source` ((channelsPerRow / 3 + 1) pixels wide, as high
// as the source layout's port total), then rebuilds and initialises its
// controller table. False when a byte map cannot be built.
bool BuildRowLayout(const CLEDScreen& source, int channelsPerRow, const CString& order, CLEDScreen& out);

// Tests fix the display depth the row layout takes (0 = the display's).
void SetRowLayoutBitsForTest(int bitsPerPixel);
