// Channel orders and the byte maps of port outputs on small frames: every
// output byte is checked against the frame byte it must take. Frames carry
// four zero bytes after the last pixel, which unmapped lamps read.
#include "ChannelOrder.h"
#include "PortOutput.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::uint32_t W = kChannelWhite;
constexpr std::uint32_t N = kChannelWhite2;
constexpr std::uint32_t Y = kChannelFifth;

struct OrderCase {
    const wchar_t* format;
    int stride;
    std::vector<std::uint32_t> codes;
    int pixelsPerLamp;
};

TEST(ChannelOrder, ParsesEveryFormOfLampFormat)
{
    const OrderCase cases[] = {
        { L"RGB", 4, { 2, 1, 0 }, 1 },
        { L"GRB", 4, { 1, 2, 0 }, 1 },
        { L"R1G1B1R2G2B2W3", 4, { 2, 1, 0, 6, 5, 4, W | 3 }, 3 },
        { L"RGBW", 4, { 2, 1, 0, W | 1 }, 1 },
        { L"rgbn", 4, { 2, 1, 0, N | 1 }, 1 },
        { L"RGBY", 4, { 2, 1, 0, Y | 1 }, 1 },
        { L"R-G B,x", 4, { 2, 1, 0 }, 1 }, // other characters are skipped
        { L"R2G2B2W", 4, { 6, 5, 4, W | 2 }, 2 }, // W takes the current pixel
        { L"R2G2B2BW", 4, { 6, 5, 4, 0, W | 1 }, 2 }, // a plain letter goes back to pixel 1
        { L"W2R1", 4, { W | 2, 2 }, 2 },
        { L"R0W", 4, { 2, W | 0 }, 1 }, // number 0: base code, pixel 0
        { L"R1G1B1R2G2B2", 3, { 2, 1, 0, 5, 4, 3 }, 2 },
        { L"B12", 4, { 44 }, 12 },
        { L"R99999999", 4, { 2 + 4 * (kMaxChannelPixel - 1) }, kMaxChannelPixel }, // cut, not wrapped
        { L"", 4, {}, 1 },
        { L"12", 4, {}, 1 },
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(testing::Message() << CStringA(c.format).GetString());
        ChannelOrder order;
        ParseChannelCodes(c.format, c.stride, order);
        EXPECT_EQ(order.codes, c.codes);
        EXPECT_EQ(order.channelCount, c.codes.size());
        EXPECT_EQ(order.pixelsPerLamp, c.pixelsPerLamp);
    }
    ChannelOrder order;
    EXPECT_TRUE(ParseChannelOrder(L"R1G1B1R2G2B2", order));
    EXPECT_EQ(order.codes, (std::vector<std::uint32_t> { 2, 1, 0, 6, 5, 4 }));
}

// A width x height frame of 4-byte pixels: blue = 10 x pixel + 1, green
// + 2, red + 3, fourth byte + 4 (all below 256 for small grids), and four
// zero bytes after it.
std::vector<BYTE> NumberedFrame(int width, int height, int bytesPerPixel = 4)
{
    std::vector<BYTE> frame(static_cast<size_t>(width * height * bytesPerPixel) + 4, 0);
    for (int p = 0; p < width * height; ++p)
        for (int b = 0; b < bytesPerPixel; ++b)
            frame[static_cast<size_t>(p * bytesPerPixel + b)] = static_cast<BYTE>(10 * p + b + 1);
    return frame;
}

BYTE Red(int pixel)
{
    return static_cast<BYTE>(10 * pixel + 3);
}
BYTE Green(int pixel)
{
    return static_cast<BYTE>(10 * pixel + 2);
}
BYTE Blue(int pixel)
{
    return static_cast<BYTE>(10 * pixel + 1);
}
BYTE Fourth(int pixel)
{
    return static_cast<BYTE>(10 * pixel + 4);
}

std::vector<ChannelOrder> Formats(std::initializer_list<const wchar_t*> texts)
{
    std::vector<ChannelOrder> formats;
    for (const wchar_t* text : texts) {
        formats.emplace_back();
        ParseChannelOrder(text, formats.back());
    }
    return formats;
}

std::vector<BYTE> Extract(PortOutput& port, const std::vector<BYTE>& frame, int whiteMode = 0,
    const BYTE* fifth = nullptr, int fifthEnable = 0)
{
    static const UserCurveTables curves {};
    const BYTE* out = port.ExtractOutput(frame.data(), whiteMode, fifth, fifthEnable, curves);
    if (out == nullptr)
        return {};
    return std::vector<BYTE>(out, out + port.m_mapLength);
}

CLPoint At(int x, int y, BYTE formatOverride = 0, BYTE masked = 0)
{
    CLPoint lamp(x, y);
    lamp.m_lampFormat = formatOverride;
    lamp.m_masked = masked;
    return lamp;
}

// Grid 4 x 2: pixel = x + 4 y.
TEST(PortOutputMap, SendsRedGreenBlueAfterTheDataOffset)
{
    const CLPoint lamps[] = { At(1, 0), At(2, 1), At(0, 0) };
    PortOutput port;
    ASSERT_TRUE(port.BuildPortOutputMap(lamps, 3, Formats({ L"RGB" }), 0, 2, 4, 2));
    EXPECT_EQ(port.m_mapLength, 11);
    EXPECT_EQ(port.m_outputLength, 11);
    EXPECT_EQ(port.m_lampCount, 3);
    EXPECT_EQ(port.m_blackPosition, 32u);
    EXPECT_EQ(Extract(port, NumberedFrame(4, 2)),
        (std::vector<BYTE> { 0, 0, Red(1), Green(1), Blue(1), Red(6), Green(6), Blue(6), Red(0), Green(0), Blue(0) }));
}

TEST(PortOutputMap, MaskedAndOutsideLampsReadTheZeroPad)
{
    const CLPoint lamps[] = { At(0, 0), At(1, 0, 0, 1), At(4, 0), At(-1, 1), At(0, 2), At(3, 1) };
    PortOutput port;
    ASSERT_TRUE(port.BuildPortOutputMap(lamps, 6, Formats({ L"RGBW" }), 0, 0, 4, 2));
    std::vector<BYTE> frame = NumberedFrame(4, 2);
    EXPECT_EQ(Extract(port, frame, 1),
        (std::vector<BYTE> { Red(0), Green(0), Blue(0), Fourth(0), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
            Red(7), Green(7), Blue(7), Fourth(7) }));
}

TEST(PortOutputMap, LampOverrideUsesItsOwnChannelOrderForItsUnit)
{
    // The port's format is entry 1 ("RGB"); the second lamp names entry 2.
    const CLPoint lamps[] = { At(0, 0), At(1, 0, 2), At(2, 0) };
    PortOutput port;
    ASSERT_TRUE(port.BuildPortOutputMap(lamps, 3, Formats({ L"RGB", L"GRB" }), 0, 0, 4, 1));
    EXPECT_EQ(Extract(port, NumberedFrame(4, 1)),
        (std::vector<BYTE> { Red(0), Green(0), Blue(0), Green(1), Red(1), Blue(1), Red(2), Green(2), Blue(2) }));
}

TEST(PortOutputMap, IncompleteLastUnitReadsBlack)
{
    // Two pixels per unit: 5 lamps make three units, the last with one pixel.
    std::vector<CLPoint> lamps;
    for (int i = 0; i < 5; ++i)
        lamps.push_back(At(i, 0));
    PortOutput port;
    ASSERT_TRUE(port.BuildPortOutputMap(lamps.data(), 5, Formats({ L"R1G1B1R2G2B2" }), 0, 0, 8, 1));
    EXPECT_EQ(port.m_mapLength, 18);
    EXPECT_EQ(port.m_pixelsPerLamp, 2);
    EXPECT_EQ(Extract(port, NumberedFrame(8, 1)),
        (std::vector<BYTE> { Red(0), Green(0), Blue(0), Red(1), Green(1), Blue(1), Red(2), Green(2), Blue(2), Red(3),
            Green(3), Blue(3), Red(4), Green(4), Blue(4), 0, 0, 0 }));
}

TEST(PortOutputMap, UnitsReachingFarPastTheLampsReadBlack)
{
    // A pixel number far beyond the port's lamps, and pixel 0.
    const CLPoint lamps[] = { At(0, 0), At(1, 0) };
    PortOutput port;
    ASSERT_TRUE(port.BuildPortOutputMap(lamps, 2, Formats({ L"R1B40", L"R0W" }), 0, 0, 2, 1));
    EXPECT_EQ(Extract(port, NumberedFrame(2, 1), 1), (std::vector<BYTE> { Red(0), 0 }));
    PortOutput zero;
    ASSERT_TRUE(zero.BuildPortOutputMap(lamps, 2, Formats({ L"R0W" }), 0, 0, 2, 1));
    EXPECT_EQ(Extract(zero, NumberedFrame(2, 1), 1), (std::vector<BYTE> { Red(0), 0, Red(1), 0 }));
}

TEST(PortOutputMap, WhiteAndFifthColourFollowTheirSwitches)
{
    const CLPoint lamps[] = { At(1, 0), At(0, 0) };
    PortOutput port;
    ASSERT_TRUE(port.BuildPortOutputMap(lamps, 2, Formats({ L"RGBWNY" }), 0, 0, 2, 1));
    const std::vector<BYTE> frame = NumberedFrame(2, 1);
    std::vector<BYTE> fifth(frame.size(), 0);
    fifth[0] = 77; // pixel 0
    fifth[4] = 66; // pixel 1
    EXPECT_EQ(Extract(port, frame, 0, fifth.data(), 0),
        (std::vector<BYTE> { Red(1), Green(1), Blue(1), 0, 0, 0, Red(0), Green(0), Blue(0), 0, 0, 0 }));
    EXPECT_EQ(Extract(port, frame, 3, fifth.data(), 1),
        (std::vector<BYTE> { Red(1), Green(1), Blue(1), Fourth(1), Fourth(1), 66, Red(0), Green(0), Blue(0), Fourth(0),
            Fourth(0), 77 }));
}

// Long ports map through runs of lamps side by side; whatever the shape of
// the port, every byte must be what the map names, flags and all.
TEST(PortOutputMap, LongPortsTakeWhatTheMapNamesByteForByte)
{
    constexpr int kWidth = 16;
    constexpr int kHeight = 8;
    auto row = [](int from, int count, int dx, int y) {
        std::vector<CLPoint> lamps;
        for (int i = 0; i < count; ++i)
            lamps.push_back(At(from + i * dx, y));
        return lamps;
    };
    std::vector<CLPoint> column;
    for (int y = 0; y < kHeight; ++y)
        column.push_back(At(3, y));
    std::vector<CLPoint> broken = row(0, 16, 1, 2); // masked, outside and overridden lamps inside a row
    broken[5].m_masked = 1;
    broken[9] = At(40, 2);
    broken[12].m_lampFormat = 2;
    std::vector<CLPoint> snake = row(0, 16, 1, 4);
    const std::vector<CLPoint> back = row(15, 16, -1, 5);
    snake.insert(snake.end(), back.begin(), back.end());
    const struct {
        const char* name;
        std::vector<CLPoint> lamps;
        const wchar_t* format;
        int dataOffset;
    } cases[] = {
        { "row RGB", row(0, 16, 1, 0), L"RGB", 0 },
        { "row GRB after an offset", row(2, 14, 1, 1), L"GRB", 5 },
        { "row backwards BGR", row(15, 16, -1, 3), L"BGR", 0 },
        { "row backwards to the first pixel", row(13, 14, -1, 0), L"RGB", 0 },
        { "row to the last pixel", row(1, 15, 1, 7), L"RBG", 2 },
        { "lamps every other pixel", row(0, 8, 2, 6), L"RGB", 0 },
        { "column RGB", column, L"RGB", 0 },
        { "row RGBW", row(0, 16, 1, 6), L"RGBW", 0 },
        { "row RGBWNY", row(0, 16, 1, 7), L"RGBWNY", 0 },
        { "two pixels a unit", row(0, 15, 1, 0), L"R1G1B1R2G2B2W3", 0 },
        { "masked, outside and overridden", broken, L"RGB", 0 },
        { "snake", snake, L"BRG", 1 },
    };
    const std::vector<BYTE> frame = NumberedFrame(kWidth, kHeight);
    std::vector<BYTE> fifth(frame.size());
    for (size_t i = 0; i < fifth.size(); ++i)
        fifth[i] = static_cast<BYTE>(200 - i);
    bool anyRun = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PortOutput port;
        ASSERT_TRUE(port.BuildPortOutputMap(c.lamps.data(), static_cast<int>(c.lamps.size()),
            Formats({ c.format, L"GRB" }), 0, c.dataOffset, kWidth, kHeight));
        for (const PortOutput::MapRun& run : port.Runs())
            anyRun = anyRun || run.period != 0;
        for (int white : { 0, 1 }) {
            std::vector<BYTE> expected(static_cast<size_t>(port.m_mapLength), 0);
            for (int i = c.dataOffset; i < port.m_mapLength; ++i) {
                const std::uint32_t entry = port.m_map[static_cast<size_t>(i)];
                if (entry < N)
                    expected[static_cast<size_t>(i)] = frame[entry];
                else if ((entry & Y) != 0)
                    expected[static_cast<size_t>(i)] = fifth[entry & kChannelPixelMask];
                else if (white != 0)
                    expected[static_cast<size_t>(i)] = frame[(entry & kChannelPixelMask) + 3];
            }
            EXPECT_EQ(Extract(port, frame, white, fifth.data(), 1), expected) << "white " << white;
        }
    }
    EXPECT_TRUE(anyRun) << "the rows are mapped as runs";
}

TEST(PortOutputMap, GammaCurvesThenBrightnessApplyByChannel)
{
    const CLPoint lamps[] = { At(0, 0), At(1, 0) };
    PortOutput port;
    ASSERT_TRUE(port.BuildPortOutputMap(lamps, 2, Formats({ L"RGB" }), 0, 1, 2, 1));
    std::vector<BYTE> brightness(kPortOutputTableSize, 100);
    std::vector<BYTE> gamma(kPortOutputTableSize, 0);
    gamma[0] = 1; // red of lamp 1 through curve 0
    gamma[1] = 2; // green of lamp 1 through curve 1, then halved
    brightness[1] = 50;
    gamma[2] = 9; // curve 8 does not exist: the curve step ends here...
    gamma[3] = 1; // ...so red of lamp 2 keeps its value
    brightness[4] = 150; // green of lamp 2: 150 % of 200 saturates
    brightness[5] = 200; // blue of lamp 2 doubled: saturates, never wraps
    port.SetPortTables(brightness.data(), gamma.data());
    ASSERT_EQ(port.m_gammaCurves.size(), 4u);
    EXPECT_EQ(port.m_gammaCurves[0], (std::pair<std::uint16_t, std::uint16_t>(1, 0))); // after the data offset
    ASSERT_EQ(port.m_brightness.size(), 3u);

    UserCurveTables curves {};
    for (int i = 0; i < 256; ++i) {
        curves[0][static_cast<size_t>(i)] = static_cast<BYTE>(255 - i);
        curves[1][static_cast<size_t>(i)] = static_cast<BYTE>(i / 2);
    }
    std::vector<BYTE> frame = NumberedFrame(2, 1);
    frame[4] = 200; // blue of pixel 1
    frame[5] = 200; // green of pixel 1
    const BYTE* out = port.ExtractOutput(frame.data(), 0, nullptr, 0, curves);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(std::vector<BYTE>(out, out + port.m_mapLength),
        (std::vector<BYTE> {
            0, static_cast<BYTE>(255 - Red(0)), static_cast<BYTE>(Green(0) / 2 / 2), Blue(0), Red(1), 255, 255 }));
}

TEST(PortOutputMap, RefusesEmptyPortsUnlistedFormatsAndOverlongOutputs)
{
    const CLPoint lamp[] = { At(0, 0, 3) };
    PortOutput port;
    EXPECT_FALSE(port.BuildPortOutputMap(lamp, 0, Formats({ L"RGB" }), 0, 0, 2, 1));
    EXPECT_FALSE(port.BuildPortOutputMap(lamp, 1, Formats({ L"RGB", L"GRB" }), 0, 0, 2, 1)); // override 3
    const CLPoint plain[] = { At(0, 0) };
    EXPECT_FALSE(port.BuildPortOutputMap(plain, 1, Formats({ L"RGB" }), 1, 0, 2, 1)); // format index 1
    EXPECT_FALSE(port.BuildPortOutputMap(plain, 1, Formats({ L"RGB" }), 0, 65533, 2, 1)); // 65536 bytes
    EXPECT_TRUE(port.BuildPortOutputMap(plain, 1, Formats({ L"RGB" }), 0, 65532, 2, 1));
    EXPECT_EQ(port.m_outputLength, 65535);
    EXPECT_FALSE(port.BuildPortOutputMap(plain, 1, Formats({ L"RGB" }), 0, 0, 8192, 8192)); // offsets hit the flags
    EXPECT_EQ(port.ExtractOutput(nullptr, 0, nullptr, 0, UserCurveTables {}), nullptr);
    PortOutput empty;
    const std::vector<BYTE> frame = NumberedFrame(2, 1);
    EXPECT_EQ(empty.ExtractOutput(frame.data(), 0, nullptr, 0, UserCurveTables {}), nullptr);
}

TEST(PortOutputMapArchive, UsesTheScreenStrideAndBlackForMissingLamps)
{
    const CPoint cells[] = { CPoint(1, 0), CPoint(0, 1), CPoint(3, 0) };
    PortOutput port;
    port.m_dataOffset = 1;
    ASSERT_TRUE(port.ParseChannelOrderArchive(L"R1G1B1R2G2B2", 24));
    EXPECT_EQ(port.m_pixelsPerLamp, 2);
    EXPECT_EQ(port.m_channelCount, 6);
    ASSERT_EQ(port.BuildPortOutputMapArchive(cells, 3, 24, 4, 2), ArchiveMapResult::Ok);
    EXPECT_EQ(port.m_mapLength, 1 + 2 * 6);
    EXPECT_EQ(port.m_blackPosition, 24u);
    // 3 bytes per pixel: pixel p starts at 3 p.
    const std::vector<BYTE> frame = NumberedFrame(4, 2, 3);
    auto byte = [](int pixel, int b) { return static_cast<BYTE>(10 * pixel + b + 1); };
    EXPECT_EQ(Extract(port, frame),
        (std::vector<BYTE> { 0, byte(1, 2), byte(1, 1), byte(1, 0), byte(4, 2), byte(4, 1), byte(4, 0), byte(3, 2),
            byte(3, 1), byte(3, 0), 0, 0, 0 }));

    PortOutput other;
    EXPECT_EQ(other.BuildPortOutputMapArchive(nullptr, 3, 24, 4, 2), ArchiveMapResult::NoPositions);
    EXPECT_EQ(other.BuildPortOutputMapArchive(cells, 0, 24, 4, 2), ArchiveMapResult::NoLamps);
    EXPECT_FALSE(other.ParseChannelOrderArchive(L"RGB", 16));
    EXPECT_EQ(other.BuildPortOutputMapArchive(cells, 3, 16, 4, 2), ArchiveMapResult::BadBitsPerPixel);
    ASSERT_TRUE(other.ParseChannelOrderArchive(L"RGB", 32));
    ASSERT_EQ(other.BuildPortOutputMapArchive(cells, 3, 32, 4, 2), ArchiveMapResult::Ok);
    EXPECT_EQ(Extract(other, NumberedFrame(4, 2)),
        (std::vector<BYTE> { Red(1), Green(1), Blue(1), Red(4), Green(4), Blue(4), Red(3), Green(3), Blue(3) }));
}

TEST(PortOutputMap, ClearFreesTheMap)
{
    const CLPoint lamps[] = { At(0, 0) };
    PortOutput port;
    ASSERT_TRUE(port.BuildPortOutputMap(lamps, 1, Formats({ L"RGB" }), 0, 0, 1, 1));
    port.Clear();
    EXPECT_EQ(port.m_mapLength, 0);
    EXPECT_EQ(port.m_outputLength, 0);
    EXPECT_TRUE(port.m_lamps.empty());
    const std::vector<BYTE> frame = NumberedFrame(1, 1);
    EXPECT_EQ(port.ExtractOutput(frame.data(), 0, nullptr, 0, UserCurveTables {}), nullptr);
}

} // namespace
