// CAviFrameWriter: AVIFile writing of uncompressed 32-bit frames.
#include "AviFrameWriter.h"

#include "AviMainHeader.h"

CAviFrameWriter::CAviFrameWriter(std::wstring tempSuffix)
    : m_tempSuffix(std::move(tempSuffix))
{
}

CAviFrameWriter::~CAviFrameWriter()
{
    Abandon();
}

int CAviFrameWriter::Init(LPCWSTR path, int width, int height, int bits, int framesPerSecond)
{
    if (m_file != nullptr)
        Finish();
    if (path == nullptr || *path == 0 || width <= 0 || height <= 0 || bits != 32 || framesPerSecond <= 0)
        return -1;
    // 32-bit rows of more than 2 GB cannot be addressed.
    if (static_cast<long long>(width) * height > 0x1FFFFFFFLL)
        return -1;

    m_target = path;
    m_temporary = m_target + m_tempSuffix;
    ::DeleteFileW(m_temporary.c_str());
    ::AVIFileInit();
    m_aviStarted = true;
    if (::AVIFileOpenW(&m_file, m_temporary.c_str(), OF_CREATE | OF_WRITE, nullptr) != AVIERR_OK) {
        m_file = nullptr;
        Abandon();
        return -1;
    }

    AVISTREAMINFOW info {};
    info.fccType = streamtypeVIDEO;
    info.fccHandler = mmioFOURCC('D', 'I', 'B', ' ');
    info.dwScale = 1;
    info.dwRate = static_cast<DWORD>(framesPerSecond);
    info.dwSuggestedBufferSize = static_cast<DWORD>(width) * height * 4;
    ::SetRect(&info.rcFrame, 0, 0, width, height);
    if (::AVIFileCreateStreamW(m_file, &m_stream, &info) != AVIERR_OK) {
        m_stream = nullptr;
        Abandon();
        return -1;
    }
    // The stream format chunk holds the 40-byte header as it is.
    static_assert(sizeof(BITMAPINFOHEADER) == 40);
    BITMAPINFOHEADER format {};
    format.biSize = sizeof(format);
    format.biWidth = width;
    format.biHeight = height; // bottom-up rows
    format.biPlanes = 1;
    format.biBitCount = 32;
    format.biCompression = BI_RGB;
    format.biSizeImage = static_cast<DWORD>(width) * height * 4;
    if (::AVIStreamSetFormat(m_stream, 0, &format, sizeof(format)) != AVIERR_OK) {
        Abandon();
        return -1;
    }

    m_frame = ::CreateCompatibleDC(nullptr);
    BITMAPINFO bi {};
    bi.bmiHeader = format;
    m_dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    if (m_frame == nullptr || m_dib == nullptr) {
        Abandon();
        return -1;
    }
    m_oldBitmap = ::SelectObject(m_frame, m_dib);
    m_width = width;
    m_height = height;
    m_frames = 0;
    m_framesPerSecond = framesPerSecond;
    m_failed = false;
    return 0;
}

int CAviFrameWriter::WriteFrame(HDC dc)
{
    if (m_stream == nullptr || dc == nullptr)
        return -1;
    ::PatBlt(m_frame, 0, 0, m_width, m_height, BLACKNESS);
    if (!::BitBlt(m_frame, 0, 0, m_width, m_height, dc, 0, 0, SRCCOPY)) {
        m_failed = true;
        return -1;
    }
    ::GdiFlush();
    LONG size = m_width * m_height * 4;
    if (::AVIStreamWrite(m_stream, m_frames, 1, m_bits, size, AVIIF_KEYFRAME, nullptr, nullptr) != AVIERR_OK) {
        m_failed = true;
        return -1;
    }
    ++m_frames;
    return 0;
}

int CAviFrameWriter::Finish()
{
    if (m_file == nullptr)
        return -1;
    bool ok = !m_failed;
    CloseHandles();
    // The system writer's main header holds a wrong frame time.
    if (ok)
        ok = SetAviMicroSecPerFrame(m_temporary.c_str(), m_framesPerSecond) != FALSE;
    if (ok)
        ok = ::MoveFileExW(m_temporary.c_str(), m_target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    if (!ok)
        ::DeleteFileW(m_temporary.c_str());
    return ok ? 0 : -1;
}

void CAviFrameWriter::CloseHandles()
{
    if (m_frame != nullptr) {
        if (m_oldBitmap != nullptr)
            ::SelectObject(m_frame, m_oldBitmap);
        ::DeleteDC(m_frame);
    }
    if (m_dib != nullptr)
        ::DeleteObject(m_dib);
    m_frame = nullptr;
    m_dib = nullptr;
    m_oldBitmap = nullptr;
    m_bits = nullptr;
    if (m_stream != nullptr)
        ::AVIStreamRelease(m_stream);
    m_stream = nullptr;
    if (m_file != nullptr)
        ::AVIFileRelease(m_file);
    m_file = nullptr;
    if (m_aviStarted)
        ::AVIFileExit();
    m_aviStarted = false;
}

void CAviFrameWriter::Abandon()
{
    bool hadFile = m_file != nullptr;
    CloseHandles();
    if (hadFile || !m_temporary.empty())
        ::DeleteFileW(m_temporary.c_str());
}
