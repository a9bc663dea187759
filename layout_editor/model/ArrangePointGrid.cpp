// Generated lamp grids for the floating buffer.
#include "ArrangePointGrid.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "LayoutData.h"
#include "WiringOrder.h"

BOOL ArrangePointGrid(
    CLayoutData& layout, int rows, int port, int style, int z, int flip, int columns, int columnGap, int rowGap)
{
    if (rows <= 0 || columns <= 0 || columnGap < 0 || rowGap < 0 || style < 1 || style > 4)
        return FALSE;
    if (!layout.IsValidPort(port) || layout.m_width <= 0 || layout.m_height <= 0)
        return FALSE;
    const long long dx = static_cast<long long>(columnGap) + 1;
    const long long dy = static_cast<long long>(rowGap) + 1;
    if ((columns - 1) * dx > INT_MAX || (rows - 1) * dy > INT_MAX)
        return FALSE;

    // Only the lamps the port can take are generated.
    const long long total = static_cast<long long>(rows) * columns;
    const int count = static_cast<int>(std::min<long long>(total, layout.GetPort(port).GetCapacity()));

    std::vector<CLPoint> points;
    points.reserve(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k) {
        const CPoint cell = WiringCellAt(style, z, flip, rows, columns, k);
        CLPoint p(static_cast<int>(cell.x * dx), static_cast<int>(cell.y * dy));
        p.m_normX = static_cast<double>(p.x) / layout.m_width;
        p.m_normY = static_cast<double>(p.y) / layout.m_height;
        points.push_back(p);
    }
    layout.SetFloatingPoints(std::move(points), count);
    return TRUE;
}
