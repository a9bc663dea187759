// The layout of off-line show files "OFF%03d.arm" that controllers play from
// SD cards: two 1 MiB header blocks (A: play settings, written when the file
// is closed; B: the stored sync and start commands), then the frames (a
// 512-byte frame header with the magic and 1536-byte packet slots, each one
// stored Ethernet frame), then a copy of the screen's layout file and a
// 10-byte trailer, both with their first ten bytes masked. Numbers are
// little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Corvane.h"

namespace offline {

constexpr std::size_t kHeaderBlockSize = 1048576;
constexpr std::size_t kFramesOffset = 2 * kHeaderBlockSize;
constexpr std::size_t kSectorSize = 512;
constexpr std::size_t kFrameHeaderSize = 512;
constexpr std::size_t kSlotSize = 1536;
constexpr int kMaxFrameSlots = 6400;
constexpr std::size_t kFrameBufferSize = 9831424;
static_assert(kFrameHeaderSize + kMaxFrameSlots * kSlotSize <= kFrameBufferSize, "frame buffer holds every slot");
// Block B: a sector of its own, then the slots.
constexpr std::size_t kCommandSlotsOffset = 512;
constexpr int kMaxCommandSlots = int((kHeaderBlockSize - kCommandSlotsOffset) / kSlotSize);

// Block A offsets.
constexpr std::size_t kCardFieldsOffset = 512;
constexpr std::size_t kCardFieldSize = 16;
constexpr std::size_t kPlayTextOffset = 1024;
constexpr std::size_t kPlayTextSize = 24;
constexpr std::size_t kPlayWindowOffset = 1056;
constexpr std::size_t kSlotMaskOffset = 65536;
constexpr std::size_t kTimeSlotsOffset = 65552;
constexpr int kMaxTimeSlots = 16; // bits of the mask

constexpr char kMagic[4] = { 'Q', 'V', 'T', 'N' };
constexpr char kLayoutKey[2] = { 'Q', 'Z' };
constexpr std::size_t kTrailerSize = 10;
constexpr std::size_t kMaskedLayoutBytes = 10;

// Facts of the recording that block A carries besides the settings.
struct RecordingFacts {
    std::uint16_t frameIntervalMs = 40;
    std::uint32_t frameBytes = 0;
    std::uint32_t frames = 0;
};

// Fills block A (kHeaderBlockSize bytes, zeroed by the caller).
void FillHeaderBlock(std::uint8_t* block, const RecordingFacts& facts, const RecordingSettings& settings);

// XORs bytes with the layout key: even bytes with 'Q', odd ones with 'Z'.
void MaskWithLayoutKey(std::uint8_t* bytes, std::size_t length);

// The 10-byte trailer after the layout copy, already masked.
void BuildLayoutTrailer(std::uint32_t layoutLength, std::uint8_t trailer[kTrailerSize]);

} // namespace offline
