// Frame-data blocks of one controller port: each block is 1472 bytes, an
// 8-byte header ("QVTN", port u16, chunk count, 1) and a chunk area of 1464
// bytes. A chunk is a u32 position ((output << 16) + offset within the
// output), a u16 length and the bytes; chunks that do not fit are split at a
// multiple of 4 bytes and continue in the next block. These are the blocks the
// controllers receive, one datagram each, and the blocks the controller
// library stores in off-line show files (there inside one long datagram, with
// an 8-byte gap after each block). Both use this one packer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace netrove {

constexpr int kBlockSize = 1472;
constexpr int kBlockHeaderSize = 8;
constexpr int kChunkAreaSize = kBlockSize - kBlockHeaderSize;
constexpr int kChunkHeaderSize = 6;
constexpr int kOutputCount = 16;

#pragma pack(push, 1)
struct DataBlockHeader {
    char magic[4]; // "QVTN"
    std::uint16_t port; // little-endian
    std::uint8_t chunks;
    std::uint8_t one; // always 1
};
#pragma pack(pop)
static_assert(sizeof(DataBlockHeader) == kBlockHeaderSize, "DataBlockHeader is 8 bytes");
static_assert(offsetof(DataBlockHeader, port) == 4);
static_assert(offsetof(DataBlockHeader, chunks) == 6);
static_assert(offsetof(DataBlockHeader, one) == 7);

// Packs the port's outputs into `buffer` as blocks placed `stride` bytes
// apart (stride >= kBlockSize). Every byte of a block is written (zeros
// after its last chunk); the bytes between blocks are left as they are.
// Outputs of length 0 (or without data) are skipped. Returns the number of
// blocks (0 when every length is 0), or -1 when the blocks would not fit in
// `capacity` bytes; nothing is written past `capacity`, and the last block
// written is then cut short.
int PackPortBlocksInto(const unsigned char* const data[kOutputCount], const unsigned short lengths[kOutputCount],
    unsigned short port, std::uint8_t* buffer, std::size_t capacity, std::size_t stride);

// Appends the blocks of the port's outputs to `blocks` (a multiple of 1472
// bytes). Outputs of length 0 are skipped; no output at all gives no block.
void PackPortBlocks(const unsigned char* const data[kOutputCount], const unsigned short lengths[kOutputCount],
    unsigned short port, std::vector<std::uint8_t>& blocks);

} // namespace netrove
