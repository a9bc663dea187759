// Small helpers shared by the layout edit tests.
#pragma once

#include <utility>
#include <vector>

#include "EditorSettings.h"
#include "LayoutData.h"

using CellList = std::vector<std::pair<int, int>>;

// A lamp centred on its cell of a layout of the given size.
inline CLPoint Lamp(int x, int y, int width = 32, int height = 16)
{
    CLPoint p(x, y);
    p.m_normX = (x + 0.5) / width;
    p.m_normY = (y + 0.5) / height;
    return p;
}

// Every cell of [left, right) x [top, bottom), row by row.
inline CellList Block(int left, int top, int right, int bottom)
{
    CellList cells;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            cells.emplace_back(x, y);
    return cells;
}

inline CellList Cells(const LayoutPort& port)
{
    CellList cells;
    for (int i = 0; i < port.GetCount(); ++i)
        cells.emplace_back(port.GetPoint(i).x, port.GetPoint(i).y);
    return cells;
}

inline CellList Cells(const std::vector<CLPoint>& points)
{
    CellList cells;
    for (const CLPoint& p : points)
        cells.emplace_back(p.x, p.y);
    return cells;
}

// Every field of every point, for exact before/after comparisons.
inline bool SamePoints(const LayoutPort& port, const std::vector<CLPoint>& points)
{
    if (port.GetCount() != static_cast<int>(points.size()))
        return false;
    for (int i = 0; i < port.GetCount(); ++i) {
        const CLPoint& a = port.GetPoint(i);
        const CLPoint& b = points[static_cast<size_t>(i)];
        if (a.x != b.x || a.y != b.y || a.m_normX != b.m_normX || a.m_normY != b.m_normY
            || a.m_placeMark != b.m_placeMark || a.m_lampFormat != b.m_lampFormat || a.m_masked != b.m_masked
            || a.m_layer != b.m_layer)
            return false;
    }
    return true;
}

inline std::vector<CLPoint> Snapshot(const LayoutPort& port)
{
    return std::vector<CLPoint>(port.GetPoints(), port.GetPoints() + port.GetCount());
}

// Puts lamps straight into a port (no history) and lists it as used.
inline void Put(CLayoutData& layout, int port, const CellList& cells)
{
    for (auto [x, y] : cells) {
        CLPoint p = Lamp(x, y, layout.m_width, layout.m_height);
        layout.GetPort(port).InsertPoints(&p, 1);
    }
    layout.MarkPortUsed(port);
}

// A model of `ports` ports on a 32 x 16 grid, with the editor-wide size
// settings in step with it.
class EditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorSettings();
        m_layout.ResetPorts(8, 256, CString(L"RGB"), 0);
        m_layout.m_width = LayoutWidth = 32;
        m_layout.m_height = LayoutHeight = 16;
    }
    void TearDown() override { ResetEditorSettings(); }

    CLayoutData m_layout;
};
