// CINI: reads and writes through the system's private-profile functions.
#include "IniFile.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>

namespace {
constexpr DWORD kNumberChars = 512;
constexpr DWORD kTextChars = 2048;
} // namespace

CINI::CINI()
{
    m_path[0] = 0;
}

BOOL CINI::SetPath(LPCWSTR path)
{
    m_path[0] = 0;
    if (path == nullptr)
        return FALSE;
    const size_t length = std::wcslen(path);
    if (length >= static_cast<size_t>(kPathCapacity))
        return FALSE;
    std::wmemcpy(m_path, path, length + 1);
    return TRUE;
}

int CINI::GetInt(LPCWSTR section, LPCWSTR key, int defaultValue)
{
    if (!HasPath())
        return defaultValue;
    WCHAR buffer[kNumberChars];
    const DWORD read = ::GetPrivateProfileStringW(section, key, L"", buffer, kNumberChars, m_path);
    if (read == 0) {
        WriteInt(section, key, defaultValue);
        return defaultValue;
    }
    return _wtoi(buffer);
}

double CINI::GetDouble(LPCWSTR section, LPCWSTR key, double defaultValue)
{
    if (!HasPath())
        return defaultValue;
    WCHAR buffer[kNumberChars];
    const DWORD read = ::GetPrivateProfileStringW(section, key, L"", buffer, kNumberChars, m_path);
    if (read == 0) {
        WriteDouble(section, key, defaultValue);
        return defaultValue;
    }
    // Stored reals are single precision: 0.1 reads as the float nearest 0.1.
    return static_cast<double>(static_cast<float>(std::wcstod(buffer, nullptr)));
}

BOOL CINI::GetString(LPCWSTR section, LPCWSTR key, CString& value)
{
    if (!HasPath())
        return FALSE;
    WCHAR buffer[kTextChars];
    const DWORD read = ::GetPrivateProfileStringW(section, key, L"", buffer, kTextChars, m_path);
    if (read == 0)
        return FALSE;
    value = buffer;
    return TRUE;
}

BOOL CINI::WriteInt(LPCWSTR section, LPCWSTR key, int value)
{
    if (!HasPath())
        return FALSE;
    WCHAR text[32];
    std::swprintf(text, 32, L"%d", value);
    return ::WritePrivateProfileStringW(section, key, text, m_path);
}

BOOL CINI::WriteDouble(LPCWSTR section, LPCWSTR key, double value)
{
    if (!HasPath())
        return FALSE;
    // "%f" of a huge value runs to hundreds of digits.
    WCHAR text[512];
    std::swprintf(text, 512, L"%f", value);
    return ::WritePrivateProfileStringW(section, key, text, m_path);
}

BOOL CINI::WriteLayoutString(LPCWSTR value, LPCWSTR key)
{
    if (!HasPath())
        return FALSE;
    // The value passes through a formatted print of at most 1023 characters.
    constexpr size_t kValueChars = 1023;
    WCHAR text[kValueChars + 1];
    const size_t length = value == nullptr ? 0 : std::min(std::wcslen(value), kValueChars);
    if (length > 0)
        std::wmemcpy(text, value, length);
    text[length] = 0;
    return ::WritePrivateProfileStringW(L"Layout", key, text, m_path);
}
