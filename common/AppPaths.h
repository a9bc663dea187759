// Folders beside the running program: the program folder, its "Config"
// folder and the chip database in it. Every result ends as documented.
#pragma once

#include <afx.h>

// The running program's folder, with a trailing backslash.
CString GetAppFolder();
// GetAppFolder() + "Config\".
CString GetConfigFolder();
// GetConfigFolder() + "Chip.ini": the chip database.
CString GetChipIniPath();
