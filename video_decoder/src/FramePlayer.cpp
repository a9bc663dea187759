// CFramePlayer: opening and closing a video, the caller-side operations
// (forward, seek) and the getters. Decoding is in FramePlayerDecode.cpp,
// drawing in FramePlayerDraw.cpp.
#include "FramePlayer.h"
#include "PathText.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <process.h>

#include <chrono>
#include <cmath>

std::atomic<bool> CFramePlayer::s_loaderLockHeld { false };

namespace {

// How long callers wait for a decoded picture: right after an open only
// briefly; in Forward and SeekTo until the picture is there, so that every
// counted frame is a new picture (an export or recording writes each one),
// with a bound for a decoder that hangs.
constexpr int kOpenWaitMs = 6;
constexpr int kPictureWaitMs = 5000;
constexpr int kLateWaitMs = 12;

// Whether a video stream known so far claims a picture too large. A file
// may claim any size in a few bytes of header, and the stream probe would
// decode pictures of that size before a single frame could be shown.
bool ClaimsTooLargePicture(const AVFormatContext* format)
{
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVCodecParameters* p = format->streams[i]->codecpar;
        if (p->codec_type == AVMEDIA_TYPE_VIDEO && !CFramePlayer::PictureFits(p->width, p->height))
            return true;
    }
    return false;
}

double RateOf(const AVStream* stream)
{
    if (stream->avg_frame_rate.num > 0 && stream->avg_frame_rate.den > 0)
        return av_q2d(stream->avg_frame_rate);
    // Some containers give no average rate; the base rate is the next best.
    if (stream->r_frame_rate.num > 0 && stream->r_frame_rate.den > 0)
        return av_q2d(stream->r_frame_rate);
    return 0;
}

} // namespace

bool CFramePlayer::PictureFits(int width, int height)
{
    return width <= kMaxPictureSide && height <= kMaxPictureSide
        && int64_t { width } * int64_t { height } <= kMaxPicturePixels;
}

CFramePlayer::CFramePlayer()
    : m_state(std::make_unique<SPlayerState>())
{
    m_state->outputPixelFormat = AV_PIX_FMT_BGRA;
    // The library speaks through its return values; FFmpeg's own log would
    // go to the host program's standard error.
    av_log_set_level(AV_LOG_QUIET);
}

CFramePlayer::~CFramePlayer()
{
    Close();
    std::lock_guard<std::mutex> lock(m_playerLock);
    ReleaseDrawing();
}

int CFramePlayer::Open(
    const wchar_t* path, HDC targetDC, const RECT& targetRect, int cropLeft, int cropTop, int cropRight, int cropBottom)
{
    m_path = WideToUtf8(path);
    if (targetRect.right - targetRect.left <= 0 || targetRect.bottom - targetRect.top <= 0)
        return 0;
    m_targetRect = targetRect;
    m_cropLeft = cropLeft;
    m_cropTop = cropTop;
    m_cropRight = cropRight;
    m_cropBottom = cropBottom;
    Close();

    bool opened = false;
    {
        std::lock_guard<std::timed_mutex> lock(m_state->stateLock);
        opened = OpenFile();
    }
    if (!opened)
        return 0;

    m_targetDC = targetDC;
    PrepareDrawing();
    StartThread();
    m_wakeEvent.Set();
    WaitForQueued(kOpenWaitMs);
    return 1;
}

// Runs under the state lock. On failure everything opened so far is released.
bool CFramePlayer::OpenFile()
{
    SPlayerState& s = *m_state;
    if (m_path.empty())
        return false;
    m_pictureTooLarge = false;
    if (avformat_open_input(&s.formatContext, m_path.c_str(), nullptr, nullptr) != 0) {
        s.formatContext = nullptr;
        return false;
    }
    auto fail = [&s] {
        sws_freeContext(s.scaler);
        s.scaler = nullptr;
        avcodec_free_context(&s.codecContext);
        avformat_close_input(&s.formatContext);
        s.videoStreamIndex = -1;
        s.videoStream = nullptr;
        s.streamCodecParameters = nullptr;
        s.decoder = nullptr;
        return false;
    };
    // The headers' sizes are checked before the stream probe decodes.
    if (ClaimsTooLargePicture(s.formatContext)) {
        m_pictureTooLarge = true;
        return fail();
    }
    if (avformat_find_stream_info(s.formatContext, nullptr) < 0 || s.formatContext->nb_streams == 0)
        return fail();
    if (ClaimsTooLargePicture(s.formatContext)) {
        m_pictureTooLarge = true;
        return fail();
    }

    // The last video stream is the one played.
    for (unsigned i = 0; i < s.formatContext->nb_streams; ++i) {
        if (s.formatContext->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
            s.videoStreamIndex = static_cast<int>(i);
    }
    if (s.videoStreamIndex < 0)
        return fail();
    s.videoStream = s.formatContext->streams[s.videoStreamIndex];
    s.streamCodecParameters = s.videoStream->codecpar;

    s.decoder = avcodec_find_decoder(s.streamCodecParameters->codec_id);
    if (s.decoder == nullptr)
        return fail();
    s.codecContext = avcodec_alloc_context3(s.decoder);
    if (s.codecContext == nullptr || avcodec_parameters_to_context(s.codecContext, s.streamCodecParameters) < 0)
        return fail();
    s.codecContext->pkt_timebase = s.videoStream->time_base;
    // One decoding thread per player already; FFmpeg's own worker threads
    // could not be joined while the library unloads under the loader lock.
    s.codecContext->thread_count = 1;
    if (avcodec_open2(s.codecContext, s.decoder, nullptr) < 0)
        return fail();
    if (s.codecContext->width <= 0 || s.codecContext->height <= 0)
        return fail();
    if (!PictureFits(s.codecContext->width, s.codecContext->height)) {
        m_pictureTooLarge = true;
        return fail();
    }

    // Made here when the stream's pixel format is known, which spares the
    // first picture the wait; the decoding thread re-makes it for each
    // picture's own size and format, as a damaged file can change both after
    // the open. An unknown format must not reach the scaler: FFmpeg's scaler
    // ends the whole process on a format it has no description of.
    if (s.codecContext->pix_fmt != AV_PIX_FMT_NONE && sws_isSupportedInput(s.codecContext->pix_fmt) > 0) {
        s.scaler = sws_getContext(s.codecContext->width, s.codecContext->height, s.codecContext->pix_fmt,
            s.codecContext->width, s.codecContext->height, static_cast<AVPixelFormat>(s.outputPixelFormat),
            SWS_BILINEAR, nullptr, nullptr, nullptr);
    }

    s.open = true;
    s.pictureWidth = s.codecContext->width;
    s.pictureHeight = s.codecContext->height;
    s.totalFrames = s.videoStream->nb_frames;
    s.frameRate = RateOf(s.videoStream);
    s.frameCounter = 0;
    if (s.totalFrames <= 0 && s.videoStream->duration != AV_NOPTS_VALUE && s.videoStream->duration > 0
        && s.frameRate > 0) {
        const double frames = double(s.videoStream->duration) * av_q2d(s.videoStream->time_base) * s.frameRate;
        // Truncated, with a little slack for durations stored in rounded units.
        s.totalFrames = static_cast<int64_t>(std::floor(frames + 1e-3));
    }
    if (s.totalFrames <= 0 && s.formatContext->duration != AV_NOPTS_VALUE && s.formatContext->duration > 0
        && s.frameRate > 0) {
        // Matroska and others know only the whole file's duration.
        const double frames = double(s.formatContext->duration) / AV_TIME_BASE * s.frameRate;
        s.totalFrames = static_cast<int64_t>(std::floor(frames + 1e-3));
    }
    if (s.totalFrames <= 0) {
        s.open = false;
        s.totalFrames = 0;
        s.frameRate = 0;
        return fail();
    }
    return true;
}

void CFramePlayer::StartThread()
{
    StopThread();
    m_running = true;
    m_stopped = false;
    m_endOfFile = false;
    m_inputDone = false;
    m_draining = false;
    m_skipping = false;
    m_failuresInARow = 0;
    unsigned id = 0;
    m_state->thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &CFramePlayer::ThreadEntry, this, 0, &id));
    if (m_state->thread == nullptr)
        MarkStopped();
}

void CFramePlayer::StopThread()
{
    HANDLE thread = m_state->thread;
    if (thread == nullptr)
        return;
    if (WaitForSingleObject(thread, 0) == WAIT_OBJECT_0) {
        m_stopped = true;
        m_running = false;
    } else {
        std::unique_lock<std::mutex> lock(m_stoppedLock);
        while (!m_stopped) {
            m_running = false;
            m_wakeEvent.Set();
            m_stoppedSignal.wait_for(lock, std::chrono::milliseconds(1));
            if (!m_stopped && WaitForSingleObject(thread, 0) == WAIT_OBJECT_0)
                m_stopped = true;
        }
    }
    if (!s_loaderLockHeld)
        WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    m_state->thread = nullptr;
}

void CFramePlayer::Close()
{
    StopThread();
    std::lock_guard<std::timed_mutex> lock(m_state->stateLock);
    SPlayerState& s = *m_state;
    ClearQueue();
    sws_freeContext(s.scaler);
    s.scaler = nullptr;
    avformat_close_input(&s.formatContext);
    avcodec_free_context(&s.codecContext);
    s.videoStreamIndex = -1;
    s.videoStream = nullptr;
    s.streamCodecParameters = nullptr;
    s.decoder = nullptr;
    s.open = false;
    s.seekPending = false;
    s.frameCounter = 0;
    s.totalFrames = 0;
    s.frameRate = 0;
}

void CFramePlayer::Forward()
{
    bool more = false;
    {
        std::lock_guard<std::timed_mutex> lock(m_state->stateLock);
        if (!m_state->open)
            return;
        more = m_state->frameCounter < m_state->totalFrames;
        if (more)
            m_wakeEvent.Set();
    }
    // Past the counted frames no picture is asked for: draw one only when
    // it is already there.
    if (more)
        WaitForPicture(kPictureWaitMs);
    else
        WaitForQueued(kLateWaitMs);
    DrawNext(true);
}

void CFramePlayer::SeekTo(int frame, bool draw)
{
    {
        std::lock_guard<std::timed_mutex> lock(m_state->stateLock);
        SPlayerState& s = *m_state;
        if (!s.open)
            return;
        int64_t target = frame < 1 ? 1 : frame;
        if (target > s.totalFrames)
            target = s.totalFrames;
        // Emptied under the state lock: the decoding thread queues only
        // while it holds it, so nothing from before the seek slips in.
        ClearQueue();
        s.seekPending = true;
        s.seekTarget = static_cast<int>(target - 1);
        m_inputDone = false;
    }
    m_wakeEvent.Set();
    WaitForPicture(kPictureWaitMs);
    if (draw)
        DrawNext(false);
}

void CFramePlayer::ClearQueue()
{
    std::lock_guard<std::timed_mutex> lock(m_state->queueLock);
    for (auto& record : m_state->queue) {
        if (m_state->spareRecords.size() < kSpareRecords)
            m_state->spareRecords.push_back(std::move(record));
    }
    m_state->queue.clear();
}

size_t CFramePlayer::CountQueue()
{
    std::lock_guard<std::timed_mutex> lock(m_state->queueLock);
    return m_state->queue.size();
}

bool CFramePlayer::WaitForQueued(int milliseconds)
{
    std::unique_lock<std::timed_mutex> lock(m_state->queueLock);
    return m_state->queueFilled.wait_for(
        lock, std::chrono::milliseconds(milliseconds), [this] { return !m_state->queue.empty(); });
}

bool CFramePlayer::WaitForPicture(int milliseconds)
{
    std::unique_lock<std::timed_mutex> lock(m_state->queueLock);
    return m_state->queueFilled.wait_for(lock, std::chrono::milliseconds(milliseconds),
        [this] { return !m_state->queue.empty() || m_inputDone || m_stopped; });
}

void CFramePlayer::MarkInputDone()
{
    {
        // A seek asked for meanwhile has cleared the mark, and its pictures
        // are still to come.
        std::lock_guard<std::timed_mutex> stateLock(m_state->stateLock);
        if (m_state->seekPending)
            return;
        std::lock_guard<std::timed_mutex> lock(m_state->queueLock);
        m_inputDone = true;
    }
    m_state->queueFilled.notify_all();
}

int CFramePlayer::GetWidth()
{
    std::lock_guard<std::timed_mutex> lock(m_state->stateLock);
    return m_state->open && m_state->formatContext ? m_state->codecContext->width : 0;
}

int CFramePlayer::GetHeight()
{
    std::lock_guard<std::timed_mutex> lock(m_state->stateLock);
    return m_state->open && m_state->formatContext ? m_state->codecContext->height : 0;
}

int64_t CFramePlayer::GetTotalFrames()
{
    std::lock_guard<std::timed_mutex> lock(m_state->stateLock);
    return m_state->open && m_state->formatContext ? m_state->totalFrames : 0;
}

int64_t CFramePlayer::GetFrameCounter()
{
    std::lock_guard<std::timed_mutex> lock(m_state->stateLock);
    return m_state->open && m_state->formatContext ? m_state->frameCounter : 0;
}
