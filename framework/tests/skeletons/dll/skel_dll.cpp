// The DLL skeleton: a regular DLL with its own application object (run at
// load and unload) and a dialog from its own resources behind an exported
// __stdcall function.
#include "afxwin.h"
#include "skel_dll_resource.h"

namespace {
class CSkelDllApp : public CWinApp {
public:
    using CWinApp::CWinApp;
    BOOL InitInstance() override
    {
        m_bInitialized = TRUE;
        return TRUE;
    }
    int ExitInstance() override
    {
        m_bInitialized = FALSE;
        return CWinApp::ExitInstance();
    }
    BOOL m_bInitialized = FALSE;
};

CSkelDllApp theApp(L"SkeletonDll");

class CAskDlg : public CDialogEx {
public:
    explicit CAskDlg(CWnd* pParent)
        : CDialogEx(IDD_SKEL_ASK, pParent)
    {
    }
    int m_nValue = 0;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_SKEL_VALUE, m_nValue); }
};
} // namespace

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    return AfxDllMain(hInstance, dwReason);
}

// Shows the DLL's dialog with nInitial; returns the value entered, -1 when
// cancelled, -2 on an internal error (nothing is thrown across the boundary).
extern "C" int __stdcall SkelAsk(HWND hWndParent, int nInitial)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    try {
        CAskDlg dlg(CWnd::FromHandle(hWndParent));
        dlg.m_nValue = nInitial;
        if (dlg.DoModal() != IDOK)
            return -1;
        return dlg.m_nValue;
    } catch (...) {
        return -2;
    }
}

// 1 while the DLL's application object is initialised.
extern "C" int __stdcall SkelInitState()
{
    return theApp.m_bInitialized ? 1 : 0;
}
