// CSend_Udp through real loopback sockets: bytes on the wire, source
// addresses, the loopback rewrite and the frame-data datagrams of make_pkt.
// Wine binds UDP sockets to loopback addresses other than 127.0.0.1 as
// wildcard binds, so the senders here use 127.0.0.1 with ports 21xxx, which
// no other test uses, and the listeners take free ports.
#include "Send_Udp.h"
#include "UdpListener.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using testnet::CUdpListener;
using testnet::Datagram;
using Bytes = std::vector<std::uint8_t>;

class SendUdp : public testing::Test {
protected:
    void SetUp() override { testnet::RequireLoopbackRewrite(); }
    testnet::Winsock m_ws;
};

TEST_F(SendUdp, MysendPutsExactlyTheBytesIntoOneDatagramFromTheGivenSource)
{
    CUdpListener controller("127.13.1.2", 0);
    ASSERT_TRUE(controller.Ok());
    CSend_Udp sender;
    ASSERT_EQ(sender.create_socket("127.0.0.1", 21222), 0);

    Bytes payload(300);
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = std::uint8_t(i * 31); // includes zero bytes
    EXPECT_EQ(sender.mysend(payload.data(), 300, "127.13.1.2", controller.Port(), "127.0.0.1", 21345), 0);
    Datagram d;
    ASSERT_TRUE(controller.Receive(d));
    EXPECT_EQ(d.bytes, payload);
    EXPECT_EQ(d.fromIp, "127.0.0.1");
    EXPECT_EQ(d.fromPort, 21345);

    // From the object's own port.
    EXPECT_EQ(sender.mysend(payload.data(), 4, "127.13.1.2", controller.Port(), "127.0.0.1", 21222), 0);
    ASSERT_TRUE(controller.Receive(d));
    EXPECT_EQ(d.bytes, Bytes(payload.begin(), payload.begin() + 4));
    EXPECT_EQ(d.fromPort, 21222);
}

TEST_F(SendUdp, TakenSourcePortFallsBackToTheOwnSocket)
{
    CUdpListener controller("127.13.1.2", 0);
    CUdpListener taken("127.0.0.1", 21400);
    ASSERT_TRUE(taken.Ok());
    CSend_Udp sender;
    ASSERT_EQ(sender.create_socket("127.0.0.1", 21223), 0);
    const unsigned char b[] = { 1, 2, 3 };
    EXPECT_EQ(sender.mysend(b, 3, "127.13.1.2", controller.Port(), "127.0.0.1", 21400), 0);
    Datagram d;
    ASSERT_TRUE(controller.Receive(d));
    EXPECT_EQ(d.fromPort, 21223);
}

TEST_F(SendUdp, WithoutSocketMysendReportsNotConnected)
{
    CSend_Udp sender;
    const unsigned char b[] = { 1 };
    EXPECT_EQ(sender.mysend(b, 1, "127.13.1.2", 12345, "127.0.0.1", 12345), int(CSend_Udp::kNotConnected));
}

TEST_F(SendUdp, CreateSocketFailsOnATakenPort)
{
    CUdpListener taken("127.0.0.1", 21401);
    ASSERT_TRUE(taken.Ok());
    CSend_Udp sender;
    EXPECT_NE(sender.create_socket("127.0.0.1", 21401), 0);
    EXPECT_NE(sender.create_socket("not an address", 21402), 0);
}

TEST_F(SendUdp, ControllerAndGroupAddressesAreRewrittenToLoopback)
{
    CUdpListener controller("127.0.0.213", 0);
    CUdpListener group("127.1.1.1", 0);
    ASSERT_TRUE(controller.Ok());
    ASSERT_TRUE(group.Ok());
    CSend_Udp sender;
    ASSERT_EQ(sender.create_socket("127.0.0.1", 21224), 0);
    const unsigned char b[] = { 'Q', 'V', 'T', 'N' };
    EXPECT_EQ(sender.mysend(b, 4, "192.168.0.213", controller.Port(), "127.0.0.1", 21224), 0);
    EXPECT_EQ(sender.mysend(b, 4, "224.1.1.1", group.Port(), "127.0.0.1", 21224), 0);
    Datagram d;
    ASSERT_TRUE(controller.Receive(d));
    EXPECT_EQ(d.bytes, Bytes(b, b + 4));
    ASSERT_TRUE(group.Receive(d));
    EXPECT_EQ(d.bytes, Bytes(b, b + 4));
    // Anything else is refused, not sent.
    EXPECT_EQ(sender.mysend(b, 4, "10.1.2.3", 12345, "127.0.0.1", 21224), -1);
}

TEST_F(SendUdp, MakePktSendsOneDatagramPerFrameDataBlock)
{
    CUdpListener controller("127.13.1.3", 0);
    ASSERT_TRUE(controller.Ok());
    CSend_Udp sender;
    ASSERT_EQ(sender.create_socket("127.0.0.1", 21225), 0);

    // Output 3 holds 3000 bytes: chunks of 1456, 1456 and 88 bytes, one per
    // block (each 1456-byte chunk leaves 2 free bytes and closes its block).
    Bytes out3(3000);
    for (std::size_t i = 0; i < out3.size(); ++i)
        out3[i] = std::uint8_t(i ^ (i >> 8));
    std::array<unsigned char*, 16> data {};
    std::array<unsigned short, 16> lengths {};
    data[3] = out3.data();
    lengths[3] = 3000;
    EXPECT_EQ(sender.make_pkt(data.data(), lengths.data(), 9, "127.13.1.3", controller.Port(), "127.0.0.1", 21346), 3);

    const std::size_t sizes[] = { 1456, 1456, 88 };
    std::size_t offset = 0;
    for (std::size_t n : sizes) {
        Bytes expected = { 'Q', 'V', 'T', 'N', 9, 0, 1, 1 };
        std::uint32_t position = 0x00030000u + std::uint32_t(offset);
        for (int i = 0; i < 4; ++i)
            expected.push_back(std::uint8_t(position >> (8 * i)));
        expected.push_back(std::uint8_t(n));
        expected.push_back(std::uint8_t(n >> 8));
        expected.insert(expected.end(), out3.begin() + long(offset), out3.begin() + long(offset + n));
        expected.resize(1472, 0);
        Datagram d;
        ASSERT_TRUE(controller.Receive(d)) << "block at " << offset;
        EXPECT_EQ(d.bytes, expected) << "block at " << offset;
        EXPECT_EQ(d.fromPort, 21346);
        offset += n;
    }
    Datagram extra;
    EXPECT_FALSE(controller.Receive(extra, 100));
}

TEST_F(SendUdp, SecurityFlagIsSharedByAllSenders)
{
    CSend_Udp::SetSecurityFlag(0);
    EXPECT_EQ(CSend_Udp::GetSecurityFlag(), 0);
    CSend_Udp::SetSecurityFlag(1);
    EXPECT_EQ(CSend_Udp::GetSecurityFlag(), 1);
}

} // namespace
