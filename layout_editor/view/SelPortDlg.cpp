// The port selection dialog (see SelPortDlg.h).
#include "SelPortDlg.h"

#include <fw_uihost.h>

#include <vector>

#include "ControllerEdits.h"
#include "DialogLabels.h"
#include "FormatCheck.h"
#include "PannexLabels.h"
#include "ListPanelResource.h"
#include "MainFrm.h"
#include "PannexDoc.h"
#include "PannexView.h"

IMPLEMENT_DYNAMIC(CSelPortDlg, CDialogEx)

BEGIN_MESSAGE_MAP(CSelPortDlg, CDialogEx)
ON_BN_CLICKED(IDC_SEL_PORT_ALL, OnSelectAll)
ON_BN_CLICKED(IDC_SEL_PORT_NONE, OnSelectNone)
ON_BN_CLICKED(IDC_SEL_PORT_INVERT, OnInvert)
ON_BN_CLICKED(IDC_SEL_PORT_PATTERN, OnSelectLikeReference)
END_MESSAGE_MAP()

namespace {

// The port counts of the active layout's controllers (empty without a document).
std::vector<int> ControllerPorts()
{
    std::vector<int> counts;
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    CPannexView* view = frame != nullptr ? frame->GetPannexView() : nullptr;
    if (view == nullptr || dynamic_cast<CPannexDoc*>(view->GetDocument()) == nullptr)
        return counts;
    for (int c = 0; c < ControllerCount(view->m_settings); ++c)
        counts.push_back(PortsOfController(view->m_settings, c));
    return counts;
}

} // namespace

CSelPortDlg::CSelPortDlg(CWnd* pParent)
    : CDialogEx(IDD_SEL_PORT, pParent)
{
}

void CSelPortDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEL_PORT_LIST, m_list);
    DDX_Text(pDX, IDC_SEL_PORT_REFERENCE, m_nReference);
}

BOOL CSelPortDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyLayoutLabels(*this,
        { { 0, 993 }, { IDC_SEL_PORT_ALL, 2691 }, { IDC_SEL_PORT_REFERENCE_LABEL, 997 }, { IDC_SEL_PORT_PATTERN, 998 },
            { IDC_SEL_PORT_INVERT, 2694 }, { IDC_SEL_PORT_NONE, 2692 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, LangTextOr(L"LAYOUT", 994, L"端口"), LVCFMT_LEFT, 120);
    m_list.InsertColumn(1, LangTextOr(L"LAYOUT", 995, L"属于"), LVCFMT_LEFT, 100);
    const CString portFormat = LangTextOr(L"LAYOUT", 996, L"端口%d");
    const CString controllerFormat = LangTextOr(L"LAYOUT", 158, L"控制器%d");
    int row = 0;
    const std::vector<int> counts = ControllerPorts();
    for (size_t c = 0; c < counts.size(); ++c) {
        for (int k = 1; k <= counts[c]; ++k, ++row) {
            CString text;
            text = FormatCheckedText(portFormat, L"端口%d", "d", k);
            m_list.InsertItem(row, text);
            if (k == 1) {
                text = FormatCheckedText(controllerFormat, L"控制器%d", "d", static_cast<int>(c + 1));
                m_list.SetItemText(row, 1, text);
            }
        }
    }
    return TRUE;
}

bool CSelPortDlg::Ask(LPCWSTR question)
{
    return AfxGetUiHost().MessageBox(GetSafeHwnd(), question, L"Tip", MB_YESNO) == IDYES;
}

void CSelPortDlg::OnSelectAll()
{
    if (!Ask(LangTextOr(L"LAYOUT", 2665, L"确定选择所有?")))
        return;
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        m_list.SetCheck(i, TRUE);
}

void CSelPortDlg::OnSelectNone()
{
    if (!Ask(LangTextOr(L"LAYOUT", 2666, L"确定取消选择?")))
        return;
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        m_list.SetCheck(i, FALSE);
}

void CSelPortDlg::OnInvert()
{
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        m_list.SetCheck(i, !m_list.GetCheck(i));
}

bool CSelPortDlg::ApplyReferencePattern(int r)
{
    const std::vector<int> counts = ControllerPorts();
    if (r < 1 || r > static_cast<int>(counts.size()))
        return false;
    int first = 0;
    for (int c = 0; c < r - 1; ++c)
        first += counts[static_cast<size_t>(c)];
    std::vector<bool> pattern;
    for (int k = 0; k < counts[static_cast<size_t>(r - 1)]; ++k)
        pattern.push_back(m_list.GetCheck(first + k) != FALSE);
    int row = 0;
    for (int count : counts) {
        for (int k = 0; k < count; ++k, ++row)
            m_list.SetCheck(row, k < static_cast<int>(pattern.size()) && pattern[static_cast<size_t>(k)]);
    }
    return true;
}

void CSelPortDlg::OnSelectLikeReference()
{
    CString text;
    GetDlgItemText(IDC_SEL_PORT_REFERENCE, text);
    const int r = _wtoi(text);
    const int controllers = static_cast<int>(ControllerPorts().size());
    if (r < 1 || r > controllers)
        return;
    const CString question
        = FormatCheckedText(LangTextOr(L"LAYOUT", 999, L"确定参考控制器%d选择?"), L"确定参考控制器%d选择?", "d", r);
    if (!Ask(question))
        return;
    m_nReference = r;
    ApplyReferencePattern(r);
}

void CSelPortDlg::OnOK()
{
    m_selectedPorts.RemoveAll();
    for (int i = 0; i < m_list.GetItemCount(); ++i) {
        if (m_list.GetCheck(i))
            m_selectedPorts.Add(static_cast<WORD>(i));
    }
    EndDialog(IDOK);
}
