// Times the edits that test many cells on a layout of 1,000,000 lamps: 400
// ports of 2,500 lamps on a 2000 x 1000 grid, every port's bounds covering
// the whole grid (the worst case for the bounds test), and one empty port to
// wire into. Even rows are fully wired, odd rows are free.
#include "bench.h"

#include <algorithm>
#include <memory>

#include "LayoutAddPoints.h"
#include "LayoutData.h"
#include "LayoutSelection.h"

namespace {

constexpr int kPorts = 400;
constexpr int kLampsPerPort = 2500;
constexpr int kWiredPort = kPorts; // the empty port

std::unique_ptr<CLayoutData> BuildLayout()
{
    auto layout = std::make_unique<CLayoutData>();
    layout->ResetPorts(kPorts + 1, kMaxPortPoints, CString(L"RGB"), 0);
    layout->m_width = 2000;
    layout->m_height = 1000;
    for (int p = 0; p < kPorts; ++p) {
        LayoutPort record;
        record.Allocate(kLampsPerPort);
        std::vector<CLPoint> points;
        points.reserve(kLampsPerPort);
        for (int y = 0; y < 1000; y += 2) {
            for (int x = p; x < 2000; x += kPorts) {
                CLPoint point(x, y);
                point.m_normX = (x + 0.5) / 2000;
                point.m_normY = (y + 0.5) / 1000;
                points.push_back(point);
            }
        }
        record.InsertPoints(points.data(), static_cast<int>(points.size()));
        layout->AppendLoadedPort(record);
    }
    return layout;
}

long long TotalLamps(const CLayoutData& layout)
{
    long long total = 0;
    for (int p = 0; p < layout.GetPortCount(); ++p)
        total += layout.GetPort(p).GetCount();
    return total;
}

volatile long long g_sink = 0;

struct Timing {
    double first = 0;
    double mean = 0;
    double worst = 0;
};

// Runs edit then restore `rounds` times and times the edit alone.
template <typename Edit, typename Restore> Timing TimeEdit(int rounds, Edit edit, Restore restore)
{
    Timing t;
    double sum = 0;
    for (int r = 0; r < rounds; ++r) {
        const double start = bench::Now();
        g_sink = g_sink + edit();
        const double took = (bench::Now() - start) * 1000;
        restore();
        if (r == 0)
            t.first = took;
        sum += took;
        t.worst = std::max(t.worst, took);
    }
    t.mean = sum / rounds;
    return t;
}

void ReportTiming(const char* what, const Timing& t)
{
    std::string name(what);
    bench::Report((name + ", first call").c_str(), t.first, "ms");
    bench::Report((name + ", mean").c_str(), t.mean, "ms");
    bench::Report((name + ", worst").c_str(), t.worst, "ms");
}

// Runs edit then a timed undo `rounds` times; reports both.
template <typename Edit> void TimeEditAndUndo(const char* what, int rounds, CLayoutData& layout, Edit edit)
{
    Timing undo;
    double undoSum = 0;
    const Timing editing = TimeEdit(rounds, edit, [&] {
        const double start = bench::Now();
        layout.UndoStep();
        const double took = (bench::Now() - start) * 1000;
        undoSum += took;
        undo.worst = std::max(undo.worst, took);
    });
    ReportTiming(what, editing);
    bench::Report("its undo, mean", undoSum / rounds, "ms");
    bench::Report("its undo, worst", undo.worst, "ms");
}

// The references: copying the layout's lamps within memory the process
// holds, and writing a quarter of that into memory fresh from the system
// (what a copy costs when its buffer is new).
void ReportReferences(const CLayoutData& layout)
{
    std::vector<CLPoint> copy;
    copy.reserve(static_cast<size_t>(TotalLamps(layout)));
    for (int pass = 0; pass < 2; ++pass) {
        copy.clear();
        const double start = bench::Now();
        for (int p = 0; p < layout.GetPortCount(); ++p)
            copy.insert(copy.end(), layout.GetPort(p).GetPoints(),
                layout.GetPort(p).GetPoints() + layout.GetPort(p).GetCount());
        if (pass == 1)
            bench::Report("reference: copy of every lamp into a held buffer", (bench::Now() - start) * 1000, "ms");
    }
    const double start = bench::Now();
    std::vector<CLPoint> fresh(copy.begin(), copy.begin() + static_cast<std::ptrdiff_t>(copy.size() / 4));
    bench::Report("reference: copy of a quarter of them into a new buffer", (bench::Now() - start) * 1000, "ms");
    g_sink = g_sink + fresh.back().x;
}

} // namespace

LS_BENCHMARK(layout_edits_1m_lamps)
{
    const double buildStart = bench::Now();
    std::unique_ptr<CLayoutData> layout = BuildLayout();
    bench::Report("build 1,000,000 lamps (400 ports)", (bench::Now() - buildStart) * 1000, "ms");
    bench::Report("lamps in the layout", static_cast<double>(TotalLamps(*layout)), "lamps");
    ReportReferences(*layout);

    // 100 x 100 cells, half of them in use: 5,000 free cells, cut to the
    // port's 3,072 places.
    int wired = 0;
    const Timing wiring = TimeEdit(
        20,
        [&] {
            wired = AddRectangleWiring(*layout, 0, 1, 0, kWiredPort, false, nullptr, 900, 400, 1000, 500);
            return wired;
        },
        [&] { layout->UndoStep(); });
    bench::Report("lamps wired per 100 x 100 rectangle", wired, "lamps");
    ReportTiming("100 x 100 rectangle wiring, overlap off", wiring);

    std::vector<CLPoint> preview;
    const Timing previewed = TimeEdit(
        20, [&] { return AddRectangleWiring(*layout, 0, 1, 0, kWiredPort, false, &preview, 900, 400, 1000, 500); },
        [] {});
    ReportTiming("100 x 100 rectangle wiring preview", previewed);

    // A quarter of the layout: 250,000 lamps of every port.
    int deletedCells = 0;
    TimeEditAndUndo("delete of a 1000 x 500 rectangle", 5, *layout, [&] {
        deletedCells = layout->DeletePointsInRect(0, 0, 1000, 500);
        return deletedCells;
    });
    bench::Report("lamps deleted per 1000 x 500 rectangle", deletedCells, "lamps");

    TimeEditAndUndo("delete of every lamp by rectangle (1,000,000)", 3, *layout,
        [&] { return layout->DeletePointsInRect(0, 0, 2000, 1000); });
    layout->DeletePointsInRect(0, 0, 2000, 1000);
    layout->UndoStep();
    const Timing redoing = TimeEdit(
        3, [&] { return layout->RedoStep() ? 1 : 0; }, [&] { layout->UndoStep(); });
    ReportTiming("redo of that delete", redoing);

    const Timing selecting = TimeEdit(
        5, [&] { return SelectPointsInRect(CRect(0, 0, 1000, 500), *layout); }, [&] { layout->ClearSelection(); });
    ReportTiming("select a 1000 x 500 rectangle", selecting);

    // The selection (250,000 lamps) moved by two rows and turned a quarter
    // turn; it stays selected through undo.
    SelectPointsInRect(CRect(0, 0, 1000, 500), *layout);
    TimeEditAndUndo("move of that selection", 3, *layout,
        [&] { return layout->MoveSelectedPoints(CLPoint(0, 0), CLPoint(0, 2)) ? 1 : 0; });
    TimeEditAndUndo("rotation of that selection", 3, *layout,
        [&] { return layout->RotateSelection(nullptr, 90, CLPoint(500, 250)) ? 1 : 0; });
    const double start = bench::Now();
    const int deleted = layout->DeleteSelection();
    bench::Report("delete of that selection (250,000 lamps)", (bench::Now() - start) * 1000, "ms");
    g_sink = g_sink + deleted;
    bench::Report("lamps left", static_cast<double>(TotalLamps(*layout)), "lamps");
}
