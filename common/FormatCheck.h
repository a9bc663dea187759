// Checks a format text from outside the program (a language file) against
// the arguments the program will pass, so that a translated text with a
// missing, extra or wrong conversion falls back to the built-in text
// instead of reading arguments that were never passed.
#pragma once

#include <afx.h>

// True when the printf conversions of the text, in order, are exactly the
// given kinds: 'd' an integer (d, i, u, x, X, o, c), 's' a string (s, S),
// 'f' a real number (f, e, E, g, G). "%%" is a literal percent sign. Width,
// precision and h/l/ll/I64 length prefixes are allowed; '*' widths,
// positional arguments, %n, %p and unknown conversions are refused.
bool FormatConversionsAre(const CString& format, const char* kinds);

// The text formatted with the arguments when its conversions are the given
// kinds, else the built-in format formatted with them.
template <class... Args>
CString FormatCheckedText(const CString& text, LPCWSTR builtIn, const char* kinds, Args&&... args)
{
    CString out;
    out.Format(FormatConversionsAre(text, kinds) ? static_cast<LPCWSTR>(text) : builtIn, std::forward<Args>(args)...);
    return out;
}
