// Reading project files written by hand: versions, defaults of missing and
// empty attributes, view names, skipped program types, the repeat count,
// bounded records and the numbering of the tree.
#include <gtest/gtest.h>

#include "Base64.h"
#include "project_file.h"
#include "project_file_fixture.h"
#include "show_model.h"

#include <cstring>

namespace {

class ProjectRead : public ::testing::Test {
protected:
    ProjectRead()
        : m_folder(L"pf_read")
    {
    }

    // Writes the document text and reads it into m_project.
    int Read(const std::string& text)
    {
        const CString path = m_folder.File(L"in.LEDX");
        WriteBytes(path, text);
        return ReadProjectFile(m_project.segments, path, m_project.settings);
    }
    // A version-2 file whose "Segments" element holds body.
    int ReadSegments(const std::string& body)
    {
        return Read("<?xml version=\"1.0\"?><Dornel PROP_DOC_VER=\"2\"><Segments>" + body + "</Segments></Dornel>");
    }
    ProgramView* View(int segment, int view) { return m_project.segments[segment]->m_views[view]; }

    CTempProjectFolder m_folder;
    CTestProject m_project;
};

TEST_F(ProjectRead, VersionDecides)
{
    EXPECT_EQ(Read("<Dornel PROP_DOC_VER=\"0\"><Segments><Segment/></Segments></Dornel>"), 0);
    EXPECT_EQ(Read("<Dornel PROP_DOC_VER=\"\"><Segments><Segment/></Segments></Dornel>"), 0);
    EXPECT_EQ(Read("<Dornel><Segments><Segment/></Segments></Dornel>"), 0);
    EXPECT_EQ(m_project.segments.GetSize(), 0);
    // Any root name is accepted.
    EXPECT_EQ(Read("<Other PROP_DOC_VER=\"2\"><Segments><Segment/></Segments></Other>"), 2);
    EXPECT_EQ(m_project.segments.GetSize(), 1);
}

TEST_F(ProjectRead, ViewDefaultsForMissingAndEmptyAttributes)
{
    ASSERT_EQ(ReadSegments("<Segment>"
                           "<ProgramView/>"
                           "<ProgramView PROP_VIEW_LOOPPLAY=\"\" PROP_VIEW_FRAMES=\"\" PROP_VIEW_TRANSPARENCY=\"\""
                           " PROP_VIEW_BRIGHTNESS=\"\" PROP_VIEW_SHOW_TIME=\"\" PROP_NODE_NAME=\"\"/>"
                           "<ProgramView PROP_VIEW_BRIGHTNESS=\"300\" PROP_VIEW_TRANSPARENCY=\"-1\""
                           " PROP_VIEW_SHOW_TIME=\"1.25\" PROP_VIEW_LEFT=\"3\" PROP_VIEW_WIDTH=\"10\""
                           " PROP_VIEW_TOP=\"4\" PROP_VIEW_HEIGHT=\"6\"/>"
                           "</Segment>"),
        2);
    ASSERT_EQ(m_project.segments[0]->m_views.GetSize(), 3);
    for (int i = 0; i < 2; ++i) {
        const ProgramView* view = View(0, i);
        EXPECT_EQ(view->m_loopPlay, 1);
        EXPECT_EQ(view->m_frames, 0);
        EXPECT_EQ(view->m_projectRect, CRect(0, 0, 0, 0));
        EXPECT_EQ(view->m_repeatCount, 0);
        EXPECT_EQ(view->m_transparentMode, 0);
        EXPECT_EQ(view->m_transparency, 255);
        EXPECT_EQ(view->m_areaLocked, 0);
        EXPECT_EQ(view->m_brightness, 100);
        EXPECT_EQ(view->m_showTime, 0.0);
        EXPECT_EQ(view->m_timeBase, 0);
    }
    // A view without a name is named after its place.
    EXPECT_EQ(View(0, 0)->m_pNode->m_name, L"View_01");
    EXPECT_EQ(View(0, 1)->m_pNode->m_name, L"View_02");
    EXPECT_EQ(View(0, 2)->m_pNode->m_name, L"View_03");
    // One-byte fields keep the low 8 bits.
    EXPECT_EQ(View(0, 2)->m_brightness, 300 & 0xFF);
    EXPECT_EQ(View(0, 2)->m_transparency, 255);
    EXPECT_EQ(View(0, 2)->m_showTime, 1.25);
    EXPECT_EQ(View(0, 2)->m_projectRect, CRect(3, 4, 13, 10));
}

TEST_F(ProjectRead, RepeatCountOverridesLoopPlay)
{
    struct Row {
        const char* attributes;
        int loop;
        int repeat;
    };
    const Row rows[] = {
        { "PROP_VIEW_LOOPPLAY=\"1\" PROP_REPEATE_COUNT=\"3\"", 0, 3 },
        { "PROP_VIEW_LOOPPLAY=\"0\" PROP_REPEATE_COUNT=\"0\"", 1, 0 },
        { "PROP_VIEW_LOOPPLAY=\"0\" PROP_REPEATE_COUNT=\"-2\"", 1, -2 },
        { "PROP_VIEW_LOOPPLAY=\"0\" PROP_REPEATE_COUNT=\"\"", 1, 0 },
        { "PROP_VIEW_LOOPPLAY=\"0\"", 0, 0 },
        { "PROP_VIEW_LOOPPLAY=\"1\"", 1, 0 },
    };
    std::string body = "<Segment>";
    for (const Row& row : rows)
        body += std::string("<ProgramView ") + row.attributes + "/>";
    ASSERT_EQ(ReadSegments(body + "</Segment>"), 2);
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(View(0, static_cast<int>(i))->m_loopPlay, rows[i].loop) << rows[i].attributes;
        EXPECT_EQ(View(0, static_cast<int>(i))->m_repeatCount, rows[i].repeat) << rows[i].attributes;
    }
}

TEST_F(ProjectRead, SkippedProgramTypesKeepTheNumberingDense)
{
    ASSERT_EQ(ReadSegments("<Segment><ProgramView/><ProgramView>"
                           "<Program ProgramType=\"3\"/>"
                           "<Program ProgramType=\"1\" PROP_NODE_NAME=\"a\"><Content PTYPE_VIDEO=\"x.mp4\"/></Program>"
                           "<Program ProgramType=\"4\"/>"
                           "<Program ProgramType=\"6\"/>"
                           "<Program/>"
                           "<Program ProgramType=\"\"/>"
                           "<Program ProgramType=\"1\"><Content PTYPE_VIDEO=\"\"/></Program>"
                           "<Program ProgramType=\"1\"/>"
                           "<Program ProgramType=\"1\" PROP_NODE_NAME=\"b\"><Content PTYPE_VIDEO=\"y.mp4\"/></Program>"
                           "<Program ProgramType=\"8\"/>"
                           "</ProgramView></Segment>"),
        2);
    const ProgramView* view = View(0, 1);
    ASSERT_EQ(view->m_programs.GetSize(), 3);
    const auto* first = static_cast<ProgramVideo*>(view->m_programs[0]);
    const auto* second = static_cast<ProgramVideo*>(view->m_programs[1]);
    ASSERT_TRUE(first->IsKindOf(RUNTIME_CLASS(ProgramVideo)));
    ASSERT_TRUE(second->IsKindOf(RUNTIME_CLASS(ProgramVideo)));
    EXPECT_EQ(first->m_filePath, L"x.mp4");
    EXPECT_EQ(second->m_filePath, L"y.mp4");
    EXPECT_EQ(first->m_pNode->m_name, L"a");
    EXPECT_EQ(first->m_pNode->m_index, 1);
    EXPECT_EQ(second->m_pNode->m_index, 2);
    EXPECT_EQ(second->m_pNode->m_parent, 2); // the view's index
    EXPECT_EQ(second->m_pNode->m_kind, NODE_PROGRAM);
    EXPECT_TRUE(view->m_programs[2]->IsKindOf(RUNTIME_CLASS(CEFlickerStar)));
}

TEST_F(ProjectRead, TreeIsRenumberedByPosition)
{
    ASSERT_EQ(ReadSegments("<Segment PROP_SEG_NAME=\"7\" PROP_NODE_NAME=\"A\"><ProgramView/></Segment>"
                           "<Segment PROP_SEG_NAME=\"7\"><ProgramView/><ProgramView>"
                           "<Program ProgramType=\"1\"><Content PTYPE_VIDEO=\"v.avi\"/></Program>"
                           "</ProgramView></Segment>"),
        2);
    ASSERT_EQ(m_project.segments.GetSize(), 2);
    for (int s = 0; s < 2; ++s) {
        const QvSegmentGourp* segment = m_project.segments[s];
        EXPECT_EQ(segment->m_pSegmentInfo->m_number, s + 1);
        EXPECT_EQ(segment->m_pNode->m_index, s + 1);
        EXPECT_EQ(segment->m_pNode->m_parent, -1);
        for (int v = 0; v < segment->m_views.GetSize(); ++v) {
            EXPECT_EQ(segment->m_views[v]->m_pNode->m_parent, s + 1);
            EXPECT_EQ(segment->m_views[v]->m_pNode->m_index, v + 1);
        }
    }
    EXPECT_EQ(m_project.segments[0]->m_pNode->m_name, L"A");
    EXPECT_EQ(View(1, 1)->m_programs[0]->m_pNode->m_parent, 2);
}

TEST_F(ProjectRead, SegmentRecordAndDefaults)
{
    // A schedule that decodes to fewer than 364 bytes leaves the rest zero;
    // one that decodes to more is cut at 364.
    std::string shortRecord(10, '\x05');
    std::string longRecord(400, '\x09');
    ASSERT_EQ(ReadSegments("<Segment PROP_SEG_TIMEPLAY=\"" + Base64EncodeString(shortRecord)
                  + "\" PROP_FC_WHITENESS=\"\" PROP_SEG_FCMODE=\"\"/>"
                    "<Segment PROP_SEG_TIMEPLAY=\""
                  + Base64EncodeString(longRecord) + "\" PROP_FC_WHITENESS=\"513\" PROP_SEG_TFRAME=\"40\"/>"),
        2);
    const QvSegmentGourp* first = m_project.segments[0];
    const auto* bytes = reinterpret_cast<const unsigned char*>(&first->m_pSegmentInfo->m_timePlay);
    for (int i = 0; i < 364; ++i)
        ASSERT_EQ(bytes[i], i < 10 ? 5 : 0) << i;
    EXPECT_EQ(first->m_whiteValue, 0);
    EXPECT_EQ(first->m_fourColorMode, 0);
    EXPECT_EQ(first->m_pNode->m_name, L"");
    const QvSegmentGourp* second = m_project.segments[1];
    EXPECT_EQ(second->m_pSegmentInfo->m_timePlay.m_holidayEnd[12], 0x0909090909090909LL);
    EXPECT_EQ(second->m_whiteValue, 1);
    EXPECT_EQ(second->m_pSegmentInfo->m_totalFrames, 40);
}

TEST_F(ProjectRead, ProjectSettings)
{
    m_project.settings.m_layoutMask = 0; // not stored: the caller's value stays
    std::string chip(5, '\x7F');
    ASSERT_EQ(Read("<Dornel PROP_DOC_VER=\"2\"><ProjectSet><PROP_PROJ_SET PROP_PROJ_WIDTH=\"320\""
                   " PROP_PROJ_HEIGHT=\"\" PROP_PROJ_SPEED=\"0\" PROP_PROJ_COLORMODE=\"3\" PROP_FC_WHITENESS=\"\""
                   " PROP_PROJ_BKIMG=\"Z:\\no\\such\\file.bmp\" PROP_PROJ_CHIPSET=\""
                  + Base64EncodeString(chip) + "\"/></ProjectSet></Dornel>"),
        2);
    const ProjSet& set = m_project.settings;
    EXPECT_EQ(set.m_width, 320);
    EXPECT_EQ(set.m_height, 50); // empty: unchanged
    EXPECT_EQ(set.m_frameRate, 25); // 0 or less reads as 25
    EXPECT_EQ(set.m_colorMode, 3);
    EXPECT_EQ(set.m_whiteValue, 0);
    EXPECT_EQ(set.m_layoutMask, 0);
    EXPECT_TRUE(set.m_backgroundImage.IsEmpty()); // no file there
    for (int i = 0; i < ProjSet::kHardwareRecordSize; ++i)
        ASSERT_EQ(set.m_hardwareRecord[i], i < 5 ? 0x7F : 0) << i;
}

TEST_F(ProjectRead, ProjectSizeAndRateAreClamped)
{
    struct Row {
        const char* width;
        const char* speed;
        int expectedWidth;
        int expectedSpeed;
    };
    const Row rows[] = {
        { "99999999", "-5", kMaxProjectSide, 25 },
        { "4294967295", "100000", 1, kMaxFrameRate },
        { "abc", "30", 1, 30 },
        { "64", "1", 64, 1 },
    };
    for (const Row& row : rows) {
        m_project.settings.ResetToNewProject();
        ASSERT_EQ(Read(std::string("<Dornel PROP_DOC_VER=\"2\"><ProjectSet><PROP_PROJ_SET PROP_PROJ_WIDTH=\"")
                      + row.width + "\" PROP_PROJ_SPEED=\"" + row.speed + "\"/></ProjectSet></Dornel>"),
            2);
        EXPECT_EQ(m_project.settings.m_width, row.expectedWidth) << row.width;
        EXPECT_EQ(m_project.settings.m_frameRate, row.expectedSpeed) << row.speed;
    }
}

TEST_F(ProjectRead, FontIsBoundedAndItsFaceNameEnds)
{
    std::string font(200, 'A'); // longer than a LOGFONTW, no NUL anywhere
    ASSERT_EQ(ReadSegments("<Segment><ProgramView><Program ProgramType=\"2\" PROP_PROG_LOGFNT=\""
                  + Base64EncodeString(font) + "\" PROP_PROG_ORGFRAME=\"40\" PROP_PROG_EFRAME=\"100\""
                  + " PROP_PROG_WORD_REPEAT_COUNT=\"\" PROP_PROG_TEXT_COLOR=\"0xFF\"/>"
                  + "<Program ProgramType=\"2\" PROP_PROG_LOGFNT=\"QUJD\" PROP_PROG_ORGFRAME=\"0\""
                    " PROP_PROG_WORD_REPEAT_COUNT=\"\"/>"
                    "<Program ProgramType=\"2\"/>"
                    "</ProgramView></Segment>"),
        2);
    const auto* words = static_cast<ProgramColorFulWords*>(View(0, 0)->m_programs[0]);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&words->m_font);
    for (int i = 0; i < 90; ++i)
        ASSERT_EQ(bytes[i], 'A') << i;
    EXPECT_EQ(words->m_font.lfFaceName[LF_FACESIZE - 1], L'\0');
    EXPECT_EQ(words->m_wordRepeatCount, 3); // ceiling of 100 / 40
    EXPECT_EQ(words->m_textColor, 0u); // "%u" text: read as a decimal number
    ASSERT_NE(words->m_pTexture, nullptr);

    const auto* shortFont = static_cast<ProgramColorFulWords*>(View(0, 0)->m_programs[1]);
    const auto* shortBytes = reinterpret_cast<const unsigned char*>(&shortFont->m_font);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(shortBytes), 3), "ABC");
    for (size_t i = 3; i < sizeof(LOGFONTW); ++i)
        ASSERT_EQ(shortBytes[i], 0) << i;
    EXPECT_EQ(shortFont->m_wordRepeatCount, 1);

    // Without attributes: constructor values and a default texture.
    const auto* bare = static_cast<ProgramColorFulWords*>(View(0, 0)->m_programs[2]);
    EXPECT_EQ(bare->m_wordRepeatCount, 1);
    EXPECT_EQ(bare->m_textColor, RGB(255, 255, 255));
    ASSERT_NE(bare->m_pTexture, nullptr);
}

TEST_F(ProjectRead, VideoValues)
{
    ASSERT_EQ(ReadSegments("<Segment><ProgramView><Program ProgramType=\"1\" PROP_PROG_ORGFRAME=\"90\""
                           " PROP_PROG_SSPEED=\"2.5\" PROP_PROG_MARGIN_LEFT=\"\" PROP_PROG_MARGIN_TOP=\"7\" MT=\"2\""
                           " PROP_PROG_VTILE=\"0\">"
                           "<Content PTYPE_VIDEO=\"C:\\a.tol\"/></Program></ProgramView></Segment>"),
        2);
    const auto* video = static_cast<ProgramVideo*>(View(0, 0)->m_programs[0]);
    EXPECT_EQ(video->m_orgFrames, 90);
    EXPECT_EQ(video->m_startSpeed, 2.5f);
    EXPECT_EQ(video->m_endSpeed, 1.0f);
    EXPECT_EQ(video->m_marginLeft, 0);
    EXPECT_EQ(video->m_marginTop, 7);
    EXPECT_EQ(video->m_mediaKind, MEDIA_TOL);
    EXPECT_EQ(video->m_vTiles, 1); // no tiles at all makes no picture: at least one
    EXPECT_EQ(video->m_decoderHandle, -1);
}

} // namespace
