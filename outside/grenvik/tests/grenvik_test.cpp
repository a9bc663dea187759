// Grenvik stand-in: files written through the three calls read back with
// AVIFile frame for frame, refused arguments, and the temporary name.
#include "Grenvik.h"

#include <gtest/gtest.h>
#include <vfw.h>

#include <string>
#include <vector>

namespace {

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A memory DC with a width x height 32-bit bitmap filled with one colour.
struct Picture {
    Picture(int width, int height, COLORREF colour)
    {
        dc = ::CreateCompatibleDC(nullptr);
        BITMAPINFO bi {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = ::SelectObject(dc, bitmap);
        RECT r { 0, 0, width, height };
        HBRUSH brush = ::CreateSolidBrush(colour);
        ::FillRect(dc, &r, brush);
        ::DeleteObject(brush);
    }
    ~Picture()
    {
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

struct ReadBack {
    bool opened = false;
    DWORD rate = 0;
    DWORD scale = 0;
    LONG frames = 0;
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::vector<std::vector<DWORD>> pixels; // per frame, bottom-up rows
};

ReadBack ReadAvi(const std::wstring& path)
{
    ReadBack result;
    ::AVIFileInit();
    PAVIFILE file = nullptr;
    if (::AVIFileOpenW(&file, path.c_str(), OF_READ, nullptr) == AVIERR_OK) {
        PAVISTREAM stream = nullptr;
        if (::AVIFileGetStream(file, &stream, streamtypeVIDEO, 0) == AVIERR_OK) {
            result.opened = true;
            AVISTREAMINFOW info {};
            ::AVIStreamInfoW(stream, &info, sizeof(info));
            result.rate = info.dwRate;
            result.scale = info.dwScale;
            result.frames = ::AVIStreamLength(stream);
            BITMAPINFOHEADER format {};
            LONG size = sizeof(format);
            ::AVIStreamReadFormat(stream, 0, &format, &size);
            result.width = format.biWidth;
            result.height = format.biHeight;
            result.bitCount = format.biBitCount;
            for (LONG i = 0; i < result.frames; ++i) {
                std::vector<DWORD> frame(static_cast<size_t>(result.width) * result.height);
                LONG bytes = 0;
                ::AVIStreamRead(stream, i, 1, frame.data(), static_cast<LONG>(frame.size() * 4), &bytes, nullptr);
                result.pixels.push_back(frame);
            }
            ::AVIStreamRelease(stream);
        }
        ::AVIFileRelease(file);
    }
    ::AVIFileExit();
    return result;
}

TEST(Grenvik, WritesFramesThatReadBackPixelForPixel)
{
    std::wstring path = TempPath(L"grenvik_frames.avi");
    ::DeleteFileW(path.c_str());
    ASSERT_EQ(0, KVCreateAVIInit(path.c_str(), 8, 4, 32, 25));
    EXPECT_FALSE(Exists(path)) << "the file takes its name only when finished";
    const COLORREF colours[] = { RGB(255, 0, 0), RGB(0, 200, 0), RGB(10, 20, 30) };
    for (COLORREF colour : colours) {
        Picture picture(8, 4, colour);
        EXPECT_EQ(0, KVCreateAVIWriteFrameDC(picture.dc));
    }
    EXPECT_EQ(0, KVCreateAVIEnd());
    ASSERT_TRUE(Exists(path));
    EXPECT_FALSE(Exists(path + L".grenvik.tmp"));

    ReadBack avi = ReadAvi(path);
    ASSERT_TRUE(avi.opened);
    EXPECT_EQ(25u, avi.rate / avi.scale);
    EXPECT_EQ(3, avi.frames);
    EXPECT_EQ(8, avi.width);
    EXPECT_EQ(4, avi.height);
    EXPECT_EQ(32, avi.bitCount);
    ASSERT_EQ(3u, avi.pixels.size());
    for (int i = 0; i < 3; ++i) {
        DWORD expected = (GetRValue(colours[i]) << 16) | (GetGValue(colours[i]) << 8) | GetBValue(colours[i]);
        EXPECT_EQ(expected, avi.pixels[i][0] & 0xFFFFFF) << "frame " << i;
        EXPECT_EQ(expected, avi.pixels[i][31] & 0xFFFFFF) << "frame " << i;
    }
    ::DeleteFileW(path.c_str());
}

TEST(Grenvik, SmallerBitmapIsPaddedWithBlack)
{
    std::wstring path = TempPath(L"grenvik_pad.avi");
    ASSERT_EQ(0, KVCreateAVIInit(path.c_str(), 4, 2, 32, 10));
    Picture picture(2, 2, RGB(255, 255, 255));
    EXPECT_EQ(0, KVCreateAVIWriteFrameDC(picture.dc));
    EXPECT_EQ(0, KVCreateAVIEnd());
    ReadBack avi = ReadAvi(path);
    ASSERT_EQ(1u, avi.pixels.size());
    // Bottom-up: row 1 (top) starts at index 4.
    EXPECT_EQ(0xFFFFFFu, avi.pixels[0][4] & 0xFFFFFF);
    EXPECT_EQ(0u, avi.pixels[0][7] & 0xFFFFFF);
    ::DeleteFileW(path.c_str());
}

TEST(Grenvik, RefusesWhatItCannotWrite)
{
    std::wstring path = TempPath(L"grenvik_refused.avi");
    EXPECT_EQ(-1, KVCreateAVIEnd()) << "nothing open";
    Picture picture(2, 2, RGB(1, 2, 3));
    EXPECT_EQ(-1, KVCreateAVIWriteFrameDC(picture.dc)) << "nothing open";
    EXPECT_EQ(-1, KVCreateAVIInit(path.c_str(), 4, 4, 24, 25));
    EXPECT_EQ(-1, KVCreateAVIInit(path.c_str(), 0, 4, 32, 25));
    EXPECT_EQ(-1, KVCreateAVIInit(path.c_str(), 4, 4, 32, 0));
    EXPECT_EQ(-1, KVCreateAVIInit(nullptr, 4, 4, 32, 25));
    EXPECT_EQ(-1, KVCreateAVIInit(L"Z:\\no\\such\\folder\\x.avi", 4, 4, 32, 25));
    EXPECT_FALSE(Exists(path));
}

TEST(Grenvik, InitWhileOpenFinishesTheFirstFile)
{
    std::wstring first = TempPath(L"grenvik_first.avi");
    std::wstring second = TempPath(L"grenvik_second.avi");
    Picture picture(2, 2, RGB(9, 9, 9));
    ASSERT_EQ(0, KVCreateAVIInit(first.c_str(), 2, 2, 32, 5));
    KVCreateAVIWriteFrameDC(picture.dc);
    ASSERT_EQ(0, KVCreateAVIInit(second.c_str(), 2, 2, 32, 5));
    EXPECT_TRUE(Exists(first));
    KVCreateAVIWriteFrameDC(picture.dc);
    KVCreateAVIWriteFrameDC(picture.dc);
    EXPECT_EQ(0, KVCreateAVIEnd());
    EXPECT_EQ(1, ReadAvi(first).frames);
    EXPECT_EQ(2, ReadAvi(second).frames);
    ::DeleteFileW(first.c_str());
    ::DeleteFileW(second.c_str());
}

} // namespace
