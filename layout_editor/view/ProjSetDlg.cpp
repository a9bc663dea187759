// The project settings dialog (see ProjSetDlg.h).
#include "ProjSetDlg.h"

#include <commctrl.h>
#include <fw_langtext.h>
#include <fw_uihost.h>

#include "ControllerType.h"
#include "DialogLabels.h"
#include "LayoutLangText.h"
#include "LayoutLimits.h"
#include "MainFrm.h"
#include "PannexView.h"
#include "ProjectSetup.h"

void ShowSolvaneMessage(int key)
{
    AfxGetUiHost().MessageBox(AfxSafeHwnd(AfxGetMainWnd()), GetLangText(L"LAYOUT", key), L"Solvane", MB_OK);
}

IMPLEMENT_DYNAMIC(CProjSetDlg, CDialogEx)

BEGIN_MESSAGE_MAP(CProjSetDlg, CDialogEx)
ON_NOTIFY(UDN_DELTAPOS, IDC_PS_COUNT_SPIN, OnCountSpin)
ON_CBN_SELCHANGE(IDC_PS_CHIP, OnLampChipChanged)
ON_STN_CLICKED(IDC_PS_SWATCH, OnSwatchClicked)
END_MESSAGE_MAP()

CProjSetDlg::CProjSetDlg(CWnd* parent)
    : CDialogEx(IDD_PROJECT_SETTINGS, parent)
{
}

void CProjSetDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PS_TYPE, m_cbControllerType);
    DDX_Control(pDX, IDC_PS_FORMAT, m_cbLampFormat);
    DDX_Control(pDX, IDC_PS_CHIP, m_cbLampChip);
    DDX_Control(pDX, IDC_PS_SWATCH, m_swatch);
    DDX_Control(pDX, IDC_PS_OFFSET, m_cbDataOffset);
    DDX_Text(pDX, IDC_PS_WIDTH, m_nWidth);
    DDX_Text(pDX, IDC_PS_HEIGHT, m_nHeight);
    DDX_Check(pDX, IDC_PS_SHOW_GRID, m_bShowGrid);
    DDX_Check(pDX, IDC_PS_OVERLAP, m_bOverlap);
    DDX_Check(pDX, IDC_PS_ALLOW_MAX, m_bAllowMax);
    DDX_Text(pDX, IDC_PS_TYPE, m_strControllerType);
    DDX_CBString(pDX, IDC_PS_FORMAT, m_strLampFormat);
    DDX_Text(pDX, IDC_PS_COUNT, m_nControllers);
    DDX_Check(pDX, IDC_PS_ALIGN, m_bAlignToGrid);
    DDX_Check(pDX, IDC_PS_SCALE, m_bScaleToPage);
    DDX_Check(pDX, IDC_PS_SHOW_XY, m_bShowXY);
    DDX_Check(pDX, IDC_PS_RANDOM_COLOURS, m_bRandomColours);
    DDX_Check(pDX, IDC_PS_DOUBLE_SIDED, m_bDoubleSided);
    DDX_Text(pDX, IDC_PS_OFFSET, m_strOffsetText);
    DDX_Check(pDX, IDC_PS_WIRE_DIRECTLY, m_bWireDirectly);
    DDX_Check(pDX, IDC_PS_MANUAL_TRACING, m_bManualTracing);
}

BOOL CProjSetDlg::OnInitDialog()
{
    // The lists and the offset text go in before the base exchange shows
    // the members.
    const CString unit = GetLangText(L"LAYOUT", 197);
    m_strOffsetText.Format(L"%d%s", m_nDataOffset, unit.GetString());
    m_cbControllerType.SubclassDlgItem(IDC_PS_TYPE, this);
    m_cbLampFormat.SubclassDlgItem(IDC_PS_FORMAT, this);
    m_cbLampChip.SubclassDlgItem(IDC_PS_CHIP, this);
    m_cbDataOffset.SubclassDlgItem(IDC_PS_OFFSET, this);
    for (int i = 0; i < m_controllerTypes.GetSize(); ++i)
        m_cbControllerType.AddString(m_controllerTypes.GetAt(i));
    for (int i = 0; i < m_lampFormats.GetSize(); ++i)
        m_cbLampFormat.AddString(m_lampFormats.GetAt(i));
    m_cbLampChip.AddString(GetLangText(L"TITLE", 275));
    m_cbLampChip.AddString(L"MBI5042");
    m_cbLampChip.SetCurSel(m_nLampChip & 0xFF);
    for (int offset = 0; offset <= 10; ++offset) {
        CString entry;
        entry.Format(L"%d%s", offset, unit.GetString());
        m_cbDataOffset.AddString(entry);
    }
    m_swatch.m_crColour = m_crColour;
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this,
        { { 0, 13 }, { IDC_PS_PAGE_GROUP, 76 }, { IDC_PS_WIDTH_LABEL, 77 }, { IDC_PS_HEIGHT_LABEL, 78 },
            { IDC_PS_SHOW_GRID, 79 }, { IDC_PS_OVERLAP, 80 }, { IDC_PS_ALLOW_MAX, 81 }, { IDC_PS_CONTROLLER_GROUP, 82 },
            { IDC_PS_TYPE_LABEL, 83 }, { IDC_PS_FORMAT_LABEL, 84 }, { IDC_PS_COUNT_LABEL, 85 }, { IDC_PS_ALIGN, 184 },
            { IDC_PS_SCALE, 185 }, { IDC_PS_RANDOM_COLOURS, 194 }, { IDC_PS_DOUBLE_SIDED, 195 },
            { IDC_PS_OFFSET_LABEL, 196 }, { IDC_PS_WIRE_DIRECTLY, 966 }, { IDC_PS_MANUAL_TRACING, 967 }, { IDOK, 91 },
            { IDCANCEL, 92 } });
    const CString chip = GetLangText(L"TITLE", 100);
    if (!chip.IsEmpty())
        SetDlgItemText(IDC_PS_CHIP_LABEL, chip);
    if (m_swatch.GetSafeHwnd() != nullptr)
        m_swatch.Invalidate();
    return TRUE;
}

void CProjSetDlg::OnCountSpin(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* change = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
    *pResult = 1;
    if (!UpdateData(TRUE))
        return;
    // The control's default range runs from 100 down to 0: +1 is a step down.
    if (change->iDelta > 0 && m_nControllers > 1)
        --m_nControllers;
    else if (change->iDelta < 0)
        ++m_nControllers;
    UpdateData(FALSE);
}

void CProjSetDlg::OnLampChipChanged()
{
    m_nLampChip = m_cbLampChip.GetCurSel();
}

void CProjSetDlg::OnSwatchClicked()
{
    if (m_swatch.ChooseColor() != IDOK)
        return;
    m_crColour = m_swatch.m_crColour;
    // The grid dots take the colour at once, whatever the dialog's end.
    CMainFrame* frame = GetPannexFrame();
    if (CPannexView* view = frame != nullptr ? frame->GetPannexView() : nullptr) {
        view->m_settings.m_swatchColour = m_crColour;
        view->Redraw();
    }
}

SettingsOkStart ReadSettingsForOk(
    CDialog& dlg, CComboBox& lampFormat, const CString& controllerType, ControllerTypeValues& type)
{
    CString format;
    lampFormat.GetWindowText(format);
    if (format.IsEmpty()) {
        ShowSolvaneMessage(183);
        dlg.EndDialog(IDCANCEL);
        return SettingsOkStart::Cancelled;
    }
    if (!dlg.UpdateData(TRUE))
        return SettingsOkStart::Stay;
    type = ParseControllerType(controllerType, GetLangText(L"LAYOUT", 169), GetLangText(L"LAYOUT", 170));
    // A type that parses must give ports and channels the set-up can
    // divide by and allocate; one that does not parse is told about later.
    if (type.ok && (type.ports < 1 || type.ports > kMaxPortsPerController || type.channels < 1))
        return SettingsOkStart::TypeRefused;
    return SettingsOkStart::Read;
}

void CProjSetDlg::OnOK()
{
    ControllerTypeValues type;
    const SettingsOkStart start = ReadSettingsForOk(*this, m_cbLampFormat, m_strControllerType, type);
    if (start == SettingsOkStart::Cancelled || start == SettingsOkStart::Stay)
        return;
    if (start == SettingsOkStart::Read && !type.ok && m_bNeedReadableType) {
        ShowSolvaneMessage(171);
        return;
    }
    if (start == SettingsOkStart::TypeRefused || m_nWidth < 1 || m_nHeight < 1 || m_nWidth > kMaxLayoutSide
        || m_nHeight > kMaxLayoutSide || m_nControllers < 1
        || (type.ok && static_cast<long long>(type.ports) * m_nControllers > kMaxLayoutPorts)) {
        ShowSolvaneMessage(951);
        return;
    }
    if (!m_bScaleToPage && (m_nWidth < m_lampsExtent.cx || m_nHeight < m_lampsExtent.cy)) {
        AfxGetUiHost().MessageBox(AfxSafeHwnd(AfxGetMainWnd()),
            AfxLangTextWithNumbers(GetLangText(L"LAYOUT", 984), { m_lampsExtent.cx, m_lampsExtent.cy }), L"Solvane",
            MB_OK);
        return;
    }
    m_nDataOffset = ParsePortDataOffset(m_strOffsetText, GetLangText(L"LAYOUT", 197));
    m_bNewLampFormat = TakeChosenLampFormat(m_lampFormats, m_strLampFormat, m_bListStillDefault);
    EndDialog(IDOK);
}
