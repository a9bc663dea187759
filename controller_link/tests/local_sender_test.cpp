// Binding local senders on loopback: the port fallback, the outside sender's
// port and the log of failed binds. The senders use 127.0.0.1 with ports
// 31xxx and 32xxx (Wine binds other loopback addresses as wildcards).
#include "LocalSender.h"
#include "Send_Udp.h"
#include "TestSupport.h"
#include "UdpListener.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using corvane_test::At;
using corvane_test::CLogCapture;
using corvane_test::CScratchFolder;
using testnet::CUdpListener;
using testnet::Datagram;

std::uint32_t Loopback()
{
    std::uint32_t a = 0;
    const std::uint8_t b[4] = { 127, 0, 0, 1 };
    std::memcpy(&a, b, 4);
    return a;
}

class LocalSenders : public testing::Test {
protected:
    void SetUp() override { testnet::RequireLoopbackRewrite(); }
    testnet::Winsock m_ws;
    CScratchFolder m_folder;
    CLogCapture m_log { m_folder.Path(), At(2024, 3, 5, 8, 0, 0) };
};

TEST_F(LocalSenders, TakenPortsMoveTheSenderUpAndTheOutsideSender111Above)
{
    CUdpListener taken1("127.0.0.1", 31111);
    CUdpListener taken2("127.0.0.1", 31112);
    ASSERT_TRUE(taken1.Ok());
    ASSERT_TRUE(taken2.Ok());
    LocalSender sender;
    sender.ipv4 = Loopback();
    sender.basePort = 31111;
    ASSERT_EQ(BindLocalSender(sender), 0);
    EXPECT_EQ(sender.basePort, 31113);
    EXPECT_EQ(sender.boundPort, 31113);
    EXPECT_EQ(sender.bound, 1);
    EXPECT_STREQ(sender.boundText, "127.0.0.1");
    ASSERT_NE(sender.outside, nullptr);

    // The outside sender's own socket is on 31113 + 111.
    CUdpListener controller("127.0.0.1", 0);
    const unsigned char b[] = { 0x51, 0x56 };
    ASSERT_EQ(sender.outside->mysend(b, 2, "127.0.0.1", controller.Port(), "127.0.0.1", 0), 0);
    Datagram d;
    ASSERT_TRUE(controller.Receive(d));
    EXPECT_EQ(d.fromPort, 31224);

    EXPECT_EQ(m_log.DayText(2024, 3, 5),
        L"08:00:00 信息 绑定失败!\r\n08:00:00 错误 绑定失败:IP=127.0.0.1 Port=31111\r\n"
        L"08:00:00 信息 绑定失败!\r\n08:00:00 错误 绑定失败:IP=127.0.0.1 Port=31112\r\n");
}

TEST_F(LocalSenders, TheReplySocketReceivesAndDoesNotBlock)
{
    LocalSender sender;
    sender.ipv4 = Loopback();
    sender.basePort = 31150;
    ASSERT_EQ(BindLocalSender(sender), 0);
    char buf[16];
    EXPECT_EQ(recv(sender.replySocket, buf, sizeof buf, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);

    SOCKET tx = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in to = testnet::Address("127.0.0.1", 31150);
    sendto(tx, "ok", 2, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    closesocket(tx);
    int n = SOCKET_ERROR;
    for (int i = 0; i < 200 && n == SOCKET_ERROR; ++i) {
        Sleep(5);
        n = recv(sender.replySocket, buf, sizeof buf, 0);
    }
    EXPECT_EQ(n, 2);

    EXPECT_EQ(CloseReplySocket(sender), 0);
    EXPECT_EQ(sender.bound, 0);
    EXPECT_EQ(sender.boundPort, 0);
    EXPECT_EQ(CloseReplySocket(sender), -1);
}

TEST_F(LocalSenders, TenFailedBindsGive2100AndKeepTheRaisedPort)
{
    std::vector<std::unique_ptr<CUdpListener>> taken;
    for (int p = 32000; p < 32010; ++p) {
        taken.push_back(std::make_unique<CUdpListener>("127.0.0.1", std::uint16_t(p)));
        ASSERT_TRUE(taken.back()->Ok());
    }
    LocalSender sender;
    sender.ipv4 = Loopback();
    sender.basePort = 32000;
    EXPECT_EQ(BindLocalSender(sender), kBindError);
    EXPECT_EQ(sender.basePort, 32010);
    EXPECT_EQ(sender.bound, 0);
}

TEST_F(LocalSenders, AFailedOutsideSocketGives2100)
{
    CUdpListener taken("127.0.0.1", 32111 + 111);
    ASSERT_TRUE(taken.Ok());
    LocalSender sender;
    sender.ipv4 = Loopback();
    sender.basePort = 32111;
    EXPECT_EQ(BindLocalSender(sender), kBindError);
    EXPECT_EQ(sender.boundPort, 32111); // the reply socket itself was bound
}

TEST_F(LocalSenders, ABoundSenderReachesAFakeControllerThroughTheRewrite)
{
    LocalSender sender;
    sender.ipv4 = Loopback();
    sender.basePort = 31180;
    ASSERT_EQ(BindLocalSender(sender), 0);
    CUdpListener controller("127.0.0.214", 0); // the controller 192.168.0.214
    ASSERT_TRUE(controller.Ok());

    const unsigned char command[] = { 'Q', 'V', 'T', 'N', 0xFF, 0xFF, 0, 14, 0, 16, 0, 0, 2, 0, 1, 0 };
    ASSERT_EQ(sender.outside->mysend(command, sizeof command, "192.168.0.214", controller.Port(), sender.boundText,
                  std::uint16_t(31180 + 50)),
        0);
    Datagram d;
    ASSERT_TRUE(controller.Receive(d));
    EXPECT_EQ(d.bytes, std::vector<std::uint8_t>(command, command + sizeof command));
    EXPECT_EQ(d.fromPort, 31230);

    std::vector<unsigned char> out0(10, 0xAB);
    unsigned char* data[16] = { out0.data() };
    unsigned short lengths[16] = { 10 };
    ASSERT_EQ(sender.outside->make_pkt(data, lengths, 1, "192.168.0.214", controller.Port(), sender.boundText, 0), 1);
    ASSERT_TRUE(controller.Receive(d));
    // The packet: its header, the one block of 10 bytes, zeros up to 1472 bytes.
    const std::uint8_t header[] = { 'Q', 'V', 'T', 'N', 1, 0, 1, 1, 0, 0, 0, 0, 10, 0 };
    std::vector<std::uint8_t> block(1472, 0);
    std::memcpy(block.data(), header, sizeof header);
    std::memcpy(block.data() + sizeof header, out0.data(), out0.size());
    EXPECT_EQ(d.bytes, block);
}

} // namespace
