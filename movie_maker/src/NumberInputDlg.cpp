// The duration input dialog.
#include "NumberInputDlg.h"
#include "QuorraResource.h"

namespace quorra {

CNumberInputDlg::CNumberInputDlg(CWnd* pParent)
    : CDialog(IDD_NUMBER_INPUT, pParent)
{
}

BOOL CNumberInputDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND spin = ::GetDlgItem(GetSafeHwnd(), IDC_NUMBER_SPIN);
    ::SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(::GetDlgItem(GetSafeHwnd(), IDC_NUMBER_EDIT)), 0);
    ::SendMessageW(spin, UDM_SETRANGE32, 1, 9999);
    ::SendMessageW(spin, UDM_SETPOS32, 0, m_nValue);
    SetDlgItemInt(IDC_NUMBER_EDIT, static_cast<UINT>(m_nValue), TRUE);
    return TRUE;
}

void CNumberInputDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NUMBER_EDIT, m_nValue);
    DDV_MinMaxInt(pDX, m_nValue, 1, 9999);
}

} // namespace quorra
