// CSheetCtrl sorting: the scrollable rows ordered by the text of one column
// (exact, case-sensitive comparison), fixed rows left in place.
#include "SheetCtrl.h"

#include <cwchar>

namespace {
int CompareText(const CString& a, const CString& b)
{
    return wcscmp(a.GetString(), b.GetString());
}
} // namespace

BOOL CSheetCtrl::SortTextItems(int nCol, BOOL bAscending)
{
    m_nSortColumn = nCol;
    m_bAscending = bAscending;
    m_PrevSelectedCellMap.RemoveAll();
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    return SortTextItems(nCol, bAscending, m_nFixedRows, -1);
}

BOOL CSheetCtrl::SortTextItems(int nCol, BOOL bAscending, int low, int high)
{
    if (nCol >= m_nCols)
        return FALSE;
    if (high == -1)
        high = m_nRows - 1;
    if (low < 0 || high >= m_nRows || low >= high)
        return FALSE;

    int lo = low;
    int hi = high;
    const CString midItem = GetItemText((lo + hi) / 2, nCol);

    while (lo <= hi) {
        if (bAscending) {
            while (lo < high && CompareText(GetItemText(lo, nCol), midItem) < 0)
                ++lo;
            while (hi > low && CompareText(GetItemText(hi, nCol), midItem) > 0)
                --hi;
        } else {
            while (lo < high && CompareText(GetItemText(lo, nCol), midItem) > 0)
                ++lo;
            while (hi > low && CompareText(GetItemText(hi, nCol), midItem) < 0)
                --hi;
        }
        if (lo <= hi) {
            if (CompareText(GetItemText(lo, nCol), GetItemText(hi, nCol)) != 0) {
                std::swap(m_RowData[static_cast<size_t>(lo)], m_RowData[static_cast<size_t>(hi)]);
                for (int col = 0; col < m_nCols; col++) {
                    if (CSheetCellBase* pCell = GetCell(lo, col))
                        pCell->SetCoords(lo, col);
                    if (CSheetCellBase* pCell = GetCell(hi, col))
                        pCell->SetCoords(hi, col);
                }
                std::swap(m_arRowHeights[static_cast<size_t>(lo)], m_arRowHeights[static_cast<size_t>(hi)]);
            }
            ++lo;
            --hi;
        }
    }
    if (low < hi)
        SortTextItems(nCol, bAscending, low, hi);
    if (lo < high)
        SortTextItems(nCol, bAscending, lo, high);
    return TRUE;
}
