// Reading the holiday list: the line of the year, the cutting of fields and
// the refusal of dates that name no day.
#include "time_trigger_holidays.h"

#include <gtest/gtest.h>

TEST(HolidayFile, FieldsAreCutKeepingTheFirstAndEmptyPiecesButNoTrailingOne)
{
    struct Case {
        const wchar_t* text;
        std::vector<CString> pieces;
    } cases[] = {
        { L"", { L"" } },
        { L",a", { L"", L"a" } },
        { L"a,,b", { L"a", L"", L"b" } },
        { L"a,b,", { L"a", L"b" } },
        { L"2.9.1", { L"2", L"9", L"1" } },
    };
    for (const Case& c : cases) {
        wchar_t sep = CString(c.text).Find(L'.') >= 0 ? L'.' : L',';
        EXPECT_EQ(SplitHolidayFields(c.text, sep), c.pieces) << CStringA(c.text).GetString();
    }
    EXPECT_EQ(HolidayFieldValue(L"  2024x"), 2024);
    EXPECT_EQ(HolidayFieldValue(L"x1"), 0);
    EXPECT_EQ(HolidayFieldValue(L""), 0);
}

TEST(HolidayFile, TheFirstLineOfTheYearGivesTheCodes)
{
    struct Case {
        const wchar_t* text;
        int year;
        std::vector<int> codes;
    } cases[] = {
        { L"2024,2.9,2.10,2.24,6.10,9.17", 2024, { 209, 210, 224, 610, 917 } },
        { L"2023,1.21,1.22,2.5,6.22,9.29\r\n2024,2.9,2.10,2.24,6.10,9.17\r\n", 2024, { 209, 210, 224, 610, 917 } },
        // Only the first line of the year counts.
        { L"2024,1.1,1.2,1.3,1.4\n2024,2.9,2.10,2.24,6.10,9.17\n", 2024, { 101, 102, 103, 104 } },
        { L"2023,1.21,1.22,2.5,6.22,9.29", 2024, {} },
        // A date without "." is skipped; three pieces count as month and day.
        { L"2024,2.9,210,2.24.1,6.10,9.17", 2024, { 209, 224, 610, 917 } },
        // Dates that name no day of a year are skipped.
        { L"2024,13.1,0.5,2.0,2.32,9.17", 2024, { 917 } },
        { L" 2024 ,2.9", 2024, { 209 } },
        { L"", 2024, {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(HolidayCodesForYear(c.text, c.year), c.codes) << CStringA(c.text).GetString();
}

TEST(HolidayFile, AMissingFileGivesNoCodes)
{
    EXPECT_TRUE(ReadHolidayFile(L"Z:\\no\\such\\Holiday.txt", 2024).empty());
}
