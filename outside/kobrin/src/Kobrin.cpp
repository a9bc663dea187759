// Kobrin.dll: the honest stand-in. Nothing can be opened, so there is no
// handle to look after and every handle call is a no-op with its neutral result.
#include "Kobrin.h"

KOBRIN_API int __stdcall TOLFileOpen(LPCWSTR, HDC, int, int, int, int)
{
    return -1;
}

KOBRIN_API int __stdcall TOLFileSeekTo(int, int)
{
    return 0;
}

KOBRIN_API int __stdcall TOLFileForward(int)
{
    return 0;
}

KOBRIN_API int __stdcall TOLFileGetFrames(int)
{
    return 0;
}

KOBRIN_API int __stdcall TOLFileClose(int)
{
    return 0;
}
