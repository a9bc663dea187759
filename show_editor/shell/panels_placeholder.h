// Stand-ins for the three panels of the main window (preview player, project
// tree and properties) and the document's own view: windows of the panels'
// class names that join the document, so that the main frame's panes, the
// document's panel binding and project opening work before the real panels
// are part of the program. The preview panel binds the panels on its first
// update, as the real one does.
#pragma once

#include <afxwin.h>

class CPanelPlaceholder : public CView {
    DECLARE_DYNAMIC(CPanelPlaceholder)
public:
    void OnDraw(CDC* pDC) override;

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

class CViewpanel : public CPanelPlaceholder {
    DECLARE_DYNCREATE(CViewpanel)
public:
    void OnInitialUpdate() override;
    // Stops the preview (there is none to stop yet).
    void StopPlay() { }

private:
    bool m_bound = false;
};

class CManagerPanel : public CPanelPlaceholder {
    DECLARE_DYNCREATE(CManagerPanel)
};

class CPropertypanel : public CPanelPlaceholder {
    DECLARE_DYNCREATE(CPropertypanel)
};

// The view of the document template: an empty view that only carries the
// document.
class CDornelView : public CView {
    DECLARE_DYNCREATE(CDornelView)
public:
    void OnDraw(CDC*) override { }
};
