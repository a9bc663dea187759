// The DXF export dialog (see ExportDxfDlg.h).
#include "ExportDxfDlg.h"

#include <afxdlgs.h>
#include <fw_uihost.h>

#include "DialogLabels.h"
#include "PannexLabels.h"

IMPLEMENT_DYNAMIC(CExportDxfDlg, CDialogEx)

BEGIN_MESSAGE_MAP(CExportDxfDlg, CDialogEx)
ON_BN_CLICKED(IDC_EXPORT_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CExportDxfDlg::CExportDxfDlg(CWnd* parent)
    : CDialogEx(IDD_EXPORT_DXF, parent)
{
}

CExportDxfDlg::~CExportDxfDlg() = default;

void CExportDxfDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EXPORT_PATH, m_strPath);
    DDX_Check(pDX, IDC_EXPORT_NUMBERS, m_lampNumbers);
}

BOOL CExportDxfDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this,
        { { 0, 2630 }, { IDC_EXPORT_PATH_LABEL, 2631 }, { IDC_EXPORT_NUMBERS, 2632 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    return TRUE;
}

void CExportDxfDlg::OnBrowse()
{
    CFileDialog save(
        FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"Dized Udavivi Files(*.dxf)|*.dxf||", this);
    if (save.DoModal() != IDOK)
        return;
    m_strPath = save.GetPathName();
    SetDlgItemText(IDC_EXPORT_PATH, m_strPath);
}

void CExportDxfDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strPath.IsEmpty()) {
        AfxGetUiHost().MessageBox(GetSafeHwnd(), LangTextOr(L"LAYOUT", 2633, L"请选择输出文件"), L"tip", MB_OK);
        return;
    }
    EndDialog(IDOK);
}
