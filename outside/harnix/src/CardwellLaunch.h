// Starting the card copying tool on a folder of generated files, through
// the UI host's process start (tests watch it there).
#pragma once

#include <afx.h>

// Cardwell.exe in the folder of the running program's executable.
CString CardwellPath();

// Starts CardwellPath() shown, not waited for, with the folder as its one
// (quoted) argument and the program folder as its working folder. False
// for an empty folder, one that does not exist, or a failed start.
bool StartCardwell(const CString& folder);
