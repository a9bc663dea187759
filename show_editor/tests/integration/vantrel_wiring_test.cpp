// The dialogs and editors of the other libraries as the running program
// reaches them: the document host makes the effect editors and runs the
// template-file picker, the main frame keeps the output library's hardware
// settings dialog with its Config texts, and the preview engine makes the
// AVI export dialog.
#include "../shell/shell_test_support.h"

#include "AppPaths.h"
#include "DlgExportAvi.h"
#include "DlgHardSet.h"
#include "color_template.h"
#include "current_dialogs.h"
#include "dlg_color_chioce.h"
#include "dlg_color_template.h"
#include "editors2_resource.h"
#include "flicker_dot_editor.h"
#include "fw_dialog_driver.h"
#include "hard_set_adapter.h"
#include "lang_service.h"
#include "player_panel.h"
#include "resource.h"
#include "screen_recorder_dlg.h"
#include "show_messages.h"
#include "tile_view.h"
#include "time_trigger_dialog.h"
#include "vantrel_doc_host.h"

#include <functional>
#include <vector>

using shelltest::CDialogInitHook;
using shelltest::CFakeServices;
using shelltest::CShellSession;
using shelltest::CTempProgramFolder;
using shelltest::LangFileText;

namespace {

// The recording services, but with the program's own hardware dialog.
class CRealHardwareServices : public CFakeServices {
public:
    CHardwareSettingsDialog* CreateHardwareDialog(HardwareConfig& config) override
    {
        return CShellServices::CreateHardwareDialog(config);
    }
};

struct VantrelWiring : ::testing::Test {
    CTempProgramFolder folder;
    fwtest::CScriptedUiHost ui;

    void SetUp() override
    {
        ASSERT_TRUE(folder.CopyShippedLanguages());
        folder.WriteSoftConf(L"Vantrel", L"1033");
    }

    static void AddTemplateFile(CDornelDoc& doc)
    {
        auto* file = new ColorTemplateArray;
        auto* colours = new ColorTemplate;
        colours->m_colors.Add(RGB(255, 0, 0));
        colours->m_colors.Add(RGB(0, 0, 255));
        file->m_templates.Add(colours);
        doc.m_templateFiles.Add(file);
    }

    static void CloseEditor(CEffectEditor*& slot)
    {
        auto* dialog = dynamic_cast<CDialog*>(slot);
        ASSERT_NE(dialog, nullptr);
        fwtest::ClickButton(*dialog, IDCANCEL);
        EXPECT_TRUE(fwtest::PumpUntil([&] { return slot == nullptr; }, 3000));
    }
};

TEST_F(VantrelWiring, DocumentHostMakesTheColourEffectEditorOwnedByTheMainFrame)
{
    CFakeServices services;
    CShellSession s(services);
    ASSERT_NE(s.m_frame, nullptr);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(&doc->Host(), static_cast<CDornelDocHost*>(&VantrelDocHost()));

    doc->AddColorEffect(1, TRUE);
    auto* editor = dynamic_cast<CDlgColorChioce*>(doc->m_pColourEffectEditor);
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor->GetSafeHwnd(), nullptr);
    EXPECT_EQ(editor->GetOwner(), s.m_frame);
    EXPECT_EQ(editor->m_style, 1);
    EXPECT_EQ(editor->m_templateFileIndex, -1);
    EXPECT_TRUE(editor->IsWindowVisible());
    CloseEditor(doc->m_pColourEffectEditor);
}

TEST_F(VantrelWiring, PickedTemplateFileReachesTheNextColourEffectEditor)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    AddTemplateFile(*doc);
    AddTemplateFile(*doc);

    // The picker shows one tile per template file; picking the second ends it.
    int pickers = 0;
    {
        fwtest::CDialogDriver hook(
            [&](CDialog& live) {
                if (dynamic_cast<CDlgColorTemplate*>(&live) == nullptr)
                    return;
                ++pickers;
                live.SendMessage(WM_TILE_SELECTED, 1, 0);
            },
            fwtest::CDialogDriver::Mode::Every);
        doc->AddColorEffect(2, FALSE);
    }
    EXPECT_EQ(pickers, 1);
    auto* editor = dynamic_cast<CDlgColorChioce*>(doc->m_pColourEffectEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->m_templateFileIndex, 1);
    EXPECT_EQ(VantrelDocHost().PendingTemplateFileIndex(), -1);
    CloseEditor(doc->m_pColourEffectEditor);

    // Closing the picker adds nothing, and the next editor starts without a file.
    {
        fwtest::CDialogDriver hook(
            [&](CDialog& live) {
                if (dynamic_cast<CDlgColorTemplate*>(&live) != nullptr)
                    live.EndDialog(IDCANCEL);
            },
            fwtest::CDialogDriver::Mode::Every);
        doc->AddColorEffect(2, FALSE);
    }
    EXPECT_EQ(doc->m_pColourEffectEditor, nullptr);
    doc->AddColorEffect(2, TRUE);
    editor = dynamic_cast<CDlgColorChioce*>(doc->m_pColourEffectEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->m_templateFileIndex, -1);
    CloseEditor(doc->m_pColourEffectEditor);
}

TEST_F(VantrelWiring, DocumentHostMakesTheFlickerStarEditor)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    doc->OnAddFlickerStar();
    auto* editor = dynamic_cast<CDlgFlickerDot*>(doc->m_pFlickerEditor);
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor->GetSafeHwnd(), nullptr);
    EXPECT_EQ(editor->GetOwner(), s.m_frame);
    CloseEditor(doc->m_pFlickerEditor);
}

TEST_F(VantrelWiring, DocumentHostRunsTheScheduleDialogAndOnlyOkStoresIt)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    doc->NewSegment(TRUE, FALSE);
    doc->m_currentSegment = 1;
    SegmentTimePlay& stored = doc->GetSegment(0)->m_pSegmentInfo->m_timePlay;
    const int gps = stored.m_gpsMode;

    int runs = 0;
    UINT ending = IDCANCEL;
    fwtest::CDialogDriver hook(
        [&](CDialog& live) {
            if (dynamic_cast<CDlgTimeTrigerSetting*>(&live) == nullptr)
                return;
            ++runs;
            EXPECT_EQ(live.GetParent(), s.m_frame);
            ::SendDlgItemMessage(live.GetSafeHwnd(), IDC_TT_GPS, BM_CLICK, 0, 0);
            fwtest::ClickButton(live, ending);
        },
        fwtest::CDialogDriver::Mode::Every);
    doc->EditSegmentTimeTrigger(1);
    EXPECT_EQ(stored.m_gpsMode, gps);
    ending = IDOK;
    doc->EditSegmentTimeTrigger(1);
    EXPECT_NE(stored.m_gpsMode, gps);
    EXPECT_EQ(runs, 2);
}

TEST_F(VantrelWiring, MainFrameKeepsTheHardwareDialogWithItsConfigTexts)
{
    CRealHardwareServices services;
    CShellSession s(services);
    ASSERT_NE(s.m_frame, nullptr);
    CMainFrame& frame = *s.m_frame;
    auto* adapter = dynamic_cast<CHardSetAdapter*>(frame.m_pDlgHardSet);
    ASSERT_NE(adapter, nullptr);

    // The chip page's texts come from the frame's Config language file.
    const CString configPath = GetLanguageIniPath(frame.LanguageId);
    ASSERT_EQ(configPath.Left(folder.Path().GetLength()).CompareNoCase(folder.Path()), 0);
    folder.WriteFile(configPath.Mid(folder.Path().GetLength()), LangFileText({ { L"CHIPSET", 7, L"Chip type" } }));
    ASSERT_TRUE(static_cast<bool>(adapter->GetConfigTextSource()));
    EXPECT_EQ(adapter->GetConfigTextSource()(L"CHIPSET", 7), L"Chip type");
    EXPECT_EQ(adapter->GetConfigTextSource()(L"CHIPSET", 7), frame.GetConfigLangText(L"CHIPSET", 7));

    // The hardware command runs the same dialog for the active document.
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    int runs = 0;
    {
        fwtest::CDialogDriver hook(
            [&](CDialog& live) {
                if (&live != &adapter->Dialog())
                    return;
                ++runs;
                EXPECT_EQ(adapter->Dialog().GetDocument(), doc);
                live.EndDialog(IDCANCEL);
            },
            fwtest::CDialogDriver::Mode::Every);
        frame.SendMessage(WM_COMMAND, ID_OFFLINE_BUTTON, 0);
    }
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(frame.m_pDlgHardSet, adapter);
}

TEST_F(VantrelWiring, ChipPageButtonsRunTheChipDialogs)
{
    CRealHardwareServices services;
    CShellSession s(services);
    ASSERT_NE(s.m_frame, nullptr);
    auto* adapter = dynamic_cast<CHardSetAdapter*>(s.m_frame->m_pDlgHardSet);
    ASSERT_NE(adapter, nullptr);
    CSetHardParamDlg& page = adapter->Dialog().Page();
    page.BackupMode = 1;
    page.BackupIdleHigh = 0;
    page.Ucs9812Currents[0] = 14;

    std::vector<CString> seen;
    fwtest::CDialogDriver hook(
        [&](CDialog& live) {
            if (dynamic_cast<CCX808Dlg*>(&live) != nullptr) {
                seen.push_back(L"backup");
                for (int radio : { IDC_BK_DUAL, IDC_BK_MAIN })
                    live.CheckDlgButton(radio, 0);
                live.CheckDlgButton(IDC_BK_SPARE, 1);
                live.CheckDlgButton(IDC_BK_IDLE_HIGH, 1);
                fwtest::ClickButton(live, IDOK);
            } else if (dynamic_cast<CElectricABC1Dlg*>(&live) != nullptr) {
                seen.push_back(L"twelve");
                live.EndDialog(IDCANCEL);
            } else if (&live == &page.m_dmxDialog) {
                seen.push_back(L"dmx");
                live.EndDialog(IDCANCEL);
            } else if (&live == &adapter->Dialog()) {
                ASSERT_NE(page.GetSafeHwnd(), nullptr);
                // The test's language files lack the page's texts: its labels
                // keep the resource's, none is blank.
                EXPECT_EQ(fwtest::GetItemText(page, 350), CString(L"驱动芯片"));
                EXPECT_EQ(fwtest::GetItemText(page, 408), CString(L"PWM时钟频率"));
                for (int button : { 407, 406, 394 })
                    fwtest::ClickButton(page, button);
                live.EndDialog(IDCANCEL);
            }
        },
        fwtest::CDialogDriver::Mode::Every);
    s.m_frame->SendMessage(WM_COMMAND, ID_OFFLINE_BUTTON, 0);

    EXPECT_EQ(seen, (std::vector<CString> { L"backup", L"twelve", L"dmx" }));
    // OK of the backup dialog wrote its values into the page; the cancelled
    // twelve-current dialog left the currents alone.
    EXPECT_EQ(page.BackupMode, 2);
    EXPECT_EQ(page.BackupIdleHigh, 1);
    EXPECT_EQ(page.Ucs9812Currents[0], 14);
}

TEST_F(VantrelWiring, CustomColourTemplateCommandRunsItsDialogOverTheMainFrame)
{
    CFakeServices services;
    CShellSession s(services);
    ASSERT_NE(s.m_frame, nullptr);
    int runs = 0;
    {
        fwtest::CDialogDriver hook(
            [&](CDialog& live) {
                auto* dialog = dynamic_cast<CDlgCustomColorTemplate*>(&live);
                if (dialog == nullptr)
                    return;
                ++runs;
                EXPECT_EQ(dialog->m_pDoc, s.Doc());
                EXPECT_EQ(live.GetParent(), s.m_frame);
                live.EndDialog(IDCANCEL);
            },
            fwtest::CDialogDriver::Mode::Every);
        s.m_frame->SendMessage(WM_COMMAND, ID_CUSTOM_COLOR_TEMPLATE, 0);
    }
    EXPECT_EQ(runs, 1);
}

TEST_F(VantrelWiring, DocumentHostRunsTheScreenRecorderForThePath)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    const CString path = folder.Path() + L"capture.avi";
    int runs = 0;
    {
        fwtest::CDialogDriver hook(
            [&](CDialog& live) {
                auto* recorder = dynamic_cast<CDlgRecordCtrl*>(&live);
                if (recorder == nullptr)
                    return;
                ++runs;
                EXPECT_EQ(recorder->m_outputPath, path);
                live.EndDialog(IDCANCEL);
            },
            fwtest::CDialogDriver::Mode::Every);
        doc->Host().RunScreenRecorder(path);
    }
    EXPECT_EQ(runs, 1);
}

TEST_F(VantrelWiring, PreviewEngineMakesTheAviExportDialog)
{
    CFakeServices services;
    CShellSession s(services);
    ASSERT_NE(s.m_frame, nullptr);
    auto* player = dynamic_cast<CViewpanel*>(s.m_frame->m_wndSplitter.GetPane(0, 1));
    ASSERT_NE(player, nullptr);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);

    int exports = 0;
    {
        fwtest::CDialogDriver hook(
            [&](CDialog& live) {
                if (dynamic_cast<CDlgExportAvi*>(&live) == nullptr)
                    return;
                ++exports;
                live.EndDialog(IDCANCEL);
            },
            fwtest::CDialogDriver::Mode::Every);
        player->GetEngine().SendMessage(WM_EXPORT_AVI, 0, 0);
    }
    EXPECT_EQ(exports, 1);
}

} // namespace
