// The point-by-point adjustment dialog (see AdjustDlg.h).
#include "AdjustDlg.h"

#include <fw_uihost.h>

#include <algorithm>

#include "ChannelAdjust.h"
#include "CheckListRows.h"
#include "GammaCurveTables.h"
#include "GammaDlg.h"
#include "ListPanelAccess.h"
#include "LayoutData.h"
#include "MainFrm.h"
#include "PannexDoc.h"
#include "DialogLabels.h"
#include "PannexLabels.h"
#include "SelPortDlg.h"

namespace {

CString Number(int value)
{
    CString text;
    text.Format(L"%d", value);
    return text;
}

CString CurveText(int curve)
{
    return curve == 0 ? LangTextOr(L"LAYOUT", 2619, L"默认") : Number(curve);
}

} // namespace

CLayoutData* ActiveLayoutModel()
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    CPannexDoc* doc = frame != nullptr ? frame->GetPannexDoc() : nullptr;
    return doc != nullptr ? &doc->GetLayout() : nullptr;
}

BEGIN_MESSAGE_MAP(CAdjustDlg, CDialogEx)
ON_WM_SHOWWINDOW()
ON_BN_CLICKED(IDC_ADJ_SELECT_ALL, OnSelectAll)
ON_BN_CLICKED(IDC_ADJ_DESELECT, OnDeselectAll)
ON_BN_CLICKED(IDC_ADJ_INTERVAL, OnInterval)
ON_BN_CLICKED(IDC_ADJ_INVERT, OnInvert)
ON_BN_CLICKED(IDC_ADJ_QUICK_EDIT, OnQuickEdit)
ON_BN_CLICKED(IDC_ADJ_SELECT_SET, OnSelectSet)
ON_BN_CLICKED(IDC_ADJ_COPY, OnCopy)
ON_BN_CLICKED(IDC_ADJ_PASTE, OnPaste)
ON_BN_CLICKED(IDC_ADJ_SET_BRIGHTNESS, OnSetBrightness)
ON_BN_CLICKED(IDC_ADJ_SET_CURVE, OnSetCurve)
ON_CBN_SELCHANGE(IDC_ADJ_CURVE, OnCurveChanged)
ON_BN_CLICKED(IDC_ADJ_ADD_CURVE, OnAddCurve)
ON_BN_CLICKED(IDC_ADJ_EDIT_CURVE, OnEditCurve)
ON_BN_CLICKED(IDC_ADJ_APPLY_OTHERS, OnApplyOthers)
END_MESSAGE_MAP()

CAdjustDlg::CAdjustDlg(CWnd* parent)
    : CDialogEx(IDD_ADJUST, parent)
{
}

BOOL CAdjustDlg::CreateHidden(CWnd* parent)
{
    return Create(IDD_ADJUST, parent);
}

void CAdjustDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ADJ_LIST, m_listChannels);
    DDX_Text(pDX, IDC_ADJ_GAP, m_nInterval);
    DDX_Text(pDX, IDC_ADJ_COEFFICIENT, m_nCoefficient);
    DDX_Control(pDX, IDC_ADJ_CURVE, m_cbCurve);
}

BOOL CAdjustDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this,
        { { 0, 2690 }, { IDC_ADJ_SELECT_ALL, 2691 }, { IDC_ADJ_DESELECT, 2692 }, { IDC_ADJ_INTERVAL, 2693 },
            { IDC_ADJ_INVERT, 2694 }, { IDC_ADJ_QUICK_EDIT, 2695 }, { IDC_ADJ_SELECT_SET, 2696 },
            { IDC_ADJ_COPY, 2697 }, { IDC_ADJ_PASTE, 2698 }, { IDC_ADJ_APPLY_OTHERS, 2699 },
            { IDC_ADJ_GAP_LABEL, 2700 }, { IDC_ADJ_BRIGHT_GROUP, 2701 }, { IDC_ADJ_COEFF_LABEL, 2702 },
            { IDC_ADJ_SET_BRIGHTNESS, 2703 }, { IDC_ADJ_GAMMA_GROUP, 2704 }, { IDC_ADJ_CURVE_LABEL, 2705 },
            { IDC_ADJ_ADD_CURVE, 2706 }, { IDC_ADJ_EDIT_CURVE, 2707 }, { IDC_ADJ_SET_CURVE, 2703 } });
    m_listChannels.ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
    m_listChannels.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    m_listChannels.InsertColumn(0, LangTextOr(L"LAYOUT", 2708, L"通道"), LVCFMT_LEFT, 100);
    m_listChannels.InsertColumn(1, LangTextOr(L"LAYOUT", 2702, L"调整系数(%)"), LVCFMT_LEFT, 100);
    m_listChannels.InsertColumn(2, LangTextOr(L"LAYOUT", 2709, L"Gamma曲线"), LVCFMT_LEFT, 100);
    m_dlgQuickEdit.m_pOwner = this;
    m_dlgQuickEdit.Create(IDD_FROM_TO_PIX, this);
    return TRUE;
}

void CAdjustDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialogEx::OnShowWindow(bShow, nStatus);
    if (bShow)
        FillCurveCombo();
    else if (m_dlgQuickEdit.GetSafeHwnd() != nullptr) {
        m_dlgQuickEdit.ShowWindow(SW_HIDE);
    }
}

void CAdjustDlg::FillCurveCombo()
{
    if (m_cbCurve.GetSafeHwnd() == nullptr)
        return;
    m_cbCurve.ResetContent();
    m_cbCurve.AddString(LangTextOr(L"LAYOUT", 2619, L"默认"));
    const int count = std::clamp(GammaCurveTables.m_count, 0, kMaxUserCurves);
    for (int curve = 1; curve <= count; ++curve)
        m_cbCurve.AddString(Number(curve));
    m_cbCurve.SetCurSel(0);
    OnCurveChanged();
}

void CAdjustDlg::OnCancel()
{
    if (m_dlgQuickEdit.GetSafeHwnd() != nullptr)
        m_dlgQuickEdit.ShowWindow(SW_HIDE);
    ShowWindow(SW_HIDE);
}

LayoutPort* CAdjustDlg::ResolvePort(int index) const
{
    CLayoutData* model = ActiveLayoutModel();
    if (model == nullptr || !model->IsValidPort(index))
        return nullptr;
    LayoutPort& port = model->GetPort(index);
    EnsureAdjustmentTables(port);
    return &port;
}

void CAdjustDlg::WriteRow(int row, const LayoutPort& port)
{
    m_listChannels.SetItemText(row, 1, Number(port.m_brightness[static_cast<size_t>(row)]));
    m_listChannels.SetItemText(row, 2, CurveText(port.m_gamma[static_cast<size_t>(row)]));
}

int CAdjustDlg::UsableRows(const LayoutPort& port) const
{
    return std::min(GetRowCount(), AdjustmentRowCount(port));
}

void CAdjustDlg::LoadPort(int port)
{
    if (ActiveLayoutModel() == nullptr || m_listChannels.GetSafeHwnd() == nullptr)
        return;
    m_nPort = port;
    m_listChannels.SendMessage(WM_SETREDRAW, FALSE);
    m_listChannels.DeleteAllItems();
    if (const LayoutPort* shown = ResolvePort(port)) {
        const int rows = AdjustmentRowCount(*shown);
        for (int row = 0; row < rows; ++row) {
            m_listChannels.InsertItem(row, Number(row + 1));
            WriteRow(row, *shown);
        }
    }
    m_listChannels.SendMessage(WM_SETREDRAW, TRUE);
    m_listChannels.Invalidate();
}

void CAdjustDlg::OnPortsRestructured()
{
    if (m_bChanging)
        return;
    if (ResolvePort(m_nCopyPort) == nullptr)
        m_nCopyPort = -1;
    const LayoutPort* shown = ResolvePort(m_nPort);
    if (shown == nullptr) {
        m_nPort = -1;
        if (m_listChannels.GetSafeHwnd() != nullptr)
            m_listChannels.DeleteAllItems();
        return;
    }
    if (AdjustmentRowCount(*shown) != GetRowCount()) {
        LoadPort(m_nPort);
        return;
    }
    for (int row = 0; row < GetRowCount(); ++row)
        WriteRow(row, *shown);
}

void CAdjustDlg::CheckRange(int from, int to)
{
    CheckRowRange(m_listChannels, from, to);
}

void CAdjustDlg::PortChanged(int index)
{
    LayoutPort* port = ResolvePort(index);
    if (port == nullptr)
        return;
    UpdateAdjustedFlag(*port);
    // The tables are stored with the layout.
    if (CLayoutData* model = ActiveLayoutModel())
        model->m_modified = 1;
    if (m_onPortChanged) {
        m_onPortChanged(index);
        return;
    }
    // The tree shows the adjusted ports with their own label.
    m_bChanging = true;
    RebuildListPanelTree();
    SelectPortInListPanel(m_nPort);
    m_bChanging = false;
}

void CAdjustDlg::SetBrightnessOfChecked(int percent)
{
    LayoutPort* port = ResolvePort(m_nPort);
    if (port == nullptr)
        return;
    // The table holds one byte per channel.
    const BYTE value = static_cast<BYTE>(std::clamp(percent, 0, 255));
    const int rows = UsableRows(*port);
    for (int row = 0; row < rows; ++row) {
        if (m_listChannels.GetCheck(row)) {
            port->m_brightness[static_cast<size_t>(row)] = value;
            WriteRow(row, *port);
        }
    }
    PortChanged(m_nPort);
}

void CAdjustDlg::SetCurveOfChecked(int curve)
{
    LayoutPort* port = ResolvePort(m_nPort);
    if (port == nullptr || curve < 0 || curve > kMaxUserCurves)
        return;
    const int rows = UsableRows(*port);
    for (int row = 0; row < rows; ++row) {
        if (m_listChannels.GetCheck(row)) {
            port->m_gamma[static_cast<size_t>(row)] = static_cast<BYTE>(curve);
            WriteRow(row, *port);
        }
    }
    PortChanged(m_nPort);
}

void CAdjustDlg::SelectSetChannels()
{
    const LayoutPort* port = ResolvePort(m_nPort);
    if (port == nullptr)
        return;
    const int rows = UsableRows(*port);
    for (int row = 0; row < rows; ++row) {
        if (port->m_brightness[static_cast<size_t>(row)] != 100)
            m_listChannels.SetCheck(row, TRUE);
    }
}

void CAdjustDlg::CopyPort()
{
    m_nCopyPort = ResolvePort(m_nPort) != nullptr ? m_nPort : -1;
}

bool CAdjustDlg::PastePort()
{
    LayoutPort* source = ResolvePort(m_nCopyPort);
    LayoutPort* target = ResolvePort(m_nPort);
    if (source == nullptr || target == nullptr || m_nCopyPort == m_nPort)
        return false;
    if (AfxGetUiHost().MessageBox(GetSafeHwnd(), LangTextOr(L"LAYOUT", 2669, L"确定粘贴?"), L"Tip", MB_YESNO) != IDYES)
        return false;
    target->m_brightness = source->m_brightness;
    target->m_gamma = source->m_gamma;
    const int rows = UsableRows(*target);
    for (int row = 0; row < rows; ++row)
        WriteRow(row, *target);
    PortChanged(m_nPort);
    return true;
}

void CAdjustDlg::ApplyToPorts(const std::vector<int>& ports)
{
    const LayoutPort* shown = ResolvePort(m_nPort);
    if (shown == nullptr)
        return;
    const int rows = UsableRows(*shown);
    for (int index : ports) {
        LayoutPort* other = ResolvePort(index);
        if (other == nullptr || other == shown)
            continue;
        for (int row = 0; row < rows; ++row) {
            if (m_listChannels.GetCheck(row)) {
                other->m_brightness[static_cast<size_t>(row)] = shown->m_brightness[static_cast<size_t>(row)];
                other->m_gamma[static_cast<size_t>(row)] = shown->m_gamma[static_cast<size_t>(row)];
            }
        }
        PortChanged(index);
    }
    PortChanged(m_nPort);
}

void CAdjustDlg::OnSelectAll()
{
    AskCheckAll(*this, m_listChannels, true);
}

void CAdjustDlg::OnDeselectAll()
{
    AskCheckAll(*this, m_listChannels, false);
}

void CAdjustDlg::OnInterval()
{
    if (!UpdateData(TRUE))
        return;
    AskIntervalSelection(*this, m_listChannels, m_nInterval);
}

void CAdjustDlg::OnInvert()
{
    InvertRowChecks(m_listChannels);
}

void CAdjustDlg::OnQuickEdit()
{
    if (m_dlgQuickEdit.GetSafeHwnd() != nullptr)
        m_dlgQuickEdit.ShowWindow(SW_SHOW);
}

void CAdjustDlg::OnSelectSet()
{
    SelectSetChannels();
}

void CAdjustDlg::OnCopy()
{
    CopyPort();
}

void CAdjustDlg::OnPaste()
{
    PastePort();
}

void CAdjustDlg::OnSetBrightness()
{
    if (!UpdateData(TRUE))
        return;
    SetBrightnessOfChecked(m_nCoefficient);
}

void CAdjustDlg::OnSetCurve()
{
    SetCurveOfChecked(std::max(m_cbCurve.GetCurSel(), 0));
}

void CAdjustDlg::OnCurveChanged()
{
    if (CWnd* edit = GetDlgItem(IDC_ADJ_EDIT_CURVE))
        edit->EnableWindow(m_cbCurve.GetCurSel() > 0 ? TRUE : FALSE);
}

void CAdjustDlg::OnAddCurve()
{
    if (GammaCurveTables.m_count >= kMaxUserCurves)
        return;
    CGammaDlg dlg(this);
    dlg.m_curveNumber = 0;
    if (dlg.DoModal() != IDOK)
        return;
    ++GammaCurveTables.m_count;
    const int entry = m_cbCurve.AddString(Number(GammaCurveTables.m_count));
    m_cbCurve.SetCurSel(entry);
    OnCurveChanged();
    if (CLayoutData* model = ActiveLayoutModel())
        model->m_modified = 1;
}

void CAdjustDlg::OnEditCurve()
{
    const int curve = m_cbCurve.GetCurSel();
    if (curve <= 0)
        return;
    CGammaDlg dlg(this);
    dlg.m_curveNumber = curve;
    if (dlg.DoModal() == IDOK) {
        if (CLayoutData* model = ActiveLayoutModel())
            model->m_modified = 1;
    }
}

void CAdjustDlg::OnApplyOthers()
{
    std::vector<int> ports;
    if (m_choosePorts) {
        if (!m_choosePorts(*this, ports))
            return;
    } else {
        CSelPortDlg choose(this);
        if (choose.DoModal() != IDOK)
            return;
        for (INT_PTR i = 0; i < choose.m_selectedPorts.GetSize(); ++i)
            ports.push_back(choose.m_selectedPorts[i]);
    }
    ApplyToPorts(ports);
}
