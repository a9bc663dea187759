// A disabled showcase that puts the colour-effect and scan-line editors on
// screen for a while, for a person to take a screenshot.
#include "editors_test_support.h"

#include "dlg_color_chioce.h"
#include "show_messages.h"

using namespace edtest;

TEST_F(EditorTest, DISABLED_ShowcaseColourAndScanLineEditors)
{
    AddLibraryTemplate(0, { RGB(255, 0, 0), RGB(255, 255, 0), RGB(0, 0, 255) });
    AddLibraryTemplate(1, { RGB(0, 255, 0), RGB(255, 0, 255) });
    AddLibraryTemplate(0, { RGB(0, 0, 0), RGB(255, 255, 255) });
    m_main.ShowWindow(SW_SHOWNA);
    m_doc->AddColorEffect(4, TRUE);
    auto* editor = dynamic_cast<CDlgColorChioce*>(m_doc->m_pColourEffectEditor);
    ASSERT_NE(editor, nullptr);
    editor->MoveTo(0, 0);
    for (int n : { 0, 1, 0 })
        ::SendMessageW(editor->m_hWnd, WM_TILE_SELECTED, static_cast<WPARAM>(n), 0);
    fwtest::PumpUntil([] { return false; }, 20000);
}
