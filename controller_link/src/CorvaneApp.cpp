// The controller library's application object (see CorvaneApp.h).
#include "CorvaneApp.h"

#include "CorvaneLibrary.h"
#include "DisplaySurface.h"

BOOL CCorvaneApp::InitInstance()
{
    if (!CWinApp::InitInstance())
        return FALSE;
    return GuardedExport(L"InitInstance", FALSE, [] {
        DisplaySurface surface;
        if (surface.Create()) {
            if (surface.m_bitsPerPixel == 24)
                Library().bytesPerPixel = 3;
            else if (surface.m_bitsPerPixel == 32)
                Library().bytesPerPixel = 4;
        }
        return TRUE;
    });
}

int CCorvaneApp::ExitInstance()
{
    GuardedExport(L"ExitInstance", 0, [] {
        Library().screens.DestroyOutsideSenders();
        return 0;
    });
    return CWinApp::ExitInstance();
}
