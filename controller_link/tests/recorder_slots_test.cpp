// The recorder packs every port straight into the frame's packet slots and
// maps the caller's pixels where they lie. Its frames must be, byte for byte,
// the frames built the long way: every output byte looked up in its map on a
// copy of the frame with zeros after it, the port packed into one whole
// datagram and its blocks copied into slots. The layout has rows both ways,
// lamps apart, outside the grid and masked, several outputs a port, a port
// of two blocks, a port without outputs and a port too long for a datagram;
// the frames go plain, with white and scrambling, and with the fifth colour,
// from pixels that end where an unreadable page begins.
#include "OfflineRecorder.h"
#include "RecorderFixture.h"
#include "ScreenFrame.h"

#include <fw_replacefile.h>

#include <algorithm>
#include <cstring>
#include <random>

namespace {

using namespace corvane_test;

constexpr int kWidth = 64;
constexpr int kHeight = 16; // 4,096 bytes: one page

std::vector<CLPoint> Row(int x, int count, int dx, int y)
{
    std::vector<CLPoint> lamps;
    for (int i = 0; i < count; ++i)
        lamps.push_back(Lamp(x + i * dx, y));
    return lamps;
}

TestPort Port(std::vector<CLPoint> lamps, const wchar_t* format = L"RGB", int formatIndex = 0)
{
    TestPort port;
    port.lamps = std::move(lamps);
    port.format = format;
    port.formatIndex = formatIndex;
    return port;
}

// Six ports, two a controller: (0, 1), (2, 3), (4, 5).
TestLayout SlotsLayout()
{
    TestLayout layout;
    layout.width = kWidth;
    layout.height = kHeight;
    layout.lampTypes = { L"RGB", L"GRB", L"RGBW", L"RGBY" };
    layout.dataOffset = 1; // odd: chunks and checksum words out of step
    layout.channelsPerPort = 65535;
    layout.curveCount = 2;
    for (int j = 0; j < 256; ++j) {
        layout.curves[0][j] = BYTE(255 - j);
        layout.curves[1][j] = BYTE(j / 2);
    }

    std::vector<CLPoint> apart = Row(0, 32, 2, 2);
    apart[5].m_masked = 1;
    apart[9] = Lamp(-1, 2);
    apart[10] = Lamp(kWidth + 3, 2);
    apart[12].m_lampFormat = 3; // RGBW
    std::vector<CLPoint> snake;
    for (int y = 4; y < 12; ++y) {
        const std::vector<CLPoint> row = y % 2 == 0 ? Row(0, kWidth, 1, y) : Row(kWidth - 1, kWidth, -1, y);
        snake.insert(snake.end(), row.begin(), row.end());
    }
    std::vector<CLPoint> column;
    for (int y = 0; y < kHeight; ++y)
        column.push_back(Lamp(5, y));
    std::vector<CLPoint> everywhere; // the most lamps a port takes
    for (int i = 0; i < 3072; ++i)
        everywhere.push_back(Lamp(i % kWidth, (i / kWidth) % kHeight));

    TestPort white = Port(Row(0, kWidth, 1, 3), L"RGBW", 2);
    white.brightness = { { 4, 50 }, { 7, 200 } };
    white.gamma = { { 0, 1 }, { 5, 2 } };
    layout.controllers = {
        { Port(Row(0, kWidth, 1, 0)), Port(Row(kWidth - 1, kWidth, -1, 1), L"GRB", 1), Port(apart) },
        { Port(snake), Port(Row(kWidth - 1, kWidth, -1, kHeight - 1), L"RGBW", 2) }, // ends on the last pixel
        {}, { white, Port(column, L"RGBY", 3) }, std::vector<TestPort>(16, Port(everywhere)), // 16 x 9,217 bytes
        { Port(Row(kWidth - 22, 22, 1, kHeight - 1)), Port(Row(13, 14, -1, 0)) }, // to the last, to the first pixel
    };
    return layout;
}

// One output the long way.
Bytes MappedByteByByte(const PortOutput& output, const Bytes& padded, const CLEDScreen& screen)
{
    const ScreenColour& colour = screen.m_colour;
    Bytes out(std::size_t(output.m_mapLength), 0);
    for (std::size_t i = std::size_t(output.m_dataOffset); i < out.size(); ++i) {
        const std::uint32_t entry = output.m_map[i];
        if (entry < kChannelWhite2)
            out[i] = padded[entry];
        else if ((entry & kChannelFifth) != 0)
            out[i] = colour.fifthEnable != 0 ? colour.fifthBuffer[entry & kChannelPixelMask] : 0;
        else
            out[i] = colour.whiteMode != 0 ? padded[(entry & kChannelPixelMask) + 3] : 0;
    }
    for (const auto& [position, curve] : output.m_gammaCurves)
        out[position] = screen.m_curves[curve][out[position]];
    for (const auto& [position, percent] : output.m_brightness)
        out[position] = BYTE(std::min(out[position] * unsigned(percent) / 100u, 255u));
    return out;
}

// One frame the long way, from the caller's pixels as they were.
Bytes FrameTheLongWay(CLEDScreen& screen, const LocalSender& sender, Bytes pixels, stored::CPacketAssembler& packer)
{
    std::vector<BYTE> padded;
    if (!PrepareScreenFrame(screen, pixels.data(), 4, padded))
        return {};
    Bytes frame(512, 0);
    std::memcpy(frame.data(), "QVTN", 4);
    char senderIp[17];
    IPv4Text(sender.ipv4, senderIp);
    for (int k = 0; k < screen.m_portsPerController; ++k) {
        for (const ControllerEntry& c : screen.m_controllers) {
            if (!c.HasPortAt(k))
                continue;
            const int index = c.firstPort + k;
            const ControllerLayout& port = screen.m_ports[std::size_t(index)];
            std::vector<Bytes> outputs(netrove::kOutputCount);
            if (port.m_outputs.empty())
                outputs[0] = Bytes(std::size_t(screen.m_lampFormat.GetLength()), 1);
            for (const PortOutput& output : port.m_outputs)
                outputs[std::size_t(output.m_portIndex)] = MappedByteByByte(output, padded, screen);
            const unsigned char* data[netrove::kOutputCount] = {};
            unsigned short lengths[netrove::kOutputCount] = {};
            for (std::size_t j = 0; j < outputs.size(); ++j) {
                data[j] = outputs[j].data();
                lengths[j] = static_cast<unsigned short>(outputs[j].size());
            }
            char controllerIp[17];
            IPv4Text(c.ipv4, controllerIp);
            const int length = packer.PackPortData(data, lengths, std::uint16_t(index + 1), controllerIp, senderIp);
            const std::uint8_t* datagram = packer.Datagram();
            for (int b = 0; b < stored::DatagramBlockCount(length); ++b) {
                Bytes slot(1536, 0);
                stored::WriteEthernetHeader(slot.data(), c.mac, sender.mac);
                std::memcpy(slot.data() + 14, datagram, 28);
                std::memcpy(slot.data() + 42, datagram + 28 + 1480 * b, 1472);
                frame.insert(frame.end(), slot.begin(), slot.end());
            }
        }
    }
    return frame;
}

// Closes the recording and checks that the file holds, after its 2 MB of
// header blocks, exactly the expected frames.
void ExpectClosedFileHoldsFrames(COfflineRecorder& recorder, const std::wstring& path, const Bytes& expected)
{
    CStringArray cards;
    ASSERT_EQ(recorder.Close(PlainSettings(cards), CString()), 0);
    const Bytes file = ReadFileBytes(path);
    ASSERT_EQ(file.size(), 2097152u + expected.size());
    const auto diff = std::mismatch(expected.begin(), expected.end(), file.begin() + 2097152);
    EXPECT_TRUE(diff.first == expected.end()) << "first difference at frame offset " << (diff.first - expected.begin());
}

class RecorderSlots : public CRecorderTest { };

TEST_F(RecorderSlots, FramesAreTheFramesBuiltTheLongWay)
{
    LoadLayout(SlotsLayout(), false);
    ASSERT_EQ(LEDSetGroup(1, 1, 1, 0, 2), 0);
    CLEDScreen& screen = *Library().screens.Screen(1);
    ASSERT_EQ(screen.m_ports.size(), 6u);
    ASSERT_TRUE(screen.m_ports[2].m_outputs.empty());
    ASSERT_EQ(screen.m_controllers.size(), 3u);
    LocalSender sender;
    const std::uint8_t loopback[4] = { 127, 0, 0, 1 };
    std::memcpy(&sender.ipv4, loopback, 4);
    const std::uint8_t mac[6] = { 0x02, 0x11, 0x22, 0x33, 0x44, 0x55 };
    std::memcpy(sender.mac, mac, 6);

    const std::wstring path = Path(L"slots.arm");
    COfflineRecorder recorder;
    ASSERT_EQ(recorder.CreateFile(path.c_str()), 0);
    ASSERT_EQ(recorder.Begin(screen, screen.m_controllers, sender, 25, 60, false), 0);
    recorder.Assembler().SeedScrambling(7);
    stored::CPacketAssembler packer;
    packer.SeedScrambling(7);

    const struct {
        int whiteMode;
        int fifth;
        bool scramble;
    } passes[] = { { 0, 0, false }, { 3, 0, true }, { 0, 1, true }, { 0, 0, false } };
    const double k[6] = { 0.5, 0.3, 0.2, 0.1, 0.2, 0.3 };
    std::copy(k, k + 6, screen.m_colour.k);
    const std::size_t frameBytes = std::size_t(kWidth) * kHeight * 4;
    CGuardedFrame pixels(frameBytes);
    ASSERT_NE(pixels.Data(), nullptr);
    std::mt19937 random(5);
    Bytes expected;
    for (const auto& pass : passes) {
        std::generate(pixels.Data(), pixels.Data() + frameBytes, [&] { return BYTE(random()); });
        const Bytes original(pixels.Data(), pixels.Data() + frameBytes);
        screen.m_colour.whiteMode = pass.whiteMode;
        screen.m_colour.fifthEnable = pass.fifth;
        ASSERT_EQ(
            recorder.RecordFrame(screen, screen.m_controllers, sender, pixels.Data(), 4, pass.scramble, nullptr), 0);
        packer.SetScrambling(pass.scramble);
        const Bytes frame = FrameTheLongWay(screen, sender, original, packer);
        // Ports 0, 2 and 4, then 1, 3 and 5: one slot each, two for port 1,
        // none for port 4.
        ASSERT_EQ(frame.size(), 512u + 6 * 1536u);
        expected.insert(expected.end(), frame.begin(), frame.end());
    }
    ExpectClosedFileHoldsFrames(recorder, path, expected);
}

// 16 controllers of two ports of 3,072 lamps: frames of 208 slots (320 KB),
// larger than the file's own write buffer.
TestLayout LargeLayout()
{
    TestLayout layout;
    layout.width = kWidth;
    layout.height = kHeight;
    layout.lampTypes = { L"RGB" };
    std::vector<CLPoint> everywhere;
    for (int i = 0; i < 3072; ++i)
        everywhere.push_back(Lamp((i * 7) % kWidth, (i / kWidth) % kHeight));
    layout.controllers.assign(16, std::vector<TestPort>(2, Port(everywhere)));
    return layout;
}

class LargeFrames : public CRecorderTest {
protected:
    void SetUp() override
    {
        CRecorderTest::SetUp();
        LoadLayout(LargeLayout(), false);
        ASSERT_EQ(LEDSetGroup(1, 1, 1, 0, 2), 0);
        const std::uint8_t loopback[4] = { 127, 0, 0, 1 };
        std::memcpy(&sender.ipv4, loopback, 4);
        const std::uint8_t mac[6] = { 0x02, 0x11, 0x22, 0x33, 0x44, 0x55 };
        std::memcpy(sender.mac, mac, 6);
    }
    CLEDScreen& Screen() { return *Library().screens.Screen(1); }
    static Bytes Pixels(int f)
    {
        Bytes pixels(std::size_t(kWidth) * kHeight * 4 + 4, 0);
        std::mt19937 random(unsigned(f + 1));
        std::generate(pixels.begin(), pixels.end() - 4, [&] { return BYTE(random()); });
        return pixels;
    }
    static constexpr std::size_t kFrameBytes = 512 + 208 * 1536;
    LocalSender sender;
};

TEST_F(LargeFrames, EachFrameIsInTheFileWholeAndInOrder)
{
    const std::wstring path = Path(L"large.arm");
    COfflineRecorder recorder;
    ASSERT_EQ(recorder.CreateFile(path.c_str()), 0);
    ASSERT_EQ(recorder.Begin(Screen(), Screen().m_controllers, sender, 25, 60, false), 0);
    stored::CPacketAssembler packer;
    Bytes expected;
    for (int f = 0; f < 4; ++f) {
        Bytes pixels = Pixels(f);
        const Bytes original = pixels;
        double size = 0;
        ASSERT_EQ(recorder.RecordFrame(Screen(), Screen().m_controllers, sender, pixels.data(), 4, false, &size), 0);
        EXPECT_EQ(recorder.TotalBytes(), 2097152u + (f + 1) * kFrameBytes);
        const Bytes frame = FrameTheLongWay(Screen(), sender, original, packer);
        ASSERT_EQ(frame.size(), kFrameBytes);
        expected.insert(expected.end(), frame.begin(), frame.end());
    }
    ExpectClosedFileHoldsFrames(recorder, path, expected);
}

TEST_F(LargeFrames, AFailedWriteFailsTheNextFrameAndTheClose)
{
    const std::wstring path = Path(L"large.arm");
    WriteBytes(path, { 'o', 'l', 'd' });
    COfflineRecorder recorder;
    ASSERT_EQ(recorder.CreateFile(path.c_str()), 0);
    ASSERT_EQ(recorder.Begin(Screen(), Screen().m_controllers, sender, 25, 60, false), 0);
    Bytes pixels = Pixels(0);
    // Room for one frame and a half: the second frame's write fails.
    COfflineShowFile::SetWriteBudgetForTests(static_cast<long long>(kFrameBytes + kFrameBytes / 2));
    EXPECT_EQ(recorder.RecordFrame(Screen(), Screen().m_controllers, sender, pixels.data(), 4, false, nullptr), 0);
    const int second = recorder.RecordFrame(Screen(), Screen().m_controllers, sender, pixels.data(), 4, false, nullptr);
    EXPECT_TRUE(second == 0 || second == kRecordFileFailed) << second;
    // By the next frame at the latest the recording has failed, for good.
    EXPECT_EQ(recorder.RecordFrame(Screen(), Screen().m_controllers, sender, pixels.data(), 4, false, nullptr),
        kRecordFileFailed);
    EXPECT_EQ(recorder.RecordFrame(Screen(), Screen().m_controllers, sender, pixels.data(), 4, false, nullptr),
        kRecordFileFailed);
    COfflineShowFile::SetWriteBudgetForTests(-1);
    CStringArray cards;
    EXPECT_EQ(recorder.Close(PlainSettings(cards), CString()), kRecordFileFailed);
    EXPECT_EQ(ReadFileBytes(path), (Bytes { 'o', 'l', 'd' }));
    EXPECT_EQ(GetFileAttributesW(AfxReplacementTempPath(path.c_str())), INVALID_FILE_ATTRIBUTES);

    // A recording abandoned after a frame leaves no file.
    const std::wstring other = Path(L"other.arm");
    ASSERT_EQ(recorder.CreateFile(other.c_str()), 0);
    ASSERT_EQ(recorder.Begin(Screen(), Screen().m_controllers, sender, 25, 60, false), 0);
    EXPECT_EQ(recorder.RecordFrame(Screen(), Screen().m_controllers, sender, pixels.data(), 4, false, nullptr), 0);
    recorder.Abandon();
    EXPECT_EQ(GetFileAttributesW(other.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(AfxReplacementTempPath(other.c_str())), INVALID_FILE_ATTRIBUTES);
}

} // namespace
