// Per-cell values over a rectangle, and the marking of cells in use.
#include "LayoutCellMap.h"

#include <algorithm>
#include <climits>

#include "LayoutData.h"

namespace {

// Rectangles up to this many cells use a dense array.
constexpr long long kDenseCellLimit = 1LL << 22;

std::uint64_t Key(int x, int y)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(y)) << 32) | static_cast<std::uint32_t>(x);
}

} // namespace

CCellMap::CCellMap(const CRect& rect)
    : m_rect(rect)
{
    if (m_rect.left >= m_rect.right || m_rect.top >= m_rect.bottom) {
        m_rect.SetRect(0, 0, 0, 0);
        return;
    }
    m_width = static_cast<long long>(m_rect.right) - m_rect.left;
    const long long area = m_width * (static_cast<long long>(m_rect.bottom) - m_rect.top);
    if (area <= kDenseCellLimit) {
        m_dense = true;
        m_cells.assign(static_cast<size_t>(area), 0);
    }
}

int CCellMap::Get(int x, int y) const
{
    if (!Inside(x, y))
        return 0;
    if (m_dense)
        return m_cells[static_cast<size_t>((static_cast<long long>(y) - m_rect.top) * m_width + (x - m_rect.left))];
    auto it = m_sparse.find(Key(x, y));
    return it == m_sparse.end() ? 0 : it->second;
}

void CCellMap::Set(int x, int y, int value)
{
    if (!Inside(x, y))
        return;
    if (m_dense)
        m_cells[static_cast<size_t>((static_cast<long long>(y) - m_rect.top) * m_width + (x - m_rect.left))] = value;
    else
        m_sparse[Key(x, y)] = value;
}

int MarkUsedCells(const CLayoutData& layout, CCellMap& map)
{
    int marked = 0;
    std::vector<int> indexes;
    for (int i = 0; i < layout.GetUsedCount(); ++i) {
        const int p = layout.GetUsedPort(i);
        if (!layout.IsValidPort(p))
            continue;
        const LayoutPort& port = layout.GetPort(p);
        indexes.clear();
        port.CollectIndexesInRect(map.GetRect(), indexes);
        for (int index : indexes) {
            const CLPoint& point = port.GetPoint(index);
            if (map.Get(point.x, point.y) == 0) {
                map.Set(point.x, point.y, 1);
                ++marked;
            }
        }
    }
    return marked;
}

CRect CellBounds(const std::vector<CLPoint>& points)
{
    if (points.empty())
        return CRect(0, 0, 0, 0);
    LONG left = points[0].x, top = points[0].y, right = points[0].x, bottom = points[0].y;
    for (const CLPoint& p : points) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    // Exclusive right and bottom; a cell at LONG_MAX cannot be covered.
    return CRect(left, top, right == LONG_MAX ? right : right + 1, bottom == LONG_MAX ? bottom : bottom + 1);
}
