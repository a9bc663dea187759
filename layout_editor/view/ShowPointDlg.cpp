// The coordinate tip (see ShowPointDlg.h).
#include "ShowPointDlg.h"

BEGIN_MESSAGE_MAP(CShowPointDlg, CDialogEx)
ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CShowPointDlg::CreateIn(CWnd* view)
{
    return Create(IDD_SHOW_POINT, view);
}

BOOL CShowPointDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, RGB(0, 0, 0), 255, LWA_COLORKEY);
    return TRUE;
}

void CShowPointDlg::PaintText(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(0, 0, 0));
    const int mode = dc.SetBkMode(TRANSPARENT);
    const COLORREF colour = dc.SetTextColor(kTextColour);
    CRect text(0, 0, 66, 35);
    dc.DrawText(m_strText, &text, 0);
    dc.SetTextColor(colour);
    dc.SetBkMode(mode);
}

void CShowPointDlg::ShowText(const CString& text)
{
    m_strText = text;
    if (GetSafeHwnd() == nullptr)
        return;
    CClientDC dc(this);
    PaintText(dc);
}

void CShowPointDlg::OnPaint()
{
    // The text is painted through a client DC; the update region only has
    // to be validated.
    ValidateRect(nullptr);
    ShowText(m_strText);
}
