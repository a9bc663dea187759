// The scrolling colour styles: strips that move up, down, left or right,
// expand from or shrink to the middle, or travel along a diagonal.
//
// The moving and expanding strips are laid out here pixel by pixel in the
// four quarter turns, rather than by blitting under a rotated world
// transform: the geometry is the same, and block copies under a rotation are
// not drawn alike by every GDI. Only the stretch of the one-pixel strip is
// left to GDI's halftone mode. The diagonal window is drawn onto its turned
// square by our own resampler (diagonal_window.cpp).
#include "color_animation_render.h"

#include "color_render_support.h"
#include "color_strip_cache.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

using namespace colorrender;

namespace {

constexpr int kStepWidth = 256;

// The quarter turn nearest to an angle in radians: 0 for 0 degrees, 1 for 90,
// 2 for 180, 3 for 270.
int QuarterTurn(double angle)
{
    const long turns = std::lround(angle / (std::numbers::pi / 2));
    return static_cast<int>(((turns % 4) + 4) % 4);
}

// The strip of an effect stretched so that every 256-pixel step covers
// ceil(zoom x 256) pixels, read from floor((P mod 256) x zoom) on, `count`
// pixels long; black where the stretched strip ends.
std::vector<DWORD> StretchedWindow(
    StripCache& strips, const ProgramColorEffect& effect, int position, int steps, int count)
{
    std::vector<DWORD> window(count > 0 ? static_cast<size_t>(count) : 0, 0);
    const float zoom = effect.m_zoomFactor;
    const int stepWidth = CeilToInt(zoom * 256.0f);
    const long long stretchedWidth = 2LL * steps * stepWidth;
    if (count <= 0 || stepWidth <= 0 || stretchedWidth > (1LL << 26))
        return window;
    const int length = 2 * steps * kStepWidth;
    const std::vector<DWORD> stretched
        = strips.Stretched(effect.m_templates, position, length, 0, length, static_cast<int>(stretchedWidth));
    int from = FloorToInt(static_cast<float>(position % kStepWidth) * zoom);
    if (from < 0)
        from = 0;
    for (int i = 0; i < count; ++i) {
        const long long x = static_cast<long long>(from) + i;
        if (x < static_cast<long long>(stretched.size()))
            window[static_cast<size_t>(i)] = stretched[static_cast<size_t>(x)] & 0x00FFFFFF;
    }
    return window;
}

} // namespace

namespace colorrender {

DiagonalLayout LayDiagonal(const CRect& clip)
{
    // The square turned by 45 degrees whose sides pass through the clip
    // box's corners; every named value is kept as a float.
    const int width = clip.Width();
    const int height = clip.Height();
    const double s = std::sin(std::numbers::pi / 4);
    const double c = std::cos(std::numbers::pi / 4);
    const float a = static_cast<float>(s * width);
    const float b = static_cast<float>(height * c);
    const float p = static_cast<float>(b * s);
    const float q = static_cast<float>(b * c);
    DiagonalLayout layout {};
    layout.corners[0][0] = static_cast<float>(clip.left + a * c);
    layout.corners[0][1] = static_cast<float>(clip.top - a * s);
    layout.corners[1][0] = static_cast<float>(clip.right + p);
    layout.corners[1][1] = static_cast<float>(clip.bottom - q);
    layout.corners[2][0] = static_cast<float>(clip.left - p);
    layout.corners[2][1] = static_cast<float>(clip.top + q);
    layout.windowHeight = CeilToInt(static_cast<double>(a) + b);
    layout.windowWidth = CeilToInt(c * width + s * height);
    return layout;
}

} // namespace colorrender

int CCColorAnimationRender::DrawStripMove(CDC* pDC, const ProgramColorEffect& effect, UINT frame, double angle)
{
    if (pDC == nullptr)
        return 1;
    const CRect clip = ClipBoxOf(pDC);
    const int width = clip.Width();
    const int height = clip.Height();
    pDC->SetStretchBltMode(HALFTONE);
    if (width <= 0 || height <= 0)
        return 1;
    if (!UsableZoom(effect.m_zoomFactor)) {
        // No strip can be laid out at such a zoom factor: the view shows black.
        FillColor(pDC, clip, RGB(0, 0, 0));
        return 1;
    }
    const int turn = QuarterTurn(angle);
    const bool vertical = turn % 2 == 1;
    const int extent = vertical ? height : width;
    const int position = StripPositionOnward(effect, frame, StripStep(effect));
    const int steps = WindowSteps(extent, effect.m_zoomFactor);
    const std::vector<DWORD> line = StretchedWindow(*m_strips, effect, position, steps, extent);

    ClipPicture image(pDC, clip);
    if (!image.IsValid())
        return 1;
    for (int y = 0; y < height; ++y) {
        DWORD* row = image.Row(y);
        // Where the rows of the turned picture start: left (0 degrees),
        // top (90), right (180) or bottom (270) shows the position itself.
        if (turn == 0) {
            std::copy(line.begin(), line.begin() + width, row);
        } else if (turn == 2) {
            std::reverse_copy(line.begin(), line.begin() + width, row);
        } else {
            const DWORD pixel = line[static_cast<size_t>(turn == 1 ? y : height - 1 - y)];
            std::fill(row, row + width, pixel);
        }
    }
    image.Finish();
    return 1;
}

int CCColorAnimationRender::DrawStripExpandShrink(
    CDC* pDC, const ProgramColorEffect& effect, UINT frame, bool outward, double angle)
{
    if (pDC == nullptr)
        return 1;
    const CRect clip = ClipBoxOf(pDC);
    const int width = clip.Width();
    const int height = clip.Height();
    pDC->SetStretchBltMode(HALFTONE);
    if (width <= 0 || height <= 0)
        return 1;
    if (!UsableZoom(effect.m_zoomFactor)) {
        // No strip can be laid out at such a zoom factor: the view shows black.
        FillColor(pDC, clip, RGB(0, 0, 0));
        return 1;
    }
    const bool vertical = QuarterTurn(angle) % 2 == 1;
    // The view's width sets the step count of all four styles.
    const int steps = WindowSteps(width, effect.m_zoomFactor);
    const int position = StripPositionOnward(effect, frame, StripStep(effect));
    const int extent = vertical ? height : width;
    const int half = (extent + 1) / 2;

    // Each half shows k steps of the strip from position P squeezed or
    // stretched to its own size; the zoom factor only enters through k.
    const std::vector<DWORD> halfLine = m_strips->Stretched(
        effect.m_templates, position, 2 * steps * kStepWidth, position % kStepWidth, steps * kStepWidth, half);
    std::vector<DWORD> line(static_cast<size_t>(extent), 0);
    for (int i = 0; i < half; ++i) {
        const DWORD pixel = halfLine[static_cast<size_t>(i)] & 0x00FFFFFF;
        // The first half, then its mirror image in the turned-round half.
        const int first = outward ? i : extent / 2 + i;
        const int second = outward ? extent - 1 - i : half - 1 - i;
        line[static_cast<size_t>(first)] = pixel;
        line[static_cast<size_t>(second)] = pixel;
    }

    ClipPicture image(pDC, clip);
    if (!image.IsValid())
        return 1;
    for (int y = 0; y < height; ++y) {
        DWORD* row = image.Row(y);
        if (vertical)
            std::fill(row, row + width, line[static_cast<size_t>(y)]);
        else
            std::copy(line.begin(), line.begin() + width, row);
    }
    image.Finish();
    return 1;
}

int CCColorAnimationRender::DrawStripDiagonal(CDC* pDC, const ProgramColorEffect& effect, UINT frame)
{
    if (pDC == nullptr)
        return 1;
    const CRect clip = ClipBoxOf(pDC);
    const int width = clip.Width();
    const int height = clip.Height();
    if (width <= 0 || height <= 0)
        return 1;
    if (!UsableZoom(effect.m_zoomFactor)) {
        // No strip can be laid out at such a zoom factor: the view shows black.
        FillColor(pDC, clip, RGB(0, 0, 0));
        return 1;
    }
    const int position = StripPositionOnward(effect, frame, StripStep(effect));
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float diagonal = std::sqrt(static_cast<float>(w * w + h * h));
    const int steps = WindowSteps(diagonal, effect.m_zoomFactor);

    FillColor(pDC, clip, RGB(0, 0, 0));
    pDC->SetStretchBltMode(HALFTONE);

    const DiagonalLayout layout = LayDiagonal(clip);
    const std::vector<DWORD> line = StretchedWindow(*m_strips, effect, position, steps, layout.windowWidth);
    if (!DrawDiagonalWindow(pDC, clip, layout, line))
        DrawDiagonalWindowGdiplus(pDC, layout, line);
    return 1;
}
