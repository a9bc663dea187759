// The texts of the chip parameter page's lists and how the page reads its
// combo texts back as numbers (gray bits, channels, clocks, duty). Kept
// apart from the window so that the rules are plain functions.
#pragma once

#include <afx.h>

#include <vector>

// Gray bits of a gray text: the part after its first space, upper-cased,
// with every "B", "I" and "T" removed, read as an integer ("4096 L  12BIT"
// gives 12); 0 for a text without a space. Bounded to 0..16, the largest
// gray list entry (65536 levels).
constexpr int kMaxGrayBits = 16;
int GrayBitsFromText(const CString& text);
// 2^bits for the gray text (1 when the text has no bit digits).
UINT GrayLevelsFromText(const CString& text);
// The channel text with every character of the unit text removed.
UINT ChannelsFromText(const CString& text, const CString& unitText);
// A clock text ("5.00MHz") read as MHz: upper-cased, "M", "H", "Z" removed.
double ClockFromText(const CString& text);
// A duty text ("50%") read from its leading digits.
int DutyFromText(const CString& text);

// The gray list's entries for a chip: "%d%s  %dBIT" with the unit text.
std::vector<CString> GrayListEntries(const CString& chipName, const CString& unitText);
// The gray combo's text for a gray-level count.
CString GrayText(UINT gray, const CString& unitText);
// Chips whose gray combo always shows the 65536 entry and whose
// configuration keeps the database's gray levels.
bool ShowsFullGray(const CString& chipName);

// Effective brightness in percent with OE periods (100 without).
double EffectiveBrightness(int bits, BOOL isOE, int oePeriods);
// The first gray step that the gamma table makes visible (256 when none).
int FirstVisibleGrayStep(int bits, const CString& chipName, double gamma, int lowGraySel);
// Highest refresh rate of the page's settings.
double PageRefreshMax(BOOL isOE, UINT grayLevels, UINT channels, UINT chipChannel, double clockMHz, int oePeriodSel,
    UINT addTime, int chipBits);
