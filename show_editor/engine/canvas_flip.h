// Flips of a device context's picture and in-place flips of the right or
// bottom half of a rectangle: used after the diagonal colour styles, and by
// the view composition when it mirrors tiled programs. Need GDI+ started.
#pragma once

#include <afx_gdi.h>

// Mirror the picture of the bitmap selected into the device context into its
// clip box, left to right or top to bottom; return 1.
int FlipCanvasHorizontal(CDC* pDC);
int FlipCanvasVertical(CDC* pDC);

// Flip the right half (or the bottom half) of the rectangle in place; an
// absent or empty rectangle means the clip box. With an odd width (height)
// the middle column (row) keeps its place when keepMiddle is set and belongs
// to the flipped part otherwise. Return 1.
int MirrorCanvasHorizontal(const CRect* pRect, CDC* pDC, BOOL keepMiddle);
int MirrorCanvasVertical(const CRect* pRect, CDC* pDC, BOOL keepMiddle);
