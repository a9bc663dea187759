// Zazez Urad figure styles: rectangle frames pixel for pixel, rings and
// spirals (2-pixel GDI pens) by the order of their colours and by what stays
// black.
#include "effect_plus_test_util.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace plustest;
using enginetest::Canvas;

namespace {

void Draw(Canvas& canvas, ProgramColorEffectPlus& item, UINT frame)
{
    static const CEffectPlusRender renderer;
    DrawColorPlusStyle(canvas.dc(), item, frame, &renderer);
}

void Draw(Canvas& canvas, int style, UINT frame)
{
    auto item = MakeLineItem(style);
    Draw(canvas, *item, frame);
}

// The colours met walking from (x, y) in steps of (dx, dy) to the edge, each
// run of one colour counted once.
std::vector<COLORREF> Runs(const Canvas& canvas, int x, int y, int dx, int dy)
{
    std::vector<COLORREF> runs;
    for (; x >= 0 && y >= 0 && x < canvas.width && y < canvas.height; x += dx, y += dy)
        if (runs.empty() || runs.back() != canvas.At(x, y))
            runs.push_back(canvas.At(x, y));
    return runs;
}

} // namespace

TEST(PlusFigureStyles, ExpandingFramesGrowOutOfTheCore)
{
    // 10 x 4: the core is x 1 .. 8, y 1 .. 2 (e = 1).
    Canvas canvas(10, 4, kMarker);
    auto core = [](int x, int y) { return x >= 1 && x <= 8 && y >= 1 && y <= 2; };
    Draw(canvas, PLUS_STYLE_FRAMES_OUT, 1);
    EXPECT_TRUE(Matches(canvas, [&](int x, int y) { return core(x, y) ? L0 : kBlack; }));
    Draw(canvas, PLUS_STYLE_FRAMES_OUT, 2);
    EXPECT_TRUE(Matches(canvas, [&](int x, int y) { return core(x, y) ? L1 : L0; }));
    Draw(canvas, PLUS_STYLE_FRAMES_OUT, 0);
    EXPECT_TRUE(AllPixels(canvas, kBlack));

    // 9 x 9: e = 3, the core is the 3 x 3 centre; frame depth = distance
    // (chessboard) from the core.
    for (UINT f : { 1u, 2u, 3u, 5u, 6u, 11u }) {
        Canvas square(9, 9, kMarker);
        Draw(square, PLUS_STYLE_FRAMES_OUT, f);
        ASSERT_TRUE(Matches(square,
            [&](int x, int y) {
                const int depth = std::max({ 0, 3 - x, x - 5, 3 - y, y - 5 });
                return AtDepth(depth, f);
            }))
            << "F " << f;
    }
}

TEST(PlusFigureStyles, ContractingFramesMoveInward)
{
    // 10 x 8, W = 4: e = 3, the core is filled by step 4. Step k fills the
    // canvas shrunk by k - 1; the first t steps show line pixels t .. 1, then
    // passes of 3, 2, 1, 0.
    auto ring = [](int x, int y) { return std::min({ x, y, 9 - x, 7 - y }); };
    Canvas canvas(10, 8, kMarker);
    // F = 5 (t = 1, n = 1): steps 1 .. 4 show L1, L3, L2, L1; the core is reached.
    Draw(canvas, PLUS_STYLE_FRAMES_IN, 5);
    const COLORREF five[] = { L1, L3, L2, L1 };
    EXPECT_TRUE(Matches(canvas, [&](int x, int y) { return five[std::min(ring(x, y), 3)]; }));
    // F = 2 (t = 2): steps 1 and 2 in L2 and L1, then the steps run out before
    // the core: the last rectangle filled goes black with everything inside.
    Draw(canvas, PLUS_STYLE_FRAMES_IN, 2);
    EXPECT_TRUE(Matches(canvas, [&](int x, int y) { return ring(x, y) == 0 ? L2 : kBlack; }));
    // F = 1: the single step is the whole canvas, blacked again.
    Draw(canvas, PLUS_STYLE_FRAMES_IN, 1);
    EXPECT_TRUE(AllPixels(canvas, kBlack));

    // 10 x 4: e = 1, F = 2 reaches the core at step 2: border L2, core L1.
    Canvas band(10, 4, kMarker);
    Draw(band, PLUS_STYLE_FRAMES_IN, 2);
    EXPECT_TRUE(Matches(band, [](int x, int y) { return x >= 1 && x <= 8 && y >= 1 && y <= 2 ? L1 : L2; }));
}

TEST(PlusFigureStyles, RingsMovingOutward)
{
    Canvas canvas(21, 21, kMarker);
    Draw(canvas, PLUS_STYLE_RINGS_OUT, 0);
    EXPECT_TRUE(AllPixels(canvas, kBlack));
    // F = 3: rings 1, 2, 3 in line pixels 2, 1, 0, nothing further out.
    Draw(canvas, PLUS_STYLE_RINGS_OUT, 3);
    const std::vector<COLORREF> outward = { L2, L1, L0, kBlack };
    EXPECT_EQ(Runs(canvas, 10, 10, -1, 0), outward);
    EXPECT_EQ(Runs(canvas, 10, 10, 0, -1), outward);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x)
            if ((x - 10) * (x - 10) + (y - 10) * (y - 10) > 25) {
                ASSERT_EQ(canvas.At(x, y), kBlack) << x << "," << y;
            }
    // F = 9 (t = 1, n = 2): rings 1 .. 9 show line pixels 1 - r: 0, 3, 2, 1, 0, ...
    Draw(canvas, PLUS_STYLE_RINGS_OUT, 9);
    const std::vector<COLORREF> nine = { L0, L3, L2, L1, L0, L3, L2, L1, L0 };
    EXPECT_EQ(Runs(canvas, 10, 10, -1, 0), nine);
}

TEST(PlusFigureStyles, RingsMovingInward)
{
    // 21 x 21: D = 30, outer radius o = 16, rings drawn up to radius 15.
    Canvas canvas(21, 21, kMarker);
    Draw(canvas, PLUS_STYLE_RINGS_IN, 0);
    EXPECT_TRUE(AllPixels(canvas, kBlack));
    // F = 8 (t = 0, n = 2): radii 15 .. 9 in L2, L1, L0, L3, L2, L1, L0; the
    // disc inside radius 9 stays black.
    Draw(canvas, PLUS_STYLE_RINGS_IN, 8);
    EXPECT_EQ(canvas.At(10, 10), kBlack);
    const std::vector<COLORREF> outward = { kBlack, L0, L1, L2 };
    EXPECT_EQ(Runs(canvas, 10, 10, 1, 0), outward);
    auto blackAcross = [](const Canvas& c) {
        int count = 0;
        for (int x = 0; x < c.width; ++x)
            count += c.At(x, 10) == kBlack ? 1 : 0;
        return count;
    };
    const int at8 = blackAcross(canvas);
    // One frame later the innermost ring is at radius 8: the black disc shrinks.
    Draw(canvas, PLUS_STYLE_RINGS_IN, 9);
    EXPECT_LT(blackAcross(canvas), at8);
    EXPECT_EQ(canvas.At(10, 10), kBlack);
}

TEST(PlusFigureStyles, SpiralsTurnOneDegreePerFrame)
{
    // Two 16-pixel stops: W = 32 arms.
    auto item = MakeItem(PLUS_STYLE_SPIRAL, { { L0, 16 }, { L1, 16 } });
    auto picture = [&](int style, UINT f) {
        item->m_style = style;
        auto canvas = std::make_unique<Canvas>(21, 17, kMarker);
        Draw(*canvas, *item, f);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 21; ++x)
                pixels.push_back(canvas->At(x, y));
        return pixels;
    };
    const auto start = picture(PLUS_STYLE_SPIRAL, 0);
    std::set<COLORREF> colours(start.begin(), start.end());
    EXPECT_TRUE(colours.count(L0) == 1 && colours.count(L1) == 1);
    for (COLORREF c : colours)
        EXPECT_TRUE(c == L0 || c == L1 || c == kBlack) << enginetest::Show(c);
    EXPECT_NE(start[8 * 21 + 10], kBlack); // the arms start at the centre
    // A full turn every 360 frames; both directions agree at 0 and part after.
    EXPECT_EQ(picture(PLUS_STYLE_SPIRAL, 360), start);
    EXPECT_EQ(picture(PLUS_STYLE_SPIRAL_BACK, 0), start);
    EXPECT_NE(picture(PLUS_STYLE_SPIRAL, 45), start);
    EXPECT_NE(picture(PLUS_STYLE_SPIRAL, 45), picture(PLUS_STYLE_SPIRAL_BACK, 45));
    EXPECT_EQ(picture(PLUS_STYLE_SPIRAL_BACK, 45), picture(PLUS_STYLE_SPIRAL_BACK, 405));
}

TEST(PlusFigureStyles, FiguresLeaveNoGdiObjectsBehind)
{
    const DWORD before = enginetest::GdiObjectCount();
    for (int style : { 14, 15, 16, 17, 29, 30 })
        for (UINT f : { 1u, 7u, 50u }) {
            Canvas canvas(17, 13, kMarker);
            Draw(canvas, style, f);
        }
    EXPECT_EQ(enginetest::GdiObjectCount(), before);
}
