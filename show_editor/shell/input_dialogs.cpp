// The text and number input dialogs.
#include "input_dialogs.h"

IMPLEMENT_DYNAMIC(CDlgInputString, CDialog)

CDlgInputString::CDlgInputString(CWnd* parent)
    : CDialog(IDD_INPUT_STRING, parent)
{
}

void CDlgInputString::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_IS_TEXT, m_text);
}

BOOL CDlgInputString::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_caption);
    if (!m_okText.IsEmpty())
        SetDlgItemText(IDOK, m_okText);
    if (!m_cancelText.IsEmpty())
        SetDlgItemText(IDCANCEL, m_cancelText);
    return TRUE;
}

void CDlgInputString::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_text.IsEmpty()) {
        AfxGetUiHost().MessageBox(m_hWnd, m_emptyText, nullptr, MB_OK);
        return;
    }
    EndDialog(IDOK);
}

IMPLEMENT_DYNAMIC(CNumberInputDlg, CDialog)

CNumberInputDlg::CNumberInputDlg(CWnd* parent)
    : CDialog(IDD_NUMBER_INPUT, parent)
{
}

void CNumberInputDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NI_SPIN, m_spin);
    DDX_Text(pDX, IDC_NI_VALUE, m_value);
}

BOOL CNumberInputDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_spin.SetRange32(0, 255);
    m_spin.SetBuddy(GetDlgItem(IDC_NI_VALUE));
    m_spin.SetPos32(m_value);
    // The spin button keeps its position within its range; the edit shows
    // the value itself.
    UpdateData(FALSE);
    return TRUE;
}

void CNumberInputDlg::OnOK()
{
    // A text that is not a number gets the framework's own message and the
    // dialog stays open.
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}
