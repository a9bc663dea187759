// Control bars of a frame window: the toolbar (over the common toolbar
// control), the status bar (over the common status control) and the layout
// that docks bars to the top and bottom of a frame's client area and gives the
// rest to the frame's pane.
#pragma once

#include "fw_frame.h"
#include "fw_gdi.h"

#include <commctrl.h>

#include <vector>

// Framework ids of the standard bars.
#ifndef AFX_IDW_TOOLBAR
#define AFX_IDW_TOOLBAR 0xE800
#endif
#ifndef AFX_IDW_STATUS_BAR
#define AFX_IDW_STATUS_BAR 0xE801
#endif
#ifndef ID_SEPARATOR
#define ID_SEPARATOR 0
#endif

// Bar styles, kept by the bar (not window styles).
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000L;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000L;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000L;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000L;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000L;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100L;
constexpr DWORD CBRS_BORDER_TOP = 0x0200L;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400L;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800L;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00L;
constexpr DWORD CBRS_TOOLTIPS = 0x0010L;
constexpr DWORD CBRS_FLYBY = 0x0020L;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0080L;
constexpr DWORD CBRS_SIZE_FIXED = 0x0040L;
constexpr DWORD CBRS_GRIPPER = 0x00400000L;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD CBRS_ALL = 0x0040FFFFL;

// Status bar pane styles.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = SBT_NOBORDERS;
constexpr UINT SBPS_POPOUT = SBT_POPOUT;
constexpr UINT SBPS_STRETCH = 0x0800;
// A disabled pane keeps its text but shows none.
constexpr UINT SBPS_DISABLED = 0x04000000;

// A window docked to one edge of its frame. The frame's layout asks each bar
// for its size (CalcFixedLayout) and places it.
class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar() = default;
    ~CControlBar() override = default;

    // Size the bar wants: along the docking edge it stretches, across it it
    // takes its own thickness.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) = 0;
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle & CBRS_ALL; }
    BOOL IsVisible() const { return m_hWnd != nullptr && IsWindowVisible(); }
    // Runs the update handlers of the bar's items through pTarget, the
    // window the bar's commands go to. The frame calls it at idle time, as
    // it does for menus when they open; with bDisableIfNoHndler an item
    // whose command nobody handles is disabled.
    virtual void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    // Our addition: the colour the bar paints its face with (CLR_DEFAULT,
    // the start, is the system's button face). Programs with colour schemes
    // of their own set it; the bar repaints.
    virtual void SetBarColor(COLORREF clr);
    COLORREF GetBarColor() const { return m_clrBar; }
    // The face colour in effect.
    COLORREF GetBarFaceColor() const { return m_clrBar == CLR_DEFAULT ? ::GetSysColor(COLOR_BTNFACE) : m_clrBar; }

protected:
    DWORD m_dwStyle = 0;
    COLORREF m_clrBar = CLR_DEFAULT;
};

// Docks the visible control bars among the children of pParent to its
// edges (by their CBRS_ALIGN_ style, in child order: a bar made earlier
// takes its edge first, so bars made before a side pane span the whole
// width) and moves the child
// nIDLeftOver into what is left of the client area. Frames with bars call it
// from RecalcLayout.
void AFXAPI AfxRepositionBars(CWnd* pParent, UINT nIDLeftOver = AFX_IDW_PANE_FIRST);

// Our addition: reads a TOOLBAR resource in either stored layout (the
// Windows SDK's 16-bit one or GNU windres' 32-bit one) into its command ids
// (0 for a separator) and image size. FALSE for anything else.
BOOL AFXAPI AfxParseToolBarResource(const void* pData, DWORD cb, std::vector<UINT>& ids, SIZE& sizeImage);

// The toolbar common control. It does not own its window: CToolBar hands out
// one bound to the bar's own window.
class CToolBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    CToolBarCtrl() = default;
    ~CToolBarCtrl() override = default;

    DWORD SetExtendedStyle(DWORD dwExStyle);
    DWORD GetExtendedStyle() const;
    CImageList* SetImageList(CImageList* pImageList);
    HIMAGELIST GetImageListHandle() const;
    int GetButtonCount() const;
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
};

// A toolbar of buttons from a TOOLBAR resource.
class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar() = default;
    ~CToolBar() override = default;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // dwCtrlStyle: TBSTYLE_ styles of the control; dwStyle: window and CBRS_ styles.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
        UINT nID = AFX_IDW_TOOLBAR);
    // Buttons from the TOOLBAR resource nIDResource (and its bitmap of the
    // same id, when there is one). FALSE when the resource is missing.
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    // Replaces the buttons: ID_SEPARATOR makes a separator.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
    CString GetButtonText(int nIndex) const;
    int GetCount() const;

    CToolBarCtrl& GetToolBarCtrl() const;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void SetBarColor(COLORREF clr) override;

    // Tooltips: the bar answers its tooltip control's requests for text by
    // asking OnToolHitTest about the button's centre. The default takes the
    // part after "\n" of the command's string resource (the whole string
    // when it has none) and fills pTI->uId with the command and
    // pTI->lpszText with a copy made by malloc, which the caller frees.
    // Returns the command, or -1 for no button (or a separator) at point.
    // Derived bars override it to give tips of their own.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    // The text the bar's tooltip shows for a command (what the request for
    // text gets); empty when the command has no button.
    CString GetToolTipText(UINT nID) const;
    // Buttons follow their handlers: Enable, SetCheck (checked, 2 for
    // indeterminate) and SetRadio. A drop-down button acts through its
    // TBN_DROPDOWN notification and is never disabled for want of a
    // command handler.
    void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    BOOL LoadToolBarResource(HINSTANCE hInst, LPCTSTR lpszResourceName);
    // Widens the buttons so that the longest text fits beside the image.
    void FitButtonsToTexts();
    mutable CToolBarCtrl m_ctrl;
    // The last tooltip text handed to the tooltip control (it reads it after
    // the request returns).
    CString m_strTipText;
    CStringA m_strTipTextA;
    CSize m_sizeButton { 23, 22 };
    CSize m_sizeImage { 16, 15 };
};

// A status bar with indicator panes; pane 0 stretches.
class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar() = default;
    ~CStatusBar() override = default;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
        UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id: ID_SEPARATOR gives an empty stretching pane, any
    // other id a pane with the string resource of that id.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    // A pane's id, style (SBPS_) and width in pixels; SBPS_STRETCH panes
    // share what the fixed ones leave.
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void SetBarColor(COLORREF clr) override;
    // Panes follow their handlers: SetText sets the pane text, Enable(FALSE)
    // blanks the pane, SetCheck pops it out. Panes without a handler keep
    // what they show.
    void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT nID = 0;
        UINT nStyle = SBPS_NORMAL;
        int cxText = 0;
        CString strText;
    };
    void UpdateParts();
    void ShowPaneText(int nIndex);
    std::vector<Pane> m_panes;
};
