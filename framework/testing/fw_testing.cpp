// Test support for window code.
#include "fw_testing.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace fwtest {
namespace {
const wchar_t* KindName(CScriptedUiHost::Kind kind)
{
    switch (kind) {
    case CScriptedUiHost::Kind::MessageBox:
        return L"MessageBox";
    case CScriptedUiHost::Kind::FileOpen:
        return L"FileOpen";
    case CScriptedUiHost::Kind::FileSave:
        return L"FileSave";
    case CScriptedUiHost::Kind::Folder:
        return L"Folder";
    case CScriptedUiHost::Kind::Color:
        return L"Color";
    case CScriptedUiHost::Kind::Font:
        return L"Font";
    case CScriptedUiHost::Kind::ShellOpen:
        return L"ShellOpen";
    case CScriptedUiHost::Kind::Process:
        return L"Process";
    }
    return L"?";
}

std::string Narrow(const CString& s)
{
    return std::string(CStringA(s).GetString());
}
} // namespace

CScriptedUiHost::CScriptedUiHost()
    : m_pPrevious(AfxSetUiHost(this))
{
}

CScriptedUiHost::~CScriptedUiHost()
{
    AfxSetUiHost(m_pPrevious);
    for (const Step& step : m_script)
        ADD_FAILURE() << "expected prompt never came: " << Narrow(KindName(step.kind)) << " "
                      << Narrow(step.strContains);
}

bool CScriptedUiHost::Take(Kind kind, const CString& what, Step& step)
{
    CString line = KindName(kind);
    if (!what.IsEmpty())
        line += L": " + what;
    m_transcript.push_back(line);
    if (m_script.empty() || m_script.front().kind != kind) {
        ADD_FAILURE() << "unexpected prompt: " << Narrow(line);
        return false;
    }
    step = m_script.front();
    m_script.pop_front();
    if (!step.strContains.IsEmpty() && what.Find(step.strContains) < 0)
        ADD_FAILURE() << "prompt \"" << Narrow(what) << "\" does not contain \"" << Narrow(step.strContains) << "\"";
    return true;
}

void CScriptedUiHost::ExpectMessageBox(int nAnswer, LPCTSTR lpszContains)
{
    Step step;
    step.kind = Kind::MessageBox;
    step.nAnswer = nAnswer;
    if (lpszContains != nullptr)
        step.strContains = lpszContains;
    m_script.push_back(step);
}

void CScriptedUiHost::ExpectFileOpen(std::vector<CString> paths)
{
    Step step;
    step.kind = Kind::FileOpen;
    step.cancel = paths.empty();
    step.paths = std::move(paths);
    m_script.push_back(step);
}

void CScriptedUiHost::ExpectFileSave(LPCTSTR lpszPath)
{
    Step step;
    step.kind = Kind::FileSave;
    step.paths.emplace_back(lpszPath);
    m_script.push_back(step);
}

void CScriptedUiHost::ExpectFolder(LPCTSTR lpszFolder)
{
    Step step;
    step.kind = Kind::Folder;
    step.paths.emplace_back(lpszFolder);
    m_script.push_back(step);
}

void CScriptedUiHost::ExpectColor(COLORREF color)
{
    Step step;
    step.kind = Kind::Color;
    step.color = color;
    m_script.push_back(step);
}

void CScriptedUiHost::ExpectFont(const LOGFONT& lf, COLORREF color)
{
    Step step;
    step.kind = Kind::Font;
    step.font = lf;
    step.color = color;
    m_script.push_back(step);
}

void CScriptedUiHost::ExpectShellOpen(BOOL bResult)
{
    Step step;
    step.kind = Kind::ShellOpen;
    step.nAnswer = bResult;
    m_script.push_back(step);
}

void CScriptedUiHost::ExpectProcess(DWORD dwExitCode, BOOL bStarted)
{
    Step step;
    step.kind = Kind::Process;
    step.dwValue = dwExitCode;
    step.nAnswer = bStarted;
    m_script.push_back(step);
}

void CScriptedUiHost::ExpectCancel(Kind kind)
{
    Step step;
    step.kind = kind;
    step.cancel = true;
    step.nAnswer = IDCANCEL;
    m_script.push_back(step);
}

int CScriptedUiHost::MessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    m_nLastMessageBoxType = nType;
    m_hLastMessageBoxOwner = hWndOwner;
    m_strLastMessageBoxCaption = lpszCaption != nullptr ? lpszCaption : L"";
    Step step;
    if (!Take(Kind::MessageBox, lpszText, step))
        return (nType & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    return step.cancel ? IDCANCEL : step.nAnswer;
}

BOOL CScriptedUiHost::FileDialog(CFileDialogRequest& request)
{
    m_lastFileRequest = request;
    Kind kind = request.bOpen ? Kind::FileOpen : Kind::FileSave;
    Step step;
    if (!Take(kind, request.bOpen ? request.strFilter : request.strFileName, step) || step.cancel || step.paths.empty())
        return FALSE;
    request.results = step.paths;
    // A save over an existing file asks first, as the real dialog does.
    if (!request.bOpen && (request.dwFlags & OFN_OVERWRITEPROMPT) != 0
        && ::GetFileAttributes(step.paths.front()) != INVALID_FILE_ATTRIBUTES) {
        CString text;
        text.Format(L"%s already exists.\nDo you want to replace it?", ::PathFindFileName(step.paths.front()));
        if (MessageBox(request.hWndOwner, text, request.strTitle, MB_YESNO | MB_ICONWARNING) != IDYES)
            return FALSE;
    }
    return TRUE;
}

BOOL CScriptedUiHost::PickFolder(HWND, LPCTSTR lpszTitle, CString& strFolder)
{
    Step step;
    if (!Take(Kind::Folder, lpszTitle != nullptr ? lpszTitle : L"", step) || step.cancel || step.paths.empty())
        return FALSE;
    strFolder = step.paths.front();
    return TRUE;
}

BOOL CScriptedUiHost::PickColor(HWND, COLORREF& color, DWORD)
{
    Step step;
    if (!Take(Kind::Color, CString(), step) || step.cancel)
        return FALSE;
    color = step.color;
    return TRUE;
}

BOOL CScriptedUiHost::PickFont(HWND, LOGFONT& logFont, COLORREF& color, DWORD)
{
    Step step;
    if (!Take(Kind::Font, CString(), step) || step.cancel)
        return FALSE;
    logFont = step.font;
    color = step.color;
    return TRUE;
}

BOOL CScriptedUiHost::ShellOpen(HWND, LPCTSTR lpszFile, LPCTSTR, LPCTSTR, int)
{
    Step step;
    if (!Take(Kind::ShellOpen, lpszFile != nullptr ? lpszFile : L"", step) || step.cancel)
        return FALSE;
    return step.nAnswer;
}

BOOL CScriptedUiHost::StartProcess(const CProcessRequest& request, DWORD* pExitCode)
{
    m_lastProcess = request;
    CString what = request.strFile;
    if (!request.strParameters.IsEmpty())
        what += L" " + request.strParameters;
    Step step;
    if (!Take(Kind::Process, what, step) || step.cancel || !step.nAnswer)
        return FALSE;
    if (pExitCode != nullptr && request.bWait)
        *pExitCode = step.dwValue;
    return TRUE;
}

// ---------------------------------------------------------------------------

CFakeClock::CFakeClock(DWORD dwStart)
    : m_now(dwStart)
    , m_pPrevious(AfxSetTimeSource(this))
{
}

CFakeClock::~CFakeClock()
{
    AfxSetTimeSource(m_pPrevious);
}

UINT_PTR CFakeClock::SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfn)
{
    if (nElapse == 0)
        nElapse = 1;
    m_timers[{ hWnd, nIDEvent }] = Timer { nElapse, m_now + nElapse, lpfn };
    return nIDEvent == 0 ? 1 : nIDEvent;
}

BOOL CFakeClock::KillTimer(HWND hWnd, UINT_PTR nIDEvent)
{
    return m_timers.erase({ hWnd, nIDEvent }) > 0;
}

bool CFakeClock::HasTimer(HWND hWnd, UINT_PTR nIDEvent) const
{
    return m_timers.count({ hWnd, nIDEvent }) > 0;
}

void CFakeClock::Fire(HWND hWnd, UINT_PTR nIDEvent)
{
    auto it = m_timers.find({ hWnd, nIDEvent });
    TIMERPROC lpfn = it != m_timers.end() ? it->second.lpfn : nullptr;
    if (lpfn != nullptr)
        lpfn(hWnd, WM_TIMER, nIDEvent, m_now);
    else
        ::SendMessage(hWnd, WM_TIMER, nIDEvent, 0);
}

void CFakeClock::Advance(DWORD dwMillis)
{
    DWORD target = m_now + dwMillis;
    for (;;) {
        // The earliest timer due by the target time; handlers may add or kill timers.
        auto next = m_timers.end();
        for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
            if (static_cast<LONG>(it->second.dwDue - target) <= 0
                && (next == m_timers.end() || static_cast<LONG>(it->second.dwDue - next->second.dwDue) < 0))
                next = it;
        }
        if (next == m_timers.end())
            break;
        m_now = next->second.dwDue;
        next->second.dwDue += next->second.nElapse;
        auto key = next->first;
        Fire(key.first, key.second);
    }
    m_now = target;
}

// ---------------------------------------------------------------------------

void PumpPending()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        CWinApp* pApp = AfxGetApp();
        if (pApp == nullptr || !pApp->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

bool PumpUntil(const std::function<bool()>& cond, DWORD dwTimeoutMillis)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        PumpPending();
        if (cond())
            return true;
        if (::GetTickCount() - start >= dwTimeoutMillis)
            return cond();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

INT_PTR RunModal(CDialog& dlg, const std::function<void(CDialog&)>& drive)
{
    bool driven = false;
    AfxSetDialogInitHook([&](CDialog& live) {
        if (&live != &dlg || driven)
            return;
        driven = true;
        // A modal dialog shows once its queue first runs empty; show it now so
        // that "still open" reads the same to the test at any time.
        live.ShowWindow(SW_SHOW);
        drive(live);
        if (live.m_hWnd != nullptr && ::IsWindow(live.m_hWnd) && ::IsWindowVisible(live.m_hWnd)) {
            ADD_FAILURE() << "the dialog was left open by the test";
            live.EndDialog(IDABORT);
        }
    });
    INT_PTR result = dlg.DoModal();
    AfxSetDialogInitHook(nullptr);
    EXPECT_TRUE(driven) << "the dialog never reached its message loop";
    return result;
}

void ClickButton(CWnd& parent, int nID)
{
    HWND hButton = ::GetDlgItem(parent.m_hWnd, nID);
    ::SendMessage(parent.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
}

void ClickSpinArrow(CWnd& parent, int nSpinID, int nDelta)
{
    NMUPDOWN change = {};
    change.hdr.hwndFrom = ::GetDlgItem(parent.m_hWnd, nSpinID);
    change.hdr.idFrom = static_cast<UINT_PTR>(nSpinID);
    change.hdr.code = UDN_DELTAPOS;
    change.iDelta = nDelta;
    ::SendMessage(parent.m_hWnd, WM_NOTIFY, static_cast<WPARAM>(nSpinID), reinterpret_cast<LPARAM>(&change));
}

void SetItemText(CWnd& parent, int nID, LPCTSTR lpszText)
{
    ::SetDlgItemText(parent.m_hWnd, nID, lpszText);
}

CString GetItemText(CWnd& parent, int nID)
{
    CString s;
    parent.GetDlgItemText(nID, s);
    return s;
}

void SendCommand(CWnd& wnd, UINT nID)
{
    ::SendMessage(wnd.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, 0), 0);
}
} // namespace fwtest
