// The DXF reader's view of a drawing file: 8-bit lines read as a text file
// would give them (a line ends at the line feed, a carriage return before it
// is dropped), and numbers converted by the C library's rules.
#pragma once

#include <afx.h>

#include <string>
#include <string_view>
#include <vector>

class CDxfLineSource {
public:
    CDxfLineSource() = default;
    ~CDxfLineSource();
    CDxfLineSource(const CDxfLineSource&) = delete;
    CDxfLineSource& operator=(const CDxfLineSource&) = delete;

    // Opens for reading, sharing allowed. False when it cannot be opened.
    bool Open(LPCWSTR path);
    void Close();
    // File length in bytes at the time of opening.
    ULONGLONG GetLength() const { return m_length; }

    // The next line, valid until the next call; false at the end of the file
    // (or on a read error). Lines longer than the limit are cut there: no
    // line the reader compares with is anywhere near that long.
    bool Next(std::string_view& line);
    // Reads and ignores n lines; false when the file ended first.
    bool Skip(int n);
    // Reads lines until one equals the group code (spaces removed); false at
    // the end of the file.
    bool SkipTo(std::string_view code);

    static constexpr size_t kMaxLineBytes = 1 << 16;

private:
    bool Fill();

    HANDLE m_file = INVALID_HANDLE_VALUE;
    ULONGLONG m_length = 0;
    std::vector<char> m_buffer;
    size_t m_begin = 0; // first unread byte
    size_t m_end = 0; // end of the valid bytes
    bool m_eof = false;
    std::string m_overlong; // start of the last overlong line
};

// The line with every space character removed equals the code.
bool DxfIsGroupCode(std::string_view line, std::string_view code);
// The line as a decimal number: leading white space skipped, conversion
// stops at the first character that cannot continue the number, 0 when there
// is none. Values that do not fit a finite double give 0.
double DxfToDouble(std::string_view line);
// The line as a decimal integer by the same rules, limited to the int range.
int DxfToInt(std::string_view text);
