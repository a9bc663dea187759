// Pieces the Zazez Urad styles share: the item's colour line (all strips
// painted side by side into one row) and 32-bit drawing surfaces whose pixels
// the styles write directly. Used by the Zazez Urad renderer's files only.
#pragma once

#include "program_color_effect_plus.h"

#include <afx_gdi.h>

#include <vector>

namespace effectplus {

// Windows RGB to and from the 0x00RRGGBB pixels of a DIB.
inline DWORD PixelOf(COLORREF color)
{
    return (static_cast<DWORD>(GetRValue(color)) << 16) | (static_cast<DWORD>(GetGValue(color)) << 8)
        | GetBValue(color);
}
inline COLORREF ColorOfPixel(DWORD pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// The colour line of an item: every strip whose total width is at least 1
// painted with PaintColorStrip at the running x. Width() is W, the width of
// the painted strips together; MaxStopWidth() is M, the widest single stop.
class CColorLine {
public:
    explicit CColorLine(const ProgramColorEffectPlus& item);

    int Width() const { return static_cast<int>(m_pixels.size()); }
    bool IsEmpty() const { return m_pixels.empty(); }
    int MaxStopWidth() const { return m_maxStop; }
    // Line pixel j, j taken modulo W (also for negative j). Black when empty.
    COLORREF Color(long long j) const;
    DWORD Pixel(long long j) const { return PixelOf(Color(j)); }

private:
    std::vector<COLORREF> m_pixels;
    int m_maxStop = 0;
};

// A width x height 32-bit DIB selected into a memory DC of its own, black
// when made. Invalid (no DC, no pixels) when either size is 0 or less.
class CPlusSurface {
public:
    CPlusSurface(int width, int height);
    ~CPlusSurface();
    CPlusSurface(const CPlusSurface&) = delete;
    CPlusSurface& operator=(const CPlusSurface&) = delete;

    bool IsValid() const { return m_bits != nullptr; }
    CDC* DC() { return &m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Row y (0 = top). GDI drawing into the surface must be flushed
    // (GdiFlush) before its pixels are read here.
    DWORD* Row(int y) { return m_bits + static_cast<size_t>(m_height - 1 - y) * m_width; } // bottom-up DIB
    void Clear();
    // Fills the part of the rectangle [left, right) x [top, bottom) that lies
    // on the surface.
    void FillRect(long long left, long long top, long long right, long long bottom, DWORD pixel);

private:
    int m_width = 0;
    int m_height = 0;
    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    DWORD* m_bits = nullptr;
};

// The clip box's size of a device context (0 x 0 for none).
CSize CanvasSize(CDC* pDC);

// Fills the whole clip box black.
void FillBlack(CDC* pDC);

// Copies the surface onto the device context at (x, y), unscaled.
void PutSurface(CDC* pDC, CPlusSurface& surface, int x = 0, int y = 0);

// Fills the canvas black; then, when the item's colour line has colours and
// a surface of the canvas's size can be made, paint(line, surface) fills the
// surface and it is put on the canvas.
template <class Paint> void PaintPlusSurface(CDC* pDC, const ProgramColorEffectPlus& item, Paint paint)
{
    FillBlack(pDC);
    const CColorLine line(item);
    const CSize size = CanvasSize(pDC);
    CPlusSurface image(size.cx, size.cy);
    if (line.IsEmpty() || !image.IsValid())
        return;
    paint(line, image);
    PutSurface(pDC, image);
}

// StretchBlt of a rectangle of one DC onto another without colour mixing.
void StretchCopy(CDC* pDst, int x, int y, int w, int h, CDC* pSrc, int sx, int sy, int sw, int sh);

// floor(a / b) for b > 0 and the matching non-negative remainder.
inline long long FloorMod(long long a, long long b)
{
    const long long r = a % b;
    return r < 0 ? r + b : r;
}

// ceil(a / b) for a >= 0 and b > 0.
inline long long CeilDiv(long long a, long long b)
{
    return (a + b - 1) / b;
}

} // namespace effectplus
