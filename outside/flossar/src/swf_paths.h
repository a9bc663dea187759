// Turning SWF edges into outlines ready to fill. A fill style owns the edges
// that have it on either side; each is turned so that the fill lies on its
// right, and the edges are then chained end to start into contours (an open
// contour is closed by the filler), which fill by the non-zero winding rule.
// Lines are the edges in file order, one list of connected runs per style.
#pragma once

#include "swf_types.h"

#include <memory>
#include <vector>

namespace flossar {

// Connected edges: each starts where the one before it ended.
using EdgeRun = std::vector<Edge>;

// One group of a shape ready to draw, in twips.
struct PreparedGroup {
    std::vector<FillStyle> fills;
    std::vector<LineStyle> lines;
    std::vector<std::vector<EdgeRun>> fillContours; // per fill style
    std::vector<std::vector<EdgeRun>> lineRuns; // per line style
};

struct PreparedShape {
    std::vector<PreparedGroup> groups;
};

// Outlines of every group; with glyph set, every edge with any fill on either
// side belongs to fill style 1 (glyphs carry no styles of their own).
std::unique_ptr<PreparedShape> PrepareShape(const ShapeData& shape, bool glyph = false);

} // namespace flossar
