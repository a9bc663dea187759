// The layout editor's run state and its replies to the calling program.
#include "PannexSession.h"

#include <vector>

namespace {
HWND g_callerWindow = nullptr;
bool g_startupFilePending = false;
} // namespace

void SetCallerWindow(HWND hWnd)
{
    g_callerWindow = hWnd;
}

HWND GetCallerWindow()
{
    return g_callerWindow;
}

void SetStartupFilePending(bool pending)
{
    g_startupFilePending = pending;
}

bool IsStartupFilePending()
{
    return g_startupFilePending;
}

bool SendTextToCaller(LPCWSTR text)
{
    if (g_callerWindow == nullptr || text == nullptr)
        return false;
    // The caller reads the record during the call; a copy keeps the text
    // writable for the system's marshalling.
    const size_t length = wcslen(text);
    std::vector<wchar_t> copy(text, text + length + 1);
    COPYDATASTRUCT record = {};
    record.dwData = 0;
    record.cbData = static_cast<DWORD>((length + 1) * sizeof(wchar_t));
    record.lpData = copy.data();
    ::SendMessageW(g_callerWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
    return true;
}

void HandCallerTheForeground()
{
    DWORD process = 0;
    if (g_callerWindow != nullptr && ::GetWindowThreadProcessId(g_callerWindow, &process) != 0)
        ::AllowSetForegroundWindow(process);
}
