// CCaptureDlg: the capture frame of the screen recorder.
#include "screen_recorder_capture.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CCaptureDlg, CDialog)
ON_WM_PAINT()
ON_WM_NCHITTEST()
ON_WM_SETCURSOR()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_MOVE()
ON_WM_CLOSE()
END_MESSAGE_MAP()

CCaptureDlg::~CCaptureDlg()
{
    ReleaseScreenDC();
}

void CCaptureDlg::ReleaseScreenDC()
{
    if (m_screenDC != nullptr) {
        ::DeleteDC(m_screenDC);
        m_screenDC = nullptr;
    }
}

BOOL CCaptureDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_top = 0;
    m_left = 0;
    m_width = 200;
    m_height = 200;
    m_border = 3;
    m_color = RGB(0, 0, 0);
    m_inset = 0;
    m_screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    m_screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    m_dragBorder = CSize(1, 1);
    ReleaseScreenDC();
    m_screenDC = ::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    return TRUE;
}

void CCaptureDlg::PlaceFrame()
{
    ::SetWindowPos(m_hWnd, nullptr, m_left - m_border, m_top - m_border, m_width + 2 * m_border,
        m_height + 2 * m_border, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCaptureDlg::ShapeFrame()
{
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    {
        HDC dc = ::GetDC(m_hWnd);
        HBRUSH brush = ::CreateSolidBrush(m_color);
        ::FillRect(dc, &client, brush);
        ::DeleteObject(brush);
        ::ReleaseDC(m_hWnd, dc);
    }
    CRect inner = client;
    inner.DeflateRect(m_border + m_inset, m_border + m_inset);
    HRGN outer = ::CreateRectRgnIndirect(&client);
    HRGN hole = ::CreateRectRgnIndirect(&inner);
    HRGN ring = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(ring, outer, hole, RGN_XOR);
    ::DeleteObject(outer);
    ::DeleteObject(hole);
    // The window owns the region from here on.
    if (!::SetWindowRgn(m_hWnd, ring, TRUE))
        ::DeleteObject(ring);
}

void CCaptureDlg::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    HBRUSH brush = ::CreateSolidBrush(m_color);
    ::FillRect(dc, &client, brush);
    ::DeleteObject(brush);
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CCaptureDlg::OnNcHitTest(CPoint point)
{
    CRect window;
    ::GetWindowRect(m_hWnd, &window);
    if (!window.PtInRect(point))
        m_hitCode = 0;
    else if (window.right - point.x <= 4 && window.bottom - point.y <= 4)
        m_hitCode = kHitResize;
    else
        m_hitCode = HTCLIENT;
    return Default();
}

BOOL CCaptureDlg::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(::LoadCursor(nullptr, m_hitCode == kHitResize ? IDC_SIZENWSE : IDC_SIZEALL));
    return TRUE;
}

void CCaptureDlg::DrawDragRect(const CRect& rect)
{
    // An inverting outline: drawing it twice erases it.
    if (m_screenDC == nullptr || rect.IsRectEmpty())
        return;
    const int w = rect.Width();
    const int h = rect.Height();
    const int bx = m_dragBorder.cx;
    const int by = m_dragBorder.cy;
    ::PatBlt(m_screenDC, rect.left, rect.top, w, by, DSTINVERT);
    ::PatBlt(m_screenDC, rect.left, rect.bottom - by, w, by, DSTINVERT);
    ::PatBlt(m_screenDC, rect.left, rect.top + by, bx, h - 2 * by, DSTINVERT);
    ::PatBlt(m_screenDC, rect.right - bx, rect.top + by, bx, h - 2 * by, DSTINVERT);
}

void CCaptureDlg::OnLButtonDown(UINT, CPoint point)
{
    m_dragRect = Area();
    m_lastDragRect = m_dragRect;
    DrawDragRect(m_dragRect);
    ClientToScreen(&point);
    m_lastPoint = point;
    m_dragging = 1;
    SetCapture();
}

void CCaptureDlg::OnMouseMove(UINT, CPoint point)
{
    if (!m_dragging)
        return;
    ClientToScreen(&point);
    const int dx = point.x - m_lastPoint.x;
    const int dy = point.y - m_lastPoint.y;
    m_lastPoint = point;
    if (m_hitCode == kHitResize) {
        m_width = std::max(m_width + dx, static_cast<int>(kMinSize));
        m_height = std::max(m_height + dy, static_cast<int>(kMinSize));
    } else {
        m_left += dx;
        m_top += dy;
    }
    DrawDragRect(m_lastDragRect);
    m_dragRect = Area();
    DrawDragRect(m_dragRect);
    m_lastDragRect = m_dragRect;
}

void CCaptureDlg::OnLButtonUp(UINT, CPoint)
{
    if (!m_dragging)
        return;
    ::ReleaseCapture();
    m_dragging = 0;
    DrawDragRect(m_lastDragRect);
    m_lastDragRect.SetRectEmpty();
    PlaceFrame();
    if (m_hitCode == kHitResize)
        ShapeFrame();
    const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner != nullptr)
        ::PostMessageW(owner, WM_CAPTURE_RECT_CHANGED, 0, 0);
}

void CCaptureDlg::OnMove(int, int)
{
    Default();
    if (m_top < 0) {
        m_top = 0;
        PlaceFrame();
    }
}

void CCaptureDlg::OnClose()
{
    ReleaseScreenDC();
    Default();
}
