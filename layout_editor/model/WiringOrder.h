// The order in which the four wiring styles run through a grid of lamps:
// rows top to bottom (1) or bottom to top (2), columns left to right (3) or
// right to left (4). The first line runs rightwards (rows) or upwards
// (columns); flip turns it round. With z every line runs like the first;
// otherwise the direction alternates (serpentine).
#pragma once

#include <afx.h>

// The (column, row) of the k-th lamp (0-based) of a rows x columns grid,
// row 0 at the top. Styles outside 1 to 4 are taken as 1.
CPoint WiringCellAt(int style, int z, int flip, long long rows, long long columns, long long k);
