// The layout editor's hidden partner dialog (see MessageDlg.h).
#include "MessageDlg.h"

#include "CorvaneLibrary.h"
#include "CorvaneResource.h"
#include "PixelMapFile.h"

#include <fw_uihost.h>

IMPLEMENT_DYNAMIC(CMessageDlg, CDialog)

BEGIN_MESSAGE_MAP(CMessageDlg, CDialog)
ON_WM_COPYDATA()
END_MESSAGE_MAP()

CMessageDlg::CMessageDlg(CWnd* pParent)
    : CDialog(IDD_MESSAGE_DLG, pParent)
{
}

CString CMessageDlg::CommandLine(HWND window, int language) const
{
    const int handle = static_cast<int>(reinterpret_cast<INT_PTR>(window));
    CString line;
    switch (m_mode) {
    case 1:
    case 5:
        line.Format(L"CMD%d-%d,%d,%d,%d,%d,%d", m_mode, handle, m_width, m_height, m_portsPerController,
            m_channelsPerPort, language);
        break;
    case 2:
    case 3:
        // The quotes keep a path with spaces in one argument.
        line.Format(L"\"CMD%d-%d,%s\",%d", m_mode, handle, m_path.GetString(), language);
        break;
    default:
        break;
    }
    return line;
}

BOOL CMessageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    MoveWindow(-100, 0, 1, 1);
    m_saved = 0;
    if ((m_mode == 2 || m_mode == 3) && (m_path.IsEmpty() || GetFileAttributesW(m_path) == INVALID_FILE_ATTRIBUTES)) {
        PostMessage(WM_CLOSE);
        return TRUE;
    }
    const CString line = CommandLine(m_hWnd, Library().language);
    // An editor that cannot be started never answers: stop waiting for it.
    if (line.IsEmpty() || !AfxShellOpen(GetLayoutEditorPath(), line, nullptr, SW_SHOWNORMAL))
        PostMessage(WM_CLOSE);
    return TRUE;
}

BOOL CMessageDlg::OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct)
{
    // The text is the sender's: bounded by the size it gave, ended at its
    // first zero.
    CString text;
    if (pCopyDataStruct && pCopyDataStruct->lpData) {
        const auto* chars = static_cast<const wchar_t*>(pCopyDataStruct->lpData);
        const DWORD count = pCopyDataStruct->cbData / sizeof(wchar_t);
        DWORD length = 0;
        while (length < count && chars[length] != L'\0')
            ++length;
        text = CString(chars, static_cast<int>(length));
    }
    if (text == L"EXIT") {
        PostMessage(WM_CLOSE);
    } else if (!text.IsEmpty()) {
        // Each save is copied beside the exchange file, which keeps the
        // screen's current layout until the last save has been read (the
        // export replaces it then). Only a copied save counts as saved.
        m_path = ScreenLayoutPath(m_screen);
        CreateDirectoryW(GetExchangeFolder(), nullptr);
        if (CopyFileW(text, ScreenLayoutStagingPath(m_screen), FALSE))
            m_saved = 1;
    }
    return CDialog::OnCopyData(pWnd, pCopyDataStruct);
}
