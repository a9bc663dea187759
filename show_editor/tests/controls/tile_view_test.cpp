// Tile view: placement, scroll sizes, selection by clicks, the Delete key and
// the tiles' painting.
#include "controls_test_support.h"
#include "fw_testing.h"
#include "tile_view.h"

#include "../../document/show_messages.h"

#include <gtest/gtest.h>

namespace {

class TileViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pView = new CMyColorView; // deletes itself with its window
        ASSERT_TRUE(m_pView->Create(
            nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(0, 0, 320, 50), &m_host, 2000, nullptr));
        m_pView->OnInitialUpdate();
        m_picture = ::CreateBitmap(2, 2, 1, 32, m_pixels);
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        ::DeleteObject(m_picture);
    }
    CRect TileRect(int n)
    {
        POSITION pos = m_pView->m_tiles.FindIndex(n);
        CRect rc;
        m_pView->m_tiles.GetAt(pos)->GetWindowRect(&rc);
        m_pView->ScreenToClient(&rc);
        return rc;
    }
    QCtrl* Tile(int n) { return m_pView->m_tiles.GetAt(m_pView->m_tiles.FindIndex(n)); }
    void AddTiles(int count)
    {
        for (int i = 0; i < count; ++i)
            m_pView->AddItem(CBitmap::FromHandle(m_picture), i);
    }

    CControlHostWnd m_host { { WM_TILE_SELECTED, WM_TILE_DELETE } };
    CMyColorView* m_pView = nullptr;
    DWORD m_pixels[4] = { 0x00FF0000, 0x00FF0000, 0x00FF0000, 0x00FF0000 };
    HBITMAP m_picture = nullptr;
};

TEST_F(TileViewTest, TilesFillRowsAndSetTheScrollHeight)
{
    AddTiles(4);
    EXPECT_EQ(TileRect(0), CRect(5, 1, 150, 31));
    EXPECT_EQ(TileRect(1), CRect(155, 1, 300, 31));
    EXPECT_EQ(TileRect(2), CRect(5, 32, 150, 62));
    EXPECT_EQ(TileRect(3), CRect(155, 32, 300, 62));
    EXPECT_EQ(m_pView->GetTotalSize(), CSize(300, 63));
    CString caption;
    Tile(3)->GetWindowText(caption);
    EXPECT_EQ(caption, L"3");

    m_pView->AddNamedItem(CBitmap::FromHandle(m_picture), L"Fire", 4);
    Tile(4)->GetWindowText(caption);
    EXPECT_EQ(caption, L"Fire");
    EXPECT_EQ(m_pView->GetTotalSize(), CSize(300, 94));

    m_pView->m_nCurSel = 2;
    m_pView->RemoveAllItems();
    EXPECT_TRUE(m_pView->m_tiles.IsEmpty());
    EXPECT_EQ(m_pView->m_nCurSel, -1);
    EXPECT_EQ(m_pView->GetTotalSize(), CSize(1, 1));
}

TEST_F(TileViewTest, TilesAddedAfterScrollingFollowTheLastTile)
{
    // Scrolling moves the tile windows only in a shown window.
    m_host.ShowWindow(SW_SHOWNA);
    AddTiles(6);
    m_pView->ScrollToPosition(CPoint(0, 31));
    ASSERT_EQ(m_pView->GetScrollPosition().y, 31);
    AddTiles(1);
    // Tile 6 starts row 3 right under tile 4, in view coordinates.
    // Tile 4 lies at content (5, 63), so in the view at (5, 32).
    EXPECT_EQ(TileRect(4).top, 32);
    EXPECT_EQ(TileRect(6).left, 5);
    EXPECT_EQ(TileRect(6).top, TileRect(4).bottom + 1);
    EXPECT_EQ(TileRect(6).Height(), 30);
}

TEST_F(TileViewTest, ClickingSelectsOneTileAndTellsTheHost)
{
    AddTiles(4);
    Tile(3)->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
    fwtest::PumpPending();
    Tile(1)->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
    fwtest::PumpPending();
    EXPECT_EQ(m_pView->m_nCurSel, 1);
    EXPECT_EQ(Tile(1)->m_bSelected, 1);
    EXPECT_EQ(Tile(3)->m_bSelected, 0);
    ASSERT_EQ(m_host.m_seen.size(), 2u);
    EXPECT_EQ(m_host.m_seen[1].message, WM_TILE_SELECTED);
    EXPECT_EQ(m_host.m_seen[1].wParam, 1u);
    EXPECT_EQ(m_host.m_seen[1].lParam, 0);

    Tile(2)->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
    fwtest::PumpPending();
    ASSERT_EQ(m_host.m_seen.size(), 3u);
    EXPECT_EQ(m_host.m_seen[2].wParam, 2u);
    EXPECT_EQ(m_host.m_seen[2].lParam, 1);
    EXPECT_EQ(Tile(1)->m_bSelected, 0);
    EXPECT_EQ(Tile(2)->m_bSelected, 1);
}

TEST_F(TileViewTest, RememberedSelectionMarksItsTileAndDeleteKeyReportsSelection)
{
    m_pView->m_nCurSel = 2;
    m_pView->m_nRememberedSel = 2;
    AddTiles(3);
    EXPECT_EQ(Tile(2)->m_bSelected, 1);
    EXPECT_EQ(Tile(1)->m_bSelected, 0);

    MSG msg { m_pView->GetSafeHwnd(), WM_KEYUP, VK_DELETE, 0, 0, { 0, 0 } };
    m_pView->PreTranslateMessage(&msg);
    m_pView->RemoveAllItems();
    m_pView->PreTranslateMessage(&msg);
    fwtest::PumpPending();
    ASSERT_EQ(m_host.m_seen.size(), 2u);
    EXPECT_EQ(m_host.m_seen[0].message, WM_TILE_DELETE);
    EXPECT_EQ(static_cast<int>(m_host.m_seen[0].wParam), 2);
    EXPECT_EQ(static_cast<int>(m_host.m_seen[1].wParam), -1);
}

TEST_F(TileViewTest, AnOutOfRangeSelectionIsNeverUsedAsAPosition)
{
    AddTiles(2);
    m_pView->m_nCurSel = 7;
    Tile(0)->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
    fwtest::PumpPending();
    EXPECT_EQ(m_pView->m_nCurSel, 0);
}

TEST_F(TileViewTest, TilesPaintPictureHoverAndSelectionFrames)
{
    AddTiles(1);
    QCtrl* tile = Tile(0);
    CRect rc(0, 0, 145, 30);
    CPixelCanvas out(145, 30);
    tile->Paint(&out.Dc(), rc);
    EXPECT_EQ(out.At(0, 0), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(out.At(6, 6), RGB(255, 0, 0)); // the picture is 0x00FF0000 = red
    EXPECT_EQ(out.At(138, 23), RGB(255, 0, 0));
    EXPECT_EQ(out.At(5, 5), ::GetSysColor(COLOR_BTNFACE));

    tile->m_bHover = 1;
    tile->m_bSelected = 1;
    tile->Paint(&out.Dc(), rc);
    EXPECT_EQ(out.At(4, 4), RGB(255, 127, 80));
    EXPECT_EQ(out.At(5, 10), RGB(255, 127, 80));
    EXPECT_EQ(out.At(2, 2), RGB(0, 0, 255));
    EXPECT_EQ(out.At(3, 10), RGB(0, 0, 255));
    EXPECT_EQ(out.At(1, 1), ::GetSysColor(COLOR_BTNFACE));

    // Selected alone: a hatched frame, some pixels blue, others not.
    tile->m_bHover = 0;
    tile->Paint(&out.Dc(), rc);
    int blue = 0;
    for (int x = 4; x < 141; ++x)
        blue += out.At(x, 5) == RGB(0, 0, 255) ? 1 : 0;
    EXPECT_GT(blue, 10);
    EXPECT_LT(blue, 137);
    EXPECT_EQ(out.At(3, 3), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(TileViewTest, HoverFollowsTheMouseAndDeselectSparesTheNewTile)
{
    AddTiles(2);
    QCtrl* tile = Tile(0);
    tile->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(tile->m_bHover, 1);
    tile->SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(tile->m_bHover, 0);
    tile->m_bSelected = 1;
    EXPECT_EQ(tile->SendMessage(WM_TILE_DESELECT, 0), 0);
    EXPECT_EQ(tile->m_bSelected, 1);
    tile->SendMessage(WM_TILE_DESELECT, 1);
    EXPECT_EQ(tile->m_bSelected, 0);
}

} // namespace
