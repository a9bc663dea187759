// The DMX address tool's application.
#include "PelloxApp.h"

#include "PelloxDlg.h"

BOOL CPELLOXApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS | ICC_DATE_CLASSES | ICC_USEREX_CLASSES
        | ICC_COOL_CLASSES | ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS | ICC_NATIVEFNTCTL_CLASS;
    ::InitCommonControlsEx(&controls);
    CWinApp::InitInstance();

    CPELLOXDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
