// What the show editor's shell asks of the libraries and of dialogs that
// other parts of the program provide: the controller library (screens,
// layouts, four-colour modes, language), the movie maker library's language,
// the outside updater, and the hardware settings and custom colour-template
// dialogs. The default services call the real libraries; tests
// install their own with SetShellServices.
#pragma once

#include <afxwin.h>

#include <functional>

class CDornelDoc;
class HardwareConfig;

// The hardware settings dialog as the main frame uses it: made once, run
// modally for the active document, told the progress of a recording.
class CHardwareSettingsDialog {
public:
    // Texts of the Config language file: (section, key) -> text.
    using ConfigTextSource = std::function<CString(LPCTSTR section, int key)>;

    virtual ~CHardwareSettingsDialog() = default;
    virtual void SetDocument(CDornelDoc* doc) = 0;
    virtual INT_PTR DoModal() = 0;
    virtual void OnRecordProgress(int framesWritten) = 0;
    // Where the dialog's labels and lists take their texts from.
    virtual void SetConfigTextSource(ConfigTextSource) { }
};

class CShellServices {
public:
    virtual ~CShellServices() = default;

    // Controller library (Corvane).
    virtual int NewScreen();
    virtual int SetProtocolVersion(int version);
    virtual int SetControllerLanguage(int languageId);
    virtual int SetFourColor(int screen, int mode, int whiteValue);
    virtual int NewLayout(int screen, int width, int height, int portsPerController, int channelsPerPort);
    virtual int EditLayout(int screen);
    virtual int ClearLayout(int screen);
    virtual int LoadDxfLayout(int screen, const CString& path);
    virtual int SetLayout(int screen, const CString& path);
    // Copies of the library's strings (it overwrites them on the next call).
    virtual CString GetPixFilePath(int screen);
    virtual CString GetLpxFilePath(int screen);

    // Movie maker library (Quorra), bound by name when present.
    virtual void SetMovieMakerLanguage(int languageId);

    // Outside updater (Zephu).
    virtual int CheckUpdate();
    virtual int UpdateConfirm();
    virtual int DownloadAndInstall();
    virtual void ShowNoUpdate(int owner);

    // Dialogs of other parts of the program: the output library's hardware
    // settings dialog (owned by the caller) and the effect editors' custom
    // colour-template dialog over the main frame.
    virtual CHardwareSettingsDialog* CreateHardwareDialog(HardwareConfig& config);
    virtual void RunCustomColorTemplateDialog();
};

// The services the shell uses now.
CShellServices& ShellServices();
// Installs services (null restores the real ones); returns the previous.
CShellServices* SetShellServices(CShellServices* services);
