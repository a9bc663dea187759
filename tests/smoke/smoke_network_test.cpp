// Tests run in a private network namespace with only loopback up: loopback
// works, and a controller address is unreachable. Nothing is ever sent to a
// non-loopback address here: connect() on a UDP socket only picks a route.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <ws2tcpip.h>

namespace {

struct Winsock {
    Winsock() { WSAStartup(MAKEWORD(2, 2), &data); }
    ~Winsock() { WSACleanup(); }
    WSADATA data {};
};

sockaddr_in Address(const char* ip, unsigned short port)
{
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    inet_pton(AF_INET, ip, &a.sin_addr);
    return a;
}

TEST(SmokeNetwork, ControllerAddressIsUnreachable)
{
    Winsock ws;
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    ASSERT_NE(s, INVALID_SOCKET);
    sockaddr_in controller = Address("192.168.0.101", 12345);
    EXPECT_EQ(connect(s, reinterpret_cast<sockaddr*>(&controller), sizeof controller), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENETUNREACH);
    closesocket(s);
}

TEST(SmokeNetwork, LoopbackDatagramArrives)
{
    Winsock ws;
    SOCKET rx = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    SOCKET tx = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    ASSERT_NE(rx, INVALID_SOCKET);
    ASSERT_NE(tx, INVALID_SOCKET);
    sockaddr_in any = Address("127.0.0.1", 0);
    ASSERT_EQ(bind(rx, reinterpret_cast<sockaddr*>(&any), sizeof any), 0);
    sockaddr_in bound {};
    int len = sizeof bound;
    getsockname(rx, reinterpret_cast<sockaddr*>(&bound), &len);
    DWORD timeout = 2000;
    setsockopt(rx, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);

    const char payload[] = "QVTN";
    ASSERT_EQ(sendto(tx, payload, 4, 0, reinterpret_cast<sockaddr*>(&bound), sizeof bound), 4);
    char buf[16] {};
    EXPECT_EQ(recv(rx, buf, sizeof buf, 0), 4);
    EXPECT_EQ(std::string(buf, 4), "QVTN");
    closesocket(tx);
    closesocket(rx);
}

} // namespace
