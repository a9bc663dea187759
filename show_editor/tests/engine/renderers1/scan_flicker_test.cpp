// Scan lines pixel for pixel, and flicker stars: brightness over the phase
// cycle, moves to places drawn from the C runtime's generator as seeded by
// the colour renderer, and degenerate programs.
#include "colour_test_util.h"
#include "flicker_star_render.h"
#include "scan_line_render.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace colourtest;
using enginetest::Canvas;
using enginetest::Near;
using enginetest::Show;

namespace {

const COLORREF kBack = RGB(10, 20, 30);
const COLORREF kLine = RGB(250, 240, 5);

std::unique_ptr<ProgramColorEffect> MakeScan(int style, float zoom)
{
    auto effect = MakeEffect(style, zoom);
    AddTemplate(*effect, ColorTemplate::CHANGE_GRADIENT, { kBack, kLine });
    return effect;
}

// The canvas shows the background with the line at column x (or row y when
// x is negative).
::testing::AssertionResult LineAt(const Canvas& canvas, int x, int y)
{
    for (int py = 0; py < canvas.height; ++py)
        for (int px = 0; px < canvas.width; ++px) {
            const bool onLine = x >= 0 ? px == x : py == y;
            const COLORREF expected = onLine ? kLine : kBack;
            if (canvas.At(px, py) != expected)
                return ::testing::AssertionFailure()
                    << "pixel " << px << "," << py << " is " << Show(canvas.At(px, py));
        }
    return ::testing::AssertionSuccess();
}

// The msvcrt generator: state * 214013 + 2531011, bits 16 to 30.
struct Lcg {
    unsigned state;
    int Next()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

std::unique_ptr<CEFlickerStar> MakeStars(float speed, std::initializer_list<std::pair<int, StartPoint>> stars)
{
    auto program = std::make_unique<CEFlickerStar>();
    program->m_backgroundColor = kBack;
    program->m_speed = speed;
    program->m_shape = 1; // squares: no outline to blend twice
    program->m_size = 1;
    for (const auto& [phase, point] : stars) {
        program->m_phases.Add(static_cast<WORD>(phase));
        program->m_startPoints.Add(point);
    }
    return program;
}

// The background with the star colour laid over it at opacity b.
COLORREF Blend(COLORREF star, int b)
{
    auto channel = [b](int s, int d) { return (s * b + d * (255 - b) + 127) / 255; };
    return RGB(channel(GetRValue(star), GetRValue(kBack)), channel(GetGValue(star), GetGValue(kBack)),
        channel(GetBValue(star), GetBValue(kBack)));
}

} // namespace

TEST(ScanLine, MovesEveryCthFrameAndWraps)
{
    auto effect = MakeScan(COLOR_STYLE_SCAN_RIGHT, 0.2f); // c = 5
    Canvas canvas(100, 4, kMarker);
    CCColorAnimationRender renderer;
    EXPECT_EQ(renderer.RenderColorEffect(canvas.dc(), 0, *effect), 1);
    EXPECT_TRUE(LineAt(canvas, 0, -1));
    for (UINT frame = 1; frame <= 4; ++frame) {
        canvas.Fill(kMarker);
        EXPECT_EQ(DrawScanLine(canvas.dc(), frame, *effect), 1);
        EXPECT_TRUE(AllPixels(canvas, kMarker)) << frame; // left as it was
    }
    DrawScanLine(canvas.dc(), 5, *effect);
    EXPECT_TRUE(LineAt(canvas, 1, -1));
    DrawScanLine(canvas.dc(), 500, *effect);
    EXPECT_TRUE(LineAt(canvas, 0, -1));
    DrawScanLine(canvas.dc(), 495, *effect);
    EXPECT_TRUE(LineAt(canvas, 99, -1));
}

TEST(ScanLine, EachDirectionAtEachSpeed)
{
    struct Case {
        int style;
        float zoom;
        UINT frame;
        int x, y;
    };
    const Case cases[] = {
        { COLOR_STYLE_SCAN_LEFT, 1.0f, 0, 99, -1 },
        { COLOR_STYLE_SCAN_LEFT, 1.0f, 1, 98, -1 },
        { COLOR_STYLE_SCAN_LEFT, 0.1f, 30, 96, -1 },
        { COLOR_STYLE_SCAN_RIGHT, 0.5f, 8, 4, -1 },
        { COLOR_STYLE_SCAN_DOWN, 1.0f, 7, -1, 7 },
        { COLOR_STYLE_SCAN_DOWN, 1.0f, 53, -1, 3 },
        { COLOR_STYLE_SCAN_UP, 1.0f, 0, -1, 49 },
        { COLOR_STYLE_SCAN_UP, 0.5f, 6, -1, 46 },
        // Outside the four speeds: below 0.1 as slow as 0.1, above 1.0 as fast as 1.0.
        { COLOR_STYLE_SCAN_RIGHT, 0.05f, 20, 2, -1 },
        { COLOR_STYLE_SCAN_RIGHT, 0.0f, 20, 2, -1 },
        { COLOR_STYLE_SCAN_RIGHT, 2.0f, 3, 3, -1 },
    };
    for (const Case& c : cases) {
        auto effect = MakeScan(c.style, c.zoom);
        Canvas canvas(100, 50, kMarker);
        EXPECT_EQ(DrawScanLine(canvas.dc(), c.frame, *effect), 1);
        EXPECT_TRUE(LineAt(canvas, c.x, c.y)) << "style " << c.style << " zoom " << c.zoom << " frame " << c.frame;
    }
}

TEST(ScanLine, StaysInsideAClipBoxAwayFromTheOrigin)
{
    auto effect = MakeScan(COLOR_STYLE_SCAN_RIGHT, 1.0f);
    Canvas canvas(20, 6, kMarker);
    canvas.dc()->IntersectClipRect(5, 2, 15, 6);
    DrawScanLine(canvas.dc(), 3, *effect);
    EXPECT_EQ(canvas.At(8, 3), kLine);
    EXPECT_EQ(canvas.At(7, 3), kBack);
    EXPECT_EQ(canvas.At(3, 3), kMarker);
    EXPECT_EQ(canvas.At(8, 1), kMarker);

    effect->m_style = COLOR_STYLE_SCAN_DOWN;
    DrawScanLine(canvas.dc(), 1, *effect);
    EXPECT_EQ(canvas.At(6, 3), kLine);
    EXPECT_EQ(canvas.At(6, 2), kBack);
}

TEST(ScanLine, TinyViewsAndNoColours)
{
    auto effect = MakeScan(COLOR_STYLE_SCAN_UP, 1.0f);
    Canvas dot(1, 1, kMarker);
    DrawScanLine(dot.dc(), 17, *effect);
    EXPECT_EQ(dot.At(0, 0), kLine);
    effect->m_style = COLOR_STYLE_SCAN_RIGHT;
    Canvas column(1, 5, kMarker);
    DrawScanLine(column.dc(), 4, *effect);
    EXPECT_TRUE(AllPixels(column, kLine));

    // Not a scan-line code: nothing is drawn.
    auto other = MakeScan(COLOR_STYLE_MOVE_LEFT, 1.0f);
    Canvas untouched(4, 2, kMarker);
    EXPECT_EQ(DrawScanLine(untouched.dc(), 0, *other), 1);
    EXPECT_TRUE(AllPixels(untouched, kMarker));

    auto none = MakeEffect(COLOR_STYLE_SCAN_RIGHT);
    Canvas canvas(6, 3, kMarker);
    EXPECT_NO_THROW(DrawScanLine(canvas.dc(), 0, *none));
    EXPECT_TRUE(AllPixels(canvas, kBlack));
}

TEST(FlickerStars, BrightnessRisesAndFallsOverTheCycle)
{
    const StartPoint star { 2, 1, RGB(255, 255, 255) };
    auto program = MakeStars(1.0f, { { 5, star } });
    Canvas canvas(6, 4, kMarker);
    CCColorAnimationRender seed;
    int expectedPhase = 5;
    for (int frame = 0; frame < 60; ++frame) {
        const int b = expectedPhase <= 255 ? expectedPhase : 510 - expectedPhase;
        EXPECT_EQ(DrawFlickerStars(canvas.dc(), *program), 1);
        if (expectedPhase == 505)
            break; // drawn at brightness 5, then moved
        EXPECT_TRUE(Near(canvas.At(2, 1), Blend(star.m_color, b), 1))
            << "phase " << expectedPhase << ": " << Show(canvas.At(2, 1));
        EXPECT_EQ(canvas.At(0, 0), kBack);
        expectedPhase = (expectedPhase + 10) % 510;
        EXPECT_EQ(program->m_phases[0], expectedPhase);
        EXPECT_EQ(program->m_startPoints[0].m_x, 2);
    }
    EXPECT_EQ(program->m_phases[0], 5);
    // Phase 255 is full brightness: exactly the star's colour.
    program->m_startPoints[0] = star;
    program->m_phases[0] = 255;
    DrawFlickerStars(canvas.dc(), *program);
    EXPECT_EQ(canvas.At(2, 1), star.m_color);
    program->m_phases[0] = 0;
    DrawFlickerStars(canvas.dc(), *program);
    EXPECT_EQ(canvas.At(2, 1), kBack);
}

TEST(FlickerStars, FinishingStarsMoveToPlacesFromTheSeededGenerator)
{
    const StartPoint first { 1, 1, RGB(255, 0, 0) };
    const StartPoint second { 3, 2, RGB(0, 255, 0) };
    const StartPoint third { 4, 0, RGB(0, 0, 255) };
    // Phase 505 finishes (505 + 10 > 510); phase 500 lands on 510 and wraps in place.
    auto program = MakeStars(1.0f, { { 505, first }, { 500, second }, { 505, third } });
    Canvas canvas(37, 23, kMarker);

    CCColorAnimationRender renderer; // seeds with 510
    DrawFlickerStars(canvas.dc(), *program);
    Lcg lcg { 510 };
    const int x1 = lcg.Next() % 37;
    const int y1 = lcg.Next() % 23;
    const int x3 = lcg.Next() % 37;
    const int y3 = lcg.Next() % 23;
    EXPECT_EQ(program->m_startPoints[0].m_x, x1);
    EXPECT_EQ(program->m_startPoints[0].m_y, y1);
    EXPECT_EQ(program->m_startPoints[1].m_x, 3);
    EXPECT_EQ(program->m_startPoints[1].m_y, 2);
    EXPECT_EQ(program->m_startPoints[2].m_x, x3);
    EXPECT_EQ(program->m_startPoints[2].m_y, y3);
    EXPECT_EQ(program->m_startPoints[0].m_color, first.m_color);
    EXPECT_EQ(program->m_phases[0], 5);
    EXPECT_EQ(program->m_phases[1], 0);
    // The moved stars were drawn at their old place first (brightness 5).
    EXPECT_TRUE(Near(canvas.At(1, 1), Blend(first.m_color, 5), 1)) << Show(canvas.At(1, 1));

    // The same seed gives the same places.
    auto again = MakeStars(1.0f, { { 505, first }, { 500, second }, { 505, third } });
    std::srand(510);
    DrawFlickerStars(canvas.dc(), *again);
    EXPECT_EQ(again->m_startPoints[0].m_x, x1);
    EXPECT_EQ(again->m_startPoints[2].m_y, y3);
}

TEST(FlickerStars, BrightnessBoundsAndStandingStars)
{
    const StartPoint star { 0, 0, RGB(255, 255, 255) };
    struct Case {
        int phase;
        int brightness;
    };
    const Case cases[] = { { 0, 50 }, { 49, 50 }, { 120, 120 }, { 200, 200 }, { 310, 200 }, { 461, 50 }, { 509, 50 } };
    for (const Case& c : cases) {
        auto program = MakeStars(0.0f, { { c.phase, star } });
        program->m_minBrightness = 50;
        program->m_maxBrightness = 200;
        Canvas canvas(3, 3, kMarker);
        DrawFlickerStars(canvas.dc(), *program);
        EXPECT_TRUE(Near(canvas.At(0, 0), Blend(star.m_color, c.brightness), 1))
            << "phase " << c.phase << ": " << Show(canvas.At(0, 0));
        EXPECT_EQ(program->m_phases[0], c.phase); // speed 0 stands still
    }
    // The minimum wins when the bounds cross.
    auto crossed = MakeStars(0.05f, { { 100, star } });
    crossed->m_minBrightness = 255;
    crossed->m_maxBrightness = 10;
    Canvas canvas(3, 3, kMarker);
    DrawFlickerStars(canvas.dc(), *crossed);
    EXPECT_EQ(canvas.At(0, 0), star.m_color);
    EXPECT_EQ(crossed->m_phases[0], 100);
}

TEST(FlickerStars, RoundStarsAndDegeneratePrograms)
{
    auto round = MakeStars(1.0f, { { 255, StartPoint { 2, 2, RGB(255, 255, 255) } } });
    round->m_shape = 0;
    round->m_size = 7;
    Canvas canvas(12, 12, kMarker);
    DrawFlickerStars(canvas.dc(), *round);
    EXPECT_EQ(canvas.At(5, 5), RGB(255, 255, 255)); // the middle of the dot
    EXPECT_EQ(canvas.At(0, 0), kBack);
    EXPECT_EQ(canvas.At(11, 11), kBack);
    EXPECT_EQ(canvas.At(2, 2), kBack); // outside the circle, inside its square

    // More stars than phases: the stars without one are not drawn.
    auto uneven = MakeStars(1.0f, { { 255, StartPoint { 0, 0, RGB(255, 0, 0) } } });
    uneven->m_startPoints.Add(StartPoint { 1, 0, RGB(0, 255, 0) });
    Canvas two(3, 1, kMarker);
    EXPECT_NO_THROW(DrawFlickerStars(two.dc(), *uneven));
    EXPECT_EQ(two.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(two.At(1, 0), kBack);

    // A negative speed walks the phases back within the cycle; nothing moves.
    auto backward = MakeStars(-1.0f, { { 5, StartPoint { 0, 0, RGB(255, 255, 255) } } });
    Canvas one(2, 2, kMarker);
    DrawFlickerStars(one.dc(), *backward);
    EXPECT_EQ(backward->m_phases[0], 505);
    EXPECT_EQ(backward->m_startPoints[0].m_x, 0);

    // An empty clip box: nothing is drawn and nothing advances.
    auto stars = MakeStars(1.0f, { { 505, StartPoint { 0, 0, RGB(255, 255, 255) } } });
    Canvas clipped(4, 4, kMarker);
    clipped.dc()->IntersectClipRect(2, 2, 2, 2);
    EXPECT_EQ(DrawFlickerStars(clipped.dc(), *stars), 1);
    EXPECT_TRUE(AllPixels(clipped, kMarker));
    EXPECT_EQ(stars->m_phases[0], 505);

    // No stars: just the background.
    CEFlickerStar empty;
    empty.m_backgroundColor = kBack;
    DrawFlickerStars(clipped.dc(), empty);
    Canvas plain(3, 2, kMarker);
    DrawFlickerStars(plain.dc(), empty);
    EXPECT_TRUE(AllPixels(plain, kBack));
}
