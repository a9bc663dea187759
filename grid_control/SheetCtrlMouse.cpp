// CSheetCtrl mouse handling: selecting by clicks and drags in the cells and
// headers with auto-scrolling, resizing rows and columns at the header
// borders, editing on a second click of the focus cell, preparing drags,
// the cell hooks, the parent notifications and the cursor shapes.
#include "SheetCtrl.h"

namespace {
void SetStockCursor(LPCTSTR id)
{
    ::SetCursor(::LoadCursor(nullptr, id));
}

void InvertLine(CWnd* pWnd, const CRect& rect)
{
    if (CDC* pDC = pWnd->GetDC()) {
        pDC->InvertRect(&rect);
        pWnd->ReleaseDC(pDC);
    }
}
} // namespace

BOOL CSheetCtrl::MouseOverColumnResizeArea(CPoint point) const
{
    if (point.y >= GetFixedRowHeight())
        return FALSE;
    CCellID cell = GetCellFromPt(point);
    CPoint start;
    if (!GetCellOrigin(cell, &start))
        return FALSE;
    const int endx = start.x + GetColumnWidth(cell.col);
    return (point.x - start.x < m_nResizeCaptureRange && cell.col != 0) || endx - point.x < m_nResizeCaptureRange;
}

BOOL CSheetCtrl::MouseOverRowResizeArea(CPoint point) const
{
    if (point.x >= GetFixedColumnWidth())
        return FALSE;
    CCellID cell = GetCellFromPt(point);
    CPoint start;
    if (!GetCellOrigin(cell, &start))
        return FALSE;
    const int endy = start.y + GetRowHeight(cell.row);
    return (point.y - start.y < m_nResizeCaptureRange && cell.row != 0) || endy - point.y < m_nResizeCaptureRange;
}

void CSheetCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    m_LeftClickDownPoint = point;
    m_LeftClickDownCell = GetCellFromPt(point);
    m_bLMouseButtonDown = TRUE;
    if (!IsValid(m_LeftClickDownCell))
        return;

    m_SelectionStartCell = (nFlags & MK_SHIFT) ? m_idCurrentCell : m_LeftClickDownCell;
    EndEditing();
    if (CSheetCellBase* pCell = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col))
        pCell->OnClickDown(GetPointRelativeToCell(m_LeftClickDownCell, point));

    if (m_LeftClickDownCell == m_idCurrentCell) {
        if (IsCellEditable(m_LeftClickDownCell))
            m_MouseMode = MOUSE_PREPARE_EDIT;
        return;
    }
    if (m_bEnableSelection && IsCellSelected(m_LeftClickDownCell.row, m_LeftClickDownCell.col)) {
        if (nFlags & MK_CONTROL) {
            SetItemState(m_LeftClickDownCell.row, m_LeftClickDownCell.col,
                GetItemState(m_LeftClickDownCell.row, m_LeftClickDownCell.col) & ~GVIS_SELECTED);
            SetFocusCell(m_LeftClickDownCell);
            RedrawCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col);
            return;
        }
        if (m_bAllowDragAndDrop)
            m_MouseMode = MOUSE_PREPARE_DRAG;
    } else if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
        SetFocusCell(-1, -1);
        if (m_nRows > m_nFixedRows && m_nCols > m_nFixedCols)
            SetFocusCell(
                std::max(m_LeftClickDownCell.row, m_nFixedRows), std::max(m_LeftClickDownCell.col, m_nFixedCols));
    }

    SetCapture();

    if (m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
            SetStockCursor(IDC_SIZEWE);
            m_MouseMode = MOUSE_OVER_COL_DIVIDE;
        } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
            SetStockCursor(IDC_SIZENS);
            m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
        }
    }

    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
        m_MouseMode = MOUSE_SIZING_COL;
        CPoint start;
        if (!GetCellOrigin(m_LeftClickDownCell, &start))
            return;
        if (point.x - start.x < m_nResizeCaptureRange)
            m_LeftClickDownCell.col--;
        CRect rect;
        GetClientRect(&rect);
        InvertLine(this, CRect(point.x, rect.top, point.x + 2, rect.bottom));
        if (!GetCellOrigin(m_LeftClickDownCell, &start))
            return;
        rect.left = start.x;
        ClientToScreen(&rect);
        ::ClipCursor(&rect);
    } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        m_MouseMode = MOUSE_SIZING_ROW;
        CPoint start;
        if (!GetCellOrigin(m_LeftClickDownCell, &start))
            return;
        if (point.y - start.y < m_nResizeCaptureRange)
            m_LeftClickDownCell.row--;
        CRect rect;
        GetClientRect(&rect);
        InvertLine(this, CRect(rect.left, point.y, rect.right, point.y + 2));
        if (!GetCellOrigin(m_LeftClickDownCell, &start))
            return;
        rect.top = start.y;
        ClientToScreen(&rect);
        ::ClipCursor(&rect);
    } else if (m_MouseMode != MOUSE_PREPARE_DRAG) {
        // Control adds the new selection to what is selected now.
        m_PrevSelectedCellMap.RemoveAll();
        if (nFlags & MK_CONTROL) {
            for (POSITION pos = m_SelectedCellMap.GetStartPosition(); pos != nullptr;) {
                DWORD key = 0;
                CCellID cell;
                m_SelectedCellMap.GetNextAssoc(pos, key, cell);
                m_PrevSelectedCellMap.SetAt(key, cell);
            }
        }
        if (m_LeftClickDownCell.row < m_nFixedRows) {
            OnFixedRowClick(m_LeftClickDownCell);
        } else if (m_LeftClickDownCell.col < m_nFixedCols) {
            OnFixedColumnClick(m_LeftClickDownCell);
        } else {
            m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            OnSelecting(m_LeftClickDownCell);
        }
        m_nTimerID = SetTimer(GRID_AUTOSCROLL_TIMER, static_cast<UINT>(m_nTimerInterval));
    }
    m_LastMousePoint = point;
}

void CSheetCtrl::OnMouseMove(UINT, CPoint point)
{
    CRect rect;
    GetClientRect(&rect);
    if (!rect.PtInRect(point) && m_MouseMode != MOUSE_DRAGGING)
        return;

    if (!m_bLMouseButtonDown || m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
            if (m_MouseMode != MOUSE_OVER_COL_DIVIDE) {
                SetStockCursor(IDC_SIZEWE);
                m_MouseMode = MOUSE_OVER_COL_DIVIDE;
            }
        } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
            if (m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
                SetStockCursor(IDC_SIZENS);
                m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
            }
        } else if (m_MouseMode != MOUSE_NOTHING) {
            SetStockCursor(IDC_ARROW);
            m_MouseMode = MOUSE_NOTHING;
        }

        if (m_MouseMode == MOUSE_NOTHING) {
            CCellID cell = GetCellFromPt(point);
            if (CSheetCellBase* pCell = GetCell(cell.row, cell.col)) {
                pCell->OnMouseOver();
                LPCTSTR szTipText = pCell->GetTipText();
                CRect textRect, cellRect;
                if (m_bTitleTips && szTipText != nullptr && szTipText[0] != L'\0' && !pCell->IsEditing()
                    && GetCellRect(cell, &textRect) && pCell->GetTipTextRect(&textRect) && GetCellRect(cell, &cellRect))
                    m_TitleTip.Show(textRect, szTipText, &cellRect, pCell->GetFont(), m_crTTipTextClr, m_crTTipBackClr);
            }
        }
        m_LastMousePoint = point;
        return;
    }

    if (!IsValid(m_LeftClickDownCell)) {
        m_LastMousePoint = point;
        return;
    }

    switch (m_MouseMode) {
    case MOUSE_SELECT_COL:
    case MOUSE_SELECT_ROW:
    case MOUSE_SELECT_CELLS: {
        CCellID cell = GetCellFromPt(point);
        if (!IsValid(cell))
            return;
        if (cell != m_idCurrentCell) {
            OnSelecting(cell);
            if ((cell.row >= m_nFixedRows && cell.col >= m_nFixedCols) || m_MouseMode == MOUSE_SELECT_COL
                || m_MouseMode == MOUSE_SELECT_ROW)
                SetFocusCell(cell);
        }
        break;
    }
    case MOUSE_SIZING_COL:
        InvertLine(this, CRect(m_LastMousePoint.x, rect.top, m_LastMousePoint.x + 2, rect.bottom));
        InvertLine(this, CRect(point.x, rect.top, point.x + 2, rect.bottom));
        break;
    case MOUSE_SIZING_ROW:
        InvertLine(this, CRect(rect.left, m_LastMousePoint.y, rect.right, m_LastMousePoint.y + 2));
        InvertLine(this, CRect(rect.left, point.y, rect.right, point.y + 2));
        break;
    case MOUSE_PREPARE_EDIT:
    case MOUSE_PREPARE_DRAG:
        m_MouseMode = MOUSE_PREPARE_DRAG;
        OnBeginDrag();
        break;
    default:
        break;
    }
    m_LastMousePoint = point;
}

void CSheetCtrl::OnLButtonUp(UINT, CPoint point)
{
    Default();
    m_bLMouseButtonDown = FALSE;
    ::ClipCursor(nullptr);
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }

    CPoint pointClickedRel = GetPointRelativeToCell(m_idCurrentCell, point);
    CRect rect;
    GetClientRect(&rect);

    switch (m_MouseMode) {
    case MOUSE_PREPARE_EDIT:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, pointClickedRel, VK_LBUTTON);
        break;
    case MOUSE_PREPARE_DRAG:
        if (CSheetCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            pCell->OnClick(pointClickedRel);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
        m_PrevSelectedCellMap.RemoveAll();
        ResetSelectedRange();
        SetFocusCell(-1, -1);
        break;
    case MOUSE_SIZING_COL: {
        InvertLine(this, CRect(m_LastMousePoint.x, rect.top, m_LastMousePoint.x + 2, rect.bottom));
        CPoint start;
        // A border whose column has no origin is left as it is.
        if (m_LeftClickDownPoint != point && GetCellOrigin(m_LeftClickDownCell, &start)) {
            SetColumnWidth(m_LeftClickDownCell.col, point.x - start.x);
            ResetScrollBars();
            Invalidate();
        }
        break;
    }
    case MOUSE_SIZING_ROW: {
        InvertLine(this, CRect(rect.left, m_LastMousePoint.y, rect.right, m_LastMousePoint.y + 2));
        CPoint start;
        if (m_LeftClickDownPoint != point && GetCellOrigin(m_LeftClickDownCell, &start)) {
            SetRowHeight(m_LeftClickDownCell.row, point.y - start.y);
            ResetScrollBars();
            Invalidate();
        }
        break;
    }
    default:
        if (CSheetCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            pCell->OnClick(pointClickedRel);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
        break;
    }

    m_MouseMode = MOUSE_NOTHING;
    SetStockCursor(IDC_ARROW);
    if (!IsValid(m_LeftClickDownCell))
        return;
    CWnd* pOwner = GetOwner();
    if (pOwner != nullptr && ::IsWindow(pOwner->GetSafeHwnd()))
        pOwner->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
}

void CSheetCtrl::OnLButtonDblClk(UINT, CPoint point)
{
    CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell))
        return;

    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
        CPoint start;
        if (GetCellOrigin(cell, &start)) {
            if (point.x - start.x < m_nResizeCaptureRange) {
                cell.col--;
                while (cell.col > 0 && GetColumnWidth(cell.col) == 0)
                    cell.col--;
            }
            AutoSizeColumn(cell.col);
            Invalidate();
        }
    } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        CPoint start;
        if (GetCellOrigin(cell, &start)) {
            if (point.y - start.y < m_nResizeCaptureRange) {
                cell.row--;
                while (cell.row > 0 && GetRowHeight(cell.row) == 0)
                    cell.row--;
            }
            AutoSizeRow(cell.row);
            Invalidate();
        }
    } else if (m_MouseMode == MOUSE_NOTHING) {
        CPoint pointClickedRel = GetPointRelativeToCell(cell, point);
        if (cell.row >= m_nFixedRows && cell.col >= m_nFixedCols && IsValid(m_LeftClickDownCell))
            OnEditCell(cell.row, cell.col, pointClickedRel, VK_LBUTTON);
        else if (m_bListMode && cell.row >= m_nFixedRows && cell.col < m_nFixedCols)
            OnEditCell(cell.row, cell.col, pointClickedRel, VK_LBUTTON);
        if (CSheetCellBase* pCell = GetCell(cell.row, cell.col))
            pCell->OnDblClick(pointClickedRel);
        SendMessageToParent(cell.row, cell.col, NM_DBLCLK);
    }
    Default();
}

void CSheetCtrl::OnRButtonUp(UINT, CPoint point)
{
    Default();
    EndEditing();
    CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell)) {
        SendMessageToParent(-1, -1, NM_RCLICK);
        return;
    }
    SetFocusCell(-1, -1);
    SetFocusCell(std::max(cell.row, m_nFixedRows), std::max(cell.col, m_nFixedCols));
    cell = GetFocusCell();
    if (CSheetCellBase* pCell = GetCell(cell.row, cell.col))
        pCell->OnRClick(GetPointRelativeToCell(cell, point));
    SendMessageToParent(cell.row, cell.col, NM_RCLICK);
}

BOOL CSheetCtrl::OnSetCursor(CWnd*, UINT nHitTest, UINT)
{
    if (nHitTest != HTCLIENT)
        return static_cast<BOOL>(Default());
    switch (m_MouseMode) {
    case MOUSE_OVER_ROW_DIVIDE:
        SetStockCursor(IDC_SIZENS);
        break;
    case MOUSE_OVER_COL_DIVIDE:
        SetStockCursor(IDC_SIZEWE);
        break;
    case MOUSE_DRAGGING:
        break;
    default: {
        DWORD dwPos = ::GetMessagePos();
        CPoint pt(static_cast<short>(LOWORD(dwPos)), static_cast<short>(HIWORD(dwPos)));
        ScreenToClient(&pt);
        CCellID cell = GetCellFromPt(pt);
        if (CSheetCellBase* pCell = GetCell(cell.row, cell.col))
            return pCell->OnSetCursor();
        SetStockCursor(IDC_ARROW);
        break;
    }
    }
    return TRUE;
}

void CSheetCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != GRID_AUTOSCROLL_TIMER)
        return;
    CPoint origPt;
    if (!::GetCursorPos(&origPt))
        return;
    ScreenToClient(&origPt);
    CRect rect;
    GetClientRect(&rect);
    const int nFixedRowHeight = GetFixedRowHeight();
    const int nFixedColWidth = GetFixedColumnWidth();

    CPoint pt = origPt;
    if (pt.y > rect.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        pt.x = std::clamp<LONG>(pt.x, rect.left, rect.right);
        pt.y = rect.bottom;
        OnSelecting(GetCellFromPt(pt));
    } else if (pt.y < nFixedRowHeight) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        pt.x = std::clamp<LONG>(pt.x, rect.left, rect.right);
        pt.y = nFixedRowHeight + 1;
        OnSelecting(GetCellFromPt(pt));
    }
    pt = origPt;
    if (pt.x > rect.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        pt.y = std::clamp<LONG>(pt.y, rect.top, rect.bottom);
        pt.x = rect.right;
        OnSelecting(GetCellFromPt(pt));
    } else if (pt.x < nFixedColWidth) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        pt.y = std::clamp<LONG>(pt.y, rect.top, rect.bottom);
        pt.x = nFixedColWidth + 1;
        OnSelecting(GetCellFromPt(pt));
    }
}

void CSheetCtrl::OnFixedRowClick(CCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bListMode) {
        if (!m_bSortOnClick)
            return;
        BeginWaitCursor();
        if (cell.col == m_nSortColumn)
            m_bAscending = !m_bAscending;
        else
            m_bAscending = TRUE;
        SortTextItems(cell.col, m_bAscending);
        Invalidate();
        EndWaitCursor();
        return;
    }
    m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
    OnSelecting(cell);
}

void CSheetCtrl::OnFixedColumnClick(CCellID& cell)
{
    if (!IsValid(cell))
        return;
    m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
    OnSelecting(cell);
}
