// The colour-effect editor: its lists and values through data exchange, the
// template list built from tiles, files and fills, the strip thread's strip,
// the usable-colours rule with zoom and style, .ct import and export, and
// the hand-over of new and edited programs to the document.
#include "editors_test_support.h"

#include "color_effect_values.h"
#include "dlg_color_chioce.h"
#include "program_color_effect.h"
#include "show_messages.h"
#include "template_files.h"
#include "tile_view.h"

using namespace edtest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class ColorEditorTest : public EditorTest {
protected:
    ColorEditorTest()
    {
        AddLibraryTemplate(0, { kRed, kGreen, kBlue }); // 2 steps
        AddLibraryTemplate(1, { kBlue, kRed }); // 2 steps
        AddLibraryTemplate(0, { kGreen }); // no step
        AddTemplateFile({ { kRed, kGreen }, { kGreen, kBlue } });
    }

    CDlgColorChioce* Open(int style, int fileIndex = -1)
    {
        m_host.m_templateFileIndex = fileIndex;
        m_doc->AddColorEffect(style, FALSE);
        return dynamic_cast<CDlgColorChioce*>(m_doc->m_pColourEffectEditor);
    }
    void Tile(CDlgColorChioce* editor, int n, bool right = false)
    {
        ::SendMessageW(editor->m_hWnd, WM_TILE_SELECTED, static_cast<WPARAM>(n), right ? 1 : 0);
    }
    std::vector<std::vector<COLORREF>> Chosen(CDlgColorChioce* editor)
    {
        std::lock_guard<std::mutex> guard(editor->StripLock());
        std::vector<std::vector<COLORREF>> out;
        for (INT_PTR i = 0; i < editor->ChosenTemplates().GetSize(); ++i) {
            std::vector<COLORREF> colors;
            const ColorList& list = editor->ChosenTemplates().GetAt(i)->m_colors;
            for (INT_PTR c = 0; c < list.GetSize(); ++c)
                colors.push_back(list.GetAt(c));
            out.push_back(colors);
        }
        return out;
    }
    // Waits until the strip thread has drawn what the list holds now.
    bool WaitStrip(CDlgColorChioce* editor, int builds)
    {
        return fwtest::PumpUntil([&] { return editor->StripBuilds() >= builds; }, 3000);
    }
};

} // namespace

TEST(ColorEffectValues, StepsFillsAndUnitNumbers)
{
    ColorTemplateList list;
    auto add = [&](int mode, int colors) {
        auto* t = new ColorTemplate;
        t->m_changeMode = mode;
        for (int i = 0; i < colors; ++i)
            t->m_colors.Add(static_cast<COLORREF>(i));
        list.Add(t);
    };
    add(0, 3);
    add(1, 2);
    add(0, 1); // one gradient colour adds no step
    add(0, 0);
    EXPECT_EQ(ColorStepsOf(list), 4);
    FreeColorTemplates(list);

    add(0, 2); // A
    add(1, 3); // B
    RepeatTemplates(list, 3);
    ASSERT_EQ(list.GetSize(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(list.GetAt(i)->m_changeMode, i % 2) << i;
    FreeColorTemplates(list);

    EXPECT_DOUBLE_EQ(NumberBeforeUnit(L"33%"), 33.0);
    EXPECT_DOUBLE_EQ(NumberBeforeUnit(L"0.75x"), 0.75);
    EXPECT_DOUBLE_EQ(NumberBeforeUnit(L""), 0.0);
    EXPECT_EQ(ScanLineFrames(200, 1.0), 200);
    EXPECT_EQ(ScanLineFrames(50, 0.1), 500);
    EXPECT_EQ(ScanLineFrames(50, 0.2), 250);
    EXPECT_EQ(ScanLineFrames(200, 0.5), 400);
    EXPECT_EQ(ScanLineFrames(200, 0.0), 2000);
}

TEST_F(ColorEditorTest, OpensWithTheListsTheStyleAndThePickedFile)
{
    CDlgColorChioce* editor = Open(7, 0);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ComboText(*editor, IDC_CE_STYLE), CString(L"垂直收缩"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_ZOOM), CString(L"25%"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_HTILES), CString(L"1"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_START_SPEED), CString(L"1.00x"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_END_SPEED), CString(L"1.00x"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_FADE_IN), CString(L"NONE"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_MIRROR), CString(L"无"));
    EXPECT_EQ(::SendDlgItemMessageW(editor->m_hWnd, IDC_CE_STYLE, CB_GETCOUNT, 0, 0), 20);
    EXPECT_NE(editor->GetMenu(), nullptr);
    // One tile per library template.
    ASSERT_NE(editor->TileView(), nullptr);
    EXPECT_EQ(editor->TileView()->m_tiles.GetCount(), 3);
    // The picked file's templates, in file order.
    EXPECT_EQ(Chosen(editor), (std::vector<std::vector<COLORREF>> { { kRed, kGreen }, { kGreen, kBlue } }));
}

TEST_F(ColorEditorTest, LanguageTextsRelabelListsAndLabelsKeepingItemData)
{
    m_host.m_texts[L"KVMENU 37"] = L"Up";
    m_host.m_texts[L"ITEM_TITLE 2"] = L"Colour effect";
    m_host.m_texts[L"ITEM_TITLE 37"] = L"None";
    m_host.m_texts[L"ITEM_TITLE 41"] = L"Style";
    CDlgColorChioce* editor = Open(4);
    ASSERT_NE(editor, nullptr);
    CString caption;
    editor->GetWindowText(caption);
    EXPECT_EQ(caption, CString(L"Colour effect"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_STYLE), CString(L"Up"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_FADE_OUT), CString(L"None"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CE_LABEL_STYLE), CString(L"Style"));
    EXPECT_EQ(::SendDlgItemMessageW(editor->m_hWnd, IDC_CE_STYLE, CB_GETITEMDATA, 4, 0), 4);
}

TEST_F(ColorEditorTest, TilesRemoveLastFillAndClearBuildTheList)
{
    CDlgColorChioce* editor = Open(0);
    ASSERT_NE(editor, nullptr);
    Tile(editor, 0);
    Tile(editor, 1, true); // reversed
    Tile(editor, 9); // outside the library: ignored
    EXPECT_EQ(Chosen(editor), (std::vector<std::vector<COLORREF>> { { kRed, kGreen, kBlue }, { kRed, kBlue } }));
    fwtest::SendCommand(*editor, ID_CE_FILL3);
    EXPECT_EQ(Chosen(editor).size(), 6u);
    EXPECT_EQ(Chosen(editor)[4], (std::vector<COLORREF> { kRed, kGreen, kBlue }));
    fwtest::ClickButton(*editor, IDC_CE_REMOVE_LAST);
    EXPECT_EQ(Chosen(editor).size(), 5u);
    fwtest::ClickButton(*editor, IDC_CE_CLEAR);
    EXPECT_TRUE(Chosen(editor).empty());
    EXPECT_EQ(m_doc->m_playState, PLAY_STOPPED);
    fwtest::ClickButton(*editor, IDC_CE_REMOVE_LAST); // nothing to remove
    EXPECT_TRUE(Chosen(editor).empty());
}

TEST_F(ColorEditorTest, ZoomAndStyleDecideWhetherTheColoursAreEnough)
{
    // 200 x 50: style 4 runs along the width: at 25 % 200 / 64 -> 4 + 1 = 5
    // steps, at 200 % one 512-pixel step -> 3; style 2 along the height.
    CDlgColorChioce* editor = Open(4);
    ASSERT_NE(editor, nullptr);
    Tile(editor, 0); // 2 steps
    EXPECT_FALSE(editor->UpdateWorkingCopy());
    EXPECT_EQ(m_doc->m_playState, PLAY_STOPPED);
    ChooseComboItem(*editor, IDC_CE_ZOOM, 9); // 200%
    EXPECT_FALSE(editor->UpdateWorkingCopy());
    Tile(editor, 1); // 4 steps
    EXPECT_TRUE(editor->UpdateWorkingCopy());
    EXPECT_EQ(m_doc->m_playState, PLAY_PLAYING);
    ChooseComboItem(*editor, IDC_CE_ZOOM, 0); // 5%: 200 / 12.8 -> 16 + 1 steps
    EXPECT_FALSE(editor->UpdateWorkingCopy());
    EXPECT_EQ(m_doc->m_playState, PLAY_STOPPED);
    ChooseComboItem(*editor, IDC_CE_STYLE, 0); // colour change: 1 step
    EXPECT_TRUE(editor->UpdateWorkingCopy());
    EXPECT_EQ(m_doc->m_playState, PLAY_PLAYING);
    // The preview only: the project's settings stay as they were.
    EXPECT_EQ(m_doc->m_previewSettings.m_playFrames, editor->WorkingCopy()->m_orgFrames);
    EXPECT_EQ(m_doc->m_previewSegments.GetAt(0)->m_pSegmentInfo->m_totalFrames, editor->WorkingCopy()->m_orgFrames);
    EXPECT_EQ(m_doc->m_projectSettings.m_playFrames, 0);
}

TEST_F(ColorEditorTest, TheStripThreadDrawsTheChosenColoursAndTheWarning)
{
    CDlgColorChioce* editor = Open(4);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(WaitStrip(editor, 1));
    const int before = editor->StripBuilds();
    Tile(editor, 1); // solid blue, red: 2 steps of 256 pixels
    ASSERT_TRUE(WaitStrip(editor, before + 1));
    std::lock_guard<std::mutex> guard(editor->StripLock());
    CRect box;
    ::GetClipBox(editor->StripDC().GetSafeHdc(), &box);
    EXPECT_EQ(box.Width(), 512);
    EXPECT_EQ(::GetPixel(editor->StripDC().GetSafeHdc(), 0, 0), kBlue);
    EXPECT_EQ(::GetPixel(editor->StripDC().GetSafeHdc(), 300, 0), kRed);
    EXPECT_EQ(editor->StripBar().m_pSrcDC, &editor->StripDC());
    EXPECT_TRUE(editor->StripBar().m_bTooShort); // 2 of 5 steps
}

TEST_F(ColorEditorTest, OkRefusesTooFewColoursThenAddsTheProgram)
{
    CDlgColorChioce* editor = Open(4);
    ASSERT_NE(editor, nullptr);
    m_host.m_texts[L"HINT 2"] = L"More colours";
    m_ui.ExpectMessageBox(IDOK, L"More colours");
    fwtest::ClickButton(*editor, IDOK);
    EXPECT_TRUE(editor->IsWindowVisible());
    EXPECT_EQ(m_doc->GetSegment(0)->m_views.GetAt(0)->m_programs.GetSize(), 0);

    for (int i = 0; i < 3; ++i)
        Tile(editor, 0);
    ChooseComboItem(*editor, IDC_CE_HTILES, 2);
    ChooseComboItem(*editor, IDC_CE_VTILES, 1);
    ChooseComboItem(*editor, IDC_CE_START_SPEED, 3); // 0.50x
    ChooseComboItem(*editor, IDC_CE_END_SPEED, 7); // 3.00x
    ChooseComboItem(*editor, IDC_CE_FADE_IN, 4); // 5S
    ChooseComboItem(*editor, IDC_CE_FADE_OUT, 5); // 10S
    ChooseComboItem(*editor, IDC_CE_MIRROR, 3);
    const int frames = editor->WorkingCopy()->m_orgFrames;
    EXPECT_GT(frames, 0);
    fwtest::ClickButton(*editor, IDOK);
    ASSERT_TRUE(WaitClosed(m_doc->m_pColourEffectEditor));
    ProgramView* view = m_doc->GetSegment(0)->m_views.GetAt(0);
    ASSERT_EQ(view->m_programs.GetSize(), 1);
    auto* added = dynamic_cast<ProgramColorEffect*>(view->m_programs.GetAt(0));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_style, 4);
    EXPECT_FLOAT_EQ(added->m_zoomFactor, 0.25f);
    EXPECT_EQ(added->m_hTiles, 3);
    EXPECT_EQ(added->m_vTiles, 2);
    EXPECT_FLOAT_EQ(added->m_startSpeed, 0.5f);
    EXPECT_FLOAT_EQ(added->m_endSpeed, 3.0f);
    EXPECT_EQ(added->m_fadeInTime, 5);
    EXPECT_EQ(added->m_fadeOutTime, 10);
    EXPECT_EQ(added->m_mirror, 3);
    EXPECT_EQ(added->m_templates.GetSize(), 3);
    EXPECT_EQ(added->m_orgFrames, frames);
    EXPECT_EQ(added->m_endFrame, frames);
}

TEST_F(ColorEditorTest, EditingSelectsTheProgramsValuesAndUpdatesItInPlace)
{
    auto* effect = new ProgramColorEffect;
    effect->m_style = 2;
    effect->m_zoomFactor = 0.33f;
    effect->m_startSpeed = 0.75f;
    effect->m_endSpeed = 2.0f;
    effect->m_hTiles = 4;
    effect->m_vTiles = 10;
    effect->m_fadeInTime = 3;
    effect->m_fadeOutTime = 1;
    effect->m_mirror = 2;
    auto* colors = new ColorTemplate;
    colors->m_colors.Add(kRed);
    colors->m_colors.Add(kGreen);
    colors->m_colors.Add(kBlue);
    colors->m_colors.Add(kRed);
    effect->m_templates.Add(colors);
    effect->m_orgFrames = 10;
    effect->m_endFrame = 10;
    AddProjectProgram(effect);
    m_doc->OnEditMaterial();
    auto* editor = dynamic_cast<CDlgColorChioce*>(m_doc->m_pColourEffectEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ComboText(*editor, IDC_CE_STYLE), CString(L"上移"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_ZOOM), CString(L"33%"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_START_SPEED), CString(L"0.75x"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_END_SPEED), CString(L"2.00x"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_HTILES), CString(L"4"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_VTILES), CString(L"10"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_FADE_IN), CString(L"3S"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_FADE_OUT), CString(L"1S"));
    EXPECT_EQ(ComboText(*editor, IDC_CE_MIRROR), CString(L"垂直镜像"));
    EXPECT_EQ(Chosen(editor).size(), 1u);

    ChooseComboItem(*editor, IDC_CE_STYLE, 0);
    fwtest::ClickButton(*editor, IDOK);
    ASSERT_TRUE(WaitClosed(m_doc->m_pColourEffectEditor));
    ProgramView* view = m_doc->GetSegment(0)->m_views.GetAt(0);
    ASSERT_EQ(view->m_programs.GetSize(), 1);
    EXPECT_EQ(view->m_programs.GetAt(0), effect);
    EXPECT_EQ(effect->m_style, 0);
    EXPECT_EQ(effect->m_startFrame, 1);
    EXPECT_EQ(effect->m_endFrame, effect->m_orgFrames);
}

TEST_F(ColorEditorTest, TemplateFilesExportAndImportThroughTheFileDialogs)
{
    CDlgColorChioce* editor = Open(0);
    ASSERT_NE(editor, nullptr);
    // Nothing chosen: nothing to export.
    m_ui.ExpectMessageBox(IDOK, L"请选择素材!");
    fwtest::SendCommand(*editor, ID_CE_EXPORT);

    Tile(editor, 0);
    Tile(editor, 1);
    const CString path = TempPath(L"export.ct");
    ::DeleteFileW(path);
    m_ui.ExpectFileSave(path);
    fwtest::SendCommand(*editor, ID_CE_EXPORT);
    EXPECT_NE(::GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(m_ui.m_lastFileRequest.strFilter, CString(L"Video Files(*.ct)|*.ct||"));

    fwtest::ClickButton(*editor, IDC_CE_CLEAR);
    Tile(editor, 0);
    m_ui.ExpectFileOpen({ path });
    fwtest::SendCommand(*editor, ID_CE_IMPORT);
    // The file replaces the list.
    EXPECT_EQ(Chosen(editor), (std::vector<std::vector<COLORREF>> { { kRed, kGreen, kBlue }, { kBlue, kRed } }));
    {
        std::lock_guard<std::mutex> guard(editor->StripLock());
        EXPECT_EQ(editor->ChosenTemplates().GetAt(1)->m_changeMode, 1);
    }

    m_ui.ExpectFileOpen({ TempPath(L"missing.ct") });
    m_ui.ExpectMessageBox(IDOK, L"File Not Exist!");
    fwtest::SendCommand(*editor, ID_CE_IMPORT);
    EXPECT_EQ(Chosen(editor).size(), 2u);
    ::DeleteFileW(path);
}

TEST_F(ColorEditorTest, TheMenuPickerAppendsThePickedFile)
{
    AddTemplateFile({ { kBlue, kBlue, kRed } });
    CDlgColorChioce* editor = Open(0);
    ASSERT_NE(editor, nullptr);
    AfxSetDialogInitHook([](CDialog& picker) {
        if (picker.GetDlgCtrlID() == 0 && !picker.IsKindOf(RUNTIME_CLASS(CEffectEditorDialog)))
            picker.SendMessage(WM_TILE_SELECTED, 1, 0);
    });
    fwtest::SendCommand(*editor, ID_CE_TEMPLATE_PICKER);
    AfxSetDialogInitHook(nullptr);
    EXPECT_EQ(Chosen(editor), (std::vector<std::vector<COLORREF>> { { kBlue, kBlue, kRed } }));
}
