// Stored packets of off-line show files: the exact Ethernet frames that the
// controllers would receive. One port's outputs are packed into data blocks
// (the packer Netrove sends live) inside one long datagram, whose IPv4 and
// UDP headers are finished here with their checksums and, when payload
// scrambling is on, the payload XORed with a per-datagram random byte that
// travels in the low byte of the IPv4 identification. Commands are wrapped
// the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "PortBlocks.h"

namespace stored {

constexpr int kIpUdpHeaderSize = 28;
constexpr int kEthernetHeaderSize = 14;
constexpr int kStoredHeaderSize = kEthernetHeaderSize + kIpUdpHeaderSize; // 42
// Data block i starts at 28 + 1480 i: an 8-byte gap follows every block.
constexpr int kBlockStride = 1480;
constexpr int kPackingBufferSize = 131092;
// Longest datagram the packing buffer gives out.
constexpr int kMaxDatagramLength = 131064;
constexpr std::uint16_t kStoredUdpPort = 12345;
// Both length fields of every stored datagram say this.
constexpr std::uint16_t kStoredLengthField = 1500;
constexpr std::uint8_t kIdentificationHigh = 0xE1;
// Commands (CommandProtocol.h) shorter than this are zero-padded to it.
constexpr int kMinCommandLength = 18;
constexpr int kStoredFrameCapacity = 2048;

// The standard one's-complement checksum of `length` bytes (words big-endian).
std::uint16_t InternetChecksum(const std::uint8_t* bytes, std::size_t length);

// Number of data blocks in a datagram of `length` bytes (0 for a bare header).
int DatagramBlockCount(int length);

// Most data blocks one datagram holds.
constexpr int kMaxDatagramBlocks = (kMaxDatagramLength - kIpUdpHeaderSize - netrove::kBlockSize) / kBlockStride + 1;

// Where a port's packets go: the Ethernet addresses of a stored frame and
// the IPv4 addresses of its datagram (network order).
struct SlotAddresses {
    const std::uint8_t* controllerMac = nullptr;
    const std::uint8_t* senderMac = nullptr;
    std::uint8_t controllerIp[4] = {};
    std::uint8_t senderIp[4] = {};
};

class CPacketAssembler {
public:
    CPacketAssembler();

    // Packs the 16 outputs of one port into data blocks and finishes the
    // datagram: its length in bytes; -2 when all 16 lengths are zero (nothing
    // is built); -1 when the datagram would be longer than kMaxDatagramLength.
    int PackPortData(const unsigned char* const data[netrove::kOutputCount],
        const unsigned short lengths[netrove::kOutputCount], std::uint16_t port, const char* controllerIp,
        const char* senderIp);

    // Packs the port's outputs as PackPortData does, straight into packet
    // slots of `slotSize` bytes: data block i at slot i's offset
    // kStoredHeaderSize, and in front of every block the Ethernet header and
    // the datagram's IPv4 and UDP headers. The gaps between the datagram's
    // blocks are not stored but count as there (checksum, scrambling), so
    // the slots hold what copying PackPortData's blocks would give. Other
    // bytes of the slots are left as they are. The number of slots filled:
    // 0 for nothing to store; -1 (nothing said) when the port needs more
    // than `maxSlots` slots or a longer datagram than kMaxDatagramLength.
    int PackPortSlots(const unsigned char* const data[netrove::kOutputCount],
        const unsigned short lengths[netrove::kOutputCount], std::uint16_t port, const SlotAddresses& addresses,
        std::uint8_t* slots, std::size_t slotSize, int maxSlots);

    // Writes the IPv4 and UDP headers of the datagram that ends at the write
    // position and returns its length (-1 when too long), scrambling the
    // payload when scrambling is on. The write position returns to the start.
    int FinishRecordedDatagram(const char* controllerIp, const char* senderIp);

    // Builds a command packet to all ports (flag 0) with the given code,
    // value and payload, wraps it in a datagram and stores the Ethernet frame
    // (controller MAC, sender MAC, type IPv4, datagram) in `storedFrame`
    // (kStoredFrameCapacity bytes). The frame's length, or -1.
    int BuildRecordedCommand(std::uint32_t value, const std::uint8_t senderMac[6], const char* senderIp,
        const char* controllerIp, const std::uint8_t controllerMac[6], std::uint8_t code, const std::uint8_t* payload,
        std::uint16_t payloadLength, std::uint8_t* storedFrame);

    // The datagram last built (IPv4 header at offset 0).
    const std::uint8_t* Datagram() const { return m_buffer.data(); }

    void SetScrambling(bool on) { m_scramble = on; }
    bool Scrambling() const { return m_scramble; }
    // The random sequence of scrambling bytes restarts from `seed`.
    void SeedScrambling(unsigned seed) { m_random.seed(seed); }

private:
    // Zeroes what earlier datagrams left in the buffer.
    void ClearUsed();
    // False (said on the console) when all 16 lengths are zero.
    static bool AnyLength(const unsigned short lengths[netrove::kOutputCount]);
    // The next scrambling byte (0 with scrambling off).
    std::uint8_t NextScrambleByte();

    std::vector<std::uint8_t> m_buffer;
    std::size_t m_write = 0; // write position: offset of the datagram's end
    std::size_t m_used = 0; // bytes from the start that may be non-zero
    bool m_scramble = false;
    std::minstd_rand m_random;
};

// The 14-byte Ethernet header of a stored frame: destination, source, IPv4.
void WriteEthernetHeader(std::uint8_t* out, const std::uint8_t destinationMac[6], const std::uint8_t sourceMac[6]);

} // namespace stored
