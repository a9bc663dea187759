// CFrameWnd: the main window of a document/view program (menu, accelerators,
// title, one view filling the client area, command routing and command UI).
#pragma once

#include "fw_view.h"

constexpr DWORD FWS_ADDTOTITLE = 0x00008000L;
constexpr DWORD FWS_PREFIXTITLE = 0x00004000L;
constexpr DWORD FWS_SNAPTOBARS = 0x00002000L;
constexpr DWORD AFX_WS_DEFAULT_VIEW = WS_CHILD | WS_VISIBLE | WS_BORDER;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    static const RECT rectDefault;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
        CCreateContext* pContext = nullptr);
    // Menu, accelerators, icon and title from resource nIDResource.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
        CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    virtual void ActivateFrame(int nCmdShow = -1);
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    // Runs the update handlers of the items of a pop-up menu.
    void UpdateMenuCmdUI(CMenu* pMenu);
    virtual void OnIdleUpdateCmdUI();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    BOOL m_bAutoMenuEnable = TRUE;
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;

protected:
    CView* m_pViewActive = nullptr;
    CString m_strTitle;
    HMENU m_hMenuDefault = nullptr;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
