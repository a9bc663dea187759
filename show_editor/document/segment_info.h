// A segment's number, frame count and play-time schedule.
#pragma once

#include "segment_time_play.h"

struct SegmentInfo {
    int m_number = 0; // position in the segment list + 1
    int m_totalFrames = 0;
    SegmentTimePlay m_timePlay; // all zero until filled
};
