// Exports of Kobrin.dll, our stand-in for the outside TOL animation
// library. We have no TOL decoder here: the stand-in opens no file (open
// returns -1, the failure the callers test for), reports 0 frames, and every
// call with a handle ignores it. The calls and their arguments are those the
// show editor makes. No C++ exception leaves an export.
#pragma once

#include <windows.h>

#ifdef KOBRIN_BUILDING
#define KOBRIN_API extern "C"
#else
#define KOBRIN_API extern "C" __declspec(dllimport)
#endif

// Opens an animation file to be drawn into (x, y, width, height) of dc;
// a handle of 0 or more, or -1.
KOBRIN_API int __stdcall TOLFileOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height);
// Positions the animation at frame (counted from 0) and draws it.
KOBRIN_API int __stdcall TOLFileSeekTo(int handle, int frame);
// Draws the next frame.
KOBRIN_API int __stdcall TOLFileForward(int handle);
// Number of frames; 0 for a handle that is not open.
KOBRIN_API int __stdcall TOLFileGetFrames(int handle);
// Releases the handle.
KOBRIN_API int __stdcall TOLFileClose(int handle);
