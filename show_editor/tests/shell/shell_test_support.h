// Shared pieces of the shell tests: a private program folder with its own
// settings and language files, services that record the calls made to the
// libraries and dialogs, and a started application with its main frame.
#pragma once

#include "dornel_app.h"
#include "dornel_doc.h"
#include "fw_temp_folder.h"
#include "fw_testing.h"
#include "main_frame.h"
#include "shell_services.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace shelltest {

// A temporary program folder (Lang, Config, TF) that the shell's paths use
// while it lives.
class CTempProgramFolder {
public:
    CTempProgramFolder();
    ~CTempProgramFolder();
    CTempProgramFolder(const CTempProgramFolder&) = delete;
    CTempProgramFolder& operator=(const CTempProgramFolder&) = delete;

    // The folder with a trailing backslash.
    const CString& Path() const { return m_path; }
    CString PathNoSlash() const { return m_path.Left(m_path.GetLength() - 1); }
    // Writes a UTF-16 settings or language file below the folder.
    void WriteFile(LPCWSTR relative, const CString& text) const;
    void WriteSoftConf(LPCWSTR title, LPCWSTR lang, LPCWSTR version = L"1.0") const;
    // Copies the program's own English and Simplified Chinese language files
    // (Lang\Eng.ini, Lang\Chs.ini); false when one could not be copied.
    bool CopyShippedLanguages() const;
    // Copies every shipped file of the program's "Lang" and "Config" folders
    // (all languages, the settings file, the chip database); false when one
    // could not be copied.
    bool CopyShippedLanguageFolders() const;

private:
    fwtest::CTempFolder m_folder;
    CString m_path;
};

// A language file text: "[KVMENU]" etc. from (section, key, text) rows.
struct LangRow {
    LPCWSTR section;
    int key;
    LPCWSTR text;
};
CString LangFileText(std::initializer_list<LangRow> rows);

class CFakeHardwareDialog : public CHardwareSettingsDialog {
public:
    void SetDocument(CDornelDoc* doc) override { m_doc = doc; }
    INT_PTR DoModal() override
    {
        ++m_runs;
        m_screenSeen = m_doc != nullptr ? m_doc->m_screen : -1;
        return IDOK;
    }
    void OnRecordProgress(int frames) override { m_progress.push_back(frames); }

    CDornelDoc* m_doc = nullptr;
    int m_runs = 0;
    int m_screenSeen = -1;
    std::vector<int> m_progress;
};

// Records every call; results are set by the test.
class CFakeServices : public CShellServices {
public:
    CFakeServices();
    ~CFakeServices() override;

    int NewScreen() override;
    int SetProtocolVersion(int version) override;
    int SetControllerLanguage(int languageId) override;
    int SetFourColor(int screen, int mode, int whiteValue) override;
    int NewLayout(int screen, int width, int height, int ports, int channels) override;
    int EditLayout(int screen) override;
    int ClearLayout(int screen) override;
    int LoadDxfLayout(int screen, const CString& path) override;
    int SetLayout(int screen, const CString& path) override;
    CString GetPixFilePath(int screen) override;
    CString GetLpxFilePath(int screen) override;
    void SetMovieMakerLanguage(int languageId) override;
    int CheckUpdate() override;
    int UpdateConfirm() override;
    int DownloadAndInstall() override;
    void ShowNoUpdate(int owner) override;
    CHardwareSettingsDialog* CreateHardwareDialog(HardwareConfig& config) override;

    // Calls in order, e.g. "NewLayout 1 320 240 2 3072".
    std::vector<CString> m_calls;
    bool Called(LPCWSTR call) const;
    int CountOf(LPCWSTR prefix) const;

    int m_screen = 1;
    int m_newLayoutResult = 0; // LEDNewLayout: 0 saved, -2 nothing saved
    int m_checkUpdate = 0;
    int m_confirm = 0;
    int m_install = 0;
    CString m_pixPath;
    CString m_lpxPath;
    bool m_makeHardwareDialog = false;
    CFakeHardwareDialog* m_hardwareDialog = nullptr; // owned by the frame once made

private:
    void Record(const CString& call) { m_calls.push_back(call); }
    CShellServices* m_previous;
};

// Runs drive on every dialog that the program starts modally (or creates)
// while it lives: the test answers the program's own dialogs.
class CDialogInitHook {
public:
    explicit CDialogInitHook(std::function<void(CDialog&)> drive)
        : m_drive(std::move(drive))
    {
        AfxSetDialogInitHook([this](CDialog& live) { m_drive(live); });
    }
    ~CDialogInitHook() { AfxSetDialogInitHook(nullptr); }
    CDialogInitHook(const CDialogInitHook&) = delete;
    CDialogInitHook& operator=(const CDialogInitHook&) = delete;

private:
    std::function<void(CDialog&)> m_drive;
};

// The application started up to its main window (splash and single-instance
// mark skipped), with the services installed (fake ones, or the real
// libraries) and a scripted UI host.
class CShellSession {
public:
    CShellSession();
    explicit CShellSession(CFakeServices& services);
    ~CShellSession();

    CDornelApp m_app;
    CMainFrame* m_frame = nullptr;
    CDornelDoc* Doc() const { return m_frame != nullptr ? m_frame->GetActiveDornelDoc() : nullptr; }
    // Waits (10 s at most) until the library loader that the player panel
    // starts with the program has finished; false when it has not or there
    // is no player panel.
    bool WaitForLibraryLoader() const;

private:
    HWND m_hFrame = nullptr;
};

// The program running with the shipped English and Simplified Chinese texts
// in a private program folder, its document on the program's own host, the
// library loader finished, on a 200 x 50 project at 25 frames per second.
struct ProgramFixture : ::testing::Test {
    CTempProgramFolder folder;
    fwtest::CScriptedUiHost ui;
    CFakeServices services;
    std::unique_ptr<CShellSession> session;
    CDornelDoc* doc = nullptr;

    void SetUp() override;
    void TearDown() override { session.reset(); }
    // The Windows language of the settings file the program starts with.
    virtual LPCWSTR Language() const { return L"1033"; }
};

} // namespace shelltest
