// Whole frames of colourful-words programs with a real font: the view is the
// background with the text image placed by the phase effect, the text image
// being plain glyphs, the texture cut into the glyphs, or glyphs with an
// outline; then the mirror. Expected views are composed in the test from the
// text primitives, so glyph shapes of the platform do not matter.
#include "color_animation_render.h"
#include "colorful_words_effects.h"
#include "words_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

using enginetest::Canvas;
using namespace wordstest;

namespace {

const COLORREF kPrefill = RGB(1, 2, 3);
const COLORREF kGreen = RGB(0, 200, 0);

// A colour-change texture of one solid colour: every frame shows that colour.
ProgramColorEffect* SolidTexture(COLORREF color)
{
    auto* effect = new ProgramColorEffect;
    effect->m_style = 0;
    effect->m_orgFrames = 256;
    auto* colors = new ColorTemplate;
    colors->m_changeMode = ColorTemplate::CHANGE_SOLID;
    colors->m_colors.Add(color);
    effect->m_templates.Add(colors);
    return effect;
}

// A texture whose colours change from frame to frame and across the canvas:
// colours moving left over a red, green, blue gradient.
ProgramColorEffect* MovingTexture(int style, int passFrames)
{
    auto* effect = new ProgramColorEffect;
    effect->m_style = style;
    effect->m_orgFrames = passFrames;
    effect->m_startSpeed = 3.0f;
    effect->m_endSpeed = 3.0f;
    auto* colors = new ColorTemplate;
    colors->m_changeMode = ColorTemplate::CHANGE_GRADIENT;
    colors->m_colors.Add(RGB(255, 0, 0));
    colors->m_colors.Add(RGB(0, 255, 0));
    colors->m_colors.Add(RGB(0, 0, 255));
    colors->m_colors.Add(RGB(255, 0, 0));
    effect->m_templates.Add(colors);
    return effect;
}

// The view a still horizontal text shows: background, and the text image
// copied 1:1 at its resting place.
std::unique_ptr<Canvas> StillView(const ProgramColorFulWords& words, const Canvas& image, int width, int height)
{
    auto view = std::make_unique<Canvas>(width, height, words.m_backgroundColor);
    const WordsLayout layout
        = HorizontalWordsLayout(CRect(0, 0, width, height), CRect(0, 0, image.width, image.height), words);
    view->dc()->BitBlt(
        layout.restX, layout.restY, image.width, image.height, const_cast<Canvas&>(image).dc(), 0, 0, SRCCOPY);
    return view;
}

std::unique_ptr<Canvas> PlainImage(const ProgramColorFulWords& words, COLORREF ink)
{
    const int stroke = WordsStrokeWidth(words);
    const CSize size = GetWordsTextExtent(words.m_font, words.m_text, stroke);
    auto image = std::make_unique<Canvas>(size.cx, size.cy, kBlack);
    DrawWordsPlain(words.m_text, words.m_font, stroke, ink, words.m_reverse, words.m_backgroundColor, image->dc());
    return image;
}

class WordsFrame : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(HasFace(L"WenQuanYi Micro Hei")) << "the test font is not installed"; }

    std::unique_ptr<Canvas> Draw(const ProgramColorFulWords& words, int frame, int width = 200, int height = 40)
    {
        auto view = std::make_unique<Canvas>(width, height, kPrefill);
        if (words.m_orientation == 0)
            result = DrawWordsHorizontal(renderer, words, view->dc(), frame);
        else
            result = DrawWordsVertical(renderer, words, view->dc(), frame);
        return view;
    }

    CCColorAnimationRender renderer;
    int result = -1;
};

TEST_F(WordsFrame, PlainTextRestsInTheMiddleOverTheBackground)
{
    for (int height : { -16, -24 }) {
        auto words = MakeWords(L"AB", height);
        const auto view = Draw(*words, 1);
        EXPECT_EQ(result, 1);
        EXPECT_TRUE(SamePixels(*view, *StillView(*words, *PlainImage(*words, words->m_textColor), 200, 40))) << height;
        // Only the two colours of the program.
        EXPECT_EQ(PixelsOf(*view, kBackground).size() + PixelsOf(*view, words->m_textColor).size(), 200u * 40u);
        EXPECT_FALSE(PixelsOf(*view, words->m_textColor).empty());
    }
}

TEST_F(WordsFrame, TextureFillsTheGlyphsOnly)
{
    // A texture of one colour gives the same view as plain glyphs in it.
    for (COLORREF background : { kBackground, kWhite }) {
        auto words = MakeWords(L"Wo");
        words->m_backgroundColor = background;
        words->m_useTextColor = 0;
        words->m_textureSpeed = 1;
        words->SetTexture(SolidTexture(kGreen));
        EXPECT_TRUE(SamePixels(*Draw(*words, 7), *StillView(*words, *PlainImage(*words, kGreen), 200, 40)));
    }
}

TEST_F(WordsFrame, TextureFollowsTheProgramFrameOrStandsStill)
{
    auto words = MakeWords(L"Wo");
    words->m_useTextColor = 0;
    words->m_backgroundColor = kBlack;
    words->SetTexture(MovingTexture(4, 100));
    const CSize size = GetWordsTextExtent(words->m_font, words->m_text, 0);

    // The glyph pixels of the view show the texture's own frame there.
    auto textureAt = [&](UINT textureFrame) {
        Canvas texture(size.cx, size.cy, kBlack);
        renderer.RenderColorEffect(texture.dc(), textureFrame, *words->m_pTexture);
        const auto plain = PlainImage(*words, kWhite);
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                if (plain->At(x, y) != kWhite)
                    texture.dc()->SetPixelV(x, y, kBlack);
        return StillView(*words, texture, 200, 40);
    };
    words->m_textureSpeed = 1;
    EXPECT_TRUE(SamePixels(*Draw(*words, 30), *textureAt(30)));
    EXPECT_FALSE(SamePixels(*Draw(*words, 30), *textureAt(1)));
    words->m_showWordFrames = 300;
    words->m_orgFrames = 300;
    EXPECT_TRUE(SamePixels(*Draw(*words, 250), *textureAt(50))); // wrapped into the texture's pass
    EXPECT_TRUE(SamePixels(*Draw(*words, 100), *textureAt(100)));
    words->m_textureSpeed = 0;
    EXPECT_TRUE(SamePixels(*Draw(*words, 30), *textureAt(1)));
    EXPECT_TRUE(SamePixels(*Draw(*words, 77), *textureAt(1)));
}

TEST_F(WordsFrame, TextureFrames)
{
    EXPECT_EQ(WordsTextureFrame(30, 0, 100), 1);
    EXPECT_EQ(WordsTextureFrame(250, 1, 100), 50);
    EXPECT_EQ(WordsTextureFrame(100, 1, 100), 100);
    EXPECT_EQ(WordsTextureFrame(200, 5, 100), 0);
    EXPECT_EQ(WordsTextureFrame(250, 1, 0), 250); // a texture without a pass is not wrapped
}

TEST_F(WordsFrame, LargeFontsGetTheTextureOfA48PixelTextStretched)
{
    auto texture = std::unique_ptr<ProgramColorEffect>(MovingTexture(4, 500));
    const LOGFONTW large = Font(-120);
    const CSize size = GetWordsTextExtent(large, L"Ab", 0);
    Canvas drawn(size.cx, size.cy, kPrefill);
    EXPECT_EQ(DrawWordsTexture(L"Ab", large, 0, 40, texture.get(), renderer, drawn.dc()), 1);

    const CSize small = GetWordsTextExtent(Font(-48), L"Ab", 0);
    ASSERT_LT(small.cx, size.cx);
    Canvas texture48(small.cx, small.cy, kPrefill);
    renderer.RenderColorEffect(texture48.dc(), 40, *texture);
    Canvas expected(size.cx, size.cy, kPrefill);
    expected.dc()->SetStretchBltMode(COLORONCOLOR);
    expected.dc()->StretchBlt(0, 0, size.cx, size.cy, texture48.dc(), 0, 0, small.cx, small.cy, SRCCOPY);
    EXPECT_TRUE(SamePixels(drawn, expected));

    // Up to 96 pixels the texture is drawn straight over the image.
    const LOGFONTW medium = Font(-96);
    const CSize mediumSize = GetWordsTextExtent(medium, L"Ab", 0);
    Canvas straight(mediumSize.cx, mediumSize.cy, kPrefill);
    DrawWordsTexture(L"Ab", medium, 0, 40, texture.get(), renderer, straight.dc());
    Canvas direct(mediumSize.cx, mediumSize.cy, kPrefill);
    renderer.RenderColorEffect(direct.dc(), 40, *texture);
    EXPECT_TRUE(SamePixels(straight, direct));

    // No texture: nothing drawn.
    EXPECT_EQ(DrawWordsTexture(L"Ab", medium, 0, 40, nullptr, renderer, straight.dc()), 0);
    EXPECT_TRUE(SamePixels(straight, direct));
}

TEST_F(WordsFrame, OutlineRingIsOredOverTheBackground)
{
    // Outline width 1 over black: the text image is the outline ring minus the
    // mask (one pixel left of the glyphs), ORed with the glyphs.
    auto words = MakeWords(L"Ox");
    words->m_backgroundColor = kBlack;
    words->m_textColor = RGB(200, 0, 0);
    words->m_strokeType = 1;
    words->m_strokeWidth = 1;
    words->m_strokeColor = kGreen;
    const auto view = Draw(*words, 1);

    const auto glyphs = PlainImage(*words, words->m_textColor);
    Canvas ring(glyphs->width, glyphs->height, kBlack);
    DrawWordsStroke(words->m_text, 1, 1, kBlack, kGreen, FALSE, words->m_font, ring.dc());
    DrawWordsMask(words->m_text, words->m_font, 1, FALSE, ring.dc());
    Canvas image(glyphs->width, glyphs->height, kBlack);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.dc()->SetPixelV(x, y, ring.At(x, y) | glyphs->At(x, y));
    EXPECT_TRUE(SamePixels(*view, *StillView(*words, image, 200, 40)));
    EXPECT_FALSE(PixelsOf(*view, kGreen).empty());
    EXPECT_FALSE(PixelsOf(*view, words->m_textColor).empty());
}

TEST_F(WordsFrame, MirrorFlipsTheFinishedView)
{
    auto words = MakeWords(L"Ab");
    words->m_enterEffect = WORDS_EFFECT_MOVE;
    words->m_enterFrames = 10;
    const auto plain = Draw(*words, 3);
    for (int mirror : { 1, 2 }) {
        words->m_mirror = mirror;
        const auto mirrored = Draw(*words, 3);
        int differences = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 200; ++x) {
                const COLORREF original = mirror == 1 ? plain->At(199 - x, y) : plain->At(x, 39 - y);
                differences += mirrored->At(x, y) != original;
            }
        EXPECT_EQ(differences, 0) << mirror;
    }
}

TEST_F(WordsFrame, ReversedTextIsDrawnBackwardsInEveryOrientation)
{
    for (int orientation : { 0, 1 }) {
        auto reversed = MakeWords(L"ABC");
        reversed->m_reverse = 1;
        reversed->m_orientation = orientation;
        reversed->m_strokeType = 1;
        reversed->m_strokeWidth = 2;
        reversed->m_strokeColor = kGreen;
        auto backwards = MakeWords(L"CBA");
        backwards->m_orientation = orientation;
        backwards->m_strokeType = 1;
        backwards->m_strokeWidth = 2;
        backwards->m_strokeColor = kGreen;
        EXPECT_TRUE(SamePixels(*Draw(*reversed, 5, 120, 120), *Draw(*backwards, 5, 120, 120))) << orientation;
    }
}

TEST_F(WordsFrame, VerticalTextStandsAsAColumnAtItsTopEnd)
{
    auto words = MakeWords(L"AB");
    words->m_orientation = 1;
    const auto view = Draw(*words, 1, 60, 120);
    EXPECT_EQ(result, 1);
    const CSize size = GetWordsTextExtentVertical(words->m_font, words->m_text, 0);
    Canvas image(size.cx, size.cy, kBlack);
    DrawWordsPlainVertical(words->m_text, words->m_font, 0, words->m_textColor, FALSE, kBackground, image.dc());
    const WordsColumnLayout layout = VerticalWordsLayout(CRect(0, 0, 60, 120), CRect(0, 0, size.cx, size.cy), *words);
    Canvas expected(60, 120, kBackground);
    expected.dc()->BitBlt(layout.x, layout.restTop, size.cx, size.cy, image.dc(), 0, 0, SRCCOPY);
    EXPECT_TRUE(SamePixels(*view, expected));
    EXPECT_FALSE(PixelsOf(*view, words->m_textColor).empty());

    // There is no vertical scroll: the show phase shows only the background.
    words->m_showWordEffect = WORDS_SHOW_SCROLL;
    EXPECT_TRUE(PixelsNot(*Draw(*words, 1, 60, 120), kBackground).empty());
}

TEST_F(WordsFrame, PhasesAreChosenByFrame)
{
    auto words = MakeWords(L"AB");
    words->m_enterEffect = WORDS_EFFECT_TYPING;
    words->m_enterFrames = 10;
    words->m_showWordFrames = 10;
    words->m_leaveEffect = WORDS_EFFECT_TYPING;
    words->m_leaveFrames = 10;
    words->m_orgFrames = 30;
    const auto still = StillView(*words, *PlainImage(*words, words->m_textColor), 200, 40);
    const PixelSet all = PixelsOf(*still, words->m_textColor);
    auto lit = [&](int frame) { return PixelsOf(*Draw(*words, frame), words->m_textColor); };
    // Typing: per = 5; frames 1-5 one character, 6-9 two.
    const PixelSet first = lit(3);
    EXPECT_FALSE(first.empty());
    EXPECT_LT(first.size(), all.size());
    EXPECT_EQ(lit(7), all);
    EXPECT_EQ(lit(15), all); // show
    EXPECT_EQ(lit(20), all); // leave, a = 0: nothing gone yet
    EXPECT_EQ(lit(23).size(), all.size() - first.size()); // the first character gone
    EXPECT_TRUE(lit(29).empty()); // a = 9: k = 2, every character gone
    // Beyond the pass: no phase, only the background.
    EXPECT_TRUE(PixelsNot(*Draw(*words, 30), kBackground).empty());
    EXPECT_TRUE(PixelsNot(*Draw(*words, 1000), kBackground).empty());
    // A code the orientation does not have: only the background.
    words->m_enterEffect = WORDS_EFFECT_MOVE_UP;
    EXPECT_TRUE(PixelsNot(*Draw(*words, 3), kBackground).empty());
}

TEST_F(WordsFrame, ScrollReplacesThePhases)
{
    auto words = MakeWords(L"AB");
    words->m_showWordEffect = WORDS_SHOW_SCROLL;
    words->m_enterEffect = WORDS_EFFECT_TYPING;
    words->m_enterFrames = 50;
    words->m_orgFrames = 100;
    // Both characters run across the view (typing would show one of them).
    const PixelSet early = PixelsOf(*Draw(*words, 30), words->m_textColor);
    const PixelSet later = PixelsOf(*Draw(*words, 40), words->m_textColor);
    ASSERT_FALSE(early.empty());
    EXPECT_EQ(later.size(), early.size());
    EXPECT_LT(BoundsOf(later).left, BoundsOf(early).left);
    EXPECT_TRUE(PixelsNot(*Draw(*words, 100), kBackground).empty());
}

TEST_F(WordsFrame, DegenerateInputs)
{
    // Empty text: nothing drawn, result 0.
    auto words = MakeWords(L"");
    auto view = Draw(*words, 1);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(PixelsOf(*view, kPrefill).size(), 200u * 40u);
    words->m_orientation = 1;
    view = Draw(*words, 1);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(PixelsOf(*view, kPrefill).size(), 200u * 40u);

    // Height 0 is the platform's default size: the text still shows.
    words = MakeWords(L"AB", 0);
    view = Draw(*words, 1);
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(PixelsOf(*view, words->m_textColor).empty());

    // A text too large for any bitmap leaves the background.
    words = MakeWords(L"AB", -30000);
    view = Draw(*words, 1);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(PixelsNot(*view, kBackground).empty());

    // Texture mode without a texture: glyph holes over the background.
    words = MakeWords(L"AB");
    words->m_useTextColor = 0;
    view = Draw(*words, 1);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(SamePixels(*view, *StillView(*words, *PlainImage(*words, kBlack), 200, 40)));
}

TEST_F(WordsFrame, FragmentFramesAreTheSameWhateverCameBefore)
{
    auto words = MakeWords(L"ABC", -24);
    words->m_enterEffect = WORDS_EFFECT_FRAGMENTS_SMALL;
    words->m_enterFrames = 20;
    std::srand(3);
    const auto first = Draw(*words, 12);
    // Other frames and other uses of the generator in between.
    Draw(*words, 5);
    for (int i = 0; i < 9; ++i)
        std::rand();
    EXPECT_TRUE(SamePixels(*Draw(*words, 12), *first));
    EXPECT_FALSE(PixelsOf(*first, words->m_textColor).empty());
}

TEST_F(WordsFrame, FramesLeaveNoGdiObjectsBehind)
{
    auto words = MakeWords(L"AB");
    words->m_strokeType = 1;
    words->m_strokeWidth = 3;
    words->m_useTextColor = 0;
    words->SetTexture(MovingTexture(4, 100));
    words->m_mirror = 1;
    Draw(*words, 2); // warm-up: first uses create cached objects
    const DWORD before = enginetest::GdiObjectCount();
    for (int orientation : { 0, 1 }) {
        words->m_orientation = orientation;
        for (int frame = 1; frame < 5; ++frame)
            Draw(*words, frame);
    }
    auto large = MakeWords(L"AB", -120);
    large->m_useTextColor = 0;
    large->SetTexture(MovingTexture(4, 100));
    Draw(*large, 2, 400, 200);
    EXPECT_EQ(enginetest::GdiObjectCount(), before);
}

} // namespace
