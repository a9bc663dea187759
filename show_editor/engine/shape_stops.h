// The gradient stops of the shape colour styles, from the outline (0) to the
// centre (1), as the shape styles hand them to their path-gradient brush.
#pragma once

#include "color_template.h"

#include <vector>

struct ShapeStop {
    COLORREF color;
    float position;
};

// The stops of the strip window of `steps` 256-pixel colour steps at strip
// position P, read from its start (forward: the shape expands) or from its
// end (backward: it shrinks). Empty when the templates hold no colour.
std::vector<ShapeStop> BuildShapeStops(const ColorTemplateList& templates, int position, int steps, bool forward);
