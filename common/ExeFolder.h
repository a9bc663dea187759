// The folder of the running program's executable.
#pragma once

#include <afx.h>

// The executable's folder without a trailing backslash: its module path (at
// most 260 characters) cut before the last backslash.
CString GetExeFolder();
// The part of a full file path before its last backslash (the whole path
// when it has none).
CString FolderOfModulePath(const CString& modulePath);
