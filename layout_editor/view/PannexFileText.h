// Whole small text files of the layout editor's dialogs (gamma curves,
// segment tables): read as 8-bit text of the system code page into a wide
// string, written from 8-bit text through a temporary file that replaces
// the target only when all of it was written.
#pragma once

#include <afx.h>

// False when the file cannot be opened or read, or is larger than maxBytes.
bool ReadAnsiTextFile(const CString& path, CString& text, DWORD maxBytes = 1 << 20);
// False when the file could not be written whole (the target then stays).
bool WriteAnsiTextFile(const CString& path, const CStringA& text);
