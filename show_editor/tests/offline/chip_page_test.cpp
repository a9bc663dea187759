// The chip parameter page: how it reads its combo texts, the figures it
// shows, opening from the configuration or from the database's first chip,
// the chip-dependent controls, and the values collected into the
// configuration.
#include "ChipPageText.h"
#include "ConfigFile.h"
#include "DlgHardSet.h"
#include "offline_test_support.h"

#include <cmath>

using namespace offtest;

namespace {

TEST(ChipPageText, ReadsNumbersFromComboTexts)
{
    EXPECT_EQ(12, GrayBitsFromText(L"4096级  12BIT"));
    EXPECT_EQ(5, GrayBitsFromText(L"32级  5BIT"));
    EXPECT_EQ(12, GrayBitsFromText(L"4096 12bit"));
    EXPECT_EQ(1u, GrayLevelsFromText(L"4096")); // no space: the whole text, no bits
    EXPECT_EQ(1u, GrayLevelsFromText(L"x yz"));
    EXPECT_EQ(65536u, GrayLevelsFromText(L"g 99BIT")); // bounded, no overflow
    EXPECT_EQ(2048u, ChannelsFromText(L"2048点", L"点"));
    EXPECT_EQ(0u, ChannelsFromText(L"-5", L""));
    EXPECT_DOUBLE_EQ(5.0, ClockFromText(L"5.00MHz"));
    EXPECT_DOUBLE_EQ(0.25, ClockFromText(L"0.25mhz"));
    EXPECT_EQ(50, DutyFromText(L"50%"));
    EXPECT_EQ(CString(L"32级  5BIT"), GrayText(32, L"级"));
}

TEST(ChipPageText, FiguresOfTheInfoLabelsAndTheRefreshRate)
{
    EXPECT_NEAR(84.2, EffectiveBrightness(12, TRUE, 7), 0.05);
    EXPECT_DOUBLE_EQ(100.0, EffectiveBrightness(12, FALSE, 7));
    EXPECT_DOUBLE_EQ(100.0, EffectiveBrightness(12, TRUE, 0));
    // The page defaults: 2048 channels, 3 chip channels, 24 bits, 24 us, 5 MHz.
    EXPECT_NEAR(303.25, PageRefreshMax(FALSE, 4096, 2048, 3, 5.0, 8, 24, 24), 0.01);
    EXPECT_DOUBLE_EQ(0.0, PageRefreshMax(FALSE, 4096, 2048, 0, 5.0, 8, 24, 24));
    EXPECT_EQ(256, FirstVisibleGrayStep(0, L"X", 2.2, 0));
    EXPECT_GT(FirstVisibleGrayStep(8, L"X", 2.2, 0), FirstVisibleGrayStep(16, L"X", 2.2, 0));
    const auto cx = GrayListEntries(L"CX808", L"级");
    ASSERT_EQ(15u, cx.size());
    EXPECT_EQ(CString(L"32级  5BIT"), cx[11]);
    EXPECT_EQ(3u, GrayListEntries(L"UCS9812", L"级").size());
}

const char kChipIni[] = "[CHIPS]\r\n1=UCS\r\n2=DMX\r\n"
                        "[UCS_1]\r\nName=UCS9812\r\nChipChannel=3\r\nGray=4096\r\nChannels=1024\r\nClock=0.8\r\n"
                        "ChipBits=48\r\nAddTime=300\r\nIsOE=0\r\n"
                        "[DMX_1]\r\nName=UCS512\r\nChipChannel=3\r\nGray=256\r\nChannels=512\r\nClock=0.25\r\n"
                        "ChipBits=24\r\nAddTime=100\r\nIsOE=0\r\n"
                        "[DMX_2]\r\nName=QV-SLX15\r\nChipChannel=3\r\nGray=16384\r\nChannels=512\r\nClock=0.25\r\n"
                        "ChipBits=48\r\nAddTime=100\r\nIsOE=0\r\n";

CString PageText(LPCTSTR section, int key)
{
    const CString s = section;
    if (s == L"SHOW" && key == 87)
        return L"点";
    if (s == L"SHOW" && key == 88)
        return L"级";
    if (s == L"SHOW" && key == 86)
        return L"%d pixels";
    return CString();
}

class ChipPage : public OfflineTest {
protected:
    ChipPage()
        : m_dlg(m_config)
    {
        m_dlg.SetDocument(m_doc.get());
        m_dlg.SetOutputHost(&m_output);
        const CString ini = m_folder.File(L"Chip.ini");
        HANDLE h = ::CreateFileW(ini, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(h, kChipIni, sizeof(kChipIni) - 1, &written, nullptr);
        ::CloseHandle(h);
        m_dlg.Page().SetChipDatabasePath(ini);
        m_dlg.SetConfigTextSource(&PageText);
    }

    CWnd& Page() { return m_dlg.Page(); }
    CString Item(int id) { return fwtest::GetItemText(Page(), id); }
    bool Visible(int id) { return ::IsWindowVisible(::GetDlgItem(Page().m_hWnd, id)) != FALSE; }
    int Sel(int id) { return static_cast<int>(::SendDlgItemMessageW(Page().m_hWnd, id, CB_GETCURSEL, 0, 0)); }
    void Select(int id, int index)
    {
        ::SendDlgItemMessageW(Page().m_hWnd, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(Page().m_hWnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
            reinterpret_cast<LPARAM>(::GetDlgItem(Page().m_hWnd, id)));
    }

    CTempFolder m_folder;
    CDlgHardSet m_dlg;
};

TEST_F(ChipPage, EmptyChipNameAppliesTheFirstChipOfTheDatabase)
{
    m_config.LowGrayFilter = 9;
    m_config.ColourCount = 4;
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        EXPECT_EQ(CString(L"UCS9812"), Item(IDC_CP_CHIP));
        EXPECT_TRUE(Visible(406));
        EXPECT_FALSE(Visible(394));
        EXPECT_EQ(CString(L"1024"), Item(IDC_CP_CHANNELS));
        EXPECT_EQ(CString(L"0.80MHz"), Item(IDC_CP_CLOCK));
        EXPECT_EQ(CString(L"4096级  12BIT"), Item(IDC_CP_GRAY));
        EXPECT_EQ(0, Sel(IDC_CP_LOW_GRAY));
        EXPECT_EQ(0, Sel(IDC_CP_COLOURS));
        EXPECT_EQ(CString(L"341 pixels"), Item(IDC_CP_INFO2));
        ASSERT_EQ(2u, m_dlg.Page().ChipMenu().size());

        // A DMX chip from the menu shows the DMX address button again.
        Page().SendMessage(WM_COMMAND, kFirstChipCommand + 1, 0);
        EXPECT_EQ(CString(L"UCS512"), Item(IDC_CP_CHIP));
        EXPECT_TRUE(Visible(394));
        EXPECT_FALSE(Visible(406));
        fwtest::ClickButton(live, IDOK);
    });
    EXPECT_EQ(CString(L"UCS512"), m_config.ChipName);
    EXPECT_EQ(512u, m_config.Channels);
    EXPECT_EQ(256u, m_config.Gray);
    EXPECT_DOUBLE_EQ(0.25, m_config.Clock);
    EXPECT_EQ(3, m_config.ColourCount);
}

TEST_F(ChipPage, ChipNameInTheConfigurationIsRestoredWithoutTheDatabase)
{
    m_config.ChipName = L"QV-SLX15";
    m_config.Gray = 4096;
    m_config.Channels = 300;
    m_config.Clock = 2.0;
    m_config.RefreshRate = 40.0;
    m_config.AutoRefresh = 0;
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        EXPECT_EQ(CString(L"QV-SLX15"), Item(IDC_CP_CHIP));
        EXPECT_EQ(CString(L"300"), Item(IDC_CP_CHANNELS));
        // The gray combo shows the 65536 entry; the configuration keeps its own.
        EXPECT_EQ(CString(L"65536级  16BIT"), Item(IDC_CP_GRAY));
        fwtest::ClickButton(live, IDOK);
    });
    EXPECT_EQ(4096u, m_config.Gray);
    EXPECT_EQ(300u, m_config.Channels);
    EXPECT_DOUBLE_EQ(40.0, m_config.RefreshRate);
}

TEST_F(ChipPage, ListsWithoutASelectionKeepTheConfigurationValues)
{
    m_config.ChipName = L"UCS9812";
    m_config.OePeriods = 6;
    m_config.LowGrayFilter = 2;
    m_config.GclkIndex = 1;
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        for (int id : { IDC_CP_OE_PERIODS, IDC_CP_LOW_GRAY, IDC_CP_GCLK, IDC_CP_GRAY })
            ::SendDlgItemMessageW(Page().m_hWnd, id, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        // A gray change without an entry leaves the OE period unselected.
        Page().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CP_GRAY, CBN_SELCHANGE),
            reinterpret_cast<LPARAM>(::GetDlgItem(Page().m_hWnd, IDC_CP_GRAY)));
        EXPECT_EQ(-1, Sel(IDC_CP_OE_PERIODS));
        fwtest::ClickButton(live, IDOK);
    });
    EXPECT_EQ(6, m_config.OePeriods);
    EXPECT_EQ(2, m_config.LowGrayFilter);
    EXPECT_EQ(1, m_config.GclkIndex);
    EXPECT_EQ(0, OePeriodForGrayBits(-1, -1)) << "never negative";
}

TEST_F(ChipPage, EditsFollowTheirRules)
{
    m_config.ChipName = L"UCS9812";
    m_config.ChannelsLock = 0;
    m_config.GrayLock = 0;
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        // A typed channel count above 16000 becomes 16000.
        fwtest::SetItemText(Page(), IDC_CP_CHANNELS, L"20000");
        Page().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CP_CHANNELS, CBN_EDITCHANGE),
            reinterpret_cast<LPARAM>(::GetDlgItem(Page().m_hWnd, IDC_CP_CHANNELS)));
        EXPECT_EQ(CString(L"16000"), Item(IDC_CP_CHANNELS));

        // Gray 1024 selects OE period entry 5; 4096 selects 7.
        Select(IDC_CP_GRAY, 1);
        EXPECT_EQ(5, Sel(IDC_CP_OE_PERIODS));
        Select(IDC_CP_GRAY, 0);
        EXPECT_EQ(7, Sel(IDC_CP_OE_PERIODS));

        // Auto refresh keeps the rate at its highest value.
        ::CheckDlgButton(Page().m_hWnd, IDC_CP_AUTO_REFRESH, BST_CHECKED);
        fwtest::ClickButton(Page(), IDC_CP_AUTO_REFRESH);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(Page().m_hWnd, IDC_CP_REFRESH)));
        EXPECT_DOUBLE_EQ(m_dlg.Page().RefreshMax, m_dlg.Page().RefreshRate);
        fwtest::ClickButton(live, IDCANCEL);
    });
    // Cancel stores nothing.
    EXPECT_EQ(2048u, m_config.Channels);
}

} // namespace

namespace {

TEST_F(ChipPage, AChipFromTheMenuTicksAutoRefreshLocksTheSliderAndGivesThePageTheFocus)
{
    m_config.ChipName = L"UCS9812";
    m_config.AutoRefresh = 0;
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        HWND slider = ::GetDlgItem(Page().m_hWnd, IDC_CP_REFRESH);
        HWND chip = ::GetDlgItem(Page().m_hWnd, IDC_CP_CHIP);
        auto ticked = [&] { return ::IsDlgButtonChecked(Page().m_hWnd, IDC_CP_AUTO_REFRESH) == BST_CHECKED; };
        EXPECT_FALSE(ticked());
        EXPECT_TRUE(::IsWindowEnabled(slider));
        // The focus was elsewhere in the dialog when the chip was chosen.
        ::SetFocus(::GetDlgItem(live.m_hWnd, IDOK));
        Page().SendMessage(WM_COMMAND, kFirstChipCommand + 1, 0);
        EXPECT_EQ(CString(L"UCS512"), Item(IDC_CP_CHIP));
        EXPECT_TRUE(ticked());
        EXPECT_EQ(m_dlg.Page().AutoRefresh, 1);
        EXPECT_FALSE(::IsWindowEnabled(slider));
        EXPECT_DOUBLE_EQ(m_dlg.Page().RefreshMax, m_dlg.Page().RefreshRate);
        const HWND focus = ::GetFocus();
        EXPECT_TRUE(focus == Page().m_hWnd || ::IsChild(Page().m_hWnd, focus));
        // From the chip box itself: its new text is left unselected.
        ::SetFocus(chip);
        ::SendMessageW(chip, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        Page().SendMessage(WM_COMMAND, kFirstChipCommand + 1, 0);
        DWORD from = 1, to = 0;
        ::SendMessageW(chip, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(from, to);

        // Cleared by the user, the slider is free; the next chip ticks it again.
        ::CheckDlgButton(Page().m_hWnd, IDC_CP_AUTO_REFRESH, BST_UNCHECKED);
        fwtest::ClickButton(Page(), IDC_CP_AUTO_REFRESH);
        EXPECT_TRUE(::IsWindowEnabled(slider));
        Page().SendMessage(WM_COMMAND, kFirstChipCommand, 0);
        EXPECT_TRUE(ticked());
        EXPECT_FALSE(::IsWindowEnabled(slider));
        fwtest::ClickButton(live, IDOK);
    });
    EXPECT_EQ(1, m_config.AutoRefresh);
}

} // namespace
