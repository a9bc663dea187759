// Exports of Flossar.dll, the SWF animation library of the show editor. It
// opens plain and zlib-compressed SWF files and plays their main timeline
// frame by frame (scripts are not run; the timeline loops), drawing each
// frame into the caller's device context at x, y, width, height, scaled from
// the stage, over the stage's background colour. Handles come from a counter
// and any number of files may be open at once. No C++ exception leaves an
// export.
#pragma once

#include <windows.h>

#ifdef FLOSSAR_BUILDING
#define FLOSSAR_API extern "C"
#else
#define FLOSSAR_API extern "C" __declspec(dllimport)
#endif

// Opens an animation file to be drawn into (x, y, width, height) of dc;
// a handle of 1 or more, or -1 (missing or unreadable file, not SWF, LZMA
// compression, no stage). Opening draws nothing; the first Forward draws
// frame 1.
FLOSSAR_API int __stdcall SWFFileOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height);
// Positions the animation at frame (counted from 1; below 1 is frame 1,
// beyond the last wraps around) and draws it; the frame shown or -1.
FLOSSAR_API int __stdcall SWFFileSeekTo(int handle, int frame);
// Draws the next frame (frame 1 after the last); the frame shown or -1.
FLOSSAR_API int __stdcall SWFFileForward(int handle);
// Number of frames (1 or more for an open file); 0 for a handle that is not
// open.
FLOSSAR_API int __stdcall SWFFileGetFrames(int handle);
// Releases the handle; 0, or -1 for a handle that is not open.
FLOSSAR_API int __stdcall SWFFileClose(int handle);
// Clears the library's shared state (the callers do so after closing); all
// state belongs to handles, so this has nothing to do.
FLOSSAR_API int __stdcall SWFClearEnv();
