// Temporary files and byte helpers shared by the file and archive tests.
#pragma once

#include "afx.h"

#include <atomic>
#include <string>
#include <vector>

namespace iotest {

// A unique path in the temp folder, deleted when the object goes.
class TempPath {
public:
    explicit TempPath(const wchar_t* suffix = L".tmp")
    {
        static std::atomic<int> counter { 0 };
        wchar_t dir[MAX_PATH];
        ::GetTempPathW(MAX_PATH, dir);
        m_path = dir;
        m_path += L"fwio_" + std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(::GetTickCount()) + L"_"
            + std::to_wstring(++counter) + suffix;
    }
    ~TempPath() { ::DeleteFileW(m_path.c_str()); }
    TempPath(const TempPath&) = delete;
    TempPath& operator=(const TempPath&) = delete;

    const wchar_t* c_str() const { return m_path.c_str(); }
    operator LPCWSTR() const { return m_path.c_str(); }

private:
    std::wstring m_path;
};

inline std::vector<BYTE> ReadAll(LPCWSTR path)
{
    CFile f(path, CFile::modeRead | CFile::shareDenyNone);
    std::vector<BYTE> bytes(static_cast<size_t>(f.GetLength()));
    if (!bytes.empty())
        f.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

inline void WriteAll(LPCWSTR path, const std::vector<BYTE>& bytes)
{
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    if (!bytes.empty())
        f.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

} // namespace iotest
