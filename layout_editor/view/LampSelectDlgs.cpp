// Small lamp and format choosers (see LampSelectDlgs.h).
#include "LampSelectDlgs.h"

#include "AdjustDlg.h"
#include "LampTypeList.h"
#include "MainFrm.h"
#include "PannexDoc.h"
#include "DialogLabels.h"
#include "PannexLabels.h"

namespace {

CPannexDoc* ActiveLayoutDoc()
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    return frame != nullptr ? frame->GetPannexDoc() : nullptr;
}

} // namespace

// --- CSelectLightBarDlg --------------------------------------------------------

BEGIN_MESSAGE_MAP(CSelectLightBarDlg, CDialogEx)
ON_LBN_SELCHANGE(IDC_SLB_LIST, OnSelChange)
ON_LBN_DBLCLK(IDC_SLB_LIST, OnDblClk)
END_MESSAGE_MAP()

CSelectLightBarDlg::CSelectLightBarDlg(CWnd* parent)
    : CDialogEx(IDD_SELECT_LIGHT_BAR, parent)
{
}

void CSelectLightBarDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SLB_LIST, m_list);
}

BOOL CSelectLightBarDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this, { { 0, 2659 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    for (INT_PTR i = 0; i < LampTypeList.GetSize(); ++i)
        m_list.AddString(LampTypeList[i]);
    m_list.SetCurSel(m_nSelected);
    return TRUE;
}

void CSelectLightBarDlg::OnSelChange()
{
    m_nSelected = m_list.GetCurSel();
}

void CSelectLightBarDlg::OnDblClk()
{
    const int index = m_list.GetCurSel();
    if (index < 0)
        return;
    CShowLightBarDlg show(this);
    m_list.GetText(index, show.m_strText);
    show.DoModal();
}

void CSelectLightBarDlg::OnOK()
{
    // The choice changes the layout: without a layout there is nothing to
    // choose for.
    CPannexDoc* doc = ActiveLayoutDoc();
    if (doc == nullptr)
        return;
    if (m_list.GetCurSel() >= 0)
        m_nSelected = m_list.GetCurSel();
    if (m_nSelected < 0 || m_nSelected >= LampTypeList.GetSize())
        return;
    doc->SetModifiedFlag(TRUE);
    EndDialog(IDOK);
}

// --- CShowLightBarDlg ----------------------------------------------------------

BEGIN_MESSAGE_MAP(CShowLightBarDlg, CDialogEx)
ON_WM_SIZE()
END_MESSAGE_MAP()

CShowLightBarDlg::CShowLightBarDlg(CWnd* parent)
    : CDialogEx(IDD_SHOW_LIGHT_BAR, parent)
{
}

BOOL CShowLightBarDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this, { { 0, 2714 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    SetDlgItemText(IDC_SHLB_TEXT, m_strText);
    return TRUE;
}

void CShowLightBarDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    CWnd* edit = GetDlgItem(IDC_SHLB_TEXT);
    CWnd* ok = GetDlgItem(IDOK);
    CWnd* cancel = GetDlgItem(IDCANCEL);
    if (edit == nullptr || ok == nullptr || cancel == nullptr)
        return;
    edit->SetWindowPos(nullptr, 10, 10, cx - 20, cy - 50, SWP_NOZORDER);
    cancel->SetWindowPos(nullptr, cx - 85, cy - 30, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    ok->SetWindowPos(nullptr, cx - 165, cy - 30, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

// --- CFromToDlg ----------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFromToDlg, CDialogEx)
ON_NOTIFY(UDN_DELTAPOS, IDC_FT_START_SPIN, OnSpinFrom)
ON_NOTIFY(UDN_DELTAPOS, IDC_FT_END_SPIN, OnSpinTo)
END_MESSAGE_MAP()

CFromToDlg::CFromToDlg(CWnd* parent)
    : CDialogEx(IDD_FROM_TO, parent)
{
}

void CFromToDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FT_START, m_nFrom);
    DDX_Text(pDX, IDC_FT_END, m_nTo);
}

BOOL CFromToDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this,
        { { 0, 2675 }, { IDC_FT_START_LABEL, 2676 }, { IDC_FT_END_LABEL, 2677 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    return TRUE;
}

void CFromToDlg::Step(int& value, int delta)
{
    if (!UpdateData(TRUE))
        return;
    // The up arrow sends -1 in the control's default range.
    if (delta > 0)
        value = std::max(value - 1, 0);
    else if (delta < 0)
        ++value;
    UpdateData(FALSE);
}

void CFromToDlg::OnSpinFrom(NMHDR* pNMHDR, LRESULT* pResult)
{
    Step(m_nFrom, reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta);
    *pResult = 0;
}

void CFromToDlg::OnSpinTo(NMHDR* pNMHDR, LRESULT* pResult)
{
    Step(m_nTo, reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta);
    *pResult = 0;
}

// --- CFromToPixDlg -------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFromToPixDlg, CDialogEx)
ON_BN_CLICKED(IDC_FT_SET, OnSet)
END_MESSAGE_MAP()

CFromToPixDlg::CFromToPixDlg(CWnd* parent)
    : CDialogEx(IDD_FROM_TO_PIX, parent)
{
}

void CFromToPixDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FT_START, m_nFrom);
    DDX_Text(pDX, IDC_FT_END, m_nTo);
}

BOOL CFromToPixDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(
        *this, { { 0, 2678 }, { IDC_FT_START_LABEL, 2672 }, { IDC_FT_END_LABEL, 2673 }, { IDC_FT_SET, 2674 } });
    return TRUE;
}

void CFromToPixDlg::OnSet()
{
    if (!UpdateData(TRUE))
        return;
    if (m_pOwner != nullptr)
        m_pOwner->CheckRange(m_nFrom, m_nTo);
}

void CFromToPixDlg::OnCancel()
{
    ShowWindow(SW_HIDE);
}
