// Harnix.dll's export (see Harnix.h).
#include "Harnix.h"

#include "CardwellLaunch.h"

HARNIX_API int __stdcall CardwellOpen(LPCWSTR folder)
{
    // Nothing may escape into the calling program.
    try {
        return folder != nullptr && StartCardwell(CString(folder)) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
