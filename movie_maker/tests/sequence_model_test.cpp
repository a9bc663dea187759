// The colour sequence rules: frame counts, stepping with fades, ramps and the
// palette of added colours.
#include "QuorraApp.h"
#include "SequenceModel.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace quorra;

namespace {

SequenceElement E(COLORREF c, int d, bool fade = false)
{
    SequenceElement e;
    e.color = c;
    e.duration = d;
    e.fade = fade;
    return e;
}

const COLORREF A = RGB(200, 0, 0);
const COLORREF B = RGB(0, 0, 100);
const COLORREF C = RGB(0, 250, 0);

TEST(SequenceModel, TotalFramesSkipAFadingLastElement)
{
    EXPECT_EQ(CountTotalFrames({}), 0);
    EXPECT_EQ(CountTotalFrames({ E(A, 10), E(B, 5) }), 15);
    EXPECT_EQ(CountTotalFrames({ E(A, 10, true), E(B, 5), E(C, 8, true) }), 15);
    EXPECT_EQ(CountTotalFrames({ E(A, 10, true), E(B, 5, true) }), 10);
}

// One letter per tick: the colour's name, '.' for a tick that shows nothing.
std::string Trace(const Sequence& s, int ticks, CSequenceStepper& stepper)
{
    std::string out;
    for (int i = 0; i < ticks; ++i) {
        COLORREF c = 0;
        auto step = stepper.Next(s, c);
        if (step != CSequenceStepper::Step::Painted)
            out += '.';
        else
            out += c == A ? 'A' : c == B ? 'B' : c == C ? 'C' : '?';
    }
    return out;
}

TEST(SequenceModel, PreviewLoopsWithTicksThatShowNothing)
{
    CSequenceStepper stepper;
    // A, A, A, move to B, B, B, move past B, wrap to A, A again.
    EXPECT_EQ(Trace({ E(A, 3), E(B, 2) }, 9, stepper), "AAA.BB..A");
    CSequenceStepper empty;
    COLORREF c = 0;
    EXPECT_EQ(empty.Next({}, c), CSequenceStepper::Step::Empty);
}

TEST(SequenceModel, FadesBlendTowardTheNextAndAFadingLastElementIsSkipped)
{
    TheQuorraApp().InitInstance(); // GDI+
    Sequence s { E(A, 10, true), E(B, 5), E(C, 8, true) };
    CSequenceStepper stepper;
    std::vector<COLORREF> painted;
    for (int i = 0; i < 40 && painted.size() < 100; ++i) {
        COLORREF c = 0;
        auto step = stepper.Next(s, c);
        if (step == CSequenceStepper::Step::Painted)
            painted.push_back(c);
        if (step == CSequenceStepper::Step::Wrapped)
            break;
    }
    ASSERT_EQ(painted.size(), 15u);
    EXPECT_EQ(painted[0], A);
    for (size_t i = 1; i < 10; ++i) {
        EXPECT_LE(GetRValue(painted[i]), GetRValue(painted[i - 1])) << i;
        EXPECT_GE(GetBValue(painted[i]), GetBValue(painted[i - 1])) << i;
    }
    EXPECT_LT(GetRValue(painted[9]), 60);
    EXPECT_GT(GetBValue(painted[9]), 70);
    for (size_t i = 10; i < 15; ++i)
        EXPECT_EQ(painted[i], B);
}

TEST(SequenceModel, FadeColourOutsideTheGradientIsTheStartColour)
{
    TheQuorraApp().InitInstance();
    EXPECT_EQ(FadeColourAt(10, A, B, 10), A);
    EXPECT_EQ(FadeColourAt(10, A, B, -1), A);
    EXPECT_EQ(FadeColourAt(0, A, B, 0), A);
    EXPECT_EQ(FadeColourAt(4, RGB(0, 0, 0), RGB(0, 0, 0), 2), RGB(0, 0, 0));
}

TEST(SequenceModel, RampsTruncateTowardZero)
{
    Sequence grey = BuildRamp(RGB(0, 0, 0), RGB(255, 255, 255), 3, 250);
    ASSERT_EQ(grey.size(), 3u);
    EXPECT_EQ(grey[0].color, RGB(0, 0, 0));
    EXPECT_EQ(grey[1].color, RGB(127, 127, 127));
    EXPECT_EQ(grey[2].color, RGB(255, 255, 255));
    EXPECT_EQ(grey[1].duration, 250);
    EXPECT_FALSE(grey[1].fade);
    // Falling channels truncate toward zero too.
    Sequence down = BuildRamp(RGB(255, 10, 0), RGB(0, 0, 0), 4, 1);
    EXPECT_EQ(down[1].color, RGB(170, 7, 0));
    // One level: the start colour alone, no division by zero.
    Sequence one = BuildRamp(RGB(9, 8, 7), RGB(255, 255, 255), 1, 5);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].color, RGB(9, 8, 7));
    EXPECT_EQ(BuildRamp(0, 0, 256, 250).size(), 256u);
}

TEST(SequenceModel, AddedColoursFollowThePaletteThenRandomBytes)
{
    const COLORREF palette[] = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0), RGB(0, 255, 255),
        RGB(255, 0, 255), RGB(255, 255, 255) };
    int calls = 0;
    auto random = [&] {
        ++calls;
        return 0x100 * calls + calls; // low bytes 1, 2, 3
    };
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(AddedColour(i, random), palette[i]);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(AddedColour(7, random), RGB(1, 2, 3));
    EXPECT_EQ(calls, 3);
}

} // namespace
