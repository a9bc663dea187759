// Zazez Urad line and scrolling styles, pixel for pixel on small canvases: a
// colour line of four one-pixel stops (L0 .. L3) makes every pixel name the
// line pixel it shows. Expected pictures come from the depth rule: a position
// at depth D from the entry shows line pixel F - 1 - D once D < F.
#include "effect_plus_test_util.h"

#include <gtest/gtest.h>

using namespace plustest;
using enginetest::Canvas;

namespace {

const CEffectPlusRender& Renderer()
{
    static const CEffectPlusRender renderer;
    return renderer;
}

void Draw(Canvas& canvas, const ProgramColorEffectPlus& item, UINT frame)
{
    ProgramColorEffectPlus& editable = const_cast<ProgramColorEffectPlus&>(item);
    DrawColorPlusStyle(canvas.dc(), editable, frame, &Renderer());
}

void Draw(Canvas& canvas, int style, UINT frame)
{
    auto item = MakeLineItem(style);
    Draw(canvas, *item, frame);
}

} // namespace

TEST(PlusLineStyles, ColourChangeAndFlash)
{
    Canvas canvas(3, 2, kMarker);
    // Code 0 fills with line pixel F (the renderer passes the item frame less one).
    for (UINT f : { 0u, 1u, 5u, 6u }) {
        Draw(canvas, PLUS_STYLE_CHANGE, f);
        EXPECT_TRUE(AllPixels(canvas, Lp(f))) << "F " << f;
    }
    // Code 1: black on even F, line pixel F div 2 on odd F.
    const COLORREF flash[] = { kBlack, L0, kBlack, L1, kBlack, L2, kBlack, L3, kBlack, L0 };
    for (UINT f = 0; f < 10; ++f) {
        Draw(canvas, PLUS_STYLE_FLASH, f);
        EXPECT_TRUE(AllPixels(canvas, flash[f])) << "F " << f;
    }
}

TEST(PlusLineStyles, HorizontalScrollEntersAtTheRightEdge)
{
    // 10 wide, W = 4. F = 3: columns 9, 8, 7 show line pixels 2, 1, 0.
    Canvas canvas(10, 2, kMarker);
    Draw(canvas, PLUS_STYLE_MOVE_LEFT, 3);
    EXPECT_EQ(canvas.At(9, 0), L2);
    EXPECT_EQ(canvas.At(8, 1), L1);
    EXPECT_EQ(canvas.At(7, 0), L0);
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(canvas.At(x, 1), kBlack) << x;
    // F = 12: every column lit, column 9 in line pixel 3.
    Draw(canvas, PLUS_STYLE_MOVE_LEFT, 12);
    EXPECT_EQ(canvas.At(9, 0), L3);
    EXPECT_TRUE(Matches(canvas, [](int x, int) { return AtDepth(9 - x, 12); }));
}

TEST(PlusLineStyles, StraightScrollsFollowTheDepthRule)
{
    struct Case {
        int style;
        int (*depth)(int x, int y); // on a 7 x 5 canvas
    };
    const Case cases[] = {
        { PLUS_STYLE_MOVE_UP, [](int, int y) { return 4 - y; } },
        { PLUS_STYLE_MOVE_DOWN, [](int, int y) { return y; } },
        { PLUS_STYLE_MOVE_LEFT, [](int x, int) { return 6 - x; } },
        { PLUS_STYLE_MOVE_RIGHT, [](int x, int) { return x; } },
        // Diagonal: depth (w + h - 1) - (x + y) from the bottom-right corner.
        { PLUS_STYLE_DIAGONAL, [](int x, int y) { return 11 - x - y; } },
        { PLUS_STYLE_DIAGONAL_FLIP_X, [](int x, int y) { return 11 - (6 - x) - y; } },
        { PLUS_STYLE_DIAGONAL_FLIP_Y, [](int x, int y) { return 11 - x - (4 - y); } },
        { PLUS_STYLE_DIAGONAL_FLIP_XY, [](int x, int y) { return 11 - (6 - x) - (4 - y); } },
    };
    for (const Case& c : cases)
        for (UINT f : { 0u, 1u, 2u, 3u, 6u, 9u, 13u, 40u, 1001u }) {
            Canvas canvas(7, 5, kMarker);
            Draw(canvas, c.style, f);
            ASSERT_TRUE(Matches(canvas, [&](int x, int y) { return AtDepth(c.depth(x, y), f); }))
                << "style " << c.style << " F " << f;
        }
}

TEST(PlusLineStyles, PartEdgeCases)
{
    // Code 2 at F = 1 lights only the bottom row, in line pixel 0.
    Canvas tall(4, 5, kMarker);
    Draw(tall, PLUS_STYLE_MOVE_UP, 1);
    EXPECT_TRUE(Matches(tall, [](int, int y) { return y == 4 ? L0 : kBlack; }));
    // Code 10 on 4 x 3 at F = 2 lights only the bottom-right pixel (depth 1).
    Canvas small(4, 3, kMarker);
    Draw(small, PLUS_STYLE_DIAGONAL, 2);
    EXPECT_TRUE(Matches(small, [](int x, int y) { return x == 3 && y == 2 ? L0 : kBlack; }));
    // F = 0 draws black for every moving code.
    for (int style : { 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 18, 19, 25, 26, 27, 28, 31, 32, 33, 34, 35, 37, 38 }) {
        Canvas canvas(6, 6, kMarker);
        Draw(canvas, style, 0);
        EXPECT_TRUE(AllPixels(canvas, kBlack)) << "style " << style;
    }
}

TEST(PlusLineStyles, SplitAndMeetAtTheCentreLines)
{
    // Even sizes: the halves are exact mirrors.
    struct Case {
        int style;
        int w, h;
        int (*depth)(int x, int y);
    };
    const Case cases[] = {
        // Code 6 on 5 x 6: leave the horizontal centre line (rows 2 | 3).
        { PLUS_STYLE_SPLIT_VERTICAL, 5, 6, [](int, int y) { return y < 3 ? 2 - y : y - 3; } },
        // Code 7: enter at the top and bottom edges.
        { PLUS_STYLE_MEET_VERTICAL, 5, 6, [](int, int y) { return y < 3 ? y : 5 - y; } },
        // Code 8 on 8 x 3: leave the vertical centre line (columns 3 | 4).
        { PLUS_STYLE_SPLIT_HORIZONTAL, 8, 3, [](int x, int) { return x < 4 ? 3 - x : x - 4; } },
        // Code 9: enter at the left and right edges.
        { PLUS_STYLE_MEET_HORIZONTAL, 8, 3, [](int x, int) { return x < 4 ? x : 7 - x; } },
    };
    for (const Case& c : cases)
        for (UINT f : { 1u, 2u, 3u, 4u, 7u, 22u }) {
            Canvas canvas(c.w, c.h, kMarker);
            Draw(canvas, c.style, f);
            ASSERT_TRUE(Matches(canvas, [&](int x, int y) { return AtDepth(c.depth(x, y), f); }))
                << "style " << c.style << " F " << f;
        }
}

TEST(PlusLineStyles, OddSplitsStretchTheHalfOntoTheLargerPart)
{
    // Code 6 on 3 x 7 at F = 2: the top three rows show black, L0, L1 (entry
    // at row 2); they are stretched onto the four rows 3 .. 6, which are then
    // flipped: the entry row meets the middle row from both sides, the edges
    // stay black.
    Canvas rows(3, 7, kMarker);
    Draw(rows, PLUS_STYLE_SPLIT_VERTICAL, 2);
    EXPECT_EQ(rows.At(1, 0), kBlack);
    EXPECT_EQ(rows.At(1, 1), L0);
    EXPECT_EQ(rows.At(1, 2), L1);
    EXPECT_EQ(rows.At(1, 3), L1);
    EXPECT_EQ(rows.At(1, 6), kBlack);
    // Code 8 on 7 x 3 at F = 2: the right three columns show black, L0, L1;
    // they are stretched onto columns 0 .. 3 (the middle one kept), then the
    // right three are flipped in place.
    Canvas columns(7, 3, kMarker);
    Draw(columns, PLUS_STYLE_SPLIT_HORIZONTAL, 2);
    EXPECT_EQ(columns.At(0, 1), kBlack);
    EXPECT_EQ(columns.At(3, 1), L1);
    EXPECT_EQ(columns.At(4, 1), L1);
    EXPECT_EQ(columns.At(5, 1), L0);
    EXPECT_EQ(columns.At(6, 1), kBlack);
}

TEST(PlusLineStyles, DiagonalQuadrantsAndFans)
{
    struct Case {
        int style;
        int w, h;
        int (*depth)(int x, int y);
    };
    const Case cases[] = {
        // Code 18 on 8 x 6: a 4 x 3 diagonal fill per quarter, entering at the centre.
        { PLUS_STYLE_QUADRANTS_OUT, 8, 6, [](int x, int y) { return 6 - (x < 4 ? x : 7 - x) - (y < 3 ? y : 5 - y); } },
        // Code 19: the quarter flipped both ways, entering at the corners.
        { PLUS_STYLE_QUADRANTS_IN, 8, 6, [](int x, int y) { return 1 + (x < 4 ? x : 7 - x) + (y < 3 ? y : 5 - y); } },
        // Code 32 on 6 x 6: a 6 x 3 fill entering at the right end of the centre line.
        { PLUS_STYLE_FAN_FROM_RIGHT, 6, 6, [](int x, int y) { return 8 - x - (y < 3 ? y : 5 - y); } },
        { PLUS_STYLE_FAN_FROM_LEFT, 6, 6, [](int x, int y) { return 3 + x - (y < 3 ? y : 5 - y); } },
        // Code 34: a 3 x 6 fill entering at the bottom end of the vertical centre line.
        { PLUS_STYLE_FAN_FROM_BOTTOM, 6, 6, [](int x, int y) { return 8 - (x < 3 ? x : 5 - x) - y; } },
        { PLUS_STYLE_FAN_FROM_TOP, 6, 6, [](int x, int y) { return 3 - (x < 3 ? x : 5 - x) + y; } },
    };
    for (const Case& c : cases)
        for (UINT f : { 1u, 2u, 3u, 5u, 9u, 30u }) {
            Canvas canvas(c.w, c.h, kMarker);
            Draw(canvas, c.style, f);
            ASSERT_TRUE(Matches(canvas, [&](int x, int y) { return AtDepth(c.depth(x, y), f); }))
                << "style " << c.style << " F " << f;
        }
}

TEST(PlusLineStyles, QuadrantsWithFansOverlayAfterTheDelay)
{
    // 8 x 6, h2 = 3. Up to F = 3 code 31 is code 18 alone.
    for (UINT f : { 1u, 2u, 3u }) {
        Canvas fans(8, 6, kMarker);
        Canvas quadrants(8, 6, kMarker);
        Draw(fans, PLUS_STYLE_QUADRANTS_FANS, f);
        Draw(quadrants, PLUS_STYLE_QUADRANTS_OUT, f);
        for (int y = 0; y < 6; ++y)
            ASSERT_EQ(fans.Row(y), quadrants.Row(y)) << "F " << f;
    }
    // Later, code 35 (top half) and code 34 (bottom half) of an 8 x 3 image at
    // F - 3 are laid over code 18 wherever they are lit.
    for (UINT f : { 4u, 5u, 7u, 12u }) {
        Canvas canvas(8, 6, kMarker);
        Draw(canvas, PLUS_STYLE_QUADRANTS_FANS, f);
        const long long later = f - 3;
        ASSERT_TRUE(Matches(canvas,
            [&](int x, int y) {
                const int qx = x < 4 ? x : 7 - x;
                const COLORREF over = y < 3 ? AtDepth(4 - qx + y, later) : AtDepth(6 - qx - (y - 3), later);
                if (over != kBlack)
                    return over;
                return AtDepth(6 - qx - (y < 3 ? y : 5 - y), f);
            }))
            << "F " << f;
    }
}

TEST(PlusLineStyles, InterlacedScrolls)
{
    // Code 37: even rows from code 5 (entering left), odd rows from code 4.
    for (UINT f : { 1u, 3u, 8u }) {
        Canvas canvas(6, 4, kMarker);
        Draw(canvas, PLUS_STYLE_INTERLACED_ROWS, f);
        ASSERT_TRUE(Matches(canvas, [&](int x, int y) { return AtDepth(y % 2 == 0 ? x : 5 - x, f); })) << f;
    }
    // Code 38: even columns from code 3 (entering at the top), odd ones from code 2.
    for (UINT f : { 1u, 3u, 8u }) {
        Canvas canvas(4, 6, kMarker);
        Draw(canvas, PLUS_STYLE_INTERLACED_COLUMNS, f);
        ASSERT_TRUE(Matches(canvas, [&](int x, int y) { return AtDepth(x % 2 == 0 ? y : 5 - y, f); })) << f;
    }
}

TEST(PlusLineStyles, RandomStreaks)
{
    // Line L0, L1, L2 and a five-pixel L3 stop: W = 8, M = 5. The offsets
    // table[i] x 5 / 1000 of rows 0, 3, 6 are 1, 0, 4 (table 304, 38, 856).
    auto item = MakeItem(PLUS_STYLE_STREAKS_LEFT, { { L0, 1 }, { L1, 1 }, { L2, 1 }, { L3, 5 } });
    auto line = [](long long j) {
        const long long k = ((j % 8) + 8) % 8;
        return k < 3 ? kLine[k] : L3;
    };
    ASSERT_EQ(Renderer().RandomValue(0), 304);
    ASSERT_EQ(Renderer().RandomValue(3), 38);
    ASSERT_EQ(Renderer().RandomValue(6), 856);
    const int offset[] = { 1, 0, 0, 0, 0, 0, 4 };
    const int w = 6, h = 7;
    // A streak row's column x lies at depth (w + M - o - 1) - x.
    auto streak = [&](int along, int row, UINT f, int length) {
        const long long depth = (length + 5 - offset[row] - 1) - along;
        return depth < static_cast<long long>(f) ? line(f - 1 - depth) : kBlack;
    };
    for (UINT f : { 0u, 1u, 3u, 6u, 9u, 25u }) {
        Canvas left(w, h, kMarker);
        Draw(left, *item, f);
        ASSERT_TRUE(Matches(left, [&](int x, int y) { return y % 3 == 0 ? streak(x, y, f, w) : kBlack; })) << f;
        item->m_style = PLUS_STYLE_STREAKS_RIGHT;
        Canvas right(w, h, kMarker);
        Draw(right, *item, f);
        ASSERT_TRUE(Matches(right, [&](int x, int y) { return y % 3 == 0 ? streak(5 - x, y, f, w) : kBlack; })) << f;
        item->m_style = PLUS_STYLE_STREAKS_LEFT;
    }
    // Vertical: the column at distance i from the right edge carries streak i,
    // moving up (code 26) or, flipped, down (code 25).
    for (UINT f : { 1u, 4u, 9u, 30u }) {
        Canvas up(h, w, kMarker);
        item->m_style = PLUS_STYLE_STREAKS_UP;
        Draw(up, *item, f);
        ASSERT_TRUE(Matches(up, [&](int x, int y) {
            const int i = h - 1 - x;
            return i % 3 == 0 ? streak(y, i, f, w) : kBlack;
        })) << f;
        Canvas down(h, w, kMarker);
        item->m_style = PLUS_STYLE_STREAKS_DOWN;
        Draw(down, *item, f);
        ASSERT_TRUE(Matches(down, [&](int x, int y) {
            const int i = h - 1 - x;
            return i % 3 == 0 ? streak(w - 1 - y, i, f, w) : kBlack;
        })) << f;
    }
}

TEST(PlusLineStyles, StreakPieceEndingAtOneDrawsOneMoreCopy)
{
    // Horizontal streaks, w = 6, M = 5 (d = 11): at F = d - 1 = 10 the last
    // piece ends at x = 1, so one more full copy is laid. In row 3 (offset 0)
    // that reaches column 0 at depth 10 = F, which the depth rule alone
    // would leave black: it shows line pixel -1, the last one (L3).
    auto item = MakeItem(PLUS_STYLE_STREAKS_LEFT, { { L0, 1 }, { L1, 1 }, { L2, 1 }, { L3, 5 } });
    Canvas canvas(6, 4, kMarker);
    Draw(canvas, *item, 10);
    EXPECT_EQ(canvas.At(0, 3), L3);
    EXPECT_EQ(canvas.At(1, 3), L0); // depth 9: line pixel 0
    // One frame earlier the piece ends at x = 2: column 0 of row 3 stays black.
    Draw(canvas, *item, 9);
    EXPECT_EQ(canvas.At(0, 3), kBlack);
    EXPECT_EQ(canvas.At(1, 3), kBlack);
    EXPECT_EQ(canvas.At(2, 3), L0);
}

TEST(PlusLineStyles, EmptyLineAndDegenerateCanvases)
{
    // No strips, or only empty ones: W = 0 draws black instead of dividing by it.
    auto empty = MakeItem(PLUS_STYLE_MOVE_LEFT, {});
    auto zero = MakeItem(PLUS_STYLE_MOVE_LEFT, { { L0, 0 } });
    for (auto* item : { empty.get(), zero.get() })
        for (int style = 0; style <= 43; ++style) {
            if (style == PLUS_STYLE_FIXTURE_SCAN || style == PLUS_STYLE_RANDOM_BLOCKS || (style >= 20 && style <= 24))
                continue;
            item->m_style = style;
            Canvas canvas(5, 4, kMarker);
            Draw(canvas, *item, 7);
            EXPECT_TRUE(AllPixels(canvas, kBlack)) << "style " << style;
        }
    // Codes 20 to 24 and above 43 draw nothing at all.
    for (int style : { -1, 20, 21, 22, 23, 24, 44, 1000 }) {
        Canvas canvas(5, 4, kMarker);
        Draw(canvas, style, 7);
        EXPECT_TRUE(AllPixels(canvas, kMarker)) << "style " << style;
    }
    // Tiny canvases: every code draws without failing, and what the line
    // codes draw is made of line colours and black.
    const CSize sizes[] = { CSize(1, 1), CSize(1, 5), CSize(5, 1), CSize(2, 2), CSize(3, 1) };
    for (const CSize& size : sizes)
        for (int style = 0; style <= 43; ++style)
            for (UINT f : { 0u, 1u, 5u, 100000u }) {
                Canvas canvas(size.cx, size.cy, kMarker);
                Draw(canvas, style, f);
                if (style == PLUS_STYLE_RANDOM_BLOCKS || style == PLUS_STYLE_FIXTURE_SCAN
                    || (style >= 20 && style <= 24))
                    continue;
                for (int y = 0; y < size.cy; ++y)
                    for (int x = 0; x < size.cx; ++x) {
                        const COLORREF c = canvas.At(x, y);
                        ASSERT_TRUE(c == kBlack || c == L0 || c == L1 || c == L2 || c == L3)
                            << "style " << style << " size " << size.cx << "x" << size.cy << " F " << f;
                    }
            }
}
