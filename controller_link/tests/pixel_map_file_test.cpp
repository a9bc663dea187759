// The pixel-map text byte for byte (code page 936, CR CR LF line ends), the
// exchange-file paths, and the show editor's reader taking back what the
// library writes. Runs under the Chinese code page, as the programs do in
// their home market.
#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "LayoutTestFiles.h"
#include "PixelMapFile.h"
#include "TestSupport.h"
#include "pix_map.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

using namespace corvane_test;

class PixelMapFile : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GetACP(), 936u);
        SetProgramFolderOverride((m_folder.Path() + L"\\").c_str());
        CreateDirectoryW((m_folder.Path() + L"\\Config").c_str(), nullptr);
        CreateDirectoryW((m_folder.Path() + L"\\TF").c_str(), nullptr);
        Library().screens.Resize(2);
    }
    void TearDown() override
    {
        Library().screens.Resize(0);
        SetProgramFolderOverride(CString());
    }

    void SetBackground(const wchar_t* name)
    {
        ASSERT_TRUE(WritePrivateProfileStringW(
            L"Layout", L"strBKImg", name, (m_folder.Path() + L"\\Config\\Other.ini").c_str()));
    }
    // Reads a layout written by the layout editor's writer into screen n.
    void LoadScreen(int n, const TestLayout& layout)
    {
        const std::wstring path = m_folder.Path() + L"\\in.lpx";
        WriteBytes(path, CurrentLayoutBytes(layout));
        ASSERT_EQ(Library().screens[n - 1].ReadLayout(path.c_str()), 1);
    }
    std::string PixText(int n)
    {
        const std::wstring path = m_folder.Path() + L"\\TF\\out.pix";
        EXPECT_EQ(WritePixFile(path.c_str(), n), 0);
        const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }

    static TestLayout GappedLayout()
    {
        TestLayout layout;
        layout.width = 16;
        layout.height = 8;
        layout.lampTypes = { L"RGB", L"RGBW" };
        layout.controllers = { { TestPort {}, TestPort {}, TestPort {} } };
        layout.controllers[0][0].lamps = { Lamp(1, 2), Lamp(3, 4, 0, 1, 2) };
        layout.controllers[0][2].lamps = { Lamp(0, 0) };
        layout.controllers[0][2].format = L"\x706F"
                                          L"W"; // a Chinese character, then W
        return layout;
    }

    CScratchFolder m_folder;
};

TEST_F(PixelMapFile, WritesTheTextByteForByte)
{
    SetBackground(L"\x80CC\x666F.png");
    LoadScreen(1, GappedLayout());
    EXPECT_EQ(PixText(1),
        "16,8,\xB1\xB3\xBE\xB0.png\r\r\n"
        "C1P1,2,RGB\r\r\n"
        "1,2,0,0\r\r\n"
        "3,4,1,2\r\r\n"
        "C1P3,1,\xB5\xC6W\r\r\n"
        "0,0,0,0\r\r\n");
    // The character-type locale stays Simplified Chinese afterwards.
    const char* locale = std::setlocale(LC_CTYPE, nullptr);
    ASSERT_NE(locale, nullptr);
    EXPECT_NE(std::string(locale), "C");
}

TEST_F(PixelMapFile, MissingSettingsGiveAnEmptyBackgroundAndMirrorsAreListed)
{
    TestLayout layout;
    layout.width = 10;
    layout.height = 3;
    layout.doubleSided = 1;
    layout.controllers = { { TestPort {} }, { TestPort {}, TestPort {} } };
    layout.controllers[0][0].lamps = { Lamp(0, 1), Lamp(4, 2) };
    layout.controllers[1][1].lamps = { Lamp(2, 0) };
    LoadScreen(2, layout);
    EXPECT_EQ(PixText(2),
        "10,3,\r\r\n"
        "C1P1,4,RGB\r\r\n"
        "0,1,0,0\r\r\n"
        "9,1,0,0\r\r\n"
        "4,2,0,0\r\r\n"
        "5,2,0,0\r\r\n"
        "C2P2,2,RGB\r\r\n"
        "2,0,0,0\r\r\n"
        "7,0,0,0\r\r\n");
}

TEST_F(PixelMapFile, RefusesBadScreensAndUnwritablePaths)
{
    const std::wstring path = m_folder.Path() + L"\\TF\\x.pix";
    EXPECT_EQ(WritePixFile(path.c_str(), 1), -1); // no layout yet
    LoadScreen(1, GappedLayout());
    EXPECT_EQ(WritePixFile(path.c_str(), 0), -1);
    EXPECT_EQ(WritePixFile(path.c_str(), 3), -1);
    EXPECT_EQ(WritePixFile(path.c_str(), 2), -1);
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(WritePixFile((m_folder.Path() + L"\\none\\x.pix").c_str(), 1), -1);
    // A file in the way is replaced whole.
    WriteBytes(path, std::vector<BYTE>(5000, 'x'));
    EXPECT_EQ(WritePixFile(path.c_str(), 1), 0);
    EXPECT_EQ(ReadFileBytes(path).size(), PixText(1).size());
}

TEST_F(PixelMapFile, ExchangePathsFollowTheProgramFolder)
{
    const std::wstring tf = m_folder.Path() + L"\\TF\\";
    const wchar_t* lpx = LEDGetLpxFilePath(2);
    ASSERT_NE(lpx, nullptr);
    EXPECT_EQ(std::wstring(lpx), tf + L"LEDScreen2.lpx");
    const wchar_t* pix = LEDGetPixFilePath(7);
    EXPECT_EQ(std::wstring(pix), tf + L"LEDScreen7.pix");
    // The next call overwrites the string the first one handed out.
    EXPECT_EQ(LEDGetLpxFilePath(3), lpx);
    EXPECT_EQ(std::wstring(lpx), tf + L"LEDScreen3.lpx");
    EXPECT_EQ(std::wstring(pix), tf + L"LEDScreen7.pix");
    EXPECT_EQ(std::wstring(LEDGetLpxFilePath(-1)), tf + L"LEDScreen-1.lpx"); // no range check
    EXPECT_EQ(std::wstring(GetConfigurationFolder().GetString()), m_folder.Path() + L"\\Config\\");
    EXPECT_EQ(std::wstring(GetLayoutEditorPath().GetString()), m_folder.Path() + L"\\Pannex.exe");
}

TEST(PixelMapFolders, DefaultToTheRunningProgramsFolder)
{
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring folder(module);
    folder.resize(folder.rfind(L'\\') + 1);
    EXPECT_EQ(std::wstring(GetProgramFolder().GetString()), folder);
    EXPECT_EQ(std::wstring(GetExchangeFolder().GetString()), folder + L"TF\\");
}

TEST_F(PixelMapFile, TheShowEditorReadsWhatIsWritten)
{
    SetBackground(L"\x80CC\x666F.png");
    TestLayout layout = GappedLayout();
    layout.controllers.push_back({ TestPort {}, TestPort {} });
    layout.controllers[1][1].lamps = { Lamp(5, 6), Lamp(6, 6), Lamp(7, 7) };
    LoadScreen(1, layout);
    const std::wstring path = m_folder.Path() + L"\\TF\\LEDScreen1.pix";
    ASSERT_EQ(WritePixFile(path.c_str(), 1), 0);

    PixPortMap map;
    const auto size = ReadPointListFile(path.c_str(), map);
    EXPECT_EQ(size, (std::pair<int, int>(16, 8)));
    ASSERT_EQ(map.m_controllers.GetSize(), 2);
    const PixController& first = *map.m_controllers[0];
    ASSERT_EQ(first.GetSize(), 2);
    ASSERT_EQ(first[0]->GetSize(), 1); // the masked lamp is not drawn
    EXPECT_EQ(first[0]->GetAt(0)->x, 1);
    EXPECT_EQ(first[0]->GetAt(0)->y, 2);
    ASSERT_EQ(first[1]->GetSize(), 1);
    EXPECT_EQ(first[1]->GetAt(0)->x, 0);
    const PixController& second = *map.m_controllers[1];
    ASSERT_EQ(second.GetSize(), 1);
    ASSERT_EQ(second[0]->GetSize(), 3);
    EXPECT_EQ(second[0]->GetAt(2)->x, 7);
    EXPECT_EQ(second[0]->GetAt(2)->y, 7);
    EXPECT_EQ(map.GetLampCount(), 5);
}

} // namespace
