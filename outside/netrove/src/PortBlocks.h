// Frame-data blocks of one controller port: each block is 1472 bytes, an
// 8-byte header ("QVTN", port u16, chunk count, 1) and a chunk area of 1464
// bytes. A chunk is a u32 position ((output << 16) + offset within the
// output), a u16 length and the bytes; chunks that do not fit are split at a
// multiple of 4 bytes and continue in the next block. These are the blocks the
// controllers receive, one datagram each.
#pragma once

#include <cstdint>
#include <vector>

namespace netrove {

constexpr int kBlockSize = 1472;
constexpr int kBlockHeaderSize = 8;
constexpr int kChunkAreaSize = kBlockSize - kBlockHeaderSize;
constexpr int kOutputCount = 16;

// Appends the blocks of the port's outputs to `blocks` (a multiple of 1472
// bytes). Outputs of length 0 are skipped; no output at all gives no block.
void PackPortBlocks(const unsigned char* const data[kOutputCount], const unsigned short lengths[kOutputCount],
    unsigned short port, std::vector<std::uint8_t>& blocks);

} // namespace netrove
