// The folder of the running program's executable.
#include "ExeFolder.h"

CString FolderOfModulePath(const CString& modulePath)
{
    const int slash = modulePath.ReverseFind(L'\\');
    return slash < 0 ? modulePath : modulePath.Left(slash);
}

CString GetExeFolder()
{
    WCHAR path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString(); // no name, or one cut short: no folder to offer
    return FolderOfModulePath(CString(path, static_cast<int>(length)));
}
