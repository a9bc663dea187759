// CColorShowBar: painting and mouse reports of the colour strip bar.
#include "color_show_bar.h"

#include "../document/show_messages.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CColorShowBar, CStatic)

BEGIN_MESSAGE_MAP(CColorShowBar, CStatic)
ON_WM_PAINT()
ON_WM_SETCURSOR()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

// A font 16 pixels high of the given face, freed with the object.
class CBarFont {
public:
    explicit CBarFont(LPCWSTR face)
        : m_font(::CreateFontW(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face))
    {
    }
    ~CBarFont()
    {
        if (m_font != nullptr)
            ::DeleteObject(m_font);
    }
    CBarFont(const CBarFont&) = delete;
    CBarFont& operator=(const CBarFont&) = delete;
    HFONT Get() const { return m_font; }

private:
    HFONT m_font;
};

} // namespace

CColorShowBar::CColorShowBar()
    : m_strMessage(L"宽度不足，请继续添加")
    , m_hCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512))) // IDC_ARROW
{
}

void CColorShowBar::GetDragRect(LPRECT lpRect) const
{
    lpRect->left = std::min(m_ptDragStart.x, m_ptDragEnd.x);
    lpRect->right = std::max(m_ptDragStart.x, m_ptDragEnd.x);
    lpRect->top = std::min(m_ptDragStart.y, m_ptDragEnd.y);
    lpRect->bottom = std::max(m_ptDragStart.y, m_ptDragEnd.y);
}

void CColorShowBar::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(GetSafeHwnd(), &ps);
    CRect rc;
    GetClientRect(&rc);
    CDC* pDC = CDC::FromHandle(hdc);
    Paint(pDC, rc);
    ::EndPaint(GetSafeHwnd(), &ps);
}

void CColorShowBar::Paint(CDC* pDC, const CRect& rc)
{
    HDC hdc = pDC->GetSafeHdc();
    if (m_pSrcDC != nullptr && m_pSrcDC->GetSafeHdc() != nullptr) {
        CRect src;
        m_pSrcDC->GetClipBox(&src);
        int oldMode = ::SetStretchBltMode(hdc, HALFTONE);
        ::StretchBlt(hdc, rc.left, rc.top, rc.Width(), rc.Height(), m_pSrcDC->GetSafeHdc(), src.left, src.top,
            src.Width(), src.Height(), SRCCOPY);
        ::SetStretchBltMode(hdc, oldMode);
        if (m_bTooShort && !m_bShowNumber)
            DrawCentredMessage(hdc, rc);
        else if (m_bShowNumber && !m_bTooShort)
            DrawNumber(hdc, rc);
        return;
    }
    if (m_pBitmap != nullptr && m_pBitmap->GetSafeHandle() != nullptr) {
        BITMAP bm {};
        ::GetObjectW(m_pBitmap->GetSafeHandle(), sizeof(bm), &bm);
        HDC screen = ::GetDC(GetSafeHwnd());
        HDC mem = ::CreateCompatibleDC(screen);
        ::ReleaseDC(GetSafeHwnd(), screen);
        HGDIOBJ old = ::SelectObject(mem, m_pBitmap->GetSafeHandle());
        int oldMode = ::SetStretchBltMode(hdc, HALFTONE);
        ::StretchBlt(hdc, rc.left, rc.top, rc.Width(), rc.Height(), mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        ::SetStretchBltMode(hdc, oldMode);
        ::SelectObject(mem, old);
        ::DeleteDC(mem);
    }
}

void CColorShowBar::DrawCentredMessage(HDC hdc, const CRect& rc) const
{
    CBarFont font(L"楷体");
    HGDIOBJ old = ::SelectObject(hdc, font.Get());
    SIZE size {};
    ::GetTextExtentPoint32W(hdc, m_strMessage.GetString(), m_strMessage.GetLength(), &size);
    ::TextOutW(hdc, rc.left + (rc.Width() - size.cx) / 2, rc.top + (rc.Height() - size.cy) / 2,
        m_strMessage.GetString(), m_strMessage.GetLength());
    ::SelectObject(hdc, old);
}

void CColorShowBar::DrawNumber(HDC hdc, const CRect& rc)
{
    CBarFont font(L"幼圆");
    HGDIOBJ old = ::SelectObject(hdc, font.Get());
    CString text;
    text.Format(L"%d", m_nNumber);
    if (m_nNumberTextHeight == 0) {
        SIZE size {};
        ::GetTextExtentPoint32W(hdc, text.GetString(), text.GetLength(), &size);
        m_nNumberTextHeight = size.cy;
    }
    int y = (rc.Height() - m_nNumberTextHeight) / 2;
    // Compared as packed numbers, so blue counts as "light" too; a failed
    // read (CLR_INVALID) gives red as well.
    COLORREF under = ::GetPixel(hdc, 5, y);
    COLORREF color = under > RGB(240, 240, 240) ? RGB(255, 0, 0) : RGB(255, 255, 255);
    int oldBk = ::SetBkMode(hdc, TRANSPARENT);
    COLORREF oldColor = ::SetTextColor(hdc, color);
    ::TextOutW(hdc, 5, y, text.GetString(), text.GetLength());
    ::SetTextColor(hdc, oldColor);
    ::SetBkMode(hdc, oldBk);
    ::SelectObject(hdc, old);
}

BOOL CColorShowBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    POINT pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    CRect rc;
    GetClientRect(&rc);
    if (rc.PtInRect(pt)) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CColorShowBar::PostToParent(UINT message, LPARAM lParam) const
{
    HWND parent = ::GetParent(GetSafeHwnd());
    if (parent != nullptr)
        ::PostMessageW(parent, message, reinterpret_cast<WPARAM>(GetSafeHwnd()), lParam);
}

void CColorShowBar::OnLButtonDown(UINT, CPoint point)
{
    m_ptDragStart = point;
    m_bDragging = TRUE;
    SetCapture();
    if (m_bReportLButtonDown)
        PostToParent(WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&m_ptDragStart));
}

void CColorShowBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bDragging) {
        m_ptDragEnd = point;
        if (m_bReportDrag)
            PostToParent(WM_TRACKER_MOVED, 0);
    }
    CStatic::OnMouseMove(nFlags, point);
}

void CColorShowBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_ptDragEnd = point;
    m_bDragging = FALSE;
    ::ReleaseCapture();
    if (m_bReportDrag)
        PostToParent(WM_TRACKER_MOVED, reinterpret_cast<LPARAM>(&m_ptDragEnd));
    CStatic::OnLButtonUp(nFlags, point);
}

void CColorShowBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    m_ptDragStart = point;
    if (m_bReportRButtonDown)
        PostToParent(WM_RBUTTONDOWN, reinterpret_cast<LPARAM>(&m_ptDragStart));
    CStatic::OnRButtonDown(nFlags, point);
}

void CColorShowBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    m_ptDblClk = point;
    PostToParent(WM_LBUTTONDBLCLK, reinterpret_cast<LPARAM>(&m_ptDblClk));
    CStatic::OnLButtonDblClk(nFlags, point);
}
