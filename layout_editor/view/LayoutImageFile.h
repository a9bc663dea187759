// Drawing picture files (BMP, JPEG, PNG, GIF) stretched into a rectangle of
// a device context, for the layout view's background picture.
#pragma once

#include <afxwin.h>

namespace Gdiplus {
class Image;
}

// Draws the file stretched to (right - left) x (bottom - top) at (left,
// top). An empty path, a file that cannot be read or an empty rectangle
// draws nothing (false).
bool DrawImageFile(const CString& path, HDC dc, int left, int top, int right, int bottom);
// The same for a picture already read.
bool DrawPictureStretched(Gdiplus::Image& picture, HDC dc, int left, int top, int right, int bottom);
