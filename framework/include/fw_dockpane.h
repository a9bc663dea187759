// CDockablePane: a control bar docked to the left or right edge of a frame
// (beside the top and bottom bars), of a width the user drags at its inner
// edge, that the frame shows and hides. It hosts one content window, which
// it keeps sized to its client area: a program puts its panel there with
// SetContent instead of deriving a pane per panel.
#pragma once

#include "afxwin.h"
#include "fw_bars.h"

constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;

// Pane options of the framework's Create (kept, most without effect here).
constexpr DWORD AFX_CBRS_FLOAT = 0x1;
constexpr DWORD AFX_CBRS_AUTOHIDE = 0x2;
constexpr DWORD AFX_CBRS_RESIZE = 0x4;
constexpr DWORD AFX_CBRS_CLOSE = 0x8;
constexpr DWORD AFX_CBRS_REGULAR_TABS = 0x20;
constexpr DWORD AFX_DEFAULT_DOCKING_PANE_STYLE = AFX_CBRS_FLOAT | AFX_CBRS_CLOSE | AFX_CBRS_RESIZE | AFX_CBRS_AUTOHIDE;

class CDockablePane : public CControlBar {
    DECLARE_DYNAMIC(CDockablePane)
public:
    CDockablePane() = default;
    ~CDockablePane() override = default;

    // Width of the edge the user drags, and the narrowest pane it leaves.
    static constexpr int kEdgeWidth = 4;
    static constexpr int kMinWidth = 40;

    // rect gives the initial width; dwStyle carries the window styles and
    // the docking side (CBRS_LEFT, the default, or CBRS_RIGHT).
    BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_LEFT, DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS,
        DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE);

    // The window that fills the pane (a child of the pane; not owned). It
    // is sized to the client area now and on every resize of the pane.
    void SetContent(CWnd* pContent);
    void SetContent(HWND hContent);
    HWND GetContent() const { return m_hContent; }

    // Docks the pane to the left or right edge (CBRS_ALIGN_LEFT or
    // CBRS_ALIGN_RIGHT); the frame's layout is redone.
    void DockToSide(DWORD dwAlignment);
    // Shows or hides the pane and redoes the frame's layout.
    virtual void ShowPane(BOOL bShow, BOOL bDelay = FALSE, BOOL bActivate = TRUE);
    BOOL IsPaneVisible() const { return m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0; }

    int GetPaneWidth() const { return m_nWidth; }
    // Sets the width (never below kMinWidth) and redoes the frame's layout.
    void SetPaneWidth(int cx);
    DWORD GetControlBarStyle() const { return m_dwControlBarStyle; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // The rectangle of the edge the user drags, in client coordinates.
    CRect EdgeRect() const;

protected:
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

private:
    void PlaceContent();
    void RelayoutParent();
    bool OnLeftSide() const { return (GetBarStyle() & CBRS_ALIGN_RIGHT) == 0; }

    HWND m_hContent = nullptr;
    int m_nWidth = 200;
    DWORD m_dwControlBarStyle = 0;
    bool m_bDragging = false;
    int m_nDragStartX = 0;
    int m_nDragStartWidth = 0;
};
