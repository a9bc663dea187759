// The default host of the project document: the real main window, panels and
// libraries. The effect editors and the modal dialogs of other parts are
// provided by the program's own host; without one they add nothing.
#include "dornel_doc_host.h"

#include "AppPaths.h"
#include "IniFile.h"
#include "program.h"

namespace {

// Resolves an export of one of the program's libraries beside the program.
FARPROC LibraryExport(LPCWSTR library, LPCSTR name)
{
    HMODULE module = ::GetModuleHandleW(library);
    if (module == nullptr)
        module = ::LoadLibraryW(GetAppFolder() + library);
    return module != nullptr ? ::GetProcAddress(module, name) : nullptr;
}

HMENU FileMenu(HWND main)
{
    HMENU menu = main != nullptr ? ::GetMenu(main) : nullptr;
    return menu != nullptr ? ::GetSubMenu(menu, 0) : nullptr;
}

} // namespace

HWND CDornelDocHost::GetMainWindow()
{
    CWnd* main = AfxGetMainWnd();
    return main != nullptr ? main->GetSafeHwnd() : nullptr;
}

BOOL CDornelDocHost::IsMainWindowVisible()
{
    HWND main = GetMainWindow();
    return main != nullptr && ::IsWindowVisible(main);
}

BOOL CDornelDocHost::GetMainWindowRect(CRect& rect)
{
    HWND main = GetMainWindow();
    return main != nullptr && ::GetWindowRect(main, &rect);
}

void CDornelDocHost::SetMainWindowCaption(const CString& caption)
{
    HWND main = GetMainWindow();
    if (main != nullptr)
        ::SetWindowTextW(main, caption);
}

void CDornelDocHost::SetStatusText(const CString&) { }

void CDornelDocHost::EnableFileMenuItem(UINT id, BOOL enable)
{
    HMENU file = FileMenu(GetMainWindow());
    if (file != nullptr)
        ::EnableMenuItem(file, id, MF_BYCOMMAND | (enable ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
}

void CDornelDocHost::MinimizeMainWindow()
{
    HWND main = GetMainWindow();
    if (main != nullptr)
        ::ShowWindow(main, SW_MINIMIZE);
}

void CDornelDocHost::ShowMainWindowMaximized()
{
    HWND main = GetMainWindow();
    if (main != nullptr)
        ::ShowWindow(main, SW_SHOWMAXIMIZED);
}

int CDornelDocHost::GetMainFrameScreen()
{
    return 1;
}

void CDornelDocHost::SetMainFrameFourColorMode(int) { }

void CDornelDocHost::LoadHardwareRecord(const BYTE*) { }

void CDornelDocHost::SaveHardwareRecord(BYTE*) { }

void CDornelDocHost::ApplyLayoutFile(const CString&) { }

CString CDornelDocHost::GetProductTitle()
{
    CINI ini;
    CString title;
    if (ini.SetPath(GetConfigFolder() + L"SoftConf.ini"))
        ini.GetString(L"Soft", L"Title", title);
    return title;
}

CString CDornelDocHost::GetLangText(LPCTSTR, int)
{
    return CString();
}

void CDornelDocHost::LoadUserDirs(CStringArray&) { }

void CDornelDocHost::SaveUserDirs(const CStringArray&) { }

LRESULT CDornelDocHost::SendPanelMessage(DocPanel, CWnd* panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (panel == nullptr || panel->GetSafeHwnd() == nullptr)
        return 0;
    return ::SendMessageW(panel->GetSafeHwnd(), message, wParam, lParam);
}

void CDornelDocHost::PostPanelMessage(DocPanel, CWnd* panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (panel != nullptr && panel->GetSafeHwnd() != nullptr)
        ::PostMessageW(panel->GetSafeHwnd(), message, wParam, lParam);
}

void CDornelDocHost::StartPlay() { }
void CDornelDocHost::PausePlay() { }
void CDornelDocHost::StopPlay() { }
void CDornelDocHost::PrevSegment() { }
void CDornelDocHost::NextSegment() { }

int CDornelDocHost::SetFourColor(int screen, int mode, BYTE whiteValue)
{
    using SetFourColorFn = int(__stdcall*)(int, int, BYTE);
    auto fn
        = reinterpret_cast<SetFourColorFn>(reinterpret_cast<void*>(LibraryExport(L"Corvane.dll", "LEDSetFourColor")));
    return fn != nullptr ? fn(screen, mode, whiteValue) : -1;
}

void CDornelDocHost::RunShowMaker()
{
    using ShowMakerFn = void(__stdcall*)();
    auto fn = reinterpret_cast<ShowMakerFn>(reinterpret_cast<void*>(LibraryExport(L"Quorra.dll", "ShowMaker")));
    if (fn != nullptr)
        fn();
}

int CDornelDocHost::PassFrameCount(Program* colourEffect, int, int)
{
    return colourEffect != nullptr ? colourEffect->m_orgFrames : 0;
}

CEffectEditor* CDornelDocHost::CreateEffectEditor(const EffectEditorRequest&)
{
    return nullptr;
}

BOOL CDornelDocHost::ChooseColorTemplate(ColorTemplate*& chosen)
{
    chosen = nullptr;
    return FALSE;
}

void CDornelDocHost::RunScreenRecorder(const CString&) { }

void CDornelDocHost::RunVideoEditorModal(int) { }

BOOL CDornelDocHost::EditTimeTrigger(SegmentTimePlay&)
{
    return FALSE;
}

BOOL CDornelDocHost::InputString(CString&)
{
    return FALSE;
}

BOOL CDornelDocHost::InputStringWithCaption(CString& text, const CString&)
{
    return InputString(text);
}

CDornelDocHost& DefaultDornelDocHost()
{
    static CDornelDocHost host;
    return host;
}
