// A tiny window class and GDI drawing into a 32-bit DIB section, checked
// pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

namespace {

LRESULT CALLBACK SmokeWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_APP)
        return 42;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST(SmokeWindow, RegistersCreatesAndAnswersMessages)
{
    WNDCLASSW wc {};
    wc.lpfnWndProc = SmokeWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LedSuiteSmokeWindow";
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND hwnd = CreateWindowExW(
        0, wc.lpszClassName, L"Smoke", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SendMessageW(hwnd, WM_APP, 0, 0), 42);
    wchar_t title[16] {};
    GetWindowTextW(hwnd, title, 16);
    EXPECT_STREQ(title, L"Smoke");
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_TRUE(UnregisterClassW(wc.lpszClassName, wc.hInstance));
}

TEST(SmokeGdi, DrawsIntoBottomUpDibSection)
{
    constexpr int W = 4, H = 3;
    BITMAPINFO bi {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = W;
    bi.bmiHeader.biHeight = H; // positive: rows run bottom-up in memory
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bmp, nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);

    RECT all { 0, 0, W, H };
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &all, blue);
    DeleteObject(blue);
    SetPixel(dc, 0, 0, RGB(255, 0, 0)); // top-left
    SetPixel(dc, 3, 2, RGB(0, 255, 0)); // bottom-right
    GdiFlush();

    auto px = static_cast<const uint32_t*>(bits);
    auto at = [&](int x, int y) { return px[(H - 1 - y) * W + x] & 0x00FFFFFFu; };
    EXPECT_EQ(at(0, 0), 0x00FF0000u); // BGRA in memory: red is the third byte
    EXPECT_EQ(at(3, 2), 0x0000FF00u);
    EXPECT_EQ(at(1, 1), 0x000000FFu);
    EXPECT_EQ(px[0] & 0x00FFFFFFu, 0x000000FFu); // memory row 0 is the bottom row
    EXPECT_EQ(px[3] & 0x00FFFFFFu, 0x0000FF00u);

    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
}

} // namespace
