// Times the layout model's per-mouse-action queries on a layout of
// 1,000,000 lamps: 400 ports of 2,500 lamps, laid out so that every port's
// bounds cover the middle of the grid (the worst case for the bounds test).
#include "bench.h"

#include <algorithm>
#include <memory>

#include "LayoutData.h"

namespace {

constexpr int kPorts = 400;
constexpr int kLampsPerPort = 2500;

// Port p holds the cells of columns p, p + 400, ..., p + 1600 on every even
// row of a 2000 x 1000 grid; odd rows are free.
std::unique_ptr<CLayoutData> BuildLayout()
{
    auto layout = std::make_unique<CLayoutData>();
    layout->ResetPorts(kPorts, kLampsPerPort, CString(L"RGB"), 0);
    layout->m_width = 2000;
    layout->m_height = 1000;
    for (int p = 0; p < kPorts; ++p) {
        LayoutPort record;
        record.Allocate(kLampsPerPort);
        std::vector<CLPoint> points;
        points.reserve(kLampsPerPort);
        for (int y = 0; y < 1000; y += 2)
            for (int x = p; x < 2000; x += kPorts)
                points.emplace_back(x, y);
        record.InsertPoints(points.data(), static_cast<int>(points.size()));
        layout->AppendLoadedPort(record);
    }
    return layout;
}

CLayoutData& Layout()
{
    static std::unique_ptr<CLayoutData> layout = BuildLayout();
    return *layout;
}

volatile long long g_sink = 0;

// Keeps the optimiser from dropping a query.
void Keep(long long v)
{
    g_sink = g_sink + v;
}

} // namespace

LS_BENCHMARK(layout_query_1m_lamps)
{
    const double buildStart = bench::Now();
    CLayoutData& layout = Layout();
    bench::Report("build 1,000,000 lamps (400 ports)", (bench::Now() - buildStart) * 1000, "ms");

    long long total = 0;
    for (int p = 0; p < layout.GetPortCount(); ++p)
        total += layout.GetPort(p).GetCount();
    bench::Report("lamps in the layout", static_cast<double>(total), "lamps");
    bench::Check(total == static_cast<long long>(kPorts) * kLampsPerPort, "the layout lacks lamps");

    const CPoint used(1000, 500); // port 200, after 200 ports in the used list
    const CPoint freeCell(1000, 501); // inside every port's bounds, no lamp

    // Right after loading no port has its cell index yet: each query builds
    // a bounded share of them and scans the rest.
    double first = 0;
    double worst = 0;
    bool found = false;
    for (int q = 0; q < 64; ++q) {
        const double start = bench::Now();
        found = layout.IsPointUsed(freeCell) || found;
        const double took = bench::Now() - start;
        if (q == 0)
            first = took;
        worst = std::max(worst, took);
    }
    bench::Check(!found, "a free cell was found in use");
    bench::Report("first query after load (IsPointUsed)", first * 1000, "ms");
    bench::Report("worst of the first 64 queries after load", worst * 1000, "ms");

    int wrong = 0;
    bench::Report(
        "IsPointUsed, free cell", bench::Measure([&] { wrong += layout.IsPointUsed(freeCell) ? 1 : 0; }) * 1e6, "us");
    bench::Check(wrong == 0, "a free cell was found in use");
    bench::Report(
        "IsPointUsed, used cell", bench::Measure([&] { wrong += layout.IsPointUsed(used) ? 0 : 1; }) * 1e6, "us");
    bench::Check(wrong == 0, "a used cell was not found");

    int port = 0, index = 0;
    bench::Report("FindPointAt, no active port", bench::Measure([&] {
        layout.m_activePort = -1;
        layout.FindPointAt(used, port, index);
        Keep(port + index);
    }) * 1e6,
        "us");
    // Port 200 holds the cell: its row 250, third of five lamps (numbers from 1).
    bench::Check(port == 201 && index == 1253, "FindPointAt did not find the lamp");
    bench::Report("FindPointAt, active port hit", bench::Measure([&] {
        layout.FindPointAt(used, port, index);
        Keep(port + index);
    }) * 1e6,
        "us");
    bench::Check(port == 201 && index == 1253, "FindPointAt did not find the lamp in the active port");
    bench::Report("FindPointAt, free cell", bench::Measure([&] {
        layout.FindPointAt(freeCell, port, index);
        Keep(port + index);
    }) * 1e6,
        "us");
    bench::Check(port == 0 && index == 0, "FindPointAt found a lamp on a free cell");

    CDWordArray hits;
    bench::Report("CollectPortsAtPoint, used cell", bench::Measure([&] {
        layout.CollectPortsAtPoint(used, hits);
        Keep(hits.GetSize());
    }) * 1e6,
        "us");
    bench::Check(hits.GetSize() == 1, "CollectPortsAtPoint did not find the lamp");
    bench::Report("CollectPortsAtPoint, free cell", bench::Measure([&] {
        layout.CollectPortsAtPoint(freeCell, hits);
        Keep(hits.GetSize());
    }) * 1e6,
        "us");
    bench::Check(hits.GetSize() == 0, "CollectPortsAtPoint found a lamp on a free cell");

    // After a change to one port only that port's cells are sorted again.
    // The port gets room for the one lamp added and taken away again.
    LayoutPort& changed = layout.GetPort(200);
    changed.GrowCapacity(kLampsPerPort + 1);
    const CLPoint extra(1000, 501);
    int unseen = 0;
    bench::Report("IsPointUsed after a one-lamp edit", bench::Measure([&] {
        unseen += changed.InsertPoints(&extra, 1) == 1 && layout.IsPointUsed(freeCell) ? 0 : 1;
        unseen += changed.RemovePoints(&extra, 1) == 1 ? 0 : 1;
    }) * 1e6,
        "us");
    bench::Check(unseen == 0 && changed.GetCount() == kLampsPerPort, "a one-lamp edit was not made or not seen");

    // For comparison: one pass over every lamp, what a query without the
    // cell index would cost.
    bench::Report("full scan of every lamp (reference)", bench::Measure([&] {
        long long hitsFound = 0;
        for (int p = 0; p < layout.GetPortCount(); ++p) {
            const LayoutPort& scanned = layout.GetPort(p);
            for (int i = 0; i < scanned.GetCount(); ++i)
                hitsFound += scanned.GetPoint(i).IsAt(freeCell.x, freeCell.y) ? 1 : 0;
        }
        Keep(hitsFound);
    }) * 1e6,
        "us");
    bench::Check(!layout.IsPointUsed(freeCell), "the layout changed");
}

// What a delete of every lamp and its undo cost the point arrays: every
// port loses all its lamps with recorded positions, then takes them back
// at those positions.
LS_BENCHMARK(layout_remove_reinsert_1m_lamps)
{
    std::unique_ptr<CLayoutData> layout = BuildLayout();
    std::vector<std::vector<CLPoint>> taken(kPorts);
    std::vector<std::vector<int>> positions(kPorts);
    for (int p = 0; p < kPorts; ++p) {
        const LayoutPort& port = layout->GetPort(p);
        taken[p].assign(port.GetPoints(), port.GetPoints() + port.GetCount());
        positions[p].resize(taken[p].size());
    }
    double start = bench::Now();
    for (int p = 0; p < kPorts; ++p)
        layout->GetPort(p).RemovePoints(taken[p].data(), static_cast<int>(taken[p].size()), positions[p].data());
    bench::Report("remove all 1,000,000 lamps with positions", (bench::Now() - start) * 1000, "ms");
    long long left = 0;
    for (int p = 0; p < kPorts; ++p)
        left += layout->GetPort(p).GetCount();
    bench::Check(left == 0, "lamps were left");
    start = bench::Now();
    for (int p = 0; p < kPorts; ++p)
        layout->GetPort(p).InsertPoints(taken[p].data(), static_cast<int>(taken[p].size()), positions[p].data());
    bench::Report("re-insert them at the recorded positions", (bench::Now() - start) * 1000, "ms");
    long long total = 0;
    for (int p = 0; p < kPorts; ++p)
        total += layout->GetPort(p).GetCount();
    bench::Check(total == static_cast<long long>(kPorts) * kLampsPerPort, "lamps were not put back");
    bench::Check(layout->GetPort(7).GetPoint(1234).SameCell(taken[7][1234]), "a lamp came back elsewhere");
    Keep(total);
}
