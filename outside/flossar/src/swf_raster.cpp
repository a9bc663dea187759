// The scan converter and painter (see swf_raster.h). Every coordinate is
// clamped into the drawing box before it becomes an index, and segments with
// coordinates that are not finite are dropped, so no outline can write
// outside the cells or the picture.
#include "swf_raster.h"

#include <algorithm>
#include <cmath>

namespace flossar {

namespace {

// Work of painting one pixel with a paint, beside summing its cell: a
// smoothed bitmap pixel or a radial one takes about eight times a solid one.
double PaintWeight(const Paint& paint)
{
    switch (paint.kind) {
    case Paint::Kind::Solid:
    case Paint::Kind::Linear:
        return 1;
    case Paint::Kind::Bitmap:
    case Paint::Kind::Radial:
        return 8;
    }
    return 8;
}

} // namespace

void Rasterizer::Begin(int x0, int y0, int x1, int y1)
{
    m_bx0 = x0;
    m_by0 = y0;
    m_bx1 = x1;
    m_by1 = y1;
    m_segments.clear();
}

void Rasterizer::Line(double x0, double y0, double x1, double y1)
{
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1) || y0 == y1
        || m_segments.size() >= kMaxSegments)
        return;
    m_segments.push_back({ x0, y0, x1, y1 });
}

void Rasterizer::Quad(double x0, double y0, double cx, double cy, double x1, double y1)
{
    // The curve strays from its chord by at most a quarter of this distance.
    const double dx = x0 - 2 * cx + x1;
    const double dy = y0 - 2 * cy + y1;
    const double deviation = std::sqrt(dx * dx + dy * dy) / 4;
    if (!std::isfinite(deviation))
        return;
    const int n = static_cast<int>(std::clamp(std::ceil(std::sqrt(deviation / 0.1)), 1.0, 64.0));
    double px = x0;
    double py = y0;
    for (int i = 1; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double s = 1 - t;
        const double x = s * s * x0 + 2 * s * t * cx + t * t * x1;
        const double y = s * s * y0 + 2 * s * t * cy + t * t * y1;
        Line(px, py, x, y);
        px = x;
        py = y;
    }
}

void Rasterizer::Polygon(const std::vector<double>& xy)
{
    const size_t n = xy.size() / 2;
    if (n < 3)
        return;
    double area = 0;
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n;
        area += xy[2 * i] * xy[2 * j + 1] - xy[2 * j] * xy[2 * i + 1];
    }
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n;
        if (area >= 0)
            Line(xy[2 * i], xy[2 * i + 1], xy[2 * j], xy[2 * j + 1]);
        else
            Line(xy[2 * j], xy[2 * j + 1], xy[2 * i], xy[2 * i + 1]);
    }
}

void Rasterizer::AddCell(float* row, double xs, double xe, double d, int width)
{
    if (xs > xe)
        std::swap(xs, xe);
    const int i0 = std::min(width, static_cast<int>(xs));
    const int i1 = std::min(width, static_cast<int>(xe));
    if (i0 == i1 || xe - xs < 1e-9) {
        const double xm = (xs + xe) / 2 - i0;
        row[i0] += static_cast<float>(d * (1 - xm));
        row[i0 + 1] += static_cast<float>(d * xm);
        return;
    }
    const double k = d / (xe - xs);
    for (int c = i0; c <= i1; ++c) {
        const double s = std::max(xs, static_cast<double>(c));
        const double e = std::min(xe, static_cast<double>(c + 1));
        if (e <= s)
            continue;
        const double dd = (e - s) * k;
        const double xm = (s + e) / 2 - c;
        row[c] += static_cast<float>(dd * (1 - xm));
        row[c + 1] += static_cast<float>(dd * xm);
    }
}

void Rasterizer::AddPiece(double xa, double ya, double xb, double yb, double dir, int width, int height)
{
    // xa, xb within 0..width; ya < yb within 0..height.
    const double dxdy = (xb - xa) / (yb - ya);
    const int first = static_cast<int>(ya);
    const int last = std::min(height - 1, static_cast<int>(std::ceil(yb)) - 1);
    const size_t stride = static_cast<size_t>(width) + 2;
    for (int row = first; row <= last; ++row) {
        const double top = std::max(ya, static_cast<double>(row));
        const double bottom = std::min(yb, static_cast<double>(row + 1));
        if (bottom <= top)
            continue;
        const double xt = std::clamp(xa + (top - ya) * dxdy, 0.0, static_cast<double>(width));
        const double xbm = std::clamp(xa + (bottom - ya) * dxdy, 0.0, static_cast<double>(width));
        AddCell(&m_cells[static_cast<size_t>(row) * stride], xt, xbm, dir * (bottom - top), width);
    }
}

void Rasterizer::AddSegment(double x0, double y0, double x1, double y1, int width, int height)
{
    double dir = 1;
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
        dir = -1;
    }
    if (y1 <= 0 || y0 >= height || y0 == y1)
        return;
    const double dxdy = (x1 - x0) / (y1 - y0);
    if (y0 < 0) {
        x0 += (0 - y0) * dxdy;
        y0 = 0;
    }
    if (y1 > height) {
        x1 -= (y1 - height) * dxdy;
        y1 = height;
    }
    // Split where the segment leaves the box sideways: left of it the cover
    // is whole (a vertical edge at 0), right of it nothing shows.
    double ys[4] = { y0, y0, y0, y1 };
    int count = 1;
    if (x0 != x1) {
        for (double edge : { 0.0, static_cast<double>(width) }) {
            const double t = (edge - x0) / (x1 - x0);
            if (t > 0 && t < 1)
                ys[count++] = y0 + t * (y1 - y0);
        }
    }
    ys[count++] = y1;
    for (int i = 1; i < count; ++i) // at most four values: insertion order
        for (int j = i; j > 0 && ys[j - 1] > ys[j]; --j)
            std::swap(ys[j - 1], ys[j]);
    for (int i = 0; i + 1 < count; ++i) {
        const double ya = ys[i];
        const double yb = ys[i + 1];
        if (yb <= ya)
            continue;
        const double xa = x0 + (ya - y0) * dxdy;
        const double xb = x0 + (yb - y0) * dxdy;
        const double mid = (xa + xb) / 2;
        if (mid <= 0)
            AddPiece(0, ya, 0, yb, dir, width, height);
        else if (mid >= width)
            continue;
        else
            AddPiece(std::clamp(xa, 0.0, static_cast<double>(width)), ya,
                std::clamp(xb, 0.0, static_cast<double>(width)), yb, dir, width, height);
    }
}

bool Rasterizer::Accumulate(int& left, int& top, int& width, int& height, double perCell)
{
    if (m_segments.empty())
        return false;
    double minX = m_segments[0].x0, maxX = minX, minY = m_segments[0].y0, maxY = minY;
    for (const Segment& s : m_segments) {
        minX = std::min({ minX, s.x0, s.x1 });
        maxX = std::max({ maxX, s.x0, s.x1 });
        minY = std::min({ minY, s.y0, s.y1 });
        maxY = std::max({ maxY, s.y0, s.y1 });
    }
    const int x0 = std::max(m_bx0, static_cast<int>(std::floor(std::max(minX, -1e9))));
    const int x1 = std::min(m_bx1, static_cast<int>(std::ceil(std::min(maxX, 1e9))));
    const int y0 = std::max(m_by0, static_cast<int>(std::floor(std::max(minY, -1e9))));
    const int y1 = std::min(m_by1, static_cast<int>(std::ceil(std::min(maxY, 1e9))));
    // Everything left of the box still covers it; right of it, nothing.
    const int from = maxX < m_bx0 ? m_bx0 : x0;
    if (x1 <= m_bx0 || from >= x1 || y1 <= y0)
        return false;
    left = from;
    top = y0;
    width = x1 - from;
    height = y1 - y0;
    if (m_budget != nullptr) {
        // Each segment adds to a cell of every row and column it crosses.
        double work = (static_cast<double>(width) + 2) * height * perCell;
        for (const Segment& s : m_segments)
            work += std::min(std::fabs(s.y1 - s.y0), static_cast<double>(height))
                + std::min(std::fabs(s.x1 - s.x0), static_cast<double>(width)) + 2;
        if (!m_budget->Spend(work))
            return false;
    }
    m_cells.assign((static_cast<size_t>(width) + 2) * static_cast<size_t>(height), 0.0f);
    for (const Segment& s : m_segments)
        AddSegment(s.x0 - left, s.y0 - top, s.x1 - left, s.y1 - top, width, height);
    return true;
}

void Rasterizer::Fill(PixelTarget& target, const Paint& paint, const uint8_t* mask)
{
    int left = 0, top = 0, width = 0, height = 0;
    if (!Accumulate(left, top, width, height, 1 + PaintWeight(paint)))
        return;
    const size_t stride = static_cast<size_t>(width) + 2;
    for (int row = 0; row < height; ++row) {
        const int y = top + row;
        if (y < 0 || y >= target.height)
            continue;
        const float* cells = &m_cells[static_cast<size_t>(row) * stride];
        uint32_t* out = target.pixels + static_cast<size_t>(y) * target.width;
        const uint8_t* maskRow = mask != nullptr ? mask + static_cast<size_t>(y) * target.width : nullptr;
        const PaintRow colours(paint, left, y, width);
        float acc = 0;
        for (int col = 0; col < width; ++col) {
            acc += cells[col];
            const int x = left + col;
            float cover = std::fabs(acc);
            if (cover < 1.0f / 512 || x < 0 || x >= target.width)
                continue;
            uint32_t c256 = cover >= 1.0f ? 256u : static_cast<uint32_t>(cover * 256.0f + 0.5f);
            if (maskRow != nullptr)
                c256 = (c256 * (maskRow[x] + (maskRow[x] >> 7))) >> 8;
            if (c256 == 0)
                continue;
            uint32_t colour = colours.At(col);
            if (c256 < 256)
                colour = Scale(colour, c256);
            out[x] = Over(colour, out[x]);
        }
    }
}

void Rasterizer::Cover(uint8_t* mask, int maskWidth, int maskHeight)
{
    int left = 0, top = 0, width = 0, height = 0;
    if (!Accumulate(left, top, width, height, 2))
        return;
    const size_t stride = static_cast<size_t>(width) + 2;
    for (int row = 0; row < height; ++row) {
        const int y = top + row;
        if (y < 0 || y >= maskHeight)
            continue;
        const float* cells = &m_cells[static_cast<size_t>(row) * stride];
        float acc = 0;
        for (int col = 0; col < width; ++col) {
            acc += cells[col];
            const int x = left + col;
            if (x < 0 || x >= maskWidth)
                continue;
            const float cover = std::min(1.0f, std::fabs(acc));
            const uint8_t v = static_cast<uint8_t>(cover * 255.0f + 0.5f);
            uint8_t& m = mask[static_cast<size_t>(y) * maskWidth + x];
            m = std::max(m, v);
        }
    }
}

} // namespace flossar
