// Exports of Mirelle.dll, our stand-in for the outside media library that the
// movie maker writes its colour-sequence clips through. One AVI file is
// written at a time: CreateAVIInit starts it, CreateAVIWriteFrameDC appends
// the bitmap selected into a device context as the next frame, CreateAVIEnd
// finishes it. The file is an uncompressed 32-bit DIB video stream written
// through AVIFile under a temporary name; it takes the target's name only
// when it was finished without a write error.
// Results: 0 success, -1 failure. No C++ exception leaves an export.
#pragma once

#include <windows.h>

#ifdef MIRELLE_BUILDING
#define MIRELLE_API extern "C"
#else
#define MIRELLE_API extern "C" __declspec(dllimport)
#endif

// Starts a file at path for frames of width x height at framesPerSecond;
// only 32 bits per pixel are written. A file still open is finished first.
MIRELLE_API int __stdcall CreateAVIInit(LPCWSTR path, int width, int height, int bits, int framesPerSecond);

// Appends the picture of the bitmap selected into dc as the next frame (a
// framework DC converts to its handle). -1 when no file is open or the frame
// could not be written.
MIRELLE_API int __stdcall CreateAVIWriteFrameDC(HDC dc);

// Finishes the open file; -1 when none was open or a write failed (the
// partial file is then removed).
MIRELLE_API int __stdcall CreateAVIEnd();
