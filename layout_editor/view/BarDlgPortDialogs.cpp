// The list panel's port dialogs: the point-by-point adjustment (port menu
// command 32898), the lamp formats of single lamps (32902) and the
// new-lamp-format button (1004).
#include "BarDlg.h"

#include "LampFormatDlgs.h"
#include "ListPanelResource.h"
#include "PannexDoc.h"

namespace {

// The port of a port item of the tree; -1 for an item of another kind.
int PortOfTreeItem(int itemData)
{
    const auto data = static_cast<DWORD>(itemData);
    return IsPortItem(data) ? ItemIndex(data) : -1;
}

} // namespace

void CBarDlg::CreatePortDialogs()
{
    m_dlgAdjust.CreateHidden(this);
    m_dlgPixLightBar.CreateHidden(this);
}

void CBarDlg::PortDialogsAfterRebuild()
{
    // Ports may have been inserted, removed or re-created: the adjustment
    // list is reloaded (or emptied when its port is gone).
    if (m_dlgAdjust.GetSafeHwnd() != nullptr)
        m_dlgAdjust.OnPortsRestructured();
}

void CBarDlg::OnPortAdjust()
{
    const int p = PortOfTreeItem(m_nItemData);
    CPannexDoc* doc = GetDoc();
    if (doc == nullptr || !doc->GetLayout().IsValidPort(p) || m_dlgAdjust.GetSafeHwnd() == nullptr)
        return;
    m_dlgAdjust.LoadPort(p);
    m_dlgAdjust.ShowWindow(SW_SHOW);
}

void CBarDlg::OnPortLampsPerPoint()
{
    const int p = PortOfTreeItem(m_nItemData);
    CPannexDoc* doc = GetDoc();
    if (doc == nullptr || !doc->GetLayout().IsValidPort(p) || m_dlgPixLightBar.GetSafeHwnd() == nullptr)
        return;
    m_dlgPixLightBar.ShowPort(p);
    m_dlgPixLightBar.ShowWindow(SW_SHOW);
}

void CBarDlg::OnAddLampType()
{
    RunAddLampFormat(this, &m_cbLampType, GetDoc());
}
