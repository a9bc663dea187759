// Project settings, segments, views and the stored play-time schedule.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <time.h>
#include <vector>

#include "alloc_tracker.h"
#include "show_model.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes BytesOf(const SegmentTimePlay& schedule)
{
    Bytes bytes(sizeof(schedule));
    std::memcpy(bytes.data(), &schedule, sizeof(schedule));
    return bytes;
}

void Put32(Bytes& bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = uint8_t(value >> (8 * i));
}

void Put64(Bytes& bytes, size_t offset, uint64_t value)
{
    for (int i = 0; i < 8; ++i)
        bytes[offset + i] = uint8_t(value >> (8 * i));
}

constexpr int64_t kFixedNow = 0x0000000123456789LL; // beyond 2^32 seconds

int64_t FixedClock()
{
    return kFixedNow;
}

TEST(SegmentTimePlay, ConstructionZeroesAllBytesReservedIncluded)
{
    // Construct over dirty memory so that a field left out would show.
    alignas(8) unsigned char storage[sizeof(SegmentTimePlay)];
    std::memset(storage, 0xCD, sizeof(storage));
    auto* schedule = new (storage) SegmentTimePlay;
    EXPECT_EQ(BytesOf(*schedule), Bytes(364, 0));
}

TEST(SegmentTimePlay, InitWithAFixedClockGivesTheseBytes)
{
    Bytes expected(364, 0);
    Put32(expected, 8, 1); // duration 1 second
    Put64(expected, 28, kFixedNow); // start date
    Put64(expected, 36, kFixedNow); // end date
    Put32(expected, 96, 1); // play at once

    SegmentTimePlay direct;
    std::memset(static_cast<void*>(&direct), 0xAB, sizeof(direct)); // a used record is overwritten whole
    InitSegmentTimePlay(&direct, kFixedNow);
    EXPECT_EQ(BytesOf(direct), expected);

    ScheduleClock previous = SetScheduleClock(FixedClock);
    SegmentTimePlay clocked;
    InitSegmentTimePlay(&clocked);
    SetScheduleClock(previous);
    EXPECT_EQ(BytesOf(clocked), expected);

    // Stored and read back as 364 bytes, it is the same record.
    SegmentTimePlay readBack;
    std::memcpy(&readBack, expected.data(), expected.size());
    EXPECT_EQ(readBack.m_durationSeconds, 1);
    EXPECT_EQ(readBack.m_playAtOnce, 1);
    EXPECT_EQ(readBack.m_startDate, kFixedNow);
    EXPECT_EQ(readBack.m_endDate, kFixedNow);
}

TEST(SegmentTimePlay, SystemClockGivesTheCurrentTime)
{
    SetScheduleClock(nullptr);
    const int64_t before = static_cast<int64_t>(_time64(nullptr));
    SegmentTimePlay schedule;
    InitSegmentTimePlay(&schedule);
    const int64_t after = static_cast<int64_t>(_time64(nullptr));
    EXPECT_GE(schedule.m_startDate, before);
    EXPECT_LE(schedule.m_startDate, after);
    EXPECT_EQ(schedule.m_endDate, schedule.m_startDate);
}

TEST(SegmentTimePlay, FieldsSitAtTheirStoredOffsets)
{
    struct Case {
        const char* name;
        void (*set)(SegmentTimePlay&);
        size_t offset;
        int size;
        uint64_t value;
    };
    const Case cases[] = {
        { "gps", [](SegmentTimePlay& s) { s.m_gpsMode = 1; }, 0, 4, 1 },
        { "fixed duration", [](SegmentTimePlay& s) { s.m_fixedDuration = 1; }, 4, 4, 1 },
        { "duration", [](SegmentTimePlay& s) { s.m_durationSeconds = 86399; }, 8, 4, 86399 },
        { "timed", [](SegmentTimePlay& s) { s.m_timedPlay = 1; }, 12, 4, 1 },
        { "year", [](SegmentTimePlay& s) { s.m_yearApplies = 1; }, 16, 4, 1 },
        { "month", [](SegmentTimePlay& s) { s.m_monthApplies = 1; }, 20, 4, 1 },
        { "day", [](SegmentTimePlay& s) { s.m_dayApplies = 1; }, 24, 4, 1 },
        { "start date", [](SegmentTimePlay& s) { s.m_startDate = 0x1122334455667788LL; }, 28, 8,
            0x1122334455667788ULL },
        { "end date", [](SegmentTimePlay& s) { s.m_endDate = -2; }, 36, 8, 0xFFFFFFFFFFFFFFFEULL },
        { "time window", [](SegmentTimePlay& s) { s.m_timeWindowApplies = 1; }, 44, 4, 1 },
        { "start time", [](SegmentTimePlay& s) { s.m_startTime = 3600; }, 48, 8, 3600 },
        { "end time", [](SegmentTimePlay& s) { s.m_endTime = 7200; }, 56, 8, 7200 },
        { "weekdays apply", [](SegmentTimePlay& s) { s.m_weekdaysApply = 1; }, 64, 4, 1 },
        { "monday", [](SegmentTimePlay& s) { s.m_weekdays[0] = 1; }, 68, 4, 1 },
        { "sunday only", [](SegmentTimePlay& s) { s.m_weekdays[6] = 1; }, 92, 4, 1 },
        { "play at once", [](SegmentTimePlay& s) { s.m_playAtOnce = 1; }, 96, 4, 1 },
        { "holiday 12 chosen", [](SegmentTimePlay& s) { s.m_holidayMask = 1 << 12; }, 100, 2, 0x1000 },
        { "holiday 0 own window", [](SegmentTimePlay& s) { s.m_holidayOwnWindow[0] = 1; }, 104, 4, 1 },
        { "holiday 12 own window", [](SegmentTimePlay& s) { s.m_holidayOwnWindow[12] = 1; }, 152, 4, 1 },
        { "holiday 0 start", [](SegmentTimePlay& s) { s.m_holidayStart[0] = 5; }, 156, 8, 5 },
        { "holiday 12 start", [](SegmentTimePlay& s) { s.m_holidayStart[12] = 0x100000000LL; }, 252, 8,
            0x100000000ULL },
        { "holiday 0 end", [](SegmentTimePlay& s) { s.m_holidayEnd[0] = 6; }, 260, 8, 6 },
        { "holiday 12 end", [](SegmentTimePlay& s) { s.m_holidayEnd[12] = 86399; }, 356, 8, 86399 },
    };
    for (const Case& c : cases) {
        SegmentTimePlay schedule;
        c.set(schedule);
        Bytes expected(364, 0);
        for (int i = 0; i < c.size; ++i)
            expected[c.offset + i] = uint8_t(c.value >> (8 * i));
        EXPECT_EQ(BytesOf(schedule), expected) << c.name;
    }
}

TEST(ProjSet, NewProjectDefaultsAndReset)
{
    CObject* object = RUNTIME_CLASS(ProjSet)->CreateObject();
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(ProjSet)));
    auto* settings = static_cast<ProjSet*>(object);

    auto expectNewProject = [](const ProjSet& s) {
        EXPECT_EQ(s.m_width, 200);
        EXPECT_EQ(s.m_height, 50);
        EXPECT_EQ(s.m_frameRate, 25);
        EXPECT_EQ(s.m_totalFrames, 0);
        EXPECT_EQ(s.m_playFrames, 0);
        EXPECT_EQ(s.m_layoutType, 1);
        EXPECT_TRUE(s.m_backgroundImage.IsEmpty());
        EXPECT_TRUE(s.m_layoutFile.IsEmpty());
        EXPECT_EQ(s.m_withResource, 0);
        EXPECT_EQ(s.m_colorMode, 0);
        EXPECT_EQ(s.m_whiteValue, 0);
        EXPECT_EQ(Bytes(s.m_hardwareRecord, s.m_hardwareRecord + sizeof(s.m_hardwareRecord)), Bytes(280, 0));
    };
    expectNewProject(*settings);
    EXPECT_EQ(settings->m_layoutMask, 1);

    settings->m_width = 640;
    settings->m_height = 480;
    settings->m_frameRate = 30;
    settings->m_totalFrames = 900;
    settings->m_playFrames = 900;
    settings->m_layoutType = 3;
    settings->m_backgroundImage = L"C:\\bk.png";
    settings->m_layoutFile = L"C:\\TF\\a.lpx";
    settings->m_withResource = 1;
    settings->m_colorMode = 2;
    settings->m_whiteValue = 128;
    std::memset(settings->m_hardwareRecord, 0x5A, sizeof(settings->m_hardwareRecord));
    settings->m_layoutMask = 0;

    settings->ResetToNewProject();
    expectNewProject(*settings);
    EXPECT_EQ(settings->m_layoutMask, 0) << "the layout-mask flag keeps its value";
    delete object;
}

TEST(ProgramView, NewViewDefaults)
{
    ProgramView view;
    view.InitNewView(2, 3, 320, 64);
    ASSERT_NE(view.m_pNode, nullptr);
    EXPECT_EQ(view.m_pNode->m_parent, 2);
    EXPECT_EQ(view.m_pNode->m_index, 3);
    EXPECT_EQ(view.m_pNode->m_name, CString(L"View_03"));
    EXPECT_EQ(view.m_pNode->m_kind, NODE_VIEW);
    EXPECT_EQ(view.m_projectRect, CRect(0, 0, 320, 64));
    EXPECT_EQ(view.m_programs.GetSize(), 0);
    EXPECT_EQ(view.m_frames, 0);
    EXPECT_EQ(view.m_loopPlay, 1);
    EXPECT_EQ(view.m_repeatCount, 0);
    EXPECT_EQ(view.m_transparency, 255);
    EXPECT_EQ(view.m_transparentMode, 0);
    EXPECT_EQ(view.m_areaLocked, 0);
    EXPECT_EQ(view.m_brightness, 100);
    EXPECT_EQ(view.m_timeBase, 0);
    EXPECT_EQ(view.m_showTime, 0.0);
    EXPECT_TRUE(view.m_programBuffer.IsEmpty());
    EXPECT_TRUE(view.m_blendBuffer.IsEmpty());
    EXPECT_EQ(view.m_programBuffer.m_hDesktopDC, nullptr);
    EXPECT_EQ(view.m_programBuffer.m_hOldBitmap, nullptr);
    EXPECT_EQ(view.m_programBuffer.m_pBits, nullptr);

    ProgramView many;
    many.InitNewView(1, 112, 10, 10);
    EXPECT_EQ(many.m_pNode->m_name, CString(L"View_112"));
}

TEST(QvSegmentGourp, NewSegmentRecordIsZeroedWithASegmentNode)
{
    QvSegmentGourp segment;
    ASSERT_NE(segment.m_pSegmentInfo, nullptr);
    EXPECT_EQ(segment.m_pSegmentInfo->m_number, 0);
    EXPECT_EQ(segment.m_pSegmentInfo->m_totalFrames, 0);
    EXPECT_EQ(BytesOf(segment.m_pSegmentInfo->m_timePlay), Bytes(364, 0));
    EXPECT_EQ(segment.m_views.GetSize(), 0);
    ASSERT_NE(segment.m_pNode, nullptr);
    EXPECT_EQ(segment.m_pNode->m_parent, -1);
    EXPECT_EQ(segment.m_pNode->m_kind, NODE_SEGMENT);
    EXPECT_EQ(segment.m_fourColorMode, 0);
    EXPECT_EQ(segment.m_whiteValue, 0);
}

TEST(QvSegmentGourp, FreeingSegmentsFreesViewsProgramsAndRecordsOnce)
{
    auto build = [](SegmentList& list) {
        for (int s = 1; s <= 2; ++s) {
            auto* segment = new QvSegmentGourp;
            segment->m_pSegmentInfo->m_number = s;
            InitSegmentTimePlay(&segment->m_pSegmentInfo->m_timePlay, kFixedNow);
            segment->SetNode(new NodeInfo(-1, s, L"Segment", NODE_SEGMENT));
            for (int v = 1; v <= 2; ++v) {
                auto* view = new ProgramView;
                view->InitNewView(s, v, 200, 50);
                auto* effect = new ProgramColorEffect;
                effect->m_templates.Add(new ColorTemplate);
                effect->SetNode(new NodeInfo(v, 1, L"effect", NODE_PROGRAM));
                view->m_programs.Add(effect);
                auto* words = new ProgramColorFulWords;
                words->SetTexture(ProgramColorEffect::Clone(effect));
                view->m_programs.Add(words);
                view->m_programs.Add(new CEFlickerStar);
                segment->m_views.Add(view);
            }
            list.Add(segment);
        }
        auto* legacy = new SegmentGourp;
        legacy->m_pProgram = new ProgramVideo;
        legacy->m_pWords = new ProgramColorFulWords;
        delete legacy;
    };
    {
        SegmentList warmUp;
        build(warmUp);
        FreeSegments(warmUp);
    }
    alloc_tracker::Scope scope;
    SegmentList list;
    build(list);
    FreeSegments(list);
    const alloc_tracker::Counts counts = scope.StopAndCount();
    EXPECT_EQ(list.GetSize(), 0);
    EXPECT_GT(counts.allocations, 30);
    EXPECT_EQ(counts.live, 0);
    EXPECT_EQ(counts.doubleFrees, 0);
}

} // namespace
