// The controller library's application object: sets the library up when the
// DLL loads and lets the outside senders go when it unloads.
#pragma once

#include <windows.h>

class CCorvaneApp {
public:
    // Reads the display depth: 24 bits per pixel give 3 bytes per frame
    // pixel, 32 give 4 (other depths keep 4).
    BOOL InitInstance();
    // Destroys every sender's outside CSend_Udp.
    int ExitInstance();
};
