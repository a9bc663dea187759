// Folder functions built on the running module's file name.
#include "AppPaths.h"

CString GetAppFolder()
{
    WCHAR path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString(); // no name, or a name cut short: no folder to offer
    CString folder(path, static_cast<int>(length));
    const int slash = folder.ReverseFind(L'\\');
    return slash < 0 ? CString() : folder.Left(slash + 1);
}

CString GetConfigFolder()
{
    return GetAppFolder() + L"Config\\";
}

CString GetChipIniPath()
{
    return GetConfigFolder() + L"Chip.ini";
}
