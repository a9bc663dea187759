// The colour line of a Zazez Urad item and the memory surfaces its styles
// draw into.
#include "effect_plus_support.h"

#include "color_strips.h"
#include "drawing_helpers.h"

#include <algorithm>
#include <climits>

namespace effectplus {

namespace {

// The colour line is one DIB row; beyond this a stored width is not a strip
// any editor could have made, and the line is left empty (drawn black).
constexpr long long kMaxLineWidth = 1 << 22;

long long StripWidth(const ColorTemplateArrayEx& strip)
{
    long long width = 0;
    for (INT_PTR i = 0; i < strip.m_stops.GetSize(); ++i) {
        const ColorTemplateEx* stop = strip.m_stops.GetAt(i);
        if (stop != nullptr)
            width += stop->m_width;
    }
    return width;
}

} // namespace

CColorLine::CColorLine(const ProgramColorEffectPlus& item)
{
    long long total = 0;
    for (INT_PTR s = 0; s < item.m_strips.GetSize(); ++s) {
        const ColorTemplateArrayEx* strip = item.m_strips.GetAt(s);
        if (strip == nullptr)
            continue;
        for (INT_PTR i = 0; i < strip->m_stops.GetSize(); ++i) {
            const ColorTemplateEx* stop = strip->m_stops.GetAt(i);
            if (stop != nullptr)
                m_maxStop = std::max(m_maxStop, stop->m_width);
        }
        const long long width = StripWidth(*strip);
        if (width >= 1)
            total += width;
    }
    if (total < 1 || total > kMaxLineWidth)
        return;

    CPlusSurface row(static_cast<int>(total), 1);
    if (!row.IsValid())
        return;
    int x = 0;
    for (INT_PTR s = 0; s < item.m_strips.GetSize(); ++s) {
        const ColorTemplateArrayEx* strip = item.m_strips.GetAt(s);
        if (strip == nullptr)
            continue;
        const long long width = StripWidth(*strip);
        if (width < 1)
            continue;
        PaintColorStrip(x, row.DC(), *strip);
        x += static_cast<int>(width);
    }
    ::GdiFlush();
    const DWORD* pixels = row.Row(0);
    m_pixels.resize(static_cast<size_t>(total));
    for (long long j = 0; j < total; ++j)
        m_pixels[static_cast<size_t>(j)] = ColorOfPixel(pixels[j]);
}

COLORREF CColorLine::Color(long long j) const
{
    if (m_pixels.empty())
        return RGB(0, 0, 0);
    return m_pixels[static_cast<size_t>(FloorMod(j, static_cast<long long>(m_pixels.size())))];
}

CPlusSurface::CPlusSurface(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    void* bits = nullptr;
    m_bitmap = CreateDib32(width, height, &bits);
    if (m_bitmap == nullptr || bits == nullptr)
        return;
    if (!m_dc.CreateCompatibleDC(nullptr)) {
        ::DeleteObject(m_bitmap);
        m_bitmap = nullptr;
        return;
    }
    m_oldBitmap = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap);
    m_bits = static_cast<DWORD*>(bits);
    m_width = width;
    m_height = height;
}

CPlusSurface::~CPlusSurface()
{
    if (m_dc.GetSafeHdc() != nullptr) {
        ::SelectObject(m_dc.GetSafeHdc(), m_oldBitmap);
        m_dc.DeleteDC();
    }
    if (m_bitmap != nullptr)
        ::DeleteObject(m_bitmap);
}

void CPlusSurface::Clear()
{
    if (m_bits == nullptr)
        return;
    ::GdiFlush();
    std::fill(m_bits, m_bits + static_cast<size_t>(m_width) * m_height, 0u);
}

void CPlusSurface::FillRect(long long left, long long top, long long right, long long bottom, DWORD pixel)
{
    if (m_bits == nullptr)
        return;
    const int x0 = static_cast<int>(std::clamp<long long>(left, 0, m_width));
    const int x1 = static_cast<int>(std::clamp<long long>(right, 0, m_width));
    const int y0 = static_cast<int>(std::clamp<long long>(top, 0, m_height));
    const int y1 = static_cast<int>(std::clamp<long long>(bottom, 0, m_height));
    if (x0 >= x1 || y0 >= y1)
        return;
    ::GdiFlush();
    for (int y = y0; y < y1; ++y) {
        DWORD* row = m_bits + static_cast<size_t>(m_height - 1 - y) * m_width;
        std::fill(row + x0, row + x1, pixel);
    }
}

CSize CanvasSize(CDC* pDC)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return CSize(0, 0);
    CRect clip(0, 0, 0, 0);
    if (pDC->GetClipBox(&clip) == ERROR)
        return CSize(0, 0);
    return CSize(std::max(0, static_cast<int>(clip.Width())), std::max(0, static_cast<int>(clip.Height())));
}

void FillBlack(CDC* pDC)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return;
    CRect clip(0, 0, 0, 0);
    pDC->GetClipBox(&clip);
    ::FillRect(pDC->GetSafeHdc(), &clip, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

void PutSurface(CDC* pDC, CPlusSurface& surface, int x, int y)
{
    if (pDC == nullptr || !surface.IsValid())
        return;
    ::GdiFlush();
    ::BitBlt(pDC->GetSafeHdc(), x, y, surface.Width(), surface.Height(), surface.DC()->GetSafeHdc(), 0, 0, SRCCOPY);
}

void StretchCopy(CDC* pDst, int x, int y, int w, int h, CDC* pSrc, int sx, int sy, int sw, int sh)
{
    if (pDst == nullptr || pSrc == nullptr || w <= 0 || h <= 0 || sw <= 0 || sh <= 0)
        return;
    const HDC hDst = pDst->GetSafeHdc();
    const int oldMode = ::SetStretchBltMode(hDst, COLORONCOLOR);
    ::StretchBlt(hDst, x, y, w, h, pSrc->GetSafeHdc(), sx, sy, sw, sh, SRCCOPY);
    ::SetStretchBltMode(hDst, oldMode);
}

} // namespace effectplus
