// The video and animation import editor as the running program makes it:
// command 32854 (after the file dialog), Edit on a video program and the
// screen capture, each through the program's own document host. Frames,
// tiles, fades and crops reach the working copy and the preview; OK adds the
// program to the project, which then plays.
#include "media_session.h"

#include "dlg_video_chioce.h"
#include "media_editors_resource.h"
#include "program_image_show.h"
#include "program_video.h"
#include "property_panel.h"
#include "screen_recorder_dlg.h"
#include "tile_view.h"
#include "show_messages.h"

#include "ClipWriters.h"
#include "fw_dialog_driver.h"
#include "swf_writer.h"

using namespace mediatest;

namespace {

struct VideoImport : MediaSession {
    CDlgVideoChioce* Open(const CString& clip)
    {
        ui.ExpectFileOpen({ clip });
        Command(ID_DOC_ADD_VIDEO);
        return dynamic_cast<CDlgVideoChioce*>(doc->m_pVideoEditor);
    }
};

} // namespace

TEST_F(VideoImport, ANewProgramFromA250FrameClipIsAddedAndPlays)
{
    const CString clip = WriteClip(L"clip.avi", 250);
    CDlgVideoChioce* editor = Open(clip);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetOwner(), session->m_frame);
    EXPECT_TRUE(editor->IsWindowVisible());
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_VC_PATH), clip);
    EXPECT_EQ(ItemInt(*editor, IDC_VC_START), 1);
    EXPECT_EQ(ItemInt(*editor, IDC_VC_END), 250);
    EXPECT_EQ(ItemInt(*editor, IDC_VC_TOTAL), 250);
    // English labels from the language file; the tile of the clip.
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_VC_LABEL_TOTAL), CString(L"Total frames"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_VC_LABEL_START), CString(L"Start frame"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_VC_LABEL_CROP_RIGHT), CString(L"Crop right"));
    ASSERT_NE(editor->m_pTileView, nullptr);
    EXPECT_EQ(editor->m_pTileView->m_tiles.GetCount(), 1);
    // The preview plays the working copy, never the project.
    EXPECT_EQ(doc->m_listSelector, 0);
    EXPECT_EQ(doc->m_previewSettings.m_playFrames, 250);
    EXPECT_EQ(doc->m_previewSegments.GetAt(0)->m_pSegmentInfo->m_totalFrames, 250);
    EXPECT_EQ(doc->m_projectSettings.m_playFrames, 0);

    // A typed crop above the list's 10 counts; an end before the start plays
    // the start frame alone but is refused at OK.
    Type(*editor, IDC_VC_CROP_TOP, L"25", CBN_EDITCHANGE);
    Choose(*editor, IDC_VC_CROP_LEFT, 3);
    Choose(*editor, IDC_VC_HTILES, 2);
    Choose(*editor, IDC_VC_FADE_OUT, 4);
    Type(*editor, IDC_VC_START, L"30", EN_CHANGE);
    Type(*editor, IDC_VC_END, L"20", EN_CHANGE);
    EXPECT_EQ(doc->m_previewSettings.m_playFrames, 1);
    ui.ExpectMessageBox(IDOK, L"end frame");
    fwtest::ClickButton(*editor, IDOK);
    ASSERT_EQ(doc->m_pVideoEditor, editor);
    EXPECT_EQ(ProjectProgram(1, 1, 1), nullptr);

    // Numbers far outside any clip are held to a range that cannot overflow.
    Type(*editor, IDC_VC_START, L"-2147483647", EN_CHANGE);
    Type(*editor, IDC_VC_END, L"2147483647", EN_CHANGE);
    EXPECT_EQ(doc->m_previewSettings.m_playFrames, 100000000);
    Type(*editor, IDC_VC_START, L"30", EN_CHANGE);
    Type(*editor, IDC_VC_END, L"129", EN_CHANGE);
    EXPECT_EQ(doc->m_previewSettings.m_playFrames, 100);
    ASSERT_TRUE(CloseWith(doc->m_pVideoEditor, IDOK));
    auto* added = dynamic_cast<ProgramVideo*>(ProjectProgram(1, 1, 1));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_filePath, clip);
    EXPECT_EQ(added->m_mediaKind, MEDIA_VIDEO);
    EXPECT_EQ(added->m_orgFrames, 250);
    EXPECT_EQ(added->m_startFrame, 30);
    EXPECT_EQ(added->m_endFrame, 129);
    EXPECT_EQ(added->m_hTiles, 3);
    EXPECT_EQ(added->m_fadeOutTime, 5);
    EXPECT_EQ(added->m_marginTop, 25);
    EXPECT_EQ(added->m_marginLeft, 3);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(TreeShows(added));

    // The project list is active again and plays the new program.
    EXPECT_EQ(doc->m_listSelector, 1);
    EXPECT_EQ(doc->m_projectSettings.m_playFrames, 100);
    Command(ID_DOC_PLAY);
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);
    Command(ID_DOC_STOP);
}

TEST_F(VideoImport, AVideoAddedToAViewThatFillsTheProjectLeavesItFilling)
{
    // A project of another size than the editor's preview list has.
    doc->m_projectSettings.m_width = 320;
    doc->m_projectSettings.m_height = 240;
    ASSERT_NE(doc->NewSegment(TRUE, TRUE), nullptr);
    ProgramView* view = CDornelDoc::GetSegmentView(0, doc->GetSegment(0));
    ASSERT_NE(view, nullptr);
    auto* panel = dynamic_cast<CPropertypanel*>(doc->m_pPropertyPanel);
    ASSERT_NE(panel, nullptr);
    panel->OnShowProperties(view->m_pNode);
    ASSERT_TRUE(panel->m_fullSize->IsChecked());

    ASSERT_NE(Open(WriteClip(L"clip.avi", 40)), nullptr);
    ASSERT_TRUE(CloseWith(doc->m_pVideoEditor, IDOK));
    ASSERT_NE(ProjectProgram(1, 1, 1), nullptr);
    EXPECT_EQ(view->m_projectRect, CRect(0, 0, 320, 240));
    EXPECT_TRUE(panel->m_fullSize->IsChecked()) << "the view's page no longer shows it filling the project";
    panel->OnShowProperties(view->m_pNode);
    EXPECT_TRUE(panel->m_fullSize->IsChecked());

    // While an editor is open the view rows still take the project's size.
    panel->OnShowProperties(view->m_pNode);
    ASSERT_NE(Open(WriteClip(L"other.avi", 40)), nullptr);
    panel->m_viewWidth->SetValue(COleVariant(L"300"));
    panel->OnPropertyChanged(panel->m_viewWidth);
    EXPECT_EQ(view->m_projectRect, CRect(0, 0, 300, 240));
    ASSERT_TRUE(CloseWith(doc->m_pVideoEditor, IDCANCEL));
}

TEST_F(VideoImport, EditingKeepsTheOwnEndFrameAndAnotherFileResetsIt)
{
    const CString first = WriteClip(L"first.avi", 250);
    const CString second = WriteClip(L"second.avi", 40);
    CDlgVideoChioce* editor = Open(second);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(CloseWith(doc->m_pVideoEditor, IDCANCEL));
    EXPECT_EQ(ProjectProgram(1, 1, 1), nullptr);
    editor = Open(first);
    ASSERT_NE(editor, nullptr);
    Type(*editor, IDC_VC_END, L"120", EN_CHANGE);
    ASSERT_TRUE(CloseWith(doc->m_pVideoEditor, IDOK));
    auto* program = dynamic_cast<ProgramVideo*>(ProjectProgram(1, 1, 1));
    ASSERT_NE(program, nullptr);

    SelectProgram(1);
    Command(ID_DOC_EDIT_MATERIAL);
    editor = dynamic_cast<CDlgVideoChioce*>(doc->m_pVideoEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(doc->m_editSegment, 1);
    EXPECT_EQ(editor->m_mediaIndex, 1);
    EXPECT_EQ(ItemInt(*editor, IDC_VC_END), 120);
    EXPECT_EQ(ItemInt(*editor, IDC_VC_TOTAL), 250);
    ASSERT_EQ(editor->m_pTileView->m_tiles.GetCount(), 2);

    struct Case {
        int tile;
        int end;
        int total;
    };
    const Case cases[] = { { 1, 120, 250 }, { 0, 40, 40 }, { 7, 40, 40 } };
    for (const Case& c : cases) {
        editor->SendMessage(WM_TILE_SELECTED, static_cast<WPARAM>(c.tile), 0);
        EXPECT_EQ(ItemInt(*editor, IDC_VC_END), c.end) << c.tile;
        EXPECT_EQ(ItemInt(*editor, IDC_VC_TOTAL), c.total) << c.tile;
    }
    ASSERT_TRUE(CloseWith(doc->m_pVideoEditor, IDOK));
    // Changed in place: no second program.
    EXPECT_EQ(ProjectProgram(1, 1, 2), nullptr);
    EXPECT_EQ(program->m_filePath, second);
    EXPECT_EQ(program->m_endFrame, 40);
    EXPECT_EQ(doc->m_editSegment, -1);
    EXPECT_EQ(doc->m_listSelector, 1);
    EXPECT_TRUE(TreeShows(program));
    EXPECT_EQ(doc->m_projectSettings.m_playFrames, 40);
    Command(ID_DOC_PLAY);
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);
    Command(ID_DOC_STOP);
}

TEST_F(VideoImport, UnusableFilesAndRefusedCommandsLeaveTheProjectAsItWas)
{
    // A file nothing can open, and an animation its library cannot open: a
    // message each, no editor, no empty segment, the project list active.
    struct Case {
        LPCWSTR name;
        LPCWSTR message;
    };
    const Case cases[]
        = { { L"notes.avi", L"video file" }, { L"anim.SwF", L"animation" }, { L"anim.tol", L"animation" } };
    for (const Case& c : cases) {
        ui.ExpectFileOpen({ WriteJunk(c.name) });
        ui.ExpectMessageBox(IDOK, c.message);
        Command(ID_DOC_ADD_VIDEO);
        EXPECT_EQ(doc->m_pVideoEditor, nullptr) << c.name;
        EXPECT_EQ(doc->m_segments.GetSize(), 0) << c.name;
        EXPECT_EQ(doc->m_listSelector, 1) << c.name;
    }
    // A cancelled file dialog of the video, image-show and capture commands.
    const struct {
        UINT command;
        fwtest::CScriptedUiHost::Kind dialog;
    } cancels[] = { { ID_DOC_ADD_VIDEO, fwtest::CScriptedUiHost::Kind::FileOpen },
        { ID_DOC_ADD_IMAGE_SHOW, fwtest::CScriptedUiHost::Kind::FileOpen },
        { ID_DOC_SCREEN_CAPTURE, fwtest::CScriptedUiHost::Kind::FileSave } };
    for (const auto& c : cancels) {
        ui.ExpectCancel(c.dialog);
        Command(c.command);
        EXPECT_EQ(doc->m_segments.GetSize(), 0) << c.command;
        EXPECT_EQ(doc->m_listSelector, 1) << c.command;
        EXPECT_EQ(doc->m_pImageShowEditor, nullptr) << c.command;
    }

    // With the video editor open another content command only re-centres it.
    CDlgVideoChioce* editor = Open(WriteClip(L"clip.avi", 5));
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(doc->m_segments.GetSize(), 1);
    for (UINT id : { ID_DOC_ADD_COLORFUL_WORDS, ID_DOC_ADD_SCAN_LINE, ID_DOC_ADD_IMAGE_SHOW, ID_DOC_ADD_VIDEO,
             ID_DOC_BUILT_IN_EFFECTS }) {
        doc->m_pCurrentViewNode = nullptr;
        Command(id);
        EXPECT_EQ(doc->m_segments.GetSize(), 1) << id;
        EXPECT_EQ(doc->m_pWordsEditor, nullptr) << id;
        EXPECT_EQ(doc->m_pImageShowEditor, nullptr) << id;
        EXPECT_EQ(doc->m_pAnimationBrowser, nullptr) << id;
        EXPECT_EQ(doc->m_pVideoEditor, editor) << id;
    }
}

TEST_F(VideoImport, AProgramWhoseViewWentWhileItsEditorWasOpenGetsANewSegment)
{
    CDlgVideoChioce* editor = Open(WriteClip(L"clip.avi", 12));
    ASSERT_NE(editor, nullptr);
    // The view the program was meant for is deleted from the tree.
    doc->m_currentSegment = 1;
    doc->m_pSelectedNode = doc->GetSegment(0)->m_pNode;
    ui.ExpectMessageBox(IDYES);
    doc->OnDeleteNode();
    ASSERT_EQ(doc->m_segments.GetSize(), 0);
    ASSERT_TRUE(CloseWith(doc->m_pVideoEditor, IDOK));
    auto* added = dynamic_cast<ProgramVideo*>(ProjectProgram(1, 1, 1));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_endFrame, 12);
    EXPECT_EQ(doc->GetSegment(0)->m_pSegmentInfo->m_totalFrames, 12);
}

TEST_F(VideoImport, AnEditorThatCannotOpenLeavesNoEditUnderWay)
{
    // A program of the video kind that is not a video: no editor takes it.
    auto* odd = new ProgramImageShow;
    odd->m_programType = PROGRAM_TYPE_MEDIA;
    QvSegmentGourp* segment = doc->NewSegment(TRUE, FALSE);
    doc->AddProgramToView(segment->m_views.GetAt(0)->m_pNode, odd);
    auto* video = new ProgramVideo;
    video->m_programType = PROGRAM_TYPE_MEDIA;
    video->m_filePath = WriteClip(L"clip.avi", 9);
    video->m_orgFrames = 9;
    video->m_endFrame = 9;
    doc->AddProgramToView(segment->m_views.GetAt(0)->m_pNode, video);

    SelectProgram(1);
    ui.ExpectMessageBox(IDOK, L"editor could not be opened");
    Command(ID_DOC_EDIT_MATERIAL);
    EXPECT_EQ(doc->m_pVideoEditor, nullptr);
    EXPECT_EQ(doc->m_editSegment, -1);
    EXPECT_EQ(doc->m_listSelector, 1);
    EXPECT_EQ(doc->m_previewSegments.GetSize(), 0);

    // The next Edit opens its editor.
    SelectProgram(2);
    Command(ID_DOC_EDIT_MATERIAL);
    auto* editor = dynamic_cast<CDlgVideoChioce*>(doc->m_pVideoEditor);
    ASSERT_NE(editor, nullptr);
    // Not in the media list: the editor shows the program's own file.
    EXPECT_EQ(editor->m_mediaIndex, -1);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_VC_PATH), video->m_filePath);
    EXPECT_EQ(ItemInt(*editor, IDC_VC_END), 9);
}

TEST_F(VideoImport, AScreenCaptureRecordsAndHandsItsClipToTheVideoEditor)
{
    const CString capture = folder.Path() + L"capture.avi";
    ui.ExpectFileSave(capture);
    int recorded = 0;
    int editors = 0;
    bool minimizedWhileRecording = false;
    {
        fwtest::CDialogDriver driver(
            [&](CDialog& live) {
                if (auto* recorder = dynamic_cast<CDlgRecordCtrl*>(&live)) {
                    // The user records a few frames of the screen and stops.
                    EXPECT_EQ(recorder->m_outputPath, capture);
                    minimizedWhileRecording = session->m_frame->IsIconic() != FALSE;
                    fwtest::ClickButton(live, IDC_REC_RECORD);
                    EXPECT_TRUE(fwtest::PumpUntil([&] { return recorder->m_frameCount.load() >= 5; }, 10000));
                    fwtest::ClickButton(live, IDC_REC_STOP);
                    recorded = recorder->m_frameCount.load();
                } else if (auto* editor = dynamic_cast<CDlgVideoChioce*>(&live)) {
                    ++editors;
                    EXPECT_TRUE(editor->IsModal());
                    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_VC_PATH), capture);
                    EXPECT_EQ(ItemInt(*editor, IDC_VC_TOTAL), recorded);
                    EXPECT_EQ(ItemInt(*editor, IDC_VC_END), recorded);
                    EXPECT_EQ(doc->m_listSelector, 0);
                    CString end;
                    end.Format(L"%d", recorded - 1);
                    Type(*editor, IDC_VC_END, end, EN_CHANGE);
                    fwtest::ClickButton(*editor, IDOK);
                }
            },
            fwtest::CDialogDriver::Mode::Every);
        Command(ID_DOC_SCREEN_CAPTURE);
    }
    EXPECT_TRUE(minimizedWhileRecording);
    EXPECT_TRUE(session->m_frame->IsZoomed());
    ASSERT_GE(recorded, 5);
    EXPECT_EQ(editors, 1);
    auto* added = dynamic_cast<ProgramVideo*>(ProjectProgram(1, 1, 1));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_filePath, capture);
    EXPECT_EQ(added->m_mediaKind, MEDIA_VIDEO);
    EXPECT_EQ(added->m_orgFrames, recorded);
    EXPECT_EQ(added->m_endFrame, recorded - 1);
    EXPECT_EQ(doc->m_listSelector, 1);
    EXPECT_EQ(doc->m_previewSegments.GetSize(), 0);
    EXPECT_EQ(doc->m_pVideoEditor, nullptr);
    EXPECT_TRUE(TreeShows(added));
    EXPECT_EQ(doc->m_projectSettings.m_playFrames, recorded - 1);
    Command(ID_DOC_PLAY);
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);
    Command(ID_DOC_STOP);

    // A recording stopped before it began leaves no file: nothing is added.
    ui.ExpectFileSave(folder.Path() + L"nothing.avi");
    {
        fwtest::CDialogDriver driver(
            [&](CDialog& live) {
                if (dynamic_cast<CDlgRecordCtrl*>(&live) != nullptr)
                    live.EndDialog(IDCANCEL);
                else if (dynamic_cast<CDlgVideoChioce*>(&live) != nullptr)
                    ADD_FAILURE() << "an editor opened without a clip";
            },
            fwtest::CDialogDriver::Mode::Every);
        Command(ID_DOC_SCREEN_CAPTURE);
    }
    EXPECT_EQ(ProjectProgram(1, 1, 2), nullptr);
    EXPECT_EQ(doc->m_listSelector, 1);
}

TEST_F(VideoImport, AnSwfFileOfAnyLetterCaseIsImportedAsAnAnimation)
{
    std::vector<swftest::Color> colours(7, swftest::Color { 200, 100, 0 });
    const CString swf = folder.Path() + L"spin.SwF";
    ASSERT_TRUE(clipgen::WriteFileBytes(swf.GetString(), swftest::FlatFrames(32, 32, colours)));
    CDlgVideoChioce* editor = Open(swf);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ItemInt(*editor, IDC_VC_END), 7);
    EXPECT_EQ(editor->WorkingCopy()->m_mediaKind, MEDIA_SWF);
    ASSERT_TRUE(CloseWith(doc->m_pVideoEditor, IDOK));
    auto* added = dynamic_cast<ProgramVideo*>(ProjectProgram(1, 1, 1));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_mediaKind, MEDIA_SWF);
    EXPECT_EQ(added->m_orgFrames, 7);
}

TEST_F(VideoImport, EditIsOfferedOnlyForASelectedProgram)
{
    auto* video = new ProgramVideo;
    video->m_programType = PROGRAM_TYPE_MEDIA;
    QvSegmentGourp* segment = doc->NewSegment(TRUE, FALSE);
    doc->AddProgramToView(segment->m_views.GetAt(0)->m_pNode, video);
    HMENU bar = ::GetMenu(session->m_frame->GetSafeHwnd());
    ASSERT_NE(bar, nullptr);
    HMENU edit = ::GetSubMenu(bar, 1);
    ASSERT_NE(edit, nullptr);
    struct Case {
        NodeInfo* selected;
        bool enabled;
    };
    const Case cases[] = {
        { nullptr, false },
        { segment->m_pNode, false },
        { segment->m_views.GetAt(0)->m_pNode, false },
        { video->m_pNode, true },
    };
    doc->m_currentSegment = 1;
    for (const Case& c : cases) {
        doc->m_pSelectedNode = c.selected;
        session->m_frame->UpdateMenuCmdUI(CMenu::FromHandle(edit));
        const UINT state = ::GetMenuState(edit, ID_DOC_EDIT_MATERIAL, MF_BYCOMMAND);
        EXPECT_EQ((state & MF_GRAYED) == 0, c.enabled) << c.enabled;
    }
}
