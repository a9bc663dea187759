// CInPlaceEdit: the single-line edit window the grid opens over a cell. It
// reports its text and the key that ended the edit to the grid with
// WM_NOTIFY (LVN_ENDLABELEDITW) and deletes itself when destroyed.
#pragma once

#include "GridTypes.h"

class CInPlaceEdit : public CEdit {
    DECLARE_DYNAMIC(CInPlaceEdit)
public:
    CInPlaceEdit(
        CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn, CString sInitText, UINT nFirstChar);
    ~CInPlaceEdit() override;

    void EndEdit();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }
    UINT GetLastChar() const { return m_nLastChar; }

protected:
    void PostNcDestroy() override;
    void OnKillFocus(CWnd* pNewWnd);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    LRESULT OnSysChar(WPARAM wParam, LPARAM lParam);

private:
    int m_nRow;
    int m_nColumn;
    CString m_sInitText;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows;
    CRect m_Rect;

    DECLARE_MESSAGE_MAP()
};
