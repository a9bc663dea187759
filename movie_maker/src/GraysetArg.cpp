// The grey test dialog.
#include "GraysetArg.h"
#include "MakerLang.h"
#include "QuorraResource.h"

#include <fw_labels.h>

GraysetArg::GraysetArg(CWnd* pParent)
    : CDialog(IDD_GRAYSET, pParent)
{
}

BOOL GraysetArg::OnInitDialog()
{
    m_startButton.SubclassDlgItem(IDC_START_COLOUR, this);
    m_endButton.SubclassDlgItem(IDC_END_COLOUR, this);
    m_startButton.SetColor(m_startColor);
    m_endButton.SetColor(m_endColor);
    const CString other = GetMakerLangTextOr(L"ITEM_TITLE", 191, L"其它颜色");
    m_startButton.EnableOtherButton(other);
    m_endButton.EnableOtherButton(other);
    CDialog::OnInitDialog();
    static const CtrlLabel labels[]
        = { { 0, L"ITEM_TITLE", 278 }, { IDOK, L"ITEM_TITLE", 33 }, { IDCANCEL, L"ITEM_TITLE", 34 } };
    ApplyLabels(
        *this, [](LPCTSTR section, int key) { return GetMakerLangText(section, key); }, labels);
    const int spins[][3]
        = { { IDC_LEVELS_SPIN, IDC_LEVELS_EDIT, m_nLevels }, { IDC_DURATION_SPIN, IDC_DURATION_EDIT, m_nDuration } };
    for (const auto& s : spins) {
        HWND spin = ::GetDlgItem(GetSafeHwnd(), s[0]);
        ::SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(::GetDlgItem(GetSafeHwnd(), s[1])), 0);
        ::SendMessageW(spin, UDM_SETRANGE32, 1, 9999);
        ::SendMessageW(spin, UDM_SETPOS32, 0, s[2]);
    }
    return TRUE;
}

void GraysetArg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LEVELS_EDIT, m_nLevels);
    DDV_MinMaxInt(pDX, m_nLevels, 1, 9999);
    DDX_Text(pDX, IDC_DURATION_EDIT, m_nDuration);
    DDV_MinMaxInt(pDX, m_nDuration, 1, 9999);
}

void GraysetArg::OnOK()
{
    m_startColor = m_startButton.GetColor();
    m_endColor = m_endButton.GetColor();
    CDialog::OnOK();
}
