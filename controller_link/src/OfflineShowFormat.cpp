// Block A and the layout trailer of off-line show files (see OfflineShowFormat.h).
#include "OfflineShowFormat.h"

#include <afx.h>

#include <cstring>
#include <ctime>

namespace offline {

namespace {

void PutU16(std::uint8_t* p, unsigned v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

void PutU32(std::uint8_t* p, std::uint32_t v)
{
    PutU16(p, v & 0xFFFFu);
    PutU16(p + 2, v >> 16);
}

// The local-time breakdown of a 64-bit time; the epoch when it has none.
std::tm LocalTime(std::int64_t when)
{
    std::tm parts {};
    __time64_t t = when;
    if (_localtime64_s(&parts, &t) != 0) {
        parts = std::tm {};
        parts.tm_year = 70;
        parts.tm_mday = 1;
    }
    return parts;
}

int SecondsOfDay(std::int64_t when)
{
    const std::tm t = LocalTime(when);
    return (t.tm_hour * 60 + t.tm_min) * 60 + t.tm_sec;
}

void FillPlayWindow(std::uint8_t* record, const RecordingSettings& s)
{
    PutU32(record + 23, std::uint32_t(s.playSeconds));
    if (s.playWindowEnabled == 0)
        return;
    const std::tm start = LocalTime(s.startDate);
    const std::tm end = LocalTime(s.endDate);
    const std::tm startTime = LocalTime(s.startTime);
    const std::tm endTime = LocalTime(s.endTime);

    PutU16(record + 0, s.yearLimit ? unsigned(start.tm_year + 1900) : 1970u);
    PutU16(record + 16, s.yearLimit ? unsigned(end.tm_year + 1900) : 2099u);
    record[2] = std::uint8_t(s.monthLimit ? start.tm_mon + 1 : 1);
    record[18] = std::uint8_t(s.monthLimit ? end.tm_mon + 1 : 12);
    record[3] = std::uint8_t(s.dayLimit ? start.tm_mday : 1);
    record[19] = std::uint8_t(s.dayLimit ? end.tm_mday : 31);
    if (s.timeLimit) {
        record[4] = std::uint8_t(startTime.tm_hour);
        record[5] = std::uint8_t(startTime.tm_min);
        record[6] = std::uint8_t(startTime.tm_sec);
        record[20] = std::uint8_t(endTime.tm_hour);
        record[21] = std::uint8_t(endTime.tm_min);
        record[22] = std::uint8_t(endTime.tm_sec);
    } else {
        record[20] = 23;
        record[21] = 59;
        record[22] = 59;
    }
    for (int d = 0; d < 7; ++d) {
        // Without the caller's array every day plays, as with the limit off.
        const bool limited = s.weekdayLimit != 0 && s.weekdays != nullptr;
        record[7 + d] = std::uint8_t(limited ? (s.weekdays[d] != 0 ? 1 : 0) : 1);
    }
    record[27] = std::uint8_t(s.yearLimit ? 0 : 1);
    record[28] = std::uint8_t(s.monthLimit ? 0 : 1);
    record[29] = std::uint8_t(s.dayLimit ? 0 : 1);
}

void FillCardFields(std::uint8_t* fields, const void* cardStrings)
{
    std::memset(fields, ' ', 4 * kCardFieldSize);
    const auto* cards = static_cast<const CStringArray*>(cardStrings);
    if (!cards)
        return;
    for (int i = 0; i < 4 && i < cards->GetSize(); ++i) {
        const CStringA text(cards->GetAt(i));
        // Longer texts are cut at the field's 16 bytes.
        const std::size_t n
            = std::size_t(text.GetLength()) < kCardFieldSize ? std::size_t(text.GetLength()) : kCardFieldSize;
        std::memcpy(fields + i * kCardFieldSize, static_cast<const char*>(text), n);
    }
}

} // namespace

void FillHeaderBlock(std::uint8_t* block, const RecordingFacts& facts, const RecordingSettings& s)
{
    block[0] = std::uint8_t(facts.frameIntervalMs);
    block[1] = 1;
    PutU16(block + 2, unsigned(facts.frameBytes / kSectorSize));
    PutU32(block + 4, facts.frames);
    block[8] = std::uint8_t(s.settings0);
    block[9] = std::uint8_t(s.settings1);
    for (int i = 0; i < 4; ++i)
        block[12 + i] = std::uint8_t((s.password ? s.password[i] : 0) ^ std::uint8_t(kMagic[i]));

    FillCardFields(block + kCardFieldsOffset, s.cardStrings);
    std::memset(block + kPlayTextOffset, ' ', kPlayTextSize);
    std::memcpy(block + kPlayTextOffset, "Play1", 5);
    PutU32(block + 1048, facts.frames);
    block[1052] = 1;
    block[1053] = std::uint8_t(s.playWindowEnabled ? 1 : 0);
    block[1054] = std::uint8_t(s.playWindowEnabled ? s.playAtOnce : 0);
    FillPlayWindow(block + kPlayWindowOffset, s);

    const unsigned mask = unsigned(s.slotMask) & 0xFFFFu;
    if (mask == 0)
        return;
    block[18] = 1;
    PutU16(block + kSlotMaskOffset, mask);
    for (int i = 0; i < s.slotCount && i < kMaxTimeSlots; ++i) {
        if ((mask & (1u << i)) == 0)
            continue;
        std::uint8_t* slot = block + kTimeSlotsOffset + 8 * std::size_t(i);
        const bool enabled = s.slotEnabled != nullptr && s.slotEnabled[i] != 0;
        if (enabled && s.slotStarts && s.slotEnds) {
            PutU32(slot, std::uint32_t(SecondsOfDay(s.slotStarts[i])));
            PutU32(slot + 4, std::uint32_t(SecondsOfDay(s.slotEnds[i])));
        } else {
            PutU32(slot, 0);
            PutU32(slot + 4, 86399);
        }
    }
}

void MaskWithLayoutKey(std::uint8_t* bytes, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] ^= std::uint8_t(kLayoutKey[i & 1]);
}

void BuildLayoutTrailer(std::uint32_t layoutLength, std::uint8_t trailer[kTrailerSize])
{
    PutU32(trailer, layoutLength);
    std::memcpy(trailer + 4, "LAYOUT", 6);
    MaskWithLayoutKey(trailer, kTrailerSize);
}

} // namespace offline
