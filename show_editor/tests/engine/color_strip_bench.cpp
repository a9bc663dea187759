// Colour-strip throughput: 1000 strips of 1024 pixels drawn from 5-colour
// templates into one 32-bit DIB, against a plain solid fill of the same
// pixels into the same DIB.
#include "bench.h"
#include "color_strips.h"
#include "drawing_helpers.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kStrips = 1000;
constexpr int kWidth = 1024;

// A colour no strip draws, to see that a strip was drawn.
constexpr DWORD kUndrawn = 0x00FE01FD;

struct StripCanvas {
    StripCanvas()
    {
        dc.Attach(::CreateCompatibleDC(nullptr));
        dib = CreateDib32(kWidth, 1, reinterpret_cast<void**>(&bits));
        old = ::SelectObject(dc, dib);
    }
    void MarkUndrawn()
    {
        ::GdiFlush();
        std::fill(bits, bits + kWidth, kUndrawn);
    }
    // Every pixel of the strip was drawn since MarkUndrawn.
    bool Drawn() const
    {
        ::GdiFlush();
        return std::none_of(bits, bits + kWidth, [](DWORD p) { return (p & 0xFFFFFF) == kUndrawn; });
    }
    ~StripCanvas()
    {
        ::SelectObject(dc, old);
        dc.DeleteDC();
        ::DeleteObject(dib);
    }
    DWORD* bits = nullptr;
    CDC dc;
    HBITMAP dib = nullptr;
    HGDIOBJ old = nullptr;
};

ColorTemplate* FiveColours(int mode, int seed)
{
    auto* t = new ColorTemplate;
    t->m_changeMode = mode;
    for (int i = 0; i < 5; ++i)
        t->m_colors.Add(RGB((seed * 37 + i * 71) & 0xFF, (seed * 91 + i * 13) & 0xFF, (seed * 53 + i * 151) & 0xFF));
    return t;
}

} // namespace

LS_BENCHMARK(color_strips_vs_plain_fill)
{
    ColorTemplateList templates;
    for (int i = 0; i < 8; ++i)
        templates.Add(FiveColours(i % 4 == 3 ? 1 : 0, i)); // mostly gradients, some solid steps
    StripCanvas canvas;
    const double pixels = static_cast<double>(kStrips) * kWidth;

    if (!bench::Check(canvas.bits != nullptr, "the strip has no pixels"))
        return;
    canvas.MarkUndrawn();
    const double strips = bench::Measure([&] {
        for (int s = 0; s < kStrips; ++s)
            DrawTemplateStrip(&canvas.dc, templates, s % templates.GetSize(), 0, kWidth);
    });
    bench::Check(canvas.Drawn(), "DrawTemplateStrip did not draw the strip");
    canvas.MarkUndrawn();
    const double fill = bench::Measure([&] {
        for (int s = 0; s < kStrips; ++s)
            canvas.dc.FillSolidRect(0, 0, kWidth, 1, RGB(s & 0xFF, 0, 0));
    });
    bench::Check(canvas.Drawn(), "the fill did not fill the strip");

    // PaintColorStrip over the same templates expanded (32-pixel stops).
    ColorTemplateArray source;
    AppendColorTemplateCopies(source.m_templates, templates);
    ColorStripList expanded;
    ExpandColorTemplates(source, expanded);
    ColorTemplateArrayEx strip; // 1024 pixels of stops
    while (strip.GetTotalWidth() < kWidth)
        for (INT_PTR i = 0; i < expanded.GetSize() && strip.GetTotalWidth() < kWidth; ++i)
            for (INT_PTR j = 0; j < expanded[i]->m_stops.GetSize() && strip.GetTotalWidth() < kWidth; ++j)
                strip.m_stops.Add(ColorTemplateEx::Clone(expanded[i]->m_stops[j]));
    canvas.MarkUndrawn();
    const double painted = bench::Measure([&] {
        for (int s = 0; s < kStrips; ++s)
            PaintColorStrip(0, &canvas.dc, strip);
    });
    bench::Check(canvas.Drawn(), "PaintColorStrip did not paint the strip");

    // For scale: the same strips set one pixel at a time through GDI.
    canvas.MarkUndrawn();
    const double perPixel = bench::Measure([&] {
        for (int s = 0; s < kStrips / 10; ++s)
            for (int x = 0; x < kWidth; ++x)
                ::SetPixelV(canvas.dc, x, 0, InterpolateColor(RGB(255, 0, 0), RGB(0, 0, 255), x & 255, 256));
    }) * 10;
    bench::Check(canvas.Drawn(), "SetPixelV did not set the strip");

    bench::Report("DrawTemplateStrip", pixels / strips / 1e6, "Mpixel/s");
    bench::Report("PaintColorStrip", pixels / painted / 1e6, "Mpixel/s");
    bench::Report("plain fill", pixels / fill / 1e6, "Mpixel/s");
    bench::Report("pixel by pixel (SetPixelV)", pixels / perPixel / 1e6, "Mpixel/s");
    bench::Report("DrawTemplateStrip / plain fill", fill / strips, "ratio");
    bench::Report("PaintColorStrip / plain fill", fill / painted, "ratio");
    FreeColorStrips(expanded);
    FreeColorTemplates(templates);
}
