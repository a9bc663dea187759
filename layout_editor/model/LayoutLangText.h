// The layout editor's language texts: a text by section and key from the
// language file of the current language ("Config" folder). The main frame
// sets the language at start-up; every lookup reads the file anew.
#pragma once

#include <afx.h>

// The current language id (default 2, Simplified Chinese).
void SetLangTextLanguage(int languageId);
int GetLangTextLanguage();

// The value of the key, or an empty string when the file, the key or the
// value is missing. Values hold at most 2047 characters.
CString GetLangTextByKey(LPCWSTR section, LPCWSTR key);
// The same with the key given as a number (written with "%d").
CString GetLangText(LPCWSTR section, int key);
