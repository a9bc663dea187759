// CFramePlayer's decoding thread: woken by the auto-reset event, it decodes
// one picture per wake-up while fewer than two wait in the queue, and carries
// out seek requests.
//
// While the thread runs it alone uses the FFmpeg contexts (Close stops it
// before freeing them), so it holds the state lock only for the short checks
// of the seek request and for queueing; decoding itself does not block the
// caller's Forward and counting.
#include "FramePlayer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mathematics.h>
#include <libswscale/swscale.h>
}

#include <process.h>

#include <chrono>
#include <cmath>

namespace {
constexpr auto kThreadLockWait = std::chrono::milliseconds(50);
// A packet the decoder refuses is skipped, so that one damaged packet does
// not end a long video; this many refusals in a row without a picture end
// the file, so that a file of nothing but damage ends too.
constexpr int kMaxFailuresInARow = 16;
} // namespace

unsigned __stdcall CFramePlayer::ThreadEntry(void* self)
{
    static_cast<CFramePlayer*>(self)->ThreadMain();
    // Nothing of the player may be touched past this point: it may be gone.
    _endthreadex(0);
    return 0;
}

void CFramePlayer::MarkStopped()
{
    {
        std::lock_guard<std::mutex> lock(m_stoppedLock);
        m_running = false;
        m_stopped = true;
    }
    m_stoppedSignal.notify_all();
}

void CFramePlayer::ThreadMain()
{
    SPlayerState& s = *m_state;
    AVFrame* decoded = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    while (decoded != nullptr && packet != nullptr) {
        m_wakeEvent.Wait();
        if (!m_running || m_stopped)
            break;
        const size_t queued = CountQueue();

        bool seeked = false;
        {
            std::unique_lock<std::timed_mutex> lock(s.stateLock, kThreadLockWait);
            if (!lock.owns_lock()) {
                // The caller holds the state for long; try again shortly.
                m_wakeEvent.Set();
                continue;
            }
            if (s.formatContext == nullptr)
                break;
            if (s.seekPending) {
                s.seekPending = false;
                s.frameCounter = s.seekTarget;
                ClearQueue();
                seeked = true;
                lock.unlock();
                SeekDecoder(s.seekTarget);
            }
        }
        if (seeked || queued < 2) {
            // At the end of the input there is nothing to wait for: sleep
            // until a caller wakes the thread again (a seek or a stop).
            if (DecodeOne(decoded, packet) != DecodeResult::EndOfFile)
                m_wakeEvent.Set();
            else
                MarkInputDone();
        }
    }
    av_frame_free(&decoded);
    av_packet_free(&packet);
    MarkStopped();
    {
        // Callers waiting for a picture stop waiting.
        std::lock_guard<std::timed_mutex> lock(m_state->queueLock);
    }
    m_state->queueFilled.notify_all();
}

void CFramePlayer::SeekDecoder(int frameIndex)
{
    SPlayerState& s = *m_state;
    const AVStream* stream = s.videoStream;
    const double timeBase = av_q2d(stream->time_base);
    const int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    int64_t target = start;
    double halfFrame = 0;
    if (s.frameRate > 0 && timeBase > 0) {
        target = start + std::llround(double(frameIndex) / s.frameRate / timeBase);
        halfFrame = 0.5 / s.frameRate / timeBase;
    }
    // Land on the key frame at or before the target and decode forward from
    // there, skipping pictures before the target: seeking straight to a
    // non-key packet would show broken pictures for inter-coded video.
    if (av_seek_frame(s.formatContext, s.videoStreamIndex, target, AVSEEK_FLAG_BACKWARD) < 0)
        av_seek_frame(s.formatContext, s.videoStreamIndex, target, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY);
    avcodec_flush_buffers(s.codecContext);
    m_endOfFile = false;
    m_draining = false;
    m_failuresInARow = 0;
    m_skipping = true;
    m_skipBefore = target - static_cast<int64_t>(halfFrame);
}

CFramePlayer::DecodeResult CFramePlayer::DecodeOne(AVFrame* decoded, AVPacket* packet)
{
    SPlayerState& s = *m_state;
    for (;;) {
        if (m_endOfFile)
            return DecodeResult::EndOfFile;
        if (!m_running)
            return DecodeResult::Nothing;
        {
            // A seek request abandons the picture in progress.
            std::unique_lock<std::timed_mutex> lock(s.stateLock, kThreadLockWait);
            if (!lock.owns_lock() || s.formatContext == nullptr || s.seekPending)
                return DecodeResult::Nothing;
        }

        const int received = avcodec_receive_frame(s.codecContext, decoded);
        if (received == 0) {
            m_failuresInARow = 0;
            const int64_t stamp = decoded->best_effort_timestamp;
            const bool early = m_skipping && stamp != AV_NOPTS_VALUE && stamp < m_skipBefore;
            if (!early)
                m_skipping = false;
            const bool queuedOne = !early && QueuePicture(decoded);
            av_frame_unref(decoded);
            if (queuedOne)
                return DecodeResult::Picture;
            continue;
        }
        if (received == AVERROR_EOF || (received == AVERROR(EAGAIN) && m_draining)) {
            // The decoder has given every picture it holds.
            m_endOfFile = true;
            return DecodeResult::EndOfFile;
        }
        if (received != AVERROR(EAGAIN)) {
            // A damaged packet: the decoder has dropped it.
            if (TooManyFailures())
                return DecodeResult::EndOfFile;
            continue;
        }

        // The decoder wants input: feed it.
        if (av_read_frame(s.formatContext, packet) < 0) {
            // End of the input, or a truncated or broken rest: drain the
            // pictures the decoder still holds.
            m_draining = true;
            avcodec_send_packet(s.codecContext, nullptr);
            continue;
        }
        int sent = 0;
        // An empty packet (some containers store empty frames) would read
        // as a refusal; it carries no picture.
        if (packet->stream_index == s.videoStreamIndex && packet->size > 0)
            sent = avcodec_send_packet(s.codecContext, packet);
        av_packet_unref(packet);
        // A refused packet is dropped by the decoder: go on with the next.
        if (sent < 0 && sent != AVERROR(EAGAIN) && TooManyFailures())
            return DecodeResult::EndOfFile;
    }
}

bool CFramePlayer::TooManyFailures()
{
    if (++m_failuresInARow < kMaxFailuresInARow)
        return false;
    m_endOfFile = true;
    return true;
}

bool CFramePlayer::PictureIsScalable(const AVFrame* decoded)
{
    // Every picture is checked on its own: its size and format may differ
    // from the stream's and from the picture before.
    const auto format = static_cast<AVPixelFormat>(decoded->format);
    return decoded->width > 0 && decoded->height > 0 && PictureFits(decoded->width, decoded->height)
        && decoded->data[0] != nullptr && format != AV_PIX_FMT_NONE && sws_isSupportedInput(format) > 0;
}

bool CFramePlayer::QueuePicture(const AVFrame* decoded)
{
    SPlayerState& s = *m_state;
    const int width = s.pictureWidth;
    const int height = s.pictureHeight;
    if (!PictureIsScalable(decoded))
        return false;
    // Re-made whenever the size or format of the pictures changes.
    s.scaler
        = sws_getCachedContext(s.scaler, decoded->width, decoded->height, static_cast<AVPixelFormat>(decoded->format),
            width, height, static_cast<AVPixelFormat>(s.outputPixelFormat), SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (s.scaler == nullptr)
        return false;

    const int lineSize = width * 4;
    const size_t size = size_t(lineSize) * size_t(height);
    CFrameRecord record;
    {
        std::lock_guard<std::timed_mutex> lock(s.queueLock);
        if (!s.spareRecords.empty()) {
            record = std::move(s.spareRecords.back());
            s.spareRecords.pop_back();
        }
    }
    if (record.size != size) {
        record.pixels.reset(new (std::nothrow) uint8_t[size]);
        if (!record.pixels)
            return false;
        record.size = size;
    }
    record.lineSize = lineSize;
    record.height = height;
    uint8_t* planes[4] = { record.pixels.get(), nullptr, nullptr, nullptr };
    int strides[4] = { lineSize, 0, 0, 0 };
    if (sws_scale(s.scaler, decoded->data, decoded->linesize, 0, decoded->height, planes, strides) <= 0)
        return false;

    {
        // Queued under the state lock: a seek request made meanwhile has
        // emptied the queue, and this picture belongs to the old position.
        std::unique_lock<std::timed_mutex> stateLock(s.stateLock);
        if (s.seekPending)
            return false;
        std::lock_guard<std::timed_mutex> lock(s.queueLock);
        s.queue.push_back(std::move(record));
    }
    s.queueFilled.notify_all();
    return true;
}
