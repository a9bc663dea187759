// Paints and their colours (see swf_paint.h).
#include "swf_paint.h"

#include <algorithm>
#include <cmath>

namespace flossar {

namespace {

// Bitmap and gradient coordinates within this bound step in fixed point:
// far inside what 64 bits with 32 after the point hold, even after a row of
// the widest target.
constexpr double kFixedLimit = 536870912.0; // 2^29
constexpr double kFixedOne = 4294967296.0; // 2^32

// The colour of a bitmap at (u, v) bitmap pixels.
uint32_t Sample(const Paint& p, double u, double v)
{
    const int w = p.bitmapWidth;
    const int h = p.bitmapHeight;
    u = std::clamp(u, -1e9, 1e9);
    v = std::clamp(v, -1e9, 1e9);
    if (!p.smooth) {
        const int x = BitmapIndex(p, static_cast<int>(std::floor(u)), w);
        const int y = BitmapIndex(p, static_cast<int>(std::floor(v)), h);
        return p.bitmap[static_cast<size_t>(y) * w + x];
    }
    const double fu = u - 0.5;
    const double fv = v - 0.5;
    const double x0f = std::floor(fu);
    const double y0f = std::floor(fv);
    const uint32_t tx = static_cast<uint32_t>((fu - x0f) * 256);
    const uint32_t ty = static_cast<uint32_t>((fv - y0f) * 256);
    const int x0 = BitmapIndex(p, static_cast<int>(x0f), w);
    const int x1 = BitmapIndex(p, static_cast<int>(x0f) + 1, w);
    const int y0 = BitmapIndex(p, static_cast<int>(y0f), h);
    const int y1 = BitmapIndex(p, static_cast<int>(y0f) + 1, h);
    const uint32_t* r0 = p.bitmap + static_cast<size_t>(y0) * w;
    const uint32_t* r1 = p.bitmap + static_cast<size_t>(y1) * w;
    return Lerp2(Lerp2(r0[x0], r0[x1], tx), Lerp2(r1[x0], r1[x1], tx), ty);
}

// value as a fixed-point number; false when it lies outside the range that
// steps safely.
bool ToFixed(double value, int64_t& fixed)
{
    if (!(std::fabs(value) <= kFixedLimit))
        return false;
    fixed = std::llround(value * kFixedOne);
    return true;
}

} // namespace

uint32_t Premultiplied(Rgba c)
{
    return (static_cast<uint32_t>(c.a) << 24) | ((c.r * c.a + 127) / 255 << 16) | ((c.g * c.a + 127) / 255 << 8)
        | ((c.b * c.a + 127) / 255);
}

std::vector<uint32_t> GradientTable(const std::vector<GradientStop>& stops, const ColorTransform& cx)
{
    std::vector<uint32_t> table(256, 0);
    if (stops.empty())
        return table;
    std::vector<GradientStop> s = stops;
    std::stable_sort(
        s.begin(), s.end(), [](const GradientStop& a, const GradientStop& b) { return a.ratio < b.ratio; });
    size_t k = 0;
    for (int i = 0; i < 256; ++i) {
        while (k + 1 < s.size() && s[k + 1].ratio <= i)
            ++k;
        Rgba c = s[k].color;
        if (i < s[k].ratio) {
            c = s.front().color;
        } else if (i > s[k].ratio && k + 1 < s.size()) {
            const double t = static_cast<double>(i - s[k].ratio) / (s[k + 1].ratio - s[k].ratio);
            const Rgba& n = s[k + 1].color;
            auto mix = [t](uint8_t a, uint8_t b) { return static_cast<uint8_t>(a + (b - a) * t + 0.5); };
            c = { mix(c.r, n.r), mix(c.g, n.g), mix(c.b, n.b), mix(c.a, n.a) };
        }
        table[static_cast<size_t>(i)] = Premultiplied(cx.Apply(c));
    }
    return table;
}

bool Paint::SetInverse(const Matrix& f, double unit)
{
    const double det = f.a * f.d - f.b * f.c;
    if (!std::isfinite(det) || std::fabs(det) < 1e-12)
        return false;
    // Inverse of f, then divided by unit (the square's half side, or 1).
    ia = f.d / det / unit;
    ib = -f.b / det / unit;
    ic = -f.c / det / unit;
    id = f.a / det / unit;
    itx = -(ia * f.tx + ic * f.ty);
    ity = -(ib * f.tx + id * f.ty);
    return true;
}

PaintRow::PaintRow(const Paint& paint, int x, int y, int count)
    : m_paint(paint)
    , m_x(x)
    , m_y(y + 0.5)
{
    if (paint.kind == Paint::Kind::Solid) {
        m_mode = Mode::Solid;
        return;
    }
    if (count <= 0 || (paint.kind != Paint::Kind::Bitmap && paint.kind != Paint::Kind::Linear))
        return;
    // The coordinates at the row's first and last pixel centres, as the
    // exact lookup works them out; the row steps between them.
    const double first = x + 0.5;
    const double last = x + (count - 1) + 0.5;
    double u0 = paint.ia * first + paint.ic * m_y + paint.itx;
    double u1 = paint.ia * last + paint.ic * m_y + paint.itx;
    double du = paint.ia;
    int64_t end = 0; // only range-checked
    if (paint.kind == Paint::Kind::Linear) {
        // The table index before it is held to 0..255.
        u0 = (u0 + 1) * 127.5 + 0.5;
        u1 = (u1 + 1) * 127.5 + 0.5;
        du *= 127.5;
        if (ToFixed(u0, m_u0) && ToFixed(u1, end) && ToFixed(du, m_du))
            m_mode = Mode::Linear;
        return;
    }
    const double v0 = paint.ib * first + paint.id * m_y + paint.ity;
    const double v1 = paint.ib * last + paint.id * m_y + paint.ity;
    if (ToFixed(u0, m_u0) && ToFixed(u1, end) && ToFixed(v0, m_v0) && ToFixed(v1, end) && ToFixed(du, m_du)
        && ToFixed(paint.ib, m_dv))
        m_mode = Mode::Bitmap;
}

uint32_t PaintRow::Exact(double x, double y) const
{
    const Paint& p = m_paint;
    const double u = p.ia * x + p.ic * y + p.itx;
    const double v = p.ib * x + p.id * y + p.ity;
    switch (p.kind) {
    case Paint::Kind::Solid:
        return p.solid;
    case Paint::Kind::Linear: {
        const double t = (u + 1) * 127.5;
        return p.table[static_cast<int>(std::clamp(t + 0.5, 0.0, 255.0))];
    }
    case Paint::Kind::Radial: {
        double t;
        if (p.focal == 0) {
            t = std::sqrt(u * u + v * v);
        } else {
            // Where the ray from the focal point through (u, v) meets the
            // rim: t is the share of that way covered.
            const double du = u - p.focal;
            const double dd = du * du + v * v;
            const double fd = p.focal * du;
            const double root = std::sqrt(std::max(0.0, fd * fd - dd * (p.focal * p.focal - 1)));
            t = dd > 0 && root - fd > 0 ? dd / (root - fd) : 0;
        }
        return p.table[static_cast<int>(std::clamp(t * 255.0 + 0.5, 0.0, 255.0))];
    }
    case Paint::Kind::Bitmap:
        return Sample(p, u, v);
    }
    return 0;
}

} // namespace flossar
