// Conversions between wide strings and 8-bit ANSI strings.
#include "AnsiText.h"

#include <cstring>
#include <cwchar>

CString AnsiToWide(const char* text)
{
    if (text == nullptr)
        return CString();
    return AnsiToWide(text, static_cast<int>(std::strlen(text)));
}

CString AnsiToWide(const char* text, int length)
{
    CString out;
    if (text == nullptr || length <= 0)
        return out;
    const int units = ::MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    if (units <= 0)
        return out;
    wchar_t* buffer = out.GetBuffer(units);
    const int written = ::MultiByteToWideChar(CP_ACP, 0, text, length, buffer, units);
    out.ReleaseBuffer(written > 0 ? written : 0);
    return out;
}

CStringA WideToAnsi(const wchar_t* text)
{
    CStringA out;
    if (text == nullptr)
        return out;
    const int length = static_cast<int>(std::wcslen(text));
    if (length == 0)
        return out;
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return out;
    char* buffer = out.GetBuffer(bytes);
    const int written = ::WideCharToMultiByte(CP_ACP, 0, text, length, buffer, bytes, nullptr, nullptr);
    out.ReleaseBuffer(written > 0 ? written : 0);
    return out;
}
