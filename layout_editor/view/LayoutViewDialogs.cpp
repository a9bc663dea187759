// The layout view's small prompts (see LayoutViewDialogs.h).
#include "LayoutViewDialogs.h"

#include <climits>
#include <commctrl.h>

#include "InputDlg.h"
#include "LayoutLangText.h"

namespace {

// Keeps the resource text when the language file has none.
void SetTextFromLang(CWnd& wnd, int key)
{
    const CString text = GetLangText(L"LAYOUT", key);
    if (!text.IsEmpty())
        wnd.SetWindowText(text);
}

} // namespace

BEGIN_MESSAGE_MAP(CSetUnitNumberDlg, CDialogEx)
ON_NOTIFY(UDN_DELTAPOS, IDC_UNIT_SPIN, OnDeltaPos)
END_MESSAGE_MAP()

CSetUnitNumberDlg::CSetUnitNumberDlg(CWnd* parent)
    : CDialogEx(IDD_SET_UNIT_NUMBER, parent)
{
}

BOOL CSetUnitNumberDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetTextFromLang(*this, 90);
    if (CWnd* label = GetDlgItem(IDC_UNIT_LABEL))
        SetTextFromLang(*label, 1013);
    if (CWnd* ok = GetDlgItem(IDOK))
        SetTextFromLang(*ok, 91);
    if (CWnd* cancel = GetDlgItem(IDCANCEL))
        SetTextFromLang(*cancel, 92);
    return TRUE;
}

void CSetUnitNumberDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_UNIT_NUMBER, m_unitCount);
}

void CSetUnitNumberDlg::OnDeltaPos(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The arrows step the typed value; the control's own position is not used.
    StepSpinValue(*this, m_unitCount, pNMHDR, 1);
    *pResult = 1;
}

void StepSpinValue(CDialog& dialog, int& value, const NMHDR* header, int floor)
{
    const int delta = reinterpret_cast<const NMUPDOWN*>(header)->iDelta;
    if (!dialog.UpdateData(TRUE))
        return;
    if (delta < 0 && value < INT_MAX)
        ++value;
    else if (delta > 0 && value > floor)
        --value;
    dialog.UpdateData(FALSE);
}

bool AskUnitNumber(CWnd* owner, int limit, int& value)
{
    CSetUnitNumberDlg dlg(owner);
    dlg.m_limit = limit;
    dlg.m_unitCount = value;
    if (dlg.DoModal() != IDOK)
        return false;
    value = dlg.m_unitCount;
    return true;
}

bool AskText(CWnd* owner, const CString& prompt, CString& value)
{
    CInputDlg dlg(owner);
    dlg.m_strPrompt = prompt;
    dlg.m_strValue = value;
    if (dlg.DoModal() != IDOK)
        return false;
    value = dlg.m_strValue;
    return true;
}
