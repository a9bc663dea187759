// The Zazez Urad editor as the running program makes it: the program's own
// host builds it through the editor factory for command 32993, toolbar
// button 32995 and Edit on a Zazez Urad program. Colours come from the
// palette, the library, the custom colour bar; styles, block widths, steps
// and repeats propose frames; items go into the sequence and come back
// through the pop-up list; custom bars are saved as ".ctx" files; OK adds
// or updates the program.
#include "../effect_plus/one_stop_strip.h"
#include "../shell/shell_test_support.h"

#include "AppPaths.h"
#include "color_strips.h"
#include "dlg_effect_plus.h"
#include "resource.h"
#include "segment.h"
#include "show_messages.h"
#include "tile_view.h"
#include "vantrel_doc_host.h"

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

void Notify(CWnd& dialog, int id, UINT notice)
{
    ::SendMessageW(
        dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(id, notice), reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, id)));
}

void Type(CWnd& dialog, int id, LPCWSTR text, UINT notice)
{
    ::SetWindowTextW(::GetDlgItem(dialog.m_hWnd, id), text);
    Notify(dialog, id, notice);
}

int Selection(CWnd& dialog, int id)
{
    return static_cast<int>(::SendDlgItemMessageW(dialog.m_hWnd, id, CB_GETCURSEL, 0, 0));
}

bool Visible(CWnd& dialog, int id)
{
    return (::GetWindowLongW(::GetDlgItem(dialog.m_hWnd, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Press(CWnd& bar, CPoint at, UINT down = WM_LBUTTONDOWN)
{
    ::SendMessageW(bar.m_hWnd, down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(at.x, at.y));
}

void Release(CWnd& bar, CPoint at)
{
    ::SendMessageW(bar.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

CSize ClientSize(CWnd& window)
{
    CRect rect;
    window.GetClientRect(&rect);
    return rect.Size();
}

struct PlusEditor : shelltest::ProgramFixture {
    void SetUp() override
    {
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        // The libraries the program loaded at start are replaced by the
        // test's own: empty them.
        FreeColorStrips(doc->m_colourStrips);
        for (INT_PTR i = 0; i < doc->m_stripThumbs.GetSize(); ++i)
            delete doc->m_stripThumbs.GetAt(i);
        doc->m_stripThumbs.RemoveAll();
    }
    void TearDown() override
    {
        if (doc != nullptr && doc->m_pColorPlusEditor != nullptr)
            Close(IDCANCEL);
        session.reset();
    }

    CDlgEffectPlus* Open(UINT command = ID_DOC_ADD_COLOR_PLUS)
    {
        fwtest::SendCommand(*session->m_frame, command);
        auto* editor = dynamic_cast<CDlgEffectPlus*>(doc->m_pColorPlusEditor);
        if (editor != nullptr) {
            EXPECT_TRUE(fwtest::PumpUntil([&] { return editor->CustomBar().m_pSrcDC != nullptr; }, 3000));
        }
        return editor;
    }
    void Close(int button)
    {
        auto* dialog = dynamic_cast<CDialog*>(doc->m_pColorPlusEditor);
        ASSERT_NE(dialog, nullptr);
        fwtest::ClickButton(*dialog, button);
        EXPECT_TRUE(fwtest::PumpUntil([&] { return doc->m_pColorPlusEditor == nullptr; }, 3000));
    }
    // Pumps until the drawing thread has drawn the colour list and the
    // editor has taken its width as the current item's colour count.
    static bool WaitColors(CDlgEffectPlus& editor, int width)
    {
        return fwtest::PumpUntil(
            [&] { return editor.ColorBar().m_nNumber == width && editor.CurrentItem()->m_colorCount == width; }, 3000);
    }
    static void SetColors(CDlgEffectPlus& editor, int width)
    {
        editor.ChangeColors([width](ColorStripList& list) {
            FreeColorStrips(list);
            list.Add(OneStopStrip(ColorTemplateEx::MODE_GRADIENT, width, { RGB(255, 0, 0), RGB(0, 0, 255) }));
        });
        EXPECT_TRUE(WaitColors(editor, width));
    }
    static int Frames(CDlgEffectPlus& editor) { return static_cast<int>(editor.GetDlgItemInt(IDC_EP_FRAMES)); }
    static void Style(CDlgEffectPlus& editor, int code)
    {
        editor.SendMessage(WM_COMMAND, MAKEWPARAM(ID_EP_STYLE_FIRST + code, 0), 0);
    }
    static bool WaitSnapshots(CDlgEffectPlus& editor, int count)
    {
        return fwtest::PumpUntil([&] { return editor.Snapshots().GetSize() == count; }, 3000);
    }
};

} // namespace

TEST_F(PlusEditor, APaletteColourBecomesAnItemAndOkAddsTheProgram)
{
    CDlgEffectPlus* editor = Open();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetOwner(), session->m_frame);
    EXPECT_TRUE(editor->IsWindowVisible());
    // An empty list: black bar with its text, width 0, nothing plays.
    EXPECT_TRUE(fwtest::PumpUntil([&] { return editor->ColorBar().m_pSrcDC != nullptr; }, 3000));
    EXPECT_TRUE(editor->ColorBar().m_bTooShort);
    EXPECT_EQ(editor->ColorBar().m_strMessage, CString(L"Not enough colours"));
    EXPECT_EQ(editor->ColorBar().m_pSrcDC->GetPixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(doc->m_playState, PLAY_STOPPED);

    // Add current and OK refuse while there is nothing to add.
    ui.ExpectMessageBox(IDOK, L"Please Add Color !");
    fwtest::ClickButton(*editor, IDC_EP_ADD_CURRENT);
    ui.ExpectMessageBox(IDOK, L"Please choose material!");
    fwtest::ClickButton(*editor, IDOK);
    EXPECT_EQ(doc->m_pColorPlusEditor, editor);
    EXPECT_EQ(editor->Sequence().m_items.GetSize(), 0);

    // A click on row 2, column 5 of the palette: one pixel of green 170.
    const CSize palette = ClientSize(editor->PaletteBar());
    EXPECT_EQ(palette.cx % 16, 0);
    EXPECT_EQ(palette.cy % 7, 0);
    const CPoint cell(5 * (palette.cx / 16) + 2, 2 * (palette.cy / 7) + 2);
    Press(editor->PaletteBar(), cell);
    Release(editor->PaletteBar(), cell);
    ASSERT_TRUE(WaitColors(*editor, 1));
    EXPECT_EQ(editor->CurrentColorButton().GetColor(), RGB(0, 170, 0));
    {
        PlusGuard guard(editor->Shared().lock);
        ASSERT_EQ(editor->Shared().colors.GetSize(), 1);
        const ColorTemplateEx* stop = editor->Shared().colors.GetAt(0)->m_stops.GetAt(0);
        EXPECT_EQ(stop->m_mode, ColorTemplateEx::MODE_SOLID);
        EXPECT_EQ(stop->m_width, 1);
        EXPECT_EQ(stop->m_colors[0], RGB(0, 170, 0));
    }
    EXPECT_FALSE(editor->ColorBar().m_bTooShort);
    EXPECT_EQ(Frames(*editor), 1);
    // Frames below 7 become 7 when the box is left.
    Type(*editor, IDC_EP_FRAMES, L"3", EN_KILLFOCUS);
    EXPECT_EQ(Frames(*editor), 7);
    EXPECT_EQ(editor->CurrentItem()->m_orgFrames, 7);
    EXPECT_EQ(doc->m_previewSettings.m_playFrames, 7);
    EXPECT_EQ(doc->m_projectSettings.m_playFrames, 0);
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);

    fwtest::ClickButton(*editor, IDC_EP_ADD_CURRENT);
    ASSERT_TRUE(WaitSnapshots(*editor, 1));
    EXPECT_EQ(editor->Sequence().m_items.GetSize(), 1);
    EXPECT_EQ(editor->Sequence().m_orgFrames, 7);
    EXPECT_FALSE(editor->SequenceBar().m_bTooShort);
    EXPECT_EQ(editor->SequenceBar().m_nNumber, 1);
    doc->SetModifiedFlag(FALSE);
    Close(IDOK);

    ASSERT_EQ(doc->m_segments.GetSize(), 1);
    ProgramView* view = doc->m_segments.GetAt(0)->m_views.GetAt(0);
    ASSERT_EQ(view->m_programs.GetSize(), 1);
    auto* program = dynamic_cast<ProgramColorEffectPlusArray*>(view->m_programs.GetAt(0));
    ASSERT_NE(program, nullptr);
    ASSERT_EQ(program->m_items.GetSize(), 1);
    EXPECT_EQ(program->m_orgFrames, 7);
    EXPECT_EQ(program->m_items.GetAt(0)->m_colorCount, 1);
    EXPECT_TRUE(doc->IsModified());

    // Edit opens the program's items; an added item is written back on OK.
    doc->m_currentSegment = 1;
    doc->SelectNode(program->m_pNode);
    fwtest::SendCommand(*session->m_frame, ID_DOC_EDIT_MATERIAL);
    editor = dynamic_cast<CDlgEffectPlus*>(doc->m_pColorPlusEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Sequence().m_items.GetSize(), 1);
    ASSERT_TRUE(WaitSnapshots(*editor, 1));
    SetColors(*editor, 64);
    fwtest::ClickButton(*editor, IDC_EP_ADD_CURRENT);
    Close(IDOK);
    ASSERT_EQ(view->m_programs.GetSize(), 1);
    ASSERT_EQ(program->m_items.GetSize(), 2);
    EXPECT_EQ(program->m_orgFrames, 7 + 64);

    // The toolbar button opens a new editor too; Cancel adds nothing.
    editor = Open(ID_COLOR_PLUS_BUTTON);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Sequence().m_items.GetSize(), 0);
    Close(IDCANCEL);
    EXPECT_EQ(view->m_programs.GetSize(), 1);
}

TEST_F(PlusEditor, StylesBlockWidthsStepsAndRepeatsProposeFrames)
{
    CDlgEffectPlus* editor = Open();
    ASSERT_NE(editor, nullptr);
    SetColors(*editor, 64);
    EXPECT_EQ(Frames(*editor), 64);

    // Typed block width 3, then the S-shape styles on 200 x 50.
    Type(*editor, IDC_EP_BLOCK_WIDTH, L"3", CBN_EDITCHANGE);
    EXPECT_EQ(editor->CurrentItem()->m_bandWidth, 3);
    EXPECT_EQ(editor->CurrentItem()->m_colorCount, 64);
    Style(*editor, 39);
    EXPECT_EQ(editor->CurrentStyle(), 39);
    EXPECT_EQ(Frames(*editor), 3350);
    EXPECT_EQ(editor->CurrentItem()->m_orgFrames, 3350);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_EP_STYLE), CString(L"S Shape Left"));
    editor->SetDlgItemInt(IDC_EP_FRAMES, 1);
    Style(*editor, 41);
    EXPECT_EQ(Frames(*editor), 3400);
    Choose(*editor, IDC_EP_BLOCK_WIDTH, 0); // "1"
    EXPECT_EQ(editor->CurrentItem()->m_bandWidth, 1);
    EXPECT_EQ(Frames(*editor), 10000);
    editor->SetDlgItemInt(IDC_EP_FRAMES, 1);
    Style(*editor, 39);
    EXPECT_EQ(Frames(*editor), 10000);
    // The colour count stays the list's width whatever the block width did.
    EXPECT_EQ(editor->CurrentItem()->m_colorCount, 64);
    Type(*editor, IDC_EP_BLOCK_WIDTH, L"0", CBN_EDITCHANGE);
    EXPECT_EQ(editor->CurrentItem()->m_bandWidth, 1);

    // Fixture scan needs a layout: without one the style stays.
    ui.ExpectMessageBox(IDOK, L"Please import a layout first!");
    Style(*editor, 43);
    EXPECT_EQ(editor->CurrentStyle(), 39);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_EP_STYLE), CString(L"S Shape Left"));
    doc->m_projectSettings.m_layoutFile = L"screen.lpx";
    doc->m_maxPixelsPerPort = 300;
    editor->SetDlgItemInt(IDC_EP_FRAMES, 1);
    Style(*editor, 43);
    EXPECT_EQ(editor->CurrentStyle(), 43);
    EXPECT_EQ(Frames(*editor), 300);
    EXPECT_EQ(editor->CurrentItem()->GetStyleRecord(), static_cast<void*>(doc->m_pPixelMap));

    // Style 0 on the 64-pixel list: step and repeat.
    Style(*editor, 0);
    Choose(*editor, IDC_EP_STEP, 1); // step 2, repeat 1
    EXPECT_EQ(Frames(*editor), 32);
    EXPECT_EQ(editor->CurrentItem()->m_stepLength, 2);
    Type(*editor, IDC_EP_STEP, L"2", CBN_KILLFOCUS);
    EXPECT_GE(Frames(*editor), 128);
    Type(*editor, IDC_EP_REPEAT, L"3", CBN_KILLFOCUS);
    EXPECT_EQ(Frames(*editor), 192);
    EXPECT_EQ(editor->CurrentItem()->m_repeatCount, 3);
    EXPECT_EQ(editor->CurrentItem()->m_orgFrames, 192);
}

TEST_F(PlusEditor, TheStyleMenuHoldsFourteenEntriesAndChoosesBlockControls)
{
    CDlgEffectPlus* editor = Open();
    ASSERT_NE(editor, nullptr);
    HMENU menu = editor->StyleMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(::GetMenuItemCount(menu), 14);
    const struct {
        int position;
        int firstCode; // -1: a submenu
        int subFirst;
        int subLast;
    } entries[] = { { 0, 0, 0, 0 }, { 1, 1, 0, 0 }, { 2, -1, 2, 5 }, { 3, -1, 6, 9 }, { 4, -1, 10, 13 },
        { 5, -1, 14, 19 }, { 6, -1, 25, 28 }, { 7, -1, 29, 30 }, { 8, 31, 0, 0 }, { 9, -1, 32, 35 }, { 10, 36, 0, 0 },
        { 11, -1, 37, 38 }, { 12, -1, 39, 42 }, { 13, 43, 0, 0 } };
    for (const auto& e : entries) {
        HMENU sub = ::GetSubMenu(menu, e.position);
        if (e.firstCode >= 0) {
            EXPECT_EQ(sub, nullptr) << e.position;
            EXPECT_EQ(::GetMenuItemID(menu, e.position), static_cast<UINT>(ID_EP_STYLE_FIRST + e.firstCode));
            continue;
        }
        ASSERT_NE(sub, nullptr) << e.position;
        ASSERT_EQ(::GetMenuItemCount(sub), e.subLast - e.subFirst + 1) << e.position;
        for (int code = e.subFirst; code <= e.subLast; ++code) {
            const UINT id = ID_EP_STYLE_FIRST + code;
            EXPECT_EQ(::GetMenuItemID(sub, code - e.subFirst), id);
            wchar_t text[64] = {};
            ::GetMenuStringW(sub, id, text, 63, MF_BYCOMMAND);
            EXPECT_EQ(CString(text), editor->GetPlusStyleName(code)) << code;
        }
    }
    wchar_t label[64] = {};
    ::GetMenuStringW(menu, 12, label, 63, MF_BYPOSITION);
    EXPECT_STREQ(label, L"S Shape");
    EXPECT_EQ(editor->GetPlusStyleName(22), CString(L"Fixture Scan"));
    EXPECT_EQ(editor->GetPlusStyleName(2), CString(L"Move Up"));
    EXPECT_EQ(PlusStyleName([](LPCTSTR, int) { return CString(); }, 5), CString(L"UNKNOWN"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_EP_STYLE), CString(L"Colour Change"));

    const int all[] = { IDC_EP_LABEL_BLOCK_WIDTH, IDC_EP_BLOCK_WIDTH, IDC_EP_LABEL_BLOCK_HEIGHT, IDC_EP_BLOCK_HEIGHT,
        IDC_EP_LABEL_INTERVAL, IDC_EP_INTERVAL, IDC_EP_LABEL_BLOCK_COUNT, IDC_EP_BLOCK_COUNT, IDC_EP_LABEL_BLOCK_SHAPE,
        IDC_EP_BLOCK_SHAPE, IDC_EP_BREATHING };
    auto visible = [&] {
        std::vector<int> shown;
        for (int id : all) {
            if (Visible(*editor, id))
                shown.push_back(id);
        }
        return shown;
    };
    EXPECT_TRUE(visible().empty());
    Style(*editor, 36);
    EXPECT_EQ(visible().size(), 11u);
    Style(*editor, 0);
    Style(*editor, 40);
    EXPECT_EQ(visible(), (std::vector<int> { IDC_EP_LABEL_BLOCK_WIDTH, IDC_EP_BLOCK_WIDTH }));
    Style(*editor, 36);
    Style(*editor, 40);
    EXPECT_EQ(visible().size(), 11u);
}

TEST_F(PlusEditor, ItemsComeBackThroughThePopUpListAndRemovingTheEditedOneEndsTheEditing)
{
    CDlgEffectPlus* editor = Open();
    ASSERT_NE(editor, nullptr);
    SetColors(*editor, 64);
    // Three items: the third with fades 5 s and 10 s.
    fwtest::ClickButton(*editor, IDC_EP_ADD_CURRENT);
    Style(*editor, 2);
    fwtest::ClickButton(*editor, IDC_EP_ADD_CURRENT);
    Choose(*editor, IDC_EP_FADE_IN, 4);
    Choose(*editor, IDC_EP_FADE_OUT, 5);
    Style(*editor, 36);
    fwtest::ClickButton(*editor, IDC_EP_ADD_CURRENT);
    ASSERT_TRUE(WaitSnapshots(*editor, 3));
    EXPECT_EQ(editor->Snapshots().GetAt(1)->m_name, CString(L"Move Up"));

    // The list: 325 x 72 under its button, one tile per item.
    fwtest::ClickButton(*editor, IDC_EP_ITEM_LIST);
    CDlgPopView* list = editor->PopList();
    ASSERT_NE(list, nullptr);
    CRect placed, button;
    list->GetWindowRect(&placed);
    editor->GetDlgItem(IDC_EP_ITEM_LIST)->GetWindowRect(&button);
    EXPECT_EQ(placed.Width(), 325);
    EXPECT_EQ(placed.Height(), 72);
    EXPECT_EQ(placed.top, button.bottom);
    EXPECT_EQ(placed.left + 325 / 2, button.left + button.Width() / 2 + (button.Width() % 2 == 0 ? 0 : 0));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_EP_ITEM_LIST), CString(L"^"));
    ASSERT_NE(list->TileView(), nullptr);
    EXPECT_EQ(list->TileView()->m_tiles.GetCount(), 3);

    // Picking the third item closes the list and loads it for editing.
    editor->SendMessage(WM_SNAPSHOT_PICKED, 2, 0);
    EXPECT_EQ(editor->PopList(), nullptr);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_EP_ITEM_LIST), CString(L"V"));
    EXPECT_EQ(editor->EditedItem(), editor->Sequence().m_items.GetAt(2));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_EP_ADD_CURRENT), CString(L"Save changes"));
    EXPECT_EQ(editor->CurrentStyle(), 36);
    EXPECT_TRUE(Visible(*editor, IDC_EP_BREATHING));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_EP_FADE_IN), CString(L"5S"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_EP_FADE_OUT), CString(L"10S"));
    // A tile number outside the sequence is ignored.
    editor->SendMessage(WM_SNAPSHOT_PICKED, 7, 0);
    EXPECT_EQ(editor->EditedItem(), editor->Sequence().m_items.GetAt(2));

    // Removing the edited item ends the editing: add-current appends again.
    fwtest::ClickButton(*editor, IDC_EP_REMOVE_ITEM);
    EXPECT_EQ(editor->Sequence().m_items.GetSize(), 2);
    EXPECT_EQ(editor->EditedItem(), nullptr);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_EP_ADD_CURRENT), CString(L"Add current"));
    fwtest::ClickButton(*editor, IDC_EP_ADD_CURRENT);
    EXPECT_EQ(editor->Sequence().m_items.GetSize(), 3);
    ASSERT_TRUE(WaitSnapshots(*editor, 3));

    // Editing another item writes back into it; clear ends the editing.
    editor->SendMessage(WM_SNAPSHOT_PICKED, 0, 0);
    ProgramColorEffectPlus* first = editor->Sequence().m_items.GetAt(0);
    ASSERT_EQ(editor->EditedItem(), first);
    Choose(*editor, IDC_EP_MIRROR, 2);
    fwtest::ClickButton(*editor, IDC_EP_ADD_CURRENT);
    EXPECT_EQ(first->m_mirror, 2);
    EXPECT_EQ(editor->Sequence().m_items.GetSize(), 3);
    fwtest::ClickButton(*editor, IDC_EP_CLEAR);
    EXPECT_EQ(editor->EditedItem(), nullptr);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_EP_ADD_CURRENT), CString(L"Add current"));
    EXPECT_EQ(Selection(*editor, IDC_EP_MIRROR), 0);
}

TEST_F(PlusEditor, SavedCustomBarsGetTheirOwnFilesAndOnlyNamedOnesCanBeDeleted)
{
    fwtest::CFakeClock clock(5000);
    CDlgEffectPlus* editor = Open();
    ASSERT_NE(editor, nullptr);
    SetColors(*editor, 8);
    // Two saves within one tick: two files.
    fwtest::ClickButton(*editor, IDC_EP_SAVE);
    fwtest::ClickButton(*editor, IDC_EP_SAVE);
    const CString folderPath = GetAppFolder() + L"Resource\\template_cus\\";
    EXPECT_NE(::GetFileAttributesW(folderPath + L"5000.ctx"), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(::GetFileAttributesW(folderPath + L"5001.ctx"), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(doc->m_colourStrips.GetSize(), 2);
    EXPECT_EQ(doc->m_colourStrips.GetAt(1)->m_name, folderPath + L"5001.ctx");
    EXPECT_EQ(doc->m_stripThumbs.GetSize(), 2);
    ASSERT_NE(editor->TileView(), nullptr);
    EXPECT_EQ(editor->TileView()->m_tiles.GetCount(), 2);

    // A library tile appends its strip with every stop T pixels wide.
    editor->SendMessage(WM_TILE_SELECTED, 1, 0);
    ASSERT_TRUE(WaitColors(*editor, 8 + 16));

    // A built-in strip has no file: refused.
    doc->m_colourStrips.Add(OneStopStrip(ColorTemplateEx::MODE_SOLID, 4, { RGB(1, 1, 1) }));
    doc->m_stripThumbs.Add(new CBitmap);
    ui.ExpectMessageBox(IDOK, L"ERROR!");
    editor->SendMessage(WM_TILE_DELETE, 2, 0);
    EXPECT_EQ(doc->m_colourStrips.GetSize(), 3);
    // A named one asks first.
    ui.ExpectMessageBox(IDCANCEL, L"Are You Sure!");
    editor->SendMessage(WM_TILE_DELETE, 0, 0);
    EXPECT_EQ(doc->m_colourStrips.GetSize(), 3);
    ui.ExpectMessageBox(IDOK, L"Are You Sure!");
    editor->SendMessage(WM_TILE_DELETE, 0, 0);
    EXPECT_EQ(doc->m_colourStrips.GetSize(), 2);
    EXPECT_EQ(::GetFileAttributesW(folderPath + L"5000.ctx"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(editor->TileView()->m_tiles.GetCount(), 2);
    editor->SendMessage(WM_TILE_DELETE, 9, 0); // outside: nothing
    ::DeleteFileW(folderPath + L"5001.ctx");
}

TEST(PlusEditorTexts, EveryShippedLanguageFileHoldsEveryText)
{
    for (LPCWSTR file : { L"Eng.ini", L"Chs.ini", L"Cht.ini", L"French.ini", L"Korean.ini" }) {
        const CString path = GetAppFolder() + L"Lang\\" + file;
        for (const auto& [section, key] : PlusEditorTextKeys()) {
            CString name;
            name.Format(L"%d", key);
            wchar_t text[256] = L"";
            ::GetPrivateProfileStringW(section, name, L"", text, 256, path);
            EXPECT_NE(text[0], L'\0') << CStringA(file).GetString() << " " << CStringA(section).GetString() << " "
                                      << key;
        }
    }
}

TEST_F(PlusEditor, TheCustomBarTakesClicksDragsAndColoursAndAddsItsStrip)
{
    CDlgEffectPlus* editor = Open();
    ASSERT_NE(editor, nullptr);
    CColorShowBar& bar = editor->CustomBar();
    const CSize size = ClientSize(bar);
    const int B = size.cx;
    const int H = size.cy;
    // The start picture: red, green and blue stops, a red-green-blue band.
    CDC* picture = bar.m_pSrcDC;
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetPixel(5, 0), RGB(255, 0, 0));
    EXPECT_EQ(picture->GetPixel(B / 2, 0), RGB(0, 255, 0));
    EXPECT_EQ(picture->GetPixel(B / 4, 1), InterpolateColor(RGB(255, 0, 0), RGB(0, 255, 0), B / 4 - 5, B / 2 - 5));
    EXPECT_EQ(picture->GetPixel(B - 5, H - 5), RGB(0, 0, 255)); // the stop's square
    EXPECT_EQ(picture->GetPixel(2, 0), ::GetSysColor(COLOR_BTNFACE));

    // Add: two gradient stops of 8 pixels (T = 16).
    fwtest::ClickButton(*editor, IDC_EP_ADD_CUSTOM);
    ASSERT_TRUE(WaitColors(*editor, 16));
    {
        PlusGuard guard(editor->Shared().lock);
        const ColorStopList& stops = editor->Shared().colors.GetAt(0)->m_stops;
        ASSERT_EQ(stops.GetSize(), 2);
        EXPECT_EQ(stops.GetAt(0)->m_width, 8);
        EXPECT_EQ(stops.GetAt(1)->m_width, 8);
        EXPECT_EQ(stops.GetAt(0)->m_mode, ColorTemplateEx::MODE_GRADIENT);
    }
    auto stops = [&] {
        PlusGuard guard(editor->Shared().lock);
        return editor->Shared().stops;
    };
    // A click on the band adds a stop of the colour shown there.
    const int x = B / 4;
    const COLORREF shown = picture->GetPixel(x, 0);
    Press(bar, CPoint(x, 1));
    Release(bar, CPoint(x, 1));
    fwtest::PumpPending();
    ASSERT_EQ(stops().size(), 4u);
    EXPECT_EQ(stops()[3].x, x);
    EXPECT_EQ(stops()[3].y, H - 5);
    EXPECT_EQ(stops()[3].color, shown);
    // Dragging the left stop's square moves it, held inside the span.
    Press(bar, CPoint(5, H - 5));
    ::SendMessageW(bar.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(25, H - 5));
    fwtest::PumpPending();
    EXPECT_EQ(stops()[0].x, 25);
    ::SendMessageW(bar.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-200, H - 5));
    fwtest::PumpPending();
    EXPECT_EQ(stops()[0].x, 5);
    Release(bar, CPoint(-200, H - 5));
    fwtest::PumpPending();
    {
        PlusGuard guard(editor->Shared().lock);
        EXPECT_EQ(editor->Shared().selectedStop, -1);
    }
    // Double-click recolours through the colour picker; right-click deletes.
    ui.ExpectColor(RGB(9, 8, 7));
    ::SendMessageW(bar.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(B / 2, H - 5));
    fwtest::PumpPending();
    EXPECT_EQ(stops()[1].color, RGB(9, 8, 7));
    Press(bar, CPoint(B / 2, H - 5), WM_RBUTTONDOWN);
    fwtest::PumpPending();
    EXPECT_EQ(stops().size(), 3u);
    Press(bar, CPoint(B / 2, 2), WM_RBUTTONDOWN); // on the band: no stop there
    fwtest::PumpPending();
    EXPECT_EQ(stops().size(), 3u);
}

TEST_F(PlusEditor, ProgramsGoOutToZazezUradFilesAndComeBackIn)
{
    CDlgEffectPlus* editor = Open();
    ASSERT_NE(editor, nullptr);
    ui.ExpectMessageBox(IDOK, L"Please choose material!");
    editor->SendMessage(WM_COMMAND, ID_EP_EXPORT, 0);
    SetColors(*editor, 32);
    fwtest::ClickButton(*editor, IDC_EP_ADD_CURRENT);
    const CString path = folder.Path() + L"two.cea";
    ui.ExpectFileSave(path);
    editor->SendMessage(WM_COMMAND, ID_EP_EXPORT, 0);
    ASSERT_NE(::GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES);
    ui.ExpectFileOpen({ path });
    editor->SendMessage(WM_COMMAND, ID_EP_IMPORT, 0);
    EXPECT_EQ(editor->Sequence().m_items.GetSize(), 2);
    ASSERT_TRUE(WaitSnapshots(*editor, 2));
    EXPECT_EQ(editor->SequenceBar().m_nNumber, 64);
    ui.ExpectFileOpen({ folder.Path() + L"missing.cea" });
    ui.ExpectMessageBox(IDOK, L"File Not Exist");
    editor->SendMessage(WM_COMMAND, ID_EP_IMPORT, 0);
    EXPECT_EQ(editor->Sequence().m_items.GetSize(), 2);
    // Fill 3 times, delete colour, remove the last stop.
    editor->SendMessage(WM_COMMAND, ID_EP_FILL3, 0);
    ASSERT_TRUE(WaitColors(*editor, 96));
    fwtest::ClickButton(*editor, IDC_EP_DELETE_COLOR);
    ASSERT_TRUE(WaitColors(*editor, 95));
    fwtest::ClickButton(*editor, IDC_EP_REMOVE_STOP);
    ASSERT_TRUE(WaitColors(*editor, 64));
}

TEST_F(PlusEditor, TemplatesTransitionCountsPaletteRowsAndBlockSettingsFeedTheItem)
{
    // One template file: a gradient and a solid template.
    for (INT_PTR i = 0; i < doc->m_templateFiles.GetSize(); ++i)
        delete doc->m_templateFiles.GetAt(i);
    doc->m_templateFiles.RemoveAll();
    auto* file = new ColorTemplateArray;
    auto* gradient = new ColorTemplate;
    gradient->m_changeMode = ColorTemplate::CHANGE_GRADIENT;
    for (COLORREF c : { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255) })
        gradient->m_colors.Add(c);
    auto* solid = new ColorTemplate;
    solid->m_changeMode = ColorTemplate::CHANGE_SOLID;
    for (COLORREF c : { RGB(255, 255, 0), RGB(0, 255, 255) })
        solid->m_colors.Add(c);
    file->m_templates.Add(gradient);
    file->m_templates.Add(solid);
    doc->m_templateFiles.Add(file);

    CDlgEffectPlus* editor = Open();
    ASSERT_NE(editor, nullptr);
    int pickers = 0;
    {
        shelltest::CDialogInitHook hook([&](CDialog& live) {
            if (dynamic_cast<CDlgColorTemplate*>(&live) == nullptr)
                return;
            ++pickers;
            CRect placed, palette;
            live.GetWindowRect(&placed);
            editor->PaletteBar().GetWindowRect(&palette);
            EXPECT_EQ(placed.TopLeft(), CPoint(palette.right, palette.top));
            live.SendMessage(WM_TILE_SELECTED, 0, 0);
        });
        fwtest::ClickButton(*editor, IDC_EP_TEMPLATE);
    }
    EXPECT_EQ(pickers, 1);
    ASSERT_TRUE(WaitColors(*editor, 64));
    {
        PlusGuard guard(editor->Shared().lock);
        ASSERT_EQ(editor->Shared().colors.GetSize(), 2);
        const ColorStopList& first = editor->Shared().colors.GetAt(0)->m_stops;
        const ColorStopList& second = editor->Shared().colors.GetAt(1)->m_stops;
        ASSERT_EQ(first.GetSize(), 2);
        EXPECT_EQ(first.GetAt(1)->m_mode, ColorTemplateEx::MODE_GRADIENT);
        EXPECT_EQ(first.GetAt(1)->m_colors[0], RGB(0, 255, 0));
        EXPECT_EQ(first.GetAt(1)->m_colors[1], RGB(0, 0, 255));
        ASSERT_EQ(second.GetSize(), 2);
        EXPECT_EQ(second.GetAt(1)->m_mode, ColorTemplateEx::MODE_SOLID);
        EXPECT_EQ(second.GetAt(1)->m_width, 16);
        EXPECT_EQ(second.GetAt(1)->m_colors[0], RGB(0, 255, 255));
    }

    // Typing into the transition count completes small numbers.
    const struct {
        LPCWSTR typed;
        LPCWSTR shown;
        int T;
    } typed[] = { { L"1", L"16", 16 }, { L"2", L"256", 256 }, { L"3", L"32", 32 }, { L"8", L"8", 8 },
        { L"50", L"50", 50 }, { L"0", L"0", 0 } };
    for (const auto& t : typed) {
        Type(*editor, IDC_EP_TRANSITION, t.typed, CBN_EDITCHANGE);
        EXPECT_EQ(fwtest::GetItemText(*editor, IDC_EP_TRANSITION), CString(t.shown)) << t.typed;
        EXPECT_EQ(editor->TransitionCount(), t.T) << t.typed;
    }
    // With 0 the custom bar adds stops without width: the list keeps its width.
    fwtest::ClickButton(*editor, IDC_EP_ADD_CUSTOM);
    ASSERT_TRUE(fwtest::PumpUntil(
        [&] {
            PlusGuard guard(editor->Shared().lock);
            return editor->Shared().colors.GetSize() == 3;
        },
        2000));
    EXPECT_TRUE(WaitColors(*editor, 64));
    Choose(*editor, IDC_EP_TRANSITION, 4);
    EXPECT_EQ(editor->TransitionCount(), 128);

    // A palette button's new colour recolours its row.
    const int palettes = editor->Worker().Drawings(PLUS_PIC_PALETTE);
    ui.ExpectColor(RGB(10, 20, 30));
    fwtest::ClickButton(*editor, IDC_EP_PALETTE0);
    EXPECT_TRUE(fwtest::PumpUntil([&] { return editor->Worker().Drawings(PLUS_PIC_PALETTE) > palettes; }, 2000));
    fwtest::PumpPending();
    {
        PlusGuard guard(editor->Shared().lock);
        EXPECT_EQ(editor->Shared().palette[0], RGB(10, 20, 30));
    }
    EXPECT_EQ(editor->PaletteBar().m_pSrcDC->GetPixel(1, 1), RGB(10, 20, 30));

    // A release on the colour bar appends one pixel of the current colour.
    editor->CurrentColorButton().SetColor(RGB(1, 2, 3));
    Press(editor->ColorBar(), CPoint(3, 3));
    Release(editor->ColorBar(), CPoint(3, 3));
    ASSERT_TRUE(WaitColors(*editor, 65));

    // Random blocks: an item keeps its own settings.
    Style(*editor, 36);
    Type(*editor, IDC_EP_BLOCK_HEIGHT, L"4", CBN_EDITCHANGE);
    ASSERT_NE(editor->CurrentItem()->GetRandomAnimation(), nullptr);
    EXPECT_EQ(editor->CurrentItem()->GetRandomAnimation()->m_blockHeight, 4);
    Choose(*editor, IDC_EP_BLOCK_SHAPE, 2);
    fwtest::ClickButton(*editor, IDC_EP_ADD_CURRENT);
    Type(*editor, IDC_EP_BLOCK_HEIGHT, L"6", CBN_EDITCHANGE);
    EXPECT_EQ(editor->CurrentItem()->GetRandomAnimation()->m_blockHeight, 6);
    ASSERT_EQ(editor->Sequence().m_items.GetSize(), 1);
    const RandomAnimation* kept = editor->Sequence().m_items.GetAt(0)->GetRandomAnimation();
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->m_blockHeight, 4);
    EXPECT_EQ(kept->m_dotShape, 2);

    // An open item list follows the editor when it moves.
    ASSERT_TRUE(WaitSnapshots(*editor, 1));
    fwtest::ClickButton(*editor, IDC_EP_ITEM_LIST);
    ASSERT_NE(editor->PopList(), nullptr);
    CRect before, after, editorRect;
    editor->PopList()->GetWindowRect(&before);
    editor->GetWindowRect(&editorRect);
    editor->SetWindowPos(nullptr, editorRect.left + 30, editorRect.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    editor->PopList()->GetWindowRect(&after);
    EXPECT_EQ(after.left - before.left, 30);
    EXPECT_EQ(after.top - before.top, 10);
    EXPECT_EQ(after.Height(), 36);
}
