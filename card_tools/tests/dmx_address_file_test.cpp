// The DMX address file byte for byte in GBK, whatever the system's code page
// (the tests run under the Chinese one and again under a Western one), and
// its safe replacement on disk.
#include "DmxAddressFile.h"

#include <fw_temp_folder.h>
#include <gtest/gtest.h>

#include <string>

namespace {
// The Chinese words of the file in GBK (code page 936).
const std::string kMarker = "\xCE\xC4\xBC\xFE\xD0\xB4\xB5\xD8\xD6\xB7"; // 文件写地址
const std::string kChipType = "\xD0\xBE\xC6\xAC\xC0\xE0\xD0\xCD"; // 芯片类型
const std::string kFixtureNumber = "\xB5\xC6\xBE\xDF\xB1\xE0\xBA\xC5"; // 灯具编号
const std::string kChannelCount = "\xB5\xC6\xBE\xDF\xCD\xA8\xB5\xC0\xCA\xFD"; // 灯具通道数
const std::string kStartEquals = "\xC6\xF0\xCA\xBC\xB5\xD8\xD6\xB7\xB5\xC8\xD3\xDA"; // 起始地址等于
const std::string kFullColon = "\xA3\xBA"; // ：
const std::string kIsStep = "\xBE\xCD\xCA\xC7\xB5\xD8\xD6\xB7\xB5\xDD\xD4\xF6\xCA\xFD"; // 就是地址递增数
const std::string kNoteStart = "\xC7\xEB\xD7\xA2\xD2\xE2\xD0\xDE\xB8\xC4\xB2\xCE\xCA\xFD\xCA\xB1"; // 请注意修改参数时
const std::string kFullComma = "\xA3\xAC"; // ，
const std::string kNoteEnd = "\xCA\xFD\xD7\xD6\xD2\xBB\xB6\xA8\xD2\xAA\xBD\xF4\xB8\xFA\xD4\xDA\xB5\xC8\xBA\xC5\xD6\xAE"
                             "\xBA\xF3"; // 数字一定要紧跟在等号之后

std::string ExpectedFile(const char* chip, const char* fixture, const char* channels)
{
    std::string file;
    file += "-----QVPELLOX" + kMarker + std::string(52, '-') + "\r\n";
    file += kChipType + "        =" + chip + "     //0:SLX15;1:DMX512-AP;2:UCS512;3:SM16512;4:UCS512C\r\n";
    file += kFixtureNumber + "        =" + fixture + "\t//" + kStartEquals + kFullColon + "(" + kFixtureNumber + "-1)*"
        + kChannelCount + "+1 \r\n";
    file += kChannelCount + "      =" + channels + "      //" + kChannelCount + kIsStep + "\r\n";
    file += "-----" + kNoteStart + kFullComma + kNoteEnd + std::string(28, '-') + "\r\n";
    return file;
}

std::string AsBytes(const CStringA& s)
{
    return std::string(s.GetString(), static_cast<size_t>(s.GetLength()));
}

std::string ReadAll(const CString& path)
{
    std::string data;
    HANDLE h = ::CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return data;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(h, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        data.append(buffer, read);
    ::CloseHandle(h);
    return data;
}

int CountFiles(const CString& folder)
{
    int count = 0;
    WIN32_FIND_DATA data {};
    HANDLE hFind = ::FindFirstFile(folder + L"\\*", &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            ++count;
    } while (::FindNextFile(hFind, &data));
    ::FindClose(hFind);
    return count;
}

using fwtest::CTempFolder;

TEST(DmxAddressFile, FiveLinesByteForByteInGbk)
{
    RecordProperty("system_code_page", static_cast<int>(::GetACP()));
    struct Case {
        int chip, fixture, channels;
        const char *chipText, *fixtureText, *channelsText;
    } cases[] = {
        { 2, 3, 3, "2", "3", "3" }, // the dialog's initial values
        { 0, 1, 512, "0", "1", "512" },
        { 4, 9999, 0, "4", "9999", "0" },
        { 1, 170, 3, "1", "170", "3" },
    };
    for (const Case& c : cases) {
        std::string bytes = AsBytes(BuildDmxAddressFile(c.chip, c.fixture, c.channels));
        EXPECT_EQ(bytes, ExpectedFile(c.chipText, c.fixtureText, c.channelsText)) << c.chip << " " << c.fixture;
        EXPECT_EQ(bytes.find('\0'), std::string::npos);
        EXPECT_NE(bytes.compare(0, 3, "\xEF\xBB\xBF"), 0);
    }
    CString text = BuildDmxAddressText(2, 3, 3);
    EXPECT_EQ(text.Left(8), L"-----QVP");
    EXPECT_EQ(text.Right(2), L"\r\n");
}

TEST(DmxAddressFile, ReplacesAnExistingFileCompletelyThroughATemporaryFile)
{
    CTempFolder dir;
    CString path = dir.Path() + L"\\QVPELLOX";
    std::string longer(5000, 'x');
    HANDLE h = ::CreateFile(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, longer.data(), static_cast<DWORD>(longer.size()), &written, nullptr);
    ::CloseHandle(h);

    CStringA bytes = BuildDmxAddressFile(0, 1, 512);
    ASSERT_TRUE(WriteDmxAddressFile(path, 0, 1, 512));
    EXPECT_EQ(ReadAll(path), AsBytes(bytes));
    EXPECT_EQ(CountFiles(dir.Path()), 1); // no temporary file left behind
}

TEST(DmxAddressFile, AFailedWriteLeavesTheOldFileAndNoTemporaryFile)
{
    CTempFolder dir;
    // A missing folder: nothing can be created.
    EXPECT_FALSE(WriteDmxAddressFile(dir.Path() + L"\\missing\\QVPELLOX", 2, 3, 3));

    // A folder in the way of the target cannot be replaced: it stays as it was.
    CString path = dir.Path() + L"\\taken";
    ::CreateDirectory(path, nullptr);
    EXPECT_FALSE(WriteDmxAddressFile(path, 2, 3, 3));
    EXPECT_NE(::GetFileAttributes(path) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(CountFiles(dir.Path()), 0); // no temporary file left behind
    ::RemoveDirectory(path);

    // A file the user made read-only is refused and keeps its bytes.
    path = dir.File(L"QVPELLOX");
    ASSERT_TRUE(WriteDmxAddressFile(path, 0, 1, 512));
    const std::string before = ReadAll(path);
    ::SetFileAttributes(path, FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(WriteDmxAddressFile(path, 2, 3, 3));
    ::SetFileAttributes(path, FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(CountFiles(dir.Path()), 1);
}
} // namespace
