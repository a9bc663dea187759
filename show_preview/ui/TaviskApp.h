// CTaviskApp: start-up of the preview program.
#pragma once

#include <afxwin.h>

class CTaviskApp : public CWinApp {
public:
    // A name other than the program's keeps the remembered settings apart
    // (the registry key is named after it).
    explicit CTaviskApp(LPCTSTR appName = nullptr);
    BOOL InitInstance() override;
    int ExitInstance() override;

    // The application identifier and the restart support the program
    // announces (kept for the program's identity).
    CString m_appId = L"Tavisk.AppID.NoVersion";
    DWORD m_restartFlags = 63;

protected:
    DECLARE_MESSAGE_MAP()
};
