// Mouse handling by simulated messages: clicks and drags that select, the
// modifier keys, header clicks, editing on a second click, border resizing
// and auto-sizing, right clicks, notifications and the auto-scroll timer.
#include "InPlaceEdit.h"
#include "grid_fixture.h"

using gridtest::CTestParent;
using gridtest::GridTest;

namespace {
TEST_F(GridTest, ClickFocusesSelectsAndNotifies)
{
    Click(Centre(3, 2));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 2));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(3, 2, 3, 2));
    EXPECT_EQ(grid.GetMouseMode(), CSheetCtrl::MOUSE_NOTHING);
    ASSERT_FALSE(parent.notes.empty());
    EXPECT_EQ(parent.notes.back(), (CTestParent::Note { gridtest::kClick, 3, 2 }));
    fwtest::PumpPending();
    ASSERT_EQ(parent.commands.size(), 1u);
    EXPECT_EQ(LOWORD(parent.commands[0]), gridtest::kGridId);
    // The auto-scroll timer ran only while the button was down.
    EXPECT_FALSE(clock.HasTimer(grid.m_hWnd, GRID_AUTOSCROLL_TIMER));
}

TEST_F(GridTest, DraggingSelectsABlock)
{
    Mouse(WM_LBUTTONDOWN, Centre(2, 1), MK_LBUTTON);
    EXPECT_TRUE(clock.HasTimer(grid.m_hWnd, GRID_AUTOSCROLL_TIMER));
    Mouse(WM_MOUSEMOVE, Centre(3, 2), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, Centre(5, 3), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, Centre(5, 3));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(2, 1, 5, 3));
    EXPECT_EQ(grid.GetSelectedCount(), 12);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(5, 3));
}

TEST_F(GridTest, ModifierClicks)
{
    Click(Centre(2, 1));
    // Shift+click extends from the focus cell.
    Click(Centre(4, 3), MK_SHIFT);
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(2, 1, 4, 3));
    EXPECT_EQ(grid.GetSelectedCount(), 9);
    // Control+click on a selected cell deselects it alone and focuses it.
    Click(Centre(3, 2), MK_CONTROL);
    EXPECT_FALSE(grid.IsCellSelected(3, 2));
    EXPECT_EQ(grid.GetSelectedCount(), 8);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 2));
    // Control+click on an unselected cell adds a new block.
    Click(Centre(7, 4), MK_CONTROL);
    EXPECT_TRUE(grid.IsCellSelected(7, 4));
    EXPECT_TRUE(grid.IsCellSelected(2, 1));
    EXPECT_EQ(grid.GetSelectedCount(), 9);
    // A plain click starts over.
    Click(Centre(8, 1));
    EXPECT_EQ(grid.GetSelectedCount(), 1);
}

TEST_F(GridTest, HeaderClicksSelectAllColumnsAndRows)
{
    Click(Centre(0, 0));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 1, 9, 4));
    Click(Centre(0, 2));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 2, 9, 2));
    // A drag along the fixed row takes in more columns.
    Mouse(WM_LBUTTONDOWN, Centre(0, 2), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, Centre(0, 4), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, Centre(0, 4));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 2, 9, 4));
    Click(Centre(6, 0));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(6, 1, 6, 4));
}

TEST_F(GridTest, SecondClickOnTheFocusCellEditsAMoveInsteadClears)
{
    Click(Centre(2, 2));
    Click(Centre(2, 2));
    auto* pCell = dynamic_cast<CSheetCell*>(grid.GetCell(2, 2));
    ASSERT_NE(pCell->GetEditWnd(), nullptr);
    CString text;
    pCell->GetEditWnd()->GetWindowText(text);
    EXPECT_EQ(text, L"r2c2");
    pCell->GetEditWnd()->SendMessage(WM_CHAR, VK_ESCAPE);
    fwtest::PumpPending();
    ASSERT_EQ(pCell->GetEditWnd(), nullptr);

    Mouse(WM_LBUTTONDOWN, Centre(2, 2), MK_LBUTTON);
    EXPECT_EQ(grid.GetMouseMode(), CSheetCtrl::MOUSE_PREPARE_EDIT);
    Mouse(WM_MOUSEMOVE, Centre(2, 2) + CPoint(3, 0), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, Centre(2, 2) + CPoint(3, 0));
    EXPECT_EQ(pCell->GetEditWnd(), nullptr);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
    EXPECT_EQ(grid.GetSelectedCount(), 0);
}

TEST_F(GridTest, DoubleClickEditsAndNotifies)
{
    Click(Centre(4, 3));
    Mouse(WM_LBUTTONDBLCLK, Centre(4, 3), MK_LBUTTON);
    EXPECT_EQ(parent.Count(gridtest::kDblClk), 1);
    auto* pCell = dynamic_cast<CSheetCell*>(grid.GetCell(4, 3));
    ASSERT_NE(pCell->GetEditWnd(), nullptr);
    pCell->GetEditWnd()->SendMessage(WM_CHAR, VK_ESCAPE);
    fwtest::PumpPending();
    // Outside the cells nothing happens.
    Mouse(WM_LBUTTONDBLCLK, CPoint(280, 100), MK_LBUTTON);
    EXPECT_EQ(parent.Count(gridtest::kDblClk), 1);
}

TEST_F(GridTest, DraggingAColumnBorderResizesTheColumnToItsLeft)
{
    // Within 3 pixels right of column 2's left border (x = 100).
    const CPoint press(101, 10);
    Mouse(WM_MOUSEMOVE, press);
    EXPECT_EQ(grid.GetMouseMode(), CSheetCtrl::MOUSE_OVER_COL_DIVIDE);
    Mouse(WM_LBUTTONDOWN, press, MK_LBUTTON);
    EXPECT_EQ(grid.GetMouseMode(), CSheetCtrl::MOUSE_SIZING_COL);
    Mouse(WM_MOUSEMOVE, CPoint(120, 10), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, CPoint(120, 10));
    EXPECT_EQ(grid.GetColumnWidth(1), 70);
    EXPECT_EQ(grid.GetColumnWidth(2), 50);
    EXPECT_EQ(grid.GetMouseMode(), CSheetCtrl::MOUSE_NOTHING);

    // Released where it was pressed: nothing changes.
    Mouse(WM_MOUSEMOVE, CPoint(168, 10));
    Mouse(WM_LBUTTONDOWN, CPoint(168, 10), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, CPoint(168, 10));
    EXPECT_EQ(grid.GetColumnWidth(2), 50);

    // A double click on the border sizes the column to its widest cell.
    grid.SetItemText(5, 2, L"a much longer text than fits");
    Mouse(WM_MOUSEMOVE, CPoint(168, 10));
    ASSERT_EQ(grid.GetMouseMode(), CSheetCtrl::MOUSE_OVER_COL_DIVIDE);
    Mouse(WM_LBUTTONDBLCLK, CPoint(168, 10), MK_LBUTTON);
    CClientDC dc(&grid);
    const int expected = grid.GetCell(5, 2)->GetCellExtent(&dc).cx;
    EXPECT_EQ(grid.GetColumnWidth(2), expected);
    EXPECT_GT(expected, 100);

    // Rows likewise in the fixed column.
    Mouse(WM_MOUSEMOVE, CPoint(10, 59));
    EXPECT_EQ(grid.GetMouseMode(), CSheetCtrl::MOUSE_OVER_ROW_DIVIDE);
    Mouse(WM_LBUTTONDOWN, CPoint(10, 59), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, CPoint(10, 75), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, CPoint(10, 75));
    EXPECT_EQ(grid.GetRowHeight(2), 35);
    ::ClipCursor(nullptr);
}

TEST_F(GridTest, RightClicksNotifyWithTheCellOrMinusOne)
{
    Mouse(WM_RBUTTONUP, Centre(6, 3));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(6, 3));
    EXPECT_EQ(parent.notes.back(), (CTestParent::Note { gridtest::kRClick, 6, 3 }));
    Mouse(WM_RBUTTONUP, CPoint(280, 100));
    EXPECT_EQ(parent.notes.back(), (CTestParent::Note { gridtest::kRClick, -1, -1 }));
    // On a header the focus goes to the nearest scrollable cell.
    Mouse(WM_RBUTTONUP, Centre(0, 2));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 2));
}

TEST_F(GridTest, HoldingTheButtonBelowTheGridScrollsAndExtends)
{
    Layout(40, 5);
    Mouse(WM_LBUTTONDOWN, Centre(3, 2), MK_LBUTTON);
    ASSERT_TRUE(clock.HasTimer(grid.m_hWnd, GRID_AUTOSCROLL_TIMER));
    CRect window;
    grid.GetWindowRect(&window);
    POINT saved;
    ::GetCursorPos(&saved);
    ::SetCursorPos(window.left + 75, window.bottom + 30);
    POINT now;
    ::GetCursorPos(&now);
    if (now.y != window.bottom + 30) {
        Mouse(WM_LBUTTONUP, Centre(3, 2));
        GTEST_SKIP() << "the pointer cannot be moved on this display";
    }
    for (int i = 0; i < 12; i++)
        clock.Advance(25);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(15, 2));
    EXPECT_TRUE(grid.IsCellVisible(15, 2));
    EXPECT_GT(grid.GetScrollPos32(SB_VERT), 0);
    EXPECT_TRUE(grid.IsCellSelected(3, 2));
    EXPECT_TRUE(grid.IsCellSelected(12, 2));
    ::SetCursorPos(saved.x, saved.y);
    Mouse(WM_LBUTTONUP, Centre(3, 2));
    EXPECT_FALSE(clock.HasTimer(grid.m_hWnd, GRID_AUTOSCROLL_TIMER));
}

TEST_F(GridTest, CellHooksAreCalledWithRelativePoints)
{
    class CHookCell : public CSheetCell {
    public:
        void OnClickDown(CPoint pt) override { down = pt; }
        void OnClick(CPoint pt) override { up = pt; }
        void OnRClick(CPoint pt) override { right = pt; }
        CPoint down { -9, -9 }, up { -9, -9 }, right { -9, -9 };
    };
    auto* pHook = new CHookCell;
    static_cast<CSheetCellBase&>(*pHook) = *grid.GetCell(2, 3);
    // Swap the cell in through the grid's own store.
    struct Access : CSheetCtrl {
        static void Put(CSheetCtrl& g, int r, int c, CSheetCellBase* p)
        {
            auto& rows = static_cast<Access&>(g).m_RowData;
            delete rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
            rows[static_cast<size_t>(r)][static_cast<size_t>(c)] = p;
        }
    };
    Access::Put(grid, 2, 3, pHook);
    Click(CPoint(160, 47));
    EXPECT_EQ(pHook->down, CPoint(10, 7));
    EXPECT_EQ(pHook->up, CPoint(10, 7));
    Mouse(WM_RBUTTONUP, CPoint(155, 42));
    EXPECT_EQ(pHook->right, CPoint(5, 2));
}
} // namespace
