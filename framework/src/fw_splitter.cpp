// CSplitterWnd: static pane grid, layout, drawing of bars and borders, and
// resizing by dragging a bar.
#include "afxwin.h"
#include "fw_splitter.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr || nRows < 1 || nCols < 1 || nRows > kMaxPanes || nCols > kMaxPanes)
        return FALSE;
    m_rows.assign(static_cast<size_t>(nRows), Info {});
    m_cols.assign(static_cast<size_t>(nCols), Info {});
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr);
    CRect rc(0, 0, 0, 0);
    return CreateEx(0, cls, nullptr, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rc, pParentWnd, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    if (row < 0 || row >= GetRowCount() || col < 0 || col >= GetColumnCount() || pViewClass == nullptr)
        return FALSE;
    m_cols[static_cast<size_t>(col)].nIdealSize = sizeInit.cx;
    m_rows[static_cast<size_t>(row)].nIdealSize = sizeInit.cy;
    CObject* pObject = pViewClass->CreateObject();
    auto* pWnd = dynamic_cast<CWnd*>(pObject);
    if (pWnd == nullptr) {
        delete pObject;
        return FALSE;
    }
    CRect rc(0, 0, sizeInit.cx, sizeInit.cy);
    // A view that fails to be created deletes itself with its window.
    return pWnd->Create(
        nullptr, nullptr, WS_CHILD | WS_VISIBLE, rc, this, static_cast<UINT>(IdFromRowCol(row, col)), pContext);
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    const Info& info = m_rows.at(static_cast<size_t>(row));
    cyCur = info.nCurSize;
    cyMin = info.nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    Info& info = m_rows.at(static_cast<size_t>(row));
    info.nIdealSize = cyIdeal;
    info.nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    const Info& info = m_cols.at(static_cast<size_t>(col));
    cxCur = info.nCurSize;
    cxMin = info.nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    Info& info = m_cols.at(static_cast<size_t>(col));
    info.nIdealSize = cxIdeal;
    info.nMinSize = cxMin;
}

int CSplitterWnd::IdFromRowCol(int row, int col) const
{
    return AFX_IDW_PANE_FIRST + row * kMaxPanes + col;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    return hPane != nullptr ? CWnd::FromHandle(hPane) : nullptr;
}

void CSplitterWnd::LayoutAxis(std::vector<Info>& infos, int total, int border, int bar) const
{
    int pos = 0;
    for (size_t i = 0; i < infos.size(); ++i) {
        Info& info = infos[i];
        info.nStart = pos + border;
        bool last = i + 1 == infos.size();
        int size = last ? total - info.nStart - border : std::max(info.nIdealSize, info.nMinSize);
        info.nCurSize = std::max(0, size);
        pos = info.nStart + info.nCurSize + border + (last ? 0 : bar);
    }
}

void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == nullptr || m_rows.empty() || m_cols.empty())
        return;
    CRect rc;
    GetClientRect(&rc);
    LayoutAxis(m_cols, rc.Width(), m_cxBorder, m_cxSplitter);
    LayoutAxis(m_rows, rc.Height(), m_cyBorder, m_cySplitter);
    for (int r = 0; r < GetRowCount(); ++r) {
        for (int c = 0; c < GetColumnCount(); ++c) {
            HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(r, c));
            if (hPane == nullptr)
                continue;
            const Info& col = m_cols[static_cast<size_t>(c)];
            const Info& row = m_rows[static_cast<size_t>(r)];
            ::MoveWindow(hPane, col.nStart, row.nStart, col.nCurSize, row.nCurSize, TRUE);
        }
    }
    Invalidate();
}

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (pDC == nullptr)
        return;
    if (nType == splitBorder) {
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        return;
    }
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_3DFACE));
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    // Everything that is not a pane: bars first, then a border round each pane.
    dc.FillSolidRect(&rc, ::GetSysColor(COLOR_3DFACE));
    for (size_t c = 0; c + 1 < m_cols.size(); ++c) {
        int x = m_cols[c].nStart + m_cols[c].nCurSize + m_cxBorder;
        OnDrawSplitter(&dc, splitBar, CRect(x, rc.top, x + m_cxSplitter, rc.bottom));
    }
    for (size_t r = 0; r + 1 < m_rows.size(); ++r) {
        int y = m_rows[r].nStart + m_rows[r].nCurSize + m_cyBorder;
        OnDrawSplitter(&dc, splitBar, CRect(rc.left, y, rc.right, y + m_cySplitter));
    }
    for (const Info& row : m_rows) {
        for (const Info& col : m_cols) {
            CRect pane(col.nStart, row.nStart, col.nStart + col.nCurSize, row.nStart + row.nCurSize);
            pane.InflateRect(m_cxBorder, m_cyBorder);
            OnDrawSplitter(&dc, splitBorder, pane);
        }
    }
}

BOOL CSplitterWnd::OnEraseBkgnd(CDC*)
{
    return TRUE; // OnPaint covers everything the panes do not
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

int CSplitterWnd::HitColumnBar(CPoint point) const
{
    for (size_t c = 0; c + 1 < m_cols.size(); ++c) {
        int left = m_cols[c].nStart + m_cols[c].nCurSize;
        int right = m_cols[c + 1].nStart;
        if (point.x >= left && point.x < right)
            return static_cast<int>(c);
    }
    return -1;
}

int CSplitterWnd::HitRowBar(CPoint point) const
{
    for (size_t r = 0; r + 1 < m_rows.size(); ++r) {
        int top = m_rows[r].nStart + m_rows[r].nCurSize;
        int bottom = m_rows[r + 1].nStart;
        if (point.y >= top && point.y < bottom)
            return static_cast<int>(r);
    }
    return -1;
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (HitColumnBar(pt) >= 0) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        if (HitRowBar(pt) >= 0) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZENS));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point)
{
    m_dragCol = HitColumnBar(point);
    m_dragRow = m_dragCol < 0 ? HitRowBar(point) : -1;
    if (m_dragCol >= 0 || m_dragRow >= 0)
        SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point)
{
    // The pane before the bar follows the mouse; the layout keeps its minimum.
    if (m_dragCol >= 0) {
        Info& col = m_cols[static_cast<size_t>(m_dragCol)];
        col.nIdealSize = std::max(0, static_cast<int>(point.x) - col.nStart - m_cxBorder);
        RecalcLayout();
    } else if (m_dragRow >= 0) {
        Info& row = m_rows[static_cast<size_t>(m_dragRow)];
        row.nIdealSize = std::max(0, static_cast<int>(point.y) - row.nStart - m_cyBorder);
        RecalcLayout();
    }
}

void CSplitterWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_dragCol >= 0 || m_dragRow >= 0) {
        OnMouseMove(nFlags, point);
        m_dragCol = -1;
        m_dragRow = -1;
        ::ReleaseCapture();
    }
}

BOOL CSplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    HWND hParent = ::GetParent(m_hWnd);
    return hParent != nullptr && ::SendMessage(hParent, WM_COMMAND, wParam, lParam) != 0;
}

BOOL CSplitterWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == nullptr)
        return FALSE;
    *pResult = ::SendMessage(hParent, WM_NOTIFY, wParam, lParam);
    return TRUE;
}
