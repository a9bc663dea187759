// The layout editor's start-up (see PannexApp.h).
#include "PannexApp.h"

#include <commctrl.h>
#include <gdiplus.h>

#include "AboutDlg.h"
#include "IconMenu.h"
#include "LayoutLangText.h"
#include "LayoutMessageBoxes.h"
#include "MainFrm.h"
#include "PannexDoc.h"
#include "PannexResource.h"
#include "PannexSession.h"
#include "PannexView.h"

int LightBoxMode = 0;

BEGIN_MESSAGE_MAP(CPannexApp, CWinAppEx)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
END_MESSAGE_MAP()

CPannexApp* GetPannexApp()
{
    return dynamic_cast<CPannexApp*>(AfxGetApp());
}

CPannexApp::CPannexApp()
{
    m_nLanguage = 2;
    m_bHidden = 0;
    m_bHiColorIcons = true;
}

void CPannexApp::ApplyStartValues(const PannexStartValues& values)
{
    m_hCallerWnd = values.callerWnd;
    m_nWidth = values.width;
    m_nHeight = values.height;
    m_nPortsPerController = values.portsPerController;
    m_nChannelsPerPort = values.channelsPerPort;
    m_nControllerCap = values.controllerCap;
    m_strDxfPath = values.dxfPath;
    m_nLanguage = values.language;
    m_bHidden = values.hidden ? 1 : 0;
    if (values.lightBox)
        LightBoxMode = 1;
    SetCallerWindow(m_hCallerWnd);
}

BOOL CPannexApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&controls);
    if (!AfxOleInit()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }
    m_bOleStarted = true;
    SetRegistryKey(L"应用程序向导生成的本地应用程序");
    LoadStdProfileSettings(4);
    InstallLayoutMessageBoxes();

    // The owner-drawn menus ask which system they run on once.
    ProbeIconMenuSystem();

    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplusInput, nullptr);

    PreLoadState();
    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, RUNTIME_CLASS(CPannexDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CPannexView)));

    if (CheckAndMarkFirstRun(GetFirstRunIniPath())) {
        // The first start forgets any saved workspace layout.
        HKEY key = GetAppRegistryKey();
        if (key != nullptr) {
            ::RegDeleteTreeW(key, L"WorkSpace");
            ::RegCloseKey(key);
        }
    }

    // Layout files open in this program, for this user only.
    WCHAR program[MAX_PATH] = {};
    if (::GetModuleFileNameW(nullptr, program, MAX_PATH) > 0)
        RegisterLayoutFileType(program);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);

    PannexStartValues values;
    int registryLanguage = 0;
    values.language = ReadRegistryLanguage(registryLanguage) ? registryLanguage : m_nLanguage;
    const CommandLineResult parsed = ParsePannexCommandLine(cmdInfo.m_strFileName, values);
    ApplyStartValues(values);
    if (parsed == CommandLineResult::OutOfRange) {
        // Sizes the model cannot take never reach it: the caller is told
        // nothing more than that the editor did not start.
        SetLangTextLanguage(values.language);
        AfxGetUiHost().MessageBox(nullptr, GetLangText(L"LAYOUT", 902), L"Solvane", MB_OK | MB_ICONERROR);
        m_bBadCommandLine = true;
        return FALSE;
    }
    if (parsed == CommandLineResult::TooFewFields) {
        // Nothing of a short CMD line is used: the caller gets no reply and
        // the editor does not start.
        m_bBadCommandLine = true;
        return FALSE;
    }
    if (parsed == CommandLineResult::Mode) {
        cmdInfo.m_strFileName.Empty();
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
    }
    const CString namedFile = values.namedFile;
    m_bFileNamed = namedFile.IsEmpty() ? 0 : 1;
    SetStartupFilePending(m_bFileNamed != 0);
    if (m_bHidden)
        m_nCmdShow = SW_HIDE;

    if (!ProcessShellCommand(cmdInfo)) {
        m_bFileNamed = 0;
        SetStartupFilePending(false);
        return FALSE;
    }
    if (m_bFileNamed) {
        m_bFileNamed = 0;
        SetStartupFilePending(false);
        if (!LoadNamedFile(namedFile))
            return FALSE;
    }
    if (m_pMainWnd == nullptr)
        return FALSE;
    // No saved workspace is restored here: the menu takes its language
    // texts now.
    LoadCustomState();
    m_pMainWnd->ShowWindow(m_bHidden ? SW_HIDE : m_nCmdShow);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

BOOL CPannexApp::LoadNamedFile(const CString& path)
{
    auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
    if (frame == nullptr)
        return FALSE;
    auto* doc = dynamic_cast<CPannexDoc*>(frame->GetActiveDocument());
    if (doc == nullptr)
        return FALSE;
    // The document reads either format by its first bytes and tells the
    // user when the file cannot be read.
    return doc->OpenLayoutFile(path);
}

int CPannexApp::ExitInstance()
{
    if (m_gdiplusToken != 0) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
    }
    // OLE stays up until the process ends (the framework started it once
    // for this thread).
    m_bOleStarted = false;
    return CWinAppEx::ExitInstance();
}

void CPannexApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

void CPannexApp::PreLoadState()
{
    // Resource ids of the menus and the string ids of their names ("编辑"
    // for the view's edit menu, "资源管理器" for the list panel's).
    m_contextMenus.AddMenu(IDS_EDIT_MENU, 119);
    for (UINT id : { 174u, 315u, 316u, 322u })
        m_contextMenus.AddMenu(IDS_EXPLORER, id);
}

void CPannexApp::LoadCustomState()
{
    if (auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd))
        frame->LocalizeMenus();
}
