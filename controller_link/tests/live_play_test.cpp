// Live frames and DMX output as loopback fake controllers receive them.
#include "LayoutTestFiles.h"
#include "NetScreenFixture.h"

#include <cstring>

namespace {

using namespace corvane_test;
using Bytes = std::vector<std::uint8_t>;

class LivePlay : public NetScreens { };
class DmxOutput : public NetScreens { };

// RGB bytes of the two lamps of screen port p in TestFrame().
Bytes PairOutput(int p)
{
    Bytes out;
    for (int x : { 2 * p, 2 * p + 1 })
        for (int channel : { 3, 2, 1 })
            out.push_back(std::uint8_t(10 * x + channel));
    return out;
}

Bytes U16(unsigned v)
{
    return { std::uint8_t(v), std::uint8_t(v >> 8) };
}

TEST_F(LivePlay, StatesAndScreenNumbersGiveTheirResults)
{
    Bytes frame = TestFrame();
    EXPECT_EQ(LEDPlayFrame(1, frame.data()), -1);
    EXPECT_EQ(LEDPlayStop(), -1);
    ASSERT_EQ(LEDNewScreen(), 1);
    ASSERT_EQ(LEDPlayInit(), 0);
    EXPECT_EQ(LEDPlayFrame(2, frame.data()), -2);
    EXPECT_EQ(LEDPlayFrame(1, frame.data()), -3); // controllers never initialised
    EXPECT_EQ(LEDPlayFrameDC(2, nullptr, 1, 1), -1);
    EXPECT_EQ(LEDPlayStop(), 0);
    EXPECT_EQ(LEDPlayFrameDC(1, nullptr, 1, 1), -1);
}

TEST_F(LivePlay, InitSendsFourBlankTestFramesOnce)
{
    MakeScreens(1, 2, 1);
    ASSERT_EQ(LEDPlayInit(), 0);
    const auto packets = m_controllers.Take();
    // Per frame: a start command to each of the two controllers, the blank
    // rows of every port, a sync to each controller.
    EXPECT_EQ(CountCode(packets, 14, 16), 8);
    EXPECT_EQ(CountCode(packets, 0, 14), 8);
    EXPECT_EQ(To(packets, "127.0.0.101")[0].bytes, Command(0xFFFF, 14, 4096, 2, U16(1)));
    EXPECT_EQ(To(packets, "127.0.0.102")[0].bytes, Command(0xFFFF, 14, 4096, 2, U16(2)));
    // Output 3 of port 2: a blank row of 2049 pixels, 6147 bytes.
    const Bytes row = OutputData(packets, "127.0.0.102", 2, 3);
    EXPECT_EQ(row, Bytes(6147, 0));

    ASSERT_EQ(LEDPlayInit(), 0);
    EXPECT_TRUE(m_controllers.Take().empty());
}

TEST_F(LivePlay, GroupFrameStartsEveryControllerThenSendsPortsRowByRow)
{
    MakeScreens(1, 3, 2);
    ASSERT_EQ(LEDPlayInit(), 0);
    m_controllers.Take();
    Bytes frame = TestFrame();
    ASSERT_EQ(LEDPlayFrame(1, frame.data()), 0);
    const auto packets = m_controllers.Take();
    ASSERT_EQ(packets.size(), 5u);
    EXPECT_EQ(packets[0].to, "127.0.0.101");
    EXPECT_EQ(packets[0].bytes, Command(0xFFFF, 14, 4096, 2, U16(1)));
    EXPECT_EQ(packets[1].to, "127.0.0.102");
    EXPECT_EQ(packets[1].bytes, Command(0xFFFF, 14, 4096, 2, U16(3)));
    // Row 0: port 1 of controller 1, port 3 of controller 2; row 1: port 2.
    EXPECT_EQ(packets[2].to, "127.0.0.101");
    EXPECT_EQ(packets[2].bytes, DataBlock(1, { { 0, PairOutput(0) } }));
    EXPECT_EQ(packets[3].to, "127.0.0.102");
    EXPECT_EQ(packets[3].bytes, DataBlock(3, { { 0, PairOutput(2) } }));
    EXPECT_EQ(packets[4].to, "127.0.0.101");
    EXPECT_EQ(packets[4].bytes, DataBlock(2, { { 0, PairOutput(1) } }));
}

TEST_F(LivePlay, WhiteModeIsDerivedIntoTheCallersFrame)
{
    MakeScreens(1, 1, 0);
    ASSERT_EQ(LEDSetFourColor(1, 11, 77), 0);
    ASSERT_EQ(LEDPlayInit(), 0);
    m_controllers.Take();
    Bytes frame = TestFrame();
    ASSERT_EQ(LEDPlayFrame(1, frame.data()), 0);
    EXPECT_EQ(frame[3], 77);
    m_controllers.Take();
}

TEST_F(LivePlay, OnASharedSenderOnlyTheFirstMulticastScreenStartsAndSyncs)
{
    MakeScreens(2, 2, 0, 3);
    ASSERT_EQ(LEDSetGroup(2, 0, 7, 1, 0), 0);
    ASSERT_EQ(LEDInitScreen(2), 0);
    ASSERT_EQ(LEDPlayInit(), 0);
    EXPECT_EQ(Screen(2).m_startSyncSender, 0);
    EXPECT_EQ(Screen(2).m_live.startPort, 3);
    m_controllers.Take();

    Bytes frame = TestFrame();
    ASSERT_EQ(LEDPlayFrame(1, frame.data()), 0);
    ASSERT_EQ(LEDPlayFrame(2, frame.data()), 0);
    ASSERT_EQ(LEDPlayFrameSynchro(1), 0);
    const auto packets = m_controllers.Take();
    ASSERT_EQ(packets.size(), 6u);
    for (const auto& p : packets)
        EXPECT_EQ(p.to, "127.1.1.1");
    EXPECT_EQ(packets[0].bytes, Command(0xFFFF, 14, 4096, 2, U16(3)));
    EXPECT_EQ(packets[1].bytes, DataBlock(3, { { 0, PairOutput(0) } }));
    EXPECT_EQ(packets[2].bytes, DataBlock(4, { { 0, PairOutput(1) } }));
    // Screen 2 numbers its ports from its own first port, without a start.
    EXPECT_EQ(packets[3].bytes, DataBlock(7, { { 0, PairOutput(0) } }));
    EXPECT_EQ(packets[4].bytes, DataBlock(8, { { 0, PairOutput(1) } }));
    EXPECT_EQ(packets[5].bytes, Command(0xFFFF, 0, 0, 0));
}

TEST_F(LivePlay, DeviceContextFramesAreScaledToTheScreen)
{
    MakeScreens(1, 1, 0);
    ASSERT_EQ(LEDPlayInit(), 0);
    m_controllers.Take();
    // A 32 x 16 picture, twice the grid: left half red, right half blue.
    HDC screenDC = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screenDC);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDC, 32, 16);
    ReleaseDC(nullptr, screenDC);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT left { 0, 0, 16, 16 };
    RECT right { 16, 0, 32, 16 };
    HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 100));
    FillRect(dc, &left, red);
    FillRect(dc, &right, blue);
    ASSERT_EQ(LEDPlayFrameDC(1, dc, 32, 16), 0);
    SelectObject(dc, old);
    DeleteObject(red);
    DeleteObject(blue);
    DeleteObject(bitmap);
    DeleteDC(dc);
    const auto packets = m_controllers.Take();
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[1].bytes, DataBlock(1, { { 0, Bytes { 200, 0, 0, 200, 0, 0 } } }));
}

TEST_F(LivePlay, FramesAreNeverReadPastTheirEndAndTwentyFourBitFramesSendTheSame)
{
    // The last pixel of the grid, a lamp outside it (it reads the black
    // position past the last pixel) and white channels.
    TestLayout layout;
    TestPort port;
    port.format = L"RGBW";
    port.lamps = { Lamp(1, 0), Lamp(15, 7), Lamp(40, 3) };
    layout.lampTypes = { L"RGBW" };
    layout.projectFormat = L"RGBW";
    layout.controllers.push_back({ port });
    const std::wstring path = m_folder.Path() + L"\\white.lpx";
    WriteBytes(path, CurrentLayoutBytes(layout));
    MakeScreens(1, 1, 0, 1, path);
    ASSERT_EQ(LEDSetFourColor(1, 3, 0), 0); // white = the smallest colour
    ASSERT_EQ(LEDPlayInit(), 0);
    m_controllers.Take();

    const Bytes source = TestFrame(); // 16 x 8, 4-byte pixels
    const Bytes expected = { 13, 12, 11, 11, 160, 159, 158, 158, 0, 0, 0, 0 };
    const int savedDepth = Library().bytesPerPixel;
    for (int depth : { 4, 3 }) {
        Library().bytesPerPixel = depth;
        const std::size_t size = 16 * 8 * std::size_t(depth);
        CGuardedFrame frame(size);
        ASSERT_NE(frame.Data(), nullptr);
        for (std::size_t i = 0; i < 16 * 8; ++i)
            std::memcpy(frame.Data() + i * std::size_t(depth), &source[i * 4], std::size_t(depth));
        ASSERT_EQ(LEDPlayFrame(1, frame.Data()), 0) << depth;
        const auto packets = m_controllers.Take();
        ASSERT_EQ(packets.size(), 2u) << depth;
        EXPECT_EQ(packets[1].bytes, DataBlock(1, { { 0, expected } })) << depth << " bytes per pixel";
        if (depth == 4) {
            EXPECT_EQ(frame.Data()[4 + 3], 11) << "white derived into the caller's 32-bit frame";
        }
    }
    Library().bytesPerPixel = savedDepth;
}

TEST_F(DmxOutput, RowLayoutOf512ChannelsIs171PixelsWide)
{
    MakeScreens(1, 3, 2);
    ASSERT_EQ(LEDDMXInitDataSend(1), 0);
    const CLEDScreen* dmx = DmxScreen();
    ASSERT_NE(dmx, nullptr);
    EXPECT_EQ(dmx->m_width, 171);
    EXPECT_EQ(dmx->m_height, 3);
    ASSERT_EQ(dmx->m_ports.size(), 3u);
    ASSERT_EQ(dmx->m_ports[2].m_outputs.size(), 8u);
    EXPECT_EQ(dmx->m_ports[2].m_outputs[7].m_outputLength, 513);
    EXPECT_EQ(dmx->m_ready, 1);
    EXPECT_EQ(LEDDMXInitDataSend(2), -1);
    EXPECT_EQ(LEDDMXInitDataSend(0), -1);
    LEDDMXEndDataSend();
    EXPECT_EQ(DmxScreen(), nullptr);
    EXPECT_EQ(LEDDMXDataSend(0, nullptr, 0), -1);
}

TEST_F(DmxOutput, ParametersGoToEveryPortOnceThenTheValuesAsOneFrame)
{
    MakeScreens(1, 3, 2);
    EXPECT_EQ(LEDCheckSysOnline(0), 0);
    ASSERT_EQ(LEDDMXInitDataSend(1), 0);
    Bytes values(512);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = std::uint8_t(i * 7 + 1);
    ASSERT_EQ(LEDDMXDataSend(1, values.data(), 512), 0);
    auto packets = m_controllers.Take();

    Bytes block(1024, 0);
    block[0] = 4;
    block[1] = 0x2C; // divider 300
    block[2] = 0x01;
    block[3] = 150;
    block[5] = 0x00; // 512 channels
    block[6] = 0x02;
    block[7] = block[8] = block[9] = block[10] = 0xFF;
    block[11] = 2; // the caller's mode 1
    block[13] = 8;
    for (int i = 0; i < 256; ++i)
        block[std::size_t(512 + 2 * i)] = std::uint8_t(i);
    ASSERT_GE(packets.size(), 5u);
    EXPECT_EQ(packets[0].to, "127.0.0.101");
    EXPECT_EQ(packets[0].bytes, Command(0, 2, 0, 1024, block));
    EXPECT_EQ(packets[1].to, "127.0.0.102");
    EXPECT_EQ(packets[1].bytes, Command(2, 2, 0, 1024, block));
    EXPECT_EQ(packets[2].to, "127.0.0.101");
    EXPECT_EQ(packets[2].bytes, Command(1, 2, 0, 1024, block));
    EXPECT_EQ(packets[3].bytes, Command(0xFFFF, 14, 4096, 2, U16(1)));
    EXPECT_EQ(packets[4].bytes, Command(0xFFFF, 14, 4096, 2, U16(3)));

    Bytes row0 = values;
    row0.push_back(0);
    EXPECT_EQ(OutputData(packets, "127.0.0.101", 1, 0), row0);
    EXPECT_EQ(OutputData(packets, "127.0.0.101", 1, 1), Bytes(513, 0));
    EXPECT_EQ(OutputData(packets, "127.0.0.102", 3, 7), Bytes(513, 0));
    EXPECT_EQ(CountCode(packets, 0, 14), 2);

    // Same mode and count: the parameters are not sent again.
    ASSERT_EQ(LEDDMXDataSend(1, values.data(), 512), 0);
    packets = m_controllers.Take();
    EXPECT_EQ(CountCode(packets, 2, 14 + 1024), 0);
    EXPECT_EQ(CountCode(packets, 14, 16), 2);
    // A new mode sends them again, with mode 0.
    ASSERT_EQ(LEDDMXDataSend(0, values.data(), 512), 0);
    packets = m_controllers.Take();
    EXPECT_EQ(CountCode(packets, 2, 14 + 1024), 3);
    EXPECT_EQ(packets[0].bytes[14 + 11], 0);
}

TEST_F(DmxOutput, OnlineOnlyWithoutACheckSendsNoParameters)
{
    MakeScreens(1, 3, 2);
    EXPECT_EQ(LEDCheckSysOnline(1), 1);
    ASSERT_EQ(LEDDMXInitDataSend(1), 0);
    const Bytes values(3, 9);
    ASSERT_EQ(LEDDMXDataSend(0, values.data(), 3), 0);
    const auto packets = m_controllers.Take();
    EXPECT_EQ(CountCode(packets, 2, 14 + 1024), 0);
    Bytes row0(513, 0);
    row0[0] = row0[1] = row0[2] = 9;
    EXPECT_EQ(OutputData(packets, "127.0.0.101", 1, 0), row0);
}

TEST_F(DmxOutput, ARangeBeyondTheControllersIsRefusedWithoutAFrame)
{
    MakeScreens(1, 3, 2, 2); // the first port 2 puts the last port at 4
    EXPECT_EQ(LEDCheckSysOnline(0), 0);
    ASSERT_EQ(LEDDMXInitDataSend(1), 0);
    const Bytes values(3, 9);
    EXPECT_EQ(LEDDMXDataSend(0, values.data(), 3), -1);
    EXPECT_EQ(LEDDMXDataSend(0, values.data(), 3), -1) << "not remembered: tried again";
    EXPECT_TRUE(m_controllers.Take().empty());
}

TEST(DmxGreyTable, GammaCurvesRoundAndStayInRange)
{
    std::uint16_t table[256];
    BuildGrayTable(8, 1.0, table);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(table[i], i);
    BuildGrayTable(12, 2.2, table);
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[255], 4095);
    EXPECT_EQ(table[128], 899); // (128 / 255)^2.2 x 4095 = 898.9
}

} // namespace
