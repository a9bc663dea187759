// Times the layout view's editing gestures on a layout of 1,000,000 lamps:
// a mouse move with a wiring preview, a click that adds a lamp, a rubber
// band selecting 100,000 lamps (each gesture through the view's real
// handlers followed by one full repaint, as the window would show it) and a
// full repaint at the fit zoom. The reference beside each is a plain job of
// the same size: one pass reading every lamp, or a solid fill of the same
// pixels.
//
// Scene: a 2,048 x 1,000 grid in a 1,280 x 800 client area (fit zoom
// 0.625); rows 0 to 499 hold lamps in columns 0 to 1,999 (1,000 ports of
// 1,000 lamps, two per row), the rest is free for wiring.
#include "bench.h"

#include <memory>

#include "LayoutSelection.h"
#include "ViewBenchScene.h"

namespace {

constexpr int kWidth = 2048;
constexpr int kHeight = 1000;
constexpr int kPorts = 1000;
constexpr int kLampsPerPort = 1000;

struct Scene : CViewBenchScene {
    Scene()
        : CViewBenchScene(kWidth, kHeight, kPorts + 2, kMaxPortPoints) // two spare ports take the wiring gestures
    {
        for (int p = 0; p < kPorts; ++p) {
            std::vector<CPoint> cells;
            cells.reserve(kLampsPerPort);
            const int row = p / 2;
            const int first = (p % 2) * kLampsPerPort;
            for (int i = 0; i < kLampsPerPort; ++i)
                cells.emplace_back(row % 2 == 0 ? first + i : 2 * kLampsPerPort - 1 - (first + i), row);
            FillPort(p, cells);
        }
        Show(kPorts / 8 + 1);
    }
    // Client point of a cell's centre at the current zoom and pan.
    CPoint At(int x, int y) const
    {
        const CRect L = view.LayoutRectInClient();
        return CPoint(
            static_cast<int>(L.left + (x + 0.5) * view.m_zoom), static_cast<int>(L.top + (y + 0.5) * view.m_zoom));
    }
    // The plain job: one pass reading every lamp.
    long long ReadEveryLamp() const
    {
        long long sum = 0;
        for (int p = 0; p < model.GetPortCount(); ++p) {
            const LayoutPort& port = model.GetPort(p);
            for (int i = 0; i < port.GetCount(); ++i)
                sum += port.GetPoint(i).x;
        }
        return sum;
    }
    void Fill()
    {
        const RECT all = { 0, 0, kClientWidth, kClientHeight };
        HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
        ::FillRect(target, &all, brush);
        ::DeleteObject(brush);
    }
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

void ReportPair(const char* name, double seconds, double reference, const char* referenceName)
{
    bench::Report(name, seconds * 1000, "ms");
    bench::Report(referenceName, reference * 1000, "ms");
    bench::Report("  ratio", reference > 0 ? seconds / reference : 0, "x");
}

volatile long long g_sink = 0;

} // namespace

LS_BENCHMARK(edit_mouse_move_with_preview)
{
    Scene& s = TheScene();
    s.view.SetEditMode(1);
    s.view.m_currentPort = kPorts;
    // A wiring drag in the free half: each move previews a 40 x 20 rectangle.
    s.view.OnMouseMove(0, s.At(100, 600));
    s.view.OnLButtonDown(MK_LBUTTON, s.At(100, 600));
    int k = 0;
    const double t = bench::Measure([&] {
        const int dx = (k++ % 2) == 0 ? 40 : 39;
        s.view.OnMouseMove(MK_LBUTTON, s.At(100 + dx, 620));
        s.Repaint();
    });
    s.view.m_leftDown = 0;
    s.view.m_previewCount = 0;
    s.view.SetEditMode(0);
    const double reference = bench::Measure([&] { g_sink = s.ReadEveryLamp(); });
    ReportPair("mouse move with preview + repaint (1M lamps)", t, reference, "  reference: read every lamp");
}

LS_BENCHMARK(edit_mouse_move_mode0)
{
    Scene& s = TheScene();
    s.view.SetEditMode(0);
    int k = 0;
    const double t = bench::Measure([&] { s.view.OnMouseMove(0, s.At(100 + (k++ % 500), 300)); });
    const double reference = bench::Measure([&] { g_sink = s.ReadEveryLamp(); });
    ReportPair("mouse move, mode 0, no repaint (1M lamps)", t, reference, "  reference: read every lamp");
}

LS_BENCHMARK(edit_mouse_move_mode3)
{
    Scene& s = TheScene();
    s.view.SetEditMode(3);
    int k = 0;
    // The fast-wiring rectangle follows the cursor: every move repaints.
    const double t = bench::Measure([&] {
        s.view.OnMouseMove(0, s.At(100 + (k++ % 500), 700));
        s.Repaint();
    });
    s.view.SetEditMode(0);
    const double reference = bench::Measure([&] { g_sink = s.ReadEveryLamp(); });
    ReportPair("mouse move, fast rectangle + repaint (1M lamps)", t, reference, "  reference: read every lamp");
}

LS_BENCHMARK(edit_click_add)
{
    Scene& s = TheScene();
    s.view.SetEditMode(1);
    s.view.m_currentPort = kPorts + 1;
    int k = 0;
    const double t = bench::Measure([&] {
        const CPoint at = s.At(k % 2000, 700 + k / 2000);
        ++k;
        s.view.OnMouseMove(0, at);
        s.view.OnLButtonDown(MK_LBUTTON, at);
        s.view.OnLButtonUp(0, at);
        s.Repaint();
    });
    s.view.SetEditMode(0);
    bench::Report("  lamps added", s.model.GetPort(kPorts + 1).GetCount(), "");
    const double reference = bench::Measure([&] { g_sink = s.ReadEveryLamp(); });
    ReportPair("click-add + repaint (1M lamps)", t, reference, "  reference: read every lamp");
}

LS_BENCHMARK(edit_rubber_band_100k)
{
    Scene& s = TheScene();
    s.view.SetEditMode(0);
    // At the fit zoom a pixel covers more than one cell: the band ends on
    // the first pixel whose cell is in row 49.
    const CRect L = s.view.LayoutRectInClient();
    CPoint end(L.left, L.top);
    while (s.view.PointFromClient(end).y < 49)
        ++end.y;
    const CPoint start = s.At(2010, 0);
    int selected = 0;
    const double t = bench::Measure([&] {
        s.model.ClearSelection();
        // From a free cell right of the lamps over rows 0 to 49: 100,000 lamps.
        s.view.OnMouseMove(0, start);
        s.view.OnLButtonDown(MK_LBUTTON, start);
        s.view.OnMouseMove(MK_LBUTTON, end);
        s.view.OnLButtonUp(0, end);
        s.Repaint();
    });
    for (int p : SelectedPortsInOrder(s.model))
        selected += static_cast<int>(SelectedIndexesOf(s.model, p).size());
    s.model.ClearSelection();
    bench::Report("  lamps selected", selected, "");
    // The parts: the selection alone, and the repaint showing it.
    const double select = bench::Measure([&] {
        s.model.ClearSelection();
        SelectPointsInRect(CRect(0, 0, 2048, 50), s.model);
    });
    const double paint = bench::Measure([&] { s.Repaint(); });
    s.model.ClearSelection();
    bench::Report("  of which selecting", select * 1000, "ms");
    bench::Report("  of which repainting the selection", paint * 1000, "ms");
    const double reference = bench::Measure([&] { g_sink = s.ReadEveryLamp(); });
    ReportPair("rubber band of 100,000 lamps + repaint (1M lamps)", t, reference, "  reference: read every lamp");
}

LS_BENCHMARK(edit_repaint_fit)
{
    Scene& s = TheScene();
    s.view.OnEditPreview();
    const double t = bench::Measure([&] { s.Repaint(); });
    const double reference = bench::Measure([&] { s.Fill(); });
    ReportPair("full repaint at fit zoom (1M lamps)", t, reference, "  reference: solid fill of the client area");
}
