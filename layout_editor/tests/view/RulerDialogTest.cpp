// The rulers dialog: positions typed through the text prompt, the limit of
// 60 per list, refused duplicates and texts that read as 0, positions kept
// modulo 65536; the view takes the lists back after OK.
#include "EditFixture.h"

#include "InputDlg.h"
#include "ListPanelResource.h"
#include "PannexEditResource.h"
#include "ScaleSetDlg.h"
#include "fw_dialog_driver.h"
#include "fw_testing.h"

using edittest::EditFixture;

namespace {

std::vector<int> Positions(const CArray<WORD, WORD>& rulers)
{
    std::vector<int> out;
    for (INT_PTR i = 0; i < rulers.GetSize(); ++i)
        out.push_back(rulers.GetAt(i));
    return out;
}

std::vector<CString> ListTexts(CWnd& dialog, int id)
{
    std::vector<CString> out;
    const HWND list = ::GetDlgItem(dialog.GetSafeHwnd(), id);
    const int n = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        WCHAR text[64] = {};
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        out.emplace_back(text);
    }
    return out;
}

} // namespace

TEST_F(EditFixture, RulersAreAddedThroughThePromptAndTakenBackOnOk)
{
    fwtest::CScriptedUiHost ui;
    view.m_settings.m_hRulers.Add(5);
    std::vector<CString> shown;
    CString prompt;
    {
        fwtest::CDialogDriver drive(
            [&](CDialog& dlg) {
                if (auto* input = dynamic_cast<CInputDlg*>(&dlg)) {
                    prompt = fwtest::GetItemText(*input, IDC_INPUT_PROMPT);
                    fwtest::SetItemText(*input, IDC_INPUT_VALUE, L"12abc");
                    fwtest::ClickButton(*input, IDOK);
                    return;
                }
                EXPECT_EQ(ListTexts(dlg, IDC_SCALE_H_LIST), (std::vector<CString> { L"5" }));
                fwtest::ClickButton(dlg, IDC_SCALE_H_ADD);
                shown = ListTexts(dlg, IDC_SCALE_H_LIST);
                // Delete without a selection does nothing.
                fwtest::ClickButton(dlg, IDC_SCALE_V_DELETE);
                fwtest::ClickButton(dlg, IDOK);
            },
            fwtest::CDialogDriver::Mode::Every);
        view.OnRulers();
    }
    EXPECT_EQ(prompt, L"\u6C34\u5E73\u4F4D\u7F6E(\u50CF\u7D20)");
    EXPECT_EQ(shown, (std::vector<CString> { L"5", L"12abc" }));
    EXPECT_EQ(Positions(view.m_settings.m_hRulers), (std::vector<int> { 5, 12 }));
    EXPECT_TRUE(view.m_settings.m_vRulers.IsEmpty());
    EXPECT_EQ(model.m_modified, 1);
}

TEST(PannexRulers, TypedPositions)
{
    fwtest::CScriptedUiHost ui;
    struct Case {
        const char* text;
        std::vector<int> after; // the list held 7 before
        bool refused;
    };
    const Case cases[] = {
        { "", { 7 }, false },
        { "0", { 7 }, false },
        { "letters", { 7 }, false },
        { "12abc", { 7, 12 }, false },
        { "70000", { 7, 4464 }, false },
        { "65536", { 7 }, false },
        { "7", { 7 }, true },
        { "65543", { 7 }, true },
    };
    for (const Case& c : cases) {
        CScaleSetDlg dlg;
        dlg.m_vRulers.Add(7);
        if (c.refused)
            ui.ExpectMessageBox(IDOK, L"\u6807\u5C3A\u5DF2\u5B58\u5728");
        dlg.AddTypedPosition(false, CString(c.text));
        EXPECT_EQ(Positions(dlg.m_vRulers), c.after) << c.text;
        EXPECT_TRUE(dlg.m_hRulers.IsEmpty()) << c.text;
    }
    EXPECT_EQ(ui.PendingCount(), 0u);
}

TEST(PannexRulers, TheSixtyFirstIsRefusedPerList)
{
    fwtest::CScriptedUiHost ui;
    CScaleSetDlg dlg;
    for (int i = 1; i <= 60; ++i)
        dlg.m_hRulers.Add(static_cast<WORD>(i));
    int prompts = 0;
    ui.ExpectMessageBox(IDOK, L"\u6807\u5C3A\u5DF2\u6EE1(\u6700\u591A60\u6761)");
    fwtest::CDialogDriver drive(
        [&](CDialog& live) {
            if (auto* input = dynamic_cast<CInputDlg*>(&live)) {
                ++prompts;
                fwtest::SetItemText(*input, IDC_INPUT_VALUE, L"61");
                fwtest::ClickButton(*input, IDOK);
                return;
            }
            fwtest::ClickButton(live, IDC_SCALE_H_ADD); // full: the message, no prompt
            fwtest::ClickButton(live, IDC_SCALE_V_ADD); // the vertical list is counted apart
            fwtest::ClickButton(live, IDCANCEL);
        },
        fwtest::CDialogDriver::Mode::Every);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(dlg.m_hRulers.GetSize(), 60);
    EXPECT_EQ(Positions(dlg.m_vRulers), (std::vector<int> { 61 }));
    EXPECT_EQ(ui.PendingCount(), 0u);
}
