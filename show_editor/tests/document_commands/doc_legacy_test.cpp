// Projects of the older format: their segments become segments with one
// view per program when the document opens them.
#include "doc_test_support.h"

#include "program_color_effect.h"
#include "program_colorful_words.h"
#include "program_video.h"

#include <cstring>

using namespace doctest;

TEST_F(DocTest, LegacySegmentsBecomeSegmentsWithOneViewPerProgram)
{
    LegacySegmentList legacy;
    auto* both = new SegmentGourp;
    both->m_pSegmentInfo->m_number = 9;
    both->m_pSegmentInfo->m_totalFrames = 999;
    both->m_pProgram = NewEffect(40, 3);
    auto* words = new ProgramColorFulWords;
    words->m_programType = PROGRAM_TYPE_COLORFUL_WORDS;
    words->m_text = L"Hello";
    words->m_endFrame = 90;
    words->SetTexture(static_cast<ProgramColorEffect*>(NewEffect(5, 6)));
    both->m_pWords = words;
    legacy.Add(both);
    auto* video = new SegmentGourp;
    auto* clip = new ProgramVideo;
    clip->m_programType = PROGRAM_TYPE_MEDIA;
    clip->m_filePath = L"C:\\v\\clip.avi";
    clip->m_endFrame = 25;
    video->m_pProgram = clip;
    legacy.Add(video);
    auto* timed = new SegmentGourp; // empty: a segment without views, with its schedule
    SegmentTimePlay& schedule = timed->m_pSegmentInfo->m_timePlay;
    schedule.m_durationSeconds = 77;
    schedule.m_timedPlay = 1;
    schedule.m_weekdays[2] = 1;
    schedule.m_holidayMask = 0x1234;
    schedule.m_holidayEnd[12] = 0x7FFFFFFF;
    timed->m_timePlayRead = true;
    const SegmentTimePlay stored = schedule;
    legacy.Add(timed);

    BindFakePanels();
    m_host.Clear();
    CDornelDoc::ConvertLegacySegments(m_doc.get(), legacy);
    CDornelDoc::FreeLegacySegments(legacy);
    EXPECT_EQ(legacy.GetSize(), 0);

    ASSERT_EQ(m_doc->m_segments.GetSize(), 3);
    EXPECT_EQ(Seg(1)->m_pNode->m_name, CString(L"片段_01"));
    ASSERT_EQ(Seg(1)->m_views.GetSize(), 2);
    ASSERT_TRUE(Prog(1, 1, 1)->IsKindOf(RUNTIME_CLASS(ProgramColorEffect)));
    EXPECT_EQ(static_cast<ProgramColorEffect*>(Prog(1, 1, 1))->m_style, 3);
    ASSERT_TRUE(Prog(1, 2, 1)->IsKindOf(RUNTIME_CLASS(ProgramColorFulWords)));
    auto* converted = static_cast<ProgramColorFulWords*>(Prog(1, 2, 1));
    EXPECT_EQ(converted->m_text, CString(L"Hello"));
    ASSERT_NE(converted->m_pTexture, nullptr);
    EXPECT_EQ(converted->m_pTexture->m_endFrame, 5);
    EXPECT_EQ(Prog(1, 2, 1)->m_pNode->m_name, CString(L"多彩文字_01"));
    // Nothing else of the old segment is taken over.
    EXPECT_EQ(Seg(1)->m_pSegmentInfo->m_totalFrames, 90);
    EXPECT_EQ(Seg(1)->m_pSegmentInfo->m_timePlay.m_durationSeconds, 1);
    EXPECT_EQ(Prog(2, 1, 1)->m_pNode->m_name, CString(L"clip.avi"));
    EXPECT_EQ(Seg(3)->m_views.GetSize(), 0);
    // A schedule the file gave is kept, all 364 bytes of it.
    EXPECT_EQ(std::memcmp(&Seg(3)->m_pSegmentInfo->m_timePlay, &stored, sizeof(SegmentTimePlay)), 0);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 90 + 25);
    // Each new segment tells the tree.
    EXPECT_EQ(m_host.MessagesTo(DOC_PANEL_TREE, WM_PROJECT_CHANGED).size(), 3u);
    ExpectTreeNumbering();
}

TEST_F(DocTest, OpeningAnOlderProjectConvertsIt)
{
    CTempFolder folder;
    CString path = folder.File(L"old.LEDX");
    WriteText(path,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Old><ProjectSet><PROP_PROJ_SET PROP_PROJ_WIDTH=\"320\" "
        "PROP_PROJ_HEIGHT=\"64\" PROP_PROJ_TFRAME=\"5000\" PROP_PROJ_PLAYTFRAME=\"5000\"/></ProjectSet><Segments>"
        "<Segment PROP_SEG_NAME=\"4\" PROP_SEG_TFRAME=\"300\">"
        "<Program ProgramType=\"0\" PROP_PROG_ORGFRAME=\"100\" PROP_PROG_SFRAME=\"1\" PROP_PROG_EFRAME=\"100\" "
        "PTYPE_EFFECT=\"6\"><ColorContent PROP_COLOR_CHANGEMODE=\"1\"><Content>0xFF</Content></ColorContent>"
        "</Program></Segment><Segment/></Segments></Old>");
    BindFakePanels();
    ASSERT_TRUE(m_doc->OnOpenDocument(path));
    ASSERT_EQ(m_doc->m_segments.GetSize(), 2);
    EXPECT_EQ(m_doc->m_projectSettings.m_width, 320);
    ASSERT_EQ(Seg(1)->m_views.GetSize(), 1);
    EXPECT_EQ(View(1, 1)->m_frames, 100);
    // The stored totals are recounted from the converted segments.
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 100);
    EXPECT_EQ(m_doc->m_projectSettings.m_playFrames, 100);
    ExpectTreeNumbering();
}
