// Conversion of wide paths to UTF-8. FFmpeg converts UTF-8 file names back to
// UTF-16 on Windows, so paths outside the ANSI code page open too.
#include "PathText.h"

#include <windows.h>

std::string WideToUtf8(const wchar_t* text)
{
    if (text == nullptr || *text == L'\0')
        return {};
    const int bytes = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return {};
    std::string result(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, result.data(), bytes, nullptr, nullptr);
    result.resize(static_cast<size_t>(bytes) - 1);
    return result;
}
