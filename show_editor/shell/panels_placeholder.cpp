// Placeholder panels of the main window.
#include "panels_placeholder.h"

#include "dornel_doc.h"

IMPLEMENT_DYNAMIC(CPanelPlaceholder, CView)
IMPLEMENT_DYNCREATE(CViewpanel, CPanelPlaceholder)
IMPLEMENT_DYNCREATE(CManagerPanel, CPanelPlaceholder)
IMPLEMENT_DYNCREATE(CPropertypanel, CPanelPlaceholder)
IMPLEMENT_DYNCREATE(CDornelView, CView)

BEGIN_MESSAGE_MAP(CPanelPlaceholder, CView)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CPanelPlaceholder::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CPanelPlaceholder::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    // The preview is dark like the dot-matrix picture; the side panels light.
    bool preview = IsKindOf(RUNTIME_CLASS(CViewpanel));
    pDC->FillSolidRect(&rc, preview ? RGB(16, 20, 28) : RGB(240, 242, 246));
}

void CViewpanel::OnInitialUpdate()
{
    CPanelPlaceholder::OnInitialUpdate();
    if (m_bound)
        return;
    m_bound = true;
    if (auto* doc = dynamic_cast<CDornelDoc*>(GetDocument()))
        doc->BindPanels();
}
