// The About dialog.
#include "about_dlg.h"

#include "lang_service.h"
#include "main_frame.h"
#include "resource.h"

CAboutDlg::CAboutDlg()
    : CDialogEx(IDD_ABOUTBOX)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    CString text;
    text.Format(L"%s %s", ReadSoftConf(L"Soft", L"Title").GetString(), ReadSoftConf(L"Soft", L"Version").GetString());
    SetDlgItemText(IDC_ABOUT_TITLE, text);
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    CString caption = frame != nullptr ? frame->GetLangText(L"TITLE", 4)
                                       : ReadLanguageText(GetLanguageFilePath(kDefaultLanguageId), L"TITLE", 4);
    if (!caption.IsEmpty())
        SetWindowText(caption);
    const CString line = frame != nullptr ? frame->GetLangText(L"TITLE", 9)
                                          : ReadLanguageText(GetLanguageFilePath(kDefaultLanguageId), L"TITLE", 9);
    if (!line.IsEmpty())
        SetDlgItemText(IDC_ABOUT_LINE, line);
    CenterWindow();
    return TRUE;
}
