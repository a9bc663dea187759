// A layout view without a window over a model of its own, driven by the
// view's real mouse and key handlers with client points worked out from
// cells: a 20 x 16 layout in a 200 x 160 client area, 10 pixels a cell, so
// cell (x, y) has its centre at client (10x + 5, 10y + 5).
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "EditorSettings.h"
#include "LayoutSelection.h"
#include "PannexView.h"

namespace edittest {

struct EditFixture : ::testing::Test {
    CLayoutData model;
    CPannexView view;

    EditFixture() { Setup(20, 16, 4, 64); }
    ~EditFixture() override
    {
        view.AttachModel(nullptr);
        ResetEditorSettings();
    }

    // A fresh model of width x height cells with ports of capacity.
    void Setup(int width, int height, int ports, int capacity)
    {
        ResetEditorSettings();
        AlignToGrid = 1;
        view.AttachModel(&model);
        model.m_width = width;
        model.m_height = height;
        view.m_clientWidth = width * 10;
        view.m_clientHeight = height * 10;
        view.ResizeLayout(width, height);
        model.ResetPorts(ports, capacity, L"RGB", 0);
        view.m_settings.SetControllers(1, ports);
        view.m_settings.m_portsPerController = ports;
        view.m_settings.m_lampsPerPort = capacity;
        model.m_modified = 0;
    }

    static CPoint At(int x, int y) { return CPoint(10 * x + 5, 10 * y + 5); }

    void Move(int x, int y) { view.OnMouseMove(0, At(x, y)); }
    void Press(int x, int y)
    {
        Move(x, y);
        view.OnLButtonDown(MK_LBUTTON, At(x, y));
    }
    void Release(int x, int y) { view.OnLButtonUp(0, At(x, y)); }
    void Click(int x, int y)
    {
        Press(x, y);
        Release(x, y);
    }
    // Press on one cell, move through the other and release there.
    void Drag(int x0, int y0, int x1, int y1)
    {
        Press(x0, y0);
        view.OnMouseMove(MK_LBUTTON, At(x1, y1));
        Release(x1, y1);
    }
    void KeyDown(UINT key) { view.OnKeyDown(key, 1, 0); }
    void KeyUp(UINT key) { view.OnKeyUp(key, 1, 0); }

    // Puts lamps into a port directly (no undo step), centred on their cells.
    void Put(int port, std::initializer_list<CPoint> cells)
    {
        for (const CPoint& c : cells) {
            CLPoint p(c.x, c.y);
            p.m_normX = (c.x + 0.5) / model.m_width;
            p.m_normY = (c.y + 0.5) / model.m_height;
            model.GetPort(port).InsertPoints(&p, 1);
        }
        model.GetPort(port).UpdateBounds();
        model.RebuildUsedPorts();
        model.m_modified = 0;
    }

    std::vector<CPoint> Cells(int port) const
    {
        std::vector<CPoint> cells;
        const LayoutPort& p = model.GetPort(port);
        for (int i = 0; i < p.GetCount(); ++i)
            cells.emplace_back(p.GetPoint(i).x, p.GetPoint(i).y);
        return cells;
    }
    std::vector<int> Selected(int port) const { return SelectedIndexesOf(model, port); }
};

} // namespace edittest
