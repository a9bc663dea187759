// The daily log: folders, file names, marks before every line, time and
// level words, and the small format language.
#include "DailyLog.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using corvane_test::At;
using corvane_test::CLogCapture;
using corvane_test::CScratchFolder;
using Bytes = std::vector<std::uint8_t>;

Bytes Utf16(const std::wstring& text)
{
    Bytes b;
    for (wchar_t c : text) {
        b.push_back(std::uint8_t(c));
        b.push_back(std::uint8_t(c >> 8));
    }
    return b;
}

TEST(DailyLog, TwoEntriesOfADayGiveOneFileWithAMarkBeforeEachLine)
{
    CScratchFolder folder;
    CLogCapture log(folder.Path(), At(2024, 3, 5, 9, 7, 3));
    LogPrintf(L"%d%%", 5);
    log.SetClock(At(2024, 3, 5, 23, 59, 59));
    LogLevel(LOG_ERROR, L"绑定失败:IP=%s Port=%d", L"192.168.0.100", 11111);

    Bytes expected = { 0xFF, 0xFE };
    Bytes line1 = Utf16(L"09:07:03 信息 5%\r\n");
    expected.insert(expected.end(), line1.begin(), line1.end());
    expected.push_back(0xFF);
    expected.push_back(0xFE);
    Bytes line2 = Utf16(L"23:59:59 错误 绑定失败:IP=192.168.0.100 Port=11111\r\n");
    expected.insert(expected.end(), line2.begin(), line2.end());
    EXPECT_EQ(log.DayFile(2024, 3, 5), expected);
    // The path: <program folder>\LogFile\<program>Log<year>\<month>-<day>.log
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + L"\\LogFile\\showLog2024\\3-5.log"));
}

TEST(DailyLog, NewDayAndNewYearStartNewFilesAndFolders)
{
    CScratchFolder folder;
    CLogCapture log(folder.Path(), At(2024, 12, 31, 23, 59, 59));
    LogPrintf(L"last");
    log.SetClock(At(2025, 1, 1, 0, 0, 0));
    LogPrintf(L"first");
    log.SetClock(At(2025, 10, 12, 0, 0, 1));
    LogPrintf(L"later");
    EXPECT_EQ(log.DayText(2024, 12, 31), L"23:59:59 信息 last\r\n");
    EXPECT_EQ(log.DayText(2025, 1, 1), L"00:00:00 信息 first\r\n");
    EXPECT_EQ(log.DayText(2025, 10, 12), L"00:00:01 信息 later\r\n");
}

TEST(DailyLog, LevelWords)
{
    CScratchFolder folder;
    CLogCapture log(folder.Path(), At(2024, 6, 1, 12, 0, 0));
    LogLevel(LOG_INFO, L"a");
    LogLevel(LOG_WARNING, L"b");
    LogLevel(LOG_ERROR, L"c");
    LogLevel(7, L"d");
    LogLevel(-1, L"e");
    EXPECT_EQ(log.DayText(2024, 6, 1),
        L"12:00:00 信息 a\r\n12:00:00 警告 b\r\n12:00:00 错误 c\r\n12:00:00 信息 d\r\n12:00:00 信息 e\r\n");
}

std::wstring FormatOf(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring text = CLLOG::Format(format, args);
    va_end(args);
    return text;
}

TEST(DailyLog, FormatKnowsPercentCharacterNumberAndWideString)
{
    EXPECT_EQ(FormatOf(L"%d%%", 5), L"5%");
    EXPECT_EQ(FormatOf(L"group%d，rd=%d，rt=%d", 1, 5, 6), L"group1，rd=5，rt=6");
    EXPECT_EQ(FormatOf(L"[%c]", 0x141), L"[A]"); // the low byte only
    EXPECT_EQ(FormatOf(L"%s!", L"文本"), L"文本!");
    EXPECT_EQ(FormatOf(L"%x%d", -3), L"x-3"); // unknown letters stand for themselves
    EXPECT_EQ(FormatOf(L"end%"), L"end");
}

TEST(DailyLog, AnUnwritableFolderDropsTheEntrySilently)
{
    CScratchFolder folder;
    CLogCapture log(folder.Path() + L"\\missing\\deeper", At(2024, 3, 5, 1, 2, 3));
    LogPrintf(L"lost");
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + L"\\missing"));
}

} // namespace
