// The gamma curve text file of the gamma dialog: 256 lines "level<TAB>value"
// ended by CR LF, in the system code page. Pure functions, no windows.
#pragma once

#include <afx.h>

#include "GammaCurveTables.h"

// The file text of 256 values, each written as given.
CStringA FormatGammaCurveFile(const int (&values)[kCurveEntries]);

enum class GammaFileResult {
    Ok,
    TooFewLines, // fewer than 256 lines: nothing taken
    BadLine, // a line without exactly one tab: the lines before it taken
    ValueTooLarge, // a value of 256 or more: the lines before it taken
};

// Reads a curve file's text: `values[i]` gets the unchanged second field of
// line i for every line taken and `taken` their number.
GammaFileResult ParseGammaCurveFile(const CString& text, CString (&values)[kCurveEntries], int& taken);

// A curve level from a typed value: held to 0..255 (not cut to 8 bits).
BYTE ClampCurveLevel(int value);
