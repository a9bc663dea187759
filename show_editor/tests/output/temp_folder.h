// A fresh folder under the temporary folder for one test, removed with its
// files afterwards.
#pragma once

#include <afx.h>

#include <atomic>

class CTempTestFolder {
public:
    explicit CTempTestFolder(LPCWSTR tag)
    {
        static std::atomic<int> counter { 0 };
        WCHAR temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        m_path.Format(L"%s%s_%lu_%lu_%d", temp, tag, ::GetCurrentProcessId(), ::GetTickCount(), ++counter);
        ::CreateDirectoryW(m_path, nullptr);
    }
    ~CTempTestFolder()
    {
        WIN32_FIND_DATAW data;
        HANDLE find = ::FindFirstFileW(m_path + L"\\*", &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    ::DeleteFileW(m_path + L"\\" + data.cFileName);
            } while (::FindNextFileW(find, &data));
            ::FindClose(find);
        }
        ::RemoveDirectoryW(m_path);
    }
    const CString& Path() const { return m_path; }
    CString File(LPCWSTR name) const { return m_path + L"\\" + name; }

private:
    CString m_path;
};
