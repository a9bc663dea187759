// Entry point of Quorra.dll: the framework starts and ends the library's
// application object.
#include "QuorraApp.h"

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        ::DisableThreadLibraryCalls(hInstance);
    else if (dwReason == DLL_PROCESS_DETACH)
        TheQuorraApp().m_bProcessEnding = lpReserved != nullptr;
    return AfxDllMain(hInstance, dwReason);
}
