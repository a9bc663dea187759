// Writing CFG_%03d.bfm files: refresh checks with their messages, numbered
// copies, the empty folder and failures, each ending with a result.
#include <gtest/gtest.h>

#include "ConfigFile.h"
#include "HardwareConfig.h"
#include "scripted_host.h"
#include "temp_folder.h"

#include <vector>

#include <fw_replacefile.h>

namespace {

std::vector<BYTE> ReadFileBytes(const CString& path)
{
    std::vector<BYTE> bytes;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(8192);
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

bool Exists(const CString& path)
{
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// An OE configuration whose refresh rate is 250 000 / channels Hz:
// 2 gray levels and one OE period give one clock per cycle.
HardwareConfig OeConfig(UINT channels)
{
    HardwareConfig config;
    config.ChipName = L"OE1";
    config.IsOE = 1;
    config.Gray = 2;
    config.OePeriods = 1;
    config.ChipChannel = 1;
    config.Clock = 0.25;
    config.Channels = channels;
    return config;
}

const wchar_t kTooLow[] = L"刷新频率太低, 不能写入!";
const wchar_t kFlicker[] = L"OE1芯片的刷新频率小于50Hz时会有闪烁, 是否继续?";

TEST(ConfigWriter, DefaultFileOnDisk)
{
    CScriptedOutputHost host;
    CTempTestFolder folder(L"cfg_default");
    HardwareConfig config;
    EXPECT_EQ(config.WriteConfigFiles(folder.Path(), 1), ConfigWriteResult::kWritten);
    EXPECT_TRUE(host.messages.empty());

    const std::vector<BYTE> bytes = ReadFileBytes(folder.File(L"CFG_001.bfm"));
    BYTE expected[kConfigFileSize];
    BuildConfigFileImage(config, expected);
    ASSERT_EQ(bytes.size(), 4096u);
    EXPECT_EQ(0, memcmp(bytes.data(), expected, 4096));
    EXPECT_EQ(bytes[256 + 1], 18);
    EXPECT_FALSE(Exists(folder.File(L"CFG_002.bfm")));
    EXPECT_FALSE(Exists(AfxReplacementTempPath(folder.File(L"CFG_001.bfm"))));
}

TEST(ConfigWriter, RefreshThresholds)
{
    struct Row {
        UINT channels; // 250 000 / channels Hz
        std::vector<int> answers;
        ConfigWriteResult result;
        std::vector<const wchar_t*> texts;
    };
    const Row rows[] = {
        { 25253, { IDOK }, ConfigWriteResult::kRefreshTooLow, { kTooLow } }, // 9.9 Hz
        { 25000, { IDNO }, ConfigWriteResult::kDeclined, { kFlicker } }, // 10.0 Hz
        { 25000, { IDYES }, ConfigWriteResult::kWritten, { kFlicker } },
        { 5001, { IDYES }, ConfigWriteResult::kWritten, { kFlicker } }, // 49.99 Hz
        { 5000, {}, ConfigWriteResult::kWritten, {} }, // 50.0 Hz: no question
    };
    for (const Row& row : rows) {
        CScriptedOutputHost host;
        for (int answer : row.answers)
            host.ExpectMessageBox(answer);
        CTempTestFolder folder(L"cfg_refresh");
        const HardwareConfig config = OeConfig(row.channels);
        EXPECT_EQ(config.WriteConfigFiles(folder.Path(), 1), row.result) << row.channels;
        ASSERT_EQ(host.messages.size(), row.texts.size()) << row.channels;
        for (size_t i = 0; i < row.texts.size(); ++i) {
            EXPECT_EQ(host.messages[i].text, CString(row.texts[i]));
            EXPECT_EQ(host.messages[i].caption, CString(L"Vantrel"));
        }
        if (!row.texts.empty()) {
            const UINT buttons = host.messages[0].type & MB_TYPEMASK;
            EXPECT_EQ(buttons, row.texts[0] == kTooLow ? static_cast<UINT>(MB_OK) : static_cast<UINT>(MB_YESNO));
        }
        EXPECT_EQ(Exists(folder.File(L"CFG_001.bfm")), row.result == ConfigWriteResult::kWritten) << row.channels;
    }
}

TEST(ConfigWriter, RefreshCheckCountsWholeChipsOnly)
{
    // 25001 channels are 9.9996 Hz, but with two channels per chip only
    // 25000 are driven: exactly 10 Hz, which asks instead of refusing.
    CScriptedOutputHost host;
    host.ExpectMessageBox(IDNO);
    CTempTestFolder folder(L"cfg_whole");
    HardwareConfig config = OeConfig(25001);
    config.ChipChannel = 2;
    EXPECT_EQ(config.WriteConfigFiles(folder.Path(), 1), ConfigWriteResult::kDeclined);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, CString(kFlicker));
}

TEST(ConfigWriter, RefreshIsNotCheckedWithoutOe)
{
    CScriptedOutputHost host;
    CTempTestFolder folder(L"cfg_nooe");
    HardwareConfig config = OeConfig(25253);
    config.IsOE = 0;
    EXPECT_EQ(config.WriteConfigFiles(folder.Path(), 1), ConfigWriteResult::kWritten);
    EXPECT_TRUE(host.messages.empty());
}

TEST(ConfigWriter, TwelveControllersGetIdenticalCopies)
{
    CScriptedOutputHost host;
    CTempTestFolder folder(L"cfg_twelve");
    HardwareConfig config;
    config.ChipName = L"TM1814";
    EXPECT_EQ(config.WriteConfigFiles(folder.Path(), 12), ConfigWriteResult::kWritten);
    const std::vector<BYTE> first = ReadFileBytes(folder.File(L"CFG_001.bfm"));
    ASSERT_EQ(first.size(), 4096u);
    for (int i = 2; i <= 12; ++i)
        EXPECT_EQ(ReadFileBytes(folder.Path() + L"\\" + ConfigFileName(i)), first) << i;
    EXPECT_FALSE(Exists(folder.File(L"CFG_013.bfm")));
}

TEST(ConfigWriter, ThousandControllersNameTheLastCopyWithFourDigits)
{
    CScriptedOutputHost host;
    CTempTestFolder folder(L"cfg_thousand");
    HardwareConfig config;
    EXPECT_EQ(config.WriteConfigFiles(folder.Path() + L"\\", 1000), ConfigWriteResult::kWritten);
    EXPECT_TRUE(Exists(folder.File(L"CFG_999.bfm")));
    EXPECT_EQ(ReadFileBytes(folder.File(L"CFG_1000.bfm")), ReadFileBytes(folder.File(L"CFG_001.bfm")));
    EXPECT_FALSE(Exists(folder.File(L"CFG_1001.bfm")));
}

TEST(ConfigWriter, ExistingFilesAreReplaced)
{
    CScriptedOutputHost host;
    CTempTestFolder folder(L"cfg_replace");
    HardwareConfig config;
    config.WriteConfigFiles(folder.Path(), 2);
    config.Code = 0x42;
    EXPECT_EQ(config.WriteConfigFiles(folder.Path(), 2), ConfigWriteResult::kWritten);
    EXPECT_EQ(ReadFileBytes(folder.File(L"CFG_001.bfm"))[256], 0x42);
    EXPECT_EQ(ReadFileBytes(folder.File(L"CFG_002.bfm"))[256], 0x42);
}

TEST(ConfigWriter, EmptyFolderWritesNothingAndSaysNothing)
{
    CScriptedOutputHost host;
    HardwareConfig config;
    EXPECT_EQ(config.WriteConfigFiles(CString(), 3), ConfigWriteResult::kNoFolder);
    EXPECT_TRUE(host.messages.empty());
}

TEST(ConfigWriter, FailedCreateIsReported)
{
    CScriptedOutputHost host;
    host.ExpectMessageBox(IDOK, L"CFG_001.bfm");
    CTempTestFolder folder(L"cfg_fail");
    HardwareConfig config;
    EXPECT_EQ(config.WriteConfigFiles(folder.Path() + L"\\missing\\sub", 2), ConfigWriteResult::kWriteFailed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, CString(L"Vantrel"));
    EXPECT_GE(host.messages[0].text.Find(L"CFG_001.bfm"), 0);
}

TEST(ConfigWriter, FailedCopyIsReported)
{
    CScriptedOutputHost host;
    host.ExpectMessageBox(IDOK, L"CFG_003.bfm");
    CTempTestFolder folder(L"cfg_copyfail");
    // A folder in the place of CFG_003.bfm cannot be replaced by a file.
    ASSERT_TRUE(::CreateDirectoryW(folder.File(L"CFG_003.bfm"), nullptr));
    HardwareConfig config;
    EXPECT_EQ(config.WriteConfigFiles(folder.Path(), 5), ConfigWriteResult::kCopyFailed);
    ::RemoveDirectoryW(folder.File(L"CFG_003.bfm"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_GE(host.messages[0].text.Find(L"CFG_003.bfm"), 0);
    EXPECT_TRUE(Exists(folder.File(L"CFG_002.bfm")));
    EXPECT_FALSE(Exists(folder.File(L"CFG_004.bfm")));
}

TEST(ConfigWriter, DamagedChipDataIsRefused)
{
    CScriptedOutputHost host;
    host.ExpectMessageBox(IDOK);
    CTempTestFolder folder(L"cfg_zero");
    HardwareConfig config;
    HardwareConfigRecord zero;
    memset(&zero, 0, sizeof(zero));
    config.LoadFromRecord(zero); // chip channels 0, clock 0
    config.IsOE = 1;
    EXPECT_EQ(config.WriteConfigFiles(folder.Path(), 1), ConfigWriteResult::kInvalidParams);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_FALSE(Exists(folder.File(L"CFG_001.bfm")));
}

} // namespace
