// Test support for flows across programs: the processes of a program file
// and their visible top-level windows, looked up from outside.
#pragma once

#include "afx.h"

#include <vector>

namespace fwtest {
// The ids of the running processes whose program file is lpszExeName
// ("Pannex.exe"; letter case ignored).
std::vector<DWORD> ProcessesNamed(LPCTSTR lpszExeName);
// A visible top-level window of the process: a dialog box (class "#32770")
// or, with bDialog false, any other window such as its main window; null
// when it has none.
HWND FindProcessWindow(DWORD dwProcessId, bool bDialog);
// Waits (pumping the caller's messages) until FindProcessWindow finds one.
HWND WaitForProcessWindow(DWORD dwProcessId, bool bDialog, DWORD dwTimeoutMillis = 20000);
} // namespace fwtest
