// Command packets, queries, sync and the online check (see CommandProtocol.h),
// with the export of the online check.
#include "CommandProtocol.h"

#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "DailyLog.h"
#include "Send_Udp.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint16_t g_testPort = 0;

constexpr int kReplyWaits = 13;
constexpr int kFirstPortWaits = 5;
constexpr int kQueryBatch = 10;

void PutU16(std::uint8_t* p, unsigned v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

bool SendFailed(int result)
{
    return result == -1 || result == CSend_Udp::kNotConnected;
}

// What one receive on the reply socket got.
constexpr int kNothingWaiting = -1;
constexpr int kNotAReply = -2; // a datagram that cannot be a reply: read and dropped

// One datagram from the reply socket into the sender's receive buffer: its
// length, kNothingWaiting, or kNotAReply for a datagram longer than the
// buffer (Winsock drops its rest) or shorter than a port number (an empty or
// 1-byte datagram would read as port 0).
int ReceiveReply(LocalSender& sender)
{
    if (sender.replySocket == INVALID_SOCKET)
        return kNothingWaiting;
    sender.peerLength = sizeof sender.lastPeer;
    const int n = recvfrom(sender.replySocket, reinterpret_cast<char*>(sender.receiveBuffer.data()),
        int(sender.receiveBuffer.size()), 0, reinterpret_cast<sockaddr*>(&sender.lastPeer), &sender.peerLength);
    if (n == SOCKET_ERROR)
        return WSAGetLastError() == WSAEMSGSIZE ? kNotAReply : kNothingWaiting;
    return n < 2 ? kNotAReply : n;
}

// A time limit on the checks as a whole: GetTickCount-based, 0 = none.
bool PastDeadline(DWORD deadline)
{
    return deadline != 0 && LONG(GetTickCount() - deadline) >= 0;
}

// Waits up to `waits` x 1 ms for one reply; datagrams that are no reply are
// dropped on the way and do not end the wait early.
int WaitReply(LocalSender& sender, int waits, DWORD deadline = 0)
{
    for (int i = 0; i < waits && !PastDeadline(deadline); ++i) {
        Sleep(1);
        for (;;) {
            const int n = ReceiveReply(sender);
            if (n >= 0)
                return n;
            if (n == kNothingWaiting || PastDeadline(deadline))
                break;
        }
    }
    return kNothingWaiting;
}

// Empties the reply socket: every queued datagram, whatever its size, so
// that none is taken as the answer to the next query. A sender that keeps
// the socket full cannot hold the caller: at most this many are read.
void DrainReplies(LocalSender& sender)
{
    constexpr int kMostDrained = 4096;
    for (int i = 0; i < kMostDrained && ReceiveReply(sender) != kNothingWaiting; ++i) { }
}

std::uint16_t ReplyPort(const LocalSender& sender, int length)
{
    if (length < 2)
        return 0;
    return std::uint16_t(sender.receiveBuffer[0] | sender.receiveBuffer[1] << 8);
}

int SendQueryPacket(const std::uint8_t replyTemplate[42], LocalSender& sender, const char* controllerIp,
    std::uint8_t code, std::uint16_t port, std::uint32_t value)
{
    if (!sender.outside)
        return kSendFailed;
    const std::vector<std::uint8_t> packet
        = BuildCommandPacket(port, 0, code, value, kQueryReplySize, replyTemplate, kRawHeaderSize);
    const int result = sender.outside->mysend(packet.data(), std::uint16_t(packet.size()), controllerIp,
        ControllerQueryPort(sender), sender.boundText, sender.boundPort);
    if (SendFailed(result)) {
        LogLevel(LOG_ERROR, L"read send失败 %d", result);
        return kSendFailed;
    }
    return 0;
}

bool Listed(const ControllerEntry& entry, std::uint16_t portNumber)
{
    return std::find(entry.online.begin(), entry.online.end(), portNumber) != entry.online.end();
}

// Records one multicast reply: each port number once, and only numbers of
// the screen's own ports (`first` .. `last`); anything else is no answer of
// this screen's controller.
void Record(ControllerEntry& entry, const LocalSender& sender, int length, int first, int last)
{
    const int port = ReplyPort(sender, length);
    if (port < first || port > last || Listed(entry, std::uint16_t(port)))
        return;
    entry.AddOnline(std::uint16_t(port));
}

// Receives and records until a 13 x 1 ms wait gets nothing or the check's
// deadline has passed.
void DrainInto(ControllerEntry& entry, LocalSender& sender, int first, int last, DWORD deadline)
{
    while (!PastDeadline(deadline)) {
        const int n = WaitReply(sender, kReplyWaits, deadline);
        if (n < 0)
            return;
        Record(entry, sender, n, first, last);
    }
}

void CheckGroup(CLEDScreen& screen, LocalSender& sender)
{
    std::uint8_t reply[kQueryReplySize];
    int number = 0;
    for (ControllerEntry& entry : screen.m_controllers) {
        ++number;
        int counted = 0;
        for (int k = entry.firstPort; k <= entry.lastPort; ++k) {
            const std::uint16_t asked = std::uint16_t(k + 1);
            if (SendQueryWait(entry.replyTemplate.data(), reply, sender, entry.ipText, kPortQueryCode, asked, 0) != 0)
                continue;
            const std::uint16_t answered = std::uint16_t(reply[0] | reply[1] << 8);
            if (answered == asked && entry.AddOnline(asked))
                ++counted;
            LogPrintf(L"group%d，rd=%d，rt=%d", number, int(asked), int(answered));
        }
        entry.onlineCount = counted;
    }
}

void CheckMulticast(CLEDScreen& screen, LocalSender& sender)
{
    ControllerEntry& entry = screen.m_controllers.front();
    const std::uint8_t* tmpl = entry.replyTemplate.data();
    const int first = screen.m_firstPort;
    auto number = [&](int index) { return std::uint16_t(first + index); };

    const int count = entry.PortCount();
    const int low = number(entry.firstPort);
    const int high = number(entry.lastPort);
    // The silence rule ends the collection once the replies stop; a sender
    // that never stops cannot hold the caller past the waits the check
    // documents for its ports (a query and a resend each) and a second.
    const DWORD deadline = GetTickCount() + DWORD(std::max(count, 0)) * DWORD(2 * kReplyWaits) + kFirstPortWaits + 1000;
    int index = entry.firstPort;
    for (int batch = 0; batch < count / kQueryBatch; ++batch) {
        for (int i = 0; i < kQueryBatch; ++i)
            SendQuery(tmpl, sender, entry.ipText, number(index++));
        for (int i = 0; i < kQueryBatch; ++i) {
            const int n = WaitReply(sender, kReplyWaits, deadline);
            if (n < 0)
                break;
            Record(entry, sender, n, low, high);
        }
    }
    const int rest = count % kQueryBatch;
    for (int i = 0; i < rest; ++i)
        SendQuery(tmpl, sender, entry.ipText, number(index++));
    for (int i = 0; i < rest; ++i) {
        const int n = WaitReply(sender, kReplyWaits, deadline);
        if (n < 0)
            break;
        Record(entry, sender, n, low, high);
    }
    DrainInto(entry, sender, low, high, deadline);

    if (count > 0 && !Listed(entry, number(entry.firstPort))) {
        SendQuery(tmpl, sender, entry.ipText, number(entry.firstPort));
        const int n = WaitReply(sender, kFirstPortWaits, deadline);
        if (n >= 0)
            Record(entry, sender, n, low, high);
    }
    bool asked = false;
    for (int i = entry.firstPort; i <= entry.lastPort; ++i) {
        if (!Listed(entry, number(i))) {
            SendQuery(tmpl, sender, entry.ipText, number(i));
            asked = true;
        }
    }
    if (asked)
        DrainInto(entry, sender, low, high, deadline);
    entry.onlineCount = int(entry.online.size());
}

} // namespace

void SetControllerPortForTest(std::uint16_t port)
{
    g_testPort = port;
}

std::uint16_t ControllerDataPort()
{
    return g_testPort != 0 ? g_testPort : kControllerDataPort;
}

std::uint16_t ControllerQueryPort(const LocalSender& sender)
{
    return g_testPort != 0 ? g_testPort : sender.boundPort;
}

std::vector<std::uint8_t> BuildCommandPacket(std::uint16_t port, std::uint8_t flag, std::uint8_t code,
    std::uint32_t value, std::uint16_t lengthField, const std::uint8_t* payload, std::size_t payloadLength)
{
    std::vector<std::uint8_t> packet(kCommandHeaderSize + payloadLength);
    std::memcpy(packet.data(), "QVTN", 4);
    PutU16(&packet[4], port);
    packet[6] = flag;
    packet[7] = code;
    PutU16(&packet[8], value & 0xFFFF);
    PutU16(&packet[10], value >> 16);
    PutU16(&packet[12], lengthField);
    if (payloadLength > 0)
        std::memcpy(&packet[kCommandHeaderSize], payload, payloadLength);
    return packet;
}

int SendCommand(std::uint32_t value, LocalSender& sender, const char* controllerIp, std::uint8_t code,
    std::uint16_t port, const std::uint8_t* payload, std::uint16_t payloadLength, std::uint8_t flag)
{
    if (!sender.outside)
        return kSendFailed;
    const std::vector<std::uint8_t> packet
        = BuildCommandPacket(port, flag, code, value, payloadLength, payload, payload ? payloadLength : 0);
    const int result = sender.outside->mysend(packet.data(), std::uint16_t(packet.size()), controllerIp,
        ControllerDataPort(), sender.boundText, kControllerDataPort);
    if (SendFailed(result)) {
        LogLevel(LOG_ERROR, L"send失败 %d", result);
        return kSendFailed;
    }
    return 0;
}

int SendQueryWait(const std::uint8_t replyTemplate[42], std::uint8_t reply[kQueryReplySize], LocalSender& sender,
    const char* controllerIp, std::uint8_t code, std::uint16_t port, std::uint32_t value)
{
    DrainReplies(sender);
    std::memset(reply, 0, kQueryReplySize);
    const int sent = SendQueryPacket(replyTemplate, sender, controllerIp, code, port, value);
    if (sent != 0)
        return sent;
    const int n = WaitReply(sender, kReplyWaits);
    if (n < 0)
        return kNoReply;
    std::memcpy(reply, sender.receiveBuffer.data(), std::size_t(std::min(n, kQueryReplySize)));
    return 0;
}

int SendQuery(const std::uint8_t replyTemplate[42], LocalSender& sender, const char* controllerIp, std::uint16_t port)
{
    return SendQueryPacket(replyTemplate, sender, controllerIp, kPortQueryCode, port, 0);
}

int SendFrameStart(LocalSender& sender, const char* controllerIp, std::uint16_t firstPort)
{
    std::uint8_t payload[2];
    PutU16(payload, firstPort);
    return SendCommand(kFrameStartValue, sender, controllerIp, kFrameStartCode, kAllPorts, payload, 2, 0);
}

void SendSync(CLEDScreen& screen)
{
    if (screen.m_syncEnabled == 0 || screen.m_ready == 0 || !screen.m_sender)
        return;
    const std::uint8_t code = std::uint8_t(Library().syncCode);
    for (ControllerEntry& entry : screen.m_controllers)
        SendCommand(0, *screen.m_sender, entry.ipText, code, kAllPorts, nullptr, 0, 0);
}

int CheckOnlinePorts(CLEDScreen& screen)
{
    if (screen.m_ready == 0 || !screen.m_sender || screen.m_controllers.empty())
        return 0;
    for (ControllerEntry& entry : screen.m_controllers) {
        entry.online.clear();
        entry.onlineCount = 0;
    }
    if (screen.m_groupMode != 0)
        CheckGroup(screen, *screen.m_sender);
    else
        CheckMulticast(screen, *screen.m_sender);
    int total = 0;
    for (const ControllerEntry& entry : screen.m_controllers)
        total += entry.onlineCount;
    screen.m_onlinePorts = std::uint16_t(total);
    return total;
}

CORVANE_API int __stdcall LEDCheckSysNum(int screen, CWordArray* ports)
{
    return GuardedExport(L"LEDCheckSysNum", -1, [&] {
        CLEDScreen* s = Library().screens.Screen(screen);
        if (!s)
            return -1;
        if (ports)
            ports->RemoveAll();
        if (CheckOnlinePorts(*s) == 0 || !ports)
            return 0;
        // The port numbers that answered, controller by controller.
        for (const ControllerEntry& entry : s->m_controllers)
            for (std::uint16_t port : entry.online)
                ports->Add(port);
        return int(ports->GetSize());
    });
}
