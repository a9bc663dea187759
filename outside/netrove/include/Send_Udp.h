// Netrove's UDP sender: one object per local adapter address of the controller
// library. It sends commands as single datagrams and the outputs of one
// controller port as frame-data blocks. Every destination passes through the
// loopback rewrite of NetRoute (see NetRoute.h); no member throws.
#pragma once

#ifdef NETROVE_BUILD
#define NETROVE_API __declspec(dllexport)
#else
#define NETROVE_API __declspec(dllimport)
#endif

class NETROVE_API CSend_Udp {
public:
    // Failure result of mysend when create_socket has not succeeded (WSAENOTCONN).
    enum { kNotConnected = 10057 };

    CSend_Udp();
    virtual ~CSend_Udp();

    CSend_Udp(const CSend_Udp&) = delete;
    CSend_Udp& operator=(const CSend_Udp&) = delete;

    // Opens the object's own UDP socket on the local address and port.
    // 0 on success, otherwise the Winsock error (or -1).
    int create_socket(const char* localIp, unsigned short localPort);

    // Sends exactly the given bytes as one datagram. The datagram leaves from
    // the given source address and port when this object can bind it, else
    // from its own socket. 0 = sent; -1 = failed; kNotConnected = no socket.
    int mysend(const unsigned char* data, unsigned short length, const char* destIp, unsigned short destPort,
        const char* srcIp, unsigned short srcPort);

    // Packs the 16 outputs of one port into 1472-byte frame-data blocks
    // ("QVTN", port, chunk count, 1, then chunks) and sends one datagram per
    // block. Returns the number of datagrams sent, -1 on a failed send, or
    // kNotConnected without a socket.
    int make_pkt(unsigned char* data[16], unsigned short lengths[16], unsigned short port, const char* destIp,
        unsigned short destPort, const char* srcIp, unsigned short srcPort);

    // The payload scrambling flag of the controller library. Live datagrams
    // cannot carry the scrambling byte (it travels in the IPv4 identification
    // field of stored frames), so blocks are sent plain; the flag is kept for
    // callers that ask.
    static void SetSecurityFlag(int flag);
    static int GetSecurityFlag();

private:
    struct Impl;
    Impl* m_impl;
};
