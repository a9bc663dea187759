// Horizontal colourful-words effects on a synthetic text image: four cells of
// 40 x 48 pixels in four colours (T = 160 x 48) in a 320 x 64 view, so the
// place of every cell in the view can be read from its colour.
#include "colorful_words_effects.h"
#include "words_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

using enginetest::Canvas;
using namespace wordstest;

namespace {

class WordsEffects : public testing::Test {
protected:
    void SetUp() override
    {
        words = MakeWords(L"ABCD");
        text = CellImage(4, 40, 48);
        view = std::make_unique<Canvas>(320, 64, kBackground);
        view->dc()->SetStretchBltMode(COLORONCOLOR);
    }

    // Cell i of width w at (x, y), 48 high.
    static CRect Cell(int x, int y, int w = 40) { return CRect(x, y, x + w, y + 48); }

    ::testing::AssertionResult CellAt(int i, CRect expected) const { return ColourCovers(*view, kCells[i], expected); }
    ::testing::AssertionResult Hidden(int i) const { return ColourCovers(*view, kCells[i], CRect(0, 0, 0, 0)); }
    bool OnlyBackground() const { return PixelsNot(*view, kBackground).empty(); }

    std::unique_ptr<ProgramColorFulWords> words;
    std::unique_ptr<Canvas> text;
    std::unique_ptr<Canvas> view;
};

TEST_F(WordsEffects, LayoutOfTheRestingText)
{
    WordsLayout layout = HorizontalWordsLayout(CRect(0, 0, 320, 64), CRect(0, 0, 160, 48), *words);
    EXPECT_EQ(layout.cellWidth, 40);
    EXPECT_EQ(layout.displayWidth, 40);
    EXPECT_EQ(layout.step, 40);
    EXPECT_EQ(layout.textWidth, 160);
    EXPECT_EQ(layout.restX, 80);
    EXPECT_EQ(layout.restY, 8);

    // Half-width cells with 4 pixels after each: TW = 80 + 16.
    words->m_textWidth = 50;
    words->m_textSpacing = 4;
    layout = HorizontalWordsLayout(CRect(0, 0, 320, 64), CRect(0, 0, 160, 48), *words);
    EXPECT_EQ(layout.displayWidth, 20);
    EXPECT_EQ(layout.step, 24);
    EXPECT_EQ(layout.textWidth, 96);
    EXPECT_EQ(layout.restX, 112);

    // A text wider than the view rests at the view's left edge.
    layout = HorizontalWordsLayout(CRect(0, 0, 60, 30), CRect(0, 0, 160, 48), *words);
    EXPECT_EQ(layout.restX, 0);
    EXPECT_EQ(layout.restY, -9);
}

TEST_F(WordsEffects, CellsAreStretchedToTheirDisplayWidthAndSpacing)
{
    words->m_textWidth = 50;
    words->m_textSpacing = 4;
    DrawWordCells(view->dc(), text->dc(), *words, 112, 8);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(CellAt(i, Cell(112 + 24 * i, 8, 20))) << i;
}

TEST_F(WordsEffects, FirstCellsAndCellsFrom)
{
    DrawFirstWordCells(view->dc(), text->dc(), *words, 80, 8, 2);
    EXPECT_TRUE(CellAt(0, Cell(80, 8)));
    EXPECT_TRUE(CellAt(1, Cell(120, 8)));
    EXPECT_TRUE(Hidden(2));
    view->Fill(kBackground);
    DrawWordCellsFrom(view->dc(), text->dc(), *words, 80, 8, 3);
    EXPECT_TRUE(Hidden(2));
    EXPECT_TRUE(CellAt(3, Cell(200, 8)));
    view->Fill(kBackground);
    DrawFirstWordCells(view->dc(), text->dc(), *words, 80, 8, 0);
    EXPECT_TRUE(OnlyBackground());
}

TEST_F(WordsEffects, MoveInFromTheRight)
{
    words->m_enterEffect = WORDS_EFFECT_MOVE;
    words->m_enterFrames = 50;
    DrawWordsEnter(view->dc(), text->dc(), *words, 25); // x = 320 - 25 * 240 / 50
    EXPECT_TRUE(CellAt(0, Cell(200, 8)));
    EXPECT_TRUE(CellAt(1, Cell(240, 8)));
    EXPECT_TRUE(CellAt(2, Cell(280, 8)));
    EXPECT_TRUE(Hidden(3));
    view->Fill(kBackground);
    DrawWordsEnter(view->dc(), text->dc(), *words, 50); // the resting place
    EXPECT_TRUE(CellAt(0, Cell(80, 8)));
    EXPECT_TRUE(CellAt(3, Cell(200, 8)));
    view->Fill(kBackground);
    DrawWordsEnter(view->dc(), text->dc(), *words, 0); // just beyond the right edge
    EXPECT_TRUE(OnlyBackground());
}

TEST_F(WordsEffects, TypingShowsOneMoreCharacterEveryPerFrames)
{
    words->m_enterEffect = WORDS_EFFECT_TYPING;
    struct Case {
        int enterFrames, frame, shown;
    };
    // EF 50 over 4 characters: per = 13; EF 10: per = 3.
    const Case cases[]
        = { { 50, 1, 1 }, { 50, 13, 1 }, { 50, 14, 2 }, { 50, 40, 4 }, { 10, 3, 1 }, { 10, 4, 2 }, { 10, 9, 3 } };
    for (const Case& c : cases) {
        words->m_enterFrames = c.enterFrames;
        view->Fill(kBackground);
        DrawWordsEnter(view->dc(), text->dc(), *words, c.frame);
        for (int i = 0; i < 4; ++i) {
            if (i < c.shown)
                EXPECT_TRUE(CellAt(i, Cell(80 + 40 * i, 8))) << c.enterFrames << " " << c.frame << " " << i;
            else
                EXPECT_TRUE(Hidden(i)) << c.enterFrames << " " << c.frame << " " << i;
        }
    }
}

TEST_F(WordsEffects, DropInLetsOneCharacterFallWhileTheEarlierOnesStand)
{
    words->m_enterEffect = WORDS_EFFECT_DROP;
    words->m_enterFrames = 52; // per = 13
    // N = 20: character 1 falls from y0 = -48 towards 8, 7 frames of 13 in.
    DrawWordsEnter(view->dc(), text->dc(), *words, 20);
    EXPECT_TRUE(CellAt(0, Cell(80, 8)));
    EXPECT_TRUE(CellAt(1, Cell(120, -48 + 56 * 7 / 13)));
    EXPECT_TRUE(Hidden(2));
    EXPECT_TRUE(Hidden(3));
    // N = 26: character 1 starts its fall again at y0, above the view.
    view->Fill(kBackground);
    DrawWordsEnter(view->dc(), text->dc(), *words, 26);
    EXPECT_TRUE(CellAt(0, Cell(80, 8)));
    EXPECT_TRUE(Hidden(1));
    // N = 27: character 1 stands, character 2 falls, 1 frame of 13 in.
    view->Fill(kBackground);
    DrawWordsEnter(view->dc(), text->dc(), *words, 27);
    EXPECT_TRUE(CellAt(1, Cell(120, 8)));
    EXPECT_TRUE(CellAt(2, Cell(160, -48 + 56 / 13)));
}

TEST_F(WordsEffects, DropWithoutAnExistingCellDrawsOnlyTheStandingOnes)
{
    // A falling cell outside the text must not be read from beyond the image.
    DrawWordsDropIn(view->dc(), text->dc(), *words, 80, 8, 6, 0, 8, 13, 1);
    EXPECT_TRUE(CellAt(3, Cell(200, 8)));
    view->Fill(kBackground);
    DrawWordsDropOut(view->dc(), text->dc(), *words, 80, 8, 0, 0, 8, 13, 1);
    EXPECT_TRUE(CellAt(0, Cell(80, 8)));
    view->Fill(kBackground);
    DrawWordsDropIn(view->dc(), text->dc(), *words, 80, 8, 2, 0, 8, 0, 1); // no fall length
    EXPECT_TRUE(CellAt(0, Cell(80, 8)));
    EXPECT_TRUE(Hidden(1));
}

TEST_F(WordsEffects, StillAndFlashingShow)
{
    words->m_enterFrames = 50;
    words->m_showWordFrames = 20;
    words->m_showWordEffect = WORDS_SHOW_FLASH;
    for (int frame = 50; frame < 60; ++frame) {
        view->Fill(kBackground);
        DrawWordsShow(view->dc(), text->dc(), *words, frame);
        if ((frame - 50) % 4 == 0)
            EXPECT_TRUE(CellAt(2, Cell(160, 8))) << frame;
        else
            EXPECT_TRUE(OnlyBackground()) << frame;
    }
    words->m_showWordEffect = WORDS_SHOW_STILL;
    view->Fill(kBackground);
    DrawWordsShow(view->dc(), text->dc(), *words, 51);
    EXPECT_TRUE(CellAt(0, Cell(80, 8)));
    words->m_showWordEffect = 7; // not a horizontal show
    view->Fill(kBackground);
    DrawWordsShow(view->dc(), text->dc(), *words, 50);
    EXPECT_TRUE(OnlyBackground());
}

TEST_F(WordsEffects, ScrollRunsOnceAcrossTheViewOverThePass)
{
    words->m_showWordEffect = WORDS_SHOW_SCROLL;
    words->m_orgFrames = 100;
    // travel = 160 + 20 + 320 = 500; N = 50: x = 320 - 250.
    DrawWordsScroll(text->dc(), view->dc(), *words, 50);
    EXPECT_TRUE(CellAt(0, Cell(70, 8)));
    EXPECT_TRUE(CellAt(3, Cell(190, 8)));
    view->Fill(kBackground);
    DrawWordsScroll(text->dc(), view->dc(), *words, 1); // x = 320 - ceil(5)
    EXPECT_TRUE(CellAt(0, Cell(315, 8)));
    view->Fill(kBackground);
    DrawWordsScroll(text->dc(), view->dc(), *words, 100); // gone past the left edge
    EXPECT_TRUE(OnlyBackground());
    // A program without a pass does not scroll (and does not divide by it).
    words->m_orgFrames = 0;
    view->Fill(kBackground);
    DrawWordsScroll(text->dc(), view->dc(), *words, 10);
    EXPECT_TRUE(OnlyBackground());
}

TEST_F(WordsEffects, MoveOutToTheLeft)
{
    words->m_enterFrames = 50;
    words->m_showWordFrames = 20;
    words->m_leaveFrames = 20;
    words->m_orgFrames = 90;
    words->m_leaveEffect = WORDS_EFFECT_MOVE;
    DrawWordsLeave(view->dc(), text->dc(), *words, 80); // a = 10: x = 80 - 240 * 10 / 20 = -40
    EXPECT_TRUE(Hidden(0));
    EXPECT_TRUE(CellAt(1, Cell(0, 8)));
    EXPECT_TRUE(CellAt(3, Cell(80, 8)));
}

TEST_F(WordsEffects, TypingAwayAndDropAway)
{
    words->m_enterFrames = 50;
    words->m_showWordFrames = 20;
    words->m_leaveFrames = 20; // per = 5
    words->m_orgFrames = 90;
    words->m_leaveEffect = WORDS_EFFECT_TYPING;
    DrawWordsLeave(view->dc(), text->dc(), *words, 76); // a = 6: k = 2
    EXPECT_TRUE(Hidden(0));
    EXPECT_TRUE(Hidden(1));
    EXPECT_TRUE(CellAt(2, Cell(160, 8)));
    EXPECT_TRUE(CellAt(3, Cell(200, 8)));

    // Drop away, a = 6: k = ceil(7 / 5) = 2, character 1 falls from 8 to the
    // bottom edge, 1 frame of 5 in: y = 8 + 56 / 5.
    words->m_leaveEffect = WORDS_EFFECT_DROP;
    view->Fill(kBackground);
    DrawWordsLeave(view->dc(), text->dc(), *words, 76);
    EXPECT_TRUE(Hidden(0));
    EXPECT_TRUE(CellAt(1, Cell(120, 19)));
    EXPECT_TRUE(CellAt(2, Cell(160, 8)));
    // A frame past the leave phase (ORGFRAME longer than the phases) has no
    // cell left to fall.
    words->m_orgFrames = 200;
    view->Fill(kBackground);
    DrawWordsLeave(view->dc(), text->dc(), *words, 150);
    EXPECT_TRUE(OnlyBackground());
}

// The fragment scatter worked out by hand for one frame: the generator is
// seeded with the area's width, one random column per block column and one
// random row per block.
struct ScatterCase {
    bool enter;
    int effect;
    int frame;
    CRect area; // the area after closing in or opening out
    int size, cols, rows;
};

TEST_F(WordsEffects, FragmentsScatterBlocksOverTheClosingArea)
{
    words->m_enterFrames = 50;
    words->m_showWordFrames = 20;
    words->m_leaveFrames = 20;
    words->m_orgFrames = 90;
    const ScatterCase cases[] = {
        // Enter 4 at N 25: block 5, area shrunk by 40 and 4, cols 5 x (25 x 32 / 50), rows 5 x (25 x 9 / 50).
        { true, 4, 25, CRect(40, 4, 280, 60), 5, 80, 20 },
        // Enter 5: block 10, cols 10 x (25 x 16 / 50), rows 10 x (25 x 4 / 50).
        { true, 5, 25, CRect(40, 4, 280, 60), 10, 80, 20 },
        // Enter 6: block 20, vertical margin (64 - 48) / 3 = 5, cols 20 x 4, rows 20 x 1.
        { true, 6, 25, CRect(40, 2, 280, 62), 20, 80, 20 },
        // Leave 6 at a = 10: block 15 (3 x 5), area grown by 40 and 4,
        // cols 15 x (10 x 10 / 20), rows 15 x (3 x 10 / 20).
        { false, 6, 80, CRect(-40, -4, 360, 68), 15, 75, 15 },
        // Leave 4 at a = 5: block 5, grown by 20 and 2, cols 5 x (32 x 15 / 20), rows 5 x (9 x 15 / 20).
        { false, 4, 75, CRect(-20, -2, 340, 66), 5, 120, 30 },
    };
    for (const ScatterCase& c : cases) {
        words->m_enterEffect = c.enter ? c.effect : 0;
        words->m_leaveEffect = c.enter ? 0 : c.effect;
        view->Fill(kBackground);
        std::srand(77); // whatever was drawn before
        if (c.enter)
            DrawWordsEnter(view->dc(), text->dc(), *words, c.frame);
        else
            DrawWordsLeave(view->dc(), text->dc(), *words, c.frame);

        Canvas expected(320, 64, kBackground);
        std::srand(static_cast<unsigned>(c.area.Width()));
        for (int x = 0; x < c.cols; x += c.size) {
            const int rx = std::rand() % c.area.Width();
            for (int y = 0; y < c.rows; y += c.size)
                expected.dc()->BitBlt(c.area.left + rx, c.area.top + std::rand() % c.area.Height(), c.size, c.size,
                    text->dc(), x, y, SRCCOPY);
        }
        EXPECT_TRUE(SamePixels(*view, expected)) << c.enter << " " << c.effect;
        EXPECT_FALSE(OnlyBackground()) << c.enter << " " << c.effect;
    }
}

TEST_F(WordsEffects, AFragmentFrameDoesNotDependOnWhatWasDrawnBefore)
{
    words->m_enterFrames = 50;
    words->m_enterEffect = WORDS_EFFECT_FRAGMENTS_MEDIUM;
    Canvas first(320, 64, kBackground);
    Canvas second(320, 64, kBackground);
    std::srand(1);
    DrawWordsEnter(first.dc(), text->dc(), *words, 30);
    const int after = std::rand();
    std::srand(4242);
    for (int i = 0; i < 17; ++i)
        std::rand();
    DrawWordsEnter(second.dc(), text->dc(), *words, 30);
    EXPECT_TRUE(SamePixels(first, second));
    // The process's generator is left where the scatter left it, whatever
    // its state before.
    EXPECT_EQ(std::rand(), after);
}

TEST_F(WordsEffects, EnteringFragmentsComeFromTheUpperLeftOfTheText)
{
    words->m_enterFrames = 50;
    words->m_enterEffect = WORDS_EFFECT_FRAGMENTS_SMALL;
    // N = 10: cols 5 x (10 x 32 / 50) = 30 pixels of the first cell only.
    DrawWordsEnter(view->dc(), text->dc(), *words, 10);
    EXPECT_FALSE(PixelsOf(*view, kCells[0]).empty());
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(Hidden(i)) << i;
    // Nothing before the first frame of the phase.
    view->Fill(kBackground);
    DrawWordsEnter(view->dc(), text->dc(), *words, 0);
    EXPECT_TRUE(OnlyBackground());
}

TEST_F(WordsEffects, FragmentsOfAnEmptyOrOutsideAreaDrawNothing)
{
    words->m_enterFrames = 50;
    ScatterFragmentsIn(view->dc(), text->dc(), 5, *words, CRect(10, 10, 10, 40), 160, 25);
    ScatterFragmentsIn(view->dc(), text->dc(), 5, *words, CRect(400, 0, 500, 64), 160, 25);
    ScatterFragmentsIn(view->dc(), text->dc(), 0, *words, CRect(0, 0, 320, 64), 160, 25); // no block size
    EXPECT_TRUE(OnlyBackground());
}

TEST_F(WordsEffects, UnlistedCodesAndEmptyTextsDrawNothing)
{
    words->m_enterFrames = 50;
    words->m_showWordFrames = 20;
    words->m_leaveFrames = 20;
    words->m_enterEffect = WORDS_EFFECT_MOVE_DOWN; // a vertical code
    words->m_leaveEffect = 9;
    EXPECT_EQ(DrawWordsEnter(view->dc(), text->dc(), *words, 10), 1);
    EXPECT_EQ(DrawWordsLeave(view->dc(), text->dc(), *words, 75), 1);
    EXPECT_TRUE(OnlyBackground());

    words->m_text.Empty();
    words->m_enterEffect = WORDS_EFFECT_MOVE;
    EXPECT_EQ(DrawWordsEnter(view->dc(), text->dc(), *words, 10), 0);
    EXPECT_EQ(DrawWordsShow(view->dc(), text->dc(), *words, 60), 0);
    EXPECT_EQ(DrawWordsScroll(text->dc(), view->dc(), *words, 10), 0);
    EXPECT_EQ(DrawWordCells(view->dc(), text->dc(), *words, 0, 0), 0);
    EXPECT_TRUE(OnlyBackground());
}

TEST_F(WordsEffects, PhasesWithoutFramesAreNotDividedBy)
{
    // Called directly with a frame before a phase of no frames.
    words->m_enterFrames = 0;
    words->m_enterEffect = WORDS_EFFECT_MOVE;
    EXPECT_EQ(DrawWordsEnter(view->dc(), text->dc(), *words, -1), 1);
    words->m_leaveFrames = 0;
    words->m_leaveEffect = WORDS_EFFECT_DROP;
    EXPECT_EQ(DrawWordsLeave(view->dc(), text->dc(), *words, 120), 1);
    EXPECT_TRUE(OnlyBackground());
}

} // namespace
