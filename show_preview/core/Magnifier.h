// The magnifier of the preview: the 11 x 11 picture pixels around a point,
// each drawn as one cell of a square grid fitted into the magnifier window,
// with the point's coordinates and colour written at the top left and its
// cell outlined.
#pragma once

#include <afxwin.h>

namespace preview {

constexpr int kMagnifierCells = 11;
constexpr COLORREF kPreviewGrey = RGB(192, 192, 192);

// The largest area of the rectangle with the aspect cx : cy, centred across
// the direction that has room to spare (the other edge starts at 0).
CRect FitAspect(const CRect& rect, int cx, int cy);

// The colour of pixel (x, y) of a bottom-up 32-bit picture of `size`;
// grey outside it (or without pixels).
COLORREF PicturePixel(const BYTE* pixels, CSize size, int x, int y);

// Draws the magnifier for the point into `dc` over `client`.
void DrawMagnifier(CDC& dc, const CRect& client, const BYTE* pixels, CSize size, CPoint point);

} // namespace preview
