// Layout exports: new and edited layouts through the layout editor, DXF
// imports, a layout file taken as it is, and clearing a screen's layout.
// Each that succeeds leaves the layout in the screen, a copy in the
// screen's exchange ".lpx" and its pixel map in the ".pix".
#include "ControllerTable.h"
#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "DailyLog.h"
#include "MessageDlg.h"
#include "PixelMapFile.h"

#include <fw_replacefile.h>

namespace {

BOOL CALLBACK TakeProgramWindow(HWND window, LPARAM found)
{
    if (!::IsWindowVisible(window) || !::IsWindowEnabled(window) || ::GetWindow(window, GW_OWNER) != nullptr)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The window that waits with the editor: the caller's active window (else
// its first visible top-level window), climbed up its owners while they
// take input, so that the program's main window is the one disabled; a
// modal dialog of the caller waits itself. Null when the thread has none.
HWND CallerWindow()
{
    HWND window = ::GetActiveWindow();
    if (window == nullptr)
        ::EnumThreadWindows(::GetCurrentThreadId(), &TakeProgramWindow, reinterpret_cast<LPARAM>(&window));
    while (window != nullptr) {
        HWND owner = ::GetWindow(window, GW_OWNER);
        if (owner == nullptr || !::IsWindowEnabled(owner))
            break;
        window = owner;
    }
    return window;
}

// Set while an editor runs. The wait runs the caller's messages, so a
// second editor command can reach the library meanwhile: it starts nothing.
bool& EditorRunning()
{
    static bool running = false;
    return running;
}

// Runs the editor dialog for screen `number`: 0, -1 or -2.
int RunEditor(
    int number, int mode, int width, int height, int portsPerController, int channelsPerPort, const CString& path)
{
    CLEDScreen* screen = Library().screens.Screen(number);
    if (!screen)
        return -1;
    if (EditorRunning())
        return -2;
    struct RunningMark {
        RunningMark() { EditorRunning() = true; }
        ~RunningMark() { EditorRunning() = false; }
    } running;
    const HWND caller = CallerWindow();
    CMessageDlg dlg(CWnd::FromHandle(caller));
    dlg.m_mode = mode;
    dlg.m_screen = number;
    dlg.m_width = width;
    dlg.m_height = height;
    dlg.m_portsPerController = portsPerController;
    dlg.m_channelsPerPort = channelsPerPort;
    dlg.m_path = path;
    const CString staged = ScreenLayoutStagingPath(number);
    DeleteFileW(staged);
    dlg.DoModal();
    // The editor had the foreground: the caller's window takes it back, so
    // that what the caller shows next comes up in front of the user.
    if (caller != nullptr && ::IsWindow(caller) && ::IsWindowVisible(caller))
        ::SetForegroundWindow(caller);
    if (!dlg.m_saved) {
        DeleteFileW(staged);
        return -2;
    }
    // The dialog may have run other calls' messages: look the screen up
    // again. The last save replaces the exchange file only once it has been
    // read; a save that cannot be read leaves the screen and its exchange
    // file as they were.
    screen = Library().screens.Screen(number);
    if (!screen || !screen->ReadLayout(staged)) {
        DeleteFileW(staged);
        return -2;
    }
    const CString exchange = ScreenLayoutPath(number);
    if (!AfxCommitReplacement(staged, exchange)) {
        LogLevel(LOG_ERROR, L"layout: the exchange file %s could not be replaced (%d)", exchange.GetString(),
            int(GetLastError()));
    }
    screen->m_layoutPath = exchange;
    WritePixFile(ScreenPixelMapPath(number), number);
    return 0;
}

} // namespace

CORVANE_API int __stdcall LEDNewLayout(int screen, int width, int height, int portsPerController, int channelsPerPort)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return GuardedExport(L"LEDNewLayout", -1,
        [&] { return RunEditor(screen, 1, width, height, portsPerController, channelsPerPort, CString()); });
}

CORVANE_API int __stdcall LEDNewLayout2(int screen, int width, int height, int portsPerController, int channelsPerPort)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return GuardedExport(L"LEDNewLayout2", -1,
        [&] { return RunEditor(screen, 5, width, height, portsPerController, channelsPerPort, CString()); });
}

CORVANE_API int __stdcall LEDEditLayout(int screen)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return GuardedExport(
        L"LEDEditLayout", -1, [&] { return RunEditor(screen, 2, 512, 384, 8, 3072, ScreenLayoutPath(screen)); });
}

CORVANE_API int __stdcall LEDLoadDxfLayout(int screen, const wchar_t* path)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return GuardedExport(
        L"LEDLoadDxfLayout", -1, [&] { return RunEditor(screen, 3, 512, 384, 8, 3072, CString(path ? path : L"")); });
}

CORVANE_API int __stdcall LEDSetLayout(int screen, const wchar_t* path)
{
    return GuardedExport(L"LEDSetLayout", -1, [&] {
        CLEDScreen* s = Library().screens.Screen(screen);
        if (!s)
            return -1;
        if (!path || !s->ReadLayout(path))
            return -2;
        CreateDirectoryW(GetExchangeFolder(), nullptr);
        CopyFileW(path, ScreenLayoutPath(screen), FALSE);
        WritePixFile(ScreenPixelMapPath(screen), screen);
        return 0;
    });
}

CORVANE_API int __stdcall LEDClearLayout(int screen)
{
    return GuardedExport(L"LEDClearLayout", -1, [&] {
        CLEDScreen* s = Library().screens.Screen(screen);
        if (!s)
            return -1;
        s->ClearLayout();
        s->m_groupMode = 0;
        s->m_controllers.clear();
        s->m_ready = 0;
        DeleteFileW(ScreenLayoutPath(screen));
        DeleteFileW(ScreenPixelMapPath(screen));
        return 0;
    });
}
