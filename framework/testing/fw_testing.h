// Test support for window code: a scripted UI host that answers prompts in
// order and records them, a fake clock with deterministic timers, message
// pumping with a time-out, and driving of modal dialogs.
#pragma once

#include "afxdlgs.h"

#include <deque>
#include <ostream>
#include <functional>
#include <map>
#include <vector>

// Lets GoogleTest print strings in failure messages.
inline void PrintTo(const CString& s, std::ostream* os)
{
    *os << '"' << CStringA(s).GetString() << '"';
}

namespace fwtest {
// Answers the framework's prompts from a script. Installed for its lifetime;
// a prompt that the script does not expect fails the current test, and so
// does an expected prompt that never came.
class CScriptedUiHost : public CUiHost {
public:
    enum class Kind { MessageBox, FileOpen, FileSave, Folder, Color, Font, ShellOpen, Process };

    CScriptedUiHost();
    ~CScriptedUiHost() override;
    CScriptedUiHost(const CScriptedUiHost&) = delete;
    CScriptedUiHost& operator=(const CScriptedUiHost&) = delete;

    // The next message box is answered with nAnswer; with lpszContains, its
    // text must contain that.
    void ExpectMessageBox(int nAnswer, LPCTSTR lpszContains = nullptr);
    // The next open (save) dialog returns these paths; none means cancel.
    void ExpectFileOpen(std::vector<CString> paths);
    void ExpectFileSave(LPCTSTR lpszPath);
    void ExpectFolder(LPCTSTR lpszFolder);
    void ExpectColor(COLORREF color);
    void ExpectFont(const LOGFONT& lf, COLORREF color = 0);
    void ExpectShellOpen(BOOL bResult = TRUE);
    void ExpectProcess(DWORD dwExitCode, BOOL bStarted = TRUE);
    // Cancels the next prompt of this kind.
    void ExpectCancel(Kind kind);

    // One line per prompt: "MessageBox: <text>", "FileOpen: <filter>",
    // "FileSave: <file name>", "Folder: <title>", "Color", "Font",
    // "ShellOpen: <file>", "Process: <file> <parameters>".
    const std::vector<CString>& Transcript() const { return m_transcript; }
    size_t PendingCount() const { return m_script.size(); }
    // Last requests as the framework made them.
    CFileDialogRequest m_lastFileRequest;
    CProcessRequest m_lastProcess;
    UINT m_nLastMessageBoxType = 0;
    HWND m_hLastMessageBoxOwner = nullptr;
    CString m_strLastMessageBoxCaption; // empty for none (the system then shows "Error")

    int MessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) override;
    BOOL FileDialog(CFileDialogRequest& request) override;
    BOOL PickFolder(HWND hWndOwner, LPCTSTR lpszTitle, CString& strFolder) override;
    BOOL PickColor(HWND hWndOwner, COLORREF& color, DWORD dwFlags) override;
    BOOL PickFont(HWND hWndOwner, LOGFONT& logFont, COLORREF& color, DWORD dwFlags) override;
    BOOL ShellOpen(
        HWND hWndOwner, LPCTSTR lpszFile, LPCTSTR lpszParameters, LPCTSTR lpszDirectory, int nShowCmd) override;
    BOOL StartProcess(const CProcessRequest& request, DWORD* pExitCode) override;

private:
    struct Step {
        Kind kind = Kind::MessageBox;
        bool cancel = false;
        int nAnswer = 0;
        CString strContains;
        std::vector<CString> paths;
        COLORREF color = 0;
        LOGFONT font {};
        DWORD dwValue = 0;
    };
    // The next step if it is of this kind; records a failure otherwise.
    bool Take(Kind kind, const CString& what, Step& step);

    std::deque<Step> m_script;
    std::vector<CString> m_transcript;
    CUiHost* m_pPrevious;
};

// A settable clock and timer source. SetTimer calls made through the
// framework are recorded; Advance moves the clock and delivers WM_TIMER for
// every timer that falls due, in time order.
class CFakeClock : public CTimeSource {
public:
    explicit CFakeClock(DWORD dwStart = 1000);
    ~CFakeClock() override;
    CFakeClock(const CFakeClock&) = delete;
    CFakeClock& operator=(const CFakeClock&) = delete;

    DWORD GetTickCount() override { return m_now; }
    UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfn) override;
    BOOL KillTimer(HWND hWnd, UINT_PTR nIDEvent) override;

    void Advance(DWORD dwMillis);
    // Delivers one WM_TIMER now, whether or not it is due.
    void Fire(HWND hWnd, UINT_PTR nIDEvent);
    bool HasTimer(HWND hWnd, UINT_PTR nIDEvent) const;
    size_t TimerCount() const { return m_timers.size(); }

private:
    struct Timer {
        UINT nElapse;
        DWORD dwDue;
        TIMERPROC lpfn;
    };
    DWORD m_now;
    std::map<std::pair<HWND, UINT_PTR>, Timer> m_timers;
    CTimeSource* m_pPrevious;
};

// Dispatches queued messages until cond() holds or the time-out passes;
// returns cond()'s last value.
bool PumpUntil(const std::function<bool()>& cond, DWORD dwTimeoutMillis = 5000);
// Dispatches what is queued now.
void PumpPending();

// A dialog that the code under test makes and runs itself is driven with
// CDialogDriver (fw_dialog_driver.h); temporary folders: CTempFolder
// (fw_temp_folder.h).

// Runs dlg modally; drive gets the live dialog once its message loop runs
// (after WM_INITDIALOG), sets controls and ends it. A dialog that drive left
// open is ended with IDABORT and fails the test.
INT_PTR RunModal(CDialog& dlg, const std::function<void(CDialog&)>& drive);

// Clicks a button the way the user would: the parent gets BN_CLICKED.
void ClickButton(CWnd& parent, int nID);
// Clicks an arrow of an up-down control the way the control reports it:
// the parent gets UDN_DELTAPOS with the delta (-1 is the up arrow in the
// control's default range).
void ClickSpinArrow(CWnd& parent, int nSpinID, int nDelta);
void SetItemText(CWnd& parent, int nID, LPCTSTR lpszText);
CString GetItemText(CWnd& parent, int nID);
// Sends a command as a menu would.
void SendCommand(CWnd& wnd, UINT nID);
} // namespace fwtest
