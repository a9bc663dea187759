// Times the edits that test many cells on a layout of 1,000,000 lamps: 400
// ports of 2,500 lamps on a 2000 x 1000 grid, every port's bounds covering
// the whole grid (the worst case for the bounds test), and one empty port to
// wire into. Even rows are fully wired, odd rows are free. The first large
// edit after the layout is opened from its file is timed on its own.
#include "bench.h"

#include <algorithm>
#include <memory>

#include "EditorSettings.h"
#include "LayoutBenchFiles.h"
#include "LampTypeList.h"
#include "LayoutAddPoints.h"
#include "LayoutData.h"
#include "LayoutFile.h"
#include "LayoutSelection.h"

namespace {

constexpr int kPorts = 400;
constexpr int kLampsPerPort = 2500;
constexpr int kWiredPort = kPorts; // the empty port

// The lamps of the layout in 400 ports; `emptyPorts` more ports follow.
std::unique_ptr<CLayoutData> BuildLayout(int emptyPorts = 1)
{
    auto layout = std::make_unique<CLayoutData>();
    layout->ResetPorts(kPorts + emptyPorts, kMaxPortPoints, CString(L"RGB"), 0);
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

CString TempPath(const wchar_t* name)
{
    return BenchTempPath(L"layoutedits_bench", name);
}

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
    bench::Check(copy.size() == static_cast<size_t>(TotalLamps(layout)), "the reference did not copy every lamp");
    const double start = bench::Now();
    std::vector<CLPoint> fresh(copy.begin(), copy.begin() + static_cast<std::ptrdiff_t>(copy.size() / 4));
    bench::Report("reference: copy of a quarter of them into a new buffer", (bench::Now() - start) * 1000, "ms");
    bench::Check(fresh.size() == copy.size() / 4 && fresh.back().SameCell(copy[fresh.size() - 1]),
        "the reference did not copy a quarter");
    g_sink = g_sink + fresh.back().x;
}

} // namespace

// Runs first in the program: the layout is saved and opened again through
// the file reader as the editor opens it, and the first delete of a quarter
// of its lamps is timed alone, before any other edit, then later ones.
LS_BENCHMARK(layout_first_edit_after_load)
{
    const CString path = TempPath(L"layout.lpx");
    {
        std::unique_ptr<CLayoutData> built = BuildLayout(0);
        CLayoutProjectSettings settings;
        settings.SetControllers(kPorts / 8, 8);
        ResetLampTypeList();
        const BYTE key[kLayoutKeyBytes] = { 1, 2, 3, 4, 5 };
        if (!bench::Check(
                WriteLayoutFile(*built, path, settings, key) == LayoutWriteResult::Ok, "the layout was not saved"))
            return;
    }
    CBenchLayoutView view;
    CLayoutData layout;
    double start = bench::Now();
    const bool read = ReadLayoutFile(&view, path, layout) == LayoutReadResult::Ok;
    const double load = (bench::Now() - start) * 1000;
    ::DeleteFileW(path);
    if (!bench::Check(read && TotalLamps(layout) == 1000000, "the layout was not read whole"))
        return;

    start = bench::Now();
    const int firstDeleted = layout.DeletePointsInRect(0, 0, 1000, 500);
    const double first = (bench::Now() - start) * 1000;
    const bool undone = layout.UndoStep();
    bench::Check(
        firstDeleted == 250000 && undone && TotalLamps(layout) == 1000000, "the first delete or its undo went wrong");
    int deleted = 0;
    const Timing later = TimeEdit(
        5,
        [&] {
            deleted = layout.DeletePointsInRect(0, 0, 1000, 500);
            return deleted;
        },
        [&] { layout.UndoStep(); });
    bench::Check(deleted == 250000 && TotalLamps(layout) == 1000000, "a later delete or its undo went wrong");

    // The part of the load that sets room aside for the first edits.
    std::unique_ptr<CLayoutData> fresh = BuildLayout(0);
    start = bench::Now();
    fresh->ReserveForEdits();
    const double reserve = (bench::Now() - start) * 1000;
    bench::Check(fresh->Spares().GetBytes() >= 1000000 * (sizeof(CLPoint) + sizeof(int)),
        "no room was set aside for the first edits");

    bench::Report("open the layout from its file", load, "ms");
    bench::Report("  of which setting room aside for the first edits", reserve, "ms");
    bench::Report("first delete of a 1000 x 500 rectangle after the open", first, "ms");
    bench::Report("later deletes of that rectangle, mean", later.mean, "ms");
    bench::Report("later deletes of that rectangle, worst", later.worst, "ms");
    ReportReferences(layout);
}

LS_BENCHMARK(layout_edits_1m_lamps)
{
    const double buildStart = bench::Now();
    std::unique_ptr<CLayoutData> layout = BuildLayout();
    // Set up as the file readers leave an opened layout.
    layout->ReserveForEdits();
    bench::Report("build 1,000,000 lamps (400 ports)", (bench::Now() - buildStart) * 1000, "ms");
    bench::Report("lamps in the layout", static_cast<double>(TotalLamps(*layout)), "lamps");
    if (!bench::Check(TotalLamps(*layout) == 1000000, "the layout lacks lamps"))
        return;
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
    bench::Check(wired == kMaxPortPoints && layout->GetPort(kWiredPort).GetCount() == 0,
        "the wiring did not fill the port, or its undo did not empty it");
    ReportTiming("100 x 100 rectangle wiring, overlap off", wiring);

    std::vector<CLPoint> preview;
    int previewedLamps = 0;
    const Timing previewed = TimeEdit(
        20,
        [&] {
            previewedLamps = AddRectangleWiring(*layout, 0, 1, 0, kWiredPort, false, &preview, 900, 400, 1000, 500);
            return previewedLamps;
        },
        [] {});
    bench::Check(previewedLamps == kMaxPortPoints && static_cast<int>(preview.size()) >= kMaxPortPoints
            && layout->GetPort(kWiredPort).GetCount() == 0,
        "the preview did not show the wiring, or changed the layout");
    ReportTiming("100 x 100 rectangle wiring preview", previewed);

    // A quarter of the layout: 250,000 lamps of every port.
    int deletedCells = 0;
    TimeEditAndUndo("delete of a 1000 x 500 rectangle", 5, *layout, [&] {
        deletedCells = layout->DeletePointsInRect(0, 0, 1000, 500);
        return deletedCells;
    });
    bench::Report("lamps deleted per 1000 x 500 rectangle", deletedCells, "lamps");
    bench::Check(deletedCells == 250000 && TotalLamps(*layout) == 1000000, "the deletes or their undo went wrong");

    int deletedAll = 0;
    TimeEditAndUndo("delete of every lamp by rectangle (1,000,000)", 3, *layout, [&] {
        deletedAll = layout->DeletePointsInRect(0, 0, 2000, 1000);
        return deletedAll;
    });
    bench::Check(deletedAll == 1000000 && TotalLamps(*layout) == 1000000, "the delete of every lamp went wrong");
    layout->DeletePointsInRect(0, 0, 2000, 1000);
    layout->UndoStep();
    long long afterRedo = -1;
    const Timing redoing = TimeEdit(
        3,
        [&] {
            const bool redone = layout->RedoStep();
            afterRedo = TotalLamps(*layout);
            return redone ? 1 : 0;
        },
        [&] { layout->UndoStep(); });
    ReportTiming("redo of that delete", redoing);
    bench::Check(afterRedo == 0 && TotalLamps(*layout) == 1000000, "the redo did not delete every lamp again");

    int selected = 0;
    const Timing selecting = TimeEdit(
        5,
        [&] {
            selected = SelectPointsInRect(CRect(0, 0, 1000, 500), *layout);
            return selected;
        },
        [&] { layout->ClearSelection(); });
    ReportTiming("select a 1000 x 500 rectangle", selecting);
    bench::Check(selected == 250000, "the rectangle did not select its lamps");

    // The selection (250,000 lamps) moved by two rows and turned a quarter
    // turn; it stays selected through undo.
    SelectPointsInRect(CRect(0, 0, 1000, 500), *layout);
    const CLPoint before = layout->GetPort(0).GetPoint(0);
    bool moved = true;
    TimeEditAndUndo("move of that selection", 3, *layout, [&] {
        moved = layout->MoveSelectedPoints(CLPoint(0, 0), CLPoint(0, 2))
            && layout->GetPort(0).GetPoint(0).y == before.y + 2 && moved;
        return moved ? 1 : 0;
    });
    bench::Check(moved && layout->GetPort(0).GetPoint(0).SameCell(before), "the move or its undo went wrong");
    bool turned = true;
    TimeEditAndUndo("rotation of that selection", 3, *layout, [&] {
        turned = layout->RotateSelection(nullptr, 90, CLPoint(500, 250))
            && !layout->GetPort(0).GetPoint(0).SameCell(before) && turned;
        return turned ? 1 : 0;
    });
    bench::Check(turned && layout->GetPort(0).GetPoint(0).SameCell(before), "the rotation or its undo went wrong");
    const double start = bench::Now();
    const int deleted = layout->DeleteSelection();
    bench::Report("delete of that selection (250,000 lamps)", (bench::Now() - start) * 1000, "ms");
    g_sink = g_sink + deleted;
    bench::Report("lamps left", static_cast<double>(TotalLamps(*layout)), "lamps");
    bench::Check(deleted == 250000 && TotalLamps(*layout) == 750000, "the selection was not deleted");
}
