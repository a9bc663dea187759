// CFramePlayer's drawing: DrawNext takes the oldest queued picture and
// stretches its cropped source rectangle onto the caller's target rectangle.
#include "FramePlayer.h"

#include <chrono>

void CFramePlayer::ReleaseDrawing()
{
    m_pictureInfo = {};
    m_drawingReady = false;
}

void CFramePlayer::PrepareDrawing()
{
    std::lock_guard<std::mutex> lock(m_playerLock);
    ReleaseDrawing();
    int width = 0;
    int height = 0;
    {
        std::lock_guard<std::timed_mutex> stateLock(m_state->stateLock);
        width = m_state->pictureWidth;
        height = m_state->pictureHeight;
    }
    if (IsRectEmpty(&m_targetRect) || width <= 0 || height <= 0)
        return;

    BITMAPINFOHEADER& header = m_pictureInfo.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = -height; // top-down, as FFmpeg writes the rows
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    m_drawingReady = true;

    m_sourceRect = { 0, 0, width, height };
    RECT cropped = { m_cropLeft, m_cropTop, width - m_cropRight, height - m_cropBottom };
    IntersectRect(&cropped, &cropped, &m_sourceRect);
    // A crop that leaves nothing draws the whole frame.
    if (!IsRectEmpty(&cropped))
        m_sourceRect = cropped;
}

void CFramePlayer::DrawNext(bool count)
{
    SPlayerState& s = *m_state;
    CFrameRecord record;
    {
        std::unique_lock<std::timed_mutex> lock(s.queueLock, std::chrono::milliseconds(200));
        if (lock.owns_lock() && !s.queue.empty()) {
            record = std::move(s.queue.front());
            s.queue.pop_front();
        }
    }

    if (record.pixels) {
        std::lock_guard<std::mutex> lock(m_playerLock);
        const size_t pictureSize
            = size_t(m_pictureInfo.bmiHeader.biWidth) * 4 * size_t(-m_pictureInfo.bmiHeader.biHeight);
        if (m_drawingReady && record.size == pictureSize) {
            if (m_targetDC != nullptr) {
                const int saved = SaveDC(m_targetDC);
                const int targetWidth = m_targetRect.right - m_targetRect.left;
                const int targetHeight = m_targetRect.bottom - m_targetRect.top;
                const int sourceWidth = m_sourceRect.right - m_sourceRect.left;
                const int sourceHeight = m_sourceRect.bottom - m_sourceRect.top;
                // Shrinking both ways can drop lines; anything else is smoothed.
                const bool shrinking = targetWidth < sourceWidth && targetHeight < sourceHeight;
                SetStretchBltMode(m_targetDC, shrinking ? COLORONCOLOR : HALFTONE);
                if (!shrinking)
                    SetBrushOrgEx(m_targetDC, 0, 0, nullptr);
                StretchDIBits(m_targetDC, m_targetRect.left, m_targetRect.top, targetWidth, targetHeight,
                    m_sourceRect.left, -m_pictureInfo.bmiHeader.biHeight - m_sourceRect.bottom, sourceWidth,
                    sourceHeight, record.pixels.get(), &m_pictureInfo, DIB_RGB_COLORS, SRCCOPY);
                RestoreDC(m_targetDC, saved);
            }
            if (count) {
                std::lock_guard<std::timed_mutex> stateLock(s.stateLock);
                ++s.frameCounter;
            }
        }
        std::lock_guard<std::timed_mutex> queueLock(s.queueLock);
        if (s.spareRecords.size() < kSpareRecords)
            s.spareRecords.push_back(std::move(record));
        return;
    }

    if (count) {
        std::lock_guard<std::timed_mutex> stateLock(s.stateLock);
        if (s.frameCounter < s.totalFrames)
            ++s.frameCounter;
    }
}
