// Destination routing: the loopback rewrite and the refusal of everything else.
#include "NetRoute.h"
#include "UdpListener.h"

#include <gtest/gtest.h>

namespace {

using netrove::RouteMode;

std::string Text(std::uint32_t a)
{
    return std::to_string(a >> 24) + "." + std::to_string((a >> 16) & 255) + "." + std::to_string((a >> 8) & 255) + "."
        + std::to_string(a & 255);
}

TEST(NetRoute, ParsesOnlyStrictDottedDecimal)
{
    struct Case {
        const char* text;
        bool ok;
        std::uint32_t value;
    };
    const Case cases[] = {
        { "192.168.0.101", true, 0xC0A80065u },
        { "0.0.0.0", true, 0 },
        { "255.255.255.255", true, 0xFFFFFFFFu },
        { "256.1.1.1", false, 0 },
        { "1.2.3", false, 0 },
        { "1.2.3.4.5", false, 0 },
        { "1..2.3", false, 0 },
        { "1234.1.1.1", false, 0 },
        { " 1.2.3.4", false, 0 },
        { "", false, 0 },
    };
    for (const Case& c : cases) {
        std::uint32_t v = 0;
        EXPECT_EQ(netrove::ParseIPv4(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    std::uint32_t v = 0;
    EXPECT_FALSE(netrove::ParseIPv4(nullptr, v));
}

TEST(NetRoute, LoopbackModeRewritesControllersAndGroupAndRefusesTheRest)
{
    struct Case {
        const char* in;
        const char* out; // nullptr = refused
    };
    const Case cases[] = {
        { "192.168.0.101", "127.0.0.101" },
        { "192.168.0.0", "127.0.0.0" },
        { "192.168.0.255", "127.0.0.255" },
        { "224.1.1.1", "127.1.1.1" },
        { "127.13.0.2", "127.13.0.2" },
        { "192.168.1.5", nullptr },
        { "10.0.0.1", nullptr },
        { "8.8.8.8", nullptr },
        { "224.1.1.2", nullptr },
        { "0.0.0.0", nullptr },
        { "255.255.255.255", nullptr },
        { "not an address", nullptr },
    };
    for (const Case& c : cases) {
        std::uint32_t to = 0;
        bool ok = netrove::RouteDestination(c.in, RouteMode::Loopback, to);
        EXPECT_EQ(ok, c.out != nullptr) << c.in;
        if (ok && c.out) {
            EXPECT_EQ(Text(to), c.out) << c.in;
        }
    }
}

TEST(NetRoute, DirectModeKeepsTheAddress)
{
    std::uint32_t to = 0;
    ASSERT_TRUE(netrove::RouteDestination("192.168.0.101", RouteMode::Direct, to));
    EXPECT_EQ(Text(to), "192.168.0.101");
}

TEST(NetRoute, TestsRunInLoopbackMode)
{
    testnet::RequireLoopbackRewrite();
    EXPECT_EQ(netrove::CurrentRouteMode(), RouteMode::Loopback);
#ifdef NETROVE_LOOPBACK_ONLY
    // The guard of test builds holds even when the setting asks for direct sends.
    SetEnvironmentVariableA("LEDSUITE_NET_REWRITE", "off");
    EXPECT_EQ(netrove::CurrentRouteMode(), RouteMode::Loopback);
    SetEnvironmentVariableA("LEDSUITE_NET_REWRITE", nullptr);
    EXPECT_EQ(netrove::CurrentRouteMode(), RouteMode::Loopback);
    testnet::RequireLoopbackRewrite();
#endif
}

TEST(NetRoute, SendRefusesNonLoopbackDestinations)
{
    testnet::Winsock ws;
    testnet::RequireLoopbackRewrite();
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    ASSERT_NE(s, INVALID_SOCKET);
    const char payload[] = "x";
    EXPECT_EQ(netrove::SendDatagram(s, payload, 1, "10.0.0.1", 12345), -1);
    EXPECT_EQ(netrove::SendDatagram(s, payload, 1, "192.168.1.1", 12345), -1);
    closesocket(s);
}

} // namespace
