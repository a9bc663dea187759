// The hardware settings dialog driven through its controls: opening state,
// models and the chip page's controls, configuration-only toggle, synchronised
// play, a generation with its progress and end, quitting a generation, and
// the hidden key sequence.
#include "DlgHardSet.h"
#include "offline_test_support.h"

using fwtest::CScriptedUiHost;
using namespace offtest;

namespace {

class HardSetDialog : public OfflineTest {
protected:
    HardSetDialog()
        : m_dlg(m_config)
    {
        m_dlg.SetDocument(m_doc.get());
        m_dlg.SetOutputHost(&m_output);
        // No chip database: the page applies no chip and writes no file.
        m_dlg.Page().SetChipDatabasePath(m_folder.File(L"Chip.ini"));
    }

    static bool Enabled(CWnd& wnd, int id) { return ::IsWindowEnabled(::GetDlgItem(wnd.m_hWnd, id)) != FALSE; }
    static bool Checked(CWnd& wnd, int id) { return ::IsDlgButtonChecked(wnd.m_hWnd, id) == BST_CHECKED; }
    static bool Visible(CWnd& wnd, int id) { return ::IsWindowVisible(::GetDlgItem(wnd.m_hWnd, id)) != FALSE; }
    static LRESULT ComboSel(CWnd& wnd, int id) { return ::SendDlgItemMessageW(wnd.m_hWnd, id, CB_GETCURSEL, 0, 0); }
    static void SelectCombo(CWnd& wnd, int id, int index)
    {
        ::SendDlgItemMessageW(wnd.m_hWnd, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(wnd.m_hWnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
            reinterpret_cast<LPARAM>(::GetDlgItem(wnd.m_hWnd, id)));
    }
    static void SetCheck(CWnd& wnd, int id, bool on)
    {
        ::CheckDlgButton(wnd.m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED);
        fwtest::ClickButton(wnd, id);
    }

    CTempFolder m_folder;
    CDlgHardSet m_dlg;
};

TEST_F(HardSetDialog, OpensWithModelOptionsAndLanguageTexts)
{
    m_config.SetModelName(L"QV-PW64");
    m_doc->m_filePerSegment = 1;
    const INT_PTR result = fwtest::RunModal(m_dlg, [&](CDialog& live) {
        EXPECT_EQ(2, ComboSel(live, IDC_HS_MODEL));
        EXPECT_EQ(4, ::SendDlgItemMessageW(live.m_hWnd, IDC_HS_MODEL, CB_GETCOUNT, 0, 0));
        EXPECT_TRUE(Checked(live, IDC_HS_WRITE_CONFIG));
        EXPECT_TRUE(Checked(live, IDC_HS_BY_SEGMENT));
        EXPECT_FALSE(Visible(live, IDC_HS_PROGRESS));
        EXPECT_EQ(0, ComboSel(live, IDC_HS_SIZE_LIMIT));
        const int data[] = { 1, 2, 0xFFFF };
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(data[i], ::SendDlgItemMessageW(live.m_hWnd, IDC_HS_SIZE_LIMIT, CB_GETITEMDATA, i, 0));
        EXPECT_EQ(CString(L"ITEM_TITLE 32"), fwtest::GetItemText(live, IDC_HS_GENERATE));
        EXPECT_EQ(CString(L"ITEM_TITLE 189"), fwtest::GetItemText(live, IDC_HS_CARD_TOOL));
        CString caption;
        live.GetWindowTextW(caption);
        EXPECT_EQ(CString(L"KVMENU 53"), caption);
        // Model 2 drives the brightness sliders.
        EXPECT_TRUE(Enabled(m_dlg.Page(), IDC_CP_BRIGHTNESS_A));
        fwtest::ClickButton(live, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
}

// Each visible control lies wholly inside its window and, when asked, apart
// from the others: either inside a group box or clear of it.
void ExpectVisibleControlsLaidOutIn(HWND parent, bool apart)
{
    CRect area;
    ::GetClientRect(parent, &area);
    ::MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
    struct Control {
        int id;
        CRect rect;
        bool group;
    };
    std::vector<Control> controls;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child))
            continue;
        CRect rect;
        ::GetWindowRect(child, &rect);
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        wchar_t cls[32] = {};
        ::GetClassNameW(child, cls, 32);
        const bool group = ::lstrcmpiW(cls, L"Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX;
        controls.push_back({ ::GetDlgCtrlID(child), rect, group });
        CRect both;
        both.UnionRect(&rect, &area);
        EXPECT_TRUE(both == area) << "control " << ::GetDlgCtrlID(child) << " is cut by its window";
    }
    for (size_t a = 0; apart && a < controls.size(); ++a) {
        for (size_t b = a + 1; b < controls.size(); ++b) {
            const Control& one = controls[a];
            const Control& other = controls[b];
            CRect common;
            if (!common.IntersectRect(&one.rect, &other.rect))
                continue;
            const bool nested = (one.group && common == other.rect) || (other.group && common == one.rect);
            EXPECT_TRUE(nested) << "controls " << one.id << " and " << other.id << " overlap";
        }
    }
}

TEST_F(HardSetDialog, TheChipPageAndTheOutputRowsShowWhole)
{
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        // Without a chip every page control shows, the chip's alternatives on
        // top of each other; only the page's bounds are checked here.
        ExpectVisibleControlsLaidOutIn(m_dlg.Page().m_hWnd, false);
        ExpectVisibleControlsLaidOutIn(live.m_hWnd, true);
        fwtest::ClickButton(live, IDCANCEL);
    });
}

TEST_F(HardSetDialog, ModelWithoutConfigurationDisablesThePageAndRestoresIt)
{
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        CWnd& page = m_dlg.Page();
        EXPECT_FALSE(Enabled(page, IDC_CP_BRIGHTNESS));
        EXPECT_FALSE(Enabled(page, IDC_CP_OE_PERIODS)); // disabled by the page itself
        EXPECT_TRUE(Enabled(page, IDC_CP_CHANNELS));

        SelectCombo(live, IDC_HS_MODEL, kModelWithoutConfig);
        EXPECT_FALSE(Checked(live, IDC_HS_WRITE_CONFIG));
        EXPECT_FALSE(Enabled(live, IDC_HS_WRITE_CONFIG));
        EXPECT_FALSE(Enabled(page, IDC_CP_CHANNELS));
        EXPECT_FALSE(Enabled(page, IDC_CP_CHIP));
        // Twice in a row keeps the first list.
        SelectCombo(live, IDC_HS_MODEL, kModelWithoutConfig);

        SelectCombo(live, IDC_HS_MODEL, 1);
        EXPECT_TRUE(Checked(live, IDC_HS_WRITE_CONFIG));
        EXPECT_TRUE(Enabled(live, IDC_HS_WRITE_CONFIG));
        EXPECT_TRUE(Enabled(page, IDC_CP_CHANNELS));
        EXPECT_TRUE(Enabled(page, IDC_CP_CHIP));
        EXPECT_FALSE(Enabled(page, IDC_CP_OE_PERIODS));
        EXPECT_FALSE(Enabled(page, IDC_CP_BRIGHTNESS_D));

        SelectCombo(live, IDC_HS_MODEL, 2);
        EXPECT_TRUE(Enabled(page, IDC_CP_BRIGHTNESS_D));
        fwtest::ClickButton(live, IDCANCEL);
    });
}

TEST_F(HardSetDialog, ConfigurationOnlyTogglesTheRecordingOptions)
{
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        SelectCombo(live, IDC_HS_MODEL, kModelWithoutConfig);
        const int options[]
            = { IDC_HS_GPS, IDC_HS_BTS, IDC_HS_SIZE_LIMIT, IDC_HS_BY_SEGMENT, IDC_HS_WRITE_CONFIG, IDC_HS_CARD_TOOL };
        SetCheck(live, IDC_HS_CONFIG_ONLY, true);
        for (int id : options)
            EXPECT_FALSE(Enabled(live, id)) << id;
        EXPECT_EQ(CString(L"ITEM_TITLE 188"), fwtest::GetItemText(live, IDC_HS_GENERATE));
        SetCheck(live, IDC_HS_CONFIG_ONLY, false);
        for (int id : options)
            EXPECT_TRUE(Enabled(live, id)) << id; // 1167 too, whatever the model
        EXPECT_EQ(CString(L"ITEM_TITLE 32"), fwtest::GetItemText(live, IDC_HS_GENERATE));
        fwtest::ClickButton(live, IDCANCEL);
    });
}

TEST_F(HardSetDialog, SyncChecksSetEverySegmentAndBySegmentTheDocument)
{
    MakeRecordable(3);
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        SetCheck(live, IDC_HS_BTS, true);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(1, m_doc->GetSegment(i)->m_pSegmentInfo->m_timePlay.m_gpsMode);
        SetCheck(live, IDC_HS_BTS, false);
        EXPECT_EQ(0, m_doc->GetSegment(2)->m_pSegmentInfo->m_timePlay.m_gpsMode);
        SetCheck(live, IDC_HS_BY_SEGMENT, false);
        EXPECT_EQ(0, m_doc->m_filePerSegment);
        fwtest::ClickButton(live, IDCANCEL);
    });
}

TEST_F(HardSetDialog, GenerationShowsProgressAndOpensTheFolderAtTheLastFrame)
{
    MakeRecordable(2, 120, 100);
    m_doc->m_offlineEncryption = 1;
    m_doc->m_offlinePassword[0] = 'a';
    const INT_PTR result = fwtest::RunModal(m_dlg, [&](CDialog& live) {
        SelectCombo(live, IDC_HS_SIZE_LIMIT, 2);
        m_ui.ExpectFolder(L"C:\\cards");
        fwtest::ClickButton(live, IDC_HS_GENERATE);
        ASSERT_EQ(1u, PanelCalls(WM_RECORD_OFFLINE).size());
        EXPECT_EQ(0xFFFF, m_doc->m_fileSizeLimit);
        EXPECT_TRUE(Visible(live, IDC_HS_PROGRESS));
        EXPECT_FALSE(Enabled(live, IDC_HS_GENERATE));
        EXPECT_FALSE(Enabled(live, IDOK));
        EXPECT_FALSE(Enabled(live, IDCANCEL));

        m_dlg.OnOfflineProgress(1);
        m_dlg.OnOfflineProgress(99);
        EXPECT_EQ(99, ::SendDlgItemMessageW(live.m_hWnd, IDC_HS_PROGRESS, PBM_GETPOS, 0, 0));
        EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
        m_ui.ExpectMessageBox(IDOK, L"SHOW 3");
        m_ui.ExpectShellOpen();
        m_dlg.OnOfflineProgress(100);
        // Success is told in a box of the program, over this dialog.
        EXPECT_EQ(m_ui.m_hLastMessageBoxOwner, live.m_hWnd);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(m_ui.m_strLastMessageBoxCaption, AfxGetAppTitle());
    EXPECT_FALSE(m_ui.m_strLastMessageBoxCaption.IsEmpty());
    EXPECT_EQ(m_ui.m_nLastMessageBoxType & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    ASSERT_EQ(3u, m_ui.Transcript().size());
    EXPECT_EQ(CString(L"ShellOpen: C:\\cards"), m_ui.Transcript()[2]);
    EXPECT_TRUE(m_output.m_cardwell.empty());
    // The encryption of this run ends with the window.
    EXPECT_EQ(0, m_doc->m_offlineEncryption);
    EXPECT_EQ(0, m_doc->m_offlinePassword[0]);
    // A late report after the window is gone does nothing.
    m_dlg.OnOfflineProgress(100);
}

TEST_F(HardSetDialog, CardToolCheckHandsTheFolderToCardwell)
{
    MakeRecordable();
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        SetCheck(live, IDC_HS_CARD_TOOL, true);
        m_ui.ExpectFolder(L"D:\\sd");
        fwtest::ClickButton(live, IDC_HS_GENERATE);
        m_ui.ExpectMessageBox(IDOK, L"SHOW 3");
        m_dlg.OnOfflineProgress(100);
    });
    ASSERT_EQ(1u, m_output.m_cardwell.size());
    EXPECT_EQ(CString(L"D:\\sd"), m_output.m_cardwell[0]);
    // The check keeps its value for the next run.
    EXPECT_EQ(1, m_dlg.m_cardTool);
}

TEST_F(HardSetDialog, AFailedRunEndsTheGenerationWithoutSuccess)
{
    MakeRecordable();
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        SetCheck(live, IDC_HS_CARD_TOOL, true);
        m_ui.ExpectFolder(L"D:\\sd");
        fwtest::ClickButton(live, IDC_HS_GENERATE);
        m_dlg.OnOfflineProgress(40);
        // The engine could not write the files (it told the user itself).
        m_dlg.OnOfflineProgress(-1);
        EXPECT_FALSE(Visible(live, IDC_HS_PROGRESS));
        EXPECT_TRUE(Enabled(live, IDC_HS_GENERATE));
        EXPECT_TRUE(Enabled(live, IDOK));
        EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
        // A late count of a stopped run announces nothing.
        m_dlg.OnOfflineProgress(100);
        EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
        fwtest::ClickButton(live, IDCANCEL);
    });
    EXPECT_EQ(m_ui.Transcript().size(), 1u) << "only the folder was asked";
    EXPECT_TRUE(m_output.m_cardwell.empty());
}

TEST_F(HardSetDialog, RefusedGenerationLeavesTheDialogIdle)
{
    MakeRecordable();
    m_output.m_result = ConfigWriteResult::kDeclined;
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        m_ui.ExpectFolder(L"D:\\sd");
        fwtest::ClickButton(live, IDC_HS_GENERATE);
        EXPECT_TRUE(PanelCalls(WM_RECORD_OFFLINE).empty());
        EXPECT_FALSE(Visible(live, IDC_HS_PROGRESS));
        EXPECT_TRUE(Enabled(live, IDC_HS_GENERATE));
        // No success is reported for frames that were never asked for.
        m_dlg.OnOfflineProgress(0);
        EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
        fwtest::ClickButton(live, IDCANCEL);
    });
    EXPECT_TRUE(m_doc->GetOfflineFolder().IsEmpty());
}

TEST_F(HardSetDialog, ClosingDuringAGenerationAsksAndStopsTheRecording)
{
    MakeRecordable();
    const INT_PTR result = fwtest::RunModal(m_dlg, [&](CDialog& live) {
        m_ui.ExpectFolder(L"D:\\sd");
        fwtest::ClickButton(live, IDC_HS_GENERATE);
        m_ui.ExpectMessageBox(IDNO, L"Quit?");
        live.SendMessage(WM_CLOSE);
        EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
        // Escape asks the same question instead of leaving the engine running.
        m_ui.ExpectMessageBox(IDNO, L"Quit?");
        live.SendMessage(WM_COMMAND, IDCANCEL);
        EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
        // Enter (OK) does nothing while the generation runs.
        live.SendMessage(WM_COMMAND, IDOK);
        EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
        m_ui.ExpectMessageBox(IDYES, L"Quit?");
        live.SendMessage(WM_CLOSE);
    });
    EXPECT_EQ(IDOK, result);
    const auto calls = PanelCalls(WM_RECORD_OFFLINE);
    ASSERT_EQ(2u, calls.size());
    EXPECT_FALSE(calls[1].posted);
    EXPECT_EQ(1u, calls[1].wParam);
    EXPECT_EQ(DOC_PANEL_VIEW, calls[1].panel);
}

TEST_F(HardSetDialog, OkStoresTheModelNameAndCloseDoesNot)
{
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        SelectCombo(live, IDC_HS_MODEL, 1);
        live.SendMessage(WM_CLOSE);
    });
    EXPECT_TRUE(m_config.GetModelName().IsEmpty());
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        SelectCombo(live, IDC_HS_MODEL, 1);
        fwtest::ClickButton(live, IDOK);
    });
    EXPECT_EQ(CString(L"QV-737"), m_config.GetModelName());
}

TEST_F(HardSetDialog, HiddenKeySequenceOpensTheEncryptionSetting)
{
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        auto typed = [&](const char* keys) {
            int completed = 0;
            for (const char* k = keys; *k != '\0'; ++k) {
                MSG msg {};
                msg.hwnd = ::GetDlgItem(live.m_hWnd, IDC_HS_MODEL);
                msg.message = WM_KEYDOWN;
                msg.wParam = static_cast<unsigned char>(*k);
                completed += m_dlg.HiddenKeyFilter(&msg) ? 1 : 0;
            }
            return completed;
        };
        EXPECT_EQ(1, typed("KWPZ"));
        EXPECT_EQ(1, typed("XKWPZ")); // a wrong first key is dropped at once
        EXPECT_EQ(1, typed("KWXKWPZ")); // a wrong third key: typed again from the start
        EXPECT_EQ(0, typed("KWPX"));
        EXPECT_TRUE(m_dlg.KeyBuffer().IsEmpty());
        EXPECT_EQ(0, typed("KWP"));
        EXPECT_EQ(CStringA("KWP"), m_dlg.KeyBuffer());
        EXPECT_EQ(0, typed("A"));
        EXPECT_TRUE(m_dlg.KeyBuffer().IsEmpty());
        // Drop the posted requests so that no encryption dialog opens.
        MSG pending;
        while (::PeekMessageW(&pending, live.m_hWnd, WM_OFFLINE_ENCRYPTION, WM_OFFLINE_ENCRYPTION, PM_REMOVE)) { }
        fwtest::ClickButton(live, IDCANCEL);
    });
}

} // namespace
