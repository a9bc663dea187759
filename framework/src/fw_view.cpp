// CView, CScrollView and CFormView.
#include "afxwin.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CScrollView, CView)
IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::~CView()
{
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        CWnd::PreCreateWindow(cs);
        cs.lpszClass = AFX_WNDFRAMEORVIEW_CLASS;
    }
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    // Views are made with new by the frame and die with their window.
    delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() != this)
        pFrame->SetActiveView(this);
    return nResult;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this && m_hWnd != nullptr && ::GetFocus() != m_hWnd)
        ::SetFocus(m_hWnd);
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---------------------------------------------------------------------------

const SIZE CScrollView::sizeDefault = { 0, 0 };

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    CSize totalDev = sizeTotal;
    if (nMapMode != MM_TEXT) {
        CClientDC dc(m_hWnd);
        dc.SetMapMode(nMapMode);
        POINT pt { sizeTotal.cx, sizeTotal.cy };
        ::LPtoDP(dc.m_hDC, &pt, 1);
        totalDev = CSize(std::abs(pt.x), std::abs(pt.y));
    }
    m_pageDev = sizePage;
    m_lineDev = sizeLine;
    if (m_pageDev.cx == 0)
        m_pageDev.cx = totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = std::max(1L, m_pageDev.cx / 10);
    if (m_lineDev.cy == 0)
        m_lineDev.cy = std::max(1L, m_pageDev.cy / 10);
    if (m_hWnd != nullptr)
        UpdateBars();
}

void CScrollView::UpdateBars()
{
    RECT rc;
    GetClientRect(&rc);
    SCROLLINFO si {};
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = m_totalLog.cx - 1;
    si.nPage = static_cast<UINT>(std::max(0L, rc.right - rc.left));
    SetScrollInfo(SB_HORZ, &si, TRUE);
    si.nMax = m_totalLog.cy - 1;
    si.nPage = static_cast<UINT>(std::max(0L, rc.bottom - rc.top));
    SetScrollInfo(SB_VERT, &si, TRUE);
}

CPoint CScrollView::GetScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

void CScrollView::ScrollToPosition(POINT pt)
{
    CPoint old = GetScrollPosition();
    SetScrollPos(SB_HORZ, pt.x);
    SetScrollPos(SB_VERT, pt.y);
    CPoint now = GetScrollPosition();
    ScrollWindow(old.x - now.x, old.y - now.y);
}

void CScrollView::OnPrepareDC(CDC* pDC, void* pInfo)
{
    pDC->SetMapMode(m_nMapMode);
    CPoint pos = GetScrollPosition();
    pDC->SetViewportOrg(-pos.x, -pos.y);
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_totalLog.cx > 0 || m_totalLog.cy > 0)
        UpdateBars();
}

void CScrollView::ScrollBy(int nBar, UINT nSBCode, UINT nPos)
{
    SCROLLINFO si {};
    GetScrollInfo(nBar, &si);
    int line = nBar == SB_HORZ ? m_lineDev.cx : m_lineDev.cy;
    int pos = si.nPos;
    switch (nSBCode) {
    case SB_LINEUP:
        pos -= line;
        break;
    case SB_LINEDOWN:
        pos += line;
        break;
    case SB_PAGEUP:
        pos -= static_cast<int>(si.nPage);
        break;
    case SB_PAGEDOWN:
        pos += static_cast<int>(si.nPage);
        break;
    case SB_TOP:
        pos = si.nMin;
        break;
    case SB_BOTTOM:
        pos = si.nMax;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = si.nTrackPos;
        break;
    default:
        return;
    }
    (void)nPos;
    pos = std::clamp(pos, si.nMin, std::max(si.nMin, si.nMax - static_cast<int>(si.nPage) + 1));
    CPoint pt = GetScrollPosition();
    if (nBar == SB_HORZ)
        pt.x = pos;
    else
        pt.y = pos;
    ScrollToPosition(pt);
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    ScrollBy(SB_HORZ, nSBCode, nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    ScrollBy(SB_VERT, nSBCode, nPos);
}

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    int steps = zDelta / WHEEL_DELTA;
    for (int i = 0; i < std::abs(steps); ++i)
        ScrollBy(SB_VERT, steps > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    return TRUE;
}

// ---------------------------------------------------------------------------

namespace {
INT_PTR CALLBACK FormDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}
} // namespace

BOOL CFormView::Create(
    LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResource(hInst, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hGlobal = hRes != nullptr ? ::LoadResource(hInst, hRes) : nullptr;
    auto* pTemplate = hGlobal != nullptr ? static_cast<LPCDLGTEMPLATE>(::LockResource(hGlobal)) : nullptr;
    if (pTemplate == nullptr)
        return FALSE;
    AfxHookWindowCreate(this);
    m_bCreatedHere = true;
    HWND hWnd = ::CreateDialogIndirectParam(hInst, pTemplate, AfxSafeHwnd(pParentWnd), &FormDlgProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd == nullptr) {
        m_bCreatedHere = false;
        return FALSE;
    }
    // The template is a child dialog: give it the view's id, style and place.
    ::SetWindowLongPtr(hWnd, GWLP_ID, nID);
    ModifyStyle(WS_POPUP | WS_CAPTION, WS_CHILD | (dwStyle & (WS_VISIBLE | WS_BORDER)));
    MoveWindow(&rect, FALSE);
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr)
        pContext->m_pCurrentDoc->AddView(this);
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    SetScrollSizes(MM_TEXT, CSize(rc.right - rc.left, rc.bottom - rc.top));
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}
