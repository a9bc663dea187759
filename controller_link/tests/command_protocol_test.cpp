// Commands, queries and online checks as loopback fake controllers see and
// answer them.
#include "NetScreenFixture.h"

#include "Send_Udp.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace corvane_test;
using Bytes = std::vector<std::uint8_t>;

class CommandProtocol : public NetScreens { };

// The reply template of every controller of a sender bound on 127.0.0.1.
Bytes ReplyTemplate(std::uint16_t port)
{
    Bytes t = { 0x02, 0x11, 0x22, 0x33, 0x44, 0x55, 0x00, 0x51, 0x56, 0x54, 0xFF, 0xFF, 0x08, 0x00, 0x45, 0x00, 0x01,
        0x1C, 0xE1, 0x00, 0x00, 0x00, 0x40, 0x11, 0xD7, 0xF1, 0xC0, 0xA8, 0x00, 0x37, 0xFF, 0xFF, 0xFF, 0xFF };
    for (int i = 0; i < 2; ++i) {
        t.push_back(std::uint8_t(port >> 8));
        t.push_back(std::uint8_t(port));
    }
    t.insert(t.end(), { 0x01, 0x08, 0x00, 0x00 });
    return t;
}

TEST_F(CommandProtocol, SyncCodesFollowTheProtocolVersion)
{
    MakeScreens(1, 3, 2);
    struct Case {
        int version;
        std::uint8_t sync;
    };
    // Version 2 is not one of the versions: the codes stay.
    const Case cases[] = { { 0, 0 }, { 1, 80 }, { 2, 80 }, { 3, 60 } };
    for (const Case& c : cases) {
        if (c.version != 0) {
            EXPECT_EQ(LEDSetProtocalVersion(c.version), c.version);
        }
        ASSERT_EQ(LEDPlayFrameSynchro(1), 0);
        const auto packets = m_controllers.WaitFor(2);
        m_controllers.Take(20);
        ASSERT_EQ(packets.size(), 2u) << "version " << c.version;
        EXPECT_EQ(packets[0].to, "127.0.0.101");
        EXPECT_EQ(packets[1].to, "127.0.0.102");
        for (const auto& p : packets)
            EXPECT_EQ(p.bytes, Command(0xFFFF, c.sync, 0, 0));
    }
    EXPECT_EQ(Library().dmxParameterCode, 62);
    EXPECT_EQ(LEDPlayFrameSynchro(2), -1);

    // Sync is off while a recording holds it, and on a screen not ready.
    Screen(1).m_syncEnabled = 0;
    ASSERT_EQ(LEDPlayFrameSynchro(1), 0);
    Screen(1).m_syncEnabled = 1;
    ASSERT_EQ(LEDSetGroup(1, 1, 1, 1, 2), 0); // rebuilt, not ready
    ASSERT_EQ(LEDPlayFrameSynchro(1), 0);
    EXPECT_TRUE(m_controllers.Take().empty());
}

TEST_F(CommandProtocol, QueryCarriesTheReplyTemplateAndTheAnswerComesBack)
{
    MakeScreens(1, 3, 2);
    m_answer = [](const std::string&, std::uint16_t asked) { return std::optional<std::uint16_t>(asked); };
    ControllerEntry& entry = Screen(1).m_controllers[1];
    std::uint8_t reply[256];
    ASSERT_EQ(SendQueryWait(entry.replyTemplate.data(), reply, Sender(), entry.ipText, 3, 3, 0), 0);
    EXPECT_EQ(reply[0], 3);
    EXPECT_EQ(reply[1], 0);

    const auto packets = m_controllers.Take();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].to, "127.0.0.102");
    Bytes expected = Command(3, 3, 0, 256, ReplyTemplate(Sender().boundPort));
    EXPECT_EQ(packets[0].bytes, expected);
    EXPECT_EQ(packets[0].bytes.size(), 56u);
    // The reply socket holds the bound port, so the query leaves from the
    // outside sender's own socket.
    EXPECT_EQ(packets[0].fromPort, Sender().boundPort + 111);
}

TEST_F(CommandProtocol, NoReplyGives2300AndAFailedSendGives2301)
{
    MakeScreens(1, 3, 2);
    ControllerEntry& entry = Screen(1).m_controllers[0];
    std::uint8_t reply[256];
    std::memset(reply, 0xAA, sizeof reply);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendQueryWait(entry.replyTemplate.data(), reply, Sender(), entry.ipText, 3, 1, 0), 2300);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(13));
    EXPECT_EQ(reply[0], 0) << "the reply buffer is cleared first";
    m_controllers.Take();

    // An outside sender whose socket failed reports 10057 for every send.
    {
        SOCKET taken = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        sockaddr_in a {};
        a.sin_family = AF_INET;
        a.sin_port = htons(33999);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(bind(taken, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        EXPECT_NE(Sender().outside->create_socket("127.0.0.1", 33999), 0);
        closesocket(taken);
    }
    EXPECT_EQ(SendQueryWait(entry.replyTemplate.data(), reply, Sender(), entry.ipText, 3, 1, 0), 2301);
    EXPECT_EQ(SendQuery(entry.replyTemplate.data(), Sender(), entry.ipText, 1), 2301);
    EXPECT_EQ(SendCommand(0, Sender(), entry.ipText, 0, 0xFFFF, nullptr, 0, 0), 2301);
    EXPECT_NE(m_log.DayText(2024, 3, 5).find(L"08:00:00 错误 read send失败 10057\r\n"), std::wstring::npos);
    EXPECT_TRUE(m_controllers.Take().empty());
}

TEST_F(CommandProtocol, GroupCheckCountsOnlyPortsThatAnswerWithTheirOwnNumber)
{
    MakeScreens(1, 3, 2);
    // Controller 1 answers port 1, and port 2 as port 6; controller 2 is silent.
    m_answer = [](const std::string& to, std::uint16_t asked) -> std::optional<std::uint16_t> {
        if (to == "127.0.0.101")
            return asked == 2 ? 6 : asked;
        return std::nullopt;
    };
    CWordArray ports;
    ports.Add(99);
    EXPECT_EQ(LEDCheckSysNum(1, &ports), 1);
    ASSERT_EQ(ports.GetSize(), 1);
    EXPECT_EQ(ports[0], 1);
    EXPECT_EQ(Screen(1).m_onlinePorts, 1);
    EXPECT_EQ(Screen(1).m_controllers[0].onlineCount, 1);
    EXPECT_EQ(Screen(1).m_controllers[1].onlineCount, 0);
    EXPECT_EQ(m_log.DayText(2024, 3, 5), L"08:00:00 信息 group1，rd=1，rt=1\r\n08:00:00 信息 group1，rd=2，rt=6\r\n");

    const auto packets = m_controllers.Take();
    ASSERT_EQ(packets.size(), 3u);
    EXPECT_EQ(packets[2].to, "127.0.0.102");
    EXPECT_EQ(packets[2].bytes, Command(3, 3, 0, 256, ReplyTemplate(Sender().boundPort)));

    // A second check counts afresh.
    EXPECT_EQ(LEDCheckSysNum(1, &ports), 1);
    EXPECT_EQ(Screen(1).m_controllers[0].online.size(), 1u);
}

TEST_F(CommandProtocol, MulticastCheckRecordsEveryReplyAndAsksAgainForMissingPorts)
{
    MakeScreens(1, 12, 0, 5);
    // Port numbers run from the first port, 5: port 11 never answers.
    m_answer = [](const std::string& to, std::uint16_t asked) -> std::optional<std::uint16_t> {
        if (to != "127.1.1.1" || asked == 11)
            return std::nullopt;
        return asked;
    };
    CWordArray ports;
    EXPECT_EQ(LEDCheckSysNum(1, &ports), 11);
    std::vector<int> got;
    for (INT_PTR i = 0; i < ports.GetSize(); ++i)
        got.push_back(ports[i]);
    std::sort(got.begin(), got.end());
    const std::vector<int> expected = { 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16 };
    EXPECT_EQ(got, expected);

    const auto packets = m_controllers.Take();
    // Twelve queries and one more for the silent port.
    ASSERT_EQ(packets.size(), 13u);
    EXPECT_EQ(packets[12].bytes, Command(11, 3, 0, 256, ReplyTemplate(Sender().boundPort)));
    for (const auto& p : packets)
        EXPECT_EQ(p.to, "127.1.1.1");
}

// Hostile datagrams sent on loopback to the library's reply socket.
class CHostileSender {
public:
    explicit CHostileSender(SOCKET replySocket)
    {
        sockaddr_in a {};
        int length = sizeof a;
        getsockname(replySocket, reinterpret_cast<sockaddr*>(&a), &length);
        m_to.sin_family = AF_INET;
        m_to.sin_port = a.sin_port;
        m_to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    }
    ~CHostileSender()
    {
        Stop();
        closesocket(m_socket);
    }
    CHostileSender(const CHostileSender&) = delete;
    CHostileSender& operator=(const CHostileSender&) = delete;

    void Send(const std::vector<std::uint8_t>& bytes)
    {
        sendto(m_socket, reinterpret_cast<const char*>(bytes.data()), int(bytes.size()), 0,
            reinterpret_cast<const sockaddr*>(&m_to), sizeof m_to);
    }
    // A well-formed reply of `port`, `size` bytes long.
    static std::vector<std::uint8_t> Reply(std::uint16_t port, std::size_t size = 256)
    {
        std::vector<std::uint8_t> bytes(size, 0);
        bytes[0] = std::uint8_t(port);
        if (size > 1)
            bytes[1] = std::uint8_t(port >> 8);
        return bytes;
    }
    // Sends replies claiming `port` without pause until stopped.
    void Flood(std::uint16_t port)
    {
        m_flooding = true;
        m_thread = std::thread([this, port] {
            const auto reply = Reply(port);
            while (m_flooding) {
                for (int i = 0; i < 20; ++i)
                    Send(reply);
                Sleep(1);
            }
        });
    }
    void Stop()
    {
        m_flooding = false;
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    SOCKET m_socket = INVALID_SOCKET;
    sockaddr_in m_to {};
    std::atomic<bool> m_flooding { false };
    std::thread m_thread;
};

TEST_F(CommandProtocol, QueuedDatagramsOfAnySizeAreDrainedBeforeEachQuery)
{
    MakeScreens(1, 2, 2);
    // Port 1 never answers, port 2 does.
    m_answer = [](const std::string&, std::uint16_t asked) -> std::optional<std::uint16_t> {
        if (asked == 1)
            return std::nullopt;
        return asked;
    };
    CHostileSender hostile(Sender().replySocket);
    // An oversized datagram, then a reply for port 1 queued behind it: both
    // are old news when port 1 is asked.
    hostile.Send(std::vector<std::uint8_t>(3000, 1));
    hostile.Send(CHostileSender::Reply(1));
    Sleep(50);
    CWordArray ports;
    EXPECT_EQ(LEDCheckSysNum(1, &ports), 1);
    ASSERT_EQ(ports.GetSize(), 1);
    EXPECT_EQ(ports[0], 2);
}

TEST_F(CommandProtocol, MulticastRecordsEachOwnPortOnceAndIgnoresJunk)
{
    MakeScreens(1, 3, 0, 5);
    // Ports 5 and 7 answer; every answer comes with junk: an empty and a
    // one-byte datagram, an oversized one, a made-up port and a repeat.
    CHostileSender* hostile = nullptr;
    m_answer = [&hostile](const std::string&, std::uint16_t asked) -> std::optional<std::uint16_t> {
        if (hostile != nullptr) {
            hostile->Send({});
            hostile->Send({ 6 });
            hostile->Send(std::vector<std::uint8_t>(2000, 6));
            hostile->Send(CHostileSender::Reply(99));
            hostile->Send(CHostileSender::Reply(0));
            if (asked != 6)
                hostile->Send(CHostileSender::Reply(asked));
        }
        if (asked == 6)
            return std::nullopt;
        return asked;
    };
    CHostileSender sender(Sender().replySocket);
    hostile = &sender;
    CWordArray ports;
    EXPECT_EQ(LEDCheckSysNum(1, &ports), 2);
    std::vector<int> got;
    for (INT_PTR i = 0; i < ports.GetSize(); ++i)
        got.push_back(ports[i]);
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<int> { 5, 7 }));
    EXPECT_EQ(Screen(1).m_onlinePorts, 2);
    hostile = nullptr;
}

TEST_F(CommandProtocol, AFloodOfRepliesCannotHoldTheMulticastCheck)
{
    MakeScreens(1, 3, 0, 5);
    m_answer = [](const std::string&, std::uint16_t) -> std::optional<std::uint16_t> { return std::nullopt; };
    CHostileSender hostile(Sender().replySocket);
    hostile.Flood(6);
    const DWORD start = GetTickCount();
    CWordArray ports;
    EXPECT_EQ(LEDCheckSysNum(1, &ports), 1); // the flood's port, once
    const DWORD took = GetTickCount() - start;
    hostile.Stop();
    // The waits of three ports and a second, with room for a loaded machine.
    EXPECT_LT(took, 6000u);
}

TEST_F(CommandProtocol, CheckOfAScreenNotReadyFindsNothing)
{
    ASSERT_EQ(LEDNewScreen(), 1);
    CWordArray ports;
    ports.Add(1);
    EXPECT_EQ(LEDCheckSysNum(1, &ports), 0);
    EXPECT_EQ(ports.GetSize(), 0);
    EXPECT_EQ(LEDCheckSysNum(2, &ports), -1);
    EXPECT_EQ(LEDCheckSysNum(0, &ports), -1);
}

} // namespace
