// A 32-bit top-down DIB in a memory DC for the Flossar tests and benchmark:
// the target device context the library draws into, with pixel access.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>

namespace swftest {

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(0, 255, 0))
        : m_width(width)
        , m_height(height)
    {
        BITMAPINFO bi {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_dc = ::CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<uint32_t*>(bits);
        m_old = ::SelectObject(m_dc, m_bitmap);
        Fill(fill);
    }
    ~Canvas()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Fill(COLORREF c)
    {
        ::GdiFlush();
        for (int i = 0; i < m_width * m_height; ++i)
            m_bits[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixel as a COLORREF (alpha ignored).
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        const uint32_t p = m_bits[y * m_width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    const uint32_t* Bits() const
    {
        ::GdiFlush();
        return m_bits;
    }
    // Pixels of the rectangle within tolerance of colour c.
    int Count(COLORREF c, int tolerance = 8, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) const
    {
        if (x1 < 0)
            x1 = m_width;
        if (y1 < 0)
            y1 = m_height;
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (Near(At(x, y), c, tolerance))
                    ++n;
        return n;
    }
    static bool Near(COLORREF a, COLORREF b, int tolerance)
    {
        return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance
            && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
    }

private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    uint32_t* m_bits = nullptr;
};

} // namespace swftest
