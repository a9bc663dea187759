// CSkinColorButton: flat face drawing and picking a colour on click.
#include "color_skin_button.h"

#include <afxdlgs.h>

IMPLEMENT_DYNAMIC(CSkinColorButton, CButton)

BOOL CSkinColorButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CButton::Create(lpszCaption, (dwStyle & ~BS_TYPEMASK) | BS_OWNERDRAW, rect, pParentWnd, nID);
}

void CSkinColorButton::PreSubclassWindow()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CSkinColorButton::SetColor(COLORREF color)
{
    m_color = color;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CSkinColorButton::DrawFace(CDC* pDC, const CRect& rcFace, BOOL bDisabled, BOOL bFocus) const
{
    HDC hdc = pDC->GetSafeHdc();
    COLORREF color = m_color == kNoColor ? m_colorAutomatic : m_color;
    CRect rc = rcFace;
    rc.DeflateRect(2, 2);
    ::FrameRect(hdc, &rc, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    rc.DeflateRect(1, 1);
    ::FrameRect(hdc, &rc, ::GetSysColorBrush(COLOR_3DDKSHADOW));
    rc.DeflateRect(1, 1);
    if (color != kNoColor && !bDisabled) {
        HBRUSH brush = ::CreateSolidBrush(color);
        ::FillRect(hdc, &rc, brush);
        ::DeleteObject(brush);
    }
    if (bFocus)
        ::DrawFocusRect(hdc, &rcFace);
}

void CSkinColorButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rc(lpDrawItemStruct->rcItem);
    ::FillRect(pDC->GetSafeHdc(), &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    DrawFace(
        pDC, rc, (lpDrawItemStruct->itemState & ODS_DISABLED) != 0, (lpDrawItemStruct->itemState & ODS_FOCUS) != 0);
}

BOOL CSkinColorButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        COLORREF color = m_color == kNoColor ? m_colorAutomatic : m_color;
        if (AfxGetUiHost().PickColor(GetSafeHwnd(), color, CC_FULLOPEN | CC_RGBINIT))
            SetColor(color);
        // The parent still hears the click.
        return FALSE;
    }
    return CButton::OnChildNotify(message, wParam, lParam, pResult);
}
