// Replacing a file all-or-nothing: complete files replace the target,
// every failure (read-only target, folder, missing folder, target held open,
// failed write) leaves the target's old bytes and no temporary behind.
#include "fw_replacefile.h"
#include "io_test_util.h"

#include <gtest/gtest.h>

using iotest::ReadAll;
using iotest::TempPath;
using iotest::WriteAll;

namespace {

bool Exists(LPCWSTR path)
{
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

std::vector<BYTE> Bytes(std::string_view text)
{
    return std::vector<BYTE>(text.begin(), text.end());
}

TEST(ReplaceFile, ACompleteFileReplacesALongerOneAndLeavesNoTemporary)
{
    TempPath path;
    WriteAll(path, std::vector<BYTE>(5000, 0xAB));
    ASSERT_TRUE(AfxWriteFileReplacing(path, std::string_view("new bytes")));
    EXPECT_EQ(ReadAll(path), Bytes("new bytes"));
    EXPECT_FALSE(Exists(AfxReplacementTempPath(path)));

    // A new file, and an empty one.
    TempPath fresh;
    ASSERT_TRUE(AfxWriteFileReplacing(fresh, nullptr, 0));
    EXPECT_TRUE(ReadAll(fresh).empty());
}

TEST(ReplaceFile, EveryRefusalLeavesTheTargetAsItWas)
{
    TempPath path;
    const std::vector<BYTE> old = Bytes("old bytes");
    struct Row {
        const char* name;
        void (*before)(LPCWSTR target);
        void (*after)(LPCWSTR target);
    };
    const Row rows[] = {
        // Wine would rename over a read-only file; it must be refused.
        { "read-only target", [](LPCWSTR target) { ::SetFileAttributesW(target, FILE_ATTRIBUTE_READONLY); },
            [](LPCWSTR target) { ::SetFileAttributesW(target, FILE_ATTRIBUTE_NORMAL); } },
        { "hidden read-only target",
            [](LPCWSTR target) { ::SetFileAttributesW(target, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN); },
            [](LPCWSTR target) { ::SetFileAttributesW(target, FILE_ATTRIBUTE_NORMAL); } },
    };
    for (const Row& row : rows) {
        WriteAll(path, old);
        row.before(path);
        EXPECT_FALSE(AfxCanReplaceFile(path)) << row.name;
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << row.name;
        EXPECT_FALSE(AfxWriteFileReplacing(path, std::string_view("new"))) << row.name;
        CReplacingFile file;
        EXPECT_FALSE(file.Open(path)) << row.name;
        row.after(path);
        EXPECT_EQ(ReadAll(path), old) << row.name;
        EXPECT_FALSE(Exists(AfxReplacementTempPath(path))) << row.name;
    }
}

TEST(ReplaceFile, PathsThatCannotBeWrittenAreRefused)
{
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    const CString folder = CString(dir) + L"fwreplace_folder";
    ::CreateDirectoryW(folder, nullptr);
    EXPECT_FALSE(AfxWriteFileReplacing(folder, std::string_view("x")));
    EXPECT_TRUE(::GetFileAttributesW(folder) & FILE_ATTRIBUTE_DIRECTORY);
    ::RemoveDirectoryW(folder);

    const CString missing = CString(dir) + L"fwreplace_no_such_folder\\x.bin";
    EXPECT_FALSE(AfxWriteFileReplacing(missing, std::string_view("x")));
    EXPECT_FALSE(Exists(missing));
    EXPECT_FALSE(AfxWriteFileReplacing(L"", std::string_view("x")));
    EXPECT_FALSE(AfxWriteFileReplacing(nullptr, std::string_view("x")));
}

TEST(ReplaceFile, ATargetHeldOpenKeepsItsBytes)
{
    TempPath path;
    WriteAll(path, Bytes("held"));
    HANDLE held = ::CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(AfxWriteFileReplacing(path, std::string_view("new")));
    ::CloseHandle(held);
    EXPECT_EQ(ReadAll(path), Bytes("held"));
    EXPECT_FALSE(Exists(AfxReplacementTempPath(path)));
}

TEST(ReplaceFile, AFailedOrAbandonedStreamLeavesTheTarget)
{
    TempPath path;
    WriteAll(path, Bytes("old"));
    {
        CReplacingFile file;
        ASSERT_TRUE(file.Open(path));
        EXPECT_TRUE(Exists(file.GetTemporaryPath()));
        file.Write(std::string_view("half"));
        file.SetFailed(); // e.g. the data could not be encoded
        EXPECT_FALSE(file.Write(std::string_view("more")));
        EXPECT_FALSE(file.Commit());
    }
    {
        CReplacingFile file;
        ASSERT_TRUE(file.Open(path));
        file.Write(std::string_view("never committed"));
    }
    {
        // The target turns read-only while the new file is written.
        CReplacingFile file;
        ASSERT_TRUE(file.Open(path));
        file.Write(std::string_view("late"));
        ::SetFileAttributesW(path, FILE_ATTRIBUTE_READONLY);
        EXPECT_FALSE(file.Commit());
        ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_EQ(ReadAll(path), Bytes("old"));
    EXPECT_FALSE(Exists(AfxReplacementTempPath(path)));

    CReplacingFile closed;
    EXPECT_FALSE(closed.Write(std::string_view("x")));
    EXPECT_FALSE(closed.Commit());
}

TEST(ReplaceFile, StreamsLargeBlocksAndPatchesEarlierBytes)
{
    TempPath path;
    CReplacingFile file;
    ASSERT_TRUE(file.Open(path));
    std::string expected = "HDR0";
    ASSERT_TRUE(file.Write(std::string_view("HDR0")));
    // More than the buffer holds, in small and large pieces.
    std::string big(700000, 'x');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>('a' + i % 26);
    ASSERT_TRUE(file.Write(big.data(), 1000));
    ASSERT_TRUE(file.Write(big.data() + 1000, big.size() - 1000));
    expected += big;
    // A header field filled in last; later writes still append.
    ASSERT_TRUE(file.WriteAt(3, "9", 1));
    expected[3] = '9';
    ASSERT_TRUE(file.Write(std::string_view("END")));
    expected += "END";
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadAll(path), Bytes(expected));
    EXPECT_FALSE(Exists(AfxReplacementTempPath(path)));
}

} // namespace
