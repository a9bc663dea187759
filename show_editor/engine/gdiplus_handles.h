// Owning handles for the GDI+ flat-API objects the drawing helpers make, so
// that every path out of a helper frees them.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

namespace gdip {

using namespace Gdiplus::DllExports;

struct GraphicsDeleter {
    void operator()(Gdiplus::GpGraphics* p) const { GdipDeleteGraphics(p); }
};
struct ImageDeleter {
    void operator()(Gdiplus::GpImage* p) const { GdipDisposeImage(p); }
};
struct BrushDeleter {
    void operator()(Gdiplus::GpBrush* p) const { GdipDeleteBrush(p); }
};
struct PathDeleter {
    void operator()(Gdiplus::GpPath* p) const { GdipDeletePath(p); }
};

using Graphics = std::unique_ptr<Gdiplus::GpGraphics, GraphicsDeleter>;
using Image = std::unique_ptr<Gdiplus::GpImage, ImageDeleter>;
using Brush = std::unique_ptr<Gdiplus::GpBrush, BrushDeleter>;
using Path = std::unique_ptr<Gdiplus::GpPath, PathDeleter>;

// The opaque GDI+ colour of a Windows RGB value.
inline Gdiplus::ARGB OpaqueColor(COLORREF color)
{
    return 0xFF000000u | (static_cast<Gdiplus::ARGB>(GetRValue(color)) << 16)
        | (static_cast<Gdiplus::ARGB>(GetGValue(color)) << 8) | GetBValue(color);
}

// GDI+ graphics on a device context; empty when it cannot be made.
inline Graphics GraphicsFromDC(HDC hDC)
{
    Gdiplus::GpGraphics* graphics = nullptr;
    if (hDC == nullptr || GdipCreateFromHDC(hDC, &graphics) != Gdiplus::Ok)
        return Graphics();
    return Graphics(graphics);
}

// The image of a file; empty when it does not load (or GDI+ is not started).
inline Image LoadImageFile(const wchar_t* path)
{
    Gdiplus::GpImage* image = nullptr;
    if (GdipLoadImageFromFile(path, &image) != Gdiplus::Ok)
        return Image();
    return Image(image);
}

} // namespace gdip
