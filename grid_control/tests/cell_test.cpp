// Cells: defaults, reset, copying, state flags, run-time creation of custom
// cell classes by the grid, and measuring.
#include "grid_fixture.h"

using gridtest::GridTest;

namespace {
// A custom cell class: records where the grid put it.
class CRecordingCell : public CSheetCell {
    DECLARE_DYNCREATE(CRecordingCell)
public:
    void SetCoords(int row, int col) override
    {
        m_row = row;
        m_col = col;
        m_nCoordCalls++;
    }
    int m_row = -1;
    int m_col = -1;
    int m_nCoordCalls = 0;
};
IMPLEMENT_DYNCREATE(CRecordingCell, CSheetCell)

// A dynamically creatable class that is no cell.
class CNotACell : public CObject {
    DECLARE_DYNCREATE(CNotACell)
};
IMPLEMENT_DYNCREATE(CNotACell, CObject)

TEST(SheetCell, DefaultsAndResetKeepTheFontButDropTheGrid)
{
    CSheetCtrl grid;
    CSheetCell cell;
    EXPECT_EQ(cell.GetFormat(), static_cast<DWORD>(DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS));
    EXPECT_EQ(cell.GetFormat(), 0x8824u);
    EXPECT_STREQ(cell.GetText(), L"");
    EXPECT_EQ(cell.GetImage(), -1);
    EXPECT_EQ(cell.GetBackClr(), CLR_GRID_DEFAULT);
    EXPECT_EQ(cell.GetTextClr(), CLR_GRID_DEFAULT);
    EXPECT_EQ(cell.GetMargin(), 3u);
    EXPECT_EQ(cell.GetData(), 0);
    EXPECT_FALSE(cell.IsEditing());
    EXPECT_EQ(cell.GetGrid(), nullptr);

    LOGFONT lf {};
    lf.lfHeight = -17;
    wcscpy(lf.lfFaceName, L"Tahoma");
    cell.SetFont(&lf);
    cell.SetGrid(&grid);
    cell.SetText(L"abc");
    cell.SetState(GVIS_SELECTED | GVIS_READONLY);
    cell.SetFormat(DT_RIGHT);
    cell.SetMargin(7);
    cell.SetBackClr(RGB(1, 2, 3));
    cell.Reset();
    EXPECT_STREQ(cell.GetText(), L"");
    EXPECT_EQ(cell.GetState(), 0u);
    EXPECT_EQ(cell.GetFormat(), 0x8824u);
    EXPECT_EQ(cell.GetMargin(), 3u);
    EXPECT_EQ(cell.GetBackClr(), CLR_GRID_DEFAULT);
    EXPECT_EQ(cell.GetGrid(), nullptr);
    EXPECT_EQ(cell.GetFont()->lfHeight, -17);

    // Without a grid the cell cannot draw.
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_FALSE(cell.Draw(&dc, 1, 1, CRect(0, 0, 10, 10)));
    cell.SetGrid(&grid);
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateBitmap(20, 20, 1, 32, nullptr));
    CSelectGuard guard(dc, bmp);
    EXPECT_TRUE(cell.Draw(&dc, 1, 1, CRect(0, 0, 10, 10)));
    EXPECT_FALSE(cell.Draw(&dc, 1, 1, CRect(0, 0, 0, 10)));
    EXPECT_FALSE(cell.Draw(nullptr, 1, 1, CRect(0, 0, 10, 10)));
}

TEST(SheetCell, BaseCellHasOnlyItsState)
{
    CSheetCellBase base;
    base.SetText(L"ignored");
    base.SetBackClr(RGB(9, 9, 9));
    base.SetState(GVIS_FIXED | GVIS_MODIFIED);
    EXPECT_EQ(base.GetText(), nullptr);
    EXPECT_EQ(base.GetTipText(), nullptr);
    EXPECT_EQ(base.GetImage(), -1);
    EXPECT_EQ(base.GetBackClr(), 0u);
    EXPECT_EQ(base.GetFont(), nullptr);
    EXPECT_EQ(base.GetGrid(), nullptr);
    EXPECT_EQ(base.GetState(), GVIS_FIXED | GVIS_MODIFIED);
    EXPECT_TRUE(base.IsFixed());
    EXPECT_FALSE(base.Edit(0, 0, CRect(0, 0, 5, 5), CPoint(0, 0), 8, 'a'));
    base.Reset();
    EXPECT_EQ(base.GetState(), 0u);
}

TEST(SheetCell, AssignmentCopiesThroughTheGetters)
{
    CSheetCtrl grid;
    CSheetCell a, b;
    a.SetGrid(&grid);
    a.SetText(L"text");
    a.SetImage(2);
    a.SetData(77);
    a.SetState(GVIS_READONLY);
    a.SetFormat(DT_CENTER);
    a.SetTextClr(RGB(1, 0, 0));
    a.SetBackClr(RGB(0, 1, 0));
    a.SetMargin(5);
    b = a;
    EXPECT_EQ(b.GetGrid(), &grid);
    EXPECT_STREQ(b.GetText(), L"text");
    EXPECT_EQ(b.GetImage(), 2);
    EXPECT_EQ(b.GetData(), 77);
    EXPECT_EQ(b.GetState(), GVIS_READONLY);
    EXPECT_EQ(b.GetFormat(), static_cast<DWORD>(DT_CENTER));
    EXPECT_EQ(b.GetTextClr(), RGB(1, 0, 0));
    EXPECT_EQ(b.GetBackClr(), RGB(0, 1, 0));
    EXPECT_EQ(b.GetMargin(), 5u);
    EXPECT_FALSE(b.IsEditing());
    // Assigning a plain base cell takes its null text as empty.
    CSheetCellBase base;
    b = static_cast<const CSheetCellBase&>(base);
    EXPECT_STREQ(b.GetText(), L"");
}

TEST(SheetGridCells, CustomCellClassIsCreatedAtRunTime)
{
    CSheetCtrl grid;
    grid.SetDefaultCellType(RUNTIME_CLASS(CRecordingCell));
    grid.SetRowCount(3);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    for (int r = 0; r < 3; r++) {
        for (int c = 0; c < 4; c++) {
            CSheetCellBase* pCell = grid.GetCell(r, c);
            ASSERT_NE(pCell, nullptr);
            ASSERT_TRUE(pCell->IsKindOf(RUNTIME_CLASS(CRecordingCell)));
            auto* pRec = static_cast<CRecordingCell*>(pCell);
            EXPECT_EQ(pRec->m_row, r);
            EXPECT_EQ(pRec->m_col, c);
            EXPECT_EQ(pRec->GetGrid(), &grid);
            EXPECT_EQ((pCell->GetState() & GVIS_FIXED) != 0, r == 0);
        }
    }
}

TEST(SheetGridCells, ClassThatIsNoCellLeavesMissingCells)
{
    CSheetCtrl grid;
    grid.SetDefaultCellType(RUNTIME_CLASS(CNotACell));
    grid.SetRowCount(2);
    grid.SetColumnCount(2);
    EXPECT_EQ(grid.GetCell(1, 1), nullptr);
    EXPECT_FALSE(grid.SetItemText(1, 1, L"x"));
    EXPECT_EQ(grid.GetItemText(1, 1), L"");
    EXPECT_EQ(grid.GetItemState(1, 1), 0u);
    EXPECT_FALSE(grid.SetItemState(1, 1, GVIS_SELECTED));
    grid.SelectAll();
    EXPECT_FALSE(grid.GetSelectedCellRange().IsValid());
    EXPECT_TRUE(grid.SortTextItems(0, TRUE));
    grid.SetRowCount(0);
}

TEST(SheetGridCells, NewCellsCopyTheFormatOfTheCellAbove)
{
    CSheetCtrl grid;
    grid.SetRowCount(1);
    grid.SetColumnCount(2);
    GridItem item;
    item.row = 0;
    item.col = 1;
    item.mask = GVIF_TEXT | GVIF_FORMAT;
    item.strText = L"Header";
    item.nFormat = DT_CENTER | DT_VCENTER | DT_NOPREFIX;
    ASSERT_TRUE(grid.SetItem(&item));
    grid.SetRowCount(3);
    EXPECT_EQ(grid.GetItemFormat(2, 1), static_cast<UINT>(DT_CENTER | DT_VCENTER | DT_NOPREFIX));
    EXPECT_EQ(grid.GetItemFormat(0, 0), 0x8824u);
    EXPECT_EQ(grid.GetItemFormat(2, 0), 0x8824u);
    EXPECT_EQ(grid.GetItemText(0, 1), L"Header");
}

TEST_F(GridTest, CellExtentOfAMultiLineCellIsItsLongerLine)
{
    CSheetCellBase* pCell = grid.GetCell(2, 2);
    ASSERT_NE(pCell, nullptr);
    pCell->SetText(L"ab\nabcdefghij");
    pCell->SetFormat(DT_WORDBREAK | DT_LEFT);
    CClientDC dc(&grid);
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(pCell->GetFont()));
    CSelectGuard guard(dc, font);
    const int longWidth = dc.GetTextExtent(CString(L"abcdefghij")).cx;
    const int lineHeight = dc.GetTextExtent(CString(L"ab")).cy;
    CSize extent = pCell->GetCellExtent(&dc);
    EXPECT_EQ(extent.cx, longWidth + 4 * 3);
    EXPECT_EQ(extent.cy, 2 * lineHeight + 2 * 3);

    pCell->SetFormat(DT_SINGLELINE);
    pCell->SetText(L"abcdefghij");
    EXPECT_EQ(pCell->GetCellExtent(&dc).cx, longWidth + 12);
    EXPECT_EQ(pCell->GetTextExtent(nullptr).cx, longWidth + 6);
}
} // namespace
