// One lamp of the layout editor: a grid cell, a normalised position and the
// lamp's own flags. Two lamps are at the same position when their cells are
// equal; the other fields take no part in comparisons.
#pragma once

#include <afx.h>

#include "LayoutLimits.h"

class CLPoint : public CPoint {
public:
    CLPoint() { x = y = 0; }
    CLPoint(int cellX, int cellY)
    {
        x = cellX;
        y = cellY;
    }
    CLPoint(const CLPoint& other) = default;
    CLPoint& operator=(const CLPoint& other) = default;
    virtual ~CLPoint() = default;

    // Assigns every field. The flags are packed: lamp format override in the
    // low byte, masked flag in the next, layer in the next.
    void Set(int cellX, int cellY, double normX, double normY, BYTE spare, int placeMark, int flags);

    // Same lamp position: the cells are equal.
    bool SameCell(const CLPoint& other) const { return x == other.x && y == other.y; }
    bool IsAt(int cellX, int cellY) const { return x == cellX && y == cellY; }
    // The cell lies on a grid of width x height cells.
    bool IsOnGrid(int width, int height) const { return x >= 0 && y >= 0 && x < width && y < height; }

    double m_normX = kUnsetNormalised; // fraction of the layout width
    double m_normY = kUnsetNormalised; // fraction of the layout height
    BYTE m_spare = 0; // carried along, stored nowhere
    int m_placeMark = 0; // 1 on lamps placed evenly by the counted line tool
    BYTE m_lampFormat = 0; // 0: the port's lamp format; n: entry n - 1 of the lamp format list
    BYTE m_masked = 0; // 1 on a hidden lamp
    BYTE m_layer = 0;
};
