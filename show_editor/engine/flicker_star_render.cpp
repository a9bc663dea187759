// Flicker stars over their back colour, each at its phase's brightness
// (clamped to the program's bounds) as GDI+ opacity.
#include "flicker_star_render.h"

#include "color_render_support.h"
#include "gdiplus_handles.h"

#include <cmath>
#include <cstdlib>
#include <memory>

using namespace colorrender;

namespace {

struct PenDeleter {
    void operator()(Gdiplus::GpPen* p) const { gdip::GdipDeletePen(p); }
};

// trunc(speed x 10); a speed that is not a number stands still, and huge
// ones are held to a few cycles a frame so the sums stay in range.
int PhaseAdvance(float speed)
{
    const float tenths = speed * 10.0f;
    if (std::isnan(tenths))
        return 0;
    constexpr float limit = 16.0f * kFlickerPhaseCycle;
    if (tenths > limit)
        return static_cast<int>(limit);
    if (tenths < -limit)
        return -static_cast<int>(limit);
    return static_cast<int>(tenths);
}

int Brightness(int phase, int minimum, int maximum)
{
    int b = phase <= 255 ? phase : kFlickerPhaseCycle - phase;
    if (b > maximum)
        b = maximum;
    if (b < minimum)
        b = minimum; // the minimum wins when the bounds cross
    return b;
}

void DrawStar(Gdiplus::GpGraphics* graphics, const StartPoint& star, int size, bool round, Gdiplus::ARGB color)
{
    Gdiplus::GpSolidFill* fill = nullptr;
    if (gdip::GdipCreateSolidFill(color, &fill) != Gdiplus::Ok)
        return;
    const gdip::Brush brush(fill);
    if (round) {
        Gdiplus::GpPen* rawPen = nullptr;
        if (gdip::GdipCreatePen1(color, 1.0f, Gdiplus::UnitWorld, &rawPen) == Gdiplus::Ok) {
            const std::unique_ptr<Gdiplus::GpPen, PenDeleter> pen(rawPen);
            gdip::GdipDrawEllipseI(graphics, rawPen, star.m_x, star.m_y, size, size);
        }
        gdip::GdipFillEllipseI(graphics, fill, star.m_x, star.m_y, size, size);
    } else {
        gdip::GdipFillRectangleI(graphics, fill, star.m_x, star.m_y, size, size);
    }
}

} // namespace

int DrawFlickerStars(CDC* pDC, CEFlickerStar& stars)
{
    if (pDC == nullptr)
        return 1;
    const CRect clip = ClipBoxOf(pDC);
    const int width = clip.Width();
    const int height = clip.Height();
    // No room to place a star in: nothing is drawn and nothing advances.
    if (width <= 0 || height <= 0)
        return 1;
    const int advance = PhaseAdvance(stars.m_speed);

    FillColor(pDC, clip, stars.m_backgroundColor);
    {
        const gdip::Graphics graphics = gdip::GraphicsFromDC(pDC->GetSafeHdc());
        // A star without a phase has no place in the cycle: only stars with
        // one are drawn.
        const INT_PTR count = stars.m_startPoints.GetSize() < stars.m_phases.GetSize() ? stars.m_startPoints.GetSize()
                                                                                       : stars.m_phases.GetSize();
        for (INT_PTR i = 0; i < count; ++i) {
            const int phase = stars.m_phases.GetAt(i);
            // Exceeds, not reaches: a phase landing exactly on 510 wraps to 0 in place.
            const bool finishing = phase + advance > kFlickerPhaseCycle;
            const int b = Brightness(phase, stars.m_minBrightness, stars.m_maxBrightness);
            StartPoint& star = stars.m_startPoints.ElementAt(i);
            const Gdiplus::ARGB color = (static_cast<Gdiplus::ARGB>(b) << 24) | (PixelOf(star.m_color) & 0x00FFFFFF);
            if (graphics)
                DrawStar(graphics.get(), star, stars.m_size, stars.m_shape == 0, color);
            if (finishing) {
                star.m_x = std::rand() % width;
                star.m_y = std::rand() % height;
            }
        }
    }
    for (INT_PTR i = 0; i < stars.m_phases.GetSize(); ++i) {
        // Kept within the cycle also for negative speeds.
        int phase = (static_cast<int>(stars.m_phases.GetAt(i)) + advance) % kFlickerPhaseCycle;
        if (phase < 0)
            phase += kFlickerPhaseCycle;
        stars.m_phases.SetAt(i, static_cast<WORD>(phase));
    }
    return 1;
}
