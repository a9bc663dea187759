// The shape colour styles: the strip window at position P turned into the
// stops of a path gradient, so that its colours form nested rectangles,
// circles or diamonds that grow out of the middle or close in on it.
//
// The gradient is laid out here rather than by a GDI+ path-gradient brush:
// not every GDI+ honours a preset blend on such a brush, and the blend is
// simple to spread exactly: a point shows the stop position at which the
// outline, scaled about the centre point, passes through it.
#include "color_animation_render.h"

#include "color_render_support.h"
#include "color_strip_cache.h"
#include "shape_stops.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

using namespace colorrender;

namespace {

constexpr int kStepWidth = 256;

enum ShapeKind {
    SHAPE_RECTANGLE = 0,
    SHAPE_CIRCLE = 1, // a circle around the whole view
    SHAPE_ELLIPSE = 2, // an ellipse of the view's proportions, gamma corrected
    SHAPE_DIAMOND = 3,
};

// Stops of a preset blend: position 0 is the outline, 1 the centre.
struct BlendStops {
    std::vector<DWORD> colors;
    std::vector<float> positions;

    void Add(DWORD pixel, float position)
    {
        colors.push_back(0xFF000000u | (pixel & 0x00FFFFFF));
        positions.push_back(position);
    }
};

// Forward: the outline shows the window's start and the centre its end, so
// colours move outward as the position grows. Backward reads the window from
// its end. Between two stops at a colour change the brush keeps the colours
// apart; inside gradient steps every pixel may add two stops.
BlendStops BuildStops(const DWORD* window, int length, bool forward)
{
    BlendStops stops;
    const float total = static_cast<float>(length);
    auto colour = [window](int i) { return window[i] & 0x00FFFFFF; };
    for (int n = 0; n < length; ++n) {
        if (n == 0) {
            stops.Add(forward ? colour(0) : colour(length - 1), 0.0f);
        } else if (n == length - 1) {
            stops.Add(forward ? colour(length - 1) : colour(0), 1.0f);
        } else if (forward) {
            if (colour(n) != colour(n - 1)) {
                stops.Add(colour(n - 1), static_cast<float>(n - 1) / total);
                stops.Add(colour(n), static_cast<float>(n) / total);
            }
        } else {
            const int x = length - 1 - n;
            if (colour(x) != colour(x + 1)) {
                stops.Add(colour(x + 1), static_cast<float>(n - 1) / total);
                stops.Add(colour(x), static_cast<float>(n) / total);
            }
        }
    }
    return stops;
}

// The outline of a shape and the centre its stops close in on. A point p
// lies on the outline scaled about the centre by 1 - t, and shows the blend
// at position t: 0 on the outline, 1 at the centre (how a path-gradient
// brush spreads its blend).
struct ShapeOutline {
    double cx = 0, cy = 0; // the centre point
    bool ellipse = false;
    double ex = 0, ey = 0, rx = 0, ry = 0; // ellipse: its middle and half axes
    // Convex polygon: the outward normal of each edge divided by the
    // centre's distance from the edge along it.
    std::vector<std::pair<double, double>> edges;

    // Blend position of the point, or a negative value outside the shape.
    double Position(double px, double py) const
    {
        const double dx = px - cx;
        const double dy = py - cy;
        if (dx == 0.0 && dy == 0.0)
            return 1.0;
        // The ray from the centre through p leaves the shape at centre + s x d.
        double s = -1.0;
        if (ellipse) {
            const double ox = (cx - ex) / rx;
            const double oy = (cy - ey) / ry;
            const double ux = dx / rx;
            const double uy = dy / ry;
            const double a = ux * ux + uy * uy;
            const double b = 2.0 * (ox * ux + oy * uy);
            const double c = ox * ox + oy * oy - 1.0;
            const double disc = b * b - 4.0 * a * c;
            if (disc >= 0.0)
                s = (-b + std::sqrt(disc)) / (2.0 * a);
        } else {
            // Each edge e with centre-to-edge distance h along its outward
            // normal n meets the ray at s = h / (n . d): 1 / s is largest for
            // the edge the ray leaves through.
            double reach = 0.0;
            for (const auto& [nx, ny] : edges)
                reach = std::max(reach, nx * dx + ny * dy);
            if (reach > 1.0 + 1e-9)
                return -1.0;
            return std::max(0.0, 1.0 - reach);
        }
        if (s < 1.0)
            return s >= 0.0 && s > 1.0 - 1e-9 ? 0.0 : -1.0; // on or beyond the outline
        return 1.0 - 1.0 / s;
    }
};

ShapeOutline MakeOutline(int shape, const CRect& clip)
{
    const int width = clip.Width();
    const int height = clip.Height();
    ShapeOutline outline;
    // Corners clockwise on screen (y down); the centre is their average.
    auto polygon = [&outline](std::initializer_list<std::pair<double, double>> points) {
        const std::vector<std::pair<double, double>> corners(points);
        double sx = 0, sy = 0;
        for (const auto& [x, y] : corners) {
            sx += x;
            sy += y;
        }
        outline.cx = sx / static_cast<double>(corners.size());
        outline.cy = sy / static_cast<double>(corners.size());
        for (size_t i = 0; i < corners.size(); ++i) {
            const auto [x0, y0] = corners[i];
            const auto [x1, y1] = corners[(i + 1) % corners.size()];
            const double nx = y1 - y0;
            const double ny = x0 - x1;
            const double distance = nx * (x0 - outline.cx) + ny * (y0 - outline.cy);
            if (distance > 0.0)
                outline.edges.emplace_back(nx / distance, ny / distance);
        }
    };
    if (shape == SHAPE_RECTANGLE) {
        // The rectangle's centre is the centre of its corners.
        polygon({ { clip.left, clip.top }, { clip.right, clip.top }, { clip.right, clip.bottom },
            { clip.left, clip.bottom } });
    } else if (shape == SHAPE_DIAMOND) {
        const int left = clip.left - width / 2;
        const int right = clip.right + width / 2;
        const int top = clip.top - height / 2;
        const int bottom = clip.bottom + height / 2;
        const int cx = left + (right - left) / 2;
        const int cy = top + (bottom - top) / 2;
        polygon({ { cx, top }, { right, cy }, { cx, bottom }, { left, cy } });
    } else {
        int x = 0, y = 0, w = 0, h = 0;
        if (shape == SHAPE_CIRCLE) {
            const int diameter = static_cast<int>(1.5 * (width > height ? width : height));
            x = (clip.left + clip.right) / 2 - diameter / 2;
            y = (clip.top + clip.bottom) / 2 - diameter / 2;
            w = h = diameter;
        } else {
            const int a = static_cast<int>(width / 2.2);
            const int b = static_cast<int>(height / 2.2);
            x = clip.left - a / 2;
            y = clip.top - b / 2;
            w = width + a;
            h = height + b;
        }
        outline.ellipse = true;
        outline.ex = x + w / 2.0;
        outline.ey = y + h / 2.0;
        outline.rx = w / 2.0;
        outline.ry = h / 2.0;
        // The centre point is set apart from the ellipse, to the view's middle.
        outline.cx = clip.left + width / 2;
        outline.cy = clip.top + height / 2;
    }
    return outline;
}

// Rounds a value that is not negative to the nearest int, halves up (as
// lround does there), without a library call.
int RoundUp(double value)
{
    return static_cast<int>(value + 0.5);
}

// The same for the pixel loop, where a plain conversion costs more than the
// rest of the pixel on the x87: adding 1.5 x 2^52 leaves the nearest
// integer in the low word of the stored double, which is then floored.
int RoundUpQuick(double value)
{
    const double up = value + 0.5;
    const double shifted = up + 6755399441055744.0;
    std::uint64_t word = 0;
    std::memcpy(&word, &shifted, sizeof word);
    int nearest = static_cast<int>(static_cast<std::uint32_t>(word));
    if (static_cast<double>(nearest) > up)
        --nearest;
    return nearest;
}

// Channels to and from light intensity for the gamma-corrected blend; the
// 256 intensities are worked out once.
double ToLinear(int channel)
{
    static const std::vector<double> table = [] {
        std::vector<double> values(256);
        for (int c = 0; c < 256; ++c)
            values[static_cast<size_t>(c)] = std::pow(c / 255.0, 2.2);
        return values;
    }();
    return table[static_cast<size_t>(std::clamp(channel, 0, 255))];
}
int FromLinearExactly(double value)
{
    return RoundUp(std::pow(std::clamp(value, 0.0, 1.0), 1.0 / 2.2) * 255.0);
}
// The same channel found among the intensities where the rounding goes up
// a step; a value next to one of them takes the power call, so that the
// result is always the one above.
int FromLinear(double value)
{
    static const std::vector<double> steps = [] {
        std::vector<double> values(256);
        values[0] = -1.0;
        for (int c = 1; c < 256; ++c)
            values[static_cast<size_t>(c)] = std::pow((c - 0.5) / 255.0, 2.2);
        return values;
    }();
    const double v = std::clamp(value, 0.0, 1.0);
    const int channel = static_cast<int>(std::upper_bound(steps.begin(), steps.end(), v) - steps.begin()) - 1;
    constexpr double kNear = 1e-9;
    const double below = steps[static_cast<size_t>(channel)];
    const double above = channel < 255 ? steps[static_cast<size_t>(channel) + 1] : 2.0;
    if (v - below < kNear || above - v < kNear)
        return FromLinearExactly(value);
    return channel;
}

// The colour of the preset blend at position t: linear between the stops
// around it (in light intensity when gamma corrected); a run of stops at the
// same position is a sharp edge.
// upper is the first stop beyond t.
DWORD BlendAt(const BlendStops& stops, double t, bool gamma, size_t upper)
{
    const auto& positions = stops.positions;
    if (upper == 0)
        return stops.colors.front() & 0x00FFFFFF;
    if (upper >= positions.size())
        return stops.colors.back() & 0x00FFFFFF;
    const size_t lower = upper - 1;
    const double span = static_cast<double>(positions[upper]) - positions[lower];
    const double f = span > 0.0 ? (t - positions[lower]) / span : 1.0;
    const DWORD from = stops.colors[lower];
    const DWORD to = stops.colors[upper];
    DWORD result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((from >> shift) & 0xFF);
        const int b = static_cast<int>((to >> shift) & 0xFF);
        int channel = a;
        if (a == b)
            channel = a; // a channel that does not change stays as it is, in light or not
        else if (gamma)
            channel = FromLinear(ToLinear(a) + (ToLinear(b) - ToLinear(a)) * f);
        else
            channel = RoundUp(a + (b - a) * f);
        result |= static_cast<DWORD>(std::clamp(channel, 0, 255)) << shift;
    }
    return result;
}

// The blend sampled `samples` times between the outline and the centre,
// each sample worked out when a pixel first asks for it: a small view asks
// for few of them.
class SampledBlend {
public:
    SampledBlend(const BlendStops& stops, int samples, bool gamma)
        : m_stops(stops)
        , m_samples(samples)
        , m_gamma(gamma)
        , m_values(static_cast<size_t>(samples) + 1, kUnset)
    {
    }
    DWORD operator[](size_t i)
    {
        const DWORD value = m_values[i];
        return value != kUnset ? value : Work(i);
    }

private:
    // No sample has its top byte set.
    static constexpr DWORD kUnset = 0xFFFFFFFFu;

    DWORD Work(size_t i)
    {
        const double t = static_cast<double>(i) / m_samples;
        const auto& positions = m_stops.positions;
        const size_t upper = static_cast<size_t>(
            std::upper_bound(positions.begin(), positions.end(), static_cast<float>(t)) - positions.begin());
        return m_values[i] = BlendAt(m_stops, t, m_gamma, upper);
    }

    const BlendStops& m_stops;
    int m_samples;
    bool m_gamma;
    std::vector<DWORD> m_values;
};

// One row of the picture: every pixel centre's blend position looked up in
// the sampled blend; what lies outside the shape stays black. The same sums
// as ShapeOutline::Position, with what stays the same along the row taken
// out of the loop.
void FillShapeRow(const ShapeOutline& outline, const CRect& clip, int y, SampledBlend& blend, int samples, DWORD* row)
{
    const int width = clip.Width();
    const double py = clip.top + y + 0.5;
    const double dy = py - outline.cy;
    if (!outline.ellipse) {
        // Each edge's reach runs linearly along the row: kept in fixed point
        // (16 bits below the blend's sample), so that a pixel costs a few
        // integer additions and comparisons.
        constexpr size_t kMaxEdges = 8;
        constexpr double kFraction = 65536.0;
        const size_t count = std::min(outline.edges.size(), kMaxEdges);
        const double scale = samples * kFraction;
        const double dx0 = clip.left + 0.5 - outline.cx;
        long long reachAt[kMaxEdges];
        long long reachStep[kMaxEdges];
        for (size_t k = 0; k < count; ++k) {
            const double nx = outline.edges[k].first;
            reachAt[k] = std::llround((nx * dx0 + outline.edges[k].second * dy) * scale);
            reachStep[k] = std::llround(nx * scale);
        }
        const long long whole = static_cast<long long>(samples) << 16;
        // Where every reach along the row stays well inside 32 bits (any
        // view of a sane size), the sums run on ints.
        bool narrow = count == 4 && whole < (1LL << 28);
        for (size_t k = 0; k < count && narrow; ++k) {
            const long long end = reachAt[k] + reachStep[k] * width;
            narrow = std::max(std::llabs(reachAt[k]), std::llabs(end)) < (1LL << 30);
        }
        if (narrow) {
            int r0 = static_cast<int>(reachAt[0]), r1 = static_cast<int>(reachAt[1]);
            int r2 = static_cast<int>(reachAt[2]), r3 = static_cast<int>(reachAt[3]);
            const int s0 = static_cast<int>(reachStep[0]), s1 = static_cast<int>(reachStep[1]);
            const int s2 = static_cast<int>(reachStep[2]), s3 = static_cast<int>(reachStep[3]);
            const int top = static_cast<int>(whole);
            for (int x = 0; x < width; ++x) {
                const int reach = std::max(std::max(0, std::max(r0, r1)), std::max(r2, r3));
                r0 += s0;
                r1 += s1;
                r2 += s2;
                r3 += s3;
                row[x] = reach > top ? 0 : blend[static_cast<size_t>((top - reach + 32768) >> 16)];
            }
            return;
        }
        for (int x = 0; x < width; ++x) {
            long long reach = 0;
            for (size_t k = 0; k < count; ++k) {
                reach = std::max(reach, reachAt[k]);
                reachAt[k] += reachStep[k];
            }
            // Outside the shape the view stays black.
            row[x] = reach > whole ? 0 : blend[static_cast<size_t>((whole - reach + 32768) >> 16)];
        }
        return;
    }
    // The ellipse: the ray from the centre through the pixel leaves it at
    // centre + s (pixel - centre), s the larger root of a s^2 + b s + c = 0
    // in the ellipse's unit coordinates; the pixel shows 1 - 1 / s. What
    // does not change along the row is worked out once, and 1 / s takes one
    // division.
    const double ox = (outline.cx - outline.ex) / outline.rx;
    const double oy = (outline.cy - outline.ey) / outline.ry;
    const double c = ox * ox + oy * oy - 1.0;
    const double uy = dy / outline.ry;
    const double uy2 = uy * uy;
    const double oyuy = oy * uy;
    const double perRx = 1.0 / outline.rx;
    for (int x = 0; x < width; ++x) {
        const double dx = clip.left + x + 0.5 - outline.cx;
        if (dx == 0.0 && dy == 0.0) {
            row[x] = blend[static_cast<size_t>(samples)];
            continue;
        }
        const double ux = dx * perRx;
        const double a = ux * ux + uy2;
        const double b = 2.0 * (ox * ux + oyuy);
        const double disc = b * b - 4.0 * a * c;
        double t = -1.0;
        if (disc >= 0.0) {
            const double q = -b + std::sqrt(disc);
            const double twoA = 2.0 * a;
            if (q >= twoA) {
                t = 1.0 - twoA / q;
            } else {
                const double reach = q / twoA; // on or beyond the outline
                t = reach >= 0.0 && reach > 1.0 - 1e-9 ? 0.0 : -1.0;
            }
        }
        row[x] = t < 0.0 ? 0 : blend[static_cast<size_t>(RoundUpQuick(t * samples))];
    }
}

} // namespace

std::vector<ShapeStop> BuildShapeStops(const ColorTemplateList& templates, int position, int steps, bool forward)
{
    std::vector<ShapeStop> result;
    if (position < 0 || steps <= 0 || CCColorAnimationRender::LocatePosition(templates, position).index < 0)
        return result;
    const int length = steps * kStepWidth;
    PaintedStrip strip(templates, position, 2 * length);
    if (!strip.surface.IsValid())
        return result;
    const BlendStops stops = BuildStops(strip.surface.Row(0) + position % kStepWidth, length, forward);
    for (size_t i = 0; i < stops.colors.size(); ++i)
        result.push_back({ ColorOfPixel(stops.colors[i]), stops.positions[i] });
    return result;
}

int CCColorAnimationRender::DrawShape(CDC* pDC, const ProgramColorEffect& effect, UINT frame, int shape, bool forward)
{
    if (pDC == nullptr)
        return 1;
    const CRect clip = ClipBoxOf(pDC);
    if (clip.Width() <= 0 || clip.Height() <= 0)
        return 1;
    if (!UsableZoom(effect.m_zoomFactor)) {
        // No strip can be laid out at such a zoom factor: the view shows black.
        FillColor(pDC, clip, RGB(0, 0, 0));
        return 1;
    }
    const int position = StripPositionOnward(effect, frame, StripStep(effect));
    // The window's length always follows the view's height, whatever the shape.
    const int steps = WindowSteps(clip.Height(), effect.m_zoomFactor);
    const int length = steps * kStepWidth;
    const int start = position % kStepWidth;

    // Every pixel of the picture is written; where none can be, the view
    // shows black.
    if (LocatePosition(effect.m_templates, position).index < 0) {
        FillColor(pDC, clip, RGB(0, 0, 0)); // no colours
        return 1;
    }
    const std::vector<DWORD> window = m_strips->Painted(effect.m_templates, position, 2 * length);
    ClipPicture image(pDC, clip);
    if (window.empty() || !image.IsValid()) {
        FillColor(pDC, clip, RGB(0, 0, 0));
        return 1;
    }
    const BlendStops stops = BuildStops(window.data() + start, length, forward);
    const ShapeOutline outline = MakeOutline(shape, clip);
    // The blend sampled 16 times per window pixel: every stop position
    // (a multiple of 1 / v) falls on a sample, so sharp edges stay where
    // they are, and a pixel costs a look-up instead of a search.
    const bool gamma = shape == SHAPE_ELLIPSE;
    const int samples = 16 * length;
    SampledBlend blend(stops, samples, gamma);
    for (int y = 0; y < clip.Height(); ++y) {
        DWORD* row = image.Row(y);
        FillShapeRow(outline, clip, y, blend, samples, row);
    }
    image.Finish();
    return 1;
}

int CCColorAnimationRender::DrawRectangleExpand(CDC* pDC, const ProgramColorEffect& effect, UINT frame)
{
    return DrawShape(pDC, effect, frame, SHAPE_RECTANGLE, true);
}

int CCColorAnimationRender::DrawRectangleShrink(CDC* pDC, const ProgramColorEffect& effect, UINT frame)
{
    return DrawShape(pDC, effect, frame, SHAPE_RECTANGLE, false);
}

int CCColorAnimationRender::DrawCircleExpand(CDC* pDC, const ProgramColorEffect& effect, UINT frame)
{
    return DrawShape(pDC, effect, frame, SHAPE_CIRCLE, true);
}

int CCColorAnimationRender::DrawCircleShrink(CDC* pDC, const ProgramColorEffect& effect, UINT frame)
{
    return DrawShape(pDC, effect, frame, SHAPE_ELLIPSE, false);
}

int CCColorAnimationRender::DrawDiamondExpand(CDC* pDC, const ProgramColorEffect& effect, UINT frame)
{
    return DrawShape(pDC, effect, frame, SHAPE_DIAMOND, true);
}

int CCColorAnimationRender::DrawDiamondShrink(CDC* pDC, const ProgramColorEffect& effect, UINT frame)
{
    return DrawShape(pDC, effect, frame, SHAPE_DIAMOND, false);
}
