// Language text lookup of the layout editor.
#include "LayoutLangText.h"

#include "LayoutFolders.h"
#include "fw_langtext.h"

namespace {
int g_language = 2;
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
    return AfxReadLangText(GetLanguageIniPath(g_language), section, key);
}

CString GetLangText(LPCWSTR section, int key)
{
    CString text;
    text.Format(L"%d", key);
    return GetLangTextByKey(section, text);
}
