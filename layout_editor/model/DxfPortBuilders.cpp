// DXF import, second half: following the wiring from each label to collect
// the lamps of its port in wiring order, placing them on the grid, storing
// them in the layout and shrinking the grid to the lamps.
//
// Each step of a chain asks for "the first free line in file order with an
// end near the current point". The bucket index answers that from the few
// lines around the point, so a chain costs about its own length instead of
// a walk over every line per lamp.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <unordered_set>

#include "DxfPointIndex.h"
#include "DxfProgress.h"
#include "DxfReader.h"

namespace {

// Grid numbers are kept well inside int; the grid itself is bounded by the
// reader long before this matters.
int TruncToGrid(double v)
{
    const double t = std::trunc(v);
    if (!(t > -1073741824.0))
        return -1073741824;
    if (!(t < 1073741824.0))
        return 1073741824;
    return static_cast<int>(t);
}

uint64_t CellKey(int x, int y)
{
    return (static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y);
}

} // namespace

int DxfReader::BuildPortsFromLineEnds(CLayoutData& layout, CControllerList& controllers, HWND progress)
{
    return BuildPorts(layout, controllers, progress, ChainKind::LineEnds);
}

int DxfReader::BuildPortsFromLineEndsNoRepeat(CLayoutData& layout, CControllerList& controllers, HWND progress)
{
    return BuildPorts(layout, controllers, progress, ChainKind::LineEndsNoRepeat);
}

int DxfReader::BuildPortsFromCircles(CLayoutData& layout, CControllerList& controllers, HWND progress)
{
    return BuildPorts(layout, controllers, progress, ChainKind::Circles);
}

int DxfReader::PortIndexOf(const DxfText& text, int portsPerController) const
{
    if (m_labelKind == 1) {
        if (text.controller < 1 || text.port < 1)
            return -1;
        const long long index = static_cast<long long>(portsPerController) * (text.controller - 1) + text.port - 1;
        return index > INT_MAX ? INT_MAX : static_cast<int>(index);
    }
    if (m_labelKind == 2)
        return text.port < 1 ? -1 : text.port - 1;
    return -1;
}

int DxfReader::BuildPorts(CLayoutData& layout, CControllerList& controllers, HWND progress, ChainKind kind)
{
    if (!m_lineIndex)
        BuildIndexes();
    const int portsPerController = controllers.GetSize() > 0 ? controllers[0] : 1;
    DxfSetProgressRange(progress, 0, static_cast<int>(m_texts.size()));
    DxfSetProgressPos(progress, 0);
    int position = 0;
    std::vector<CLPoint> chain;
    chain.reserve(kMaxChain);
    for (const DxfText& text : m_texts) {
        if (!text.snapped) {
            DxfSetProgressPos(progress, ++position);
            continue;
        }
        const int index = PortIndexOf(text, portsPerController);
        if (index < 0)
            continue;
        chain.clear();
        if (kind == ChainKind::Circles)
            BuildCircleChain(text, chain);
        else
            BuildLineEndChain(text, kind == ChainKind::LineEndsNoRepeat, chain);
        StoreChain(layout, index, chain);
        DxfSetProgressPos(progress, ++position);
    }
    FitGrid(layout);
    return 0;
}

CLPoint DxfReader::PlaceLamp(double x, double y) const
{
    CLPoint lamp(TruncToGrid((x - m_minX) / m_cell + 0.5), (m_rows - 1) - TruncToGrid((y - m_minY) / m_cell + 0.5));
    lamp.m_normX = (x - m_originX) / m_spanX;
    lamp.m_normY = (m_height - (y - m_referenceY)) / m_spanY;
    return lamp;
}

void DxfReader::BuildLineEndChain(const DxfText& text, bool noRepeat, std::vector<CLPoint>& chain)
{
    double x = text.x;
    double y = text.y;
    chain.push_back(PlaceLamp(x, y));
    std::unordered_set<uint64_t> cells;
    if (noRepeat)
        cells.insert(CellKey(chain.back().x, chain.back().y));
    while (static_cast<int>(chain.size()) < kMaxChain) {
        int end = 0;
        const int id = FindLine(x, y, 0, m_snapTolerance, 0, false, end);
        if (id < 0)
            break;
        DxfLine& l = m_lines[static_cast<size_t>(id)];
        const double nx = end == 0 ? l.x2 : l.x1;
        const double ny = end == 0 ? l.y2 : l.y1;
        const CLPoint lamp = PlaceLamp(nx, ny);
        // Back on a cell the chain already holds: the ring is closed.
        if (noRepeat && !cells.insert(CellKey(lamp.x, lamp.y)).second)
            break;
        l.used = 1;
        chain.push_back(lamp);
        x = nx;
        y = ny;
    }
}

void DxfReader::BuildCircleChain(const DxfText& text, std::vector<CLPoint>& chain)
{
    // The path of sample points starts at the label. Circles are taken per
    // sample point as the path grows; the path itself depends only on the
    // lines, so this gives what building the whole path first would.
    double x = text.x;
    double y = text.y;
    TakeCirclesNear(x, y, chain);
    // Passes over the lines in file order: a followed line moves the current
    // point and the pass goes on after it; a pass that followed anything is
    // repeated from the first line.
    int from = 0;
    bool followed = false;
    for (;;) {
        int end = 0;
        const int id = FindLine(x, y, 0, m_sampleTolerance, from, false, end);
        if (id < 0) {
            if (!followed)
                break;
            from = 0;
            followed = false;
            continue;
        }
        DxfLine& l = m_lines[static_cast<size_t>(id)];
        const double fx = end == 0 ? l.x2 : l.x1;
        const double fy = end == 0 ? l.y2 : l.y1;
        const double nearX = end == 0 ? l.x1 : l.x2;
        const double nearY = end == 0 ? l.y1 : l.y2;
        const double length = std::sqrt((l.x2 - l.x1) * (l.x2 - l.x1) + (l.y2 - l.y1) * (l.y2 - l.y1));
        const double n = std::trunc(length / m_radius + 1.0);
        if (n > 2.0) {
            const double sx = std::fabs(l.x2 - l.x1) / n * (fx >= nearX ? 1.0 : -1.0);
            const double sy = std::fabs(l.y2 - l.y1) / n * (fy >= nearY ? 1.0 : -1.0);
            // Samples k = 1 .. n - 2: the one just before the far end is left out.
            TakeCirclesAlong(x, y, sx, sy, n - 2.0, chain);
        }
        l.used = 1;
        x = fx;
        y = fy;
        TakeCirclesNear(x, y, chain);
        from = id + 1;
        followed = true;
    }
}

void DxfReader::TakeCircle(int id, std::vector<CLPoint>& chain)
{
    DxfCircle& c = m_circles[static_cast<size_t>(id)];
    c.used = 1;
    --m_freeCircles;
    if (static_cast<int>(chain.size()) < kMaxChain)
        chain.push_back(PlaceLamp(c.x, c.y));
}

void DxfReader::TakeCirclesNear(double x, double y, std::vector<CLPoint>& chain)
{
    if (m_freeCircles <= 0 || !(m_sampleTolerance > 0))
        return;
    const double tol = m_sampleTolerance;
    std::vector<int> found;
    m_circleIndex->ForEachNear(x, y, 0, [&](const CDxfPointIndex::Entry& e) {
        const DxfCircle& c = m_circles[static_cast<size_t>(e.id)];
        if (!c.used && std::fabs(c.x - x) < tol && std::fabs(c.y - y) < tol)
            found.push_back(e.id);
        return true;
    });
    std::sort(found.begin(), found.end());
    for (int id : found)
        TakeCircle(id, chain);
}

void DxfReader::TakeCirclesAlong(double x, double y, double sx, double sy, double last, std::vector<CLPoint>& chain)
{
    if (m_freeCircles <= 0 || !(m_sampleTolerance > 0))
        return;
    const double tol = m_sampleTolerance;
    // A short run of samples: look around each of them.
    if (last <= 4.0 * static_cast<double>(m_circles.size()) + 1024.0) {
        const int count = static_cast<int>(last);
        for (int k = 1; k <= count && m_freeCircles > 0; ++k)
            TakeCirclesNear(x + k * sx, y + k * sy, chain);
        return;
    }
    // A line far longer than there are circles: work out for each free
    // circle the first sample that reaches it, then take them in sample
    // order (and file order within a sample).
    auto reaches = [&](const DxfCircle& c, double k) {
        return std::fabs(x + k * sx - c.x) < tol && std::fabs(y + k * sy - c.y) < tol;
    };
    auto range = [&](double p, double s, double c, double& lo, double& hi) {
        if (s == 0.0) {
            if (!(std::fabs(p - c) < tol)) {
                lo = 1;
                hi = 0;
            }
            return;
        }
        double a = (c - p - tol) / s;
        double b = (c - p + tol) / s;
        if (a > b)
            std::swap(a, b);
        lo = std::max(lo, a);
        hi = std::min(hi, b);
    };
    std::vector<std::pair<double, int>> events;
    for (size_t i = 0; i < m_circles.size(); ++i) {
        const DxfCircle& c = m_circles[i];
        if (c.used)
            continue;
        double lo = 1.0;
        double hi = last;
        range(x, sx, c.x, lo, hi);
        range(y, sy, c.y, lo, hi);
        if (!(lo <= hi + 2.0))
            continue;
        // Rounding may move the edges by a sample: test each candidate as the
        // sampling itself would.
        const double first = std::max(1.0, std::floor(lo) - 1.0);
        const double stop = std::min(last, std::ceil(hi) + 1.0);
        for (double k = first; k <= stop; k += 1.0) {
            if (reaches(c, k)) {
                events.emplace_back(k, static_cast<int>(i));
                break;
            }
        }
    }
    std::sort(events.begin(), events.end());
    for (const auto& event : events)
        TakeCircle(event.second, chain);
}

void DxfReader::StoreChain(CLayoutData& layout, int portIndex, const std::vector<CLPoint>& chain)
{
    if (layout.GetUsedCount() > layout.GetPortCount() || !layout.IsValidPort(portIndex))
        return;
    LayoutPort& port = layout.GetPort(portIndex);
    port.ClearPoints();
    if (!chain.empty())
        port.InsertPoints(chain.data(), static_cast<int>(chain.size()));
    // A port named twice keeps the later chain and is listed once.
    layout.MarkPortUsed(portIndex);
}

void DxfReader::FitGrid(CLayoutData& layout)
{
    int minX = INT_MAX;
    int minY = INT_MAX;
    int maxX = INT_MIN;
    int maxY = INT_MIN;
    double minNormX = kUnsetNormalised;
    double minNormY = kUnsetNormalised;
    bool any = false;
    for (int u = 0; u < layout.GetUsedCount(); ++u) {
        const LayoutPort& port = layout.GetPort(layout.GetUsedPort(u));
        for (int i = 0; i < port.GetCount(); ++i) {
            const CLPoint& p = port.GetPoint(i);
            any = true;
            minX = std::min(minX, static_cast<int>(p.x));
            maxX = std::max(maxX, static_cast<int>(p.x));
            minY = std::min(minY, static_cast<int>(p.y));
            maxY = std::max(maxY, static_cast<int>(p.y));
            minNormX = std::min(minNormX, p.m_normX);
            minNormY = std::min(minNormY, p.m_normY);
        }
    }
    const int oldColumns = m_columns;
    const int oldRows = m_rows;
    bool resized = false;
    if (any) {
        // The grid shrinks to the lamps. Lamps that came to lie outside the
        // grid (circles found beyond the drawing's bounds) move it the other
        // way, so no lamp is left off the layout.
        const int spanX = maxX - minX + 1;
        const int spanY = maxY - minY + 1;
        if (spanX != m_columns) {
            m_columns = spanX;
            resized = true;
        }
        if (spanY != m_rows) {
            m_rows = spanY;
            resized = true;
        }
        for (int u = 0; u < layout.GetUsedCount(); ++u) {
            LayoutPort& port = layout.GetPort(layout.GetUsedPort(u));
            for (int i = 0; i < port.GetCount(); ++i) {
                CLPoint& p = port.EditPoint(i);
                if (minX != 0) {
                    p.x -= minX;
                    p.m_normX = p.m_normX - minNormX + 0.5 / oldColumns;
                }
                if (minY != 0) {
                    p.y -= minY;
                    p.m_normY = p.m_normY - minNormY + 0.5 / oldRows;
                }
                if (resized) {
                    p.m_normX *= static_cast<double>(oldColumns) / m_columns;
                    p.m_normY *= static_cast<double>(oldRows) / m_rows;
                }
            }
        }
    }
    layout.m_width = std::max(1, m_columns);
    layout.m_height = std::max(1, m_rows);
    for (int u = 0; u < layout.GetUsedCount(); ++u)
        layout.GetPort(layout.GetUsedPort(u)).UpdateBounds();
}
