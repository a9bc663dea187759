// CAviEncoder: frames into an AVI file through AVIFile.
#include "screen_recorder_avi.h"

#include "AviMainHeader.h"

#include <cstring>

CAviEncoder::~CAviEncoder()
{
    Close();
}

bool CAviEncoder::Open(int bitsPerPixel, LPCTSTR path, int width, int height, int frameRate, LPCSTR compressor)
{
    Close();
    if (width <= 0 || height <= 0 || (bitsPerPixel != 24 && bitsPerPixel != 32) || frameRate <= 0)
        return false;
    const size_t imageSize = static_cast<size_t>(width) * static_cast<size_t>(height) * (bitsPerPixel / 8);
    if (imageSize > 0x7FFFFFFF)
        return false;

    ::AVIFileInit();
    m_initialised = true;
    m_frame.assign(imageSize, 0);
    m_frameIndex = 0;

    // AVIFileOpen with OF_CREATE keeps the old contents' size on some
    // systems; start from no file.
    ::DeleteFileW(path);
    m_path = path;
    m_result = ::AVIFileOpenW(&m_file, path, OF_WRITE | OF_CREATE, nullptr);
    if (FAILED(m_result)) {
        m_file = nullptr;
        Close();
        return false;
    }

    m_info = {};
    m_info.fccType = streamtypeVIDEO;
    m_info.fccHandler = 0;
    m_info.dwScale = 1;
    m_info.dwRate = static_cast<DWORD>(frameRate);
    m_info.dwSuggestedBufferSize = static_cast<DWORD>(imageSize);
    ::SetRect(&m_info.rcFrame, 0, 0, width, height);
    m_result = ::AVIFileCreateStreamW(m_file, &m_stream, &m_info);
    if (FAILED(m_result)) {
        m_stream = nullptr;
        Close();
        return false;
    }

    AVICOMPRESSOPTIONS options {};
    options.fccType = streamtypeVIDEO;
    options.fccHandler = mmioFOURCC(compressor[0], compressor[1], compressor[2], compressor[3]);
    options.dwKeyFrameEvery = 1;
    options.dwQuality = 10000;
    options.dwFlags = AVICOMPRESSF_VALID;

    m_header = {};
    m_header.biSize = sizeof(BITMAPINFOHEADER);
    m_header.biWidth = width;
    m_header.biHeight = height;
    m_header.biPlanes = 1;
    m_header.biBitCount = static_cast<WORD>(bitsPerPixel);
    m_header.biCompression = BI_RGB;
    m_header.biSizeImage = static_cast<DWORD>(imageSize);
    m_header.biXPelsPerMeter = 3780;
    m_header.biYPelsPerMeter = 3780;

    m_result = ::AVIMakeCompressedStream(&m_compressed, m_stream, &options, nullptr);
    if (FAILED(m_result))
        m_compressed = nullptr;
    // The compressor may be present yet refuse these frames: that shows
    // only when the format is set. Either way the raw stream still takes
    // the frames as they are.
    if (m_compressed != nullptr && FAILED(::AVIStreamSetFormat(m_compressed, 0, &m_header, sizeof(m_header)))) {
        ::AVIStreamRelease(m_compressed);
        m_compressed = nullptr;
    }
    if (m_compressed == nullptr) {
        m_result = ::AVIStreamSetFormat(m_stream, 0, &m_header, sizeof(m_header));
        if (FAILED(m_result)) {
            Close();
            return false;
        }
    }
    return true;
}

bool CAviEncoder::WriteFrame(const void* pixels)
{
    if (m_file == nullptr || pixels == nullptr)
        return false;
    std::memcpy(m_frame.data(), pixels, m_frame.size());
    PAVISTREAM target = m_compressed != nullptr ? m_compressed : m_stream;
    if (m_compressed != nullptr)
        ::AVIStreamSetFormat(target, m_frameIndex, &m_header, sizeof(m_header));
    m_result = ::AVIStreamWrite(
        target, m_frameIndex, 1, m_frame.data(), static_cast<LONG>(m_frame.size()), AVIIF_KEYFRAME, nullptr, nullptr);
    ++m_frameIndex;
    return SUCCEEDED(m_result);
}

void CAviEncoder::ReleaseStreams()
{
    if (m_compressed != nullptr) {
        ::AVIStreamRelease(m_compressed);
        m_compressed = nullptr;
    }
    if (m_stream != nullptr) {
        ::AVIStreamRelease(m_stream);
        m_stream = nullptr;
    }
    if (m_file != nullptr) {
        ::AVIFileRelease(m_file);
        m_file = nullptr;
        // The system writer's main header holds a wrong frame time.
        SetAviMicroSecPerFrame(
            m_path.c_str(), static_cast<int>(m_info.dwRate / (m_info.dwScale != 0 ? m_info.dwScale : 1)));
    }
}

void CAviEncoder::Close()
{
    ReleaseStreams();
    m_frame.clear();
    m_frame.shrink_to_fit();
    if (m_initialised) {
        ::AVIFileExit();
        m_initialised = false;
    }
}

void CAviEncoder::Release()
{
    m_frame.clear();
    m_frame.shrink_to_fit();
    ReleaseStreams();
}
