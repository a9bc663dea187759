// Times one full repaint of the layout view (off-screen picture and blit)
// on a 512 x 256 layout of 131,072 lamps in 128 ports of 1,024, in a
// 1,280 x 800 client area: at the fit zoom 2.5 (connection lines only) and
// at zoom 21 (circles and lamp numbers of the visible cells).
#include "bench.h"

#include <memory>

#include "EditorSettings.h"
#include "PannexView.h"

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 256;

struct Scene {
    CLayoutData model;
    CPannexView view;
    HDC screen = nullptr;
    HDC target = nullptr;
    HBITMAP bitmap = nullptr;

    Scene()
    {
        AlignToGrid = 1;
        model.m_width = kWidth;
        model.m_height = kHeight;
        model.ResetPorts(128, 1024, L"RGB", 0);
        // Port p fills rows 2p and 2p + 1, one row there and one back.
        for (int p = 0; p < 128; ++p) {
            std::vector<CLPoint> points;
            for (int r = 0; r < 2; ++r) {
                for (int i = 0; i < kWidth; ++i) {
                    const int x = r == 0 ? i : kWidth - 1 - i;
                    CLPoint lamp(x, 2 * p + r);
                    lamp.m_normX = (x + 0.5) / kWidth;
                    lamp.m_normY = (2 * p + r + 0.5) / kHeight;
                    points.push_back(lamp);
                }
            }
            model.GetPort(p).InsertPoints(points.data(), static_cast<int>(points.size()));
            model.GetPort(p).UpdateBounds();
        }
        model.RebuildUsedPorts();
        view.AttachModel(&model);
        view.m_settings.SetControllers(16, 8);
        view.m_clientWidth = 1280;
        view.m_clientHeight = 800;
        view.ResizeLayout(kWidth, kHeight);
        screen = ::GetDC(nullptr);
        target = ::CreateCompatibleDC(screen);
        bitmap = ::CreateCompatibleBitmap(screen, 1280, 800);
        ::SelectObject(target, bitmap);
    }
    ~Scene()
    {
        view.AttachModel(nullptr);
        ::DeleteDC(target);
        ::DeleteObject(bitmap);
        ::ReleaseDC(nullptr, screen);
    }
    void Draw()
    {
        CDC dc;
        dc.Attach(target);
        view.DrawLayout(&dc);
        dc.Detach();
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
    bench::Report("layout_draw_fit", bench::Measure([&] { s.Draw(); }) * 1000, "ms per repaint");
}

LS_BENCHMARK(layout_draw_zoom21)
{
    Scene& s = TheScene();
    s.view.m_zoom = 21;
    s.view.m_lampNumbers = 1;
    s.view.m_pan = CPoint(0, 0);
    bench::Report("layout_draw_zoom21", bench::Measure([&] { s.Draw(); }) * 1000, "ms per repaint");
    s.view.m_lampNumbers = 0;
}
