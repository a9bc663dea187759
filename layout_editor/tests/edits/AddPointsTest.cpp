// The edits that wire lamps into a port: each recorded add is one undo step
// that Undo and Redo take back and re-apply exactly.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "EditTestUtil.h"
#include "LayoutAddPoints.h"
#include "LayoutEditCommands.h"

namespace {

CellList Row(int y, int from, int to)
{
    CellList cells;
    for (int x = from; x < to; ++x)
        cells.emplace_back(x, y);
    return cells;
}

CellList Join(CellList a, const CellList& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// 246 lamps on rows 8.. leave a port of capacity 256 ten free places.
CellList AlmostFull()
{
    CellList cells;
    for (int i = 0; i < 246; ++i)
        cells.emplace_back(i % 32, 8 + i / 32);
    return cells;
}

struct AddCase {
    const char* name;
    CellList before; // port 0
    CellList inUse; // port 1
    std::function<int(CLayoutData&)> op;
    int result;
    CellList after; // port 0
};

class AddPointsTable : public EditTest, public ::testing::WithParamInterface<AddCase> { };

TEST_P(AddPointsTable, AddsOneStepThatUndoesAndRedoesExactly)
{
    const AddCase& c = GetParam();
    Put(m_layout, 0, c.before);
    if (!c.inUse.empty())
        Put(m_layout, 1, c.inUse);
    const std::vector<CLPoint> start = Snapshot(m_layout.GetPort(0));

    EXPECT_EQ(c.result, c.op(m_layout));
    EXPECT_EQ(c.after, Cells(m_layout.GetPort(0)));
    const bool changed = c.after != c.before;
    EXPECT_EQ(changed ? 1 : 0, m_layout.GetStepCount());
    if (!changed)
        return;
    EXPECT_EQ(1, m_layout.GetCommandCount());
    EXPECT_NE(nullptr, dynamic_cast<CAddCommand*>(m_layout.m_commands[0]));
    EXPECT_EQ(1, m_layout.m_modified);
    EXPECT_TRUE(m_layout.IsPortInUse(0));

    const std::vector<CLPoint> done = Snapshot(m_layout.GetPort(0));
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_TRUE(SamePoints(m_layout.GetPort(0), start));
    ASSERT_TRUE(m_layout.RedoStep());
    EXPECT_TRUE(SamePoints(m_layout.GetPort(0), done));
}

const CLPoint kNoOffset;

INSTANTIATE_TEST_SUITE_P(Cases, AddPointsTable,
    ::testing::Values(AddCase { "LineAtGridSteps", { { 2, 2 } }, {},
                          [](CLayoutData& l) { return AddLineOfPoints(l, 0, true, 0, nullptr, Lamp(5, 4)); }, 3,
                          { { 2, 2 }, { 3, 2 }, { 4, 3 }, { 5, 4 } } },
        AddCase { "LineSkipsCellInUse", { { 2, 2 } }, { { 4, 3 } },
            [](CLayoutData& l) { return AddLineOfPoints(l, 0, false, 0, nullptr, Lamp(5, 4)); }, 2,
            { { 2, 2 }, { 3, 2 }, { 5, 4 } } },
        AddCase { "LineWithOverlapTakesCellInUse", { { 2, 2 } }, { { 4, 3 } },
            [](CLayoutData& l) { return AddLineOfPoints(l, 0, true, 0, nullptr, Lamp(5, 4)); }, 3,
            { { 2, 2 }, { 3, 2 }, { 4, 3 }, { 5, 4 } } },
        AddCase { "LineUpAndLeft", { { 5, 4 } }, {},
            [](CLayoutData& l) { return AddLineOfPoints(l, 0, true, 0, nullptr, Lamp(2, 2)); }, 3,
            { { 5, 4 }, { 4, 3 }, { 3, 2 }, { 2, 2 } } },
        AddCase { "LineToItsOwnStart", { { 2, 2 } }, {},
            [](CLayoutData& l) { return AddLineOfPoints(l, 0, true, 0, nullptr, Lamp(2, 2)); }, 0, { { 2, 2 } } },
        AddCase { "LineFromEmptyPort", {}, {},
            [](CLayoutData& l) { return AddLineOfPoints(l, 0, true, 0, nullptr, Lamp(5, 4)); }, 0, {} },
        AddCase { "CountedLineKeepsThreeOfSix", { { 0, 0 } }, {},
            [](CLayoutData& l) { return AddLineOfPoints(l, 0, true, 3, nullptr, Lamp(6, 1)); }, 3,
            { { 0, 0 }, { 2, 0 }, { 4, 1 }, { 6, 1 } } },
        AddCase { "CountedLineDroppingEverything", { { 0, 0 } }, {},
            [](CLayoutData& l) { return AddLineOfPoints(l, 0, true, 6, nullptr, Lamp(6, 1)); }, 0, { { 0, 0 } } },
        AddCase { "AlongLinePastTheTarget", { { 0, 0 } }, { { 1, 0 }, { 2, 0 } },
            [](CLayoutData& l) { return AddPointsAlongLine(l, 0, false, 4, Lamp(2, 0)); }, 4,
            { { 0, 0 }, { 3, 0 }, { 4, 0 }, { 5, 0 }, { 6, 0 } } },
        AddCase { "AlongLineWithOverlap", { { 0, 0 } }, { { 1, 0 }, { 2, 0 } },
            [](CLayoutData& l) { return AddPointsAlongLine(l, 0, true, 4, Lamp(2, 0)); }, 4,
            { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0 } } },
        AddCase { "AlongLineDiagonal", { { 0, 0 } }, {},
            [](CLayoutData& l) { return AddPointsAlongLine(l, 0, true, 3, Lamp(2, 1)); }, 3,
            { { 0, 0 }, { 1, 0 }, { 2, 1 }, { 3, 1 } } },
        AddCase { "AlongLineOfZeroLength", { { 3, 3 } }, {},
            [](CLayoutData& l) { return AddPointsAlongLine(l, 0, true, 4, Lamp(3, 3)); }, 0, { { 3, 3 } } },
        AddCase { "AlongLineSkipsALongRunInUse", { { 0, 5 } }, Row(5, 1, 30),
            [](CLayoutData& l) { return AddPointsAlongLine(l, 0, false, 2, Lamp(1, 5)); }, 2,
            { { 0, 5 }, { 30, 5 }, { 31, 5 } } },
        AddCase { "RectRowsSerpentineTopLeft", {}, {},
            [](CLayoutData& l) { return AddRectangleWiring(l, 0, 1, 0, 0, true, nullptr, 0, 0, 3, 2); }, 6,
            { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 2, 1 }, { 1, 1 }, { 0, 1 } } },
        AddCase { "RectColumnsSameBottomRight", {}, {},
            [](CLayoutData& l) { return AddRectangleWiring(l, 1, 0, 3, 0, true, nullptr, 0, 0, 3, 2); }, 6,
            { { 2, 1 }, { 2, 0 }, { 1, 1 }, { 1, 0 }, { 0, 1 }, { 0, 0 } } },
        AddCase { "RectRowsSameBottomLeft", {}, {},
            [](CLayoutData& l) { return AddRectangleWiring(l, 0, 0, 1, 0, true, nullptr, 4, 4, 7, 6); }, 6,
            { { 4, 5 }, { 5, 5 }, { 6, 5 }, { 4, 4 }, { 5, 4 }, { 6, 4 } } },
        AddCase { "RectColumnsSerpentineTopRight", {}, {},
            [](CLayoutData& l) { return AddRectangleWiring(l, 1, 1, 2, 0, true, nullptr, 0, 0, 2, 3); }, 6,
            { { 1, 0 }, { 1, 1 }, { 1, 2 }, { 0, 2 }, { 0, 1 }, { 0, 0 } } },
        AddCase { "RectSkipsCellsInUse", {}, { { 1, 0 } },
            [](CLayoutData& l) { return AddRectangleWiring(l, 0, 0, 0, 0, false, nullptr, 0, 0, 3, 2); }, 5,
            { { 0, 0 }, { 2, 0 }, { 0, 1 }, { 1, 1 }, { 2, 1 } } },
        AddCase { "RectMoreCellsThanRoom", AlmostFull(), {},
            [](CLayoutData& l) { return AddRectangleWiring(l, 0, 0, 0, 0, true, nullptr, 0, 0, 10, 10); }, 10,
            Join(AlmostFull(), Row(0, 0, 10)) },
        AddCase { "RectEmpty", {}, {},
            [](CLayoutData& l) { return AddRectangleWiring(l, 0, 0, 0, 0, true, nullptr, 3, 0, 3, 2); }, 0, {} },
        AddCase { "RectUnknownPattern", {}, {},
            [](CLayoutData& l) { return AddRectangleWiring(l, 0, 2, 0, 0, true, nullptr, 0, 0, 3, 2); }, 0, {} },
        AddCase { "OnePoint", { { 1, 1 } }, {}, [](CLayoutData& l) { return AddPointToPort(l, 0, false, Lamp(2, 1)); },
            1, { { 1, 1 }, { 2, 1 } } },
        AddCase { "OnePointOnCellInUse", {}, { { 2, 1 } },
            [](CLayoutData& l) { return AddPointToPort(l, 0, false, Lamp(2, 1)); }, 0, {} },
        AddCase { "OnePointOnItsOwnCellWithOverlap", { { 2, 1 } }, {},
            [](CLayoutData& l) { return AddPointToPort(l, 0, true, Lamp(2, 1)); }, 1, { { 2, 1 }, { 2, 1 } } },
        AddCase { "InsertInTheMiddle", { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 } }, {},
            [](CLayoutData& l) { return InsertPointAt(l, 3, Lamp(9, 9), 0); }, 1,
            { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 9, 9 }, { 3, 0 } } },
        AddCase {
            "InsertIntoEmptyPort", {}, {}, [](CLayoutData& l) { return InsertPointAt(l, 0, Lamp(9, 9), 0); }, 0, {} }),
    [](const ::testing::TestParamInfo<AddCase>& info) { return std::string(info.param.name); });

TEST_F(EditTest, UndoOfAnAddOnASharedCellTakesTheAddedLampNotTheOlderOne)
{
    CLPoint older = Lamp(2, 1);
    older.m_layer = 7;
    m_layout.GetPort(0).InsertPoints(&older, 1);
    m_layout.MarkPortUsed(0);
    Put(m_layout, 0, { { 3, 1 } });
    const std::vector<CLPoint> start = Snapshot(m_layout.GetPort(0));
    ASSERT_EQ(1, AddPointToPort(m_layout, 0, true, Lamp(2, 1)));
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_TRUE(SamePoints(m_layout.GetPort(0), start));
    EXPECT_EQ(7, m_layout.GetPort(0).GetPoint(0).m_layer);
}

TEST_F(EditTest, CountedLinePlacesLampsEvenlyWithTheirMark)
{
    Put(m_layout, 0, { { 0, 0 } });
    ASSERT_EQ(3, AddLineOfPoints(m_layout, 0, true, 3, nullptr, Lamp(6, 1)));
    const LayoutPort& port = m_layout.GetPort(0);
    for (int j = 1; j <= 3; ++j) {
        const CLPoint& p = port.GetPoint(j);
        EXPECT_DOUBLE_EQ(0.5 / 32 + j * (6.0 / 32) / 3, p.m_normX);
        EXPECT_DOUBLE_EQ(0.5 / 16 + j * (1.0 / 16) / 3, p.m_normY);
        EXPECT_EQ(1, p.m_placeMark);
    }
}

TEST_F(EditTest, PreviewsFillTheBufferAndLeaveThePointsAlone)
{
    Put(m_layout, 0, { { 2, 2 } });
    std::vector<CLPoint> preview;
    EXPECT_EQ(3, AddLineOfPoints(m_layout, 0, true, 0, &preview, Lamp(5, 4)));
    EXPECT_EQ((CellList { { 3, 2 }, { 4, 3 }, { 5, 4 } }), Cells(preview));
    EXPECT_EQ(6, AddRectangleWiring(m_layout, 0, 1, 0, 0, true, &preview, 0, 0, 3, 2));
    EXPECT_EQ((CellList { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 2, 1 }, { 1, 1 }, { 0, 1 } }), Cells(preview));
    EXPECT_DOUBLE_EQ(2.5 / 32, preview[2].m_normX);
    EXPECT_EQ((CellList { { 2, 2 } }), Cells(m_layout.GetPort(0)));
    EXPECT_EQ(0, m_layout.GetStepCount());
}

TEST_F(EditTest, StrokeIsOneStepClosedByItsEnd)
{
    ASSERT_EQ(1, BeginPointStroke(m_layout, 2, false, Lamp(0, 0)));
    for (int x = 1; x < 5; ++x)
        EXPECT_EQ(1, ContinuePointStroke(m_layout, false, Lamp(x, 0), 2));
    EXPECT_EQ(0, m_layout.GetStepCount());
    EXPECT_TRUE(EndPointStroke(m_layout, Lamp(4, 0), 2));
    EXPECT_EQ(-1, m_layout.m_strokeStart);
    EXPECT_EQ(1, m_layout.GetStepCount());
    EXPECT_EQ(5, m_layout.GetPort(2).GetCount());
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_EQ(0, m_layout.GetPort(2).GetCount());
    ASSERT_TRUE(m_layout.RedoStep());
    EXPECT_EQ(Row(0, 0, 5), Cells(m_layout.GetPort(2)));
}

TEST_F(EditTest, StrokeRefusals)
{
    Put(m_layout, 1, { { 3, 3 } });
    EXPECT_EQ(-2, BeginPointStroke(m_layout, 0, false, Lamp(3, 3)));
    EXPECT_FALSE(EndPointStroke(m_layout, Lamp(3, 3), 0));
    EXPECT_EQ(-1, BeginPointStroke(m_layout, 8, false, Lamp(0, 0)));
    EXPECT_EQ(-1, ContinuePointStroke(m_layout, false, Lamp(0, 0), 0));
    ASSERT_EQ(1, BeginPointStroke(m_layout, 0, false, Lamp(0, 0)));
    EXPECT_EQ(-2, ContinuePointStroke(m_layout, false, Lamp(3, 3), 0));
    EXPECT_EQ(1, ContinuePointStroke(m_layout, true, Lamp(3, 3), 0));
    EXPECT_TRUE(EndPointStroke(m_layout, Lamp(3, 3), 0));
    EXPECT_EQ(1, m_layout.GetStepCount());
}

TEST_F(EditTest, AddToAFullPortIsRefused)
{
    m_layout.ResetPorts(2, 3, CString(L"RGB"), 0);
    Put(m_layout, 0, { { 0, 0 }, { 1, 0 }, { 2, 0 } });
    EXPECT_EQ(0, AddPointToPort(m_layout, 0, true, Lamp(5, 5)));
    EXPECT_EQ(0, AddPointsAlongLine(m_layout, 0, true, 3, Lamp(9, 0)));
    EXPECT_EQ(0, AddRectangleWiring(m_layout, 0, 0, 0, 0, true, nullptr, 5, 5, 8, 8));
    EXPECT_EQ(0, AddLineOfPoints(m_layout, 0, true, 0, nullptr, Lamp(9, 0)));
    EXPECT_EQ(0, BeginPointStroke(m_layout, 0, true, Lamp(5, 5)));
    EXPECT_EQ(0, m_layout.GetStepCount());
    EXPECT_EQ(3, m_layout.GetPort(0).GetCount());
}

TEST_F(EditTest, FloatingPointsThatWouldLandOffTheGridPlaceNothing)
{
    struct Case {
        const char* name;
        bool grid; // AppendFloatingPoints in grid mode, else PlaceTemplatePort
        CPoint offset;
        int placed;
    };
    // Lamps at (0, 0) and (3, 1) on the 32 x 16 grid.
    const Case cases[] = {
        { "against the bottom-right corner", false, { 28, 14 }, 2 },
        { "one column too far right", false, { 29, 0 }, 0 },
        { "one row too far down", false, { 0, 15 }, 0 },
        { "left of the grid", false, { -1, 0 }, 0 },
        { "at the largest offset", false, { INT_MAX, INT_MAX }, 0 },
        { "at the most negative offset", false, { INT_MIN, INT_MIN }, 0 },
        { "grid mode, against the corner", true, { 28, 14 }, 2 },
        { "grid mode, at the largest offset", true, { INT_MAX, 0 }, 0 },
        { "grid mode, above the grid", true, { 0, -1 }, 0 },
    };
    for (const Case& c : cases) {
        CLayoutData layout;
        layout.m_width = 32;
        layout.m_height = 16;
        layout.SetFloatingPoints({ Lamp(0, 0), Lamp(3, 1) }, 2);
        Put(layout, 1, { { 6, 5 } });
        CLPoint offset(c.offset.x, c.offset.y);
        offset.m_normX = 0;
        offset.m_normY = 0;
        const int placed = c.grid ? AppendFloatingPoints(layout, true, 0, true, true, offset, 0, 0)
                                  : PlaceTemplatePort(layout, 0, true, true, offset);
        EXPECT_EQ(placed, c.placed) << c.name;
        EXPECT_EQ(layout.GetPort(0).GetCount(), c.placed) << c.name;
        EXPECT_EQ(layout.GetStepCount(), c.placed > 0 ? 1 : 0) << c.name;
    }
    // Free mode: a normalised position past the right edge.
    CLayoutData layout;
    layout.m_width = 32;
    layout.m_height = 16;
    std::vector<CLPoint> fractions(1);
    fractions[0].m_normX = 0.5;
    fractions[0].m_normY = 0.5;
    layout.SetFloatingPoints(fractions, 1);
    CLPoint shift;
    shift.m_normX = 1e12;
    shift.m_normY = 0;
    EXPECT_EQ(0, AppendFloatingPoints(layout, false, 0, true, true, shift, 32, 16));
    shift.m_normX = 0.25;
    EXPECT_EQ(1, AppendFloatingPoints(layout, false, 0, true, true, shift, 32, 16));
    EXPECT_EQ((CellList { { 24, 8 } }), Cells(layout.GetPort(0)));
}

TEST_F(EditTest, FloatingBufferPlacedWithOffsets)
{
    std::vector<CLPoint> floating { Lamp(0, 0), Lamp(1, 0), Lamp(2, 0), Lamp(9, 9) };
    m_layout.SetFloatingPoints(floating, 3); // the fourth is not placed
    Put(m_layout, 1, { { 6, 5 } });
    CLPoint offset(5, 5);
    offset.m_normX = 5.0 / 32;
    offset.m_normY = 5.0 / 16;
    EXPECT_EQ(2, PlaceTemplatePort(m_layout, 0, false, true, offset));
    EXPECT_EQ((CellList { { 5, 5 }, { 7, 5 } }), Cells(m_layout.GetPort(0)));
    EXPECT_DOUBLE_EQ(7.5 / 32, m_layout.GetPort(0).GetPoint(1).m_normX);
    EXPECT_EQ(1, m_layout.GetStepCount());
    EXPECT_TRUE(m_layout.IsPortInUse(0));

    // Without recording: points placed, no step; the older step stays.
    EXPECT_EQ(3, PlaceTemplatePort(m_layout, 2, true, false, CLPoint(0, 1)));
    EXPECT_EQ((CellList { { 0, 1 }, { 1, 1 }, { 2, 1 } }), Cells(m_layout.GetPort(2)));
    EXPECT_EQ(1, m_layout.GetStepCount());
    EXPECT_TRUE(m_layout.IsPortInUse(2));

    // Grid mode: cell offset, normalised from the cell centre.
    EXPECT_EQ(3, AppendFloatingPoints(m_layout, true, 3, true, true, CLPoint(10, 2), 0, 0));
    EXPECT_EQ((CellList { { 10, 2 }, { 11, 2 }, { 12, 2 } }), Cells(m_layout.GetPort(3)));
    EXPECT_DOUBLE_EQ(11.5 / 32, m_layout.GetPort(3).GetPoint(1).m_normX);
    EXPECT_EQ(2, m_layout.GetStepCount());

    // Free mode: normalised positions as fractions of a 16 x 8 source.
    std::vector<CLPoint> fractions(1);
    fractions[0].m_normX = 0.25;
    fractions[0].m_normY = 0.5;
    m_layout.SetFloatingPoints(fractions, 1);
    CLPoint shift;
    shift.m_normX = 0.5;
    shift.m_normY = 0.0;
    EXPECT_EQ(1, AppendFloatingPoints(m_layout, false, 4, true, true, shift, 16, 8));
    const CLPoint& placed = m_layout.GetPort(4).GetPoint(0);
    EXPECT_DOUBLE_EQ(0.5 * 0.25 + 0.5, placed.m_normX);
    EXPECT_DOUBLE_EQ(0.5 * 0.5, placed.m_normY);
    EXPECT_EQ(20, placed.x);
    EXPECT_EQ(4, placed.y);

    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_EQ(0, m_layout.GetPort(4).GetCount());

    m_layout.ClearFloatingPoints();
    EXPECT_EQ(0, PlaceTemplatePort(m_layout, 0, true, true, offset));
}

} // namespace
