// 32-bit DIB sections and view buffers: row order, refused sizes, release
// and re-creation, and no GDI objects left behind.
#include "drawing_helpers.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

using enginetest::GdiObjectCount;

TEST(CreateDib32, RowsRunBottomUp)
{
    void* bits = nullptr;
    const HBITMAP dib = CreateDib32(4, 50, &bits);
    ASSERT_NE(dib, nullptr);
    ASSERT_NE(bits, nullptr);
    DIBSECTION section {};
    ASSERT_EQ(::GetObjectW(dib, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBmih.biWidth, 4);
    EXPECT_EQ(section.dsBmih.biHeight, 50);
    EXPECT_EQ(section.dsBmih.biBitCount, 32);
    EXPECT_EQ(section.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(section.dsBm.bmBits, bits);

    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, dib);
    ::SetPixelV(dc, 0, 49, RGB(0, 0, 255)); // bottom row of the picture
    ::SetPixelV(dc, 0, 0, RGB(255, 0, 0)); // top row
    ::GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    EXPECT_EQ(pixels[0] & 0xFFFFFF, 0x0000FFu); // first row in memory: the bottom one
    EXPECT_EQ(pixels[49 * 4] & 0xFFFFFF, 0xFF0000u);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(dib);
}

TEST(CreateDib32, SizesOfZeroOrLessCreateNothing)
{
    const DWORD before = GdiObjectCount();
    for (auto [w, h] : { std::pair { 0, 10 }, std::pair { 10, 0 }, std::pair { -3, 10 }, std::pair { 10, -3 } }) {
        void* bits = reinterpret_cast<void*>(1);
        EXPECT_EQ(CreateDib32(w, h, &bits), nullptr) << w << " x " << h;
        EXPECT_EQ(bits, nullptr);
        EXPECT_EQ(CreateDib32(w, h), nullptr);
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(DibBuffer, CreateGivesASelected32BitCanvas)
{
    DibBuffer buffer;
    CreateDibBuffer(buffer, 30, 20);
    ASSERT_NE(buffer.m_pMemDC, nullptr);
    ASSERT_NE(buffer.m_hDib, nullptr);
    ASSERT_NE(buffer.m_pBits, nullptr);
    EXPECT_NE(buffer.m_hDesktopDC, nullptr);
    EXPECT_NE(buffer.m_hOldBitmap, nullptr);
    const HDC dc = buffer.m_pMemDC->GetSafeHdc();
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), buffer.m_hDib);
    BITMAP bm {};
    ::GetObjectW(buffer.m_hDib, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 30);
    EXPECT_EQ(bm.bmHeight, 20);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    // Drawing through the DC shows in the bits, bottom row first.
    ::SetPixelV(dc, 2, 19, RGB(10, 20, 30));
    ::GdiFlush();
    EXPECT_EQ(static_cast<const DWORD*>(buffer.m_pBits)[2] & 0xFFFFFF, 0x0A141Eu);
    ReleaseDibBuffer(buffer);
    EXPECT_TRUE(buffer.IsEmpty());
}

TEST(DibBuffer, RefusedSizesKeepTheOldBitmap)
{
    DibBuffer buffer;
    CreateDibBuffer(buffer, 8, 8);
    const HBITMAP dib = buffer.m_hDib;
    CDC* dc = buffer.m_pMemDC;
    void* bits = buffer.m_pBits;
    for (auto [w, h] : { std::pair { 0, 8 }, std::pair { 8, 0 }, std::pair { -1, -1 } }) {
        CreateDibBuffer(buffer, w, h);
        EXPECT_EQ(buffer.m_hDib, dib);
        EXPECT_EQ(buffer.m_pMemDC, dc);
        EXPECT_EQ(buffer.m_pBits, bits);
    }
    ReleaseDibBuffer(buffer);

    DibBuffer empty;
    CreateDibBuffer(empty, 0, 0);
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(DibBuffer, RecreateAndReleaseTwiceLeaveNoGdiObjects)
{
    DibBuffer warmUp; // the first DC of a thread may allocate lasting state
    CreateDibBuffer(warmUp, 4, 4);
    ReleaseDibBuffer(warmUp);

    const DWORD before = GdiObjectCount();
    DibBuffer buffer;
    for (int i = 1; i <= 40; ++i) {
        const HBITMAP previous = buffer.m_hDib;
        CreateDibBuffer(buffer, 10 + i, 5 + i); // re-created at a new size
        ASSERT_NE(buffer.m_hDib, nullptr);
        if (previous != nullptr) {
            EXPECT_EQ(::GetObjectType(previous), 0u); // the old DIB is gone
        }
    }
    const HDC dc = buffer.m_pMemDC->GetSafeHdc();
    const HBITMAP dib = buffer.m_hDib;
    ReleaseDibBuffer(buffer);
    EXPECT_TRUE(buffer.IsEmpty());
    EXPECT_EQ(::GetObjectType(dib), 0u);
    EXPECT_EQ(::GetObjectType(dc), 0u);
    ReleaseDibBuffer(buffer); // twice: nothing happens
    EXPECT_TRUE(buffer.IsEmpty());
    EXPECT_EQ(GdiObjectCount(), before);
}

// Where the process's GDI objects cannot be counted (Wine reports 0), a leak
// shows as exhaustion instead: far more buffers than a process may hold GDI
// objects at once must all be made, and every DIB handle must be valid.
TEST(DibBuffer, ManyMoreBuffersThanTheGdiObjectQuota)
{
    DibBuffer buffer;
    for (int i = 0; i < 70000; ++i) {
        CreateDibBuffer(buffer, 2 + (i & 7), 2);
        ASSERT_NE(buffer.m_hDib, nullptr) << "buffer " << i;
        ASSERT_NE(buffer.m_pMemDC, nullptr) << "buffer " << i;
        if ((i & 3) == 0)
            ReleaseDibBuffer(buffer);
    }
    ReleaseDibBuffer(buffer);
}
