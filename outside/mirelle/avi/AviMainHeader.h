// The frame time of an AVI file's main header. The system's AVI writer under
// Wine stores the frame rate scaled up (25,000,000 us per frame for 25
// frames per second) while the stream header is right; players that read the
// main header then play a frame every 25 seconds. Written files get the time
// set from their rate after they are closed.
#pragma once

#include <windows.h>

// Sets dwMicroSecPerFrame of the "avih" header of the closed AVI file at path
// to 1,000,000 / framesPerSecond (rounded). FALSE when the file cannot be
// opened or has no main header in its first kilobytes, or the rate is not
// positive; the file is then left as it was.
BOOL SetAviMicroSecPerFrame(LPCWSTR path, int framesPerSecond);
// The value stored there now; 0 when there is none.
DWORD GetAviMicroSecPerFrame(LPCWSTR path);
