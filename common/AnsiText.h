// Conversions between wide strings and 8-bit strings in the system's ANSI
// code page. Every string of the main program's XML files goes through them.
#pragma once

#include <afx.h>

// The wide form of an 8-bit ANSI string, up to its first NUL.
CString AnsiToWide(const char* text);
// The same for a counted 8-bit text (NULs inside are converted too).
CString AnsiToWide(const char* text, int length);
// The ANSI form of a wide string, up to its first NUL; characters the code
// page cannot hold become its default character.
CStringA WideToAnsi(const wchar_t* text);
