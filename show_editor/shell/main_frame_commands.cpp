// The main frame's commands: layouts, exports and hardware settings,
// four-colour modes, languages, tool start and the update check.
#include "main_frame.h"

#include <afxdlgs.h>

#include <algorithm>

#include "dornel_doc.h"
#include "input_dialogs.h"
#include "player_panel.h"
#include "resource.h"
#include "shell_services.h"

namespace {

struct FourColorCommand {
    UINT id;
    int mode;
};
const FourColorCommand kFourColorCommands[] = {
    { ID_FOUR_COLOR_OFF, 0 },
    { ID_FOUR_COLOR_SAVING, 1 },
    { ID_FOUR_COLOR_BRIGHT, 2 },
    { ID_FOUR_COLOR_BASIC, 3 },
    { ID_FOUR_COLOR_WHITE_ANIM, 4 },
    { ID_FOUR_COLOR_MODE5, 5 },
    { ID_FOUR_COLOR_BASIC2, 6 },
    { ID_FOUR_COLOR_MODE7, 7 },
    { ID_FOUR_COLOR_FREE, 8 },
    { ID_FOUR_COLOR_EQUAL_GRAY, 10 },
    { ID_FOUR_COLOR_FIXED_WHITE, 11 },
};

struct LanguageCommand {
    UINT id;
    UINT languageId;
    int windowsLanguage;
};
const LanguageCommand kLanguageCommands[] = {
    { ID_LANG_ENGLISH, 1, 1033 },
    { ID_LANG_CHINESE, 2, 2052 },
    { ID_LANG_TRADITIONAL, 3, 1028 },
    { ID_LANG_KOREAN, 6, 1042 },
    { ID_LANG_FRENCH, 4, 1036 },
};

struct ToolCommand {
    UINT id;
    LPCWSTR file;
    bool inProgramFolder;
};
const ToolCommand kToolCommands[] = {
    { ID_TOOL_PAINT, L"mspaint.exe", false },
    { ID_TOOL_NOTEPAD, L"notepad.exe", false },
    { ID_TOOL_CALC, L"calc.exe", false },
    { ID_TOOL_MAGNIFY, L"magnify.exe", false },
    { ID_TOOL_WORD, L"WINWORD.exe", false },
    { ID_TOOL_EXCEL, L"EXCEL.exe", false },
    { ID_TOOL_TAVISK, L"Tavisk.exe", true },
    { ID_TOOL_CARDWELL, L"Cardwell.exe", true },
    { ID_TOOL_BRENLOW, L"Brenlow.exe", true },
    { ID_TOOL_PELLOX, L"Pellox.exe", true },
};

constexpr int kLayoutPorts = 2;
constexpr int kLayoutChannels = 3072;

// The program folder without its trailing backslash.
CString ProgramFolder()
{
    CString folder = ShellAppFolder();
    if (folder.Right(1) == L"\\")
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}

} // namespace

int FourColorModeOfCommand(UINT id)
{
    for (const FourColorCommand& command : kFourColorCommands) {
        if (command.id == id)
            return command.mode;
    }
    return -1;
}

BOOL LanguageOfCommand(UINT id, UINT& languageId, int& windowsLanguage)
{
    for (const LanguageCommand& command : kLanguageCommands) {
        if (command.id == id) {
            languageId = command.languageId;
            windowsLanguage = command.windowsLanguage;
            return TRUE;
        }
    }
    return FALSE;
}

CString ToolFileOfCommand(UINT id, const CString& programFolder)
{
    for (const ToolCommand& command : kToolCommands) {
        if (command.id == id)
            return command.inProgramFolder ? programFolder + L"\\" + command.file : CString(command.file);
    }
    return CString();
}

BYTE WhiteValueFromInput(int value)
{
    // Clamped, not reduced modulo 255: a typed 255 means full white and must
    // not turn into 0, and a number past either end means that end.
    return static_cast<BYTE>(std::clamp(value, 0, 255));
}

int CMainFrame::ShowHint(int key, UINT type)
{
    return AfxMessageBox(GetLangText(L"HINT", key), type);
}

void CMainFrame::StopPlay(CDornelDoc* doc)
{
    if (doc == nullptr)
        return;
    doc->m_playState = PLAY_STOPPED;
    if (auto* panel = dynamic_cast<CViewpanel*>(doc->m_pViewPanel))
        panel->StopPlay();
}

// --- layouts -------------------------------------------------------------------

void CMainFrame::ReadBackLayout()
{
    CShellServices& services = ShellServices();
    CString pixPath = services.GetPixFilePath(m_screen);
    CString layoutPath = services.GetLpxFilePath(m_screen);
    if (pixPath.IsEmpty() || ::GetFileAttributesW(pixPath) == INVALID_FILE_ATTRIBUTES) {
        ShowHint(14);
        return;
    }
    if (CDornelDoc* doc = GetActiveDornelDoc()) {
        doc->SetLayoutFile(layoutPath);
        doc->LoadLayoutPixels(pixPath);
    }
}

bool CMainFrame::RunLayoutEditor(const std::function<void()>& start)
{
    if (m_layoutEditorOpen)
        return false;
    struct OpenMark {
        bool& open;
        explicit OpenMark(bool& flag)
            : open(flag)
        {
            open = true;
        }
        ~OpenMark() { open = false; }
    } mark(m_layoutEditorOpen);
    start();
    return true;
}

void CMainFrame::OnLayoutDesign()
{
    CDornelDoc* doc = GetActiveDornelDoc();
    if (doc == nullptr)
        return;
    const bool ran = RunLayoutEditor([&] {
        const ProjSet& project = doc->m_projectSettings;
        if (project.m_layoutFile.IsEmpty())
            ShellServices().NewLayout(m_screen, project.m_width, project.m_height, kLayoutPorts, kLayoutChannels);
        else
            ShellServices().EditLayout(m_screen);
    });
    if (ran)
        ReadBackLayout();
}

void CMainFrame::OnNewLayout()
{
    CDornelDoc* doc = GetActiveDornelDoc();
    if (doc == nullptr)
        return;
    // The layout editor runs first: the project's layout is replaced only by
    // a new layout that was saved. A cancelled editor leaves the layout and
    // its files as they were (clearing first would lose them for nothing).
    CShellServices& services = ShellServices();
    int result = -2;
    const bool ran = RunLayoutEditor([&] {
        result = services.NewLayout(
            m_screen, doc->m_projectSettings.m_width, doc->m_projectSettings.m_height, kLayoutPorts, kLayoutChannels);
    });
    if (!ran)
        return;
    if (result != 0) {
        ShowHint(14);
        return;
    }
    // The old layout's unpacked files go, unless the new layout was saved
    // under the same names.
    const CString newLayout = services.GetLpxFilePath(m_screen);
    const CString newPixels = services.GetPixFilePath(m_screen);
    for (const CString& old : { doc->m_projectSettings.m_layoutFile, doc->m_pixPath }) {
        if (!old.IsEmpty() && old.CompareNoCase(newLayout) != 0 && old.CompareNoCase(newPixels) != 0)
            ::DeleteFileW(old);
    }
    ReadBackLayout();
}

void CMainFrame::OnImportLayout()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, L"Pix Files(*.lpx)|*.lpx||", this);
    if (dialog.DoModal() != IDOK)
        return;
    CString source = dialog.GetPathName();
    CString folder = ProgramFolder() + L"\\TF";
    CString target = folder + L"\\LEDScreen1.lpx";
    ::CreateDirectoryW(folder, nullptr);
    // A copy that fails leaves the project's layout as it was: the screen
    // must not be bound to a stale or missing file.
    if (source.CompareNoCase(target) != 0 && !::CopyFileW(source, target, FALSE))
        return;
    ApplyLayoutFile(target);
}

void CMainFrame::OnImportDxf()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, L"dxf Files(*.dxf)|*.dxf||", this);
    if (m_layoutEditorOpen || dialog.DoModal() != IDOK)
        return;
    if (RunLayoutEditor([&] { ShellServices().LoadDxfLayout(m_screen, dialog.GetPathName()); }))
        ReadBackLayout();
}

void CMainFrame::OnEditLayout()
{
    CDornelDoc* doc = GetActiveDornelDoc();
    if (doc == nullptr)
        return;
    if (m_layoutEditorOpen)
        return;
    if (doc->m_projectSettings.m_layoutFile.IsEmpty()) {
        ShowHint(15);
        return;
    }
    if (RunLayoutEditor([&] { ShellServices().EditLayout(m_screen); }))
        ReadBackLayout();
}

void CMainFrame::OnClearLayout()
{
    if (ShowHint(16, MB_YESNO) != IDYES)
        return;
    ShellServices().ClearLayout(m_screen);
    if (HMENU bar = ::GetMenu(m_hWnd)) {
        if (HMENU file = ::GetSubMenu(bar, 0))
            ::EnableMenuItem(file, ID_EXPORT_OFFLINE, MF_BYCOMMAND | MF_GRAYED);
    }
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.SendMessage(TB_ENABLEBUTTON, ID_OFFLINE_BUTTON, MAKELPARAM(TRUE, 0));
    if (CDornelDoc* doc = GetActiveDornelDoc()) {
        doc->ClearLayout();
        doc->ZoomOut();
        doc->ZoomIn();
    }
}

// --- content, exports and settings -------------------------------------------------

void CMainFrame::OnColorEffectButton()
{
    if (CDornelDoc* doc = GetActiveDornelDoc())
        doc->AddColorEffect(15, TRUE);
}

void CMainFrame::OnColorPlusButton()
{
    if (CDornelDoc* doc = GetActiveDornelDoc())
        doc->AddColorPlus();
}

void CMainFrame::OnExportAvi()
{
    CDornelDoc* doc = GetActiveDornelDoc();
    if (doc == nullptr)
        return;
    if (doc->GetActiveSegments().GetSize() == 0) {
        ShowHint(13);
        return;
    }
    doc->m_screen = m_screen;
    doc->ExportAvi();
}

void CMainFrame::RunHardwareDialog(CDornelDoc* doc)
{
    if (m_pDlgHardSet == nullptr)
        return;
    m_pDlgHardSet->SetDocument(doc);
    m_pDlgHardSet->DoModal();
}

void CMainFrame::OnExportOffline()
{
    CDornelDoc* doc = GetActiveDornelDoc();
    if (doc == nullptr)
        return;
    doc->m_screen = m_screen;
    if (m_pDlgHardSet != nullptr) {
        StopPlay(doc);
        RunHardwareDialog(doc);
    }
}

void CMainFrame::OnHardwareSettings()
{
    CDornelDoc* doc = GetActiveDornelDoc();
    if (doc == nullptr)
        return;
    StopPlay(doc);
    doc->m_screen = m_screen;
    RunHardwareDialog(doc);
}

void CMainFrame::OnCustomColorTemplate()
{
    ShellServices().RunCustomColorTemplateDialog();
}

void CMainFrame::OnFourColor(UINT id)
{
    int mode = FourColorModeOfCommand(id);
    if (mode < 0)
        return;
    CDornelDoc* doc = GetActiveDornelDoc();
    CShellServices& services = ShellServices();
    if (mode == 11) {
        CNumberInputDlg input(this);
        input.m_value = doc != nullptr ? doc->m_projectSettings.m_whiteValue : 0;
        if (input.DoModal() != IDOK)
            return;
        BYTE white = WhiteValueFromInput(input.m_value);
        FourColorMode = 11;
        services.SetFourColor(m_screen, 11, white);
        StoreFourColorMode(doc, 11, white);
        return;
    }
    FourColorMode = mode;
    services.SetFourColor(m_screen, mode, 0);
    if (doc != nullptr)
        StoreFourColorMode(doc, mode, doc->m_projectSettings.m_whiteValue);
}

void CMainFrame::StoreFourColorMode(CDornelDoc* doc, int mode, BYTE whiteValue)
{
    if (doc == nullptr)
        return;
    ProjSet& project = doc->m_projectSettings;
    // The mode is saved with the project: a change must not be lost by a
    // close that never asks.
    if (project.m_colorMode == mode && project.m_whiteValue == whiteValue)
        return;
    project.m_colorMode = mode;
    project.m_whiteValue = whiteValue;
    doc->SetModifiedFlag();
}

void CMainFrame::OnUpdateFourColor(CCmdUI* pCmdUI)
{
    pCmdUI->SetRadio(FourColorModeOfCommand(pCmdUI->m_nID) == FourColorMode);
}

void CMainFrame::OnLanguage(UINT id)
{
    UINT languageId = 0;
    int windowsLanguage = 0;
    if (!LanguageOfCommand(id, languageId, windowsLanguage))
        return;
    LanguageId = languageId;
    SaveLanguageId(windowsLanguage);
    ApplyLanguage();
}

void CMainFrame::OnUpdateLanguage(CCmdUI* pCmdUI)
{
    UINT languageId = 0;
    int windowsLanguage = 0;
    pCmdUI->SetCheck(LanguageOfCommand(pCmdUI->m_nID, languageId, windowsLanguage) && languageId == LanguageId);
}

// --- tools and update ------------------------------------------------------------------

void CMainFrame::OnToolStart(UINT id)
{
    CString file = ToolFileOfCommand(id, ProgramFolder());
    if (!file.IsEmpty())
        AfxShellOpen(file, nullptr, nullptr, SW_SHOWNORMAL);
}

void CMainFrame::OnCheckUpdate()
{
    CShellServices& services = ShellServices();
    int found = services.CheckUpdate();
    if (found == 0) {
        services.ShowNoUpdate(1);
        return;
    }
    if (found == 1 && services.UpdateConfirm() == 1 && services.DownloadAndInstall() == 1)
        PostMessage(WM_CLOSE);
}
