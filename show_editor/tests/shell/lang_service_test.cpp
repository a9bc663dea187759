// The language service and the settings file: which file a language reads,
// text lookups with their empty results, [Soft] and [UserDirs] values, the
// Windows language mapping, the installer's language and the seeding of the
// registry language value.
#include "installer_language.h"
#include "lang_service.h"
#include "shell_test_support.h"

using shelltest::CTempProgramFolder;
using shelltest::LangFileText;

namespace {

TEST(LangFiles, EachLanguageReadsItsFileInBothFolders)
{
    struct Case {
        UINT id;
        LPCWSTR lang;
        LPCWSTR config;
    };
    const Case cases[] = {
        { 1, L"Eng.ini", L"Eng.ini" },
        { 2, L"Chs.ini", L"Chs.ini" },
        { 3, L"Cht.ini", L"Cht.ini" },
        { 4, L"French.ini", L"French.ini" },
        { 5, L"Eng.ini", L"Eng.ini" },
        { 6, L"Korean.ini", L"Eng.ini" },
        { 0, L"Eng.ini", L"Eng.ini" },
    };
    CTempProgramFolder folder;
    for (const Case& c : cases) {
        EXPECT_EQ(GetLanguageFilePath(c.id), folder.Path() + L"Lang\\" + c.lang) << c.id;
        EXPECT_EQ(GetLanguageIniPath(c.id), folder.Path() + L"Config\\" + c.config) << c.id;
    }
    EXPECT_EQ(SoftConfPath(), folder.Path() + L"Lang\\SoftConf.ini");
}

// The hardware dialogs read the "Config" files: a text the chosen language
// lacks there (Korean has no file of its own) comes from the English file,
// never from the Chinese texts of the dialog resources.
TEST(LangFiles, ConfigTextsFallBackToEnglish)
{
    CTempProgramFolder folder;
    folder.WriteFile(
        L"Config\\Eng.ini", LangFileText({ { L"TITLE", 100, L"Driver chip" }, { L"TITLE", 101, L"Max channels" } }));
    folder.WriteFile(L"Config\\French.ini", LangFileText({ { L"TITLE", 100, L"Puce" }, { L"TITLE", 101, L"" } }));
    EXPECT_EQ(ReadConfigLanguageText(4, L"TITLE", L"100"), CString(L"Puce"));
    EXPECT_EQ(ReadConfigLanguageText(4, L"TITLE", L"101"), CString(L"Max channels"));
    EXPECT_EQ(ReadConfigLanguageText(6, L"TITLE", L"100"), CString(L"Driver chip"));
    EXPECT_TRUE(ReadConfigLanguageText(2, L"TITLE", L"102").IsEmpty());

    // An installed Korean file is read first.
    folder.WriteFile(L"Config\\Korean.ini", LangFileText({ { L"TITLE", 100, L"드라이버 칩" } }));
    EXPECT_EQ(GetLanguageIniPath(6), folder.Path() + L"Config\\Korean.ini");
    EXPECT_EQ(ReadConfigLanguageText(6, L"TITLE", L"100"), CString(L"드라이버 칩"));
    EXPECT_EQ(ReadConfigLanguageText(6, L"TITLE", L"101"), CString(L"Max channels"));
}

TEST(LangFiles, LookupsGiveTheTextOrEmpty)
{
    CTempProgramFolder folder;
    CString longText(L'x', 3000);
    folder.WriteFile(L"Lang\\Eng.ini",
        LangFileText({ { L"HINT", 14, L"No layout was saved." }, { L"HINT", 15, L"" }, { L"KVMENU", 1, L"&File" },
            { L"KVMENU", 2, longText } }));
    CString path = GetLanguageFilePath(1);
    EXPECT_EQ(ReadLanguageText(path, L"HINT", 14), CString(L"No layout was saved."));
    EXPECT_EQ(ReadLanguageText(path, L"HINT", L"14"), CString(L"No layout was saved."));
    EXPECT_EQ(ReadLanguageText(path, L"KVMENU", 1), CString(L"&File"));
    EXPECT_TRUE(ReadLanguageText(path, L"HINT", 15).IsEmpty()); // empty value
    EXPECT_TRUE(ReadLanguageText(path, L"HINT", 99).IsEmpty()); // missing key
    EXPECT_TRUE(ReadLanguageText(path, L"NOPE", 14).IsEmpty()); // missing section
    EXPECT_TRUE(ReadLanguageText(GetLanguageFilePath(3), L"HINT", 14).IsEmpty()); // missing file
    EXPECT_TRUE(ReadLanguageText(CString(), L"HINT", 14).IsEmpty()); // no path
    EXPECT_EQ(ReadLanguageText(path, L"KVMENU", 2).GetLength(), 2047);
}

TEST(SoftConf, ValuesLanguageAndUserFolders)
{
    CTempProgramFolder folder;
    // No settings file: everything reads empty, and saving a language creates it.
    EXPECT_TRUE(ReadSoftConf(L"Soft", L"Title").IsEmpty());
    EXPECT_TRUE(SaveLanguageId(1042));
    EXPECT_EQ(ReadSoftConf(L"Soft", L"Lang"), CString(L"1042"));

    folder.WriteSoftConf(L"Vantrel", L"", L"2.5");
    EXPECT_EQ(ReadSoftConf(L"Soft", L"Title"), CString(L"Vantrel"));
    EXPECT_EQ(ReadSoftConf(L"Soft", L"Version"), CString(L"2.5"));
    EXPECT_TRUE(ReadSoftConf(L"Soft", L"Lang").IsEmpty());
    EXPECT_TRUE(WriteSoftConf(L"Other", L"Soft", L"Title"));
    EXPECT_EQ(ReadSoftConf(L"Soft", L"Title"), CString(L"Other"));

    // Only folders that exist come back, in key order; saving clears the old keys.
    CStringArray dirs;
    dirs.Add(folder.Path() + L"Lang");
    dirs.Add(folder.Path() + L"gone");
    dirs.Add(folder.Path() + L"TF");
    SaveUserDirs(dirs);
    CStringArray loaded;
    LoadUserDirs(loaded);
    ASSERT_EQ(loaded.GetSize(), 2);
    EXPECT_EQ(loaded[0], folder.Path() + L"Lang");
    EXPECT_EQ(loaded[1], folder.Path() + L"TF");
    CStringArray one;
    one.Add(folder.Path() + L"Config");
    SaveUserDirs(one);
    EXPECT_TRUE(ReadSoftConf(L"UserDirs", L"UserDir2").IsEmpty());
    CStringArray reloaded;
    LoadUserDirs(reloaded);
    ASSERT_EQ(reloaded.GetSize(), 1);
    EXPECT_EQ(reloaded[0], folder.Path() + L"Config");
}

TEST(SoftConf, WindowsLanguageMapsToLanguageId)
{
    struct Case {
        LPCWSTR lang;
        UINT id;
    };
    const Case cases[]
        = { { L"1028", 3 }, { L"1033", 1 }, { L"1042", 6 }, { L"2052", 2 }, { L"1036", 4 }, { L"", 2 }, { L"abc", 2 } };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageIdFromWindowsLanguage(c.lang), c.id) << CStringA(c.lang).GetString();
}

// A local-machine uninstall key of a product name unique to this test run.
struct InstallerKey {
    CString title;
    CString key;
    explicit InstallerKey(LPCWSTR language)
    {
        title.Format(L"VantrelShellTest%lu", ::GetCurrentProcessId());
        key = UninstallKeyOf(title);
        if (language != nullptr) {
            HKEY hKey = nullptr;
            ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr);
            ::RegSetValueExW(hKey, L"NSIS:Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(language),
                static_cast<DWORD>((wcslen(language) + 1) * sizeof(WCHAR)));
            ::RegCloseKey(hKey);
        }
    }
    ~InstallerKey() { ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, key); }
};

TEST(InstallerLanguage, ReadsTheDigitsOrNothing)
{
    {
        InstallerKey installed(L"2052");
        EXPECT_EQ(GetInstallerLanguage(installed.key), CString(L"2052"));
    }
    {
        InstallerKey missing(nullptr);
        EXPECT_TRUE(GetInstallerLanguage(missing.key).IsEmpty());
    }
    {
        // A value longer than the buffer is cut, never read past.
        CString huge(L'7', 300);
        InstallerKey installed(huge);
        CString read = GetInstallerLanguage(installed.key);
        EXPECT_LE(read.GetLength(), 128);
        EXPECT_EQ(read, CString(L'7', read.GetLength()));
    }
}

// An application object with a registry key of its own.
struct RegistryApp {
    CWinApp app { L"ShellTest" };
    CString root;
    RegistryApp()
    {
        AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
        root.Format(L"LedSuiteShellTest%lu", ::GetCurrentProcessId());
        app.SetRegistryKey(root);
    }
    ~RegistryApp() { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\" + root); }
};

TEST(InstallerLanguage, SeedsAppLangOnlyWhenUnset)
{
    struct Case {
        int before; // 0: unset
        LPCWSTR installer; // null: no value
        int after;
    };
    const Case cases[] = {
        { 0, nullptr, 0 },
        { 0, L"2052", 2052 },
        { 0, L"x1", 0 },
        { 1033, L"2052", 1033 },
    };
    for (const Case& c : cases) {
        RegistryApp reg;
        InstallerKey installed(c.installer);
        if (c.before != 0)
            reg.app.WriteProfileInt(L"AppConfig", L"AppLang", c.before);
        EXPECT_EQ(SeedAppLanguage(reg.app, installed.key), c.after);
        EXPECT_EQ(static_cast<int>(reg.app.GetProfileInt(L"AppConfig", L"AppLang", -1)), c.after);
    }
}

} // namespace
