// The hidden dialog behind the layout exports: it starts the layout editor
// with a command line that names the dialog's window, copies every layout
// the editor reports saved (WM_COPYDATA with the file's path) beside the
// screen's exchange ".lpx" (ScreenLayoutStagingPath), and closes when the
// editor reports "EXIT" or its process ends. The export reads the last
// copy and only then replaces the exchange file with it.
#pragma once

#include <afxwin.h>

class CMessageDlg : public CDialog {
    DECLARE_DYNAMIC(CMessageDlg)
public:
    explicit CMessageDlg(CWnd* pParent = nullptr);

    // 1 new layout, 2 edit a layout file, 3 import a DXF file, 5 new
    // light-box layout.
    int m_mode = 0;
    int m_screen = 0;
    int m_width = 512;
    int m_height = 384;
    int m_portsPerController = 8;
    int m_channelsPerPort = 3072;
    // Layout or DXF file for modes 2 and 3; after a reply the screen's
    // exchange ".lpx".
    CString m_path;
    int m_saved = 0;

    // The editor's argument for this dialog's mode and window.
    CString CommandLine(HWND window, int language) const;

    ~CMessageDlg() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
    LRESULT OnEditorEnded(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Watches the started editor: when its process ends without "EXIT"
    // (closed by force, crashed), the wait ends as if it had come.
    void WatchEditor(HANDLE process);
    void StopWatching();

    HANDLE m_editor = nullptr; // the editor's process
    HANDLE m_stopWatch = nullptr;
    HANDLE m_watcher = nullptr;
};
