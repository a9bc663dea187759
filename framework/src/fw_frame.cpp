// CFrameWnd: creation from resources, client view, layout, title, command
// routing and menu command UI, close with the save prompt.
#include "afxwin.h"
#include "fw_bars.h"

#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const RECT CFrameWnd::rectDefault = { CW_USEDEFAULT, CW_USEDEFAULT, 0, 0 };

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_INITMENUPOPUP()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CFrameWnd::~CFrameWnd()
{
    if (m_hAccelTable != nullptr)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        CWnd::PreCreateWindow(cs);
        cs.lpszClass = AFX_WNDFRAMEORVIEW_CLASS;
    }
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
    LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr)
        hMenu = ::LoadMenu(AfxGetResourceHandle(), lpszMenuName);
    m_hMenuDefault = hMenu;
    if (lpszWindowName != nullptr)
        m_strTitle = lpszWindowName;
    // rectDefault holds CW_USEDEFAULT (INT_MIN) in its left edge: no size to
    // work out then, and subtracting it would overflow.
    int cx = CW_USEDEFAULT;
    int cy = CW_USEDEFAULT;
    if (rect.left != CW_USEDEFAULT) {
        cx = rect.right - rect.left;
        cy = rect.bottom - rect.top;
    }
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, cx, cy,
            AfxSafeHwnd(pParentWnd), hMenu, pContext)) {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        m_hMenuDefault = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString fullString;
    fullString.LoadString(nIDResource);
    int nl = fullString.Find(L'\n');
    m_strTitle = nl >= 0 ? fullString.Left(nl) : fullString;
    if (m_strTitle.IsEmpty())
        m_strTitle = AfxGetAppTitle();
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCTSTR menuName = ::FindResource(hInst, MAKEINTRESOURCE(nIDResource), RT_MENU) != nullptr
        ? MAKEINTRESOURCE(nIDResource)
        : nullptr;
    if (!Create(nullptr, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, menuName, 0, pContext))
        return FALSE;
    if (HICON hIcon = ::LoadIcon(hInst, MAKEINTRESOURCE(nIDResource))) {
        ::SendMessage(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
        ::SendMessage(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    }
    if (m_hAccelTable == nullptr)
        m_hAccelTable = ::LoadAccelerators(hInst, MAKEINTRESOURCE(nIDResource));
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    auto* pView = dynamic_cast<CWnd*>(pObject);
    if (pView == nullptr) {
        delete pObject;
        return nullptr;
    }
    RECT rc = { 0, 0, 0, 0 };
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW & ~WS_BORDER, rc, this, nID, pContext)) {
        // The failed view deleted itself in PostNcDestroy.
        return nullptr;
    }
    if ((pView->GetExStyle() & WS_EX_CLIENTEDGE) == 0)
        pView->ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    return pView;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_hWnd == nullptr)
        return;
    RECT rc;
    GetClientRect(&rc);
    HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (hPane != nullptr)
        ::MoveWindow(hPane, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The view covers the client area; erasing under it only flickers.
    if (::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST) != nullptr)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        BringWindowToTop();
    }
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = pViewNew;
    if (bNotify && pViewOld != nullptr)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (bNotify && pViewNew != nullptr)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (m_pViewActive == nullptr) {
        CWnd* pPane = GetDlgItem(AFX_IDW_PANE_FIRST);
        if (pPane != nullptr && pPane->IsKindOf(RUNTIME_CLASS(CView)))
            SetActiveView(static_cast<CView*>(pPane), FALSE);
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    if (pDoc != nullptr)
        OnUpdateFrameTitle(TRUE);
    if (bMakeVisible) {
        CWinApp* pApp = AfxGetApp();
        int nCmdShow = -1;
        if (pApp != nullptr && pApp->m_pMainWnd == this && !IsWindowVisible())
            nCmdShow = pApp->m_nCmdShow;
        ActivateFrame(nCmdShow);
        if (m_pViewActive != nullptr)
            m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
    }
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0 || m_hWnd == nullptr)
        return;
    CDocument* pDoc = GetActiveDocument();
    CString title = m_strTitle;
    if (bAddToTitle && pDoc != nullptr && !pDoc->GetTitle().IsEmpty())
        title = pDoc->GetTitle() + L" - " + m_strTitle;
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccelTable != nullptr && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg);
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // View (and through it the document) first, then the frame, then the application.
    CView* pView = m_pViewActive;
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::UpdateMenuCmdUI(CMenu* pMenu)
{
    CCmdUI state;
    state.m_pMenu = pMenu;
    for (state.m_nIndex = 0; static_cast<int>(state.m_nIndex) < pMenu->GetMenuItemCount(); ++state.m_nIndex) {
        UINT nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (nID == 0 || nID == static_cast<UINT>(-1))
            continue; // separators and sub-menus
        state.m_nID = nID;
        state.m_pSubMenu = nullptr;
        // System commands are not ours to disable.
        state.DoUpdate(this, m_bAutoMenuEnable && nID < 0xF000);
    }
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || pPopupMenu == nullptr)
        return;
    UpdateMenuCmdUI(pPopupMenu);
}

namespace {
BOOL CALLBACK CollectChild(HWND hWnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}
} // namespace

void CFrameWnd::OnIdleUpdateCmdUI()
{
    if (m_hWnd == nullptr)
        return;
    // Every bar inside the frame, docked to it or inside one of its panes.
    // The handles are taken first: an update handler may make or destroy
    // windows.
    std::vector<HWND> children;
    ::EnumChildWindows(m_hWnd, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND hChild : children) {
        if (!::IsWindow(hChild) || (::GetWindowLong(hChild, GWL_STYLE) & WS_VISIBLE) == 0)
            continue;
        auto* pBar = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(hChild));
        if (pBar == nullptr)
            continue;
        // A bar's commands go to its parent window, so its handlers are
        // asked along the same route.
        CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(hChild));
        pBar->OnUpdateCmdUI(pParent != nullptr ? pParent : this, m_bAutoMenuEnable);
    }
}

void CFrameWnd::OnClose()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this) {
        // Closing the main window closes every document: ask about each.
        if (!pApp->SaveAllModified())
            return;
        HWND hWnd = m_hWnd;
        pApp->CloseAllDocuments(FALSE);
        // The last document may have taken the frame (and this object) with it.
        if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
            return;
    } else {
        CDocument* pDoc = GetActiveDocument();
        if (pDoc != nullptr && !pDoc->CanCloseFrame(this))
            return;
        if (pDoc != nullptr) {
            pDoc->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    if (m_hMenuDefault != nullptr && ::GetMenu(m_hWnd) == m_hMenuDefault) {
        ::SetMenu(m_hWnd, nullptr);
        ::DestroyMenu(m_hMenuDefault);
        m_hMenuDefault = nullptr;
    }
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this) {
        pApp->m_pMainWnd = nullptr;
        AfxPostQuitMessage(0);
    }
    // Frames are made with new and die with their window.
    delete this;
}
