// The flat blue status bar.
#include "my_status_bar.h"

IMPLEMENT_DYNAMIC(CMyStatusBar, CStatusBar)

BEGIN_MESSAGE_MAP(CMyStatusBar, CStatusBar)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CMyStatusBar::OnEraseBkgnd(CDC* pDC)
{
    CRect clip;
    pDC->GetClipBox(&clip);
    pDC->FillSolidRect(&clip, kBarColor);
    return TRUE;
}

void CMyStatusBar::DrawBar(CDC* pDC, const CRect& area) const
{
    pDC->FillSolidRect(&area, kBarColor);
    if (m_statusText.IsEmpty())
        return;
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? ::SelectObject(pDC->m_hDC, font) : nullptr;
    SIZE extent {};
    ::GetTextExtentPoint32W(pDC->m_hDC, m_statusText, m_statusText.GetLength(), &extent);
    const int oldMode = ::SetBkMode(pDC->m_hDC, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(pDC->m_hDC, RGB(255, 255, 255));
    ::TextOutW(pDC->m_hDC, area.left + (area.Width() - extent.cx) / 2, area.top + (area.Height() - extent.cy) / 2,
        m_statusText, m_statusText.GetLength());
    ::SetTextColor(pDC->m_hDC, oldColor);
    ::SetBkMode(pDC->m_hDC, oldMode);
    if (old != nullptr)
        ::SelectObject(pDC->m_hDC, old);
}

void CMyStatusBar::OnPaint()
{
    CPaintDC dc(this);
    // Centred in the whole bar, not in the part that repaints: a partly
    // covered bar must not show the text in another place.
    CRect client;
    GetClientRect(&client);
    DrawBar(&dc, client);
}
