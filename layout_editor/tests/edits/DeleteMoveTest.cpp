// Deleting, moving, rotating and straightening lamps, with Undo.
#include <gtest/gtest.h>

#include "EditTestUtil.h"
#include "LayoutEditCommands.h"
#include "LayoutSelection.h"

namespace {

TEST_F(EditTest, DeletingASharedCellTakesTheLowestPortsLamp)
{
    Put(m_layout, 6, { { 1, 1 }, { 4, 4 } });
    Put(m_layout, 3, { { 0, 0 }, { 2, 2 }, { 4, 4 }, { 3, 3 } });
    EXPECT_EQ(1, m_layout.DeletePointsInRect(4, 4, 5, 5));
    EXPECT_EQ((CellList { { 0, 0 }, { 2, 2 }, { 3, 3 } }), Cells(m_layout.GetPort(3)));
    EXPECT_EQ((CellList { { 1, 1 }, { 4, 4 } }), Cells(m_layout.GetPort(6)));
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_EQ((CellList { { 0, 0 }, { 2, 2 }, { 4, 4 }, { 3, 3 } }), Cells(m_layout.GetPort(3)));

    // Nothing in the rectangle: no step, but the layout counts as edited.
    m_layout.m_modified = 0;
    EXPECT_EQ(0, m_layout.DeletePointsInRect(20, 10, 25, 12));
    EXPECT_EQ(1, m_layout.m_modified);
    EXPECT_EQ(0, m_layout.GetStepCount());
}

TEST_F(EditTest, DeletingEveryLampInUseLeavesNoStep)
{
    Put(m_layout, 0, { { 0, 0 }, { 1, 0 } });
    Put(m_layout, 1, { { 5, 5 } });
    ASSERT_EQ(1, m_layout.ClearPortPoints(1)); // a step that the delete-all then drops
    ASSERT_TRUE(m_layout.UndoStep());
    SelectPointsInRect(CRect(0, 0, 32, 16), m_layout);
    EXPECT_EQ(3, m_layout.DeleteSelection());
    EXPECT_EQ(0, m_layout.GetPort(0).GetCount());
    EXPECT_EQ(0, m_layout.GetPort(1).GetCount());
    EXPECT_FALSE(m_layout.RedoStep());
    EXPECT_EQ(0, m_layout.GetStepCount());
    EXPECT_TRUE(m_layout.m_selectedPorts.empty());
}

TEST_F(EditTest, RectangleDeleteTakesOnlyCellsThatListedPortsHold)
{
    // Port 0 holds lamps but is not on the used list: it loses a lamp only
    // on a cell that a listed port holds, and being the lower number it
    // loses it instead of that port.
    for (const CLPoint& lamp : { Lamp(1, 1), Lamp(5, 5) })
        m_layout.GetPort(0).InsertPoints(&lamp, 1);
    Put(m_layout, 1, { { 1, 1 }, { 2, 1 } });
    const std::vector<CLPoint> port0 = Snapshot(m_layout.GetPort(0));
    const std::vector<CLPoint> port1 = Snapshot(m_layout.GetPort(1));
    EXPECT_EQ(2, m_layout.DeletePointsInRect(0, 0, 32, 16));
    EXPECT_EQ((CellList { { 5, 5 } }), Cells(m_layout.GetPort(0)));
    EXPECT_EQ((CellList { { 1, 1 } }), Cells(m_layout.GetPort(1)));
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_TRUE(SamePoints(m_layout.GetPort(0), port0));
    EXPECT_TRUE(SamePoints(m_layout.GetPort(1), port1));
}

TEST_F(EditTest, DeletingAllButOneLampRecordsOneCommandPerPort)
{
    Put(m_layout, 0, { { 0, 0 }, { 1, 0 }, { 2, 0 } });
    Put(m_layout, 1, { { 5, 5 }, { 6, 5 } });
    SelectPointsInRect(CRect(0, 0, 32, 16), m_layout);
    SelectPointAt(m_layout, CPoint(1, 0)); // deselect one
    EXPECT_EQ(4, m_layout.DeleteSelection());
    EXPECT_EQ((CellList { { 1, 0 } }), Cells(m_layout.GetPort(0)));
    EXPECT_EQ(0, m_layout.GetPort(1).GetCount());
    ASSERT_EQ(1, m_layout.GetStepCount());
    ASSERT_EQ(2, m_layout.GetCommandCount());
    auto* first = dynamic_cast<CDelCommand*>(m_layout.m_commands[0]);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(0, first->GetPort()); // the port of the last hit first
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_EQ((CellList { { 0, 0 }, { 1, 0 }, { 2, 0 } }), Cells(m_layout.GetPort(0)));
    EXPECT_EQ((CellList { { 5, 5 }, { 6, 5 } }), Cells(m_layout.GetPort(1)));
}

TEST_F(EditTest, DeletingASelectedLampOnASharedCellKeepsTheOtherPortsLamp)
{
    Put(m_layout, 2, { { 4, 4 }, { 0, 0 } });
    Put(m_layout, 5, { { 9, 9 }, { 4, 4 } });
    // Select only port 5's lamp on (4, 4), then hit port 2 so that it is active.
    m_layout.m_selectedPorts.push_back(5);
    m_layout.m_selectionBits.push_back({ false, true });
    int port = 0, index = 0;
    m_layout.FindPointAt(CPoint(0, 0), port, index);
    ASSERT_EQ(3, port);
    EXPECT_EQ(1, m_layout.DeleteSelection());
    EXPECT_EQ((CellList { { 4, 4 }, { 0, 0 } }), Cells(m_layout.GetPort(2)));
    EXPECT_EQ((CellList { { 9, 9 } }), Cells(m_layout.GetPort(5)));
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_EQ((CellList { { 9, 9 }, { 4, 4 } }), Cells(m_layout.GetPort(5)));
}

TEST_F(EditTest, ClearPortAndMovePoint)
{
    EXPECT_EQ(0, m_layout.ClearPortPoints(0));
    Put(m_layout, 0, { { 0, 0 }, { 1, 0 }, { 2, 0 } });
    EXPECT_FALSE(m_layout.MovePoint(0, 1, Lamp(1, 0)));
    EXPECT_FALSE(m_layout.MovePoint(0, 3, Lamp(8, 8)));
    EXPECT_FALSE(m_layout.MovePoint(9, 0, Lamp(8, 8)));
    EXPECT_EQ(0, m_layout.GetStepCount());
    EXPECT_TRUE(m_layout.MovePoint(0, 1, Lamp(8, 8)));
    EXPECT_EQ((CellList { { 0, 0 }, { 8, 8 }, { 2, 0 } }), Cells(m_layout.GetPort(0)));
    EXPECT_EQ(3, m_layout.ClearPortPoints(0));
    EXPECT_EQ(0, m_layout.GetPort(0).GetCount());
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_EQ((CellList { { 0, 0 }, { 8, 8 }, { 2, 0 } }), Cells(m_layout.GetPort(0)));
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_EQ((CellList { { 0, 0 }, { 1, 0 }, { 2, 0 } }), Cells(m_layout.GetPort(0)));
    ASSERT_TRUE(m_layout.RedoStep());
    EXPECT_EQ((CellList { { 0, 0 }, { 8, 8 }, { 2, 0 } }), Cells(m_layout.GetPort(0)));
}

TEST_F(EditTest, MoveSelectionOverTwoPortsAndUndo)
{
    for (int align = 1; align >= 0; --align) {
        AlignToGrid = align;
        m_layout.ResetPorts(8, 256, CString(L"RGB"), 0);
        Put(m_layout, 1, { { 5, 5 }, { 6, 5 }, { 20, 1 } });
        Put(m_layout, 4, { { 5, 6 } });
        SelectPointsInRect(CRect(5, 5, 7, 7), m_layout);
        EXPECT_FALSE(m_layout.MoveSelectedPoints(Lamp(5, 5), Lamp(5, 5)));
        EXPECT_TRUE(m_layout.MoveSelectedPoints(Lamp(5, 5), Lamp(7, 4)));
        EXPECT_EQ((CellList { { 7, 4 }, { 8, 4 }, { 20, 1 } }), Cells(m_layout.GetPort(1)));
        EXPECT_EQ((CellList { { 7, 5 } }), Cells(m_layout.GetPort(4)));
        EXPECT_DOUBLE_EQ(8.5 / 32, m_layout.GetPort(1).GetPoint(1).m_normX);
        EXPECT_EQ(2, m_layout.GetCommandCount());
        ASSERT_TRUE(m_layout.UndoStep());
        EXPECT_EQ((CellList { { 5, 5 }, { 6, 5 }, { 20, 1 } }), Cells(m_layout.GetPort(1)));
        EXPECT_EQ((CellList { { 5, 6 } }), Cells(m_layout.GetPort(4)));
        ASSERT_TRUE(m_layout.RedoStep());
        EXPECT_EQ((CellList { { 7, 5 } }), Cells(m_layout.GetPort(4)));
    }
    m_layout.ClearSelection();
    EXPECT_FALSE(m_layout.MoveSelectedPoints(Lamp(5, 5), Lamp(7, 4)));
}

TEST_F(EditTest, RotationOnTheGridAt315Degrees)
{
    const CLPoint centre = Lamp(10, 6);
    Put(m_layout, 0, { { 12, 6 }, { 10, 8 } });
    SelectPort(m_layout, 0);
    ASSERT_TRUE(m_layout.RotateSelection(nullptr, 315, centre));
    EXPECT_EQ((CellList { { 12, 8 }, { 8, 8 } }), Cells(m_layout.GetPort(0)));
    EXPECT_DOUBLE_EQ(8.5 / 32, m_layout.GetPort(0).GetPoint(1).m_normX);
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_EQ((CellList { { 12, 6 }, { 10, 8 } }), Cells(m_layout.GetPort(0)));
}

TEST_F(EditTest, FreeRotationBy90TurnsARowIntoAColumn)
{
    for (int align = 1; align >= 0; --align) {
        AlignToGrid = align;
        m_layout.ResetPorts(8, 256, CString(L"RGB"), 0);
        Put(m_layout, 0, { { 8, 6 }, { 9, 6 }, { 10, 6 }, { 11, 6 }, { 12, 6 } });
        SelectPort(m_layout, 0);
        const CellList column { { 10, 8 }, { 10, 7 }, { 10, 6 }, { 10, 5 }, { 10, 4 } };
        std::vector<CLPoint> preview;
        ASSERT_TRUE(m_layout.RotateSelection(&preview, 90, Lamp(10, 6)));
        EXPECT_EQ(column, Cells(preview)) << "align " << align;
        EXPECT_EQ(8, m_layout.GetPort(0).GetPoint(0).x);
        EXPECT_EQ(0, m_layout.GetStepCount());

        ASSERT_TRUE(m_layout.RotateSelection(nullptr, 90, Lamp(10, 6)));
        EXPECT_EQ(column, Cells(m_layout.GetPort(0))) << "align " << align;
        EXPECT_NEAR(10.5 / 32, m_layout.GetPort(0).GetPoint(0).m_normX, 1e-9);
        ASSERT_TRUE(m_layout.UndoStep());
        EXPECT_EQ((CellList { { 8, 6 }, { 9, 6 }, { 10, 6 }, { 11, 6 }, { 12, 6 } }), Cells(m_layout.GetPort(0)));
    }
    m_layout.ClearSelection();
    EXPECT_FALSE(m_layout.RotateSelection(nullptr, 90, Lamp(10, 6)));
}

class Straighten : public EditTest, public ::testing::WithParamInterface<bool> { };

TEST_P(Straighten, SpreadsTheRunEvenlyWhicheverLampIsClickedFirst)
{
    Put(m_layout, 0, { { 0, 9 }, { 1, 9 }, { 0, 0 }, { 5, 3 }, { 1, 6 }, { 7, 0 }, { 8, 4 }, { 9, 9 } });
    const CPoint a(0, 0);
    const CPoint b(8, 4);
    ASSERT_TRUE(GetParam() ? m_layout.StraightenPointRange(0, a, b) : m_layout.StraightenPointRange(0, b, a));
    EXPECT_EQ((CellList { { 0, 9 }, { 1, 9 }, { 0, 0 }, { 2, 1 }, { 4, 2 }, { 6, 3 }, { 8, 4 }, { 9, 9 } }),
        Cells(m_layout.GetPort(0)));
    EXPECT_EQ(1, m_layout.GetStepCount());
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_EQ((CellList { { 0, 9 }, { 1, 9 }, { 0, 0 }, { 5, 3 }, { 1, 6 }, { 7, 0 }, { 8, 4 }, { 9, 9 } }),
        Cells(m_layout.GetPort(0)));
}

INSTANTIATE_TEST_SUITE_P(BothOrders, Straighten, ::testing::Bool());

TEST_F(EditTest, StraightenRefusals)
{
    Put(m_layout, 0, { { 0, 0 }, { 5, 5 } });
    EXPECT_FALSE(m_layout.StraightenPointRange(0, CPoint(0, 0), CPoint(5, 5)));
    Put(m_layout, 0, { { 6, 6 } });
    EXPECT_FALSE(m_layout.StraightenPointRange(0, CPoint(0, 0), CPoint(9, 9)));
    EXPECT_FALSE(m_layout.StraightenPointRange(0, CPoint(0, 0), CPoint(0, 0)));
    EXPECT_FALSE(m_layout.StraightenPointRange(8, CPoint(0, 0), CPoint(5, 5)));
    EXPECT_EQ(0, m_layout.GetStepCount());
}

} // namespace
