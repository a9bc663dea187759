// The card copying tool's application.
#include "DuplaneApp.h"

#include "DuplaneDlg.h"

#include <shellapi.h>

BOOL CDuplaneApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS | ICC_DATE_CLASSES | ICC_USEREX_CLASSES
        | ICC_COOL_CLASSES | ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS | ICC_NATIVEFNTCTL_CLASS;
    ::InitCommonControlsEx(&controls);
    CWinApp::InitInstance();

    std::unique_ptr<ICardDevices> devices = CreateDevices();
    CDuplaneDlg dlg(*devices);
    // Arguments 1..n are folders of generated files.
    std::vector<CString> args = m_arrArgs;
    if (args.empty()) {
        int argc = 0;
        LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
        for (int i = 1; argv != nullptr && i < argc; ++i)
            args.emplace_back(argv[i]);
        if (argv != nullptr)
            ::LocalFree(argv);
    }
    for (const CString& arg : args)
        dlg.m_arrStartFolders.Add(arg);

    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

std::unique_ptr<ICardDevices> CDuplaneApp::CreateDevices()
{
    return std::make_unique<CWindowsCardDevices>();
}
