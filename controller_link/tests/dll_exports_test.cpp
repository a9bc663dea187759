// Corvane.dll as programs see it: it loads, its exports have their plain
// names, the import library binds them, and the recording and DMX ends
// answer "wrong state" when nothing was started; screens without a sender
// stay off the network.
#include "Corvane.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CorvaneDll, ExportsEveryFunctionByItsPlainName)
{
    HMODULE dll = GetModuleHandleW(L"Corvane.dll");
    ASSERT_NE(dll, nullptr); // bound at load time through the import library
    const char* names[] = { "LEDNewScreen", "LEDSetScreenNum", "LEDSetLanguage", "LEDGetLpxFilePath",
        "LEDGetPixFilePath", "LEDSetLayout", "LEDNewLayout", "LEDNewLayout2", "LEDEditLayout", "LEDClearLayout",
        "LEDLoadDxfLayout", "LEDSetFourColor", "LEDSetFiveColor", "LEDGetAdapterInfo", "LEDSetIP", "LEDSetGroup",
        "LEDSetCardType", "LEDBindIPMac", "LEDInitScreen", "LEDCheckSysNum", "LEDCheckSysOnline",
        "LEDSetProtocalVersion", "LEDSetSecurityFlag", "LEDRecordingInit", "LEDRecordingFrame", "LEDRecordingFrameDC",
        "LEDRecordingStop", "LEDPlayInit", "LEDPlayFrame", "LEDPlayFrameDC", "LEDPlayFrameSynchro", "LEDPlayStop",
        "LEDDMXInitDataSend", "LEDDMXDataSend", "LEDDMXEndDataSend" };
    for (const char* name : names)
        EXPECT_NE(GetProcAddress(dll, name), nullptr) << name;
    EXPECT_EQ(GetProcAddress(dll, "LEDNewScreen@0"), nullptr);
    EXPECT_EQ(GetProcAddress(dll, "_LEDNewScreen@0"), nullptr);
}

TEST(CorvaneDll, ScreenListWorksThroughTheImportLibrary)
{
    EXPECT_EQ(LEDSetScreenNum(0), 0);
    EXPECT_EQ(LEDNewScreen(), 1);
    EXPECT_EQ(LEDNewScreen(), 2);
    EXPECT_EQ(LEDSetScreenNum(3), 3);
    EXPECT_EQ(LEDSetScreenNum(-2), -1);
    EXPECT_EQ(LEDSetIP(4, 0), -1);
    EXPECT_EQ(LEDSetSecurityFlag(0), 0);
    EXPECT_EQ(LEDSetProtocalVersion(3), 3);
}

TEST(CorvaneDll, EndsWithoutAStartAnswerWrongState)
{
    RecordingSettings settings {};
    EXPECT_EQ(LEDRecordingStop(settings), -1);
    LEDDMXEndDataSend();
}

// Screens without a sender: nothing goes to the network and no command
// runs; the editor exports are left to the in-process tests, which replace
// the UI host.
TEST(CorvaneDll, NetworkAndLayoutExportsWithoutASender)
{
    ASSERT_EQ(LEDSetScreenNum(1), 1);
    EXPECT_EQ(LEDSetLayout(1, L"x.lpx"), -2);
    EXPECT_EQ(LEDSetLayout(2, L"x.lpx"), -1);
    EXPECT_EQ(LEDSetGroup(1, 1, 1, 1, 4), 0);
    EXPECT_EQ(LEDInitScreen(1), 0);
    EXPECT_EQ(LEDBindIPMac(1), 0);
    EXPECT_EQ(LEDPlayFrameSynchro(1), 0);
    EXPECT_EQ(LEDDMXDataSend(0, nullptr, 0), -1);
    EXPECT_EQ(LEDPlayStop(), -1);
}

TEST(CorvaneDll, ColourModesAndExchangePaths)
{
    ASSERT_EQ(LEDSetScreenNum(2), 2);
    EXPECT_EQ(LEDSetFourColor(0, 1, 0), 0);
    EXPECT_EQ(LEDSetFiveColor(2, 1, 0.5, 0.5, 0, 0.5, 0.5, 0, 0), 0);
    EXPECT_EQ(LEDSetFiveColor(3, 1, 0.5, 0.5, 0, 0.5, 0.5, 0, 0), -1);
    const wchar_t* lpx = LEDGetLpxFilePath(1);
    ASSERT_NE(lpx, nullptr);
    const std::wstring path(lpx);
    ASSERT_GE(path.size(), 18u);
    EXPECT_EQ(path.substr(path.size() - 18), L"\\TF\\LEDScreen1.lpx");
    EXPECT_EQ(std::wstring(LEDGetPixFilePath(1)), path.substr(0, path.size() - 3) + L"pix");
}

} // namespace
