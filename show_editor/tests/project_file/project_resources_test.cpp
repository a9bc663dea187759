// Merged resources: media copied beside the project, paths switched only to
// copies that exist, unique names for different files of the same name, and
// paths rebuilt from the resource folder on reading.
#include <gtest/gtest.h>

#include "project_file.h"
#include "project_file_fixture.h"
#include "show_model.h"

namespace {

class MergedResources : public ::testing::Test {
protected:
    MergedResources()
        : m_folder(L"pf_res")
    {
        ::CreateDirectoryW(m_folder.File(L"one"), nullptr);
        ::CreateDirectoryW(m_folder.File(L"two"), nullptr);
        WriteBytes(m_folder.File(L"one\\clip.mp4"), "first");
        WriteBytes(m_folder.File(L"two\\clip.mp4"), "second");
        WriteBytes(m_folder.File(L"one\\back.bmp"), "bmp");
        m_project.settings.m_withResource = 1;
        m_path = m_folder.File(L"gate.LEDX");
        m_resources = m_folder.File(L"gate\\");
    }
    ProgramVideo* Video(int index) { return static_cast<ProgramVideo*>(m_view->m_programs[index]); }

    CTempProjectFolder m_folder;
    CTestProject m_project;
    CString m_path;
    CString m_resources;
    ProgramView* m_view = nullptr;
};

TEST_F(MergedResources, CopiesWithUniqueNamesAndReadsThemBack)
{
    m_project.settings.m_backgroundImage = m_folder.File(L"one\\back.bmp");
    m_view = AddView(AddSegment(m_project, L"S"), L"V", CRect(0, 0, 10, 10));
    AddVideo(m_view, m_folder.File(L"one\\clip.mp4"), L"a");
    AddVideo(m_view, m_folder.File(L"two\\clip.mp4"), L"b");
    AddVideo(m_view, m_folder.File(L"one\\clip.mp4"), L"c"); // the same file again
    AddVideo(m_view, L"nofolder.mp4", L"d"); // no folder part: left alone

    ASSERT_TRUE(WriteProjectFile(m_project.segments, m_path, m_project.settings));
    EXPECT_EQ(m_project.settings.m_backgroundImage, m_resources + L"back.bmp");
    EXPECT_EQ(Video(0)->m_filePath, m_resources + L"clip.mp4");
    EXPECT_EQ(Video(1)->m_filePath, m_resources + L"clip (2).mp4");
    EXPECT_EQ(Video(2)->m_filePath, m_resources + L"clip.mp4");
    EXPECT_EQ(Video(3)->m_filePath, L"nofolder.mp4");
    EXPECT_EQ(ReadBytes(m_resources + L"clip.mp4"), "first");
    EXPECT_EQ(ReadBytes(m_resources + L"clip (2).mp4"), "second");

    // A second save finds the copies in place and keeps their names.
    ASSERT_TRUE(WriteProjectFile(m_project.segments, m_path, m_project.settings));
    EXPECT_EQ(Video(1)->m_filePath, m_resources + L"clip (2).mp4");
    EXPECT_EQ(ReadBytes(m_resources + L"clip.mp4"), "first");

    CTestProject back;
    ASSERT_EQ(ReadProjectFile(back.segments, m_path, back.settings), 2);
    EXPECT_EQ(back.settings.m_backgroundImage, m_resources + L"back.bmp");
    const ProgramView* view = back.segments[0]->m_views[0];
    // The video without a copy in the resource folder is dropped.
    ASSERT_EQ(view->m_programs.GetSize(), 3);
    EXPECT_EQ(static_cast<ProgramVideo*>(view->m_programs[1])->m_filePath, m_resources + L"clip (2).mp4");
    EXPECT_EQ(view->m_programs[2]->m_pNode->m_index, 3);
}

TEST_F(MergedResources, FailedCopyKeepsThePathAndIsReported)
{
    m_project.settings.m_backgroundImage = m_folder.File(L"one\\missing.bmp");
    m_view = AddView(AddSegment(m_project, L"S"), L"V", CRect(0, 0, 10, 10));
    AddVideo(m_view, m_folder.File(L"one\\gone.mp4"), L"a");
    AddVideo(m_view, m_folder.File(L"one\\clip.mp4"), L"b");

    EXPECT_FALSE(WriteProjectFile(m_project.segments, m_path, m_project.settings));
    EXPECT_EQ(m_project.settings.m_backgroundImage, m_folder.File(L"one\\missing.bmp"));
    EXPECT_EQ(Video(0)->m_filePath, m_folder.File(L"one\\gone.mp4"));
    EXPECT_EQ(Video(1)->m_filePath, m_resources + L"clip.mp4");
    // The file was written all the same.
    CTestProject back;
    ASSERT_EQ(ReadProjectFile(back.segments, m_path, back.settings), 2);
    EXPECT_TRUE(back.settings.m_backgroundImage.IsEmpty());
    ASSERT_EQ(back.segments[0]->m_views[0]->m_programs.GetSize(), 1);
}

TEST_F(MergedResources, WithoutTheFlagNothingIsCopied)
{
    m_project.settings.m_withResource = 0;
    m_view = AddView(AddSegment(m_project, L"S"), L"V", CRect(0, 0, 10, 10));
    AddVideo(m_view, m_folder.File(L"one\\clip.mp4"), L"a");
    ASSERT_TRUE(WriteProjectFile(m_project.segments, m_path, m_project.settings));
    EXPECT_EQ(Video(0)->m_filePath, m_folder.File(L"one\\clip.mp4"));
    EXPECT_FALSE(Exists(m_resources));
    // A stored background that exists is kept as it is.
    m_project.settings.m_backgroundImage = m_folder.File(L"one\\back.bmp");
    ASSERT_TRUE(WriteProjectFile(m_project.segments, m_path, m_project.settings));
    CTestProject back;
    ASSERT_EQ(ReadProjectFile(back.segments, m_path, back.settings), 2);
    EXPECT_EQ(back.settings.m_backgroundImage, m_folder.File(L"one\\back.bmp"));
}

} // namespace
