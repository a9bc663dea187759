// Stored datagrams and commands of off-line show files, against bytes laid
// out by hand: block headers and chunks, the IPv4 and UDP headers with their
// checksums, splitting at the chunk area, scrambling and its reading side,
// padded commands; and the blocks are the ones Netrove sends live.
#include "PortBlocks.h"
#include "StoredPackets.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Outputs {
    std::array<Bytes, 16> data;
    std::array<const unsigned char*, 16> ptr {};
    std::array<unsigned short, 16> len {};

    void Set(int output, std::size_t n, std::uint8_t seed)
    {
        data[output].resize(n);
        for (std::size_t i = 0; i < n; ++i)
            data[output][i] = std::uint8_t(seed + i * 3);
        ptr[output] = data[output].data();
        len[output] = static_cast<unsigned short>(n);
    }
};

// An independent one's-complement sum, words big-endian.
std::uint32_t Sum(const std::uint8_t* p, std::size_t n, std::uint32_t sum = 0)
{
    for (std::size_t i = 0; i + 1 < n; i += 2)
        sum += (std::uint32_t(p[i]) << 8) | p[i + 1];
    if (n % 2)
        sum += std::uint32_t(p[n - 1]) << 8;
    return sum;
}
std::uint16_t Folded(std::uint32_t sum)
{
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return std::uint16_t(sum);
}

// The UDP checksum verifies: pseudo-header + UDP header (with the stored
// checksum) + everything after byte 28 sums to 0xFFFF.
void ExpectUdpChecksumValid(const std::uint8_t* d, int length)
{
    const std::uint8_t pseudo[12] = { d[12], d[13], d[14], d[15], d[16], d[17], d[18], d[19], 0, 17, 0x05, 0xDC };
    std::uint32_t sum = Sum(pseudo, 12);
    sum = Sum(d + 20, 8, sum);
    sum = Sum(d + 28, std::size_t(length - 28), sum);
    EXPECT_EQ(Folded(sum), 0xFFFF);
}

TEST(StoredPackets, OneBlockDatagramLaidOutByHand)
{
    Outputs o;
    o.Set(0, 6, 10);
    o.Set(2, 3, 50);
    stored::CPacketAssembler packer;
    const int length = packer.PackPortData(o.ptr.data(), o.len.data(), 0x0102, "192.168.0.101", "192.168.1.10");
    ASSERT_EQ(length, 1500);
    const std::uint8_t* d = packer.Datagram();
    // IPv4: checksum worked out by hand for these addresses.
    const Bytes ip { 0x45, 0x00, 0x05, 0xDC, 0xE1, 0x00, 0x00, 0x00, 0x40, 0x11, 0x11, 0x51, 192, 168, 1, 10, 192, 168,
        0, 101 };
    EXPECT_EQ(Bytes(d, d + 20), ip);
    EXPECT_EQ(Bytes(d + 20, d + 26), (Bytes { 0x30, 0x39, 0x30, 0x39, 0x05, 0xDC }));
    ExpectUdpChecksumValid(d, length);

    Bytes block(1472, 0);
    const Bytes head { 'Q', 'V', 'T', 'N', 0x02, 0x01, 2, 1, /* chunk 1 */ 0, 0, 0, 0, 6, 0 };
    std::copy(head.begin(), head.end(), block.begin());
    std::copy(o.data[0].begin(), o.data[0].end(), block.begin() + 14);
    const Bytes second { 0, 0, 2, 0, 3, 0 }; // position (2 << 16) + 0, length 3
    std::copy(second.begin(), second.end(), block.begin() + 20);
    std::copy(o.data[2].begin(), o.data[2].end(), block.begin() + 26);
    EXPECT_EQ(Bytes(d + 28, d + 1500), block);
}

TEST(StoredPackets, ChunkAreaFilledExactlyTakesOneBlock)
{
    Outputs o;
    o.Set(5, 1464 - 6, 1);
    stored::CPacketAssembler packer;
    const int length = packer.PackPortData(o.ptr.data(), o.len.data(), 7, "10.0.0.2", "10.0.0.1");
    EXPECT_EQ(length, 1500);
    EXPECT_EQ(stored::DatagramBlockCount(length), 1);
    EXPECT_EQ(packer.Datagram()[28 + 6], 1); // one chunk
}

TEST(StoredPackets, LongOutputSplitsAtMultipleOfFourAcrossBlocks)
{
    Outputs o;
    o.Set(1, 2000, 7);
    stored::CPacketAssembler packer;
    const int length = packer.PackPortData(o.ptr.data(), o.len.data(), 3, "10.0.0.2", "10.0.0.1");
    ASSERT_EQ(length, 28 + 1480 + 1472);
    EXPECT_EQ(stored::DatagramBlockCount(length), 2);
    const std::uint8_t* d = packer.Datagram();
    const std::uint8_t* b0 = d + 28;
    const std::uint8_t* b1 = d + 28 + 1480;
    // First block: one chunk of 1456 bytes (1458 rounded down to 4).
    EXPECT_EQ(Bytes(b0, b0 + 14), (Bytes { 'Q', 'V', 'T', 'N', 3, 0, 1, 1, 0, 0, 1, 0, 0xB0, 0x05 }));
    EXPECT_EQ(0, std::memcmp(b0 + 14, o.data[1].data(), 1456));
    // The 8-byte gap between the blocks is zero.
    EXPECT_EQ(Bytes(d + 28 + 1472, d + 28 + 1480), Bytes(8, 0));
    // Second block: position (1 << 16) + 1456, 544 bytes.
    EXPECT_EQ(Bytes(b1, b1 + 14), (Bytes { 'Q', 'V', 'T', 'N', 3, 0, 1, 1, 0xB0, 0x05, 1, 0, 0x20, 0x02 }));
    EXPECT_EQ(0, std::memcmp(b1 + 14, o.data[1].data() + 1456, 544));
    EXPECT_EQ(Bytes(b1 + 14 + 544, b1 + 1472), Bytes(1472 - 14 - 544, 0));
    ExpectUdpChecksumValid(d, length);
}

TEST(StoredPackets, RefusesEmptyAndOversizedPortsWithoutOverrunning)
{
    Outputs none;
    stored::CPacketAssembler packer;
    EXPECT_EQ(packer.PackPortData(none.ptr.data(), none.len.data(), 1, "1.2.3.4", "1.2.3.5"), -2);

    Outputs big;
    for (int j = 0; j < 16; ++j)
        big.Set(j, 16384, std::uint8_t(j));
    EXPECT_EQ(packer.PackPortData(big.ptr.data(), big.len.data(), 1, "1.2.3.4", "1.2.3.5"), -1);

    // 88 blocks still fit (130,260 bytes); the next packing starts clean.
    Outputs fits;
    for (int j = 0; j < 8; ++j)
        fits.Set(j, 15000, std::uint8_t(j));
    const int length = packer.PackPortData(fits.ptr.data(), fits.len.data(), 1, "1.2.3.4", "1.2.3.5");
    ASSERT_GT(length, 28);
    EXPECT_LE(length, stored::kMaxDatagramLength);
    ExpectUdpChecksumValid(packer.Datagram(), length);

    Outputs small;
    small.Set(0, 3, 1);
    ASSERT_EQ(packer.PackPortData(small.ptr.data(), small.len.data(), 1, "1.2.3.4", "1.2.3.5"), 1500);
    const std::uint8_t* d = packer.Datagram();
    EXPECT_EQ(Bytes(d + 28 + 17, d + 1500), Bytes(1500 - 28 - 17, 0));
}

TEST(StoredPackets, ScramblingByteTravelsInIdentificationAndRestoresPayload)
{
    Outputs o;
    o.Set(0, 3000, 9);
    stored::CPacketAssembler plain;
    const int length = plain.PackPortData(o.ptr.data(), o.len.data(), 4, "10.0.0.2", "10.0.0.1");
    const Bytes expected(plain.Datagram() + 28, plain.Datagram() + length);
    EXPECT_EQ(plain.Datagram()[5], 0);

    stored::CPacketAssembler scrambled;
    scrambled.SetScrambling(true);
    int seen = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        scrambled.SeedScrambling(seed);
        ASSERT_EQ(scrambled.PackPortData(o.ptr.data(), o.len.data(), 4, "10.0.0.2", "10.0.0.1"), length);
        const std::uint8_t* d = scrambled.Datagram();
        EXPECT_EQ(d[4], 0xE1);
        const std::uint8_t r = d[5];
        EXPECT_LT(r, 255);
        seen += r != 0;
        EXPECT_EQ(Folded(Sum(d, 20)), 0xFFFF); // header checksum covers r
        ExpectUdpChecksumValid(d, length);
        Bytes payload(d + 28, d + length);
        for (std::uint8_t& b : payload)
            b ^= r;
        EXPECT_EQ(payload, expected);
    }
    EXPECT_GT(seen, 15);
}

TEST(StoredPackets, CommandsArePaddedToEighteenBytes)
{
    stored::CPacketAssembler packer;
    const std::uint8_t controllerMac[6] = { 0, 'Q', 'V', 'T', 'N', 1 };
    const std::uint8_t senderMac[6] = { 0x10, 0x20, 0x30, 0x40, 0x50, 0x60 };
    std::array<std::uint8_t, stored::kStoredFrameCapacity> frame {};
    const std::uint8_t first[2] = { 5, 0 };
    const int length = packer.BuildRecordedCommand(
        4096, senderMac, "192.168.1.10", "192.168.0.101", controllerMac, 14, first, 2, frame.data());
    ASSERT_EQ(length, 14 + 28 + 18);
    EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 14),
        (Bytes { 0, 'Q', 'V', 'T', 'N', 1, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x08, 0x00 }));
    const Bytes command { 'Q', 'V', 'T', 'N', 0xFF, 0xFF, 0, 14, 0x00, 0x10, 0, 0, 2, 0, 5, 0, 0, 0 };
    EXPECT_EQ(Bytes(frame.begin() + 42, frame.begin() + 60), command);
    EXPECT_EQ(Bytes(frame.begin() + 14, frame.begin() + 26),
        (Bytes { 0x45, 0, 0x05, 0xDC, 0xE1, 0, 0, 0, 64, 17, 0x11, 0x51 }));
    ExpectUdpChecksumValid(frame.data() + 14, 46);

    const int sync = packer.BuildRecordedCommand(
        0, senderMac, "192.168.1.10", "192.168.0.101", controllerMac, 60, nullptr, 0, frame.data());
    ASSERT_EQ(sync, 60);
    EXPECT_EQ(Bytes(frame.begin() + 42, frame.begin() + 60),
        (Bytes { 'Q', 'V', 'T', 'N', 0xFF, 0xFF, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 }));
}

TEST(StoredPackets, StoredBlocksAreTheBlocksSentLive)
{
    Outputs o;
    o.Set(0, 700, 1);
    o.Set(3, 2900, 2);
    o.Set(15, 9, 3);
    Bytes live;
    netrove::PackPortBlocks(o.ptr.data(), o.len.data(), 9, live);
    stored::CPacketAssembler packer;
    const int length = packer.PackPortData(o.ptr.data(), o.len.data(), 9, "10.0.0.2", "10.0.0.1");
    const int blocks = stored::DatagramBlockCount(length);
    ASSERT_EQ(std::size_t(blocks) * 1472, live.size());
    for (int i = 0; i < blocks; ++i)
        EXPECT_EQ(0, std::memcmp(packer.Datagram() + 28 + 1480 * i, live.data() + 1472 * i, 1472)) << "block " << i;
}

} // namespace
