// A fake controller for tests: a UDP socket bound to a loopback address that
// collects datagrams with their source. Tests set the loopback rewrite
// (LEDSUITE_NET_REWRITE) before anything is sent.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testnet {

struct Winsock {
    Winsock()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~Winsock() { WSACleanup(); }
};

inline void RequireLoopbackRewrite()
{
    SetEnvironmentVariableA("LEDSUITE_NET_REWRITE", "loopback");
}

inline sockaddr_in Address(const char* ip, unsigned short port)
{
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    inet_pton(AF_INET, ip, &a.sin_addr);
    return a;
}

struct Datagram {
    std::vector<std::uint8_t> bytes;
    std::string fromIp;
    unsigned short fromPort = 0;
};

class CUdpListener {
public:
    // Port 0 picks a free port; Port() tells which.
    CUdpListener(const char* ip, unsigned short port)
    {
        m_socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        sockaddr_in a = Address(ip, port);
        if (bind(m_socket, reinterpret_cast<sockaddr*>(&a), sizeof a) == SOCKET_ERROR) {
            closesocket(m_socket);
            m_socket = INVALID_SOCKET;
            return;
        }
        int len = sizeof a;
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&a), &len);
        m_port = ntohs(a.sin_port);
    }
    ~CUdpListener()
    {
        if (m_socket != INVALID_SOCKET)
            closesocket(m_socket);
    }
    CUdpListener(const CUdpListener&) = delete;
    CUdpListener& operator=(const CUdpListener&) = delete;

    bool Ok() const { return m_socket != INVALID_SOCKET; }
    unsigned short Port() const { return m_port; }

    // Waits up to timeoutMs for one datagram.
    bool Receive(Datagram& out, int timeoutMs = 2000)
    {
        if (m_socket == INVALID_SOCKET)
            return false;
        fd_set set;
        FD_ZERO(&set);
        FD_SET(m_socket, &set);
        timeval tv { timeoutMs / 1000, (timeoutMs % 1000) * 1000 };
        if (select(0, &set, nullptr, nullptr, &tv) != 1)
            return false;
        std::vector<std::uint8_t> buf(65536);
        sockaddr_in from {};
        int fromLen = sizeof from;
        int n = recvfrom(m_socket, reinterpret_cast<char*>(buf.data()), int(buf.size()), 0,
            reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n < 0)
            return false;
        buf.resize(std::size_t(n));
        out.bytes = std::move(buf);
        char text[INET_ADDRSTRLEN] {};
        inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
        out.fromIp = text;
        out.fromPort = ntohs(from.sin_port);
        return true;
    }

private:
    SOCKET m_socket = INVALID_SOCKET;
    unsigned short m_port = 0;
};

} // namespace testnet
