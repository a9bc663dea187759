// Grid core: counts and fixed counts with their bounds, items, the modified
// marks, sizes, fonts, the mouse-wheel setting and parent notifications.
#include "grid_fixture.h"

using gridtest::CTestParent;
using gridtest::GridTest;

namespace {
TEST(SheetGridCore, CountsFixedCountsAndBounds)
{
    CSheetCtrl grid;
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_TRUE(grid.SetRowCount(5));
    EXPECT_TRUE(grid.SetColumnCount(4));
    EXPECT_TRUE(grid.SetFixedRowCount(2));
    EXPECT_TRUE(grid.SetFixedColumnCount(1));
    EXPECT_EQ(grid.GetItemState(1, 3) & GVIS_FIXED, GVIS_FIXED);
    EXPECT_EQ(grid.GetItemState(2, 0) & GVIS_FIXED, GVIS_FIXED);
    EXPECT_EQ(grid.GetItemState(2, 1) & GVIS_FIXED, 0u);

    // Fixed counts beyond the counts grow the grid first.
    EXPECT_TRUE(grid.SetFixedColumnCount(6));
    EXPECT_EQ(grid.GetColumnCount(), 6);
    EXPECT_TRUE(grid.SetFixedColumnCount(1));
    EXPECT_EQ(grid.GetItemState(3, 4) & GVIS_FIXED, 0u);

    // Lowering the row count below the fixed count lowers it too.
    EXPECT_TRUE(grid.SetRowCount(1));
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_FALSE(grid.SetRowCount(-1));

    // Nothing outside the counts is read or written.
    for (auto [r, c] : { std::pair { -1, 0 }, { 0, -1 }, { 1, 0 }, { 0, 6 }, { 100000, 3 } }) {
        EXPECT_EQ(grid.GetCell(r, c), nullptr);
        EXPECT_FALSE(grid.SetItemText(r, c, L"x"));
        EXPECT_EQ(grid.GetItemText(r, c), L"");
        EXPECT_FALSE(grid.SetItemState(r, c, GVIS_SELECTED));
        EXPECT_EQ(grid.GetItemState(r, c), 0u);
        EXPECT_EQ(grid.GetItemFormat(r, c), 0u);
    }
    EXPECT_EQ(grid.GetRowHeight(1), -1);
    EXPECT_EQ(grid.GetColumnWidth(-1), -1);
    EXPECT_FALSE(grid.SetRowHeight(0, -2));
    EXPECT_FALSE(grid.SetColumnWidth(6, 10));
    EXPECT_FALSE(grid.SetItem(nullptr));
    GridItem item;
    item.row = 3;
    EXPECT_FALSE(grid.SetItem(&item));
    EXPECT_FALSE(grid.GetSelectedCellRange().IsValid());
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 6, -1, -1));

    grid.DeleteAllItems();
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColumnCount(), 0);
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
}

TEST(SheetGridCore, FixedColumnsResetColoursFixedRowsDoNot)
{
    CSheetCtrl grid;
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    for (int r = 0; r < 3; r++) {
        for (int c = 0; c < 3; c++) {
            grid.GetCell(r, c)->SetBackClr(RGB(10, 20, 30));
            grid.GetCell(r, c)->SetTextClr(RGB(40, 50, 60));
        }
    }
    grid.SetFixedRowCount(1);
    EXPECT_EQ(grid.GetCell(0, 1)->GetBackClr(), RGB(10, 20, 30));
    grid.SetFixedColumnCount(1);
    EXPECT_EQ(grid.GetCell(1, 0)->GetBackClr(), CLR_GRID_DEFAULT);
    EXPECT_EQ(grid.GetCell(2, 0)->GetTextClr(), CLR_GRID_DEFAULT);
    // Cells of the fixed rows are not touched by the fixed columns.
    EXPECT_EQ(grid.GetCell(0, 0)->GetBackClr(), RGB(10, 20, 30));
    EXPECT_EQ(grid.GetCell(1, 1)->GetBackClr(), RGB(10, 20, 30));
}

TEST(SheetGridCore, ModifiedMarksAndTheSortArrow)
{
    CSheetCtrl grid;
    grid.SetRowCount(4);
    grid.SetColumnCount(4);
    grid.SetModified(FALSE);
    // Same count: no modified mark.
    grid.SetRowCount(4);
    EXPECT_FALSE(grid.GetModified());

    // Row or column 0 addresses the whole grid, not the cell.
    grid.SetModified(TRUE, 0, 3);
    EXPECT_TRUE(grid.GetModified());
    EXPECT_EQ(grid.GetItemState(0, 3) & GVIS_MODIFIED, 0u);
    grid.SetModified(FALSE);
    grid.SetModified(TRUE, 2, 3);
    grid.SetModified(TRUE, 1, 1);
    EXPECT_TRUE(grid.GetModified());
    EXPECT_EQ(grid.GetItemState(2, 3) & GVIS_MODIFIED, GVIS_MODIFIED);
    // Clearing one cell while the grid stays modified keeps the others.
    grid.SetModified(FALSE, 2, 3);
    EXPECT_EQ(grid.GetItemState(2, 3) & GVIS_MODIFIED, 0u);
    EXPECT_EQ(grid.GetItemState(1, 1) & GVIS_MODIFIED, GVIS_MODIFIED);
    // With the whole-grid flag off every cell loses its mark.
    grid.SetModified(FALSE, -1, -1);
    EXPECT_EQ(grid.GetItemState(1, 1) & GVIS_MODIFIED, 0u);

    // Any change removes the sort arrow.
    auto sortThen = [&](auto change) {
        grid.SortTextItems(1, TRUE);
        EXPECT_EQ(grid.GetSortColumn(), 1);
        change();
        EXPECT_EQ(grid.GetSortColumn(), -1);
    };
    sortThen([&] { grid.SetItemText(2, 2, L"x"); });
    sortThen([&] { grid.SetModified(FALSE); });
    sortThen([&] {
        GridItem item;
        item.row = 1;
        item.col = 1;
        grid.SetItem(&item);
    });
    sortThen([&] { grid.SetRowCount(5); });
    sortThen([&] { grid.SetColumnCount(5); });
}

TEST(SheetGridCore, SetItemAppliesTheMaskedFields)
{
    CSheetCtrl grid;
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    GridItem item;
    item.row = 2;
    item.col = 1;
    item.mask = GVIF_TEXT | GVIF_STATE | GVIF_BKCLR | GVIF_MARGIN | GVIF_PARAM;
    item.strText = L"value";
    item.nState = GVIS_READONLY;
    item.crBkClr = RGB(1, 2, 3);
    item.crFgClr = RGB(4, 5, 6); // not in the mask
    item.nMargin = 9;
    item.lParam = 1234;
    ASSERT_TRUE(grid.SetItem(&item));
    CSheetCellBase* pCell = grid.GetCell(2, 1);
    EXPECT_STREQ(pCell->GetText(), L"value");
    // The state is stored as given (the modified mark comes first).
    EXPECT_EQ(pCell->GetState(), GVIS_READONLY);
    EXPECT_EQ(pCell->GetBackClr(), RGB(1, 2, 3));
    EXPECT_EQ(pCell->GetTextClr(), CLR_GRID_DEFAULT);
    EXPECT_EQ(pCell->GetMargin(), 9u);
    EXPECT_EQ(pCell->GetData(), 1234);
    EXPECT_TRUE(grid.GetModified());
}

TEST(SheetGridCore, WheelLinesComeFromTheUsersSettings)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyEx(
                  HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
        ERROR_SUCCESS);
    wchar_t saved[256] = {};
    DWORD savedSize = sizeof(saved) - sizeof(wchar_t);
    const bool hadValue
        = ::RegQueryValueEx(hKey, L"WheelScrollLines", nullptr, nullptr, reinterpret_cast<BYTE*>(saved), &savedSize)
        == ERROR_SUCCESS;
    auto setValue = [&](const wchar_t* value) {
        ::RegSetValueEx(hKey, L"WheelScrollLines", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
            static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    };

    ::RegDeleteValue(hKey, L"WheelScrollLines");
    {
        CSheetCtrl grid;
        EXPECT_EQ(grid.GetMouseWheelLines(), 3u);
    }
    setValue(L"7");
    {
        CSheetCtrl grid;
        EXPECT_EQ(grid.GetMouseWheelLines(), 7u);
    }
    setValue(L"-1");
    {
        CSheetCtrl grid;
        EXPECT_EQ(static_cast<int>(grid.GetMouseWheelLines()), -1);
    }

    if (hadValue)
        setValue(saved);
    else
        ::RegDeleteValue(hKey, L"WheelScrollLines");
    ::RegCloseKey(hKey);
}

TEST_F(GridTest, DefaultsOfANewGrid)
{
    CSheetCtrl fresh;
    EXPECT_EQ(fresh.GetGridColor(), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(fresh.GetGridLines(), GVL_BOTH);
    EXPECT_TRUE(fresh.IsEditable());
    EXPECT_FALSE(fresh.GetDragAndDrop());
    EXPECT_FALSE(fresh.GetListMode());
    EXPECT_TRUE(fresh.IsSelectable());
    EXPECT_TRUE(fresh.GetTitleTips());
    EXPECT_EQ(fresh.GetTextColor(), ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(fresh.GetFixedBkColor(), ::GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(fresh.GetOutsideColor(), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(fresh.GetDefCellWidth(), 30);
    EXPECT_EQ(fresh.GetDefCellHeight(), 10);
    EXPECT_EQ(fresh.GetSortColumn(), -1);
    // The bound grid took the font and registered as a drop target.
    EXPECT_TRUE(grid.IsDropTargetRegistered());
    EXPECT_NE(grid.SendMessage(WM_GETFONT), 0);
    EXPECT_NE(grid.GetTitleTip().GetSafeHwnd(), nullptr);
    EXPECT_EQ(grid.SendMessage(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
    {
        gridtest::CKeyHeld ctrl(VK_CONTROL);
        EXPECT_EQ(grid.SendMessage(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
    }
}

TEST_F(GridTest, SetFontChangesTheDefaultHeightOfNewRowsOnly)
{
    CFont big;
    ASSERT_TRUE(big.CreateFont(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    grid.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(big.m_hObject), FALSE);
    TEXTMETRIC tm {};
    {
        CClientDC dc(&grid);
        CSelectGuard guard(dc, big);
        dc.GetTextMetrics(&tm);
    }
    EXPECT_EQ(grid.GetDefCellHeight(), tm.tmHeight + tm.tmExternalLeading + tm.tmHeight / 4);
    EXPECT_EQ(grid.GetRowHeight(3), 20);
    grid.SetRowCount(12);
    EXPECT_EQ(grid.GetRowHeight(11), grid.GetDefCellHeight());
    EXPECT_EQ(grid.GetCell(11, 2)->GetFont()->lfHeight, -30);
    EXPECT_EQ(grid.GetCell(3, 2)->GetFont()->lfHeight, -30);
    LOGFONT lf {};
    ::GetObject(reinterpret_cast<HFONT>(grid.SendMessage(WM_GETFONT)), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -30);
}

TEST_F(GridTest, NotificationsCarryTheCellAndTheGrid)
{
    EXPECT_EQ(grid.SendMessageToParent(3, 4, NM_DBLCLK), 0);
    ASSERT_EQ(parent.notes.size(), 1u);
    EXPECT_EQ(parent.notes[0], (CTestParent::Note { gridtest::kDblClk, 3, 4 }));
    CSheetCtrl windowless;
    EXPECT_EQ(windowless.SendMessageToParent(1, 1, NM_CLICK), 0);
    EXPECT_EQ(parent.notes.size(), 1u);
}

TEST_F(GridTest, LoweringTheRowCountBelowTheFocusClearsIt)
{
    grid.SetFocusCell(8, 2);
    grid.SetRowCount(6);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
    grid.SetFocusCell(4, 4);
    grid.SetColumnCount(3);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
}
} // namespace
