// CSheetCtrl keyboard, characters, mouse wheel and scroll bars: moving the
// focus, extending the selection, scrolling, and starting edits and the
// clipboard commands from keys.
#include "SheetCtrl.h"

namespace {
bool KeyDown(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}
} // namespace

void CSheetCtrl::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (!IsValid(m_idCurrentCell)) {
        Default();
        return;
    }
    CCellID next = m_idCurrentCell;
    bool bChangeLine = false;
    const bool bShift = KeyDown(VK_SHIFT);

    if (KeyDown(VK_CONTROL)) {
        switch (nChar) {
        case 'A':
            OnEditSelectAll();
            break;
        case 'X':
            OnEditCut();
            break;
        case VK_INSERT:
        case 'C':
            OnEditCopy();
            break;
        case 'V':
            OnEditPaste();
            break;
        default:
            break;
        }
    }
    if (bShift && nChar == VK_INSERT)
        OnEditPaste();

    switch (nChar) {
    case VK_TAB:
        if (bShift) {
            if (next.col > m_nFixedCols) {
                next.col--;
            } else if (next.col == m_nFixedCols && next.row > m_nFixedRows) {
                next.row--;
                next.col = m_nCols - 1;
                bChangeLine = true;
            }
        } else {
            if (next.col < m_nCols - 1) {
                next.col++;
            } else if (next.col == m_nCols - 1 && next.row < m_nRows - 1) {
                next.row++;
                next.col = m_nFixedCols;
                bChangeLine = true;
            }
        }
        break;
    case VK_PRIOR: {
        CCellID oldTopLeft = GetTopleftNonFixedCell();
        SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
        CCellID newTopLeft = GetTopleftNonFixedCell();
        int increment = newTopLeft.row - oldTopLeft.row;
        if (increment == 0) {
            next.row = m_nFixedRows;
        } else {
            next.row += increment;
            if (next.row < m_nFixedRows)
                next.row = m_nFixedRows;
        }
        break;
    }
    case VK_NEXT: {
        CCellID oldTopLeft = GetTopleftNonFixedCell();
        SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        CCellID newTopLeft = GetTopleftNonFixedCell();
        int increment = newTopLeft.row - oldTopLeft.row;
        if (increment == 0) {
            next.row = m_nRows - 1;
        } else {
            next.row += increment;
            if (next.row > m_nRows - 1)
                next.row = m_nRows - 1;
        }
        break;
    }
    case VK_END:
        if (KeyDown(VK_CONTROL)) {
            SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
            SendMessage(WM_HSCROLL, SB_RIGHT, 0);
            next.row = m_nRows - 1;
            next.col = m_nCols - 1;
        } else {
            SendMessage(WM_HSCROLL, SB_RIGHT, 0);
            next.col = m_nCols - 1;
        }
        while (next.col > m_nFixedCols + 1 && GetColumnWidth(next.col) == 0)
            next.col--;
        while (next.row > m_nFixedRows + 1 && GetRowHeight(next.row) == 0)
            next.row--;
        break;
    case VK_HOME:
        if (KeyDown(VK_CONTROL)) {
            SendMessage(WM_VSCROLL, SB_TOP, 0);
            SendMessage(WM_HSCROLL, SB_LEFT, 0);
            next.row = m_nFixedRows;
            next.col = m_nFixedCols;
        } else {
            SendMessage(WM_HSCROLL, SB_LEFT, 0);
            next.col = m_nFixedCols;
        }
        while (next.col < m_nCols - 1 && GetColumnWidth(next.col) == 0)
            next.col++;
        while (next.row < m_nRows - 1 && GetRowHeight(next.row) == 0)
            next.row++;
        break;
    case VK_DOWN: {
        int row = next.row + 1;
        while (row < m_nRows && GetRowHeight(row) == 0)
            row++;
        if (row < m_nRows)
            next.row = row;
        break;
    }
    case VK_UP: {
        int row = next.row - 1;
        while (row >= m_nFixedRows && GetRowHeight(row) == 0)
            row--;
        if (row >= m_nFixedRows)
            next.row = row;
        break;
    }
    case VK_RIGHT: {
        int col = next.col + 1;
        while (col < m_nCols && GetColumnWidth(col) == 0)
            col++;
        if (col < m_nCols)
            next.col = col;
        break;
    }
    case VK_LEFT: {
        int col = next.col - 1;
        while (col >= m_nFixedCols && GetColumnWidth(col) == 0)
            col--;
        if (col >= m_nFixedCols)
            next.col = col;
        break;
    }
    case VK_DELETE:
        if (IsCellEditable(m_idCurrentCell)) {
            SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, LVN_BEGINLABELEDITW);
            SetItemText(m_idCurrentCell.row, m_idCurrentCell.col, L"");
            SetModified(TRUE, m_idCurrentCell.row, m_idCurrentCell.col);
            SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, LVN_ENDLABELEDITW);
            RedrawCell(m_idCurrentCell.row, m_idCurrentCell.col);
        }
        break;
    case VK_F2:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), VK_LBUTTON);
        break;
    default:
        Default();
        return;
    }

    if (next == m_idCurrentCell)
        return;

    if (m_MouseMode == MOUSE_NOTHING) {
        m_PrevSelectedCellMap.RemoveAll();
        m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        if (!bShift || nChar == VK_TAB)
            m_SelectionStartCell = next;
        OnSelecting(next);
        m_MouseMode = MOUSE_NOTHING;
    }
    SetFocusCell(next);

    if (IsCellVisible(next))
        return;
    EnsureVisible(next);
    switch (nChar) {
    case VK_TAB:
        if (bChangeLine) {
            if (bShift) {
                SendMessage(WM_VSCROLL, SB_LINEUP, 0);
                SetScrollPos32(SB_HORZ, m_nHScrollMax);
            } else {
                SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
                SetScrollPos32(SB_HORZ, 0);
            }
        } else {
            SendMessage(WM_HSCROLL, bShift ? SB_LINELEFT : SB_LINERIGHT, 0);
        }
        break;
    case VK_RIGHT:
        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        break;
    case VK_LEFT:
        SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
        break;
    case VK_DOWN:
        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        break;
    case VK_UP:
        SendMessage(WM_VSCROLL, SB_LINEUP, 0);
        break;
    default:
        break;
    }
    Invalidate();
}

void CSheetCtrl::OnChar(UINT nChar, UINT, UINT)
{
    if (!KeyDown(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE
        && !(m_bHandleTabKey && nChar == VK_TAB))
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);
    Default();
}

BOOL CSheetCtrl::OnMouseWheel(UINT, short zDelta, CPoint)
{
    if (static_cast<int>(m_nRowsPerWheelNotch) == -1) {
        const int nPages = zDelta / 120;
        for (int i = 0; i < std::abs(nPages); i++)
            PostMessage(WM_VSCROLL, nPages > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
    } else {
        const int nRows = zDelta * static_cast<int>(m_nRowsPerWheelNotch) / 120;
        for (int i = 0; i < std::abs(nRows); i++)
            PostMessage(WM_VSCROLL, nRows > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    }
    return static_cast<BOOL>(Default());
}

void CSheetCtrl::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    EndEditing();
    m_TitleTip.Hide();

    const int scrollPos = GetScrollPos32(SB_VERT);
    const CCellID idTopLeft = GetTopleftNonFixedCell();
    CRect rect;
    GetClientRect(&rect);
    rect.top = GetFixedRowHeight(); // the area below the fixed rows

    switch (nSBCode) {
    case SB_LINEDOWN:
        if (scrollPos < m_nVScrollMax) {
            int iRowToUse = idTopLeft.row;
            while (iRowToUse < m_nRows - 1 && GetRowHeight(iRowToUse) == 0)
                iRowToUse++;
            const int yScroll = std::max(0, GetRowHeight(iRowToUse));
            SetScrollPos32(SB_VERT, scrollPos + yScroll);
            if (GetScrollPos32(SB_VERT) != scrollPos)
                InvalidateRect(&rect);
        }
        break;
    case SB_LINEUP:
        if (scrollPos > 0 && idTopLeft.row > m_nFixedRows) {
            int iRowToUse = idTopLeft.row - 1;
            while (iRowToUse > m_nFixedRows && GetRowHeight(iRowToUse) == 0)
                iRowToUse--;
            const int yScroll = std::max(0, GetRowHeight(iRowToUse));
            SetScrollPos32(SB_VERT, std::max(0, scrollPos - yScroll));
            InvalidateRect(&rect);
        }
        break;
    case SB_PAGEDOWN:
        if (scrollPos < m_nVScrollMax) {
            SetScrollPos32(SB_VERT, std::min(m_nVScrollMax, scrollPos + rect.Height()));
            InvalidateRect(&rect);
        }
        break;
    case SB_PAGEUP:
        if (scrollPos > 0) {
            SetScrollPos32(SB_VERT, std::max(0, scrollPos - rect.Height()));
            InvalidateRect(&rect);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetScrollPos32(SB_VERT, GetScrollPos32(SB_VERT, TRUE));
        if (GetTopleftNonFixedCell() != idTopLeft)
            InvalidateRect(&rect);
        break;
    case SB_TOP:
        if (scrollPos > 0) {
            SetScrollPos32(SB_VERT, 0);
            Invalidate();
        }
        break;
    case SB_BOTTOM:
        if (scrollPos < m_nVScrollMax) {
            SetScrollPos32(SB_VERT, m_nVScrollMax);
            Invalidate();
        }
        break;
    default:
        break;
    }
}

void CSheetCtrl::OnHScroll(UINT nSBCode, UINT, CScrollBar*)
{
    EndEditing();
    m_TitleTip.Hide();

    const int scrollPos = GetScrollPos32(SB_HORZ);
    const CCellID idTopLeft = GetTopleftNonFixedCell();
    CRect rect;
    GetClientRect(&rect);
    rect.left = GetFixedColumnWidth(); // the area right of the fixed columns

    switch (nSBCode) {
    case SB_LINERIGHT:
        if (scrollPos < m_nHScrollMax) {
            int iColToUse = idTopLeft.col;
            while (iColToUse < m_nCols - 1 && GetColumnWidth(iColToUse) == 0)
                iColToUse++;
            const int xScroll = std::max(0, GetColumnWidth(iColToUse));
            SetScrollPos32(SB_HORZ, scrollPos + xScroll);
            if (GetScrollPos32(SB_HORZ) != scrollPos)
                InvalidateRect(&rect);
        }
        break;
    case SB_LINELEFT:
        if (scrollPos > 0 && idTopLeft.col > m_nFixedCols) {
            int iColToUse = idTopLeft.col - 1;
            while (iColToUse > m_nFixedCols && GetColumnWidth(iColToUse) == 0)
                iColToUse--;
            const int xScroll = std::max(0, GetColumnWidth(iColToUse));
            SetScrollPos32(SB_HORZ, std::max(0, scrollPos - xScroll));
            InvalidateRect(&rect);
        }
        break;
    case SB_PAGERIGHT:
        if (scrollPos < m_nHScrollMax) {
            SetScrollPos32(SB_HORZ, std::min(m_nHScrollMax, scrollPos + rect.Width()));
            InvalidateRect(&rect);
        }
        break;
    case SB_PAGELEFT:
        if (scrollPos > 0) {
            SetScrollPos32(SB_HORZ, std::max(0, scrollPos - rect.Width()));
            InvalidateRect(&rect);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetScrollPos32(SB_HORZ, GetScrollPos32(SB_HORZ, TRUE));
        if (GetTopleftNonFixedCell() != idTopLeft)
            InvalidateRect(&rect);
        break;
    case SB_LEFT:
        if (scrollPos > 0) {
            SetScrollPos32(SB_HORZ, 0);
            Invalidate();
        }
        break;
    case SB_RIGHT:
        if (scrollPos < m_nHScrollMax) {
            SetScrollPos32(SB_HORZ, m_nHScrollMax);
            Invalidate();
        }
        break;
    default:
        break;
    }
}
