// Wiring order of a lamp grid (see WiringOrder.h).
#include "WiringOrder.h"

CPoint WiringCellAt(int style, int z, int flip, long long rows, long long columns, long long k)
{
    if (style < 1 || style > 4)
        style = 1;
    // Lines are rows (styles 1, 2) or columns (3, 4), each `along` lamps long.
    const bool byRows = style <= 2;
    const long long lines = byRows ? rows : columns;
    const long long along = byRows ? columns : rows;
    if (along <= 0 || lines <= 0)
        return CPoint(0, 0);
    const long long line = k / along;
    const long long step = k % along;
    // The first line starts at the low end (left, or top for columns) when
    // it runs forwards: rows run rightwards unless flipped, columns upwards
    // unless flipped.
    const bool firstForward = byRows ? flip == 0 : flip != 0;
    const bool linesReversed = style == 2 || style == 4;
    const long long lineCell = linesReversed ? lines - 1 - line : line;
    const bool forward = (z != 0 || line % 2 == 0) ? firstForward : !firstForward;
    const long long alongCell = forward ? step : along - 1 - step;
    const long long column = byRows ? alongCell : lineCell;
    const long long row = byRows ? lineCell : alongCell;
    return CPoint(static_cast<int>(column), static_cast<int>(row));
}
