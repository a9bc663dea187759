// FillGradientDot: a round dot fading from its colour at the centre to black
// at the edge, drawn with a GDI+ path-gradient brush.
#include "color_strips.h"

#include "gdiplus_handles.h"

void FillGradientDot(COLORREF color, const CRect& rect, CDC* pDC)
{
    if (pDC == nullptr || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    gdip::Graphics graphics = gdip::GraphicsFromDC(pDC->GetSafeHdc());
    if (!graphics)
        return;
    Gdiplus::GpPath* rawPath = nullptr;
    if (gdip::GdipCreatePath(Gdiplus::FillModeAlternate, &rawPath) != Gdiplus::Ok)
        return;
    gdip::Path path(rawPath);
    if (gdip::GdipAddPathEllipseI(rawPath, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top)
        != Gdiplus::Ok)
        return;
    Gdiplus::GpPathGradient* rawBrush = nullptr;
    if (gdip::GdipCreatePathGradientFromPath(rawPath, &rawBrush) != Gdiplus::Ok)
        return;
    gdip::Brush brush(rawBrush);
    gdip::GdipSetPathGradientCenterColor(rawBrush, gdip::OpaqueColor(color));
    Gdiplus::ARGB surround = gdip::OpaqueColor(RGB(0, 0, 0));
    INT surroundCount = 1;
    gdip::GdipSetPathGradientSurroundColorsWithCount(rawBrush, &surround, &surroundCount);
    gdip::GdipFillPath(graphics.get(), rawBrush, rawPath);
}
