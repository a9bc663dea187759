// CFramePlayer's drawing: the memory DC with the frame's DIB section, and
// DrawNext, which copies the oldest queued picture into it and stretches the
// cropped source rectangle onto the caller's target rectangle.
#include "FramePlayer.h"

#include <chrono>
#include <cstring>

void CFramePlayer::ReleaseDrawing()
{
    if (m_memoryDC != nullptr) {
        if (m_previousBitmap != nullptr)
            SelectObject(m_memoryDC, m_previousBitmap);
        DeleteDC(m_memoryDC);
    }
    if (m_frameBitmap != nullptr)
        DeleteObject(m_frameBitmap);
    if (m_desktopDC != nullptr)
        ReleaseDC(nullptr, m_desktopDC);
    m_memoryDC = nullptr;
    m_frameBitmap = nullptr;
    m_previousBitmap = nullptr;
    m_desktopDC = nullptr;
    m_bitmapBits = nullptr;
    m_bitmapWidth = 0;
    m_bitmapHeight = 0;
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

    m_desktopDC = GetDC(nullptr);
    m_memoryDC = CreateCompatibleDC(m_desktopDC);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, as FFmpeg writes the rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    if (m_memoryDC != nullptr)
        m_frameBitmap = CreateDIBSection(m_memoryDC, &info, DIB_RGB_COLORS, &m_bitmapBits, nullptr, 0);
    if (m_frameBitmap == nullptr) {
        ReleaseDrawing();
        return;
    }
    m_previousBitmap = SelectObject(m_memoryDC, m_frameBitmap);
    m_bitmapWidth = width;
    m_bitmapHeight = height;

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
        if (m_memoryDC != nullptr && m_bitmapBits != nullptr) {
            const size_t bitmapSize = size_t(m_bitmapWidth) * 4 * size_t(m_bitmapHeight);
            std::memcpy(m_bitmapBits, record.pixels.get(), record.size < bitmapSize ? record.size : bitmapSize);
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
                StretchBlt(m_targetDC, m_targetRect.left, m_targetRect.top, targetWidth, targetHeight, m_memoryDC,
                    m_sourceRect.left, m_sourceRect.top, sourceWidth, sourceHeight, SRCCOPY);
                RestoreDC(m_targetDC, saved);
            }
            if (count) {
                std::lock_guard<std::timed_mutex> stateLock(s.stateLock);
                ++s.frameCounter;
            }
        }
        std::lock_guard<std::timed_mutex> lock2(s.queueLock);
        if (s.spareRecords.size() < 2)
            s.spareRecords.push_back(std::move(record));
        return;
    }

    if (count) {
        std::lock_guard<std::timed_mutex> stateLock(s.stateLock);
        if (s.frameCounter < s.totalFrames)
            ++s.frameCounter;
    }
}
