// The colour swatch control (see StaticColorBtn.h).
#include "StaticColorBtn.h"

#include <afxdlgs.h>

IMPLEMENT_DYNAMIC(CStaticColorBtn, CStatic)

BEGIN_MESSAGE_MAP(CStaticColorBtn, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

int CStaticColorBtn::ChooseColor()
{
    CColorDialog dlg(m_crColour, CC_RGBINIT | CC_FULLOPEN, this);
    const int result = static_cast<int>(dlg.DoModal());
    if (result == IDOK) {
        m_crColour = dlg.GetColor();
        if (GetSafeHwnd() != nullptr)
            ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return result;
}

void CStaticColorBtn::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    HBRUSH brush = ::CreateSolidBrush(m_crColour);
    ::FillRect(dc, &rc, brush);
    ::DeleteObject(brush);
    if (!m_strText.IsEmpty()) {
        HWND parent = ::GetParent(m_hWnd);
        auto font = reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0));
        HGDIOBJ oldFont = font != nullptr ? ::SelectObject(dc, font) : nullptr;
        LOGFONTW lf = {};
        if (font != nullptr)
            ::GetObjectW(font, sizeof(lf), &lf);
        rc.top += (rc.bottom - rc.top - lf.lfHeight) / 2;
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, m_crText);
        ::DrawTextW(dc, m_strText, m_strText.GetLength(), &rc, DT_CENTER | DT_SINGLELINE);
        if (oldFont != nullptr)
            ::SelectObject(dc, oldFont);
    }
    ::EndPaint(m_hWnd, &ps);
}
