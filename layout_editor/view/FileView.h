// CFileView: the docked pane at the frame's left edge (control id 133) that
// holds the list panel. The pane itself is the framework's dockable pane;
// this class only fixes the editor's id and size and keeps the panel.
#pragma once

#include <fw_dockpane.h>

#include "ListPanelHost.h"

constexpr UINT ID_LIST_PANE = 133;

class CFileView : public CDockablePane {
    DECLARE_DYNAMIC(CFileView)
public:
    CFileView();
    ~CFileView() override;

    // Creates the pane (empty caption, 300 pixels wide, no gripper, docked
    // left, closable and resizable) and the list panel inside it.
    BOOL CreateListPane(CWnd* frame, CMainFrame& owner);

    IListPanel* GetListPanel() const { return m_panel.get(); }

private:
    std::unique_ptr<IListPanel> m_panel;
};
