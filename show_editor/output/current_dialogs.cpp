// The channel current dialogs and the backup output dialog.
#include "current_dialogs.h"

#include "current_lists.h"

#include <fw_labels.h>

namespace {

// Caption, OK and Cancel from the Config language file; a missing text
// keeps the resource text.
void ApplyCurrentLabels(CWnd& dlg, const ConfigTextSource& text)
{
    if (!text)
        return;
    const struct {
        int id;
        int key;
    } labels[] = { { 0, 297 }, { IDOK, 3 }, { IDCANCEL, 4 } };
    for (const auto& label : labels) {
        const CString value = text(L"TITLE", label.key);
        if (value.IsEmpty())
            continue;
        if (label.id == 0)
            dlg.SetWindowTextW(value);
        else
            dlg.SetDlgItemTextW(label.id, value);
    }
}

HWND Item(CWnd& dlg, int id)
{
    return ::GetDlgItem(dlg.m_hWnd, id);
}

// Empties the combo, adds the list and selects the stored index (no
// selection when the index is beyond the list).
void FillCombo(CWnd& dlg, int id, const std::vector<CString>& list, BYTE stored)
{
    const HWND combo = Item(dlg, id);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const CString& entry : list)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.GetString()));
    ::SendMessageW(combo, CB_SETCURSEL, stored < list.size() ? stored : static_cast<WPARAM>(-1), 0);
}

// The combo's selection as a stored index; a combo without a selection
// keeps the stored value rather than storing an index of no entry.
void StoreSelection(CWnd& dlg, int id, BYTE& stored)
{
    const LRESULT sel = ::SendMessageW(Item(dlg, id), CB_GETCURSEL, 0, 0);
    if (sel >= 0 && sel <= 255)
        stored = static_cast<BYTE>(sel);
}

} // namespace

// --- CElectricABCDlg

CElectricABCDlg::CElectricABCDlg(CWnd* pParent)
    : CDialogEx(IDD, pParent)
{
}

BOOL CElectricABCDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyCurrentLabels(*this, m_text);
    const std::vector<CString> list = AbcCurrentList();
    const int ids[3] = { IDC_CUR_A, IDC_CUR_B, IDC_CUR_C };
    for (int i = 0; i < 3; ++i)
        FillCombo(*this, ids[i], list, m_current[i]);
    return TRUE;
}

void CElectricABCDlg::OnOK()
{
    const int ids[3] = { IDC_CUR_A, IDC_CUR_B, IDC_CUR_C };
    for (int i = 0; i < 3; ++i)
        StoreSelection(*this, ids[i], m_current[i]);
    CDialogEx::OnOK();
}

// --- CElectricABC1Dlg

const int CElectricABC1Dlg::kComboIds[12] = { IDC_CUR_1, IDC_CUR_2, IDC_CUR_3, IDC_CUR_4, IDC_CUR_5, IDC_CUR_6,
    IDC_CUR_7, IDC_CUR_8, IDC_CUR_9, IDC_CUR_10, IDC_CUR_11, IDC_CUR_12 };

CElectricABC1Dlg::CElectricABC1Dlg(CWnd* pParent)
    : CDialogEx(IDD, pParent)
{
}

BOOL CElectricABC1Dlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyCurrentLabels(*this, m_text);
    const std::vector<CString> list = Channel12CurrentList();
    for (int i = 0; i < 12; ++i)
        FillCombo(*this, kComboIds[i], list, m_current[i]);
    return TRUE;
}

void CElectricABC1Dlg::OnOK()
{
    for (int i = 0; i < 12; ++i)
        StoreSelection(*this, kComboIds[i], m_current[i]);
    CDialogEx::OnOK();
}

// --- CElectricABCDDlg

const int CElectricABCDDlg::kComboIds[4] = { IDC_CUR_A, IDC_CUR_B, IDC_CUR_C, IDC_CUR_W };

BEGIN_MESSAGE_MAP(CElectricABCDDlg, CDialogEx)
ON_BN_CLICKED(IDC_CUR_48MA, On48Clicked)
END_MESSAGE_MAP()

CElectricABCDDlg::CElectricABCDDlg(CWnd* pParent)
    : CDialogEx(IDD, pParent)
{
}

void CElectricABCDDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_CUR_48MA, m_mode48);
}

BOOL CElectricABCDDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyCurrentLabels(*this, m_text);
    // Hidden but for the UCS5603.
    if (m_text)
        ApplyLabel(*this, IDC_CUR_48MA, m_text(L"SHOW", 271));
    FillLists();
    return TRUE;
}

void CElectricABCDDlg::FillLists()
{
    const std::vector<CString> list = AbcdCurrentList(m_kind, m_mode48 != 0);
    for (int i = 0; i < 4; ++i)
        FillCombo(*this, kComboIds[i], list, m_current[i]);
    if (m_kind == 1) {
        ::ShowWindow(Item(*this, IDC_CUR_LABEL_W), SW_HIDE);
        ::ShowWindow(Item(*this, IDC_CUR_W), SW_HIDE);
        ::ShowWindow(Item(*this, IDC_CUR_48MA), SW_SHOW);
        // The UCS5603 takes its channels blue first.
        SetDlgItemTextW(IDC_CUR_LABEL_A, L"B");
        SetDlgItemTextW(IDC_CUR_LABEL_C, L"R");
    } else if (m_kind == 2) {
        ::ShowWindow(Item(*this, IDC_CUR_LABEL_W), SW_HIDE);
        ::ShowWindow(Item(*this, IDC_CUR_W), SW_HIDE);
    }
}

void CElectricABCDDlg::On48Clicked()
{
    m_mode48 = IsDlgButtonChecked(IDC_CUR_48MA) != 0 ? 1 : 0;
    FillLists();
}

void CElectricABCDDlg::OnOK()
{
    for (int i = 0; i < 4; ++i)
        StoreSelection(*this, kComboIds[i], m_current[i]);
    CDialogEx::OnOK();
}

// --- CElectricABCDDlg1

const int CElectricABCDDlg1::kComboIds[3] = { IDC_CUR_A, IDC_CUR_B, IDC_CUR_C };

BEGIN_MESSAGE_MAP(CElectricABCDDlg1, CDialogEx)
ON_CBN_SELCHANGE(IDC_CUR_REXT, OnResistorSelChange)
ON_CBN_KILLFOCUS(IDC_CUR_REXT, OnResistorKillFocus)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_CUR_A, IDC_CUR_C, OnChannelSelChange)
END_MESSAGE_MAP()

CElectricABCDDlg1::CElectricABCDDlg1(CWnd* pParent)
    : CDialogEx(IDD, pParent)
{
}

BOOL CElectricABCDDlg1::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyCurrentLabels(*this, m_text);
    // The first choice (no resistor) is read by its index, never by its
    // text, so it may be said in the user's language.
    const CString open = m_text ? m_text(L"SHOW", 272) : CString();
    const HWND rext = Item(*this, IDC_CUR_REXT);
    for (LPCWSTR entry : { open.IsEmpty() ? L"悬空" : open.GetString(), L"1.8K", L"1K" })
        ::SendMessageW(rext, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    ::SendMessageW(rext, CB_SETCURSEL, m_resistor, 0);
    FillLists(Abcd1CurrentList(m_kind, m_resistor == 0, ResistorOfChoice(m_resistor)));
    return TRUE;
}

void CElectricABCDDlg1::FillLists(const std::vector<CString>& list)
{
    for (int i = 0; i < 3; ++i)
        FillCombo(*this, kComboIds[i], list, m_current[i]);
}

void CElectricABCDDlg1::OnResistorSelChange()
{
    const LRESULT sel = ::SendMessageW(Item(*this, IDC_CUR_REXT), CB_GETCURSEL, 0, 0);
    if (sel < 0)
        return;
    m_resistor = static_cast<BYTE>(sel);
    FillLists(Abcd1CurrentList(m_kind, m_resistor == 0, ResistorOfChoice(m_resistor)));
}

void CElectricABCDDlg1::OnResistorKillFocus()
{
    if (m_resistor == 0)
        return;
    CString text;
    GetDlgItemTextW(IDC_CUR_REXT, text);
    FillLists(Abcd1CurrentList(m_kind, false, ResistorFromText(text)));
}

void CElectricABCDDlg1::OnChannelSelChange(UINT nID)
{
    StoreSelection(*this, static_cast<int>(nID), m_current[nID - IDC_CUR_A]);
}

// --- CCX808Dlg

CCX808Dlg::CCX808Dlg(CWnd* pParent)
    : CDialogEx(IDD, pParent)
{
}

BOOL CCX808Dlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    static const CtrlLabel labels[] = { { 0, L"TITLE", 330 }, { IDC_BK_GROUP, L"TITLE", 330 },
        { IDC_BK_DUAL, L"SHOW", 275 }, { IDC_BK_MAIN, L"SHOW", 276 }, { IDC_BK_SPARE, L"SHOW", 277 },
        { IDC_BK_IDLE_HIGH, L"SHOW", 278 }, { IDOK, L"TITLE", 3 }, { IDCANCEL, L"TITLE", 4 } };
    ApplyLabels(*this, m_text, labels);
    return TRUE;
}

void CCX808Dlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_BK_DUAL, m_backupMode);
    DDX_Check(pDX, IDC_BK_IDLE_HIGH, m_idleHigh);
}
