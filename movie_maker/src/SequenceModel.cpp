// Colour sequence rules: stepping, fades, frame counts, palette and ramps.
#include "SequenceModel.h"

#include <objidl.h>

#include <gdiplus.h>

namespace quorra {

using namespace Gdiplus::DllExports;

int CountTotalFrames(const Sequence& sequence)
{
    long long total = 0;
    for (const SequenceElement& e : sequence)
        total += e.duration;
    if (!sequence.empty() && sequence.back().fade)
        total -= sequence.back().duration;
    return static_cast<int>(total);
}

COLORREF FadeColourAt(int d, COLORREF c0, COLORREF c1, int s)
{
    if (d <= 0 || s < 0 || s >= d)
        return c0;
    COLORREF result = c0;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    BITMAPINFO bi {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = d;
    bi.bmiHeader.biHeight = 1;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (mem != nullptr && dib != nullptr) {
        HGDIOBJ old = ::SelectObject(mem, dib);
        RECT clip;
        ::GetClipBox(mem, &clip);
        Gdiplus::GpGraphics* graphics = nullptr;
        if (GdipCreateFromHDC(mem, &graphics) == Gdiplus::Ok) {
            Gdiplus::GpLineGradient* brush = nullptr;
            Gdiplus::RectF rect(static_cast<Gdiplus::REAL>(clip.left), static_cast<Gdiplus::REAL>(clip.top),
                static_cast<Gdiplus::REAL>(clip.right - clip.left), static_cast<Gdiplus::REAL>(clip.bottom - clip.top));
            auto argb = [](COLORREF c) -> Gdiplus::ARGB {
                return 0xFF000000u | (static_cast<Gdiplus::ARGB>(GetRValue(c)) << 16)
                    | (static_cast<Gdiplus::ARGB>(GetGValue(c)) << 8) | GetBValue(c);
            };
            if (GdipCreateLineBrushFromRectWithAngle(
                    &rect, argb(c0), argb(c1), 0.0f, FALSE, Gdiplus::WrapModeTile, &brush)
                == Gdiplus::Ok) {
                GdipFillRectangle(graphics, brush, rect.X, rect.Y, rect.Width, rect.Height);
                GdipDeleteBrush(brush);
            }
            GdipFlush(graphics, Gdiplus::FlushIntentionSync);
            GdipDeleteGraphics(graphics);
            ::GdiFlush();
            result = ::GetPixel(mem, s, 0);
            if (result == CLR_INVALID)
                result = c0;
        }
        ::SelectObject(mem, old);
    }
    if (dib != nullptr)
        ::DeleteObject(dib);
    if (mem != nullptr)
        ::DeleteDC(mem);
    return result;
}

CSequenceStepper::Step CSequenceStepper::Next(const Sequence& sequence, COLORREF& colour)
{
    int count = static_cast<int>(sequence.size());
    if (count == 0)
        return Step::Empty;
    if (m_index < count) {
        const SequenceElement& e = sequence[static_cast<size_t>(m_index)];
        bool last = m_index == count - 1;
        if (m_step < e.duration && (!e.fade || !last)) {
            colour = e.fade
                ? FadeColourAt(e.duration, e.color, sequence[static_cast<size_t>(m_index) + 1].color, m_step)
                : e.color;
            ++m_step;
            return Step::Painted;
        }
        m_step = 0;
        ++m_index;
        return Step::Advanced;
    }
    m_index %= count;
    return Step::Wrapped;
}

COLORREF PaletteColour(int position)
{
    static const COLORREF palette[kPaletteSize] = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0),
        RGB(0, 255, 255), RGB(255, 0, 255), RGB(255, 255, 255) };
    if (position < 0 || position >= kPaletteSize)
        return 0;
    return palette[position];
}

COLORREF AddedColour(int position, const std::function<int()>& random)
{
    if (position >= 0 && position < kPaletteSize)
        return PaletteColour(position);
    int r = random() & 0xFF;
    int g = random() & 0xFF;
    int b = random() & 0xFF;
    return RGB(r, g, b);
}

Sequence BuildRamp(COLORREF start, COLORREF end, int levels, int duration)
{
    Sequence ramp;
    if (levels <= 0)
        return ramp;
    ramp.reserve(static_cast<size_t>(levels));
    auto channel = [&](int from, int to, int i) { return levels == 1 ? from : from + (to - from) * i / (levels - 1); };
    for (int i = 0; i < levels; ++i) {
        SequenceElement e;
        e.color = RGB(channel(GetRValue(start), GetRValue(end), i), channel(GetGValue(start), GetGValue(end), i),
            channel(GetBValue(start), GetBValue(end), i));
        e.duration = duration;
        ramp.push_back(e);
    }
    return ramp;
}

} // namespace quorra
