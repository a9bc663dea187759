// The show editor's language files and its settings file "SoftConf.ini":
// which file a language number reads, the text lookups behind the main
// frame's GetLangText family, the [Soft] and [UserDirs] values, and the
// mapping between Windows language identifiers and the program's numbers.
#pragma once

#include <afx.h>

// The program's language number (LanguageId): 1 English, 2 Simplified
// Chinese (the default), 3 Traditional Chinese, 4 French, 6 Korean.
constexpr UINT kDefaultLanguageId = 2;

// The program folder every path below is built from, with a trailing
// backslash: the running program's folder unless a test set another.
CString ShellAppFolder();
// Test hook: makes the shell's paths start at folder (null restores).
void SetShellAppFolderForTesting(LPCWSTR folder);

// File name of a language in the "Lang" folder and in the "Config" folder
// (where Korean reads the English file unless a Korean one is installed);
// an unknown number reads the English file.
LPCWSTR LangFileName(UINT languageId);
LPCWSTR ConfigLangFileName(UINT languageId);
// Program folder + "Lang\" + the language's file.
CString GetLanguageFilePath(UINT languageId);
// Program folder + "Config\" + the language's file.
CString GetLanguageIniPath(UINT languageId);

// One text of a language file: empty when the file, section or key is
// missing or the value is empty; at most 2047 characters.
CString ReadLanguageText(const CString& path, LPCWSTR section, LPCWSTR key);
CString ReadLanguageText(const CString& path, LPCWSTR section, int key);

// One text of the "Config" language files (the hardware dialogs): from the
// language's file, or from the English one when that file lacks it.
CString ReadConfigLanguageText(UINT languageId, LPCWSTR section, LPCWSTR key);

// The settings file: program folder + "Lang\SoftConf.ini".
CString SoftConfPath();
CString ReadSoftConf(LPCWSTR section, LPCWSTR key);
BOOL WriteSoftConf(LPCWSTR value, LPCWSTR section, LPCWSTR key);
// Writes the Windows language identifier as [Soft] Lang.
BOOL SaveLanguageId(int windowsLanguage);
// Appends UserDir0 .. UserDir15 of [UserDirs] that name existing paths.
void LoadUserDirs(CStringArray& dirs);
// Clears UserDir0 .. UserDir15, then writes entry i as UserDir<i>.
void SaveUserDirs(const CStringArray& dirs);

// [Soft] Lang (decimal Windows language identifier) to LanguageId: 1028 3,
// 1033 1, 1036 4, 1042 6, 2052 2; anything else keeps the default 2.
UINT LanguageIdFromWindowsLanguage(const CString& lang);
