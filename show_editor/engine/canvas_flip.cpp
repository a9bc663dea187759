// Canvas flips: in place on the pixels of a DIB section that the clip box
// covers whole, else through a GDI+ copy of the selected bitmap; and the half
// mirrors built on them with a temporary bitmap.
#include "canvas_flip.h"

#include "dc_pixels.h"
#include "drawing_helpers.h"
#include "gdiplus_handles.h"

#include <algorithm>
#include <vector>

namespace {

// Mirrors the whole bitmap in place; false when the context's pixels are not
// at hand or the clip box is not the whole bitmap.
bool FlipPixels(CDC* pDC, const CRect& clip, bool horizontal)
{
    const DcPixels pixels = PixelsOfDC(pDC);
    if (pixels.bits == nullptr || clip != CRect(0, 0, pixels.width, pixels.height))
        return false;
    if (horizontal) {
        for (int y = 0; y < pixels.height; ++y) {
            DWORD* row = pixels.Row(y);
            std::reverse(row, row + pixels.width);
        }
        return true;
    }
    std::vector<DWORD> swap(static_cast<size_t>(pixels.width));
    for (int y = 0; y < pixels.height / 2; ++y) {
        DWORD* upper = pixels.Row(y);
        DWORD* lower = pixels.Row(pixels.height - 1 - y);
        std::copy(upper, upper + pixels.width, swap.begin());
        std::copy(lower, lower + pixels.width, upper);
        std::copy(swap.begin(), swap.end(), lower);
    }
    return true;
}

int FlipCanvas(CDC* pDC, Gdiplus::RotateFlipType flip)
{
    if (pDC == nullptr)
        return 1;
    CRect clip(0, 0, 0, 0);
    pDC->GetClipBox(&clip);
    if (FlipPixels(pDC, clip, flip == Gdiplus::RotateNoneFlipX))
        return 1;
    const HBITMAP bitmap = static_cast<HBITMAP>(::GetCurrentObject(pDC->GetSafeHdc(), OBJ_BITMAP));
    if (bitmap == nullptr || clip.IsRectEmpty())
        return 1;
    ::GdiFlush();
    Gdiplus::GpBitmap* copy = nullptr;
    if (gdip::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &copy) != Gdiplus::Ok)
        return 1;
    const gdip::Image image(copy);
    gdip::GdipImageRotateFlip(copy, flip);
    const gdip::Graphics graphics = gdip::GraphicsFromDC(pDC->GetSafeHdc());
    if (graphics)
        gdip::GdipDrawImageRectI(graphics.get(), copy, clip.left, clip.top, clip.Width(), clip.Height());
    return 1;
}

// Flips [from, from + size) of the rectangle along one axis through a
// temporary bitmap of that part.
int FlipPart(CDC* pDC, const CRect& rect, int from, int size, bool horizontal)
{
    if (size <= 0)
        return 1;
    const int x = horizontal ? from : rect.left;
    const int y = horizontal ? rect.top : from;
    const int w = horizontal ? size : rect.Width();
    const int h = horizontal ? rect.Height() : size;
    if (w <= 0 || h <= 0)
        return 1;
    const HDC hDC = pDC->GetSafeHdc();
    const HDC tempDC = ::CreateCompatibleDC(hDC);
    // A DIB section, so that the flip works on its pixels in place.
    const HBITMAP temp = tempDC != nullptr ? CreateDib32(w, h) : nullptr;
    if (temp != nullptr) {
        const HGDIOBJ old = ::SelectObject(tempDC, temp);
        ::BitBlt(tempDC, 0, 0, w, h, hDC, x, y, SRCCOPY);
        CDC temporary;
        temporary.Attach(tempDC);
        if (horizontal)
            FlipCanvasHorizontal(&temporary);
        else
            FlipCanvasVertical(&temporary);
        temporary.Detach();
        ::BitBlt(hDC, x, y, w, h, tempDC, 0, 0, SRCCOPY);
        ::SelectObject(tempDC, old);
        ::DeleteObject(temp);
    }
    if (tempDC != nullptr)
        ::DeleteDC(tempDC);
    return 1;
}

int MirrorCanvas(const CRect* pRect, CDC* pDC, BOOL keepMiddle, bool horizontal)
{
    if (pDC == nullptr)
        return 1;
    CRect rect(0, 0, 0, 0);
    if (pRect != nullptr && !pRect->IsRectEmpty())
        rect = *pRect;
    else
        pDC->GetClipBox(&rect);
    const int first = horizontal ? rect.left : rect.top;
    const int extent = horizontal ? rect.Width() : rect.Height();
    int half = extent / 2;
    int from = first + half;
    if (extent % 2 != 0) {
        if (keepMiddle)
            ++from;
        else
            ++half;
    }
    return FlipPart(pDC, rect, from, half, horizontal);
}

} // namespace

int FlipCanvasHorizontal(CDC* pDC)
{
    return FlipCanvas(pDC, Gdiplus::RotateNoneFlipX);
}

int FlipCanvasVertical(CDC* pDC)
{
    return FlipCanvas(pDC, Gdiplus::RotateNoneFlipY);
}

int MirrorCanvasHorizontal(const CRect* pRect, CDC* pDC, BOOL keepMiddle)
{
    return MirrorCanvas(pRect, pDC, keepMiddle, true);
}

int MirrorCanvasVertical(const CRect* pRect, CDC* pDC, BOOL keepMiddle)
{
    return MirrorCanvas(pRect, pDC, keepMiddle, false);
}
