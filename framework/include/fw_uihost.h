// The UI host: the one place where the framework asks the user something or
// hands work to the shell (message boxes, file, folder, colour and font
// pickers, shell open, process start). The real host shows real dialogs;
// tests install a scripted host that answers in order and records prompts.
#pragma once

#include "afx.h"

#include <vector>

// What a file dialog asks; the host fills in the chosen path(s).
struct CFileDialogRequest {
    BOOL bOpen = TRUE;
    HWND hWndOwner = nullptr;
    CString strTitle;
    CString strFilter; // "Text (*.txt)|*.txt|All (*.*)|*.*||"
    CString strDefExt; // without the dot
    CString strFileName; // initial name or path
    CString strInitialDir;
    DWORD dwFlags = 0; // OFN_ flags: OFN_ALLOWMULTISELECT, OFN_OVERWRITEPROMPT, ...
    int nFilterIndex = 1; // 1-based, in and out
    // Characters the dialog's name buffer holds (the folder and every name
    // chosen, each with its terminator); 0 or less than 64 K takes 64 K.
    DWORD nMaxFile = 0;
    std::vector<CString> results; // full paths chosen
};

struct CProcessRequest {
    CString strFile;
    CString strParameters;
    CString strDirectory;
    BOOL bHidden = TRUE;
    BOOL bWait = FALSE;
    DWORD dwWaitMillis = INFINITE;
};

class CUiHost {
public:
    virtual ~CUiHost() = default;

    // Returns the button pressed (IDOK, IDYES, ...).
    virtual int MessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) = 0;
    // TRUE when the user chose a file; the request then holds the paths. The
    // host asks about overwriting an existing file when OFN_OVERWRITEPROMPT is set.
    virtual BOOL FileDialog(CFileDialogRequest& request) = 0;
    virtual BOOL PickFolder(HWND hWndOwner, LPCTSTR lpszTitle, CString& strFolder) = 0;
    virtual BOOL PickColor(HWND hWndOwner, COLORREF& color, DWORD dwFlags) = 0;
    virtual BOOL PickFont(HWND hWndOwner, LOGFONT& logFont, COLORREF& color, DWORD dwFlags) = 0;
    // ShellExecute "open" of a file, folder or URL; TRUE on success.
    virtual BOOL ShellOpen(
        HWND hWndOwner, LPCTSTR lpszFile, LPCTSTR lpszParameters, LPCTSTR lpszDirectory, int nShowCmd)
        = 0;
    // Starts a process (hidden when asked); with bWait, waits and returns its
    // exit code through pExitCode. TRUE when the process started.
    virtual BOOL StartProcess(const CProcessRequest& request, DWORD* pExitCode) = 0;
};

// The host that shows the real dialogs.
class CRealUiHost : public CUiHost {
public:
    int MessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) override;
    BOOL FileDialog(CFileDialogRequest& request) override;
    BOOL PickFolder(HWND hWndOwner, LPCTSTR lpszTitle, CString& strFolder) override;
    BOOL PickColor(HWND hWndOwner, COLORREF& color, DWORD dwFlags) override;
    BOOL PickFont(HWND hWndOwner, LOGFONT& logFont, COLORREF& color, DWORD dwFlags) override;
    BOOL ShellOpen(
        HWND hWndOwner, LPCTSTR lpszFile, LPCTSTR lpszParameters, LPCTSTR lpszDirectory, int nShowCmd) override;
    BOOL StartProcess(const CProcessRequest& request, DWORD* pExitCode) override;
};

// The current host (the real one unless a test installed another).
CUiHost& AFXAPI AfxGetUiHost();
// Installs a host (nullptr restores the real one); returns the previous one.
CUiHost* AFXAPI AfxSetUiHost(CUiHost* pHost);

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
BOOL AFXAPI AfxShellOpen(
    LPCTSTR lpszFile, LPCTSTR lpszParameters = nullptr, LPCTSTR lpszDirectory = nullptr, int nShowCmd = SW_SHOWNORMAL);
BOOL AFXAPI AfxStartProcess(const CProcessRequest& request, DWORD* pExitCode = nullptr);

// Splits a "Name|*.a;*.b|Name2|*.c||" filter into pairs; an odd tail is dropped.
std::vector<std::pair<CString, CString>> AFXAPI AfxSplitFilter(const CString& strFilter);

// Time source of the framework: code that asks for time calls these, tests
// replace them with a fake clock (see framework/testing).
class CTimeSource {
public:
    virtual ~CTimeSource() = default;
    virtual DWORD GetTickCount() = 0;
    virtual UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfn) = 0;
    virtual BOOL KillTimer(HWND hWnd, UINT_PTR nIDEvent) = 0;
};
DWORD AFXAPI AfxGetTickCount();
CTimeSource* AFXAPI AfxSetTimeSource(CTimeSource* pSource);
CTimeSource& AFXAPI AfxGetTimeSource();
