// Generates a regular grid of lamps for one port in one of the four wiring
// styles and stores it as the layout model's floating buffer, from which the
// view places it into the port.
#pragma once

#include <afx.h>

class CLayoutData;

// Wiring styles: 1 rows top to bottom, 2 rows bottom to top, 3 columns left
// to right, 4 columns right to left. The first line starts at the left (rows)
// or at the bottom (columns); flip reverses it. With z every line runs like
// the first, else the direction alternates (serpentine). Gaps are the empty
// cells between neighbouring lamps of a row (column gap) and between rows.
//
// Keeps at most the target port's capacity of lamps, in wiring order.
// Returns FALSE and leaves the buffer alone for no rows or columns, an
// unknown port or style, negative gaps, a layout without size, or a grid
// whose cells would not fit the grid coordinates.
BOOL ArrangePointGrid(
    CLayoutData& layout, int rows, int port, int style, int z, int flip, int columns, int columnGap, int rowGap);
