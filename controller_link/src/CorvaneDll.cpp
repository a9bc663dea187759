// Entry point of Corvane.dll: starts and ends the application object.
#include "CorvaneApp.h"

namespace {
CCorvaneApp theApp;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        return theApp.InitInstance();
    if (reason == DLL_PROCESS_DETACH)
        theApp.ExitInstance();
    return TRUE;
}
