// The controller count dialog (see SetCardNumDlg.h).
#include "SetCardNumDlg.h"

#include "DialogLabels.h"
#include "ListPanelResource.h"

IMPLEMENT_DYNAMIC(CSetCardNumDlg, CDialogEx)

CSetCardNumDlg::CSetCardNumDlg(CWnd* pParent)
    : CDialogEx(IDD_SET_CARD_NUM, pParent)
{
}

void CSetCardNumDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CARD_FIRST, m_nCount);
    DDV_MinMaxInt(pDX, m_nCount, 0, m_nMaxCount);
}

BOOL CSetCardNumDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this, { { IDC_CARD_GROUP, 87 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    return TRUE;
}
