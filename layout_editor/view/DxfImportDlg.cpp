// The DXF import options dialog (see DxfImportDlg.h).
#include "DxfImportDlg.h"

#include "DialogLabels.h"
#include "PannexLabels.h"

BEGIN_MESSAGE_MAP(CLoadDxfDlg, CDialogEx)
ON_BN_CLICKED(IDC_DXF_3D, On3DClicked)
ON_BN_CLICKED(IDC_DXF_ENDPOINT, OnEndpointClicked)
ON_CBN_SELCHANGE(IDC_DXF_PRECISION, OnPrecisionChanged)
END_MESSAGE_MAP()

CLoadDxfDlg::CLoadDxfDlg(CWnd* parent)
    : CDialogEx(IDD_LOAD_DXF, parent)
{
}

void CLoadDxfDlg::SetOptions(const DxfImportOptions& options, int alignToGrid)
{
    m_threeD = options.threeD;
    m_threeDView = options.threeDView;
    m_removeColumnGaps = options.removeColumnGaps;
    m_scaleToPage = options.scaleToPage;
    m_radiusBasis = options.radiusBasis;
    m_overlap = options.overlap;
    m_strFactor.Format(L"%.2f", options.factor);
    m_alignToGrid = alignToGrid;
}

void CLoadDxfDlg::GetOptions(DxfImportOptions& options, int& alignToGrid) const
{
    options.threeD = m_threeD;
    options.threeDView = m_threeDView;
    options.removeColumnGaps = m_removeColumnGaps;
    options.scaleToPage = m_scaleToPage;
    options.radiusBasis = m_radiusBasis;
    options.overlap = m_overlap;
    options.factor = _wtof(m_strFactor.GetString());
    alignToGrid = m_alignToGrid;
}

void CLoadDxfDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_DXF_ENDPOINT, m_endpointMode);
    DDX_Check(pDX, IDC_DXF_ALIGN, m_alignToGrid);
    DDX_Control(pDX, IDC_DXF_3D_VIEW, m_cb3DView);
    DDX_Check(pDX, IDC_DXF_3D, m_threeD);
    DDX_Check(pDX, IDC_DXF_NO_GAPS, m_removeColumnGaps);
    DDX_Check(pDX, IDC_DXF_SCALE_PAGE, m_scaleToPage);
    DDX_Control(pDX, IDC_DXF_RADIUS, m_cbRadius);
    DDX_Check(pDX, IDC_DXF_OVERLAP, m_overlap);
    DDX_Control(pDX, IDC_DXF_PRECISION, m_cbPrecision);
    DDX_Text(pDX, IDC_DXF_FACTOR, m_strFactor);
}

BOOL CLoadDxfDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this,
        { { 0, 2626 }, { IDC_DXF_OPTION_GROUP, 2610 }, { IDC_DXF_ENDPOINT, 105 }, { IDC_DXF_ALIGN, 2611 },
            { IDC_DXF_3D, 2623 }, { IDC_DXF_NO_GAPS, 2624 }, { IDC_DXF_SCALE_PAGE, 2625 }, { IDC_DXF_OVERLAP, 2612 },
            { IDC_DXF_RADIUS_LABEL, 2613 }, { IDC_DXF_PRECISION_LABEL, 2614 }, { IDC_DXF_FACTOR_LABEL, 2615 },
            { IDOK, 91 }, { IDCANCEL, 92 } });

    m_cb3DView.ResetContent();
    m_cb3DView.AddString(LangTextOr(L"LAYOUT", 2621, L"前视"));
    m_cb3DView.AddString(LangTextOr(L"LAYOUT", 2622, L"俯视"));
    m_cb3DView.SetCurSel(m_threeDView);
    Enable3D(m_threeD != 0);

    m_cbRadius.ResetContent();
    m_cbRadius.AddString(LangTextOr(L"LAYOUT", 2616, L"以首点半径为基准"));
    m_cbRadius.AddString(LangTextOr(L"LAYOUT", 2617, L"以最小半径为基准"));
    m_cbRadius.AddString(LangTextOr(L"LAYOUT", 2618, L"以最大半径为基准"));
    m_cbRadius.SetCurSel(m_radiusBasis);

    // The combo always opens on the default precision, whatever the member
    // holds: the member changes only when the user picks an entry.
    m_cbPrecision.ResetContent();
    m_cbPrecision.AddString(LangTextOr(L"LAYOUT", 2619, L"默认"));
    m_cbPrecision.AddString(LangTextOr(L"LAYOUT", 2620, L"高精度"));
    m_cbPrecision.SetCurSel(0);
    m_cbPrecision.EnableWindow(m_endpointMode == 0);
    return TRUE;
}

void CLoadDxfDlg::Enable3D(bool on)
{
    for (int id : { IDC_DXF_3D_VIEW, IDC_DXF_NO_GAPS, IDC_DXF_SCALE_PAGE }) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(on ? TRUE : FALSE);
    }
    if (CWnd* endpoint = GetDlgItem(IDC_DXF_ENDPOINT))
        endpoint->EnableWindow(on ? FALSE : TRUE);
    if (on) {
        m_endpointMode = 1;
        UpdateData(FALSE);
    }
}

void CLoadDxfDlg::On3DClicked()
{
    UpdateData(TRUE);
    Enable3D(m_threeD != 0);
}

void CLoadDxfDlg::OnEndpointClicked()
{
    UpdateData(TRUE);
    m_cbPrecision.EnableWindow(m_endpointMode == 0);
}

void CLoadDxfDlg::OnPrecisionChanged()
{
    m_precision = m_cbPrecision.GetCurSel() == 1 ? kDxfPrecisionHigh : kDxfPrecisionDefault;
}

void CLoadDxfDlg::OnOK()
{
    // An entry is always selected; a value the combo could not show stays.
    if (m_cb3DView.GetCurSel() >= 0)
        m_threeDView = m_cb3DView.GetCurSel();
    if (m_cbRadius.GetCurSel() >= 0)
        m_radiusBasis = m_cbRadius.GetCurSel();
    CDialogEx::OnOK();
}
