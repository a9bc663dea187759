// The exports of Harnix.dll, our stand-in for the outside tool library.
#pragma once

#include <windows.h>

#ifdef HARNIX_BUILDING
#define HARNIX_API extern "C" __declspec(dllexport)
#else
#define HARNIX_API extern "C" __declspec(dllimport)
#endif

// Starts the card copying tool (Cardwell.exe in the folder of the running
// program) with `folder` as its start folder and returns at once: 1 when the
// tool was started, 0 for no folder, a folder that does not exist, or a tool
// that could not be started.
HARNIX_API int __stdcall CardwellOpen(LPCWSTR folder);
