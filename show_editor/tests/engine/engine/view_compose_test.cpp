// View composition: which program covers a frame, fades, brightness, the
// blend modes into the output image, tiling limits and the image show's
// images and slides.
#include "../engine_test_support.h"
#include "frame_engine_fixture.h"
#include "view_compose.h"

namespace enginetest {
namespace {

constexpr DWORD kRed = 0xFF0000;
constexpr DWORD kGreen = 0x00FF00;
constexpr DWORD kBlue = 0x0000FF;

TEST(ViewProgramCover, ProgramsPlayOneAfterAnotherAndRepeat)
{
    ProgramView view;
    auto* first = SolidEffect(RGB(255, 0, 0), 100);
    auto* second = SolidEffect(RGB(0, 255, 0), 50);
    view.m_programs.Add(first);
    view.m_programs.Add(second);
    view.m_frames = 150;
    struct Case {
        UINT frame;
        int loop;
        int repeat;
        Program* program;
        UINT slot;
    } cases[] = {
        { 0, 1, 0, first, 0 },
        { 99, 1, 0, first, 99 },
        { 100, 1, 0, second, 0 },
        { 149, 1, 0, second, 49 },
        { 150, 1, 0, first, 150 },
        { 150, 0, 1, nullptr, 0 },
        { 150, 0, 2, first, 150 },
        { 300, 0, 2, nullptr, 0 },
    };
    for (const Case& c : cases) {
        view.m_loopPlay = c.loop;
        view.m_repeatCount = c.repeat;
        UINT slot = 12345;
        Program* found = FindViewProgram(view, c.frame, &slot);
        EXPECT_EQ(c.program, found) << "frame " << c.frame << " loop " << c.loop << " repeat " << c.repeat;
        if (c.program != nullptr) {
            EXPECT_EQ(c.slot, slot) << "frame " << c.frame;
        }
    }
}

TEST(ViewProgramCover, EmptyViewsAndViewsWithoutLengthDrawNothing)
{
    ProgramView empty;
    UINT slot = 0;
    EXPECT_EQ(nullptr, FindViewProgram(empty, 0, &slot));
    ProgramView noLength;
    noLength.m_programs.Add(SolidEffect(RGB(1, 1, 1), 10));
    noLength.m_frames = 0;
    noLength.m_loopPlay = 0;
    noLength.m_repeatCount = 3;
    EXPECT_EQ(nullptr, FindViewProgram(noLength, 10, &slot)) << "no pass to repeat, and no division by zero";
}

TEST(ViewFade, FadeInAndOutCompareTheSlotFrameWithTheProgramFrames)
{
    Program program;
    program.m_startFrame = 1;
    program.m_endFrame = 100;
    program.m_fadeInTime = 1;
    EXPECT_EQ(0, ProgramFadeAlpha(program, 0, 25));
    EXPECT_EQ(0, ProgramFadeAlpha(program, 1, 25));
    EXPECT_EQ(20, ProgramFadeAlpha(program, 2, 25));
    EXPECT_EQ(255, ProgramFadeAlpha(program, 25, 25));
    EXPECT_EQ(255, ProgramFadeAlpha(program, 60, 25));
    EXPECT_EQ(20, ProgramFadeAlpha(program, 2, 0)) << "a frame rate of 0 counts as 25";
    program.m_fadeInTime = 0;
    program.m_fadeOutTime = 1;
    EXPECT_EQ(255, ProgramFadeAlpha(program, 74, 25));
    EXPECT_EQ(255, ProgramFadeAlpha(program, 75, 25));
    EXPECT_EQ(10, ProgramFadeAlpha(program, 99, 25));
    EXPECT_EQ(0, ProgramFadeAlpha(program, 100, 25));
}

TEST(ViewBrightness, ScalesColourBytesAndKeepsTheFourth)
{
    DWORD pixels[] = { 0xAAC86433u, 0x00FFFFFFu };
    ScalePixelBrightness(pixels, 2, 50);
    EXPECT_EQ(0xAA643219u, pixels[0]) << "(200, 100, 51) becomes (100, 50, 25)";
    EXPECT_EQ(0x007F7F7Fu, pixels[1]);
    DWORD same[] = { 0x00C86433u };
    ScalePixelBrightness(same, 1, 180);
    EXPECT_EQ(0x00C86433u, same[0]) << "clamped to 100";
}

TEST(ViewBlend, NonBlackCopyStaysInsideTheImage)
{
    // 2 x 2 bottom-up source: top row (index 2, 3) red and black.
    const DWORD source[] = { kGreen, kBlue, kRed, 0 };
    DWORD output[3 * 2] = { 7, 7, 7, 7, 7, 7 };
    CopyNonBlackPixels(source, 2, 2, output, 3, 2, 2, 0);
    // Only column 2 of the output is inside: top row (bottom-up index 3 .. 5) gets red.
    EXPECT_EQ(kRed, output[5]);
    EXPECT_EQ(kGreen, output[2]);
    EXPECT_EQ(7u, output[0]);
    EXPECT_EQ(7u, output[3]);
}

class ViewComposeTest : public EngineFixture {
protected:
    ProgramView* SetUpView(Program* program, const CRect& rect)
    {
        QvSegmentGourp* segment = m_doc.AddSegment(10);
        ProgramView* view = AddView(segment, rect, { program });
        m_doc.CountFrames();
        CreateEngine();
        return view;
    }
};

TEST_F(ViewComposeTest, ViewIsPlacedAtItsRectangle)
{
    ProgramView* view = SetUpView(SolidEffect(RGB(255, 0, 0), 10), CRect(2, 1, 6, 3));
    RenderView(view, m_engine, 0);
    EXPECT_EQ(kRed, OutputPixel(2, 1));
    EXPECT_EQ(kRed, OutputPixel(5, 2));
    EXPECT_EQ(0u, OutputPixel(1, 1));
    EXPECT_EQ(0u, OutputPixel(6, 2));
    EXPECT_EQ(0u, OutputPixel(2, 0));
    EXPECT_EQ(0u, OutputPixel(2, 3));
}

TEST_F(ViewComposeTest, BrightnessScalesTheView)
{
    ProgramView* view = SetUpView(SolidEffect(RGB(200, 100, 50), 10), CRect(0, 0, 8, 4));
    view->m_brightness = 50;
    RenderView(view, m_engine, 0);
    EXPECT_EQ(0x643219u, OutputPixel(3, 2));
}

TEST_F(ViewComposeTest, BlendModes)
{
    struct Case {
        int mode;
        COLORREF viewColour;
        COLORREF before;
        DWORD expected;
    } cases[] = {
        { 0, RGB(255, 0, 0), RGB(0, 0, 255), kRed }, // replaces
        { 1, RGB(255, 0, 0), RGB(0, 0, 255), kRed | kBlue }, // ORed
        { 2, RGB(255, 0, 0), RGB(0, 0, 255), kRed }, // non-black copied
        { 2, RGB(0, 0, 0), RGB(0, 0, 255), kBlue }, // black is transparent
        { 0, RGB(0, 0, 0), RGB(0, 0, 255), 0 },
    };
    auto* effect = SolidEffect(RGB(255, 0, 0), 10);
    ProgramView* view = SetUpView(effect, CRect(0, 0, 8, 4));
    for (const Case& c : cases) {
        effect->m_templates[0]->m_colors[0] = c.viewColour;
        view->m_transparentMode = c.mode;
        m_engine->ClearOutput(c.before);
        RenderView(view, m_engine, 0);
        EXPECT_EQ(c.expected, OutputPixel(4, 2)) << "mode " << c.mode;
    }
}

// An opaque view of one tile is copied into the output; every byte must be
// what the blend at constant alpha 255 put there, wherever the view lies.
TEST_F(ViewComposeTest, OpaqueViewLandsAsTheBlendWouldPutIt)
{
    auto* effect = SolidEffect(RGB(0, 0, 0), 10);
    effect->m_style = 4; // a moving gradient: every column differs
    effect->m_templates[0]->m_changeMode = ColorTemplate::CHANGE_GRADIENT;
    effect->m_templates[0]->m_colors.RemoveAll();
    for (COLORREF c : { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255) })
        effect->m_templates[0]->m_colors.Add(c);
    ProgramView* view = SetUpView(effect, CRect(0, 0, 6, 3));
    const int width = m_engine->GetFrameWidth();
    const int height = m_engine->GetFrameHeight();
    const CRect places[] = {
        CRect(1, 1, 7, 4), // inside
        CRect(-3, -2, 3, 1), // over the top left corner
        CRect(5, 2, 11, 5), // over the bottom right corner
        CRect(-7, 0, -1, 3), // wholly outside
    };
    for (const CRect& place : places) {
        view->m_projectRect = place;
        m_engine->ClearOutput(RGB(9, 8, 7));
        Canvas expected(width, height, RGB(9, 8, 7));
        RenderView(view, m_engine, 3);
        BLENDFUNCTION opaque { AC_SRC_OVER, 0, 255, 0 };
        ::AlphaBlend(expected.dc()->GetSafeHdc(), place.left, place.top, place.Width(), place.Height(),
            view->m_programBuffer.m_pMemDC->GetSafeHdc(), 0, 0, place.Width(), place.Height(), opaque);
        ::GdiFlush();
        const DWORD* bits = m_engine->GetOutputBits();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                EXPECT_EQ(expected.Raw(x, y), bits[static_cast<size_t>(height - 1 - y) * width + x])
                    << "(" << x << ", " << y << ") with the view at " << place.left << ", " << place.top;
            }
        }
    }
}

TEST_F(ViewComposeTest, FadeInStartsBlack)
{
    auto* effect = SolidEffect(RGB(255, 255, 255), 10);
    effect->m_fadeInTime = 1;
    ProgramView* view = SetUpView(effect, CRect(0, 0, 8, 4));
    RenderView(view, m_engine, 0);
    EXPECT_EQ(0u, OutputPixel(0, 0));
    RenderView(view, m_engine, 5);
    const DWORD faded = OutputPixel(0, 0) & 0xFF;
    EXPECT_NEAR(5 * 255 / 25, static_cast<int>(faded), 3);
}

TEST_F(ViewComposeTest, MoreTilesThanPixelsStillEnds)
{
    auto* effect = SolidEffect(RGB(0, 255, 0), 10);
    effect->m_hTiles = 5;
    effect->m_vTiles = 9;
    ProgramView* view = SetUpView(effect, CRect(0, 0, 2, 2));
    RenderView(view, m_engine, 0);
    EXPECT_EQ(kGreen, OutputPixel(1, 1));
}

TEST_F(ViewComposeTest, ImageShowShowsEachImageForItsShareOfFrames)
{
    const COLORREF colours[] = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255) };
    auto* show = new ProgramImageShow;
    for (int i = 0; i < 3; ++i) {
        const wchar_t* names[] = { L"engine_show0.bmp", L"engine_show1.bmp", L"engine_show2.bmp" };
        COLORREF colour = colours[i];
        show->m_imagePaths.Add(
            WriteImage(names[i], 8, 4, ImageFormat::Bmp, [colour](int, int) { return colour; }).c_str());
    }
    show->m_imageAlign = 2;
    show->m_orgFrames = 90;
    show->m_startFrame = 1;
    show->m_endFrame = 90;
    show->m_showingFrames = 1000;
    ProgramView* view = SetUpView(show, CRect(0, 0, 8, 4));
    const struct {
        UINT frame;
        DWORD colour;
    } expected[] = { { 0, kRed }, { 29, kRed }, { 30, kGreen }, { 59, kGreen }, { 60, kBlue }, { 89, kBlue } };
    for (const auto& e : expected) {
        RenderView(view, m_engine, e.frame);
        EXPECT_EQ(e.colour, OutputPixel(4, 2)) << "frame " << e.frame;
    }
    // Fewer frames than images: each image gets one frame, no division by zero.
    show->m_orgFrames = 2;
    show->m_endFrame = 2;
    RenderView(view, m_engine, 1);
    EXPECT_EQ(kGreen, OutputPixel(4, 2));
}

TEST(SlideTransition, EnterStillAndLeavePositions)
{
    Canvas source(8, 4, RGB(0, 0, 0));
    source.dc()->FillSolidRect(0, 0, 4, 2, RGB(255, 255, 255));
    ProgramImageShow show;
    show.m_enterFrames = 10;
    show.m_showingFrames = 10;
    show.m_leaveFrames = 10;
    const CRect rect(0, 0, 4, 2);
    struct Case {
        UINT frame;
        int effect;
        int expectedLeft; // left edge of the white block in the target; -1 none
    } cases[] = {
        { 4, 1, 4 }, // enters from the right: x = 8 - 8 x 0.5
        { 9, 1, 0 }, { 10, 1, 0 }, // still
        { 20, 3, 0 }, // still, whatever the effect
        { 21, 2, 1 }, // leaves to the right: x = 8 x 0.2
        { 4, 0, -1 }, // no effect: nothing drawn
    };
    for (const Case& c : cases) {
        Canvas target(8, 4, RGB(0, 0, 0));
        show.m_enterEffect = c.effect;
        show.m_leaveEffect = c.effect;
        DrawSlideTransition(c.frame, target.dc(), source.dc(), &show, &rect);
        int left = -1;
        for (int x = 0; x < 8 && left < 0; ++x) {
            if (target.At(x, 0) == RGB(255, 255, 255))
                left = x;
        }
        EXPECT_EQ(c.expectedLeft, left) << "frame " << c.frame << " effect " << c.effect;
    }
}

} // namespace
} // namespace enginetest
