// CColorSelCtrl: a blue 1-pixel frame around the swatch's colour.
#include "color_sel_ctrl.h"

IMPLEMENT_DYNAMIC(CColorSelCtrl, CStatic)

void CColorSelCtrl::PreSubclassWindow()
{
    ModifyStyle(0, SS_OWNERDRAW | SS_NOTIFY);
    CStatic::PreSubclassWindow();
}

BOOL CColorSelCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CStatic::OnChildNotify(message, wParam, lParam, pResult);
}

void CColorSelCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
    // Drawn on the window's own DC, whatever DC the notification carried.
    HWND hWnd = GetSafeHwnd();
    HDC hdc = ::GetDC(hWnd);
    if (hdc == nullptr)
        return;
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    HBRUSH frame = ::CreateSolidBrush(RGB(0, 0, 255));
    ::FillRect(hdc, &rc, frame);
    ::DeleteObject(frame);
    rc.DeflateRect(1, 1);
    HBRUSH fill = ::CreateSolidBrush(m_color);
    ::FillRect(hdc, &rc, fill);
    ::DeleteObject(fill);
    ::ReleaseDC(hWnd, hdc);
}
