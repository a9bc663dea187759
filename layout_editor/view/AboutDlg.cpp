// The about box (see AboutDlg.h).
#include "AboutDlg.h"

#include <fw_labels.h>

#include "FileScrambler.h"
#include "LayoutFolders.h"
#include "LayoutLangText.h"
#include "MainFrm.h"
#include "PannexResource.h"

namespace {
constexpr DWORD kChars = 2048;

CString Read(const CString& path, LPCWSTR section, LPCWSTR key)
{
    WCHAR buffer[kChars];
    const DWORD n = ::GetPrivateProfileStringW(section, key, L"", buffer, kChars, path);
    return CString(buffer, static_cast<int>(n));
}
} // namespace

AboutContent ReadAboutContent(const CString& iniPath, int language)
{
    AboutContent content;
    const LPCWSTR section = (language == 2 || language == 3) ? L"CHS" : L"ENG";
    content.caption = L"About " + Read(iniPath, L"APP", L"2");
    content.lineCount = std::max(0, _wtoi(Read(iniPath, section, L"count")));
    // No about box holds more lines than fit a screen.
    content.lineCount = std::min(content.lineCount, 100);
    content.textHeight = 30 * content.lineCount + 60;
    content.dialogHeight = std::max(content.textHeight + 50, 163);
    CString text;
    for (int i = 1; i <= content.lineCount; ++i) {
        CString key;
        key.Format(L"%d", i);
        text += Read(iniPath, section, key) + L"\r\n\r\n";
    }
    CString version = Read(iniPath, L"CONFIG", L"VersionSet");
    if (version.IsEmpty())
        version = L"1710";
    text += L"Version: " + version + L"\r\n\r\n" + L"All rights reserved.";
    content.text = text;
    return content;
}

CAboutDlg::CAboutDlg()
    : CDialog(IDD_ABOUTBOX)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CString path = GetLogoFolder() + L"abt.lgo";
    UnscrambleFileInPlace(path);
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    const int language = frame != nullptr ? frame->m_nLanguage : GetLangTextLanguage();
    m_content = ReadAboutContent(path, language);
    SetWindowText(m_content.caption);

    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), m_content.dialogHeight, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(&window);
    if (CWnd* text = GetDlgItem(IDC_ABOUT_TEXT)) {
        text->SetWindowPos(nullptr, 10, 13, 333, m_content.textHeight, SWP_NOZORDER);
        text->SetWindowText(m_content.text);
    }
    if (CWnd* ok = GetDlgItem(IDOK)) {
        CRect button;
        ok->GetWindowRect(&button);
        ok->SetWindowPos(nullptr, window.Width() - button.Width() - 13, window.Height() - button.Height() - 37, 0, 0,
            SWP_NOSIZE | SWP_NOZORDER);
        // A language file without the text keeps the resource's "OK".
        ApplyLabel(*this, IDOK, GetLangText(L"TITLE", 3));
    }
    // The height changed with the text: centre the box as it is now.
    CenterWindow();
    return TRUE;
}
