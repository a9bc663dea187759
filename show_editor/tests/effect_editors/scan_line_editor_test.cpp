// The scan-line editor: defaults, frames by direction and speed, colours
// chosen through the colour buttons, the hand-over of a new scan line and
// the preview restarted after each change.
#include "editors_test_support.h"

#include "dlg_scan_line.h"
#include "program_color_effect.h"
#include "show_messages.h"

using namespace edtest;

namespace {

class ScanLineTest : public EditorTest {
protected:
    CDlgScanLine* Open()
    {
        m_doc->AddColorEffect(21, TRUE);
        return dynamic_cast<CDlgScanLine*>(m_doc->m_pScanLineEditor);
    }
};

} // namespace

TEST_F(ScanLineTest, FramesFollowDirectionAndSpeedOnTheCanvas)
{
    CDlgScanLine* editor = Open();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ComboText(*editor, IDC_SL_SPEED), CString(L"1.00x"));
    EXPECT_EQ(ComboText(*editor, IDC_SL_DIRECTION), CString(L"水平向右扫描"));
    EXPECT_EQ(editor->WorkingCopy()->m_orgFrames, 200);
    EXPECT_EQ(m_doc->m_previewSettings.m_playFrames, 200);
    struct Case {
        int direction;
        int speed;
        int style;
        int frames;
    };
    const Case cases[] = {
        { 0, 3, 21, 200 },
        { 1, 3, 22, 50 },
        { 2, 2, 23, 400 },
        { 3, 0, 24, 500 },
        { 1, 1, 22, 250 },
    };
    for (const Case& c : cases) {
        m_host.m_calls.clear();
        ChooseComboItem(*editor, IDC_SL_DIRECTION, c.direction);
        ChooseComboItem(*editor, IDC_SL_SPEED, c.speed);
        EXPECT_EQ(editor->WorkingCopy()->m_style, c.style);
        EXPECT_EQ(editor->WorkingCopy()->m_orgFrames, c.frames);
        EXPECT_EQ(editor->WorkingCopy()->m_endFrame, c.frames);
        EXPECT_EQ(m_doc->m_previewSegments.GetAt(0)->m_pSegmentInfo->m_totalFrames, c.frames);
        // Every change plays the preview again from its first frame.
        EXPECT_EQ(m_host.Count(L"StopPlay"), 2u);
        EXPECT_EQ(m_host.Count(L"StartPlay"), 2u);
    }
    EXPECT_EQ(m_doc->m_projectSettings.m_playFrames, 0);
}

TEST_F(ScanLineTest, ANewScanLineIsRedOnBlackUntilAColourIsChosen)
{
    CDlgScanLine* editor = Open();
    ASSERT_NE(editor, nullptr);
    const ColorList& colors = editor->WorkingCopy()->m_templates.GetAt(0)->m_colors;
    EXPECT_EQ(colors.GetAt(0), RGB(0, 0, 0));
    EXPECT_EQ(colors.GetAt(1), RGB(255, 0, 0));
    EXPECT_EQ(editor->m_backButton.m_strOtherButton, CString(L"OtherColor"));

    m_ui.ExpectColor(RGB(0, 0, 80));
    fwtest::ClickButton(*editor, IDC_SL_BACK_COLOR);
    m_ui.ExpectColor(RGB(10, 200, 30));
    fwtest::ClickButton(*editor, IDC_SL_SCAN_COLOR);
    EXPECT_EQ(editor->WorkingCopy()->m_templates.GetAt(0)->m_colors.GetAt(0), RGB(0, 0, 80));
    EXPECT_EQ(editor->WorkingCopy()->m_templates.GetAt(0)->m_colors.GetAt(1), RGB(10, 200, 30));

    ChooseComboItem(*editor, IDC_SL_DIRECTION, 3);
    ChooseComboItem(*editor, IDC_SL_SPEED, 0);
    fwtest::ClickButton(*editor, IDOK);
    ASSERT_TRUE(WaitClosed(m_doc->m_pScanLineEditor));
    ProgramView* view = m_doc->GetSegment(0)->m_views.GetAt(0);
    ASSERT_EQ(view->m_programs.GetSize(), 1);
    auto* added = dynamic_cast<ProgramColorEffect*>(view->m_programs.GetAt(0));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_style, 24);
    EXPECT_FLOAT_EQ(added->m_zoomFactor, 0.1f);
    EXPECT_EQ(added->m_orgFrames, 500);
    ASSERT_EQ(added->m_templates.GetSize(), 1);
    EXPECT_EQ(added->m_templates.GetAt(0)->m_colors.GetSize(), 2);
    EXPECT_EQ(added->m_templates.GetAt(0)->m_colors.GetAt(1), RGB(10, 200, 30));
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 500);
}

TEST_F(ScanLineTest, AnEditedScanLineWithoutTwoColoursKeepsTheDefaultsItLacks)
{
    auto* scan = new ProgramColorEffect;
    scan->m_style = 22;
    scan->m_zoomFactor = 0.2f;
    auto* colors = new ColorTemplate;
    colors->m_colors.Add(RGB(1, 2, 3));
    scan->m_templates.Add(colors);
    scan->m_orgFrames = 250;
    scan->m_endFrame = 250;
    AddProjectProgram(scan);
    m_doc->OnEditMaterial();
    auto* editor = dynamic_cast<CDlgScanLine*>(m_doc->m_pScanLineEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->m_backButton.GetColor(), RGB(1, 2, 3));
    EXPECT_EQ(editor->m_scanButton.GetColor(), RGB(255, 0, 0));
    EXPECT_EQ(ComboText(*editor, IDC_SL_SPEED), CString(L"0.20x"));
    fwtest::ClickButton(*editor, IDOK);
    ASSERT_TRUE(WaitClosed(m_doc->m_pScanLineEditor));
    EXPECT_EQ(scan->m_templates.GetAt(0)->m_colors.GetSize(), 2);
    EXPECT_EQ(scan->m_orgFrames, 250);
}
