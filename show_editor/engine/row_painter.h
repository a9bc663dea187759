// Collects the pixels of row 0 of a device context and writes them in
// blocks, so that strips of thousands of pixels cost a few blits instead of
// one GDI call per pixel. Only the columns inside the clip box are computed.
// Used by the colour-strip helpers only.
#pragma once

#include <windows.h>

#include <cstdint>

class CRowPainter {
public:
    explicit CRowPainter(HDC hDC);
    ~CRowPainter();
    CRowPainter(const CRowPainter&) = delete;
    CRowPainter& operator=(const CRowPainter&) = delete;

    // Columns of row 0 that can change: [Left(), Right()); empty when the
    // row lies outside the clip box.
    long long Left() const { return m_left; }
    long long Right() const { return m_right; }

    // count pixels from x on in one colour.
    void Solid(long long x, long long count, COLORREF color);
    // count pixels from x on showing InterpolateColor(from, to, step, steps)
    // for step = firstStep, firstStep + 1, ...; firstStep >= 0, steps > 0.
    void Gradient(long long x, long long count, COLORREF from, COLORREF to, long long firstStep, int steps);
    // Writes what is pending.
    void Flush();

private:
    static constexpr int kCapacity = 2048;

    // Room for up to count pixels at x, which must follow what is pending
    // (otherwise that is written first); returns the slots and their number.
    uint32_t* Reserve(long long x, long long count, int& granted);

    HDC m_hDC;
    long long m_left = 0;
    long long m_right = 0;
    bool m_pixelByPixel = false; // the DC maps logical pixels other than one to one
    long long m_runStart = 0;
    int m_runLength = 0;
    uint32_t m_pixels[kCapacity];
};
