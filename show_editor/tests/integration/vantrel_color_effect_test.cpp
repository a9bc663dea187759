// The colour-effect editor as the running program makes it (the toolbar's
// colour-effect command through the program's own document host), in the
// program's language: too few colours for the style are told with the
// number of colour steps the style needs and the number the chosen colours
// give, on the strip and when OK is refused.
#include "../shell/shell_test_support.h"

#include "AppPaths.h"
#include "color_effect_values.h"
#include "dlg_color_chioce.h"
#include "effect_editors_resource.h"
#include "resource.h"
#include "show_messages.h"

using shelltest::ProgramFixture;

namespace {

ColorTemplate* Template(std::initializer_list<COLORREF> colours)
{
    auto* made = new ColorTemplate;
    made->m_changeMode = ColorTemplate::CHANGE_GRADIENT;
    for (COLORREF colour : colours)
        made->m_colors.Add(colour);
    return made;
}

void Choose(CWnd& dialog, int id, int index)
{
    HWND combo = ::GetDlgItem(dialog.m_hWnd, id);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

struct ColorEffectEditor : ProgramFixture {
    void SetUp() override
    {
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        // One gradient of three colours (two steps) is the whole library.
        FreeColorTemplates(doc->m_colourTemplates);
        for (INT_PTR i = 0; i < doc->m_colourTemplateThumbs.GetSize(); ++i)
            delete doc->m_colourTemplateThumbs.GetAt(i);
        doc->m_colourTemplateThumbs.RemoveAll();
        doc->m_colourTemplates.Add(Template({ RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255) }));
    }
    void TearDown() override
    {
        if (auto* editor = dynamic_cast<CDialog*>(doc != nullptr ? doc->m_pColourEffectEditor : nullptr)) {
            fwtest::ClickButton(*editor, IDCANCEL);
            fwtest::PumpUntil([&] { return doc->m_pColourEffectEditor == nullptr; }, 3000);
        }
        ProgramFixture::TearDown();
    }
    // Whether the strip thread comes to show the warning (or, with null, no
    // warning) within a few seconds.
    static bool StripShows(CDlgColorChioce& editor, LPCWSTR warning)
    {
        return fwtest::PumpUntil(
            [&] {
                std::lock_guard<std::mutex> guard(editor.StripLock());
                const CColorShowBar& bar = editor.StripBar();
                return warning == nullptr ? bar.m_bTooShort == FALSE
                                          : bar.m_bTooShort != FALSE && bar.m_strMessage == warning;
            },
            3000);
    }
};

} // namespace

TEST_F(ColorEffectEditor, TooFewColoursSayHowManyStepsTheStyleNeedsAndHowManyThereAre)
{
    fwtest::SendCommand(*session->m_frame, ID_COLOR_EFFECT_BUTTON);
    auto* editor = dynamic_cast<CDlgColorChioce*>(doc->m_pColourEffectEditor);
    ASSERT_NE(editor, nullptr);
    // Move left at 25 % on 200 x 50 pixels needs 5 steps; one tile gives 2.
    Choose(*editor, IDC_CE_STYLE, 4);
    editor->SendMessage(WM_TILE_SELECTED, 0, 0);
    EXPECT_TRUE(StripShows(*editor, L"Not enough colours: 2 of 5 steps"));

    ui.ExpectMessageBox(
        IDOK, L"Not enough colours for this style: it needs 5 colour steps and the chosen colours give 2.");
    fwtest::ClickButton(*editor, IDOK);
    EXPECT_EQ(ui.PendingCount(), 0u);
    EXPECT_TRUE(editor->IsWindowVisible());

    // The counts follow the zoom: at 50 % three steps are needed, and a
    // second tile gives four.
    Choose(*editor, IDC_CE_ZOOM, 5); // 50%: 200 / 128 -> 2 + 1 steps
    EXPECT_TRUE(StripShows(*editor, L"Not enough colours: 2 of 3 steps"));
    editor->SendMessage(WM_TILE_SELECTED, 0, 0);
    EXPECT_TRUE(StripShows(*editor, nullptr));
    fwtest::ClickButton(*editor, IDOK);
    EXPECT_TRUE(fwtest::PumpUntil([&] { return doc->m_pColourEffectEditor == nullptr; }, 3000));
    EXPECT_EQ(ui.PendingCount(), 0u);
}

TEST(ColorEffectEditorTexts, EveryLanguageCountsTheStepsInItsOwnWords)
{
    for (LPCWSTR file : { L"Eng.ini", L"Chs.ini", L"Cht.ini", L"French.ini", L"Korean.ini" }) {
        const CString path = GetAppFolder() + L"Lang\\" + file;
        for (const auto& [section, key] : { std::pair { L"HINT", L"80" }, std::pair { L"ITEM_TITLE", L"230" } }) {
            wchar_t text[512] = L"";
            ::GetPrivateProfileStringW(section, key, L"", text, 512, path);
            CString counted = text;
            // Two numbers, and nothing else a format would read.
            EXPECT_EQ(counted.Replace(L"%d", L""), 2) << CStringA(file).GetString() << " " << CStringA(key).GetString();
            EXPECT_LT(counted.Find(L'%'), 0) << CStringA(file).GetString() << " " << CStringA(key).GetString();
        }
    }
}
