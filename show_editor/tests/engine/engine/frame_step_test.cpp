// Frame stepping in preview: the play timer, segment boundaries, looping back
// to the first segment, segment jumps, seeking and stopping.
#include "fw_testing.h"
#include "frame_engine_doc_link.h"
#include "frame_engine_fixture.h"
#include "show_messages.h"

namespace enginetest {
namespace {

constexpr DWORD kRed = 0xFF0000;
constexpr DWORD kGreen = 0x00FF00;

class FrameStepTest : public EngineFixture {
protected:
    // Two segments of three frames: red, then green.
    void TwoSegments()
    {
        AddView(m_doc.AddSegment(3), CRect(0, 0, 8, 4), { SolidEffect(RGB(255, 0, 0), 3) });
        AddView(m_doc.AddSegment(3), CRect(0, 0, 8, 4), { SolidEffect(RGB(0, 255, 0), 3) });
        m_doc.CountFrames();
        CreateEngine();
    }
};

TEST_F(FrameStepTest, PreviewLoopsBackToTheFirstSegment)
{
    TwoSegments();
    fwtest::CFakeClock clock;
    m_engine->StartPlay();
    ASSERT_TRUE(clock.HasTimer(m_engine->GetSafeHwnd(), kPlayTimerId));
    EXPECT_EQ(std::vector<int>({ 1 }), m_doc.m_selected) << "play selects the current segment";
    EXPECT_FALSE(m_canvas.m_trackerVisible);

    std::vector<std::vector<int>> shownPerStep;
    for (int step = 0; step < 10; ++step) {
        clock.Advance(40); // 25 frames a second
        shownPerStep.push_back(TakeFramesShown());
    }
    const std::vector<std::vector<int>> expected = { { 0 }, { 1 }, { 2 }, {}, { 3 }, { 4 }, { 5 }, {}, {}, { 0 } };
    EXPECT_EQ(expected, shownPerStep);
    EXPECT_EQ(std::vector<DWORD>({ kRed, kRed, kRed, kGreen, kGreen, kGreen, kRed }), m_canvas.m_frames);
    EXPECT_EQ(std::vector<int>({ 2, 3 }), m_doc.m_notified);
    EXPECT_EQ(std::vector<int>({ 1, 1 }), m_doc.m_selected) << "the loop selects segment 1 again";
    EXPECT_EQ(ENGINE_MODE_PREVIEW, m_engine->GetMode());

    m_engine->StopPlay();
    EXPECT_FALSE(clock.HasTimer(m_engine->GetSafeHwnd(), kPlayTimerId));
    EXPECT_EQ(0, m_engine->GetRunningFrame());
    EXPECT_EQ(0, m_engine->GetSegmentIndex());
}

TEST_F(FrameStepTest, SegmentBoundaryClearsTheImageWithoutOutput)
{
    TwoSegments();
    for (int i = 0; i < 3; ++i)
        m_engine->StepFrame();
    EXPECT_EQ(kRed, OutputPixel(0, 0));
    m_engine->StepFrame();
    EXPECT_EQ(0u, OutputPixel(0, 0));
    EXPECT_EQ(1, m_engine->GetSegmentIndex());
    EXPECT_EQ(3u, TakeFramesShown().size());
}

TEST_F(FrameStepTest, SegmentJumpsAndSeeks)
{
    TwoSegments();
    m_engine->NextSegment();
    EXPECT_EQ(1, m_engine->GetSegmentIndex());
    EXPECT_EQ(2, m_engine->GetRunningFrame()) << "frames before the segment, less one";
    m_engine->StepFrame();
    EXPECT_EQ(std::vector<int>({ 2 }), TakeFramesShown());
    EXPECT_EQ(kGreen, OutputPixel(0, 0));

    m_engine->NextSegment(); // no segment after the last: nothing changes
    EXPECT_EQ(1, m_engine->GetSegmentIndex());
    m_engine->PrevSegment();
    EXPECT_EQ(0, m_engine->GetSegmentIndex());
    EXPECT_EQ(0, m_engine->GetRunningFrame());

    m_engine->SeekToFrame(3);
    EXPECT_EQ(std::vector<int>({ 3 }), TakeFramesShown());
    EXPECT_EQ(kGreen, OutputPixel(0, 0));
    EXPECT_EQ(1u, m_engine->GetFrameInSegment());

    m_engine->SeekToFrame(6); // the total matches no segment
    m_engine->SeekToFrame(-1);
    m_engine->SeekToFrame(7);
    EXPECT_TRUE(TakeFramesShown().empty());
    EXPECT_EQ(4, m_engine->GetRunningFrame());
}

TEST_F(FrameStepTest, FrameRateCommandOnlyWhilePlaying)
{
    TwoSegments();
    fwtest::CFakeClock clock;
    m_engine->SendMessage(WM_CANVAS_COMMAND, CANVAS_SET_FRAME_RATE, 50);
    EXPECT_FALSE(clock.HasTimer(m_engine->GetSafeHwnd(), kPlayTimerId));
    m_doc.m_playState = 0;
    m_engine->SendMessage(WM_CANVAS_COMMAND, CANVAS_SET_FRAME_RATE, 50);
    ASSERT_TRUE(clock.HasTimer(m_engine->GetSafeHwnd(), kPlayTimerId));
    clock.Advance(19);
    EXPECT_TRUE(TakeFramesShown().empty());
    clock.Advance(1);
    EXPECT_EQ(std::vector<int>({ 0 }), TakeFramesShown());
    // A rate of 0 paces at 25 frames a second instead of dividing by it.
    m_engine->SendMessage(WM_CANVAS_COMMAND, CANVAS_SET_FRAME_RATE, 0);
    clock.Advance(39);
    EXPECT_TRUE(TakeFramesShown().empty());
    clock.Advance(1);
    EXPECT_EQ(std::vector<int>({ 1 }), TakeFramesShown());
}

TEST_F(FrameStepTest, ZeroFrameRateProjectStillPlays)
{
    TwoSegments();
    m_doc.m_settings.m_frameRate = 0;
    fwtest::CFakeClock clock;
    m_engine->StartPlay();
    clock.Advance(40);
    EXPECT_EQ(std::vector<int>({ 0 }), TakeFramesShown());
}

TEST_F(FrameStepTest, PausedPlayResumesWhereItWas)
{
    TwoSegments();
    fwtest::CFakeClock clock;
    m_engine->StepFrame();
    m_engine->StepFrame();
    TakeFramesShown();
    m_doc.m_playState = 1;
    m_engine->StartPlay();
    clock.Advance(40);
    EXPECT_EQ(std::vector<int>({ 2 }), TakeFramesShown());
}

TEST_F(FrameStepTest, EmptyShowDoesNotPlay)
{
    CreateEngine();
    fwtest::CFakeClock clock;
    m_engine->StartPlay();
    EXPECT_FALSE(clock.HasTimer(m_engine->GetSafeHwnd(), kPlayTimerId));
    m_engine->StepFrame();
    EXPECT_TRUE(TakeFramesShown().empty());
}

TEST_F(FrameStepTest, StopClosesEveryDecoder)
{
    auto* video = MediaProgram(MEDIA_VIDEO, L"a.avi", 3);
    auto* swf = MediaProgram(MEDIA_SWF, L"b.swf", 3);
    video->m_decoderHandle = 4;
    swf->m_decoderHandle = 5;
    AddView(m_doc.AddSegment(3), CRect(0, 0, 8, 4), { video });
    AddView(m_doc.AddSegment(3), CRect(0, 0, 8, 4), { swf });
    m_doc.CountFrames();
    CreateEngine();
    m_engine->StopPlay();
    EXPECT_EQ(std::vector<std::string>({ "video close 4", "swf clear", "swf close 5", "swf clear" }), m_decoders.m_log);
    EXPECT_EQ(-1, video->m_decoderHandle);
    EXPECT_EQ(-1, swf->m_decoderHandle);
}

} // namespace
} // namespace enginetest

namespace enginetest {
namespace {

TEST(FrameEngineConstruction, RenderersSeedTheGeneratorInOrder)
{
    // The colour renderer seeds with 510, then the Zazez Urad renderer seeds
    // with 1000 and draws its table of 1000 values.
    CCanvasContainer engine;
    ASSERT_NE(nullptr, engine.PlusRenderer());
    const int next = rand();
    srand(1000);
    for (int i = 0; i < 1000; ++i)
        rand();
    EXPECT_EQ(rand(), next);
}

TEST(FrameEngineDocumentLink, ReadsTheActivePairBySelector)
{
    CDornelDoc doc;
    CDornelDocEngineLink link(&doc);
    doc.m_listSelector = 0;
    EXPECT_EQ(&doc.m_previewSegments, link.GetActiveSegments());
    EXPECT_EQ(&doc.m_previewSettings, link.GetActiveSettings());
    doc.m_listSelector = 2;
    EXPECT_EQ(&doc.m_segments, link.GetActiveSegments());
    EXPECT_EQ(&doc.m_projectSettings, link.GetActiveSettings());
    doc.m_offlineFileCounter = 4;
    ++link.OfflineFileCounter();
    EXPECT_EQ(5, doc.m_offlineFileCounter);
}

} // namespace
} // namespace enginetest
