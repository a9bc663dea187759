// CMyTitleBar: the title bar of a panel, an owner-drawn static control: a
// grey gradient with rounded top corners on the panel's dark blue, and the
// panel's title in white. Drawn with GDI+, which the program starts.
#pragma once

#include <afxwin.h>

class CMyTitleBar : public CStatic {
    DECLARE_DYNAMIC(CMyTitleBar)
public:
    static constexpr COLORREF kBackColor = RGB(48, 66, 97);
    static constexpr COLORREF kTopColor = RGB(137, 137, 137);
    static constexpr COLORREF kBottomColor = RGB(85, 85, 85);

    // Creates the bar owner-drawn, whatever style is given.
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    // Draws the bar with its text over rect (client coordinates) of hDC.
    static void Paint(HDC hDC, const CRect& rect, const CString& text);

protected:
    void PreSubclassWindow() override;
    DECLARE_MESSAGE_MAP()
};
