// The drawing objects every rectangle tracker shares: made once by the first
// tracker, kept until the program ends.
#pragma once

#include <windows.h>

struct CTrackerShared {
    CTrackerShared() = default;
    ~CTrackerShared();
    CTrackerShared(const CTrackerShared&) = delete;
    CTrackerShared& operator=(const CTrackerShared&) = delete;

    HBRUSH hatchBrush = nullptr; // diagonal hatch of the hatched styles
    HBRUSH halftoneBrush = nullptr; // checkerboard of the drag rectangle
    HPEN dottedPen = nullptr;
    HPEN solidPen = nullptr;
    HCURSOR cursors[10] = {};
    int handleSize = 4;
};

// The shared objects, made on first use with pens of penColour; throws the
// framework's resource exception when they cannot be made.
const CTrackerShared& TrackerShared(COLORREF penColour);
