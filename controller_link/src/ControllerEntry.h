// One controller of a screen's controller table: its fixed MAC and IPv4
// address, the run of the screen's ports it serves, the ports that answered
// the last online check, and two raw header templates (Ethernet, IPv4, UDP)
// that tell the controller how to address its replies to this PC.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Port the controllers' replies go to, and the port field of every entry.
constexpr std::uint16_t kControllerReplyPort = 11111;
constexpr int kRawHeaderSize = 42;
// Payloads the two templates describe.
constexpr std::uint16_t kReplyPayloadSize = 256;
constexpr std::uint16_t kDataPayloadSize = 1472;

struct ControllerEntry {
    std::array<std::uint8_t, kRawHeaderSize> replyTemplate {};
    std::array<std::uint8_t, kRawHeaderSize> dataTemplate {};
    std::uint8_t mac[6] {};
    std::uint32_t ipv4 = 0; // network order
    std::uint16_t port = kControllerReplyPort;
    char ipText[18] {};
    int firstPort = 0; // index from 0 of the first screen port served
    int lastPort = -1;
    int onlineCount = 0;
    // Port numbers that answered; holds at most onlineRoom of them.
    std::vector<std::uint16_t> online;
    std::size_t onlineRoom = 0;

    int PortCount() const { return lastPort - firstPort + 1; }
    bool HasPortAt(int offset) const { return offset >= 0 && lastPort - firstPort >= offset; }
    // Appends a port number while there is room; false when full.
    bool AddOnline(std::uint16_t portNumber)
    {
        if (online.size() >= onlineRoom)
            return false;
        online.push_back(portNumber);
        return true;
    }
};
