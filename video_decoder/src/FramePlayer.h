// CFramePlayer: one open video. It opens a file with FFmpeg, decodes the
// video stream on a thread of its own into a queue of at most two BGRA
// pictures, and draws the oldest queued picture into the caller's DC.
#pragma once

#include "PlayerSync.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>
#include <condition_variable>

struct AVFormatContext;
struct AVStream;
struct AVCodecParameters;
struct AVCodecContext;
struct AVCodec;
struct SwsContext;
struct AVFrame;
struct AVPacket;

// One decoded picture in 32-bit BGRA, rows bottom-up as in a DIB.
struct CFrameRecord {
    std::unique_ptr<uint8_t[]> pixels;
    size_t size = 0;
    int lineSize = 0;
    int height = 0;
};

// The largest pictures the library scales and queues: at most 16384 pixels
// a side and as many pixels as 8192 x 4320 (a 32-bit process holds the few
// pictures in flight in BGRA).
constexpr int kMaxPictureSide = 16384;
constexpr int64_t kMaxPicturePixels = int64_t { 8192 } * 4320;

// Pictures in flight at most: two queued, one being drawn, one being
// decoded. Keeping that many for reuse spares a large allocation per frame.
constexpr size_t kSpareRecords = 4;

// Decoder state of a player; the state lock guards the FFmpeg contexts, the
// counter and the seek request.
struct SPlayerState {
    AVFormatContext* formatContext = nullptr;
    int videoStreamIndex = -1;
    AVStream* videoStream = nullptr;
    const AVCodecParameters* streamCodecParameters = nullptr;
    AVCodecContext* codecContext = nullptr;
    const AVCodec* decoder = nullptr;
    SwsContext* scaler = nullptr;
    bool open = false;
    int pictureWidth = 0; // size of the queued pictures, fixed at open (each decoded picture is scaled to it)
    int pictureHeight = 0;

    std::deque<CFrameRecord> queue; // oldest first
    std::timed_mutex queueLock;
    std::condition_variable_any queueFilled; // signalled when a picture is queued
    std::vector<CFrameRecord> spareRecords; // drawn records kept for reuse (queue lock)

    int64_t totalFrames = 0;
    int64_t frameCounter = 0;
    double frameRate = 0;
    bool seekPending = false;
    int seekTarget = 0; // 0-based frame index
    int outputPixelFormat = 0;
    HANDLE thread = nullptr;
    std::timed_mutex stateLock;
};

class CFramePlayer {
public:
    CFramePlayer();
    ~CFramePlayer();
    CFramePlayer(const CFramePlayer&) = delete;
    CFramePlayer& operator=(const CFramePlayer&) = delete;

    // Opens path (UTF-16) for drawing into targetRect of targetDC. Returns 1 or 0.
    int Open(const wchar_t* path, HDC targetDC, const RECT& targetRect, int cropLeft, int cropTop, int cropRight,
        int cropBottom);
    void Forward();
    void SeekTo(int frame, bool draw);
    void DrawNext(bool count);
    void Close();
    void StopThread();

    int GetWidth();
    int GetHeight();
    int64_t GetTotalFrames();
    int64_t GetFrameCounter();
    // The last Open failed because the file's pictures are larger than the
    // library scales (found from the headers, before decoding).
    bool PictureTooLarge() const { return m_pictureTooLarge; }
    static bool PictureFits(int width, int height);

    // Set while the library is being unloaded: the loader lock is held then,
    // so a finished decoding thread cannot be waited for (it needs that lock
    // to exit).
    static std::atomic<bool> s_loaderLockHeld;

private:
    enum class DecodeResult { Picture, Nothing, EndOfFile };

    bool OpenFile();
    void PrepareDrawing();
    void ReleaseDrawing();
    void ClearQueue();
    size_t CountQueue();
    bool WaitForQueued(int milliseconds);
    // Waits until a picture is queued or the thread has none to give (end of
    // the input, or stopped), at most `milliseconds`.
    bool WaitForPicture(int milliseconds);
    // The decoding thread found the end of the input (or gave up on it).
    void MarkInputDone();
    void StartThread();
    static unsigned __stdcall ThreadEntry(void* self);
    void ThreadMain();
    DecodeResult DecodeOne(AVFrame* decoded, AVPacket* packet);
    // Counts a packet the decoder refused; true (and the end of the file
    // marked) when too many came in a row.
    bool TooManyFailures();
    bool QueuePicture(const AVFrame* decoded);
    static bool PictureIsScalable(const AVFrame* decoded);
    void SeekDecoder(int frameIndex);
    void MarkStopped();

    std::unique_ptr<SPlayerState> m_state;
    std::string m_path; // UTF-8, as FFmpeg's file protocol expects on Windows
    // Header of the queued pictures as a bottom-up 32-bit DIB: they are
    // stretched straight from the queue onto the target, which spares a copy
    // of every picture through a memory DC (8 MB per frame at 1080p).
    BITMAPINFO m_pictureInfo {};
    bool m_drawingReady = false;
    RECT m_targetRect {};
    std::mutex m_playerLock;
    HDC m_targetDC = nullptr;
    int m_cropLeft = 0;
    int m_cropTop = 0;
    int m_cropRight = 0;
    int m_cropBottom = 0;
    RECT m_sourceRect {};
    bool m_pictureTooLarge = false;
    std::atomic<bool> m_running { false };
    std::atomic<bool> m_stopped { true };
    CAutoResetEvent m_wakeEvent;

    // Decoder-thread only: end of input reached, and after a seek the
    // timestamp below which decoded pictures are skipped.
    bool m_endOfFile = false;
    bool m_draining = false;
    int64_t m_skipBefore = 0;
    bool m_skipping = false;
    int m_failuresInARow = 0;
    std::mutex m_stoppedLock;
    std::condition_variable m_stoppedSignal;
    // Set by the decoding thread when no further picture will come without a
    // seek; cleared by a seek request. Read by callers waiting for a picture.
    std::atomic<bool> m_inputDone { false };
};
