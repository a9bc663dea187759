// Per-cell values over a rectangle of the grid, filled from the ports' cell
// look-ups once per edit, so that the edits that test many cells (rectangle
// wiring, placing the floating buffer, deleting a rectangle) do not walk
// every port for every cell.
#pragma once

#include <afx.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "LPoint.h"

class CLayoutData;

class CCellMap {
public:
    // Cells of [left, right) x [top, bottom); an empty rectangle holds none.
    explicit CCellMap(const CRect& rect);

    bool Inside(int x, int y) const
    {
        return x >= m_rect.left && x < m_rect.right && y >= m_rect.top && y < m_rect.bottom;
    }
    // 0 for cells never set and cells outside.
    int Get(int x, int y) const;
    // Ignored outside the rectangle.
    void Set(int x, int y, int value);
    const CRect& GetRect() const { return m_rect; }

private:
    CRect m_rect;
    bool m_dense = false;
    long long m_width = 0;
    std::vector<int> m_cells; // dense storage, row by row
    std::unordered_map<std::uint64_t, int> m_sparse; // beyond the dense limit
};

// Sets to 1 every cell of the map's rectangle that a port of the used list
// holds. Returns the number of cells set.
int MarkUsedCells(const CLayoutData& layout, CCellMap& map);

// The smallest rectangle holding every given cell (empty for none).
CRect CellBounds(const std::vector<CLPoint>& points);
