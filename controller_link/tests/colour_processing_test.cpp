// White modes and the fifth colour on single pixels, as a table, and the
// two colour-mode exports with their screen numbers.
#include "ColourProcessing.h"
#include "Corvane.h"
#include "CorvaneLibrary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

struct Rgbw {
    int r, g, b, w;
    bool operator==(const Rgbw&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgbw& p)
{
    return out << "(" << p.r << ", " << p.g << ", " << p.b << ", w " << p.w << ")";
}

Rgbw WhiteOf(int mode, Rgbw in, const CLEDScreen& screen)
{
    BYTE pixel[8] = { static_cast<BYTE>(in.b), static_cast<BYTE>(in.g), static_cast<BYTE>(in.r),
        static_cast<BYTE>(in.w), 0, 0, 0, 0 };
    ApplyWhiteChannel(mode, pixel, screen, 4);
    EXPECT_EQ(pixel[4] | pixel[5] | pixel[6] | pixel[7], 0) << "wrote past the frame";
    return { pixel[2], pixel[1], pixel[0], pixel[3] };
}

TEST(WhiteModes, EveryModeOnItsPixels)
{
    CLEDScreen screen;
    screen.m_colour.whiteValue = 33;
    struct Case {
        int mode;
        Rgbw in;
        Rgbw out;
    };
    const Case cases[] = {
        { 0, { 200, 100, 50, 9 }, { 200, 100, 50, 9 } },
        { 1, { 200, 100, 50, 9 }, { 150, 50, 0, 50 } },
        { 1, { 7, 7, 7, 9 }, { 0, 0, 0, 7 } },
        { 2, { 255, 0, 0, 9 }, { 255, 0, 0, 76 } }, // 76.5
        { 2, { 0, 255, 0, 9 }, { 0, 255, 0, 149 } }, // 149.43
        { 2, { 0, 0, 255, 9 }, { 0, 0, 255, 29 } }, // 29.07
        { 2, { 10, 20, 30, 9 }, { 10, 20, 30, 18 } }, // 3 + 11.72 + 3.42
        { 3, { 200, 100, 50, 9 }, { 200, 100, 50, 50 } },
        { 4, { 10, 20, 31, 9 }, { 0, 0, 0, 20 } },
        { 4, { 255, 255, 255, 9 }, { 0, 0, 0, 255 } },
        { 5, { 10, 20, 31, 9 }, { 0, 0, 0, 128 } },
        { 6, { 77, 77, 77, 9 }, { 0, 0, 0, 77 } },
        { 6, { 77, 77, 78, 9 }, { 77, 77, 78, 0 } },
        { 7, { 255, 255, 255, 9 }, { 255, 255, 255, 255 } },
        { 7, { 255, 255, 254, 9 }, { 255, 255, 254, 9 } },
        { 8, { 200, 100, 50, 9 }, { 200, 100, 50, 9 } }, // no mask on this screen
        { 9, { 200, 100, 50, 9 }, { 200, 100, 50, 9 } },
        { 10, { 40, 40, 40, 9 }, { 40, 40, 40, 40 } },
        { 10, { 40, 40, 41, 9 }, { 40, 40, 41, 9 } },
        { 11, { 1, 2, 3, 9 }, { 1, 2, 3, 33 } },
        { 12, { 1, 2, 3, 9 }, { 1, 2, 3, 9 } },
        { -1, { 1, 2, 3, 9 }, { 1, 2, 3, 9 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " on " << c.in);
        EXPECT_EQ(WhiteOf(c.mode, c.in, screen), c.out);
    }
    // Mode 2 reads the weight tables once they are built, with the same values.
    screen.m_colour.whiteMode = 2;
    screen.BuildColourTables();
    ASSERT_EQ(screen.m_colour.redWeights.size(), 256u);
    EXPECT_EQ(WhiteOf(2, { 10, 20, 30, 9 }, screen), (Rgbw { 10, 20, 30, 18 }));
}

TEST(WhiteModes, ModeEightTreatsOnlyPixelsUnderTheMask)
{
    CLEDScreen screen;
    screen.m_width = 3;
    screen.m_height = 1;
    screen.m_whiteMask = { 0, 1, 0 };
    std::vector<BYTE> frame = { 50, 100, 200, 0, 50, 100, 200, 0, 50, 100, 200, 0, 0, 0, 0, 0 };
    ApplyWhiteChannel(8, frame.data(), screen, 12);
    EXPECT_EQ(frame, (std::vector<BYTE> { 50, 100, 200, 0, 0, 50, 150, 50, 50, 100, 200, 0, 0, 0, 0, 0 }));
}

// Modes run whole frames many pixels at a time: every pixel of a long
// frame must come out as it does alone.
TEST(WhiteModes, LongFramesChangeEveryPixelAsAlone)
{
    CLEDScreen screen;
    screen.m_colour.whiteValue = 33;
    std::mt19937 random(3);
    constexpr std::size_t kPixels = 1001;
    for (std::size_t i = 0; i < kPixels; ++i)
        screen.m_whiteMask.push_back(std::uint32_t(random() % 2));
    std::vector<BYTE> frame(kPixels * 4);
    for (std::size_t i = 0; i < kPixels; ++i) {
        const BYTE v = BYTE(random());
        const bool grey = i % 3 == 0;
        frame[4 * i] = grey ? v : BYTE(random());
        frame[4 * i + 1] = grey ? v : BYTE(random());
        frame[4 * i + 2] = i % 9 == 0 ? 255 : grey ? v : BYTE(random());
        frame[4 * i + 3] = BYTE(random());
    }
    for (int mode = 1; mode <= kMaxWhiteMode; ++mode) {
        SCOPED_TRACE(testing::Message() << "mode " << mode);
        std::vector<BYTE> whole = frame;
        ApplyWhiteChannel(mode, whole.data(), screen, whole.size());
        for (std::size_t i = 0; i < kPixels; ++i) {
            BYTE alone[4];
            std::copy_n(frame.begin() + std::ptrdiff_t(4 * i), 4, alone);
            CLEDScreen one;
            one.m_colour.whiteValue = 33;
            one.m_whiteMask = { screen.m_whiteMask[i] };
            ApplyWhiteChannel(mode, alone, one, 4);
            ASSERT_TRUE(std::equal(alone, alone + 4, whole.begin() + std::ptrdiff_t(4 * i))) << "pixel " << i;
        }
    }
}

TEST(FifthColour, TakesYOutOfRedGreenAndBlue)
{
    CLEDScreen screen;
    const double k[6] = { 0.5, 0.5, 0, 0.5, 0.5, 0 };
    std::copy(k, k + 6, screen.m_colour.k);
    // (r, g, b) = (200, 200, 0), (10, 20, 30), (100, 100, 100)
    std::vector<BYTE> frame = { 0, 200, 200, 1, 30, 20, 10, 2, 100, 100, 100, 3 };
    std::vector<BYTE> buffer(frame.size() + 4, 0xEE);
    ApplyFiveColour(12, frame.data(), screen, buffer.data());
    EXPECT_EQ(frame, (std::vector<BYTE> { 0, 100, 100, 1, 30, 10, 5, 2, 100, 50, 50, 3 }));
    EXPECT_EQ(buffer[0], 200);
    EXPECT_EQ(buffer[4], 15);
    EXPECT_EQ(buffer[8], 100);
    EXPECT_EQ(buffer[1], 0xEE); // one byte per pixel, at the pixel's offset
    EXPECT_EQ(buffer[12], 0xEE);

    // Only grey pairs (red = green, not blue) with the flag; the others get Y 0.
    screen.m_colour.greyPairOnly = 1;
    frame = { 0, 200, 200, 1, 30, 20, 10, 2, 100, 100, 100, 3 };
    std::fill(buffer.begin(), buffer.end(), 0xEE);
    ApplyFiveColour(12, frame.data(), screen, buffer.data());
    EXPECT_EQ(frame, (std::vector<BYTE> { 0, 100, 100, 1, 30, 20, 10, 2, 100, 100, 100, 3 }));
    EXPECT_EQ(buffer[0], 200);
    EXPECT_EQ(buffer[4], 0);
    EXPECT_EQ(buffer[8], 0);
}

TEST(FifthColour, ResultsOutsideTheChannelRangeSaturate)
{
    CLEDScreen screen;
    const double k[6] = { 3, 0, 0, 2, -1, 1e300 };
    std::copy(k, k + 6, screen.m_colour.k);
    std::vector<BYTE> frame = { 50, 60, 100, 0 };
    BYTE buffer[4] = {};
    ApplyFiveColour(4, frame.data(), screen, buffer);
    EXPECT_EQ(buffer[0], 255); // 300: bright stays bright
    EXPECT_EQ(frame[2], 0); // 100 - 200
    EXPECT_EQ(frame[1], 120); // 60 + 60
    EXPECT_EQ(frame[0], 0); // far below zero

    const double bright[6] = { 1.5, 0, 0, -0.5, 0, std::nan("") };
    std::copy(bright, bright + 6, screen.m_colour.k);
    frame = { 50, 60, 200, 0 };
    ApplyFiveColour(4, frame.data(), screen, buffer);
    EXPECT_EQ(buffer[0], 255); // 150 % of 200
    EXPECT_EQ(frame[2], 255); // 200 + 100
    EXPECT_EQ(frame[0], 0); // not a number
}

TEST(FifthColour, BufferFollowsTheScreenSize)
{
    CLEDScreen screen;
    screen.m_width = 3;
    screen.m_height = 2;
    BYTE* buffer = PrepareFifthColourBuffer(screen);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(screen.m_colour.fifthBuffer.size(), 3u * 2 * 4 + 4);
}

class ColourExports : public testing::Test {
protected:
    void SetUp() override { Library().screens.Resize(0); }
    void TearDown() override { Library().screens.Resize(0); }
    CLEDScreen& Screen(int i) { return Library().screens[i]; }
};

TEST_F(ColourExports, FourColourSetsOneOrEveryScreen)
{
    EXPECT_EQ(LEDSetFourColor(0, 1, 5), 0); // no screens: nothing to do
    EXPECT_EQ(LEDSetFourColor(1, 1, 5), -1);
    Library().screens.Resize(2);
    EXPECT_EQ(LEDSetFourColor(0, 2, 300), 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Screen(i).m_colour.whiteMode, 2);
        EXPECT_EQ(Screen(i).m_colour.whiteValue, 300 & 0xFF);
        EXPECT_EQ(Screen(i).m_colour.redWeights.size(), 256u);
    }
    EXPECT_EQ(LEDSetFourColor(2, 11, 7), 0);
    EXPECT_EQ(Screen(0).m_colour.whiteMode, 2);
    EXPECT_EQ(Screen(1).m_colour.whiteMode, 11);
    EXPECT_EQ(LEDSetFourColor(3, 4, 1), -1);
    EXPECT_EQ(LEDSetFourColor(-1, 4, 1), -1);
    EXPECT_EQ(Screen(0).m_colour.whiteMode, 2);
    EXPECT_EQ(Screen(1).m_colour.whiteMode, 11);
}

TEST_F(ColourExports, FiveColourStoresItsCoefficients)
{
    Library().screens.Resize(2);
    EXPECT_EQ(LEDSetFiveColor(2, 1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 1), 0);
    const ScreenColour& c = Screen(1).m_colour;
    EXPECT_EQ(c.fifthEnable, 1);
    EXPECT_EQ(c.greyPairOnly, 1);
    EXPECT_DOUBLE_EQ(c.k[0], 0.1);
    EXPECT_DOUBLE_EQ(c.k[5], 0.6);
    EXPECT_EQ(Screen(0).m_colour.fifthEnable, 0);
    EXPECT_EQ(LEDSetFiveColor(3, 1, 0, 0, 0, 0, 0, 0, 0), -1);
    EXPECT_EQ(LEDSetFiveColor(0, 0, 0, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(Screen(1).m_colour.fifthEnable, 0);
}

} // namespace
