// Starting the layout editor as a process whose end the launch dialog can
// wait for. Tests put a starter of their own in place of the real start.
#pragma once

#include <afx.h>

#include <functional>

// Starts `file` shown with `parameters`; true with the process's handle in
// `process` (the caller closes it; a starter may give none), else false.
using EditorStarter = std::function<bool(const CString& file, const CString& parameters, HANDLE& process)>;

bool StartEditorProcess(const CString& file, const CString& parameters, HANDLE& process);

// Replaces the start for tests; an empty starter restores the real one.
void SetEditorStarterForTest(EditorStarter starter);
