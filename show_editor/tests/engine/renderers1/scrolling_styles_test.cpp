// The scrolling colour styles: strips moving in the four directions pixel
// for pixel at zoom 1.0, the window restarting past the strip's end and at a
// template's end, the speed scale, the zoom's stretch, expanding and
// shrinking halves, and the diagonal styles with their flips.
#include "color_render_support.h"
#include "colour_test_util.h"

#include <gtest/gtest.h>

using namespace colourtest;
using enginetest::Canvas;
using enginetest::Near;
using enginetest::Show;

namespace {

// The colour of strip position p in every pixel that shows it.
struct Expect {
    int x, y;
    COLORREF color;
};

void Render(Canvas& canvas, const ProgramColorEffect& effect, UINT frame, float speedScale = 1.0f)
{
    CCColorAnimationRender renderer;
    renderer.m_speedScale = speedScale;
    ASSERT_EQ(renderer.RenderColorEffect(canvas.dc(), frame, effect), 1);
}

} // namespace

TEST(StripMove, EachDirectionShowsThePositionAtItsStartingEdge)
{
    // 16 x 8 view, one gradient template A, B, C, zoom 1.0, speeds 1.0:
    // frame 10 puts strip pixel 10 at the edge the colours travel to.
    struct Case {
        int style;
        int (*index)(int x, int y); // strip offset from the position shown at (x, y)
    };
    const Case cases[] = {
        { COLOR_STYLE_MOVE_LEFT, [](int x, int) { return x; } },
        { COLOR_STYLE_MOVE_RIGHT, [](int x, int) { return 15 - x; } },
        { COLOR_STYLE_MOVE_UP, [](int, int y) { return y; } },
        { COLOR_STYLE_MOVE_DOWN, [](int, int y) { return 7 - y; } },
    };
    for (const Case& c : cases) {
        auto effect = MakeAbc(c.style);
        Canvas canvas(16, 8, kMarker);
        Render(canvas, *effect, 10);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(canvas.At(x, y), Abc(10 + c.index(x, y)))
                    << "style " << c.style << " at " << x << "," << y << ": " << Show(canvas.At(x, y));
    }
}

TEST(StripMove, WindowWrapsRoundTheTemplatesAndRestartsPastTheEnd)
{
    auto effect = MakeAbc(COLOR_STYLE_MOVE_LEFT);
    // Position 500 lies in the B->C step; the strip goes on with template 0
    // (A->B) after it, 12 pixels into the view.
    Canvas wrap(16, 2, kMarker);
    Render(wrap, *effect, 500);
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(wrap.At(x, 1), x < 12 ? Mix(B, C, 244 + x) : Mix(A, B, x - 12)) << x;

    // Past the end (position 600 of 512): template 0 again, shifted by 600 mod 256.
    Canvas past(16, 2, kMarker);
    Render(past, *effect, 600);
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(past.At(x, 0), Mix(A, B, 88 + x)) << x;

    // Exactly at the end of a template the window starts with the next one.
    auto two = MakeEffect(COLOR_STYLE_MOVE_LEFT);
    AddTemplate(*two, ColorTemplate::CHANGE_GRADIENT, { A, B });
    AddTemplate(*two, ColorTemplate::CHANGE_SOLID, { C });
    Canvas edge(16, 2, kMarker);
    Render(edge, *two, 256);
    EXPECT_TRUE(AllPixels(edge, C)) << Show(edge.At(0, 0));
}

TEST(StripMove, SpeedScaleMultipliesTheAdvance)
{
    auto effect = MakeAbc(COLOR_STYLE_MOVE_LEFT);
    Canvas canvas(16, 2, kMarker);
    Render(canvas, *effect, 10, 2.0f);
    EXPECT_EQ(canvas.At(0, 0), Abc(20));
    EXPECT_EQ(canvas.At(15, 1), Abc(35));
    // The colour change does not use the scale.
    effect->m_style = COLOR_STYLE_CHANGE;
    Render(canvas, *effect, 10, 2.0f);
    EXPECT_EQ(canvas.At(0, 0), Abc(10));
}

TEST(StripMove, ZoomWidensEveryStep)
{
    // Zoom 2.0: each strip pixel covers two view pixels (the stretch blend is
    // GDI's halftone, so neighbouring pixels may mix).
    auto effect = MakeEffect(COLOR_STYLE_MOVE_LEFT, 2.0f);
    AddTemplate(*effect, ColorTemplate::CHANGE_SOLID, { A, B });
    Canvas canvas(600, 2, kMarker);
    Render(canvas, *effect, 0);
    EXPECT_EQ(canvas.At(0, 0), A);
    EXPECT_EQ(canvas.At(500, 0), A);
    EXPECT_EQ(canvas.At(515, 1), B);
    EXPECT_EQ(canvas.At(599, 1), B);
    // Frame 100 moves the colours 100 view pixels (50 strip pixels).
    Render(canvas, *effect, 100);
    EXPECT_EQ(canvas.At(400, 0), A);
    EXPECT_EQ(canvas.At(415, 0), B);

    auto gradient = MakeAbc(COLOR_STYLE_MOVE_UP, 2.0f);
    Canvas tall(2, 16, kMarker);
    Render(tall, *gradient, 0);
    for (int y = 0; y < 16; ++y)
        EXPECT_TRUE(Near(tall.At(1, y), Abc(y / 2), 4)) << y << ": " << Show(tall.At(1, y));
}

TEST(StripExpandShrink, HalvesMirrorEachOtherAlongTheirAxis)
{
    // A solid template of one colour fills each half exactly.
    for (int style = COLOR_STYLE_EXPAND_VERTICAL; style <= COLOR_STYLE_SHRINK_HORIZONTAL; ++style) {
        auto flat = MakeEffect(style);
        AddTemplate(*flat, ColorTemplate::CHANGE_SOLID, { D });
        Canvas canvas(15, 9, kMarker);
        Render(canvas, *flat, 7);
        EXPECT_TRUE(AllPixels(canvas, D)) << style;
    }

    for (int style = COLOR_STYLE_EXPAND_VERTICAL; style <= COLOR_STYLE_SHRINK_HORIZONTAL; ++style) {
        const bool vertical = style <= COLOR_STYLE_SHRINK_VERTICAL;
        for (int size : { 16, 15 }) {
            auto effect = MakeAbc(style);
            const int w = vertical ? 6 : size;
            const int h = vertical ? size : 6;
            Canvas canvas(w, h, kMarker);
            Render(canvas, *effect, 40);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const COLORREF mirrored = vertical ? canvas.At(x, h - 1 - y) : canvas.At(w - 1 - x, y);
                    const COLORREF across = vertical ? canvas.At(0, y) : canvas.At(x, 0);
                    ASSERT_EQ(canvas.At(x, y), mirrored) << style << " " << size << " at " << x << "," << y;
                    ASSERT_EQ(canvas.At(x, y), across) << style << " " << size << " at " << x << "," << y;
                }
        }
    }
}

TEST(StripExpandShrink, OutwardStartsAtTheEdgesInwardAtTheMiddle)
{
    // Solid A then B: from position 128 the first 128 window pixels are A and
    // the next 128 B, so each 8-pixel half is A for its first four pixels.
    auto effect = MakeEffect(COLOR_STYLE_EXPAND_HORIZONTAL);
    AddTemplate(*effect, ColorTemplate::CHANGE_SOLID, { A, B });
    Canvas outward(16, 4, kMarker);
    Render(outward, *effect, 128);
    for (int x : { 0, 1, 2, 13, 14, 15 })
        EXPECT_EQ(outward.At(x, 2), A) << x;
    for (int x : { 5, 6, 7, 8, 9, 10 })
        EXPECT_EQ(outward.At(x, 2), B) << x;

    effect->m_style = COLOR_STYLE_SHRINK_HORIZONTAL;
    Canvas inward(16, 4, kMarker);
    Render(inward, *effect, 128);
    for (int x : { 0, 1, 2, 13, 14, 15 })
        EXPECT_EQ(inward.At(x, 1), B) << x;
    for (int x : { 5, 6, 7, 8, 9, 10 })
        EXPECT_EQ(inward.At(x, 1), A) << x;

    effect->m_style = COLOR_STYLE_EXPAND_VERTICAL;
    Canvas vertical(4, 16, kMarker);
    Render(vertical, *effect, 128);
    EXPECT_EQ(vertical.At(1, 0), A);
    EXPECT_EQ(vertical.At(1, 15), A);
    EXPECT_EQ(vertical.At(1, 7), B);
    EXPECT_EQ(vertical.At(1, 8), B);

    // The step count follows the width also for the vertical styles: a view
    // 600 wide takes three steps, so each half of the rows reaches into C.
    auto three = MakeEffect(COLOR_STYLE_EXPAND_VERTICAL);
    AddTemplate(*three, ColorTemplate::CHANGE_SOLID, { A, B, C });
    Canvas wide(600, 12, kMarker);
    Render(wide, *three, 0);
    EXPECT_EQ(wide.At(300, 0), A);
    EXPECT_EQ(wide.At(300, 5), C);
    EXPECT_EQ(wide.At(300, 6), C);
    EXPECT_EQ(wide.At(300, 11), A);
}

TEST(StripDiagonal, ColoursTravelTowardTheNamedCorner)
{
    // Solid A then B from position 245: window pixels 0 .. 10 are A and the
    // rest B. Pixels near the corner the colours travel to show A, the
    // opposite corner B.
    struct Case {
        int style;
        POINT toward, away;
    };
    const Case cases[] = {
        { COLOR_STYLE_UPPER_LEFT, { 0, 0 }, { 15, 15 } },
        { COLOR_STYLE_UPPER_RIGHT, { 15, 0 }, { 0, 15 } },
        { COLOR_STYLE_LOWER_LEFT, { 0, 15 }, { 15, 0 } },
        { COLOR_STYLE_LOWER_RIGHT, { 15, 15 }, { 0, 0 } },
    };
    for (const Case& c : cases) {
        auto effect = MakeEffect(c.style);
        AddTemplate(*effect, ColorTemplate::CHANGE_SOLID, { A, B });
        Canvas canvas(16, 16, kMarker);
        Render(canvas, *effect, 245);
        const int sx = c.toward.x == 0 ? 1 : -1;
        const int sy = c.toward.y == 0 ? 1 : -1;
        EXPECT_TRUE(Near(canvas.At(c.toward.x + 2 * sx, c.toward.y + 2 * sy), A, 8))
            << c.style << ": " << Show(canvas.At(c.toward.x + 2 * sx, c.toward.y + 2 * sy));
        EXPECT_TRUE(Near(canvas.At(c.away.x - 2 * sx, c.away.y - 2 * sy), B, 8))
            << c.style << ": " << Show(canvas.At(c.away.x - 2 * sx, c.away.y - 2 * sy));
        // Bands run across the travel direction: the other diagonal is one colour.
        EXPECT_EQ(
            canvas.At(c.toward.x + 4 * sx, c.toward.y + 10 * sy), canvas.At(c.toward.x + 10 * sx, c.toward.y + 4 * sy))
            << c.style;
    }
}

TEST(StripDiagonal, FlippedStylesAreMirrorImagesOfTheUpperLeft)
{
    auto base = MakeAbc(COLOR_STYLE_UPPER_LEFT);
    Canvas upperLeft(12, 9, kMarker);
    Render(upperLeft, *base, 33);
    const struct {
        int style;
        bool flipX, flipY;
    } cases[] = {
        { COLOR_STYLE_UPPER_RIGHT, true, false },
        { COLOR_STYLE_LOWER_LEFT, false, true },
        { COLOR_STYLE_LOWER_RIGHT, true, true },
    };
    for (const auto& c : cases) {
        auto effect = MakeAbc(c.style);
        Canvas canvas(12, 9, kMarker);
        Render(canvas, *effect, 33);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(canvas.At(x, y), upperLeft.At(c.flipX ? 11 - x : x, c.flipY ? 8 - y : y))
                    << c.style << " at " << x << "," << y;
    }
    // No pixel is left as it was: the turned square covers the whole view.
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_NE(upperLeft.At(x, y), kMarker) << x << "," << y;
}

TEST(StripDiagonal, TurnedSquareOfA200By50View)
{
    const colorrender::DiagonalLayout layout = colorrender::LayDiagonal(CRect(0, 0, 200, 50));
    const float expected[3][2] = { { 100, -100 }, { 225, 25 }, { -25, 25 } };
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j)
            EXPECT_NEAR(layout.corners[i][j], expected[i][j], 1e-3) << i << "," << j;
    EXPECT_EQ(layout.windowWidth, 177);
    EXPECT_EQ(layout.windowHeight, 177);
    const colorrender::DiagonalLayout moved = colorrender::LayDiagonal(CRect(10, 20, 210, 70));
    EXPECT_NEAR(moved.corners[0][0], 110, 1e-3);
    EXPECT_NEAR(moved.corners[0][1], -80, 1e-3);
}

TEST(StripExpandShrink, EdgesAndMiddleOfA200By50View)
{
    // Each 100-pixel half shows 256 strip pixels: the edges start at A and
    // the middle columns come near the end of the first step.
    auto effect = MakeAbc(COLOR_STYLE_EXPAND_HORIZONTAL);
    Canvas canvas(200, 50, kMarker);
    Render(canvas, *effect, 0);
    EXPECT_TRUE(Near(canvas.At(0, 10), A, 4)) << Show(canvas.At(0, 10));
    EXPECT_TRUE(Near(canvas.At(199, 10), A, 4)) << Show(canvas.At(199, 10));
    EXPECT_TRUE(Near(canvas.At(99, 10), Abc(253), 6)) << Show(canvas.At(99, 10));
    EXPECT_EQ(canvas.At(99, 10), canvas.At(100, 40));

    effect->m_style = COLOR_STYLE_EXPAND_VERTICAL;
    Render(canvas, *effect, 0);
    EXPECT_TRUE(Near(canvas.At(50, 0), A, 4)) << Show(canvas.At(50, 0));
    EXPECT_TRUE(Near(canvas.At(150, 49), A, 4)) << Show(canvas.At(150, 49));
    // k = 1 from the width: 25 rows show the whole first step.
    EXPECT_TRUE(Near(canvas.At(7, 24), Abc(246), 12)) << Show(canvas.At(7, 24));
}

TEST(StripDiagonal, OurResamplerDrawsWhatGdiplusDraws)
{
    // A window whose neighbouring pixels all differ shows every difference
    // in where and how the two sample; the views include a clip box away
    // from the bitmap's corner.
    const struct {
        int width, height;
        CRect clip;
    } cases[] = {
        { 200, 50, CRect(0, 0, 200, 50) },
        { 16, 16, CRect(0, 0, 16, 16) },
        { 12, 9, CRect(0, 0, 12, 9) },
        { 77, 333, CRect(0, 0, 77, 333) },
        { 48, 36, CRect(3, 2, 40, 30) },
    };
    for (const auto& c : cases) {
        const colorrender::DiagonalLayout layout = colorrender::LayDiagonal(c.clip);
        std::vector<DWORD> line(static_cast<size_t>(layout.windowWidth));
        for (int i = 0; i < layout.windowWidth; ++i)
            line[static_cast<size_t>(i)] = ((i * 37) & 0xFF) << 16 | ((i * 91 + 7) & 0xFF) << 8 | ((i * 13) & 0xFF);
        Canvas ours(c.width, c.height, kBlack);
        Canvas theirs(c.width, c.height, kBlack);
        ours.dc()->IntersectClipRect(&c.clip);
        theirs.dc()->IntersectClipRect(&c.clip);
        ASSERT_TRUE(colorrender::DrawDiagonalWindow(ours.dc(), c.clip, layout, line));
        colorrender::DrawDiagonalWindowGdiplus(theirs.dc(), layout, line);
        // GDI+ decides a pixel whose centre lies on the strip's outline by its
        // own rounding, which differs between its 32- and 64-bit builds: one
        // such pixel per view may stay background there.
        int gdiplusLeftOut = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                if (Near(ours.At(x, y), theirs.At(x, y), 1))
                    continue;
                if (theirs.At(x, y) == kBlack && ++gdiplusLeftOut == 1)
                    continue;
                ASSERT_TRUE(false) << c.width << "x" << c.height << " at " << x << "," << y << ": ours "
                                   << Show(ours.At(x, y)) << ", GDI+ " << Show(theirs.At(x, y));
            }
    }
}
