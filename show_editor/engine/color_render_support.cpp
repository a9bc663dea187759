// Surfaces, fills, strip windows and conversions shared by the colour styles.
#include "color_render_support.h"

#include "color_strips.h"
#include "dc_pixels.h"
#include "drawing_helpers.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace colorrender {

namespace {

// 2k steps of 256 pixels stay within 2^21 pixels (an 8 MB row): a million
// view pixels at zoom 1.0, far beyond any view; only a nonsensical zoom
// factor asks for more.
constexpr int kMaxWindowSteps = 1 << 12;

} // namespace

CRenderSurface::CRenderSurface(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    const HDC memDC = ::CreateCompatibleDC(nullptr);
    if (memDC == nullptr)
        return;
    m_dc.Attach(memDC);
    void* bits = nullptr;
    m_bitmap = CreateDib32(width, height, &bits);
    if (m_bitmap == nullptr)
        return;
    m_oldBitmap = ::SelectObject(memDC, m_bitmap);
    m_bits = static_cast<DWORD*>(bits);
    m_width = width;
    m_height = height;
}

CRenderSurface::~CRenderSurface()
{
    if (m_oldBitmap != nullptr)
        ::SelectObject(m_dc.GetSafeHdc(), m_oldBitmap);
    if (m_dc.GetSafeHdc() != nullptr)
        m_dc.DeleteDC();
    if (m_bitmap != nullptr)
        ::DeleteObject(m_bitmap);
}

DWORD* CRenderSurface::Row(int y)
{
    ::GdiFlush();
    // The DIB runs bottom-up.
    return m_bits + static_cast<size_t>(m_height - 1 - y) * static_cast<size_t>(m_width);
}

CRect ClipBoxOf(CDC* pDC)
{
    CRect clip(0, 0, 0, 0);
    if (pDC != nullptr)
        pDC->GetClipBox(&clip);
    return clip;
}

void FillColor(CDC* pDC, const CRect& rect, COLORREF color)
{
    if (pDC == nullptr || rect.IsRectEmpty())
        return;
    const HBRUSH brush = ::CreateSolidBrush(color & 0x00FFFFFF);
    if (brush == nullptr)
        return;
    ::FillRect(pDC->GetSafeHdc(), &rect, brush);
    ::DeleteObject(brush);
}

int FloorToInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double f = std::floor(value);
    if (f >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (f <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(f);
}

int CeilToInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double c = std::ceil(value);
    if (c >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (c <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(c);
}

bool UsableZoom(float zoom)
{
    return zoom > 0.0f && std::isfinite(zoom);
}

int WindowSteps(double extent, float zoom)
{
    const float unit = zoom * 256.0f;
    const float quotient = static_cast<float>(extent) / unit;
    int k = CeilToInt(quotient);
    if (k <= 0)
        k = 1;
    return k > kMaxWindowSteps ? kMaxWindowSteps : k;
}

PaintedStrip::PaintedStrip(const ColorTemplateList& templates, int position, int length)
    : surface(length, 1)
{
    if (!surface.IsValid())
        return;
    // CreateDIBSection hands out zeroed memory: the strip starts black.
    const StripLocation at = CCColorAnimationRender::LocatePosition(templates, position);
    if (at.index < 0)
        return;
    DrawTemplateStrip(surface.DC(), templates, at.index, at.offset / 256, length);
}

std::vector<DWORD> StretchRow(CRenderSurface& source, int x, int count, int width, CRenderSurface* reuse)
{
    std::vector<DWORD> row(width > 0 ? static_cast<size_t>(width) : 0, 0);
    if (width <= 0 || count <= 0 || !source.IsValid() || x < 0 || x >= source.Width())
        return row;
    if (count > source.Width() - x)
        count = source.Width() - x;
    const DWORD* src = source.Row(0) + x;
    if (count == width) {
        std::memcpy(row.data(), src, static_cast<size_t>(width) * sizeof(DWORD));
        return row;
    }
    // The stretch writes every pixel of the row, so a surface of the width
    // may be used again.
    std::unique_ptr<CRenderSurface> own;
    if (reuse == nullptr || reuse->Width() != width || reuse->Height() != 1)
        reuse = (own = std::make_unique<CRenderSurface>(width, 1)).get();
    CRenderSurface& target = *reuse;
    if (!target.IsValid())
        return row;
    const HDC dst = target.DC()->GetSafeHdc();
    ::SetStretchBltMode(dst, HALFTONE);
    ::SetBrushOrgEx(dst, 0, 0, nullptr);
    ::StretchBlt(dst, 0, 0, width, 1, source.DC()->GetSafeHdc(), x, 0, count, 1, SRCCOPY);
    std::memcpy(row.data(), target.Row(0), static_cast<size_t>(width) * sizeof(DWORD));
    return row;
}

void PutToClip(CDC* pDC, const CRect& clip, CRenderSurface& image)
{
    if (pDC == nullptr || !image.IsValid())
        return;
    ::GdiFlush();
    ::BitBlt(
        pDC->GetSafeHdc(), clip.left, clip.top, image.Width(), image.Height(), image.DC()->GetSafeHdc(), 0, 0, SRCCOPY);
}

ClipPicture::ClipPicture(CDC* pDC, const CRect& clip)
    : m_dc(pDC)
    , m_clip(clip)
{
    const DcPixels pixels = PixelsOfDC(pDC);
    if (pixels.bits != nullptr && pixels.bottomUp && clip == CRect(0, 0, pixels.width, pixels.height)) {
        m_bits = pixels.bits;
        m_width = pixels.width;
        m_height = pixels.height;
        return;
    }
    m_surface = std::make_unique<CRenderSurface>(clip.Width(), clip.Height());
}

void ClipPicture::Finish()
{
    if (m_surface != nullptr)
        PutToClip(m_dc, m_clip, *m_surface);
}

} // namespace colorrender
