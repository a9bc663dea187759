// Reads an off-line show file back the way a player (the show preview
// program, a controller) does: block A's settings, block B's stored
// commands, every frame's packet slots decoded into per-port outputs, and
// the unmasked layout copy. Written from the file layout alone, to check
// what the recorder wrote.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace corvane_test {

using Bytes = std::vector<std::uint8_t>;

struct StoredSlot {
    std::array<std::uint8_t, 6> destinationMac {};
    std::array<std::uint8_t, 6> sourceMac {};
    std::uint8_t scramble = 0; // IPv4 identification low byte
    std::uint32_t sourceIp = 0; // network order
    std::uint32_t destinationIp = 0;
    bool ipChecksumOk = false;
    Bytes payload; // 1472 bytes, unscrambled
};

struct ShowFrame {
    std::vector<StoredSlot> slots;
    // Port number -> output number -> bytes, from the slots' chunks.
    std::map<int, std::map<int, Bytes>> ports;
    std::vector<int> slotPorts; // port of each slot, in slot order
};

struct ShowFile {
    Bytes blockA;
    Bytes blockB;
    unsigned frameIntervalMs = 0;
    unsigned frameSectors = 0;
    std::uint32_t frames = 0;
    std::vector<StoredSlot> commands; // block B slots that hold a frame
    std::vector<ShowFrame> frameList;
    bool hasLayout = false;
    Bytes layout; // unmasked
};

std::uint32_t U32(const Bytes& b, std::size_t at);
unsigned U16(const Bytes& b, std::size_t at);

// Parses the file; a failed expectation is reported through gtest and
// parsing stops where the file is inconsistent.
bool ReadShowFile(const std::wstring& path, ShowFile& show);

} // namespace corvane_test
