// Drawing one frame of a show file into a 32-bit picture: raw (one pixel
// row per output of every port, bottom row first: output 0 of the first
// port) or placed on a layout (one pixel per lamp at its grid cell).
//
// Pictures are bottom-up 32-bit DIB pixels: blue, green, red, 0.
#pragma once

#include <afx.h>

#include <vector>

#include "PreviewLayout.h"
#include "ShowFile.h"

namespace preview {

// Widest raw picture: the bytes kept of an output, three per pixel.
constexpr int kMaxRawWidth = (kOutputBufferSize + 2) / 3;

// The picture of the file: the layout's grid when a layout is given, else
// ceil(largest output length / 3) (at most kMaxRawWidth) by largest output
// count x port count.
CSize PictureSize(const ShowGeometry& geometry, const PreviewLayout* layout);

// Draws `frame` (geometry.FrameBytes() bytes) into `picture`, which is
// resized to size.cx x size.cy x 4 bytes and cleared first. Ports with no
// record in the layout, lamps outside the grid, and bytes an output does not
// carry stay black.
void RenderPicture(const BYTE* frame, const ShowGeometry& geometry, const PreviewLayout* layout, CSize size,
    std::vector<BYTE>& picture);

// The header of a picture of `size` as a device-independent bitmap.
BITMAPINFOHEADER PictureHeader(CSize size);

} // namespace preview
