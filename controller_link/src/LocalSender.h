// One sender per local adapter address: the adapter's MAC and IPv4 address,
// a non-blocking UDP socket on which controllers' replies are polled, and the
// outside CSend_Udp object that sends commands and frame data. Screens on the
// same adapter share one sender; senders never move once created.
#pragma once

#include <winsock2.h>

#include <array>
#include <cstdint>

class CSend_Udp;

constexpr std::uint16_t kSenderBasePort = 11111;
// The outside sender binds this far above the reply socket's port.
constexpr std::uint16_t kOutsidePortOffset = 111;
constexpr int kBindError = 2100;

struct LocalSender {
    std::uint8_t mac[6] {};
    std::uint32_t ipv4 = 0; // network order
    std::uint16_t basePort = kSenderBasePort;
    SOCKET replySocket = INVALID_SOCKET;
    sockaddr_in lastPeer {};
    int peerLength = sizeof(sockaddr_in);
    std::array<std::uint8_t, 1514> receiveBuffer {};
    std::uint8_t bound = 0;
    char boundText[17] {};
    std::uint16_t boundPort = 0;
    CSend_Udp* outside = nullptr;
    // The last stored Ethernet frame built by the recorder.
    std::array<std::uint8_t, 2048> storedFrame {};

    LocalSender() = default;
    LocalSender(const LocalSender&) = delete;
    LocalSender& operator=(const LocalSender&) = delete;
    ~LocalSender();
};

// Binds the reply socket on the sender's address, trying the base port and,
// after each failure, the next port (10 tries; the raised port stays), then
// the outside sender 111 ports higher. 0, or kBindError.
int BindLocalSender(LocalSender& sender);
// Closes the reply socket (the outside sender stays until DestroyOutsideSender).
void ReleaseLocalSender(LocalSender& sender);
void DestroyOutsideSender(LocalSender& sender);

// 1 when the socket was bound to text:port, 0 on failure.
int OpenReplySocket(LocalSender& sender, const char* ipText, std::uint16_t port);
// 0, or -1 when there was no socket.
int CloseReplySocket(LocalSender& sender);

// Dotted decimal text of a network-order address.
void IPv4Text(std::uint32_t networkOrder, char text[17]);
