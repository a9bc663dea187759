// The colour-effect renderer: construction, the strip position under the
// speed ramp, the sizing of a pass, the style dispatch and the colour change
// and flash styles. The scrolling and shape styles have files of their own.
#include "color_animation_render.h"

#include "canvas_flip.h"
#include "color_render_support.h"
#include "color_strip_cache.h"
#include "color_strips.h"
#include "scan_line_render.h"

#include <bit>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>

using namespace colorrender;

namespace {

constexpr int kStepWidth = 256;

// A pass whose position stops short of its end never finishes; its count
// stops here instead of looping for ever.
constexpr int kMaxPassFrames = 10'000'000;

int ClampToInt(long long value)
{
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

int Diagonal(int width, int height)
{
    const double w = width;
    const double h = height;
    return CeilToInt(std::sqrt(w * w + h * h));
}

} // namespace

CCColorAnimationRender::CCColorAnimationRender()
    : m_strips(std::make_unique<StripCache>())
{
    std::srand(510);
}

CCColorAnimationRender::~CCColorAnimationRender() = default;

int CCColorAnimationRender::TemplateLength(const ColorTemplate* colorTemplate)
{
    if (colorTemplate == nullptr)
        return 0;
    long long colors = colorTemplate->m_colors.GetSize();
    if (colorTemplate->m_changeMode == ColorTemplate::CHANGE_GRADIENT)
        --colors;
    // A gradient template without colours adds nothing (it would otherwise
    // count -256 pixels and pull every later template backwards).
    if (colors <= 0)
        return 0;
    return ClampToInt(colors * kStepWidth);
}

int CCColorAnimationRender::StripLength(const ColorTemplateList& templates, INT_PTR count)
{
    if (count < 0 || count > templates.GetSize())
        count = templates.GetSize();
    long long length = 0;
    for (INT_PTR i = 0; i < count; ++i)
        length += TemplateLength(templates.GetAt(i));
    return ClampToInt(length);
}

void CCColorAnimationRender::FollowRamp(Ramp& ramp, UINT frame)
{
    const float startSpeed = std::bit_cast<float>(ramp.startSpeed);
    const double speedChange = static_cast<double>(std::bit_cast<float>(ramp.endSpeed)) - startSpeed;
    const float step = std::bit_cast<float>(ramp.step);
    const int length = ramp.length;
    float pos = ramp.pos;
    float speed = ramp.speed;
    for (; ramp.frames < frame && !ramp.stopped; ++ramp.frames) {
        const float increment = static_cast<float>(static_cast<double>(speed) * step);
        const float next = static_cast<float>(static_cast<double>(pos) + increment);
        // The speed depends on the position alone: a position that no longer
        // moves stays where it is for every later frame.
        const bool still = next == pos;
        pos = next;
        if (still || !std::isfinite(pos)) {
            ramp.stopped = true;
            break;
        }
        // An empty strip has no length to ramp along: its speed stays.
        if (length > 0)
            speed = static_cast<float>(startSpeed + speedChange * pos / length);
    }
    ramp.pos = pos;
    ramp.speed = speed;
}

int CCColorAnimationRender::PositionOf(const Ramp& ramp)
{
    if (std::isnan(ramp.pos))
        return 0;
    // Speeds below zero could take the position before the strip's start;
    // it stays at the start instead.
    const int p = FloorToInt(ramp.pos);
    return p < 0 ? 0 : p;
}

CCColorAnimationRender::Ramp CCColorAnimationRender::RampOf(const ProgramColorEffect& effect, float step)
{
    Ramp ramp;
    ramp.startSpeed = std::bit_cast<std::uint32_t>(effect.m_startSpeed);
    ramp.endSpeed = std::bit_cast<std::uint32_t>(effect.m_endSpeed);
    ramp.step = std::bit_cast<std::uint32_t>(step);
    ramp.length = StripLength(effect.m_templates);
    ramp.speed = effect.m_startSpeed;
    return ramp;
}

int CCColorAnimationRender::StripPosition(const ProgramColorEffect& effect, UINT frame, float step)
{
    Ramp ramp = RampOf(effect, step);
    FollowRamp(ramp, frame);
    return PositionOf(ramp);
}

int CCColorAnimationRender::StripPositionOnward(const ProgramColorEffect& effect, UINT frame, float step)
{
    const Ramp key = RampOf(effect, step);
    auto same = [&key](const Ramp& r) {
        return r.startSpeed == key.startSpeed && r.endSpeed == key.endSpeed && r.step == key.step
            && r.length == key.length;
    };
    // Several views may follow the same ramp at different frames: the one
    // nearest below the frame is continued.
    Ramp* best = nullptr;
    for (Ramp& r : m_ramps) {
        if (same(r) && r.frames <= frame && (best == nullptr || r.frames > best->frames))
            best = &r;
    }
    Ramp ramp = best != nullptr ? *best : key;
    FollowRamp(ramp, frame);
    constexpr size_t kMaxRamps = 64;
    if (best != nullptr) {
        *best = ramp;
    } else {
        if (m_ramps.size() >= kMaxRamps)
            m_ramps.pop_back();
        m_ramps.insert(m_ramps.begin(), ramp);
    }
    return PositionOf(ramp);
}

StripLocation CCColorAnimationRender::LocatePosition(const ColorTemplateList& templates, int position)
{
    StripLocation at;
    long long start = 0;
    int firstWithSteps = -1;
    for (INT_PTR i = 0; i < templates.GetSize(); ++i) {
        const int length = TemplateLength(templates.GetAt(i));
        if (length <= 0)
            continue; // holds no colour step: the strip passes over it
        if (firstWithSteps < 0)
            firstWithSteps = static_cast<int>(i);
        if (start + length >= position) {
            at.index = static_cast<int>(i);
            at.offset = static_cast<int>(position - start);
            return at;
        }
        start += length;
    }
    if (firstWithSteps >= 0) {
        at.index = firstWithSteps;
        at.offset = 0;
        at.pastEnd = true;
    }
    return at;
}

float CCColorAnimationRender::StripStep(const ProgramColorEffect& effect) const
{
    if (effect.m_style == COLOR_STYLE_CHANGE || effect.m_style == COLOR_STYLE_FLASH)
        return 1.0f / effect.m_zoomFactor;
    return m_speedScale / effect.m_zoomFactor;
}

int CCColorAnimationRender::PassFrameCount(const ProgramColorEffect& effect, int width, int height) const
{
    const int style = effect.m_style;
    if (style < COLOR_STYLE_CHANGE || style > COLOR_STYLE_DIAMOND_SHRINK)
        return 1;
    INT_PTR counted = effect.m_templates.GetSize();
    if (style >= COLOR_STYLE_RECTANGLE_EXPAND && counted > 0)
        --counted; // the shape styles leave the last template out
    const long long length = StripLength(effect.m_templates, counted);
    const float zoom = effect.m_zoomFactor;

    long long distance = length;
    switch (style) {
    case COLOR_STYLE_MOVE_UP:
    case COLOR_STYLE_MOVE_DOWN:
        distance -= FloorToInt(static_cast<float>(height) / zoom);
        break;
    case COLOR_STYLE_MOVE_LEFT:
    case COLOR_STYLE_MOVE_RIGHT:
        distance -= FloorToInt(static_cast<float>(width) / zoom);
        break;
    case COLOR_STYLE_UPPER_LEFT:
    case COLOR_STYLE_UPPER_RIGHT:
    case COLOR_STYLE_LOWER_LEFT:
    case COLOR_STYLE_LOWER_RIGHT:
        distance -= FloorToInt(static_cast<float>(Diagonal(width, height)) / zoom);
        break;
    default:
        break;
    }
    if (distance <= 0)
        return 1;

    const float step = StripStep(effect);
    const double startSpeed = effect.m_startSpeed;
    const double speedChange = static_cast<double>(effect.m_endSpeed) - startSpeed;
    float pos = 0.0f;
    float speed = effect.m_startSpeed;
    int frames = 0;
    while (frames < kMaxPassFrames) {
        ++frames;
        const float increment = static_cast<float>(static_cast<double>(speed) * step);
        const float next = static_cast<float>(static_cast<double>(pos) + increment);
        if (next >= distance)
            break;
        // A position that stands still or goes back never reaches the end:
        // the pass is what has been travelled so far.
        if (!(next > pos))
            break;
        pos = next;
        speed = static_cast<float>(startSpeed + speedChange * pos / distance);
    }

    int result = frames;
    if (style == COLOR_STYLE_FLASH)
        result = 2 * frames;
    else if (style >= COLOR_STYLE_EXPAND_VERTICAL && style <= COLOR_STYLE_SHRINK_HORIZONTAL)
        result = frames / 2 + 1;
    return result < 1 ? 1 : result;
}

int CCColorAnimationRender::RequiredColorSteps(int style, float zoom, int width, int height)
{
    if (style < COLOR_STYLE_CHANGE || style > COLOR_STYLE_DIAMOND_SHRINK)
        return 0;
    if (style <= COLOR_STYLE_FLASH)
        return 1;
    int extent = width;
    if (style == COLOR_STYLE_MOVE_UP || style == COLOR_STYLE_MOVE_DOWN)
        extent = height;
    else if (style >= COLOR_STYLE_UPPER_LEFT && style <= COLOR_STYLE_LOWER_RIGHT)
        extent = Diagonal(width, height);
    // No number of steps fills a canvas at a zoom that is not a positive number.
    if (!(zoom > 0.0f) || !std::isfinite(zoom))
        return INT_MAX;
    const float quotient = static_cast<float>(extent) / (zoom * 256.0f);
    const int steps = CeilToInt(quotient);
    if (steps <= 0)
        return 1;
    if (steps == 1)
        return 3;
    return steps == INT_MAX ? INT_MAX : steps + 1;
}

int CCColorAnimationRender::TravelLength(int style, int width, int height)
{
    int travel = width;
    if (style == COLOR_STYLE_FLASH)
        travel = width / 2;
    else if (style >= COLOR_STYLE_UPPER_LEFT && style <= COLOR_STYLE_LOWER_RIGHT)
        travel = Diagonal(width, height);
    return travel <= 0 ? width : travel;
}

int CCColorAnimationRender::RenderColorEffect(CDC* pDC, UINT frame, const ProgramColorEffect& effect)
{
    if (pDC == nullptr)
        return 1;
    constexpr double pi = std::numbers::pi;
    switch (effect.m_style) {
    case COLOR_STYLE_CHANGE:
        DrawColorChange(pDC, effect, frame);
        break;
    case COLOR_STYLE_FLASH:
        DrawColorFlash(pDC, effect, frame);
        break;
    case COLOR_STYLE_MOVE_UP:
        DrawStripMove(pDC, effect, frame, pi / 2);
        break;
    case COLOR_STYLE_MOVE_DOWN:
        DrawStripMove(pDC, effect, frame, 3 * pi / 2);
        break;
    case COLOR_STYLE_MOVE_LEFT:
        DrawStripMove(pDC, effect, frame, 0.0);
        break;
    case COLOR_STYLE_MOVE_RIGHT:
        DrawStripMove(pDC, effect, frame, pi);
        break;
    case COLOR_STYLE_EXPAND_VERTICAL:
        DrawStripExpandShrink(pDC, effect, frame, true, pi / 2);
        break;
    case COLOR_STYLE_SHRINK_VERTICAL:
        DrawStripExpandShrink(pDC, effect, frame, false, pi / 2);
        break;
    case COLOR_STYLE_EXPAND_HORIZONTAL:
        DrawStripExpandShrink(pDC, effect, frame, true, 0.0);
        break;
    case COLOR_STYLE_SHRINK_HORIZONTAL:
        DrawStripExpandShrink(pDC, effect, frame, false, 0.0);
        break;
    case COLOR_STYLE_UPPER_LEFT:
        DrawStripDiagonal(pDC, effect, frame);
        break;
    case COLOR_STYLE_UPPER_RIGHT:
        DrawStripDiagonal(pDC, effect, frame);
        FlipCanvasHorizontal(pDC);
        break;
    case COLOR_STYLE_LOWER_LEFT:
        DrawStripDiagonal(pDC, effect, frame);
        FlipCanvasVertical(pDC);
        break;
    case COLOR_STYLE_LOWER_RIGHT:
        DrawStripDiagonal(pDC, effect, frame);
        FlipCanvasHorizontal(pDC);
        FlipCanvasVertical(pDC);
        break;
    case COLOR_STYLE_RECTANGLE_EXPAND:
        DrawRectangleExpand(pDC, effect, frame);
        break;
    case COLOR_STYLE_RECTANGLE_SHRINK:
        DrawRectangleShrink(pDC, effect, frame);
        break;
    case COLOR_STYLE_CIRCLE_EXPAND:
        DrawCircleExpand(pDC, effect, frame);
        break;
    case COLOR_STYLE_CIRCLE_SHRINK:
        DrawCircleShrink(pDC, effect, frame);
        break;
    case COLOR_STYLE_DIAMOND_EXPAND:
        DrawDiamondExpand(pDC, effect, frame);
        break;
    case COLOR_STYLE_DIAMOND_SHRINK:
        DrawDiamondShrink(pDC, effect, frame);
        break;
    case COLOR_STYLE_SCAN_RIGHT:
    case COLOR_STYLE_SCAN_DOWN:
    case COLOR_STYLE_SCAN_LEFT:
    case COLOR_STYLE_SCAN_UP:
        DrawScanLine(pDC, frame, effect);
        break;
    default:
        break; // style 20 and unknown codes draw nothing
    }
    return 1;
}

int CCColorAnimationRender::DrawColorChange(CDC* pDC, const ProgramColorEffect& effect, UINT frame)
{
    if (pDC == nullptr)
        return 1;
    const CRect clip = ClipBoxOf(pDC);
    const int position = StripPositionOnward(effect, frame, 1.0f / effect.m_zoomFactor);
    const StripLocation at = LocatePosition(effect.m_templates, position);
    if (at.index < 0) {
        // No template holds a colour: the view shows black.
        FillColor(pDC, clip, RGB(0, 0, 0));
        return 1;
    }
    const ColorTemplate* colorTemplate = effect.m_templates.GetAt(at.index);
    const int length = TemplateLength(colorTemplate);
    // Past the strip's end the colours start again from the first step, as
    // they do in the moving styles.
    int x = at.pastEnd ? position % kStepWidth : at.offset;
    if (x >= length)
        x = length - 1;
    if (frame == 1)
        x = 0;

    const std::vector<DWORD> row = m_strips->TemplateGradient(*colorTemplate, length);
    COLORREF color = RGB(0, 0, 0);
    if (!row.empty())
        color = ColorOfPixel(row[static_cast<size_t>(x)]);
    FillColor(pDC, clip, color);
    return 1;
}

int CCColorAnimationRender::DrawColorFlash(CDC* pDC, const ProgramColorEffect& effect, UINT frame)
{
    const UINT half = frame / 2;
    if (half % 2 == 1) {
        FillColor(pDC, ClipBoxOf(pDC), RGB(0, 0, 0));
        return 1;
    }
    return DrawColorChange(pDC, effect, half);
}
