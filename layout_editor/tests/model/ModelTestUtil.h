// Small helpers shared by the layout model tests.
#pragma once

#include <vector>

#include "LayoutData.h"
#include "LayoutPort.h"

inline CLPoint Pt(int x, int y)
{
    return CLPoint(x, y);
}

// The cells of a port's points, in chain order.
inline std::vector<std::pair<int, int>> Cells(const LayoutPort& port)
{
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < port.GetCount(); ++i)
        cells.emplace_back(port.GetPoint(i).x, port.GetPoint(i).y);
    return cells;
}

inline std::vector<std::pair<int, int>> Cells(const std::vector<CLPoint>& points)
{
    std::vector<std::pair<int, int>> cells;
    for (const CLPoint& p : points)
        cells.emplace_back(p.x, p.y);
    return cells;
}

// A port of the given capacity holding the given cells.
inline LayoutPort MakePort(int capacity, const std::vector<CLPoint>& points)
{
    LayoutPort port;
    port.Allocate(capacity);
    port.InsertPoints(points.data(), static_cast<int>(points.size()));
    return port;
}

inline std::vector<int> UsedList(const CLayoutData& layout)
{
    std::vector<int> used;
    for (int i = 0; i < layout.GetUsedCount(); ++i)
        used.push_back(layout.GetUsedPort(i));
    return used;
}

// Fills port p of the model with one point per cell (through the loaded-port
// sink would renumber; this appends directly and lists the port as used).
inline void Fill(CLayoutData& layout, int p, const std::vector<CLPoint>& points)
{
    layout.GetPort(p).InsertPoints(points.data(), static_cast<int>(points.size()));
    layout.MarkPortUsed(p);
}
