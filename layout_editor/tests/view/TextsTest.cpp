// The layout editor's texts: menu relabelling from LAYOUT keys, toolbar
// tooltips, the language file chosen by id and the about box's content.
#include <gtest/gtest.h>

#include "AboutDlg.h"
#include "FileScrambler.h"
#include "LayoutFolders.h"
#include "LayoutLangText.h"
#include "PannexMenus.h"
#include "PannexResource.h"
#include "fw_testing.h"

namespace {

CString KeyText(int key)
{
    CString s;
    s.Format(L"L%d", key);
    return s;
}

CString ItemText(HMENU menu, UINT item, BOOL byPosition)
{
    WCHAR buffer[64] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = 64;
    ::GetMenuItemInfoW(menu, item, byPosition, &info);
    return buffer;
}

CString TempFile(LPCWSTR name)
{
    WCHAR temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    return CString(temp) + name;
}

} // namespace

TEST(PannexTexts, MainMenuTakesItsLayoutTexts)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    HMENU root = menu.GetSafeHmenu();
    EXPECT_EQ(LocalizeMainMenu(menu, KeyText), 39); // 7 popups, 32 items
    EXPECT_EQ(ItemText(root, 0, TRUE), L"L1");
    EXPECT_EQ(ItemText(root, 1, TRUE), L"L16");
    EXPECT_EQ(ItemText(root, 2, TRUE), L"L22");
    EXPECT_EQ(ItemText(root, 3, TRUE), L"L30");
    HMENU file = ::GetSubMenu(root, 0);
    EXPECT_EQ(ItemText(file, ID_FILE_SAVE_AS, FALSE), L"L5");
    EXPECT_EQ(ItemText(file, ID_APP_EXIT, FALSE), L"L15");
    // Popups keep their submenus, items their ids.
    HMENU exportMenu = ::GetSubMenu(file, 5);
    ASSERT_NE(exportMenu, nullptr);
    EXPECT_EQ(ItemText(file, 5, TRUE), L"L6");
    EXPECT_EQ(ItemText(exportMenu, ID_FILE_EXPORT_COORDS, FALSE), L"L201");
    EXPECT_EQ(ItemText(root, ID_VIEW_APPLOOK_OFF_2007_AQUA, FALSE), L"L29");
    EXPECT_EQ(ItemText(root, ID_VIEW_LIST_PANE, FALSE), L"L233");
    EXPECT_EQ(ItemText(root, ID_APP_ABOUT, FALSE), L"L32");
    // The shortcut shown after the tab stays with the new label.
    EXPECT_EQ(ItemText(root, ID_EDIT_UNDO, FALSE), L"L17\tCtrl+Z");
    EXPECT_EQ(ItemText(root, ID_FILE_OPEN, FALSE), L"L3\tCtrl+O");
    // The auto-save item keeps its resource text.
    EXPECT_EQ(ItemText(root, ID_FILE_AUTO_SAVE, FALSE), L"Auto save");
}

TEST(PannexTexts, RelabellingStopsAtAMissingPopup)
{
    HMENU root = ::CreateMenu();
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, ID_FILE_NEW, L"New");
    ::AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"File");
    ::AppendMenuW(root, MF_STRING, ID_APP_ABOUT, L"About");
    // File and its "new" are relabelled; the Export popup is missing.
    EXPECT_EQ(LocalizeMainMenu(root, KeyText), 2);
    EXPECT_EQ(ItemText(root, 0, TRUE), L"L1");
    EXPECT_EQ(ItemText(root, ID_APP_ABOUT, FALSE), L"About");
    ::DestroyMenu(root);
}

TEST(PannexTexts, ToolTipsAreTheLayoutTextAndTheShortcut)
{
    EXPECT_EQ(ToolTipForCommand(ID_FILE_SAVE, L"Save the file\nSave (Ctrl+S)", KeyText), L"L119(Ctrl+S)");
    EXPECT_EQ(ToolTipForCommand(ID_FILE_NEW, L"New", KeyText), L"L113");
    EXPECT_EQ(ToolTipForCommand(ID_APP_ABOUT, L"(F1) About", KeyText), L"L123");
    EXPECT_EQ(ToolTipForCommand(ID_EDIT_REVERSE_LAMPS, L"", KeyText), L"L220");
    EXPECT_EQ(ToolTipForCommand(12345, L"Other (X)", KeyText), L"(X)");
    EXPECT_EQ(ToolTipForCommand(12345, L"Other", KeyText), L"");
}

TEST(PannexTexts, LanguageFilesByIdAndTheirTexts)
{
    for (int id : { 0, 1, 5 })
        EXPECT_TRUE(GetLanguageIniPath(id).Right(8) == L"\\Eng.ini") << id;
    EXPECT_TRUE(GetLanguageIniPath(2).Right(8) == L"\\Chs.ini");
    EXPECT_TRUE(GetLanguageIniPath(3).Right(8) == L"\\Cht.ini");
    EXPECT_TRUE(GetLanguageIniPath(4).Right(11) == L"\\French.ini");
    // Every language file beside the program holds the texts the editor asks for.
    for (int id : { 1, 2, 3, 4 }) {
        SetLangTextLanguage(id);
        for (int key : { 1, 13, 32, 162, 168, 177, 233, 2760, 2761, 2762 })
            EXPECT_FALSE(GetLangText(L"LAYOUT", key).IsEmpty()) << id << " " << key;
        EXPECT_FALSE(GetLangText(L"TITLE", 3).IsEmpty()) << id;
    }
    SetLangTextLanguage(1);
    EXPECT_EQ(GetLangText(L"LAYOUT", 162), L"Solvane");
    EXPECT_TRUE(GetLangText(L"LAYOUT", 99999).IsEmpty());
    SetLangTextLanguage(2);
}

TEST(PannexTexts, AboutBoxContentFromTheSettingsFile)
{
    const CString path = TempFile(L"pannex_abt_test.lgo");
    ::DeleteFileW(path);
    AboutContent empty = ReadAboutContent(path, 1);
    EXPECT_EQ(empty.caption, L"About ");
    EXPECT_EQ(empty.lineCount, 0);
    EXPECT_EQ(empty.dialogHeight, 163);
    EXPECT_EQ(empty.text.Find(L"Version: 1710\r\n\r\n"), 0);

    ::WritePrivateProfileStringW(L"APP", L"2", L"Pannex", path);
    ::WritePrivateProfileStringW(L"ENG", L"count", L"3", path);
    ::WritePrivateProfileStringW(L"ENG", L"1", L"one", path);
    ::WritePrivateProfileStringW(L"ENG", L"2", L"two", path);
    ::WritePrivateProfileStringW(L"ENG", L"3", L"three", path);
    ::WritePrivateProfileStringW(L"CHS", L"count", L"1", path);
    ::WritePrivateProfileStringW(L"CHS", L"1", L"yi", path);
    ::WritePrivateProfileStringW(L"CONFIG", L"VersionSet", L"2024", path);
    // The file is stored scrambled and read once unscrambled.
    ASSERT_EQ(ScrambleFileInPlace(path), 1);
    ASSERT_EQ(UnscrambleFileInPlace(path), 1);

    AboutContent eng = ReadAboutContent(path, 1);
    EXPECT_EQ(eng.caption, L"About Pannex");
    EXPECT_EQ(eng.lineCount, 3);
    EXPECT_EQ(eng.textHeight, 150);
    EXPECT_EQ(eng.dialogHeight, 200);
    EXPECT_EQ(eng.text.Find(L"one\r\n\r\ntwo\r\n\r\nthree\r\n\r\nVersion: 2024\r\n\r\n"), 0);
    AboutContent chs = ReadAboutContent(path, 3);
    EXPECT_EQ(chs.lineCount, 1);
    EXPECT_EQ(chs.dialogHeight, 163);
    EXPECT_EQ(chs.text.Find(L"yi\r\n\r\nVersion: 2024"), 0);
    ::DeleteFileW(path);
}

TEST(PannexTexts, AboutBoxLaysItselfOutFromTheProgramsSettings)
{
    SetLangTextLanguage(1);
    CAboutDlg dlg;
    fwtest::RunModal(dlg, [](CDialog& d) {
        CString caption;
        d.GetWindowText(caption);
        EXPECT_EQ(caption, L"About Pannex");
        CRect window;
        d.GetWindowRect(&window);
        EXPECT_EQ(window.Height(), 170); // two lines: 30 x 2 + 60 + 50
        // Centred as it is after the resize, not left where the resource put it.
        CRect area;
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        EXPECT_NEAR(window.CenterPoint().x, area.CenterPoint().x, 1);
        EXPECT_NEAR(window.CenterPoint().y, area.CenterPoint().y, 1);
        CWnd* text = d.GetDlgItem(IDC_ABOUT_TEXT);
        ASSERT_NE(text, nullptr);
        CRect rect;
        text->GetWindowRect(&rect);
        d.ScreenToClient(&rect);
        EXPECT_EQ(rect, CRect(10, 13, 343, 133));
        CString shown;
        text->GetWindowText(shown);
        EXPECT_EQ(shown.Find(L"Pannex layout editor\r\n\r\n"), 0);
        EXPECT_GE(shown.Find(L"Version: 1710"), 0);
        CString ok;
        d.GetDlgItem(IDOK)->GetWindowText(ok);
        EXPECT_EQ(ok, GetLangText(L"TITLE", 3));
        d.EndDialog(IDOK);
    });
    SetLangTextLanguage(2);
}
