// Defaults of a segment's play-time schedule.
#include "segment_time_play.h"

#include <time.h>

namespace {

int64_t SystemClock()
{
    return static_cast<int64_t>(_time64(nullptr));
}

ScheduleClock g_clock = SystemClock;

} // namespace

ScheduleClock SetScheduleClock(ScheduleClock clock)
{
    ScheduleClock previous = g_clock;
    g_clock = clock != nullptr ? clock : SystemClock;
    return previous;
}

void InitSegmentTimePlay(SegmentTimePlay* schedule)
{
    InitSegmentTimePlay(schedule, g_clock());
}

void InitSegmentTimePlay(SegmentTimePlay* schedule, int64_t now)
{
    if (schedule == nullptr)
        return;
    *schedule = SegmentTimePlay();
    schedule->m_durationSeconds = 1;
    schedule->m_playAtOnce = 1;
    schedule->m_startDate = now;
    schedule->m_endDate = now;
}
