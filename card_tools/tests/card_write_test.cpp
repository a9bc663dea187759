// The card write as the worker carries it out, against the fake disks: the
// order of format and copies, the reports, and the failures that stop or mark
// a write.
#include "CardWriteJob.h"
#include "FakeCardDevices.h"

#include <gtest/gtest.h>

namespace {
struct Report {
    int code;
    CString text;
    int number;
};

class CardWrite : public ::testing::Test {
protected:
    CardWrite()
        : devices(temp.Path())
    {
        source = temp.MakeFolder(L"out");
        cfg = temp.MakeFile(L"out\\CFG_001.bfm", 4096);
        show1 = temp.MakeFile(L"out\\OFF001.arm", 300000);
        show2 = temp.MakeFile(L"out\\OFF002.arm", 0);
        card = devices.InsertCard(L'E');
        job.cTarget = L'E';
        job.nGroup = 0;
        job.bFormat = TRUE;
        job.strFormatCommand = L"CMD.exe /C FORMAT E: /FS:FAT32 /Q /Y";
        job.files = { cfg, show1, show2 };
    }

    int Run()
    {
        return RunCardWrite(job, devices, [this](int code, const CString& text, int number) {
            reports.push_back({ code, text, number });
        });
    }

    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const Report& r : reports) {
            if (codes.empty() || r.code != kReportCopyProgress || codes.back() != kReportCopyProgress)
                codes.push_back(r.code); // runs of progress reports count once
        }
        return codes;
    }

    CTempFolder temp;
    CFakeCardDevices devices;
    CString source, cfg, show1, show2, card;
    CCardWriteJob job;
    std::vector<Report> reports;
};

TEST_F(CardWrite, FormatsThenCopiesTheConfigurationFileFirst)
{
    temp.MakeFile(L"card_E\\old.arm", 10); // formatting empties the card
    EXPECT_EQ(Run(), 0);
    std::vector<CString> expected = { L"format CMD.exe /C FORMAT E: /FS:FAT32 /Q /Y", L"copy CFG_001.bfm",
        L"copy OFF001.arm", L"copy OFF002.arm" };
    EXPECT_EQ(devices.Operations(), expected);
    EXPECT_EQ(Codes(), (std::vector<int> { 17, 18, 19, 20, 19, 20, 19, 20, 21 }));
    EXPECT_EQ(reports.front().text, L"开始格式化 E:");
    EXPECT_EQ(reports[1].text, L"格式化完成 E:");
    EXPECT_EQ(reports[2].text, cfg);
    EXPECT_EQ(reports.back().number, 0);
    // Progress rises to 100 for every file, the empty one included.
    int last = -1;
    for (const Report& r : reports) {
        if (r.code == kReportCopyProgress) {
            EXPECT_GT(r.number, last);
            last = r.number;
        } else if (r.code == kReportCopyStarted) {
            last = -1;
        }
    }
    EXPECT_EQ(reports[reports.size() - 2].number, 100);
    EXPECT_EQ(ReadFileBytes(card + L"\\OFF001.arm"), ReadFileBytes(show1));
    EXPECT_EQ(ReadFileBytes(card + L"\\CFG_001.bfm"), ReadFileBytes(cfg));
    EXPECT_EQ(::GetFileAttributes(card + L"\\old.arm"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CardWrite, WithoutFormatTheCardKeepsItsFilesAndSameNamesAreReplaced)
{
    job.bFormat = FALSE;
    temp.MakeFile(L"card_E\\keep.txt", 10);
    temp.MakeFile(L"card_E\\OFF001.arm", 5);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(devices.Operations().size(), 3u);
    EXPECT_EQ(Codes().front(), kReportCopyStarted);
    EXPECT_NE(::GetFileAttributes(card + L"\\keep.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadFileBytes(card + L"\\OFF001.arm").size(), 300000u);
}

TEST_F(CardWrite, AFailedFormatStopsTheWriteBeforeAnyCopy)
{
    for (bool started : { false, true }) {
        reports.clear();
        devices.ClearOperations();
        devices.SetFormatResult(started, 1);
        EXPECT_EQ(Run(), 1);
        ASSERT_EQ(devices.Operations().size(), 1u);
        EXPECT_EQ(Codes(), (std::vector<int> { 17, 18, 21 }));
        EXPECT_EQ(reports[1].text, L"格式化失败 E:");
        EXPECT_EQ(reports.back().number, 1);
    }
}

TEST_F(CardWrite, AFailedCopyIsReportedAndTheNextFileFollows)
{
    devices.FailCopyOf(L"OFF001.arm");
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Codes(), (std::vector<int> { 17, 18, 19, 20, 19, 22, 19, 20, 21 }));
    EXPECT_EQ(reports[5].text, show1);
    EXPECT_EQ(reports.back().number, 1);
    EXPECT_NE(::GetFileAttributes(card + L"\\OFF002.arm"), INVALID_FILE_ATTRIBUTES);
}

TEST(CardDevices, TheRealDriveListOnlyReadsAndNamesLetters)
{
    // Listing opens drives for reading only; under the test prefix there is
    // usually no removable drive at all.
    CWindowsCardDevices devices;
    for (const CRemovableDrive& drive : devices.ListRemovableDrives()) {
        EXPECT_GE(drive.cLetter, L'A');
        EXPECT_LE(drive.cLetter, L'Z');
        EXPECT_FALSE(drive.strProduct.IsEmpty());
    }
}
} // namespace
