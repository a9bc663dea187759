// Media programs: the order of the decoder calls for video, SWF and TOL
// programs over a pass, after a seek and on a failed open, and a generated
// clip played through the video library frame by frame.
#include "TestSupport.h"
#include "swf_writer.h"
#include "frame_engine_fixture.h"
#include "view_compose.h"

namespace enginetest {
namespace {

class MediaProgramTest : public EngineFixture {
protected:
    ProgramVideo* SetUpMedia(int kind, int frames)
    {
        ProgramVideo* media = MediaProgram(kind, L"clip", frames);
        media->m_marginLeft = 1;
        media->m_marginTop = 2;
        media->m_marginRight = 3;
        media->m_marginBottom = 4;
        AddView(m_doc.AddSegment(frames), CRect(0, 0, 8, 4), { media });
        m_doc.CountFrames();
        CreateEngine();
        return media;
    }
    void Steps(int count)
    {
        for (int i = 0; i < count; ++i)
            m_engine->StepFrame();
    }
    // A program of a real file's six frames on its own segment, decoded by
    // the real libraries.
    void SetUpPlayedFile(ProgramVideo* media)
    {
        AddView(m_doc.AddSegment(6), CRect(0, 0, 8, 4), { media });
        m_doc.CountFrames();
        CreateEngine();
        m_engine->SetDecoders(nullptr);
    }
    // The clipgen frame number whose colour the output shows.
    int FrameShown() const
    {
        const DWORD pixel = OutputPixel(4, 2);
        return clipgen::FrameIndexOf({ static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
            static_cast<int>(pixel & 0xFF) });
    }
    // The frame numbers shown by each of six steps: the whole file in order,
    // and the decoder closed on the program's last frame.
    void ExpectEveryFramePlayedInOrder(const ProgramVideo& media)
    {
        std::vector<int> shown;
        for (int i = 0; i < 6; ++i) {
            m_engine->StepFrame();
            shown.push_back(FrameShown());
        }
        EXPECT_EQ(std::vector<int>({ 0, 1, 2, 3, 4, 5 }), shown);
        EXPECT_EQ(-1, media.m_decoderHandle) << "closed on the program's last frame";
    }
};

TEST_F(MediaProgramTest, VideoOpensOnThePassStartAndClosesOnItsLastFrame)
{
    ProgramVideo* video = SetUpMedia(MEDIA_VIDEO, 3);
    Steps(3);
    const std::vector<std::string> expected = {
        "video close -1",
        "video open clip 0,0,8,4 1,2,3,4",
        "video forward 7",
        "video forward 7",
        "video forward 7",
        "video close 7",
    };
    EXPECT_EQ(expected, m_decoders.m_log);
    EXPECT_EQ(-1, video->m_decoderHandle);
}

TEST_F(MediaProgramTest, VideoSeekedIntoReopensAtTheWantedFrame)
{
    SetUpMedia(MEDIA_VIDEO, 5);
    m_engine->SeekToFrame(2);
    // Frame 3 of the program is wanted: 2 frames must count as drawn.
    const std::vector<std::string> expected = {
        "video close -1", // the seek closes every decoder of the segment
        "video close -1",
        "video open clip 0,0,8,4 1,2,3,4",
        "video seek 7 3 0",
        "video forward 7",
    };
    EXPECT_EQ(expected, m_decoders.m_log);
    m_decoders.m_log.clear();
    m_engine->SeekToFrame(1);
    ASSERT_GE(m_decoders.m_log.size(), 3u);
    EXPECT_EQ("video close 7", m_decoders.m_log[0]) << "a seek closes the open decoder";
    EXPECT_EQ("video seek 7 2 0", m_decoders.m_log[3]) << "frame 2 needs its own seek";
}

TEST_F(MediaProgramTest, AResizedViewReopensItsVideoOnTheNewBuffer)
{
    ProgramVideo* video = SetUpMedia(MEDIA_VIDEO, 10);
    Steps(2);
    ASSERT_EQ(7, video->m_decoderHandle);
    ProgramView* view = m_doc.m_segments[0]->m_views.GetAt(0);
    // The view grows while the video plays: its buffers are made anew.
    view->m_projectRect.SetRect(0, 0, 6, 3);
    m_decoders.m_log.clear();
    Steps(1);
    const std::vector<std::string> expected = {
        "video close 7", // nothing draws into the released context
        "video close -1",
        "video open clip 0,0,6,3 1,2,3,4",
        "video seek 7 3 0", // the frame it was at
        "video forward 7",
    };
    EXPECT_EQ(expected, m_decoders.m_log);
}

TEST_F(MediaProgramTest, VideoThatCannotOpenTriesAgainNextFrame)
{
    ProgramVideo* video = SetUpMedia(MEDIA_VIDEO, 3);
    m_decoders.m_openResult = -1;
    Steps(2);
    const std::vector<std::string> expected = {
        "video close -1",
        "video open clip 0,0,8,4 1,2,3,4",
        "video close -1",
        "video open clip 0,0,8,4 1,2,3,4",
    };
    EXPECT_EQ(expected, m_decoders.m_log);
    EXPECT_EQ(-1, video->m_decoderHandle);
    EXPECT_EQ(0u, OutputPixel(0, 0));
}

TEST_F(MediaProgramTest, SwfSeeksOnOpenAndClosesAnOpenHandleBeforeReopening)
{
    ProgramVideo* swf = SetUpMedia(MEDIA_SWF, 3);
    swf->m_orgFrames = 2; // a pass shorter than the program restarts before the end frame
    Steps(3);
    const std::vector<std::string> expected = {
        "swf open clip 8x4",
        "swf seek 7 1",
        "swf forward 7",
        "swf close 7",
        "swf open clip 8x4",
        "swf seek 7 1",
    };
    EXPECT_EQ(expected, m_decoders.m_log);
}

TEST_F(MediaProgramTest, SwfOfOneFrameForwardsAndCloses)
{
    SetUpMedia(MEDIA_SWF, 1);
    Steps(1);
    EXPECT_EQ(std::vector<std::string>({ "swf open clip 8x4", "swf forward 7", "swf close 7" }), m_decoders.m_log);
}

TEST_F(MediaProgramTest, TolSeeksFromZeroAndClosesAtItsEnd)
{
    ProgramVideo* tol = SetUpMedia(MEDIA_TOL, 3);
    Steps(3);
    const std::vector<std::string> expected = {
        "tol close -1",
        "tol open clip 8x4",
        "tol seek 7 0",
        "tol forward 7",
        "tol forward 7",
        "tol close 7",
    };
    EXPECT_EQ(expected, m_decoders.m_log);
    EXPECT_EQ(-1, tol->m_decoderHandle);
}

TEST_F(MediaProgramTest, AnimationsThatCannotOpenLeaveTheViewBlack)
{
    SetUpMedia(MEDIA_SWF, 3);
    AddView(m_doc.m_segments[0], CRect(0, 0, 8, 4), { MediaProgram(MEDIA_TOL, L"x.tol", 3) });
    m_engine->SetDecoders(nullptr); // the real libraries: there is no file "clip" or "x.tol"
    Steps(3);
    EXPECT_EQ(0u, OutputPixel(3, 2));
}

// A raw clip whose frame i is flat clipgen::FrameColour(i), played through
// the video library into the output image.
TEST_F(MediaProgramTest, GeneratedClipPlaysFrameByFrameThroughTheVideoLibrary)
{
    clipgen::CTempFolder folder(L"engine_video");
    const std::wstring path = folder.File(L"flat.avi");
    ASSERT_TRUE(clipgen::WriteFileBytes(path, clipgen::FlatRawAvi(16, 8, 8, 25)));
    ProgramVideo* video = MediaProgram(MEDIA_VIDEO, path.c_str(), 6);
    SetUpPlayedFile(video);
    ExpectEveryFramePlayedInOrder(*video);

    m_engine->SeekToFrame(1);
    EXPECT_EQ(1, FrameShown()) << "a seek into the program shows that very frame";
    m_engine->SeekToFrame(4);
    EXPECT_EQ(4, FrameShown());
    m_engine->StopPlay();
    EXPECT_EQ(-1, video->m_decoderHandle);
}

// An SWF animation whose frame i is flat clipgen::FrameColour(i), played
// through the animation library into the output image like a video.
TEST_F(MediaProgramTest, GeneratedSwfPlaysFrameByFrameThroughTheAnimationLibrary)
{
    clipgen::CTempFolder folder(L"engine_swf");
    const std::wstring path = folder.File(L"flat.swf");
    std::vector<swftest::Color> colours;
    for (int i = 0; i < 6; ++i) {
        const clipgen::Rgb c = clipgen::FrameColour(i);
        colours.push_back(
            swftest::Color { static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g), static_cast<uint8_t>(c.b) });
    }
    ASSERT_TRUE(clipgen::WriteFileBytes(path, swftest::FlatFrames(40, 20, colours)));
    ProgramVideo* swf = MediaProgram(MEDIA_SWF, path.c_str(), 6);
    SetUpPlayedFile(swf);
    ExpectEveryFramePlayedInOrder(*swf);

    m_engine->SeekToFrame(3);
    EXPECT_EQ(3, FrameShown()) << "a seek into the program shows that very frame";
    m_engine->StepFrame();
    EXPECT_EQ(4, FrameShown());
    m_engine->StopPlay();
    EXPECT_EQ(-1, swf->m_decoderHandle);
}

} // namespace
} // namespace enginetest
