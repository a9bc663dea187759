// Spreading of marks and the generated lamp grids of the floating buffer,
// and the view's project settings record.
#include <gtest/gtest.h>

#include <algorithm>

#include "ArrangePointGrid.h"
#include "LayoutProjectSettings.h"
#include "ModelTestUtil.h"
#include "SpreadMarks.h"

namespace {

std::vector<int> Cleared(int n, int k)
{
    // One guard byte on each side of the run.
    std::vector<BYTE> marks(static_cast<size_t>(std::max(n, 0)) + 2, 1);
    SpreadMarks(marks.data() + 1, n, k);
    EXPECT_EQ(1, marks.front()) << "wrote before the run";
    EXPECT_EQ(1, marks.back()) << "wrote after the run";
    std::vector<int> cleared;
    for (int i = 0; i < std::max(n, 0); ++i)
        if (marks[static_cast<size_t>(i) + 1] == 0)
            cleared.push_back(i);
    return cleared;
}

std::vector<std::pair<int, int>> Floating(const CLayoutData& layout)
{
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < layout.GetFloatingCount(); ++i)
        cells.emplace_back(layout.GetFloatingPoints()[i].x, layout.GetFloatingPoints()[i].y);
    return cells;
}

} // namespace

TEST(SpreadMarks, Table)
{
    struct Case {
        int n;
        int k;
        std::vector<int> cleared;
    };
    const Case cases[] = {
        { 10, 1, { 4 } },
        { 10, 2, { 2, 7 } },
        { 10, 3, { 1, 5, 8 } },
        { 10, 5, { 0, 2, 4, 6, 8 } },
        { 10, 10, { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 } },
        { 10, 0, {} },
        { 10, -3, {} },
        { 10, 11, {} },
        { 1, 1, { 0 } },
        { 9, 1, { 4 } },
        { 3, 3, { 0, 1, 2 } },
        { 6, 5, { 0, 1, 2, 3, 4 } },
        { 0, 0, {} },
        { -4, 1, {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cleared, Cleared(c.n, c.k)) << "n=" << c.n << " k=" << c.k;
    SpreadMarks(nullptr, 4, 2); // no run, no harm
}

TEST(SpreadMarks, AlwaysInsideTheRunAndNeverMoreThanK)
{
    for (int n = 1; n <= 64; ++n)
        for (int k = 1; k <= n; ++k)
            EXPECT_LE(static_cast<int>(Cleared(n, k).size()), k) << n << " " << k;
}

TEST(ArrangePointGrid, WiringStyles)
{
    struct Case {
        const char* name;
        int rows;
        int columns;
        int style;
        int z;
        int flip;
        int columnGap;
        int rowGap;
        std::vector<std::pair<int, int>> cells;
    };
    const Case cases[] = {
        { "style 1 Z", 2, 3, 1, 1, 0, 0, 0, { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 0, 1 }, { 1, 1 }, { 2, 1 } } },
        { "style 1 serpentine", 2, 3, 1, 0, 0, 0, 0, { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 2, 1 }, { 1, 1 }, { 0, 1 } } },
        { "style 1 flip", 2, 3, 1, 0, 1, 0, 0, { { 2, 0 }, { 1, 0 }, { 0, 0 }, { 0, 1 }, { 1, 1 }, { 2, 1 } } },
        { "style 2 Z", 2, 2, 2, 1, 0, 0, 0, { { 0, 1 }, { 1, 1 }, { 0, 0 }, { 1, 0 } } },
        { "style 2 flip serpentine", 2, 2, 2, 0, 1, 0, 0, { { 1, 1 }, { 0, 1 }, { 0, 0 }, { 1, 0 } } },
        { "style 3 serpentine gap", 2, 2, 3, 0, 0, 1, 0, { { 0, 1 }, { 0, 0 }, { 2, 0 }, { 2, 1 } } },
        { "style 3 flip Z", 2, 2, 3, 1, 1, 0, 0, { { 0, 0 }, { 0, 1 }, { 1, 0 }, { 1, 1 } } },
        { "style 4 flip Z", 2, 2, 4, 1, 1, 0, 0, { { 1, 0 }, { 1, 1 }, { 0, 0 }, { 0, 1 } } },
        { "style 4 serpentine", 2, 2, 4, 0, 0, 0, 0, { { 1, 1 }, { 1, 0 }, { 0, 0 }, { 0, 1 } } },
        { "row gap", 2, 2, 1, 1, 0, 0, 2, { { 0, 0 }, { 1, 0 }, { 0, 3 }, { 1, 3 } } },
    };
    for (const Case& c : cases) {
        CLayoutData layout;
        ASSERT_TRUE(ArrangePointGrid(layout, c.rows, 0, c.style, c.z, c.flip, c.columns, c.columnGap, c.rowGap))
            << c.name;
        EXPECT_EQ(c.cells, Floating(layout)) << c.name;
        EXPECT_EQ(1, layout.GetFloatingPortCount());
        EXPECT_EQ(static_cast<WORD>(c.cells.size()), layout.GetFloatingGroupSizes().at(0));
    }
}

TEST(ArrangePointGrid, NormalisedPositionsAndCapacity)
{
    CLayoutData layout;
    layout.m_width = 200;
    layout.m_height = 100;
    layout.GetPort(1).Allocate(64);
    ASSERT_TRUE(ArrangePointGrid(layout, 10, 1, 1, 1, 0, 10, 0, 0));
    ASSERT_EQ(64, layout.GetFloatingCount());
    EXPECT_EQ(64, layout.GetFloatingGroupSizes()[0]);
    const CLPoint& last = layout.GetFloatingPoints()[63]; // the first 64 in wiring order
    EXPECT_EQ(3, last.x);
    EXPECT_EQ(6, last.y);
    EXPECT_DOUBLE_EQ(3.0 / 200, last.m_normX);
    EXPECT_DOUBLE_EQ(6.0 / 100, last.m_normY);
    EXPECT_EQ(0, last.m_lampFormat);
}

TEST(ArrangePointGrid, AbsurdSizesAreRefusedOrCut)
{
    CLayoutData layout; // ports of capacity 256
    // A huge grid generates only what the port keeps.
    ASSERT_TRUE(ArrangePointGrid(layout, 2000000000, 0, 2, 0, 0, 2000000000, 0, 0));
    EXPECT_EQ(256, layout.GetFloatingCount());
    EXPECT_EQ(1999999999, layout.GetFloatingPoints()[0].y);

    layout.SetFloatingPoints({ Pt(9, 9) }, 1);
    struct Case {
        const char* name;
        int rows;
        int port;
        int style;
        int columns;
        int columnGap;
        int rowGap;
    };
    const Case cases[] = {
        { "no rows", 0, 0, 1, 5, 0, 0 },
        { "no columns", 5, 0, 1, -1, 0, 0 },
        { "unknown port", 2, 8, 1, 2, 0, 0 },
        { "negative port", 2, -1, 1, 2, 0, 0 },
        { "unknown style", 2, 0, 5, 2, 0, 0 },
        { "style 0", 2, 0, 0, 2, 0, 0 },
        { "negative gap", 2, 0, 1, 2, -1, 0 },
        { "cells past the coordinates", 2, 0, 1, 3, 2000000000, 0 },
        { "rows past the coordinates", 3, 0, 1, 3, 0, 2000000000 },
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(ArrangePointGrid(layout, c.rows, c.port, c.style, 0, 0, c.columns, c.columnGap, c.rowGap))
            << c.name;
        ASSERT_EQ(1, layout.GetFloatingCount()) << c.name; // previous buffer kept
        EXPECT_EQ(9, layout.GetFloatingPoints()[0].x) << c.name;
    }
}

TEST(LayoutProjectSettings, DefaultsAndHelpers)
{
    CLayoutProjectSettings settings;
    EXPECT_EQ(0, settings.m_controllers.GetSize());
    EXPECT_EQ(CString(L"RGB"), settings.m_lampFormat);
    EXPECT_EQ(8, settings.m_portsPerController);
    EXPECT_EQ(2048, settings.m_channelsPerPort);
    EXPECT_EQ(682, settings.m_lampsPerPort);
    EXPECT_EQ(1, settings.m_showGrid);
    EXPECT_EQ(0, settings.m_allowOverlap);
    EXPECT_EQ(1, settings.m_allowMaxLamps);
    EXPECT_EQ(0, settings.m_loaded);

    settings.SetControllers(3, 16);
    EXPECT_EQ(3, settings.m_controllerCount);
    EXPECT_EQ(16, settings.m_controllers.GetAt(2));
    for (int i = 0; i < kMaxRulers; ++i)
        ASSERT_TRUE(CLayoutProjectSettings::AddRuler(settings.m_hRulers, static_cast<WORD>(i)));
    EXPECT_FALSE(CLayoutProjectSettings::AddRuler(settings.m_hRulers, 99));
    EXPECT_EQ(kMaxRulers, settings.m_hRulers.GetSize());
}
