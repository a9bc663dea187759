// Sorting by a column's text and the print layout (computed against a
// memory device context standing in for the printer).
#include "grid_fixture.h"

using gridtest::GridTest;

namespace {
std::vector<CString> Column(const CSheetCtrl& grid, int col)
{
    std::vector<CString> texts;
    for (int r = 0; r < grid.GetRowCount(); r++)
        texts.push_back(grid.GetItemText(r, col));
    return texts;
}

TEST(SheetGridSort, TextOrderNotNumericAndBothDirections)
{
    CSheetCtrl grid;
    grid.SetRowCount(4);
    grid.SetColumnCount(2);
    grid.SetFixedRowCount(1);
    const wchar_t* texts[] = { L"Head", L"10", L"9", L"100" };
    for (int r = 0; r < 4; r++) {
        grid.SetItemText(r, 1, texts[r]);
        grid.SetItemText(r, 0, CString(L"row") + texts[r]);
        grid.SetRowHeight(r, 10 + r);
    }
    EXPECT_TRUE(grid.SortTextItems(1, TRUE));
    EXPECT_EQ(Column(grid, 1), (std::vector<CString> { L"Head", L"10", L"100", L"9" }));
    // Whole rows move, with their heights; the fixed row stays.
    EXPECT_EQ(Column(grid, 0), (std::vector<CString> { L"rowHead", L"row10", L"row100", L"row9" }));
    EXPECT_EQ(grid.GetRowHeight(2), 13);
    EXPECT_EQ(grid.GetRowHeight(0), 10);
    EXPECT_EQ(grid.GetSortColumn(), 1);
    EXPECT_TRUE(grid.GetSortAscending());

    EXPECT_TRUE(grid.SortTextItems(1, FALSE));
    EXPECT_EQ(Column(grid, 1), (std::vector<CString> { L"Head", L"9", L"100", L"10" }));
    EXPECT_FALSE(grid.SortTextItems(2, TRUE));
    // Case matters: upper-case letters come first.
    grid.SetItemText(1, 1, L"b");
    grid.SetItemText(2, 1, L"B");
    grid.SetItemText(3, 1, L"a");
    grid.SortTextItems(1, TRUE);
    EXPECT_EQ(Column(grid, 1), (std::vector<CString> { L"Head", L"B", L"a", L"b" }));
}

TEST(SheetGridSort, LargeColumnSortsLikeAStableReference)
{
    CSheetCtrl grid;
    const int n = 500;
    grid.SetRowCount(n + 1);
    grid.SetColumnCount(1);
    grid.SetFixedRowCount(1);
    std::vector<CString> expected;
    unsigned seed = 12345;
    for (int r = 1; r <= n; r++) {
        seed = seed * 1103515245u + 12345u;
        CString s;
        s.Format(L"%u", (seed >> 16) % 97);
        grid.SetItemText(r, 0, s);
        expected.push_back(s);
    }
    std::sort(expected.begin(), expected.end(),
        [](const CString& a, const CString& b) { return wcscmp(a.GetString(), b.GetString()) < 0; });
    grid.SortTextItems(0, TRUE);
    for (int r = 1; r <= n; r++)
        ASSERT_EQ(grid.GetItemText(r, 0), expected[static_cast<size_t>(r - 1)]) << r;
}

TEST_F(GridTest, HeaderClicksInListModeSortAndFlipTheArrow)
{
    grid.SetListMode(TRUE);
    const wchar_t* texts[] = { L"k", L"c", L"x", L"a", L"m", L"b", L"z", L"d", L"e" };
    for (int r = 1; r < 10; r++)
        grid.SetItemText(r, 2, texts[r - 1]);
    Click(Centre(0, 2));
    EXPECT_EQ(grid.GetSortColumn(), 2);
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_EQ(grid.GetItemText(1, 2), L"a");
    EXPECT_EQ(grid.GetItemText(9, 2), L"z");
    Click(Centre(0, 2));
    EXPECT_FALSE(grid.GetSortAscending());
    EXPECT_EQ(grid.GetItemText(1, 2), L"z");
    // Editing any cell removes the arrow.
    grid.SetFocusCell(3, 3);
    Key(VK_DELETE);
    EXPECT_EQ(grid.GetSortColumn(), -1);
    // In list mode a click selects the whole row.
    Click(Centre(5, 3));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(5, 1, 5, 4));
}

class PrintTest : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        printer.CreateCompatibleDC(nullptr);
    }
    CDC printer;
    CPrintInfo info;
};

TEST_F(PrintTest, OnePageAcrossAndAsManyDownAsTheRowsNeed)
{
    Layout(200, 30);
    grid.OnBeginPrinting(&printer, &info);
    const CSize chars = grid.GetPrintCharSize();
    ASSERT_GT(chars.cx, 0);
    ASSERT_GT(chars.cy, 0);
    const int margins = 8 * chars.cx;
    const int width = 30 * 50 + margins;
    EXPECT_EQ(grid.GetPrintLogicalPageSize().cx, width);
    const int height = ::MulDiv(width, printer.GetDeviceCaps(VERTRES), printer.GetDeviceCaps(HORZRES));
    EXPECT_EQ(grid.GetPrintLogicalPageSize().cy, height);
    const int pageHeight = height - 20 - (2 + 2 + 2) * chars.cy;
    EXPECT_EQ(grid.GetPrintPageHeight(), pageHeight);
    const int rowsPerPage = pageHeight / 20;
    const int expectedPages = (199 + rowsPerPage - 1) / rowsPerPage;
    EXPECT_EQ(grid.GetPrintPagesAcross(), 1);
    EXPECT_EQ(grid.GetPrintPageCount(), expectedPages);
    EXPECT_EQ(info.GetMaxPage(), static_cast<UINT>(expectedPages));
    EXPECT_EQ(info.m_nCurPage, 1u);

    // Each page starts where the pagination put it; printing it draws
    // into the device context without failing.
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateBitmap(printer.GetDeviceCaps(HORZRES), printer.GetDeviceCaps(VERTRES), 1, 32, nullptr));
    CSelectGuard guard(printer, bmp);
    for (UINT page = 1; page <= info.GetMaxPage(); page++) {
        info.m_nCurPage = page;
        grid.OnPrint(&printer, &info);
        EXPECT_EQ(grid.GetPrintFirstRow(), 1 + static_cast<int>(page - 1) * rowsPerPage) << page;
        EXPECT_EQ(grid.GetPrintFirstColumn(), 1);
    }
    EXPECT_EQ(printer.GetMapMode(), MM_ANISOTROPIC);
    grid.OnEndPrinting(&printer, &info);
    grid.OnBeginPrinting(nullptr, &info);
    grid.OnPrint(&printer, nullptr);
}

TEST_F(PrintTest, AtScreenScaleColumnsSpreadOverPagesAcross)
{
    Layout(10, 60);
    grid.SetWysiwygPrinting(TRUE);
    grid.OnBeginPrinting(&printer, &info);
    // A memory DC has the screen's resolution: the page is 3/4 of its size.
    const int pageWidth = printer.GetDeviceCaps(HORZRES) * 3 / 4;
    EXPECT_EQ(grid.GetPrintLogicalPageSize().cx, pageWidth);
    const int cellWidth = grid.GetPrintPageWidth();
    EXPECT_EQ(cellWidth, pageWidth - 50 - 8 * grid.GetPrintCharSize().cx);
    const int colsPerPage = cellWidth / 50;
    const int across = (59 + colsPerPage - 1) / colsPerPage;
    EXPECT_EQ(grid.GetPrintPagesAcross(), across);
    EXPECT_EQ(grid.GetPrintPageCount(), across);
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateBitmap(printer.GetDeviceCaps(HORZRES), printer.GetDeviceCaps(VERTRES), 1, 32, nullptr));
    CSelectGuard guard(printer, bmp);
    info.m_nCurPage = 2;
    grid.OnPrint(&printer, &info);
    EXPECT_EQ(grid.GetPrintFirstColumn(), 1 + colsPerPage);
    EXPECT_EQ(grid.GetPrintFirstRow(), 1);
    grid.OnEndPrinting(&printer, &info);
}
} // namespace
