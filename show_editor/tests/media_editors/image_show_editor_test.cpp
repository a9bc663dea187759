// The image-show editor as the running program makes it: command 32858
// (after the multi-select file dialog) and Edit on an image show, through
// the program's own document host. Durations become frames at the
// project's rate, the background controls follow the background kind, and
// OK adds the program or changes it in place.
#include "media_session.h"

#include "dlg_image_show.h"
#include "media_editors_resource.h"
#include "program_colorful_words.h"
#include "program_image_show.h"
#include "words_editor_resource.h"
#include "show_messages.h"

using namespace mediatest;

namespace {

struct ImageShow : MediaSession {
    std::vector<CString> Images(int count) const
    {
        std::vector<CString> paths;
        for (int i = 0; i < count; ++i) {
            CString name;
            name.Format(L"%spic%02d.png", folder.Path().GetString(), i + 1);
            paths.push_back(name);
        }
        return paths;
    }
    CDlgImageShow* Open(const std::vector<CString>& images)
    {
        ui.ExpectFileOpen(images);
        Command(ID_DOC_ADD_IMAGE_SHOW);
        return dynamic_cast<CDlgImageShow*>(doc->m_pImageShowEditor);
    }
    static bool Shown(CWnd& dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog.m_hWnd, id)) != FALSE; }
    int PreviewSegmentFrames(int index) const
    {
        return doc->m_previewSegments.GetAt(index)->m_pSegmentInfo->m_totalFrames;
    }
};

} // namespace

TEST_F(ImageShow, ThreeImagesAtTheStartDurationsMake372FramesAndOkAddsThem)
{
    CDlgImageShow* editor = Open(Images(3));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetOwner(), session->m_frame);
    EXPECT_TRUE(editor->IsWindowVisible());
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_IMS_FILES), CString(L"pic01.png;pic02.png;pic03.png;"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_IMS_ENTER_TIME), CString(L"1.50S"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_IMS_LEAVE_TIME), CString(L"2.00S"));
    CString caption;
    editor->GetWindowText(caption);
    EXPECT_EQ(caption, CString(L"Image Show"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_IMS_LABEL_FILES), CString(L"Images"));
    ProgramImageShow* show = editor->WorkingCopy();
    EXPECT_EQ(show->m_enterFrames, 37);
    EXPECT_EQ(show->m_showingFrames, 37);
    EXPECT_EQ(show->m_leaveFrames, 50);
    EXPECT_EQ(show->m_orgFrames, 372);
    EXPECT_EQ(show->m_backgroundKind, 1);
    EXPECT_EQ(show->m_backgroundColor, RGB(0, 0, 255));
    EXPECT_EQ(show->m_enterEffect, 1);
    EXPECT_EQ(doc->m_previewSettings.m_playFrames, 372);
    EXPECT_EQ(doc->m_projectSettings.m_playFrames, 0);

    // Chosen and typed durations; a sliver of a second still takes a frame,
    // a negative time counts as none and becomes the start value on leaving.
    struct Case {
        int box;
        LPCWSTR typed; // or null: choose entry 2 ("3")
        LPCWSTR shown;
        int enter, stay, leave;
    };
    const Case cases[] = {
        { IDC_IMS_STAY_TIME, nullptr, L"3.00S", 37, 75, 50 },
        { IDC_IMS_ENTER_TIME, L"0.01", L"0.01", 1, 75, 50 },
        { IDC_IMS_LEAVE_TIME, L"-2", L"-2", 1, 75, 0 },
        { IDC_IMS_ENTER_TIME, L"abc", L"abc", 0, 75, 0 },
    };
    for (const Case& c : cases) {
        if (c.typed == nullptr)
            Choose(*editor, c.box, 2);
        else
            Type(*editor, c.box, c.typed, CBN_EDITCHANGE);
        EXPECT_EQ(fwtest::GetItemText(*editor, c.box), CString(c.shown));
        EXPECT_EQ(show->m_enterFrames, c.enter) << c.shown;
        EXPECT_EQ(show->m_showingFrames, c.stay) << c.shown;
        EXPECT_EQ(show->m_leaveFrames, c.leave) << c.shown;
        EXPECT_EQ(show->m_orgFrames, (c.enter + c.stay + c.leave) * 3) << c.shown;
    }
    editor->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IMS_LEAVE_TIME, CBN_KILLFOCUS),
        reinterpret_cast<LPARAM>(::GetDlgItem(editor->m_hWnd, IDC_IMS_LEAVE_TIME)));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_IMS_LEAVE_TIME), CString(L"1.5S"));
    EXPECT_EQ(show->m_leaveFrames, 37);
    // Nothing to show: not previewed, but OK still stores it.
    Type(*editor, IDC_IMS_STAY_TIME, L"0", CBN_EDITCHANGE);
    Type(*editor, IDC_IMS_LEAVE_TIME, L"0", CBN_EDITCHANGE);
    EXPECT_EQ(show->m_orgFrames, 0);
    Type(*editor, IDC_IMS_STAY_TIME, L"2", CBN_EDITCHANGE);

    Choose(*editor, IDC_IMS_LEAVE_EFFECT, 4);
    ui.ExpectColor(RGB(10, 20, 30));
    fwtest::ClickButton(*editor, IDC_IMS_BACK_COLOR);
    ASSERT_TRUE(CloseWith(doc->m_pImageShowEditor, IDOK));
    auto* added = dynamic_cast<ProgramImageShow*>(ProjectProgram(1, 1, 1));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_imagePaths.GetSize(), 3);
    EXPECT_EQ(added->m_showingFrames, 50);
    EXPECT_EQ(added->m_orgFrames, 150);
    EXPECT_EQ(added->m_leaveEffect, 4);
    EXPECT_EQ(added->m_backgroundColor, RGB(10, 20, 30));
    EXPECT_TRUE(TreeShows(added));
    EXPECT_EQ(doc->m_listSelector, 1);
    EXPECT_EQ(doc->m_projectSettings.m_playFrames, 150);
    Command(ID_DOC_PLAY);
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);
    Command(ID_DOC_STOP);
}

TEST_F(ImageShow, BackgroundControlsFollowTheBackgroundKind)
{
    CDlgImageShow* editor = Open(Images(1));
    ASSERT_NE(editor, nullptr);
    struct Case {
        int kind; // -1: as opened
        bool colour, image;
    };
    const Case cases[] = { { -1, true, false }, { 2, false, true }, { 1, true, false }, { 0, false, false } };
    for (const Case& c : cases) {
        if (c.kind >= 0)
            Choose(*editor, IDC_IMS_BACKGROUND, c.kind);
        EXPECT_EQ(Shown(*editor, IDC_IMS_BACK_COLOR), c.colour) << c.kind;
        for (int id : { IDC_IMS_BACK_ALIGN, IDC_IMS_BACK_IMAGE, IDC_IMS_CHOOSE_BACK_IMAGE })
            EXPECT_EQ(Shown(*editor, id), c.image) << c.kind << " " << id;
    }
    Choose(*editor, IDC_IMS_BACKGROUND, 2);
    ui.ExpectFileOpen({ folder.Path() + L"back.jpg" });
    fwtest::ClickButton(*editor, IDC_IMS_CHOOSE_BACK_IMAGE);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_IMS_BACK_IMAGE), CString(L"back.jpg"));
    EXPECT_EQ(editor->WorkingCopy()->m_backgroundImage, folder.Path() + L"back.jpg");
    EXPECT_EQ(editor->WorkingCopy()->m_backgroundKind, 2);
}

TEST_F(ImageShow, TwelveImagesShowTenNamesAndChoosingAgainReplacesThem)
{
    CDlgImageShow* editor = Open(Images(12));
    ASSERT_NE(editor, nullptr);
    CString names = fwtest::GetItemText(*editor, IDC_IMS_FILES);
    EXPECT_EQ(names.Left(10), CString(L"pic01.png;"));
    EXPECT_EQ(names.Right(10), CString(L"pic10.png;"));
    EXPECT_EQ(names.GetLength(), 100);
    EXPECT_EQ(editor->WorkingCopy()->m_imagePaths.GetSize(), 12);
    EXPECT_EQ(editor->WorkingCopy()->m_orgFrames, 124 * 12);

    ui.ExpectFileOpen({ folder.Path() + L"x.bmp", folder.Path() + L"y.jpg" });
    fwtest::ClickButton(*editor, IDC_IMS_CHOOSE_FILES);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_IMS_FILES), CString(L"x.bmp;y.jpg;"));
    ASSERT_EQ(editor->WorkingCopy()->m_imagePaths.GetSize(), 2);
    // Choosing rebuilds nothing: the next change counts the new images.
    EXPECT_EQ(editor->WorkingCopy()->m_orgFrames, 124 * 12);
    Choose(*editor, IDC_IMS_LEAVE_EFFECT, 2);
    EXPECT_EQ(editor->WorkingCopy()->m_orgFrames, 248);
    // A cancelled file dialog changes nothing.
    ui.ExpectCancel(fwtest::CScriptedUiHost::Kind::FileOpen);
    fwtest::ClickButton(*editor, IDC_IMS_CHOOSE_FILES);
    EXPECT_EQ(editor->WorkingCopy()->m_imagePaths.GetSize(), 2);
}

TEST_F(ImageShow, EditingShowsTheProgramAndOkChangesItInPlace)
{
    auto* show = new ProgramImageShow;
    show->m_programType = PROGRAM_TYPE_IMAGE_SHOW;
    show->m_imagePaths.Add(L"C:\\pics\\one.png");
    show->m_imagePaths.Add(L"C:\\pics\\two.png");
    show->m_backgroundKind = 2;
    show->m_backgroundImage = L"C:\\pics\\back.bmp";
    show->m_backgroundAlign = 3;
    show->m_imageAlign = 2;
    show->m_enterEffect = 0;
    show->m_leaveEffect = 3;
    show->m_enterTime = 1.0f;
    show->m_showingTime = 2.5f;
    show->m_leaveTime = 0.2f;
    QvSegmentGourp* segment = doc->NewSegment(TRUE, FALSE);
    doc->AddProgramToView(segment->m_views.GetAt(0)->m_pNode, show);
    doc->RefreshPanels();
    SelectProgram(1);
    Command(ID_DOC_EDIT_MATERIAL);
    auto* editor = dynamic_cast<CDlgImageShow*>(doc->m_pImageShowEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_IMS_FILES), CString(L"one.png;two.png;"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_IMS_BACK_IMAGE), CString(L"back.bmp"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_IMS_STAY_TIME), CString(L"2.50S"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_IMS_LEAVE_TIME), CString(L"0.20S"));
    EXPECT_TRUE(Shown(*editor, IDC_IMS_BACK_ALIGN));
    EXPECT_FALSE(Shown(*editor, IDC_IMS_BACK_COLOR));
    ProgramImageShow* copy = editor->WorkingCopy();
    EXPECT_EQ(copy->m_backgroundAlign, 3);
    EXPECT_EQ(copy->m_imageAlign, 2);
    EXPECT_EQ(copy->m_leaveEffect, 3);
    EXPECT_EQ(copy->m_orgFrames, (25 + 62 + 5) * 2);

    Choose(*editor, IDC_IMS_ENTER_EFFECT, 2);
    ASSERT_TRUE(CloseWith(doc->m_pImageShowEditor, IDOK));
    EXPECT_EQ(ProjectProgram(1, 1, 2), nullptr);
    EXPECT_EQ(show->m_enterEffect, 2);
    EXPECT_EQ(show->m_orgFrames, 184);
    EXPECT_EQ(show->m_imagePaths.GetSize(), 2);
    EXPECT_EQ(doc->m_editSegment, -1);
    EXPECT_EQ(doc->m_listSelector, 1);
    EXPECT_TRUE(TreeShows(show));
    EXPECT_EQ(doc->m_projectSettings.m_playFrames, 184);
    Command(ID_DOC_PLAY);
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);
    Command(ID_DOC_STOP);
}

TEST(ImageShowValues, DurationsBecomeFramesAtTheRate)
{
    struct Case {
        double seconds;
        int rate;
        int frames;
    };
    const Case cases[] = { { 1.5, 25, 37 }, { 2.0, 25, 50 }, { 0.01, 25, 1 }, { 0.0, 25, 0 }, { -1.0, 25, 0 },
        { 1.0, 0, 0 }, { 1e12, 25, 1000000 } };
    for (const Case& c : cases)
        EXPECT_EQ(DurationFrames(c.seconds, c.rate), c.frames) << c.seconds;
}

TEST_F(ImageShow, ChoosingImagesRestartsNothingAndOkCountsThem)
{
    CDlgImageShow* editor = Open(Images(3));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);
    Command(ID_DOC_PAUSE);
    const int paused = doc->m_playState;
    ui.ExpectFileOpen({ folder.Path() + L"x.bmp" });
    fwtest::ClickButton(*editor, IDC_IMS_CHOOSE_FILES);
    EXPECT_EQ(doc->m_playState, paused);
    EXPECT_EQ(doc->m_previewSettings.m_playFrames, 372);
    ui.ExpectFileOpen({ folder.Path() + L"back.bmp" });
    Choose(*editor, IDC_IMS_BACKGROUND, 2);
    Command(ID_DOC_PAUSE);
    fwtest::ClickButton(*editor, IDC_IMS_CHOOSE_BACK_IMAGE);
    EXPECT_EQ(doc->m_playState, paused);
    ASSERT_TRUE(CloseWith(doc->m_pImageShowEditor, IDOK));
    auto* added = dynamic_cast<ProgramImageShow*>(ProjectProgram(1, 1, 1));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_imagePaths.GetSize(), 1);
    EXPECT_EQ(added->m_orgFrames, 124);
    EXPECT_EQ(added->m_backgroundImage, folder.Path() + L"back.bmp");
}

TEST_F(ImageShow, ASelectionOfThousandsOfImagesFitsTheFileDialogs)
{
    // Names of 60 characters: 3000 of them need about 180 000 characters.
    std::vector<CString> many;
    for (int i = 0; i < 3000; ++i) {
        CString name;
        name.Format(L"%sharbour bridge rehearsal, camera two, still %05d.png", folder.Path().GetString(), i);
        many.push_back(name);
    }
    CDlgImageShow* editor = Open(many);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ui.m_lastFileRequest.nMaxFile, kImageShowNameChars);
    EXPECT_TRUE((ui.m_lastFileRequest.dwFlags & OFN_ALLOWMULTISELECT) != 0);
    EXPECT_EQ(editor->WorkingCopy()->m_imagePaths.GetSize(), 3000);
    EXPECT_EQ(editor->WorkingCopy()->m_orgFrames, 124 * 3000);
    CString names = fwtest::GetItemText(*editor, IDC_IMS_FILES);
    EXPECT_EQ(names.Right(16), CString(L"still 00009.png;"));

    many.resize(2500);
    ui.ExpectFileOpen(many);
    fwtest::ClickButton(*editor, IDC_IMS_CHOOSE_FILES);
    EXPECT_EQ(ui.m_lastFileRequest.nMaxFile, kImageShowNameChars);
    ASSERT_TRUE(CloseWith(doc->m_pImageShowEditor, IDOK));
    auto* added = dynamic_cast<ProgramImageShow*>(ProjectProgram(1, 1, 1));
    ASSERT_NE(added, nullptr);
    ASSERT_EQ(added->m_imagePaths.GetSize(), 2500);
    EXPECT_EQ(added->m_imagePaths.GetAt(2499), many.back());
    EXPECT_EQ(added->m_orgFrames, 124 * 2500);
}

TEST_F(ImageShow, OtherEditorsOpenBesideItAndEachKeepsItsOwnPreviewAndEdit)
{
    // A colourful text to edit later.
    Command(ID_DOC_ADD_COLORFUL_WORDS);
    ASSERT_NE(doc->m_pWordsEditor, nullptr);
    fwtest::SetItemText(*dynamic_cast<CWnd*>(doc->m_pWordsEditor), IDC_CW_TEXT, L"Hello");
    ASSERT_TRUE(CloseWith(doc->m_pWordsEditor, IDOK));
    auto* words = dynamic_cast<ProgramColorFulWords*>(ProjectProgram(1, 1, 1));
    ASSERT_NE(words, nullptr);

    CDlgImageShow* show = Open(Images(3));
    ASSERT_NE(show, nullptr);
    // Edit on the text opens its editor beside the image show.
    SelectProgram(1);
    Command(ID_DOC_EDIT_MATERIAL);
    auto* text = dynamic_cast<CWnd*>(doc->m_pWordsEditor);
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(show->IsWindowVisible());
    EXPECT_TRUE(text->IsWindowVisible());
    // Both preview; each change writes only the editor's own segment.
    ASSERT_EQ(doc->m_previewSegments.GetSize(), 2);
    EXPECT_EQ(PreviewSegmentFrames(0), 372);
    const int textFrames = PreviewSegmentFrames(1);
    EXPECT_EQ(doc->m_previewSettings.m_playFrames, 372 + textFrames);
    Choose(*show, IDC_IMS_STAY_TIME, 2); // 3 s: 37 + 75 + 50 frames each
    EXPECT_EQ(PreviewSegmentFrames(0), 3 * 162);
    EXPECT_EQ(PreviewSegmentFrames(1), textFrames);
    EXPECT_EQ(doc->m_previewSettings.m_playFrames, 3 * 162 + textFrames);

    // The image show ends first; the text's edit goes on and lands.
    ASSERT_TRUE(CloseWith(doc->m_pImageShowEditor, IDCANCEL));
    EXPECT_GT(doc->m_editSegment, 0);
    fwtest::SetItemText(*text, IDC_CW_TEXT, L"World");
    Choose(*text, IDC_CW_STROKE, 1);
    // The editor left open takes the preview back for its changes.
    EXPECT_EQ(doc->m_listSelector, 0);
    ASSERT_EQ(doc->m_previewSegments.GetSize(), 1);
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);
    ASSERT_TRUE(CloseWith(doc->m_pWordsEditor, IDOK));
    EXPECT_EQ(words->m_text, CString(L"World"));
    EXPECT_EQ(doc->m_editSegment, -1);
    EXPECT_EQ(doc->m_listSelector, 1);

    // The other way round: the image show edits, a new text opens beside and
    // goes; the image show's edit still changes its program in place.
    show = Open(Images(2));
    ASSERT_NE(show, nullptr);
    ASSERT_TRUE(CloseWith(doc->m_pImageShowEditor, IDOK));
    auto* added = dynamic_cast<ProgramImageShow*>(ProjectProgram(1, 1, 2));
    ASSERT_NE(added, nullptr);
    SelectProgram(2);
    Command(ID_DOC_EDIT_MATERIAL);
    show = dynamic_cast<CDlgImageShow*>(doc->m_pImageShowEditor);
    ASSERT_NE(show, nullptr);
    Command(ID_DOC_ADD_COLORFUL_WORDS);
    ASSERT_NE(doc->m_pWordsEditor, nullptr);
    ASSERT_TRUE(CloseWith(doc->m_pWordsEditor, IDCANCEL));
    Choose(*show, IDC_IMS_ENTER_EFFECT, 3);
    ASSERT_TRUE(CloseWith(doc->m_pImageShowEditor, IDOK));
    EXPECT_EQ(added->m_enterEffect, 3);
    EXPECT_EQ(ProjectProgram(1, 1, 3), nullptr);
}
