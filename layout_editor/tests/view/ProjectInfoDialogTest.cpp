// The project information dialog of command 32790: the counts of the open
// layout in the shown lines, labelled from the language file, with nothing
// changed; the texts of every language file.
#include "DialogScript.h"
#include "PanelTestSupport.h"

#include "EditorSettings.h"
#include "LampTypeList.h"
#include "LayoutLangText.h"
#include "PannexResource.h"
#include "ProjInfoDlg.h"

using namespace pannextest;

namespace {

struct ShownLines {
    CString caption;
    CString lines[5];
    CString ok;
};

ShownLines OpenProjectInfo(CMainFrame& frame)
{
    ShownLines shown;
    CDialogScript script;
    script.Expect<CProjInfoDlg>([&shown](CProjInfoDlg& dlg) {
        dlg.GetWindowText(shown.caption);
        for (int i = 0; i < 5; ++i)
            shown.lines[i] = fwtest::GetItemText(dlg, IDC_PROJECT_INFO_CONTROLLERS + i);
        shown.ok = fwtest::GetItemText(dlg, IDOK);
        fwtest::ClickButton(dlg, IDOK);
    });
    fwtest::SendCommand(frame, ID_HELP_PROJECT_INFO);
    return shown;
}

TEST(PannexProjectInfo, CommandShowsTheCountsOfTheOpenLayout)
{
    CPannexSession s({});
    ASSERT_NE(s.View(), nullptr);
    SetLangTextLanguage(1);
    CLayoutData& model = s.Doc()->GetLayout();
    // Three controllers of two ports; the second stays empty.
    ASSERT_TRUE(model.ResetPorts(6, 64, L"RGB", 0));
    s.View()->GetLayoutSettings().SetControllers(3, 2);
    ResetLampTypeList();
    LampTypeList.Add(L"R1G1B1R2G2B2");
    const int savedWidth = LayoutWidth;
    const int savedHeight = LayoutHeight;
    LayoutWidth = 20;
    LayoutHeight = 10;
    // Port 0: ten lamps of two-lamp units, one of them at x = W.
    for (int i = 0; i < 9; ++i)
        AddModelLamp(model, 0, i, 0);
    AddModelLamp(model, 0, 20, 0);
    model.GetPort(0).m_lampFormatIndex = 1;
    // Port 5: two RGB lamps, one on a cell of port 0.
    AddModelLamp(model, 5, 3, 0);
    AddModelLamp(model, 5, 7, 7);
    model.m_modified = 0;

    const ShownLines shown = OpenProjectInfo(*s.Frame());
    EXPECT_EQ(shown.caption, L"Project information");
    EXPECT_EQ(shown.lines[0], L"Controllers in use: 2");
    EXPECT_EQ(shown.lines[1], L"Lamps on the canvas: 11");
    EXPECT_EQ(shown.lines[2], L"Overlapping cells on the canvas: 1");
    // 5 units of 6 channels + 2 RGB lamps; the unit (8,0),(20,0) starts on
    // the canvas, so nothing is vacant.
    EXPECT_EQ(shown.lines[3], L"Total channels: 36");
    EXPECT_EQ(shown.lines[4], L"Vacant channels: 0");
    EXPECT_EQ(shown.ok, L"OK");
    EXPECT_EQ(model.m_modified, 0);

    // A unit that starts at x = W leaves its six channels vacant.
    model.GetPort(0).ClearPoints();
    AddModelLamp(model, 0, 20, 1);
    AddModelLamp(model, 0, 1, 1);
    SetLangTextLanguage(2);
    const ShownLines chs = OpenProjectInfo(*s.Frame());
    EXPECT_EQ(chs.caption, L"工程信息");
    EXPECT_EQ(chs.lines[1], L"画布区域内,布置灯具的总点数: 3");
    EXPECT_EQ(chs.lines[3], L"工程中,有效总通道数: 12");
    EXPECT_EQ(chs.lines[4], L"工程中,总的空位通道数: 6");

    LayoutWidth = savedWidth;
    LayoutHeight = savedHeight;
    ResetLampTypeList();
    model.m_modified = 0;
}

TEST(PannexProjectInfo, EveryLanguageFileHasItsTexts)
{
    for (int id : { 1, 2, 3, 4 }) {
        SetLangTextLanguage(id);
        for (int key = 178; key <= 182; ++key)
            EXPECT_FALSE(GetLangText(L"LAYOUT", key).IsEmpty()) << id << " " << key;
    }
    SetLangTextLanguage(2);
}

} // namespace
