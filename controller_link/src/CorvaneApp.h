// The controller library's application object: sets the library up when the
// DLL loads and lets the outside senders go when it unloads.
#pragma once

#include <afxwin.h>

class CCorvaneApp : public CWinApp {
public:
    using CWinApp::CWinApp;

    // The framework's start, then the display depth: 24 bits per pixel give
    // 3 bytes per frame pixel, 32 give 4 (other depths keep 4).
    BOOL InitInstance() override;
    // Destroys every sender's outside CSend_Udp, then the framework's end.
    int ExitInstance() override;
};
