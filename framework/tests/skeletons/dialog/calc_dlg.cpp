// The dialog skeleton program's classes.
#include "calc_dlg.h"

BEGIN_MESSAGE_MAP(CCalcDlg, CDialogEx)
ON_BN_CLICKED(IDC_COMPUTE, OnCompute)
ON_CBN_SELCHANGE(IDC_OP, OnSelChangeOp)
END_MESSAGE_MAP()

BOOL CCalcDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_cbOp.AddString(L"+");
    m_cbOp.AddString(L"-");
    m_cbOp.AddString(L"*");
    m_cbOp.SetCurSel(m_nOp);
    return TRUE;
}

void CCalcDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OP, m_cbOp);
    DDX_Text(pDX, IDC_A, m_nA);
    DDV_MinMaxInt(pDX, m_nA, -1000, 1000);
    DDX_Text(pDX, IDC_B, m_nB);
    DDV_MinMaxInt(pDX, m_nB, -1000, 1000);
    if (m_cbOp.GetCount() > 0)
        DDX_CBIndex(pDX, IDC_OP, m_nOp);
    DDX_Check(pDX, IDC_NEGATE, m_bNegate);
    DDX_Radio(pDX, IDC_FMT_DEC, m_nFormat);
}

int CCalcDlg::Compute() const
{
    int r = m_nOp == 0 ? m_nA + m_nB : m_nOp == 1 ? m_nA - m_nB : m_nA * m_nB;
    return m_bNegate ? -r : r;
}

void CCalcDlg::OnCompute()
{
    if (!UpdateData(TRUE))
        return;
    m_nComputed = Compute();
    CString text;
    text.Format(m_nFormat == 1 ? L"0x%X" : L"%d", m_nComputed);
    SetDlgItemText(IDC_RESULT, text);
}

void CCalcDlg::OnSelChangeOp()
{
    m_nOp = m_cbOp.GetCurSel();
}

BOOL CCalcApp::InitInstance()
{
    CCalcDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // A dialog program ends with its dialog.
    return FALSE;
}
