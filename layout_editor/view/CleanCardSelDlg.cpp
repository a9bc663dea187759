// The clear-wiring range dialog (see CleanCardSelDlg.h).
#include "CleanCardSelDlg.h"

#include <algorithm>

#include "DialogLabels.h"
#include "ListPanelResource.h"
#include "TextHelpers.h"

IMPLEMENT_DYNAMIC(CCleanCardSelDlg, CDialogEx)

BEGIN_MESSAGE_MAP(CCleanCardSelDlg, CDialogEx)
ON_NOTIFY(UDN_DELTAPOS, IDC_CARD_FIRST_SPIN, OnDeltaFirst)
ON_NOTIFY(UDN_DELTAPOS, IDC_CARD_SECOND_SPIN, OnDeltaLast)
END_MESSAGE_MAP()

CCleanCardSelDlg::CCleanCardSelDlg(CWnd* pParent)
    : CDialogEx(IDD_CLEAN_CARD_SEL, pParent)
{
}

void CCleanCardSelDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CARD_FIRST, m_nFirst);
    DDV_MinMaxInt(pDX, m_nFirst, 1, m_nCount);
    DDX_Text(pDX, IDC_CARD_SECOND, m_nLast);
    DDV_MinMaxInt(pDX, m_nLast, m_nFirst, m_nCount);
}

BOOL CCleanCardSelDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this,
        { { IDC_CARD_GROUP, 88 }, { IDC_CARD_LABEL, 89 }, { IDC_CARD_TO, 992 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    return TRUE;
}

void CCleanCardSelDlg::ReadEdits()
{
    CString text;
    GetDlgItemText(IDC_CARD_FIRST, text);
    m_nFirst = WideTextToInt(text);
    GetDlgItemText(IDC_CARD_SECOND, text);
    m_nLast = WideTextToInt(text);
}

void CCleanCardSelDlg::WriteEdits()
{
    CString text;
    text.Format(L"%d", m_nFirst);
    SetDlgItemText(IDC_CARD_FIRST, text);
    text.Format(L"%d", m_nLast);
    SetDlgItemText(IDC_CARD_SECOND, text);
}

void CCleanCardSelDlg::StepFirst(int delta)
{
    ReadEdits();
    if (delta == 1)
        m_nFirst = std::max(m_nFirst - 1, 1);
    else if (delta == -1)
        m_nFirst = std::min(m_nFirst + 1, m_nLast);
    WriteEdits();
}

void CCleanCardSelDlg::StepLast(int delta)
{
    ReadEdits();
    if (delta == 1)
        m_nLast = std::max(m_nLast - 1, m_nFirst);
    else if (delta == -1)
        m_nLast = std::min(m_nLast + 1, m_nCount);
    WriteEdits();
}

void CCleanCardSelDlg::OnDeltaFirst(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepFirst(reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta);
    *pResult = 0;
}

void CCleanCardSelDlg::OnDeltaLast(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepLast(reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta);
    *pResult = 0;
}
