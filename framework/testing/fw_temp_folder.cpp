// A temporary folder of a test's own, removed with all it holds.
#include "fw_temp_folder.h"

namespace fwtest {

namespace {
void RemoveTree(const CString& folder)
{
    WIN32_FIND_DATAW data;
    HANDLE hFind = ::FindFirstFileW(folder + L"\\*", &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const CString name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const CString path = folder + L"\\" + name;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(path);
            } else {
                ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path);
            }
        } while (::FindNextFileW(hFind, &data));
        ::FindClose(hFind);
    }
    ::SetFileAttributesW(folder, FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(folder);
}
} // namespace

CTempFolder::CTempFolder(LPCTSTR lpszPrefix)
{
    static LONG serial = 0;
    WCHAR temp[MAX_PATH] = L"";
    ::GetTempPathW(MAX_PATH, temp);
    CString base(temp);
    if (!base.IsEmpty() && base[base.GetLength() - 1] == L'\\')
        base.Delete(base.GetLength() - 1);
    // The process id and a serial keep parallel tests and earlier runs apart.
    do {
        m_strPath.Format(L"%s\\%s_%lu_%ld", base.GetString(), lpszPrefix != nullptr ? lpszPrefix : L"lstest",
            ::GetCurrentProcessId(), ::InterlockedIncrement(&serial));
    } while (!::CreateDirectoryW(m_strPath, nullptr) && ::GetLastError() == ERROR_ALREADY_EXISTS);
}

CTempFolder::~CTempFolder()
{
    RemoveTree(m_strPath);
}

} // namespace fwtest
