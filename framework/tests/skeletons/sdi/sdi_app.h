// The SDI skeleton program: a document of text lines, a view that draws
// them, a main frame with a menu and the application object.
#pragma once

#include "afxwin.h"
#include "sdi_resource.h"

#include <vector>

class CSdiDoc : public CDocument {
    DECLARE_DYNCREATE(CSdiDoc)
public:
    std::vector<CString> m_lines;
    int m_nAddLineCalls = 0;

    BOOL OnNewDocument() override;
    void DeleteContents() override;
    void Serialize(CArchive& ar) override;

protected:
    void OnEditAddLine();
    void OnEditClearLines();
    void OnUpdateEditClearLines(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

class CSdiView : public CView {
    DECLARE_DYNCREATE(CSdiView)
public:
    CSdiDoc* GetDocument() const { return static_cast<CSdiDoc*>(m_pDocument); }
    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    int m_nInitialUpdates = 0;
};

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    BOOL m_bMark = FALSE;

protected:
    void OnViewMark();
    void OnUpdateViewMark(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

class CSdiApp : public CWinApp {
public:
    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};
