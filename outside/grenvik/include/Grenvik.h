// Exports of Grenvik.dll, our stand-in for the outside AVI library that the
// show editor's AVI export writes through. One AVI file is written at a time:
// KVCreateAVIInit starts it, KVCreateAVIWriteFrameDC appends the bitmap of a
// device context as the next frame, KVCreateAVIEnd finishes it. The file is
// an uncompressed 32-bit DIB video stream written through AVIFile; it is
// built under a temporary name beside the target and takes the target's name
// only when it was finished without a write error.
// Results: 0 success, -1 failure. No C++ exception leaves an export.
#pragma once

#include <windows.h>

#ifdef GRENVIK_BUILDING
#define GRENVIK_API extern "C"
#else
#define GRENVIK_API extern "C" __declspec(dllimport)
#endif

// Starts a file at path for frames of width x height at framesPerSecond. Only
// 32 bits per pixel are written; bits is checked to be 32. A file still open
// is finished first.
GRENVIK_API int __stdcall KVCreateAVIInit(LPCWSTR path, int width, int height, int bits, int framesPerSecond);

// Appends the picture of the bitmap selected into dc, from its top-left
// corner and at the size given to KVCreateAVIInit (parts outside the bitmap
// are black). -1 when no file is open or the frame could not be written.
GRENVIK_API int __stdcall KVCreateAVIWriteFrameDC(HDC dc);

// Finishes the open file and gives it its name; -1 when none was open or a
// write failed (the partial file is then removed).
GRENVIK_API int __stdcall KVCreateAVIEnd();
