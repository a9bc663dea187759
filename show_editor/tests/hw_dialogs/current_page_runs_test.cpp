// The chip page's current and backup buttons: which dialog a chip gets, and
// that only OK writes the dialog's values into the page's values and the
// hardware configuration.
#include "HardwareConfig.h"
#include "current_page_runs.h"
#include "fw_dialog_driver.h"
#include "hw_test_support.h"

#include <functional>

using namespace hwtest;

namespace {

using fwtest::CDialogDriver;

} // namespace

TEST(CurrentPageRuns, DialogPerChip)
{
    const struct {
        LPCWSTR chip;
        int dialog;
        BYTE kind;
    } cases[] = { { L"TM1829", 1, 0 }, { L"GW6236", 1, 0 }, { L"TM1814", 2, 0 }, { L"UCS5603", 2, 1 },
        { L"SM16736", 2, 2 }, { L"SM16804P", 2, 3 }, { L"SM16803P", 3, 0 }, { L"WS2811", 0, 0 } };
    for (const auto& c : cases) {
        BYTE kind = 9;
        EXPECT_EQ(c.dialog, ChipCurrentDialogFor(c.chip, kind)) << CStringA(c.chip).GetString();
        EXPECT_EQ(c.kind, kind) << CStringA(c.chip).GetString();
    }
}

TEST(CurrentPageRuns, BackupSettingsReachTheConfigurationOnlyOnOk)
{
    fwtest::CScriptedUiHost host;
    HardwareConfig config;
    config.BackupMode = 1;
    config.BackupIdleHigh = 0;
    {
        CDialogDriver drive([](CDialog& live) {
            EXPECT_EQ(1u, live.IsDlgButtonChecked(IDC_BK_MAIN));
            live.CheckRadioButton(IDC_BK_DUAL, IDC_BK_SPARE, IDC_BK_SPARE);
            live.CheckDlgButton(IDC_BK_IDLE_HIGH, 1);
            fwtest::ClickButton(live, IDCANCEL);
        });
        EXPECT_FALSE(RunBackupOutputDialog(nullptr, config.BackupMode, config.BackupIdleHigh));
        EXPECT_TRUE(drive.Driven());
    }
    EXPECT_EQ(1, config.BackupMode);
    EXPECT_EQ(0, config.BackupIdleHigh);
    {
        CDialogDriver drive([](CDialog& live) {
            ::SendMessageW(Item(live, IDC_BK_MAIN), BM_SETCHECK, BST_UNCHECKED, 0);
            ::SendMessageW(Item(live, IDC_BK_SPARE), BM_SETCHECK, BST_CHECKED, 0);
            live.CheckDlgButton(IDC_BK_IDLE_HIGH, 1);
            fwtest::ClickButton(live, IDOK);
        });
        EXPECT_TRUE(RunBackupOutputDialog(nullptr, config.BackupMode, config.BackupIdleHigh));
    }
    EXPECT_EQ(2, config.BackupMode);
    EXPECT_EQ(1, config.BackupIdleHigh);
}

TEST(CurrentPageRuns, TwelveCurrentsReachTheConfiguration)
{
    fwtest::CScriptedUiHost host;
    HardwareConfig config;
    CDialogDriver drive([](CDialog& live) {
        EXPECT_EQ(14, ComboSel(live, IDC_CUR_7));
        SelectEntry(live, IDC_CUR_7, 3);
        fwtest::ClickButton(live, IDOK);
    });
    EXPECT_TRUE(RunTwelveCurrentDialog(nullptr, KeyNamingTexts(), config.Ucs9812Currents));
    EXPECT_EQ(3, config.Ucs9812Currents[6]);
    EXPECT_EQ(14, config.Ucs9812Currents[5]);
}

TEST(CurrentPageRuns, ChipCurrentsPerDialog)
{
    fwtest::CScriptedUiHost host;
    ChipCurrentValues values;
    {
        // The UCS5603 takes its 48 mA mode along.
        CDialogDriver drive([](CDialog& live) {
            SetCheck(live, IDC_CUR_48MA, true);
            SelectEntry(live, IDC_CUR_A, 4);
            fwtest::ClickButton(live, IDOK);
        });
        values.ChipCurrents[0] = 1;
        EXPECT_TRUE(RunChipCurrentDialog(nullptr, L"UCS5603", KeyNamingTexts(), values));
    }
    EXPECT_EQ(4, values.ChipCurrents[0]);
    EXPECT_EQ(1, values.Ucs5603HighCurrent);
    {
        // The SM16803P keeps its REXT choice in the fourth byte.
        CDialogDriver drive([](CDialog& live) {
            SelectEntry(live, IDC_CUR_REXT, 2);
            SelectEntry(live, IDC_CUR_B, 6);
            fwtest::ClickButton(live, IDOK);
        });
        EXPECT_TRUE(RunChipCurrentDialog(nullptr, L"SM16803P", KeyNamingTexts(), values));
    }
    EXPECT_EQ(6, values.ChipCurrents[1]);
    EXPECT_EQ(2, values.ChipCurrents[3]);
    {
        CDialogDriver drive([](CDialog& live) {
            SelectEntry(live, IDC_CUR_C, 30);
            fwtest::ClickButton(live, IDOK);
        });
        EXPECT_TRUE(RunChipCurrentDialog(nullptr, L"CX808", KeyNamingTexts(), values));
    }
    EXPECT_EQ(30, values.CurrentC);
    EXPECT_EQ(10, values.CurrentA);
    {
        CDialogDriver drive([](CDialog& live) {
            SelectEntry(live, IDC_CUR_A, 0);
            fwtest::ClickButton(live, IDCANCEL);
        });
        EXPECT_FALSE(RunChipCurrentDialog(nullptr, L"TM1814", KeyNamingTexts(), values));
    }
    EXPECT_EQ(4, values.ChipCurrents[0]);
    // A chip without adjustable currents opens nothing.
    EXPECT_FALSE(RunChipCurrentDialog(nullptr, L"WS2811", KeyNamingTexts(), values));
}
