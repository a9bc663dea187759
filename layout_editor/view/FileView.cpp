// The docked list pane (see FileView.h).
#include "FileView.h"

IMPLEMENT_DYNAMIC(CFileView, CDockablePane)

CFileView::CFileView() = default;

CFileView::~CFileView() = default;

BOOL CFileView::CreateListPane(CWnd* frame, CMainFrame& owner)
{
    if (!Create(L"", frame, CRect(0, 0, 300, 200), FALSE, ID_LIST_PANE, WS_CHILD | WS_VISIBLE | CBRS_LEFT,
            AFX_CBRS_REGULAR_TABS, AFX_DEFAULT_DOCKING_PANE_STYLE))
        return FALSE;
    m_panel = CreateListPanel(*this, owner);
    if (m_panel == nullptr || m_panel->GetPanelWnd() == nullptr)
        return FALSE;
    SetContent(m_panel->GetPanelWnd());
    return TRUE;
}
