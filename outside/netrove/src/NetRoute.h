// Where a datagram really goes. Every send of Netrove passes through
// SendDatagram, which resolves the destination text here, so tests and
// development builds cannot reach a real controller by accident.
//
// LEDSUITE_NET_REWRITE (environment, read at every send):
//   unset, empty, "0" or "off"  - destinations are used as given;
//   any other value             - loopback mode: 192.168.0.N goes to
//                                 127.0.0.N, the controllers' multicast group
//                                 224.1.1.1 goes to 127.1.1.1 (a fake group
//                                 listener), 127.x.y.z stays, and every other
//                                 destination is refused (nothing is sent).
// Builds configured with LS_NET_LOOPBACK_ONLY (the default for debug builds,
// which the tests use) are always in loopback mode, whatever the setting says.
#pragma once

#include <winsock2.h>

#include <cstdint>

namespace netrove {

enum class RouteMode { Direct, Loopback };

// The mode of this build and process environment.
RouteMode CurrentRouteMode();

// Parses strict dotted decimal ("a.b.c.d", each 0..255) into host order.
bool ParseIPv4(const char* text, std::uint32_t& hostOrder);

// The address a datagram for `ip` goes to under `mode`; false = refused.
bool RouteDestination(const char* ip, RouteMode mode, std::uint32_t& hostOrder);

// The one send path: routes the destination, then sends one datagram on `s`.
// Returns the bytes sent, or -1 (refused, bad address or socket error).
int SendDatagram(SOCKET s, const void* data, int length, const char* destIp, unsigned short destPort);

} // namespace netrove
