// Language files, text lookups and the settings file of the show editor.
#include "lang_service.h"

#include "AppPaths.h"
#include "fw_langtext.h"

#include <windows.h>

#include <cwchar>

namespace {

CString& FolderOverride()
{
    static CString folder;
    return folder;
}

constexpr DWORD kTextBuffer = 2048;
constexpr int kUserDirCount = 16;

} // namespace

CString ShellAppFolder()
{
    const CString& folder = FolderOverride();
    return folder.IsEmpty() ? GetAppFolder() : folder;
}

void SetShellAppFolderForTesting(LPCWSTR folder)
{
    CString value = folder != nullptr ? folder : L"";
    if (!value.IsEmpty() && value.Right(1) != L"\\")
        value += L"\\";
    FolderOverride() = value;
}

LPCWSTR LangFileName(UINT languageId)
{
    switch (languageId) {
    case 1:
        return L"Eng.ini";
    case 2:
        return L"Chs.ini";
    case 3:
        return L"Cht.ini";
    case 4:
        return L"French.ini";
    case 6:
        return L"Korean.ini";
    default:
        return L"Eng.ini";
    }
}

LPCWSTR ConfigLangFileName(UINT languageId)
{
    // No Korean file is shipped for the hardware dialogs: English stands in
    // unless one has been installed.
    if (languageId == 6) {
        const CString korean = ShellAppFolder() + L"Config\\" + LangFileName(6);
        return ::GetFileAttributesW(korean) != INVALID_FILE_ATTRIBUTES ? LangFileName(6) : L"Eng.ini";
    }
    return LangFileName(languageId);
}

CString GetLanguageFilePath(UINT languageId)
{
    return ShellAppFolder() + L"Lang\\" + LangFileName(languageId);
}

CString GetLanguageIniPath(UINT languageId)
{
    return ShellAppFolder() + L"Config\\" + ConfigLangFileName(languageId);
}

CString ReadLanguageText(const CString& path, LPCWSTR section, LPCWSTR key)
{
    return AfxReadLangText(path, section, key);
}

CString ReadLanguageText(const CString& path, LPCWSTR section, int key)
{
    return AfxReadLangText(path, section, key);
}

CString ReadConfigLanguageText(UINT languageId, LPCWSTR section, LPCWSTR key)
{
    const CString path = GetLanguageIniPath(languageId);
    CString text = ReadLanguageText(path, section, key);
    const CString english = GetLanguageIniPath(1);
    if (text.IsEmpty() && path.CompareNoCase(english) != 0)
        text = ReadLanguageText(english, section, key);
    return text;
}

CString SoftConfPath()
{
    return ShellAppFolder() + L"Lang\\SoftConf.ini";
}

CString ReadSoftConf(LPCWSTR section, LPCWSTR key)
{
    // A settings value, not a text: an empty one is normal and not a miss.
    if (section == nullptr || key == nullptr)
        return CString();
    WCHAR buffer[kTextBuffer] = L"";
    if (::GetPrivateProfileStringW(section, key, L"", buffer, kTextBuffer, SoftConfPath()) == 0)
        return CString();
    buffer[kTextBuffer - 1] = 0;
    return CString(buffer);
}

BOOL WriteSoftConf(LPCWSTR value, LPCWSTR section, LPCWSTR key)
{
    return ::WritePrivateProfileStringW(section, key, value, SoftConfPath());
}

BOOL SaveLanguageId(int windowsLanguage)
{
    CString value;
    value.Format(L"%d", windowsLanguage);
    return WriteSoftConf(value, L"Soft", L"Lang");
}

void LoadUserDirs(CStringArray& dirs)
{
    for (int i = 0; i < kUserDirCount; ++i) {
        CString key;
        key.Format(L"UserDir%d", i);
        CString dir = ReadSoftConf(L"UserDirs", key);
        if (!dir.IsEmpty() && ::GetFileAttributesW(dir) != INVALID_FILE_ATTRIBUTES)
            dirs.Add(dir);
    }
}

void SaveUserDirs(const CStringArray& dirs)
{
    for (int i = 0; i < kUserDirCount; ++i) {
        CString key;
        key.Format(L"UserDir%d", i);
        WriteSoftConf(L"", L"UserDirs", key);
    }
    for (int i = 0; i < static_cast<int>(dirs.GetSize()); ++i) {
        CString key;
        key.Format(L"UserDir%d", i);
        WriteSoftConf(dirs.GetAt(i), L"UserDirs", key);
    }
}

UINT LanguageIdFromWindowsLanguage(const CString& lang)
{
    switch (_wtoi(lang)) {
    case 1028:
        return 3;
    case 1033:
        return 1;
    case 1036:
        return 4;
    case 1042:
        return 6;
    case 2052:
        return 2;
    default:
        return kDefaultLanguageId;
    }
}
