// Card groups of a generation folder and the texts the card tool builds from
// them: labels, drive entries, the format command and the progress in the log.
#include "CardGroup.h"
#include "CardWriteJob.h"
#include "CardwellText.h"
#include "FakeCardDevices.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
struct GroupView {
    CString config;
    std::vector<CString> shows;
};

std::vector<GroupView> ScanNames(const CTempFolder& folder)
{
    CStringArray paths;
    EXPECT_TRUE(ListFolderFiles(folder.Path(), paths));
    CQvTreeNodeArray groups;
    BuildCardGroups(paths, groups);
    std::vector<GroupView> result;
    for (INT_PTR i = 0; i < groups.GetSize(); ++i) {
        GroupView view;
        view.config = FileNameOfPath(groups[i]->m_strConfigFile);
        for (INT_PTR j = 0; j < groups[i]->m_arrShowFiles.GetSize(); ++j)
            view.shows.push_back(FileNameOfPath(groups[i]->m_arrShowFiles[j]));
        result.push_back(view);
    }
    FreeCardGroups(groups);
    return result;
}

TEST(CardGroups, OneGroupPerConfigurationFileEachWithEveryShowFile)
{
    CTempFolder folder;
    // Made out of order: the groups follow the names, not the disk's order.
    for (const wchar_t* name : { L"OFF003.arm", L"CFG_002.bfm", L"OFF001.arm", L"CFG_001.bfm", L"OFF002.arm" })
        folder.MakeFile(name);
    auto groups = ScanNames(folder);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].config, L"CFG_001.bfm");
    EXPECT_EQ(groups[1].config, L"CFG_002.bfm");
    for (const auto& group : groups) {
        ASSERT_EQ(group.shows.size(), 3u);
        EXPECT_EQ(group.shows[0], L"OFF001.arm");
        EXPECT_EQ(group.shows[2], L"OFF003.arm");
    }

    CStringArray paths;
    ListFolderFiles(folder.Path() + L"\\", paths); // a trailing backslash is not doubled
    EXPECT_EQ(paths[0], folder.Path() + L"\\CFG_001.bfm");
    CQvTreeNodeArray built;
    BuildCardGroups(paths, built);
    EXPECT_EQ(GroupLabel(0, built[0]->GetFileCount()), L"ROM_001 (4 files)");
    EXPECT_EQ(GroupLabel(1, built[1]->GetFileCount()), L"ROM_002 (4 files)");
    auto order = built[1]->GetCopyOrder();
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(FileNameOfPath(order[0]), L"CFG_002.bfm");
    EXPECT_EQ(FileNameOfPath(order[3]), L"OFF003.arm");
    FreeCardGroups(built);
    EXPECT_EQ(built.GetSize(), 0);
}

TEST(CardGroups, ShowFilesAloneMakeOneGroupConfigurationFilesAloneNone)
{
    {
        CTempFolder folder;
        folder.MakeFile(L"OFF001.arm");
        folder.MakeFile(L"OFF002.arm");
        folder.MakeFile(L"notes.txt");
        auto groups = ScanNames(folder);
        ASSERT_EQ(groups.size(), 1u);
        EXPECT_TRUE(groups[0].config.IsEmpty());
        EXPECT_EQ(groups[0].shows.size(), 2u);
    }
    {
        CTempFolder folder;
        folder.MakeFile(L"CFG_001.bfm");
        folder.MakeFile(L"CFG_002.bfm");
        EXPECT_TRUE(ScanNames(folder).empty());
    }
}

TEST(CardGroups, OnlyFileNamesCountNotFoldersOrTheFolderPath)
{
    CTempFolder outer;
    CString shows = outer.MakeFolder(L"shows.arm");
    // Inside a folder called "shows.arm" a text file is no show file, and a
    // subfolder named like a show file is no file at all.
    HANDLE h = ::CreateFile(shows + L"\\readme.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(h);
    ::CreateDirectory(shows + L"\\OFF009.arm", nullptr);
    CStringArray paths;
    ASSERT_TRUE(ListFolderFiles(shows, paths));
    ASSERT_EQ(paths.GetSize(), 1);
    CQvTreeNodeArray groups;
    BuildCardGroups(paths, groups);
    EXPECT_EQ(groups.GetSize(), 0);

    // Extensions count in any case.
    CStringArray mixed;
    mixed.Add(L"C:\\out\\OFF001.ARM");
    mixed.Add(L"C:\\out\\CFG_001.BFM");
    mixed.Add(L"C:\\out\\OFF002.arm.bak");
    BuildCardGroups(mixed, groups);
    ASSERT_EQ(groups.GetSize(), 1);
    EXPECT_EQ(FileNameOfPath(groups[0]->m_strConfigFile), L"CFG_001.BFM");
    ASSERT_EQ(groups[0]->m_arrShowFiles.GetSize(), 1);
    EXPECT_EQ(FileNameOfPath(groups[0]->m_arrShowFiles[0]), L"OFF001.ARM");
    FreeCardGroups(groups);
    EXPECT_FALSE(ListFolderFiles(outer.Path() + L"\\missing", paths));
}

TEST(CardGroups, FilesAreKnownByTheirOwnExtensionInAnyCase)
{
    const struct {
        const wchar_t* name;
        CardFileKind kind;
    } cases[] = {
        { L"OFF001.arm", CardFileKind::Show },
        { L"OFF001.ARM", CardFileKind::Show },
        { L"off001.Arm", CardFileKind::Show },
        { L"CFG_001.bfm", CardFileKind::Config },
        { L"CFG_001.BfM", CardFileKind::Config },
        { L"x.arm.bak", CardFileKind::Other },
        { L"x.bfm.txt", CardFileKind::Other },
        { L"OFF001.armx", CardFileKind::Other },
        { L"arm", CardFileKind::Other },
        { L".arm", CardFileKind::Other },
        { L".", CardFileKind::Other },
        { L"..", CardFileKind::Other },
        { L"", CardFileKind::Other },
    };
    for (const auto& c : cases)
        EXPECT_EQ(KindOfCardFile(c.name), c.kind) << CStringA(c.name).GetString();
}

TEST(CardFormatGuard, RefusesProtectedSourceAndUnlistedDrives)
{
    CTempFolder temp;
    CFakeCardDevices devices(temp.Path());
    devices.InsertCard(L'E');
    devices.InsertCard(L'C'); // listed as removable, but the system's drive
    devices.SetProtectedDrives({ L'C', L'D' });
    const std::vector<CString> sources = { L"F:\\out\\CFG_001.bfm", L"F:\\out\\OFF001.arm" };
    EXPECT_EQ(CheckFormatTarget(L'E', devices, sources, L"F:\\out"), FormatRefusal::None);
    EXPECT_EQ(CheckFormatTarget(L'e', devices, sources, L"F:\\out"), FormatRefusal::None);
    EXPECT_EQ(CheckFormatTarget(L'C', devices, sources, L"F:\\out"), FormatRefusal::ProtectedDrive);
    EXPECT_EQ(CheckFormatTarget(L'D', devices, sources, L"F:\\out"), FormatRefusal::ProtectedDrive);
    EXPECT_EQ(CheckFormatTarget(L'E', devices, sources, L"e:\\shows"), FormatRefusal::SourceDrive);
    EXPECT_EQ(CheckFormatTarget(L'F', devices, sources, L"G:\\x"), FormatRefusal::SourceDrive);
    EXPECT_EQ(CheckFormatTarget(L'G', devices, sources, L"F:\\out"), FormatRefusal::NotRemovable);

    // The write checks again right before formatting: a card pulled after the
    // start is never formatted, and nothing is copied.
    CCardWriteJob job;
    job.cTarget = L'E';
    job.bFormat = TRUE;
    job.strFormatCommand = L"CMD.exe /C FORMAT E: /FS:FAT32 /Q /Y";
    job.files = { temp.MakeFile(L"CFG_001.bfm") };
    devices.RemoveCard(L'E');
    std::vector<CString> texts;
    EXPECT_EQ(RunCardWrite(job, devices, [&](int, const CString& text, int) { texts.push_back(text); }), 1);
    EXPECT_TRUE(devices.Operations().empty());
    EXPECT_NE(std::find(texts.begin(), texts.end(), CString(L"格式化失败 E:")), texts.end());
}

TEST(CardwellText, DriveEntriesAndFormatCommands)
{
    CRemovableDrive drive;
    drive.cLetter = L'E';
    drive.strProduct = L"Card Reader";
    drive.bSizeKnown = true;
    drive.nTotalBytes = 7948206080ull; // 7.4023... GiB
    EXPECT_EQ(FormatDriveEntry(drive), L"E:\\ Card Reader[7.40G]");
    drive.bSizeKnown = false;
    drive.strProduct = L"(NULL)";
    EXPECT_EQ(FormatDriveEntry(drive), L"E:\\ (NULL)");

    struct Case {
        const wchar_t* drive;
        const wchar_t* fs;
        BOOL quick;
        const wchar_t* command;
    } cases[] = {
        { L"E:\\ Card Reader[7.40G]", L"FAT32", TRUE, L"CMD.exe /C FORMAT E: /FS:FAT32 /Q /Y" },
        { L"G:\\ (NULL)", L"NTFS", FALSE, L"CMD.exe /C FORMAT G: /FS:NTFS /Y" },
        { L"F:\\ x", L"FAT", TRUE, L"CMD.exe /C FORMAT F: /FS:FAT /Q /Y" },
        { L"A:\\ Floppy", L"FAT32", TRUE, L"" },
        { L"", L"FAT32", TRUE, L"" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildFormatCommandLine(c.drive, c.fs, c.quick), c.command) << CStringA(c.drive).GetString();
}

TEST(CardwellText, LogLinesAndProgress)
{
    CString stamp = L"2024-05-06 07:08:09";
    EXPECT_EQ(LogWriteStartLine(stamp, 0), L"2024-05-06 07:08:09 [ROM_001] " + CString(L'-', 40) + L"\r\n");
    EXPECT_EQ(ExecuteLabel(11), L"写入[ROM_012]");

    CString line = LogCopyLine(stamp, 2, L"D:\\out\\OFF001.arm");
    EXPECT_EQ(line, L"2024-05-06 07:08:09 [ROM_003] OFF001.arm--- 00%\r\n");
    struct Case {
        int percent;
        const wchar_t* ending;
    } cases[]
        = { { 45, L"OFF001.arm--- 45%\r\n" }, { 5, L"OFF001.arm--- 05%\r\n" }, { 100, L"OFF001.arm---100%\r\n" } };
    for (const Case& c : cases) {
        CString log = L"earlier line\r\n" + line;
        AppendLogProgress(log, c.percent);
        EXPECT_EQ(log, L"earlier line\r\n2024-05-06 07:08:09 [ROM_003] " + CString(c.ending));
    }
    // Successive reports replace each other.
    CString log = line;
    AppendLogProgress(log, 12);
    AppendLogProgress(log, 99);
    EXPECT_EQ(log.Right(9), L"--- 99%\r\n");

    EXPECT_EQ(CopyPercent(0, 0), 100); // an empty file is complete
    EXPECT_EQ(CopyPercent(0, 10), 0);
    EXPECT_EQ(CopyPercent(999, 1000), 99); // truncated, never rounded up
    EXPECT_EQ(CopyPercent(1000, 1000), 100);
    EXPECT_EQ(CopyPercent(5ull << 32, 10ull << 32), 50);
}
} // namespace
