// Control bars and the splitter: bars docked to the frame's edges with the
// pane in between, toolbar buttons and texts, status bar panes, splitter
// layout with ideal and minimum sizes, dragging a bar, and commands of the
// panes reaching the frame.
#include "afxwin.h"
#include "fw_bars.h"
#include "fw_splitter.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

namespace {

class CPaneView : public CView {
    DECLARE_DYNCREATE(CPaneView)
public:
    void OnDraw(CDC*) override { }
};
IMPLEMENT_DYNCREATE(CPaneView, CView)

class CBarsFrame : public CFrameWnd {
public:
    std::vector<UINT> m_commands;
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
    CSplitterWnd m_splitter;

    void RecalcLayout(BOOL) override { AfxRepositionBars(this); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    void PostNcDestroy() override { } // lives on the test's stack
};

struct BarsFixture : ::testing::Test {
    CBarsFrame frame;
    CDocument* doc = nullptr;

    void SetUp() override
    {
        AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
        ASSERT_TRUE(frame.Create(nullptr, L"Bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)));
    }
    void TearDown() override
    {
        if (frame.m_hWnd != nullptr)
            frame.DestroyWindow();
        fwtest::PumpPending();
    }
    CRect ChildRect(CWnd& child)
    {
        CRect rc;
        child.GetWindowRect(&rc);
        frame.ScreenToClient(&rc);
        return rc;
    }
};

const UINT kButtons[] = { 100, 101, ID_SEPARATOR, 102 };
const UINT kIndicators[] = { ID_SEPARATOR };

TEST_F(BarsFixture, BarsDockToTheEdgesAndThePaneTakesTheRest)
{
    ASSERT_TRUE(frame.m_toolBar.CreateEx(&frame, TBSTYLE_FLAT | TBSTYLE_LIST, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    ASSERT_TRUE(frame.m_toolBar.SetButtons(kButtons, 4));
    ASSERT_TRUE(frame.m_statusBar.Create(&frame));
    ASSERT_TRUE(frame.m_statusBar.SetIndicators(kIndicators, 1));
    CWnd pane;
    ASSERT_TRUE(pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &frame, AFX_IDW_PANE_FIRST));
    frame.RecalcLayout(TRUE);

    CRect client;
    frame.GetClientRect(&client);
    CRect tb = ChildRect(frame.m_toolBar);
    CRect sb = ChildRect(frame.m_statusBar);
    CRect pn = ChildRect(pane);
    EXPECT_EQ(tb.top, 0);
    EXPECT_EQ(tb.Width(), client.Width());
    EXPECT_GT(tb.Height(), 0);
    EXPECT_EQ(sb.bottom, client.bottom);
    EXPECT_GT(sb.Height(), 0);
    EXPECT_EQ(pn.top, tb.bottom);
    EXPECT_EQ(pn.bottom, sb.top);
    EXPECT_EQ(pn.Width(), client.Width());

    // A hidden bar gives its room back.
    frame.m_statusBar.ShowWindow(SW_HIDE);
    frame.RecalcLayout(TRUE);
    EXPECT_EQ(ChildRect(pane).bottom, client.bottom);
}

TEST_F(BarsFixture, ToolbarButtonsTextsAndStyles)
{
    ASSERT_TRUE(frame.m_toolBar.CreateEx(&frame, TBSTYLE_FLAT | TBSTYLE_LIST));
    ASSERT_TRUE(frame.m_toolBar.SetButtons(kButtons, 4));
    CToolBar& tb = frame.m_toolBar;
    EXPECT_EQ(tb.GetCount(), 4);
    EXPECT_EQ(tb.GetToolBarCtrl().GetButtonCount(), 4);
    EXPECT_EQ(tb.CommandToIndex(102), 3);
    EXPECT_EQ(tb.CommandToIndex(999), -1);
    EXPECT_EQ(tb.GetItemID(1), 101u);
    EXPECT_EQ(tb.GetButtonStyle(2) & 0xFF, static_cast<UINT>(BTNS_SEP));

    CRect narrow;
    tb.GetItemRect(0, &narrow);
    EXPECT_TRUE(tb.SetButtonText(0, L"New project"));
    CRect wide;
    tb.GetItemRect(0, &wide);
    EXPECT_GT(wide.Width(), narrow.Width()); // the text fits beside the image
    EXPECT_EQ(tb.GetButtonText(0), CString(L"New project"));
    EXPECT_FALSE(tb.SetButtonText(9, L"none"));

    tb.SetButtonStyle(1, tb.GetButtonStyle(0) | BTNS_DROPDOWN);
    EXPECT_NE(tb.GetButtonStyle(1) & BTNS_DROPDOWN, 0u);
    tb.GetToolBarCtrl().SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
    EXPECT_NE(tb.GetToolBarCtrl().GetExtendedStyle() & TBSTYLE_EX_DRAWDDARROWS, 0u);

    CImageList images;
    ASSERT_TRUE(images.Create(32, 32, ILC_COLOR32 | ILC_MASK, 0, 0));
    tb.GetToolBarCtrl().SetImageList(&images);
    EXPECT_EQ(tb.GetToolBarCtrl().GetImageListHandle(), images.GetSafeHandle());
    tb.GetToolBarCtrl().SetImageList(nullptr);

    // A click on a button is a command of the frame.
    frame.m_commands.clear();
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), reinterpret_cast<LPARAM>(tb.m_hWnd));
    ASSERT_EQ(frame.m_commands.size(), 1u);
    EXPECT_EQ(frame.m_commands[0], 101u);
}

TEST_F(BarsFixture, StatusBarPanes)
{
    const UINT ids[] = { ID_SEPARATOR, 57344 /* any string id; missing gives an empty pane */ };
    ASSERT_TRUE(frame.m_statusBar.Create(&frame));
    ASSERT_TRUE(frame.m_statusBar.SetIndicators(ids, 2));
    CStatusBar& sb = frame.m_statusBar;
    EXPECT_EQ(sb.GetCount(), 2);
    EXPECT_EQ(sb.GetItemID(1), 57344u);
    EXPECT_EQ(sb.CommandToIndex(57344), 1);
    EXPECT_TRUE(sb.SetPaneText(0, L"x = 10, y = 20"));
    EXPECT_EQ(sb.GetPaneText(0), CString(L"x = 10, y = 20"));
    EXPECT_FALSE(sb.SetPaneText(5, L"no pane"));
    EXPECT_GT(sb.CalcFixedLayout(TRUE, TRUE).cy, 0);
}

// A frame with update handlers the way a program writes them: one command
// disabled, one checked, one with a handler only, one with none, and a
// status pane whose text comes from its handler.
constexpr UINT kDisabledCmd = 200;
constexpr UINT kCheckedCmd = 201;
constexpr UINT kPlainCmd = 202;
constexpr UINT kOrphanCmd = 203;
constexpr UINT kDropDownCmd = 204;
constexpr UINT kStatusPane = 57345;

class CUpdatingFrame : public CBarsFrame {
public:
    BOOL m_bChecked = TRUE;
    CString m_strStatus = L"Ready";
    BOOL m_bStatusShown = TRUE;

protected:
    void OnCommandHandled() { }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bChecked); }
    void OnUpdateStatus(CCmdUI* pCmdUI)
    {
        pCmdUI->SetText(m_strStatus);
        pCmdUI->Enable(m_bStatusShown);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdatingFrame, CFrameWnd)
ON_COMMAND(kDisabledCmd, OnCommandHandled)
ON_COMMAND(kCheckedCmd, OnCommandHandled)
ON_COMMAND(kPlainCmd, OnCommandHandled)
ON_UPDATE_COMMAND_UI(kDisabledCmd, OnUpdateDisabled)
ON_UPDATE_COMMAND_UI(kCheckedCmd, OnUpdateChecked)
ON_UPDATE_COMMAND_UI(kStatusPane, OnUpdateStatus)
END_MESSAGE_MAP()

struct IdleFixture : ::testing::Test {
    CUpdatingFrame frame;
    CWinApp app;

    void SetUp() override
    {
        AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
        ASSERT_TRUE(frame.Create(nullptr, L"Idle", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
        const UINT buttons[] = { kDisabledCmd, kCheckedCmd, ID_SEPARATOR, kPlainCmd, kOrphanCmd, kDropDownCmd };
        ASSERT_TRUE(frame.m_toolBar.CreateEx(&frame, TBSTYLE_FLAT));
        ASSERT_TRUE(frame.m_toolBar.SetButtons(buttons, static_cast<int>(std::size(buttons))));
        int drop = frame.m_toolBar.CommandToIndex(kDropDownCmd);
        frame.m_toolBar.SetButtonStyle(drop, frame.m_toolBar.GetButtonStyle(drop) | BTNS_DROPDOWN);
        const UINT panes[] = { ID_SEPARATOR, kStatusPane };
        ASSERT_TRUE(frame.m_statusBar.Create(&frame));
        ASSERT_TRUE(frame.m_statusBar.SetIndicators(panes, 2));
        frame.RecalcLayout(TRUE);
        app.m_pMainWnd = &frame;
    }
    void TearDown() override
    {
        app.m_pMainWnd = nullptr;
        if (frame.m_hWnd != nullptr)
            frame.DestroyWindow();
        fwtest::PumpPending();
    }
    // The application's idle work, as its message loop runs it.
    void Idle() { app.OnIdle(0); }
    UINT State(UINT nID) { return static_cast<UINT>(frame.m_toolBar.SendMessage(TB_GETSTATE, nID, 0)); }
};

TEST_F(IdleFixture, ToolbarButtonsFollowTheirUpdateHandlers)
{
    // Before the idle update every button shows enabled and unchecked.
    EXPECT_NE(State(kDisabledCmd) & TBSTATE_ENABLED, 0u);
    EXPECT_EQ(State(kCheckedCmd) & TBSTATE_CHECKED, 0u);
    Idle();
    EXPECT_EQ(State(kDisabledCmd) & TBSTATE_ENABLED, 0u);
    EXPECT_NE(State(kCheckedCmd) & TBSTATE_ENABLED, 0u);
    EXPECT_NE(State(kCheckedCmd) & TBSTATE_CHECKED, 0u);
    EXPECT_NE(State(kPlainCmd) & TBSTATE_ENABLED, 0u);
    // A button nobody handles would do nothing: it shows disabled.
    EXPECT_EQ(State(kOrphanCmd) & TBSTATE_ENABLED, 0u);
    // A drop-down button acts through its notification.
    EXPECT_NE(State(kDropDownCmd) & TBSTATE_ENABLED, 0u);

    // The next idle pass follows the handler's new answer.
    frame.m_bChecked = FALSE;
    Idle();
    EXPECT_EQ(State(kCheckedCmd) & TBSTATE_CHECKED, 0u);

    // Without automatic disabling, only handlers change buttons.
    frame.m_bAutoMenuEnable = FALSE;
    frame.m_toolBar.SendMessage(TB_ENABLEBUTTON, kOrphanCmd, TRUE);
    Idle();
    EXPECT_NE(State(kOrphanCmd) & TBSTATE_ENABLED, 0u);
    EXPECT_EQ(State(kDisabledCmd) & TBSTATE_ENABLED, 0u);
}

TEST_F(IdleFixture, StatusPanesFollowTheirUpdateHandlers)
{
    CStatusBar& sb = frame.m_statusBar;
    ASSERT_TRUE(sb.SetPaneText(0, L"x = 1"));
    Idle();
    EXPECT_EQ(sb.GetPaneText(1), CString(L"Ready"));
    EXPECT_EQ(sb.GetPaneText(0), CString(L"x = 1")); // no handler: kept
    WCHAR shown[64] = L"";
    sb.SendMessage(SB_GETTEXT, 1, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, L"Ready");

    // A disabled pane keeps its text but shows none.
    frame.m_strStatus = L"Sending";
    frame.m_bStatusShown = FALSE;
    Idle();
    EXPECT_EQ(sb.GetPaneText(1), CString(L"Sending"));
    EXPECT_NE(sb.GetPaneStyle(1) & SBPS_DISABLED, 0u);
    sb.SendMessage(SB_GETTEXT, 1, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, L"");
    frame.m_bStatusShown = TRUE;
    Idle();
    sb.SendMessage(SB_GETTEXT, 1, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, L"Sending");
}

TEST_F(IdleFixture, BarsInsidePanesAskThePaneThatGetsTheirCommands)
{
    // A pane with its own toolbar handles that toolbar's commands; the
    // frame handles none of them.
    class CPanel : public CWnd {
    public:
        CToolBar m_bar;
        BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
        {
            if (nID != 300)
                return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
            if (nCode == CN_UPDATE_COMMAND_UI)
                static_cast<CCmdUI*>(pExtra)->SetCheck(1);
            return TRUE;
        }
    } panel;
    ASSERT_TRUE(panel.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 40, 200, 200), &frame, 900));
    const UINT ids[] = { 300, 301 };
    ASSERT_TRUE(panel.m_bar.CreateEx(&panel, TBSTYLE_FLAT));
    ASSERT_TRUE(panel.m_bar.SetButtons(ids, 2));
    Idle();
    UINT handled = static_cast<UINT>(panel.m_bar.SendMessage(TB_GETSTATE, 300, 0));
    UINT orphan = static_cast<UINT>(panel.m_bar.SendMessage(TB_GETSTATE, 301, 0));
    EXPECT_NE(handled & TBSTATE_ENABLED, 0u);
    EXPECT_NE(handled & TBSTATE_CHECKED, 0u);
    EXPECT_EQ(orphan & TBSTATE_ENABLED, 0u);
    panel.DestroyWindow();
}

TEST(ToolBarResource, BothStoredLayoutsAndNothingElse)
{
    std::vector<UINT> ids;
    SIZE size {};
    // Windows SDK: 16-bit version 1, width, height, count, ids.
    const WORD sdk[] = { 1, 32, 30, 3, 57600, 0, 32771 };
    ASSERT_TRUE(AfxParseToolBarResource(sdk, sizeof(sdk), ids, size));
    EXPECT_EQ(ids, (std::vector<UINT> { 57600, 0, 32771 }));
    EXPECT_EQ(size.cx, 32);
    EXPECT_EQ(size.cy, 30);
    // GNU windres: 32-bit width, height, count, ids.
    const DWORD gnu[] = { 24, 22, 2, 32995, 32773 };
    ASSERT_TRUE(AfxParseToolBarResource(gnu, sizeof(gnu), ids, size));
    EXPECT_EQ(ids, (std::vector<UINT> { 32995, 32773 }));
    EXPECT_EQ(size.cx, 24);
    // A count that does not fit the size, a short block, no block.
    const WORD lying[] = { 1, 32, 32, 200, 57600 };
    EXPECT_FALSE(AfxParseToolBarResource(lying, sizeof(lying), ids, size));
    EXPECT_TRUE(ids.empty());
    EXPECT_FALSE(AfxParseToolBarResource(sdk, 6, ids, size));
    EXPECT_FALSE(AfxParseToolBarResource(nullptr, 40, ids, size));
}

struct SplitterFixture : BarsFixture {
    CCreateContext context;
    CDocument document;

    void SetUp() override
    {
        BarsFixture::SetUp();
        document.m_bAutoDelete = FALSE;
        context.m_pCurrentDoc = &document;
    }
};

TEST_F(SplitterFixture, ColumnsGetTheirIdealWidthAndTheLastTakesTheRest)
{
    CSplitterWnd& sp = frame.m_splitter;
    ASSERT_TRUE(sp.CreateStatic(&frame, 1, 2));
    sp.m_cxBorder = sp.m_cyBorder = 5;
    sp.SetColumnInfo(0, 250, 40);
    ASSERT_TRUE(sp.CreateView(0, 1, RUNTIME_CLASS(CPaneView), CSize(50, 50), &context));
    CSplitterWnd inner;
    ASSERT_TRUE(inner.CreateStatic(&sp, 2, 1, WS_CHILD | WS_VISIBLE, sp.IdFromRowCol(0, 0)));
    ASSERT_TRUE(inner.CreateView(0, 0, RUNTIME_CLASS(CPaneView), CSize(280, 350), &context));
    ASSERT_TRUE(inner.CreateView(1, 0, RUNTIME_CLASS(CPaneView), CSize(280, 350), &context));
    frame.RecalcLayout(TRUE);

    CRect rc;
    sp.GetClientRect(&rc);
    int cur = 0, min = 0;
    sp.GetColumnInfo(0, cur, min);
    EXPECT_EQ(cur, 250);
    EXPECT_EQ(min, 40);
    sp.GetColumnInfo(1, cur, min);
    EXPECT_EQ(cur, rc.Width() - 250 - 4 * 5 - sp.m_cxSplitter);

    // The inner splitter fills the left pane; its views joined the document.
    CRect left;
    inner.GetWindowRect(&left);
    EXPECT_EQ(left.Width(), 250);
    EXPECT_EQ(sp.GetPane(0, 0)->m_hWnd, inner.m_hWnd);
    EXPECT_NE(inner.GetPane(1, 0), nullptr);
    int views = 0;
    for (POSITION pos = document.GetFirstViewPosition(); pos != nullptr; document.GetNextView(pos))
        ++views;
    EXPECT_EQ(views, 3);

    // Dragging the bar: the column follows, but never below its minimum.
    int barX = 5 + 250 + 5 + 1;
    sp.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(barX, 10));
    sp.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(305, 10));
    sp.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(305, 10));
    sp.GetColumnInfo(0, cur, min);
    EXPECT_EQ(cur, 295);
    sp.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5 + 295 + 5 + 1, 10));
    sp.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(12, 10));
    sp.GetColumnInfo(0, cur, min);
    EXPECT_EQ(cur, 40);
    // A click inside a pane area is no drag.
    sp.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.right - 20, 10));
    sp.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 10));
    sp.GetColumnInfo(0, cur, min);
    EXPECT_EQ(cur, 40);

    // Commands from inside the splitter reach the frame.
    frame.m_commands.clear();
    inner.SendMessage(WM_COMMAND, MAKEWPARAM(4242, 0), 0);
    ASSERT_EQ(frame.m_commands.size(), 1u);
    EXPECT_EQ(frame.m_commands[0], 4242u);
    for (POSITION pos = document.GetFirstViewPosition(); pos != nullptr;)
        document.GetNextView(pos);
    frame.DestroyWindow();
}

TEST_F(SplitterFixture, BadGridsAndIndexesAreRefused)
{
    CSplitterWnd sp;
    EXPECT_FALSE(sp.CreateStatic(&frame, 0, 2));
    EXPECT_FALSE(sp.CreateStatic(&frame, 1, 17));
    EXPECT_FALSE(sp.CreateStatic(nullptr, 1, 1));
    ASSERT_TRUE(sp.CreateStatic(&frame, 1, 2));
    EXPECT_FALSE(sp.CreateView(0, 2, RUNTIME_CLASS(CPaneView), CSize(1, 1), &context));
    EXPECT_FALSE(sp.CreateView(0, 0, nullptr, CSize(1, 1), &context));
    EXPECT_EQ(sp.GetPane(0, 0), nullptr);
    int cur = 0, min = 0;
    EXPECT_THROW(sp.GetColumnInfo(3, cur, min), std::out_of_range);
}

} // namespace
