// Drawing services shared by the frame engine, the preview window and the
// editors: 32-bit DIB sections and view buffers, image files drawn into a
// rectangle, a constant-alpha blend and a text-size estimate for a font.
// None of them keeps state. The image functions need GDI+ started.
#pragma once

#include "dib_buffer.h"

#include <afx_gdi.h>

// Image placements of DrawImageInRect.
enum ImagePlacement {
    IMAGE_CENTERED = 0, // natural size, centred
    IMAGE_FITTED = 1, // largest size with the image's aspect ratio
    IMAGE_STRETCHED = 2,
    IMAGE_TILED = 3,
};

// A 32-bit bottom-up DIB section of width x height (nullptr when either is 0
// or less, or on failure). The pixel pointer goes to *ppBits when given
// (nullptr on failure).
HBITMAP CreateDib32(int width, int height, void** ppBits = nullptr);

// Gives the buffer a memory DC compatible with the desktop and a new width x
// height 32-bit DIB section selected into it, releasing what it held first.
// A size of 0 or less leaves the buffer as it was.
void CreateDibBuffer(DibBuffer& buffer, int width, int height);

// Frees what the buffer holds and empties it; an empty buffer is left alone.
void ReleaseDibBuffer(DibBuffer& buffer);

// Draws the image file into the clip box of pDC with the placement and
// returns the rectangle it covers. An empty path fills the clip box black and
// gives an empty rectangle; an image that does not load draws nothing and
// gives the clip box.
CRect DrawImageInRect(CDC* pDC, int placement, const CString& path);

// The largest rectangle of the image's aspect ratio inside rect, starting at
// 0 on the axis it fills and centred on the other.
CRect FitRectToImage(const CRect& rect, int imageWidth, int imageHeight);

// Draws the image file stretched over the clip box; an empty path fills the
// clip box black, an image that does not load draws nothing.
void DrawImageFileToDC(CDC* pDC, const CString& path);

// Blends the whole clip box of pSrc, scaled, onto (left, top, right, bottom)
// of pDst with the constant alpha (0 .. 255); per-pixel alpha is not used.
void AlphaBlendDC(int alpha, CDC* pSrc, CDC* pDst, int left, int top, int right, int bottom);

// The size a text takes in the font, estimated from one wide CJK character
// (U+4F60) per character plus the margin on each side; 10 x 10 for an empty
// text.
CSize GetTextExtentForFont(const CString& text, int margin, const LOGFONTW& font);
