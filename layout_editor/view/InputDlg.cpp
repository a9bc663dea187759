// The one-line input dialog (see InputDlg.h).
#include "InputDlg.h"

#include "ListPanelResource.h"

IMPLEMENT_DYNAMIC(CInputDlg, CDialogEx)

CInputDlg::CInputDlg(CWnd* pParent)
    : CDialogEx(IDD_INPUT, pParent)
{
}

void CInputDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_INPUT_VALUE, m_strValue);
}

BOOL CInputDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetDlgItemText(IDC_INPUT_PROMPT, m_strPrompt);
    return TRUE;
}
