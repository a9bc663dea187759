// Vertical colourful-words effects on a synthetic text image: three stacked
// cells of 40 x 48 pixels (T = 40 x 144), spacing 2, in a view 64 wide and
// 200 high: TH = 150, resting bottom end g = 175, top end d = 25, column x = 12.
#include "colorful_words_effects.h"
#include "words_test_support.h"

#include <gtest/gtest.h>

using enginetest::Canvas;
using namespace wordstest;

namespace {

class WordsColumn : public testing::Test {
protected:
    void SetUp() override
    {
        words = MakeWords(L"ABC");
        words->m_orientation = 1;
        words->m_textSpacing = 2;
        text = CellImage(3, 40, 48, true);
        view = std::make_unique<Canvas>(64, 200, kBackground);
        view->dc()->SetStretchBltMode(COLORONCOLOR);
    }

    static CRect Cell(int y, int w = 40) { return CRect(12, y, 12 + w, y + 48); }
    ::testing::AssertionResult CellAt(int i, CRect expected) const { return ColourCovers(*view, kCells[i], expected); }
    ::testing::AssertionResult Hidden(int i) const { return ColourCovers(*view, kCells[i], CRect(0, 0, 0, 0)); }
    bool OnlyBackground() const { return PixelsNot(*view, kBackground).empty(); }
    // The resting column, top end 25.
    void ExpectResting()
    {
        EXPECT_TRUE(CellAt(0, Cell(25)));
        EXPECT_TRUE(CellAt(1, Cell(75)));
        EXPECT_TRUE(CellAt(2, Cell(125)));
    }

    std::unique_ptr<ProgramColorFulWords> words;
    std::unique_ptr<Canvas> text;
    std::unique_ptr<Canvas> view;
};

TEST_F(WordsColumn, LayoutOfTheRestingColumn)
{
    WordsColumnLayout layout = VerticalWordsLayout(CRect(0, 0, 64, 200), CRect(0, 0, 40, 144), *words);
    EXPECT_EQ(layout.cellHeight, 48);
    EXPECT_EQ(layout.displayWidth, 40);
    EXPECT_EQ(layout.x, 12);
    EXPECT_EQ(layout.textHeight, 150);
    EXPECT_EQ(layout.restBottom, 175);
    EXPECT_EQ(layout.restTop, 25);
    // A column taller than the view rests at both edges.
    layout = VerticalWordsLayout(CRect(0, 0, 64, 100), CRect(0, 0, 40, 144), *words);
    EXPECT_EQ(layout.restBottom, 100);
    EXPECT_EQ(layout.restTop, 0);
    // Half width.
    words->m_textWidth = 50;
    layout = VerticalWordsLayout(CRect(0, 0, 64, 200), CRect(0, 0, 40, 144), *words);
    EXPECT_EQ(layout.displayWidth, 20);
    EXPECT_EQ(layout.x, 22);
}

TEST_F(WordsColumn, MoveUpRisesFromBelowToItsTopEnd)
{
    words->m_enterEffect = WORDS_EFFECT_MOVE_UP;
    words->m_enterFrames = 10;
    DrawWordsEnterVertical(view->dc(), text->dc(), *words, 5); // top end 200 - 5 x 175 / 10 = 113
    EXPECT_TRUE(CellAt(0, Cell(113)));
    EXPECT_TRUE(CellAt(1, Cell(163)));
    EXPECT_TRUE(Hidden(2));
    view->Fill(kBackground);
    DrawWordsEnterVertical(view->dc(), text->dc(), *words, 10); // at rest
    ExpectResting();
}

TEST_F(WordsColumn, MoveDownComesFromAboveToItsBottomEnd)
{
    words->m_enterEffect = WORDS_EFFECT_MOVE_DOWN;
    words->m_enterFrames = 10;
    DrawWordsEnterVertical(view->dc(), text->dc(), *words, 5); // bottom end 5 x 175 / 10 = 87
    EXPECT_TRUE(CellAt(2, Cell(37)));
    EXPECT_TRUE(CellAt(1, Cell(-13)));
    EXPECT_TRUE(Hidden(0));
    view->Fill(kBackground);
    DrawWordsEnterVertical(view->dc(), text->dc(), *words, 0); // bottom end 0: nothing
    EXPECT_TRUE(OnlyBackground());
}

TEST_F(WordsColumn, ShowStandsWhereTheEnterEffectBroughtIt)
{
    words->m_enterFrames = 10;
    words->m_showWordFrames = 20;
    const int enters[] = { 0, WORDS_EFFECT_MOVE_DOWN, WORDS_EFFECT_MOVE_UP };
    for (int enter : enters) {
        words->m_enterEffect = enter;
        view->Fill(kBackground);
        DrawWordsShowVertical(view->dc(), text->dc(), *words, 15);
        ExpectResting();
    }
    // A column taller than the view: from its top end at the top edge, or
    // from its bottom end at the bottom edge.
    Canvas low(64, 100, kBackground);
    words->m_enterEffect = 0;
    DrawWordsShowVertical(low.dc(), text->dc(), *words, 15);
    EXPECT_TRUE(ColourCovers(low, kCells[0], Cell(0)));
    EXPECT_TRUE(ColourCovers(low, kCells[1], Cell(50)));
    EXPECT_TRUE(ColourCovers(low, kCells[2], CRect(0, 0, 0, 0)));
    low.Fill(kBackground);
    words->m_enterEffect = WORDS_EFFECT_MOVE_DOWN;
    DrawWordsShowVertical(low.dc(), text->dc(), *words, 15);
    EXPECT_TRUE(ColourCovers(low, kCells[2], Cell(50)));
    EXPECT_TRUE(ColourCovers(low, kCells[1], Cell(0)));
}

TEST_F(WordsColumn, FlashShowsEveryFourthFrameAndScrollIsNoVerticalShow)
{
    words->m_enterFrames = 10;
    words->m_showWordFrames = 20;
    words->m_showWordEffect = WORDS_SHOW_FLASH;
    for (int frame = 10; frame < 19; ++frame) {
        view->Fill(kBackground);
        DrawWordsShowVertical(view->dc(), text->dc(), *words, frame);
        if ((frame - 10) % 4 == 0)
            EXPECT_TRUE(CellAt(1, Cell(75))) << frame;
        else
            EXPECT_TRUE(OnlyBackground()) << frame;
    }
    words->m_showWordEffect = WORDS_SHOW_SCROLL;
    view->Fill(kBackground);
    DrawWordsShowVertical(view->dc(), text->dc(), *words, 10);
    EXPECT_TRUE(OnlyBackground());
}

TEST_F(WordsColumn, LeavingColumns)
{
    words->m_enterFrames = 10;
    words->m_showWordFrames = 10;
    words->m_leaveFrames = 10;
    words->m_orgFrames = 30;
    // Move down, a = 5: bottom end 175 + (150 + 200 - 175) x 5 / 10 = 262.
    words->m_leaveEffect = WORDS_EFFECT_MOVE_DOWN;
    DrawWordsLeaveVertical(view->dc(), text->dc(), *words, 25);
    EXPECT_TRUE(Hidden(2));
    EXPECT_TRUE(CellAt(1, Cell(162)));
    EXPECT_TRUE(CellAt(0, Cell(112)));
    // Move up, a = 5: top end 25 - (25 + 150) x 5 / 10 = -62.
    words->m_leaveEffect = WORDS_EFFECT_MOVE_UP;
    view->Fill(kBackground);
    DrawWordsLeaveVertical(view->dc(), text->dc(), *words, 25);
    EXPECT_TRUE(Hidden(0));
    EXPECT_TRUE(CellAt(1, Cell(-12)));
    EXPECT_TRUE(CellAt(2, Cell(38)));
    // The last frame of the phase puts the column wholly above the view.
    view->Fill(kBackground);
    DrawWordsLeaveVertical(view->dc(), text->dc(), *words, 29);
    EXPECT_TRUE(OnlyBackground());
}

TEST_F(WordsColumn, ColumnEndsOutsideTheViewDrawNothing)
{
    DrawWordColumnUp(view->dc(), text->dc(), *words, 12, 0);
    DrawWordColumnDown(view->dc(), text->dc(), *words, 12, 200);
    EXPECT_TRUE(OnlyBackground());
    words->m_text.Empty();
    EXPECT_EQ(DrawWordColumnUp(view->dc(), text->dc(), *words, 12, 100), 0);
    EXPECT_EQ(DrawWordsEnterVertical(view->dc(), text->dc(), *words, 1), 0);
}

} // namespace
