// CSheetCtrl focus and selection: the focus cell with its header markers,
// the selected-cell map, whole-row/column/block selection and scrolling a
// cell into view.
#include "SheetCtrl.h"

#include <vector>

CCellID CSheetCtrl::SetFocusCell(CCellID cell)
{
    if (cell == m_idCurrentCell)
        return m_idCurrentCell;

    CCellID idPrev = m_idCurrentCell;
    if (cell.row != -1 && cell.row < m_nFixedRows)
        cell.row = m_nFixedRows;
    if (cell.col != -1 && cell.col < m_nFixedCols)
        cell.col = m_nFixedCols;
    m_idCurrentCell = cell;

    if (IsValid(idPrev)) {
        SendMessageToParent(idPrev.row, idPrev.col, LVN_ITEMCHANGING);
        SetItemState(idPrev.row, idPrev.col, GetItemState(idPrev.row, idPrev.col) & ~GVIS_FOCUSED);
        RedrawCell(idPrev.row, idPrev.col);
        if (idPrev.col != cell.col)
            for (int row = 0; row < m_nFixedRows; row++)
                RedrawCell(row, idPrev.col);
        if (idPrev.row != cell.row)
            for (int col = 0; col < m_nFixedCols; col++)
                RedrawCell(idPrev.row, col);
    }

    if (IsValid(m_idCurrentCell)) {
        SetItemState(m_idCurrentCell.row, m_idCurrentCell.col,
            GetItemState(m_idCurrentCell.row, m_idCurrentCell.col) | GVIS_FOCUSED);
        RedrawCell(m_idCurrentCell.row, m_idCurrentCell.col);
        if (idPrev.col != cell.col)
            for (int row = 0; row < m_nFixedRows; row++)
                RedrawCell(row, m_idCurrentCell.col);
        if (idPrev.row != cell.row)
            for (int col = 0; col < m_nFixedCols; col++)
                RedrawCell(m_idCurrentCell.row, col);
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, LVN_ITEMCHANGED);

        if (m_bListMode) {
            m_PrevSelectedCellMap.RemoveAll();
            m_MouseMode = MOUSE_SELECT_ROW;
            if (m_bEnableSelection)
                SelectRows(m_idCurrentCell);
        }
    }
    return idPrev;
}

void CSheetCtrl::ResetSelectedRange()
{
    SetSelectedRange(-1, -1, -1, -1);
}

void CSheetCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol)
{
    if (!m_bEnableSelection)
        return;
    if (nMinRow >= 0 && nMinRow < m_nFixedRows)
        nMinRow = m_nFixedRows;
    if (nMaxRow >= 0 && nMaxRow < m_nFixedRows)
        nMaxRow = m_nFixedRows;
    if (nMinCol >= 0 && nMinCol < m_nFixedCols)
        nMinCol = m_nFixedCols;
    if (nMaxCol >= 0 && nMaxCol < m_nFixedCols)
        nMaxCol = m_nFixedCols;
    const CCellRange newRange(nMinRow, nMinCol, nMaxRow, nMaxCol);

    // Unselect what is selected now; walk a copy, as unselecting edits the map.
    std::vector<std::pair<DWORD, CCellID>> selected;
    for (POSITION pos = m_SelectedCellMap.GetStartPosition(); pos != nullptr;) {
        DWORD key = 0;
        CCellID cell;
        m_SelectedCellMap.GetNextAssoc(pos, key, cell);
        selected.emplace_back(key, cell);
    }
    for (const auto& [key, cell] : selected) {
        if (IsValid(cell)) {
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GVIS_SELECTED);
            if (!newRange.InRange(cell.row, cell.col))
                InvalidateCellRect(cell.row, cell.col);
        }
        m_SelectedCellMap.RemoveKey(key);
    }

    const bool bAllPositive = nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0;
    if (!m_bSingleRowSelection) {
        if (nMinRow < 0)
            return;
        if (bAllPositive) {
            for (POSITION pos = m_PrevSelectedCellMap.GetStartPosition(); pos != nullptr;) {
                DWORD key = 0;
                CCellID cell;
                m_PrevSelectedCellMap.GetNextAssoc(pos, key, cell);
                if (!IsValid(cell))
                    continue;
                SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_SELECTED);
                InvalidateCellRect(cell.row, cell.col);
            }
        }
    }

    if (bAllPositive && nMaxRow < m_nRows && nMaxCol < m_nCols && nMaxCol >= nMinCol) {
        for (int row = nMinRow; row <= nMaxRow; row++) {
            for (int col = nMinCol; col <= nMaxCol; col++) {
                UINT state = GetItemState(row, col);
                if ((state & GVIS_SELECTED) == 0) {
                    SetItemState(row, col, state | GVIS_SELECTED);
                    InvalidateCellRect(row, col);
                }
            }
        }
    }
}

CCellRange CSheetCtrl::GetSelectedCellRange() const
{
    int nMinRow = m_nRows, nMinCol = m_nCols, nMaxRow = -1, nMaxCol = -1;
    for (POSITION pos = m_SelectedCellMap.GetStartPosition(); pos != nullptr;) {
        DWORD key = 0;
        CCellID cell;
        m_SelectedCellMap.GetNextAssoc(pos, key, cell);
        nMinRow = std::min(nMinRow, cell.row);
        nMinCol = std::min(nMinCol, cell.col);
        nMaxRow = std::max(nMaxRow, cell.row);
        nMaxCol = std::max(nMaxCol, cell.col);
    }
    return CCellRange(nMinRow, nMinCol, nMaxRow, nMaxCol);
}

void CSheetCtrl::SelectAll()
{
    if (!m_bEnableSelection)
        return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1);
}

void CSheetCtrl::SelectColumns(CCellID currentCell)
{
    if (!m_bEnableSelection || !IsValid(currentCell) || currentCell.col < m_nFixedCols)
        return;
    SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, currentCell.col), m_nRows - 1,
        std::max(m_SelectionStartCell.col, currentCell.col));
}

void CSheetCtrl::SelectRows(CCellID currentCell)
{
    if (!m_bEnableSelection || !IsValid(currentCell) || currentCell.row < m_nFixedRows)
        return;
    if (m_bListMode && m_bSingleRowSelection)
        SetSelectedRange(currentCell.row, m_nFixedCols, currentCell.row, m_nCols - 1);
    else
        SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row), m_nFixedCols,
            std::max(m_SelectionStartCell.row, currentCell.row), m_nCols - 1);
}

void CSheetCtrl::SelectCells(CCellID currentCell)
{
    if (!m_bEnableSelection || !IsValid(currentCell) || currentCell.row < m_nFixedRows
        || currentCell.col < m_nFixedCols)
        return;
    SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row),
        std::min(m_SelectionStartCell.col, currentCell.col), std::max(m_SelectionStartCell.row, currentCell.row),
        std::max(m_SelectionStartCell.col, currentCell.col));
}

void CSheetCtrl::OnSelecting(const CCellID& currentCell)
{
    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
        SelectAll();
        break;
    case MOUSE_SELECT_COL:
        SelectColumns(currentCell);
        break;
    case MOUSE_SELECT_ROW:
        SelectRows(currentCell);
        break;
    case MOUSE_SELECT_CELLS:
        SelectCells(currentCell);
        break;
    default:
        break;
    }
}

void CSheetCtrl::EnsureVisible(int nRow, int nCol)
{
    CCellRange visibleCells = GetVisibleNonFixedCellRange();
    int right = nCol - visibleCells.GetMaxCol();
    int left = visibleCells.GetMinCol() - nCol;
    int down = nRow - visibleCells.GetMaxRow();
    int up = visibleCells.GetMinRow() - nRow;

    int iColumn = visibleCells.GetMaxCol() + 1;
    while (right > 0) {
        if (GetColumnWidth(iColumn) > 0)
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        right--;
        iColumn++;
    }
    iColumn = visibleCells.GetMinCol() - 1;
    while (left > 0) {
        if (GetColumnWidth(iColumn) > 0)
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
        left--;
        iColumn--;
    }
    int iRow = visibleCells.GetMaxRow() + 1;
    while (down > 0) {
        if (GetRowHeight(iRow) > 0)
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        down--;
        iRow++;
    }
    iRow = visibleCells.GetMinRow() - 1;
    while (up > 0) {
        if (GetRowHeight(iRow) > 0)
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
        up--;
        iRow--;
    }

    CRect rectCell, rectWindow;
    if (!GetCellRect(nRow, nCol, &rectCell))
        return;
    GetClientRect(&rectWindow);
    if (rectCell.right > rectWindow.right)
        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    if (rectCell.bottom > rectWindow.bottom)
        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
}
