// The preview's magnifier (see Magnifier.h).
#include "Magnifier.h"

namespace preview {

CRect FitAspect(const CRect& rect, int cx, int cy)
{
    CRect fitted(rect);
    const double wanted = static_cast<double>(cx) / cy;
    const double width = rect.Width();
    const double height = rect.Height();
    if (height <= 0 || width <= 0)
        return fitted;
    const double have = width / height;
    if (wanted > have) {
        const int newHeight = static_cast<int>(cy * (width / cx));
        fitted.top = (rect.Height() - newHeight) / 2;
        fitted.bottom = fitted.top + newHeight;
        fitted.left = 0;
        fitted.right = rect.Width();
    } else if (wanted < have) {
        const int newWidth = static_cast<int>(cx * (height / cy));
        fitted.left = (rect.Width() - newWidth) / 2;
        fitted.right = fitted.left + newWidth;
        fitted.top = 0;
        fitted.bottom = rect.Height();
    }
    return fitted;
}

COLORREF PicturePixel(const BYTE* pixels, CSize size, int x, int y)
{
    if (pixels == nullptr || x < 0 || y < 0 || x >= size.cx || y >= size.cy)
        return kPreviewGrey;
    const BYTE* pixel = pixels + (static_cast<std::size_t>(size.cy - 1 - y) * size.cx + x) * 4;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

void DrawMagnifier(CDC& dc, const CRect& client, const BYTE* pixels, CSize size, CPoint point)
{
    dc.FillSolidRect(client, kPreviewGrey);
    const CRect area = FitAspect(client, kMagnifierCells, kMagnifierCells);
    const int cellWidth = area.Width() / kMagnifierCells;
    const int cellHeight = area.Height() / kMagnifierCells;
    for (int r = 0; r < kMagnifierCells; ++r) {
        for (int c = 0; c < kMagnifierCells; ++c) {
            const COLORREF colour = PicturePixel(pixels, size, point.x - 5 + c, point.y - 5 + r);
            dc.FillSolidRect(area.left + c * cellWidth, area.top + r * cellHeight, cellWidth, cellHeight, colour);
        }
    }
    const COLORREF centre = PicturePixel(pixels, size, point.x, point.y);
    CString text;
    text.Format(
        L"x:%d,y:%d,color:#%02X%02X%02X", point.x, point.y, GetRValue(centre), GetGValue(centre), GetBValue(centre));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 255));
    dc.TextOut(0, 0, text);

    CPen pen(PS_SOLID, 1, centre == RGB(255, 255, 255) ? RGB(255, 0, 0) : RGB(255, 255, 255));
    CSelectGuard penGuard(dc, pen);
    CSelectGuard brushGuard(dc, GetStockObject(NULL_BRUSH));
    const int left = area.left + 5 * cellWidth;
    const int top = area.top + 5 * cellHeight;
    dc.Rectangle(left, top, left + cellWidth, top + cellHeight);
}

} // namespace preview
