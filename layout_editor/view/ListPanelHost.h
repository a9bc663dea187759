// The list panel as the main frame sees it. The frame docks a pane at its
// left edge (CFileView) and asks CreateListPanel for the window that fills
// it; the panel's own code (the controller and port tree, the lamp-type
// combo, the overview thumbnail) lives behind this interface, so the frame
// does not depend on how the panel is built.
#pragma once

#include <afxwin.h>

#include <memory>

class CLShowStatic;
class CMainFrame;

class IListPanel {
public:
    virtual ~IListPanel() = default;
    // The panel's window: a child of the pane it was made in. The pane keeps
    // it sized to its client area.
    virtual CWnd* GetPanelWnd() = 0;
    // After a layout was read or replaced as a whole: refill the lamp-type
    // combo and rebuild the controller and port tree.
    virtual void RefreshFromLayout() = 0;
    // After the menus took their language texts: relabel the panel.
    virtual void LocalizeLabels() = 0;
    // The overview thumbnail inside the panel; nullptr when it has none.
    virtual CLShowStatic* GetOverview() = 0;
};

// Makes the list panel as a child window of pane for the frame. nullptr when
// it cannot be made (the frame's creation then fails). Defined with the
// panel's code (ListPanelFactory.cpp).
std::unique_ptr<IListPanel> CreateListPanel(CWnd& pane, CMainFrame& frame);
