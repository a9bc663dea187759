// CAviFrameWriter: one AVI file written through AVIFile as an uncompressed
// bottom-up 32-bit DIB stream, shared by our AVI-writing stand-in libraries.
// The file is built under a temporary name beside the target and takes the
// target's name only when it was finished without a write error. Frames are
// copied out of a device context into a DIB section of the file's frame size,
// so a bitmap of another size is cropped or padded with black, never misread.
#pragma once

#include <windows.h>

#include <vfw.h>

#include <string>

class CAviFrameWriter {
public:
    // tempSuffix is appended to the target's name for the file in progress.
    explicit CAviFrameWriter(std::wstring tempSuffix);
    ~CAviFrameWriter();
    CAviFrameWriter(const CAviFrameWriter&) = delete;
    CAviFrameWriter& operator=(const CAviFrameWriter&) = delete;

    // 0 success, -1 failure. A file still open is finished first.
    int Init(LPCWSTR path, int width, int height, int bits, int framesPerSecond);
    int WriteFrame(HDC dc);
    int Finish();
    bool IsOpen() const { return m_file != nullptr; }
    // Drops a file that could not be finished.
    void Abandon();

private:
    void CloseHandles();

    std::wstring m_tempSuffix;
    std::wstring m_target;
    std::wstring m_temporary;
    bool m_aviStarted = false;
    PAVIFILE m_file = nullptr;
    PAVISTREAM m_stream = nullptr;
    HDC m_frame = nullptr;
    HBITMAP m_dib = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    void* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    LONG m_frames = 0;
    int m_framesPerSecond = 0;
    bool m_failed = false;
};
