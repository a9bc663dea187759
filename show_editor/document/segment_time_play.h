// The play-time schedule of a segment: a stored 364-byte little-endian record
// kept whole in the project file and handed to the controller library when a
// segment's off-line file is closed. Its layout must not change.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>

// Times are seconds since 1970-01-01 00:00:00 UTC. The 64-bit fields sit at
// 4-byte boundaries (offset 28 is one), hence the packing.
#pragma pack(push, 4)
struct SegmentTimePlay {
    // Every byte zero, the reserved ones included, so that stored records are
    // deterministic.
    SegmentTimePlay() = default;

    int32_t m_gpsMode = 0; // 1 plays synchronised by GPS time, 0 timed mode
    int32_t m_fixedDuration = 0; // play for a fixed duration
    int32_t m_durationSeconds = 0; // hours x 3600 + minutes x 60 + seconds
    int32_t m_timedPlay = 0;
    int32_t m_yearApplies = 0; // the year of the date window applies
    int32_t m_monthApplies = 0;
    int32_t m_dayApplies = 0;
    int64_t m_startDate = 0;
    int64_t m_endDate = 0;
    int32_t m_timeWindowApplies = 0; // the time-of-day window applies
    int64_t m_startTime = 0;
    int64_t m_endTime = 0;
    int32_t m_weekdaysApply = 0;
    int32_t m_weekdays[7] = {}; // Monday first, Sunday last
    int32_t m_playAtOnce = 0; // play at once when triggered
    uint16_t m_holidayMask = 0; // bit i: holiday slot i chosen
    uint16_t m_reserved = 0;
    int32_t m_holidayOwnWindow[13] = {}; // per slot: the slot has its own time window
    int64_t m_holidayStart[13] = {};
    int64_t m_holidayEnd[13] = {};

    static constexpr int kHolidaySlots = 13;
};
#pragma pack(pop)

static_assert(sizeof(SegmentTimePlay) == 364, "SegmentTimePlay is a stored 364-byte record");
static_assert(std::is_trivially_copyable_v<SegmentTimePlay>, "a schedule is copied as its 364 bytes");
static_assert(std::is_standard_layout_v<SegmentTimePlay>);
static_assert(offsetof(SegmentTimePlay, m_fixedDuration) == 4);
static_assert(offsetof(SegmentTimePlay, m_durationSeconds) == 8);
static_assert(offsetof(SegmentTimePlay, m_timedPlay) == 12);
static_assert(offsetof(SegmentTimePlay, m_yearApplies) == 16);
static_assert(offsetof(SegmentTimePlay, m_monthApplies) == 20);
static_assert(offsetof(SegmentTimePlay, m_dayApplies) == 24);
static_assert(offsetof(SegmentTimePlay, m_startDate) == 28);
static_assert(offsetof(SegmentTimePlay, m_endDate) == 36);
static_assert(offsetof(SegmentTimePlay, m_timeWindowApplies) == 44);
static_assert(offsetof(SegmentTimePlay, m_startTime) == 48);
static_assert(offsetof(SegmentTimePlay, m_endTime) == 56);
static_assert(offsetof(SegmentTimePlay, m_weekdaysApply) == 64);
static_assert(offsetof(SegmentTimePlay, m_weekdays) == 68);
static_assert(offsetof(SegmentTimePlay, m_playAtOnce) == 96);
static_assert(offsetof(SegmentTimePlay, m_holidayMask) == 100);
static_assert(offsetof(SegmentTimePlay, m_reserved) == 102);
static_assert(offsetof(SegmentTimePlay, m_holidayOwnWindow) == 104);
static_assert(offsetof(SegmentTimePlay, m_holidayStart) == 156);
static_assert(offsetof(SegmentTimePlay, m_holidayEnd) == 260);

// The defaults of a new schedule: duration 1 second, play at once, both dates
// the current time of the schedule clock, everything else zero.
void InitSegmentTimePlay(SegmentTimePlay* schedule);
// The same with the current time given by the caller (seconds since 1970).
void InitSegmentTimePlay(SegmentTimePlay* schedule, int64_t now);

// The clock new schedules take their dates from (seconds since 1970); the
// system clock unless replaced, e.g. by a test that needs fixed dates. Null
// restores the system clock. Returns the clock that was in use.
using ScheduleClock = int64_t (*)();
ScheduleClock SetScheduleClock(ScheduleClock clock);
