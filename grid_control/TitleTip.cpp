// CTitleTip: the grid's hover tip window.
#include "TitleTip.h"

#define TITLETIP_CLASSNAME L"ZTitleTip"

IMPLEMENT_DYNAMIC(CTitleTip, CWnd)

BEGIN_MESSAGE_MAP(CTitleTip, CWnd)
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CTitleTip::CTitleTip()
    : m_dwDblClickMsecs(::GetDoubleClickTime())
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASS wndcls {};
    if (!::GetClassInfo(hInst, TITLETIP_CLASSNAME, &wndcls)) {
        wndcls.style = CS_SAVEBITS;
        wndcls.lpfnWndProc = ::DefWindowProc;
        wndcls.hInstance = hInst;
        wndcls.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wndcls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
        wndcls.lpszClassName = TITLETIP_CLASSNAME;
        if (!::RegisterClass(&wndcls))
            AfxThrowResourceException();
    }
}

CTitleTip::~CTitleTip()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CTitleTip::Create(CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TITLETIP_CLASSNAME, nullptr, WS_POPUP | WS_BORDER, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr);
}

void CTitleTip::Show(CRect rectTitle, LPCTSTR lpszTitleText, LPRECT lpHoverRect, const LOGFONT* lpLogFont,
    COLORREF crTextClr, COLORREF crBackClr)
{
    if (m_hWnd == nullptr || m_pParentWnd == nullptr || rectTitle.IsRectEmpty() || IsWindowVisible())
        return;

    m_rectHover = lpHoverRect != nullptr ? CRect(*lpHoverRect) : rectTitle;
    m_rectHover.right++;
    m_rectHover.bottom++;
    m_pParentWnd->ClientToScreen(&m_rectHover);
    ScreenToClient(&m_rectHover);

    // Only while the program is active.
    if (::GetFocus() == nullptr)
        return;

    m_pParentWnd->ClientToScreen(&rectTitle);
    CString text = CString(L" ") + lpszTitleText + L" ";

    CPoint cursor;
    ::GetCursorPos(&cursor);
    if (cursor.x + 130 <= rectTitle.right)
        return;

    SetWindowPos(&wndTopMost, cursor.x, cursor.y + 20, 130, 6 * rectTitle.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);

    CClientDC dc(this);
    CFont font;
    HGDIOBJ hFont = nullptr;
    if (lpLogFont != nullptr && font.CreateFontIndirect(lpLogFont))
        hFont = font.m_hObject;
    else
        hFont = reinterpret_cast<HGDIOBJ>(m_pParentWnd->SendMessage(WM_GETFONT));
    HGDIOBJ hOld = hFont != nullptr ? dc.SelectObject(hFont) : nullptr;
    if (crBackClr != CLR_GRID_DEFAULT) {
        CRect clip;
        dc.GetClipBox(&clip);
        dc.FillSolidRect(&clip, crBackClr);
    }
    if (crTextClr != CLR_GRID_DEFAULT)
        dc.SetTextColor(crTextClr);
    CRect client;
    GetClientRect(&client);
    dc.DrawText(text, &client, 0);
    if (hOld != nullptr)
        dc.SelectObject(hOld);
    SetCapture();
}

void CTitleTip::Hide()
{
    if (m_hWnd == nullptr)
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
}

void CTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_rectHover.PtInRect(point))
        return;
    Hide();

    // Pass the move on to the window under the pointer.
    ClientToScreen(&point);
    CWnd* pWnd = CWnd::FromHandle(::WindowFromPoint(point));
    if (pWnd == nullptr)
        return;
    if (pWnd->GetSafeHwnd() == m_hWnd)
        pWnd = m_pParentWnd;
    if (pWnd == nullptr)
        return;
    int hittest = static_cast<int>(pWnd->SendMessage(WM_NCHITTEST, 0, MAKELONG(point.x, point.y)));
    if (hittest == HTCLIENT) {
        pWnd->ScreenToClient(&point);
        pWnd->PostMessage(WM_MOUSEMOVE, nFlags, MAKELONG(point.x, point.y));
    } else {
        pWnd->PostMessage(WM_NCMOUSEMOVE, static_cast<WPARAM>(hittest), MAKELONG(point.x, point.y));
    }
}

BOOL CTitleTip::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        POINTS pts = MAKEPOINTS(pMsg->lParam);
        POINT point { pts.x, pts.y };
        ::ClientToScreen(pMsg->hwnd, &point);
        CWnd* pWnd = CWnd::FromHandle(::WindowFromPoint(point));
        if (pWnd == nullptr || pWnd->GetSafeHwnd() == m_hWnd)
            pWnd = m_pParentWnd;
        if (pWnd == nullptr)
            return TRUE;
        int hittest = static_cast<int>(pWnd->SendMessage(WM_NCHITTEST, 0, MAKELONG(point.x, point.y)));
        UINT message = pMsg->message;
        if (hittest == HTCLIENT) {
            pWnd->ScreenToClient(&point);
            pMsg->lParam = MAKELONG(point.x, point.y);
        } else {
            switch (message) {
            case WM_LBUTTONDOWN:
                message = WM_NCLBUTTONDOWN;
                break;
            case WM_RBUTTONDOWN:
                message = WM_NCRBUTTONDOWN;
                break;
            default:
                message = WM_NCMBUTTONDOWN;
                break;
            }
            pMsg->wParam = static_cast<WPARAM>(hittest);
            pMsg->lParam = MAKELONG(point.x, point.y);
        }
        Hide();
        if (message == WM_LBUTTONDOWN) {
            // Two clicks on the tip within the double-click time are a double click.
            DWORD dwTick = AfxGetTickCount();
            if (m_dwLastLButtonDown != static_cast<DWORD>(-1) && dwTick - m_dwLastLButtonDown <= m_dwDblClickMsecs)
                message = WM_LBUTTONDBLCLK;
            m_dwLastLButtonDown = dwTick;
        }
        pWnd->PostMessage(message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParentWnd != nullptr)
            m_pParentWnd->PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    default:
        break;
    }
    if (::GetFocus() == nullptr) {
        Hide();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}
