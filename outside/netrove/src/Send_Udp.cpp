// Netrove's UDP sender (see Send_Udp.h). All datagrams leave through
// netrove::SendDatagram, which applies the loopback rewrite.
#include "Send_Udp.h"

#include "NetRoute.h"
#include "PortBlocks.h"

#include <atomic>
#include <new>
#include <vector>

namespace {

std::atomic<int> g_securityFlag { 1 };

// Sockets bound to a caller's source address are kept for reuse; a failed
// bind is remembered too, so a taken port is not retried on every send.
constexpr std::size_t kMaxSourceSockets = 16;

struct SourceSocket {
    std::uint32_t ip;
    unsigned short port;
    SOCKET socket; // INVALID_SOCKET: could not be bound, the own socket is used
};

SOCKET OpenBoundSocket(std::uint32_t ip, unsigned short port, int* error)
{
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET) {
        if (error)
            *error = WSAGetLastError();
        return INVALID_SOCKET;
    }
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(ip);
    if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == SOCKET_ERROR) {
        if (error)
            *error = WSAGetLastError();
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

} // namespace

struct CSend_Udp::Impl {
    bool winsock = false;
    SOCKET own = INVALID_SOCKET;
    std::uint32_t ownIp = 0;
    unsigned short ownPort = 0;
    std::vector<SourceSocket> sources;

    void CloseAll()
    {
        for (SourceSocket& s : sources) {
            if (s.socket != INVALID_SOCKET)
                closesocket(s.socket);
        }
        sources.clear();
        if (own != INVALID_SOCKET)
            closesocket(own);
        own = INVALID_SOCKET;
    }

    // The socket a datagram from srcIp:srcPort leaves on.
    SOCKET SocketFor(const char* srcIp, unsigned short srcPort)
    {
        std::uint32_t ip = 0;
        if (srcPort == 0 || !netrove::ParseIPv4(srcIp, ip) || (ip == ownIp && srcPort == ownPort))
            return own;
        for (const SourceSocket& s : sources) {
            if (s.ip == ip && s.port == srcPort)
                return s.socket != INVALID_SOCKET ? s.socket : own;
        }
        if (sources.size() >= kMaxSourceSockets)
            return own;
        SOCKET s = OpenBoundSocket(ip, srcPort, nullptr);
        sources.push_back({ ip, srcPort, s });
        return s != INVALID_SOCKET ? s : own;
    }
};

CSend_Udp::CSend_Udp()
    : m_impl(new (std::nothrow) Impl)
{
    if (m_impl) {
        WSADATA data;
        m_impl->winsock = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
}

CSend_Udp::~CSend_Udp()
{
    if (!m_impl)
        return;
    m_impl->CloseAll();
    if (m_impl->winsock)
        WSACleanup();
    delete m_impl;
}

int CSend_Udp::create_socket(const char* localIp, unsigned short localPort)
{
    try {
        if (!m_impl || !m_impl->winsock)
            return -1;
        std::uint32_t ip = 0;
        if (!netrove::ParseIPv4(localIp, ip))
            return WSAEINVAL;
        m_impl->CloseAll();
        int error = -1;
        SOCKET s = OpenBoundSocket(ip, localPort, &error);
        if (s == INVALID_SOCKET)
            return error != 0 ? error : -1;
        m_impl->own = s;
        m_impl->ownIp = ip;
        m_impl->ownPort = localPort;
        return 0;
    } catch (...) {
        return -1;
    }
}

int CSend_Udp::mysend(const unsigned char* data, unsigned short length, const char* destIp, unsigned short destPort,
    const char* srcIp, unsigned short srcPort)
{
    try {
        if (!m_impl || m_impl->own == INVALID_SOCKET)
            return kNotConnected;
        if (!data && length > 0)
            return -1;
        SOCKET s = m_impl->SocketFor(srcIp, srcPort);
        int sent = netrove::SendDatagram(s, data, length, destIp, destPort);
        return sent == int(length) ? 0 : -1;
    } catch (...) {
        return -1;
    }
}

int CSend_Udp::make_pkt(unsigned char* data[16], unsigned short lengths[16], unsigned short port, const char* destIp,
    unsigned short destPort, const char* srcIp, unsigned short srcPort)
{
    try {
        if (!m_impl || m_impl->own == INVALID_SOCKET)
            return kNotConnected;
        if (!data || !lengths)
            return -1;
        std::vector<std::uint8_t> blocks;
        netrove::PackPortBlocks(data, lengths, port, blocks);
        SOCKET s = m_impl->SocketFor(srcIp, srcPort);
        int count = 0;
        for (std::size_t at = 0; at < blocks.size(); at += netrove::kBlockSize) {
            if (netrove::SendDatagram(s, blocks.data() + at, netrove::kBlockSize, destIp, destPort)
                != netrove::kBlockSize)
                return -1;
            ++count;
        }
        return count;
    } catch (...) {
        return -1;
    }
}

void CSend_Udp::SetSecurityFlag(int flag)
{
    g_securityFlag = flag;
}

int CSend_Udp::GetSecurityFlag()
{
    return g_securityFlag;
}
