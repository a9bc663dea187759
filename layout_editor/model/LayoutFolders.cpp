// Folder and file-list helpers of the layout editor.
#include "LayoutFolders.h"

#include "AppPaths.h"

CString GetLogoFolder()
{
    return GetAppFolder() + L"Logo\\";
}

CString GetTFFolder()
{
    return GetAppFolder() + L"TF\\";
}

CString GetTemplateFolder()
{
    return GetAppFolder() + L"Template\\";
}

CString GetLanguageIniPath(int languageId)
{
    const wchar_t* name = L"Eng.ini";
    switch (languageId) {
    case 2:
        name = L"Chs.ini";
        break;
    case 3:
        name = L"Cht.ini";
        break;
    case 4:
        name = L"French.ini";
        break;
    default:
        break;
    }
    return GetConfigFolder() + name;
}

void ListFolderFiles(CStringArray& names, const CString& folder)
{
    CString pattern = folder;
    if (pattern.IsEmpty() || pattern[pattern.GetLength() - 1] != L'\\')
        pattern += L'\\';
    pattern += L"*.*";
    CFileFind finder;
    BOOL more = finder.FindFile(pattern);
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots() || finder.IsDirectory())
            continue;
        names.Add(finder.GetFileName());
    }
}
