// Malformed project files fail or clamp cleanly and never leave a half-read
// project behind.
#include <gtest/gtest.h>

#include "project_file.h"
#include "project_file_fixture.h"
#include "show_model.h"

namespace {

class MalformedProject : public ::testing::Test {
protected:
    MalformedProject()
        : m_folder(L"pf_bad")
    {
        // What the caller had before reading: it must survive a failed read.
        m_project.settings.m_width = 123;
        AddSegment(m_project, L"kept");
    }
    int Read(const std::string& text)
    {
        const CString path = m_folder.File(L"bad.LEDX");
        WriteBytes(path, text);
        return ReadProjectFile(m_project.segments, path, m_project.settings);
    }
    void ExpectUnchanged()
    {
        EXPECT_EQ(m_project.settings.m_width, 123);
        ASSERT_EQ(m_project.segments.GetSize(), 1);
        EXPECT_EQ(m_project.segments[0]->m_pNode->m_name, L"kept");
    }
    CTempProjectFolder m_folder;
    CTestProject m_project;
};

TEST_F(MalformedProject, UnreadableFilesFail)
{
    const std::string cases[] = {
        "",
        "<?xml version=\"1.0\"?>",
        "<?xml version=\"1.0\"?><!-- only a comment -->",
        "<Dornel PROP_DOC_VER=\"2\"><ProjectSet><PROP_PROJ_SET PROP_PROJ_WIDTH=\"400\"/></ProjectSet><Segments>",
        "<Dornel PROP_DOC_VER=\"2\"><Segments><Segment></Segments></Dornel>",
        "<Dornel PROP_DOC_VER=\"2\"",
        "not xml at all",
        "<Dornel PROP_DOC_VER=\"-2\"><Segments><Segment/></Segments></Dornel>",
    };
    for (const std::string& text : cases) {
        EXPECT_EQ(Read(text), -1) << text;
        ExpectUnchanged();
    }
    EXPECT_EQ(ReadProjectFile(m_project.segments, m_folder.File(L"absent.LEDX"), m_project.settings), -1);
    EXPECT_EQ(ReadProjectFile(m_project.segments, m_folder.Path(), m_project.settings), -1); // a folder
    ExpectUnchanged();
}

TEST_F(MalformedProject, TooManyViewsFailWithoutChanges)
{
    std::string text = "<Dornel PROP_DOC_VER=\"2\"><ProjectSet><PROP_PROJ_SET PROP_PROJ_WIDTH=\"400\"/></ProjectSet>"
                       "<Segments><Segment/><Segment>";
    for (int i = 0; i <= kMaxViewsPerSegment; ++i)
        text += "<ProgramView/>";
    text += "</Segment></Segments></Dornel>";
    EXPECT_EQ(Read(text), -1);
    ExpectUnchanged();
}

TEST_F(MalformedProject, AbsurdNumbersAreClamped)
{
    // Twenty nines wrap to some 32-bit version; what matters is that nothing
    // overflows and the content is brought into range.
    const int version
        = Read("<Dornel PROP_DOC_VER=\"7\"><ProjectSet><PROP_PROJ_SET"
               " PROP_PROJ_WIDTH=\"-7\" PROP_PROJ_HEIGHT=\"99999999999999999999\" PROP_PROJ_TFRAME=\"-1\"/>"
               "</ProjectSet><Segments><Segment PROP_SEG_TFRAME=\"-50\"><ProgramView"
               " PROP_VIEW_LEFT=\"2147483647\" PROP_VIEW_WIDTH=\"2147483647\" PROP_VIEW_SHOW_TIME=\"1e300\""
               " PROP_VIEW_FRAMES=\"-3\"><Program ProgramType=\"1\" PROP_PROG_HTILE=\"100000\""
               " PROP_PROG_EFRAME=\"4000000000\" PROP_PROG_SSPEED=\"1e999\">"
               "<Content PTYPE_VIDEO=\"v.mp4\"/></Program></ProgramView></Segment></Segments></Dornel>");
    ASSERT_EQ(version, 7);
    ASSERT_EQ(m_project.segments.GetSize(), 2);
    const QvSegmentGourp* segment = m_project.segments[1];
    const ProjSet& set = m_project.settings;
    EXPECT_EQ(set.m_width, 1);
    EXPECT_GE(set.m_height, 1);
    EXPECT_LE(set.m_height, kMaxProjectSide);
    EXPECT_EQ(set.m_totalFrames, 0);
    EXPECT_EQ(segment->m_pSegmentInfo->m_totalFrames, 0);
    const ProgramView* view = segment->m_views[0];
    EXPECT_EQ(view->m_projectRect.left, kMaxCoordinate);
    EXPECT_EQ(view->m_projectRect.right, 2 * kMaxCoordinate);
    EXPECT_EQ(view->m_showTime, kMaxShowTimeSeconds);
    EXPECT_EQ(view->m_frames, 0);
    const Program* program = view->m_programs[0];
    EXPECT_EQ(program->m_hTiles, kMaxTiles);
    EXPECT_EQ(program->m_endFrame, 0); // "4000000000" wraps negative, then clamps
    EXPECT_EQ(program->m_startSpeed, 0.0f); // beyond a double: no number, 0
}

} // namespace
