// Fake controllers and the fake command interpreter (see NetTestSupport.h).
#include "NetTestSupport.h"

#include "CommandProtocol.h"
#include "HiddenCommand.h"

#include <ws2tcpip.h>
#include <mswsock.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace corvane_test {

namespace {

struct WinsockUp {
    WinsockUp()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
};

// Every test of these programs runs the fake interpreter, never "cmd".
struct InstallFakeInterpreter {
    InstallFakeInterpreter()
    {
        SetEnvironmentVariableA("LEDSUITE_NET_REWRITE", "loopback");
        SetCommandInterpreterForTest((TestProgramFolder() + L"fake_cmd.exe").c_str());
    }
} g_installFakeInterpreter;

LPFN_WSARECVMSG RecvMsgFunction(SOCKET s)
{
    GUID id = WSAID_WSARECVMSG;
    LPFN_WSARECVMSG fn = nullptr;
    DWORD n = 0;
    WSAIoctl(s, SIO_GET_EXTENSION_FUNCTION_POINTER, &id, sizeof id, &fn, sizeof fn, &n, nullptr, nullptr);
    return fn;
}

void PutU16(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

} // namespace

std::wstring TestProgramFolder()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

CFakeControllers::CFakeControllers(Answer answer)
    : m_answer(std::move(answer))
{
    static WinsockUp winsock;
    m_socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    inet_pton(AF_INET, "127.0.0.101", &a.sin_addr); // a wildcard bind under Wine
    if (bind(m_socket, reinterpret_cast<sockaddr*>(&a), sizeof a) == SOCKET_ERROR) {
        closesocket(m_socket);
        m_socket = INVALID_SOCKET;
        return;
    }
    int len = sizeof a;
    getsockname(m_socket, reinterpret_cast<sockaddr*>(&a), &len);
    m_port = ntohs(a.sin_port);
    // Frames arrive in bursts of many 1472-byte blocks.
    int size = 4 << 20;
    setsockopt(m_socket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
    DWORD on = 1;
    setsockopt(m_socket, IPPROTO_IP, IP_PKTINFO, reinterpret_cast<const char*>(&on), sizeof on);
    m_replySocket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    m_thread = std::thread([this] { Run(); });
}

CFakeControllers::~CFakeControllers()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_socket != INVALID_SOCKET)
        closesocket(m_socket);
    if (m_replySocket != INVALID_SOCKET)
        closesocket(m_replySocket);
}

void CFakeControllers::Run()
{
    LPFN_WSARECVMSG recvMsg = RecvMsgFunction(m_socket);
    std::vector<char> buffer(65536);
    while (!m_stop) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(m_socket, &set);
        timeval tv { 0, 20000 };
        if (select(0, &set, nullptr, nullptr, &tv) != 1)
            continue;
        WSABUF data { ULONG(buffer.size()), buffer.data() };
        char control[256];
        sockaddr_in from {};
        WSAMSG msg {};
        msg.name = reinterpret_cast<sockaddr*>(&from);
        msg.namelen = sizeof from;
        msg.lpBuffers = &data;
        msg.dwBufferCount = 1;
        msg.Control.buf = control;
        msg.Control.len = sizeof control;
        DWORD got = 0;
        if (!recvMsg || recvMsg(m_socket, &msg, &got, nullptr, nullptr) == SOCKET_ERROR)
            continue;
        ControllerPacket packet;
        for (WSACMSGHDR* c = WSA_CMSG_FIRSTHDR(&msg); c; c = WSA_CMSG_NXTHDR(&msg, c)) {
            if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
                const auto* info = reinterpret_cast<const IN_PKTINFO*>(WSA_CMSG_DATA(c));
                char text[INET_ADDRSTRLEN] {};
                inet_ntop(AF_INET, &info->ipi_addr, text, sizeof text);
                packet.to = text;
            }
        }
        packet.fromPort = ntohs(from.sin_port);
        packet.bytes.assign(buffer.begin(), buffer.begin() + long(got));

        // A port query: answer to the PC at the reply template's UDP port.
        const auto& b = packet.bytes;
        if (m_answer && b.size() == 56 && std::memcmp(b.data(), "QVTN", 4) == 0 && b[7] == 3) {
            const std::uint16_t asked = std::uint16_t(b[4] | b[5] << 8);
            if (auto port = m_answer(packet.to, asked)) {
                const unsigned short replyPort = std::uint16_t(b[14 + 36] << 8 | b[14 + 37]);
                std::uint8_t reply[256] {};
                reply[0] = std::uint8_t(*port);
                reply[1] = std::uint8_t(*port >> 8);
                sockaddr_in to {};
                to.sin_family = AF_INET;
                to.sin_port = htons(replyPort);
                inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
                sendto(m_replySocket, reinterpret_cast<const char*>(reply), sizeof reply, 0,
                    reinterpret_cast<sockaddr*>(&to), sizeof to);
            }
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_packets.push_back(std::move(packet));
    }
}

std::size_t CFakeControllers::Count()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_packets.size();
}

std::vector<ControllerPacket> CFakeControllers::WaitFor(std::size_t count, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Count() < count && std::chrono::steady_clock::now() < end)
        Sleep(5);
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_packets;
}

std::vector<ControllerPacket> CFakeControllers::Take(int settleMs)
{
    std::size_t seen = Count();
    for (;;) {
        Sleep(DWORD(settleMs));
        const std::size_t now = Count();
        if (now == seen)
            break;
        seen = now;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<ControllerPacket> taken;
    taken.swap(m_packets);
    return taken;
}

CControllerPortRedirect::CControllerPortRedirect(unsigned short port)
{
    SetControllerPortForTest(port);
}

CControllerPortRedirect::~CControllerPortRedirect()
{
    SetControllerPortForTest(0);
}

CFakeArp::CFakeArp(const std::wstring& folder)
    : m_table(folder + L"\\arp_table.txt")
    , m_log(folder + L"\\arp_log.txt")
{
    SetEnvironmentVariableW(L"LEDSUITE_FAKE_ARP_TABLE", m_table.c_str());
    SetEnvironmentVariableW(L"LEDSUITE_FAKE_ARP_LOG", m_log.c_str());
    SetTable("");
}

CFakeArp::~CFakeArp()
{
    SetEnvironmentVariableW(L"LEDSUITE_FAKE_ARP_TABLE", nullptr);
    SetEnvironmentVariableW(L"LEDSUITE_FAKE_ARP_LOG", nullptr);
}

void CFakeArp::SetTable(const std::string& text)
{
    std::ofstream out(std::filesystem::path(m_table), std::ios::binary | std::ios::trunc);
    out << text;
}

std::vector<std::string> CFakeArp::Commands()
{
    std::ifstream in(std::filesystem::path(m_log), std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

std::vector<std::string> CFakeArp::WaitForCommands(std::size_t count, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Commands().size() < count && std::chrono::steady_clock::now() < end)
        Sleep(20);
    return Commands();
}

std::vector<std::uint8_t> Command(std::uint16_t port, std::uint8_t code, std::uint32_t value, std::uint16_t lengthField,
    const std::vector<std::uint8_t>& payload)
{
    std::vector<std::uint8_t> out = { 'Q', 'V', 'T', 'N' };
    PutU16(out, port);
    out.push_back(0);
    out.push_back(code);
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
    PutU16(out, lengthField);
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

std::vector<std::uint8_t> DataBlock(
    std::uint16_t port, const std::vector<std::pair<int, std::vector<std::uint8_t>>>& outputs)
{
    std::vector<std::uint8_t> out = { 'Q', 'V', 'T', 'N' };
    PutU16(out, port);
    out.push_back(std::uint8_t(outputs.size()));
    out.push_back(1);
    for (const auto& [output, bytes] : outputs) {
        PutU16(out, 0);
        PutU16(out, unsigned(output));
        PutU16(out, unsigned(bytes.size()));
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    out.resize(1472, 0);
    return out;
}

} // namespace corvane_test

#include "LayoutTestFiles.h"

namespace corvane_test {

std::wstring WritePairLayout(const std::wstring& folder, const wchar_t* name, int ports)
{
    TestLayout layout;
    for (int p = 0; p < ports; ++p) {
        TestPort port;
        port.lamps = { Lamp(2 * p, 0), Lamp(2 * p + 1, 0) };
        layout.controllers.push_back({ port });
    }
    const std::wstring path = folder + L"\\" + name;
    WriteBytes(path, CurrentLayoutBytes(layout));
    return path;
}

std::vector<std::uint8_t> TestFrame()
{
    std::vector<std::uint8_t> frame(16 * 8 * 4 + 4, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            std::uint8_t* p = &frame[std::size_t((y * 16 + x) * 4)];
            p[0] = std::uint8_t(10 * x + y + 1);
            p[1] = std::uint8_t(10 * x + y + 2);
            p[2] = std::uint8_t(10 * x + y + 3);
        }
    return frame;
}

std::vector<std::uint8_t> OutputData(
    const std::vector<ControllerPacket>& packets, const std::string& to, std::uint16_t port, int output)
{
    std::vector<std::uint8_t> data;
    for (const ControllerPacket& packet : packets) {
        const auto& b = packet.bytes;
        if (packet.to != to || b.size() != 1472 || std::memcmp(b.data(), "QVTN", 4) != 0 || b[7] != 1
            || std::uint16_t(b[4] | b[5] << 8) != port)
            continue;
        std::size_t at = 8;
        for (int c = 0; c < b[6] && at + 6 <= b.size(); ++c) {
            const std::uint32_t position = std::uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
            const std::size_t length = std::size_t(b[at + 4] | b[at + 5] << 8);
            if (int(position >> 16) == output) {
                const std::size_t offset = position & 0xFFFF;
                if (data.size() < offset + length)
                    data.resize(offset + length);
                std::memcpy(data.data() + offset, &b[at + 6], length);
            }
            at += 6 + length;
        }
    }
    return data;
}

} // namespace corvane_test
