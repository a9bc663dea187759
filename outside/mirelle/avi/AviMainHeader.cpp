// The main header's frame time of a written AVI file.
#include "AviMainHeader.h"

#include <cstring>

namespace {

constexpr DWORD kSearchBytes = 4096;

// Offset of the DWORD after "avih" and its size, or -1.
LONG FindMainHeaderField(HANDLE file)
{
    BYTE head[kSearchBytes] = {};
    DWORD read = 0;
    if (!::ReadFile(file, head, kSearchBytes, &read, nullptr) || read < 12)
        return -1;
    if (std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "AVI ", 4) != 0)
        return -1;
    for (DWORD at = 12; at + 12 <= read; ++at) {
        if (std::memcmp(head + at, "avih", 4) == 0)
            return static_cast<LONG>(at + 8);
    }
    return -1;
}

} // namespace

BOOL SetAviMicroSecPerFrame(LPCWSTR path, int framesPerSecond)
{
    if (path == nullptr || framesPerSecond <= 0)
        return FALSE;
    HANDLE file = ::CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL ok = FALSE;
    const LONG field = FindMainHeaderField(file);
    if (field > 0 && ::SetFilePointer(file, field, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER) {
        const DWORD value = static_cast<DWORD>((1000000 + framesPerSecond / 2) / framesPerSecond);
        DWORD written = 0;
        ok = ::WriteFile(file, &value, sizeof(value), &written, nullptr) && written == sizeof(value);
    }
    if (!::CloseHandle(file))
        ok = FALSE;
    return ok;
}

DWORD GetAviMicroSecPerFrame(LPCWSTR path)
{
    if (path == nullptr)
        return 0;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD value = 0;
    const LONG field = FindMainHeaderField(file);
    DWORD read = 0;
    if (field <= 0 || ::SetFilePointer(file, field, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER
        || !::ReadFile(file, &value, sizeof(value), &read, nullptr) || read != sizeof(value))
        value = 0;
    ::CloseHandle(file);
    return value;
}
