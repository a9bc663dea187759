// The rectangle tracker's modal mouse loop and its drag rectangle, drawn
// inverted over the window so that drawing it again erases it.
#include "rect_tracker.h"

#include "rect_tracker_shared.h"
#include "show_messages.h"

#include <windowsx.h>

#include <algorithm>

namespace {

// Inverts the frame of thickness size just inside rect with the halftone
// brush (nothing for a zero size).
void InvertFrame(CDC* dc, const CRect& rect, CSize size)
{
    if (size.cx <= 0 && size.cy <= 0)
        return;
    const int cx = std::min<int>(size.cx, rect.Width());
    const int cy = std::min<int>(size.cy, rect.Height());
    dc->PatBlt(rect.left, rect.top, rect.Width(), cy, PATINVERT);
    dc->PatBlt(rect.left, rect.bottom - cy, rect.Width(), cy, PATINVERT);
    dc->PatBlt(rect.left, rect.top + cy, cx, rect.Height() - 2 * cy, PATINVERT);
    dc->PatBlt(rect.right - cx, rect.top + cy, cx, rect.Height() - 2 * cy, PATINVERT);
}

// Erases the last drag frame and draws the new one.
void DrawDragFrame(CDC* dc, const CRect& rect, CSize size, const CRect& last, CSize lastSize, HBRUSH brush)
{
    const int saved = dc->SaveDC();
    dc->SelectObject(brush);
    dc->SetBrushOrg(0, 0);
    InvertFrame(dc, last, lastSize);
    InvertFrame(dc, rect, size);
    dc->RestoreDC(saved);
}

// Compares the four sides (an inverted or empty rectangle is still a place).
bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void PostToParent(CWnd* window, UINT message)
{
    HWND parent = window != nullptr ? ::GetParent(window->GetSafeHwnd()) : nullptr;
    if (parent != nullptr)
        ::PostMessage(parent, message, 0, 0);
}

} // namespace

void CQvRectTracker::DrawTrackerRect(LPCRECT rectIn, CWnd* clipTo, CDC* dc, CWnd* window)
{
    CRect rect = *rectIn;
    rect.NormalizeRect();
    PostToParent(window, WM_TRACKER_MOVED);
    if (clipTo != nullptr && window != nullptr) {
        window->ClientToScreen(&rect);
        clipTo->ScreenToClient(&rect);
    }

    CSize size(0, 0);
    if (!m_bFinalErase) {
        if ((m_nStyle & hatchedBorder) != 0) {
            const int thickness = std::max(1, GetHandleSize(&rect) - 1);
            size.cx = size.cy = thickness;
            rect.InflateRect(thickness, thickness);
        } else {
            size.cx = size.cy = 1;
        }
    }
    if (m_bFinalErase || !m_bErase)
        DrawDragFrame(dc, rect, size, m_rectLast, m_sizeLast, TrackerShared(m_handleColour).halftoneBrush);
    m_rectLast = rect;
    m_sizeLast = size;
}

BOOL CQvRectTracker::TrackHandle(int handle, CWnd* window, CPoint point)
{
    if (window == nullptr || ::GetCapture() != nullptr)
        return FALSE;

    const CRect rectStart = m_rect;
    int width = m_rect.Width();
    int height = m_rect.Height();
    const ModifyPointers edges = GetModifyPointers(handle);
    const int offsetX = point.x - edges.grabX;
    const int offsetY = point.y - edges.grabY;

    HWND hwnd = window->GetSafeHwnd();
    ::SetCapture(hwnd);
    window->UpdateWindow();
    CClientDC dc(hwnd);
    CRect client;
    window->GetClientRect(&client);

    bool drawn = false;
    bool done = false;
    while (!done) {
        MSG msg;
        const BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Leave the quit request for the program's own loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1 || ::GetCapture() != hwnd)
            break;

        switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            const CRect old = m_rect;
            if (edges.x != nullptr)
                *edges.x = std::max<LONG>(GET_X_LPARAM(msg.lParam) - offsetX, client.left);
            if (edges.y != nullptr)
                *edges.y = std::max<LONG>(GET_Y_LPARAM(msg.lParam) - offsetY, client.top);
            width = std::min(width, client.Width());
            height = std::min(height, client.Height());
            if (handle == hitMiddle) {
                // A move keeps the size and stops at the right and bottom.
                m_rect.right = m_rect.left + width;
                m_rect.bottom = m_rect.top + height;
                if (m_rect.right > client.right) {
                    m_rect.left = client.right - width;
                    m_rect.right = client.right;
                }
                if (m_rect.bottom > client.bottom) {
                    m_rect.top = client.bottom - height;
                    m_rect.bottom = client.bottom;
                }
            }
            m_rect.right = std::min(m_rect.right, client.right);
            m_rect.bottom = std::min(m_rect.bottom, client.bottom);
            AdjustRect(handle, &m_rect);

            m_bFinalErase = msg.message == WM_LBUTTONUP;
            const bool changed = !SameRect(old, m_rect);
            if (changed || m_bFinalErase) {
                if (drawn) {
                    m_bErase = TRUE;
                    DrawTrackerRect(&old, nullptr, &dc, window);
                }
                OnChangedRect(old);
                if (m_bFinalErase) {
                    PostToParent(window, WM_TRACKER_DONE);
                    done = true;
                    break;
                }
                drawn = true;
            }
            if (changed) {
                m_bErase = FALSE;
                DrawTrackerRect(&m_rect, nullptr, &dc, window);
            }
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam != VK_ESCAPE)
                break; // other keys are swallowed while dragging
            [[fallthrough]];
        case WM_RBUTTONDOWN:
            if (drawn) {
                m_bErase = m_bFinalErase = TRUE;
                DrawTrackerRect(&m_rect, nullptr, &dc, window);
            }
            m_rect = rectStart;
            done = true;
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }

    if (::GetCapture() == hwnd)
        ::ReleaseCapture();
    // A click without movement changes nothing.
    if (!drawn)
        m_rect = rectStart;
    m_bErase = m_bFinalErase = FALSE;
    return !SameRect(rectStart, m_rect);
}
