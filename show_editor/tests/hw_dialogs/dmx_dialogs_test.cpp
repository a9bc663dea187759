// The reset-DMX-address dialogs driven through their controls: the address
// rule, labels and lists at opening, the mixed-fixture grid, the port list,
// and the spreadsheet template copied through the save dialog and opened.
#include "AppPaths.h"
#include "dmx_address.h"
#include "hw_test_support.h"

#include <climits>
#include <fstream>

using fwtest::CScriptedUiHost;
using namespace hwtest;

TEST(DmxAddress, StartAddressTable)
{
    const struct {
        int fixture, channels, address;
    } cases[] = {
        { 1, 3, 1 },
        { 1, 512, 1 },
        { 5, 4, 17 },
        { 2, 3, 4 },
        { 171, 3, 511 },
        { 0, 3, 1 }, // below the first fixture
        { 100000, 100000, 1 }, // overflows 32 bits: never a wrapped address
        { INT_MAX, INT_MAX, 1 },
        { 65536, 32768, INT_MAX - 32766 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.address, DmxStartAddress(c.fixture, c.channels)) << c.fixture << " x " << c.channels;
}

class DmxDialog : public ::testing::Test {
protected:
    DmxDialog() { m_dlg.SetTextSource(KeyNamingTexts()); }

    static int RowCount(CPelloxDlg& dlg) { return dlg.m_grid.GetRowCount(); }

    CScriptedUiHost m_host;
    CPelloxDlg m_dlg;
};

TEST_F(DmxDialog, OpeningShowsLabelsPortsAndTheHeaderRow)
{
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        CString caption;
        live.GetWindowTextW(caption);
        EXPECT_EQ(CString(L"TITLE 127"), caption);
        EXPECT_EQ(CString(L"TITLE 257"), fwtest::GetItemText(live, IDC_DMX_FIXTURE_LABEL));
        EXPECT_EQ(CString(L"TITLE 309"), fwtest::GetItemText(live, IDC_DMX_SPECIAL_LABEL));
        EXPECT_EQ(CString(L"TITLE 318"), fwtest::GetItemText(live, IDC_DMX_WRITE));
        EXPECT_EQ(CString(L"TITLE 12"), fwtest::GetItemText(live, IDCANCEL));
        EXPECT_EQ(CString(L"SHOW 264"), fwtest::GetItemText(live, IDC_DMX_MIXED));
        EXPECT_EQ(CString(L"SHOW 267"), fwtest::GetItemText(live, IDC_DMX_SEGMENTS_LABEL));

        EXPECT_EQ(CString(L"1"), fwtest::GetItemText(live, IDC_DMX_FIXTURE));
        EXPECT_EQ(CString(L"3"), fwtest::GetItemText(live, IDC_DMX_CHANNELS));
        EXPECT_EQ(CString(L"1"), fwtest::GetItemText(live, IDC_DMX_ADDRESS));
        EXPECT_FALSE(Enabled(live, IDC_DMX_ADDRESS));

        ASSERT_EQ(2, ComboCount(live, IDC_DMX_PORT_TYPE));
        EXPECT_EQ(CString(L"5Pin"), ComboEntry(live, IDC_DMX_PORT_TYPE, 0));
        EXPECT_EQ(CString(L"3Pin"), ComboEntry(live, IDC_DMX_PORT_TYPE, 1));
        EXPECT_EQ(0, ComboSel(live, IDC_DMX_PORT_TYPE));

        ASSERT_EQ(9, m_dlg.m_ports.GetCount());
        CString item;
        m_dlg.m_ports.GetText(0, item);
        EXPECT_EQ(CString(L"LAYOUT 143"), item);
        m_dlg.m_ports.GetText(8, item);
        EXPECT_EQ(CString(L"8SHOW 263"), item);
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(1, m_dlg.m_ports.GetCheck(i)) << i;

        CSheetCtrl& grid = m_dlg.m_grid;
        EXPECT_EQ(1, grid.GetRowCount());
        EXPECT_EQ(3, grid.GetColumnCount());
        EXPECT_EQ(1, grid.GetFixedRowCount());
        EXPECT_EQ(1, grid.GetFixedColumnCount());
        EXPECT_EQ(20, grid.GetDefCellHeight());
        EXPECT_FALSE(grid.GetTitleTips());
        EXPECT_FALSE(grid.IsSelectable());
        EXPECT_EQ(CString(L"TITLE 1"), grid.GetItemText(0, 0));
        EXPECT_EQ(CString(L"SHOW 268"), grid.GetItemText(0, 1));
        EXPECT_EQ(CString(L"SHOW 269"), grid.GetItemText(0, 2));
        EXPECT_EQ(50, grid.GetColumnWidth(0));
        EXPECT_EQ(80, grid.GetColumnWidth(2));
        EXPECT_EQ(static_cast<UINT>(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX), grid.GetItemFormat(0, 1));

        // Not mixed: the table side is off, the single-fixture side on.
        EXPECT_TRUE(Enabled(live, IDC_DMX_FIXTURE));
        EXPECT_TRUE(Enabled(live, IDC_DMX_CHANNELS));
        for (int id : { IDC_DMX_SEGMENTS, IDC_DMX_GRID, IDC_DMX_START, IDC_DMX_ADVANCED })
            EXPECT_FALSE(Enabled(live, id)) << id;
        live.EndDialog(IDCANCEL);
    });
}

TEST_F(DmxDialog, TypedNumbersGiveTheAddressWithFloorsAtOne)
{
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        fwtest::SetItemText(live, IDC_DMX_FIXTURE, L"5");
        fwtest::SetItemText(live, IDC_DMX_CHANNELS, L"4");
        EXPECT_EQ(CString(L"17"), fwtest::GetItemText(live, IDC_DMX_ADDRESS));

        fwtest::SetItemText(live, IDC_DMX_FIXTURE, L"0");
        EXPECT_EQ(CString(L"1"), fwtest::GetItemText(live, IDC_DMX_FIXTURE));
        EXPECT_EQ(CString(L"1"), fwtest::GetItemText(live, IDC_DMX_ADDRESS));

        fwtest::SetItemText(live, IDC_DMX_FIXTURE, L"3");
        fwtest::SetItemText(live, IDC_DMX_CHANNELS, L"0");
        EXPECT_EQ(CString(L"1"), fwtest::GetItemText(live, IDC_DMX_CHANNELS));
        EXPECT_EQ(CString(L"3"), fwtest::GetItemText(live, IDC_DMX_ADDRESS));

        fwtest::SetItemText(live, IDC_DMX_FIXTURE, L"100000");
        fwtest::SetItemText(live, IDC_DMX_CHANNELS, L"100000");
        EXPECT_EQ(CString(L"1"), fwtest::GetItemText(live, IDC_DMX_ADDRESS));
        live.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(1, m_dlg.m_dmxAddress);
}

TEST_F(DmxDialog, NonNumericTextIsRefusedAndKeepsTheValues)
{
    m_host.ExpectMessageBox(IDOK, L"integer");
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        fwtest::SetItemText(live, IDC_DMX_FIXTURE, L"4");
        fwtest::SetItemText(live, IDC_DMX_FIXTURE, L"x");
        EXPECT_EQ(4, m_dlg.m_fixtureNumber);
        EXPECT_EQ(CString(L"10"), fwtest::GetItemText(live, IDC_DMX_ADDRESS));
        live.EndDialog(IDCANCEL);
    });
}

TEST_F(DmxDialog, MixedFixtureTableFollowsTheCheckAndTheSegmentCount)
{
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        CSheetCtrl& grid = m_dlg.m_grid;
        SetCheck(live, IDC_DMX_MIXED, true);
        ASSERT_EQ(1, m_dlg.m_mixedFixtures);
        for (int id : { IDC_DMX_SEGMENTS, IDC_DMX_GRID, IDC_DMX_START, IDC_DMX_ADVANCED })
            EXPECT_TRUE(Enabled(live, id)) << id;
        EXPECT_FALSE(Enabled(live, IDC_DMX_FIXTURE));
        EXPECT_FALSE(Enabled(live, IDC_DMX_CHANNELS));

        fwtest::SetItemText(live, IDC_DMX_SEGMENTS, L"3");
        ASSERT_EQ(4, grid.GetRowCount());
        EXPECT_EQ(CString(L"3"), grid.GetItemText(3, 0));
        EXPECT_EQ(3u, m_dlg.m_firstValues.size());
        EXPECT_EQ(3u, m_dlg.m_secondValues.size());

        // Clearing the check cuts the table to its header; setting it again
        // shows the segments with 0 in both value columns.
        SetCheck(live, IDC_DMX_MIXED, false);
        EXPECT_EQ(1, grid.GetRowCount());
        EXPECT_TRUE(Enabled(live, IDC_DMX_FIXTURE));
        EXPECT_FALSE(Enabled(live, IDC_DMX_GRID));

        SetCheck(live, IDC_DMX_MIXED, true);
        ASSERT_EQ(4, grid.GetRowCount());
        for (int row = 1; row <= 3; ++row) {
            CString number;
            number.Format(L"%d", row);
            EXPECT_EQ(number, grid.GetItemText(row, 0));
            EXPECT_EQ(CString(L"0"), grid.GetItemText(row, 1));
            EXPECT_EQ(CString(L"0"), grid.GetItemText(row, 2));
            EXPECT_TRUE(grid.GetItemState(row, 1) & GVIS_MODIFIED);
        }
        EXPECT_EQ(CString(L"SHOW 268"), grid.GetItemText(0, 1));
        live.EndDialog(IDCANCEL);
    });
}

TEST_F(DmxDialog, SegmentCountIsBoundedToTheTable)
{
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        SetCheck(live, IDC_DMX_MIXED, true);
        fwtest::SetItemText(live, IDC_DMX_SEGMENTS, L"-5");
        EXPECT_EQ(1, m_dlg.m_grid.GetRowCount());
        EXPECT_EQ(CString(L"0"), fwtest::GetItemText(live, IDC_DMX_SEGMENTS));
        fwtest::SetItemText(live, IDC_DMX_SEGMENTS, L"2000000000");
        EXPECT_EQ(CPelloxDlg::kMaxSegments + 1, m_dlg.m_grid.GetRowCount());
        EXPECT_EQ(static_cast<size_t>(CPelloxDlg::kMaxSegments), m_dlg.m_firstValues.size());
        CString max;
        max.Format(L"%d", CPelloxDlg::kMaxSegments);
        EXPECT_EQ(max, fwtest::GetItemText(live, IDC_DMX_SEGMENTS));
        live.EndDialog(IDCANCEL);
    });
}

TEST_F(DmxDialog, FirstPortItemGivesItsCheckToEveryPort)
{
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        CCheckListBox& ports = m_dlg.m_ports;
        const auto selChange = [&](int index) {
            ports.SetCurSel(index);
            live.SendMessage(
                WM_COMMAND, MAKEWPARAM(IDC_DMX_PORTS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(ports.m_hWnd));
        };
        ports.SetCheck(0, 0);
        selChange(0);
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(0, ports.GetCheck(i)) << i;

        ports.SetCheck(3, 1);
        selChange(3);
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(i == 3 ? 1 : 0, ports.GetCheck(i)) << i;

        ports.SetCheck(0, 1);
        selChange(0);
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(1, ports.GetCheck(i)) << i;
        live.EndDialog(IDCANCEL);
    });
}

TEST_F(DmxDialog, AdvancedButtonRunsTheTemplateDialogModally)
{
    bool shown = false;
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        SetCheck(live, IDC_DMX_MIXED, true);
        AfxSetDialogInitHook([&](CDialog& inner) {
            if (&inner != &m_dlg.m_advanced)
                return;
            shown = true;
            CString caption;
            inner.GetWindowTextW(caption);
            EXPECT_EQ(CString(L"TITLE 127"), caption);
            EXPECT_EQ(live.m_hWnd, ::GetWindow(inner.m_hWnd, GW_OWNER));
            EXPECT_FALSE(::IsWindowEnabled(live.m_hWnd));
            inner.EndDialog(IDCANCEL);
        });
        fwtest::ClickButton(live, IDC_DMX_ADVANCED);
        AfxSetDialogInitHook(nullptr);
        EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
        live.EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(shown);
}

class DmxTemplate : public ::testing::Test {
protected:
    DmxTemplate() { m_dlg.SetTextSource(KeyNamingTexts()); }

    static std::string ReadAll(const CString& path)
    {
        std::ifstream in(path.GetString(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteAll(const CString& path, const std::string& bytes)
    {
        std::ofstream out(path.GetString(), std::ios::binary);
        out << bytes;
    }

    CScriptedUiHost m_host;
    CTempFolder m_folder;
    CPelloxAdvancedDlg m_dlg;
};

TEST_F(DmxTemplate, NewCopiesTheTemplateOverTheChosenFileAndOpensIt)
{
    const CString source = m_folder.File(L"template.xls");
    const CString target = m_folder.File(L"mine.xls");
    WriteAll(source, "template bytes");
    WriteAll(target, "an older and longer spreadsheet");
    m_dlg.SetTemplatePath(source);
    m_host.ExpectFileSave(target);
    m_host.ExpectMessageBox(IDYES, L"already exists");
    m_host.ExpectShellOpen();
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        CString caption;
        live.GetWindowTextW(caption);
        EXPECT_EQ(CString(L"TITLE 127"), caption);
        EXPECT_EQ(CString(L"TITLE 6"), fwtest::GetItemText(live, IDC_DMX_NEW));
        EXPECT_EQ(CString(L"TITLE 7"), fwtest::GetItemText(live, IDC_DMX_OPEN));
        fwtest::ClickButton(live, IDC_DMX_NEW);
        EXPECT_EQ(target, fwtest::GetItemText(live, IDC_DMX_FILE));
        live.EndDialog(IDCANCEL);
    });
    EXPECT_EQ("template bytes", ReadAll(target));
    EXPECT_EQ(target, m_dlg.m_filePath);
    EXPECT_EQ(CString(L"Excel Files(*.xls)|*.xls||"), m_host.m_lastFileRequest.strFilter);
    EXPECT_FALSE(m_host.m_lastFileRequest.bOpen);
    EXPECT_TRUE(m_host.m_lastFileRequest.dwFlags & OFN_OVERWRITEPROMPT);
    EXPECT_TRUE(m_host.m_lastFileRequest.strDefExt.IsEmpty());
    ASSERT_EQ(3u, m_host.Transcript().size());
    EXPECT_EQ(CString(L"ShellOpen: ") + target, m_host.Transcript()[2]);
}

TEST_F(DmxTemplate, ShippedTemplateIsCopiedFromTheConfigFolder)
{
    const CString target = m_folder.File(L"shipped.xls");
    m_host.ExpectFileSave(target);
    m_host.ExpectShellOpen();
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        fwtest::ClickButton(live, IDC_DMX_NEW);
        live.EndDialog(IDCANCEL);
    });
    const std::string copied = ReadAll(target);
    EXPECT_FALSE(copied.empty());
    EXPECT_EQ(ReadAll(GetConfigFolder() + L"DMX.xls"), copied);
}

TEST_F(DmxTemplate, MissingTemplateIsReportedAndNothingIsOpened)
{
    const CString target = m_folder.File(L"never.xls");
    m_dlg.SetTemplatePath(m_folder.File(L"missing.xls"));
    m_host.ExpectFileSave(target);
    // The message is the language file's text.
    m_host.ExpectMessageBox(IDOK, L"SHOW 270");
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        fwtest::ClickButton(live, IDC_DMX_NEW);
        EXPECT_TRUE(fwtest::GetItemText(live, IDC_DMX_FILE).IsEmpty());
        live.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(target));
    EXPECT_TRUE(m_dlg.m_filePath.IsEmpty());
}

TEST_F(DmxTemplate, CancelledSaveDialogCopiesNothing)
{
    m_host.ExpectCancel(CScriptedUiHost::Kind::FileSave);
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        fwtest::ClickButton(live, IDC_DMX_NEW);
        live.EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(m_dlg.m_filePath.IsEmpty());
    EXPECT_EQ(1u, m_host.Transcript().size());
}

TEST(HwDialogTexts, ShippedLanguageFilesHaveEveryLabel)
{
    const struct {
        LPCWSTR section;
        int key;
    } keys[] = { { L"LAYOUT", 143 }, { L"TITLE", 1 }, { L"TITLE", 3 }, { L"TITLE", 4 }, { L"TITLE", 6 },
        { L"TITLE", 7 }, { L"TITLE", 12 }, { L"TITLE", 127 }, { L"TITLE", 257 }, { L"TITLE", 258 }, { L"TITLE", 259 },
        { L"TITLE", 296 }, { L"TITLE", 297 }, { L"TITLE", 308 }, { L"TITLE", 309 }, { L"TITLE", 318 }, { L"SHOW", 263 },
        { L"SHOW", 264 }, { L"SHOW", 265 }, { L"SHOW", 266 }, { L"SHOW", 267 }, { L"SHOW", 268 }, { L"SHOW", 269 },
        { L"SHOW", 270 }, { L"SHOW", 273 }, { L"SHOW", 274 } };
    for (LPCWSTR language : { L"Eng", L"Chs", L"Cht", L"French" }) {
        const CString path = GetConfigFolder() + language + L".ini";
        for (const auto& k : keys) {
            WCHAR value[256] = {};
            CString key;
            key.Format(L"%d", k.key);
            ::GetPrivateProfileStringW(k.section, key, L"", value, 256, path);
            EXPECT_NE(L'\0', value[0]) << CStringA(path).GetString() << " " << CStringA(k.section).GetString() << " "
                                       << k.key;
        }
    }
    // The port number comes first: "1 port".
    WCHAR unit[64] = {};
    ::GetPrivateProfileStringW(L"SHOW", L"263", L"", unit, 64, GetConfigFolder() + L"Eng.ini");
    EXPECT_EQ(CString(L" port"), CString(unit));
}
