// Flossar.dll: the honest stand-in. Nothing can be opened, so there is no
// handle to look after and every handle call is a no-op with its neutral result.
#include "Flossar.h"

FLOSSAR_API int __stdcall SWFFileOpen(LPCWSTR, HDC, int, int, int, int)
{
    return -1;
}

FLOSSAR_API int __stdcall SWFFileSeekTo(int, int)
{
    return 0;
}

FLOSSAR_API int __stdcall SWFFileForward(int)
{
    return 0;
}

FLOSSAR_API int __stdcall SWFFileGetFrames(int)
{
    return 0;
}

FLOSSAR_API int __stdcall SWFFileClose(int)
{
    return 0;
}

FLOSSAR_API int __stdcall SWFClearEnv()
{
    return 0;
}
