// Turning SWF edges into GDI+ paths. A fill style owns the edges that have it
// on either side; each is turned so that the fill lies on its right, and the
// edges are then chained end to start into closed contours, which fill with
// the winding rule. Lines are the edges in file order, one path per style.
#pragma once

#include "swf_types.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <vector>

namespace flossar {

// One group of a shape ready to draw: a path per fill style and per line
// style (null where the style has no edges), in twips.
struct PreparedGroup {
    std::vector<FillStyle> fills;
    std::vector<LineStyle> lines;
    std::vector<std::unique_ptr<Gdiplus::GraphicsPath>> fillPaths;
    std::vector<std::unique_ptr<Gdiplus::GraphicsPath>> linePaths;
};

struct PreparedShape {
    std::vector<PreparedGroup> groups;
};

// Paths of every group; with glyph set, every edge with any fill on either
// side belongs to fill style 1 (glyphs carry no styles of their own).
std::unique_ptr<PreparedShape> PrepareShape(const ShapeData& shape, bool glyph = false);

} // namespace flossar
