// Every text the show editor looks up is in the language files it ships, in
// every language: the program is started on a copy of the shipped "Lang" and
// "Config" folders, its menus, toolbar and panels are relabelled, and every
// dialog and editor its commands open is opened and closed again. Each
// lookup that found nothing is a text a user of that language would miss,
// and each Chinese text in a window of another language one he cannot read.
#include "../shell/shell_test_support.h"

#include "AppPaths.h"
#include "DlgExportAvi.h"
#include "DlgHardSet.h"
#include "OfflineGeneration.h"
#include "about_dlg.h"
#include "current_dialogs.h"
#include "dlg_color_full_words.h"
#include "dmx_dialogs.h"
#include "dornel_doc.h"
#include "screen_recorder_dlg.h"
#include "fw_label_fit.h"
#include "fw_langtext.h"
#include "fw_window_picture.h"
#include "fw_window_texts.h"
#include "input_dialogs.h"
#include "lang_service.h"
#include "output_dialogs_resource.h"
#include "resource.h"
#include "show_messages.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

using shelltest::CDialogInitHook;
using shelltest::CFakeServices;
using shelltest::CShellSession;
using shelltest::CTempProgramFolder;

namespace {

// Answers every prompt the way a user who declines would: no files, no
// colours, no processes; questions get No or Cancel. What the prompts showed
// (message texts and captions, the pickers' titles) is kept for the sweep.
class CDecliningUiHost : public CUiHost {
public:
    CDecliningUiHost()
        : m_previous(AfxSetUiHost(this))
    {
    }
    ~CDecliningUiHost() override { AfxSetUiHost(m_previous); }
    CDecliningUiHost(const CDecliningUiHost&) = delete;
    CDecliningUiHost& operator=(const CDecliningUiHost&) = delete;

    int MessageBox(HWND, LPCTSTR text, LPCTSTR caption, UINT type) override
    {
        m_texts.push_back(CString(caption != nullptr ? caption : L"(none)") + L": " + (text != nullptr ? text : L""));
        m_transcript.push_back(L"message " + m_texts.back());
        Show(L"message box", text);
        Show(L"message box caption", caption);
        switch (type & MB_TYPEMASK) {
        case MB_YESNO:
            return IDNO;
        case MB_OKCANCEL:
        case MB_YESNOCANCEL:
        case MB_RETRYCANCEL:
            return IDCANCEL;
        default:
            return IDOK;
        }
    }
    BOOL FileDialog(CFileDialogRequest& request) override
    {
        Show(L"file dialog title", request.strTitle);
        m_transcript.push_back(L"file dialog: " + request.strTitle + L" | " + request.strFilter);
        Show(L"file dialog filter", request.strFilter);
        if (m_fileAnswer.IsEmpty())
            return FALSE;
        request.results = { m_fileAnswer };
        return TRUE;
    }
    BOOL PickFolder(HWND, LPCTSTR title, CString& folder) override
    {
        // The folder browser shows its title as the prompt: without one the
        // user is not told what the folder is for.
        if (title == nullptr || *title == 0)
            m_untitledPickers.push_back(L"a folder browser without a prompt");
        Show(L"folder browser prompt", title);
        m_transcript.push_back(CString(L"folder browser: ") + (title != nullptr ? title : L""));
        if (m_folderAnswer.IsEmpty())
            return FALSE;
        folder = m_folderAnswer;
        return TRUE;
    }
    BOOL PickColor(HWND, COLORREF&, DWORD) override { return FALSE; }
    BOOL PickFont(HWND, LOGFONT&, COLORREF&, DWORD) override { return FALSE; }
    BOOL ShellOpen(HWND, LPCTSTR, LPCTSTR, LPCTSTR, int) override { return TRUE; }
    BOOL StartProcess(const CProcessRequest&, DWORD*) override { return FALSE; }

    // The texts shown since the last call.
    std::vector<fwtest::CShownText> TakeShown() { return std::exchange(m_shown, {}); }

    std::vector<CString> m_texts;
    // Every message and picker prompt, in order, for the gallery.
    std::vector<CString> m_transcript;
    std::vector<CString> m_untitledPickers;
    // What a file dialog and a folder browser choose (nothing when empty).
    CString m_fileAnswer;
    CString m_folderAnswer;

private:
    void Show(LPCWSTR where, LPCTSTR text)
    {
        if (text != nullptr && *text != 0)
            m_shown.push_back({ where, text });
    }

    CUiHost* m_previous;
    std::vector<fwtest::CShownText> m_shown;
};

// The recording services with the program's own hardware dialog.
class CRealDialogServices : public CFakeServices {
public:
    CHardwareSettingsDialog* CreateHardwareDialog(HardwareConfig& config) override
    {
        return CShellServices::CreateHardwareDialog(config);
    }
};

struct Language {
    UINT id;
    LPCWSTR windowsLanguage; // [Soft] Lang
    const char* name;
    LPCWSTR file; // in "Lang"
    LPCWSTR tag; // of the gallery's pictures
};

const Language kLanguages[] = {
    { 1, L"1033", "English", L"Eng.ini", L"_eng" },
    { 2, L"2052", "SimplifiedChinese", L"Chs.ini", L"_chs" },
    { 3, L"1028", "TraditionalChinese", L"Cht.ini", L"_cht" },
    { 4, L"1036", "French", L"French.ini", L"_fra" },
    { 6, L"1042", "Korean", L"Korean.ini", L"_kor" },
};

bool IsChinese(const Language& language)
{
    return language.id == 2 || language.id == 3;
}

// Commands of the main menu, the toolbar and the tree's menus that open a
// dialog, an editor or a message. Programs that start other processes, the
// movie maker library (its own module and texts, checked with it) and Exit
// are left out. A layout comes first, so that the commands that need one
// reach their windows; the exports come after the editors, whose OKs give
// the project programs to export; a new project comes last.
const UINT kCommands[] = {
    ID_LAYOUT_NEW,
    ID_LAYOUT_IMPORT,
    ID_LAYOUT_IMPORT_DXF,
    ID_LAYOUT_EDIT,
    ID_CUSTOM_COLOR_TEMPLATE,
    ID_FOUR_COLOR_FREE,
    ID_APP_ABOUT,
    32859,
    32860,
    32861,
    32862,
    32863,
    32864,
    32866,
    32868,
    32869,
    32871,
    32872,
    32873,
    32875,
    32876,
    32877,
    32878,
    32879,
    32880,
    32881,
    32882,
    ID_COLOR_EFFECT_BUTTON,
    ID_DOC_ADD_SCAN_LINE,
    ID_DOC_ADD_FLICKER_STAR,
    ID_DOC_ADD_VIDEO,
    ID_DOC_ADD_COLORFUL_WORDS,
    ID_DOC_ADD_IMAGE_SHOW,
    ID_DOC_SCREEN_CAPTURE,
    ID_DOC_ADD_COLOR_PLUS,
    ID_DOC_BUILT_IN_EFFECTS,
    ID_DOC_EDIT_MATERIAL,
    ID_DOC_RENAME_NODE,
    ID_DOC_INSERT_SEGMENT,
    ID_HARDWARE_SETTINGS,
    ID_EXPORT_AVI,
    ID_EXPORT_OFFLINE,
    ID_DOC_DELETE_NODE,
    ID_DOC_MERGE_SAVE,
    ID_LAYOUT_CLEAR,
    ID_FILE_OPEN,
    ID_FILE_SAVE_AS,
    ID_FILE_NEW,
};

// The dialogs and editors of the thread that are still open.
BOOL CALLBACK CollectDialog(HWND wnd, LPARAM list)
{
    WCHAR cls[16] = L"";
    ::GetClassNameW(wnd, cls, 16);
    if (::IsWindowVisible(wnd) && wcscmp(cls, L"#32770") == 0)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
    return TRUE;
}

// With VANTREL_GALLERY naming a folder, each dialog opened is also saved
// there as a picture for a person to look at.
CString GalleryFolder()
{
    const wchar_t* folder = _wgetenv(L"VANTREL_GALLERY");
    return folder != nullptr ? CString(folder) : CString();
}

void SaveOpenDialogs(const CString& name)
{
    std::vector<HWND> open;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&open));
    int n = 0;
    for (HWND wnd : open) {
        CString file;
        file.Format(L"%s\\%s%s.bmp", GalleryFolder().GetString(), name.GetString(),
            n == 0 ? L"" : CString(static_cast<wchar_t>(L'a' + n)).GetString());
        fwtest::SaveWindowPicture(wnd, file);
        ++n;
    }
}

// OK in every editor that is open, as the user confirms it.
void ConfirmOpenDialogs()
{
    std::vector<HWND> open;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&open));
    for (HWND wnd : open) {
        if (::IsWindow(wnd) && ::IsWindowVisible(wnd))
            ::SendMessageW(wnd, WM_COMMAND, IDOK, 0);
        fwtest::PumpPending();
    }
}

void CloseOpenDialogs()
{
    for (int round = 0; round < 5; ++round) {
        std::vector<HWND> open;
        ::EnumThreadWindows(::GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&open));
        if (open.empty())
            return;
        for (HWND wnd : open)
            ::SendMessageW(wnd, WM_COMMAND, IDCANCEL, 0);
        fwtest::PumpPending();
    }
}

// A popup menu as the user sees it open, pictured from inside the menu's own
// loop and closed again without choosing anything.
void SaveMenuPicture(HWND owner, HMENU popup, const CString& path)
{
    static CString picture;
    picture = path;
    ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        if (HWND open = ::FindWindowW(L"#32768", nullptr))
            fwtest::SaveWindowPicture(open, picture);
        ::EndMenu();
    });
    RECT frame {};
    ::GetWindowRect(owner, &frame);
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RETURNCMD, frame.left + 40, frame.top + 60, 0, owner, nullptr);
}

// The messages and pickers are answered without a window, so the gallery
// keeps their texts (one a line, UTF-8) beside the pictures.
void SaveMessages(const std::vector<CString>& texts, const CString& path)
{
    std::string all;
    for (const CString& text : texts)
        all += fwtest::Utf8(text) + "\r\n";
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, all.data(), static_cast<DWORD>(all.size()), &written, nullptr);
    ::CloseHandle(file);
}

// The popup of menu (or of one of its popups) that holds the command.
HMENU PopupHolding(HMENU menu, UINT command)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (::GetMenuItemID(menu, i) == command)
            return menu;
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            if (HMENU found = PopupHolding(sub, command))
                return found;
        }
    }
    return nullptr;
}

// Chinese that a user of another language would be shown, step by step.
// The language menu is the one place where every language is named in its
// own writing, so that a user can find the way back to his own.
class CForeignTextWatch {
public:
    CForeignTextWatch(const Language& language, HMENU languageMenu)
        : m_active(!IsChinese(language))
        , m_languageMenu(languageMenu)
    {
    }

    void Look(const CString& step, const std::vector<fwtest::CShownText>& texts)
    {
        if (!m_active)
            return;
        for (const fwtest::CShownText& shown : texts) {
            if (!fwtest::HoldsChinese(shown.strText)
                || (m_languageMenu != nullptr && (shown.hMenu == m_languageMenu || shown.hSubMenu == m_languageMenu)))
                continue;
            const CString line = shown.strWhere + L": " + shown.strText;
            if (!m_seen.insert(line.GetString()).second)
                continue;
            m_report += "\n  ";
            m_report += fwtest::Utf8(step + L", " + line);
        }
    }

    // Every window of the thread that the user can see.
    void LookAtWindows(const CString& step)
    {
        for (HWND wnd : fwtest::VisibleThreadWindows())
            Look(step, fwtest::CollectShownTexts(wnd));
    }

    const std::string& Report() const { return m_report; }

private:
    bool m_active;
    HMENU m_languageMenu;
    std::set<std::wstring> m_seen;
    std::string m_report;
};

// A pixel map of three lamps, for the layout commands to read back.
void WritePixelMap(const CString& path)
{
    HANDLE pix = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(pix, INVALID_HANDLE_VALUE);
    const char text[] = "4,2,\r\nC1P1,3,UCS1903\r\n0,0,0,0\r\n1,0,0,0\r\n2,0,0,0\r\n";
    DWORD written = 0;
    ::WriteFile(pix, text, sizeof(text) - 1, &written, nullptr);
    ::CloseHandle(pix);
}

// The windows that only a dialog's own buttons open, pressed in the sweep:
// the off-line output's generation of configuration files asks for the
// output folder, and an AVI export counts its frames in the caption. Each
// state is also shown to picture (with a name for it). The chip page's
// buttons open dialogs of their own (the DMX address calculator and its
// advanced page, the channel-current dialog of each kind of chip, the twelve
// currents, the backup output); each is opened through openInner with a name
// for its picture, and the advanced page's New meets a missing spreadsheet
// template. The colourful-text editor is also shown with the focus away from
// its text box. True when the dialog is now busy and ends only by closing it.
bool OpenInnerWindows(CDialog& live, CForeignTextWatch& watch, const CString& step,
    const std::function<void(LPCWSTR state)>& picture,
    const std::function<void(LPCWSTR name, const std::function<void()>& open)>& openInner, CDecliningUiHost& ui,
    const CString& missingFile)
{
    if (auto* hardware = dynamic_cast<CDlgHardSet*>(&live)) {
        CSetHardParamDlg& page = hardware->Page();
        const CString chip = page.m_chip.ChipName;
        const struct {
            LPCWSTR chip; // the chip whose dialog the button opens
            int button;
            LPCWSTR name;
        } buttons[] = {
            { nullptr, 394, L"_dmx" },
            { L"TM1829", 405, L"_current_abc" },
            { L"UCS5603", 405, L"_current_rgb48" },
            { L"SM16803P", 405, L"_current_rext" },
            { nullptr, 406, L"_current_12" },
            { nullptr, 407, L"_backup" },
        };
        for (const auto& b : buttons) {
            if (b.chip != nullptr)
                page.m_chip.ChipName = b.chip;
            openInner(b.name, [&] { page.SendMessage(WM_COMMAND, MAKEWPARAM(b.button, BN_CLICKED), 0); });
        }
        page.m_chip.ChipName = chip;
    }
    if (auto* dmx = dynamic_cast<CPelloxDlg*>(&live)) {
        openInner(L"_dmx_advanced", [&] { dmx->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DMX_ADVANCED, BN_CLICKED), 0); });
    }
    if (auto* advanced = dynamic_cast<CPelloxAdvancedDlg*>(&live)) {
        advanced->SetTemplatePath(missingFile);
        ui.m_fileAnswer = missingFile + L".copy.xls";
        advanced->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DMX_NEW, BN_CLICKED), 0);
        ui.m_fileAnswer.Empty();
        watch.Look(step + L", new address file", ui.TakeShown());
        advanced->SetTemplatePath(CString());
    }
    if (live.GetDlgItem(IDC_HS_GENERATE) != nullptr && live.GetDlgItem(IDC_HS_CONFIG_ONLY) != nullptr) {
        live.CheckDlgButton(IDC_HS_CONFIG_ONLY, BST_CHECKED);
        live.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HS_CONFIG_ONLY, BN_CLICKED), 0);
        watch.Look(step + L", configuration only", fwtest::CollectShownTexts(live.m_hWnd));
        picture(L"_config_only");
        live.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HS_GENERATE, BN_CLICKED), 0);
    }
    if (dynamic_cast<CDlgColorFullWords*>(&live) != nullptr) {
        // The text box's prompt is a grey cue once the focus is elsewhere.
        live.GotoDlgCtrl(live.GetDlgItem(IDOK));
        fwtest::PumpPending();
        picture(L"_prompt");
    }
    if (auto* avi = dynamic_cast<CDlgExportAvi*>(&live)) {
        avi->BeginProgress(5);
        avi->StepProgress(3);
        watch.Look(step + L", exporting", fwtest::CollectShownTexts(live.m_hWnd));
        picture(L"_exporting");
        return true;
    }
    return false;
}

class VantrelLanguages : public ::testing::TestWithParam<Language> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.CopyShippedLanguageFolders());
        m_folder.WriteSoftConf(L"Vantrel", GetParam().windowsLanguage);
        AfxClearLangTextMisses();
    }

    // The misses of the copied shipped files (other lookups are of no concern).
    std::vector<CLangTextMiss> Misses() const
    {
        std::vector<CLangTextMiss> ours;
        for (const CLangTextMiss& miss : AfxGetLangTextMisses())
            if (miss.strPath.Find(m_folder.Path()) == 0)
                ours.push_back(miss);
        return ours;
    }

    static std::string Describe(const std::vector<CLangTextMiss>& misses)
    {
        std::string text;
        for (const CLangTextMiss& miss : misses)
            text += "\n  " + std::string(CStringA(miss.strFile + L" [" + miss.strSection + L"] " + miss.strKey));
        return text;
    }

    CTempProgramFolder m_folder;
};

} // namespace

// Every window, editor and message the program's commands open finds its
// texts in the language file, and outside Chinese none of them shows a
// Chinese text: the main window with its menus, toolbar, tree and property
// rows, each dialog as it opens and again after the commands and the OKs,
// every message, and the prompts of the pickers.
TEST_P(VantrelLanguages, EveryWindowFindsAllItsTexts)
{
    CDecliningUiHost ui;
    CRealDialogServices services;
    services.m_pixPath = m_folder.Path() + L"TF\\LEDScreen1.pix";
    services.m_lpxPath = m_folder.Path() + L"TF\\LEDScreen1.lpx";
    // What each step revealed, so a failure names the window to look at.
    std::string report;
    size_t seen = 0;
    auto noteStep = [&](const CString& step) {
        const auto misses = Misses();
        if (misses.size() > seen) {
            report += '\n';
            report += CStringA(step).GetString();
            report += ':';
            report += Describe(
                std::vector<CLangTextMiss>(misses.begin() + static_cast<std::ptrdiff_t>(seen), misses.end()));
        }
        seen = misses.size();
    };
    std::string chinese;
    std::string cut;
    std::set<std::wstring> cutSeen;
    {
        CShellSession s(services);
        ASSERT_NE(s.m_frame, nullptr);
        s.m_frame->LanguageId = GetParam().id;
        s.m_frame->ShowWindow(SW_SHOW);
        s.m_frame->ApplyLanguage();
        fwtest::PumpPending();
        CForeignTextWatch watch(GetParam(), PopupHolding(::GetMenu(s.m_frame->m_hWnd), ID_LANG_ENGLISH));
        noteStep(L"main window, menus and panels");
        watch.LookAtWindows(L"main window");
        const bool pictures = !GalleryFolder().IsEmpty();
        const CString tag = GetParam().tag;
        if (pictures) {
            s.m_frame->SetWindowPos(nullptr, 0, 0, 1000, 700, SWP_NOZORDER);
            fwtest::SaveWindowPicture(s.m_frame->m_hWnd, GalleryFolder() + L"\\vantrel_main" + tag + L".bmp");
            SaveMenuPicture(s.m_frame->m_hWnd, PopupHolding(::GetMenu(s.m_frame->m_hWnd), ID_LANG_ENGLISH),
                GalleryFolder() + L"\\vantrel_language_menu" + tag + L".bmp");
        }
        UINT current = 0;
        CString step;
        CString inner; // the name of a dialog that another dialog's button opened
        // First every window is opened and cancelled; then each is opened
        // again and confirmed, which reaches the texts of checks, refusals
        // and of the editors' hand-over (the programs added by the first
        // OKs give Edit and Delete something to work on).
        for (const int button : { IDCANCEL, IDOK }) {
            const bool confirming = button == IDOK;
            CDialogInitHook answer([&](CDialog& live) {
                // A page inside a dialog ends with its dialog: Cancel would
                // only hide it, and it has no picture of its own.
                if ((live.GetStyle() & WS_CHILD) != 0)
                    return;
                watch.Look(step, fwtest::CollectShownTexts(live.m_hWnd));
                for (const fwtest::CCutLabel& label : fwtest::FindCutLabels(live.m_hWnd)) {
                    CString caption;
                    live.GetWindowTextW(caption);
                    const CString line = caption + L", " + fwtest::DescribeCutLabel(label);
                    if (cutSeen.insert(line.GetString()).second)
                        cut += "\n  " + fwtest::Utf8(line);
                }
                if (pictures) {
                    // The second round adds the windows only a project with
                    // programs opens (the AVI export, the editors' Edit).
                    CString file;
                    file.Format(L"%s\\vantrel_%u_dialog%s%s.bmp", GalleryFolder().GetString(), current,
                        inner.GetString(), tag.GetString());
                    if (!confirming || ::GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES)
                        fwtest::SaveWindowPicture(live.m_hWnd, file);
                }
                auto picture = [&](LPCWSTR state) {
                    if (!pictures)
                        return;
                    CString file;
                    file.Format(L"%s\\vantrel_%u_dialog%s%s%s.bmp", GalleryFolder().GetString(), current,
                        inner.GetString(), state, tag.GetString());
                    fwtest::SaveWindowPicture(live.m_hWnd, file);
                };
                auto openInner = [&](LPCWSTR name, const std::function<void()>& open) {
                    const CString outer = std::exchange(inner, CString(name));
                    const CString outerStep = std::exchange(step, step + L", " + (name + 1));
                    open();
                    fwtest::PumpPending();
                    watch.Look(step, ui.TakeShown());
                    inner = outer;
                    step = outerStep;
                };
                if (!confirming
                    && OpenInnerWindows(live, watch, step, picture, openInner, ui, m_folder.Path() + L"no DMX.xls")) {
                    live.PostMessage(WM_CLOSE, 0, 0);
                    return;
                }
                live.PostMessage(WM_COMMAND, static_cast<WPARAM>(button), 0);
                // A refused OK leaves the dialog open: Cancel ends it then.
                if (confirming)
                    live.PostMessage(WM_COMMAND, IDCANCEL, 0);
            });
            for (UINT command : kCommands) {
                current = command;
                step.Format(confirming ? L"command %u, OK" : L"command %u", command);
                if (command == ID_LAYOUT_NEW)
                    WritePixelMap(services.m_pixPath);
                s.m_frame->SendMessage(WM_COMMAND, command, 0);
                fwtest::PumpPending();
                watch.LookAtWindows(step);
                if (pictures && !confirming) {
                    CString name;
                    name.Format(L"vantrel_%u_editor%s", command, tag.GetString());
                    SaveOpenDialogs(name);
                }
                if (confirming) {
                    ConfirmOpenDialogs();
                    watch.LookAtWindows(step + L", after the OKs");
                }
                CloseOpenDialogs();
                watch.Look(step, ui.TakeShown());
                noteStep(step);
            }
        }
        watch.LookAtWindows(L"main window at the end");
        if (pictures) {
            fwtest::SaveWindowPicture(s.m_frame->m_hWnd, GalleryFolder() + L"\\vantrel_main_end" + tag + L".bmp");
            SaveMessages(ui.m_transcript, GalleryFolder() + L"\\vantrel_messages" + tag + L".txt");
        }
        chinese = watch.Report();
    }
    noteStep(L"closing");
    EXPECT_TRUE(report.empty()) << Misses().size() << " texts missing in " << GetParam().name << ":" << report;
    EXPECT_TRUE(chinese.empty()) << GetParam().name << " windows show Chinese:" << chinese;
    EXPECT_TRUE(cut.empty()) << GetParam().name << " texts cut:" << cut;
    std::string untitled;
    for (const CString& picker : ui.m_untitledPickers)
        untitled += "\n  " + std::string(CStringA(picker).GetString());
    EXPECT_TRUE(untitled.empty()) << GetParam().name << ":" << untitled;
}

// The messages that the configuration-file writer and the screen recorder
// show on their own come from the language file: the writer's refusals of
// damaged chip data and of a refresh rate that is too low, its flicker
// question and its failed write, as the off-line generation of the running
// program shows them, and the recorder's failure to create its file.
TEST_P(VantrelLanguages, TheWriterAndRecorderMessagesSpeakTheLanguage)
{
    CDecliningUiHost ui;
    CRealDialogServices services;
    std::string chinese;
    size_t shown = 0;
    {
        CShellSession s(services);
        ASSERT_NE(s.m_frame, nullptr);
        s.m_frame->LanguageId = GetParam().id;
        s.m_frame->ApplyLanguage();
        CDornelDoc* doc = s.Doc();
        ASSERT_NE(doc, nullptr);
        CForeignTextWatch watch(GetParam(), nullptr);

        // An OE chip at 768 channels: 1 MHz refreshes at 34 Hz, 0.1 MHz at 3.
        const struct {
            LPCWSTR name;
            double clock;
            UINT chipChannel;
            LPCWSTR folder; // below the program folder
        } writes[] = {
            { L"flicker question", 1.0, 3, L"" },
            { L"refresh too low", 0.1, 3, L"" },
            { L"damaged chip data", 1.0, 0, L"" },
            { L"failed write", 8.0, 3, L"missing\\sub" },
        };
        for (const auto& w : writes) {
            HardwareConfig config;
            config.IsOE = 1;
            config.Gray = 4096;
            config.Channels = 768;
            config.Clock = w.clock;
            config.ChipChannel = w.chipChannel;
            config.OePeriods = 7;
            config.ChipName = L"OECHIP";
            OfflineGenerationChoice choice;
            choice.configOnly = TRUE;
            choice.controllerCount = 1;
            ui.m_folderAnswer = m_folder.Path() + w.folder;
            const size_t before = ui.m_texts.size();
            StartOfflineGeneration(*doc, config, choice, nullptr, DefaultOfflineOutputHost());
            EXPECT_EQ(before + 1, ui.m_texts.size()) << CStringA(w.name).GetString();
            watch.Look(CString(L"configuration files, ") + w.name, ui.TakeShown());
        }
        ui.m_folderAnswer.Empty();

        CDialogInitHook record([&](CDialog& live) {
            if (dynamic_cast<CDlgRecordCtrl*>(&live) == nullptr)
                return;
            const size_t before = ui.m_texts.size();
            fwtest::ClickButton(live, IDC_REC_RECORD);
            EXPECT_TRUE(fwtest::PumpUntil([&] { return ui.m_texts.size() > before; }, 10000));
            live.EndDialog(IDCANCEL);
        });
        doc->Host().RunScreenRecorder(m_folder.Path() + L"missing\\screen.avi");
        watch.Look(L"screen recorder", ui.TakeShown());
        shown = ui.m_texts.size();
        chinese = watch.Report();
    }
    std::string messages;
    for (const CString& text : ui.m_texts)
        messages += "\n  " + fwtest::Utf8(text);
    EXPECT_EQ(5u, shown) << messages;
    EXPECT_TRUE(Misses().empty()) << GetParam().name << ":" << Describe(Misses());
    EXPECT_TRUE(chinese.empty()) << GetParam().name << " messages show Chinese:" << chinese;
}

// The texts the code keeps an English fall-back for are the language file's:
// the About box's second line, and the count question of a
// configuration-only generation without controllers with its refusal. (The
// other sweeps only see a fall-back that is Chinese.)
TEST_P(VantrelLanguages, TextsWithAnEnglishFallbackComeFromTheLanguageFile)
{
    CDecliningUiHost ui;
    CRealDialogServices services;
    CShellSession s(services);
    ASSERT_NE(s.m_frame, nullptr);
    s.m_frame->LanguageId = GetParam().id;
    s.m_frame->ApplyLanguage();
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    const CString file = GetLanguageFilePath(GetParam().id);
    auto expected = [&](LPCWSTR section, int key) {
        const CString text = ReadLanguageText(file, section, key);
        EXPECT_FALSE(text.IsEmpty()) << CStringA(section).GetString() << ' ' << key;
        return text;
    };

    CString aboutLine;
    CString countCaption;
    CDialogInitHook answer([&](CDialog& live) {
        if (dynamic_cast<CAboutDlg*>(&live) != nullptr)
            live.GetDlgItemText(IDC_ABOUT_LINE, aboutLine);
        else if (dynamic_cast<CDlgInputString*>(&live) != nullptr)
            live.GetWindowText(countCaption);
        else
            return;
        live.PostMessage(WM_COMMAND, IDCANCEL, 0);
    });
    s.m_frame->SendMessage(WM_COMMAND, ID_APP_ABOUT, 0);
    fwtest::PumpPending();
    EXPECT_EQ(expected(L"TITLE", 9), aboutLine);

    HardwareConfig config;
    OfflineGenerationChoice choice;
    choice.configOnly = TRUE;
    choice.controllerCount = 0;
    ui.m_folderAnswer = m_folder.Path();
    StartOfflineGeneration(*doc, config, choice, nullptr, DefaultOfflineOutputHost());
    ui.m_folderAnswer.Empty();
    EXPECT_EQ(expected(L"SHOW", 6), countCaption);
    ASSERT_FALSE(ui.m_texts.empty());
    const CString refusal = expected(L"SHOW", 7);
    EXPECT_EQ(refusal, ui.m_texts.back().Right(refusal.GetLength())) << fwtest::Utf8(ui.m_texts.back());
    EXPECT_TRUE(Misses().empty()) << GetParam().name << ":" << Describe(Misses());
}

INSTANTIATE_TEST_SUITE_P(Shipped, VantrelLanguages, ::testing::ValuesIn(kLanguages),
    [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.name); });

namespace {

// Keys as standard strings: the map needs their value order.
using TextKey = std::pair<std::wstring, std::wstring>;
using LanguageFile = std::map<TextKey, CString>;

// The (section, key) -> text pairs of a shipped UTF-16 language file.
LanguageFile ReadLanguageFile(const CString& path)
{
    LanguageFile texts;
    CFile file;
    // Other test programs read and copy the same shipped files meanwhile: an
    // exclusive open would fail for them or for this one.
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return texts;
    const UINT bytes = static_cast<UINT>(file.GetLength());
    std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, 0);
    file.Read(data.data(), bytes);
    CString all(data.data());
    if (!all.IsEmpty() && all[0] == 0xFEFF)
        all = all.Mid(1);
    CString section;
    int start = 0;
    while (start < all.GetLength()) {
        int end = all.Find(L'\n', start);
        if (end < 0)
            end = all.GetLength();
        CString line = all.Mid(start, end - start);
        line.Trim();
        start = end + 1;
        if (line.IsEmpty() || line[0] == L';')
            continue;
        if (line[0] == L'[') {
            section = line.Mid(1, line.GetLength() - 2);
            continue;
        }
        const int equals = line.Find(L'=');
        if (equals > 0)
            texts[{ section.GetString(), line.Left(equals).GetString() }] = line.Mid(equals + 1);
    }
    return texts;
}

struct ShippedFolder {
    LPCWSTR folder;
    std::vector<LPCWSTR> files;
};

} // namespace

// Every text that one language of a folder has, the others have too, and the
// English, French and Korean texts hold no Chinese.
TEST(ShippedLanguageFiles, EveryLanguageHasEveryTextInItsOwnLanguage)
{
    const ShippedFolder folders[] = {
        { L"Lang", { L"Chs.ini", L"Cht.ini", L"Eng.ini", L"French.ini", L"Korean.ini" } },
        { L"Config", { L"Chs.ini", L"Cht.ini", L"Eng.ini", L"French.ini" } },
    };
    for (const ShippedFolder& shipped : folders) {
        std::map<std::wstring, LanguageFile> files;
        std::map<TextKey, CString> every; // key -> a file that has it
        for (LPCWSTR name : shipped.files) {
            files[name] = ReadLanguageFile(GetAppFolder() + shipped.folder + L"\\" + name);
            EXPECT_FALSE(files[name].empty()) << CStringA(name).GetString();
            for (const auto& [key, text] : files[name])
                if (!text.IsEmpty())
                    every.emplace(key, name);
        }
        for (const auto& [name, texts] : files) {
            std::string lacking;
            for (const auto& [key, from] : every) {
                auto found = texts.find(key);
                if (found == texts.end() || found->second.IsEmpty())
                    lacking += " [" + std::string(CStringA(key.first.c_str())) + "] "
                        + std::string(CStringA(key.second.c_str()));
            }
            EXPECT_TRUE(lacking.empty()) << CStringA(shipped.folder).GetString() << "\\"
                                         << CStringA(name.c_str()).GetString() << " lacks" << lacking;
            if (name == L"Chs.ini" || name == L"Cht.ini")
                continue;
            for (const auto& [key, text] : texts)
                EXPECT_FALSE(fwtest::HoldsChinese(text))
                    << CStringA(shipped.folder).GetString() << "\\" << CStringA(name.c_str()).GetString() << " ["
                    << CStringA(key.first.c_str()).GetString() << "] " << CStringA(key.second.c_str()).GetString();
        }
    }
}

// The custom colour dialog, which no menu offers, takes its caption and its
// buttons from the language file like the other dialogs; outside Chinese none
// of its texts is left in Chinese.
TEST_P(VantrelLanguages, TheCustomColourDialogSpeaksTheLanguage)
{
    CDecliningUiHost ui;
    CRealDialogServices services;
    const LanguageFile file = ReadLanguageFile(m_folder.Path() + L"Lang\\" + GetParam().file);
    auto text = [&](int key) {
        auto found = file.find({ L"ITEM_TITLE", std::to_wstring(key) });
        return found != file.end() ? found->second : CString();
    };
    CString caption;
    std::vector<CString> labels;
    {
        CShellSession s(services);
        ASSERT_NE(s.m_frame, nullptr);
        s.m_frame->LanguageId = GetParam().id;
        s.m_frame->ApplyLanguage();
        CDialogInitHook read([&](CDialog& live) {
            live.GetWindowTextW(caption);
            for (HWND child = ::GetWindow(live.m_hWnd, GW_CHILD); child != nullptr;
                 child = ::GetWindow(child, GW_HWNDNEXT)) {
                CString label;
                CWnd::FromHandle(child)->GetWindowTextW(label);
                labels.push_back(label);
            }
            live.PostMessage(WM_COMMAND, IDCANCEL, 0);
        });
        s.m_frame->SendMessage(WM_COMMAND, ID_CUSTOM_COLOR_TEMPLATE, 0);
        fwtest::PumpPending();
    }
    ASSERT_FALSE(text(220).IsEmpty());
    EXPECT_EQ(text(220), caption);
    for (int key : { 221, 222, 33, 34 })
        EXPECT_NE(std::find(labels.begin(), labels.end(), text(key)), labels.end()) << "ITEM_TITLE " << key;
    if (GetParam().id != 2 && GetParam().id != 3) {
        EXPECT_FALSE(fwtest::HoldsChinese(caption));
        for (const CString& label : labels)
            EXPECT_FALSE(fwtest::HoldsChinese(label)) << CStringA(label).GetString();
    }
}
