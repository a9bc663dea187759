// Frame counting of views and segments and the totals of the project.
#include "doc_test_support.h"

#include "program_color_effect.h"
#include "project_file.h"

using namespace doctest;

TEST_F(DocTest, ViewFramesFollowShowTimeLoopAndRepeat)
{
    struct Case {
        double showTime;
        int loopPlay;
        int repeat;
        int expected;
    };
    const Case cases[] = {
        { 0.0, 1, 0, 150 }, // the programs' lengths
        { 2.0, 1, 0, 50 }, // 2 s at 25 fps, looping
        { 0.0, 0, 3, 450 }, // three passes
        { 0.0, 0, 1, 150 }, { 0.0, 0, 0, 150 }, { 0.01, 1, 0, 150 }, // 0.25 frames truncate to none
        { 2.0, 0, 3, 150 }, // a show time without loop play counts nothing
        { -1.0, 0, 3, 150 }, { 1e300, 1, 0, kMaxFrameCount }, // bounded, no overflow
    };
    BuildProject({ { 100, 50 } });
    ProgramView* view = View(1, 1);
    for (const Case& c : cases) {
        view->m_showTime = c.showTime;
        view->m_loopPlay = c.loopPlay;
        view->m_repeatCount = c.repeat;
        m_doc->RecountViewFrames(view);
        EXPECT_EQ(view->m_frames, c.expected) << c.showTime << " " << c.loopPlay << " " << c.repeat;
    }
}

TEST_F(DocTest, SegmentFramesTakeTheLongestViewOrTheLastTimeBase)
{
    BuildProject({ { 150 } });
    QvSegmentGourp* segment = Seg(1);
    ProgramView* second = m_doc->NewView(segment, FALSE);
    m_doc->AddProgramToView(second->m_pNode, NewEffect(80));
    m_doc->RecountSegmentFrames(segment);
    EXPECT_EQ(segment->m_pSegmentInfo->m_totalFrames, 150);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 150);

    second->m_timeBase = -1;
    m_doc->RecountSegmentFrames(segment);
    EXPECT_EQ(segment->m_pSegmentInfo->m_totalFrames, 80);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 80);
    EXPECT_EQ(m_doc->m_projectSettings.m_playFrames, 80);

    View(1, 1)->m_timeBase = 1; // both marked: the later view wins
    m_doc->RecountSegmentFrames(segment);
    EXPECT_EQ(segment->m_pSegmentInfo->m_totalFrames, 80);

    // Played frames move by the same difference, whatever they were set to.
    m_doc->m_projectSettings.m_playFrames = 10;
    second->m_timeBase = 0;
    View(1, 1)->m_timeBase = 0;
    m_doc->RecountSegmentFrames(segment);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 150);
    EXPECT_EQ(m_doc->m_projectSettings.m_playFrames, 80);
}

TEST_F(DocTest, TimeBaseAndShowTimeThroughTheViewPage)
{
    BindFakePanels();
    BuildProject({ { 150 } });
    QvSegmentGourp* segment = Seg(1);
    ProgramView* first = View(1, 1);
    ProgramView* second = m_doc->NewView(segment, FALSE);
    m_doc->AddProgramToView(second->m_pNode, NewEffect(80));
    m_doc->RecountSegmentFrames(segment);
    m_doc->m_currentSegment = 1;

    m_doc->SelectNode(first->m_pNode);
    EXPECT_EQ(m_doc->OnViewPropertyChanged(94, 1), 1);
    EXPECT_EQ(first->m_timeBase, -1);
    m_doc->SelectNode(second->m_pNode);
    m_host.Clear();
    EXPECT_EQ(m_doc->OnViewPropertyChanged(94, 1), 1);
    EXPECT_EQ(first->m_timeBase, 0);
    EXPECT_EQ(second->m_timeBase, -1);
    EXPECT_EQ(segment->m_pSegmentInfo->m_totalFrames, 80);
    auto timing = m_host.MessagesTo(DOC_PANEL_PROPERTY, WM_VIEW_TIMING_CHANGED);
    ASSERT_EQ(timing.size(), 1u);
    EXPECT_EQ(timing[0].lParam, reinterpret_cast<LPARAM>(second->m_pNode));

    EXPECT_EQ(m_doc->OnViewPropertyChanged(95, 0, 2.0), 1);
    EXPECT_EQ(second->m_frames, 50);
    EXPECT_EQ(segment->m_pSegmentInfo->m_totalFrames, 50);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 50);

    // A view without programs takes neither: HINT 19.
    ProgramView* empty = m_doc->NewView(segment, FALSE);
    m_doc->SelectNode(empty->m_pNode);
    m_host.m_langTexts = true;
    m_ui.ExpectMessageBox(IDOK, L"HINT 19");
    EXPECT_EQ(m_doc->OnViewPropertyChanged(95, 0, 2.0), 0);
    m_ui.ExpectMessageBox(IDOK, L"HINT 19");
    EXPECT_EQ(m_doc->OnViewPropertyChanged(94, 1), 0);
    EXPECT_EQ(empty->m_timeBase, 0);
}

TEST_F(DocTest, ProgramPageRecountsAndRestartsPlayback)
{
    BindFakePanels();
    BuildProject({ { 100 } });
    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(Prog(1, 1, 1)->m_pNode);
    m_doc->m_pSelectedProgram = Prog(1, 1, 1);
    m_doc->m_playState = PLAY_PLAYING;
    m_doc->m_projectSettings.m_playFrames = 100;

    EXPECT_EQ(m_doc->OnProgramPropertyChanged(1, 17, L"71"), 1);
    EXPECT_EQ(View(1, 1)->m_frames, 30);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 30);
    EXPECT_EQ(m_doc->m_playState, PLAY_PLAYING);
    EXPECT_EQ(m_host.CountCalls(L"StopPlay"), 1u);
    EXPECT_EQ(m_host.CountCalls(L"StartPlay"), 1u);

    EXPECT_EQ(m_doc->OnProgramPropertyChanged(1, 15, L"3"), 1);
    EXPECT_EQ(Prog(1, 1, 1)->m_hTiles, 3);

    // A colour effect's speed re-counts its pass (the host's count is w + h).
    EXPECT_EQ(m_doc->OnProgramPropertyChanged(1, 19, L"2.5x"), 1);
    EXPECT_FLOAT_EQ(Prog(1, 1, 1)->m_startSpeed, 2.5f);
    EXPECT_EQ(Prog(1, 1, 1)->m_orgFrames, 250);
    EXPECT_EQ(Prog(1, 1, 1)->m_startFrame, 1);
    EXPECT_EQ(Prog(1, 1, 1)->m_endFrame, 250);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 250);

    // Without a program the page changes nothing.
    m_doc->m_pSelectedProgram = nullptr;
    EXPECT_EQ(m_doc->OnProgramPropertyChanged(1, 15, L"9"), 0);
}

TEST_F(DocTest, ScanLinesFollowTheProjectSize)
{
    BuildProject({ { 10 } });
    auto* scan = static_cast<ProgramColorEffect*>(NewEffect(400, 21));
    scan->m_zoomFactor = 0.5f;
    m_doc->AddProgramToView(View(1, 1)->m_pNode, scan);
    auto* still = static_cast<ProgramColorEffect*>(NewEffect(30, 22));
    still->m_zoomFactor = 0.0f; // no speed: left alone
    m_doc->AddProgramToView(View(1, 1)->m_pNode, still);
    m_doc->RecountViewFrames(View(1, 1));
    m_doc->RecountSegmentFrames(Seg(1));
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 440);

    m_doc->OnProjectPropertyChanged(1, L"300");
    EXPECT_EQ(scan->m_orgFrames, 600); // 300 x 10 / 5
    EXPECT_EQ(scan->m_endFrame, 600);
    EXPECT_EQ(still->m_orgFrames, 30);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 640);
    ExpectTreeNumbering();
}
