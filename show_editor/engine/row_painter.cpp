// Row-0 pixel collector of the colour-strip helpers.
#include "row_painter.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Blue, green, red and a zero fourth byte: what a pixel set through GDI holds
// in a 32-bit DIB.
uint32_t ToDibPixel(COLORREF color)
{
    return (static_cast<uint32_t>(GetRValue(color)) << 16) | (static_cast<uint32_t>(GetGValue(color)) << 8)
        | GetBValue(color);
}

bool IsIdentityMapping(HDC hDC)
{
    if (::GetMapMode(hDC) != MM_TEXT)
        return false;
    if ((::GetLayout(hDC) & LAYOUT_RTL) != 0)
        return false;
    if (::GetGraphicsMode(hDC) == GM_ADVANCED) {
        XFORM xf {};
        if (!::GetWorldTransform(hDC, &xf))
            return false;
        if (xf.eM11 != 1.0f || xf.eM12 != 0.0f || xf.eM21 != 0.0f || xf.eM22 != 1.0f || xf.eDx != 0.0f
            || xf.eDy != 0.0f)
            return false;
    }
    return true;
}

} // namespace

CRowPainter::CRowPainter(HDC hDC)
    : m_hDC(hDC)
{
    RECT clip {};
    if (hDC == nullptr || ::GetClipBox(hDC, &clip) == ERROR || clip.top > 0 || clip.bottom <= 0
        || clip.right <= clip.left)
        return;
    m_left = clip.left;
    m_right = clip.right;
    m_pixelByPixel = !IsIdentityMapping(hDC);
}

CRowPainter::~CRowPainter()
{
    Flush();
}

uint32_t* CRowPainter::Reserve(long long x, long long count, int& granted)
{
    if (m_runLength > 0 && (m_runStart + m_runLength != x || m_runLength == kCapacity))
        Flush();
    if (m_runLength == 0)
        m_runStart = x;
    granted = static_cast<int>(std::min<long long>(count, kCapacity - m_runLength));
    uint32_t* slots = m_pixels + m_runLength;
    m_runLength += granted;
    return slots;
}

void CRowPainter::Solid(long long x, long long count, COLORREF color)
{
    long long begin = std::max(x, m_left);
    const long long end = std::min(x + count, m_right);
    const uint32_t pixel = ToDibPixel(color);
    while (begin < end) {
        int granted = 0;
        uint32_t* slots = Reserve(begin, end - begin, granted);
        std::fill(slots, slots + granted, pixel);
        begin += granted;
    }
}

void CRowPainter::Gradient(long long x, long long count, COLORREF from, COLORREF to, long long firstStep, int steps)
{
    long long begin = std::max(x, m_left);
    const long long end = std::min(x + count, m_right);
    if (begin >= end || steps <= 0)
        return;

    // Per channel from + (to - from) * step / steps, truncated toward zero,
    // stepped exactly: q is the quotient, r the remainder of |to - from| * step.
    struct Channel {
        int base, sign;
        long long q, r, dq, dr;
    } ch[3];
    const int shifts[3] = { 0, 8, 16 }; // red, green, blue in a COLORREF
    const long long step0 = firstStep + (begin - x);
    for (int c = 0; c < 3; ++c) {
        const int f = static_cast<int>((from >> shifts[c]) & 0xFF);
        const int d = static_cast<int>((to >> shifts[c]) & 0xFF) - f;
        const long long ad = std::abs(d);
        ch[c].base = f;
        ch[c].sign = d < 0 ? -1 : 1;
        ch[c].q = ad * step0 / steps;
        ch[c].r = ad * step0 % steps;
        ch[c].dq = ad / steps;
        ch[c].dr = ad % steps;
    }
    while (begin < end) {
        int granted = 0;
        uint32_t* slots = Reserve(begin, end - begin, granted);
        for (int i = 0; i < granted; ++i) {
            uint32_t value[3];
            for (int c = 0; c < 3; ++c) {
                Channel& k = ch[c];
                value[c] = static_cast<uint32_t>(k.base + k.sign * static_cast<int>(k.q)) & 0xFF;
                k.q += k.dq;
                k.r += k.dr;
                if (k.r >= steps) {
                    k.r -= steps;
                    ++k.q;
                }
            }
            slots[i] = (value[0] << 16) | (value[1] << 8) | value[2];
        }
        begin += granted;
    }
}

void CRowPainter::Flush()
{
    if (m_runLength == 0)
        return;
    const int x = static_cast<int>(m_runStart);
    if (m_pixelByPixel) {
        for (int i = 0; i < m_runLength; ++i) {
            const uint32_t p = m_pixels[i];
            ::SetPixelV(m_hDC, x + i, 0, RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
        }
    } else {
        BITMAPINFO bi {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = m_runLength;
        bi.bmiHeader.biHeight = 1;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        ::SetDIBitsToDevice(m_hDC, x, 0, static_cast<DWORD>(m_runLength), 1, 0, 0, 0, 1, m_pixels, &bi, DIB_RGB_COLORS);
    }
    m_runLength = 0;
}
