// The show editor's application object.
#include "dornel_app.h"

#include <afxole.h>
#include <commctrl.h>

#include "about_dlg.h"
#include "dornel_doc.h"
#include "dornel_view.h"
#include "installer_language.h"
#include "main_frame.h"
#include "resource.h"
#include "shell_services.h"
#include "splash_screen.h"

BEGIN_MESSAGE_MAP(CDornelApp, CWinAppEx)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CDornelApp::CDornelApp()
    : m_applicationId(L"Dornel.AppID.NoVersion")
    , m_singleInstanceName(L"Vantrel")
{
}

BOOL CDornelApp::ClaimSingleInstance()
{
    switch (m_singleInstance.Claim(m_singleInstanceName)) {
    case CSingleInstance::kClaimed:
        return TRUE;
    case CSingleInstance::kAlreadyRunning:
        AfxMessageBox(L"Program Is Running!", MB_OK);
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL CDornelApp::StartServices()
{
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &m_gdiplusInput, nullptr);
    if (!AfxOleInit()) {
        AfxMessageBox(IDS_OLE_INIT_FAILED);
        return FALSE;
    }
    m_oleStarted = true;
    return TRUE;
}

void CDornelApp::PrepareRegistry()
{
    SetRegistryKey(L"Vantrel");
    LoadStdProfileSettings(4);
    SeedAppLanguage(*this, UninstallKeyOf(L"Vantrel"));
}

int CDornelApp::RunSplash()
{
    CSplashScreen splash;
    splash.DoModal();
    return splash.GetUpdateResult();
}

BOOL CDornelApp::RunSplashAndUpdate()
{
    if (RunSplash() != 1)
        return TRUE;
    CShellServices& services = ShellServices();
    if (services.UpdateConfirm() == 1 && services.DownloadAndInstall() == 1)
        return FALSE; // the installer replaces the program now
    return TRUE;
}

BOOL CDornelApp::CreateDocTemplate()
{
    auto* docTemplate = new CSingleDocTemplate(
        IDR_MAINFRAME, RUNTIME_CLASS(CDornelDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CDornelView));
    AddDocTemplate(docTemplate);
    return TRUE;
}

BOOL CDornelApp::ProcessCommandLine()
{
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    return ProcessShellCommand(cmdInfo);
}

BOOL CDornelApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc { sizeof(icc), 0xFF };
    ::InitCommonControlsEx(&icc);
    CWinAppEx::InitInstance();

    if (!ClaimSingleInstance())
        return FALSE;
    if (!StartServices())
        return FALSE;
    PrepareRegistry();
    if (!RunSplashAndUpdate())
        return FALSE;
    if (!CreateDocTemplate())
        return FALSE;
    if (!ProcessCommandLine() || m_pMainWnd == nullptr)
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOWMAXIMIZED);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

int CDornelApp::ExitInstance()
{
    if (m_oleStarted) {
        ::OleUninitialize();
        m_oleStarted = false;
    }
    if (m_gdiplusToken != 0) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
    }
    m_singleInstance.Release();
    return CWinAppEx::ExitInstance();
}

void CDornelApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}
