// CCaptureDlg: the hollow frame on the screen that marks the area the
// screen recorder captures. Only a ring of the border width is visible and
// takes the mouse: dragging it moves the area, dragging its bottom-right
// corner resizes it. The owner hears of every change.
#pragma once

#include <afxwin.h>

#include "hw_dialogs_resource.h"

// Posted to the owner after the area moved or was resized.
#define WM_CAPTURE_RECT_CHANGED (WM_APP + 0xA3)

class CCaptureDlg : public CDialog {
public:
    enum { IDD = IDD_CAPTURE_FRAME };
    // Hit code of the resizing corner (the bottom-right one).
    static constexpr int kHitResize = 17;
    // Smallest area while resizing, in pixels.
    static constexpr int kMinSize = 8;

    CCaptureDlg() = default;
    ~CCaptureDlg() override;

    // Places the window around the area: (left - b, top - b) with size
    // (width + 2b, height + 2b).
    void PlaceFrame();
    // Rebuilds the window region as the ring between the client rectangle
    // and the inner rectangle.
    void ShapeFrame();
    CRect Area() const { return CRect(m_left, m_top, m_left + m_width, m_top + m_height); }

    int m_top = 0;
    int m_left = 0;
    int m_width = 200;
    int m_height = 200;
    int m_border = 3;
    COLORREF m_color = RGB(0, 0, 0);
    BYTE m_inset = 0;
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    CSize m_dragBorder { 1, 1 };
    CRect m_dragRect;
    CRect m_lastDragRect;
    CPoint m_lastPoint;
    HDC m_screenDC = nullptr;
    BYTE m_dragging = 0;
    int m_hitCode = 0;

protected:
    BOOL OnInitDialog() override;
    void OnPaint();
    LRESULT OnNcHitTest(CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMove(int x, int y);
    void OnClose();
    void OnOK() override { }
    void OnCancel() override { }
    DECLARE_MESSAGE_MAP()

private:
    void DrawDragRect(const CRect& rect);
    void ReleaseScreenDC();
};
