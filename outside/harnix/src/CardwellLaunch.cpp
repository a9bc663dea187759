// Starting the card copying tool (see CardwellLaunch.h).
#include "CardwellLaunch.h"

#include <fw_uihost.h>

namespace {

CString ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    CString folder(path);
    const int slash = folder.ReverseFind(L'\\');
    return slash < 0 ? CString() : folder.Left(slash + 1);
}

} // namespace

CString CardwellPath()
{
    return ProgramFolder() + L"Cardwell.exe";
}

bool StartCardwell(const CString& folder)
{
    const DWORD attributes = folder.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return false;
    CProcessRequest request;
    request.strFile = CardwellPath();
    // One argument even when the folder has spaces; a trailing backslash
    // would escape the closing quote, so it is left off.
    CString argument = folder;
    while (argument.GetLength() > 3 && argument.Right(1) == L"\\")
        argument.Delete(argument.GetLength() - 1);
    request.strParameters = L"\"" + argument + L"\"";
    request.strDirectory = ProgramFolder();
    request.bHidden = FALSE;
    request.bWait = FALSE;
    return AfxStartProcess(request) != FALSE;
}
