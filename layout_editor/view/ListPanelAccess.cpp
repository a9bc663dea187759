// Calls into the list panel when there is one (see ListPanelAccess.h).
#include "ListPanelAccess.h"

#include "BarDlg.h"

void RebuildListPanelTree()
{
    if (CBarDlg* panel = GetListPanel())
        panel->BuildCardTree();
}

void SelectPortInListPanel(int port)
{
    if (CBarDlg* panel = GetListPanel())
        panel->SelectBarInTree(port);
}

void FillListPanelLampTypes()
{
    if (CBarDlg* panel = GetListPanel())
        panel->FillLampTypeCombo();
}
