// Corrections for layouts imported from a three-dimensional DXF drawing:
// horizontal shifts and stretches of the lamps named by four lamp reference
// lists (two for the left half, two for the right half of the layout), in
// a band of grid rows, and vertical stretches of every lamp that change the
// layout height. Only grid cells change; normalised positions stay. Pure
// functions over the model, no windows.
//
// A list entry is a point record: grid x = index into the used-port list,
// grid y = lamp index in that port, normalised x = the lamp's weight. An
// entry that names no lamp (after the layout changed) is skipped.
#pragma once

#include <afx.h>

#include <vector>

#include "LayoutData.h"

struct ThreeDReferenceLists {
    std::vector<CLPoint> left1, left2, right1, right2;
    void Clear()
    {
        left1.clear();
        left2.clear();
        right1.clear();
        right2.clear();
    }
};

// The editor's lists. Nothing in the editor fills them yet, so every
// horizontal correction leaves the layout as it is.
extern ThreeDReferenceLists ThreeDReferences;

// Most entries of one row a step stretch moves.
constexpr int kMaxStepRowEntries = 10240;

// The lamp an entry names, or nullptr.
CLPoint* ResolveReference(CLayoutData& model, const CLPoint& entry);

// Rows `from`..`to` count from 1; an entry is in the band when its lamp's
// grid y lies in from-1 .. to-1.
void ShiftBand(CLayoutData& model, const std::vector<CLPoint>& first, const std::vector<CLPoint>& second, int from,
    int to, int amount);
// Stretch: first list x - w k, second x + w k; scale the other way round.
void StretchBand(CLayoutData& model, const std::vector<CLPoint>& first, const std::vector<CLPoint>& second, int from,
    int to, double k, bool scale);
// Only when from < to: row from-1 stays, each row below moves by
// w * (0.2 + n * increment), outward.
void StepStretchBand(CLayoutData& model, const std::vector<CLPoint>& first, const std::vector<CLPoint>& second,
    int from, int to, double increment);

// Vertical corrections of every lamp of the used ports. They need from < to,
// at least one lamp, and (proportional) an angle whose cosine is positive;
// otherwise nothing changes and -1 is returned. Otherwise the new layout
// height: the lamps are cropped to their rows and the model's height set
// (its width set to `width`).
int VerticalProportionalStretch(CLayoutData& model, int width, int height, int from, int to, int angle);
int VerticalStepStretch(CLayoutData& model, int width, int height, int from, int to, double r0, double dr);

// The preset horizontal correction of a 3-D import over the four lists.
void ApplyPresetStretch(CLayoutData& model, const ThreeDReferenceLists& lists);
