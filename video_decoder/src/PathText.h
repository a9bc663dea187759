// Conversion of wide paths to the UTF-8 that FFmpeg's file protocol expects.
#pragma once

#include <string>

// UTF-16 to UTF-8; empty for a null or unconvertible text.
std::string WideToUtf8(const wchar_t* text);
