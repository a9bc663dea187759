// CSheetCell: the grid's default cell, which stores text, format, image,
// colours, user data, font and margin, and edits itself in place.
#pragma once

#include "SheetCellBase.h"

class CInPlaceEdit;

class CSheetCell : public CSheetCellBase {
    DECLARE_DYNCREATE(CSheetCell)
public:
    CSheetCell();
    ~CSheetCell() override;

    void SetText(LPCTSTR szText) override { m_strText = szText != nullptr ? szText : L""; }
    void SetImage(int nImage) override { m_nImage = nImage; }
    void SetData(LPARAM lParam) override { m_lParam = lParam; }
    void SetFormat(DWORD nFormat) override { m_nFormat = nFormat; }
    void SetTextClr(COLORREF clr) override { m_crFgClr = clr; }
    void SetBackClr(COLORREF clr) override { m_crBkClr = clr; }
    void SetFont(const LOGFONT* plf) override;
    void SetMargin(UINT nMargin) override { m_nMargin = nMargin; }
    void SetGrid(CSheetCtrl* pGrid) override { m_pGrid = pGrid; }

    LPCTSTR GetText() const override { return m_strText.GetString(); }
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    DWORD GetFormat() const override { return m_nFormat; }
    COLORREF GetTextClr() const override { return m_crFgClr; }
    COLORREF GetBackClr() const override { return m_crBkClr; }
    LOGFONT* GetFont() const override { return const_cast<LOGFONT*>(&m_lfFont); }
    CSheetCtrl* GetGrid() const override { return m_pGrid; }
    UINT GetMargin() const override { return m_nMargin; }
    BOOL IsEditing() const override { return m_bEditing; }

    CSheetCellBase& operator=(const CSheetCellBase& cell) override { return CSheetCellBase::operator=(cell); }
    CSheetCell& operator=(const CSheetCell& cell)
    {
        CSheetCellBase::operator=(cell);
        return *this;
    }
    void Reset() override;

    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

    // The edit window while editing (not owned: it deletes itself).
    CInPlaceEdit* GetEditWnd() const { return m_pEditWnd; }

private:
    DWORD m_nFormat;
    CString m_strText;
    int m_nImage;
    COLORREF m_crBkClr;
    COLORREF m_crFgClr;
    LPARAM m_lParam;
    LOGFONT m_lfFont;
    UINT m_nMargin;
    BOOL m_bEditing;
    CSheetCtrl* m_pGrid;
    CInPlaceEdit* m_pEditWnd;
};
