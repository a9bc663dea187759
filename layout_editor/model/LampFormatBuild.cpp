// Lamp formats from segments (see LampFormatBuild.h).
#include "LampFormatBuild.h"

#include <algorithm>

#include "SplitString.h"

CString BuildSegmentFormat(std::vector<LampSegment>& segments)
{
    CString result;
    int lamp = 1;
    for (LampSegment& segment : segments) {
        segment.letters.MakeUpper();
        for (int i = 0; i < segment.lamps && lamp <= kMaxFormatLamps; ++i, ++lamp) {
            for (int c = 0; c < segment.letters.GetLength(); ++c) {
                CString part;
                part.Format(L"%c%d", segment.letters[c], lamp);
                result += part;
            }
        }
    }
    return result;
}

CStringA FormatSegmentTable(const std::vector<LampSegment>& segments)
{
    CStringA out;
    for (const LampSegment& segment : segments) {
        CStringA line;
        line.Format("%d,%s\r\n", static_cast<int>(segment.lamps), CStringA(segment.letters).GetString());
        out += line;
    }
    return out;
}

SegmentTableResult ParseSegmentTable(const CString& text, std::vector<LampSegment>& segments)
{
    segments.clear();
    CString all = text;
    all.Remove(L'\r');
    CStringArray lines;
    SplitString(all, lines, L"\n");
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        const CString& line = lines[i];
        // Blank lines (a last line end, an empty line between) carry nothing.
        if (line.IsEmpty())
            continue;
        CStringArray fields;
        if (SplitString(line, fields, L",") < 2)
            return SegmentTableResult::MissingLetters;
        LampSegment segment;
        segment.lamps = static_cast<WORD>(std::clamp(_wtoi(fields[0]), 0, kMaxFormatLamps));
        segment.letters = fields[1];
        segment.letters.Remove(L'\r');
        segment.letters.Remove(L'\n');
        segments.push_back(segment);
    }
    return SegmentTableResult::Ok;
}

bool IsDuplicateLampFormat(const CStringArray& list, const CString& format)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        if (list[i].CompareNoCase(format) == 0)
            return true;
    }
    return false;
}

int ChannelsPerLamp(const CString& format)
{
    int channels = 0;
    for (int i = 0; i < format.GetLength(); ++i) {
        if (format[i] < L'0' || format[i] > L'9')
            ++channels;
    }
    return channels;
}
