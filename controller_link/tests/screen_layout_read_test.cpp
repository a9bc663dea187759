// Layout files of both formats, written by the layout editor's writers,
// read into screens: per-controller records, outputs with their port
// indexes and byte maps, double-sided mirroring, the white mask and the
// user curves; and hostile files refused with the screen unchanged.
#include "ColourProcessing.h"
#include "FileScrambler.h"
#include "LayoutTestFiles.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using namespace corvane_test;

class ScreenLayoutRead : public testing::Test {
protected:
    std::wstring FilePath(const wchar_t* name) const { return m_folder.Path() + L"\\" + name; }
    CString Write(const wchar_t* name, const std::vector<BYTE>& bytes)
    {
        const std::wstring path = FilePath(name);
        WriteBytes(path, bytes);
        return CString(path.c_str());
    }

    CScratchFolder m_folder;
};

std::vector<TestPort> PortsWithLamps(int ports, int emptyPort, int row)
{
    std::vector<TestPort> list(static_cast<size_t>(ports));
    for (int p = 0; p < ports; ++p)
        if (p != emptyPort)
            for (int i = 0; i <= p % 3; ++i)
                list[static_cast<size_t>(p)].lamps.push_back(Lamp(p, row + i));
    return list;
}

TEST_F(ScreenLayoutRead, ControllersKeepPortIndexesAcrossEmptyPorts)
{
    TestLayout layout;
    layout.width = 20;
    layout.height = 10;
    layout.controllers = { PortsWithLamps(8, 2, 0), PortsWithLamps(8, 2, 4) };
    layout.controllers[0][0].format = L"GRB";
    layout.projectFormat = L"RGBW";
    layout.channelsPerPort = 1536;
    const CString path = Write(L"two.lpx", CurrentLayoutBytes(layout));

    CLEDScreen screen;
    screen.m_groupMode = 1;
    ASSERT_EQ(screen.ReadLayout(path), 1);
    EXPECT_EQ(screen.m_portCount, 2);
    EXPECT_EQ(screen.m_layoutPortTotal, 16);
    EXPECT_EQ(screen.m_channelsPerPort, 1536);
    EXPECT_EQ(screen.m_width, 20);
    EXPECT_EQ(screen.m_height, 10);
    EXPECT_EQ(screen.m_lampFormat, L"GRB"); // the first port with lamps
    EXPECT_EQ(screen.m_groupMode, 0);
    EXPECT_EQ(screen.m_layoutPath, path);
    ASSERT_EQ(screen.m_ports.size(), 2u);
    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE(c);
        const ControllerLayout& controller = screen.m_ports[static_cast<size_t>(c)];
        EXPECT_EQ(controller.m_ports, 8);
        ASSERT_EQ(controller.OutputCount(), 7);
        const int indexes[] = { 0, 1, 3, 4, 5, 6, 7 };
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(controller.m_outputs[static_cast<size_t>(i)].m_portIndex, indexes[i]);
        EXPECT_EQ(controller.m_lampCounts[2], 0);
        EXPECT_EQ(controller.m_lampCounts[5], 3);
        EXPECT_EQ(controller.m_largestLampCount, 3);
        EXPECT_EQ(controller.m_lampLists[4][1], CPoint(4, 4 * c + 1));
        EXPECT_EQ(controller.m_lampFormats[1], L"RGB");
    }
    // The output of port 5 of controller 2 maps lamps (5, 4), (5, 5), (5, 6).
    const PortOutput& output = screen.m_ports[1].m_outputs[4];
    EXPECT_EQ(output.m_portIndex, 5);
    ASSERT_EQ(output.m_mapLength, 9);
    EXPECT_EQ(output.m_map[0], (5u + 20 * 4) * 4 + 2);
    EXPECT_EQ(output.m_map[8], (5u + 20 * 6) * 4 + 0);
}

TEST_F(ScreenLayoutRead, DoubleSidedLampsAreFollowedByTheirMirror)
{
    TestLayout layout;
    layout.width = 10;
    layout.height = 4;
    layout.doubleSided = 1;
    layout.controllers = { { TestPort {} } };
    layout.controllers[0][0].lamps = { Lamp(0, 3, 0, 1, 5), Lamp(2, 1) };
    CLEDScreen screen;
    ASSERT_EQ(screen.ReadLayout(Write(L"double.lpx", CurrentLayoutBytes(layout))), 1);
    const ControllerLayout& controller = screen.m_ports[0];
    EXPECT_EQ(controller.m_lampCounts[0], 4);
    EXPECT_EQ(controller.m_lampLists[0], (std::vector<CPoint> { { 0, 3 }, { 9, 3 }, { 2, 1 }, { 7, 1 } }));
    const PortOutput& output = controller.m_outputs[0];
    ASSERT_EQ(output.m_lampCount, 4);
    EXPECT_EQ(output.m_lamps[1].m_masked, 1); // the mirror keeps the flags
    EXPECT_EQ(output.m_lamps[1].m_layer, 5);
    EXPECT_EQ(output.m_mapLength, 12);
    EXPECT_EQ(output.m_map[3 * 3 + 2], (7u + 10 * 1) * 4);

    // A lamp far outside the grid has its mirror outside too.
    layout.controllers[0][0].lamps = { Lamp(INT_MIN, 1), Lamp(-5, 1) };
    ASSERT_EQ(screen.ReadLayout(Write(L"far.lpx", CurrentLayoutBytes(layout))), 1);
    EXPECT_EQ(
        screen.m_ports[0].m_lampLists[0], (std::vector<CPoint> { { INT_MIN, 1 }, { -1, 1 }, { -5, 1 }, { 14, 1 } }));
}

TEST_F(ScreenLayoutRead, WhiteMaskMarksLampsOfWhiteChannelPorts)
{
    TestLayout layout;
    layout.width = 4;
    layout.height = 3;
    layout.lampTypes = { L"RGB", L"RGBW" };
    layout.controllers = { { TestPort {}, TestPort {}, TestPort {} } };
    layout.controllers[0][0].lamps = { Lamp(0, 0), Lamp(1, 0) };
    layout.controllers[0][0].format = L"rgbw";
    layout.controllers[0][1].lamps = { Lamp(2, 2), Lamp(7, 7) }; // the second lies outside
    layout.controllers[0][1].format = L"RGBN";
    layout.controllers[0][2].lamps = { Lamp(3, 1) };
    layout.controllers[0][2].format = L"RGB";
    CLEDScreen screen;
    ASSERT_EQ(screen.ReadLayout(Write(L"mask.lpx", CurrentLayoutBytes(layout))), 1);
    std::vector<std::uint32_t> expected(12, 0);
    expected[0] = expected[1] = expected[10] = 1;
    EXPECT_EQ(screen.m_whiteMask, expected);

    // Mode 8 then treats exactly those pixels.
    std::vector<BYTE> frame(12 * 4 + 4, 0);
    for (int p = 0; p < 12; ++p) {
        frame[static_cast<size_t>(4 * p)] = 10;
        frame[static_cast<size_t>(4 * p + 1)] = 20;
        frame[static_cast<size_t>(4 * p + 2)] = 30;
    }
    ApplyWhiteChannel(8, frame.data(), screen, 48);
    EXPECT_EQ(frame[3], 10);
    EXPECT_EQ(frame[0], 0);
    EXPECT_EQ(frame[4 * 7 + 3], 0);
    EXPECT_EQ(frame[4 * 7], 10);
}

TEST_F(ScreenLayoutRead, PortTablesAndUserCurvesShapeTheOutput)
{
    TestLayout layout;
    layout.width = 2;
    layout.height = 1;
    layout.dataOffset = 2;
    layout.curveCount = 1;
    for (int i = 0; i < 256; ++i)
        layout.curves[0][i] = static_cast<BYTE>(255 - i);
    layout.controllers = { { TestPort {} } };
    TestPort& port = layout.controllers[0][0];
    port.lamps = { Lamp(1, 0), Lamp(0, 0) };
    port.gamma[0] = 1; // red of the first lamp through user curve 0
    port.brightness[2] = 50; // blue of the first lamp halved

    CLEDScreen screen;
    screen.m_curves[3].fill(9); // a curve the file does not carry reads 0 after the read
    ASSERT_EQ(screen.ReadLayout(Write(L"tables.lpx", CurrentLayoutBytes(layout))), 1);
    EXPECT_EQ(screen.m_curves[0][0], 255);
    EXPECT_EQ(screen.m_curves[3][0], 0);
    std::vector<BYTE> frame = { 1, 2, 3, 4, 100, 60, 40, 8, 0, 0, 0, 0 };
    PortOutput& output = screen.m_ports[0].m_outputs[0];
    const BYTE* out = output.ExtractOutput(frame.data(), 0, nullptr, 0, screen.m_curves);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(std::vector<BYTE>(out, out + output.m_mapLength), (std::vector<BYTE> { 0, 0, 215, 60, 50, 3, 2, 1 }));
}

TEST_F(ScreenLayoutRead, LampFormatOverridesChooseTheirUnitsOrder)
{
    TestLayout layout;
    layout.width = 3;
    layout.height = 1;
    layout.lampTypes = { L"RGB", L"GRB" };
    layout.controllers = { { TestPort {} } };
    layout.controllers[0][0].lamps = { Lamp(0, 0), Lamp(1, 0, 2), Lamp(2, 0) };
    CLEDScreen screen;
    ASSERT_EQ(screen.ReadLayout(Write(L"override.lpx", CurrentLayoutBytes(layout))), 1);
    const PortOutput& output = screen.m_ports[0].m_outputs[0];
    EXPECT_EQ(std::vector<std::uint32_t>(output.m_map.begin(), output.m_map.begin() + 9),
        (std::vector<std::uint32_t> { 2, 1, 0, 5, 6, 4, 10, 9, 8 }));
}

TEST_F(ScreenLayoutRead, VersionFourFilesReadEveryLayerAsZero)
{
    TestLayout layout;
    layout.controllers = { { TestPort {} } };
    layout.controllers[0][0].lamps = { Lamp(1, 1, 0, 0, 7) };
    std::vector<BYTE> bytes = CurrentLayoutBytes(layout);
    CLEDScreen screen;
    ASSERT_EQ(screen.ReadLayout(Write(L"v6.lpx", bytes)), 1);
    EXPECT_EQ(screen.m_ports[0].m_outputs[0].m_lamps[0].m_layer, 7);
    bytes[10] = 4;
    ASSERT_EQ(screen.ReadLayout(Write(L"v4.lpx", bytes)), 1);
    EXPECT_EQ(screen.m_ports[0].m_outputs[0].m_lamps[0].m_layer, 0);
}

TEST_F(ScreenLayoutRead, ArchiveFilesUseTheDisplayStrideAndStayScrambled)
{
    TestLayout layout;
    layout.width = 10;
    layout.height = 4;
    layout.dataOffset = 3;
    layout.doubleSided = 1;
    layout.projectFormat = L"GRB";
    layout.controllers = { { TestPort {}, TestPort {} }, { TestPort {} } };
    layout.controllers[0][1].lamps = { Lamp(1, 2), Lamp(2, 2) };
    layout.controllers[0][1].format = L"RGBW";
    layout.controllers[1][0].lamps = { Lamp(0, 0) };
    const std::vector<BYTE> plain = ArchiveLayoutBytes(layout);
    std::vector<BYTE> scrambled = plain;
    ScrambleBytes(scrambled);

    // A plain archive is scrambled in place once read.
    const CString path = Write(L"archive.lpx", plain);
    CLEDScreen screen;
    ASSERT_EQ(screen.ReadLayout(path), 1);
    EXPECT_EQ(ReadFileBytes(path.GetString()), scrambled);
    EXPECT_EQ(screen.m_portCount, 2);
    EXPECT_EQ(screen.m_layoutPortTotal, 3);
    EXPECT_EQ(screen.m_lampFormat, L"RGBW");
    ASSERT_EQ(screen.m_ports[0].OutputCount(), 1);
    const PortOutput& output = screen.m_ports[0].m_outputs[0];
    EXPECT_EQ(output.m_portIndex, 1);
    EXPECT_EQ(output.m_lampCount, 4);
    EXPECT_EQ(output.m_dataOffset, 3);
    EXPECT_EQ(output.m_mapLength, 3 + 4 * 4);
    // 24-bit display: 3 bytes per pixel; lamp 2 is the mirror (8, 2) of (1, 2).
    EXPECT_EQ(output.m_blackPosition, 10u * 4 * 3);
    EXPECT_EQ(output.m_map[3 + 4 + 0], (8u + 10 * 2) * 3 + 2);
    EXPECT_EQ(output.m_map[3 + 4 + 3], ((8u + 10 * 2) * 3) | kChannelWhite);
    EXPECT_EQ(screen.m_whiteMask[1 + 10 * 2], 1u);
    EXPECT_EQ(screen.m_whiteMask[8 + 10 * 2], 1u);

    // A scrambled archive is read as it stands and left alone.
    ASSERT_EQ(screen.ReadLayout(path), 1);
    EXPECT_EQ(ReadFileBytes(path.GetString()), scrambled);

    // 32-bit display: 4 bytes per pixel.
    CLEDScreen deep;
    deep.m_displayBits = 32;
    ASSERT_EQ(deep.ReadLayout(path), 1);
    EXPECT_EQ(deep.m_ports[0].m_outputs[0].m_map[3], (1u + 10 * 2) * 4 + 2);
}

TEST_F(ScreenLayoutRead, ArchiveOnAnOddDisplayDepthIsRefusedAndTheFileKept)
{
    TestLayout layout;
    layout.controllers = { { TestPort {} } };
    layout.controllers[0][0].lamps = { Lamp(1, 2) };
    const std::vector<BYTE> plain = ArchiveLayoutBytes(layout);
    const CString path = Write(L"odd.lpx", plain);
    CLEDScreen screen;
    screen.m_displayBits = 16;
    EXPECT_EQ(screen.ReadLayout(path), 0);
    EXPECT_TRUE(screen.m_ports.empty());
    EXPECT_EQ(ReadFileBytes(path.GetString()), plain);
}

// What a refused read must leave as it was.
struct ScreenPrint {
    int ports, total, width, height, channels;
    CString format, path;
    std::vector<std::uint32_t> firstMap;
    std::vector<std::uint32_t> mask;
    bool operator==(const ScreenPrint&) const = default;
};

ScreenPrint PrintOf(const CLEDScreen& s)
{
    ScreenPrint print { s.m_portCount, s.m_layoutPortTotal, s.m_width, s.m_height, s.m_channelsPerPort, s.m_lampFormat,
        s.m_layoutPath, {}, s.m_whiteMask };
    if (!s.m_ports.empty() && !s.m_ports[0].m_outputs.empty())
        print.firstMap = s.m_ports[0].m_outputs[0].m_map;
    return print;
}

class HostileLayouts : public ScreenLayoutRead {
protected:
    void SetUp() override
    {
        TestLayout good;
        good.width = 6;
        good.height = 5;
        good.controllers = { { TestPort {} } };
        good.controllers[0][0].lamps = { Lamp(1, 1), Lamp(2, 1) };
        good.controllers[0][0].format = L"RGBW";
        ASSERT_EQ(m_screen.ReadLayout(Write(L"good.lpx", CurrentLayoutBytes(good))), 1);
        m_before = PrintOf(m_screen);
    }
    void ExpectRefused(const CString& path)
    {
        EXPECT_EQ(m_screen.ReadLayout(path), 0);
        EXPECT_TRUE(PrintOf(m_screen) == m_before);
    }

    CLEDScreen m_screen;
    ScreenPrint m_before;
};

TEST_F(HostileLayouts, MissingEmptyAndTruncatedFiles)
{
    ExpectRefused(CString(FilePath(L"missing.lpx").c_str()));
    ExpectRefused(m_folder.Path().c_str()); // a folder
    ExpectRefused(Write(L"empty.lpx", {}));

    TestLayout layout;
    layout.controllers = { { TestPort {}, TestPort {} } };
    layout.controllers[0][0].lamps = { Lamp(1, 1), Lamp(2, 1) };
    layout.controllers[0][1].lamps = { Lamp(3, 1) };
    const std::vector<BYTE> bytes = CurrentLayoutBytes(layout);
    for (size_t cut = 1; cut < bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        ExpectRefused(Write(L"cut.lpx", std::vector<BYTE>(bytes.begin(), bytes.begin() + cut)));
    }
    const std::vector<BYTE> archive = ArchiveLayoutBytes(layout);
    for (size_t cut = 1; cut < archive.size(); cut += 7) {
        SCOPED_TRACE(cut);
        std::vector<BYTE> part(archive.begin(), archive.begin() + cut);
        ExpectRefused(Write(L"cut-archive.lpx", part));
        ScrambleBytes(part);
        ExpectRefused(Write(L"cut-archive.lpx", part));
    }
}

TEST_F(HostileLayouts, CountsBeyondTheScreenLimits)
{
    // 17 ports on one controller.
    TestLayout wide;
    wide.controllers = { std::vector<TestPort>(17) };
    wide.controllers[0][16].lamps = { Lamp(0, 0) };
    ExpectRefused(Write(L"ports.lpx", CurrentLayoutBytes(wide)));
    ExpectRefused(Write(L"ports-archive.lpx", ArchiveLayoutBytes(wide)));

    // 2049 lamps double-sided make 4098 lamps on one port; 2048 are fine.
    TestLayout many;
    many.width = 100;
    many.height = 100;
    many.doubleSided = 1;
    many.controllers = { { TestPort {} } };
    for (int i = 0; i < 2049; ++i)
        many.controllers[0][0].lamps.push_back(Lamp(i % 100, i / 100));
    ExpectRefused(Write(L"lamps.lpx", CurrentLayoutBytes(many)));
    ExpectRefused(Write(L"lamps-archive.lpx", ArchiveLayoutBytes(many)));
    many.controllers[0][0].lamps.pop_back();
    CLEDScreen other;
    EXPECT_EQ(other.ReadLayout(Write(L"lamps-ok.lpx", CurrentLayoutBytes(many))), 1);
    EXPECT_EQ(other.m_ports[0].m_lampCounts[0], 4096);

    // Lamp formats the file does not list.
    TestLayout formats;
    formats.lampTypes = { L"RGB", L"GRB" };
    formats.controllers = { { TestPort {} } };
    formats.controllers[0][0].lamps = { Lamp(0, 0), Lamp(1, 0, 3) };
    ExpectRefused(Write(L"override.lpx", CurrentLayoutBytes(formats)));
    formats.controllers[0][0].lamps = { Lamp(0, 0) };
    formats.controllers[0][0].formatIndex = 2;
    ExpectRefused(Write(L"index.lpx", CurrentLayoutBytes(formats)));

    // A grid whose frames cannot be addressed, an output too long to send.
    TestLayout huge;
    huge.width = 20000;
    huge.height = 20000;
    huge.controllers = { { TestPort {} } };
    huge.controllers[0][0].lamps = { Lamp(0, 0) };
    ExpectRefused(Write(L"grid.lpx", CurrentLayoutBytes(huge)));
    TestLayout longest;
    longest.lampTypes = { CString(L'R', 1000) };
    longest.controllers = { { TestPort {} } };
    for (int i = 0; i < 70; ++i)
        longest.controllers[0][0].lamps.push_back(Lamp(i % 16, i / 16));
    ExpectRefused(Write(L"long.lpx", CurrentLayoutBytes(longest)));
}

TEST_F(HostileLayouts, GarbageIsNeitherReadNorScrambled)
{
    std::vector<BYTE> garbage(5000);
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<BYTE>(i * 7919 >> 3);
    const CString path = Write(L"garbage.lpx", garbage);
    ExpectRefused(path);
    EXPECT_EQ(ReadFileBytes(path.GetString()), garbage);
}

} // namespace
