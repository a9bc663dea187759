// Project files of the older format read into legacy segment records.
#include <gtest/gtest.h>

#include "legacy_project_reader.h"
#include "records_test_support.h"
#include "show_model.h"

#include "Base64.h"
#include "ExeFolder.h"

namespace {

class LegacyRead : public ::testing::Test {
protected:
    LegacyRead()
        : m_folder(L"pr_legacy")
    {
    }
    ~LegacyRead() override
    {
        for (INT_PTR i = 0; i < m_segments.GetSize(); ++i)
            delete m_segments[i];
    }

    // Writes the body under a root without a version and reads it.
    void Read(const std::string& body, LPCWSTR name = L"old.LEDX")
    {
        m_path = m_folder.File(name);
        WriteFileBytes(m_path, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Old>" + body + "</Old>");
        ReadLegacyProjectFile(m_segments, m_path, m_settings);
    }

    CTempFolder m_folder;
    CString m_path;
    LegacySegmentList m_segments;
    ProjSet m_settings;
};

TEST(LegacyResourceFolder, CutsTheNameAtItsFirstDot)
{
    EXPECT_EQ(LegacyResourceFolder(L"D:\\shows\\gate.old.LEDX"), L"D:\\shows\\gate\\");
    EXPECT_EQ(LegacyResourceFolder(L"D:\\shows.v1\\gate.LEDX"), L"D:\\shows.v1\\gate\\");
    EXPECT_EQ(LegacyResourceFolder(L"D:\\shows\\gate"), L"D:\\shows\\gate\\");
}

TEST_F(LegacyRead, SettingsSegmentsAndTheirPrograms)
{
    const unsigned char schedule[3] = { 1, 2, 3 };
    Read("<ProjectSet><PROP_PROJ_SET PROP_PROJ_WIDTH=\"320\" PROP_PROJ_HEIGHT=\"64\" PROP_PROJ_SPEED=\"30\""
         " PROP_PROJ_TFRAME=\"500\" PROP_PROJ_PLAYTFRAME=\"400\" PROP_PROJ_LTYPE=\"2\" PROP_PROJ_WITHRES=\"0\"/>"
         "</ProjectSet><Segments>"
         "<Segment PROP_SEG_NAME=\"4\" PROP_SEG_TFRAME=\"300\" PROP_SEG_TIMEPLAY=\""
        + Base64Encode(schedule, 3)
        + "\">"
          "<Program ProgramType=\"1\" PROP_PROG_ORGFRAME=\"100\" PROP_PROG_EFRAME=\"100\" MT=\"2\">"
          "<Content PTYPE_VIDEO=\"C:\\v\\clip.avi\"/></Program>"
          "<Program ProgramType=\"2\" PROP_PROG_ORGFRAME=\"200\" PROP_PROG_CONTENT_TEXT=\"Hello\">"
          "<Content><Program ProgramType=\"0\" PTYPE_EFFECT=\"6\"><ColorContent PROP_COLOR_CHANGEMODE=\"1\">"
          "<Content>0xFF</Content></ColorContent></Program></Content></Program>"
          "<Program ProgramType=\"5\"/><Program ProgramType=\"\"/><Program/>"
          "</Segment>"
          "<Segment PROP_SEG_NAME=\"\" PROP_SEG_TFRAME=\"50\"/>"
          "</Segments>");
    EXPECT_EQ(m_settings.m_width, 320);
    EXPECT_EQ(m_settings.m_height, 64);
    EXPECT_EQ(m_settings.m_frameRate, 30);
    EXPECT_EQ(m_settings.m_totalFrames, 500);
    EXPECT_EQ(m_settings.m_playFrames, 400);
    EXPECT_EQ(m_settings.m_layoutType, 2);
    ASSERT_EQ(m_segments.GetSize(), 2);

    const SegmentGourp* first = m_segments[0];
    EXPECT_EQ(first->m_pSegmentInfo->m_number, 4);
    EXPECT_EQ(first->m_pSegmentInfo->m_totalFrames, 300);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&first->m_pSegmentInfo->m_timePlay);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[2], 3);
    EXPECT_EQ(bytes[3], 0);
    ASSERT_NE(first->m_pProgram, nullptr);
    ASSERT_TRUE(first->m_pProgram->IsKindOf(RUNTIME_CLASS(ProgramVideo)));
    const auto* video = static_cast<const ProgramVideo*>(first->m_pProgram);
    EXPECT_EQ(video->m_filePath, L"C:\\v\\clip.avi");
    EXPECT_EQ(video->m_mediaKind, 2);
    EXPECT_EQ(video->m_orgFrames, 100);
    EXPECT_EQ(video->m_pNode, nullptr);
    ASSERT_NE(first->m_pWords, nullptr);
    EXPECT_EQ(first->m_pWords->m_text, L"Hello");
    EXPECT_EQ(first->m_pWords->m_orgFrames, 200);
    ASSERT_NE(first->m_pWords->m_pTexture, nullptr);
    EXPECT_EQ(first->m_pWords->m_pTexture->m_style, 6);
    ASSERT_EQ(first->m_pWords->m_pTexture->m_templates.GetSize(), 1);
    EXPECT_EQ(first->m_pWords->m_pTexture->m_templates[0]->m_colors[0], 255u);
    EXPECT_EQ(first->m_pOther, nullptr);
    EXPECT_EQ(first->m_views.GetSize(), 0);

    const SegmentGourp* second = m_segments[1];
    EXPECT_EQ(second->m_pSegmentInfo->m_number, 0);
    EXPECT_EQ(second->m_pSegmentInfo->m_totalFrames, 50);
    EXPECT_EQ(second->m_pProgram, nullptr);
    EXPECT_EQ(second->m_pWords, nullptr);
}

TEST_F(LegacyRead, DroppedVideoSubtractsItsFrames)
{
    Read("<ProjectSet><PROP_PROJ_SET PROP_PROJ_TFRAME=\"1000\"/></ProjectSet><Segments>"
         "<Segment PROP_SEG_TFRAME=\"600\">"
         "<Program ProgramType=\"1\" PROP_PROG_ORGFRAME=\"250\"><Content PTYPE_VIDEO=\"\"/></Program>"
         "<Program ProgramType=\"1\" PROP_PROG_ORGFRAME=\"100\"/>"
         "</Segment>"
         "<Segment PROP_SEG_TFRAME=\"40\"><Program ProgramType=\"1\" PROP_PROG_ORGFRAME=\"90\"/></Segment>"
         "</Segments>");
    ASSERT_EQ(m_segments.GetSize(), 2);
    EXPECT_EQ(m_segments[0]->m_pProgram, nullptr);
    EXPECT_EQ(m_segments[0]->m_pSegmentInfo->m_totalFrames, 250);
    EXPECT_EQ(m_segments[1]->m_pSegmentInfo->m_totalFrames, 0); // never below none
    EXPECT_EQ(m_settings.m_totalFrames, 560);
}

TEST_F(LegacyRead, LaterProgramOfTheSameRoleWins)
{
    Read("<Segments>"
         "<Segment><Program ProgramType=\"0\" PTYPE_EFFECT=\"1\"/><Program ProgramType=\"0\" PTYPE_EFFECT=\"2\"/>"
         "<Program ProgramType=\"2\" PROP_PROG_CONTENT_TEXT=\"a\"/><Program ProgramType=\"2\" "
         "PROP_PROG_CONTENT_TEXT=\"b\"/></Segment>"
         "<Segment><Program ProgramType=\"1\"><Content PTYPE_VIDEO=\"v.avi\"/></Program>"
         "<Program ProgramType=\"0\" PTYPE_EFFECT=\"3\"/></Segment>"
         "<Segment><Program ProgramType=\"0\" PTYPE_EFFECT=\"3\"/>"
         "<Program ProgramType=\"1\"><Content PTYPE_VIDEO=\"w.avi\"/></Program></Segment>"
         "</Segments>");
    ASSERT_EQ(m_segments.GetSize(), 3);
    ASSERT_TRUE(m_segments[0]->m_pProgram->IsKindOf(RUNTIME_CLASS(ProgramColorEffect)));
    EXPECT_EQ(static_cast<ProgramColorEffect*>(m_segments[0]->m_pProgram)->m_style, 2);
    EXPECT_EQ(m_segments[0]->m_pWords->m_text, L"b");
    ASSERT_TRUE(m_segments[1]->m_pProgram->IsKindOf(RUNTIME_CLASS(ProgramColorEffect)));
    EXPECT_EQ(static_cast<ProgramColorEffect*>(m_segments[1]->m_pProgram)->m_style, 3);
    ASSERT_TRUE(m_segments[2]->m_pProgram->IsKindOf(RUNTIME_CLASS(ProgramVideo)));
    EXPECT_EQ(static_cast<ProgramVideo*>(m_segments[2]->m_pProgram)->m_filePath, L"w.avi");
}

TEST_F(LegacyRead, MergedMediaComeFromTheFolderCutAtTheFirstDot)
{
    const CString cut = m_folder.File(L"gate\\");
    const CString full = m_folder.File(L"gate.old\\");
    ::CreateDirectoryW(cut, nullptr);
    ::CreateDirectoryW(full, nullptr);
    WriteFileBytes(cut + L"clip.avi", "v");
    WriteFileBytes(full + L"other.avi", "v");
    WriteFileBytes(cut + L"bk.png", "b");
    Read("<ProjectSet><PROP_PROJ_SET PROP_PROJ_WITHRES=\"1\" PROP_PROJ_TFRAME=\"30\""
         " PROP_PROJ_BKIMG=\"E:\\x\\bk.png\"/></ProjectSet><Segments>"
         "<Segment PROP_SEG_TFRAME=\"10\"><Program ProgramType=\"1\" PROP_PROG_ORGFRAME=\"10\">"
         "<Content PTYPE_VIDEO=\"E:\\x\\clip.avi\"/></Program></Segment>"
         "<Segment PROP_SEG_TFRAME=\"20\"><Program ProgramType=\"1\" PROP_PROG_ORGFRAME=\"20\">"
         "<Content PTYPE_VIDEO=\"E:\\x\\other.avi\"/></Program></Segment>"
         "</Segments>",
        L"gate.old.LEDX");
    EXPECT_EQ(m_settings.m_backgroundImage, cut + L"bk.png");
    ASSERT_EQ(m_segments.GetSize(), 2);
    ASSERT_NE(m_segments[0]->m_pProgram, nullptr);
    EXPECT_EQ(static_cast<ProgramVideo*>(m_segments[0]->m_pProgram)->m_filePath, cut + L"clip.avi");
    EXPECT_EQ(m_segments[1]->m_pProgram, nullptr); // only in gate.old: missing from gate
    EXPECT_EQ(m_segments[1]->m_pSegmentInfo->m_totalFrames, 0);
    EXPECT_EQ(m_settings.m_totalFrames, 10);
}

TEST_F(LegacyRead, MergedBackgroundWithoutStoredPathStaysEmpty)
{
    Read("<ProjectSet><PROP_PROJ_SET PROP_PROJ_WITHRES=\"1\"/></ProjectSet>");
    EXPECT_TRUE(m_settings.m_backgroundImage.IsEmpty());
    EXPECT_EQ(m_segments.GetSize(), 0);
}

TEST_F(LegacyRead, LayoutAndPixelMapAreUnpacked)
{
    CString name;
    name.Format(L"legacy_%lu.lpx", ::GetCurrentProcessId());
    const CString layout = GetExeFolder() + L"\\TF\\" + name;
    const CString pix = layout.Left(layout.GetLength() - 4) + L".pix";
    Read("<ProjectSet><PROP_PROJ_SET PROP_PROJ_LAYOUTFILE=\"" + std::string(CStringA(name).GetString())
        + "\"/></ProjectSet><LPX>" + Base64EncodeString("LAYOUT\r\n") + "</LPX><PIX>" + Base64EncodeString("1,2\n")
        + "</PIX>");
    EXPECT_EQ(m_settings.m_layoutFile, layout);
    EXPECT_EQ(ReadFileBytes(layout), "LAYOUT\r\n");
    EXPECT_EQ(ReadFileBytes(pix), "1,2\r\n");
    ::DeleteFileW(layout);
    ::DeleteFileW(pix);
}

TEST_F(LegacyRead, UnreadableFilesAddNothing)
{
    m_settings.m_width = 123;
    ReadLegacyProjectFile(m_segments, m_folder.File(L"absent.LEDX"), m_settings);
    m_path = m_folder.File(L"bad.LEDX");
    WriteFileBytes(m_path, "<Old><Segments><Segment/>");
    ReadLegacyProjectFile(m_segments, m_path, m_settings);
    EXPECT_EQ(m_segments.GetSize(), 0);
    EXPECT_EQ(m_settings.m_width, 123);
}

} // namespace
