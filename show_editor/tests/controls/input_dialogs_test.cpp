// The text and number input dialogs driven live: caption and start values,
// the refusal of an empty text and of a text that is no number, numbers
// outside the spin button's range, and Cancel.
#include <gtest/gtest.h>

#include "fw_testing.h"
#include "input_dialogs.h"

using fwtest::CScriptedUiHost;

namespace {

bool IsOpen(CDialog& dlg)
{
    return ::IsWindow(dlg.m_hWnd) && ::IsWindowVisible(dlg.m_hWnd);
}

CString Caption(CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return text;
}

} // namespace

TEST(InputStringDialog, ShowsCaptionAndTextAndReturnsTheNewText)
{
    CDlgInputString dlg;
    EXPECT_TRUE(dlg.m_text.IsEmpty());
    EXPECT_EQ(dlg.m_caption, CString(L"ReName"));
    dlg.m_text = L"片段_01";
    dlg.m_caption = L"Input Number";
    INT_PTR result = fwtest::RunModal(dlg, [](CDialog& live) {
        EXPECT_EQ(Caption(live), CString(L"Input Number"));
        EXPECT_EQ(fwtest::GetItemText(live, IDC_IS_TEXT), CString(L"片段_01"));
        fwtest::SetItemText(live, IDC_IS_TEXT, L"Opening");
        fwtest::ClickButton(live, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_text, CString(L"Opening"));
}

TEST(InputStringDialog, AnEmptyTextIsRefusedAndTheDialogStays)
{
    CScriptedUiHost host;
    CDlgInputString dlg;
    dlg.m_text = L"View_01";
    host.ExpectMessageBox(IDOK, L"Can't Empty!");
    INT_PTR result = fwtest::RunModal(dlg, [](CDialog& live) {
        EXPECT_EQ(Caption(live), CString(L"ReName"));
        fwtest::SetItemText(live, IDC_IS_TEXT, L"");
        fwtest::ClickButton(live, IDOK);
        EXPECT_TRUE(IsOpen(live));
        fwtest::SetItemText(live, IDC_IS_TEXT, L"x");
        fwtest::ClickButton(live, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_text, CString(L"x"));
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST(InputStringDialog, CancelKeepsTheText)
{
    CDlgInputString dlg;
    dlg.m_text = L"Keep";
    INT_PTR result = fwtest::RunModal(dlg, [](CDialog& live) {
        fwtest::SetItemText(live, IDC_IS_TEXT, L"Other");
        fwtest::ClickButton(live, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_text, CString(L"Keep"));
}

TEST(NumberInputDialog, SpinCoversAByteAndTypedNumbersComeBackAsTyped)
{
    const struct {
        LPCWSTR typed;
        int value;
    } cases[] = { { L"0", 0 }, { L"255", 255 }, { L"300", 300 }, { L"-4", -4 } };
    for (const auto& c : cases) {
        CNumberInputDlg dlg;
        dlg.m_value = 17;
        INT_PTR result = fwtest::RunModal(dlg, [&](CDialog& live) {
            EXPECT_EQ(Caption(live), CString(L"INPUT"));
            EXPECT_EQ(fwtest::GetItemText(live, IDC_NI_VALUE), CString(L"17"));
            HWND spin = ::GetDlgItem(live.m_hWnd, IDC_NI_SPIN);
            int low = -1, high = -1;
            ::SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
            EXPECT_EQ(low, 0);
            EXPECT_EQ(high, 255);
            EXPECT_EQ(reinterpret_cast<HWND>(::SendMessageW(spin, UDM_GETBUDDY, 0, 0)),
                ::GetDlgItem(live.m_hWnd, IDC_NI_VALUE));
            EXPECT_EQ(static_cast<int>(::SendMessageW(spin, UDM_GETPOS32, 0, 0)), 17);
            fwtest::SetItemText(live, IDC_NI_VALUE, c.typed);
            fwtest::ClickButton(live, IDOK);
        });
        EXPECT_EQ(result, IDOK) << CStringA(c.typed).GetString();
        EXPECT_EQ(dlg.m_value, c.value) << CStringA(c.typed).GetString();
    }
}

TEST(NumberInputDialog, TextThatIsNoNumberIsRefusedAndCancelKeepsTheValue)
{
    CScriptedUiHost host;
    CNumberInputDlg dlg;
    dlg.m_value = 9;
    host.ExpectMessageBox(IDOK);
    INT_PTR result = fwtest::RunModal(dlg, [](CDialog& live) {
        fwtest::SetItemText(live, IDC_NI_VALUE, L"abc");
        fwtest::ClickButton(live, IDOK);
        EXPECT_TRUE(IsOpen(live));
        fwtest::ClickButton(live, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_value, 9);
    EXPECT_EQ(host.PendingCount(), 0u);
}
