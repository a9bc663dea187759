// Test helpers: see TestSupport.h.
#include "TestSupport.h"
#include "JpegEncoder.h"

#include <cstdlib>

namespace clipgen {

namespace {

void DeleteTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

CTempFolder::CTempFolder(const std::wstring& leaf)
{
    static LONG serial = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"reelcore-" + std::to_wstring(GetCurrentProcessId()) + L"-"
        + std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(InterlockedIncrement(&serial));
    CreateDirectoryW(m_path.c_str(), nullptr);
    if (!leaf.empty()) {
        m_path += L"\\" + leaf;
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
}

CTempFolder::~CTempFolder()
{
    std::wstring top = m_path;
    DeleteTree(top);
    const size_t slash = top.rfind(L"\\reelcore-");
    if (slash != std::wstring::npos) {
        const size_t end = top.find(L'\\', slash + 1);
        if (end != std::wstring::npos)
            DeleteTree(top.substr(0, end));
    }
}

CCanvas::CCanvas(int width, int height)
    : m_width(width)
    , m_height(height)
{
    m_dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<uint32_t*>(bits);
    m_previous = SelectObject(m_dc, m_bitmap);
    Fill({ 0, 0, 0 });
}

CCanvas::~CCanvas()
{
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

Rgb CCanvas::At(int x, int y) const
{
    GdiFlush();
    const uint32_t v = m_bits[size_t(y) * size_t(m_width) + size_t(x)];
    return { int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF) };
}

void CCanvas::Fill(Rgb colour)
{
    GdiFlush();
    const uint32_t v = uint32_t(colour.r) << 16 | uint32_t(colour.g) << 8 | uint32_t(colour.b);
    for (size_t i = 0; i < size_t(m_width) * size_t(m_height); ++i)
        m_bits[i] = v;
}

bool Near(Rgb a, Rgb b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

std::vector<uint8_t> FlatRawAvi(int width, int height, int frames, int fps, int first, bool withIndex)
{
    AviStream stream { StreamKind::RawVideo, width, height, {} };
    for (int i = 0; i < frames; ++i)
        stream.chunks.push_back(DibRows24(FlatPicture(width, height, FrameColour(first + i))));
    return BuildAvi({ stream }, fps, withIndex);
}

std::vector<uint8_t> FlatMjpegAvi(int width, int height, int frames, int fps, int first)
{
    CJpegEncoder encoder;
    AviStream stream { StreamKind::Mjpeg, width, height, {} };
    for (int i = 0; i < frames; ++i)
        stream.chunks.push_back(encoder.Encode(FlatPicture(width, height, FrameColour(first + i))));
    return BuildAvi({ stream }, fps);
}

std::vector<uint8_t> FlatMjpegMkv(int width, int height, int frames, int fps, int first)
{
    CJpegEncoder encoder;
    std::vector<std::vector<uint8_t>> jpegs;
    for (int i = 0; i < frames; ++i)
        jpegs.push_back(encoder.Encode(FlatPicture(width, height, FrameColour(first + i))));
    return BuildMkvMjpeg(width, height, fps, jpegs);
}

} // namespace clipgen
