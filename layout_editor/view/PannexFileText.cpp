// Small text files of the dialogs (see PannexFileText.h).
#include "PannexFileText.h"

#include <vector>

#include <fw_replacefile.h>

bool ReadAnsiTextFile(const CString& path, CString& text, DWORD maxBytes)
{
    text.Empty();
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size {};
    bool ok = ::GetFileSizeEx(file, &size) != FALSE && size.QuadPart <= maxBytes;
    std::vector<char> bytes;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty()
            || (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) != FALSE
                && read == bytes.size());
    }
    ::CloseHandle(file);
    if (!ok)
        return false;
    if (bytes.empty())
        return true;
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (chars <= 0)
        return false;
    wchar_t* buffer = text.GetBuffer(chars);
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), buffer, chars);
    text.ReleaseBuffer(chars);
    return true;
}

bool WriteAnsiTextFile(const CString& path, const CStringA& text)
{
    return AfxWriteFileReplacing(path, text.GetString(), static_cast<size_t>(text.GetLength())) != FALSE;
}
