// CView (a window showing a document), CScrollView (a view with scroll bars
// over a logical size) and CFormView (a view made from a dialog template).
#pragma once

#include "fw_dialog.h"
#include "fw_doc.h"

// Sent by CFrameWnd::InitialUpdateFrame to every descendant: views answer
// with OnInitialUpdate.
constexpr UINT WM_INITIALUPDATE = 0x0364;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC*, void* pInfo = nullptr) { (void)pInfo; }
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

protected:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;

    void SetScrollSizes(
        int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault, const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const;
    void ScrollToPosition(POINT pt);
    CSize GetTotalSize() const { return m_totalLog; }
    int GetMapMode() const { return m_nMapMode; }

    void OnPrepareDC(CDC* pDC, void* pInfo = nullptr) override;

protected:
    int m_nMapMode = MM_TEXT;
    CSize m_totalLog { 0, 0 };
    CSize m_pageDev { 0, 0 };
    CSize m_lineDev { 0, 0 };

    void UpdateBars();
    void OnSize(UINT nType, int cx, int cy);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void ScrollBy(int nBar, UINT nSBCode, UINT nPos);
    DECLARE_MESSAGE_MAP()
};

class CFormView : public CScrollView {
    DECLARE_DYNAMIC(CFormView)
public:
    explicit CFormView(UINT nIDTemplate)
        : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate))
    {
    }
    explicit CFormView(LPCTSTR lpszTemplateName)
        : m_lpszTemplateName(lpszTemplateName)
    {
    }

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
        UINT nID, CCreateContext* pContext = nullptr) override;
    void OnDraw(CDC*) override { }
    void OnInitialUpdate() override;

    LPCTSTR m_lpszTemplateName;
};
