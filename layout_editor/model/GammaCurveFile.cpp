// Gamma curve files (see GammaCurveFile.h).
#include "GammaCurveFile.h"

#include <algorithm>

#include "SplitString.h"

CStringA FormatGammaCurveFile(const int (&values)[kCurveEntries])
{
    CStringA out;
    for (int level = 0; level < kCurveEntries; ++level) {
        CStringA line;
        line.Format("%d\t%d\r\n", level, values[level]);
        out += line;
    }
    return out;
}

GammaFileResult ParseGammaCurveFile(const CString& text, CString (&values)[kCurveEntries], int& taken)
{
    taken = 0;
    CStringArray lines;
    int count = SplitString(text, lines, L"\r\n");
    // A final line end leaves a final empty piece, which is no line: 255
    // lines are too few whether or not the last one ends with a line end.
    if (count > 0 && lines[count - 1].IsEmpty())
        --count;
    if (count < kCurveEntries)
        return GammaFileResult::TooFewLines;
    for (int i = 0; i < kCurveEntries; ++i) {
        CStringArray fields;
        if (SplitString(lines[i], fields, L"\t") != 2)
            return GammaFileResult::BadLine;
        if (_wtoi(fields[1]) >= kCurveEntries)
            return GammaFileResult::ValueTooLarge;
        values[i] = fields[1];
        taken = i + 1;
    }
    return GammaFileResult::Ok;
}

BYTE ClampCurveLevel(int value)
{
    return static_cast<BYTE>(std::clamp(value, 0, 255));
}
