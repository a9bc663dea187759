// Message maps and CWnd: parameter cracking, base-class chains, ranges,
// reflection, the exception barrier, timers and destroyed objects.
#include "fw_testing.h"

#include <gtest/gtest.h>

#include <stdexcept>

using fwtest::CScriptedUiHost;

namespace {
const UINT WM_TEST_REGISTERED = ::RegisterWindowMessage(L"FwUiTestRegistered");
constexpr UINT WM_TEST_CUSTOM = WM_APP + 10;
constexpr UINT ID_RANGE_FIRST = 100;
constexpr UINT ID_RANGE_LAST = 110;
constexpr UINT ID_THROW_STD = 200;
constexpr UINT ID_THROW_FW = 201;
int g_handlerCalls = 0;

class CBaseTestWnd : public CWnd {
public:
    std::vector<CString> m_log;

protected:
    void OnSize(UINT, int, int) { m_log.emplace_back(L"base size"); }
    void OnTimer(UINT_PTR nIDEvent)
    {
        CString s;
        s.Format(L"timer %u", static_cast<unsigned>(nIDEvent));
        m_log.push_back(s);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
ON_WM_SIZE()
ON_WM_TIMER()
END_MESSAGE_MAP()

class CTestWnd : public CBaseTestWnd {
public:
    BOOL CreateHidden()
    {
        return CreateEx(0, nullptr, L"msgmap test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr);
    }

protected:
    void OnSize(UINT nType, int cx, int cy)
    {
        CString s;
        s.Format(L"size %u %d %d", nType, cx, cy);
        m_log.push_back(s);
    }
    void OnLButtonDown(UINT nFlags, CPoint pt)
    {
        CString s;
        s.Format(L"lbutton %u %d %d", nFlags, pt.x, pt.y);
        m_log.push_back(s);
    }
    BOOL OnMouseWheel(UINT, short zDelta, CPoint)
    {
        CString s;
        s.Format(L"wheel %d", zDelta);
        m_log.push_back(s);
        return TRUE;
    }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT)
    {
        CString s;
        s.Format(L"key %u %u", nChar, nRepCnt);
        m_log.push_back(s);
    }
    LRESULT OnCustom(WPARAM wParam, LPARAM lParam)
    {
        ++g_handlerCalls;
        return static_cast<LRESULT>(wParam) + lParam;
    }
    LRESULT OnRegistered(WPARAM, LPARAM) { return 77; }
    void OnRange(UINT nID)
    {
        CString s;
        s.Format(L"range %u", nID);
        m_log.push_back(s);
    }
    void OnThrowStd() { throw std::runtime_error("boom"); }
    void OnThrowFramework() { AfxThrowNotSupportedException(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestWnd, CBaseTestWnd)
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEWHEEL()
ON_WM_KEYDOWN()
ON_MESSAGE(WM_TEST_CUSTOM, OnCustom)
ON_REGISTERED_MESSAGE(WM_TEST_REGISTERED, OnRegistered)
ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
ON_COMMAND(ID_THROW_STD, OnThrowStd)
ON_COMMAND(ID_THROW_FW, OnThrowFramework)
END_MESSAGE_MAP()

TEST(MessageMap, CracksParametersByHandlerSignature)
{
    CTestWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    wnd.m_log.clear();
    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 45));
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(static_cast<WORD>(-3), 7));
    LRESULT wheel = wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), MAKELPARAM(10, 10));
    wnd.SendMessage(WM_KEYDOWN, VK_F5, MAKELPARAM(3, 0));
    EXPECT_EQ(wheel, TRUE);
    std::vector<CString> expected = { L"size 0 120 45", L"lbutton 5 -3 7", L"wheel -240", L"key 116 3" };
    EXPECT_EQ(wnd.m_log, expected);
    EXPECT_EQ(wnd.SendMessage(WM_TEST_CUSTOM, 40, 2), 42);
    EXPECT_EQ(wnd.SendMessage(WM_TEST_REGISTERED, 0, 0), 77);
}

TEST(MessageMap, BaseClassEntriesAreReachedThroughTheChain)
{
    CTestWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    wnd.m_log.clear();
    // WM_TIMER is only in the base class's map; WM_SIZE is overridden by the derived map.
    wnd.SendMessage(WM_TIMER, 9, 0);
    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(1, 2));
    std::vector<CString> expected = { L"timer 9", L"size 0 1 2" };
    EXPECT_EQ(wnd.m_log, expected);
}

TEST(MessageMap, CommandRangeCoversItsIdsOnly)
{
    CTestWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    wnd.m_log.clear();
    for (UINT id : { 99u, 100u, 105u, 110u, 111u })
        fwtest::SendCommand(wnd, id);
    std::vector<CString> expected = { L"range 100", L"range 105", L"range 110" };
    EXPECT_EQ(wnd.m_log, expected);
}

TEST(MessageMap, ExceptionsFromHandlersAreCaughtAndReported)
{
    CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, L"boom");
    host.ExpectMessageBox(IDOK);
    CTestWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    fwtest::SendCommand(wnd, ID_THROW_STD);
    fwtest::SendCommand(wnd, ID_THROW_FW);
    // The window keeps working afterwards.
    EXPECT_EQ(wnd.SendMessage(WM_TEST_CUSTOM, 1, 2), 3);
    EXPECT_EQ(host.Transcript().size(), 2u);
}

TEST(MessageMap, MessagesToADestroyedObjectNeverReachIt)
{
    auto* pWnd = new CTestWnd;
    ASSERT_TRUE(pWnd->CreateHidden());
    HWND hWnd = pWnd->m_hWnd;
    g_handlerCalls = 0;
    EXPECT_EQ(::SendMessage(hWnd, WM_TEST_CUSTOM, 1, 1), 2);
    EXPECT_EQ(g_handlerCalls, 1);
    delete pWnd;
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(::SendMessage(hWnd, WM_TEST_CUSTOM, 1, 1), 0);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_EQ(g_handlerCalls, 1);
}

TEST(MessageMap, SubclassedWindowOutlivesItsObject)
{
    // A window made outside the framework, subclassed by an object that is
    // then destroyed: the window keeps its own procedure and never calls the
    // freed object.
    HWND hEdit = ::CreateWindowEx(
        0, L"EDIT", L"start", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, ::GetModuleHandle(nullptr), nullptr);
    ASSERT_NE(hEdit, nullptr);
    auto original = ::GetWindowLongPtr(hEdit, GWLP_WNDPROC);
    auto* pWnd = new CTestWnd;
    ASSERT_TRUE(pWnd->SubclassWindow(hEdit));
    g_handlerCalls = 0;
    EXPECT_EQ(::SendMessage(hEdit, WM_TEST_CUSTOM, 2, 3), 5);
    EXPECT_EQ(g_handlerCalls, 1);
    // Unhandled messages still reach the edit control's own procedure.
    ::SetWindowText(hEdit, L"through");
    CString text;
    pWnd->GetWindowText(text);
    EXPECT_EQ(text, L"through");
    delete pWnd;
    EXPECT_TRUE(::IsWindow(hEdit));
    EXPECT_EQ(::GetWindowLongPtr(hEdit, GWLP_WNDPROC), original);
    ::SendMessage(hEdit, WM_TEST_CUSTOM, 2, 3);
    EXPECT_EQ(g_handlerCalls, 1);
    ::SetWindowText(hEdit, L"after");
    wchar_t buf[32] = L"";
    ::GetWindowText(hEdit, buf, 32);
    EXPECT_STREQ(buf, L"after");
    ::DestroyWindow(hEdit);
}

class CSelfDeletingWnd : public CWnd {
public:
    static int s_deleted;
    ~CSelfDeletingWnd() override { ++s_deleted; }
    void PostNcDestroy() override { delete this; }
};
int CSelfDeletingWnd::s_deleted = 0;

TEST(MessageMap, ObjectDeletedAtNcDestroyIsUnboundFirst)
{
    auto* pWnd = new CSelfDeletingWnd;
    ASSERT_TRUE(pWnd->CreateEx(0, nullptr, L"self", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hWnd = pWnd->m_hWnd;
    CSelfDeletingWnd::s_deleted = 0;
    ::DestroyWindow(hWnd);
    EXPECT_EQ(CSelfDeletingWnd::s_deleted, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_EQ(::SendMessage(hWnd, WM_TEST_CUSTOM, 1, 1), 0);
}

// --- reflection ---------------------------------------------------------------

constexpr UINT IDC_REFLECTING = 300;
constexpr UINT IDC_PLAIN = 301;

class CReflectingButton : public CButton {
public:
    int m_nOwnClicks = 0;

protected:
    void OnReflectedClick() { ++m_nOwnClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

class CParentWnd : public CWnd {
public:
    std::vector<UINT> m_clicks;

protected:
    void OnReflecting() { m_clicks.push_back(IDC_REFLECTING); }
    void OnPlain() { m_clicks.push_back(IDC_PLAIN); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
ON_BN_CLICKED(IDC_REFLECTING, OnReflecting)
ON_BN_CLICKED(IDC_PLAIN, OnPlain)
END_MESSAGE_MAP()

TEST(MessageMap, ControlHandlesReflectedNotificationBeforeItsParent)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"parent", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CReflectingButton reflecting;
    CButton plain;
    ASSERT_TRUE(reflecting.Create(L"A", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, IDC_REFLECTING));
    ASSERT_TRUE(plain.Create(L"B", WS_VISIBLE | BS_PUSHBUTTON, CRect(60, 0, 110, 20), &parent, IDC_PLAIN));
    fwtest::ClickButton(parent, IDC_REFLECTING);
    fwtest::ClickButton(parent, IDC_PLAIN);
    EXPECT_EQ(reflecting.m_nOwnClicks, 1);
    EXPECT_EQ(parent.m_clicks, std::vector<UINT> { IDC_PLAIN });
}

// --- timers -------------------------------------------------------------------

TEST(FakeClock, FiresTimersDeterministically)
{
    fwtest::CFakeClock clock(5000);
    EXPECT_EQ(AfxGetTickCount(), 5000u);
    CTestWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    wnd.m_log.clear();
    wnd.SetTimer(5, 100);
    wnd.SetTimer(6, 250);
    clock.Advance(99);
    EXPECT_TRUE(wnd.m_log.empty());
    clock.Advance(201);
    std::vector<CString> expected = { L"timer 5", L"timer 5", L"timer 6", L"timer 5" };
    EXPECT_EQ(wnd.m_log, expected);
    EXPECT_EQ(AfxGetTickCount(), 5300u);
    wnd.KillTimer(5);
    wnd.m_log.clear();
    clock.Advance(500);
    expected = { L"timer 6", L"timer 6" };
    EXPECT_EQ(wnd.m_log, expected);
    EXPECT_TRUE(clock.HasTimer(wnd.m_hWnd, 6));
    EXPECT_FALSE(clock.HasTimer(wnd.m_hWnd, 5));
}
} // namespace
