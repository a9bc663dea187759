// Command packets to the controllers: the 14-byte header ("QVTN", port,
// flag, code, value, payload length; little-endian) and its payload, sent
// as one datagram through the sender's outside CSend_Udp; the port query
// whose replies are polled on the sender's reply socket; the sync command;
// and the online check.
//
// Replies: a controller answers a query by a broadcast addressed with the
// reply template carried in the query, i.e. to the reply socket's bound
// port, whatever port the query left from (the outside sender sends it from
// its own socket when the reply socket holds the bound port).
#pragma once

#include <cstdint>
#include <vector>

#include "LEDScreen.h"
#include "LocalSender.h"

constexpr int kCommandHeaderSize = 14;
constexpr std::uint16_t kAllPorts = 0xFFFF;
constexpr std::uint8_t kPortQueryCode = 3;
constexpr std::uint8_t kFrameStartCode = 14;
constexpr std::uint32_t kFrameStartValue = 4096;
// Controllers take commands and frame data on this port.
constexpr std::uint16_t kControllerDataPort = 12345;
constexpr int kNoReply = 2300;
constexpr int kSendFailed = 2301;
constexpr int kQueryPacketSize = kCommandHeaderSize + 42;
constexpr int kQueryReplySize = 256;

// Header followed by the payload.
std::vector<std::uint8_t> BuildCommandPacket(std::uint16_t port, std::uint8_t flag, std::uint8_t code,
    std::uint32_t value, std::uint16_t lengthField, const std::uint8_t* payload, std::size_t payloadLength);

// Sends a command to controllerIp:12345 from the sender's bound address,
// port 12345: 0, or kSendFailed (logged).
int SendCommand(std::uint32_t value, LocalSender& sender, const char* controllerIp, std::uint8_t code,
    std::uint16_t port, const std::uint8_t* payload, std::uint16_t payloadLength, std::uint8_t flag);

// A query with a 13 x 1 ms wait for the reply (its first 256 bytes go to
// `reply`): 0, kNoReply or kSendFailed.
int SendQueryWait(const std::uint8_t replyTemplate[42], std::uint8_t reply[kQueryReplySize], LocalSender& sender,
    const char* controllerIp, std::uint8_t code, std::uint16_t port, std::uint32_t value);
// A port query without waiting: 0 or kSendFailed.
int SendQuery(const std::uint8_t replyTemplate[42], LocalSender& sender, const char* controllerIp, std::uint16_t port);

// The frame start command (code 14, value 4096, all ports) with the first
// port number as payload.
int SendFrameStart(LocalSender& sender, const char* controllerIp, std::uint16_t firstPort);
// The sync command to every controller, when sync is enabled and the screen
// is ready.
void SendSync(CLEDScreen& screen);

// Queries the screen's ports and fills the controllers' online lists;
// returns the screen's online total (0 when not ready).
int CheckOnlinePorts(CLEDScreen& screen);

// Tests send everything meant for a controller (commands, frame data,
// queries) to this port of the controller's loopback address; 0 restores
// the controllers' own ports.
void SetControllerPortForTest(std::uint16_t port);
// Port of commands and frame data (12345 unless a test changed it).
std::uint16_t ControllerDataPort();
// Port of queries: the sender's bound port unless a test changed it.
std::uint16_t ControllerQueryPort(const LocalSender& sender);
