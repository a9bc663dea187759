// What a covered pixel is painted with: a solid colour, a gradient or a
// bitmap, looked up at pixel centres through the inverse of the fill's
// device mapping, and the arithmetic of premultiplied 0xAARRGGBB words.
#pragma once

#include "swf_types.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace flossar {

struct Paint {
    enum class Kind { Solid, Linear, Radial, Bitmap } kind = Kind::Solid;
    uint32_t solid = 0; // premultiplied
    // Device pixel to gradient square (-1..1) or to bitmap pixels:
    // u = ia*x + ic*y + itx, v = ib*x + id*y + ity.
    double ia = 1, ib = 0, ic = 0, id = 1, itx = 0, ity = 0;
    double focal = 0; // radial: focal point on the u axis, -1..1
    const uint32_t* table = nullptr; // gradients: 256 premultiplied colours
    const uint32_t* bitmap = nullptr;
    int bitmapWidth = 0;
    int bitmapHeight = 0;
    bool repeat = false;
    bool smooth = true;

    // Sets the inverse mapping from a forward one (unit square or bitmap
    // pixels to device); false when it cannot be inverted.
    bool SetInverse(const Matrix& forward, double unit);
};

// 256 premultiplied colours along the stops, for ratio 0 to 255.
std::vector<uint32_t> GradientTable(const std::vector<GradientStop>& stops, const ColorTransform& cx);

// Premultiplied word of a colour.
uint32_t Premultiplied(Rgba c);

// Each channel of p times cover256 / 256.
inline uint32_t Scale(uint32_t p, uint32_t cover256)
{
    // Two channels at a time.
    const uint32_t rb = ((p & 0x00FF00FFu) * cover256 >> 8) & 0x00FF00FFu;
    const uint32_t ag = (((p >> 8) & 0x00FF00FFu) * cover256) & 0xFF00FF00u;
    return rb | ag;
}

// src drawn over dst.
inline uint32_t Over(uint32_t src, uint32_t dst)
{
    const uint32_t a = src >> 24;
    if (a == 255)
        return src;
    if (a == 0 && src == 0)
        return dst;
    return src + Scale(dst, 256 - (a + (a >> 7)));
}

// t256 / 256 of the way from a to b.
inline uint32_t Lerp2(uint32_t a, uint32_t b, uint32_t t256)
{
    return Scale(a, 256 - t256) + Scale(b, t256);
}

// Column or row i of a bitmap paint n pixels wide or high: tiled, or held to
// the edge.
inline int BitmapIndex(const Paint& p, int i, int n)
{
    if (p.repeat) {
        if (static_cast<unsigned>(i) < static_cast<unsigned>(n))
            return i;
        i %= n;
        return i < 0 ? i + n : i;
    }
    return i < 0 ? 0 : i >= n ? n - 1 : i;
}

// The colours of a paint along one row of pixels. Bitmaps and linear
// gradients step along the row in fixed point (32 bits after the point), so
// a pixel costs no conversion from floating point; a row whose mapping runs
// out of that range, and every radial gradient, are looked up pixel by pixel.
class PaintRow {
public:
    // The row of pixels (x, y), (x + 1, y), ... up to count pixels.
    PaintRow(const Paint& paint, int x, int y, int count);
    // Colour of pixel x + k of the row, 0 <= k < count.
    uint32_t At(int k) const
    {
        switch (m_mode) {
        case Mode::Solid:
            return m_paint.solid;
        case Mode::Bitmap:
            return SampleFixed(m_u0 + k * m_du, m_v0 + k * m_dv);
        case Mode::Linear: {
            const int64_t t = (m_u0 + k * m_du) >> 32;
            return m_paint.table[t < 0 ? 0 : t > 255 ? 255 : t];
        }
        case Mode::Exact:
            break;
        }
        return Exact(m_x + k + 0.5, m_y);
    }

private:
    enum class Mode { Solid, Bitmap, Linear, Exact };

    // The bitmap at (u, v) bitmap pixels, in fixed point.
    uint32_t SampleFixed(int64_t u, int64_t v) const
    {
        const Paint& p = m_paint;
        const int w = p.bitmapWidth;
        const int h = p.bitmapHeight;
        if (!p.smooth) {
            const int x = BitmapIndex(p, static_cast<int>(u >> 32), w);
            const int y = BitmapIndex(p, static_cast<int>(v >> 32), h);
            return p.bitmap[static_cast<size_t>(y) * w + x];
        }
        // Between the four pixel centres around the point.
        const int64_t fu = u - (int64_t { 1 } << 31);
        const int64_t fv = v - (int64_t { 1 } << 31);
        const int xf = static_cast<int>(fu >> 32);
        const int yf = static_cast<int>(fv >> 32);
        const uint32_t tx = static_cast<uint32_t>(fu >> 24) & 0xFFu;
        const uint32_t ty = static_cast<uint32_t>(fv >> 24) & 0xFFu;
        const int x0 = BitmapIndex(p, xf, w);
        const int x1 = BitmapIndex(p, xf + 1, w);
        const uint32_t* r0 = p.bitmap + static_cast<size_t>(BitmapIndex(p, yf, h)) * w;
        const uint32_t* r1 = p.bitmap + static_cast<size_t>(BitmapIndex(p, yf + 1, h)) * w;
        return Lerp2(Lerp2(r0[x0], r0[x1], tx), Lerp2(r1[x0], r1[x1], tx), ty);
    }
    // The colour at device point (x, y), worked out in floating point.
    uint32_t Exact(double x, double y) const;

    const Paint& m_paint;
    Mode m_mode = Mode::Exact;
    int m_x;
    double m_y; // pixel centre
    int64_t m_u0 = 0, m_v0 = 0, m_du = 0, m_dv = 0; // fixed point
};

} // namespace flossar
