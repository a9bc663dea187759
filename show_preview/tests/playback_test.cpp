// The playback thread and its play steps, driven as the view drives them:
// the thread's "frame done" goes through a queue to the test, which plays
// the user-interface thread. Every test ends by stopping the thread.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include "PreviewPlayback.h"

using namespace preview;

namespace {

class CFakeView : public IPlaybackTarget {
public:
    CPreviewPlayback playback { *this };
    int state = kPlayStateStopped;
    std::uint32_t frames = 10;
    std::vector<int> rendered; // frames drawn by the thread
    std::vector<std::pair<WPARAM, LPARAM>> posted; // WM_PREVIEW_PLAY_STATE
    int invalidated = 0;
    DWORD renderMs = 0;

    void RenderFrame() override
    {
        const int frame = playback.CurrentFrame(); // taken first, as the view does
        ++started;
        if (renderMs > 0)
            Sleep(renderMs);
        std::lock_guard<std::mutex> lock(m_mutex);
        rendered.push_back(frame);
    }
    void PostFrameDone() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_done;
        m_changed.notify_all();
    }
    void PostPlayState(WPARAM code, LPARAM value) override { posted.emplace_back(code, value); }
    void InvalidateCanvas() override { ++invalidated; }

    // Waits for the next "frame done" and hands it to the play steps; false
    // when none came within the time. `lastRendered` is the frame that was
    // done (the thread may start on the next one at once).
    bool DeliverFrameDone(DWORD timeoutMs = 2000)
    {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (!m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_done > 0; }))
                return false;
            --m_done;
            lastRendered = rendered.empty() ? -1 : rendered.back();
        }
        playback.FrameDone(state, frames);
        return true;
    }
    int lastRendered = -1;
    std::atomic<int> started { 0 };
    // Delivers until the thread stays idle for `quietMs`.
    int DeliverAll(DWORD quietMs = 300)
    {
        int delivered = 0;
        while (DeliverFrameDone(quietMs))
            ++delivered;
        return delivered;
    }
    std::vector<int> Rendered()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return rendered;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_done = 0;
};

std::vector<int> Range(int from, int to)
{
    std::vector<int> frames;
    for (int f = from; f < to; ++f)
        frames.push_back(f);
    return frames;
}

} // namespace

TEST(Playback, PlaysToTheEndAndStops)
{
    CFakeView view;
    ASSERT_TRUE(view.playback.StartThread());
    view.playback.PlayCommand(view.state, kPlayStatePlaying);
    EXPECT_EQ(view.state, kPlayStatePlaying);
    EXPECT_EQ(view.DeliverAll(), 10);
    EXPECT_EQ(view.Rendered(), Range(0, 10));
    EXPECT_EQ(view.state, kPlayStateStopped);
    EXPECT_EQ(view.playback.CurrentFrame(), 0);
    // The counter last shows frame index 9 (10 of 10), then the stop state.
    ASSERT_GE(view.posted.size(), 2u);
    EXPECT_EQ(view.posted[view.posted.size() - 2], std::make_pair(kPlayStateFrame, LPARAM(9)));
    EXPECT_EQ(view.posted.back(), std::make_pair(kPlayStateShow, LPARAM(kPlayStateStopped)));
    // The next play starts at frame 0 again.
    view.playback.PlayCommand(view.state, kPlayStatePlaying);
    ASSERT_TRUE(view.DeliverFrameDone());
    EXPECT_EQ(view.Rendered()[10], 0);
    view.playback.StopThread();
    EXPECT_TRUE(view.playback.ThreadExited());
}

TEST(Playback, PauseKeepsTheFrameStopRewinds)
{
    CFakeView view;
    view.playback.StartThread();
    view.playback.PlayCommand(view.state, kPlayStatePlaying);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(view.DeliverFrameDone());
    // Frames 0..3 were asked for; pause lets the one under way finish.
    view.playback.PlayCommand(view.state, kPlayStatePaused);
    EXPECT_EQ(view.DeliverAll(), 1);
    EXPECT_EQ(view.state, kPlayStatePaused);
    EXPECT_EQ(view.playback.CurrentFrame(), 3);
    view.playback.PlayCommand(view.state, kPlayStatePlaying);
    ASSERT_TRUE(view.DeliverFrameDone());
    EXPECT_EQ(view.lastRendered, 3); // continues where it was paused
    view.playback.PlayCommand(view.state, kPlayStateStopped);
    view.DeliverAll();
    EXPECT_EQ(view.playback.CurrentFrame(), 0);
    view.playback.PlayCommand(view.state, kPlayStatePlaying);
    ASSERT_TRUE(view.DeliverFrameDone());
    EXPECT_EQ(view.lastRendered, 0);
    view.playback.StopThread();
}

TEST(Playback, SeekingStopsPlayOrKeepsAPause)
{
    CFakeView view;
    view.playback.StartThread();
    view.playback.PlayCommand(view.state, kPlayStatePlaying);
    ASSERT_TRUE(view.DeliverFrameDone());
    view.playback.Seek(view.state, 7, view.frames);
    EXPECT_EQ(view.state, kPlayStateStopped);
    view.DeliverAll();
    EXPECT_EQ(view.Rendered().back(), 7); // the chosen frame only
    EXPECT_EQ(view.posted.back(), std::make_pair(kPlayStateFrame, LPARAM(7)));
    view.playback.PlayCommand(view.state, kPlayStatePlaying);
    ASSERT_TRUE(view.DeliverFrameDone());
    EXPECT_EQ(view.lastRendered, 0); // a play after a seek starts at 0
    view.playback.PlayCommand(view.state, kPlayStatePaused);
    view.DeliverAll();

    view.playback.Seek(view.state, 5, view.frames);
    EXPECT_EQ(view.state, kPlayStatePaused);
    view.DeliverAll();
    EXPECT_EQ(view.Rendered().back(), 5);
    view.playback.PlayCommand(view.state, kPlayStatePlaying);
    ASSERT_TRUE(view.DeliverFrameDone());
    EXPECT_EQ(view.lastRendered, 5);
    ASSERT_TRUE(view.DeliverFrameDone());
    EXPECT_EQ(view.lastRendered, 6);
    view.playback.PlayCommand(view.state, kPlayStatePaused);
    view.DeliverAll();

    // Frames outside the file are not sought.
    const std::size_t before = view.Rendered().size();
    view.playback.Seek(view.state, 10, view.frames);
    view.playback.Seek(view.state, -1, view.frames);
    EXPECT_EQ(view.DeliverAll(), 0);
    EXPECT_EQ(view.Rendered().size(), before);
    view.playback.StopThread();
}

TEST(Playback, ResetDuringAFrameKeepsOneFrameInFlight)
{
    CFakeView view;
    view.renderMs = 30;
    view.playback.StartThread();
    view.playback.ResetBegin(view.state);
    view.playback.ResetEnd(view.state, true, true);
    EXPECT_EQ(view.state, kPlayStatePlaying);
    ASSERT_TRUE(view.DeliverFrameDone());
    while (view.started.load() < 2)
        Sleep(1);
    // A second file opened while frame 1 is being rendered.
    view.playback.ResetBegin(view.state);
    view.playback.ResetEnd(view.state, true, true);
    EXPECT_EQ(view.DeliverAll(), 11);
    // Frame 1 of the first run (under way when the file changed), then the
    // second file from 0 to the end, each frame once.
    std::vector<int> expected { 0, 1 };
    const std::vector<int> second = Range(0, 10);
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(view.Rendered(), expected);
    view.playback.StopThread();
}

TEST(Playback, StoppingTheThreadNeverHangs)
{
    {
        CFakeView view; // never started
        view.playback.StopThread();
    }
    {
        CFakeView view;
        view.playback.StartThread();
        view.playback.StopThread(); // before the thread's first step
        EXPECT_TRUE(view.playback.ThreadExited());
    }
    {
        CFakeView view;
        view.renderMs = 20;
        view.frames = 1000;
        view.playback.StartThread();
        view.playback.PlayCommand(view.state, kPlayStatePlaying);
        ASSERT_TRUE(view.DeliverFrameDone());
        ASSERT_TRUE(view.DeliverFrameDone());
        view.playback.StopThread(); // while a frame is being rendered
        EXPECT_TRUE(view.playback.ThreadExited());
    }
    {
        CFakeView view;
        view.playback.StartThread();
        view.playback.PlayCommand(view.state, kPlayStatePlaying);
        // Destroyed while playing: the destructor waits for the thread.
    }
}

TEST(Playback, FramesTakeAtLeast40Milliseconds)
{
    EXPECT_EQ(CPreviewPlayback::PacingSleep(1000, 1015), 25u);
    EXPECT_EQ(CPreviewPlayback::PacingSleep(1000, 1000), 40u);
    EXPECT_EQ(CPreviewPlayback::PacingSleep(1000, 1040), 0u);
    EXPECT_EQ(CPreviewPlayback::PacingSleep(1000, 1100), 0u);
    EXPECT_EQ(CPreviewPlayback::PacingSleep(0xFFFFFFF0u, 5), 19u); // across the tick count's wrap
}
