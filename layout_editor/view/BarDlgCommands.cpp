// Commands of the list panel's three context menus: they act on the item
// the last right click or selection concerned (m_nItemData) through the
// controller and port edits of the model, then refresh the view and the
// tree. Every command does nothing without a document.
#include "BarDlg.h"

#include <fw_uihost.h>

#include "CleanCardSelDlg.h"
#include "InputDlg.h"
#include "LampSelectDlgs.h"
#include "LampTypeList.h"
#include "LayoutLangText.h"
#include "ListPanelLabels.h"
#include "ListPanelResource.h"
#include "PannexDoc.h"
#include "PannexView.h"
#include "ReverseDataAllDlg.h"
#include "SetCardNumDlg.h"
#include "SwapCardDlg.h"
#include "TextHelpers.h"

namespace {

// The port (or controller) the command concerns; -1 for an item of another kind.
int PortOfItem(int itemData)
{
    return IsPortItem(static_cast<DWORD>(itemData)) ? ItemIndex(static_cast<DWORD>(itemData)) : -1;
}

int ControllerOfItem(int itemData)
{
    return IsControllerItem(static_cast<DWORD>(itemData)) ? ItemIndex(static_cast<DWORD>(itemData)) : -1;
}

// Runs the input dialog with a number and a prompt; false on Cancel.
bool AskNumber(CWnd* parent, LPCWSTR prompt, int& value)
{
    CInputDlg dlg(parent);
    dlg.m_strValue.Format(L"%d", value);
    dlg.m_strPrompt = prompt;
    if (dlg.DoModal() != IDOK)
        return false;
    value = WideTextToInt(dlg.m_strValue);
    return true;
}

} // namespace

void CBarDlg::AfterStructureChange()
{
    CPannexView* view = GetView();
    if (view == nullptr)
        return;
    view->FindOverlapCells();
    view->m_settings.m_controllerCount = ControllerCount(view->m_settings);
    BuildCardTree();
    view->SetEditMode(0);
}

void CBarDlg::MarkLayoutChanged()
{
    if (CPannexDoc* doc = GetDoc())
        doc->GetLayout().m_modified = 1;
}

void CBarDlg::RelabelCurrentPortItem(int p)
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    if (view == nullptr || doc == nullptr || m_hCurrentItem == nullptr || !doc->GetLayout().IsValidPort(p))
        return;
    int controller = 0;
    int number = 0;
    view->BarToCardPort(p, controller, number);
    const LayoutPort& port = doc->GetLayout().GetPort(p);
    m_treeCards.SetItemText(
        m_hCurrentItem, PortLabel(LoadTreeLabelTexts(), port.m_lampFormatIndex + 1, number, port.GetCount()));
}

void CBarDlg::CopyPortsToBuffer(int first, int count, BYTE kind, int groupSize)
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    if (view == nullptr || doc == nullptr || count < 1)
        return;
    const CLayoutData& live = doc->GetLayout();
    if (first < 0 || first + count > live.GetPortCount())
        return;
    CLayoutData copy;
    copy.m_templateKind = kind;
    copy.m_width = live.m_width;
    copy.m_height = live.m_height;
    const CString format = LampTypeList.GetSize() > 0 ? LampTypeList.GetAt(0) : CString(L"RGB");
    if (!copy.ResetPorts(live.GetPortCount(), std::max(live.GetPort(first).GetCapacity(), 1), format, 0))
        return;
    for (int p = first; p < first + count; ++p)
        copy.AppendLoadedPort(live.GetPort(p));
    view->m_copyBuffer.BuildFromLayout(copy, groupSize);
    view->m_templateShown = 1;
    view->SetEditMode(0);
}

// --- Port menu -----------------------------------------------------------

void CBarDlg::OnManualWiring()
{
    CPannexView* view = GetView();
    const int p = PortOfItem(m_nItemData);
    if (view == nullptr || GetDoc() == nullptr || !GetDoc()->GetLayout().IsValidPort(p))
        return;
    view->m_currentPort = p;
    view->SetEditMode(1);
}

void CBarDlg::OnLocatePort()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int p = PortOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || !doc->GetLayout().IsValidPort(p))
        return;
    const LayoutPort& port = doc->GetLayout().GetPort(p);
    if (port.GetCount() == 0)
        return;
    view->PanToPoint(port.GetPoint(0), CPoint(view->m_clientWidth / 2, view->m_clientHeight / 2), true);
}

void CBarDlg::OnPortColour(UINT id)
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int p = PortOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || !doc->GetLayout().IsValidPort(p))
        return;
    const COLORREF colours[] = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255) };
    doc->GetLayout().GetPort(p).m_colour = colours[id - ID_PORT_RED];
    MarkLayoutChanged();
    view->Redraw();
}

void CBarDlg::OnPortCustomColour()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int p = PortOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || !doc->GetLayout().IsValidPort(p))
        return;
    COLORREF colour = 0;
    if (!AfxGetUiHost().PickColor(GetSafeHwnd(), colour, CC_RGBINIT | CC_FULLOPEN))
        return;
    doc->GetLayout().GetPort(p).m_colour = colour;
    MarkLayoutChanged();
    view->Redraw();
}

void CBarDlg::OnPortClearWiring()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int p = PortOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || !doc->GetLayout().IsValidPort(p) || !AskLayoutQuestion(164))
        return;
    CLayoutData& model = doc->GetLayout();
    model.ClearPortPoints(p);
    model.ClearSelection();
    view->FindOverlapCells();
    RelabelCurrentPortItem(p);
    view->Redraw();
}

void CBarDlg::OnPortInsert()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int p = PortOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || !doc->GetLayout().IsValidPort(p) || !AskLayoutQuestion(166))
        return;
    InsertPortAt(doc->GetLayout(), view->m_settings, p);
    AfterStructureChange();
}

void CBarDlg::OnPortDelete()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int p = PortOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || !doc->GetLayout().IsValidPort(p) || !AskLayoutQuestion(167))
        return;
    DeletePortAt(doc->GetLayout(), view->m_settings, p);
    AfterStructureChange();
}

void CBarDlg::OnPortUnmask()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int p = PortOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || !doc->GetLayout().IsValidPort(p))
        return;
    MaskPortLamps(doc->GetLayout(), p, 1, doc->GetLayout().GetPort(p).GetCount(), false);
    view->Redraw();
}

void CBarDlg::OnPortSwap()
{
    if (GetDoc() == nullptr)
        return;
    CSwapPortDlg dlg(this);
    dlg.m_nCardA = 1;
    dlg.m_nPortA = 1;
    dlg.m_nCardB = 1;
    dlg.m_nPortB = 2;
    dlg.DoModal();
}

void CBarDlg::OnPortCopy()
{
    CPannexView* view = GetView();
    const int p = PortOfItem(m_nItemData);
    if (view != nullptr)
        CopyPortsToBuffer(p, 1, 3, view->m_settings.m_portsPerController);
}

void CBarDlg::OnPortLampType()
{
    CPannexDoc* doc = GetDoc();
    const int p = PortOfItem(m_nItemData);
    if (doc == nullptr || !doc->GetLayout().IsValidPort(p))
        return;
    CSelectLightBarDlg dlg(this);
    dlg.m_nSelected = doc->GetLayout().GetPort(p).m_lampFormatIndex;
    if (dlg.DoModal() != IDOK)
        return;
    m_cbLampType.SetCurSel(dlg.m_nSelected);
    SetPortLampType(doc->GetLayout(), p, dlg.m_nSelected);
    RelabelCurrentPortItem(p);
}

void CBarDlg::OnPortMask()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int p = PortOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || !doc->GetLayout().IsValidPort(p))
        return;
    CFromToDlg dlg(this);
    dlg.m_nFrom = 0;
    dlg.m_nTo = 0;
    if (dlg.DoModal() != IDOK)
        return;
    MaskPortLamps(doc->GetLayout(), p, dlg.m_nFrom, dlg.m_nTo, true);
    view->Redraw();
}

void CBarDlg::OnPortReverse()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int p = PortOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || !doc->GetLayout().IsValidPort(p))
        return;
    LayoutPort& port = doc->GetLayout().GetPort(p);
    CFromToDlg dlg(this);
    dlg.m_nFrom = 1;
    dlg.m_nTo = port.GetCount();
    if (dlg.DoModal() != IDOK)
        return;
    const int from = std::max(dlg.m_nFrom, 1);
    // A range past the port's lamps or the wrong way round changes nothing.
    if (dlg.m_nTo > port.GetCount() || from >= dlg.m_nTo)
        return;
    ReversePointRange(from, dlg.m_nTo, port);
    doc->GetLayout().m_modified = 1;
    view->Redraw();
}

// --- Controller menu -------------------------------------------------------

void CBarDlg::OnCardInsert()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int c = ControllerOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || c < 0 || c >= ControllerCount(view->m_settings))
        return;
    int n = 1;
    if (!AskNumber(this, L"插入控制器个数", n) || n <= 0)
        return;
    const int first = InsertControllers(doc->GetLayout(), view->m_settings, c, n);
    AfterStructureChange();
    if (first >= 0)
        SelectBarInTree(first);
}

void CBarDlg::OnCardColour()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int c = ControllerOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || c < 0)
        return;
    COLORREF colour = 0;
    if (!AfxGetUiHost().PickColor(GetSafeHwnd(), colour, CC_RGBINIT | CC_FULLOPEN))
        return;
    SetControllerColour(doc->GetLayout(), view->m_settings, c, colour);
    view->Redraw();
}

void CBarDlg::OnCardReverse()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int c = ControllerOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || c < 0)
        return;
    ReverseControllerPorts(doc->GetLayout(), view->m_settings, c);
    view->Redraw();
}

void CBarDlg::OnCardClearWiring()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int c = ControllerOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || c < 0 || c >= ControllerCount(view->m_settings) || !AskLayoutQuestion(164))
        return;
    ClearControllerPorts(doc->GetLayout(), view->m_settings, c);
    AfterStructureChange();
    SelectBarInTree(FirstPortOfController(view->m_settings, c));
}

void CBarDlg::OnCardDelete()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int c = ControllerOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || c < 0 || c >= ControllerCount(view->m_settings) || !AskLayoutQuestion(165))
        return;
    DeleteController(doc->GetLayout(), view->m_settings, c);
    AfterStructureChange();
}

void CBarDlg::OnCardSwap()
{
    if (GetDoc() == nullptr)
        return;
    CSwapCardDlg dlg(this);
    dlg.m_nCardA = 1;
    dlg.m_nCardB = 2;
    dlg.DoModal();
}

void CBarDlg::OnCardCopy()
{
    CPannexView* view = GetView();
    const int c = ControllerOfItem(m_nItemData);
    if (view == nullptr || c < 0)
        return;
    const int count = PortsOfController(view->m_settings, c);
    CopyPortsToBuffer(FirstPortOfController(view->m_settings, c), count, 2, count);
}

void CBarDlg::OnCardLampType()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int c = ControllerOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || c < 0)
        return;
    CSelectLightBarDlg dlg(this);
    dlg.m_nSelected = 0;
    if (dlg.DoModal() != IDOK)
        return;
    m_cbLampType.SetCurSel(dlg.m_nSelected);
    SetControllerLampType(doc->GetLayout(), view->m_settings, c, dlg.m_nSelected);
    BuildCardTree();
    view->SetEditMode(0);
}

// --- Root menu ---------------------------------------------------------------

void CBarDlg::OnProjectLampType()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    if (view == nullptr || doc == nullptr)
        return;
    CSelectLightBarDlg dlg(this);
    dlg.m_nSelected = 0;
    if (dlg.DoModal() != IDOK)
        return;
    m_cbLampType.SetCurSel(dlg.m_nSelected);
    SetControllerLampType(doc->GetLayout(), view->m_settings, -1, dlg.m_nSelected);
    BuildCardTree();
    view->SetEditMode(0);
}

void CBarDlg::OnAddController()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    if (view == nullptr || doc == nullptr)
        return;
    const int first = AppendControllers(doc->GetLayout(), view->m_settings, 1);
    AfterStructureChange();
    if (first >= 0)
        SelectBarInTree(first);
}

void CBarDlg::OnSetControllerCount()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    if (view == nullptr || doc == nullptr)
        return;
    CSetCardNumDlg dlg(this);
    dlg.m_nCount = ControllerCount(view->m_settings);
    // Every port of the new controllers must fit the layout's port limit.
    const int perController = std::max(view->m_settings.m_portsPerController, 1);
    const int others = doc->GetLayout().GetPortCount() - dlg.m_nCount * perController;
    dlg.m_nMaxCount = std::max(dlg.m_nCount, (kMaxLayoutPorts - std::max(others, 0)) / perController);
    if (dlg.DoModal() != IDOK)
        return;
    SetControllerCount(doc->GetLayout(), view->m_settings, dlg.m_nCount);
    AfterStructureChange();
}

void CBarDlg::OnReverseUsedPorts()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    if (view == nullptr || doc == nullptr)
        return;
    ReverseUsedPorts(doc->GetLayout());
    view->Redraw();
}

void CBarDlg::OnClearAllWiring()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    if (view == nullptr || doc == nullptr)
        return;
    const int controllers = ControllerCount(view->m_settings);
    if (controllers == 1) {
        if (!AskLayoutQuestion(164))
            return;
        ClearAllPorts(doc->GetLayout());
    } else if (controllers >= 2) {
        CCleanCardSelDlg dlg(this);
        dlg.m_nFirst = 1;
        dlg.m_nLast = controllers;
        dlg.m_nCount = controllers;
        if (dlg.DoModal() != IDOK)
            return;
        // The dialog refuses ranges outside the controllers; this refuses
        // them again rather than clearing ports that do not exist.
        if (!ClearControllerRange(doc->GetLayout(), view->m_settings, dlg.m_nFirst, dlg.m_nLast))
            return;
    } else {
        return;
    }
    AfterStructureChange();
}

void CBarDlg::OnIntervalClear()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    if (view == nullptr || doc == nullptr)
        return;
    int n = 1;
    if (!AskNumber(this, L"输入间隔清除的点数", n) || n <= 0)
        return;
    ThinOutItem(doc->GetLayout(), view->m_settings, static_cast<DWORD>(m_nItemData), n);
    view->Redraw();
    BuildCardTree();
}

void CBarDlg::OnBatchControllers()
{
    if (GetDoc() == nullptr || m_dlgBatchCard.GetSafeHwnd() == nullptr)
        return;
    m_dlgBatchCard.ShowWindow(SW_SHOW);
}

void CBarDlg::OnReverseData()
{
    if (GetDoc() == nullptr)
        return;
    CReverseDataAllDlg dlg(this);
    dlg.DoModal();
}
