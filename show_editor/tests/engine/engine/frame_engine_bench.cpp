// Frame engine throughput: ten colour-effect views of mixed styles, each
// covering the whole project, stepped frame by frame in preview at 1024 x 512
// and 200 x 50, beside a memset of the same frame bytes for every view; and
// the composition of one view (the engine's work around the renderer)
// beside a memcpy of the view's bytes.
#include "../bench_effect_colours.h"
#include "bench.h"
#include "color_animation_render.h"
#include "drawing_helpers.h"
#include "frame_engine_fixture.h"
#include "view_compose.h"

#include "gdiplus_session.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace enginetest {
namespace {

// One of each style family: change, flash, moving, expanding and diagonal
// strips (a flipped one), rectangle, circle (gamma) and diamond shapes, a
// scan line.
constexpr int kMixedStyles[10] = {
    COLOR_STYLE_CHANGE,
    COLOR_STYLE_FLASH,
    COLOR_STYLE_MOVE_LEFT,
    COLOR_STYLE_MOVE_UP,
    COLOR_STYLE_EXPAND_HORIZONTAL,
    COLOR_STYLE_LOWER_RIGHT,
    COLOR_STYLE_RECTANGLE_EXPAND,
    COLOR_STYLE_CIRCLE_SHRINK,
    COLOR_STYLE_DIAMOND_SHRINK,
    COLOR_STYLE_SCAN_RIGHT,
};

ProgramColorEffect* StyledEffect(int style, int frames)
{
    auto* effect = new ProgramColorEffect;
    effect->m_style = style;
    effect->m_orgFrames = frames;
    effect->m_startFrame = 1;
    effect->m_endFrame = frames;
    AddBenchTemplates(*effect);
    return effect;
}

// The engine fixture driven by hand, outside a test run.
class EngineRig : public EngineFixture {
public:
    EngineRig(int width, int height, const std::vector<int>& styles)
    {
        m_doc.m_settings.m_width = width;
        m_doc.m_settings.m_height = height;
        m_doc.m_previewSettings.m_width = width;
        m_doc.m_previewSettings.m_height = height;
        QvSegmentGourp* segment = m_doc.AddSegment(100000);
        for (int style : styles)
            AddView(segment, CRect(0, 0, width, height), { StyledEffect(style, 100000) });
        m_doc.CountFrames();
        SetUp();
        CreateEngine();
    }
    ~EngineRig() override { TearDown(); }
    void TestBody() override { }
    CCanvasContainer& Engine() { return *m_engine; }
    ProgramView* View(int i) { return m_doc.m_segments[0]->m_views[i]; }

    // Steps one frame and drops the frame-shown notices it queued.
    void Step()
    {
        m_engine->StepFrame();
        m_canvas.m_frames.clear();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
};

// The output image filled with a colour no view draws, so that the pixels a
// composition wrote can be counted.
constexpr DWORD kUnwritten = 0x00FE01FD;

void MarkOutputUnwritten(CCanvasContainer& engine)
{
    DWORD* bits = engine.GetOutputBits();
    const size_t pixels = static_cast<size_t>(engine.GetFrameWidth()) * engine.GetFrameHeight();
    std::fill(bits, bits + pixels, kUnwritten);
}

// Output pixels other than the mark.
size_t WrittenPixels(CCanvasContainer& engine)
{
    const DWORD* bits = engine.GetOutputBits();
    const size_t pixels = static_cast<size_t>(engine.GetFrameWidth()) * engine.GetFrameHeight();
    return static_cast<size_t>(
        std::count_if(bits, bits + pixels, [](DWORD p) { return (p & 0xFFFFFF) != kUnwritten; }));
}

// Output pixels within one step of `colour` (0x00RRGGBB) in each channel.
size_t PixelsOfColour(CCanvasContainer& engine, DWORD colour)
{
    const DWORD* bits = engine.GetOutputBits();
    const size_t pixels = static_cast<size_t>(engine.GetFrameWidth()) * engine.GetFrameHeight();
    return static_cast<size_t>(std::count_if(bits, bits + pixels, [colour](DWORD p) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int a = static_cast<int>((p >> shift) & 0xFF);
            const int b = static_cast<int>((colour >> shift) & 0xFF);
            if (a - b > 1 || b - a > 1)
                return false;
        }
        return true;
    }));
}

void EngineFrames(const char* label, int width, int height)
{
    EngineRig rig(width, height, std::vector<int>(std::begin(kMixedStyles), std::end(kMixedStyles)));
    for (int i = 0; i < 3; ++i)
        rig.Step(); // buffers made, renderers warm
    const size_t pixels = static_cast<size_t>(width) * height;
    if (!bench::Check(rig.Engine().GetOutputBits() != nullptr, "the engine has no output image"))
        return;
    MarkOutputUnwritten(rig.Engine());
    const double frame = bench::Measure([&] { rig.Step(); }, 1.0);
    bench::Check(WrittenPixels(rig.Engine()) == pixels, "the frame steps did not write every pixel");
    // The renderers alone, each drawing its view's frame into its buffer
    // (marked first, to see that they drew).
    for (int v = 0; v < 10; ++v) {
        auto* bits = static_cast<DWORD*>(rig.View(v)->m_programBuffer.m_pBits);
        if (!bench::Check(bits != nullptr, "a view has no picture"))
            return;
        std::fill(bits, bits + pixels, kUnwritten);
    }
    UINT at = 300;
    const double renderers = bench::Measure(
        [&] {
            ++at;
            for (int v = 0; v < 10; ++v) {
                auto* effect = dynamic_cast<ProgramColorEffect*>(rig.View(v)->m_programs[0]);
                rig.Engine().ColourRenderer().RenderColorEffect(rig.View(v)->m_programBuffer.m_pMemDC, at, *effect);
            }
        },
        0.5);
    ::GdiFlush();
    for (int v = 0; v < 10; ++v) {
        const auto* bits = static_cast<const DWORD*>(rig.View(v)->m_programBuffer.m_pBits);
        bench::Check(std::count(bits, bits + pixels, kUnwritten) == 0, "a renderer did not draw its whole view");
    }
    const size_t bytes = pixels * 4;
    std::vector<unsigned char> target(bytes);
    int seed = 0;
    const double fill = bench::Measure([&] {
        for (int v = 0; v < 10; ++v)
            std::memset(target.data(), ++seed & 0xFF, bytes);
    });
    bench::Check(target[0] == (seed & 0xFF) && target[bytes - 1] == (seed & 0xFF), "the memset did not fill");
    char name[96];
    std::snprintf(name, sizeof name, "10 views %s", label);
    bench::Report(name, 1.0 / frame, "frames/s");
    std::snprintf(name, sizeof name, "memset of 10 frames %s", label);
    bench::Report(name, 1.0 / fill, "frames/s");
    std::snprintf(name, sizeof name, "10 views / memset %s", label);
    bench::Report(name, fill / frame, "ratio");
    std::snprintf(name, sizeof name, "of a frame, the 10 renderers alone %s", label);
    bench::Report(name, renderers / frame, "share");
}

} // namespace
} // namespace enginetest

using namespace enginetest;

LS_BENCHMARK(FrameEngineTenViews)
{
    static CGdiplusSession session;
    EngineFrames("1024x512", 1024, 512);
    EngineFrames("200x50", 200, 50);
}

// The composition around the renderer, on 1024 x 512 views over the whole
// output: a view whose program draws nothing (a pass of no frames), so that
// RenderView does only its own work on the picture left in the view's
// buffer (opaque, one tile), beside a memcpy of the view's bytes. For
// scale, views of the cheapest style (one solid colour), renderer included:
// opaque, and faded to alpha 127 in one tile and in 2 x 2 tiles (the tiles
// are GDI's stretching AlphaBlend). Each timed view must have written every
// pixel of the output in the colour it is to have.
LS_BENCHMARK(ViewComposition)
{
    static CGdiplusSession session;
    constexpr int kWidth = 1024;
    constexpr int kHeight = 512;
    constexpr size_t kPixels = static_cast<size_t>(kWidth) * kHeight;
    EngineRig rig(kWidth, kHeight, std::vector<int>(4, COLOR_STYLE_CHANGE));
    CCanvasContainer& engine = rig.Engine();
    engine.RebuildFrameBuffers();
    if (!bench::Check(
            engine.GetOutputBits() != nullptr && engine.GetFrameWidth() == kWidth && engine.GetFrameHeight() == kHeight,
            "the engine has no 1024 x 512 output image"))
        return;
    constexpr UINT kFrame = 300;
    ProgramView* solid = rig.View(0);
    ProgramView* composed = rig.View(1);
    ProgramView* faded = rig.View(2);
    ProgramView* tiled = rig.View(3);
    // The composition-only view holds a picture of one colour (red 200,
    // green 100, blue 50) and draws no more.
    RenderView(composed, &engine, kFrame);
    ::GdiFlush();
    auto* picture = static_cast<DWORD*>(composed->m_programBuffer.m_pBits);
    if (!bench::Check(picture != nullptr, "the view has no picture"))
        return;
    std::fill(picture, picture + kPixels, 0x00C86432u);
    composed->m_programs[0]->m_orgFrames = 0;
    for (ProgramView* view : { faded, tiled })
        view->m_programs[0]->m_fadeInTime = 24; // 600 frames at 25 a second: alpha 127 at frame 300
    tiled->m_programs[0]->m_hTiles = 2;
    tiled->m_programs[0]->m_vTiles = 2;

    auto timed = [&](ProgramView* view) {
        RenderView(view, &engine, kFrame);
        MarkOutputUnwritten(engine);
        const double seconds = bench::Measure([&] { RenderView(view, &engine, kFrame); });
        ::GdiFlush();
        return seconds;
    };
    const double whole = timed(solid);
    // The solid colour, and the same at alpha 127 over black.
    const DWORD colour = engine.GetOutputBits()[0] & 0xFFFFFF;
    bench::Check(PixelsOfColour(engine, colour) == kPixels, "the solid view did not write its colour everywhere");
    DWORD fadedColour = 0;
    for (int shift = 0; shift < 24; shift += 8)
        fadedColour |= (((colour >> shift) & 0xFF) * 127 / 255) << shift;
    const double compose = timed(composed);
    bench::Check(
        PixelsOfColour(engine, 0x00C86432u) == kPixels, "the composed view did not write its picture everywhere");
    const double fade = timed(faded);
    bench::Check(PixelsOfColour(engine, fadedColour) == kPixels, "the faded view did not write its picture everywhere");
    const double tiles = timed(tiled);
    bench::Check(PixelsOfColour(engine, fadedColour) == kPixels, "the tiled view did not write its picture everywhere");

    const size_t bytes = kPixels * 4;
    std::vector<unsigned char> from(bytes, 1), to(bytes);
    UINT frame = 0;
    const double copy = bench::Measure([&] {
        from[0] = static_cast<unsigned char>(frame++);
        std::memcpy(to.data(), from.data(), bytes);
    });
    bench::Check(to[0] == static_cast<unsigned char>(frame - 1) && to[bytes - 1] == 1, "the memcpy did not copy");
    bench::Report("RenderView, composition only 1024x512", compose * 1000.0, "ms");
    bench::Report("memcpy of the view's bytes", copy * 1000.0, "ms");
    bench::Report("composition / memcpy", compose / copy, "ratio");
    bench::Report("RenderView, one solid colour, opaque", whole * 1000.0, "ms");
    bench::Report("RenderView, one solid colour, faded, 1 tile", fade * 1000.0, "ms");
    bench::Report("RenderView, one solid colour, faded, 2x2 tiles", tiles * 1000.0, "ms");
    bench::Report("faded 1 tile / memcpy", fade / copy, "ratio");
    bench::Report("faded 2x2 tiles / memcpy", tiles / copy, "ratio");
}
