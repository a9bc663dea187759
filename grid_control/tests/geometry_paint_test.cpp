// Geometry and painting: cell rectangles, hit testing, hidden columns,
// scrolling, and pixels painted into a memory device context.
#include "MemDCEx.h"
#include "grid_fixture.h"

using gridtest::GridTest;

namespace {
// A 32-bit memory DC of the grid's client size.
class CCanvas {
public:
    CCanvas(int w, int h)
    {
        dc.CreateCompatibleDC(nullptr);
        BITMAPINFO bi {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        hBitmap = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        hOld = ::SelectObject(dc, hBitmap);
        CRect all(0, 0, w, h);
        dc.FillSolidRect(&all, RGB(1, 2, 3));
    }
    ~CCanvas()
    {
        ::SelectObject(dc, hOld);
        ::DeleteObject(hBitmap);
    }
    COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
    CDC dc;
    HBITMAP hBitmap;
    HGDIOBJ hOld;
};

TEST_F(GridTest, CellRectanglesAndHitTesting)
{
    CRect rect;
    ASSERT_TRUE(grid.GetCellRect(2, 3, &rect));
    EXPECT_EQ(rect, CRect(150, 40, 199, 59));
    ASSERT_TRUE(grid.GetCellRect(0, 0, &rect));
    EXPECT_EQ(rect, CRect(0, 0, 49, 19));
    EXPECT_FALSE(grid.GetCellRect(10, 0, &rect));

    struct Case {
        CPoint pt;
        BOOL allowFixed;
        CCellID expected;
    };
    const Case cases[] = {
        { CPoint(0, 0), TRUE, CCellID(0, 0) },
        { CPoint(49, 19), TRUE, CCellID(0, 0) },
        { CPoint(50, 20), TRUE, CCellID(1, 1) },
        { CPoint(199, 59), TRUE, CCellID(2, 3) },
        { CPoint(249, 199), TRUE, CCellID(9, 4) },
        { CPoint(250, 50), TRUE, CCellID(2, -1) },
        { CPoint(-1, 50), TRUE, CCellID(2, -1) },
        { CPoint(10, 50), FALSE, CCellID(2, -1) },
        { CPoint(60, 10), FALSE, CCellID(-1, 1) },
        { CPoint(60, 10), TRUE, CCellID(0, 1) },
    };
    for (const Case& c : cases) {
        CCellID cell = grid.GetCellFromPt(c.pt, c.allowFixed);
        EXPECT_EQ(cell.row, c.expected.row) << c.pt.x << "," << c.pt.y;
        EXPECT_EQ(cell.col, c.expected.col) << c.pt.x << "," << c.pt.y;
    }
    EXPECT_EQ(grid.GetPointRelativeToCell(CCellID(2, 3), CPoint(160, 45)), CPoint(10, 5));
    EXPECT_EQ(grid.GetPointRelativeToCell(CCellID(20, 3), CPoint(160, 45)), CPoint(0, 0));
}

TEST_F(GridTest, HiddenColumnTakesNoPixels)
{
    grid.SetColumnWidth(2, 0);
    CRect r2, r3;
    ASSERT_TRUE(grid.GetCellRect(1, 2, &r2));
    ASSERT_TRUE(grid.GetCellRect(1, 3, &r3));
    EXPECT_EQ(r3.left, 100);
    EXPECT_EQ(r2.left, 100);
    EXPECT_EQ(grid.GetCellFromPt(CPoint(100, 30)).col, 3);
}

TEST_F(GridTest, OnlyFixedRowsMeanNoCellUnderAnyPoint)
{
    grid.SetFixedRowCount(10);
    EXPECT_EQ(grid.GetCellFromPt(CPoint(10, 10)), CCellID(-1, -1));
}

TEST_F(GridTest, ScrollingMovesTheTopLeftCellAndHidesScrolledOutCells)
{
    Layout(40, 12);
    EXPECT_GT(grid.GetVScrollMax(), 0);
    EXPECT_GT(grid.GetHScrollMax(), 0);
    EXPECT_EQ(grid.GetTopleftNonFixedCell(), CCellID(1, 1));
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    grid.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 40);
    EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), 50);
    EXPECT_EQ(grid.GetTopleftNonFixedCell(), CCellID(3, 2));

    CRect rect;
    EXPECT_FALSE(grid.GetCellRect(2, 1, &rect));
    EXPECT_FALSE(grid.IsCellVisible(2, 5));
    EXPECT_FALSE(grid.IsCellVisible(5, 1));
    EXPECT_FALSE(grid.InvalidateCellRect(5, 1));
    EXPECT_TRUE(grid.IsCellVisible(0, 0));
    ASSERT_TRUE(grid.GetCellRect(3, 2, &rect));
    EXPECT_EQ(rect, CRect(50, 20, 99, 39));
    // The fixed headers stay where they are.
    ASSERT_TRUE(grid.GetCellRect(0, 2, &rect));
    EXPECT_EQ(rect, CRect(50, 0, 99, 19));
    EXPECT_EQ(grid.GetCellFromPt(CPoint(60, 30)), CCellID(3, 2));

    grid.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 20);
    grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 0);
    EXPECT_EQ(grid.GetTopleftNonFixedCell().row, 1);
}

TEST_F(GridTest, PaintsGridLinesFixedCellsFocusAndTheOutsideArea)
{
    for (int r = 0; r < 10; r++)
        for (int c = 0; c < 5; c++)
            grid.SetItemText(r, c, L"");
    grid.SetBkColor(RGB(255, 255, 255));
    grid.SetFixedBkColor(RGB(200, 200, 100));
    grid.SetOutsideColor(RGB(10, 60, 110));
    grid.SetTextColor(RGB(0, 0, 128));
    grid.SetFocusCell(3, 2);
    CCanvas canvas(kWidth, kHeight);
    grid.OnDraw(&canvas.dc);

    // Vertical and horizontal grid lines on the last pixel of each cell.
    EXPECT_EQ(canvas.At(99, 110), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(canvas.At(75, 39), RGB(0xC0, 0xC0, 0xC0));
    // Inside a plain cell: the background colour.
    EXPECT_EQ(canvas.At(75, 110), RGB(255, 255, 255));
    // Inside a fixed cell: the fixed background.
    EXPECT_EQ(canvas.At(25, 110), RGB(200, 200, 100));
    EXPECT_EQ(canvas.At(175, 10), RGB(200, 200, 100));
    // Right of the last column: the outside colour; no grid line there.
    EXPECT_EQ(canvas.At(270, 110), RGB(10, 60, 110));
    // The focus cell (3, 2) at (100..149, 60..79) has a frame in the text colour.
    EXPECT_EQ(canvas.At(100, 70), RGB(0, 0, 128));
    EXPECT_EQ(canvas.At(125, 60), RGB(0, 0, 128));
    EXPECT_EQ(canvas.At(125, 70), RGB(255, 255, 255));
    // The header of the focused row is sunken: its top-left pixel is dark.
    EXPECT_EQ(canvas.At(0, 60), ::GetSysColor(COLOR_3DDKSHADOW));
    // A header of another row is raised: highlight on top.
    EXPECT_EQ(canvas.At(10, 20), ::GetSysColor(COLOR_3DHIGHLIGHT));

    // A change of the grid's colours shows on the next paint.
    grid.SetBkColor(RGB(0, 255, 0));
    grid.OnDraw(&canvas.dc);
    EXPECT_EQ(canvas.At(75, 110), RGB(0, 255, 0));
}

TEST_F(GridTest, CellDrawingColoursAndSortArrow)
{
    CCanvas canvas(kWidth, kHeight);
    CSheetCellBase* pCell = grid.GetCell(2, 2);
    pCell->SetText(L"");
    CRect rect(0, 0, 49, 19);

    // Without a colour of its own and without erase, nothing is filled.
    EXPECT_TRUE(pCell->Draw(&canvas.dc, 2, 2, rect, FALSE));
    EXPECT_EQ(canvas.At(20, 10), RGB(1, 2, 3));
    // A cell with its own background is filled whatever the erase flag says,
    // over its grid line too.
    pCell->SetBackClr(RGB(250, 0, 0));
    EXPECT_TRUE(pCell->Draw(&canvas.dc, 2, 2, rect, FALSE));
    EXPECT_EQ(canvas.At(20, 10), RGB(250, 0, 0));
    EXPECT_EQ(canvas.At(49, 19), RGB(250, 0, 0));
    EXPECT_EQ(canvas.At(50, 20), RGB(1, 2, 3));

    // Focused and selected: highlight with a frame in the highlight text colour.
    pCell->SetState(GVIS_FOCUSED | GVIS_SELECTED);
    EXPECT_TRUE(pCell->Draw(&canvas.dc, 2, 2, rect, FALSE));
    EXPECT_EQ(canvas.At(20, 10), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.At(0, 10), ::GetSysColor(COLOR_HIGHLIGHTTEXT));

    // The sort arrow only in row 0 of the sort column.
    grid.SortTextItems(2, TRUE);
    CCanvas arrow(60, 30);
    CSheetCellBase* pHeader = grid.GetCell(0, 2);
    pHeader->SetText(L"");
    pHeader->SetBackClr(RGB(255, 255, 255));
    grid.SetGridLines(GVL_NONE);
    CRect headerRect(0, 0, 49, 19);
    ASSERT_TRUE(pHeader->Draw(&arrow.dc, 0, 2, headerRect, TRUE));
    int shadowPixels = 0;
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 50; x++)
            shadowPixels += arrow.At(x, y) == ::GetSysColor(COLOR_3DSHADOW) ? 1 : 0;
    EXPECT_GT(shadowPixels, 5);
    CSheetCellBase* pBody = grid.GetCell(1, 2);
    pBody->SetText(L"");
    pBody->SetBackClr(RGB(255, 255, 255));
    ASSERT_TRUE(pBody->Draw(&arrow.dc, 1, 2, headerRect, TRUE));
    shadowPixels = 0;
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 50; x++)
            shadowPixels += arrow.At(x, y) == ::GetSysColor(COLOR_3DSHADOW) ? 1 : 0;
    EXPECT_EQ(shadowPixels, 0);
}

TEST(MemDCEx, BuffersTheClipBoxAndDrawsStraightIntoMetafiles)
{
    CCanvas canvas(40, 30);
    ::IntersectClipRect(canvas.dc, 10, 5, 30, 25);
    {
        CMemDCEx mem(&canvas.dc);
        EXPECT_TRUE(mem.IsMemDC());
        EXPECT_NE(mem.GetSafeHdc(), canvas.dc.GetSafeHdc());
        EXPECT_EQ(mem.GetPaintRect(), CRect(10, 5, 30, 25));
        CRect inside(12, 6, 14, 8);
        mem.FillSolidRect(&inside, RGB(9, 99, 199));
        EXPECT_EQ(canvas.At(12, 6), RGB(1, 2, 3));
    }
    EXPECT_EQ(canvas.At(12, 6), RGB(9, 99, 199));

    HDC hMeta = ::CreateEnhMetaFile(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hMeta, nullptr);
    {
        CDC meta;
        meta.Attach(hMeta);
        {
            CMemDCEx mem(&meta);
            EXPECT_FALSE(mem.IsMemDC());
            EXPECT_EQ(mem.GetSafeHdc(), hMeta);
        }
        meta.Detach();
    }
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(hMeta));
}
} // namespace
