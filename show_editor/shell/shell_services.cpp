// The real services of the shell: the controller library and the updater are
// bound when the program loads; the movie maker library is looked up by name
// beside the program and may be missing.
#include "shell_services.h"

#include "AppPaths.h"
#include "Corvane.h"
#include "dlg_color_template.h"
#include "hard_set_adapter.h"
#include "main_frame.h"
#include "Zephu.h"

namespace {

CShellServices*& CurrentServices()
{
    static CShellServices* services = nullptr;
    return services;
}

FARPROC MovieMakerExport(LPCSTR name)
{
    HMODULE module = ::GetModuleHandleW(L"Quorra.dll");
    if (module == nullptr)
        module = ::LoadLibraryW(GetAppFolder() + L"Quorra.dll");
    return module != nullptr ? ::GetProcAddress(module, name) : nullptr;
}

CString Copy(const wchar_t* text)
{
    return text != nullptr ? CString(text) : CString();
}

} // namespace

int CShellServices::NewScreen()
{
    return LEDNewScreen();
}

int CShellServices::SetProtocolVersion(int version)
{
    return LEDSetProtocalVersion(version);
}

int CShellServices::SetControllerLanguage(int languageId)
{
    return LEDSetLanguage(languageId);
}

int CShellServices::SetFourColor(int screen, int mode, int whiteValue)
{
    return LEDSetFourColor(screen, mode, whiteValue);
}

int CShellServices::NewLayout(int screen, int width, int height, int portsPerController, int channelsPerPort)
{
    return LEDNewLayout(screen, width, height, portsPerController, channelsPerPort);
}

int CShellServices::EditLayout(int screen)
{
    return LEDEditLayout(screen);
}

int CShellServices::ClearLayout(int screen)
{
    return LEDClearLayout(screen);
}

int CShellServices::LoadDxfLayout(int screen, const CString& path)
{
    return LEDLoadDxfLayout(screen, path);
}

int CShellServices::SetLayout(int screen, const CString& path)
{
    return LEDSetLayout(screen, path);
}

CString CShellServices::GetPixFilePath(int screen)
{
    return Copy(LEDGetPixFilePath(screen));
}

CString CShellServices::GetLpxFilePath(int screen)
{
    return Copy(LEDGetLpxFilePath(screen));
}

void CShellServices::SetMovieMakerLanguage(int languageId)
{
    using SetLanguageFn = int(__stdcall*)(int);
    auto fn = reinterpret_cast<SetLanguageFn>(reinterpret_cast<void*>(MovieMakerExport("FennixSetLanguage")));
    if (fn != nullptr)
        fn(languageId);
}

int CShellServices::CheckUpdate()
{
    return QuillonCheckUpdate();
}

int CShellServices::UpdateConfirm()
{
    return QuillonUpdateConfirm();
}

int CShellServices::DownloadAndInstall()
{
    return QuillonDownloadAndInstall();
}

void CShellServices::ShowNoUpdate(int owner)
{
    QuillonShowNoUpdate(owner);
}

CHardwareSettingsDialog* CShellServices::CreateHardwareDialog(HardwareConfig& config)
{
    return new CHardSetAdapter(config);
}

void CShellServices::RunCustomColorTemplateDialog()
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    CDlgCustomColorTemplate dialog(frame);
    dialog.m_pDoc = frame != nullptr ? frame->GetActiveDornelDoc() : nullptr;
    dialog.DoModal();
}

CShellServices& ShellServices()
{
    static CShellServices real;
    CShellServices* current = CurrentServices();
    return current != nullptr ? *current : real;
}

CShellServices* SetShellServices(CShellServices* services)
{
    CShellServices* previous = CurrentServices();
    CurrentServices() = services;
    return previous;
}
