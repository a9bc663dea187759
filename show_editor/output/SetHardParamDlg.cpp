// The chip parameter page.
#include "SetHardParamDlg.h"

#include "HardwareConfig.h"

CSetHardParamDlg::CSetHardParamDlg()
    : CDialog(IDD_CHIP_PAGE)
{
}

BOOL CSetHardParamDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pConfig != nullptr)
        SetDlgItemTextW(IDC_CP_CHIP, m_pConfig->ChipName);
    return TRUE;
}

void CSetHardParamDlg::CollectHardParams() { }
