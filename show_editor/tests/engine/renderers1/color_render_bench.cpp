// Colour-effect frame cost: one frame of each style family on a 320 x 160
// view at frame 300 (the renderer replays the speed ramp from frame 0 each
// time), and the moving strip on a 1920 x 1080 view; then every style on a
// 1024 x 512 and a 200 x 50 view, frame after frame from frame 300, beside a
// solid fill of the same pixels.
#include "../bench_effect_colours.h"
#include "bench.h"
#include "color_animation_render.h"
#include "drawing_helpers.h"

#include "gdiplus_session.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// A colour no style draws, to see that a frame was drawn.
constexpr DWORD kUndrawn = 0x00FE01FD;

struct View {
    View(int width, int height)
        : pixels(static_cast<size_t>(width) * height)
    {
        dc.Attach(::CreateCompatibleDC(nullptr));
        dib = CreateDib32(width, height, reinterpret_cast<void**>(&bits));
        old = ::SelectObject(dc, dib);
    }
    void MarkUndrawn()
    {
        ::GdiFlush();
        if (bits != nullptr)
            std::fill(bits, bits + pixels, kUndrawn);
    }
    // Pixels drawn since MarkUndrawn.
    size_t Drawn() const
    {
        ::GdiFlush();
        return bits == nullptr ? 0 : static_cast<size_t>(std::count_if(bits, bits + pixels, [](DWORD p) {
            return (p & 0xFFFFFF) != kUndrawn;
        }));
    }
    ~View()
    {
        ::SelectObject(dc, old);
        dc.DeleteDC();
        ::DeleteObject(dib);
    }
    size_t pixels;
    DWORD* bits = nullptr;
    CDC dc;
    HBITMAP dib = nullptr;
    HGDIOBJ old = nullptr;
};

std::unique_ptr<ProgramColorEffect> MakeEffect()
{
    auto effect = std::make_unique<ProgramColorEffect>();
    AddBenchTemplates(*effect);
    return effect;
}

void Frame(const char* name, int style, int width, int height)
{
    static CGdiplusSession session;
    View view(width, height);
    auto effect = MakeEffect();
    effect->m_style = style;
    CCColorAnimationRender renderer;
    view.MarkUndrawn();
    const double seconds = bench::Measure([&] { renderer.RenderColorEffect(&view.dc, 300, *effect); }, 0.3);
    bench::Report(name, seconds * 1000.0, "ms per frame");
    bench::Check(view.Drawn() == view.pixels, "a frame was not drawn over the whole view");
}

} // namespace

LS_BENCHMARK(ColourEffectFrames)
{
    Frame("colour change 320x160", COLOR_STYLE_CHANGE, 320, 160);
    Frame("move left 320x160", COLOR_STYLE_MOVE_LEFT, 320, 160);
    Frame("move up 320x160", COLOR_STYLE_MOVE_UP, 320, 160);
    Frame("horizontal expand 320x160", COLOR_STYLE_EXPAND_HORIZONTAL, 320, 160);
    Frame("diagonal lower right 320x160", COLOR_STYLE_LOWER_RIGHT, 320, 160);
    Frame("rectangle expand 320x160", COLOR_STYLE_RECTANGLE_EXPAND, 320, 160);
    Frame("circle shrink (gamma) 320x160", COLOR_STYLE_CIRCLE_SHRINK, 320, 160);
    Frame("scan line 320x160", COLOR_STYLE_SCAN_RIGHT, 320, 160);
    Frame("move left 1920x1080", COLOR_STYLE_MOVE_LEFT, 1920, 1080);
    Frame("diamond expand 1920x1080", COLOR_STYLE_DIAMOND_EXPAND, 1920, 1080);
    Frame("circle shrink (gamma) 1920x1080", COLOR_STYLE_CIRCLE_SHRINK, 1920, 1080);
}

static void EveryStyle(int width, int height)
{
    View view(width, height);
    int seed = 0;
    view.MarkUndrawn();
    const double fill = bench::Measure([&] { view.dc.FillSolidRect(0, 0, width, height, RGB(++seed & 0xFF, 0, 0)); });
    bench::Check(view.Drawn() == view.pixels, "the fill did not fill the view");
    std::vector<unsigned char> bytes(static_cast<size_t>(width) * height * 4);
    const double memset = bench::Measure([&] { std::memset(bytes.data(), ++seed & 0xFF, bytes.size()); });
    bench::Check(bytes.front() == (seed & 0xFF) && bytes.back() == (seed & 0xFF), "the memset did not fill");
    bench::Report("solid fill (reference)", fill * 1000.0, "ms per frame");
    bench::Report("memset (reference)", memset * 1000.0, "ms per frame");
    double worst = 0.0;
    for (int style = COLOR_STYLE_CHANGE; style <= COLOR_STYLE_SCAN_UP; ++style) {
        if (style == COLOR_STYLE_NONE)
            continue;
        auto effect = MakeEffect();
        effect->m_style = style;
        CCColorAnimationRender renderer;
        // Frame after frame, as a preview plays them.
        UINT frame = 300;
        view.MarkUndrawn();
        const double seconds = bench::Measure([&] { renderer.RenderColorEffect(&view.dc, frame++, *effect); }, 0.2);
        char name[64];
        std::snprintf(name, sizeof name, "style %d %dx%d", style, width, height);
        bench::Report(name, seconds * 1000.0, "ms per frame");
        std::snprintf(name, sizeof name, "style %d did not draw over the whole view", style);
        bench::Check(view.Drawn() == view.pixels, name);
        worst = std::max(worst, seconds);
    }
    bench::Report("slowest style / solid fill", worst / fill, "ratio");
}

LS_BENCHMARK(EveryStyle1024x512)
{
    EveryStyle(1024, 512);
}

// The small views of the frame engine's 200 x 50 goal, where what a frame
// costs besides its pixels shows.
LS_BENCHMARK(EveryStyle200x50)
{
    EveryStyle(200, 50);
}
