// Generated lamp grids for the floating buffer.
#include "ArrangePointGrid.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "LayoutData.h"

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

    // Lines are rows (styles 1, 2) or columns (3, 4), each `along` lamps long.
    const bool byRows = style <= 2;
    const long long lines = byRows ? rows : columns;
    const long long along = byRows ? columns : rows;
    // The first line starts at the low end (left, or top for columns) when
    // it runs forwards: rows run rightwards unless flipped, columns upwards
    // unless flipped.
    const bool firstForward = byRows ? flip == 0 : flip != 0;
    const bool linesReversed = style == 2 || style == 4;

    std::vector<CLPoint> points;
    points.reserve(static_cast<size_t>(count));
    for (long long line = 0; line < lines && static_cast<int>(points.size()) < count; ++line) {
        const long long lineCell = linesReversed ? lines - 1 - line : line;
        const bool forward = (z != 0 || line % 2 == 0) ? firstForward : !firstForward;
        for (long long k = 0; k < along && static_cast<int>(points.size()) < count; ++k) {
            const long long alongCell = forward ? k : along - 1 - k;
            const long long column = byRows ? alongCell : lineCell;
            const long long row = byRows ? lineCell : alongCell;
            CLPoint p(static_cast<int>(column * dx), static_cast<int>(row * dy));
            p.m_normX = static_cast<double>(p.x) / layout.m_width;
            p.m_normY = static_cast<double>(p.y) / layout.m_height;
            points.push_back(p);
        }
    }
    layout.SetFloatingPoints(std::move(points), count);
    return TRUE;
}
