// Times one full repaint of the layout view (off-screen picture and blit)
// on a 512 x 256 layout of 131,072 lamps in 128 ports of 1,024, in a
// 1,280 x 800 client area: at the fit zoom 2.5 (connection lines only) and
// at zoom 21 (circles and lamp numbers of the visible cells).
#include "bench.h"

#include <memory>

#include "ViewBenchScene.h"

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 256;

struct Scene : CViewBenchScene {
    Scene()
        : CViewBenchScene(kWidth, kHeight, 128, 1024)
    {
        // Port p fills rows 2p and 2p + 1, one row there and one back.
        for (int p = 0; p < 128; ++p) {
            std::vector<CPoint> cells;
            for (int r = 0; r < 2; ++r) {
                for (int i = 0; i < kWidth; ++i)
                    cells.emplace_back(r == 0 ? i : kWidth - 1 - i, 2 * p + r);
            }
            FillPort(p, cells);
        }
        Show(16);
    }
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

} // namespace

LS_BENCHMARK(layout_draw_fit)
{
    Scene& s = TheScene();
    s.view.m_zoom = s.view.m_fitZoom;
    s.view.m_pan = CPoint(0, 0);
    s.MarkUnpainted();
    bench::Report("layout_draw_fit", bench::Measure([&] { s.Repaint(); }) * 1000, "ms per repaint");
    bench::Check(s.PaintedPixels() == s.kClientWidth * s.kClientHeight, "the repaint did not draw the whole view");
}

LS_BENCHMARK(layout_draw_zoom21)
{
    Scene& s = TheScene();
    s.view.m_zoom = 21;
    s.view.m_lampNumbers = 1;
    s.view.m_pan = CPoint(0, 0);
    s.MarkUnpainted();
    bench::Report("layout_draw_zoom21", bench::Measure([&] { s.Repaint(); }) * 1000, "ms per repaint");
    bench::Check(s.PaintedPixels() == s.kClientWidth * s.kClientHeight, "the repaint did not draw the whole view");
    s.view.m_lampNumbers = 0;
}
