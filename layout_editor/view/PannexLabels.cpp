// Language texts with a fallback (see PannexLabels.h).
#include "PannexLabels.h"

#include "LayoutLangText.h"

CString LangTextOr(LPCWSTR section, int key, LPCWSTR fallback)
{
    const CString text = GetLangText(section, key);
    return text.IsEmpty() ? CString(fallback) : text;
}
