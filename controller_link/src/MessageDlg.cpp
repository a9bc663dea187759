// The layout editor's hidden partner dialog (see MessageDlg.h).
#include "MessageDlg.h"

#include "CorvaneLibrary.h"
#include "CorvaneResource.h"
#include "EditorProcess.h"
#include "PixelMapFile.h"

#include <fw_uihost.h>

IMPLEMENT_DYNAMIC(CMessageDlg, CDialog)

namespace {

// Posted by the watcher when the editor's process has ended.
constexpr UINT WM_EDITOR_ENDED = WM_APP + 0x51;

struct WatchArgs {
    HANDLE editor;
    HANDLE stop;
    HWND window;
};

DWORD WINAPI WatchEditorProc(LPVOID parameter)
{
    const WatchArgs args = *static_cast<WatchArgs*>(parameter);
    delete static_cast<WatchArgs*>(parameter);
    const HANDLE handles[2] = { args.editor, args.stop };
    // The editor sends its replies synchronously, so every reply has been
    // handled by the time its process can end.
    if (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0)
        ::PostMessageW(args.window, WM_EDITOR_ENDED, 0, 0);
    return 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CMessageDlg, CDialog)
ON_WM_COPYDATA()
ON_WM_DESTROY()
ON_MESSAGE(WM_EDITOR_ENDED, OnEditorEnded)
END_MESSAGE_MAP()

CMessageDlg::CMessageDlg(CWnd* pParent)
    : CDialog(IDD_MESSAGE_DLG, pParent)
{
}

CMessageDlg::~CMessageDlg()
{
    StopWatching();
}

void CMessageDlg::WatchEditor(HANDLE process)
{
    m_editor = process;
    m_stopWatch = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (m_stopWatch == nullptr)
        return;
    auto* args = new WatchArgs { m_editor, m_stopWatch, m_hWnd };
    m_watcher = ::CreateThread(nullptr, 0, &WatchEditorProc, args, 0, nullptr);
    if (m_watcher == nullptr)
        delete args;
}

void CMessageDlg::StopWatching()
{
    if (m_watcher != nullptr) {
        ::SetEvent(m_stopWatch);
        ::WaitForSingleObject(m_watcher, INFINITE);
        ::CloseHandle(m_watcher);
        m_watcher = nullptr;
    }
    if (m_stopWatch != nullptr)
        ::CloseHandle(m_stopWatch);
    if (m_editor != nullptr)
        ::CloseHandle(m_editor);
    m_stopWatch = nullptr;
    m_editor = nullptr;
}

LRESULT CMessageDlg::OnEditorEnded(WPARAM, LPARAM)
{
    // As if "EXIT" had come: what was saved is read, else nothing was.
    PostMessage(WM_CLOSE);
    return 0;
}

void CMessageDlg::OnDestroy()
{
    StopWatching();
    CDialog::OnDestroy();
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
    HANDLE process = nullptr;
    // An editor that cannot be started never answers: stop waiting for it.
    if (line.IsEmpty() || !StartEditorProcess(GetLayoutEditorPath(), line, process)) {
        PostMessage(WM_CLOSE);
        return TRUE;
    }
    if (process != nullptr)
        WatchEditor(process);
    return TRUE;
}

BOOL CMessageDlg::OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct)
{
    // The text is the sender's: bounded by the size it gave, ended at its
    // first zero.
    CString text;
    // The editor's records are of kind 0; anything else is not its reply.
    if (pCopyDataStruct && pCopyDataStruct->dwData == 0 && pCopyDataStruct->lpData) {
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
