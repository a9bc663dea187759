// Shared pieces of the engine tests.
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include "gdiplus_session.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace enginetest {

namespace {

// Starts GDI+ before the first test and removes the generated files after the
// last one.
class GdiplusEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        m_gdiplus.emplace();
        ASSERT_TRUE(m_gdiplus->Ok());
    }
    void TearDown() override
    {
        for (const std::wstring& file : Files())
            ::DeleteFileW(file.c_str());
        ::RemoveDirectoryW(Folder().c_str());
        m_gdiplus.reset();
    }

    static std::vector<std::wstring>& Files()
    {
        static std::vector<std::wstring> files;
        return files;
    }
    static const std::wstring& Folder()
    {
        static const std::wstring folder = [] {
            wchar_t temp[MAX_PATH] = {};
            ::GetTempPathW(MAX_PATH, temp);
            std::wstring path = std::wstring(temp) + L"engine_test_" + std::to_wstring(::GetCurrentProcessId());
            ::CreateDirectoryW(path.c_str(), nullptr);
            return path;
        }();
        return folder;
    }

private:
    std::optional<CGdiplusSession> m_gdiplus;
};

testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

CLSID EncoderOf(ImageFormat format)
{
    // The built-in GDI+ encoders: image/bmp, image/jpeg, image/gif, image/png.
    CLSID id = { 0x557CF400, 0x1A04, 0x11D3, { 0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E } };
    switch (format) {
    case ImageFormat::Bmp:
        break;
    case ImageFormat::Jpeg:
        id.Data1 = 0x557CF401;
        break;
    case ImageFormat::Gif:
        id.Data1 = 0x557CF402;
        break;
    case ImageFormat::Png:
        id.Data1 = 0x557CF406;
        break;
    }
    return id;
}

} // namespace

Canvas::Canvas(int w, int h, COLORREF fill)
    : width(w)
    , height(h)
{
    m_dc.Attach(::CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    m_bitmap = CreateDib32(w, h, &bits);
    m_bits = static_cast<DWORD*>(bits);
    m_old = ::SelectObject(m_dc, m_bitmap);
    Fill(fill);
}

Canvas::~Canvas()
{
    ::SelectObject(m_dc, m_old);
    m_dc.DeleteDC();
    ::DeleteObject(m_bitmap);
}

void Canvas::Fill(COLORREF color)
{
    ::GdiFlush();
    const DWORD v = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    for (int i = 0; i < width * height; ++i)
        m_bits[i] = v;
}

DWORD Canvas::Raw(int x, int y) const
{
    ::GdiFlush();
    return m_bits[(height - 1 - y) * width + x]; // bottom-up rows
}

COLORREF Canvas::At(int x, int y) const
{
    const DWORD v = Raw(x, y);
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

std::vector<COLORREF> Canvas::Row(int y) const
{
    std::vector<COLORREF> row;
    for (int x = 0; x < width; ++x)
        row.push_back(At(x, y));
    return row;
}

DWORD GdiObjectCount()
{
    return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
}

std::wstring WriteImage(
    const wchar_t* name, int width, int height, ImageFormat format, const std::function<COLORREF(int, int)>& color)
{
    using namespace Gdiplus::DllExports;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = color(x, y);
            pixels[static_cast<size_t>(y) * width + x]
                = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    const std::wstring path = GdiplusEnvironment::Folder() + L"\\" + name;
    Gdiplus::GpBitmap* bitmap = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromScan0(
                  width, height, width * 4, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(pixels.data()), &bitmap),
        Gdiplus::Ok);
    if (bitmap == nullptr)
        return path;
    if (format == ImageFormat::Gif) {
        // Some GIF encoders take only palette images: hand over an 8-bit copy.
        Gdiplus::GpBitmap* indexed = nullptr;
        if (GdipCloneBitmapAreaI(0, 0, width, height, PixelFormat8bppIndexed, bitmap, &indexed) == Gdiplus::Ok) {
            GdipDisposeImage(bitmap);
            bitmap = indexed;
        }
    }
    const CLSID encoder = EncoderOf(format);
    EXPECT_EQ(GdipSaveImageToFile(bitmap, path.c_str(), &encoder, nullptr), Gdiplus::Ok);
    GdipDisposeImage(bitmap);
    GdiplusEnvironment::Files().push_back(path);
    return path;
}

COLORREF Quadrant(int x, int y, int width, int height)
{
    const bool right = x >= width / 2;
    const bool bottom = y >= height / 2;
    if (!bottom)
        return right ? RGB(0, 255, 0) : RGB(255, 0, 0);
    return right ? RGB(255, 255, 0) : RGB(0, 0, 255);
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance
        && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Show(COLORREF c)
{
    char text[32];
    std::snprintf(text, sizeof text, "(%d, %d, %d)", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

} // namespace enginetest
