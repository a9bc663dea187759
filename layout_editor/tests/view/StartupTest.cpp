// The layout editor's command line in every mode, the first-run mark and
// the registry language.
#include <gtest/gtest.h>

#include "PannexStartup.h"
#include "fw_testing.h"

namespace {

struct Parsed {
    CommandLineResult result;
    PannexStartValues values;
};

Parsed Parse(const CString& parameter)
{
    Parsed p;
    p.result = ParsePannexCommandLine(parameter, p.values);
    return p;
}

HWND Wnd(INT_PTR value)
{
    return reinterpret_cast<HWND>(value);
}

} // namespace

TEST(PannexCommandLine, NewLayoutTakesSizePortsChannelsAndLanguage)
{
    const Parsed p = Parse(L"CMD1-1234,256,128,4,512,3");
    EXPECT_EQ(p.result, CommandLineResult::Mode);
    EXPECT_EQ(p.values.callerWnd, Wnd(1234));
    EXPECT_EQ(p.values.width, 256);
    EXPECT_EQ(p.values.height, 128);
    EXPECT_EQ(p.values.portsPerController, 4);
    EXPECT_EQ(p.values.channelsPerPort, 512);
    EXPECT_EQ(p.values.language, 3);
    EXPECT_TRUE(p.values.namedFile.IsEmpty());
    EXPECT_TRUE(p.values.newDocument);
    EXPECT_FALSE(p.values.hidden);
    EXPECT_FALSE(p.values.lightBox);
}

TEST(PannexCommandLine, NewLayoutWithThreeOrFourFieldsKeepsPortsAndChannels)
{
    for (const wchar_t* line : { L"CMD1-77,64,32", L"CMD1-77,64,32,16" }) {
        const Parsed p = Parse(line);
        EXPECT_EQ(p.result, CommandLineResult::Mode) << CStringA(line).GetString();
        EXPECT_EQ(p.values.width, 64);
        EXPECT_EQ(p.values.height, 32);
        EXPECT_EQ(p.values.portsPerController, 8);
        EXPECT_EQ(p.values.channelsPerPort, 3072);
        EXPECT_EQ(p.values.language, 2);
    }
}

TEST(PannexCommandLine, OpenAndImportTakeTheWholeQuotedPath)
{
    // The caller writes "\"CMD2-%d,%s\",%d": the quotes are gone by now.
    Parsed open = Parse(L"CMD2-99,C:\\My Layouts\\screen 1.lpx,4");
    EXPECT_EQ(open.result, CommandLineResult::Mode);
    EXPECT_EQ(open.values.callerWnd, Wnd(99));
    EXPECT_EQ(open.values.namedFile, L"C:\\My Layouts\\screen 1.lpx");
    EXPECT_EQ(open.values.language, 4);
    EXPECT_TRUE(open.values.dxfPath.IsEmpty());

    Parsed dxf = Parse(L"CMD3-99,C:\\a b\\c.dxf");
    EXPECT_EQ(dxf.result, CommandLineResult::Mode);
    EXPECT_EQ(dxf.values.dxfPath, L"C:\\a b\\c.dxf");
    EXPECT_TRUE(dxf.values.namedFile.IsEmpty());
    EXPECT_EQ(dxf.values.language, 2);

    // Commas inside the path stay in it: the language is always last.
    Parsed comma = Parse(L"CMD2-5,C:\\a,b,c.lpx,3");
    EXPECT_EQ(comma.result, CommandLineResult::Mode);
    EXPECT_EQ(comma.values.namedFile, L"C:\\a,b,c.lpx");
    EXPECT_EQ(comma.values.language, 3);
    Parsed dxfComma = Parse(L"CMD3-5,D:\\x,y.dxf,1");
    EXPECT_EQ(dxfComma.values.dxfPath, L"D:\\x,y.dxf");
    EXPECT_EQ(dxfComma.values.language, 1);
    // Two fields: the path alone, the language stays.
    Parsed two = Parse(L"CMD2-5,C:\\a.lpx");
    EXPECT_EQ(two.values.namedFile, L"C:\\a.lpx");
    EXPECT_EQ(two.values.language, 2);
}

TEST(PannexCommandLine, SizesAndCountsOutsideTheModelsLimitsAreRefused)
{
    const wchar_t* refused[] = {
        L"CMD5-1,-1,-1,-8,-3072,5", // negative everything
        L"CMD1-1,0,16", // zero width
        L"CMD1-1,16,0", // zero height
        L"CMD1-1,65536,16", // wider than the model takes
        L"CMD1-1,16,16,0,512", // no ports per controller
        L"CMD1-1,16,16,5121,512", // more ports than a layout holds
        L"CMD1-0,64,38,512,1", // more ports than a controller has
        L"CMD1-0,64,38,256,512,1", L"CMD5-0,64,38,256,512,1", L"CMD1-0,64,38,2147483647,512",
        L"CMD1-0,64,38,99999999999,512", // past the int range: not wrapped
        L"CMD1-0,4294967360,38", // would wrap to 64
        L"CMD1-0,64,-4294967232", // would wrap to 64
        L"CMD4-0,40,5122,2,512,5120,1", // 2561 controllers of 2: 5122 ports
        L"CMD4-0,40,65535,255,512,21,1", // 21 controllers of 255: 5355 ports
        L"CMD1-1,16,16,4,6001", // more channels than a port carries
        L"CMD1-1,16,16,4,0,2", // no channels
        L"CMD4-0,40,20,4,1024,0,1", // no controllers
        L"CMD4-0,40,-20,4,1024,3,1", // negative height, hidden run
    };
    for (const wchar_t* line : refused) {
        const Parsed p = Parse(line);
        EXPECT_EQ(p.result, CommandLineResult::OutOfRange) << CStringA(line).GetString();
        // Nothing of the line is kept.
        const PannexStartValues defaults;
        EXPECT_EQ(p.values.width, defaults.width);
        EXPECT_EQ(p.values.height, defaults.height);
        EXPECT_EQ(p.values.portsPerController, defaults.portsPerController);
        EXPECT_EQ(p.values.channelsPerPort, defaults.channelsPerPort);
        EXPECT_EQ(p.values.callerWnd, nullptr);
        EXPECT_FALSE(p.values.hidden);
        EXPECT_FALSE(p.values.lightBox);
    }
    // The limits themselves are taken.
    for (const wchar_t* line : { L"CMD1-1,65535,1,255,6000", L"CMD5-1,1,65535,255,1", L"CMD4-0,1,1,1,1,1,1",
             L"CMD4-0,40,5120,2,512,5120,1", L"CMD4-0,40,65535,255,512,20,1" }) {
        EXPECT_EQ(Parse(line).result, CommandLineResult::Mode) << CStringA(line).GetString();
    }
}

TEST(PannexCommandLine, HiddenGridNeedsAllSevenFields)
{
    const Parsed p = Parse(L"CMD4-0,40,20,4,1024,3,1");
    EXPECT_EQ(p.result, CommandLineResult::Mode);
    EXPECT_TRUE(p.values.hidden);
    EXPECT_EQ(p.values.callerWnd, nullptr);
    EXPECT_EQ(p.values.width, 40);
    EXPECT_EQ(p.values.height, 20);
    EXPECT_EQ(p.values.portsPerController, 4);
    EXPECT_EQ(p.values.channelsPerPort, 1024);
    EXPECT_EQ(p.values.controllerCap, 3);
    EXPECT_EQ(p.values.language, 1);

    EXPECT_EQ(Parse(L"CMD4-0,40,20,4,1024,3").result, CommandLineResult::TooFewFields);
}

TEST(PannexCommandLine, LightBoxIsModeOneWithTheLightBoxFlag)
{
    const Parsed p = Parse(L"CMD5-8,64,32,4,512,4");
    EXPECT_EQ(p.result, CommandLineResult::Mode);
    EXPECT_TRUE(p.values.lightBox);
    EXPECT_EQ(p.values.width, 64);
    EXPECT_EQ(p.values.portsPerController, 4);
    EXPECT_EQ(p.values.language, 4);
}

TEST(PannexCommandLine, ShortLinesEndTheStartUp)
{
    for (const wchar_t* line : { L"CMD1-5,64", L"CMD5-5", L"CMD2-5", L"CMD3-", L"CMD4-1,2,3" }) {
        const Parsed p = Parse(line);
        EXPECT_EQ(p.result, CommandLineResult::TooFewFields) << CStringA(line).GetString();
    }
}

TEST(PannexCommandLine, PlainPathsAndUnknownModesStayTheFileToOpen)
{
    EXPECT_EQ(Parse(L"").result, CommandLineResult::Plain);
    EXPECT_TRUE(Parse(L"").values.namedFile.IsEmpty());
    const Parsed path = Parse(L"C:\\layouts\\a b.lpx");
    EXPECT_EQ(path.result, CommandLineResult::Plain);
    EXPECT_EQ(path.values.namedFile, L"C:\\layouts\\a b.lpx");
    EXPECT_FALSE(path.values.newDocument);
    const Parsed seven = Parse(L"CMD7-1,2,3");
    EXPECT_EQ(seven.result, CommandLineResult::Plain);
    EXPECT_EQ(seven.values.namedFile, L"CMD7-1,2,3");
    EXPECT_EQ(seven.values.callerWnd, nullptr);
}

TEST(PannexCommandLine, NumbersTakeLeadingDigitsOnly)
{
    EXPECT_EQ(LeadingInt(L"64px"), 64);
    EXPECT_EQ(LeadingInt(L"x64"), 0);
    EXPECT_EQ(LeadingInt(L""), 0);
    EXPECT_EQ(LeadingInt(L"-12"), -12);
    EXPECT_EQ(LeadingInt(L" +7,"), 7);
    // Past the int range the number stays at its end, never wraps.
    EXPECT_EQ(LeadingInt(L"2147483647"), 2147483647);
    EXPECT_EQ(LeadingInt(L"2147483648"), 2147483647);
    EXPECT_EQ(LeadingInt(L"4294967360"), 2147483647);
    EXPECT_EQ(LeadingInt(L"99999999999999999999999"), 2147483647);
    EXPECT_EQ(LeadingInt(L"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(LeadingInt(L"-4294967232"), -2147483647 - 1);
    const Parsed p = Parse(L"CMD1-abc,12x,7");
    EXPECT_EQ(p.values.callerWnd, nullptr);
    EXPECT_EQ(p.values.width, 12);
    EXPECT_EQ(p.values.height, 7);
}

TEST(PannexFirstRun, MarksTheFirstStartOnce)
{
    WCHAR temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const CString path = CString(temp) + L"pannex_firstrun_test.ini";
    ::DeleteFileW(path);
    EXPECT_TRUE(CheckAndMarkFirstRun(path));
    WCHAR value[16] = {};
    ::GetPrivateProfileStringW(L"RUN", L"Layout", L"", value, 16, path);
    EXPECT_STREQ(value, L"1");
    EXPECT_FALSE(CheckAndMarkFirstRun(path));

    ::WritePrivateProfileStringW(L"RUN", L"Layout", L"0", path);
    EXPECT_TRUE(CheckAndMarkFirstRun(path));
    ::DeleteFileW(path);
}

TEST(PannexRegistryLanguage, ReadsTheMachineValue)
{
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\QVTN\\Solvane", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &key, nullptr),
        ERROR_SUCCESS);
    auto set = [&](const wchar_t* text) {
        ::RegSetValueExW(key, L"Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
            static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    };
    int language = -1;
    set(L"3");
    EXPECT_TRUE(ReadRegistryLanguage(language));
    EXPECT_EQ(language, 3);
    set(L"English");
    EXPECT_TRUE(ReadRegistryLanguage(language));
    EXPECT_EQ(language, 0);
    ::RegDeleteValueW(key, L"Language");
    language = 7;
    EXPECT_FALSE(ReadRegistryLanguage(language));
    EXPECT_EQ(language, 7);
    ::RegCloseKey(key);
}

TEST(PannexShellRegistration, LayoutFilesOpenInTheProgramForThisUserOnly)
{
    const wchar_t* classes = L"Software\\PannexTestClasses";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, classes);
    ASSERT_TRUE(RegisterLayoutFileType(L"C:\\Program Files\\Pannex\\Pannex.exe", classes));
    auto value = [](const CString& key) {
        WCHAR text[512] = {};
        LONG size = sizeof(text);
        if (::RegQueryValueW(HKEY_CURRENT_USER, key, text, &size) != ERROR_SUCCESS)
            return CString(L"<missing>");
        return CString(text);
    };
    const CString root(classes);
    EXPECT_EQ(value(root + L"\\.lpx"), L"Pannex.Document");
    EXPECT_EQ(value(root + L"\\Pannex.Document"), L"Pannex.Document");
    EXPECT_EQ(
        value(root + L"\\Pannex.Document\\shell\\open\\command"), L"\"C:\\Program Files\\Pannex\\Pannex.exe\" \"%1\"");
    EXPECT_EQ(value(root + L"\\Pannex.Document\\DefaultIcon"), L"<missing>");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, classes);
}
