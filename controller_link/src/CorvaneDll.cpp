// Entry point of Corvane.dll: the framework starts and ends the library's
// application object.
#include "CorvaneApp.h"

namespace {
CCorvaneApp theApp(L"Corvane");
}

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    return AfxDllMain(hInstance, reason);
}
