// The edits that wire lamps into a port.
#include "LayoutAddPoints.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "LayoutCellMap.h"
#include "LayoutEditCommands.h"

namespace {

// int(v) truncated toward zero, held inside the int range (NaN gives 0).
int TruncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return INT_MAX;
    if (v <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(v);
}

void DropRedoTail(CLayoutData& layout)
{
    layout.DropRedoTail(layout.m_currentStep);
}

int FreeRoom(const CLayoutData& layout, int port)
{
    return layout.IsValidPort(port) ? std::max(layout.GetPort(port).GetFreeRoom(), 0) : 0;
}

long long TotalLamps(const CLayoutData& layout)
{
    long long total = 0;
    for (int p = 0; p < layout.GetPortCount(); ++p)
        total += layout.GetPort(p).GetCount();
    return total;
}

// The port's last lamp, or the target when the port has none.
CLPoint LineStart(const CLayoutData& layout, int port, const CLPoint& target)
{
    if (layout.IsValidPort(port) && layout.GetPort(port).GetCount() > 0) {
        const LayoutPort& p = layout.GetPort(port);
        return p.GetPoint(p.GetCount() - 1);
    }
    return target;
}

// Appends the points (cut to the free room), lists the port as used and,
// when asked, records them as one step. Returns the number inserted.
int AppendAndRecord(CLayoutData& layout, int port, std::vector<CLPoint> points, bool record)
{
    const int k = layout.GetPort(port).InsertPoints(points.data(), static_cast<int>(points.size()));
    if (k > 0) {
        layout.MarkPortUsed(port);
        if (record) {
            points.resize(static_cast<size_t>(k));
            layout.RecordStep({ new CAddCommand(layout, port, std::move(points)) });
        }
    }
    layout.m_modified = 1;
    return k;
}

// Drops the points whose cells a port in use holds. Gathers the cells in
// use over the points' bounding rectangle once when that rectangle is
// small enough, else asks per point.
void DropPointsInUse(const CLayoutData& layout, std::vector<CLPoint>& points)
{
    if (points.empty())
        return;
    const CRect bounds = CellBounds(points);
    const long long area = (static_cast<long long>(bounds.right) - bounds.left) * (bounds.bottom - bounds.top);
    if (area <= std::max<long long>(4096, 16 * static_cast<long long>(points.size()))) {
        CCellMap map(bounds);
        MarkUsedCells(layout, map);
        std::erase_if(points, [&](const CLPoint& p) { return map.Get(p.x, p.y) != 0; });
    } else {
        std::erase_if(points, [&](const CLPoint& p) { return layout.IsPointUsed(p); });
    }
}

// Copies the floating buffer's group to place; the caller moves them.
std::vector<CLPoint> FloatingGroup(const CLayoutData& layout)
{
    int n = layout.GetFloatingPoints() != nullptr ? layout.GetFloatingCount() : 0;
    if (!layout.GetFloatingGroupSizes().empty())
        n = std::min(n, static_cast<int>(layout.GetFloatingGroupSizes()[0]));
    return std::vector<CLPoint>(layout.GetFloatingPoints(), layout.GetFloatingPoints() + std::max(n, 0));
}

// Steps 3 to 6 of placing the floating buffer.
int PlaceFloating(CLayoutData& layout, int port, bool allowOverlap, bool record, std::vector<CLPoint> points)
{
    if (!layout.IsValidPort(port))
        return 0;
    if (!allowOverlap)
        DropPointsInUse(layout, points);
    return AppendAndRecord(layout, port, std::move(points), record);
}

} // namespace

int AddPointToPort(CLayoutData& layout, int port, bool allowOverlap, const CLPoint& point)
{
    if (!layout.IsValidPort(port) || layout.GetPort(port).IsFull())
        return 0;
    DropRedoTail(layout);
    if (!allowOverlap && layout.IsPointUsed(point))
        return 0;
    AppendAndRecord(layout, port, { point }, true);
    return 1;
}

int BeginPointStroke(CLayoutData& layout, int port, bool allowOverlap, const CLPoint& point)
{
    layout.m_strokeStart = -1;
    if (!layout.IsValidPort(port))
        return -1;
    LayoutPort& target = layout.GetPort(port);
    if (target.IsFull())
        return 0;
    DropRedoTail(layout);
    if (!allowOverlap && layout.IsPointUsed(point))
        return -2;
    layout.m_strokeStart = target.GetCount();
    target.InsertPoints(&point, 1);
    layout.MarkPortUsed(port);
    layout.m_modified = 1;
    return 1;
}

int ContinuePointStroke(CLayoutData& layout, bool allowOverlap, const CLPoint& point, int port)
{
    if (layout.m_strokeStart < 0 || !layout.IsValidPort(port))
        return -1;
    LayoutPort& target = layout.GetPort(port);
    if (target.IsFull())
        return 0;
    if (!allowOverlap && layout.IsPointUsed(point))
        return -2;
    target.InsertPoints(&point, 1);
    layout.m_modified = 1;
    return 1;
}

bool EndPointStroke(CLayoutData& layout, const CLPoint& /*point*/, int port)
{
    const int start = layout.m_strokeStart;
    if (start < 0)
        return false;
    layout.m_strokeStart = -1;
    if (layout.IsValidPort(port)) {
        const LayoutPort& target = layout.GetPort(port);
        if (start < target.GetCount()) {
            std::vector<CLPoint> points(target.GetPoints() + start, target.GetPoints() + target.GetCount());
            layout.RecordStep({ new CAddCommand(layout, port, std::move(points)) });
        }
    }
    return true;
}

int AddLineOfPoints(CLayoutData& layout, int port, bool allowOverlap, int dropCount, std::vector<CLPoint>* preview,
    const CLPoint& target)
{
    DropRedoTail(layout);
    if (preview != nullptr)
        preview->clear();
    const CLPoint start = LineStart(layout, port, target);
    const long long dx = static_cast<long long>(target.x) - start.x;
    const long long dy = static_cast<long long>(target.y) - start.y;
    const long long n = std::max(std::llabs(dx), std::llabs(dy)) + 1;
    if (n < 2)
        return 0;
    const double last = static_cast<double>(n - 1);

    // Every candidate lies on its own cell (the longer axis advances one
    // cell per step), so skipped candidates are lamps of the layout: the
    // search never needs more candidates than the room plus every lamp.
    const int room = FreeRoom(layout, port);
    const long long limit = std::min(n - 1, room + TotalLamps(layout));
    std::vector<CLPoint> points;
    for (long long k = 1; k <= limit && static_cast<int>(points.size()) < room; ++k) {
        CLPoint p;
        p.x = TruncToInt(start.x + static_cast<double>(k) * static_cast<double>(dx) / last);
        p.y = TruncToInt(start.y + static_cast<double>(k) * static_cast<double>(dy) / last);
        p.m_normX = start.m_normX + static_cast<double>(k) * (target.m_normX - start.m_normX) / last;
        p.m_normY = start.m_normY + static_cast<double>(k) * (target.m_normY - start.m_normY) / last;
        if (!allowOverlap && layout.IsPointUsed(p))
            continue;
        points.push_back(p);
    }

    const int m = static_cast<int>(points.size());
    if (dropCount >= 1) {
        if (dropCount >= m)
            return 0;
        // The counted line: fewer lamps spread evenly over the same span.
        const int kept = m - dropCount;
        const double width = std::max(layout.m_width, 1);
        const double height = std::max(layout.m_height, 1);
        for (int j = 1; j <= kept; ++j) {
            CLPoint& p = points[static_cast<size_t>(j - 1)];
            p.m_normX = start.m_normX + j * ((target.x - static_cast<double>(start.x)) / width) / kept;
            p.m_normY = start.m_normY + j * ((target.y - static_cast<double>(start.y)) / height) / kept;
            p.x = TruncToInt(p.m_normX * width);
            p.y = TruncToInt(p.m_normY * height);
            p.m_placeMark = 1;
        }
        points.resize(static_cast<size_t>(kept));
    }

    if (preview != nullptr) {
        *preview = points;
        return static_cast<int>(points.size());
    }
    if (points.empty() || room == 0)
        return 0;
    return AppendAndRecord(layout, port, std::move(points), true);
}

int AddPointsAlongLine(CLayoutData& layout, int port, bool allowOverlap, int count, const CLPoint& target)
{
    if (count < 1)
        return 0;
    DropRedoTail(layout);
    const CLPoint start = LineStart(layout, port, target);
    const long long dx = static_cast<long long>(target.x) - start.x;
    const long long dy = static_cast<long long>(target.y) - start.y;
    const long long length = std::max(std::llabs(dx), std::llabs(dy));
    // A target on the start cell gives no direction to step in.
    if (length == 0)
        return 0;
    const int wanted = std::min(count, FreeRoom(layout, port));
    if (wanted == 0)
        return 0;
    const double stepX = static_cast<double>(dx) / static_cast<double>(length);
    const double stepY = static_cast<double>(dy) / static_cast<double>(length);
    const double stepNormX = (target.m_normX - start.m_normX) / static_cast<double>(length);
    const double stepNormY = (target.m_normY - start.m_normY) / static_cast<double>(length);

    // Each candidate is a cell of its own, so at most every lamp of the
    // layout can be skipped before the wanted number is found.
    const long long limit = wanted + TotalLamps(layout);
    std::vector<CLPoint> points;
    for (long long k = 1; k <= limit && static_cast<int>(points.size()) < wanted; ++k) {
        const double f = static_cast<double>(k);
        CLPoint p;
        p.x = TruncToInt(start.x + f * stepX);
        p.y = TruncToInt(start.y + f * stepY);
        p.m_normX = start.m_normX + f * stepNormX;
        p.m_normY = start.m_normY + f * stepNormY;
        if (!allowOverlap && layout.IsPointUsed(p))
            continue;
        points.push_back(p);
    }
    return AppendAndRecord(layout, port, std::move(points), true);
}

int AddRectangleWiring(CLayoutData& layout, int direction, int pattern, int corner, int port, bool allowOverlap,
    std::vector<CLPoint>* preview, int left, int top, int right, int bottom)
{
    return AddRectangleWiringPart(
        layout, direction, pattern, corner, port, allowOverlap, preview, CRect(left, top, right, bottom), 0, INT_MAX);
}

int AddRectangleWiringPart(CLayoutData& layout, int direction, int pattern, int corner, int port, bool allowOverlap,
    std::vector<CLPoint>* preview, const CRect& area, long long skipCells, int maxLamps)
{
    const int left = area.left;
    const int top = area.top;
    const int right = area.right;
    const int bottom = area.bottom;
    if (preview != nullptr)
        preview->clear();
    if (!layout.IsValidPort(port) || layout.GetPort(port).IsFull() || left >= right || top >= bottom || maxLamps < 1)
        return 0;
    DropRedoTail(layout);
    const bool known = (direction == kWireRows || direction == kWireColumns)
        && (pattern == kWireSameDirection || pattern == kWireSerpentine) && corner >= kCornerTopLeft
        && corner <= kCornerBottomRight;
    if (!known)
        return 0;

    const int room = std::min(FreeRoom(layout, port), maxLamps);
    const CRect rect(left, top, right, bottom);
    CCellMap used(allowOverlap ? CRect(0, 0, 0, 0) : rect);
    if (!allowOverlap)
        MarkUsedCells(layout, used);

    const bool fromTop = corner == kCornerTopLeft || corner == kCornerTopRight;
    const bool fromLeft = corner == kCornerTopLeft || corner == kCornerBottomLeft;
    // Runs are rows or columns; the outer axis walks the runs away from the
    // corner, the inner axis the cells of one run.
    const bool rows = direction == kWireRows;
    const long long outerFirst = rows ? (fromTop ? top : bottom - 1LL) : (fromLeft ? left : right - 1LL);
    const long long outerStep = rows ? (fromTop ? 1 : -1) : (fromLeft ? 1 : -1);
    const long long outerCount = rows ? static_cast<long long>(bottom) - top : static_cast<long long>(right) - left;
    const long long innerLow = rows ? left : top;
    const long long innerHigh = rows ? right - 1LL : bottom - 1LL;
    const bool innerFromLow = rows ? fromLeft : fromTop;
    const long long innerCount = innerHigh - innerLow + 1;
    const double width = std::max(layout.m_width, 1);
    const double height = std::max(layout.m_height, 1);

    std::vector<CLPoint> points;
    // Whole runs before the first cell to wire are passed over at once.
    const long long firstRun = std::max(skipCells, 0LL) / innerCount;
    long long skipInRun = std::max(skipCells, 0LL) % innerCount;
    for (long long run = firstRun; run < outerCount && static_cast<int>(points.size()) < room; ++run) {
        const long long outer = outerFirst + run * outerStep;
        const bool forward = pattern == kWireSameDirection || run % 2 == 0;
        const bool fromLow = forward ? innerFromLow : !innerFromLow;
        for (long long i = skipInRun; i < innerCount && static_cast<int>(points.size()) < room; ++i) {
            const long long inner = fromLow ? innerLow + i : innerHigh - i;
            const int x = static_cast<int>(rows ? inner : outer);
            const int y = static_cast<int>(rows ? outer : inner);
            if (!allowOverlap && used.Get(x, y) != 0)
                continue;
            CLPoint p(x, y);
            p.m_normX = (x + 0.5) / width;
            p.m_normY = (y + 0.5) / height;
            points.push_back(p);
        }
        skipInRun = 0;
    }

    if (preview != nullptr) {
        *preview = points;
        return static_cast<int>(points.size());
    }
    if (points.empty())
        return 0;
    return AppendAndRecord(layout, port, std::move(points), true);
}

int InsertPointAt(CLayoutData& layout, int index, const CLPoint& point, int port)
{
    DropRedoTail(layout);
    if (!layout.IsValidPort(port) || layout.GetPort(port).GetCount() == 0)
        return 0;
    LayoutPort& target = layout.GetPort(port);
    // Keep the position the point really takes, so that Undo finds it.
    const int at = index < 0 || index > target.GetCount() ? target.GetCount() : index;
    const int k = target.InsertPoints(&point, 1, &at);
    if (k > 0)
        layout.RecordStep({ new CAddCommand(layout, port, { point }, { at }) });
    layout.m_modified = 1;
    return k;
}

int PlaceTemplatePort(CLayoutData& layout, int port, bool allowOverlap, bool record, const CLPoint& offset)
{
    std::vector<CLPoint> points = FloatingGroup(layout);
    if (points.empty() || !MoveTemplatePoints(layout, offset, points))
        return 0;
    DropRedoTail(layout);
    return PlaceFloating(layout, port, allowOverlap, record, std::move(points));
}

int AppendFloatingPoints(CLayoutData& layout, bool gridMode, int port, bool allowOverlap, bool record,
    const CLPoint& offset, int sourceWidth, int sourceHeight)
{
    std::vector<CLPoint> points = FloatingGroup(layout);
    if (points.empty() || !MoveFloatingPoints(layout, gridMode, offset, sourceWidth, sourceHeight, points))
        return 0;
    DropRedoTail(layout);
    return PlaceFloating(layout, port, allowOverlap, record, std::move(points));
}

namespace {

// Moves p's cell by offset; false, leaving p as it was, when the cell would
// leave the layout's grid.
bool ShiftCellInGrid(const CLayoutData& layout, const CLPoint& offset, CLPoint& p)
{
    const long long x = static_cast<long long>(p.x) + offset.x;
    const long long y = static_cast<long long>(p.y) + offset.y;
    if (x < 0 || y < 0 || x >= layout.m_width || y >= layout.m_height)
        return false;
    p.x = static_cast<int>(x);
    p.y = static_cast<int>(y);
    return true;
}

} // namespace

bool MoveTemplatePoints(const CLayoutData& layout, const CLPoint& offset, std::vector<CLPoint>& points)
{
    for (CLPoint& p : points) {
        if (!ShiftCellInGrid(layout, offset, p))
            return false;
        p.m_normX += offset.m_normX;
        p.m_normY += offset.m_normY;
    }
    return true;
}

bool MoveFloatingPoints(const CLayoutData& layout, bool gridMode, const CLPoint& offset, int sourceWidth,
    int sourceHeight, std::vector<CLPoint>& points)
{
    const double width = std::max(layout.m_width, 1);
    const double height = std::max(layout.m_height, 1);
    for (CLPoint& p : points) {
        if (gridMode) {
            if (!ShiftCellInGrid(layout, offset, p))
                return false;
            p.m_normX = (p.x + 0.5) / width;
            p.m_normY = (p.y + 0.5) / height;
        } else {
            p.m_normX = (sourceWidth / width) * p.m_normX + offset.m_normX;
            p.m_normY = (sourceHeight / height) * p.m_normY + offset.m_normY;
            p.x = TruncToInt(width * p.m_normX);
            p.y = TruncToInt(height * p.m_normY);
            if (!p.IsOnGrid(layout.m_width, layout.m_height))
                return false;
        }
    }
    return true;
}
