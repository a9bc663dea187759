// Message map entry macros and the thunks behind them. Each ON_ macro names
// a handler by member pointer; its thunk cracks WPARAM/LPARAM into the
// handler's parameters, so a handler with the wrong signature does not compile.
// Included at the end of afxwin.h, where every class a thunk names is complete.
#pragma once

#include <type_traits>

namespace fw::msg {
template <class T> struct PmfTraits;
template <class C, class R, class... A> struct PmfTraits<R (C::*)(A...)> {
    using Class = C;
};
template <class C, class R, class... A> struct PmfTraits<R (C::*)(A...) noexcept> {
    using Class = C;
};

template <auto P> auto* Self(CCmdTarget* t)
{
    return static_cast<typename PmfTraits<decltype(P)>::Class*>(t);
}

inline CPoint PointOf(LPARAM l)
{
    return CPoint(static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
}

// A CDC wrapper around an HDC that the handler does not own.
class CTempDC : public CDC {
public:
    explicit CTempDC(HDC hdc) { Attach(hdc); }
    ~CTempDC() { Detach(); }
};

// --- generic forms
template <auto P> BOOL Void(CCmdTarget* t, AFX_MSGCALL&)
{
    (Self<P>(t)->*P)();
    return TRUE;
}
template <auto P> BOOL Message(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Self<P>(t)->*P)(c.wParam, c.lParam);
    return TRUE;
}
template <auto P> BOOL CommandRange(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(c.nID);
    return TRUE;
}
template <auto P> BOOL CommandEx(CCmdTarget* t, AFX_MSGCALL& c)
{
    return (Self<P>(t)->*P)(c.nID) ? TRUE : FALSE;
}
template <auto P> BOOL UpdateUI(CCmdTarget* t, AFX_MSGCALL& c)
{
    auto* ui = static_cast<CCmdUI*>(c.pExtra);
    ui->m_bContinueRouting = FALSE;
    (Self<P>(t)->*P)(ui);
    return ui->m_bContinueRouting ? FALSE : TRUE;
}
template <auto P> BOOL UpdateUIRange(CCmdTarget* t, AFX_MSGCALL& c)
{
    auto* ui = static_cast<CCmdUI*>(c.pExtra);
    ui->m_bContinueRouting = FALSE;
    (Self<P>(t)->*P)(ui);
    return ui->m_bContinueRouting ? FALSE : TRUE;
}
template <auto P> BOOL Notify(CCmdTarget* t, AFX_MSGCALL& c)
{
    auto* n = static_cast<AFX_NOTIFY*>(c.pExtra);
    (Self<P>(t)->*P)(n->pNMHDR, n->pResult);
    return TRUE;
}
template <auto P> BOOL NotifyRange(CCmdTarget* t, AFX_MSGCALL& c)
{
    auto* n = static_cast<AFX_NOTIFY*>(c.pExtra);
    (Self<P>(t)->*P)(c.nID, n->pNMHDR, n->pResult);
    return TRUE;
}
template <auto P> BOOL NotifyExRange(CCmdTarget* t, AFX_MSGCALL& c)
{
    auto* n = static_cast<AFX_NOTIFY*>(c.pExtra);
    return (Self<P>(t)->*P)(c.nID, n->pNMHDR, n->pResult) ? TRUE : FALSE;
}
// Reflected WM_NOTIFY: the call carries the NMHDR in lParam.
template <auto P> BOOL NotifyReflect(CCmdTarget* t, AFX_MSGCALL& c)
{
    LRESULT r = 0;
    (Self<P>(t)->*P)(reinterpret_cast<NMHDR*>(c.lParam), &r);
    c.result = r;
    return TRUE;
}

// --- window messages
template <auto P> BOOL Create(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Self<P>(t)->*P)(reinterpret_cast<LPCREATESTRUCT>(c.lParam));
    return TRUE;
}
template <auto P> BOOL Size(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(
        static_cast<UINT>(c.wParam), static_cast<short>(LOWORD(c.lParam)), static_cast<short>(HIWORD(c.lParam)));
    return TRUE;
}
template <auto P> BOOL Move(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(static_cast<short>(LOWORD(c.lParam)), static_cast<short>(HIWORD(c.lParam)));
    return TRUE;
}
template <auto P> BOOL Timer(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(static_cast<UINT_PTR>(c.wParam));
    return TRUE;
}
template <auto P> BOOL Mouse(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(static_cast<UINT>(c.wParam), PointOf(c.lParam));
    return TRUE;
}
template <auto P> BOOL MouseWheel(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Self<P>(t)->*P)(LOWORD(c.wParam), static_cast<short>(HIWORD(c.wParam)), PointOf(c.lParam));
    return TRUE;
}
template <auto P> BOOL Key(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(static_cast<UINT>(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam));
    return TRUE;
}
template <auto P> BOOL EraseBkgnd(CCmdTarget* t, AFX_MSGCALL& c)
{
    CTempDC dc(reinterpret_cast<HDC>(c.wParam));
    c.result = (Self<P>(t)->*P)(&dc);
    return TRUE;
}
template <auto P> BOOL Scroll(CCmdTarget* t, AFX_MSGCALL& c)
{
    auto* bar = c.lParam ? static_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam))) : nullptr;
    (Self<P>(t)->*P)(LOWORD(c.wParam), static_cast<short>(HIWORD(c.wParam)), bar);
    return TRUE;
}
template <auto P> BOOL SetCursor(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Self<P>(t)->*P)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)), LOWORD(c.lParam), HIWORD(c.lParam));
    return TRUE;
}
template <auto P> BOOL CtlColor(CCmdTarget* t, AFX_MSGCALL& c)
{
    CTempDC dc(reinterpret_cast<HDC>(c.wParam));
    HBRUSH br = (Self<P>(t)->*P)(&dc, CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)), static_cast<UINT>(c.nCode));
    c.result = reinterpret_cast<LRESULT>(br);
    return TRUE;
}
template <auto P> BOOL CtlColorReflect(CCmdTarget* t, AFX_MSGCALL& c)
{
    CTempDC dc(reinterpret_cast<HDC>(c.wParam));
    HBRUSH br = (Self<P>(t)->*P)(&dc, static_cast<UINT>(c.nCode));
    c.result = reinterpret_cast<LRESULT>(br);
    return br != nullptr;
}
template <auto P> BOOL DrawItem(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(static_cast<int>(c.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam));
    c.result = TRUE;
    return TRUE;
}
template <auto P> BOOL MeasureItem(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(static_cast<int>(c.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam));
    c.result = TRUE;
    return TRUE;
}
template <auto P> BOOL DrawItemReflect(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam));
    c.result = TRUE;
    return TRUE;
}
template <auto P> BOOL MeasureItemReflect(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam));
    c.result = TRUE;
    return TRUE;
}
template <auto P> BOOL ContextMenu(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)), PointOf(c.lParam));
    return TRUE;
}
template <auto P> BOOL Focus(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)));
    return TRUE;
}
template <auto P> BOOL CaptureChanged(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)));
    return TRUE;
}
template <auto P> BOOL ShowWindow(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(static_cast<BOOL>(c.wParam), static_cast<UINT>(c.lParam));
    return TRUE;
}
template <auto P> BOOL Enable(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(static_cast<BOOL>(c.wParam));
    return TRUE;
}
template <auto P> BOOL GetMinMaxInfo(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(reinterpret_cast<MINMAXINFO*>(c.lParam));
    return TRUE;
}
template <auto P> BOOL WindowPosChanged(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(reinterpret_cast<WINDOWPOS*>(c.lParam));
    return TRUE;
}
template <auto P> BOOL NcHitTest(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Self<P>(t)->*P)(PointOf(c.lParam));
    return TRUE;
}
template <auto P> BOOL CopyData(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Self<P>(t)->*P)(
        CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)), reinterpret_cast<COPYDATASTRUCT*>(c.lParam));
    return TRUE;
}
template <auto P> BOOL DropFiles(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(reinterpret_cast<HDROP>(c.wParam));
    return TRUE;
}
template <auto P> BOOL DeviceChange(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Self<P>(t)->*P)(static_cast<UINT>(c.wParam), static_cast<DWORD_PTR>(c.lParam));
    return TRUE;
}
template <auto P> BOOL SysCommand(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(static_cast<UINT>(c.wParam), c.lParam);
    return TRUE;
}
template <auto P> BOOL Activate(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(
        LOWORD(c.wParam), CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)), static_cast<BOOL>(HIWORD(c.wParam)));
    return TRUE;
}
template <auto P> BOOL InitMenuPopup(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Self<P>(t)->*P)(
        CMenu::FromHandle(reinterpret_cast<HMENU>(c.wParam)), LOWORD(c.lParam), static_cast<BOOL>(HIWORD(c.lParam)));
    return TRUE;
}
template <auto P> BOOL GetDlgCode(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Self<P>(t)->*P)();
    return TRUE;
}
template <auto P> BOOL MouseActivate(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Self<P>(t)->*P)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)), LOWORD(c.lParam), HIWORD(c.lParam));
    return TRUE;
}
template <auto P> BOOL QueryEndSession(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Self<P>(t)->*P)();
    return TRUE;
}
} // namespace fw::msg

#define FW_WM_ENTRY(wmId, thunkName, fn) { wmId, 0, 0, 0, nullptr, &::fw::msg::thunkName<&ThisClass::fn> },

#define ON_WM_CREATE() FW_WM_ENTRY(WM_CREATE, Create, OnCreate)
#define ON_WM_DESTROY() FW_WM_ENTRY(WM_DESTROY, Void, OnDestroy)
#define ON_WM_NCDESTROY() FW_WM_ENTRY(WM_NCDESTROY, Void, OnNcDestroy)
#define ON_WM_PAINT() FW_WM_ENTRY(WM_PAINT, Void, OnPaint)
#define ON_WM_SIZE() FW_WM_ENTRY(WM_SIZE, Size, OnSize)
#define ON_WM_MOVE() FW_WM_ENTRY(WM_MOVE, Move, OnMove)
#define ON_WM_TIMER() FW_WM_ENTRY(WM_TIMER, Timer, OnTimer)
#define ON_WM_LBUTTONDOWN() FW_WM_ENTRY(WM_LBUTTONDOWN, Mouse, OnLButtonDown)
#define ON_WM_LBUTTONUP() FW_WM_ENTRY(WM_LBUTTONUP, Mouse, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() FW_WM_ENTRY(WM_LBUTTONDBLCLK, Mouse, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() FW_WM_ENTRY(WM_RBUTTONDOWN, Mouse, OnRButtonDown)
#define ON_WM_RBUTTONUP() FW_WM_ENTRY(WM_RBUTTONUP, Mouse, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() FW_WM_ENTRY(WM_RBUTTONDBLCLK, Mouse, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() FW_WM_ENTRY(WM_MBUTTONDOWN, Mouse, OnMButtonDown)
#define ON_WM_MBUTTONUP() FW_WM_ENTRY(WM_MBUTTONUP, Mouse, OnMButtonUp)
#define ON_WM_MOUSEMOVE() FW_WM_ENTRY(WM_MOUSEMOVE, Mouse, OnMouseMove)
#define ON_WM_MOUSELEAVE() FW_WM_ENTRY(WM_MOUSELEAVE, Void, OnMouseLeave)
#define ON_WM_MOUSEWHEEL() FW_WM_ENTRY(WM_MOUSEWHEEL, MouseWheel, OnMouseWheel)
#define ON_WM_MOUSEACTIVATE() FW_WM_ENTRY(WM_MOUSEACTIVATE, MouseActivate, OnMouseActivate)
#define ON_WM_KEYDOWN() FW_WM_ENTRY(WM_KEYDOWN, Key, OnKeyDown)
#define ON_WM_KEYUP() FW_WM_ENTRY(WM_KEYUP, Key, OnKeyUp)
#define ON_WM_SYSKEYDOWN() FW_WM_ENTRY(WM_SYSKEYDOWN, Key, OnSysKeyDown)
#define ON_WM_CHAR() FW_WM_ENTRY(WM_CHAR, Key, OnChar)
#define ON_WM_ERASEBKGND() FW_WM_ENTRY(WM_ERASEBKGND, EraseBkgnd, OnEraseBkgnd)
#define ON_WM_CLOSE() FW_WM_ENTRY(WM_CLOSE, Void, OnClose)
#define ON_WM_HSCROLL() FW_WM_ENTRY(WM_HSCROLL, Scroll, OnHScroll)
#define ON_WM_VSCROLL() FW_WM_ENTRY(WM_VSCROLL, Scroll, OnVScroll)
#define ON_WM_SETCURSOR() FW_WM_ENTRY(WM_SETCURSOR, SetCursor, OnSetCursor)
#define ON_WM_CTLCOLOR() FW_WM_ENTRY(WM_CTLCOLOR, CtlColor, OnCtlColor)
#define ON_WM_DRAWITEM() FW_WM_ENTRY(WM_DRAWITEM, DrawItem, OnDrawItem)
#define ON_WM_MEASUREITEM() FW_WM_ENTRY(WM_MEASUREITEM, MeasureItem, OnMeasureItem)
#define ON_WM_CONTEXTMENU() FW_WM_ENTRY(WM_CONTEXTMENU, ContextMenu, OnContextMenu)
#define ON_WM_SETFOCUS() FW_WM_ENTRY(WM_SETFOCUS, Focus, OnSetFocus)
#define ON_WM_KILLFOCUS() FW_WM_ENTRY(WM_KILLFOCUS, Focus, OnKillFocus)
#define ON_WM_CAPTURECHANGED() FW_WM_ENTRY(WM_CAPTURECHANGED, CaptureChanged, OnCaptureChanged)
#define ON_WM_SHOWWINDOW() FW_WM_ENTRY(WM_SHOWWINDOW, ShowWindow, OnShowWindow)
#define ON_WM_ENABLE() FW_WM_ENTRY(WM_ENABLE, Enable, OnEnable)
#define ON_WM_GETMINMAXINFO() FW_WM_ENTRY(WM_GETMINMAXINFO, GetMinMaxInfo, OnGetMinMaxInfo)
#define ON_WM_WINDOWPOSCHANGED() FW_WM_ENTRY(WM_WINDOWPOSCHANGED, WindowPosChanged, OnWindowPosChanged)
#define ON_WM_NCHITTEST() FW_WM_ENTRY(WM_NCHITTEST, NcHitTest, OnNcHitTest)
#define ON_WM_COPYDATA() FW_WM_ENTRY(WM_COPYDATA, CopyData, OnCopyData)
#define ON_WM_DROPFILES() FW_WM_ENTRY(WM_DROPFILES, DropFiles, OnDropFiles)
#define ON_WM_DEVICECHANGE() FW_WM_ENTRY(WM_DEVICECHANGE, DeviceChange, OnDeviceChange)
#define ON_WM_SYSCOMMAND() FW_WM_ENTRY(WM_SYSCOMMAND, SysCommand, OnSysCommand)
#define ON_WM_ACTIVATE() FW_WM_ENTRY(WM_ACTIVATE, Activate, OnActivate)
#define ON_WM_INITMENUPOPUP() FW_WM_ENTRY(WM_INITMENUPOPUP, InitMenuPopup, OnInitMenuPopup)
#define ON_WM_GETDLGCODE() FW_WM_ENTRY(WM_GETDLGCODE, GetDlgCode, OnGetDlgCode)
#define ON_WM_QUERYENDSESSION() FW_WM_ENTRY(WM_QUERYENDSESSION, QueryEndSession, OnQueryEndSession)

#define ON_MESSAGE(message, memberFxn) { message, 0, 0, 0, nullptr, &::fw::msg::Message<&ThisClass::memberFxn> },
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                             \
    { 0, 0, 0, 0, &nMessageVariable, &::fw::msg::Message<&ThisClass::memberFxn> },

#define ON_COMMAND(id, memberFxn)                                                                                      \
    { WM_COMMAND, CN_COMMAND, (id), (id), nullptr, &::fw::msg::Void<&ThisClass::memberFxn> },
#define ON_COMMAND_EX(id, memberFxn)                                                                                   \
    { WM_COMMAND, CN_COMMAND, (id), (id), nullptr, &::fw::msg::CommandEx<&ThisClass::memberFxn> },
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                                                     \
    { WM_COMMAND, CN_COMMAND, (id), (idLast), nullptr, &::fw::msg::CommandEx<&ThisClass::memberFxn> },
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                                        \
    { WM_COMMAND, CN_COMMAND, (id), (idLast), nullptr, &::fw::msg::CommandRange<&ThisClass::memberFxn> },
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                            \
    { WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), (id), (id), nullptr,                                        \
        &::fw::msg::UpdateUI<&ThisClass::memberFxn> },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                                              \
    { WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), (id), (idLast), nullptr,                                    \
        &::fw::msg::UpdateUIRange<&ThisClass::memberFxn> },
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                                         \
    { WM_COMMAND, static_cast<UINT>(wNotifyCode), (id), (id), nullptr, &::fw::msg::Void<&ThisClass::memberFxn> },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                                           \
    { WM_COMMAND, static_cast<UINT>(wNotifyCode), (id), (idLast), nullptr,                                             \
        &::fw::msg::CommandRange<&ThisClass::memberFxn> },
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                          \
    { WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), (id), (id), nullptr,                               \
        &::fw::msg::Notify<&ThisClass::memberFxn> },
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                                            \
    { WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), (id), (idLast), nullptr,                           \
        &::fw::msg::NotifyRange<&ThisClass::memberFxn> },
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                                                         \
    { WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), (id), (idLast), nullptr,                           \
        &::fw::msg::NotifyExRange<&ThisClass::memberFxn> },

// Control notifications.
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// Reflection: a control handles its own notification before its parent.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                                     \
    { WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(wNotifyCode), 0, 0, nullptr,                                     \
        &::fw::msg::Void<&ThisClass::memberFxn> },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                                      \
    { WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), 0, 0, nullptr,                   \
        &::fw::msg::NotifyReflect<&ThisClass::memberFxn> },
#define ON_WM_CTLCOLOR_REFLECT()                                                                                       \
    { WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, nullptr, &::fw::msg::CtlColorReflect<&ThisClass::CtlColor> },
#define ON_WM_DRAWITEM_REFLECT()                                                                                       \
    { WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, nullptr, &::fw::msg::DrawItemReflect<&ThisClass::DrawItem> },
#define ON_WM_MEASUREITEM_REFLECT()                                                                                    \
    { WM_REFLECT_BASE + WM_MEASUREITEM, 0, 0, 0, nullptr, &::fw::msg::MeasureItemReflect<&ThisClass::MeasureItem> },
