// Language-file lookup of the movie maker.
#include "MakerLang.h"
#include "QuorraApp.h"
#include "fw_langtext.h"

#include <vector>

CString GetModuleFolder()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return CString();
        if (n < path.size())
            break;
        path.resize(path.size() * 2);
    }
    CString full(path.data());
    int cut = full.ReverseFind(L'\\');
    return cut >= 0 ? full.Left(cut) : full;
}

CString GetMakerLanguagePath(int nLanguage)
{
    LPCWSTR file = L"Eng.ini";
    switch (nLanguage) {
    case 2:
        file = L"Chs.ini";
        break;
    case 3:
        file = L"Cht.ini";
        break;
    case 4:
        file = L"French.ini";
        break;
    default:
        break;
    }
    return GetModuleFolder() + L"\\Lang\\" + file;
}

CString GetMakerLangText(int nLanguage, LPCTSTR lpszSection, int nKey)
{
    return AfxReadLangText(GetMakerLanguagePath(nLanguage), lpszSection, nKey);
}

CString GetMakerLangText(LPCTSTR lpszSection, int nKey)
{
    return GetMakerLangText(TheQuorraApp().m_nLanguage, lpszSection, nKey);
}

CString GetMakerLangTextOr(LPCTSTR lpszSection, int nKey, LPCTSTR lpszBuiltIn)
{
    CString text = GetMakerLangText(lpszSection, nKey);
    return text.IsEmpty() ? CString(lpszBuiltIn) : text;
}
