// Focus, selection and the keyboard: arrows, Tab, Home/End, Page keys,
// Shift-selection, hidden rows, Delete, the wheel and the focus
// notifications.
#include "grid_fixture.h"

using gridtest::CKeyHeld;
using gridtest::CTestParent;
using gridtest::GridTest;

namespace {
TEST_F(GridTest, FocusChangesNotifyAndMarkTheCells)
{
    grid.SetFocusCell(0, 0); // raised into the scrollable area
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
    EXPECT_EQ(grid.GetItemState(1, 1) & GVIS_FOCUSED, GVIS_FOCUSED);
    grid.SetFocusCell(2, 3);
    EXPECT_EQ(grid.GetItemState(1, 1) & GVIS_FOCUSED, 0u);
    const std::vector<CTestParent::Note> expected {
        { gridtest::kChanged, 1, 1 },
        { gridtest::kChanging, 1, 1 },
        { gridtest::kChanged, 2, 3 },
    };
    EXPECT_EQ(parent.notes, expected);
    // Setting the same cell again does nothing.
    grid.SetFocusCell(2, 3);
    EXPECT_EQ(parent.notes.size(), 3u);
}

TEST_F(GridTest, ArrowsMoveTheFocusWithinTheScrollableArea)
{
    grid.SetFocusCell(1, 1);
    struct Step {
        UINT key;
        CCellID expected;
    };
    const Step steps[] = {
        { VK_UP, CCellID(1, 1) },
        { VK_LEFT, CCellID(1, 1) },
        { VK_DOWN, CCellID(2, 1) },
        { VK_RIGHT, CCellID(2, 2) },
        { VK_END, CCellID(2, 4) },
        { VK_RIGHT, CCellID(2, 4) },
        { VK_HOME, CCellID(2, 1) },
        { VK_NEXT, CCellID(9, 1) }, // nothing scrolls: the last row
        { VK_DOWN, CCellID(9, 1) },
        { VK_PRIOR, CCellID(1, 1) },
    };
    for (const Step& step : steps) {
        Key(step.key);
        EXPECT_EQ(grid.GetFocusCell(), step.expected) << "key " << step.key;
    }
    {
        CKeyHeld ctrl(VK_CONTROL);
        Key(VK_END);
        EXPECT_EQ(grid.GetFocusCell(), CCellID(9, 4));
        Key(VK_HOME);
        EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
    }
}

TEST_F(GridTest, TabWrapsRowsAndStopsAtTheEnds)
{
    grid.SetFocusCell(1, 4);
    Key(VK_TAB);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 1));
    grid.SetFocusCell(9, 4);
    Key(VK_TAB);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(9, 4));
    CKeyHeld shift(VK_SHIFT);
    grid.SetFocusCell(2, 1);
    Key(VK_TAB);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 4));
    grid.SetFocusCell(1, 1);
    Key(VK_TAB);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
}

TEST_F(GridTest, HiddenRowsAreSkippedByArrowsNotHiddenColumnsByTab)
{
    grid.SetRowHeight(3, 0);
    grid.SetColumnWidth(3, 0);
    grid.SetFocusCell(2, 2);
    Key(VK_DOWN);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(4, 2));
    Key(VK_UP);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
    Key(VK_RIGHT);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 4));
    Key(VK_LEFT);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
    Key(VK_TAB);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 3));
}

TEST_F(GridTest, ShiftArrowExtendsTheSelectionArrowStartsANewOne)
{
    grid.SetFocusCell(2, 2);
    Key(VK_RIGHT);
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(2, 3, 2, 3));
    {
        CKeyHeld shift(VK_SHIFT);
        Key(VK_DOWN);
        Key(VK_DOWN);
        Key(VK_RIGHT);
    }
    EXPECT_EQ(grid.GetFocusCell(), CCellID(4, 4));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(2, 3, 4, 4));
    EXPECT_EQ(grid.GetSelectedCount(), 6);
    EXPECT_TRUE(grid.IsCellSelected(3, 4));
    Key(VK_UP);
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(3, 4, 3, 4));
    EXPECT_FALSE(grid.IsCellSelected(2, 3));
}

TEST_F(GridTest, WithSelectionDisabledMovingSelectsNothing)
{
    grid.EnableSelection(FALSE);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
    grid.SetFocusCell(2, 2);
    Key(VK_DOWN);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 2));
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    grid.SelectAll();
    EXPECT_EQ(grid.GetSelectedCount(), 0);
}

TEST_F(GridTest, SelectionRangesAndTheirBounds)
{
    grid.SetSelectedRange(0, 0, 2, 2); // raised to the scrollable area
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 1, 2, 2));
    grid.SetSelectedRange(1, 1, 20, 2); // past the last row: cleared only
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    grid.SelectAll();
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 1, 9, 4));
    EXPECT_EQ(grid.GetSelectedCount(), 36);
    grid.SetSelectedRange(-1, -1, -1, -1);
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    EXPECT_EQ(grid.GetItemState(5, 3) & GVIS_SELECTED, 0u);
}

TEST_F(GridTest, DeleteClearsAnEditableCellOnly)
{
    grid.SetFocusCell(2, 2);
    parent.notes.clear();
    Key(VK_DELETE);
    EXPECT_EQ(grid.GetItemText(2, 2), L"");
    EXPECT_TRUE(grid.GetModified());
    EXPECT_EQ(grid.GetItemState(2, 2) & GVIS_MODIFIED, GVIS_MODIFIED);
    const std::vector<CTestParent::Note> expected { { gridtest::kBeginEdit, 2, 2 }, { gridtest::kEndEdit, 2, 2 } };
    EXPECT_EQ(parent.notes, expected);

    grid.SetItemState(3, 2, grid.GetItemState(3, 2) | GVIS_READONLY);
    grid.SetFocusCell(3, 2);
    parent.notes.clear();
    Key(VK_DELETE);
    EXPECT_EQ(grid.GetItemText(3, 2), L"r3c2");
    EXPECT_TRUE(parent.notes.empty() || parent.notes.back().code != gridtest::kEndEdit);
}

TEST_F(GridTest, WheelScrollsByTheUsersLines)
{
    Layout(40, 5);
    const int lines = static_cast<int>(grid.GetMouseWheelLines());
    if (lines <= 0)
        GTEST_SKIP() << "wheel set to page-wise scrolling on this machine";
    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    fwtest::PumpPending();
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 20 * lines);
    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    fwtest::PumpPending();
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 0);
}

TEST_F(GridTest, MovingBelowTheVisibleRowsScrolls)
{
    Layout(40, 5);
    grid.SetFocusCell(8, 1);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(10, 1));
    EXPECT_TRUE(grid.IsCellVisible(10, 1));
    EXPECT_GT(grid.GetScrollPos32(SB_VERT), 0);
    {
        CKeyHeld ctrl(VK_CONTROL);
        Key(VK_END);
    }
    EXPECT_EQ(grid.GetFocusCell(), CCellID(39, 4));
    EXPECT_TRUE(grid.IsCellVisible(39, 4));
    Key(VK_PRIOR);
    EXPECT_LT(grid.GetFocusCell().row, 39);
    EXPECT_GT(grid.GetFocusCell().row, 1);
}
} // namespace
