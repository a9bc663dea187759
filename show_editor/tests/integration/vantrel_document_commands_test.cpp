// The document's commands in the running program: the main frame, its real
// panels and the program's own document host. Only the outermost UI (message
// boxes, pickers) is answered by the scripted UI host, and the program's own
// dialogs are driven live, so a host call without the program's answer fails
// here.
#include "../shell/shell_test_support.h"

#include "AppPaths.h"
#include "DlgExportAvi.h"
#include "color_animation_render.h"
#include "dlg_color_template.h"
#include "dlg_video_chioce.h"
#include "input_dialogs.h"
#include "panel_resource.h"
#include "player_panel.h"
#include "program_color_effect.h"
#include "property_panel.h"
#include "screen_recorder_dlg.h"
#include "segment.h"
#include "show_messages.h"
#include "time_trigger_dialog.h"
#include "tree_panel.h"
#include "vantrel_doc_host.h"

#include <cstring>
#include <functional>
#include <vector>

using shelltest::CDialogInitHook;
using shelltest::CFakeServices;
using shelltest::CShellSession;
using shelltest::CTempProgramFolder;

namespace {

struct DocumentCommands : ::testing::Test {
    CTempProgramFolder folder;
    fwtest::CScriptedUiHost ui;

    void SetUp() override
    {
        ASSERT_TRUE(folder.CopyShippedLanguages());
        folder.WriteSoftConf(L"Vantrel", L"1033");
    }
};

// A colour effect of the given played length, with a pass length that no
// renderer gives.
ProgramColorEffect* NewEffect(int length, int style = 4)
{
    auto* effect = new ProgramColorEffect;
    effect->m_style = style;
    effect->m_orgFrames = length;
    effect->m_startFrame = 1;
    effect->m_endFrame = length;
    return effect;
}

// n segments of one view, each view holding effects of the given lengths;
// the tree is rebuilt as after any command.
void BuildProject(CDornelDoc& doc, const std::vector<std::vector<int>>& lengths)
{
    for (const std::vector<int>& programs : lengths) {
        QvSegmentGourp* segment = doc.NewSegment(TRUE, FALSE);
        ProgramView* view = segment->m_views.GetAt(0);
        for (int length : programs)
            doc.AddProgramToView(view->m_pNode, NewEffect(length));
        doc.RecountViewFrames(view);
        doc.RecountSegmentFrames(segment);
    }
    doc.RefreshPanels();
}

CManagerPanel* Tree(CDornelDoc& doc)
{
    return dynamic_cast<CManagerPanel*>(doc.m_pTreePanel);
}

// The tree item of a node, searched depth first.
HTREEITEM ItemOf(CTreeCtrl& tree, const NodeInfo* node, HTREEITEM from = TVI_ROOT)
{
    for (HTREEITEM item = tree.GetChildItem(from); item != nullptr; item = tree.GetNextSiblingItem(item)) {
        if (reinterpret_cast<const NodeInfo*>(tree.GetItemData(item)) == node)
            return item;
        if (HTREEITEM found = ItemOf(tree, node, item))
            return found;
    }
    return nullptr;
}

template <class Dialog> bool Is(CDialog& live)
{
    return dynamic_cast<Dialog*>(&live) != nullptr;
}

// Selects a node as a click in the tree does.
void Click(CDornelDoc& doc, const NodeInfo* node)
{
    CManagerPanel* tree = Tree(doc);
    ASSERT_NE(tree, nullptr);
    HTREEITEM item = ItemOf(tree->GetTree(), node);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(tree->SelectItemNode(item));
}

// Scrolls the property grid as the user would until the row is in sight
// and clicks its value cell.
void ClickRowValue(CMFCPropertyGridCtrl& grid, CMFCPropertyGridProperty* row)
{
    for (UINT code : { SB_LINEUP, SB_LINEDOWN })
        for (int line = 0; line < 60 && row->GetRect().IsRectEmpty(); ++line)
            grid.SendMessage(WM_VSCROLL, code, 0);
    const CRect value = row->GetValueRect();
    ASSERT_FALSE(value.IsRectEmpty());
    const LPARAM at = MAKELPARAM(value.left + 10, value.CenterPoint().y);
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    grid.SendMessage(WM_LBUTTONUP, 0, at);
}

// The user clicks a row's value in the property grid, types over it and
// presses Enter.
void TypeIntoRow(CMFCPropertyGridCtrl& grid, CMFCPropertyGridProperty* row, LPCTSTR text)
{
    ClickRowValue(grid, row);
    CWnd* editor = row->GetInPlaceWnd();
    ASSERT_NE(editor, nullptr);
    editor->SetWindowText(text);
    editor->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
}

} // namespace

TEST_F(DocumentCommands, EveryHostCallGetsTheProgramsAnswer)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    CDornelDocHost& host = doc->Host();
    ASSERT_EQ(&host, static_cast<CDornelDocHost*>(&VantrelDocHost()));

    // The main window and frame.
    EXPECT_EQ(host.GetMainWindow(), s.m_frame->GetSafeHwnd());
    EXPECT_EQ(host.GetMainFrameScreen(), s.m_frame->GetScreen());
    EXPECT_EQ(host.GetLangText(L"HINT", 19), s.m_frame->GetLangText(L"HINT", 19));
    EXPECT_FALSE(host.GetLangText(L"HINT", 19).IsEmpty());

    // The main frame's own answers.
    host.SetStatusText(L"x:1  y:2  w:3  h:4");
    EXPECT_EQ(s.m_frame->m_wndStatusBar.GetStatusText(), CString(L"x:1  y:2  w:3  h:4"));
    host.SetMainFrameFourColorMode(8);
    EXPECT_EQ(s.m_frame->FourColorMode, 8);
    services.m_calls.clear();
    host.SetFourColor(host.GetMainFrameScreen(), 8, 0);
    EXPECT_EQ(services.CountOf(L"SetFourColor"), 1);
    BYTE record[ProjSet::kHardwareRecordSize] {};
    host.SaveHardwareRecord(record);
    EXPECT_EQ(std::memcmp(record, &s.m_frame->m_hardwareConfig.GetRecord(), sizeof(record)), 0);
    EXPECT_EQ(host.GetProductTitle(), CString(L"Vantrel"));
    HMENU file = ::GetSubMenu(::GetMenu(s.m_frame->GetSafeHwnd()), 0);
    ASSERT_NE(file, nullptr);
    host.EnableFileMenuItem(ID_DOC_EXPORT_AVI, FALSE);
    EXPECT_NE(::GetMenuState(file, ID_DOC_EXPORT_AVI, MF_BYCOMMAND) & MF_GRAYED, 0u);
    host.EnableFileMenuItem(ID_DOC_EXPORT_AVI, TRUE);
    EXPECT_EQ(::GetMenuState(file, ID_DOC_EXPORT_AVI, MF_BYCOMMAND) & MF_GRAYED, 0u);
    services.m_calls.clear();
    ui.ExpectMessageBox(IDOK, L" 0 "); // the document counts the lamps it read
    host.ApplyLayoutFile(folder.Path() + L"TF\\LEDScreen1.lpx");
    EXPECT_EQ(services.CountOf(L"SetLayout"), 1);
    EXPECT_EQ(doc->m_projectSettings.m_layoutFile, folder.Path() + L"TF\\LEDScreen1.lpx");

    // A colour effect's pass comes from the colour renderer, not from what
    // the program held before.
    std::unique_ptr<ProgramColorEffect> effect(NewEffect(12345, 4));
    effect->m_startSpeed = 2.0f;
    effect->m_endSpeed = 2.0f;
    const int pass = CCColorAnimationRender().PassFrameCount(*effect, 320, 64);
    ASSERT_NE(pass, 12345);
    EXPECT_EQ(host.PassFrameCount(effect.get(), 320, 64), pass);

    // The modal dialogs of the program: each host call runs its real dialog.
    struct Modal {
        const char* name;
        bool (*isDialog)(CDialog&);
        std::function<BOOL()> call;
        UINT button;
        BOOL result;
    };
    CString text = L"Before";
    SegmentTimePlay schedule;
    ColorTemplate* chosen = nullptr;
    const Modal modals[] = {
        { "InputString", &Is<CDlgInputString>, [&] { return host.InputString(text); }, IDOK, TRUE },
        { "InputString cancelled", &Is<CDlgInputString>, [&] { return host.InputString(text); }, IDCANCEL, FALSE },
        { "InputStringWithCaption", &Is<CDlgInputString>,
            [&] { return host.InputStringWithCaption(text, L"Input Number"); }, IDOK, TRUE },
        { "EditTimeTrigger", &Is<CDlgTimeTrigerSetting>, [&] { return host.EditTimeTrigger(schedule); }, IDOK, TRUE },
        { "ChooseColorTemplate", &Is<CDlgColorTemplate>, [&] { return host.ChooseColorTemplate(chosen); }, IDCANCEL,
            FALSE },
        { "RunVideoEditorModal", &Is<CDlgVideoChioce>,
            [&] {
                host.RunVideoEditorModal(-1);
                return TRUE;
            },
            IDCANCEL, TRUE },
        { "RunScreenRecorder", &Is<CDlgRecordCtrl>,
            [&] {
                host.RunScreenRecorder(folder.Path() + L"clip.avi");
                return TRUE;
            },
            IDCANCEL, TRUE },
    };
    for (const Modal& m : modals) {
        int shown = 0;
        CDialogInitHook hook([&](CDialog& live) {
            if (!m.isDialog(live))
                return;
            ++shown;
            fwtest::ClickButton(live, m.button);
        });
        EXPECT_EQ(m.call(), m.result) << m.name;
        EXPECT_EQ(shown, 1) << m.name;
    }

    // The modeless editors the program has are made, owned by the main frame
    // (each new editor joins this list when it comes into the program).
    const CStringArray noImages;
    for (int id : { IDD_EDITOR_COLOR_EFFECT, IDD_EDITOR_COLORFUL_WORDS, IDD_EDITOR_SCAN_LINE, IDD_EDITOR_FLICKER_DOT,
             IDD_EDITOR_COLOR_PLUS, IDD_EDITOR_VIDEO, IDD_EDITOR_IMAGE_SHOW }) {
        EffectEditorRequest request;
        request.dialogId = id;
        request.imageFiles = &noImages;
        CEffectEditor* editor = host.CreateEffectEditor(request);
        ASSERT_NE(editor, nullptr) << id;
        EXPECT_EQ(editor->GetDialogId(), id);
        auto* dialog = dynamic_cast<CDialog*>(editor);
        ASSERT_NE(dialog, nullptr) << id;
        EXPECT_EQ(dialog->GetOwner(), s.m_frame) << id;
        editor->DestroyEditor();
        delete editor;
    }
    EXPECT_EQ(ui.PendingCount(), 0u);
}

TEST_F(DocumentCommands, EditingCommandsMarkTheProjectModified)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    BuildProject(*doc, { { 10, 20, 30 }, { 40 } });
    auto view = [&] { return CDornelDoc::GetSegmentView(0, doc->GetSegment(0)); };
    auto program = [&](int n) { return view()->m_programs.GetAt(n - 1); };

    struct Row {
        const char* name;
        std::function<void()> select;
        std::function<void()> act;
        bool modified;
    };
    const Row rows[] = {
        { "move a program down", [&] { Click(*doc, program(1)->m_pNode); }, [&] { doc->OnMoveNodeDown(); }, true },
        { "move the first program up: nothing moves", [&] { Click(*doc, program(1)->m_pNode); },
            [&] { doc->OnMoveNodeUp(); }, false },
        { "move a segment down", [&] { Click(*doc, doc->GetSegment(0)->m_pNode); }, [&] { doc->OnMoveNodeDown(); },
            true },
        { "move it back", [&] { Click(*doc, doc->GetSegment(1)->m_pNode); }, [&] { doc->OnMoveNodeUp(); }, true },
        { "rename a view on its page", [&] { Click(*doc, view()->m_pNode); }, [&] { doc->SetNodeName(1, L"Front"); },
            true },
        { "the same name again", [&] { Click(*doc, view()->m_pNode); }, [&] { doc->SetNodeName(1, L"Front"); }, false },
        { "transparent mode", [&] { Click(*doc, view()->m_pNode); }, [&] { doc->SetViewTransparentMode(2); }, true },
        { "transparency", [&] { Click(*doc, view()->m_pNode); }, [&] { doc->SetViewTransparency(128); }, true },
        { "repeat count", [&] { Click(*doc, view()->m_pNode); }, [&] { doc->SetViewRepeatCount(3); }, true },
        { "area lock", [&] { Click(*doc, view()->m_pNode); }, [&] { doc->SetViewAreaLocked(1); }, true },
        { "area lock unchanged", [&] { Click(*doc, view()->m_pNode); }, [&] { doc->SetViewAreaLocked(1); }, false },
        { "view left", [&] { Click(*doc, view()->m_pNode); }, [&] { doc->OnViewPropertyChanged(52, 10); }, true },
        { "view width", [&] { Click(*doc, view()->m_pNode); }, [&] { doc->OnViewPropertyChanged(54, 60); }, true },
        { "view left unchanged", [&] { Click(*doc, view()->m_pNode); }, [&] { doc->OnViewPropertyChanged(52, 10); },
            false },
        { "whole project", [&] { Click(*doc, view()->m_pNode); }, [&] { doc->OnViewPropertyChanged(80, 0); }, true },
        { "brightness", [&] { Click(*doc, view()->m_pNode); }, [&] { doc->OnViewPropertyChanged(93, 50); }, true },
        { "dragged rectangle", [&] { Click(*doc, view()->m_pNode); },
            [&] {
                CRect canvas;
                CDornelDoc::ProjectRectToCanvas(doc->m_zoomPercent, CRect(20, 5, 60, 25), canvas,
                    doc->m_projectSettings.m_layoutType, doc->m_dotGap);
                doc->ApplyTrackedViewRect(canvas, 0);
            },
            true },
        { "start speed",
            [&] {
                Click(*doc, program(2)->m_pNode);
                doc->m_pSelectedProgram = program(2);
            },
            [&] { doc->OnProgramPropertyChanged(1, 19, L"2.0x"); }, true },
    };
    for (const Row& row : rows) {
        row.select();
        doc->SetModifiedFlag(FALSE);
        row.act();
        EXPECT_EQ(doc->IsModified() != FALSE, row.modified) << row.name;
    }
    EXPECT_EQ(view()->m_pNode->m_name, CString(L"Front"));
    EXPECT_EQ(view()->m_transparentMode, 2);
    EXPECT_EQ(view()->m_brightness, 50);
    EXPECT_EQ(ui.PendingCount(), 0u);
}

TEST_F(DocumentCommands, ASpeedChangeRefitsTheEffectThroughTheColourRenderer)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    doc->m_projectSettings.m_width = 320;
    doc->m_projectSettings.m_height = 64;
    BuildProject(*doc, { { 7777 } });
    auto* effect = static_cast<ProgramColorEffect*>(doc->GetSegment(0)->m_views.GetAt(0)->m_programs.GetAt(0));
    Click(*doc, effect->m_pNode);
    doc->m_pSelectedProgram = effect;

    for (LPCWSTR speed : { L"2.0x", L"0.5x" }) {
        doc->OnProgramPropertyChanged(1, 20, speed);
        const int expected = CCColorAnimationRender().PassFrameCount(*effect, 320, 64);
        EXPECT_EQ(effect->m_orgFrames, expected) << speed;
        EXPECT_EQ(effect->m_endFrame, expected);
        EXPECT_EQ(doc->GetSegment(0)->m_pSegmentInfo->m_totalFrames, expected);
        EXPECT_EQ(doc->m_projectSettings.m_totalFrames, expected);
    }
    EXPECT_NE(effect->m_orgFrames, 7777);
}

TEST_F(DocumentCommands, TheCurrentSegmentFollowsTheSelectionAcrossTreeRebuilds)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    BuildProject(*doc, { { 1, 2, 3 }, { 4, 5, 6 } });
    auto lengths = [&](int segment) {
        std::vector<int> found;
        ProgramView* view = CDornelDoc::GetSegmentView(0, doc->GetSegment(segment - 1));
        for (INT_PTR p = 0; p < view->m_programs.GetSize(); ++p)
            found.push_back(view->m_programs.GetAt(p)->m_endFrame);
        return found;
    };

    // Two moves in a row of the first program of segment 1: each move
    // rebuilds the tree, and the second still acts on segment 1.
    Click(*doc, CDornelDoc::GetSegmentView(0, doc->GetSegment(0))->m_programs.GetAt(0)->m_pNode);
    doc->OnMoveNodeDown();
    EXPECT_EQ(doc->m_currentSegment, 1);
    doc->OnMoveNodeDown();
    EXPECT_EQ(lengths(1), (std::vector<int> { 2, 3, 1 }));
    EXPECT_EQ(lengths(2), (std::vector<int> { 4, 5, 6 }));

    // Delete on a selected segment deletes that one, after a rebuild too.
    Click(*doc, doc->GetSegment(0)->m_pNode);
    doc->RefreshPanels();
    EXPECT_EQ(doc->m_currentSegment, 1);
    ui.ExpectMessageBox(IDYES, doc->GetSegment(0)->m_pNode->m_name);
    doc->OnDeleteNode();
    ASSERT_EQ(doc->m_segments.GetSize(), 1);
    EXPECT_EQ(lengths(1), (std::vector<int> { 4, 5, 6 }));
    EXPECT_EQ(ui.PendingCount(), 0u);
}

TEST_F(DocumentCommands, AProgramHandedOverWithoutACurrentViewGetsOne)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);

    // Nothing in the project: a segment with a view is made for it.
    std::unique_ptr<ProgramColorEffect> work(NewEffect(25));
    doc->m_pCurrentViewNode = nullptr;
    doc->AddProgram(work.get());
    ASSERT_EQ(doc->m_segments.GetSize(), 1);
    ASSERT_EQ(doc->GetSegment(0)->m_views.GetSize(), 1);
    EXPECT_EQ(CDornelDoc::GetSegmentView(0, doc->GetSegment(0))->m_programs.GetSize(), 1);
    EXPECT_EQ(doc->m_projectSettings.m_totalFrames, 25);

    // The current view went away (its node cleared) while a segment is
    // current: a new view in that segment takes the program.
    doc->m_currentSegment = 1;
    doc->m_pCurrentViewNode = nullptr;
    doc->SetModifiedFlag(FALSE);
    doc->AddProgram(work.get());
    ASSERT_EQ(doc->m_segments.GetSize(), 1);
    ASSERT_EQ(doc->GetSegment(0)->m_views.GetSize(), 2);
    EXPECT_EQ(CDornelDoc::GetSegmentView(1, doc->GetSegment(0))->m_programs.GetSize(), 1);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetSegment(0)->m_pSegmentInfo->m_totalFrames, 25);
    EXPECT_TRUE(fwtest::PumpUntil([&] { return Tree(*doc)->GetTree().GetCount() == 5; }, 2000));
}

TEST_F(DocumentCommands, AnAviExportLongerThanTheShowEndsWithItsDialog)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    doc->m_projectSettings.m_width = 8;
    doc->m_projectSettings.m_height = 4;
    BuildProject(*doc, { { 3 } });
    doc->m_projectSettings.m_playFrames = 50; // more than the show has
    auto* player = dynamic_cast<CViewpanel*>(s.m_frame->m_wndSplitter.GetPane(0, 1));
    ASSERT_NE(player, nullptr);
    const CString path = folder.Path() + L"short.avi";
    ui.ExpectFileSave(path);
    ui.ExpectShellOpen();
    int dialogs = 0;
    {
        CDialogInitHook hook([&](CDialog& live) {
            if (dynamic_cast<CDlgExportAvi*>(&live) == nullptr)
                return;
            ++dialogs;
            fwtest::ClickButton(live, IDOK); // asks for the file and starts the export
        });
        player->GetEngine().SendMessage(WM_EXPORT_AVI, 0, 0);
    }
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(player->GetEngine().GetMode(), ENGINE_MODE_PREVIEW);
    EXPECT_NE(::GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ui.PendingCount(), 0u) << "the folder of the finished file opens";
}

TEST_F(DocumentCommands, ACancelledEditorGivesThePlayerTheProjectsCountBack)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    doc->m_projectSettings.m_width = 8;
    doc->m_projectSettings.m_height = 4;
    BuildProject(*doc, { { 37 } });
    auto* player = dynamic_cast<CViewpanel*>(s.m_frame->m_wndSplitter.GetPane(0, 1));
    ASSERT_NE(player, nullptr);
    auto counter = [&] {
        CString text;
        player->GetCounter().GetWindowText(text);
        return text;
    };
    ASSERT_EQ(counter(), CString(L"1/37"));

    struct Case {
        UINT command;
        CEffectEditor* CDornelDoc::*slot;
        UINT close; // the button, or WM_CLOSE for the close box
    };
    const Case cases[] = {
        { ID_DOC_ADD_SCAN_LINE, &CDornelDoc::m_pScanLineEditor, IDCANCEL },
        { ID_DOC_ADD_COLORFUL_WORDS, &CDornelDoc::m_pWordsEditor, IDCANCEL },
        { ID_DOC_ADD_FLICKER_STAR, &CDornelDoc::m_pFlickerEditor, WM_CLOSE },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        fwtest::SendCommand(*s.m_frame, c.command);
        auto* editor = dynamic_cast<CDialog*>(doc->*c.slot);
        ASSERT_NE(editor, nullptr);
        fwtest::PumpPending();
        EXPECT_EQ(doc->GetActiveProjSet(), &doc->m_previewSettings);
        // While it previews, the player counts the editor's frames.
        const int previewFrames = doc->m_previewSettings.m_playFrames;
        ASSERT_GT(previewFrames, 0);
        ASSERT_NE(previewFrames, 37);
        doc->OnPlay();
        EXPECT_EQ(player->GetSlider().GetRangeMax(), previewFrames - 1);
        if (c.close == WM_CLOSE)
            editor->SendMessage(WM_CLOSE);
        else
            fwtest::ClickButton(*editor, static_cast<int>(c.close));
        EXPECT_TRUE(fwtest::PumpUntil([&] { return doc->*c.slot == nullptr; }, 3000));
        EXPECT_EQ(counter(), CString(L"1/37"));
        EXPECT_EQ(player->GetSlider().GetRangeMax(), 36);
        EXPECT_EQ(doc->m_projectSettings.m_playFrames, 37);
    }
}

TEST_F(DocumentCommands, ThePropertyPanelStaysOnTheRowTheUserEdits)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    s.m_frame->ShowWindow(SW_SHOW);
    s.m_frame->SetWindowPos(nullptr, 0, 0, 1000, 640, SWP_NOZORDER);
    fwtest::PumpPending();
    BuildProject(*doc, { { 10, 20 } });
    auto* props = dynamic_cast<CPropertypanel*>(doc->m_pPropertyPanel);
    ASSERT_NE(props, nullptr);
    CMFCPropertyGridCtrl& grid = props->GetGrid();
    Program* program = CDornelDoc::GetSegmentView(0, doc->GetSegment(0))->m_programs.GetAt(1);
    Click(*doc, program->m_pNode);
    ASSERT_TRUE(props->m_materialGroup->IsVisible());

    // The user scrolls down to the program's rows, clicks a value and types
    // over it; Enter ends the edit.
    for (int line = 0; line < 40; ++line)
        grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    const int scrolled = grid.GetScrollPos(SB_VERT);
    ASSERT_GT(scrolled, 0) << "the grid is taller than its pane";
    auto type = [&](CMFCPropertyGridProperty* row, LPCTSTR text) { TypeIntoRow(grid, row, text); };
    type(props->m_endFrame, L"15");
    EXPECT_EQ(program->m_endFrame, 15);
    EXPECT_TRUE(props->m_materialGroup->IsVisible());
    EXPECT_TRUE(props->m_viewGroup->IsVisible());
    EXPECT_TRUE(props->m_segmentGroup->IsVisible());
    EXPECT_EQ(grid.GetCurSel(), props->m_endFrame);
    EXPECT_EQ(grid.GetScrollPos(SB_VERT), scrolled);
    // The rows show the new state of the model.
    EXPECT_EQ(RowText(props->m_endFrame), CString(L"15"));
    EXPECT_EQ(RowText(props->m_segmentFrames), CString(L"25"));

    // The next edit goes on from the same place.
    type(props->m_startFrame, L"3");
    EXPECT_EQ(program->m_startFrame, 3);
    EXPECT_EQ(grid.GetCurSel(), props->m_startFrame);
    EXPECT_EQ(grid.GetScrollPos(SB_VERT), scrolled);
    EXPECT_TRUE(props->m_materialGroup->IsVisible());

    // A node that is gone leaves only the project's rows.
    ui.ExpectMessageBox(IDYES, program->m_pNode->m_name);
    doc->OnDeleteNode();
    EXPECT_FALSE(props->m_materialGroup->IsVisible());
    EXPECT_TRUE(props->m_projectGroup->IsVisible());
}

TEST_F(DocumentCommands, TheStatusBarShowsTheSelectedViewAfterTheProjectSizeChanged)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    s.m_frame->ShowWindow(SW_SHOW);
    s.m_frame->SetWindowPos(nullptr, 0, 0, 1000, 640, SWP_NOZORDER);
    BuildProject(*doc, { { 10 } });
    auto* props = dynamic_cast<CPropertypanel*>(doc->m_pPropertyPanel);
    ASSERT_NE(props, nullptr);
    auto status = [&] { return s.m_frame->m_wndStatusBar.GetStatusText(); };
    NodeInfo* first = CDornelDoc::GetSegmentView(0, doc->GetSegment(0))->m_pNode;
    Click(*doc, first);
    EXPECT_EQ(status(), CString(L"x:0  y:0  w:200  h:50"));

    // The project's size through its rows: the selected view keeps its place.
    TypeIntoRow(props->GetGrid(), props->m_width, L"320");
    TypeIntoRow(props->GetGrid(), props->m_height, L"96");
    ASSERT_EQ(doc->m_projectSettings.m_width, 320);
    ASSERT_EQ(doc->m_projectSettings.m_height, 96);
    EXPECT_EQ(status(), CString(L"x:0  y:0  w:200  h:50"));

    // A new segment's view fills the new size and is selected: the status
    // says so.
    doc->m_pTreePanel->SendMessage(WM_COMMAND, ID_TREE_NEW_SEGMENT);
    EXPECT_EQ(doc->m_pSelectedNode, CDornelDoc::GetSegmentView(0, doc->GetSegment(1))->m_pNode);
    EXPECT_EQ(status(), CString(L"x:0  y:0  w:320  h:96"));

    // The first view made full size takes the project's new size.
    Click(*doc, first);
    EXPECT_EQ(status(), CString(L"x:0  y:0  w:200  h:50"));
    ClickRowValue(props->GetGrid(), props->m_fullSize);
    EXPECT_EQ(status(), CString(L"x:0  y:0  w:320  h:96"));
}
