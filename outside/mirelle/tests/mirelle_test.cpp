// Mirelle stand-in: a clip written through the three calls reads back with
// AVIFile frame for frame; calls out of order and bad arguments are refused.
#include "AviMainHeader.h"
#include "Mirelle.h"

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

// A memory DC holding a 32-bit bitmap of one colour.
struct Picture {
    Picture(int width, int height, COLORREF colour)
    {
        dc = ::CreateCompatibleDC(nullptr);
        BITMAPINFO bi {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = height;
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

TEST(Mirelle, WritesAClipThatReadsBackFrameForFrame)
{
    std::wstring path = TempPath(L"mirelle_clip_test.avi");
    ::DeleteFileW(path.c_str());
    const COLORREF colours[] = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(10, 20, 30) };
    ASSERT_EQ(CreateAVIInit(path.c_str(), 6, 3, 32, 25), 0);
    for (COLORREF c : colours) {
        Picture picture(6, 3, c);
        EXPECT_EQ(CreateAVIWriteFrameDC(picture.dc), 0);
    }
    // Not yet finished: only the temporary file exists.
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(CreateAVIEnd(), 0);

    ::AVIFileInit();
    PAVIFILE file = nullptr;
    ASSERT_EQ(::AVIFileOpenW(&file, path.c_str(), OF_READ, nullptr), AVIERR_OK);
    PAVISTREAM stream = nullptr;
    ASSERT_EQ(::AVIFileGetStream(file, &stream, streamtypeVIDEO, 0), AVIERR_OK);
    AVISTREAMINFOW info {};
    ::AVIStreamInfoW(stream, &info, sizeof(info));
    EXPECT_EQ(info.dwRate / info.dwScale, 25u);
    // The main header tells the same rate: 40,000 us per frame.
    EXPECT_EQ(GetAviMicroSecPerFrame(path.c_str()), 40000u);
    EXPECT_EQ(::AVIStreamLength(stream), 3);
    std::vector<BYTE> frame(6 * 3 * 4);
    for (LONG i = 0; i < 3; ++i) {
        LONG bytes = 0;
        ASSERT_EQ(
            ::AVIStreamRead(stream, i, 1, frame.data(), static_cast<LONG>(frame.size()), &bytes, nullptr), AVIERR_OK);
        EXPECT_EQ(bytes, 72);
        // BGRA rows.
        EXPECT_EQ(RGB(frame[2], frame[1], frame[0]), colours[i]);
        EXPECT_EQ(RGB(frame[70], frame[69], frame[68]), colours[i]);
    }
    ::AVIStreamRelease(stream);
    ::AVIFileRelease(file);
    ::AVIFileExit();
    ::DeleteFileW(path.c_str());
}

TEST(Mirelle, RefusesCallsOutOfOrderAndBadArguments)
{
    Picture picture(4, 4, RGB(1, 2, 3));
    EXPECT_EQ(CreateAVIWriteFrameDC(picture.dc), -1);
    EXPECT_EQ(CreateAVIEnd(), -1);
    std::wstring path = TempPath(L"mirelle_refused.avi");
    EXPECT_EQ(CreateAVIInit(path.c_str(), 4, 4, 24, 25), -1);
    EXPECT_EQ(CreateAVIInit(path.c_str(), 0, 4, 32, 25), -1);
    EXPECT_EQ(CreateAVIInit(nullptr, 4, 4, 32, 25), -1);
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
