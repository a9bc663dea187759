// The colourful-text editor as the running program makes it: the program's
// own host builds it through the editor factory for command 32856 and for
// Edit on a colourful-text program. Durations become frames at the
// project's rate, the repeat count multiplies them, the show effect "move
// left" stands alone, the texture follows its list and the text colour, the
// direction swaps the effect lists, and OK adds or updates the program.
#include "../shell/shell_test_support.h"

#include "AppPaths.h"
#include "dlg_color_full_words.h"
#include "program_colorful_words.h"
#include "segment.h"
#include "show_messages.h"
#include "vantrel_doc_host.h"

#include <cmath>
#include <cstdlib>
#include <cwchar>

using shelltest::CFakeServices;
using shelltest::CShellSession;
using shelltest::CTempProgramFolder;

namespace {

void Choose(CWnd& dialog, int id, int index)
{
    HWND combo = ::GetDlgItem(dialog.m_hWnd, id);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void TypeInto(CWnd& dialog, int id, LPCWSTR text, UINT notice)
{
    HWND box = ::GetDlgItem(dialog.m_hWnd, id);
    ::SetWindowTextW(box, text);
    ::SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(id, notice), reinterpret_cast<LPARAM>(box));
}

int Selection(CWnd& dialog, int id)
{
    return static_cast<int>(::SendDlgItemMessageW(dialog.m_hWnd, id, CB_GETCURSEL, 0, 0));
}

std::vector<DWORD> ItemData(CWnd& dialog, int id)
{
    std::vector<DWORD> data;
    const int count = static_cast<int>(::SendDlgItemMessageW(dialog.m_hWnd, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        data.push_back(static_cast<DWORD>(::SendDlgItemMessageW(dialog.m_hWnd, id, CB_GETITEMDATA, i, 0)));
    return data;
}

CString FormatNumber(int value)
{
    CString text;
    text.Format(L"%d", value);
    return text;
}

bool Enabled(CWnd& dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog.m_hWnd, id)) != FALSE;
}

ColorTemplate* Template(std::initializer_list<COLORREF> colours, int mode = ColorTemplate::CHANGE_GRADIENT)
{
    auto* made = new ColorTemplate;
    made->m_changeMode = mode;
    for (COLORREF colour : colours)
        made->m_colors.Add(colour);
    return made;
}

struct WordsEditor : shelltest::ProgramFixture {
    void SetUp() override
    {
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        // The libraries the program loaded at start are replaced by the
        // test's own: empty them.
        FreeColorTemplates(doc->m_colourTemplates);
        for (INT_PTR i = 0; i < doc->m_colourTemplateThumbs.GetSize(); ++i)
            delete doc->m_colourTemplateThumbs.GetAt(i);
        doc->m_colourTemplateThumbs.RemoveAll();
    }
    void TearDown() override
    {
        if (doc != nullptr && doc->m_pWordsEditor != nullptr)
            Close(IDCANCEL);
        session.reset();
    }

    // A library of two colour templates, as the loader leaves it.
    void AddLibrary()
    {
        doc->m_colourTemplates.Add(Template({ RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 255, 0) }));
        doc->m_colourTemplates.Add(Template({ RGB(255, 255, 0), RGB(0, 255, 255) }, ColorTemplate::CHANGE_SOLID));
    }

    // Command 32856 through the main frame, as the menu sends it.
    CDlgColorFullWords* Open()
    {
        fwtest::SendCommand(*session->m_frame, ID_DOC_ADD_COLORFUL_WORDS);
        return dynamic_cast<CDlgColorFullWords*>(doc->m_pWordsEditor);
    }
    void Close(int button)
    {
        auto* dialog = dynamic_cast<CDialog*>(doc->m_pWordsEditor);
        ASSERT_NE(dialog, nullptr);
        fwtest::ClickButton(*dialog, button);
        EXPECT_TRUE(fwtest::PumpUntil([&] { return doc->m_pWordsEditor == nullptr; }, 3000));
    }
};

} // namespace

TEST_F(WordsEditor, DurationsBecomeFramesAndTheRepeatCountMultipliesThem)
{
    AddLibrary();
    CDlgColorFullWords* editor = Open();
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor->GetSafeHwnd(), nullptr);
    EXPECT_EQ(editor->GetOwner(), session->m_frame);
    EXPECT_TRUE(editor->IsWindowVisible());
    ProgramColorFulWords* words = editor->WorkingCopy();
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CW_ENTER_TIME), CString(L"1.5S"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CW_SHOW_TIME), CString(L"2.0S"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CW_LEAVE_TIME), CString(L"1.5S"));
    EXPECT_EQ(words->m_enterFrames, 38);
    EXPECT_EQ(words->m_showWordFrames, 50);
    EXPECT_EQ(words->m_leaveFrames, 38);
    EXPECT_EQ(words->m_orgFrames, 126);
    EXPECT_EQ(words->m_endFrame, 126);
    EXPECT_EQ(words->m_enterEffect, 1);
    EXPECT_EQ(words->m_leaveEffect, 1);
    EXPECT_EQ(words->m_showWordEffect, 0);
    EXPECT_EQ(words->m_wordRepeatCount, 1);
    // The preview plays the working copy, never the project.
    EXPECT_EQ(doc->m_previewSegments.GetSize(), 1);
    EXPECT_EQ(doc->m_previewSettings.m_playFrames, 126);
    EXPECT_EQ(doc->m_projectSettings.m_playFrames, 0);

    struct Case {
        LPCWSTR repeat;
        int show; // position in the show list
        LPCWSTR repeatAfter;
        int pass;
        int end;
        bool enterLeaveEnabled;
    };
    const Case cases[] = {
        { L"3", 0, L"3", 126, 378, true },
        { L"3", 1, L"3", 50, 150, false }, // move left: the show frames alone
        { L"0", 1, L"1", 50, 50, false }, // a repeat below 1 becomes "1"
        { L"", 2, L"1", 126, 126, true },
        { L"100", 0, L"100", 126, 12600, true },
    };
    for (const Case& c : cases) {
        Choose(*editor, IDC_CW_SHOW, c.show);
        fwtest::SetItemText(*editor, IDC_CW_REPEAT, c.repeat);
        EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CW_REPEAT), CString(c.repeatAfter)) << c.repeat;
        EXPECT_EQ(words->m_orgFrames, c.pass) << c.repeat << " " << c.show;
        EXPECT_EQ(words->m_endFrame, c.end) << c.repeat << " " << c.show;
        EXPECT_EQ(doc->m_previewSettings.m_playFrames, c.end);
        EXPECT_EQ(doc->m_previewSegments.GetAt(0)->m_pSegmentInfo->m_totalFrames, c.end);
        for (int id : { IDC_CW_ENTER, IDC_CW_ENTER_TIME, IDC_CW_LEAVE_TIME, IDC_CW_LEAVE })
            EXPECT_EQ(Enabled(*editor, id), c.enterLeaveEnabled) << id;
        EXPECT_TRUE(Enabled(*editor, IDC_CW_SHOW_TIME));
    }
}

TEST_F(WordsEditor, TimeBoxesTakeChosenAndTypedNumbers)
{
    AddLibrary();
    CDlgColorFullWords* editor = Open();
    ASSERT_NE(editor, nullptr);
    ProgramColorFulWords* words = editor->WorkingCopy();

    // A chosen entry becomes "%.1fS".
    Choose(*editor, IDC_CW_ENTER_TIME, 2); // "3"
    EXPECT_TRUE(fwtest::PumpUntil([&] { return fwtest::GetItemText(*editor, IDC_CW_ENTER_TIME) == L"3.0S"; }, 2000));
    EXPECT_EQ(words->m_enterFrames, 75);
    EXPECT_FLOAT_EQ(words->m_enterTime, 3.0f);

    // A typed number counts at once and is tidied when the box is left;
    // a negative one becomes the start value.
    const struct {
        LPCWSTR typed;
        LPCWSTR tidied;
        int frames;
    } typed[] = { { L"0.2", L"0.2", 5 }, { L"4", L"4.0", 100 }, { L"x", L"0.0", 0 }, { L"-2", L"1.5S", 38 } };
    for (const auto& t : typed) {
        TypeInto(*editor, IDC_CW_LEAVE_TIME, t.typed, CBN_EDITCHANGE);
        TypeInto(*editor, IDC_CW_LEAVE_TIME, fwtest::GetItemText(*editor, IDC_CW_LEAVE_TIME), CBN_KILLFOCUS);
        EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CW_LEAVE_TIME), CString(t.tidied)) << t.typed;
        EXPECT_EQ(words->m_leaveFrames, t.frames) << t.typed;
    }

    // Three zero durations cannot be previewed, but OK still stores them.
    for (int id : { IDC_CW_ENTER_TIME, IDC_CW_SHOW_TIME, IDC_CW_LEAVE_TIME })
        TypeInto(*editor, id, L"0", CBN_EDITCHANGE);
    EXPECT_FALSE(editor->BuildWordsProgram());
    EXPECT_EQ(words->m_orgFrames, 0);
    fwtest::SetItemText(*editor, IDC_CW_TEXT, L"");
    EXPECT_FALSE(editor->BuildWordsProgram());
}

TEST_F(WordsEditor, TextureFollowsItsListAndTheTextColour)
{
    AddLibrary();
    CDlgColorFullWords* editor = Open();
    ASSERT_NE(editor, nullptr);
    ProgramColorFulWords* words = editor->WorkingCopy();
    ASSERT_NE(words->m_pTexture, nullptr);
    ProgramColorEffect* texture = words->m_pTexture;

    // Start: up-right texture at speed 1 from the first template.
    EXPECT_EQ(texture->m_style, 11);
    EXPECT_EQ(words->m_textureSpeed, 1);
    EXPECT_EQ(words->m_useTextColor, 0);
    ASSERT_EQ(texture->m_templates.GetSize(), 1);
    EXPECT_EQ(texture->m_templates.GetAt(0)->m_colors.GetSize(), 3);
    EXPECT_NE(texture->m_templates.GetAt(0), doc->m_colourTemplates.GetAt(0)); // a copy
    EXPECT_GT(texture->m_zoomFactor, 0.0f);
    EXPECT_TRUE(std::isfinite(texture->m_zoomFactor));
    EXPECT_GE(texture->m_orgFrames, 1);

    // Speed 0 leaves the zoom at 0.1 and the speeds at 1.
    Choose(*editor, IDC_CW_TEXTURE_SPEED, 0);
    EXPECT_EQ(words->m_textureSpeed, 0);
    EXPECT_FLOAT_EQ(texture->m_zoomFactor, 0.1f);
    EXPECT_FLOAT_EQ(texture->m_startSpeed, 1.0f);
    EXPECT_FLOAT_EQ(texture->m_endSpeed, 1.0f);
    Choose(*editor, IDC_CW_TEXTURE_SPEED, 4);
    EXPECT_FLOAT_EQ(texture->m_startSpeed, 4.0f);

    // The second template, solid steps.
    Choose(*editor, IDC_CW_TEXTURE_STYLE, 1);
    EXPECT_EQ(words->m_textureIndex, 1);
    EXPECT_EQ(texture->m_templates.GetAt(0)->m_changeMode, ColorTemplate::CHANGE_SOLID);

    // A text colour switches the texture off; a texture animation back on.
    ui.ExpectColor(RGB(10, 20, 30));
    fwtest::ClickButton(*editor, IDC_CW_TEXT_COLOR);
    EXPECT_EQ(Selection(*editor, IDC_CW_TEXTURE_ANIM), 0);
    EXPECT_EQ(words->m_useTextColor, 1);
    EXPECT_EQ(words->m_textColor, RGB(10, 20, 30));
    EXPECT_EQ(texture->m_style, 20);
    Choose(*editor, IDC_CW_TEXTURE_ANIM, 3); // move down
    EXPECT_EQ(words->m_useTextColor, 0);
    EXPECT_EQ(texture->m_style, 3);
    EXPECT_EQ(ui.PendingCount(), 0u);
}

TEST_F(WordsEditor, VerticalTextSwapsTheEffectListsAndBackKeepsPositions)
{
    AddLibrary();
    CDlgColorFullWords* editor = Open();
    ASSERT_NE(editor, nullptr);
    ProgramColorFulWords* words = editor->WorkingCopy();
    Choose(*editor, IDC_CW_SHOW, 1); // move left: enter and leave off
    Choose(*editor, IDC_CW_MIRROR, 2);

    Choose(*editor, IDC_CW_DIRECTION, 1);
    EXPECT_EQ(words->m_orientation, 1);
    EXPECT_EQ(ItemData(*editor, IDC_CW_ENTER), (std::vector<DWORD> { 0, 7, 8 }));
    EXPECT_EQ(ItemData(*editor, IDC_CW_LEAVE), (std::vector<DWORD> { 0, 7, 8 }));
    EXPECT_EQ(ItemData(*editor, IDC_CW_SHOW), (std::vector<DWORD> { 0, 2 }));
    EXPECT_EQ(words->m_enterEffect, 7);
    EXPECT_EQ(words->m_leaveEffect, 7);
    EXPECT_EQ(words->m_showWordEffect, 0);
    for (int id : { IDC_CW_ENTER, IDC_CW_ENTER_TIME, IDC_CW_LEAVE_TIME, IDC_CW_LEAVE })
        EXPECT_TRUE(Enabled(*editor, id)) << id;
    Choose(*editor, IDC_CW_LEAVE, 2);
    EXPECT_EQ(words->m_leaveEffect, 8);

    Choose(*editor, IDC_CW_DIRECTION, 0);
    EXPECT_EQ(words->m_orientation, 0);
    EXPECT_EQ(ItemData(*editor, IDC_CW_ENTER).size(), 7u);
    EXPECT_EQ(ItemData(*editor, IDC_CW_SHOW).size(), 3u);
    EXPECT_EQ(Selection(*editor, IDC_CW_ENTER), 1);
    EXPECT_EQ(Selection(*editor, IDC_CW_SHOW), 0);
    EXPECT_EQ(Selection(*editor, IDC_CW_LEAVE), 2);
    EXPECT_EQ(words->m_enterEffect, 1); // now "move left"
    EXPECT_EQ(words->m_leaveEffect, 2); // now "typing"
    EXPECT_EQ(Selection(*editor, IDC_CW_MIRROR), 0);
    EXPECT_EQ(words->m_mirror, 0);
    EXPECT_EQ(Selection(*editor, IDC_CW_DIRECTION), 0);
}

TEST_F(WordsEditor, AnEmptyLibraryAndASingleColourTemplateStillBuild)
{
    CDlgColorFullWords* editor = Open();
    ASSERT_NE(editor, nullptr);
    ProgramColorFulWords* words = editor->WorkingCopy();
    EXPECT_EQ(Selection(*editor, IDC_CW_TEXTURE_STYLE), -1);
    ASSERT_NE(words->m_pTexture, nullptr);
    EXPECT_EQ(words->m_pTexture->m_templates.GetSize(), 0);
    EXPECT_EQ(words->m_useTextColor, 1); // nothing to fill the text with
    EXPECT_EQ(words->m_orgFrames, 126);
    Close(IDCANCEL);

    // One colour without gradient: no steps to travel, the zoom stays finite.
    doc->m_colourTemplates.Add(Template({ RGB(255, 0, 0) }));
    editor = Open();
    ASSERT_NE(editor, nullptr);
    words = editor->WorkingCopy();
    Choose(*editor, IDC_CW_TEXTURE_SPEED, 10);
    EXPECT_TRUE(std::isfinite(words->m_pTexture->m_zoomFactor));
    EXPECT_FLOAT_EQ(words->m_pTexture->m_zoomFactor, 0.1f);
}

TEST_F(WordsEditor, OkAddsTheProgramAndEditChangesIt)
{
    AddLibrary();
    CDlgColorFullWords* editor = Open();
    ASSERT_NE(editor, nullptr);
    fwtest::SetItemText(*editor, IDC_CW_TEXT, L"Hello");
    fwtest::SetItemText(*editor, IDC_CW_REPEAT, L"3");
    Choose(*editor, IDC_CW_STROKE, 1);
    Choose(*editor, IDC_CW_STROKE_WIDTH, 2);
    ::CheckDlgButton(editor->m_hWnd, IDC_CW_REVERSE, BST_CHECKED);
    fwtest::ClickButton(*editor, IDC_CW_REVERSE);
    doc->SetModifiedFlag(FALSE);
    Close(IDOK);

    ASSERT_EQ(doc->m_segments.GetSize(), 1);
    ProgramView* view = doc->m_segments.GetAt(0)->m_views.GetAt(0);
    ASSERT_EQ(view->m_programs.GetSize(), 1);
    auto* words = dynamic_cast<ProgramColorFulWords*>(view->m_programs.GetAt(0));
    ASSERT_NE(words, nullptr);
    EXPECT_EQ(words->m_text, CString(L"Hello"));
    EXPECT_EQ(words->m_wordRepeatCount, 3);
    EXPECT_EQ(words->m_endFrame, 378);
    EXPECT_EQ(words->m_strokeType, 1);
    EXPECT_EQ(words->m_strokeWidth, 3);
    EXPECT_EQ(words->m_reverse, 1);
    ASSERT_NE(words->m_pTexture, nullptr);
    EXPECT_TRUE(doc->IsModified());

    // Edit on the program opens the editor filled from it.
    doc->m_currentSegment = 1;
    doc->SelectNode(words->m_pNode);
    fwtest::SendCommand(*session->m_frame, ID_DOC_EDIT_MATERIAL);
    editor = dynamic_cast<CDlgColorFullWords*>(doc->m_pWordsEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CW_TEXT), CString(L"Hello"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CW_REPEAT), CString(L"3"));
    EXPECT_EQ(Selection(*editor, IDC_CW_STROKE), 1);
    EXPECT_EQ(Selection(*editor, IDC_CW_STROKE_WIDTH), 2);
    EXPECT_EQ(::IsDlgButtonChecked(editor->m_hWnd, IDC_CW_REVERSE), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CW_SHOW_TIME), CString(L"2.0S"));
    fwtest::SetItemText(*editor, IDC_CW_TEXT, L"World");
    Close(IDOK);
    EXPECT_EQ(words->m_text, CString(L"World"));
    EXPECT_EQ(view->m_programs.GetSize(), 1);

    // Cancel keeps the program as it was.
    doc->SelectNode(words->m_pNode);
    fwtest::SendCommand(*session->m_frame, ID_DOC_EDIT_MATERIAL);
    editor = dynamic_cast<CDlgColorFullWords*>(doc->m_pWordsEditor);
    ASSERT_NE(editor, nullptr);
    fwtest::SetItemText(*editor, IDC_CW_TEXT, L"Lost");
    Close(IDCANCEL);
    EXPECT_EQ(words->m_text, CString(L"World"));
}

TEST_F(WordsEditor, LabelsAndListsSpeakTheProgramsLanguage)
{
    AddLibrary();
    CDlgColorFullWords* editor = Open();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CW_ENTER_LABEL), CString(L"Enter effect"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CW_FONT), CString(L"Font..."));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDOK), CString(L"OK"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CW_TEXT), CString(L"Please enter text"));
    wchar_t item[64] = L"";
    ::SendDlgItemMessageW(editor->m_hWnd, IDC_CW_ENTER, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, L"Move left");
    ::SendDlgItemMessageW(editor->m_hWnd, IDC_CW_TEXTURE_ANIM, CB_GETLBTEXT, 7, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, L"Move Up-Right");
    EXPECT_EQ(editor->m_textColorButton.m_strOtherButton, CString(L"More colours..."));
}

TEST(WordsEditorTexts, EveryShippedLanguageFileHoldsEveryText)
{
    for (LPCWSTR file : { L"Eng.ini", L"Chs.ini", L"Cht.ini", L"French.ini", L"Korean.ini" }) {
        const CString path = GetAppFolder() + L"Lang\\" + file;
        for (const auto& [section, key] : WordsEditorTextKeys()) {
            CString name;
            name.Format(L"%d", key);
            wchar_t text[256] = L"";
            ::GetPrivateProfileStringW(section, name, L"", text, 256, path);
            EXPECT_NE(text[0], L'\0') << CStringA(file).GetString() << " " << CStringA(section).GetString() << " "
                                      << key;
        }
    }
}

TEST_F(WordsEditor, FontDialogAndSizeBoxSetTheFontRecord)
{
    AddLibrary();
    CDlgColorFullWords* editor = Open();
    ASSERT_NE(editor, nullptr);
    ProgramColorFulWords* words = editor->WorkingCopy();
    // 12 points at the screen's resolution, shown in the size box.
    CClientDC screen(HWND(nullptr));
    const int twelve = ::MulDiv(12, screen.GetDeviceCaps(LOGPIXELSY), 72);
    EXPECT_EQ(std::abs(static_cast<int>(words->m_font.lfHeight)), twelve);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CW_FONT_SIZE), FormatNumber(twelve));

    // The font dialog chooses the face; the size box keeps the height.
    LOGFONT chosen {};
    chosen.lfHeight = -40;
    chosen.lfWeight = FW_BOLD;
    wcscpy(chosen.lfFaceName, L"Liberation Sans");
    ui.ExpectFont(chosen);
    fwtest::ClickButton(*editor, IDC_CW_FONT);
    EXPECT_STREQ(words->m_font.lfFaceName, L"Liberation Sans");
    EXPECT_EQ(words->m_font.lfWeight, FW_BOLD);
    EXPECT_EQ(words->m_font.lfHeight, -twelve);

    // A chosen size, a typed size, and a typed size below 8 (16 pixels).
    Choose(*editor, IDC_CW_FONT_SIZE, 14); // the 48-point height
    EXPECT_EQ(words->m_font.lfHeight, -::MulDiv(48, screen.GetDeviceCaps(LOGPIXELSY), 72));
    TypeInto(*editor, IDC_CW_FONT_SIZE, L"30", CBN_EDITCHANGE);
    EXPECT_EQ(words->m_font.lfHeight, -30);
    TypeInto(*editor, IDC_CW_FONT_SIZE, L"5", CBN_EDITCHANGE);
    EXPECT_EQ(words->m_font.lfHeight, -16);
    EXPECT_EQ(ui.PendingCount(), 0u);

    // A font of 97 pixels or more: the texture's speed follows the 48-pixel text.
    TypeInto(*editor, IDC_CW_FONT_SIZE, L"120", CBN_EDITCHANGE);
    EXPECT_EQ(words->m_font.lfHeight, -120);
    EXPECT_GT(words->m_pTexture->m_zoomFactor, 0.0f);
    EXPECT_TRUE(std::isfinite(words->m_pTexture->m_zoomFactor));
}

namespace {

// The selection of an edit box: first and one past the last character.
std::pair<int, int> Selected(HWND box)
{
    DWORD from = 0, to = 0;
    ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    return { static_cast<int>(from), static_cast<int>(to) };
}

CString BoxText(HWND box)
{
    wchar_t text[256] = L"";
    ::GetWindowTextW(box, text, 256);
    return text;
}

// Keys as the keyboard sends them to the box that has the focus; with ctrl
// the Control key is held meanwhile.
void Key(HWND box, UINT key, wchar_t character, bool ctrl = false)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    if (ctrl)
        keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    ::SendMessageW(box, WM_KEYDOWN, key, 1);
    if (character != 0)
        ::SendMessageW(box, WM_CHAR, character, 1);
    ::SendMessageW(box, WM_KEYUP, key, 0xC0000001);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
}

} // namespace

TEST_F(WordsEditor, ThePromptIsACueThatTypingReplacesAndCtrlASelectsTheWholeText)
{
    AddLibrary();
    CDlgColorFullWords* editor = Open();
    ASSERT_NE(editor, nullptr);
    HWND box = ::GetDlgItem(editor->m_hWnd, IDC_CW_TEXT);
    ProgramColorFulWords* words = editor->WorkingCopy();
    // Shown, but no text of the program's: nothing to preview yet.
    EXPECT_EQ(BoxText(box), CString(L"Please enter text"));
    EXPECT_TRUE(editor->m_textBox.IsShowingPrompt());
    EXPECT_TRUE(words->m_text.IsEmpty());
    EXPECT_NE(doc->m_playState, PLAY_PLAYING);

    // A click into the prompt takes all of it; what is typed replaces it.
    ::SetFocus(box);
    ::SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 5));
    ::SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(30, 5));
    EXPECT_EQ(Selected(box), std::make_pair(0, 17));
    Key(box, 'H', L'H');
    Key(box, 'I', L'i');
    EXPECT_EQ(BoxText(box), CString(L"Hi"));
    EXPECT_FALSE(editor->m_textBox.IsShowingPrompt());
    EXPECT_EQ(words->m_text, CString(L"Hi"));
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);

    // Ctrl+A selects the whole text, and the next key replaces it.
    ::SendMessageW(box, EM_SETSEL, 1, 1);
    Key(box, 'A', 1, true);
    EXPECT_EQ(Selected(box), std::make_pair(0, 2));
    EXPECT_EQ(BoxText(box), CString(L"Hi"));
    Key(box, 'O', L'O');
    Key(box, 'K', L'K');
    EXPECT_EQ(words->m_text, CString(L"OK"));

    // Emptied and left, the box shows the prompt again, which is no text.
    Key(box, 'A', 1, true);
    Key(box, VK_BACK, L'\b');
    EXPECT_EQ(BoxText(box), CString());
    ::SetFocus(::GetDlgItem(editor->m_hWnd, IDC_CW_REPEAT));
    EXPECT_EQ(BoxText(box), CString(L"Please enter text"));
    EXPECT_TRUE(words->m_text.IsEmpty());
    // Back in the box by the keyboard the prompt is selected: Backspace
    // leaves an empty box, not the prompt's first sixteen letters.
    ::SetFocus(box);
    EXPECT_EQ(Selected(box), std::make_pair(0, 17));
    Key(box, VK_BACK, L'\b');
    EXPECT_EQ(BoxText(box), CString());

    // OK with nothing typed adds a program without text, and Edit shows it
    // with the prompt again.
    ::SetFocus(::GetDlgItem(editor->m_hWnd, IDC_CW_REPEAT));
    Close(IDOK);
    ASSERT_EQ(doc->m_segments.GetSize(), 1);
    auto* added = dynamic_cast<ProgramColorFulWords*>(doc->m_segments.GetAt(0)->m_views.GetAt(0)->m_programs.GetAt(0));
    ASSERT_NE(added, nullptr);
    EXPECT_TRUE(added->m_text.IsEmpty());
    doc->m_currentSegment = 1;
    doc->SelectNode(added->m_pNode);
    fwtest::SendCommand(*session->m_frame, ID_DOC_EDIT_MATERIAL);
    editor = dynamic_cast<CDlgColorFullWords*>(doc->m_pWordsEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->m_textBox.IsShowingPrompt());
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_CW_TEXT), CString(L"Please enter text"));
}
