// The auto-save settings dialog (see AutoSaveDlg.h).
#include "AutoSaveDlg.h"

#include <afxdlgs.h>

#include "DialogLabels.h"

IMPLEMENT_DYNAMIC(CAutoSaveDlg, CDialogEx)

BEGIN_MESSAGE_MAP(CAutoSaveDlg, CDialogEx)
ON_BN_CLICKED(IDC_AUTO_SAVE_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CAutoSaveDlg::CAutoSaveDlg(CWnd* pParent)
    : CDialogEx(IDD_AUTO_SAVE, pParent)
{
}

BOOL CAutoSaveDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this,
        { { 0, 1000 }, { IDC_AUTO_SAVE_ENABLE, 1001 }, { IDC_AUTO_SAVE_MINUTES_LABEL, 1002 },
            { IDC_AUTO_SAVE_DEFAULT, 1003 }, { IDC_AUTO_SAVE_CHOSEN, 1004 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    return TRUE;
}

void CAutoSaveDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_AUTO_SAVE_DEFAULT, m_nTarget);
    DDX_Text(pDX, IDC_AUTO_SAVE_FILE, m_strFile);
    DDX_Check(pDX, IDC_AUTO_SAVE_ENABLE, m_bEnable);
    DDX_Text(pDX, IDC_AUTO_SAVE_MINUTES, m_nMinutes);
}

void CAutoSaveDlg::OnBrowse()
{
    if (!UpdateData(TRUE))
        return;
    CFileDialog dialog(
        TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"Dized Udavivi Files(*.lpx)|*.lpx||", this);
    if (dialog.DoModal() != IDOK)
        return;
    m_strFile = dialog.GetPathName();
    UpdateData(FALSE);
}
