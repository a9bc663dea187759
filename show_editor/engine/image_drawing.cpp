// Image files drawn into a device context's clip box with GDI+: centred,
// fitted, stretched or tiled. Files are loaded again on every call.
#include "drawing_helpers.h"

#include "gdiplus_handles.h"

#include <algorithm>

namespace {

CRect ClipBoxOf(CDC* pDC)
{
    CRect clip(0, 0, 0, 0);
    pDC->GetClipBox(&clip);
    return clip;
}

void FillBlack(CDC* pDC, const CRect& rect)
{
    ::FillRect(pDC->GetSafeHdc(), &rect, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

bool ImageSize(Gdiplus::GpImage* image, int& width, int& height)
{
    UINT w = 0, h = 0;
    if (gdip::GdipGetImageWidth(image, &w) != Gdiplus::Ok || gdip::GdipGetImageHeight(image, &h) != Gdiplus::Ok)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return width > 0 && height > 0;
}

void DrawStretched(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const CRect& target)
{
    gdip::GdipDrawImageRectI(graphics, image, target.left, target.top, target.Width(), target.Height());
}

} // namespace

CRect FitRectToImage(const CRect& rect, int imageWidth, int imageHeight)
{
    const int w = rect.Width();
    const int h = rect.Height();
    if (imageWidth <= 0 || imageHeight <= 0 || w <= 0 || h <= 0)
        return rect;
    const double imageRatio = static_cast<double>(imageWidth) / imageHeight;
    const double rectRatio = static_cast<double>(w) / h;
    if (imageRatio > rectRatio) {
        const int g = static_cast<int>(imageHeight * (static_cast<double>(w) / imageWidth));
        const int y = (h - g) / 2;
        return CRect(0, y, w, y + g);
    }
    if (imageRatio < rectRatio) {
        const int g = static_cast<int>(imageWidth * (static_cast<double>(h) / imageHeight));
        const int x = (w - g) / 2;
        return CRect(x, 0, x + g, h);
    }
    return rect;
}

CRect DrawImageInRect(CDC* pDC, int placement, const CString& path)
{
    if (pDC == nullptr)
        return CRect(0, 0, 0, 0);
    const CRect clip = ClipBoxOf(pDC);
    if (path.IsEmpty()) {
        FillBlack(pDC, clip);
        return CRect(0, 0, 0, 0);
    }
    gdip::Image image = gdip::LoadImageFile(path);
    int iw = 0, ih = 0;
    if (!image || !ImageSize(image.get(), iw, ih))
        return clip;
    gdip::Graphics graphics = gdip::GraphicsFromDC(pDC->GetSafeHdc());
    if (!graphics)
        return clip;

    const int w = clip.Width();
    const int h = clip.Height();
    switch (placement) {
    case IMAGE_STRETCHED:
        DrawStretched(graphics.get(), image.get(), CRect(0, 0, w, h));
        return clip;
    case IMAGE_TILED: {
        Gdiplus::GpTexture* texture = nullptr;
        if (gdip::GdipCreateTexture(image.get(), Gdiplus::WrapModeTile, &texture) == Gdiplus::Ok) {
            gdip::Brush brush(texture);
            gdip::GdipFillRectangleI(graphics.get(), texture, 0, 0, w, h);
        }
        return clip;
    }
    case IMAGE_CENTERED: {
        const int x = (w - iw) / 2;
        const int y = (h - ih) / 2;
        gdip::GdipDrawImageRectI(graphics.get(), image.get(), x, y, iw, ih); // natural size, whatever its DPI
        const int left = std::max(x, 0);
        const int top = std::max(y, 0);
        return CRect(left, top, left + std::min(w, iw), top + std::min(h, ih));
    }
    case IMAGE_FITTED: {
        const CRect fitted = FitRectToImage(clip, iw, ih);
        DrawStretched(graphics.get(), image.get(), fitted);
        return fitted;
    }
    default:
        return clip;
    }
}

void DrawImageFileToDC(CDC* pDC, const CString& path)
{
    if (pDC == nullptr)
        return;
    const CRect clip = ClipBoxOf(pDC);
    if (path.IsEmpty()) {
        FillBlack(pDC, clip);
        return;
    }
    gdip::Image image = gdip::LoadImageFile(path);
    if (!image)
        return;
    gdip::Graphics graphics = gdip::GraphicsFromDC(pDC->GetSafeHdc());
    if (graphics)
        DrawStretched(graphics.get(), image.get(), CRect(0, 0, clip.Width(), clip.Height()));
}
