// Small string helpers shared by the project file code, the pixel-map reader
// and the panels: token splitting, a string-array lookup and comma-separated
// integers.
#pragma once

#include <afx.h>

// The C library's wide atoi: leading blanks and one sign allowed, reading
// stops at the first other character, no digits give 0. Digits beyond the
// 32-bit range wrap instead of overflowing.
int WideTextToInt(const wchar_t* text);

// Appends to tokens the pieces of text between separator characters (any
// character of separators separates): "a,,b" gives a, "" and b; "a,b," gives
// a and b; ",a" gives "" and a; an empty text gives nothing.
void SplitTokens(const CString& text, const CString& separators, CStringArray& tokens);

// Index of the first element equal to text (exact, case-sensitive), or -1.
int FindStringIndex(const CString& text, const CStringArray& strings);

// first = the integer before the first comma, second = the integer after it;
// without a comma first = 0 and second = the integer of the whole text.
void ParseTwoInts(const CString& text, int& first, int& second);

// Converts the first up to four comma-separated tokens in order; outputs
// beyond the number of tokens keep their values.
void ParseFourInts(const CString& text, int& a, int& b, int& c, int& d);
