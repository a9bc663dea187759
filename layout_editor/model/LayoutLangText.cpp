// Language text lookup of the layout editor.
#include "LayoutLangText.h"

#include "LayoutFolders.h"

namespace {
int g_language = 2;
constexpr DWORD kTextChars = 2048;
} // namespace

void SetLangTextLanguage(int languageId)
{
    g_language = languageId;
}

int GetLangTextLanguage()
{
    return g_language;
}

CString GetLangTextByKey(LPCWSTR section, LPCWSTR key)
{
    const CString path = GetLanguageIniPath(g_language);
    if (path.IsEmpty() || section == nullptr || key == nullptr)
        return CString();
    WCHAR buffer[kTextChars];
    const DWORD read = ::GetPrivateProfileStringW(section, key, L"", buffer, kTextChars, path);
    return read == 0 ? CString() : CString(buffer, static_cast<int>(read));
}

CString GetLangText(LPCWSTR section, int key)
{
    CString text;
    text.Format(L"%d", key);
    return GetLangTextByKey(section, text);
}
