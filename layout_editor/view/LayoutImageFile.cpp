// Picture files drawn stretched (see LayoutImageFile.h).
#include "LayoutImageFile.h"

#include <gdiplus.h>

bool DrawPictureStretched(Gdiplus::Image& picture, HDC dc, int left, int top, int right, int bottom)
{
    if (dc == nullptr || right <= left || bottom <= top || picture.GetLastStatus() != Gdiplus::Ok
        || picture.GetWidth() == 0 || picture.GetHeight() == 0)
        return false;
    Gdiplus::Graphics graphics(dc);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    return graphics.DrawImage(&picture, left, top, right - left, bottom - top) == Gdiplus::Ok;
}

bool DrawImageFile(const CString& path, HDC dc, int left, int top, int right, int bottom)
{
    if (path.IsEmpty())
        return false;
    Gdiplus::Image picture(path.GetString());
    return DrawPictureStretched(picture, dc, left, top, right, bottom);
}
