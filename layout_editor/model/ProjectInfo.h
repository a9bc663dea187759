// The statistics of the project information dialog, computed from the
// layout alone so that they can be checked without a window: controllers in
// use, lamps on the canvas, cells holding more than one lamp, and the
// channels the lamps need in total and leave vacant.
#pragma once

#include <afx.h>

#include "LayoutData.h"

// What one repetition of a lamp format string covers.
struct LampFormatUnit {
    int channels = 0; // channel letters R, G, B, W, N, Y
    int lamps = 1; // largest number written after a channel letter, at least 1
    int vacant = 0; // letters N and W
};

// Reads a lamp format such as "RGB" or "R1G1B1R2G2B2W3" (case-insensitive).
// The digits right after a channel letter are its lamp number; everything
// else is skipped.
LampFormatUnit DescribeLampFormat(const CString& format);

struct ProjectInfoCounts {
    int controllersInUse = 0;
    int lampsOnCanvas = 0;
    int overlappingCells = 0;
    long long totalChannels = 0;
    long long vacantChannels = 0;
};

// Counts over every port of the layout. A controller is in use when one of
// its ports holds a lamp. Only cells with 0 <= x < width and 0 <= y < height
// are on the canvas. Channels are counted per unit of the port's lamp format
// (its index into lampTypes; the port's own format string when the index
// names no entry): a unit whose first lamp lies off the canvas has all its
// channels vacant.
ProjectInfoCounts CountProjectInfo(const CLayoutData& layout, const CControllerList& controllers, int width, int height,
    const CStringArray& lampTypes);
