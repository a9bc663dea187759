// CFile, CStdioFile and CFileFind against real files in the temp folder.
#include "io_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using iotest::ReadAll;
using iotest::TempPath;
using iotest::WriteAll;

TEST(File, OpenReportsFailureAndTheConstructorThrows)
{
    TempPath path;
    CFile f;
    CFileException error;
    EXPECT_FALSE(f.Open(path, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(static_cast<LONG>(ERROR_FILE_NOT_FOUND), error.m_lOsError);
    EXPECT_EQ(CFile::hFileNull, f.m_hFile);

    try {
        CFile g(path, CFile::modeRead);
        FAIL() << "opened a missing file";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        e->Delete();
    }
}

TEST(File, ReadWriteSeekAndLengths)
{
    TempPath path(L".bin");
    CFile f(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive);
    EXPECT_TRUE(f.GetFilePath() == path.c_str());
    CString name = f.GetFileName();
    EXPECT_EQ(name.Right(4), CString(L".bin"));
    EXPECT_TRUE(f.GetFileTitle() + L".bin" == name);

    const char text[] = "0123456789";
    f.Write(text, 10);
    EXPECT_EQ(10u, f.GetPosition());
    EXPECT_EQ(10u, f.GetLength());
    EXPECT_EQ(3u, f.Seek(3, CFile::begin));
    char buf[4] = {};
    EXPECT_EQ(3u, f.Read(buf, 3));
    EXPECT_STREQ("345", buf);
    EXPECT_EQ(8u, f.Seek(2, CFile::current));
    EXPECT_EQ(7u, f.Seek(-3, CFile::end));
    EXPECT_EQ(10u, f.SeekToEnd());
    EXPECT_EQ(0u, f.Read(buf, 3));
    f.SetLength(4);
    EXPECT_EQ(4u, f.GetLength());
    f.SeekToBegin();
    EXPECT_EQ(0u, f.GetPosition());
    f.Flush();

    CFileStatus status;
    EXPECT_TRUE(f.GetStatus(status));
    EXPECT_EQ(4u, status.m_size);
    f.Close();
    EXPECT_EQ(CFile::hFileNull, f.m_hFile);

    try {
        f.Seek(-1, CFile::begin);
        FAIL() << "seek on a closed file";
    } catch (CFileException* e) {
        e->Delete();
    }
    EXPECT_TRUE(CFile::GetStatus(path, status));
    EXPECT_EQ(4u, status.m_size);
}

TEST(File, ModeCreateTruncatesUnlessNoTruncateAndShareModesApply)
{
    TempPath path;
    WriteAll(path, { 1, 2, 3 });
    {
        CFile f(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::shareDenyWrite);
        EXPECT_EQ(3u, f.GetLength());
        // Another writer is refused while this one denies writing.
        CFile other;
        CFileException error;
        EXPECT_FALSE(other.Open(path, CFile::modeWrite | CFile::shareDenyNone, &error));
        EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    }
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(0u, f.GetLength());
    }
}

TEST(File, PositionsBeyondFourGigabytesOnASparseFile)
{
    TempPath path;
    const ULONGLONG fiveGb = 5ull << 30;
    {
        CFile f(path, CFile::modeCreate | CFile::modeReadWrite);
        f.SetLength(fiveGb);
        EXPECT_EQ(fiveGb, f.GetLength());
        EXPECT_EQ(fiveGb + 10, f.Seek(static_cast<LONGLONG>(fiveGb) + 10, CFile::begin));
        BYTE b = 0x5A;
        f.Write(&b, 1);
        EXPECT_EQ(fiveGb + 11, f.GetPosition());
        EXPECT_EQ(fiveGb + 11, f.GetLength());
    }
    {
        CFile f(path, CFile::modeRead);
        EXPECT_EQ(fiveGb + 11, f.GetLength());
        EXPECT_EQ(fiveGb + 10, f.Seek(-1, CFile::end));
        BYTE b = 0;
        EXPECT_EQ(1u, f.Read(&b, 1));
        EXPECT_EQ(0x5A, b);
        f.Seek(static_cast<LONGLONG>(fiveGb) - 1, CFile::begin);
        EXPECT_EQ(1u, f.Read(&b, 1));
        EXPECT_EQ(0, b);
    }
    CFile::Remove(path);
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(path, status));
}

TEST(File, RenameAndRemove)
{
    TempPath from, to;
    WriteAll(from, { 7 });
    CFile::Rename(from, to);
    EXPECT_EQ(std::vector<BYTE> { 7 }, ReadAll(to));
    CFile::Remove(to);
    try {
        CFile::Remove(to);
        FAIL() << "removed a missing file";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        e->Delete();
    }
}

TEST(StdioFile, TextModeTranslatesLineEnds)
{
    ASSERT_EQ(1252u, ::GetACP());
    TempPath path(L".txt");
    {
        CStdioFile f(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        f.WriteString(L"first\n");
        f.WriteString(L"\n");
        f.WriteString(L"caf\x00E9\n");
        f.WriteString("last");
    }
    const std::string expected = "first\r\n\r\ncaf\xE9\r\nlast";
    EXPECT_EQ(std::vector<BYTE>(expected.begin(), expected.end()), ReadAll(path));

    CStdioFile f(path, CFile::modeRead | CFile::typeText);
    CString line;
    std::vector<CString> lines;
    while (f.ReadString(line))
        lines.push_back(line);
    ASSERT_EQ(4u, lines.size());
    EXPECT_TRUE(lines[0] == L"first");
    EXPECT_TRUE(lines[1].IsEmpty());
    EXPECT_TRUE(lines[2] == L"caf\x00E9");
    EXPECT_TRUE(lines[3] == L"last");
    EXPECT_FALSE(f.ReadString(line));

    // The position follows the lines, not the read-ahead.
    f.SeekToBegin();
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_EQ(7u, f.GetPosition());
    wchar_t buf[16];
    EXPECT_NE(nullptr, f.ReadString(buf, 16));
    EXPECT_STREQ(L"\n", buf);
    CStringA bytes;
    EXPECT_TRUE(f.ReadString(bytes));
    EXPECT_TRUE(bytes == "caf\xE9");
}

TEST(StdioFile, BinaryModeKeepsCarriageReturnsAndLoneCrStays)
{
    TempPath path;
    WriteAll(path, { 'a', '\r', '\n', 'b', '\r', 'c', '\n' });
    {
        CStdioFile f(path, CFile::modeRead | CFile::typeBinary);
        CStringA line;
        EXPECT_TRUE(f.ReadString(line));
        EXPECT_TRUE(line == "a\r");
    }
    CStdioFile f(path, CFile::modeRead);
    CStringA line;
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_TRUE(line == "a");
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_TRUE(line == "b\rc");
    EXPECT_FALSE(f.ReadString(line));
}

TEST(FileFind, ListsAFolderWithWildcards)
{
    TempPath dir(L"_dir");
    ASSERT_TRUE(::CreateDirectoryW(dir, nullptr));
    std::wstring root = dir.c_str();
    WriteAll((root + L"\\a.txt").c_str(), { 1, 2, 3 });
    WriteAll((root + L"\\b.txt").c_str(), {});
    WriteAll((root + L"\\c.dat").c_str(), { 1 });
    ASSERT_TRUE(::CreateDirectoryW((root + L"\\sub").c_str(), nullptr));

    std::set<std::wstring> all, dirs;
    int dots = 0;
    CFileFind finder;
    BOOL more = finder.FindFile((root + L"\\*.*").c_str());
    ASSERT_TRUE(more);
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots()) {
            ++dots;
            continue;
        }
        all.insert(finder.GetFileName().GetString());
        if (finder.IsDirectory())
            dirs.insert(finder.GetFileName().GetString());
        EXPECT_TRUE(finder.GetFilePath() == (root + L"\\" + finder.GetFileName().GetString()).c_str());
        if (finder.GetFileName() == L"a.txt") {
            EXPECT_EQ(3u, finder.GetLength());
            EXPECT_TRUE(finder.GetFileTitle() == L"a");
        }
    }
    EXPECT_EQ(2, dots);
    EXPECT_EQ((std::set<std::wstring> { L"a.txt", L"b.txt", L"c.dat", L"sub" }), all);
    EXPECT_EQ((std::set<std::wstring> { L"sub" }), dirs);
    EXPECT_TRUE(finder.GetRoot() == dir.c_str());

    std::set<std::wstring> txt;
    more = finder.FindFile((root + L"\\*.txt").c_str());
    while (more) {
        more = finder.FindNextFile();
        txt.insert(finder.GetFileName().GetString());
    }
    finder.Close();
    EXPECT_EQ((std::set<std::wstring> { L"a.txt", L"b.txt" }), txt);
    EXPECT_FALSE(finder.FindFile((root + L"\\*.none").c_str()));

    ::DeleteFileW((root + L"\\a.txt").c_str());
    ::DeleteFileW((root + L"\\b.txt").c_str());
    ::DeleteFileW((root + L"\\c.dat").c_str());
    ::RemoveDirectoryW((root + L"\\sub").c_str());
    ::RemoveDirectoryW(dir);
}
