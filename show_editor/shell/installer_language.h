// The language the installer chose, read from the program's uninstall key,
// and the seeding of the program's registry language value from it.
#pragma once

#include <afxwin.h>

// The uninstall key of the installed product named title, under the
// local-machine hive.
CString UninstallKeyOf(const CString& title);
// The installer's "NSIS:Language" value of a local-machine sub-key as text
// (a Windows language identifier such as "2052"); empty when the key or the
// value is missing.
CString GetInstallerLanguage(LPCWSTR subKey);
// "AppLang" of the section "AppConfig" in the application's profile: when it
// is 0 (or missing) it becomes the installer's language of installerKey (0
// when that is empty or not a number); any other value is kept. Returns the
// value the profile holds afterwards.
int SeedAppLanguage(CWinApp& app, LPCWSTR installerKey);
