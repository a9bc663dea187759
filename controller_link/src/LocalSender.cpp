// Local senders: binding the reply socket and the outside sender (see LocalSender.h).
#include "LocalSender.h"

#include "DailyLog.h"
#include "Send_Udp.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace {

// Winsock stays up from the first socket until the process ends.
bool EnsureWinsock()
{
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

std::wstring Wide(const char* text)
{
    std::wstring w;
    for (const char* p = text; *p; ++p)
        w += wchar_t(static_cast<unsigned char>(*p));
    return w;
}

} // namespace

LocalSender::~LocalSender()
{
    ReleaseLocalSender(*this);
    DestroyOutsideSender(*this);
}

void IPv4Text(std::uint32_t networkOrder, char text[17])
{
    const auto* b = reinterpret_cast<const std::uint8_t*>(&networkOrder);
    std::snprintf(text, 17, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
}

int OpenReplySocket(LocalSender& sender, const char* ipText, std::uint16_t port)
{
    sender.bound = 0;
    std::snprintf(sender.boundText, sizeof sender.boundText, "%s", ipText);
    sender.boundPort = port;
    if (sender.replySocket != INVALID_SOCKET) {
        closesocket(sender.replySocket);
        sender.replySocket = INVALID_SOCKET;
    }
    SOCKET s = EnsureWinsock() ? socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP) : INVALID_SOCKET;
    if (s == INVALID_SOCKET) {
        LogPrintf(L"套接字创建失败！");
        return 0;
    }
    int size = 32768;
    setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = inet_addr(ipText);
    if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == SOCKET_ERROR) {
        closesocket(s);
        LogPrintf(L"绑定失败!");
        return 0;
    }
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    sender.replySocket = s;
    sender.bound = 1;
    return 1;
}

int CloseReplySocket(LocalSender& sender)
{
    if (sender.replySocket == INVALID_SOCKET)
        return -1;
    closesocket(sender.replySocket);
    sender.replySocket = INVALID_SOCKET;
    sender.boundPort = 0;
    sender.bound = 0;
    return 0;
}

int BindLocalSender(LocalSender& sender)
{
    char text[17];
    IPv4Text(sender.ipv4, text);
    if (!sender.outside) {
        sender.outside = new (std::nothrow) CSend_Udp;
        if (!sender.outside)
            return kBindError;
    }
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenReplySocket(sender, text, sender.basePort)) {
            int result = sender.outside->create_socket(text, std::uint16_t(sender.basePort + kOutsidePortOffset));
            return result == 0 ? 0 : kBindError;
        }
        LogLevel(LOG_ERROR, L"绑定失败:IP=%s Port=%d", Wide(text).c_str(), int(sender.basePort));
        ++sender.basePort;
    }
    return kBindError;
}

void ReleaseLocalSender(LocalSender& sender)
{
    CloseReplySocket(sender);
}

void DestroyOutsideSender(LocalSender& sender)
{
    delete sender.outside;
    sender.outside = nullptr;
}
