// Lamp formats built from segments: a segment is a run of lamps that share
// their channel letters; the format numbers every letter with its lamp
// ("R1G1B1R2G2B2W3"). Also the segment table file of the format builder,
// the duplicate test of the project's format list and the channel count of
// a format. Pure functions, no windows.
#pragma once

#include <afx.h>

#include <vector>

struct LampSegment {
    WORD lamps = 0;
    CString letters;
};

// Most lamps a built format may number: a port holds at most this many.
constexpr int kMaxFormatLamps = 3072;

// The numbered format of the segments; each segment's letters are turned to
// upper case (in the segments too). Segments past kMaxFormatLamps lamps in
// all are cut there.
CString BuildSegmentFormat(std::vector<LampSegment>& segments);

// The segment table as 8-bit text, one "%d,%s\r\n" line per segment.
CStringA FormatSegmentTable(const std::vector<LampSegment>& segments);

enum class SegmentTableResult {
    Ok,
    MissingLetters, // a line without a comma: the import stops there
};

// Reads a segment table (lines ended by CR LF or LF): the lamp count before
// the first comma, the letters after it with line-end characters removed.
// Empty lines are skipped. On MissingLetters, `segments` holds the lines
// before the bad one.
SegmentTableResult ParseSegmentTable(const CString& text, std::vector<LampSegment>& segments);

// True when the list holds the format already, compared without case.
bool IsDuplicateLampFormat(const CStringArray& list, const CString& format);

// Channels of one lamp of a format: its characters that are not decimal
// digits (3 for "RGB", 7 for "R1G1B1R2G2B2W3").
int ChannelsPerLamp(const CString& format);
