// The main frame: panes and their sizes, toolbar and status bar, caption,
// language choice at creation and by command, the controller screen and
// protocol, four-colour modes, layout commands and their read-back, tool
// start through the shell, the update check, hardware dialog and relayed
// messages.
#include "AppPaths.h"
#include "input_dialogs.h"
#include "installer_language.h"
#include "lang_service.h"
#include "menu_localizer.h"
#include "player_panel.h"
#include "property_panel.h"
#include "resource.h"
#include "shell_test_support.h"
#include "show_messages.h"
#include "tree_panel.h"

using fwtest::CScriptedUiHost;
using shelltest::CFakeServices;
using shelltest::CShellSession;
using shelltest::CTempProgramFolder;

namespace {

// The shipped language files in a private program folder.
struct FrameFixture : ::testing::Test {
    CTempProgramFolder folder;
    CScriptedUiHost host;
    CFakeServices services;

    void SetUp() override
    {
        ASSERT_TRUE(folder.CopyShippedLanguages());
        folder.WriteSoftConf(L"Vantrel", L"1033");
        services.m_screen = 3;
    }
    CString SoftLang() const { return ReadSoftConf(L"Soft", L"Lang"); }
};

CString WindowText(CWnd* wnd)
{
    CString text;
    if (wnd != nullptr)
        wnd->GetWindowText(text);
    return text;
}

TEST_F(FrameFixture, PanesBarsCaptionAndScreen)
{
    CShellSession s(services);
    ASSERT_NE(s.m_frame, nullptr);
    CMainFrame& frame = *s.m_frame;
    EXPECT_EQ(WindowText(&frame), CString(L"Vantrel"));
    EXPECT_EQ(frame.GetScreen(), 3);
    EXPECT_EQ(frame.LanguageId, 1u);

    // Left column 250 wide (at least 40), preview on the right, tree above properties.
    int cur = 0, min = 0;
    frame.m_wndSplitter.GetColumnInfo(0, cur, min);
    EXPECT_EQ(cur, 250);
    EXPECT_EQ(min, 40);
    EXPECT_TRUE(frame.m_wndSplitter.GetPane(0, 1)->IsKindOf(RUNTIME_CLASS(CViewpanel)));
    EXPECT_EQ(frame.m_wndSplitter.GetPane(0, 0)->m_hWnd, frame.m_wndSplitter2.m_hWnd);
    EXPECT_TRUE(frame.m_wndSplitter2.GetPane(0, 0)->IsKindOf(RUNTIME_CLASS(CManagerPanel)));
    EXPECT_TRUE(frame.m_wndSplitter2.GetPane(1, 0)->IsKindOf(RUNTIME_CLASS(CPropertypanel)));
    frame.m_wndSplitter2.GetRowInfo(0, cur, min);
    EXPECT_EQ(cur, 350);

    // The document found its panels on the first update.
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->m_pViewPanel, frame.m_wndSplitter.GetPane(0, 1));
    EXPECT_NE(doc->m_pTreePanel, nullptr);
    EXPECT_NE(doc->m_pPropertyPanel, nullptr);

    // Seven buttons in resource order, relabelled in English.
    CToolBar& tb = frame.m_wndToolBar;
    const UINT ids[] = { ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_LAYOUT_DESIGN, ID_COLOR_EFFECT_BUTTON,
        ID_COLOR_PLUS_BUTTON, ID_OFFLINE_BUTTON };
    ASSERT_EQ(tb.GetCount(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(tb.GetItemID(i), ids[i]) << i;
    EXPECT_EQ(tb.GetButtonText(0), CString(L"New Project"));
    EXPECT_EQ(tb.GetButtonText(5), CString(L"Zazez Urad"));
    EXPECT_EQ(tb.GetButtonText(6), CString(L"Off-line Files"));
    EXPECT_NE(tb.GetButtonStyle(3) & TBSTYLE_DROPDOWN, 0u);
    EXPECT_NE(tb.GetButtonStyle(4) & TBSTYLE_DROPDOWN, 0u);
    EXPECT_EQ(tb.GetButtonStyle(5) & TBSTYLE_DROPDOWN, 0u);
    EXPECT_EQ(ImageList_GetImageCount(tb.GetToolBarCtrl().GetImageListHandle()), 7);
    EXPECT_EQ(frame.m_wndStatusBar.GetCount(), 2);

    // Toolbar above, status bar below, splitter in between.
    CRect tbRect, sbRect, spRect;
    tb.GetWindowRect(&tbRect);
    frame.m_wndStatusBar.GetWindowRect(&sbRect);
    frame.m_wndSplitter.GetWindowRect(&spRect);
    EXPECT_EQ(spRect.top, tbRect.bottom);
    EXPECT_EQ(spRect.bottom, sbRect.top);

    // Creation order of the library calls.
    ASSERT_GE(services.m_calls.size(), 3u);
    EXPECT_EQ(services.m_calls[0], CString(L"NewScreen"));
    EXPECT_TRUE(services.Called(L"SetControllerLanguage 1"));
    EXPECT_TRUE(services.Called(L"SetMovieMakerLanguage 1"));
    EXPECT_EQ(services.CountOf(L"SetProtocolVersion"), 0);

    frame.SetStatusText(L"x = 1, y = 2", TRUE);
    EXPECT_EQ(frame.m_wndStatusBar.GetStatusText(), CString(L"x = 1, y = 2"));
    EXPECT_EQ(frame.m_wndSplitter.m_cxBorder, 5);
    EXPECT_EQ(frame.m_wndSplitter.m_cyBorder, 5);
    EXPECT_EQ(frame.m_wndSplitter2.m_cxBorder, 2);
    EXPECT_EQ(frame.m_wndSplitter2.m_cyBorder, 2);
}

TEST_F(FrameFixture, LanguageAtCreationFromTheSettingsFileOrTheInstaller)
{
    CString title;
    title.Format(L"VantrelShellFrame%lu", ::GetCurrentProcessId());
    CString key = UninstallKeyOf(title);
    HKEY hKey = nullptr;
    ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr);
    const WCHAR korean[] = L"1042";
    ::RegSetValueExW(hKey, L"NSIS:Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(korean), sizeof(korean));
    ::RegCloseKey(hKey);

    struct Case {
        LPCWSTR lang;
        UINT id;
        LPCWSTR saved;
    };
    const Case cases[]
        = { { L"", 6, L"1042" }, { L"1028", 3, L"1028" }, { L"2052", 2, L"2052" }, { L"1036", 4, L"1036" } };
    for (const Case& c : cases) {
        folder.WriteSoftConf(title, c.lang);
        CShellSession s(services);
        ASSERT_NE(s.m_frame, nullptr);
        EXPECT_EQ(s.m_frame->LanguageId, c.id) << CStringA(c.lang).GetString();
        EXPECT_EQ(SoftLang(), CString(c.saved));
    }
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, key);

    // No installer value either: 0 is written.
    folder.WriteSoftConf(title, L"");
    CShellSession s(services);
    EXPECT_EQ(SoftLang(), CString(L"0"));
    EXPECT_EQ(s.m_frame->LanguageId, 2u);
}

TEST_F(FrameFixture, ProtocolThreeOnlyForTheExactBuildTitle)
{
    for (LPCWSTR title : { L"Korvash Build", L"korvash build" }) {
        folder.WriteSoftConf(title, L"1033");
        services.m_calls.clear();
        CShellSession s(services);
        EXPECT_EQ(services.Called(L"SetProtocolVersion 3"), CString(title) == L"Korvash Build");
        // The update item belongs to the product title only.
        CMenu* bar = s.m_frame->GetMenu();
        EXPECT_EQ(bar->GetMenuState(ID_CHECK_UPDATE, MF_BYCOMMAND), static_cast<UINT>(-1));
    }
}

TEST_F(FrameFixture, LanguageCommandSavesRelabelsAndMovesTheCheck)
{
    folder.WriteSoftConf(L"Vantrel", L"2052");
    CShellSession s(services);
    CMainFrame& frame = *s.m_frame;
    CMenu* bar = frame.GetMenu();
    EXPECT_EQ(MenuItemText(bar, ID_LAYOUT_NEW), CString(L"新建布线"));
    EXPECT_EQ(frame.m_wndToolBar.GetButtonText(0), CString(L"新建项目"));

    services.m_calls.clear();
    fwtest::SendCommand(frame, ID_LANG_ENGLISH);
    EXPECT_EQ(frame.LanguageId, 1u);
    EXPECT_EQ(SoftLang(), CString(L"1033"));
    EXPECT_EQ(MenuItemText(bar, ID_LAYOUT_NEW), CString(L"New Layout"));
    EXPECT_EQ(MenuItemText(bar, ID_LANG_CHINESE), CString(L"中文(Chinese)"));
    EXPECT_EQ(frame.m_wndToolBar.GetButtonText(0), CString(L"New Project"));
    EXPECT_TRUE(services.Called(L"SetControllerLanguage 1"));
    EXPECT_TRUE(services.Called(L"SetMovieMakerLanguage 1"));

    CMenu* languages = bar->GetSubMenu(4)->GetSubMenu(1);
    frame.UpdateMenuCmdUI(languages);
    EXPECT_NE(languages->GetMenuState(ID_LANG_ENGLISH, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(languages->GetMenuState(ID_LANG_CHINESE, MF_BYCOMMAND) & MF_CHECKED, 0u);

    fwtest::SendCommand(frame, ID_LANG_KOREAN);
    EXPECT_EQ(frame.LanguageId, 6u);
    EXPECT_EQ(SoftLang(), CString(L"1042"));
    // French, whose files ship like the others, has its item too.
    fwtest::SendCommand(frame, ID_LANG_FRENCH);
    EXPECT_EQ(frame.LanguageId, 4u);
    EXPECT_EQ(SoftLang(), CString(L"1036"));
    frame.UpdateMenuCmdUI(languages);
    EXPECT_NE(languages->GetMenuState(ID_LANG_FRENCH, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(languages->GetMenuState(ID_LANG_KOREAN, MF_BYCOMMAND) & MF_CHECKED, 0u);
    fwtest::SendCommand(frame, ID_LANG_TRADITIONAL);
    EXPECT_EQ(SoftLang(), CString(L"1028"));
    EXPECT_EQ(frame.LanguageId, 3u);
    // Each item names its language in one line: a line break in a menu item
    // shows as a box.
    for (UINT item : { ID_LANG_CHINESE, ID_LANG_TRADITIONAL, ID_LANG_ENGLISH, ID_LANG_FRENCH, ID_LANG_KOREAN })
        EXPECT_EQ(MenuItemText(bar, item).FindOneOf(L"\r\n\t"), -1) << item;
    // Missing Cht.ini: texts are empty and labels stay as they were.
    EXPECT_TRUE(frame.GetLangText(L"KVMENU", 21).IsEmpty());
    EXPECT_EQ(MenuItemText(bar, ID_LAYOUT_NEW), CString(L"New Layout"));
}

TEST_F(FrameFixture, FourColourModes)
{
    CShellSession s(services);
    CMainFrame& frame = *s.m_frame;
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);

    doc->SetModifiedFlag(FALSE);
    fwtest::SendCommand(frame, ID_FOUR_COLOR_BRIGHT);
    EXPECT_EQ(frame.FourColorMode, 2);
    EXPECT_TRUE(services.Called(L"SetFourColor 3 2 0"));
    EXPECT_EQ(doc->m_projectSettings.m_colorMode, 2);
    // The mode is part of the project: a change asks to be saved, the same
    // mode again changes nothing.
    EXPECT_TRUE(doc->IsModified());
    doc->SetModifiedFlag(FALSE);
    fwtest::SendCommand(frame, ID_FOUR_COLOR_BRIGHT);
    EXPECT_FALSE(doc->IsModified());
    CMenu* modes = frame.GetMenu()->GetSubMenu(4)->GetSubMenu(2);
    frame.UpdateMenuCmdUI(modes);
    EXPECT_NE(modes->GetMenuState(ID_FOUR_COLOR_BRIGHT, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(modes->GetMenuState(ID_FOUR_COLOR_OFF, MF_BYCOMMAND) & MF_CHECKED, 0u);

    // The white value comes from the real number input dialog, answered as
    // the user would; a typed number is clamped to a byte.
    struct Case {
        bool ok;
        LPCWSTR typed;
        int stored;
    };
    doc->m_projectSettings.m_whiteValue = 17;
    for (const Case& c : { Case { true, L"300", 255 }, Case { true, L"255", 255 }, Case { true, L"254", 254 },
             Case { true, L"-3", 0 }, Case { true, L"128", 128 }, Case { false, L"99", 128 } }) {
        services.m_calls.clear();
        frame.FourColorMode = 0;
        doc->m_projectSettings.m_colorMode = 0;
        const int before = doc->m_projectSettings.m_whiteValue;
        doc->SetModifiedFlag(FALSE);
        int dialogs = 0;
        CString shown;
        {
            shelltest::CDialogInitHook hook([&](CDialog& live) {
                ++dialogs;
                EXPECT_TRUE(live.IsKindOf(RUNTIME_CLASS(CNumberInputDlg)));
                shown = fwtest::GetItemText(live, IDC_NI_VALUE);
                fwtest::SetItemText(live, IDC_NI_VALUE, c.typed);
                fwtest::ClickButton(live, c.ok ? IDOK : IDCANCEL);
            });
            fwtest::SendCommand(frame, ID_FOUR_COLOR_FIXED_WHITE);
        }
        EXPECT_EQ(dialogs, 1);
        CString expected;
        expected.Format(L"%d", before);
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(doc->m_projectSettings.m_whiteValue, c.stored) << c.typed;
        EXPECT_EQ(doc->IsModified(), c.ok ? TRUE : FALSE) << c.typed;
        if (c.ok) {
            CString call;
            call.Format(L"SetFourColor 3 11 %d", c.stored);
            EXPECT_TRUE(services.Called(call)) << c.typed;
            EXPECT_EQ(frame.FourColorMode, 11);
            EXPECT_EQ(doc->m_projectSettings.m_colorMode, 11);
        } else {
            EXPECT_EQ(services.CountOf(L"SetFourColor"), 0);
            EXPECT_EQ(frame.FourColorMode, 0);
            EXPECT_EQ(doc->m_projectSettings.m_colorMode, 0);
        }
    }
    frame.UpdateMenuCmdUI(modes);
    EXPECT_EQ(modes->GetMenuState(ID_FOUR_COLOR_FIXED_WHITE, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(WhiteValueFromInput(-1), 0);
    EXPECT_EQ(WhiteValueFromInput(256), 255);
}

TEST_F(FrameFixture, ToolsStartThroughTheShellByName)
{
    CShellSession s(services);
    const struct {
        UINT id;
        CString file;
    } tools[] = {
        { ID_TOOL_PAINT, L"mspaint.exe" },
        { ID_TOOL_NOTEPAD, L"notepad.exe" },
        { ID_TOOL_CALC, L"calc.exe" },
        { ID_TOOL_MAGNIFY, L"magnify.exe" },
        { ID_TOOL_WORD, L"WINWORD.exe" },
        { ID_TOOL_EXCEL, L"EXCEL.exe" },
        { ID_TOOL_TAVISK, folder.PathNoSlash() + L"\\Tavisk.exe" },
        { ID_TOOL_CARDWELL, folder.PathNoSlash() + L"\\Cardwell.exe" },
        { ID_TOOL_BRENLOW, folder.PathNoSlash() + L"\\Brenlow.exe" },
        { ID_TOOL_PELLOX, folder.PathNoSlash() + L"\\Pellox.exe" },
    };
    for (const auto& tool : tools) {
        // A failed start is not reported.
        host.ExpectShellOpen(FALSE);
        fwtest::SendCommand(*s.m_frame, tool.id);
        ASSERT_FALSE(host.Transcript().empty());
        EXPECT_EQ(host.Transcript().back(), L"ShellOpen: " + tool.file);
    }
    EXPECT_EQ(host.PendingCount(), 0u);
    EXPECT_TRUE(ToolFileOfCommand(ID_LAYOUT_NEW, L"C:\\x").IsEmpty());
}

TEST_F(FrameFixture, UpdateCheckCommand)
{
    CShellSession s(services);
    HWND frame = s.m_frame->m_hWnd;
    struct Case {
        int found, confirm, install;
        bool notice, close;
    };
    for (const Case& c : { Case { 0, 1, 1, true, false }, Case { 1, 1, 1, false, true }, Case { 1, 0, 1, false, false },
             Case { 1, 1, 0, false, false }, Case { 3, 1, 1, false, false } }) {
        services.m_checkUpdate = c.found;
        services.m_confirm = c.confirm;
        services.m_install = c.install;
        services.m_calls.clear();
        fwtest::SendCommand(*s.m_frame, ID_CHECK_UPDATE);
        EXPECT_EQ(services.Called(L"ShowNoUpdate 1"), c.notice);
        MSG msg;
        bool closing = ::PeekMessageW(&msg, frame, WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
        EXPECT_EQ(closing, c.close) << c.found << c.confirm << c.install;
    }
}

TEST_F(FrameFixture, LayoutDesignReadsBackThePixelMap)
{
    CShellSession s(services);
    CMainFrame& frame = *s.m_frame;
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    doc->m_projectSettings.m_width = 320;
    doc->m_projectSettings.m_height = 240;

    // Nothing saved in the layout editor: HINT 14, the project unchanged.
    services.m_pixPath = folder.Path() + L"TF\\missing.pix";
    services.m_lpxPath = folder.Path() + L"TF\\missing.lpx";
    host.ExpectMessageBox(IDOK, L"No layout was saved");
    fwtest::SendCommand(frame, ID_LAYOUT_DESIGN);
    EXPECT_TRUE(services.Called(L"NewLayout 3 320 240 2 3072"));
    EXPECT_TRUE(doc->m_projectSettings.m_layoutFile.IsEmpty());

    // A saved layout: the document takes the layout and the pixels.
    folder.WriteFile(L"TF\\LEDScreen1.pix", L"");
    HANDLE pix
        = ::CreateFileW(folder.Path() + L"TF\\LEDScreen1.pix", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char text[] = "4,2,\r\nC1P1,2,UCS1903\r\n0,0,0,0\r\n1,0,0,0\r\n";
    DWORD written = 0;
    ::WriteFile(pix, text, sizeof(text) - 1, &written, nullptr);
    ::CloseHandle(pix);
    services.m_pixPath = folder.Path() + L"TF\\LEDScreen1.pix";
    services.m_lpxPath = folder.Path() + L"TF\\LEDScreen1.lpx";
    host.ExpectMessageBox(IDOK, L" 2 "); // the document counts the lamps it read
    fwtest::SendCommand(frame, ID_LAYOUT_DESIGN);
    EXPECT_EQ(doc->m_projectSettings.m_layoutFile, services.m_lpxPath);
    EXPECT_EQ(doc->m_pixels.GetSize(), 2);

    // With a layout the button edits it; the edit command needs one.
    services.m_calls.clear();
    host.ExpectMessageBox(IDOK, L" 2 ");
    fwtest::SendCommand(frame, ID_LAYOUT_DESIGN);
    EXPECT_TRUE(services.Called(L"EditLayout 3"));
    doc->m_projectSettings.m_layoutFile.Empty();
    host.ExpectMessageBox(IDOK, L"no layout yet");
    services.m_calls.clear();
    fwtest::SendCommand(frame, ID_LAYOUT_EDIT);
    EXPECT_EQ(services.CountOf(L"EditLayout"), 0);
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST_F(FrameFixture, NewLayoutReplacesTheLayoutOnlyWhenOneWasSaved)
{
    CShellSession s(services);
    CMainFrame& frame = *s.m_frame;
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    auto writePix = [&](const CString& path) {
        HANDLE pix = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        const char text[] = "4,2,\r\nC1P1,2,UCS1903\r\n0,0,0,0\r\n1,0,0,0\r\n";
        DWORD written = 0;
        ::WriteFile(pix, text, sizeof(text) - 1, &written, nullptr);
        ::CloseHandle(pix);
    };
    // The project's layout, unpacked beside the program as an open does.
    const CString oldLayout = folder.Path() + L"TF\\old.lpx";
    const CString oldPix = folder.Path() + L"TF\\old.pix";
    folder.WriteFile(L"TF\\old.lpx", L"layout");
    writePix(oldPix);
    doc->m_projectSettings.m_layoutFile = oldLayout;
    doc->m_pixPath = oldPix;

    // The editor closed without a save: the layout and its files stay.
    services.m_newLayoutResult = -2;
    services.m_pixPath = oldPix;
    services.m_lpxPath = oldLayout;
    host.ExpectMessageBox(IDOK, L"No layout was saved");
    fwtest::SendCommand(frame, ID_LAYOUT_NEW);
    EXPECT_EQ(services.CountOf(L"NewLayout"), 1);
    EXPECT_EQ(doc->m_projectSettings.m_layoutFile, oldLayout);
    EXPECT_NE(::GetFileAttributesW(oldLayout), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(::GetFileAttributesW(oldPix), INVALID_FILE_ATTRIBUTES);

    // A saved new layout replaces it; the old files go.
    services.m_newLayoutResult = 0;
    services.m_pixPath = folder.Path() + L"TF\\LEDScreen1.pix";
    services.m_lpxPath = folder.Path() + L"TF\\LEDScreen1.lpx";
    writePix(services.m_pixPath);
    host.ExpectMessageBox(IDOK, L" 2 ");
    fwtest::SendCommand(frame, ID_LAYOUT_NEW);
    EXPECT_EQ(doc->m_projectSettings.m_layoutFile, services.m_lpxPath);
    EXPECT_EQ(doc->m_pixels.GetSize(), 2);
    EXPECT_EQ(::GetFileAttributesW(oldLayout), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesW(oldPix), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(::GetFileAttributesW(services.m_pixPath), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST_F(FrameFixture, ImportAndClearLayout)
{
    CShellSession s(services);
    CMainFrame& frame = *s.m_frame;
    CString source = folder.Path() + L"import.lpx";
    folder.WriteFile(L"import.lpx", L"layout");
    CString target = folder.PathNoSlash() + L"\\TF\\LEDScreen1.lpx";

    host.ExpectFileOpen({ source });
    host.ExpectMessageBox(IDOK, L" 0 "); // the document's lamp count (the fake library wrote no map)
    fwtest::SendCommand(frame, ID_LAYOUT_IMPORT);
    EXPECT_NE(::GetFileAttributesW(target), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(services.Called(L"SetLayout 3 " + target));
    EXPECT_EQ(host.m_lastFileRequest.strFilter, CString(L"Pix Files(*.lpx)|*.lpx||"));

    // A file that cannot be copied binds nothing.
    services.m_calls.clear();
    host.ExpectFileOpen({ folder.Path() + L"nothere.lpx" });
    fwtest::SendCommand(frame, ID_LAYOUT_IMPORT);
    EXPECT_EQ(services.CountOf(L"SetLayout"), 0);
    // Cancelled: nothing either.
    host.ExpectCancel(CScriptedUiHost::Kind::FileOpen);
    fwtest::SendCommand(frame, ID_LAYOUT_IMPORT_DXF);
    EXPECT_EQ(services.CountOf(L"LoadDxfLayout"), 0);

    // Clearing asks first.
    host.ExpectMessageBox(IDNO, L"Clear the layout");
    fwtest::SendCommand(frame, ID_LAYOUT_CLEAR);
    EXPECT_EQ(services.CountOf(L"ClearLayout"), 0);
    host.ExpectMessageBox(IDYES, L"Clear the layout");
    fwtest::SendCommand(frame, ID_LAYOUT_CLEAR);
    EXPECT_TRUE(services.Called(L"ClearLayout 3"));
    EXPECT_NE(frame.GetMenu()->GetMenuState(ID_EXPORT_OFFLINE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST_F(FrameFixture, HardwareDialogExportsAndRelayedMessages)
{
    services.m_makeHardwareDialog = true;
    CShellSession s(services);
    CMainFrame& frame = *s.m_frame;
    CDornelDoc* doc = s.Doc();
    shelltest::CFakeHardwareDialog* dlg = services.m_hardwareDialog;
    ASSERT_NE(dlg, nullptr);

    doc->m_playState = PLAY_PLAYING;
    fwtest::SendCommand(frame, ID_OFFLINE_BUTTON);
    EXPECT_EQ(dlg->m_runs, 1);
    EXPECT_EQ(dlg->m_doc, doc);
    EXPECT_EQ(dlg->m_screenSeen, 3);
    EXPECT_EQ(doc->m_playState, PLAY_STOPPED);
    fwtest::SendCommand(frame, ID_EXPORT_OFFLINE);
    EXPECT_EQ(dlg->m_runs, 2);

    frame.SendMessage(WM_RECORD_PROGRESS, 42, 0);
    ASSERT_EQ(dlg->m_progress.size(), 1u);
    EXPECT_EQ(dlg->m_progress[0], 42);

    // The AVI export needs segments.
    if (doc->GetActiveSegments().GetSize() == 0) {
        host.ExpectMessageBox(IDOK, L"no segments");
        fwtest::SendCommand(frame, ID_EXPORT_AVI);
        EXPECT_EQ(host.PendingCount(), 0u);
    }
}

TEST_F(FrameFixture, DropDownMenusAreRelabelledCopies)
{
    CShellSession s(services);
    CMenu layoutMenu, effectMenu, none;
    CMenu* layout = s.m_frame->LoadDropDownMenu(ID_LAYOUT_DESIGN, layoutMenu);
    CMenu* effects = s.m_frame->LoadDropDownMenu(ID_COLOR_EFFECT_BUTTON, effectMenu);
    ASSERT_NE(layout, nullptr);
    ASSERT_NE(effects, nullptr);
    EXPECT_EQ(MenuItemText(layout, ID_LAYOUT_NEW), CString(L"New Layout"));
    EXPECT_EQ(MenuItemText(effects, 32859), CString(L"Colour Change"));
    EXPECT_EQ(MenuItemText(effects, 33014), CString(L"Twinkling Stars"));
    EXPECT_EQ(s.m_frame->LoadDropDownMenu(ID_OFFLINE_BUTTON, none), nullptr);
}

} // namespace

// File > Exit is enabled and closes the program the way its close box does:
// with unsaved changes it asks first, and Cancel keeps everything open.
TEST_F(FrameFixture, ExitClosesThroughTheSaveQuestion)
{
    CShellSession s(services);
    CMainFrame& frame = *s.m_frame;
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    HMENU file = ::GetSubMenu(::GetMenu(frame.m_hWnd), 0);
    ASSERT_NE(file, nullptr);
    frame.UpdateMenuCmdUI(CMenu::FromHandle(file));
    EXPECT_EQ(::GetMenuState(file, ID_APP_EXIT, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED), 0u);

    doc->SetModifiedFlag(TRUE);
    host.ExpectMessageBox(IDCANCEL);
    fwtest::SendCommand(frame, ID_APP_EXIT);
    EXPECT_EQ(host.PendingCount(), 0u);
    ASSERT_TRUE(::IsWindow(frame.m_hWnd));
    EXPECT_TRUE(doc->IsModified());

    const HWND window = frame.m_hWnd;
    host.ExpectMessageBox(IDNO);
    fwtest::SendCommand(frame, ID_APP_EXIT);
    EXPECT_EQ(host.PendingCount(), 0u);
    EXPECT_FALSE(::IsWindow(window));
    MSG quit;
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// The About box opens in the middle of the program's window.
TEST_F(FrameFixture, AboutBoxOpensCentred)
{
    CShellSession s(services);
    CMainFrame& frame = *s.m_frame;
    frame.ShowWindow(SW_SHOW);
    frame.SetWindowPos(nullptr, 40, 30, 700, 500, SWP_NOZORDER);
    CRect box;
    {
        shelltest::CDialogInitHook hook([&](CDialog& live) {
            live.GetWindowRect(&box);
            live.EndDialog(IDOK);
        });
        fwtest::SendCommand(frame, ID_APP_ABOUT);
    }
    CRect owner;
    frame.GetWindowRect(&owner);
    ASSERT_FALSE(box.IsRectEmpty());
    EXPECT_NEAR(box.CenterPoint().x, owner.CenterPoint().x, 1);
    EXPECT_NEAR(box.CenterPoint().y, owner.CenterPoint().y, 1);
}

// The save question before closing is asked in the program's language.
TEST_F(FrameFixture, TheSaveQuestionSpeaksTheProgramsLanguage)
{
    struct Case {
        LPCWSTR lang;
        LPCWSTR question;
    };
    const Case cases[] = { { L"1033", L"Save changes to Show?" }, { L"2052", L"是否保存对 Show 的修改？" } };
    for (const Case& c : cases) {
        folder.WriteSoftConf(L"Vantrel", c.lang);
        CShellSession s(services);
        CDornelDoc* doc = s.Doc();
        ASSERT_NE(doc, nullptr);
        doc->SetTitle(L"Show");
        doc->SetModifiedFlag(TRUE);
        host.ExpectMessageBox(IDCANCEL, c.question);
        fwtest::SendCommand(*s.m_frame, ID_APP_EXIT);
        EXPECT_EQ(host.PendingCount(), 0u) << CStringA(c.lang).GetString();
        EXPECT_TRUE(::IsWindow(s.m_frame->m_hWnd));
        doc->SetModifiedFlag(FALSE);
    }
}
