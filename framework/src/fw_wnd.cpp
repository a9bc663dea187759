// CWnd: binding of objects to handles, the static window procedure with its
// exception barrier, message dispatch and reflection.
#include "afxwin.h"

#include <memory>
#include <mutex>
#include <unordered_map>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const TCHAR* const AFX_WND_CLASS = L"FwWnd";
const TCHAR* const AFX_WNDFRAMEORVIEW_CLASS = L"FwFrameOrView";

// Permanent map: one per process, since a window may be looked up from any
// thread (FromHandlePermanent). Temporary wrappers are per thread.
struct CWndMapAccess {
    static std::mutex& Lock()
    {
        static std::mutex m;
        return m;
    }
    static std::unordered_map<HWND, CWnd*>& Map()
    {
        static std::unordered_map<HWND, CWnd*> map;
        return map;
    }
    static std::unordered_map<HWND, std::unique_ptr<CWnd>>& Temp()
    {
        thread_local std::unordered_map<HWND, std::unique_ptr<CWnd>> temp;
        return temp;
    }
};

namespace {
thread_local HHOOK t_hHookCbt = nullptr;
thread_local int t_nHookDepth = 0;
thread_local CWnd* t_pWndInit = nullptr;
thread_local MSG t_lastSent {};

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pWndInit != nullptr) {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        pWnd->m_hWnd = nullptr;
        pWnd->Attach(hWnd);
        auto old = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC));
        if (old != &AfxWndProc) {
            pWnd->m_pfnSuper = old;
            ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
        }
    }
    return ::CallNextHookEx(t_hHookCbt, code, wParam, lParam);
}

// Text of an exception that escaped a handler.
CString DescribeException(std::exception_ptr ep)
{
    try {
        std::rethrow_exception(ep);
    } catch (CException* e) {
        TCHAR sz[512] = L"";
        e->GetErrorMessage(sz, 512);
        e->Delete();
        return sz;
    } catch (const std::exception& e) {
        return CString(e.what());
    } catch (...) {
        return L"An unexpected error occurred.";
    }
}
} // namespace

HWND AFXAPI AfxSafeHwnd(const CWnd* pWnd)
{
    return pWnd != nullptr ? pWnd->m_hWnd : nullptr;
}

const MSG* AFXAPI AfxGetCurrentMessage()
{
    return &t_lastSent;
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    if (t_nHookDepth++ == 0)
        t_hHookCbt = ::SetWindowsHookEx(WH_CBT, &CbtFilterHook, nullptr, ::GetCurrentThreadId());
    t_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    BOOL bConsumed = t_pWndInit == nullptr;
    t_pWndInit = nullptr;
    if (--t_nHookDepth == 0 && t_hHookCbt != nullptr) {
        ::UnhookWindowsHookEx(t_hHookCbt);
        t_hHookCbt = nullptr;
    }
    return bConsumed;
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    MSG saved = t_lastSent;
    t_lastSent.hwnd = hWnd;
    t_lastSent.message = nMsg;
    t_lastSent.wParam = wParam;
    t_lastSent.lParam = lParam;
    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's window procedure: report
        // and carry on.
        CString text = DescribeException(std::current_exception());
        ::OutputDebugString(text);
        AfxGetUiHost().MessageBox(hWnd, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
        lResult = 0;
    }
    // A handler may have deleted the object; only touch it when it is still
    // the one bound to the window.
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
        pWnd->FinishNcDestroy();
    t_lastSent = saved;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex lock;
    static std::unordered_map<std::wstring, std::unique_ptr<std::wstring>> names;
    wchar_t buf[96];
    wsprintfW(buf, L"Fw:%p:%x:%p:%p:%p", static_cast<void*>(::GetModuleHandle(nullptr)), nClassStyle,
        static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    std::lock_guard<std::mutex> guard(lock);
    auto it = names.find(buf);
    if (it != names.end())
        return it->second->c_str();
    WNDCLASSW wc {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = &::DefWindowProcW;
    wc.hInstance = ::GetModuleHandle(nullptr);
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = buf;
    ::RegisterClassW(&wc);
    auto name = std::make_unique<std::wstring>(buf);
    LPCTSTR result = name->c_str();
    names.emplace(buf, std::move(name));
    return result;
}

namespace {
void RegisterStandardClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSW wc {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = ::GetModuleHandle(nullptr);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = AFX_WND_CLASS;
        ::RegisterClassW(&wc);
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = AFX_WNDFRAMEORVIEW_CLASS;
        wc.hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
        ::RegisterClassW(&wc);
    });
}
} // namespace

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && !m_bTemporary && FromHandlePermanent(m_hWnd) == this) {
        HWND hWnd = m_hWnd;
        bool destroy = m_bCreatedHere;
        // Unbind first: whatever the window receives from now on goes to its
        // original procedure, never to this half-destroyed object.
        UnbindHandle();
        if (destroy)
            ::DestroyWindow(hWnd);
    }
    m_hWnd = nullptr;
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    std::lock_guard<std::mutex> guard(CWndMapAccess::Lock());
    auto& map = CWndMapAccess::Map();
    auto it = map.find(hWnd);
    return it != map.end() ? it->second : nullptr;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* p = FromHandlePermanent(hWnd))
        return p;
    auto& temp = CWndMapAccess::Temp();
    auto it = temp.find(hWnd);
    if (it != temp.end())
        return it->second.get();
    auto wrapper = std::make_unique<CWnd>();
    wrapper->m_hWnd = hWnd;
    wrapper->m_bTemporary = true;
    CWnd* p = wrapper.get();
    temp.emplace(hWnd, std::move(wrapper));
    return p;
}

void PASCAL CWnd::DeleteTempMap()
{
    auto& temp = CWndMapAccess::Temp();
    for (auto& [h, p] : temp)
        p->m_hWnd = nullptr;
    temp.clear();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr)
        return FALSE;
    {
        std::lock_guard<std::mutex> guard(CWndMapAccess::Lock());
        CWndMapAccess::Map()[hWndNew] = this;
    }
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        std::lock_guard<std::mutex> guard(CWndMapAccess::Lock());
        auto& map = CWndMapAccess::Map();
        auto it = map.find(hWnd);
        if (it != map.end() && it->second == this)
            map.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::UnbindHandle()
{
    if (m_hWnd == nullptr)
        return;
    if (m_pfnSuper != nullptr) {
        auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC));
        if (current == &AfxWndProc)
            ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    m_pfnSuper = nullptr;
    Detach();
}

void CWnd::BindHandle(HWND hWnd)
{
    Attach(hWnd);
}

void CWnd::FinishNcDestroy()
{
    UnbindHandle();
    m_bCreatedHere = false;
    PostNcDestroy();
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto old
        = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(AfxSafeHwnd(pParent), static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    UnbindHandle();
    return hWnd;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        RegisterStandardClasses();
        cs.lpszClass = AFX_WND_CLASS;
    }
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
    UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, AfxSafeHwnd(pParentWnd), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, AfxSafeHwnd(pParentWnd), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCT cs {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = ::GetModuleHandle(nullptr);
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    m_bCreatedHere = true;
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
        cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    AfxUnhookWindowCreate();
    if (hWnd == nullptr) {
        m_bCreatedHere = false;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    HWND hWnd = m_hWnd;
    BOOL bResult = ::DestroyWindow(hWnd);
    // A window that was only attached gets no WM_NCDESTROY through us.
    if (FromHandlePermanent(hWnd) == this)
        Detach();
    return bResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = t_lastSent;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

namespace {
// The child window a parent-bound message is about, for reflection.
HWND ChildOfMessage(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(lParam);
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        return dis != nullptr && dis->CtlType != ODT_MENU ? dis->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        return mis != nullptr && mis->CtlType != ODT_MENU ? ::GetDlgItem(hWndParent, static_cast<int>(mis->CtlID))
                                                          : nullptr;
    }
    case WM_DELETEITEM: {
        auto* dis = reinterpret_cast<LPDELETEITEMSTRUCT>(lParam);
        return dis != nullptr ? dis->hwndItem : nullptr;
    }
    case WM_COMPAREITEM: {
        auto* cis = reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam);
        return cis != nullptr ? cis->hwndItem : nullptr;
    }
    default:
        return nullptr;
    }
    (void)wParam;
}
} // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        LRESULT lResult = 0;
        if (!OnNotify(wParam, lParam, &lResult))
            return FALSE;
        *pResult = lResult;
        return TRUE;
    }
    if (HWND hChild = ChildOfMessage(m_hWnd, message, wParam, lParam)) {
        CWnd* pChild = FromHandlePermanent(hChild);
        if (pChild != nullptr && pChild != this && pChild->OnChildNotify(message, wParam, lParam, pResult))
            return TRUE;
    }
    UINT key = message;
    int nCode = 0;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        key = WM_CTLCOLOR;
        nCode = static_cast<int>(message - WM_CTLCOLORMSGBOX);
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(key);
    if (entry == nullptr)
        return FALSE;
    AFX_MSGCALL call;
    call.message = message;
    call.wParam = wParam;
    call.lParam = lParam;
    call.nCode = nCode;
    entry->pfn(this, call);
    *pResult = call.result;
    return TRUE;
}

namespace {
// Commands from menus and accelerators run only while their item is enabled.
class CTestCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override { }
    void SetRadio(BOOL) override { }
    void SetText(LPCTSTR) override { }
    BOOL m_bEnabled = TRUE;
};
} // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl != nullptr) {
        CWnd* pChild = FromHandlePermanent(hWndCtrl);
        LRESULT lResult = 0;
        if (pChild != nullptr && pChild != this && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &lResult))
            return TRUE;
        if (nID == 0)
            return FALSE;
    } else {
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == nullptr)
        return FALSE;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    CWnd* pChild = FromHandlePermanent(hWndCtrl);
    if (pChild != nullptr && pChild != this && pChild->OnChildNotify(WM_NOTIFY, 0, lParam, pResult))
        return TRUE;
    UINT nID = static_cast<UINT>(pNMHDR->idFrom);
    AFX_NOTIFY notify { pResult, pNMHDR };
    int nCode = static_cast<int>(MAKELONG(LOWORD(pNMHDR->code), WM_NOTIFY));
    return OnCmdMsg(nID, nCode, &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    UINT key = WM_REFLECT_BASE + message;
    UINT code = 0;
    bool matchCode = false;
    int nCtlColor = 0;
    switch (message) {
    case WM_COMMAND:
        code = HIWORD(wParam);
        matchCode = true;
        break;
    case WM_NOTIFY:
        code = LOWORD(reinterpret_cast<NMHDR*>(lParam)->code);
        matchCode = true;
        break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        key = WM_REFLECT_BASE + WM_CTLCOLOR;
        nCtlColor = static_cast<int>(message - WM_CTLCOLORMSGBOX);
        break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        break;
    default:
        return FALSE;
    }
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->pnRegistered != nullptr || e->nMessage != key || (matchCode && e->nCode != code))
                continue;
            AFX_MSGCALL call;
            call.message = message;
            call.wParam = wParam;
            call.lParam = lParam;
            call.nCode = nCtlColor;
            if (!e->pfn(this, call))
                return FALSE;
            if (pResult != nullptr)
                *pResult = call.result;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
        return TRUE;
    } catch (const CDataExchangeFailure&) {
        return FALSE;
    }
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND hCtl = ::GetWindow(m_hWnd, GW_CHILD); hCtl != nullptr; hCtl = ::GetWindow(hCtl, GW_HWNDNEXT)) {
        UINT nID = static_cast<UINT>(::GetDlgCtrlID(hCtl));
        if (nID == 0 || nID == static_cast<UINT>(IDC_STATIC) || nID == 0xFFFF)
            continue;
        state.m_nID = nID;
        state.m_pOther = FromHandle(hCtl);
        // Plain buttons without handlers may be disabled; other controls keep their state.
        DWORD code = static_cast<DWORD>(::SendMessage(hCtl, WM_GETDLGCODE, 0, 0));
        BOOL bDisable = bDisableIfNoHndler && (code & DLGC_BUTTON) != 0
            && ((::GetWindowLong(hCtl, GWL_STYLE) & 0x0F) == BS_PUSHBUTTON
                || (::GetWindowLong(hCtl, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON);
        state.DoUpdate(pTarget, bDisable);
    }
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    HWND hAfter = pWndInsertAfter == &wndTop ? HWND_TOP
        : pWndInsertAfter == &wndBottom      ? HWND_BOTTOM
        : pWndInsertAfter == &wndTopMost     ? HWND_TOPMOST
        : pWndInsertAfter == &wndNoTopMost   ? HWND_NOTOPMOST
                                             : AfxSafeHwnd(pWndInsertAfter);
    return ::SetWindowPos(m_hWnd, hAfter, x, y, cx, cy, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    RECT rcWnd;
    ::GetWindowRect(m_hWnd, &rcWnd);
    RECT rcArea;
    HWND hOwner = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if ((GetStyle() & WS_CHILD) != 0)
        hOwner = ::GetParent(m_hWnd);
    if (hOwner != nullptr && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner)) {
        ::GetWindowRect(hOwner, &rcArea);
    } else {
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcArea, 0);
    }
    int w = rcWnd.right - rcWnd.left;
    int h = rcWnd.bottom - rcWnd.top;
    int x = (rcArea.left + rcArea.right - w) / 2;
    int y = (rcArea.top + rcArea.bottom - h) / 2;
    if ((GetStyle() & WS_CHILD) != 0) {
        POINT pt { x, y };
        ::ScreenToClient(hOwner, &pt);
        x = pt.x;
        y = pt.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::GetWindowText(CString& rString) const
{
    int n = ::GetWindowTextLength(m_hWnd);
    LPTSTR buf = rString.GetBufferSetLength(n);
    ::GetWindowText(m_hWnd, buf, n + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hCtl = ::GetDlgItem(m_hWnd, nID);
    if (hCtl == nullptr)
        return 0;
    FromHandle(hCtl)->GetWindowText(rString);
    return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id) {
        if (::IsDlgButtonChecked(m_hWnd, id))
            return id;
    }
    return 0;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont != nullptr ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0)));
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = GetStyle();
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtr(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(newStyle));
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = GetExStyle();
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtr(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(newStyle));
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent();
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    while ((::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) != 0 && ::GetParent(hWnd) != nullptr)
        hWnd = ::GetParent(hWnd);
    return FromHandle(hWnd);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* pFrame = nullptr;
    if (IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        pFrame = const_cast<CFrameWnd*>(static_cast<const CFrameWnd*>(this));
    for (CFrameWnd* p = GetParentFrame(); p != nullptr; p = p->GetParentFrame())
        pFrame = p;
    return pFrame;
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = pParent != nullptr ? pParent->m_hWnd : nullptr;
    if (hWnd == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = pMain != nullptr ? pMain->m_hWnd : nullptr;
    }
    while (hWnd != nullptr && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) != 0)
        hWnd = ::GetParent(hWnd);
    // A box owned by a window that a modal dialog has disabled opens behind
    // that dialog and seems to freeze the program: own it by the window the
    // user works in, the top-level window's last active popup. A parent that
    // was named and takes input keeps the box (and is the window disabled
    // while it runs).
    const bool named = pParent != nullptr && pParent->m_hWnd != nullptr;
    if (hWnd != nullptr && (!named || !::IsWindowEnabled(hWnd) || !::IsWindowVisible(hWnd))) {
        HWND popup = ::GetLastActivePopup(hWnd);
        if (popup != nullptr && popup != hWnd && ::IsWindowVisible(popup) && ::IsWindowEnabled(popup))
            hWnd = popup;
    }
    if (pWndTop != nullptr)
        *pWndTop = hWnd;
    return FromHandle(hWnd);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep)
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        ::SendMessage(hChild, message, wParam, lParam);
        if (bDeep && ::GetWindow(hChild, GW_CHILD) != nullptr)
            FromHandle(hChild)->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return AfxGetTimeSource().SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return AfxGetTimeSource().KillTimer(m_hWnd, nIDEvent);
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu != nullptr ? pMenu->m_hMenu : nullptr);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return pDC != nullptr ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0;
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    ::DragAcceptFiles(m_hWnd, bAccept);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    CString caption = lpszCaption != nullptr ? CString(lpszCaption) : AfxGetAppTitle();
    return AfxGetUiHost().MessageBox(m_hWnd, lpszText, caption, nType);
}

// Sentinels for SetWindowPos.
const CWnd wndTop;
const CWnd wndBottom;
const CWnd wndTopMost;
const CWnd wndNoTopMost;
