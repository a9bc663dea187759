// Pixels of a memory device context's DIB section.
#include "dc_pixels.h"

DcPixels PixelsOfDC(CDC* pDC)
{
    DcPixels pixels;
    if (pDC == nullptr)
        return pixels;
    const HDC dc = pDC->GetSafeHdc();
    if (dc == nullptr || ::GetMapMode(dc) != MM_TEXT)
        return pixels;
    if (::GetGraphicsMode(dc) == GM_ADVANCED) {
        XFORM form {};
        if (!::GetWorldTransform(dc, &form) || form.eM11 != 1.0f || form.eM12 != 0.0f || form.eM21 != 0.0f
            || form.eM22 != 1.0f || form.eDx != 0.0f || form.eDy != 0.0f)
            return pixels;
    }
    POINT viewport {};
    POINT window {};
    if (!::GetViewportOrgEx(dc, &viewport) || !::GetWindowOrgEx(dc, &window) || viewport.x != 0 || viewport.y != 0
        || window.x != 0 || window.y != 0)
        return pixels;
    const HGDIOBJ bitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    DIBSECTION section {};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof section, &section) != static_cast<int>(sizeof section))
        return pixels;
    if (section.dsBm.bmBits == nullptr || section.dsBm.bmBitsPixel != 32 || section.dsBm.bmWidth <= 0
        || section.dsBm.bmHeight <= 0 || section.dsBm.bmWidthBytes != section.dsBm.bmWidth * 4)
        return pixels;
    ::GdiFlush();
    pixels.bits = static_cast<DWORD*>(section.dsBm.bmBits);
    pixels.width = section.dsBm.bmWidth;
    pixels.height = section.dsBm.bmHeight;
    pixels.bottomUp = section.dsBmih.biHeight > 0;
    return pixels;
}
