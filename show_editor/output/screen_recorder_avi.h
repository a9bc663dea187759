// CAviEncoder: writes uncompressed frames of one size into an AVI file
// through the platform's AVI file services, compressed by a chosen video
// compressor. One image buffer is reused for every frame.
#pragma once

#include <afx.h>

#include <vfw.h>

#include <string>
#include <vector>

class CAviEncoder {
public:
    CAviEncoder() = default;
    ~CAviEncoder();
    CAviEncoder(const CAviEncoder&) = delete;
    CAviEncoder& operator=(const CAviEncoder&) = delete;

    // Creates the file (replacing an existing one) with a video stream of the
    // frame rate; compressor is a four-character code such as "msvc". When
    // the system has no such compressor for these frames, the frames are
    // written uncompressed rather than not at all.
    bool Open(int bitsPerPixel, LPCTSTR path, int width, int height, int frameRate, LPCSTR compressor);
    // Appends one frame of width x height pixels, rows bottom-up, not padded.
    bool WriteFrame(const void* pixels);
    // Finishes the file and ends the AVI file services.
    void Close();
    // Frees the buffer and releases the file without the rest of Close.
    void Release();

    bool IsOpen() const { return m_file != nullptr; }
    bool IsCompressed() const { return m_compressed != nullptr; }
    LONG FrameIndex() const { return m_frameIndex; }
    HRESULT LastResult() const { return m_result; }

private:
    void ReleaseStreams();

    AVISTREAMINFOW m_info {};
    PAVIFILE m_file = nullptr;
    PAVISTREAM m_stream = nullptr;
    PAVISTREAM m_compressed = nullptr;
    HRESULT m_result = S_OK;
    std::vector<BYTE> m_frame;
    BITMAPINFOHEADER m_header {};
    LONG m_frameIndex = 0;
    bool m_initialised = false;
    std::wstring m_path;
};
