// Temporary files for the layout file tests: unique paths in the temporary
// folder, removed at the end, and whole-file byte reads and writes.
#pragma once

#include <windows.h>

#include <vector>

#include "LayoutFile.h"

inline CString TempFolder()
{
    WCHAR path[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, path);
    return CString(path);
}

// A unique file path in the temporary folder, removed at the end.
class CTempPath {
public:
    explicit CTempPath(const wchar_t* stem)
    {
        static int serial = 0;
        m_path.Format(L"%slayouttest_%s_%lu_%d.lpx", TempFolder().GetString(), stem, ::GetCurrentProcessId(), ++serial);
        ::DeleteFileW(m_path);
    }
    ~CTempPath() { ::DeleteFileW(m_path); }
    const CString& Path() const { return m_path; }

private:
    CString m_path;
};

inline std::vector<BYTE> FileBytes(const CString& path)
{
    std::vector<BYTE> bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

inline bool WriteFileBytes(const CString& path, const std::vector<BYTE>& bytes)
{
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == bytes.size();
}
