// CTime and CTimeSpan: normalising construction, breakdown, formatting and
// arithmetic.
#include "afx.h"

#include <gtest/gtest.h>

TEST(Time, ConstructionNormalisesOutOfRangeFields)
{
    struct Case {
        int y, mo, d, h, mi, s;
        int ey, emo, ed, eh, emi, es;
        int dayOfWeek; // 1 = Sunday
    };
    const Case cases[] = {
        { 2024, 1, 32, 12, 0, 0, 2024, 2, 1, 12, 0, 0, 5 }, // Thursday
        { 2024, 2, 30, 12, 0, 0, 2024, 3, 1, 12, 0, 0, 6 }, // leap year
        { 2023, 2, 29, 12, 0, 0, 2023, 3, 1, 12, 0, 0, 4 },
        { 2023, 13, 1, 12, 0, 0, 2024, 1, 1, 12, 0, 0, 2 },
        { 2024, 3, 0, 12, 0, 0, 2024, 2, 29, 12, 0, 0, 5 },
        { 2024, 5, 10, 25, 61, 62, 2024, 5, 11, 2, 2, 2, 7 },
        { 2000, 1, 1, 0, 0, 0, 2000, 1, 1, 0, 0, 0, 7 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.mo << "-" << c.d);
        CTime t(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(c.ey, t.GetYear());
        EXPECT_EQ(c.emo, t.GetMonth());
        EXPECT_EQ(c.ed, t.GetDay());
        EXPECT_EQ(c.eh, t.GetHour());
        EXPECT_EQ(c.emi, t.GetMinute());
        EXPECT_EQ(c.es, t.GetSecond());
        EXPECT_EQ(c.dayOfWeek, t.GetDayOfWeek());
    }
}

TEST(Time, FormatArithmeticAndComparisons)
{
    CTime t(2024, 2, 1, 8, 5, 9);
    EXPECT_TRUE(t.Format(L"%Y-%m-%d %H:%M:%S") == L"2024-02-01 08:05:09");
    EXPECT_TRUE(t.Format(L"").IsEmpty());

    CTime later = t + CTimeSpan(1, 2, 3, 4);
    EXPECT_TRUE(later.Format(L"%Y-%m-%d %H:%M:%S") == L"2024-02-02 10:08:13");
    CTimeSpan span = later - t;
    EXPECT_EQ(93784, span.GetTotalSeconds());
    EXPECT_EQ(1, span.GetDays());
    EXPECT_EQ(2, span.GetHours());
    EXPECT_EQ(3, span.GetMinutes());
    EXPECT_EQ(4, span.GetSeconds());
    EXPECT_EQ(26, span.GetTotalHours());
    EXPECT_TRUE(span.Format(L"%D days %H:%M:%S %%") == L"1 days 02:03:04 %");
    EXPECT_TRUE(later > t);
    EXPECT_TRUE(t <= t);
    EXPECT_TRUE(later - span == t);
    later -= span;
    EXPECT_EQ(t.GetTime(), later.GetTime());

    // 64-bit seconds: past 2038.
    CTime future(2100, 6, 15, 12, 0, 0);
    EXPECT_GT(future.GetTime(), static_cast<__time64_t>(0x7FFFFFFF));
    EXPECT_EQ(2100, future.GetYear());

    SYSTEMTIME st;
    EXPECT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(2024, st.wYear);
    EXPECT_EQ(4, st.wDayOfWeek);
    EXPECT_EQ(t.GetTime(), CTime(st).GetTime());

    CTime now = CTime::GetCurrentTime();
    EXPECT_GE(now.GetYear(), 2024);
}
