// A screen's controller table: one multicast group serving every port, or
// controllers of a fixed number of consecutive ports each, with addresses
// derived from the screen and controller numbers; the static ARP entries
// that let packets reach controllers which never answer ARP; and the reply
// header templates built when the screen's sender is bound.
#pragma once

#include <cstdint>

#include "LEDScreen.h"

// Rebuilds the table from the grouping and the port count; the screen is
// not ready until InitControllers runs again. Returns the number of entries.
int BuildControllerTable(CLEDScreen& screen);

// Frees every entry's online list (the entries stay).
void ClearControllerOnlineLists(CLEDScreen& screen);

// Adds the static ARP entries that are missing (needs a sender).
void BindIpMac(CLEDScreen& screen);

// Binds the sender, builds the templates and address texts and marks the
// screen ready. Returns the number of entries; 0 when there are none.
int InitControllers(CLEDScreen& screen);

// A 42-byte Ethernet, IPv4 and UDP header (network order, UDP checksum 0)
// for a datagram of `payload` bytes. Addresses are network-order words.
void BuildRawHeader(const std::uint8_t destMac[6], const std::uint8_t sourceMac[6], std::uint32_t sourceIp,
    std::uint32_t destIp, std::uint16_t sourcePort, std::uint16_t destPort, std::uint16_t payload,
    std::uint8_t out[42]);

// "%02X-%02X-..." of six bytes, upper case.
CStringA MacText(const std::uint8_t mac[6]);
