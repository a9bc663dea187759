// Exports of Flossar.dll, our stand-in for the outside SWF animation
// library. We have no SWF decoder here: the stand-in opens no file (open
// returns -1, the failure the callers test for), reports 0 frames, and every
// call with a handle ignores it. The calls and their arguments are those the
// show editor makes. No C++ exception leaves an export.
#pragma once

#include <windows.h>

#ifdef FLOSSAR_BUILDING
#define FLOSSAR_API extern "C"
#else
#define FLOSSAR_API extern "C" __declspec(dllimport)
#endif

// Opens an animation file to be drawn into (x, y, width, height) of dc;
// a handle of 0 or more, or -1.
FLOSSAR_API int __stdcall SWFFileOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height);
// Positions the animation at frame (counted from 1) and draws it.
FLOSSAR_API int __stdcall SWFFileSeekTo(int handle, int frame);
// Draws the next frame.
FLOSSAR_API int __stdcall SWFFileForward(int handle);
// Number of frames; 0 for a handle that is not open.
FLOSSAR_API int __stdcall SWFFileGetFrames(int handle);
// Releases the handle.
FLOSSAR_API int __stdcall SWFFileClose(int handle);
// Clears the library's shared state (the callers do so after closing).
FLOSSAR_API int __stdcall SWFClearEnv();
