// CSheetCtrl in-place editing: opening the edit over a cell, ending it, and
// storing the edited text when the edit window reports back.
#include "SheetCtrl.h"

void CSheetCtrl::OnEditCell(int nRow, int nCol, CPoint point, UINT nChar)
{
    m_TitleTip.Hide();
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol))
        return;
    EnsureVisible(nRow, nCol);
    if (!IsCellVisible(nRow, nCol))
        return;
    CRect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return;
    SendMessageToParent(nRow, nCol, LVN_BEGINLABELEDITW);
    if (CSheetCellBase* pCell = GetCell(nRow, nCol))
        pCell->Edit(nRow, nCol, rect, point, IDC_INPLACE_EDIT, nChar);
}

void CSheetCtrl::EndEditing()
{
    if (CSheetCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
        pCell->EndEdit();
}

void CSheetCtrl::OnEndEditCell(int nRow, int nCol, CString str)
{
    CString strCurrentText = GetItemText(nRow, nCol);
    if (strCurrentText != str) {
        SetModified(TRUE, nRow, nCol);
        SetItemText(nRow, nCol, str);
    }
    if (CSheetCellBase* pCell = GetCell(nRow, nCol))
        pCell->OnEndEdit();
}

void CSheetCtrl::OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (GetSafeHwnd() == nullptr || !::IsWindow(m_hWnd))
        return;
    auto* pDispInfo = reinterpret_cast<GV_DISPINFO*>(pNMHDR);
    const GridItem* pItem = &pDispInfo->item;
    OnEndEditCell(pItem->row, pItem->col, pItem->strText);
    SendMessageToParent(pItem->row, pItem->col, LVN_ENDLABELEDITW);

    const UINT nKey = static_cast<UINT>(pItem->lParam);
    switch (nKey) {
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        OnKeyDown(nKey, 0, 0);
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nKey);
        break;
    default:
        break;
    }
}
