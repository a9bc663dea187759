// Texts of the movie maker's dialogs from the language files in "Lang"
// beside the running program.
#pragma once

#include <afx.h>

// The running program's folder (of the executable, not of this library),
// without the trailing backslash.
CString GetModuleFolder();
// <program folder>\Lang\<file of the language>; unknown languages read English.
CString GetMakerLanguagePath(int nLanguage);
// The text of a numbered key in a section of the stored language's file;
// empty when the file or key is missing.
CString GetMakerLangText(LPCTSTR lpszSection, int nKey);
CString GetMakerLangText(int nLanguage, LPCTSTR lpszSection, int nKey);
// The stored language's text, or the built-in one when the file has none.
CString GetMakerLangTextOr(LPCTSTR lpszSection, int nKey, LPCTSTR lpszBuiltIn);
