// The channel current dialogs and the backup output dialog: the current
// tables that fix what a stored index means, stored indices shown and taken
// back on OK, the chip kinds of the four-channel dialog, the resistor rule
// of the SM16803P dialog, and the backup settings exchanged.
#include "current_dialogs.h"
#include "current_lists.h"
#include "hw_test_support.h"

using fwtest::CScriptedUiHost;
using namespace hwtest;

namespace {

void ExpectList(const std::vector<CString>& list, size_t count, LPCWSTR first, LPCWSTR second, LPCWSTR last)
{
    ASSERT_EQ(count, list.size());
    EXPECT_EQ(CString(first), list.front());
    EXPECT_EQ(CString(second), list[1]);
    EXPECT_EQ(CString(last), list.back());
}

} // namespace

TEST(CurrentLists, TablesFixEveryIndex)
{
    ExpectList(AbcCurrentList(), 32, L"10MA", L"11MA", L"41MA");
    ExpectList(Channel12CurrentList(), 16, L"2.0MA", L"3.2MA", L"20.0MA");
    ExpectList(AbcdCurrentList(0, false), 64, L"6.5MA", L"7.0MA", L"38.0MA");
    ExpectList(AbcdCurrentList(1, false), 16, L"1.5MA", L"3.0MA", L"24.0MA");
    ExpectList(AbcdCurrentList(1, true), 16, L"3.0MA", L"6.0MA", L"48.0MA");
    ExpectList(AbcdCurrentList(2, false), 32, L"1.68MA", L"2.24MA", L"19.04MA");
    ExpectList(AbcdCurrentList(3, false), 16, L"1.1MA", L"2.1MA", L"17.0MA");
    EXPECT_TRUE(AbcdCurrentList(4, false).empty());
    ExpectList(Abcd1CurrentList(0, true, 0.0), 16, L"1.5MA", L"2.6MA", L"17.0MA");
    ExpectList(Abcd1CurrentList(0, false, 1.8), 16, L"3.18MA", L"5.30MA", L"34.98MA");
    ExpectList(Abcd1CurrentList(0, false, 1.0), 16, L"4.50MA", L"7.50MA", L"49.50MA");
    ExpectList(Abcd1CurrentList(0, false, 2.2), 16, L"2.88MA", L"4.80MA", L"31.68MA");
    EXPECT_TRUE(Abcd1CurrentList(1, true, 0.0).empty());
    EXPECT_TRUE(Abcd1CurrentList(0, false, 0.00001).empty());
}

TEST(CurrentLists, ResistorTexts)
{
    EXPECT_DOUBLE_EQ(2.2, ResistorFromText(L"2.2k"));
    EXPECT_DOUBLE_EQ(1.8, ResistorFromText(L"1.8K"));
    EXPECT_DOUBLE_EQ(0.0, ResistorFromText(L"open"));
    EXPECT_DOUBLE_EQ(0.0, ResistorFromText(L""));
    EXPECT_TRUE(Abcd1CurrentList(0, false, ResistorFromText(L"nan")).empty());
}

class CurrentDialog : public ::testing::Test {
protected:
    CScriptedUiHost m_host;
};

TEST_F(CurrentDialog, AbcShowsStoredIndicesAndStoresSelectionsOnOk)
{
    CElectricABCDlg dlg;
    dlg.SetTextSource(KeyNamingTexts());
    dlg.m_current[0] = 0;
    dlg.m_current[1] = 31;
    dlg.m_current[2] = 40; // beyond the list
    const INT_PTR result = fwtest::RunModal(dlg, [&](CDialog& live) {
        CString caption;
        live.GetWindowTextW(caption);
        EXPECT_EQ(CString(L"TITLE 297"), caption);
        EXPECT_EQ(CString(L"TITLE 3"), fwtest::GetItemText(live, IDOK));
        EXPECT_EQ(CString(L"TITLE 4"), fwtest::GetItemText(live, IDCANCEL));
        EXPECT_EQ(32, ComboCount(live, IDC_CUR_A));
        EXPECT_EQ(0, ComboSel(live, IDC_CUR_A));
        EXPECT_EQ(31, ComboSel(live, IDC_CUR_B));
        EXPECT_EQ(-1, ComboSel(live, IDC_CUR_C));
        EXPECT_EQ(CString(L"41MA"), ComboEntry(live, IDC_CUR_B, 31));
        SelectEntry(live, IDC_CUR_A, 7);
        fwtest::ClickButton(live, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(7, dlg.m_current[0]);
    EXPECT_EQ(31, dlg.m_current[1]);
    // No selection keeps the stored value instead of storing an index of no entry.
    EXPECT_EQ(40, dlg.m_current[2]);
}

TEST_F(CurrentDialog, TwelveChannelsInTheirComboOrder)
{
    CElectricABC1Dlg dlg;
    for (int i = 0; i < 12; ++i)
        dlg.m_current[i] = static_cast<BYTE>(i);
    const INT_PTR result = fwtest::RunModal(dlg, [&](CDialog& live) {
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(16, ComboCount(live, CElectricABC1Dlg::kComboIds[i]));
            EXPECT_EQ(i, ComboSel(live, CElectricABC1Dlg::kComboIds[i])) << i;
        }
        EXPECT_EQ(CString(L"2.0MA"), ComboEntry(live, IDC_CUR_1, 0));
        SelectEntry(live, IDC_CUR_12, 15);
        SelectEntry(live, IDC_CUR_1, 9);
        fwtest::ClickButton(live, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(9, dlg.m_current[0]);
    EXPECT_EQ(15, dlg.m_current[11]);
    EXPECT_EQ(5, dlg.m_current[5]);
}

TEST_F(CurrentDialog, CancelLeavesTheIndicesAlone)
{
    CElectricABC1Dlg dlg;
    const INT_PTR result = fwtest::RunModal(dlg, [&](CDialog& live) {
        SelectEntry(live, IDC_CUR_3, 4);
        fwtest::ClickButton(live, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(0, dlg.m_current[2]);
}

TEST_F(CurrentDialog, FourChannelKindsAndThe48MaMode)
{
    CElectricABCDDlg dlg;
    dlg.m_kind = 1;
    dlg.m_current[0] = 2;
    dlg.m_current[1] = 15;
    dlg.m_current[2] = 0;
    const INT_PTR result = fwtest::RunModal(dlg, [&](CDialog& live) {
        EXPECT_EQ(16, ComboCount(live, IDC_CUR_A));
        EXPECT_EQ(CString(L"24.0MA"), ComboEntry(live, IDC_CUR_A, 15));
        EXPECT_FALSE(::IsWindowVisible(Item(live, IDC_CUR_W)));
        EXPECT_FALSE(::IsWindowVisible(Item(live, IDC_CUR_LABEL_W)));
        EXPECT_TRUE(::IsWindowVisible(Item(live, IDC_CUR_48MA)));
        EXPECT_EQ(CString(L"B"), fwtest::GetItemText(live, IDC_CUR_LABEL_A));
        EXPECT_EQ(CString(L"R"), fwtest::GetItemText(live, IDC_CUR_LABEL_C));

        // A changed selection is not kept when the mode switches: the lists
        // show the stored choices again.
        SelectEntry(live, IDC_CUR_A, 9);
        SetCheck(live, IDC_CUR_48MA, true);
        EXPECT_EQ(CString(L"3.0MA"), ComboEntry(live, IDC_CUR_A, 0));
        EXPECT_EQ(CString(L"48.0MA"), ComboEntry(live, IDC_CUR_B, 15));
        EXPECT_EQ(2, ComboSel(live, IDC_CUR_A));
        EXPECT_EQ(15, ComboSel(live, IDC_CUR_B));
        SelectEntry(live, IDC_CUR_C, 5);
        fwtest::ClickButton(live, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(1, dlg.m_mode48);
    EXPECT_EQ(2, dlg.m_current[0]);
    EXPECT_EQ(5, dlg.m_current[2]);
}

TEST_F(CurrentDialog, FourChannelListsPerKind)
{
    const struct {
        BYTE kind;
        int count;
        LPCWSTR last;
        bool wShown;
    } cases[] = {
        { 0, 64, L"38.0MA", true },
        { 2, 32, L"19.04MA", false },
        { 3, 16, L"17.0MA", true },
        { 7, 0, L"<none>", true },
    };
    for (const auto& c : cases) {
        CElectricABCDDlg dlg;
        dlg.m_kind = c.kind;
        fwtest::RunModal(dlg, [&](CDialog& live) {
            EXPECT_EQ(c.count, ComboCount(live, IDC_CUR_W)) << int(c.kind);
            EXPECT_EQ(CString(c.last), ComboEntry(live, IDC_CUR_A, c.count - 1)) << int(c.kind);
            EXPECT_EQ(c.wShown, ::IsWindowVisible(Item(live, IDC_CUR_W)) != FALSE) << int(c.kind);
            EXPECT_FALSE(::IsWindowVisible(Item(live, IDC_CUR_48MA)));
            // The initial index 27 is within every list but the last kind's.
            EXPECT_EQ(c.count > 27 ? 27 : -1, ComboSel(live, IDC_CUR_B)) << int(c.kind);
            fwtest::ClickButton(live, IDCANCEL);
        });
    }
}

TEST_F(CurrentDialog, ResistorChoiceAndTypedResistor)
{
    CElectricABCDDlg1 dlg;
    dlg.m_current[0] = 0;
    dlg.m_current[1] = 15;
    dlg.m_current[2] = 3;
    const INT_PTR result = fwtest::RunModal(dlg, [&](CDialog& live) {
        EXPECT_EQ(3, ComboCount(live, IDC_CUR_REXT));
        EXPECT_EQ(0, ComboSel(live, IDC_CUR_REXT));
        EXPECT_EQ(CString(L"1.5MA"), ComboEntry(live, IDC_CUR_A, 0));

        SelectEntry(live, IDC_CUR_REXT, 1);
        EXPECT_EQ(1, dlg.m_resistor);
        EXPECT_EQ(CString(L"3.18MA"), ComboEntry(live, IDC_CUR_A, 0));
        EXPECT_EQ(CString(L"34.98MA"), ComboEntry(live, IDC_CUR_B, 15));
        EXPECT_EQ(15, ComboSel(live, IDC_CUR_B));

        SelectEntry(live, IDC_CUR_REXT, 2);
        EXPECT_EQ(CString(L"49.50MA"), ComboEntry(live, IDC_CUR_A, 15));

        // A typed resistor counts when the focus leaves the combo.
        ::SetWindowTextW(Item(live, IDC_CUR_REXT), L"2.2k");
        live.SendMessage(
            WM_COMMAND, MAKEWPARAM(IDC_CUR_REXT, CBN_KILLFOCUS), reinterpret_cast<LPARAM>(Item(live, IDC_CUR_REXT)));
        EXPECT_EQ(CString(L"2.88MA"), ComboEntry(live, IDC_CUR_A, 0));
        EXPECT_EQ(CString(L"31.68MA"), ComboEntry(live, IDC_CUR_C, 15));

        ::SetWindowTextW(Item(live, IDC_CUR_REXT), L"abc");
        live.SendMessage(
            WM_COMMAND, MAKEWPARAM(IDC_CUR_REXT, CBN_KILLFOCUS), reinterpret_cast<LPARAM>(Item(live, IDC_CUR_REXT)));
        EXPECT_EQ(0, ComboCount(live, IDC_CUR_A));
        EXPECT_EQ(0, ComboCount(live, IDC_CUR_C));

        SelectEntry(live, IDC_CUR_REXT, 1);
        // A channel's choice is stored at once, so Cancel keeps it.
        SelectEntry(live, IDC_CUR_C, 11);
        fwtest::ClickButton(live, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(11, dlg.m_current[2]);
    EXPECT_EQ(1, dlg.m_resistor);
}

TEST_F(CurrentDialog, OpenPinKeepsTheListWhenTheFocusLeaves)
{
    CElectricABCDDlg1 dlg;
    fwtest::RunModal(dlg, [&](CDialog& live) {
        ::SetWindowTextW(Item(live, IDC_CUR_REXT), L"2.2k");
        live.SendMessage(
            WM_COMMAND, MAKEWPARAM(IDC_CUR_REXT, CBN_KILLFOCUS), reinterpret_cast<LPARAM>(Item(live, IDC_CUR_REXT)));
        EXPECT_EQ(CString(L"1.5MA"), ComboEntry(live, IDC_CUR_A, 0));
        fwtest::ClickButton(live, IDCANCEL);
    });
}

TEST_F(CurrentDialog, OtherKindsOfTheResistorDialogHaveNoLists)
{
    CElectricABCDDlg1 dlg;
    dlg.m_kind = 1;
    fwtest::RunModal(dlg, [&](CDialog& live) {
        EXPECT_EQ(0, ComboCount(live, IDC_CUR_A));
        fwtest::ClickButton(live, IDCANCEL);
    });
}

TEST_F(CurrentDialog, BackupOutputSettingsAreExchanged)
{
    const struct {
        int mode, idle;
        int click;
        bool toggleIdle;
        int mode2, idle2;
    } cases[] = {
        { 1, 0, IDC_BK_DUAL, true, 0, 1 },
        { 0, 1, IDC_BK_SPARE, false, 2, 1 },
        { 2, 0, IDC_BK_MAIN, false, 1, 0 },
    };
    for (const auto& c : cases) {
        CCX808Dlg dlg;
        dlg.m_backupMode = c.mode;
        dlg.m_idleHigh = c.idle;
        const INT_PTR result = fwtest::RunModal(dlg, [&](CDialog& live) {
            const int radios[3] = { IDC_BK_DUAL, IDC_BK_MAIN, IDC_BK_SPARE };
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(i == c.mode ? 1u : 0u, live.IsDlgButtonChecked(radios[i]));
            EXPECT_EQ(static_cast<UINT>(c.idle), live.IsDlgButtonChecked(IDC_BK_IDLE_HIGH));
            for (int id : radios)
                ::SendMessageW(Item(live, id), BM_SETCHECK, id == c.click ? BST_CHECKED : BST_UNCHECKED, 0);
            if (c.toggleIdle)
                live.CheckDlgButton(IDC_BK_IDLE_HIGH, c.idle ? 0 : 1);
            fwtest::ClickButton(live, IDOK);
        });
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ(c.mode2, dlg.m_backupMode);
        EXPECT_EQ(c.idle2, dlg.m_idleHigh);
    }
}
