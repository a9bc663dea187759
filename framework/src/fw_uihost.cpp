// The real UI host, the host switch, message box helpers and the time source.
#include "afxwin.h"

#include <shlobj.h>

#include <algorithm>

#include <string>

namespace {
CRealUiHost g_realHost;
CUiHost* g_pHost = nullptr;

class CSystemTimeSource : public CTimeSource {
public:
    DWORD GetTickCount() override { return ::GetTickCount(); }
    UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfn) override
    {
        return ::SetTimer(hWnd, nIDEvent, nElapse, lpfn);
    }
    BOOL KillTimer(HWND hWnd, UINT_PTR nIDEvent) override { return ::KillTimer(hWnd, nIDEvent); }
};
CSystemTimeSource g_systemTime;
CTimeSource* g_pTime = nullptr;

// "Name|*.a|Name2|*.b||" to the double-zero-terminated form of OPENFILENAME.
std::wstring NativeFilter(const CString& filter)
{
    std::wstring out;
    for (const auto& [name, pattern] : AfxSplitFilter(filter)) {
        out += name.GetString();
        out += L'\0';
        out += pattern.GetString();
        out += L'\0';
    }
    out += L'\0';
    return out;
}

int CALLBACK BrowseCallback(HWND hWnd, UINT uMsg, LPARAM, LPARAM lpData)
{
    if (uMsg == BFFM_INITIALIZED && lpData != 0)
        ::SendMessage(hWnd, BFFM_SETSELECTION, TRUE, lpData);
    return 0;
}
} // namespace

CUiHost& AFXAPI AfxGetUiHost()
{
    return g_pHost != nullptr ? *g_pHost : g_realHost;
}

CUiHost* AFXAPI AfxSetUiHost(CUiHost* pHost)
{
    CUiHost* pOld = g_pHost != nullptr ? g_pHost : &g_realHost;
    g_pHost = pHost;
    return pOld;
}

DWORD AFXAPI AfxGetTickCount()
{
    return AfxGetTimeSource().GetTickCount();
}

CTimeSource& AFXAPI AfxGetTimeSource()
{
    return g_pTime != nullptr ? *g_pTime : g_systemTime;
}

CTimeSource* AFXAPI AfxSetTimeSource(CTimeSource* pSource)
{
    CTimeSource* pOld = g_pTime != nullptr ? g_pTime : &g_systemTime;
    g_pTime = pSource == &g_systemTime ? nullptr : pSource;
    return pOld;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return AfxGetUiHost().MessageBox(nullptr, lpszText, AfxGetAppTitle(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    if (!text.LoadString(nIDPrompt))
        text.Format(L"Message %u", nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

BOOL AFXAPI AfxShellOpen(LPCTSTR lpszFile, LPCTSTR lpszParameters, LPCTSTR lpszDirectory, int nShowCmd)
{
    HWND hOwner = nullptr;
    CWnd::GetSafeOwner(nullptr, &hOwner);
    return AfxGetUiHost().ShellOpen(hOwner, lpszFile, lpszParameters, lpszDirectory, nShowCmd);
}

BOOL AFXAPI AfxStartProcess(const CProcessRequest& request, DWORD* pExitCode)
{
    return AfxGetUiHost().StartProcess(request, pExitCode);
}

std::vector<std::pair<CString, CString>> AFXAPI AfxSplitFilter(const CString& strFilter)
{
    std::vector<std::pair<CString, CString>> pairs;
    std::vector<CString> parts;
    int start = 0;
    for (;;) {
        int bar = strFilter.Find(L'|', start);
        if (bar < 0) {
            if (start < strFilter.GetLength())
                parts.push_back(strFilter.Mid(start));
            break;
        }
        parts.push_back(strFilter.Mid(start, bar - start));
        start = bar + 1;
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].IsEmpty())
            break; // "||" ends the list
        pairs.emplace_back(parts[i], parts[i + 1]);
    }
    return pairs;
}

// --- real host ----------------------------------------------------------------

int CRealUiHost::MessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return ::MessageBox(hWndOwner, lpszText, lpszCaption, nType);
}

BOOL CRealUiHost::FileDialog(CFileDialogRequest& request)
{
    std::wstring filter = NativeFilter(request.strFilter);
    // A multiple selection of thousands of files needs the room its caller
    // asks for; more than 16 M characters is asked by no dialog of ours.
    constexpr DWORD kLeast = 64 * 1024;
    constexpr DWORD kMost = 16 * 1024 * 1024;
    std::vector<wchar_t> buffer(std::clamp(request.nMaxFile, kLeast, kMost), 0);
    wcsncpy(buffer.data(), request.strFileName, buffer.size() - 1);
    OPENFILENAME ofn {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = request.hWndOwner;
    ofn.lpstrFilter = filter.size() > 1 ? filter.c_str() : nullptr;
    ofn.nFilterIndex = static_cast<DWORD>(request.nFilterIndex);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = request.strTitle.IsEmpty() ? nullptr : request.strTitle.GetString();
    ofn.lpstrInitialDir = request.strInitialDir.IsEmpty() ? nullptr : request.strInitialDir.GetString();
    ofn.lpstrDefExt = request.strDefExt.IsEmpty() ? nullptr : request.strDefExt.GetString();
    ofn.Flags = request.dwFlags | OFN_EXPLORER | OFN_NOCHANGEDIR;
    BOOL ok = request.bOpen ? ::GetOpenFileName(&ofn) : ::GetSaveFileName(&ofn);
    if (!ok)
        return FALSE;
    request.nFilterIndex = static_cast<int>(ofn.nFilterIndex);
    request.results.clear();
    const wchar_t* p = buffer.data();
    CString first = p;
    p += first.GetLength() + 1;
    if ((request.dwFlags & OFN_ALLOWMULTISELECT) != 0 && *p != 0) {
        // Folder, then the names, each zero-terminated.
        while (*p != 0) {
            CString name = p;
            request.results.push_back(first + L"\\" + name);
            p += name.GetLength() + 1;
        }
    } else {
        request.results.push_back(first);
    }
    return TRUE;
}

BOOL CRealUiHost::PickFolder(HWND hWndOwner, LPCTSTR lpszTitle, CString& strFolder)
{
    BROWSEINFO bi {};
    bi.hwndOwner = hWndOwner;
    bi.lpszTitle = lpszTitle;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    bi.lpfn = &BrowseCallback;
    bi.lParam = strFolder.IsEmpty() ? 0 : reinterpret_cast<LPARAM>(strFolder.GetString());
    PIDLIST_ABSOLUTE pidl = ::SHBrowseForFolder(&bi);
    if (pidl == nullptr)
        return FALSE;
    TCHAR path[MAX_PATH] = L"";
    BOOL ok = ::SHGetPathFromIDList(pidl, path);
    ::CoTaskMemFree(pidl);
    if (ok)
        strFolder = path;
    return ok;
}

BOOL CRealUiHost::PickColor(HWND hWndOwner, COLORREF& color, DWORD dwFlags)
{
    static COLORREF custom[16] = {};
    CHOOSECOLOR cc {};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = hWndOwner;
    cc.rgbResult = color;
    cc.lpCustColors = custom;
    cc.Flags = dwFlags | CC_RGBINIT;
    if (!::ChooseColor(&cc))
        return FALSE;
    color = cc.rgbResult;
    return TRUE;
}

BOOL CRealUiHost::PickFont(HWND hWndOwner, LOGFONT& logFont, COLORREF& color, DWORD dwFlags)
{
    CHOOSEFONT cf {};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = hWndOwner;
    cf.lpLogFont = &logFont;
    cf.rgbColors = color;
    cf.Flags = dwFlags | CF_INITTOLOGFONTSTRUCT;
    if (!::ChooseFont(&cf))
        return FALSE;
    color = cf.rgbColors;
    return TRUE;
}

BOOL CRealUiHost::ShellOpen(
    HWND hWndOwner, LPCTSTR lpszFile, LPCTSTR lpszParameters, LPCTSTR lpszDirectory, int nShowCmd)
{
    auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecute(hWndOwner, L"open", lpszFile, lpszParameters, lpszDirectory, nShowCmd));
    return result > 32;
}

BOOL CRealUiHost::StartProcess(const CProcessRequest& request, DWORD* pExitCode)
{
    CString commandLine = L"\"" + request.strFile + L"\"";
    if (!request.strParameters.IsEmpty())
        commandLine += L" " + request.strParameters;
    STARTUPINFO si {};
    si.cb = sizeof(si);
    if (request.bHidden) {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_HIDE;
    }
    PROCESS_INFORMATION pi {};
    LPTSTR buf = commandLine.GetBuffer();
    BOOL ok = ::CreateProcess(nullptr, buf, nullptr, nullptr, FALSE, request.bHidden ? CREATE_NO_WINDOW : 0, nullptr,
        request.strDirectory.IsEmpty() ? nullptr : request.strDirectory.GetString(), &si, &pi);
    commandLine.ReleaseBuffer();
    if (!ok)
        return FALSE;
    if (request.bWait) {
        ::WaitForSingleObject(pi.hProcess, request.dwWaitMillis);
        if (pExitCode != nullptr)
            ::GetExitCodeProcess(pi.hProcess, pExitCode);
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return TRUE;
}
