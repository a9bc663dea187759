// The project file's text, byte for byte: a small project with a layout, a
// segment, a view, a video, a colourful text and a transition (not stored).
#include <gtest/gtest.h>

#include "project_file.h"
#include "project_file_fixture.h"
#include "show_model.h"

namespace {

// Base64 of the hardware record: byte 0 = 0x41, the other 279 zero.
std::string ChipsetText()
{
    return "QQAA" + Repeat("AAAA", 92) + "AA==";
}

// Base64 of a new segment's schedule at time 0: 1 at offsets 8 and 96.
std::string ScheduleText()
{
    return Repeat("AAAA", 2) + "AAAB" + Repeat("AAAA", 29) + "AQAA" + Repeat("AAAA", 88) + "AA==";
}

// Base64 of a LOGFONTW that is zero apart from the face name "Ab" at offset 28.
std::string FontText()
{
    return Repeat("AAAA", 9) + "AEEA" + "YgAA" + Repeat("AAAA", 19) + "AAA=";
}

TEST(ProjectGolden, SmallProjectByteForByte)
{
    CTempProjectFolder folder(L"pf_golden");
    const CString layout = folder.File(L"LEDScreen1.lpx");
    WriteBytes(layout, "QVTN");
    WriteBytes(folder.File(L"LEDScreen1.pix"), "1,1,\r\r\n"); // as the controller library writes it

    CTestProject project;
    ProjSet& set = project.settings;
    set.m_width = 200;
    set.m_height = 50;
    set.m_frameRate = 25;
    set.m_totalFrames = 250;
    set.m_playFrames = 250;
    set.m_layoutType = 1;
    set.m_colorMode = 2;
    set.m_whiteValue = 128;
    set.m_hardwareRecord[0] = 0x41;
    set.m_layoutFile = layout;

    QvSegmentGourp* segment = AddSegment(project, L"Caf\u00E9");
    segment->m_pSegmentInfo->m_totalFrames = 250;
    segment->m_fourColorMode = 1;
    segment->m_whiteValue = 7;

    ProgramView* view = AddView(segment, L"Front", CRect(10, 5, 110, 45));
    view->m_loopPlay = 0;
    view->m_frames = 250;
    view->m_repeatCount = 3;
    view->m_transparentMode = 1;
    view->m_transparency = 200;
    view->m_areaLocked = 1;
    view->m_brightness = 80;
    view->m_showTime = 0.1;
    view->m_timeBase = 1;

    ProgramVideo* video = AddVideo(view, L"D:\\media\\clip.mp4", L"clip");
    video->m_startSpeed = 1.0f;
    video->m_endSpeed = 1.5f;
    video->m_fadeInTime = 1;
    video->m_fadeOutTime = 2;
    video->m_mediaKind = MEDIA_SWF;
    video->m_marginLeft = 1;
    video->m_marginTop = 2;
    video->m_marginRight = 3;
    video->m_marginBottom = -4;

    view->m_programs.Add(new ProgramTransEffect); // never stored

    auto* words = new ProgramColorFulWords;
    view->m_programs.Add(words);
    words->SetNode(new NodeInfo(1, 3, L"Greeting", NODE_PROGRAM));
    words->m_programType = PROGRAM_TYPE_COLORFUL_WORDS;
    words->m_orgFrames = 100;
    words->m_vTiles = 2;
    words->m_hTiles = 3;
    words->m_endFrame = 200;
    words->m_endSpeed = 0.5f;
    words->m_fadeInTime = 9; // not stored for colourful text
    words->m_text = L"Hi & <you> \"q\"";
    words->m_font.lfFaceName[0] = L'A';
    words->m_font.lfFaceName[1] = L'b';
    words->m_backgroundColor = 0x00102030;
    words->m_textColor = RGB(255, 255, 255);
    words->m_textWidth = 100;
    words->m_textSpacing = -2;
    words->m_useTextColor = 0;
    words->m_textureSpeed = 5;
    words->m_strokeType = 1;
    words->m_strokeColor = 0xFF;
    words->m_strokeWidth = 2;
    words->m_enterEffect = 3;
    words->m_enterTime = 0.25f;
    words->m_enterFrames = 6;
    words->m_showWordEffect = 4;
    words->m_showWordTime = 2.0f;
    words->m_showWordFrames = 50;
    words->m_leaveEffect = 5;
    words->m_leaveTime = 0.1f;
    words->m_leaveFrames = 3;
    words->m_orientation = 1;
    words->m_textureIndex = 7;
    words->m_reverse = 1;
    words->m_mirror = 2;
    words->m_wordRepeatCount = 2;
    words->SetTexture(nullptr); // the texture's element is the colour effect's own

    const CString path = folder.File(L"show.LEDX");
    ASSERT_TRUE(WriteProjectFile(project.segments, path, project.settings));

    const std::string expected = std::string() + "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        + "<Dornel PROP_DOC_VER=\"2\">\r\n" + "    <ProjectSet>\r\n"
        + "        <PROP_PROJ_SET PROP_PROJ_WIDTH=\"200\" PROP_PROJ_HEIGHT=\"50\" PROP_PROJ_SPEED=\"25\""
          " PROP_PROJ_TFRAME=\"250\" PROP_PROJ_PLAYTFRAME=\"250\" PROP_PROJ_LTYPE=\"1\" PROP_PROJ_WITHRES=\"0\""
          " PROP_PROJ_COLORMODE=\"2\" PROP_FC_WHITENESS=\"128\" PROP_PROJ_CHIPSET=\""
        + ChipsetText() + "\" PROP_PROJ_LAYOUTFILE=\"LEDScreen1.lpx\"/>\r\n" + "    </ProjectSet>\r\n"
        + "    <Segments>\r\n" + "        <Segment PROP_SEG_NAME=\"1\" PROP_SEG_TFRAME=\"250\" PROP_SEG_TIMEPLAY=\""
        + ScheduleText() + "\" PROP_NODE_NAME=\"Caf\xE9\" PROP_SEG_FCMODE=\"1\" PROP_FC_WHITENESS=\"7\">\r\n"
        + "            <ProgramView PROP_VIEW_LOOPPLAY=\"0\" PROP_VIEW_FRAMES=\"250\" PROP_VIEW_LEFT=\"10\""
          " PROP_VIEW_TOP=\"5\" PROP_VIEW_WIDTH=\"100\" PROP_VIEW_HEIGHT=\"40\" PROP_REPEATE_COUNT=\"3\""
          " PROP_NODE_NAME=\"Front\" PROP_VIEW_TRANSPARENT=\"1\" PROP_VIEW_TRANSPARENCY=\"200\""
          " PROP_VIEW_AREALOCKED=\"1\" PROP_VIEW_BRIGHTNESS=\"80\" PROP_VIEW_SHOW_TIME=\"0.10000000000000001\""
          " PROP_VIEW_SET_TIME_BASE=\"1\">\r\n"
        + "                <Program ProgramType=\"1\" PROP_PROG_ORGFRAME=\"250\" PROP_PROG_VTILE=\"1\""
          " PROP_PROG_HTILE=\"1\" PROP_PROG_SFRAME=\"1\" PROP_PROG_EFRAME=\"250\" PROP_PROG_SSPEED=\"1\""
          " PROP_PROG_ESPEED=\"1.5\" PROP_PROG_FADEIN_TIME=\"1\" PROP_PROG_FADEOUT_TIME=\"2\" MT=\"1\""
          " PROP_PROG_MARGIN_LEFT=\"1\" PROP_PROG_MARGIN_TOP=\"2\" PROP_PROG_MARGIN_RIGHT=\"3\""
          " PROP_PROG_MARGIN_BOTTOM=\"-4\" PROP_NODE_NAME=\"clip\">\r\n"
        + "                    <Content PTYPE_VIDEO=\"D:\\media\\clip.mp4\"/>\r\n" + "                </Program>\r\n"
        + "                <Program ProgramType=\"2\" PROP_PROG_ORGFRAME=\"100\" PROP_PROG_VTILE=\"2\""
          " PROP_PROG_HTILE=\"3\" PROP_PROG_SFRAME=\"1\" PROP_PROG_EFRAME=\"200\" PROP_PROG_SSPEED=\"1\""
          " PROP_PROG_ESPEED=\"0.5\" PROP_PROG_CONTENT_TEXT=\"Hi &amp; &lt;you&gt; &quot;q&quot;\""
          " PROP_PROG_LOGFNT=\""
        + FontText()
        + "\" PROP_PROG_TEXT_BACKGROUD=\"1056816\" PROP_PROG_TEXT_COLOR=\"16777215\" PROP_PROG_TEXT_WIDTH=\"100\""
          " PROP_PROG_TEXT_SPACE=\"-2\" PROP_PROG_USE_TEXT_COLOR=\"0\" PROP_PROG_TEXTURE_SPEED=\"5\""
          " PROP_PROG_STROKE_TYPE=\"1\" PROP_PROG_STROKE_COLOR=\"255\" PROP_PROG_STROKE_WIDTH=\"2\""
          " PROP_PROG_ENTER_EFFECT=\"3\" PROP_PROG_ENTER_TIME=\"0.25\" PROP_PROG_ENTER_FRAMES=\"6\""
          " PROP_PROG_SHOWWORD_EFFECT=\"4\" PROP_PROG_SHOWWORD_TIME=\"2\" PROP_PROG_SHOWWORD_FRAMES=\"50\""
          " PROP_PROG_LEAVE_EFFECT=\"5\" PROP_PROG_LEAVE_TIME=\"0.1\" PROP_PROG_LEAVE_FRAMES=\"3\""
          " PROP_PROG_TEXT_ORIENTATION=\"1\" PROP_PROG_TEXT_TEXTURE_IDX=\"7\" PROP_PROG_TEXT_REVERSE=\"1\""
          " PROP_PROG_TEXT_MIRROR=\"2\" PROP_NODE_NAME=\"Greeting\" PROP_PROG_WORD_REPEAT_COUNT=\"2\">\r\n"
        + "                    <Content/>\r\n" + "                </Program>\r\n" + "            </ProgramView>\r\n"
        + "        </Segment>\r\n" + "    </Segments>\r\n" + "    <LPX>UVZUTg==</LPX>\r\n"
        + "    <PIX>MSwxLA0K</PIX>\r\n" + "</Dornel>\r\n";
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST(ProjectGolden, EmptyProjectHasNoLayoutElements)
{
    CTempProjectFolder folder(L"pf_golden_empty");
    CTestProject project;
    const CString path = folder.File(L"empty.LEDX");
    ASSERT_TRUE(WriteProjectFile(project.segments, path, project.settings));
    const std::string expected = std::string() + "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        + "<Dornel PROP_DOC_VER=\"2\">\r\n" + "    <ProjectSet>\r\n"
        + "        <PROP_PROJ_SET PROP_PROJ_WIDTH=\"200\" PROP_PROJ_HEIGHT=\"50\" PROP_PROJ_SPEED=\"25\""
          " PROP_PROJ_TFRAME=\"0\" PROP_PROJ_PLAYTFRAME=\"0\" PROP_PROJ_LTYPE=\"1\" PROP_PROJ_WITHRES=\"0\""
          " PROP_PROJ_COLORMODE=\"0\" PROP_FC_WHITENESS=\"0\" PROP_PROJ_CHIPSET=\""
        + Repeat("AAAA", 93) + "AA==\"/>\r\n" + "    </ProjectSet>\r\n" + "    <Segments/>\r\n" + "</Dornel>\r\n";
    EXPECT_EQ(ReadBytes(path), expected);
}

} // namespace
