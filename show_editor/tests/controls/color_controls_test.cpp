// Colour controls: the strip bar's mouse reports and painting, the picture
// combo's item drawing and the swatch.
#include "color_combox.h"
#include "color_sel_ctrl.h"
#include "color_show_bar.h"
#include "color_skin_button.h"
#include "controls_test_support.h"
#include "fw_testing.h"

#include "../../document/show_messages.h"

#include <gtest/gtest.h>

namespace {

class ShowBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.GetSafeHwnd() != nullptr);
        HWND bar = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, 100, 40,
            m_host.GetSafeHwnd(), reinterpret_cast<HMENU>(1001), nullptr, nullptr);
        ASSERT_TRUE(bar != nullptr);
        ASSERT_TRUE(m_bar.SubclassDlgItem(1001, &m_host));
    }
    void Mouse(UINT message, int x, int y)
    {
        m_bar.SendMessage(message, 0, MAKELPARAM(x, y));
        fwtest::PumpPending();
    }
    CControlHostWnd m_host { { WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONDBLCLK, WM_TRACKER_MOVED } };
    CColorShowBar m_bar;
};

TEST_F(ShowBarTest, DragIsReportedAndGivesANormalisedRectangle)
{
    m_bar.m_bReportDrag = TRUE;
    m_bar.m_bReportLButtonDown = TRUE;
    Mouse(WM_LBUTTONDOWN, 50, 10);
    EXPECT_TRUE(m_bar.m_bDragging);
    EXPECT_EQ(::GetCapture(), m_bar.GetSafeHwnd());
    Mouse(WM_MOUSEMOVE, 30, 20);
    Mouse(WM_LBUTTONUP, 20, 30);
    EXPECT_FALSE(m_bar.m_bDragging);
    CRect rc;
    m_bar.GetDragRect(&rc);
    EXPECT_EQ(rc, CRect(20, 10, 50, 30));

    auto& seen = m_host.m_seen;
    ASSERT_EQ(seen.size(), 3u);
    auto barWnd = reinterpret_cast<WPARAM>(m_bar.GetSafeHwnd());
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(seen[0].wParam, barWnd);
    auto* start = reinterpret_cast<POINT*>(seen[0].lParam);
    EXPECT_EQ(start->x, 50);
    EXPECT_EQ(start->y, 10);
    EXPECT_EQ(seen[1].message, WM_TRACKER_MOVED);
    EXPECT_EQ(seen[1].lParam, 0);
    EXPECT_EQ(seen[2].message, WM_TRACKER_MOVED);
    auto* end = reinterpret_cast<POINT*>(seen[2].lParam);
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->x, 20);
    EXPECT_EQ(end->y, 30);
}

TEST_F(ShowBarTest, NothingIsReportedWithoutTheFlagsButDoubleClicksAlwaysAre)
{
    Mouse(WM_LBUTTONDOWN, 5, 5);
    Mouse(WM_MOUSEMOVE, 6, 6);
    Mouse(WM_LBUTTONUP, 7, 7);
    Mouse(WM_RBUTTONDOWN, 8, 8);
    EXPECT_TRUE(m_host.m_seen.empty());
    Mouse(WM_LBUTTONDBLCLK, 12, 13);
    ASSERT_EQ(m_host.m_seen.size(), 1u);
    EXPECT_EQ(m_host.m_seen[0].message, static_cast<UINT>(WM_LBUTTONDBLCLK));
    auto* pt = reinterpret_cast<POINT*>(m_host.m_seen[0].lParam);
    EXPECT_EQ(pt->x, 12);
    EXPECT_EQ(pt->y, 13);
}

TEST_F(ShowBarTest, RightClickMovesTheDragStart)
{
    m_bar.m_bReportRButtonDown = TRUE;
    Mouse(WM_LBUTTONDOWN, 50, 10);
    Mouse(WM_LBUTTONUP, 60, 20);
    Mouse(WM_RBUTTONDOWN, 90, 35);
    CRect rc;
    m_bar.GetDragRect(&rc);
    EXPECT_EQ(rc, CRect(60, 20, 90, 35));
    ASSERT_EQ(m_host.m_seen.size(), 1u);
    EXPECT_EQ(m_host.m_seen[0].message, static_cast<UINT>(WM_RBUTTONDOWN));
    EXPECT_EQ(reinterpret_cast<POINT*>(m_host.m_seen[0].lParam), &m_bar.m_ptDragStart);
}

TEST_F(ShowBarTest, ReleaseWithoutPressStillReportsTheReleasePoint)
{
    m_bar.m_bReportDrag = TRUE;
    Mouse(WM_LBUTTONUP, 33, 4);
    ASSERT_EQ(m_host.m_seen.size(), 1u);
    EXPECT_EQ(m_host.m_seen[0].message, WM_TRACKER_MOVED);
    auto* pt = reinterpret_cast<POINT*>(m_host.m_seen[0].lParam);
    EXPECT_EQ(pt->x, 33);
    EXPECT_EQ(pt->y, 4);
}

// Counts the pixels of a colour in the left part of the canvas.
int CountColor(CPixelCanvas& canvas, COLORREF color, int cx, int cy)
{
    int n = 0;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            n += canvas.At(x, y) == color ? 1 : 0;
    return n;
}

TEST_F(ShowBarTest, PaintStretchesTheSourcesClipBox)
{
    // Source: left half red, right half blue, clipped to the right half.
    CPixelCanvas source(20, 2);
    source.Dc().FillSolidRect(0, 0, 10, 2, RGB(255, 0, 0));
    source.Dc().FillSolidRect(10, 0, 10, 2, RGB(0, 0, 255));
    source.Dc().IntersectClipRect(10, 0, 20, 2);
    m_bar.m_pSrcDC = &source.Dc();
    CPixelCanvas out(100, 40);
    m_bar.Paint(&out.Dc(), CRect(0, 0, 100, 40));
    EXPECT_EQ(out.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(out.At(99, 39), RGB(0, 0, 255));
    EXPECT_EQ(CountColor(out, RGB(255, 0, 0), 100, 40), 0);
}

TEST_F(ShowBarTest, TheNumberIsRedOverLightPackedColoursAndWhiteOverBlack)
{
    struct Case {
        COLORREF under;
        COLORREF expectedText;
    };
    const Case cases[] = {
        { RGB(255, 255, 255), RGB(255, 0, 0) },
        { RGB(0, 0, 0), RGB(255, 255, 255) },
        // Compared as a packed number: blue is "greater" than light grey.
        { RGB(0, 0, 255), RGB(255, 0, 0) },
    };
    for (const Case& c : cases) {
        CPixelCanvas source(4, 4, c.under);
        m_bar.m_pSrcDC = &source.Dc();
        m_bar.m_bShowNumber = TRUE;
        m_bar.m_nNumber = 88;
        CPixelCanvas out(100, 40);
        m_bar.Paint(&out.Dc(), CRect(0, 0, 100, 40));
        EXPECT_GT(CountColor(out, c.expectedText, 40, 40), 5) << std::hex << c.under;
        EXPECT_GT(m_bar.m_nNumberTextHeight, 0);
        // Nothing is drawn right of the number.
        EXPECT_EQ(out.At(90, 20), c.under);
    }
}

TEST_F(ShowBarTest, WithBothFlagsOrNeitherOnlyTheImageShows)
{
    CPixelCanvas source(4, 4, RGB(0, 200, 0));
    m_bar.m_pSrcDC = &source.Dc();
    for (BOOL both : { TRUE, FALSE }) {
        m_bar.m_bShowNumber = both;
        m_bar.m_bTooShort = both;
        CPixelCanvas out(100, 40);
        m_bar.Paint(&out.Dc(), CRect(0, 0, 100, 40));
        EXPECT_EQ(CountColor(out, RGB(0, 200, 0), 100, 40), 4000);
    }
    // Too short alone: the message in black on white, centred.
    m_bar.m_bTooShort = TRUE;
    m_bar.m_bShowNumber = FALSE;
    CPixelCanvas out(300, 40);
    m_bar.Paint(&out.Dc(), CRect(0, 0, 300, 40));
    EXPECT_GT(CountColor(out, RGB(255, 255, 255), 300, 40), 50);
    EXPECT_EQ(out.At(0, 0), RGB(0, 200, 0));
}

TEST_F(ShowBarTest, PictureIsShownWithoutSourceAndNothingWithNeither)
{
    CPixelCanvas out(100, 40, RGB(1, 2, 3));
    m_bar.Paint(&out.Dc(), CRect(0, 0, 100, 40));
    EXPECT_EQ(CountColor(out, RGB(1, 2, 3), 100, 40), 4000);

    HBITMAP picture = MakeSolidBitmap(3, 3, RGB(200, 100, 0));
    CBitmap* pBitmap = CBitmap::FromHandle(picture);
    m_bar.m_pBitmap = pBitmap;
    m_bar.m_bShowNumber = TRUE;
    m_bar.Paint(&out.Dc(), CRect(0, 0, 100, 40));
    // The picture is stretched whole and no number is drawn over it.
    EXPECT_EQ(CountColor(out, RGB(200, 100, 0), 100, 40), 4000);
    ::DeleteObject(picture);
}

TEST(ColorCombox, DrawsPicturesFramesSelectionAndAnEmptyEditPartWhite)
{
    CControlHostWnd host({});
    HWND combo = ::CreateWindowExW(0, L"COMBOBOX", L"",
        WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0, 0, 120, 200,
        host.GetSafeHwnd(), reinterpret_cast<HMENU>(1002), nullptr, nullptr);
    ASSERT_TRUE(combo != nullptr);
    auto* pBox = new CColorCombox;
    ASSERT_TRUE(pBox->SubclassDlgItem(1002, &host));

    CPixelCanvas out(40, 20, RGB(9, 9, 9));
    DRAWITEMSTRUCT dis {};
    dis.CtlType = ODT_COMBOBOX;
    dis.itemID = static_cast<UINT>(-1);
    dis.hDC = out.Dc().GetSafeHdc();
    dis.rcItem = CRect(0, 0, 40, 20);
    pBox->DrawItem(&dis);
    EXPECT_EQ(CountColor(out, RGB(255, 255, 255), 40, 20), 800);

    HBITMAP picture = MakeSolidBitmap(2, 2, RGB(0, 128, 0));
    CBitmap* pBitmap = CBitmap::FromHandle(picture);
    EXPECT_EQ(pBox->AddBitmapItem(0, pBitmap), 0);
    EXPECT_EQ(pBox->AddBitmapItem(1, pBitmap), 1);
    CString text;
    pBox->GetLBText(1, text);
    EXPECT_EQ(text, L"ITEM:1");
    auto* item = reinterpret_cast<S_CBItem*>(pBox->GetItemData(1));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->nIndex, 1);
    EXPECT_EQ(item->pBitmap, pBitmap);

    dis.itemID = 1;
    dis.itemData = pBox->GetItemData(1);
    dis.itemState = ODS_SELECTED;
    pBox->DrawItem(&dis);
    EXPECT_EQ(out.At(0, 0), RGB(0, 128, 0));
    EXPECT_EQ(out.At(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(out.At(38, 18), RGB(0, 0, 255));
    EXPECT_EQ(out.At(20, 10), RGB(0, 128, 0));

    // The pictures outlive the box.
    pBox->DestroyWindow();
    delete pBox;
    BITMAP bm {};
    EXPECT_EQ(::GetObjectW(picture, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    ::DeleteObject(picture);
}

TEST(ColorSelCtrl, BecomesOwnerDrawnAndNotifying)
{
    CControlHostWnd host({});
    ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 30, 20, host.GetSafeHwnd(),
        reinterpret_cast<HMENU>(1003), nullptr, nullptr);
    CColorSelCtrl swatch;
    ASSERT_TRUE(swatch.SubclassDlgItem(1003, &host));
    EXPECT_EQ(swatch.GetStyle() & SS_TYPEMASK, static_cast<DWORD>(SS_OWNERDRAW));
    EXPECT_NE(swatch.GetStyle() & SS_NOTIFY, 0u);
    swatch.m_color = RGB(10, 200, 30);
    swatch.DrawItem(nullptr);
    HDC hdc = ::GetDC(swatch.GetSafeHwnd());
    COLORREF edge = ::GetPixel(hdc, 0, 0);
    COLORREF inside = ::GetPixel(hdc, 15, 10);
    ::ReleaseDC(swatch.GetSafeHwnd(), hdc);
    // Without a display a window DC may read back nothing; check only when it does.
    if (edge != CLR_INVALID) {
        EXPECT_EQ(edge, RGB(0, 0, 255));
        EXPECT_EQ(inside, RGB(10, 200, 30));
    }
}

} // namespace

namespace {

TEST(SkinColorButton, DrawsItsColourInsideTwoFramesAndPicksANewOneOnClick)
{
    CControlHostWnd host({});
    CSkinColorButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 20), &host, 1004));
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    button.SetColor(RGB(10, 20, 30));
    CPixelCanvas out(30, 20);
    button.DrawFace(&out.Dc(), CRect(0, 0, 30, 20), FALSE, FALSE);
    EXPECT_EQ(out.At(2, 2), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(out.At(3, 3), ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(out.At(4, 4), RGB(10, 20, 30));
    EXPECT_EQ(out.At(25, 15), RGB(10, 20, 30));
    // "No colour" shows the automatic colour; disabled shows none.
    button.m_colorAutomatic = RGB(200, 0, 0);
    button.SetColor(CSkinColorButton::kNoColor);
    button.DrawFace(&out.Dc(), CRect(0, 0, 30, 20), FALSE, FALSE);
    EXPECT_EQ(out.At(10, 10), RGB(200, 0, 0));
    CPixelCanvas disabled(30, 20, RGB(7, 7, 7));
    button.DrawFace(&disabled.Dc(), CRect(0, 0, 30, 20), TRUE, FALSE);
    EXPECT_EQ(disabled.At(10, 10), RGB(7, 7, 7));

    fwtest::CScriptedUiHost ui;
    ui.ExpectColor(RGB(1, 99, 2));
    ui.ExpectCancel(fwtest::CScriptedUiHost::Kind::Color);
    host.SendMessage(WM_COMMAND, MAKEWPARAM(1004, BN_CLICKED), reinterpret_cast<LPARAM>(button.GetSafeHwnd()));
    EXPECT_EQ(button.GetColor(), RGB(1, 99, 2));
    host.SendMessage(WM_COMMAND, MAKEWPARAM(1004, BN_CLICKED), reinterpret_cast<LPARAM>(button.GetSafeHwnd()));
    EXPECT_EQ(button.GetColor(), RGB(1, 99, 2));
}

} // namespace
