// The dockable side pane (docking beside the top and bottom bars, content
// sizing, showing and hiding, dragging its edge, moving to the other side),
// toolbar tooltips answered by the bar, status pane widths and bar colours.
#include "afxwin.h"
#include "fw_bars.h"
#include "fw_dockpane.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

namespace {

class CPaneFrame : public CFrameWnd {
public:
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
    CDockablePane m_pane;
    void RecalcLayout(BOOL) override { AfxRepositionBars(this); }
    void PostNcDestroy() override { } // lives on the test's stack
};

// A toolbar whose tips are its own.
class CTipBar : public CToolBar {
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        const INT_PTR hit = CToolBar::OnToolHitTest(point, pTI);
        if (hit != -1 && pTI != nullptr) {
            free(pTI->lpszText);
            CString text;
            text.Format(L"Tip %d", static_cast<int>(hit));
            pTI->lpszText = _wcsdup(text);
        }
        return hit;
    }
};

struct DockPaneFixture : ::testing::Test {
    CPaneFrame frame;
    CWnd content;
    CWnd view;

    void SetUp() override
    {
        AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
        ASSERT_TRUE(frame.Create(nullptr, L"Panes", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)));
        const UINT buttons[] = { 100, 101 };
        const UINT indicators[] = { ID_SEPARATOR };
        ASSERT_TRUE(frame.m_toolBar.CreateEx(&frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS));
        ASSERT_TRUE(frame.m_toolBar.SetButtons(buttons, 2));
        ASSERT_TRUE(frame.m_statusBar.Create(&frame));
        ASSERT_TRUE(frame.m_statusBar.SetIndicators(indicators, 1));
        ASSERT_TRUE(frame.m_pane.Create(L"", &frame, CRect(0, 0, 200, 200), FALSE, 133));
        ASSERT_TRUE(content.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), &frame.m_pane, 1));
        frame.m_pane.SetContent(&content);
        ASSERT_TRUE(
            view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), &frame, AFX_IDW_PANE_FIRST));
        frame.RecalcLayout(TRUE);
    }
    void TearDown() override
    {
        if (frame.m_hWnd != nullptr)
            frame.DestroyWindow();
        fwtest::PumpPending();
    }
    CRect InFrame(CWnd& child)
    {
        CRect rc;
        child.GetWindowRect(&rc);
        frame.ScreenToClient(&rc);
        return rc;
    }
};

TEST_F(DockPaneFixture, PaneDocksLeftBetweenTheBarsAndTheViewTakesTheRest)
{
    CRect client;
    frame.GetClientRect(&client);
    const CRect tb = InFrame(frame.m_toolBar);
    const CRect sb = InFrame(frame.m_statusBar);
    const CRect pane = InFrame(frame.m_pane);
    const CRect rest = InFrame(view);
    EXPECT_EQ(pane.left, 0);
    EXPECT_EQ(pane.Width(), 200);
    EXPECT_EQ(pane.top, tb.bottom);
    EXPECT_EQ(pane.bottom, sb.top);
    EXPECT_EQ(rest.left, pane.right);
    EXPECT_EQ(rest.right, client.right);
    EXPECT_EQ(rest.top, tb.bottom);

    // The content fills the pane but for the edge the user drags.
    CRect inner;
    content.GetWindowRect(&inner);
    frame.m_pane.ScreenToClient(&inner);
    EXPECT_EQ(inner, CRect(0, 0, 200 - CDockablePane::kEdgeWidth, pane.Height()));
    EXPECT_EQ(frame.m_pane.GetContent(), content.GetSafeHwnd());

    // Hidden, it gives its room back; shown again, it takes it.
    frame.m_pane.ShowPane(FALSE);
    EXPECT_FALSE(frame.m_pane.IsPaneVisible());
    EXPECT_EQ(InFrame(view).left, 0);
    frame.m_pane.ShowPane(TRUE);
    EXPECT_TRUE(frame.m_pane.IsPaneVisible());
    EXPECT_EQ(InFrame(view).left, 200);

    // Docked to the right, the edge and the content swap sides.
    frame.m_pane.DockToSide(CBRS_ALIGN_RIGHT);
    EXPECT_EQ(InFrame(frame.m_pane).right, client.right);
    EXPECT_EQ(InFrame(view).left, 0);
    EXPECT_EQ(InFrame(view).right, client.right - 200);
    content.GetWindowRect(&inner);
    frame.m_pane.ScreenToClient(&inner);
    EXPECT_EQ(inner.left, CDockablePane::kEdgeWidth);
}

TEST_F(DockPaneFixture, DraggingTheEdgeResizesWithinLimits)
{
    CDockablePane& pane = frame.m_pane;
    const CRect edge = pane.EdgeRect();
    const CPoint grab = edge.CenterPoint();
    pane.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grab.x, grab.y));
    pane.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(grab.x + 50, grab.y));
    EXPECT_EQ(pane.GetPaneWidth(), 250);
    EXPECT_EQ(InFrame(view).left, 250);
    // Never narrower than the minimum.
    pane.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(grab.x - 400, grab.y));
    EXPECT_EQ(pane.GetPaneWidth(), CDockablePane::kMinWidth);
    pane.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(grab.x - 400, grab.y));
    // After the release moves do nothing, and a press away from the edge
    // starts no drag.
    pane.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(grab.x + 100, grab.y));
    EXPECT_EQ(pane.GetPaneWidth(), CDockablePane::kMinWidth);
    pane.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    pane.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 2));
    EXPECT_EQ(pane.GetPaneWidth(), CDockablePane::kMinWidth);
    pane.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(120, 2));
}

TEST_F(DockPaneFixture, ToolbarAnswersItsTooltipWithTheHitTestText)
{
    CTipBar bar;
    const UINT buttons[] = { 100, ID_SEPARATOR, 101 };
    ASSERT_TRUE(bar.CreateEx(&frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS, CRect(), 77));
    ASSERT_TRUE(bar.SetButtons(buttons, 3));
    EXPECT_EQ(bar.GetToolTipText(101), CString(L"Tip 101"));
    EXPECT_EQ(bar.GetToolTipText(555), CString());

    NMTTDISPINFOW wide {};
    wide.hdr.hwndFrom = nullptr;
    wide.hdr.idFrom = 100;
    wide.hdr.code = TTN_GETDISPINFOW;
    bar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&wide));
    ASSERT_NE(wide.lpszText, nullptr);
    EXPECT_STREQ(wide.lpszText, L"Tip 100");
    NMTTDISPINFOA narrow {};
    narrow.hdr.idFrom = 101;
    narrow.hdr.code = TTN_GETDISPINFOA;
    bar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&narrow));
    ASSERT_NE(narrow.lpszText, nullptr);
    EXPECT_STREQ(narrow.lpszText, "Tip 101");

    // Without an override the tip is the command's string resource (this
    // test program has none: empty), and a point off the buttons hits none.
    EXPECT_EQ(frame.m_toolBar.GetToolTipText(100), CString());
    TOOLINFO info {};
    info.cbSize = sizeof(info);
    EXPECT_EQ(frame.m_toolBar.OnToolHitTest(CPoint(-5, -5), &info), -1);
    bar.DestroyWindow();
}

TEST_F(DockPaneFixture, StatusPaneWidthsAndBarColours)
{
    const UINT ids[] = { ID_SEPARATOR, 0xE6E1, 0xE6E2, 0xE6E3 };
    CStatusBar& sb = frame.m_statusBar;
    ASSERT_TRUE(sb.SetIndicators(ids, 4));
    sb.SetPaneInfo(1, 0xE6E1, SBPS_NORMAL, 300);
    sb.SetPaneInfo(2, 0xE6E2, SBPS_NORMAL, 100);
    sb.SetPaneInfo(3, 0xE6E3, SBPS_NORMAL, 160);
    UINT id = 0, style = 0;
    int width = 0;
    sb.GetPaneInfo(2, id, style, width);
    EXPECT_EQ(id, 0xE6E2u);
    EXPECT_EQ(width, 100);
    CRect one, two, three;
    sb.GetItemRect(1, &one);
    sb.GetItemRect(2, &two);
    sb.GetItemRect(3, &three);
    EXPECT_NEAR(two.Width(), 100, 4);
    CRect client;
    sb.GetClientRect(&client);
    EXPECT_NEAR(one.left, client.right - 560, 4);

    EXPECT_EQ(frame.m_pane.GetBarColor(), CLR_DEFAULT);
    EXPECT_EQ(frame.m_pane.GetBarFaceColor(), ::GetSysColor(COLOR_BTNFACE));
    frame.m_pane.SetBarColor(RGB(10, 20, 30));
    frame.m_toolBar.SetBarColor(RGB(10, 20, 30));
    EXPECT_EQ(frame.m_pane.GetBarFaceColor(), RGB(10, 20, 30));
    // The toolbar paints its face in the colour (a pixel between buttons).
    frame.ShowWindow(SW_SHOWNOACTIVATE);
    frame.m_toolBar.UpdateWindow();
    CRect tb;
    frame.m_toolBar.GetClientRect(&tb);
    CClientDC dc(&frame.m_toolBar);
    EXPECT_EQ(::GetPixel(dc.m_hDC, tb.right - 3, tb.bottom - 2), RGB(10, 20, 30));
}

} // namespace
