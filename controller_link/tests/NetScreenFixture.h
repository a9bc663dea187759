// A fixture for the network tests: screens on the fake adapter 127.0.0.1
// (MAC 02-11-22-33-44-55) whose controllers are the fake controllers, with
// the daily log in a scratch folder.
#pragma once

#include "CommandProtocol.h"
#include "ControllerTable.h"
#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "DmxOutput.h"
#include "LivePlay.h"
#include "NetTestSupport.h"
#include "PixelMapFile.h"
#include "RowLayout.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace corvane_test {

class NetScreens : public testing::Test {
protected:
    void SetUp() override
    {
        ResetLibrary();
        SetProgramFolderOverride(m_folder.Path().c_str());
        SetRowLayoutBitsForTest(32);
        ASSERT_TRUE(m_controllers.Ok());
    }
    void TearDown() override
    {
        ResetLibrary();
        SetRowLayoutBitsForTest(0);
        SetProgramFolderOverride(CString());
    }

    static void ResetLibrary()
    {
        LEDPlayStop();
        LEDDMXEndDataSend();
        LEDSetScreenNum(0);
        CorvaneLibrary& lib = Library();
        lib.syncCode = 0;
        lib.dmxParameterCode = 2;
        lib.onlineOnly = 1;
    }

    // Screens 1..count with `ports` ports each, grouped `perController`
    // ports per controller (0: multicast), bound to the loopback sender.
    // `layout` replaces the pair layout when given.
    void MakeScreens(int count, int ports, int perController, int firstPort = 1, const std::wstring& layout = {})
    {
        const std::wstring path = layout.empty() ? WritePairLayout(m_folder.Path(), L"layout.lpx", ports) : layout;
        for (int n = 1; n <= count; ++n) {
            ASSERT_EQ(LEDNewScreen(), n);
            ASSERT_EQ(LEDSetLayout(n, path.c_str()), 0);
            ASSERT_EQ(LEDSetGroup(n, perController > 0 ? 1 : 0, firstPort, 1, perController), 0);
        }
        ASSERT_NE(LEDGetAdapterInfo(), nullptr); // reads the fake adapter list
        ASSERT_EQ(LEDSetIP(0, 0), 0);
        Sender().basePort = m_basePort;
        ASSERT_EQ(LEDInitScreen(0), 0);
        for (int n = 1; n <= count; ++n)
            ASSERT_EQ(Screen(n).m_ready, 1);
        ASSERT_EQ(Sender().bound, 1);
    }

    CLEDScreen& Screen(int n) { return *Library().screens.Screen(n); }
    LocalSender& Sender() { return *Library().screens.Screen(1)->m_sender; }

    // Packets sent to one loopback controller address.
    static std::vector<ControllerPacket> To(const std::vector<ControllerPacket>& packets, const std::string& to)
    {
        std::vector<ControllerPacket> out;
        for (const ControllerPacket& p : packets)
            if (p.to == to)
                out.push_back(p);
        return out;
    }
    static int CountCode(const std::vector<ControllerPacket>& packets, std::uint8_t code, std::size_t size)
    {
        int n = 0;
        for (const ControllerPacket& p : packets)
            if (p.bytes.size() == size && p.bytes[7] == code)
                ++n;
        return n;
    }

    std::uint16_t m_basePort = 33111;
    CFakeAdapters m_adapters { { { "127.0.0.1", "255.0.0.0", { 2, 0x11, 0x22, 0x33, 0x44, 0x55 }, "lo" } } };
    CScratchFolder m_folder;
    CLogCapture m_log { m_folder.Path(), At(2024, 3, 5, 8, 0, 0) };
    CFakeArp m_arp { m_folder.Path() };
    CFakeControllers::Answer m_answer;
    CFakeControllers m_controllers { [this](const std::string& to, std::uint16_t asked) {
        return m_answer ? m_answer(to, asked) : std::optional<std::uint16_t>();
    } };
    CControllerPortRedirect m_redirect { m_controllers.Port() };
};

} // namespace corvane_test
