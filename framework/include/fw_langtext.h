// Our addition: the one reader of language-file texts, shared by every
// program and library of the suite, and the record of the lookups that found
// nothing. A language file that lacks a key makes its window fall back to a
// resource text or show nothing; the record lets a test open every window
// and name each text the shipped files still lack.
//
// With the environment variable LEDSUITE_LANG_MISS_LOG naming a file, each
// miss is also appended there as one UTF-8 line
// "file<TAB>section<TAB>key<TAB>path", so a whole program run (or several
// modules of one process) can be checked.
#pragma once

#include "afx.h"

#include <initializer_list>
#include <vector>

// One lookup that found nothing (file missing, key missing or value empty).
struct CLangTextMiss {
    CString strFile; // the file's name with its folder: "Lang\Eng.ini"
    CString strPath; // the full path that was read
    CString strSection;
    CString strKey;
};

// The key's text in the section of the INI file at path; empty when the path
// is empty, the file, section or key is missing, or the value is empty. At
// most 2047 characters. An empty result is recorded as a miss.
CString AFXAPI AfxReadLangText(LPCWSTR lpszPath, LPCWSTR lpszSection, LPCWSTR lpszKey);
// The same with a numbered key (written with "%d").
CString AFXAPI AfxReadLangText(LPCWSTR lpszPath, LPCWSTR lpszSection, int nKey);

// A language text with numbers in it: each "%d" mark, in order, replaced by
// the next value; marks beyond the values stay as they are. Texts come from
// files, so they are never used as a format.
CString AFXAPI AfxLangTextWithNumbers(const CString& text, std::initializer_list<int> values);

// The misses recorded in this module since the start or the last clear, in
// order, each once.
std::vector<CLangTextMiss> AFXAPI AfxGetLangTextMisses();
void AFXAPI AfxClearLangTextMisses();
