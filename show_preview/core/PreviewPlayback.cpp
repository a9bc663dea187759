// The preview's playback thread and play steps (see PreviewPlayback.h).
#include "PreviewPlayback.h"

namespace preview {

CPreviewPlayback::CPreviewPlayback(IPlaybackTarget& target)
    : m_target(target)
{
}

CPreviewPlayback::~CPreviewPlayback()
{
    StopThread();
}

bool CPreviewPlayback::StartThread()
{
    if (m_exited.load() == 0)
        return true;
    // Marked running before the thread exists, so that a stop that comes
    // before the thread's first step still waits for it to leave.
    m_running = 1;
    m_exited = 0;
    if (AfxBeginThread(&CPreviewPlayback::ThreadProc, this) == nullptr) {
        m_running = 0;
        m_exited = 1;
        return false;
    }
    return true;
}

void CPreviewPlayback::StopThread()
{
    while (m_exited.load() == 0) {
        m_running = 0;
        m_frameEvent.SetEvent();
        Sleep(1);
    }
}

UINT __cdecl CPreviewPlayback::ThreadProc(LPVOID param)
{
    static_cast<CPreviewPlayback*>(param)->Run();
    return 0;
}

void CPreviewPlayback::Run()
{
    while (m_running.load() != 0) {
        m_frameEvent.Lock(INFINITE);
        if (m_running.load() == 0)
            break;
        const DWORD started = GetTickCount();
        m_target.RenderFrame();
        const DWORD pause = PacingSleep(started, GetTickCount());
        if (pause > 0)
            Sleep(pause);
        m_target.PostFrameDone();
    }
    m_running = 0;
    m_exited = 1; // the last touch of this object by the thread
}

DWORD CPreviewPlayback::PacingSleep(DWORD started, DWORD finished)
{
    const DWORD spent = finished - started;
    return spent < kFramePeriodMs ? kFramePeriodMs - spent : 0;
}

void CPreviewPlayback::RequestFrame()
{
    if (m_inFlight) {
        m_pending = true; // asked for again once the frame under way is done
        return;
    }
    m_inFlight = true;
    m_frameEvent.SetEvent();
}

void CPreviewPlayback::PlayCommand(int& state, int command)
{
    switch (command) {
    case kPlayStatePlaying:
        if (state != kPlayStatePaused)
            m_currentFrame = 0;
        RequestFrame();
        state = kPlayStatePlaying;
        break;
    case kPlayStatePaused:
        state = kPlayStatePaused; // the frame under way finishes; no new one is asked for
        break;
    case kPlayStateStopped:
        state = kPlayStateStopped;
        m_currentFrame = 0;
        break;
    default:
        state = command;
        break;
    }
}

void CPreviewPlayback::FrameDone(int& state, std::uint32_t frameCount)
{
    m_inFlight = false;
    if (m_pending) {
        // The frame just done was asked for before the last play, seek or
        // reset: render what is current now instead of stepping on.
        m_pending = false;
        RequestFrame();
        return;
    }
    if (state != kPlayStatePlaying) {
        m_target.PostPlayState(kPlayStateFrame, m_currentFrame.load());
        m_target.InvalidateCanvas();
        return;
    }
    const int next = m_currentFrame.load() + 1;
    m_currentFrame = next;
    if (next < 0 || static_cast<std::uint32_t>(next) >= frameCount) {
        // The last frame stays on show.
        m_target.PostPlayState(kPlayStateShow, kPlayStateStopped);
        state = kPlayStateStopped;
        m_currentFrame = 0;
        return;
    }
    m_target.PostPlayState(kPlayStateFrame, next);
    m_target.InvalidateCanvas();
    RequestFrame();
}

void CPreviewPlayback::Seek(int& state, int frame, std::uint32_t frameCount)
{
    if (state == kPlayStatePlaying) {
        m_target.PostPlayState(kPlayStateShow, kPlayStateStopped);
        state = kPlayStateStopped;
    }
    if (frame >= 0 && static_cast<std::uint32_t>(frame) < frameCount) {
        m_currentFrame = frame;
        RequestFrame();
    }
}

void CPreviewPlayback::ResetBegin(int& state)
{
    m_target.PostPlayState(kPlayStateShow, kPlayStateStopped);
    state = kPlayStateStopped;
    m_currentFrame = 0;
}

void CPreviewPlayback::ResetEnd(int& state, bool autoPlay, bool haveFiles)
{
    m_currentFrame = 0;
    if (autoPlay && haveFiles) {
        m_target.PostPlayState(kPlayStateShow, kPlayStatePlaying);
        state = kPlayStatePlaying;
        RequestFrame();
    }
}

} // namespace preview
