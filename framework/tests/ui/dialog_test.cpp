// Dialogs: the dialog skeleton driven through its controls, data exchange
// and the parse-error behaviour (message, focus, dialog stays open).
#include "calc_dlg.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

using fwtest::CScriptedUiHost;

namespace {
TEST(DialogSkeleton, IsDrivenThroughItsControls)
{
    CScriptedUiHost host;
    CCalcDlg dlg;
    dlg.m_nA = 2;
    dlg.m_nB = 3;
    INT_PTR result = fwtest::RunModal(dlg, [](CDialog& live) {
        // OnInitDialog ran the exchange into the controls.
        EXPECT_EQ(fwtest::GetItemText(live, IDC_A), L"2");
        EXPECT_EQ(fwtest::GetItemText(live, IDC_B), L"3");
        EXPECT_EQ(live.IsDlgButtonChecked(IDC_FMT_DEC), static_cast<UINT>(BST_CHECKED));
        fwtest::SetItemText(live, IDC_A, L"6");
        fwtest::SetItemText(live, IDC_B, L" 7 ");
        HWND hCombo = ::GetDlgItem(live.m_hWnd, IDC_OP);
        ::SendMessage(hCombo, CB_SETCURSEL, 2, 0);
        ::SendMessage(live.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_OP, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hCombo));
        ::SendDlgItemMessage(live.m_hWnd, IDC_FMT_DEC, BM_SETCHECK, BST_UNCHECKED, 0);
        ::SendDlgItemMessage(live.m_hWnd, IDC_FMT_HEX, BM_SETCHECK, BST_CHECKED, 0);
        fwtest::ClickButton(live, IDC_COMPUTE);
        EXPECT_EQ(fwtest::GetItemText(live, IDC_RESULT), L"0x2A");
        ::SendDlgItemMessage(live.m_hWnd, IDC_NEGATE, BM_SETCHECK, BST_CHECKED, 0);
        fwtest::ClickButton(live, IDC_COMPUTE);
        EXPECT_EQ(fwtest::GetItemText(live, IDC_RESULT), L"0xFFFFFFD6");
        fwtest::ClickButton(live, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_nA, 6);
    EXPECT_EQ(dlg.m_nB, 7);
    EXPECT_EQ(dlg.m_nOp, 2);
    EXPECT_EQ(dlg.m_bNegate, 1);
    EXPECT_EQ(dlg.m_nFormat, 1);
    EXPECT_EQ(dlg.m_nComputed, -42);
    EXPECT_TRUE(host.Transcript().empty());
}

TEST(DialogSkeleton, IntParseErrorKeepsTheDialogOpenWithAMessage)
{
    CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, L"Please enter an integer.");
    host.ExpectMessageBox(IDOK, L"Please enter an integer between -1000 and 1000.");
    CCalcDlg dlg;
    dlg.m_nA = 1;
    INT_PTR result = fwtest::RunModal(dlg, [&](CDialog& live) {
        fwtest::SetItemText(live, IDC_B, L"12x");
        fwtest::ClickButton(live, IDOK);
        EXPECT_TRUE(live.IsWindowVisible());
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(live.m_hWnd, IDC_B));
        EXPECT_EQ(host.Transcript().size(), 1u);
        // A value out of range is refused the same way.
        fwtest::SetItemText(live, IDC_B, L"5000");
        fwtest::ClickButton(live, IDOK);
        EXPECT_TRUE(live.IsWindowVisible());
        fwtest::SetItemText(live, IDC_B, L"-5");
        fwtest::ClickButton(live, IDOK);
        EXPECT_FALSE(live.IsWindowVisible());
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_nB, -5);
    ASSERT_EQ(host.Transcript().size(), 2u);
    EXPECT_EQ(host.Transcript()[0], L"MessageBox: Please enter an integer.");
}

TEST(DialogSkeleton, CancelKeepsTheMembers)
{
    CCalcDlg dlg;
    dlg.m_nA = 4;
    INT_PTR result = fwtest::RunModal(dlg, [](CDialog& live) {
        fwtest::SetItemText(live, IDC_A, L"99");
        fwtest::ClickButton(live, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_nA, 4);
}

TEST(DialogSkeleton, ApplicationRunsItsDialog)
{
    CCalcApp app;
    AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
    bool seen = false;
    AfxSetDialogInitHook([&](CDialog& live) {
        seen = true;
        EXPECT_EQ(AfxGetMainWnd(), &live);
        live.EndDialog(IDCANCEL);
    });
    EXPECT_FALSE(app.InitInstance());
    AfxSetDialogInitHook(nullptr);
    EXPECT_TRUE(seen);
}
} // namespace
