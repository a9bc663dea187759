// CDornelApp: the show editor's application object. Its start-up makes sure
// one copy runs, starts GDI+ and OLE, prepares the registry key and the
// language value, shows the splash with the update check, registers the
// project document template, processes the command line and shows the main
// window maximised.
#pragma once

#include <afxwin.h>

#include "single_instance.h"

#include <objidl.h>
#include <gdiplus.h>

class CDornelApp : public CWinAppEx {
public:
    CDornelApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Start-up steps, in order (each FALSE ends the start).
    BOOL ClaimSingleInstance();
    BOOL StartServices();
    void PrepareRegistry();
    // Runs the splash and the update it may find; FALSE when an update was
    // installed and the program must end.
    BOOL RunSplashAndUpdate();
    BOOL CreateDocTemplate();
    BOOL ProcessCommandLine();

    CString m_applicationId;
    CString m_singleInstanceName;
    CSingleInstance m_singleInstance;
    ULONG_PTR m_gdiplusToken = 0;
    Gdiplus::GdiplusStartupInput m_gdiplusInput;

protected:
    // The splash, run modally; returns its update result.
    virtual int RunSplash();
    void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    bool m_oleStarted = false;
};
