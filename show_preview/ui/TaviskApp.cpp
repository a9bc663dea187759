// Start-up of the preview program (see TaviskApp.h).
#include "TaviskApp.h"

#include <afxole.h>
#include <commctrl.h>

#include "MainFrm.h"
#include "TaviskDoc.h"
#include "TaviskView.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CTaviskApp, CWinApp)
END_MESSAGE_MAP()

CTaviskApp::CTaviskApp(LPCTSTR appName)
    : CWinApp(appName)
{
}

BOOL CTaviskApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls { sizeof(INITCOMMONCONTROLSEX),
        ICC_WIN95_CLASSES | ICC_LINK_CLASS | ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    if (!AfxOleInit()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }
    SetRegistryKey(L"应用程序向导生成的本地应用程序");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, RUNTIME_CLASS(CTaviskDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CTaviskView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    // 1000 x 700, centred on the screen.
    const int width = 1000;
    const int height = 700;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    m_pMainWnd->MoveWindow(x, y, width, height);
    return TRUE;
}

int CTaviskApp::ExitInstance()
{
    return CWinApp::ExitInstance();
}
