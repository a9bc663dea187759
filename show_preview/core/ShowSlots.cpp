// Reading the packet slots of off-line show files (see ShowSlots.h).
#include "ShowSlots.h"

#include <algorithm>

namespace preview {

namespace {

int SlotPort(const BYTE* slot)
{
    return SlotByte(slot, kPortNumberOffset) | (SlotByte(slot, kPortNumberOffset + 1) << 8);
}

bool IsDataSlot(const BYTE* slot)
{
    return SlotByte(slot, kCodeOffset) == kDataBlockCode;
}

const BYTE* FrameSlot(const BYTE* frame, int index)
{
    return frame + kFrameHeaderSize + static_cast<std::size_t>(index) * kSlotSize;
}

} // namespace

int FindFirstPort(const BYTE* commandBlock)
{
    const int sectors = commandBlock[0] | (commandBlock[1] << 8);
    if (sectors < 7)
        return -1;
    // A length beyond the block cannot be believed past the block's end.
    int slots = (sectors - 1) / 3;
    if (slots > kMaxCommandSlots)
        slots = kMaxCommandSlots;
    for (int i = 0; i < slots; ++i) {
        const BYTE* slot = commandBlock + kCommandSlotsOffset + static_cast<std::size_t>(i) * kSlotSize;
        if (SlotByte(slot, kCodeOffset) == kStartCommandCode)
            return SlotByte(slot, kStartPortOffset) | (SlotByte(slot, kStartPortOffset + 1) << 8);
    }
    return -1;
}

int CountFramePorts(int sectors, const BYTE* frame)
{
    const int slots = FrameSlotCount(sectors);
    int last = 0;
    int count = 0;
    for (int i = 0; i < slots; ++i) {
        const BYTE* slot = FrameSlot(frame, i);
        if (!IsDataSlot(slot))
            continue;
        const int port = SlotPort(slot);
        if (port != last) {
            ++count;
            last = port;
        }
    }
    return count;
}

void GatherPortSlots(int sectors, const BYTE* frame, int port, int newPort, BYTE* destination, int& byteCount)
{
    byteCount = 0;
    const int slots = FrameSlotCount(sectors);
    for (int i = 0; i < slots; ++i) {
        const BYTE* slot = FrameSlot(frame, i);
        if (!IsDataSlot(slot) || SlotPort(slot) != port)
            continue;
        BYTE* out = destination + byteCount;
        std::copy(slot, slot + kSlotSize, out);
        const BYTE k = slot[kScrambleByte];
        out[kPortNumberOffset] = BYTE((newPort & 0xFF) ^ k);
        out[kPortNumberOffset + 1] = BYTE(((newPort >> 8) & 0xFF) ^ k);
        byteCount += static_cast<int>(kSlotSize);
    }
}

int ParseOutputChunks(const BYTE* slots, int slotCount, int output, BYTE* destination)
{
    int total = 0;
    for (int s = 0; s < slotCount; ++s) {
        const BYTE* slot = slots + static_cast<std::size_t>(s) * kSlotSize;
        const BYTE k = slot[kScrambleByte];
        const int chunkCount = slot[kChunkCountOffset] ^ k;
        std::size_t position = kChunksOffset;
        int chunk = 0;
        while (position < kSlotPayloadEnd) {
            // A chunk header cut by the payload's end ends the slot too.
            if (position + 6 > kSlotPayloadEnd)
                break;
            const int number = slot[position + 2] ^ k;
            const int length = (slot[position + 4] ^ k) | ((slot[position + 5] ^ k) << 8);
            if (number >= kMaxOutputs || length == 0 || chunk >= chunkCount)
                break;
            if (position + 6 + static_cast<std::size_t>(length) > kSlotPayloadEnd)
                break;
            if (number == output) {
                const BYTE* data = slot + position + 6;
                for (int i = 0; i < length; ++i) {
                    if (total + i < kOutputBufferSize)
                        destination[total + i] = BYTE(data[i] ^ k);
                }
                total += length;
            }
            ++chunk;
            position += 6 + static_cast<std::size_t>(length);
        }
    }
    return total;
}

} // namespace preview
