// Times the layout view's editing gestures on a layout of 1,000,000 lamps:
// a mouse move with a wiring preview, a click that adds a lamp, a rubber
// band selecting 100,000 lamps (each gesture through the view's real
// handlers followed by one full repaint, as the window would show it) and a
// full repaint at the fit zoom; and the overview thumbnail after a view
// repaint, with the lamps changed (painted again) and unchanged (only
// compared). The reference beside each is a plain job of the same size: one
// pass reading every lamp, or a solid fill of the same pixels.
//
// Scene: a 2,048 x 1,000 grid in a 1,280 x 800 client area (fit zoom
// 0.625); rows 0 to 499 hold lamps in columns 0 to 1,999 (1,000 ports of
// 1,000 lamps, two per row), the rest is free for wiring.
#include "bench.h"

#include <algorithm>
#include <memory>

#include "LShowStatic.h"
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
    long long ReadEveryLamp()
    {
        long long sum = 0;
        m_lampsRead = 0;
        for (int p = 0; p < model.GetPortCount(); ++p) {
            const LayoutPort& port = model.GetPort(p);
            for (int i = 0; i < port.GetCount(); ++i)
                sum += port.GetPoint(i).x;
            m_lampsRead += port.GetCount();
        }
        return sum;
    }
    long long LampsRead() const { return m_lampsRead; }
    long long Lamps() const
    {
        long long lamps = 0;
        for (int p = 0; p < model.GetPortCount(); ++p)
            lamps += model.GetPort(p).GetCount();
        return lamps;
    }
    void Fill()
    {
        const RECT all = { 0, 0, kClientWidth, kClientHeight };
        HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
        ::FillRect(target, &all, brush);
        ::DeleteObject(brush);
    }

private:
    long long m_lampsRead = 0;
};

volatile long long g_sink = 0;

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

// Every pixel of the client area was repainted since MarkUnpainted.
void CheckRepainted(const Scene& s, const char* what)
{
    bench::Check(s.PaintedPixels() == Scene::kClientWidth * Scene::kClientHeight, what);
}

// The reference job read every lamp.
void CheckReadEveryLamp(const Scene& s)
{
    bench::Check(s.LampsRead() == s.Lamps() && s.Lamps() >= 1000000, "the reference did not read every lamp");
}

void ReportPair(const char* name, double seconds, double reference, const char* referenceName)
{
    bench::Report(name, seconds * 1000, "ms");
    bench::Report(referenceName, reference * 1000, "ms");
    bench::Report("  ratio", reference > 0 ? seconds / reference : 0, "x");
}

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
    int previewed = 0;
    s.MarkUnpainted();
    const double t = bench::Measure([&] {
        const int dx = (k++ % 2) == 0 ? 40 : 39;
        s.view.OnMouseMove(MK_LBUTTON, s.At(100 + dx, 620));
        previewed = std::min(previewed == 0 ? s.view.m_previewCount : previewed, s.view.m_previewCount);
        s.Repaint();
    });
    CheckRepainted(s, "the moves did not repaint the view");
    // A 39 or 40 x 20 rectangle of free cells.
    bench::Check(previewed >= 39 * 20, "a move showed no wiring preview");
    s.view.m_leftDown = 0;
    s.view.m_previewCount = 0;
    s.view.SetEditMode(0);
    const double reference = bench::Measure([&] { g_sink = s.ReadEveryLamp(); });
    CheckReadEveryLamp(s);
    ReportPair("mouse move with preview + repaint (1M lamps)", t, reference, "  reference: read every lamp");
}

LS_BENCHMARK(edit_mouse_move_mode0)
{
    Scene& s = TheScene();
    s.view.SetEditMode(0);
    int k = 0;
    const double t = bench::Measure([&] { s.view.OnMouseMove(0, s.At(100 + (k++ % 500), 300)); });
    // The view follows the cursor: the last move's cell is the current one.
    const CLPoint last = s.view.PointFromClient(s.At(100 + ((k - 1) % 500), 300));
    bench::Check(s.view.m_currentCell.SameCell(last), "the moves did not follow the cursor");
    const double reference = bench::Measure([&] { g_sink = s.ReadEveryLamp(); });
    CheckReadEveryLamp(s);
    ReportPair("mouse move, mode 0, no repaint (1M lamps)", t, reference, "  reference: read every lamp");
}

LS_BENCHMARK(edit_mouse_move_mode3)
{
    Scene& s = TheScene();
    s.view.SetEditMode(3);
    int k = 0;
    // The fast-wiring rectangle follows the cursor: every move repaints.
    s.MarkUnpainted();
    const double t = bench::Measure([&] {
        s.view.OnMouseMove(0, s.At(100 + (k++ % 500), 700));
        s.Repaint();
    });
    CheckRepainted(s, "the moves did not repaint the view");
    s.view.SetEditMode(0);
    const double reference = bench::Measure([&] { g_sink = s.ReadEveryLamp(); });
    CheckReadEveryLamp(s);
    ReportPair("mouse move, fast rectangle + repaint (1M lamps)", t, reference, "  reference: read every lamp");
}

LS_BENCHMARK(edit_click_add)
{
    Scene& s = TheScene();
    s.view.SetEditMode(1);
    s.view.m_currentPort = kPorts + 1;
    int k = 0;
    s.MarkUnpainted();
    const double t = bench::Measure([&] {
        const CPoint at = s.At(k % 2000, 700 + k / 2000);
        ++k;
        s.view.OnMouseMove(0, at);
        s.view.OnLButtonDown(MK_LBUTTON, at);
        s.view.OnLButtonUp(0, at);
        s.Repaint();
    });
    s.view.SetEditMode(0);
    CheckRepainted(s, "the clicks did not repaint the view");
    bench::Report("  lamps added", s.model.GetPort(kPorts + 1).GetCount(), "");
    // At the fit zoom a pixel covers more than one cell: each click adds the
    // lamp of a cell not clicked before, until the port is full.
    std::vector<CPoint> cells;
    for (int i = 0; i < k; ++i) {
        const CLPoint cell = s.view.PointFromClient(s.At(i % 2000, 700 + i / 2000));
        cells.emplace_back(cell.x, cell.y);
    }
    std::sort(cells.begin(), cells.end(),
        [](const CPoint& a, const CPoint& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    const int distinct = static_cast<int>(std::unique(cells.begin(), cells.end()) - cells.begin());
    bench::Check(s.model.GetPort(kPorts + 1).GetCount() == std::min(distinct, kMaxPortPoints),
        "a click on a new cell added no lamp");
    const double reference = bench::Measure([&] { g_sink = s.ReadEveryLamp(); });
    CheckReadEveryLamp(s);
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
    s.MarkUnpainted();
    const double t = bench::Measure([&] {
        s.model.ClearSelection();
        // From a free cell right of the lamps over rows 0 to 49: 100,000 lamps.
        s.view.OnMouseMove(0, start);
        s.view.OnLButtonDown(MK_LBUTTON, start);
        s.view.OnMouseMove(MK_LBUTTON, end);
        s.view.OnLButtonUp(0, end);
        s.Repaint();
    });
    CheckRepainted(s, "the rubber band did not repaint the view");
    for (int p : SelectedPortsInOrder(s.model))
        selected += static_cast<int>(SelectedIndexesOf(s.model, p).size());
    s.model.ClearSelection();
    bench::Report("  lamps selected", selected, "");
    bench::Check(selected == 100000, "the rubber band did not select 100,000 lamps");
    // The parts: the selection alone, and the repaint showing it.
    int selectedAlone = 0;
    const double select = bench::Measure([&] {
        s.model.ClearSelection();
        selectedAlone = SelectPointsInRect(CRect(0, 0, 2048, 50), s.model);
    });
    bench::Check(selectedAlone == 100000, "the selection alone did not select 100,000 lamps");
    s.MarkUnpainted();
    const double paint = bench::Measure([&] { s.Repaint(); });
    CheckRepainted(s, "the repaint did not draw the whole view");
    s.model.ClearSelection();
    bench::Report("  of which selecting", select * 1000, "ms");
    bench::Report("  of which repainting the selection", paint * 1000, "ms");
    const double reference = bench::Measure([&] { g_sink = s.ReadEveryLamp(); });
    CheckReadEveryLamp(s);
    ReportPair("rubber band of 100,000 lamps + repaint (1M lamps)", t, reference, "  reference: read every lamp");
}

LS_BENCHMARK(edit_repaint_fit)
{
    Scene& s = TheScene();
    s.view.OnEditPreview();
    s.MarkUnpainted();
    const double t = bench::Measure([&] { s.Repaint(); });
    CheckRepainted(s, "the repaint did not draw the whole view");
    s.MarkUnpainted();
    const double reference = bench::Measure([&] { s.Fill(); });
    CheckRepainted(s, "the fill did not fill the client area");
    ReportPair("full repaint at fit zoom (1M lamps)", t, reference, "  reference: solid fill of the client area");
}

namespace {

// The thumbnail's picture as the list panel has it (218 x 150 pixels).
struct OverviewPicture {
    static constexpr int kWidth = 218;
    static constexpr int kHeight = 150;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    HPEN pen = nullptr;
    HGDIOBJ oldPen = nullptr;
    OverviewPlacement placement;

    OverviewPicture(HDC reference, int layoutWidth, int layoutHeight)
        : placement(PlaceOverview(kWidth, kHeight, layoutWidth, layoutHeight))
    {
        dc = ::CreateCompatibleDC(reference);
        bitmap = ::CreateCompatibleBitmap(reference, kWidth, kHeight);
        oldBitmap = ::SelectObject(dc, bitmap);
        pen = ::CreatePen(PS_SOLID, 1, RGB(255, 255, 0));
        oldPen = ::SelectObject(dc, pen);
    }
    ~OverviewPicture()
    {
        ::SelectObject(dc, oldPen);
        ::DeleteObject(pen);
        ::SelectObject(dc, oldBitmap);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    OverviewPicture(const OverviewPicture&) = delete;
    OverviewPicture& operator=(const OverviewPicture&) = delete;
    int YellowPixels() const
    {
        int n = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                n += ::GetPixel(dc, x, y) == RGB(255, 255, 0) ? 1 : 0;
        return n;
    }
};

} // namespace

LS_BENCHMARK(edit_overview_after_view_repaint)
{
    Scene& s = TheScene();
    OverviewPicture picture(s.target, ::kWidth, ::kHeight);
    OverviewSignature painted;
    OverviewSignature current;
    // What the thumbnail does after each view repaint: compare, and paint
    // again only when the lamps changed.
    auto follow = [&]() -> bool {
        GetOverviewSignature(s.model, current);
        if (current == painted)
            return false;
        const RECT all = { 0, 0, OverviewPicture::kWidth, OverviewPicture::kHeight };
        ::SetBkColor(picture.dc, RGB(0, 0, 0));
        ::ExtTextOutW(picture.dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        DrawOverviewPorts(picture.dc, s.model, picture.placement);
        painted.swap(current);
        return true;
    };
    int repainted = 0;
    int k = 0;
    const double changed = bench::Measure([&] {
        // One lamp of the layout moves back and forth (an edit).
        CLPoint& lamp = s.model.GetPort(0).EditPoint(0);
        lamp.y = (k++ % 2) == 0 ? 1 : 0;
        repainted += follow() ? 1 : 0;
    });
    bench::Report("  thumbnail repaints", repainted, "");
    bench::Report("  yellow pixels", picture.YellowPixels(), "");
    s.model.GetPort(0).EditPoint(0).y = 0;
    follow();
    repainted = 0;
    const double unchanged = bench::Measure([&] { repainted += follow() ? 1 : 0; });
    bench::Report("  thumbnail repaints with nothing changed", repainted, "");
    const double reference = bench::Measure([&] { g_sink = s.ReadEveryLamp(); });
    ReportPair("overview after an edit (1M lamps)", changed, reference, "  reference: read every lamp");
    ReportPair(
        "overview after a repaint without edit (1M lamps)", unchanged, reference, "  reference: read every lamp");
}
