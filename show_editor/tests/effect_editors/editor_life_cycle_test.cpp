// The effect editors' life cycle with the document: opening from the
// document's commands, the close notice of OK, Cancel and the close box,
// playback stopped by the openers and the strip thread gone before the
// editor's memory.
#include "editors_test_support.h"

#include "dlg_color_chioce.h"
#include "dlg_scan_line.h"
#include "program_color_effect.h"
#include "show_messages.h"

using namespace edtest;

namespace {

class LifeCycleTest : public EditorTest {
protected:
    LifeCycleTest()
    {
        AddLibraryTemplate(0, { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255) });
        AddTemplateFile({ { RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12), RGB(13, 14, 15) } });
    }
};

enum class Ending { Ok, Cancel, CloseBox };

void End(CWnd& dialog, Ending ending)
{
    switch (ending) {
    case Ending::Ok:
        fwtest::ClickButton(dialog, IDOK);
        break;
    case Ending::Cancel:
        fwtest::ClickButton(dialog, IDCANCEL);
        break;
    case Ending::CloseBox:
        dialog.SendMessage(WM_CLOSE);
        break;
    }
}

} // namespace

TEST_F(LifeCycleTest, EveryEndingOfEitherEditorPostsItsNoticeAndGivesTheProjectBack)
{
    struct Case {
        int id;
        Ending ending;
        int programsAdded;
    };
    const Case cases[] = {
        { IDD_EDITOR_COLOR_EFFECT, Ending::Ok, 1 },
        { IDD_EDITOR_COLOR_EFFECT, Ending::Cancel, 0 },
        { IDD_EDITOR_COLOR_EFFECT, Ending::CloseBox, 0 },
        { IDD_EDITOR_SCAN_LINE, Ending::Ok, 1 },
        { IDD_EDITOR_SCAN_LINE, Ending::Cancel, 0 },
        { IDD_EDITOR_SCAN_LINE, Ending::CloseBox, 0 },
    };
    int expectedPrograms = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id * 10 + static_cast<int>(c.ending));
        m_main.m_closedIds.clear();
        m_doc->m_playState = PLAY_PLAYING;
        m_host.m_calls.clear();
        m_host.m_templateFileIndex = 0;
        if (c.id == IDD_EDITOR_SCAN_LINE)
            m_doc->AddColorEffect(21, TRUE);
        else
            m_doc->AddColorEffect(0, FALSE); // one colour step is enough
        CEffectEditor* const& slot
            = c.id == IDD_EDITOR_SCAN_LINE ? m_doc->m_pScanLineEditor : m_doc->m_pColourEffectEditor;
        ASSERT_NE(slot, nullptr);
        auto* dialog = dynamic_cast<CDialog*>(slot);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->IsWindowVisible());
        // The opener stopped playback and the editor started the preview.
        EXPECT_EQ(m_host.m_calls.front(), CString(c.id == IDD_EDITOR_SCAN_LINE ? L"StopPlay" : L"Chooser"));
        EXPECT_GE(m_host.Count(L"StopPlay"), 1u);
        EXPECT_EQ(m_doc->m_listSelector, 0);
        ASSERT_EQ(m_doc->m_previewSegments.GetSize(), 1);
        EXPECT_EQ(m_doc->m_playState, PLAY_PLAYING);
        EXPECT_GT(m_doc->m_previewSettings.m_playFrames, 0);
        // Centred on the main window.
        CRect rect = slot->GetWindowRect();
        EXPECT_EQ(rect.left, (1000 - rect.Width()) / 2);
        EXPECT_EQ(rect.top, (740 - rect.Height()) / 2);

        End(*dialog, c.ending);
        EXPECT_FALSE(dialog->IsWindowVisible());
        ASSERT_TRUE(WaitClosed(slot));
        EXPECT_EQ(m_main.m_closedIds, std::vector<int>({ c.id }));
        EXPECT_EQ(m_doc->m_listSelector, 1);
        EXPECT_EQ(m_doc->m_previewSegments.GetSize(), 0);
        EXPECT_EQ(m_doc->m_playState, PLAY_STOPPED);
        expectedPrograms += c.programsAdded;
        ASSERT_EQ(m_doc->m_segments.GetSize(), 1);
        EXPECT_EQ(m_doc->GetSegment(0)->m_views.GetAt(0)->m_programs.GetSize(), expectedPrograms);
    }
}

TEST_F(LifeCycleTest, ASecondOpenWhileAnEditorIsOpenOnlyRecentresIt)
{
    m_doc->AddColorEffect(21, TRUE);
    CEffectEditor* editor = m_doc->m_pScanLineEditor;
    ASSERT_NE(editor, nullptr);
    editor->MoveTo(5, 5);
    m_doc->AddColorEffect(3, FALSE);
    EXPECT_EQ(m_doc->m_pColourEffectEditor, nullptr);
    EXPECT_EQ(m_host.m_requests.size(), 1u);
    EXPECT_NE(editor->GetWindowRect().left, 5);
    // A second notice for the same editor does no harm.
    m_doc->OnEffectDialogClosed(IDD_EDITOR_SCAN_LINE);
    m_doc->OnEffectDialogClosed(IDD_EDITOR_SCAN_LINE);
    EXPECT_EQ(m_doc->m_pScanLineEditor, nullptr);
    EXPECT_EQ(m_doc->m_listSelector, 1);
}

TEST_F(LifeCycleTest, ACancelledPickerOpensNothingAndLeavesTheProjectActive)
{
    m_host.m_chooserOk = FALSE;
    m_doc->AddColorEffect(2, FALSE);
    EXPECT_EQ(m_doc->m_pColourEffectEditor, nullptr);
    EXPECT_EQ(m_doc->m_listSelector, 1);
}

TEST_F(LifeCycleTest, RepeatedOpenAndCloseNeitherHangsNorLeaks)
{
    // Warm up once so that lazily made objects are counted before.
    for (int round = 0; round < 2; ++round) {
        m_doc->AddColorEffect(4, FALSE);
        fwtest::ClickButton(*dynamic_cast<CDialog*>(m_doc->m_pColourEffectEditor), IDCANCEL);
        ASSERT_TRUE(WaitClosed(m_doc->m_pColourEffectEditor));
    }
    const DWORD gdiBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userBefore = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    for (int round = 0; round < 40; ++round) {
        m_host.m_templateFileIndex = 0;
        m_doc->AddColorEffect(4, FALSE);
        auto* editor = dynamic_cast<CDlgColorChioce*>(m_doc->m_pColourEffectEditor);
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->StripThreadRunning());
        // Wake the strip thread while it may be drawing, then close at once.
        ::SendMessageW(editor->m_hWnd, WM_TILE_SELECTED, 0, round % 2);
        if (round % 2 == 0)
            fwtest::ClickButton(*editor, IDCANCEL);
        else
            editor->SendMessage(WM_CLOSE);
        ASSERT_TRUE(WaitClosed(m_doc->m_pColourEffectEditor)) << round;
    }
    const DWORD gdiAfter = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userAfter = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    EXPECT_LE(gdiAfter, gdiBefore + 4);
    EXPECT_LE(userAfter, userBefore + 4);
}

TEST_F(LifeCycleTest, AnEditorDeletedWhileItsThreadDrawsWaitsForTheThread)
{
    auto* project = new ProgramColorEffect;
    project->m_orgFrames = 30;
    project->m_endFrame = 30;
    AddProjectProgram(project);
    NodeInfo* current = m_doc->m_pCurrentViewNode;
    const int totalFrames = m_doc->m_projectSettings.m_totalFrames;
    // Made without an opener (the project list still active): the preview
    // goes to the preview list all the same and the project is not touched.
    auto* editor = new CDlgColorChioce;
    editor->SetDocument(m_doc.get());
    ASSERT_TRUE(editor->CreateEditor(&m_main));
    EXPECT_EQ(m_doc->m_segments.GetSize(), 1);
    EXPECT_EQ(m_doc->m_previewSegments.GetSize(), 1);
    EXPECT_EQ(m_doc->m_pCurrentViewNode, current);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, totalFrames);
    for (int i = 0; i < 20; ++i)
        ::SendMessageW(editor->m_hWnd, WM_TILE_SELECTED, 0, 0);
    // Deleting runs the thread down first; the memory the thread draws into
    // goes only after it has left. The preview view lets go of the working
    // copy, so the list freed afterwards holds no freed program.
    delete editor;
    ASSERT_EQ(m_doc->m_previewSegments.GetSize(), 1);
    EXPECT_EQ(m_doc->m_previewSegments.GetAt(0)->m_views.GetAt(0)->m_programs.GetSize(), 0);
    m_doc->FreePreviewList();
}

TEST_F(LifeCycleTest, EditingOpensTheEditorOfTheProgramsKindAndChangesItInPlace)
{
    auto* scan = new ProgramColorEffect;
    scan->m_style = 23;
    scan->m_zoomFactor = 0.5f;
    auto* colors = new ColorTemplate;
    colors->m_colors.Add(RGB(0, 0, 9));
    colors->m_colors.Add(RGB(9, 9, 0));
    scan->m_templates.Add(colors);
    scan->m_orgFrames = 400;
    scan->m_endFrame = 400;
    AddProjectProgram(scan);
    m_doc->m_playState = PLAY_PLAYING;
    m_doc->OnEditMaterial();
    ASSERT_NE(m_doc->m_pScanLineEditor, nullptr);
    EXPECT_EQ(m_doc->m_pColourEffectEditor, nullptr);
    auto* editor = dynamic_cast<CDlgScanLine*>(m_doc->m_pScanLineEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ComboText(*editor, IDC_SL_SPEED), CString(L"0.50x"));
    EXPECT_EQ(::SendDlgItemMessageW(editor->m_hWnd, IDC_SL_DIRECTION, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(editor->m_backButton.GetColor(), RGB(0, 0, 9));
    EXPECT_EQ(editor->m_scanButton.GetColor(), RGB(9, 9, 0));

    ChooseComboItem(*editor, IDC_SL_SPEED, 3); // 1.00x
    fwtest::ClickButton(*editor, IDOK);
    ASSERT_TRUE(WaitClosed(m_doc->m_pScanLineEditor));
    ProgramView* view = m_doc->GetSegment(0)->m_views.GetAt(0);
    ASSERT_EQ(view->m_programs.GetSize(), 1);
    EXPECT_EQ(view->m_programs.GetAt(0), scan);
    EXPECT_FLOAT_EQ(scan->m_zoomFactor, 1.0f);
    EXPECT_EQ(scan->m_orgFrames, 200);
    EXPECT_EQ(scan->m_style, 23);
    EXPECT_EQ(m_doc->m_editSegment, -1);
}
