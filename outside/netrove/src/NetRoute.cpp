// Destination routing and the single send path of Netrove (see NetRoute.h).
#include "NetRoute.h"

#include <cstring>

namespace netrove {

#ifndef NETROVE_LOOPBACK_ONLY
namespace {

bool RewriteRequested()
{
    char value[32] {};
    DWORD n = GetEnvironmentVariableA("LEDSUITE_NET_REWRITE", value, sizeof value);
    if (n == 0)
        return false;
    if (n >= sizeof value)
        return true; // long, so not one of the "off" words
    return !(std::strcmp(value, "0") == 0 || _stricmp(value, "off") == 0);
}

} // namespace
#endif

RouteMode CurrentRouteMode()
{
#ifdef NETROVE_LOOPBACK_ONLY
    return RouteMode::Loopback;
#else
    return RewriteRequested() ? RouteMode::Loopback : RouteMode::Direct;
#endif
}

bool ParseIPv4(const char* text, std::uint32_t& hostOrder)
{
    if (!text)
        return false;
    std::uint32_t result = 0;
    const char* p = text;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (*p != '.')
                return false;
            ++p;
        }
        int digits = 0;
        unsigned value = 0;
        while (*p >= '0' && *p <= '9' && digits < 3) {
            value = value * 10 + unsigned(*p - '0');
            ++p;
            ++digits;
        }
        if (digits == 0 || value > 255)
            return false;
        result = (result << 8) | value;
    }
    if (*p != '\0')
        return false;
    hostOrder = result;
    return true;
}

bool RouteDestination(const char* ip, RouteMode mode, std::uint32_t& hostOrder)
{
    std::uint32_t a = 0;
    if (!ParseIPv4(ip, a))
        return false;
    if (mode == RouteMode::Direct) {
        hostOrder = a;
        return true;
    }
    if ((a >> 24) == 127) {
        hostOrder = a;
        return true;
    }
    if ((a & 0xFFFFFF00u) == 0xC0A80000u) { // 192.168.0.N
        hostOrder = 0x7F000000u | (a & 0xFFu);
        return true;
    }
    if (a == 0xE0010101u) { // 224.1.1.1
        hostOrder = 0x7F010101u;
        return true;
    }
    return false;
}

int SendDatagram(SOCKET s, const void* data, int length, const char* destIp, unsigned short destPort)
{
    std::uint32_t to = 0;
    if (s == INVALID_SOCKET || length < 0 || !RouteDestination(destIp, CurrentRouteMode(), to))
        return -1;
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(destPort);
    addr.sin_addr.s_addr = htonl(to);
    int sent = sendto(s, static_cast<const char*>(data), length, 0, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    return sent == SOCKET_ERROR ? -1 : sent;
}

} // namespace netrove
