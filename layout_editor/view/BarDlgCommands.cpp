// Commands of the list panel's three context menus: they act on the item
// the last right click or selection concerned (m_nItemData) through the
// controller and port edits of the model, then refresh the view and the
// tree. Every command does nothing without a document.
#include "BarDlg.h"

#include <fw_uihost.h>

#include "ActionDlgs.h"
#include "ArrangePointGrid.h"
#include "CleanCardSelDlg.h"
#include "InputDlg.h"
#include "LampSelectDlgs.h"
#include "LayoutLangText.h"
#include "PannexLabels.h"
#include "ListPanelLabels.h"
#include "ListPanelResource.h"
#include "PannexDoc.h"
#include "PannexView.h"
#include "ReverseDataAllDlg.h"
#include "SetCardNumDlg.h"
#include "SwapCardDlg.h"
#include "TemplateFiles.h"
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

CBarDlg::Target CBarDlg::PortTarget(int question)
{
    Target target;
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int p = PortOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || !doc->GetLayout().IsValidPort(p))
        return target;
    if (question != 0 && !AskLayoutQuestion(question))
        return target;
    target = { view, &doc->GetLayout(), p };
    return target;
}

CBarDlg::Target CBarDlg::ControllerTarget(int question)
{
    Target target;
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    const int c = ControllerOfItem(m_nItemData);
    if (view == nullptr || doc == nullptr || c < 0 || c >= ControllerCount(view->m_settings))
        return target;
    if (question != 0 && !AskLayoutQuestion(question))
        return target;
    target = { view, &doc->GetLayout(), c };
    return target;
}

CBarDlg::Target CBarDlg::LayoutTarget()
{
    Target target;
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    if (view != nullptr && doc != nullptr)
        target = { view, &doc->GetLayout(), 0 };
    return target;
}

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
    if (view == nullptr || doc == nullptr)
        return;
    CLayoutData copy;
    if (!BuildPortRangeTemplate(doc->GetLayout(), first, count, kind, copy))
        return;
    view->m_copyBuffer.BuildFromLayout(copy, groupSize);
    view->m_templateShown = 1;
    view->SetEditMode(0);
}

// --- Port menu -----------------------------------------------------------

void CBarDlg::OnManualWiring()
{
    const Target target = PortTarget();
    if (!target)
        return;
    target.view->m_currentPort = target.index;
    target.view->SetEditMode(1);
}

void CBarDlg::OnPortArrange()
{
    const Target target = PortTarget();
    if (!target)
        return;
    const LayoutPort& port = target.model->GetPort(target.index);
    if (m_bArrangeFirstUse) {
        // The first proposal: one row of as many lamps as the port takes,
        // at most 682 (a port of 2048 channels of RGB lamps).
        m_bArrangeFirstUse = 0;
        m_nArrangeColumns = std::min(port.GetCapacity(), 682);
    }
    CActionAutoDlg dlg(this);
    dlg.m_nStyle = m_nArrangeStyle;
    dlg.m_bZOrder = m_bArrangeZ;
    dlg.m_bFlip = m_bArrangeFlip;
    dlg.m_nWidth = m_nArrangeColumns;
    dlg.m_nHeight = m_nArrangeRows;
    dlg.m_nColumnGap = m_nArrangeColumnGap;
    dlg.m_nRowGap = m_nArrangeRowGap;
    dlg.m_bNextPorts = m_bArrangeNextPorts;
    dlg.m_bNextControllers = m_bArrangeNextControllers;
    if (dlg.DoModal() != IDOK)
        return;
    // The panel remembers what was asked for, also when no grid comes of it.
    m_nArrangeStyle = dlg.m_nStyle;
    m_bArrangeZ = dlg.m_bZOrder;
    m_bArrangeFlip = dlg.m_bFlip;
    m_nArrangeColumns = dlg.m_nWidth;
    m_nArrangeRows = dlg.m_nHeight;
    m_nArrangeColumnGap = dlg.m_nColumnGap;
    m_nArrangeRowGap = dlg.m_nRowGap;
    m_bArrangeNextPorts = dlg.m_bNextPorts;
    m_bArrangeNextControllers = dlg.m_bNextControllers;
    if (!ArrangePointGrid(*target.model, m_nArrangeRows, target.index, m_nArrangeStyle, m_bArrangeZ, m_bArrangeFlip,
            m_nArrangeColumns, m_nArrangeColumnGap, m_nArrangeRowGap)) {
        // No rows, no lamps per row or negative gaps: nothing to place.
        AfxGetUiHost().MessageBox(GetSafeHwnd(), GetLangText(L"LAYOUT", 953), L"Solvane", MB_OK);
        return;
    }
    // The grid follows the mouse until a click drops it into the port.
    target.view->m_currentPort = target.index;
    target.view->SetEditMode(2);
}

void CBarDlg::OnPortFastWiring()
{
    const Target target = PortTarget();
    if (!target)
        return;
    CPannexView& view = *target.view;
    CActionFastDlg dlg(this);
    dlg.m_nStyle = view.m_fastStyle;
    dlg.m_bZOrder = view.m_fastZOrder;
    dlg.m_bFlip = view.m_fastFlip;
    dlg.m_nWidth = view.m_fastWidth;
    dlg.m_nHeight = view.m_fastHeight;
    dlg.m_nMaxLamps = view.m_fastLampsPerPort;
    if (dlg.DoModal() != IDOK)
        return;
    view.m_fastStyle = dlg.m_nStyle;
    view.m_fastZOrder = dlg.m_bZOrder;
    view.m_fastFlip = dlg.m_bFlip;
    view.m_fastWidth = dlg.m_nWidth;
    view.m_fastHeight = dlg.m_nHeight;
    view.m_fastLampsPerPort = dlg.m_nMaxLamps;
    // A rectangle without cells keeps the settings but wires nothing.
    if (view.m_fastWidth <= 0 || view.m_fastHeight <= 0)
        return;
    view.m_currentPort = target.index;
    view.SetEditMode(3);
}

void CBarDlg::OnLocatePort()
{
    const Target target = PortTarget();
    if (!target)
        return;
    const LayoutPort& port = target.model->GetPort(target.index);
    if (port.GetCount() == 0)
        return;
    target.view->PanToPoint(
        port.GetPoint(0), CPoint(target.view->m_clientWidth / 2, target.view->m_clientHeight / 2), true);
}

void CBarDlg::OnPortColour(UINT id)
{
    const Target target = PortTarget();
    if (!target)
        return;
    const COLORREF colours[] = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255) };
    target.model->GetPort(target.index).m_colour = colours[id - ID_PORT_RED];
    MarkLayoutChanged();
    target.view->Redraw();
}

void CBarDlg::OnPortCustomColour()
{
    const Target target = PortTarget();
    if (!target)
        return;
    COLORREF colour = 0;
    if (!AfxGetUiHost().PickColor(GetSafeHwnd(), colour, CC_RGBINIT | CC_FULLOPEN))
        return;
    target.model->GetPort(target.index).m_colour = colour;
    MarkLayoutChanged();
    target.view->Redraw();
}

void CBarDlg::OnPortClearWiring()
{
    const Target target = PortTarget(164);
    if (!target)
        return;
    CLayoutData& model = *target.model;
    model.ClearPortPoints(target.index);
    model.ClearSelection();
    target.view->FindOverlapCells();
    RelabelCurrentPortItem(target.index);
    target.view->Redraw();
}

void CBarDlg::OnPortInsert()
{
    const Target target = PortTarget(166);
    if (!target)
        return;
    InsertPortAt(*target.model, target.view->m_settings, target.index);
    AfterStructureChange();
}

void CBarDlg::OnPortDelete()
{
    const Target target = PortTarget(167);
    if (!target)
        return;
    DeletePortAt(*target.model, target.view->m_settings, target.index);
    AfterStructureChange();
}

void CBarDlg::OnPortUnmask()
{
    const Target target = PortTarget();
    if (!target)
        return;
    MaskPortLamps(*target.model, target.index, 1, target.model->GetPort(target.index).GetCount(), false);
    target.view->Redraw();
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
    const Target target = PortTarget();
    if (target)
        CopyPortsToBuffer(target.index, 1, 3, target.view->m_settings.m_portsPerController);
}

void CBarDlg::OnPortLampType()
{
    const Target target = PortTarget();
    if (!target)
        return;
    CSelectLightBarDlg dlg(this);
    dlg.m_nSelected = target.model->GetPort(target.index).m_lampFormatIndex;
    if (dlg.DoModal() != IDOK)
        return;
    m_cbLampType.SetCurSel(dlg.m_nSelected);
    SetPortLampType(*target.model, target.index, dlg.m_nSelected);
    RelabelCurrentPortItem(target.index);
}

void CBarDlg::OnPortMask()
{
    const Target target = PortTarget();
    if (!target)
        return;
    CFromToDlg dlg(this);
    dlg.m_nFrom = 0;
    dlg.m_nTo = 0;
    if (dlg.DoModal() != IDOK)
        return;
    MaskPortLamps(*target.model, target.index, dlg.m_nFrom, dlg.m_nTo, true);
    target.view->Redraw();
}

void CBarDlg::OnPortReverse()
{
    const Target target = PortTarget();
    if (!target)
        return;
    LayoutPort& port = target.model->GetPort(target.index);
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
    target.model->m_modified = 1;
    target.view->Redraw();
}

// --- Controller menu -------------------------------------------------------

void CBarDlg::OnCardInsert()
{
    const Target target = ControllerTarget();
    if (!target)
        return;
    int n = 1;
    if (!AskNumber(this, LangTextOr(L"LAYOUT", 1005, L"插入控制器个数"), n) || n <= 0)
        return;
    const int first = InsertControllers(*target.model, target.view->m_settings, target.index, n);
    AfterStructureChange();
    if (first >= 0)
        SelectBarInTree(first);
}

void CBarDlg::OnCardColour()
{
    const Target target = ControllerTarget();
    if (!target)
        return;
    COLORREF colour = 0;
    if (!AfxGetUiHost().PickColor(GetSafeHwnd(), colour, CC_RGBINIT | CC_FULLOPEN))
        return;
    SetControllerColour(*target.model, target.view->m_settings, target.index, colour);
    target.view->Redraw();
}

void CBarDlg::OnCardReverse()
{
    const Target target = ControllerTarget();
    if (!target)
        return;
    ReverseControllerPorts(*target.model, target.view->m_settings, target.index);
    target.view->Redraw();
}

void CBarDlg::OnCardClearWiring()
{
    const Target target = ControllerTarget(164);
    if (!target)
        return;
    ClearControllerPorts(*target.model, target.view->m_settings, target.index);
    AfterStructureChange();
    SelectBarInTree(FirstPortOfController(target.view->m_settings, target.index));
}

void CBarDlg::OnCardDelete()
{
    const Target target = ControllerTarget(165);
    if (!target)
        return;
    DeleteController(*target.model, target.view->m_settings, target.index);
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
    const Target target = ControllerTarget();
    if (!target)
        return;
    const int count = PortsOfController(target.view->m_settings, target.index);
    CopyPortsToBuffer(FirstPortOfController(target.view->m_settings, target.index), count, 2, count);
}

void CBarDlg::OnCardLampType()
{
    if (const Target target = ControllerTarget())
        AskControllerLampType(target, target.index);
}

void CBarDlg::AskControllerLampType(const Target& target, int controller)
{
    CSelectLightBarDlg dlg(this);
    dlg.m_nSelected = 0;
    if (dlg.DoModal() != IDOK)
        return;
    m_cbLampType.SetCurSel(dlg.m_nSelected);
    SetControllerLampType(*target.model, target.view->m_settings, controller, dlg.m_nSelected);
    BuildCardTree();
    target.view->SetEditMode(0);
}

// --- Root menu ---------------------------------------------------------------

void CBarDlg::OnProjectLampType()
{
    if (const Target target = LayoutTarget())
        AskControllerLampType(target, -1);
}

void CBarDlg::OnAddController()
{
    const Target target = LayoutTarget();
    if (!target)
        return;
    const int first = AppendControllers(*target.model, target.view->m_settings, 1);
    AfterStructureChange();
    if (first >= 0)
        SelectBarInTree(first);
}

void CBarDlg::OnSetControllerCount()
{
    const Target target = LayoutTarget();
    if (!target)
        return;
    CSetCardNumDlg dlg(this);
    dlg.m_nCount = ControllerCount(target.view->m_settings);
    // Every port of the new controllers must fit the layout's port limit.
    const int perController = std::max(target.view->m_settings.m_portsPerController, 1);
    const int others = target.model->GetPortCount() - dlg.m_nCount * perController;
    dlg.m_nMaxCount = std::max(dlg.m_nCount, (kMaxLayoutPorts - std::max(others, 0)) / perController);
    if (dlg.DoModal() != IDOK)
        return;
    SetControllerCount(*target.model, target.view->m_settings, dlg.m_nCount);
    AfterStructureChange();
}

void CBarDlg::OnReverseUsedPorts()
{
    const Target target = LayoutTarget();
    if (!target)
        return;
    ReverseUsedPorts(*target.model);
    target.view->Redraw();
}

void CBarDlg::OnClearAllWiring()
{
    const Target target = LayoutTarget();
    if (!target)
        return;
    const int controllers = ControllerCount(target.view->m_settings);
    if (controllers == 1) {
        if (!AskLayoutQuestion(164))
            return;
        ClearAllPorts(*target.model);
    } else if (controllers >= 2) {
        CCleanCardSelDlg dlg(this);
        dlg.m_nFirst = 1;
        dlg.m_nLast = controllers;
        dlg.m_nCount = controllers;
        if (dlg.DoModal() != IDOK)
            return;
        // The dialog refuses ranges outside the controllers; this refuses
        // them again rather than clearing ports that do not exist.
        if (!ClearControllerRange(*target.model, target.view->m_settings, dlg.m_nFirst, dlg.m_nLast))
            return;
    } else {
        return;
    }
    AfterStructureChange();
}

void CBarDlg::OnIntervalClear()
{
    const Target target = LayoutTarget();
    if (!target)
        return;
    int n = 1;
    if (!AskNumber(this, LangTextOr(L"LAYOUT", 1006, L"输入间隔清除的点数"), n) || n <= 0)
        return;
    ThinOutItem(*target.model, target.view->m_settings, static_cast<DWORD>(m_nItemData), n);
    target.view->Redraw();
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
