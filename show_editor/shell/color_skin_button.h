// CSkinColorButton: the flat colour button of the effect editors and the
// movie maker. Its face is the colour inside a highlight and a dark-shadow
// frame; a click lets the user pick another colour through the colour picker.
#pragma once

#include <afxwin.h>

class CSkinColorButton : public CButton {
    DECLARE_DYNAMIC(CSkinColorButton)
public:
    // "No colour": the automatic colour is shown instead.
    static constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);

    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    COLORREF GetColor() const { return m_color; }
    void SetColor(COLORREF color);
    COLORREF GetAutomaticColor() const { return m_colorAutomatic; }
    void SetColumnsNumber(int) { }
    // The label of the choice that opens the full colour picker.
    void EnableOtherButton(LPCTSTR lpszLabel) { m_strOtherButton = lpszLabel; }

    // Draws the face into pDC over rc (what the owner-draw call shows).
    void DrawFace(CDC* pDC, const CRect& rc, BOOL bDisabled, BOOL bFocus) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    COLORREF m_color = RGB(0, 0, 0);
    COLORREF m_colorAutomatic = RGB(0, 0, 0);
    CString m_strOtherButton;

protected:
    void PreSubclassWindow() override;
};
