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

void EngineFrames(const char* label, int width, int height)
{
    EngineRig rig(width, height, std::vector<int>(std::begin(kMixedStyles), std::end(kMixedStyles)));
    for (int i = 0; i < 3; ++i)
        rig.Step(); // buffers made, renderers warm
    const double frame = bench::Measure([&] { rig.Step(); }, 1.0);
    // The renderers alone, each drawing its view's frame into its buffer.
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
    const size_t bytes = static_cast<size_t>(width) * height * 4;
    std::vector<unsigned char> target(bytes);
    int seed = 0;
    const double fill = bench::Measure([&] {
        for (int v = 0; v < 10; ++v)
            std::memset(target.data(), ++seed & 0xFF, bytes);
    });
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

// The composition around the renderer: one 1024 x 512 view whose program
// draws nothing (a pass of no frames), so that RenderView does only its own
// work on the picture left in the buffer, beside a memcpy of the view's
// bytes; and a view of the cheapest style (one solid colour) for scale.
LS_BENCHMARK(ViewComposition)
{
    static CGdiplusSession session;
    constexpr int kWidth = 1024;
    constexpr int kHeight = 512;
    EngineRig rig(kWidth, kHeight, { COLOR_STYLE_CHANGE, COLOR_STYLE_CHANGE });
    constexpr UINT kFrame = 300;
    ProgramView* solid = rig.View(0);
    ProgramView* empty = rig.View(1);
    empty->m_programs[0]->m_orgFrames = 0;
    RenderView(solid, &rig.Engine(), kFrame);
    RenderView(empty, &rig.Engine(), kFrame);
    const double whole = bench::Measure([&] { RenderView(solid, &rig.Engine(), kFrame); });
    const double compose = bench::Measure([&] { RenderView(empty, &rig.Engine(), kFrame); });
    const size_t bytes = static_cast<size_t>(kWidth) * kHeight * 4;
    std::vector<unsigned char> from(bytes, 1), to(bytes);
    UINT frame = 0;
    const double copy = bench::Measure([&] {
        from[0] = static_cast<unsigned char>(frame++);
        std::memcpy(to.data(), from.data(), bytes);
    });
    bench::Report("RenderView, one solid colour 1024x512", whole * 1000.0, "ms");
    bench::Report("RenderView, composition only 1024x512", compose * 1000.0, "ms");
    bench::Report("memcpy of the view's bytes", copy * 1000.0, "ms");
    bench::Report("composition / memcpy", compose / copy, "ratio");
}
