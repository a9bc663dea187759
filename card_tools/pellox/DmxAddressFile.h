// The DMX address file: five text lines in GBK naming a decoder chip type, a
// fixture number and the channels per fixture (a fixture's start address is
// (fixture number - 1) x channels per fixture + 1).
#pragma once

#include "afx.h"

// The chip types in the order of their numbers in the file.
extern const wchar_t* const kDmxChipTypes[5];

// The five lines as wide text, each ending in "\r\n".
CString BuildDmxAddressText(int nChipType, int nFixtureNumber, int nChannels);
// The file's bytes: each line converted with the Chinese code page 936
// (GBK) whatever the system's code page, no byte order mark, no terminator.
CStringA BuildDmxAddressFile(int nChipType, int nFixtureNumber, int nChannels);

// Writes the file's bytes over lpszPath through the framework's replacing
// writer: on failure (a read-only target among them) the old file is left as
// it was and no temporary file remains.
BOOL WriteDmxAddressFile(LPCTSTR lpszPath, int nChipType, int nFixtureNumber, int nChannels);
