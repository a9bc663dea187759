// Controller tables, addresses and reply templates; the string splitter; the
// ARP table read and static entries added through the fake interpreter.
#include "ControllerTable.h"
#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "HiddenCommand.h"
#include "NetTestSupport.h"
#include "PixelMapFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using namespace corvane_test;

std::string Address(std::uint32_t networkOrder)
{
    char text[17];
    IPv4Text(networkOrder, text);
    return text;
}

TEST(ControllerTable, GroupsSplitPortsAndDeriveAddressesFromScreenAndController)
{
    struct Case {
        int screenIndex, ports, perController;
        std::vector<std::pair<int, int>> ranges;
        std::vector<std::string> addresses;
        std::vector<int> lastMacBytes;
    };
    const Case cases[] = {
        { 0, 10, 4, { { 0, 3 }, { 4, 7 }, { 8, 9 } }, { "192.168.0.101", "192.168.0.102", "192.168.0.103" },
            { 1, 2, 3 } },
        { 1, 4, 2, { { 0, 1 }, { 2, 3 } }, { "192.168.0.131", "192.168.0.132" }, { 31, 32 } },
        // Sums are 8 bits wide: screen 6, controller 0 is 101 + 180 - 256.
        { 6, 1, 1, { { 0, 0 } }, { "192.168.0.25" }, { 181 } },
    };
    for (const Case& c : cases) {
        CLEDScreen screen;
        screen.m_index = c.screenIndex;
        screen.m_portCount = std::uint16_t(c.ports);
        screen.m_groupMode = 1;
        screen.m_portsPerController = c.perController;
        screen.m_ready = 1;
        ASSERT_EQ(BuildControllerTable(screen), int(c.ranges.size()));
        EXPECT_EQ(screen.m_ready, 0) << "a rebuilt table is not ready";
        for (std::size_t i = 0; i < c.ranges.size(); ++i) {
            const ControllerEntry& e = screen.m_controllers[i];
            EXPECT_EQ(e.firstPort, c.ranges[i].first);
            EXPECT_EQ(e.lastPort, c.ranges[i].second);
            EXPECT_EQ(Address(e.ipv4), c.addresses[i]);
            const std::uint8_t mac[6] = { 0, 'Q', 'V', 'T', 'N', std::uint8_t(c.lastMacBytes[i]) };
            EXPECT_EQ(std::memcmp(e.mac, mac, 6), 0);
            EXPECT_EQ(e.port, 11111);
            EXPECT_EQ(e.onlineRoom, std::size_t(c.perController + 50));
        }
    }
}

TEST(ControllerTable, WithoutGroupsOneMulticastEntryServesEveryPort)
{
    for (int groupMode : { 0, 1 }) {
        CLEDScreen screen;
        screen.m_portCount = 7;
        screen.m_groupMode = groupMode;
        screen.m_portsPerController = 0; // group mode with 0 per controller falls back
        ASSERT_EQ(BuildControllerTable(screen), 1);
        const ControllerEntry& e = screen.m_controllers[0];
        EXPECT_EQ(Address(e.ipv4), "224.1.1.1");
        const std::uint8_t mac[6] = { 0x01, 0x00, 0x5E, 0x01, 0x01, 0x01 };
        EXPECT_EQ(std::memcmp(e.mac, mac, 6), 0);
        EXPECT_EQ(e.firstPort, 0);
        EXPECT_EQ(e.lastPort, 6);
        EXPECT_EQ(e.onlineRoom, 57u);
        EXPECT_EQ(screen.m_portsPerController, 7);
    }
    CLEDScreen empty;
    ASSERT_EQ(BuildControllerTable(empty), 1);
    EXPECT_EQ(empty.m_controllers[0].firstPort, 0);
    EXPECT_EQ(empty.m_controllers[0].lastPort, -1);
}

TEST(ControllerTable, RawHeaderBytesAreWorkedOutByHand)
{
    const std::uint8_t pc[6] = { 0x02, 0x11, 0x22, 0x33, 0x44, 0x55 };
    const std::uint8_t from[6] = { 0x00, 'Q', 'V', 'T', 0xFF, 0xFF };
    const std::uint8_t src[4] = { 192, 168, 0, 55 };
    std::uint32_t source = 0;
    std::memcpy(&source, src, 4);
    std::uint8_t header[42];
    BuildRawHeader(pc, from, source, 0xFFFFFFFFu, 11111, 11111, 256, header);
    const std::uint8_t expected[42] = {
        0x02, 0x11, 0x22, 0x33, 0x44, 0x55, 0x00, 0x51, 0x56, 0x54, 0xFF, 0xFF, 0x08, 0x00, // Ethernet
        0x45, 0x00, 0x01, 0x1C, 0xE1, 0x00, 0x00, 0x00, 0x40, 0x11, 0xD7, 0xF1, // IPv4 up to the checksum
        0xC0, 0xA8, 0x00, 0x37, 0xFF, 0xFF, 0xFF, 0xFF, // addresses
        0x2B, 0x67, 0x2B, 0x67, 0x01, 0x08, 0x00, 0x00, // UDP
    };
    EXPECT_EQ(std::vector<std::uint8_t>(header, header + 42), std::vector<std::uint8_t>(expected, expected + 42));

    // The data template: 1472 bytes of payload, sender on 192.168.5.x.
    const std::uint8_t src5[4] = { 192, 168, 5, 55 };
    std::memcpy(&source, src5, 4);
    BuildRawHeader(pc, from, source, 0xFFFFFFFFu, 11111, 11111, 1472, header);
    EXPECT_EQ(header[16], 0x05);
    EXPECT_EQ(header[17], 0xDC);
    EXPECT_EQ(header[24], 0xCE);
    EXPECT_EQ(header[25], 0x31);
    EXPECT_EQ(header[38], 0x05);
    EXPECT_EQ(header[39], 0xC8);
}

TEST(HiddenCommands, SplitStringKeepsEmptyParts)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* separator;
        int count;
        std::vector<CString> parts;
    };
    const Case cases[] = {
        { L"a,,b", L",", 3, { L"a", L"", L"b" } },
        { L"a,", L",", 2, { L"a", L"" } },
        { L"abc", L",", 1, { L"abc" } },
        { L"x\r\ny\r\n", L"\r\n", 3, { L"x", L"y", L"" } },
        { L"", L",", -1, {} },
    };
    for (const Case& c : cases) {
        CStringArray parts;
        parts.Add(L"stale");
        EXPECT_EQ(SplitString(c.text, parts, c.separator), c.count) << CStringA(c.text).GetString();
        ASSERT_EQ(parts.GetSize(), INT_PTR(c.parts.size()));
        for (std::size_t i = 0; i < c.parts.size(); ++i)
            EXPECT_EQ(parts[INT_PTR(i)], c.parts[i]);
    }
}

class ArpTable : public testing::Test {
protected:
    void SetUp() override
    {
        LEDSetScreenNum(0);
        SetProgramFolderOverride(m_folder.Path().c_str());
    }
    void TearDown() override
    {
        LEDSetScreenNum(0);
        SetProgramFolderOverride(CString());
    }
    CScratchFolder m_folder;
    CFakeArp m_arp { m_folder.Path() };
};

TEST_F(ArpTable, ReadsEveryNonEmptyLineOnceInUpperCase)
{
    std::string table = "\r\nInterface: 127.0.0.1 --- 0x1\r\n\r\n";
    for (int i = 0; i < 300; ++i)
        table += "  10.0." + std::to_string(i / 200) + "." + std::to_string(i % 200) + "   aa-bb-cc-dd-ee-"
            + std::to_string(10 + i % 90) + "     dynamic\r\n";
    table += "\r\n";
    m_arp.SetTable(table);
    CStringArray lines;
    ASSERT_EQ(ReadArpTable(lines), 0);
    ASSERT_EQ(lines.GetSize(), 301);
    EXPECT_EQ(lines[0], L"INTERFACE: 127.0.0.1 --- 0X1");
    EXPECT_EQ(lines[1], L"  10.0.0.0   AA-BB-CC-DD-EE-10     DYNAMIC");
    EXPECT_EQ(lines[300], L"  10.0.1.99   AA-BB-CC-DD-EE-39     DYNAMIC");
}

TEST_F(ArpTable, AMissingInterpreterGives2100AndAnEmptyList)
{
    SetCommandInterpreterForTest((m_folder.Path() + L"\\missing.exe").c_str());
    CStringArray lines;
    lines.Add(L"stale");
    EXPECT_EQ(ReadArpTable(lines), 2100);
    EXPECT_EQ(lines.GetSize(), 0);
    EXPECT_EQ(RunHiddenCommand(L"arp -s 1.2.3.4 00-00-00-00-00-00 127.0.0.1"), 2100);
    SetCommandInterpreterForTest((TestProgramFolder() + L"fake_cmd.exe").c_str());
}

TEST_F(ArpTable, BindingAddsOnlyTheEntriesNoLineHoldsWithTheirMac)
{
    CFakeAdapters adapters({ { "127.0.0.1", "255.0.0.0", { 2, 0x11, 0x22, 0x33, 0x44, 0x55 }, "lo" } });
    ASSERT_NE(LEDGetAdapterInfo(), nullptr);
    ASSERT_EQ(LEDNewScreen(), 1);
    CLEDScreen& screen = *Library().screens.Screen(1);
    screen.m_portCount = 3;
    ASSERT_EQ(LEDSetGroup(1, 1, 1, 1, 1), 0);
    ASSERT_EQ(screen.m_controllers.size(), 3u);
    // Without a sender nothing is read or run.
    ASSERT_EQ(LEDBindIPMac(1), 0);
    ASSERT_EQ(LEDSetIP(1, 0), 0);

    m_arp.SetTable("\r\nInterface: 127.0.0.1 --- 0x1\r\n"
                   "  Internet Address      Physical Address      Type\r\n"
                   "  192.168.0.101         00-51-56-54-4e-01     static\r\n"
                   "  192.168.0.102         00-51-56-54-4e-99     static\r\n");
    ASSERT_EQ(LEDBindIPMac(1), 0);
    std::vector<std::string> commands = m_arp.WaitForCommands(3);
    std::sort(commands.begin(), commands.end());
    const std::vector<std::string> expected = {
        "arp -s 192.168.0.102 00-51-56-54-4E-02 127.0.0.1",
        "arp -s 192.168.0.103 00-51-56-54-4E-03 127.0.0.1",
        "arp -s 224.1.1.1 01-00-5E-01-01-01 127.0.0.1",
    };
    EXPECT_EQ(commands, expected);
    EXPECT_EQ(LEDBindIPMac(2), -1);
}

TEST_F(ArpTable, ScreenSettersFollowTheScreenNumberRules)
{
    EXPECT_EQ(LEDSetGroup(0, 1, 1, 1, 2), 0); // empty list
    EXPECT_EQ(LEDSetCardType(0, 5), 0);
    EXPECT_EQ(LEDInitScreen(0), 0);
    ASSERT_EQ(LEDNewScreen(), 1);
    ASSERT_EQ(LEDNewScreen(), 2);
    EXPECT_EQ(LEDSetGroup(3, 1, 1, 1, 2), -1);
    EXPECT_EQ(LEDSetCardType(3, 1), -1);
    EXPECT_EQ(LEDInitScreen(3), -1);
    EXPECT_EQ(LEDSetCardType(2, 7), 0);
    EXPECT_EQ(Library().screens.Screen(2)->m_cardType, 7);
    EXPECT_EQ(LEDSetGroup(0, 1, 4, 9, 2), 0);
    for (int n : { 1, 2 }) {
        const CLEDScreen& s = *Library().screens.Screen(n);
        EXPECT_EQ(s.m_groupMode, 1);
        EXPECT_EQ(s.m_firstPort, 4);
        EXPECT_EQ(s.m_spareGroup, 9);
        EXPECT_EQ(s.m_portsPerController, 2);
        EXPECT_TRUE(s.m_controllers.empty()) << "no ports, no controllers";
    }
}

TEST_F(ArpTable, ReadingALayoutRebuildsTheTableAndClearingEmptiesIt)
{
    const std::wstring path = WritePairLayout(m_folder.Path(), L"five.lpx", 5);
    ASSERT_EQ(LEDNewScreen(), 1);
    ASSERT_EQ(LEDSetGroup(1, 1, 1, 1, 2), 0);
    ASSERT_EQ(LEDSetLayout(1, path.c_str()), 0);
    CLEDScreen& screen = *Library().screens.Screen(1);
    ASSERT_EQ(screen.m_portCount, 5);
    // The read switches grouping off: one multicast entry for all five.
    ASSERT_EQ(screen.m_controllers.size(), 1u);
    EXPECT_EQ(screen.m_controllers[0].lastPort, 4);
    ASSERT_EQ(LEDSetGroup(1, 1, 1, 1, 2), 0);
    EXPECT_EQ(screen.m_controllers.size(), 3u);
    EXPECT_EQ(GetFileAttributesW(ScreenLayoutPath(1)) != INVALID_FILE_ATTRIBUTES, true);

    EXPECT_EQ(LEDClearLayout(2), -1);
    EXPECT_EQ(LEDClearLayout(1), 0);
    EXPECT_TRUE(screen.m_controllers.empty());
    EXPECT_EQ(screen.m_groupMode, 0);
    EXPECT_EQ(screen.m_portCount, 0);
    EXPECT_EQ(GetFileAttributesW(ScreenLayoutPath(1)), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(ScreenPixelMapPath(1)), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(LEDSetLayout(1, (m_folder.Path() + L"\\missing.lpx").c_str()), -2);
}

} // namespace
