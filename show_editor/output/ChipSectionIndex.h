// The "Name" of every section of the chip database, read from the file in
// one pass. Chip.ini can hold tens of thousands of chip sections; asking the
// private-profile API for each one reparses the file every time, which makes
// building the chip menu take minutes. The pass follows the API's reading:
// the encoding by the file's byte-order mark (UTF-16LE, UTF-8, else the ANSI
// code page), section and key names without case, spaces around names and
// values trimmed, a value in double quotes unquoted, the first occurrence of
// a section and of a key winning.
#pragma once

#include <afx.h>

#include <string>
#include <unordered_map>

class CChipSectionIndex {
public:
    // Reads the file; false (and an empty index) when it cannot be read.
    bool Load(const CString& path);
    // The section's non-empty "Name" value, or nullptr.
    const CString* NameOf(const CString& section) const;
    std::size_t Size() const { return m_names.size(); }

private:
    std::unordered_map<std::wstring, CString> m_names; // upper-case section -> name
};
