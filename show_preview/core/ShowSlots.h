// The packet slots of off-line show files as the preview reads them. A slot
// is one stored Ethernet frame of 1536 bytes; byte 19 is the scrambling byte
// k and bytes 42..1535 are stored XORed with it. Data slots (byte 49 = 1)
// carry a port number (bytes 46..47), a chunk count (byte 48) and chunks from
// byte 50: 4 bytes (byte 2 the output number), a 2-byte length and the data.
//
// The functions work on buffers of the caller and take no lock. Every count
// read from a file is bounded by the buffer it describes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace preview {

constexpr std::size_t kSlotSize = 1536;
constexpr std::size_t kSectorSize = 512;
constexpr std::size_t kFrameHeaderSize = 512;
constexpr std::size_t kHeaderBlockSize = 1048576;
constexpr std::size_t kFramesOffset = 2 * kHeaderBlockSize;
constexpr std::size_t kCommandSlotsOffset = 512;
// Slots that fit into the command block after its first sector.
constexpr int kMaxCommandSlots = int((kHeaderBlockSize - kCommandSlotsOffset) / kSlotSize);
// The payload of a slot ends here; chunk data never reaches past it.
constexpr std::size_t kSlotPayloadEnd = 42 + 1472;
constexpr std::size_t kScrambleByte = 19;
constexpr std::size_t kPayloadStart = 42;
constexpr std::size_t kPortNumberOffset = 46;
constexpr std::size_t kChunkCountOffset = 48;
constexpr std::size_t kCodeOffset = 49;
constexpr std::size_t kStartPortOffset = 56;
constexpr std::size_t kChunksOffset = 50;
constexpr BYTE kDataBlockCode = 1;
constexpr BYTE kStartCommandCode = 14;
// Bytes kept of one output; longer outputs report their whole length.
constexpr int kOutputBufferSize = 4096;
constexpr int kMaxOutputs = 8;

// Slots in a frame of `sectors` sectors.
inline int FrameSlotCount(int sectors)
{
    return sectors >= 1 ? (sectors - 1) / 3 : 0;
}

// The unscrambled byte at `offset` of a stored slot.
inline BYTE SlotByte(const BYTE* slot, std::size_t offset)
{
    return offset >= kPayloadStart ? BYTE(slot[offset] ^ slot[kScrambleByte]) : slot[offset];
}

// The first port carried by the first start command of the command block
// (kHeaderBlockSize bytes); -1 when the block is shorter than 7 sectors or
// holds no start command.
int FindFirstPort(const BYTE* commandBlock);

// Runs of equal port numbers among the data slots of a frame (sectors x 512
// bytes); a first run of port number 0 is not counted.
int CountFramePorts(int sectors, const BYTE* frame);

// Appends, in stored form, every data slot of the frame whose port number is
// `port`, with `newPort` written into it, to `destination` (room for the
// frame's slots); `byteCount` receives 1536 per slot gathered.
void GatherPortSlots(int sectors, const BYTE* frame, int port, int newPort, BYTE* destination, int& byteCount);

// Concatenates the chunks of `output` found in the gathered slots into
// `destination` (kOutputBufferSize bytes; only the first kOutputBufferSize
// bytes are stored) and returns the whole length. A slot's parse ends at an
// output number above 7, a chunk of length 0, its chunk count, or a chunk
// whose data would run past the slot's payload.
int ParseOutputChunks(const BYTE* slots, int slotCount, int output, BYTE* destination);

} // namespace preview
