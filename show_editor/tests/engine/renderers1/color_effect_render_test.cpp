// The colour-effect renderer's shared parts: the sizing of a pass, the steps
// a style needs, the travel length, the strip position under the speed ramp,
// the colour change and flash styles pixel for pixel, the style dispatch and
// degenerate effects of every style.
#include "colour_test_util.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace colourtest;
using enginetest::Canvas;
using enginetest::Show;

namespace {

int Pass(int style, float zoom = 1.0f, float startSpeed = 1.0f, float endSpeed = 1.0f, int width = 200, int height = 50)
{
    auto effect = MakeAbc(style, zoom);
    effect->m_startSpeed = startSpeed;
    effect->m_endSpeed = endSpeed;
    CCColorAnimationRender renderer;
    return renderer.PassFrameCount(*effect, width, height);
}

} // namespace

TEST(ColorEffectPass, FramesOfOnePassPerStyleOnA512PixelStrip)
{
    // One gradient template of three colours, zoom 1.0, a 200 x 50 canvas.
    struct Case {
        int style;
        int frames;
    };
    const Case cases[] = {
        { 0, 512 },
        { 1, 1024 },
        { 2, 462 },
        { 3, 462 },
        { 4, 312 },
        { 5, 312 },
        { 6, 257 },
        { 7, 257 },
        { 8, 257 },
        { 9, 257 },
        { 10, 305 }, // diagonal 207
        { 13, 305 },
        { 14, 1 }, // the shape styles leave their only template out
        { 19, 1 },
        { 20, 1 },
        { 21, 1 },
        { -1, 1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pass(c.style), c.frames) << "style " << c.style;
}

TEST(ColorEffectPass, SpeedRampAndZoom)
{
    EXPECT_EQ(Pass(0, 1.0f, 1.0f, 3.0f), 282);
    EXPECT_EQ(Pass(0, 1.0f, 3.0f, 1.0f), 281);
    EXPECT_EQ(Pass(0, 0.5f), 256);
    EXPECT_EQ(Pass(0, 2.0f), 1024);
}

TEST(ColorEffectPass, ShapeStylesCountAllButTheLastTemplate)
{
    auto effect = MakeAbc(COLOR_STYLE_RECTANGLE_EXPAND);
    AddTemplate(*effect, ColorTemplate::CHANGE_SOLID, { A, B });
    CCColorAnimationRender renderer;
    EXPECT_EQ(renderer.PassFrameCount(*effect, 200, 50), 512);
}

TEST(ColorEffectPass, SpeedScaleShortensTheMovingStylesOnly)
{
    auto effect = MakeAbc(COLOR_STYLE_MOVE_LEFT);
    CCColorAnimationRender renderer;
    renderer.m_speedScale = 2.0f;
    EXPECT_EQ(renderer.PassFrameCount(*effect, 200, 50), 156);
    effect->m_style = COLOR_STYLE_CHANGE;
    EXPECT_EQ(renderer.PassFrameCount(*effect, 200, 50), 512);
}

TEST(ColorEffectPass, StandingOrEmptyEffectsEndWithoutHanging)
{
    // A speed of 0 never reaches the end: the count stops where the position
    // stops moving.
    EXPECT_EQ(Pass(0, 1.0f, 0.0f, 0.0f), 1);
    EXPECT_EQ(Pass(1, 1.0f, 0.0f, 0.0f), 2);
    // A speed falling to zero before the end stops short of it.
    const int slowing = Pass(0, 1.0f, 1.0f, -1.0f);
    EXPECT_GE(slowing, 1);
    EXPECT_LT(slowing, 10'000'000);

    CCColorAnimationRender renderer;
    auto empty = MakeEffect(COLOR_STYLE_CHANGE);
    EXPECT_EQ(renderer.PassFrameCount(*empty, 200, 50), 1);
    AddTemplate(*empty, ColorTemplate::CHANGE_GRADIENT, { A }); // no step at all
    EXPECT_EQ(renderer.PassFrameCount(*empty, 200, 50), 1);
    empty->m_zoomFactor = 0.0f;
    EXPECT_EQ(renderer.PassFrameCount(*empty, 200, 50), 1);
}

TEST(ColorEffectSteps, RequiredColorStepsAndTravelLength)
{
    EXPECT_EQ(CCColorAnimationRender::RequiredColorSteps(4, 1.0f, 200, 50), 3);
    EXPECT_EQ(CCColorAnimationRender::RequiredColorSteps(4, 1.0f, 600, 50), 4);
    EXPECT_EQ(CCColorAnimationRender::RequiredColorSteps(4, 1.0f, 0, 50), 1);
    EXPECT_EQ(CCColorAnimationRender::RequiredColorSteps(4, 1.0f, 512, 50), 3); // v = 2
    EXPECT_EQ(CCColorAnimationRender::RequiredColorSteps(2, 1.0f, 600, 50), 3); // height decides
    EXPECT_EQ(CCColorAnimationRender::RequiredColorSteps(0, 1.0f, 9999, 50), 1);
    EXPECT_EQ(CCColorAnimationRender::RequiredColorSteps(1, 1.0f, 9999, 50), 1);
    EXPECT_EQ(CCColorAnimationRender::RequiredColorSteps(20, 1.0f, 200, 50), 0);
    EXPECT_EQ(CCColorAnimationRender::RequiredColorSteps(-3, 1.0f, 200, 50), 0);
    EXPECT_EQ(CCColorAnimationRender::RequiredColorSteps(10, 1.0f, 200, 50), 3);
    EXPECT_EQ(CCColorAnimationRender::RequiredColorSteps(4, 0.5f, 600, 50), 6); // v = 5
    EXPECT_EQ(CCColorAnimationRender::RequiredColorSteps(4, 0.0f, 200, 50), INT_MAX);

    EXPECT_EQ(CCColorAnimationRender::TravelLength(1, 201, 10), 100);
    EXPECT_EQ(CCColorAnimationRender::TravelLength(10, 3, 4), 5);
    EXPECT_EQ(CCColorAnimationRender::TravelLength(25, 80, 4), 80);
    EXPECT_EQ(CCColorAnimationRender::TravelLength(4, 80, 4), 80);
    EXPECT_EQ(CCColorAnimationRender::TravelLength(1, 1, 4), 1); // 0 becomes the width
}

TEST(ColorEffectStrip, LengthsAndLocations)
{
    auto effect = MakeEffect(COLOR_STYLE_CHANGE);
    AddTemplate(*effect, ColorTemplate::CHANGE_GRADIENT, { A, B }); // 256
    AddTemplate(*effect, ColorTemplate::CHANGE_GRADIENT, {}); // 0, not -256
    AddTemplate(*effect, ColorTemplate::CHANGE_SOLID, { C, D }); // 512
    EXPECT_EQ(CCColorAnimationRender::StripLength(effect->m_templates), 768);
    EXPECT_EQ(CCColorAnimationRender::StripLength(effect->m_templates, 2), 256);

    struct Case {
        int position, index, offset;
        bool pastEnd;
    };
    const Case cases[] = {
        { 0, 0, 0, false },
        { 256, 0, 256, false }, // exactly at the end of template 0
        { 257, 2, 1, false },
        { 768, 2, 512, false },
        { 769, 0, 0, true },
    };
    for (const Case& c : cases) {
        const StripLocation at = CCColorAnimationRender::LocatePosition(effect->m_templates, c.position);
        EXPECT_EQ(at.index, c.index) << c.position;
        EXPECT_EQ(at.offset, c.offset) << c.position;
        EXPECT_EQ(at.pastEnd, c.pastEnd) << c.position;
    }
    ProgramColorEffect none;
    EXPECT_EQ(CCColorAnimationRender::LocatePosition(none.m_templates, 0).index, -1);
}

TEST(ColorEffectStrip, PositionFollowsTheSpeedRamp)
{
    auto effect = MakeAbc(COLOR_STYLE_CHANGE);
    EXPECT_EQ(CCColorAnimationRender::StripPosition(*effect, 0, 1.0f), 0);
    EXPECT_EQ(CCColorAnimationRender::StripPosition(*effect, 300, 1.0f), 300);
    EXPECT_EQ(CCColorAnimationRender::StripPosition(*effect, 7, 0.5f), 3);
    EXPECT_EQ(CCColorAnimationRender::StripPosition(*effect, 7, 2.0f), 14);
    // From 1.0 to 3.0 along 512 pixels: the speed after the first frame is
    // 1 + 2/512, so two frames reach 2.0039...
    effect->m_endSpeed = 3.0f;
    EXPECT_EQ(CCColorAnimationRender::StripPosition(*effect, 2, 1.0f), 2);
    EXPECT_GT(CCColorAnimationRender::StripPosition(*effect, 281, 1.0f), 500);
    EXPECT_LT(CCColorAnimationRender::StripPosition(*effect, 281, 1.0f), 512);
    EXPECT_GE(CCColorAnimationRender::StripPosition(*effect, 282, 1.0f), 512);
    // Negative speeds stay at the start; huge frame numbers end quickly.
    effect->m_startSpeed = -1.0f;
    effect->m_endSpeed = -1.0f;
    EXPECT_EQ(CCColorAnimationRender::StripPosition(*effect, 50, 1.0f), 0);
    effect->m_startSpeed = 1.0f;
    effect->m_endSpeed = 1.0f;
    EXPECT_EQ(CCColorAnimationRender::StripPosition(*effect, 0xFFFFFFFFu, 1.0f), 1 << 24);
}

TEST(ColorChange, FillsTheViewWithTheStripPixelAtThePosition)
{
    auto effect = MakeAbc(COLOR_STYLE_CHANGE);
    CCColorAnimationRender renderer;
    struct Case {
        UINT frame;
        COLORREF color;
    };
    const Case cases[] = {
        { 0, A }, { 1, A }, // frame 1 shows the strip's first pixel as well
        { 2, Mix(A, B, 2) }, { 255, Mix(A, B, 255) }, { 256, B }, { 300, Mix(B, C, 44) }, { 511, Mix(B, C, 255) },
        { 512, Mix(B, C, 255) }, // the end of the template keeps its last pixel
        { 600, Mix(A, B, 88) }, // past the end: the first step again, at 600 mod 256
    };
    for (const Case& c : cases) {
        Canvas canvas(16, 8, kMarker);
        EXPECT_EQ(renderer.RenderColorEffect(canvas.dc(), c.frame, *effect), 1);
        EXPECT_TRUE(AllPixels(canvas, c.color)) << "frame " << c.frame << ": " << Show(canvas.At(3, 3));
    }
}

TEST(ColorChange, SeveralTemplatesZoomAndSolidSteps)
{
    auto effect = MakeEffect(COLOR_STYLE_CHANGE);
    AddTemplate(*effect, ColorTemplate::CHANGE_GRADIENT, { A, B });
    AddTemplate(*effect, ColorTemplate::CHANGE_SOLID, { C, D });
    CCColorAnimationRender renderer;
    const struct {
        UINT frame;
        COLORREF color;
    } cases[] = {
        { 256, Mix(A, B, 255) }, // at the end of template 0
        { 257, C },
        { 600, D },
        { 768, D },
    };
    for (const auto& c : cases) {
        Canvas canvas(4, 2, kMarker);
        renderer.RenderColorEffect(canvas.dc(), c.frame, *effect);
        EXPECT_EQ(canvas.At(1, 1), c.color) << c.frame;
    }
    // Zoom 2.0: half a strip pixel per frame.
    effect->m_zoomFactor = 2.0f;
    Canvas canvas(4, 2, kMarker);
    renderer.RenderColorEffect(canvas.dc(), 9, *effect);
    EXPECT_EQ(canvas.At(0, 0), Mix(A, B, 4));
}

TEST(ColorFlash, TwoFramesOfColourChangeThenTwoBlack)
{
    auto effect = MakeAbc(COLOR_STYLE_FLASH);
    CCColorAnimationRender renderer;
    const COLORREF expected[] = { A, A, kBlack, kBlack, Mix(A, B, 2), Mix(A, B, 2), kBlack, kBlack, Mix(A, B, 4) };
    for (UINT frame = 0; frame < 9; ++frame) {
        Canvas canvas(3, 3, kMarker);
        renderer.RenderColorEffect(canvas.dc(), frame, *effect);
        EXPECT_TRUE(AllPixels(canvas, expected[frame])) << "frame " << frame << ": " << Show(canvas.At(0, 0));
    }
}

TEST(ColorEffectDispatch, UnusedCodesDrawNothingAndReturnOne)
{
    CCColorAnimationRender renderer;
    for (int style : { 20, 25, 99, -1 }) {
        auto effect = MakeAbc(style);
        Canvas canvas(8, 4, kMarker);
        EXPECT_EQ(renderer.RenderColorEffect(canvas.dc(), 3, *effect), 1);
        EXPECT_TRUE(AllPixels(canvas, kMarker)) << style;
    }
}

TEST(ColorEffectConstruction, SeedsTheCRuntimeGenerator)
{
    std::srand(7);
    const CCColorAnimationRender renderer;
    const int first = std::rand();
    std::srand(510);
    EXPECT_EQ(first, std::rand());
    EXPECT_EQ(renderer.m_speedScale, 1.0f);
}

TEST(ColorEffectDegenerate, EmptyColourListsDrawBlackInEveryColourStyle)
{
    CCColorAnimationRender renderer;
    for (int style = 0; style <= 24; ++style) {
        if (style == COLOR_STYLE_NONE)
            continue;
        for (int variant = 0; variant < 3; ++variant) {
            auto effect = MakeEffect(style);
            if (variant == 1)
                AddTemplate(*effect, ColorTemplate::CHANGE_GRADIENT, { A }); // a strip of length 0
            if (variant == 2)
                AddTemplate(*effect, ColorTemplate::CHANGE_SOLID, {});
            Canvas canvas(16, 8, kMarker);
            EXPECT_NO_THROW(renderer.RenderColorEffect(canvas.dc(), 0, *effect));
            if (style >= COLOR_STYLE_SCAN_RIGHT && variant == 1) {
                // Background A, the missing line colour black.
                EXPECT_EQ(canvas.At(style == COLOR_STYLE_SCAN_RIGHT || style == COLOR_STYLE_SCAN_LEFT ? 8 : 0, 4), A);
                continue;
            }
            EXPECT_TRUE(AllPixels(canvas, kBlack)) << "style " << style << " variant " << variant;
        }
    }
}

TEST(ColorEffectDegenerate, TinyViewsOddZoomsAndFarFramesEndCleanly)
{
    CCColorAnimationRender renderer;
    for (int style = 0; style <= 24; ++style) {
        for (float zoom : { 1.0f, 0.0f, -1.0f, 0.01f, 3.0f }) {
            auto effect = MakeAbc(style, zoom);
            AddTemplate(*effect, ColorTemplate::CHANGE_SOLID, { D });
            for (auto [w, h] : { std::pair { 1, 1 }, std::pair { 1, 6 }, std::pair { 7, 1 } }) {
                Canvas canvas(w, h, kMarker);
                EXPECT_EQ(renderer.RenderColorEffect(canvas.dc(), 37, *effect), 1);
            }
        }
    }
    // A 1 x 1 view of the left-moving strip shows the strip position itself.
    auto effect = MakeAbc(COLOR_STYLE_MOVE_LEFT);
    Canvas one(1, 1, kMarker);
    renderer.RenderColorEffect(one.dc(), 300, *effect);
    EXPECT_EQ(one.At(0, 0), Abc(300));
    // The furthest frame a program can ask for.
    for (int style : { 0, 4, 8, 14 }) {
        effect->m_style = style;
        Canvas canvas(16, 8, kMarker);
        EXPECT_EQ(renderer.RenderColorEffect(canvas.dc(), 0xFFFFFFFFu, *effect), 1);
        EXPECT_NE(canvas.At(0, 0), kMarker) << style;
    }
}

TEST(ColorEffectResources, EveryStyleReleasesWhatItMakes)
{
    CCColorAnimationRender renderer;
    auto effect = MakeAbc(0);
    Canvas canvas(24, 12, kMarker);
    for (int style = 0; style <= 24; ++style) { // warm-up: first-use allocations
        effect->m_style = style;
        renderer.RenderColorEffect(canvas.dc(), 20, *effect);
    }
    const DWORD before = enginetest::GdiObjectCount();
    for (int round = 0; round < 3; ++round)
        for (int style = 0; style <= 24; ++style) {
            effect->m_style = style;
            renderer.RenderColorEffect(canvas.dc(), 20 + round, *effect);
        }
    EXPECT_EQ(enginetest::GdiObjectCount(), before);
}
