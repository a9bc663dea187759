// The dockable side pane (see fw_dockpane.h).
#include "afxwin.h"
#include "fw_dockpane.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDockablePane, CControlBar)

BEGIN_MESSAGE_MAP(CDockablePane, CControlBar)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SETCURSOR()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

BOOL CDockablePane::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL, UINT nID, DWORD dwStyle,
    DWORD, DWORD dwControlBarStyle)
{
    SetBarStyle((dwStyle & CBRS_ALIGN_ANY) != 0 ? dwStyle : dwStyle | CBRS_LEFT);
    m_dwControlBarStyle = dwControlBarStyle;
    m_nWidth = std::max(kMinWidth, static_cast<int>(rect.right - rect.left));
    // Children are clipped so that the content does not flicker when the
    // pane paints its edge.
    const DWORD wndStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    static const CString className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return CWnd::Create(className, lpszCaption != nullptr ? lpszCaption : L"", wndStyle, rect, pParentWnd, nID);
}

void CDockablePane::SetContent(CWnd* pContent)
{
    SetContent(pContent != nullptr ? pContent->GetSafeHwnd() : nullptr);
}

void CDockablePane::SetContent(HWND hContent)
{
    m_hContent = hContent;
    PlaceContent();
}

CRect CDockablePane::EdgeRect() const
{
    CRect rc;
    if (m_hWnd == nullptr)
        return rc;
    GetClientRect(&rc);
    if (OnLeftSide())
        rc.left = std::max(rc.left, rc.right - kEdgeWidth);
    else
        rc.right = std::min(rc.right, rc.left + kEdgeWidth);
    return rc;
}

void CDockablePane::PlaceContent()
{
    if (m_hWnd == nullptr || m_hContent == nullptr || !::IsWindow(m_hContent))
        return;
    CRect rc;
    GetClientRect(&rc);
    if (OnLeftSide())
        rc.right = std::max(rc.left, rc.right - kEdgeWidth);
    else
        rc.left = std::min(rc.right, rc.left + kEdgeWidth);
    ::MoveWindow(m_hContent, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
}

void CDockablePane::RelayoutParent()
{
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return;
    if (auto* frame = dynamic_cast<CFrameWnd*>(parent))
        frame->RecalcLayout();
    else
        AfxRepositionBars(parent);
}

void CDockablePane::DockToSide(DWORD dwAlignment)
{
    const DWORD side = dwAlignment == CBRS_ALIGN_RIGHT ? CBRS_RIGHT : CBRS_LEFT;
    SetBarStyle((GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | side);
    RelayoutParent();
    PlaceContent();
    if (m_hWnd != nullptr)
        Invalidate();
}

void CDockablePane::ShowPane(BOOL bShow, BOOL, BOOL)
{
    if (m_hWnd == nullptr)
        return;
    ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    RelayoutParent();
}

void CDockablePane::SetPaneWidth(int cx)
{
    m_nWidth = std::max(kMinWidth, cx);
    RelayoutParent();
}

CSize CDockablePane::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(m_nWidth, 32767);
}

void CDockablePane::OnSize(UINT, int, int)
{
    PlaceContent();
}

BOOL CDockablePane::OnEraseBkgnd(CDC*)
{
    return TRUE; // painted in OnPaint
}

void CDockablePane::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, GetBarFaceColor());
    // The edge: a raised ridge the user can grab.
    CRect edge = EdgeRect();
    dc.Draw3dRect(&edge, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

BOOL CDockablePane::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (m_bDragging || EdgeRect().PtInRect(pt)) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
    }
    return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

void CDockablePane::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!EdgeRect().PtInRect(point) || (m_dwControlBarStyle & AFX_CBRS_RESIZE) == 0) {
        CControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    // Screen coordinates: a pane on the right moves while it is dragged.
    CPoint screen = point;
    ClientToScreen(&screen);
    m_bDragging = true;
    m_nDragStartX = screen.x;
    m_nDragStartWidth = m_nWidth;
    SetCapture();
}

void CDockablePane::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bDragging) {
        CControlBar::OnMouseMove(nFlags, point);
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    const int delta = screen.x - m_nDragStartX;
    const int width = OnLeftSide() ? m_nDragStartWidth + delta : m_nDragStartWidth - delta;
    // Never wider than the parent leaves room for.
    int limit = width;
    if (CWnd* parent = GetParent()) {
        CRect rc;
        parent->GetClientRect(&rc);
        limit = std::max(kMinWidth, static_cast<int>(rc.Width()) - kMinWidth);
    }
    SetPaneWidth(std::min(width, limit));
}

void CDockablePane::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bDragging) {
        CControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    m_bDragging = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CDockablePane::OnCaptureChanged(CWnd*)
{
    m_bDragging = false;
}
