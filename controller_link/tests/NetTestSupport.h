// Loopback stand-ins for the controllers and the system commands in the
// controller library's network tests.
//
// CFakeControllers: one UDP socket for every controller. Controller
// addresses go to 127.0.0.N and the group to 127.1.1.1 (the loopback
// rewrite); the library is told to send to this socket's port instead of
// 12345 and the reply port. Wine binds a loopback address other than
// 127.0.0.1 as a wildcard on the port alone, so one socket hears every
// controller, and the destination of each datagram (IP_PKTINFO) tells which
// controller it was meant for. Port queries are answered as a controller
// does: 256 bytes starting with the replying port, sent to the PC at the
// port named in the query's reply template (the reply socket's port).
#pragma once

#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace corvane_test {

struct ControllerPacket {
    std::string to; // destination address as the controllers' side saw it
    unsigned short fromPort = 0;
    std::vector<std::uint8_t> bytes;
};

class CFakeControllers {
public:
    // answer(to, askedPort): the port number to answer with, or nothing.
    using Answer = std::function<std::optional<std::uint16_t>(const std::string& to, std::uint16_t asked)>;

    explicit CFakeControllers(Answer answer = {});
    ~CFakeControllers();
    CFakeControllers(const CFakeControllers&) = delete;
    CFakeControllers& operator=(const CFakeControllers&) = delete;

    bool Ok() const { return m_socket != INVALID_SOCKET; }
    unsigned short Port() const { return m_port; }

    // Waits until at least `count` packets arrived (or the time-out) and
    // returns all of them.
    std::vector<ControllerPacket> WaitFor(std::size_t count, int timeoutMs = 5000);
    // Waits a little for stragglers, then takes and clears everything.
    std::vector<ControllerPacket> Take(int settleMs = 150);
    std::size_t Count();

private:
    void Run();

    SOCKET m_socket = INVALID_SOCKET;
    SOCKET m_replySocket = INVALID_SOCKET;
    unsigned short m_port = 0;
    Answer m_answer;
    std::mutex m_mutex;
    std::vector<ControllerPacket> m_packets;
    std::atomic<bool> m_stop { false };
    std::thread m_thread;
};

// Points the library at the fake controllers for the object's lifetime.
class CControllerPortRedirect {
public:
    explicit CControllerPortRedirect(unsigned short port);
    ~CControllerPortRedirect();
};

// The fake command interpreter (fake_cmd.exe beside the test): its ARP table
// and its log of other commands, in a scratch folder.
class CFakeArp {
public:
    explicit CFakeArp(const std::wstring& folder);
    ~CFakeArp();
    void SetTable(const std::string& text);
    // Waits until the log holds `count` lines; returns them.
    std::vector<std::string> WaitForCommands(std::size_t count, int timeoutMs = 15000);
    std::vector<std::string> Commands();

private:
    std::wstring m_table;
    std::wstring m_log;
};

// The folder of the running test program (with a trailing backslash).
std::wstring TestProgramFolder();

// Header of a command as the controllers receive it.
std::vector<std::uint8_t> Command(std::uint16_t port, std::uint8_t code, std::uint32_t value, std::uint16_t lengthField,
    const std::vector<std::uint8_t>& payload = {});

// One frame-data block of a port with one chunk per given output.
std::vector<std::uint8_t> DataBlock(
    std::uint16_t port, const std::vector<std::pair<int, std::vector<std::uint8_t>>>& outputs);

} // namespace corvane_test

namespace corvane_test {

// A layout of `ports` screen ports (one output each, two RGB lamps at
// (2p, 0) and (2p + 1, 0)) on a 16 x 8 grid, written to folder\name.
std::wstring WritePairLayout(const std::wstring& folder, const wchar_t* name, int ports);

// A frame of the 16 x 8 grid: pixel (x, y) is blue 10x + y + 1, green
// 10x + y + 2, red 10x + y + 3; four zero bytes follow.
std::vector<std::uint8_t> TestFrame();

// Bytes frame-data blocks carry, by (port number, output), reassembled.
std::vector<std::uint8_t> OutputData(
    const std::vector<ControllerPacket>& packets, const std::string& to, std::uint16_t port, int output);

} // namespace corvane_test
