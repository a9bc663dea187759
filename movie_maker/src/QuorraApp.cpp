// CQuorraApp: GDI+ for the library's life, and ShowMaker's run of the dialog
// with the library's own resources.
#include "QuorraApp.h"
#include "EasyMovieDlg.h"

namespace {
CQuorraApp theApp;
} // namespace

CQuorraApp& TheQuorraApp()
{
    return theApp;
}

CQuorraApp::CQuorraApp()
    : CWinApp(L"Quorra")
{
}

BOOL CQuorraApp::InitInstance()
{
    if (!CWinApp::InitInstance())
        return FALSE;
    if (m_gdiplusToken == 0 && Gdiplus::GdiplusStartup(&m_gdiplusToken, &m_gdiplusStartupInput, nullptr) != Gdiplus::Ok)
        m_gdiplusToken = 0;
    return TRUE;
}

int CQuorraApp::ExitInstance()
{
    if (m_gdiplusToken != 0 && !m_bProcessEnding)
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
    m_gdiplusToken = 0;
    return CWinApp::ExitInstance();
}

void CQuorraApp::ShowMaker()
{
    m_hSavedResource = AfxGetResourceHandle();
    AfxSetResourceHandle(AfxGetStaticModuleState()->m_hCurrentInstanceHandle);
    m_outputFiles.RemoveAll();
    {
        CEasyMovieDlg dlg;
        dlg.m_hMsgWnd = m_hMsgWnd;
        dlg.m_pColorOutDC = m_pColorOutDC;
        dlg.DoModal();
        m_outputFiles.Append(dlg.m_exportedPaths);
        AfxSetResourceHandle(m_hSavedResource);
    }
}
