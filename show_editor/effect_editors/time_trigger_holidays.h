// The holiday table of the time-trigger dialog: the eight holidays on fixed
// dates and the reading of "Holiday.txt", whose line for a year gives the
// dates of the five lunar holidays of that year.
#pragma once

#include <afx.h>

#include <vector>

struct HolidayEntry {
    int slot; // index into the schedule's holiday arrays and mask
    int code; // month x 100 + day
    int nameKey; // key in section "ITEM_TITLE"
    const wchar_t* builtInName;
};

// The fixed holidays in list order (slots 0 to 7).
const HolidayEntry* FixedHolidays(int& count);
// The lunar holidays in list order with code 0 (slots 12, 8, 9, 10, 11).
const HolidayEntry* LunarHolidays(int& count);

// Cuts text at every separator: the first piece is always taken (also when
// empty), adjacent separators give empty pieces, a separator at the very end
// adds none.
std::vector<CString> SplitHolidayFields(const CString& text, wchar_t separator);
// Leading blanks skipped, digits up to the first other character; 0 without.
int HolidayFieldValue(const CString& text);

// The codes of the first line of year in the text of a holiday file. Dates
// whose month is not 1..12 or whose day is not 1..31 are skipped, as are
// fields without a ".". Empty when no line is for that year.
std::vector<int> HolidayCodesForYear(const CString& fileText, int year);
// The same read from a file; empty when it cannot be read.
std::vector<int> ReadHolidayFile(const CString& path, int year);
