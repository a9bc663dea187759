// The exports of Reelcore.dll, the video decoding library. A caller knows an
// open video only by its handle (> 0); a result below 0 means the open
// failed. Every call with a handle that is not open does nothing and answers
// 0.
#pragma once

#include <windows.h>

#ifdef REELCORE_BUILDING
#define REELCORE_API
#else
#define REELCORE_API __declspec(dllimport)
#endif

// FFmpegFileOpen's failures: the file cannot be played, or its pictures are
// larger than the library scales (wider or higher than 16384 pixels, or more
// pixels than 8192 x 4320), which is found from its headers before anything
// is decoded.
#define REELCORE_OPEN_FAILED (-1)
#define REELCORE_PICTURE_TOO_LARGE (-2)

extern "C" {

// Opens a video file and starts its decoding thread. Frames are later drawn
// stretched into (x, y, x + width, y + height) of dc, after cutting the four
// crop margins off the decoded picture. Returns a handle > 0, or one of the
// failures above.
REELCORE_API int __stdcall FFmpegFileOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height, int cropLeft,
    int cropTop, int cropRight, int cropBottom);

// Stops the decoding thread and frees the player; unknown handles are ignored.
REELCORE_API void __stdcall FFmpegFileClose(int handle);

// Draws the next decoded frame and counts it (counting on to the total at the
// end of the file). Returns 1 when the handle is open, else 0.
REELCORE_API int __stdcall FFmpegFileForward(int handle);

// Seeks to frame (1 .. total, clamped); the counter becomes frame - 1. With
// draw set the frame is drawn without counting. Returns 1 when open, else 0.
REELCORE_API int __stdcall FFmpegFileSeekTo(int handle, int frame, BOOL draw);

REELCORE_API int __stdcall FFmpegFileGetWidth(int handle);
REELCORE_API int __stdcall FFmpegFileGetHeight(int handle);
// Total frames of the video stream.
REELCORE_API int __stdcall FFmpegFileGetFrames(int handle);
// Frames drawn and counted so far.
REELCORE_API int __stdcall FFmpegFileGetFrame(int handle);
}
