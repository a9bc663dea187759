// The Zazez Urad renderer: the random table, finding the item of a frame,
// item frames, fades at 25 frames a second, tiles and mirrors, and frames
// that draw nothing.
#include "effect_plus_test_util.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace plustest;
using enginetest::Canvas;

TEST(PlusRender, RandomTableComesFromSeed1000)
{
    const CEffectPlusRender renderer;
    const int first[] = { 304, 221, 849, 38, 509, 367, 856, 362 };
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(renderer.RandomValue(i), first[i]) << i;
    for (int value : renderer.m_randomTable)
        ASSERT_TRUE(value >= 0 && value < 1000);
    // The same values in every instance, whatever was drawn from the
    // generator before.
    std::srand(42);
    std::rand();
    const CEffectPlusRender again;
    for (int i = 0; i < CEffectPlusRender::kRandomTableSize; ++i)
        ASSERT_EQ(again.RandomValue(i), renderer.RandomValue(i)) << i;
    // The generator is left where the table ended: 1000 values after srand(1000).
    std::srand(1000);
    for (int i = 0; i < 1000; ++i)
        std::rand();
    const int next = std::rand();
    const CEffectPlusRender third;
    EXPECT_EQ(std::rand(), next);
}

TEST(PlusRender, FramesAreFoundItemByItem)
{
    // Items of 10 and 5 frames: N 1 .. 10 -> item 0 local 1 .. 10, N 11 .. 15
    // -> item 1 local 1 .. 5, N 16 -> none.
    auto program = MakeProgram(PLUS_STYLE_CHANGE, { 10, 5 });
    for (UINT n = 1; n <= 16; ++n) {
        UINT local = 0;
        ProgramColorEffectPlus* item = FindColorPlusItem(*program, n, &local);
        if (n <= 10) {
            EXPECT_EQ(item, program->m_items[0]) << n;
            EXPECT_EQ(local, n);
        } else if (n <= 15) {
            EXPECT_EQ(item, program->m_items[1]) << n;
            EXPECT_EQ(local, n - 10);
        } else {
            EXPECT_EQ(item, nullptr) << n;
        }
    }
    ProgramColorEffectPlusArray empty;
    EXPECT_EQ(FindColorPlusItem(empty, 1, nullptr), nullptr);
}

TEST(PlusRender, ItemFrameFromStepAndRepeat)
{
    auto item = MakeLineItem(PLUS_STYLE_CHANGE);
    item->m_stepLength = 2;
    item->m_repeatCount = 3;
    const UINT expected[] = { 0, 0, 2, 2, 2, 4 };
    for (UINT l = 1; l <= 6; ++l)
        EXPECT_EQ(ColorPlusItemFrame(*item, l), expected[l - 1]) << l;
    // A negative result becomes 0; a repeat count of 0 counts as 1.
    item->m_stepLength = -1;
    EXPECT_EQ(ColorPlusItemFrame(*item, 5), 0u);
    item->m_stepLength = 1;
    item->m_repeatCount = 0;
    EXPECT_EQ(ColorPlusItemFrame(*item, 5), 5u);
    item->m_repeatCount = -2;
    EXPECT_EQ(ColorPlusItemFrame(*item, 5), 0u);
}

TEST(PlusRender, FadeAlphaAtTwentyFiveFramesASecond)
{
    auto item = MakeLineItem(PLUS_STYLE_CHANGE);
    item->m_startFrame = 1;
    item->m_endFrame = 100;
    item->m_fadeInTime = 1;
    item->m_fadeOutTime = 1;
    struct Case {
        UINT local;
        int alpha;
    };
    const Case cases[] = { { 1, 0 }, { 2, 20 }, { 10, 102 }, { 25, 255 }, { 26, 255 }, { 50, 255 }, { 74, 255 },
        { 75, 255 }, { 90, 102 }, { 99, 10 }, { 100, 0 } };
    for (const Case& c : cases)
        EXPECT_EQ(ColorPlusFadeAlpha(*item, c.local), c.alpha) << c.local;
    item->m_fadeInTime = 0;
    item->m_fadeOutTime = 0;
    EXPECT_EQ(ColorPlusFadeAlpha(*item, 1), 255);
    EXPECT_EQ(ColorPlusFadeAlpha(*item, 100), 255);
}

TEST(PlusRender, RendersTheItemStyleAtTheItemFrame)
{
    // Code 0 shows line pixel F - 1 of the item frame; the second item starts
    // at N = 11 with local frame 1.
    auto program = MakeProgram(PLUS_STYLE_CHANGE, { 10, 5 });
    CEffectPlusRender renderer;
    Canvas canvas(4, 3, kMarker);
    RenderColorPlusFrame(canvas.dc(), program.get(), &renderer, 3);
    EXPECT_TRUE(AllPixels(canvas, L2));
    RenderColorPlusFrame(canvas.dc(), program.get(), &renderer, 10);
    EXPECT_TRUE(AllPixels(canvas, L1));
    RenderColorPlusFrame(canvas.dc(), program.get(), &renderer, 11);
    EXPECT_TRUE(AllPixels(canvas, L0));
    // Another style through the renderer: code 4 at item frame 3.
    program->m_items[1]->m_style = PLUS_STYLE_MOVE_LEFT;
    Canvas wide(10, 2, kMarker);
    RenderColorPlusFrame(wide.dc(), program.get(), &renderer, 13);
    EXPECT_TRUE(Matches(wide, [](int x, int) { return AtDepth(9 - x, 3); }));
}

TEST(PlusRender, FadesDarkenTowardBlack)
{
    // Fade-in of 1 s: local frame 10 has alpha 102, whatever the project's rate.
    auto program = MakeProgram(PLUS_STYLE_CHANGE, { 100 });
    program->m_items[0]->m_fadeInTime = 1;
    CEffectPlusRender renderer;
    Canvas canvas(4, 3, kMarker);
    RenderColorPlusFrame(canvas.dc(), program.get(), &renderer, 10); // line pixel 9: L1, green
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_TRUE(enginetest::Near(canvas.At(x, y), RGB(0, 102, 0), 2)) << enginetest::Show(canvas.At(x, y));
    RenderColorPlusFrame(canvas.dc(), program.get(), &renderer, 1); // alpha 0
    EXPECT_TRUE(AllPixels(canvas, kBlack));
    RenderColorPlusFrame(canvas.dc(), program.get(), &renderer, 30); // alpha 255
    EXPECT_TRUE(AllPixels(canvas, Lp(29)));
}

TEST(PlusRender, TilesRepeatTheScaledCanvas)
{
    // Two horizontal tiles on a 9-wide canvas: tiles of 4 at x 0 and 4 and a
    // partial one at x 8, each the whole picture scaled to 4 columns.
    auto program = MakeProgram(PLUS_STYLE_MOVE_RIGHT, { 100 });
    ProgramColorEffectPlus* item = program->m_items[0];
    item->m_hTiles = 2;
    CEffectPlusRender renderer;
    Canvas canvas(9, 2, kMarker);
    RenderColorPlusFrame(canvas.dc(), program.get(), &renderer, 40);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(canvas.At(x, 0), canvas.At(x + 4, 1)) << x;
        const COLORREF c = canvas.At(x, 0);
        EXPECT_TRUE(c == L0 || c == L1 || c == L2 || c == L3) << enginetest::Show(c);
    }
    EXPECT_EQ(canvas.At(8, 0), canvas.At(0, 0));
    // A tile holds the scaled picture, not a crop: its four columns are not
    // the first four columns of the unscaled picture.
    Canvas plain(9, 2, kMarker);
    item->m_hTiles = 1;
    RenderColorPlusFrame(plain.dc(), program.get(), &renderer, 40);
    EXPECT_TRUE(Matches(plain, [](int x, int) { return AtDepth(x, 40); }));
    EXPECT_NE(canvas.Row(0), plain.Row(0));
}

TEST(PlusRender, MirrorsNeedTilesInTheirDirection)
{
    auto program = MakeProgram(PLUS_STYLE_DIAGONAL, { 100 });
    ProgramColorEffectPlus* item = program->m_items[0];
    CEffectPlusRender renderer;
    auto render = [&](int mirror, int hTiles, int vTiles) {
        item->m_mirror = mirror;
        item->m_hTiles = hTiles;
        item->m_vTiles = vTiles;
        auto canvas = std::make_unique<Canvas>(8, 6, kMarker);
        RenderColorPlusFrame(canvas->dc(), program.get(), &renderer, 30);
        return canvas;
    };
    // Without tiles the mirror modes change nothing: the style as drawn.
    auto plain = render(0, 1, 1);
    EXPECT_TRUE(Matches(*plain, [](int x, int y) { return AtDepth(13 - x - y, 30); }));
    for (int mirror : { 1, 2, 3 }) {
        auto same = render(mirror, 1, 1);
        for (int y = 0; y < 6; ++y)
            EXPECT_EQ(same->Row(y), plain->Row(y)) << mirror;
    }
    // Mode 1 with two horizontal tiles: the right half is the left half flipped.
    auto left = render(1, 2, 1);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(left->At(7 - x, y), left->At(x, y));
    // Mode 2 with two vertical tiles: the bottom half is the top half flipped.
    auto top = render(2, 1, 2);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(top->Row(5 - y), top->Row(y));
    // Mode 3 needs both.
    auto both = render(3, 2, 2);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(both->At(7 - x, y), both->At(x, y));
            EXPECT_EQ(both->At(x, 5 - y), both->At(x, y));
        }
    auto onlyH = render(3, 2, 1);
    auto tiledH = render(0, 2, 1);
    for (int y = 0; y < 6; ++y)
        EXPECT_EQ(onlyH->Row(y), tiledH->Row(y));
}

TEST(PlusRender, FramesThatDrawNothing)
{
    CEffectPlusRender renderer;
    auto program = MakeProgram(PLUS_STYLE_CHANGE, { 10, 5 });
    Canvas canvas(4, 3, kMarker);
    ::SetPixelV(canvas.dc()->GetSafeHdc(), 1, 1, RGB(9, 8, 7));
    // Past the last item, no items, no program: the canvas keeps its content.
    RenderColorPlusFrame(canvas.dc(), program.get(), &renderer, 16);
    ProgramColorEffectPlusArray empty;
    RenderColorPlusFrame(canvas.dc(), &empty, &renderer, 1);
    RenderColorPlusFrame(canvas.dc(), nullptr, &renderer, 1);
    EXPECT_EQ(canvas.At(1, 1), RGB(9, 8, 7));
    EXPECT_EQ(canvas.At(0, 0), kMarker);
    // Codes 20 .. 24 and above 43 draw nothing; with alpha 255 and one tile
    // the fade step leaves the canvas as it was.
    for (int style : { 20, 21, 22, 23, 24, 44, 99 }) {
        program->m_items[0]->m_style = style;
        RenderColorPlusFrame(canvas.dc(), program.get(), &renderer, 5);
        EXPECT_EQ(canvas.At(1, 1), RGB(9, 8, 7)) << style;
        EXPECT_EQ(canvas.At(3, 2), kMarker) << style;
    }
    // Code 36 without its record likewise, but a fade still darkens the canvas.
    program->m_items[0]->m_style = PLUS_STYLE_RANDOM_BLOCKS;
    program->m_items[0]->m_fadeOutTime = 1;
    RenderColorPlusFrame(canvas.dc(), program.get(), &renderer, 10); // last frame: alpha 0
    EXPECT_TRUE(AllPixels(canvas, kBlack));
}

TEST(PlusRender, OddTileCountsAndTinyCanvases)
{
    // Tile counts of 0 or beyond the canvas size would make tiles of no
    // size: they count as one-pixel tiles and the frame still completes.
    CEffectPlusRender renderer;
    auto program = MakeProgram(PLUS_STYLE_CHANGE, { 20 });
    ProgramColorEffectPlus* item = program->m_items[0];
    for (int tiles : { 0, -1, 1000 }) {
        item->m_hTiles = tiles;
        item->m_vTiles = tiles;
        item->m_mirror = 3;
        Canvas canvas(5, 4, kMarker);
        RenderColorPlusFrame(canvas.dc(), program.get(), &renderer, 3);
        EXPECT_TRUE(AllPixels(canvas, L2)) << tiles;
    }
    item->m_hTiles = 1;
    item->m_vTiles = 1;
    item->m_repeatCount = 0; // never stored by the editor: no division by zero
    const DWORD before = enginetest::GdiObjectCount();
    for (int style = 0; style <= 44; ++style) {
        item->m_style = style;
        for (const CSize size : { CSize(1, 1), CSize(7, 5) }) {
            Canvas canvas(size.cx, size.cy, kMarker);
            RenderColorPlusFrame(canvas.dc(), program.get(), &renderer, 7);
        }
    }
    EXPECT_EQ(enginetest::GdiObjectCount(), before);
}
