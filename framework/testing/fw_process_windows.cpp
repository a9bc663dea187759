// Processes and their windows (see fw_process_windows.h).
#include "fw_process_windows.h"

#include "fw_testing.h"

#include <tlhelp32.h>

namespace fwtest {

namespace {

struct WindowSearch {
    DWORD pid = 0;
    bool dialog = false;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid || !::IsWindowVisible(window))
        return TRUE;
    WCHAR name[64] = {};
    ::GetClassNameW(window, name, 64);
    if ((wcscmp(name, L"#32770") == 0) != search->dialog)
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

std::vector<DWORD> ProcessesNamed(LPCTSTR lpszExeName)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, lpszExeName) == 0)
            ids.push_back(entry.th32ProcessID);
    }
    ::CloseHandle(snapshot);
    return ids;
}

HWND FindProcessWindow(DWORD dwProcessId, bool bDialog)
{
    WindowSearch search;
    search.pid = dwProcessId;
    search.dialog = bDialog;
    ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForProcessWindow(DWORD dwProcessId, bool bDialog, DWORD dwTimeoutMillis)
{
    HWND found = nullptr;
    PumpUntil(
        [&] {
            found = FindProcessWindow(dwProcessId, bDialog);
            return found != nullptr;
        },
        dwTimeoutMillis);
    return found;
}

} // namespace fwtest
