// The animation library browser as the running program makes it (command
// 33009 through the program's own document host): the built-in page, folder
// pages read from and written to the settings file, previews of a clicked
// tile, and OK handing the file to the video import editor. A folder page
// that goes while its thumbnails are being drawn waits for its thread.
#include "media_session.h"

#include "dlg_ani_preview.h"
#include "dlg_import_dir_ani.h"
#include "dlg_video_chioce.h"
#include "fw_ctxmenu.h"
#include "media_editors_resource.h"
#include "program_video.h"
#include "show_messages.h"
#include "swf_writer.h"
#include "tile_view.h"

#include "ClipWriters.h"

using namespace mediatest;

namespace {

struct AnimationBrowser : MediaSession {
    CString MakeFolder(LPCWSTR name) const
    {
        CString path = folder.Path() + name;
        EXPECT_TRUE(::CreateDirectoryW(path, nullptr));
        return path;
    }
    CString WriteSwf(const CString& path, int frames) const
    {
        std::vector<swftest::Color> colours;
        for (int i = 0; i < frames; ++i)
            colours.push_back(swftest::Color { static_cast<uint8_t>(40 * i), 0, 200 });
        EXPECT_TRUE(clipgen::WriteFileBytes(path.GetString(), swftest::FlatFrames(32, 32, colours)));
        return path;
    }
    CString UserDir(int index) const
    {
        CString key;
        key.Format(L"UserDir%d", index);
        wchar_t value[MAX_PATH] = L"";
        ::GetPrivateProfileStringW(L"UserDirs", key, L"", value, MAX_PATH, folder.Path() + L"Lang\\SoftConf.ini");
        return value;
    }
    void RememberFolder(int index, const CString& path) const
    {
        CString key;
        key.Format(L"UserDir%d", index);
        ::WritePrivateProfileStringW(L"UserDirs", key, path, folder.Path() + L"Lang\\SoftConf.ini");
    }
    CDlgAniPreview* Open()
    {
        Command(ID_DOC_BUILT_IN_EFFECTS);
        return dynamic_cast<CDlgAniPreview*>(doc->m_pAnimationBrowser);
    }
    static void SelectTab(CDlgAniPreview& browser, int tab)
    {
        browser.m_tab.SetCurSel(tab);
        NMHDR notice { browser.m_tab.GetSafeHwnd(), IDC_AP_TAB, static_cast<UINT>(TCN_SELCHANGE) };
        browser.SendMessage(WM_NOTIFY, IDC_AP_TAB, reinterpret_cast<LPARAM>(&notice));
    }
    static CString TabText(CDlgAniPreview& browser, int tab)
    {
        wchar_t text[MAX_PATH] = L"";
        TCITEMW item {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        browser.m_tab.SendMessage(TCM_GETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    static std::vector<CString> Captions(CMyColorView& view)
    {
        std::vector<CString> captions;
        for (POSITION pos = view.m_tiles.GetHeadPosition(); pos != nullptr;) {
            CString caption;
            view.m_tiles.GetNext(pos)->GetWindowText(caption);
            captions.push_back(caption);
        }
        return captions;
    }
    static void ClickTile(CMyColorView& view, int id)
    {
        view.SendMessage(WM_TILE_CLICKED, static_cast<WPARAM>(id), 0);
        fwtest::PumpPending();
    }
    static bool Loaded(CDlgImportDirAni& page)
    {
        return fwtest::PumpUntil([&] { return !page.IsLoading(); }, 20000);
    }
};

} // namespace

TEST_F(AnimationBrowser, AFolderPageShowsItsAnimationsAndOkImportsTheChosenOne)
{
    const CString anims = MakeFolder(L"anims");
    WriteClip(L"anims\\a.avi", 6);
    WriteSwf(anims + L"\\b.swf", 4);
    WriteClip(L"anims\\c.mp4", 6);
    WriteJunk(L"anims\\readme.txt");
    WriteJunk(L"anims\\noextension");
    RememberFolder(0, anims);

    CDlgAniPreview* browser = Open();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->IsWindowVisible());
    EXPECT_EQ(doc->m_listSelector, 0);
    ASSERT_EQ(browser->PageCount(), 1);
    EXPECT_EQ(browser->m_tab.GetItemCount(), 3);
    EXPECT_EQ(TabText(*browser, 0), CString(L"Built-in Effects"));
    EXPECT_EQ(TabText(*browser, 1), CString(L"anims"));
    EXPECT_EQ(TabText(*browser, 2), CString(L"Add"));
    EXPECT_EQ(browser->m_tab.GetCurSel(), 0);
    CDlgImportDirAni* page = browser->Page(0);
    ASSERT_TRUE(Loaded(*page));
    fwtest::PumpPending();
    ASSERT_NE(page->m_pTileView, nullptr);
    EXPECT_EQ(Captions(*page->m_pTileView), (std::vector<CString> { L"a", L"b" }));
    EXPECT_EQ(fwtest::GetItemText(*page, IDC_AP_LOADING), CString());

    // The browse button shows another folder on the page; the remembered
    // folder, the tab and the settings file stay.
    const CString other = MakeFolder(L"other");
    WriteClip(L"other\\solo.avi", 2);
    ui.ExpectFolder(other);
    fwtest::ClickButton(*page, IDC_AP_BROWSE);
    EXPECT_EQ(Captions(*page->m_pTileView), (std::vector<CString> { L"solo" }));
    EXPECT_EQ(fwtest::GetItemText(*page, IDC_AP_FOLDER), other);
    EXPECT_EQ(TabText(*browser, 1), CString(L"anims"));
    EXPECT_EQ(UserDir(0), anims);
    ui.ExpectFolder(anims);
    fwtest::ClickButton(*page, IDC_AP_BROWSE);
    EXPECT_EQ(Captions(*page->m_pTileView), (std::vector<CString> { L"a", L"b" }));

    // OK without a selected tile: told, nothing else.
    SelectTab(*browser, 1);
    EXPECT_TRUE(page->IsWindowVisible());
    ui.ExpectMessageBox(IDOK, L"Select an animation");
    fwtest::ClickButton(*browser, IDOK);
    EXPECT_TRUE(browser->IsWindowVisible());

    // A click previews the animation; OK hands it to the video editor.
    ClickTile(*page->m_pTileView, 1);
    EXPECT_EQ(browser->m_chosenPath, anims + L"\\b.swf");
    EXPECT_EQ(browser->PreviewProgram()->m_mediaKind, MEDIA_SWF);
    EXPECT_EQ(browser->PreviewProgram()->m_orgFrames, 4);
    EXPECT_EQ(doc->m_previewSettings.m_playFrames, 4);
    fwtest::ClickButton(*browser, IDOK);
    EXPECT_FALSE(browser->IsWindowVisible());
    EXPECT_EQ(doc->m_pAnimationBrowser, browser);
    auto* editor = dynamic_cast<CDlgVideoChioce*>(doc->m_pVideoEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ItemInt(*editor, IDC_VC_START), 1);
    EXPECT_EQ(ItemInt(*editor, IDC_VC_END), 4);
    ASSERT_TRUE(CloseWith(doc->m_pVideoEditor, IDOK));
    auto* added = dynamic_cast<ProgramVideo*>(ProjectProgram(1, 1, 1));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_mediaKind, MEDIA_SWF);
    EXPECT_EQ(added->m_endFrame, 4);
    EXPECT_TRUE(TreeShows(added));
    Command(ID_DOC_PLAY);
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);
    Command(ID_DOC_STOP);

    // Shown again by the next command, with its folder tab and current tab.
    EXPECT_EQ(Open(), browser);
    EXPECT_TRUE(browser->IsWindowVisible());
    EXPECT_EQ(browser->m_tab.GetCurSel(), 1);
    EXPECT_EQ(browser->PageCount(), 1);
    EXPECT_EQ(doc->m_previewSegments.GetSize(), 1);
    fwtest::ClickButton(*browser, IDCANCEL);
    EXPECT_FALSE(browser->IsWindowVisible());
    EXPECT_EQ(doc->m_listSelector, 1);
}

TEST_F(AnimationBrowser, TheBuiltInPagePreviewsAndImportsItsAnimations)
{
    const CString clip = WriteClip(L"ripple.avi", 30);
    // The library the program loaded is replaced by the test's own.
    for (INT_PTR i = 0; i < doc->m_animationPreviews.GetSize(); ++i) {
        delete doc->m_animationPreviews.GetAt(i)->m_pThumb;
        delete doc->m_animationPreviews.GetAt(i);
    }
    doc->m_animationPreviews.RemoveAll();
    auto* entry = new S_AniPreView;
    entry->m_pThumb = new CBitmap;
    entry->m_pThumb->Attach(::CreateBitmap(4, 4, 1, 32, nullptr));
    entry->m_path = clip;
    doc->m_animationPreviews.Add(entry);

    CDlgAniPreview* browser = Open();
    ASSERT_NE(browser, nullptr);
    ASSERT_NE(browser->m_pBuiltIn, nullptr);
    EXPECT_EQ(Captions(*browser->m_pBuiltIn), (std::vector<CString> { L"ripple" }));
    ui.ExpectMessageBox(IDOK, L"Select an animation");
    fwtest::ClickButton(*browser, IDOK);
    EXPECT_TRUE(browser->IsWindowVisible());

    ClickTile(*browser->m_pBuiltIn, 0);
    EXPECT_EQ(doc->m_previewSettings.m_playFrames, 30);
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);
    fwtest::ClickButton(*browser, IDOK);
    auto* editor = dynamic_cast<CDlgVideoChioce*>(doc->m_pVideoEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_VC_PATH), clip);
    EXPECT_EQ(ItemInt(*editor, IDC_VC_START), 1);
    EXPECT_EQ(ItemInt(*editor, IDC_VC_END), 30);
    ASSERT_TRUE(CloseWith(doc->m_pVideoEditor, IDOK));
    auto* added = dynamic_cast<ProgramVideo*>(ProjectProgram(1, 1, 1));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_filePath, clip);
    EXPECT_EQ(added->m_endFrame, 30);
    EXPECT_TRUE(TreeShows(added));
    Command(ID_DOC_PLAY);
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);
    Command(ID_DOC_STOP);
}

TEST_F(AnimationBrowser, AddingAndDeletingFoldersRewritesTheSettingsFile)
{
    const CString first = MakeFolder(L"first");
    const CString second = MakeFolder(L"second");
    CDlgAniPreview* browser = Open();
    ASSERT_NE(browser, nullptr);
    ASSERT_EQ(browser->PageCount(), 0);

    // A cancelled folder browser goes back to the built-in page.
    ui.ExpectCancel(fwtest::CScriptedUiHost::Kind::Folder);
    SelectTab(*browser, 1);
    EXPECT_EQ(browser->m_tab.GetCurSel(), 0);
    EXPECT_TRUE(browser->m_pBuiltIn->IsWindowVisible());
    EXPECT_EQ(UserDir(0), CString());

    struct Step {
        const CString* folder; // added, or null: delete tab 1
        std::vector<CString> tabs; // between the built-in and the add tab
    };
    const Step steps[] = {
        { &first, { L"first" } },
        { &second, { L"first", L"second" } },
        { nullptr, { L"second" } },
        { nullptr, {} },
    };
    for (const Step& step : steps) {
        if (step.folder != nullptr) {
            ui.ExpectFolder(*step.folder);
            SelectTab(*browser, browser->AddTabIndex());
            EXPECT_EQ(browser->m_tab.GetCurSel(), browser->PageCount());
            EXPECT_TRUE(browser->Page(browser->PageCount() - 1)->IsWindowVisible());
        } else {
            SelectTab(*browser, 1);
            browser->SendMessage(WM_COMMAND, ID_AP_DELETE_FOLDER, 0);
            EXPECT_EQ(browser->m_tab.GetCurSel(), 0);
        }
        ASSERT_EQ(browser->PageCount(), static_cast<int>(step.tabs.size()));
        EXPECT_EQ(browser->m_tab.GetItemCount(), browser->PageCount() + 2);
        for (size_t i = 0; i < step.tabs.size(); ++i) {
            EXPECT_EQ(TabText(*browser, static_cast<int>(i) + 1), step.tabs[i]);
            EXPECT_EQ(UserDir(static_cast<int>(i)), folder.Path() + step.tabs[i]);
        }
        EXPECT_EQ(UserDir(static_cast<int>(step.tabs.size())), CString());
        EXPECT_EQ(TabText(*browser, browser->AddTabIndex()), CString(L"Add"));
    }
}

TEST_F(AnimationBrowser, ARightClickOnAFolderTabOffersDeleteThere)
{
    RememberFolder(0, MakeFolder(L"first"));
    RememberFolder(1, MakeFolder(L"second"));
    CDlgAniPreview* browser = Open();
    ASSERT_NE(browser, nullptr);
    ASSERT_EQ(browser->PageCount(), 2);

    std::vector<CString> shown; // the pop-up's entries, one per pop-up
    UINT answer = 0;
    struct HookGuard {
        ~HookGuard() { CContextMenuManager::SetShowHook(nullptr); }
    } guard;
    CContextMenuManager::SetShowHook([&](HMENU menu, POINT, HWND owner) -> UINT {
        EXPECT_EQ(owner, browser->GetSafeHwnd());
        wchar_t text[64] = L"";
        ::GetMenuStringW(menu, ID_AP_DELETE_FOLDER, text, 63, MF_BYCOMMAND);
        shown.push_back(text);
        return answer;
    });
    // A right click where the user points: the tab there becomes current.
    auto rightClick = [&](int tab) {
        CRect rect;
        browser->m_tab.GetItemRect(tab, &rect);
        browser->m_tab.ClientToScreen(&rect);
        ::SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
        browser->PostMessage(WM_NULL);
        fwtest::PumpPending();
        NMHDR notice { browser->m_tab.GetSafeHwnd(), IDC_AP_TAB, static_cast<UINT>(NM_RCLICK) };
        browser->SendMessage(WM_NOTIFY, IDC_AP_TAB, reinterpret_cast<LPARAM>(&notice));
    };
    struct Step {
        int tab; // under the cursor
        UINT answer; // chosen in the pop-up
        int current; // the current tab afterwards
        size_t popUps; // shown so far
        std::vector<CString> tabs; // folder tabs afterwards
    };
    const Step steps[] = {
        { 0, ID_AP_DELETE_FOLDER, 0, 0, { L"first", L"second" } }, // the built-in tab has no menu
        { 3, ID_AP_DELETE_FOLDER, 0, 0, { L"first", L"second" } }, // nor the add tab
        { 2, 0, 2, 1, { L"first", L"second" } }, // the menu closed without a choice
        { 2, ID_AP_DELETE_FOLDER, 0, 2, { L"first" } },
    };
    for (const Step& step : steps) {
        answer = step.answer;
        rightClick(step.tab);
        EXPECT_EQ(browser->m_tab.GetCurSel(), step.current) << step.tab;
        EXPECT_EQ(shown.size(), step.popUps) << step.tab;
        ASSERT_EQ(browser->PageCount(), static_cast<int>(step.tabs.size()));
        for (size_t i = 0; i < step.tabs.size(); ++i) {
            EXPECT_EQ(TabText(*browser, static_cast<int>(i) + 1), step.tabs[i]);
            EXPECT_EQ(UserDir(static_cast<int>(i)), folder.Path() + step.tabs[i]);
        }
        EXPECT_EQ(UserDir(static_cast<int>(step.tabs.size())), CString());
    }
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), CString(L"Delete"));
    EXPECT_TRUE(browser->m_pBuiltIn->IsWindowVisible());
}

TEST_F(AnimationBrowser, APageDeletedWhileItsThumbnailsAreDrawnWaitsForItsThread)
{
    const CString busy = MakeFolder(L"busy");
    for (int i = 0; i < 40; ++i) {
        CString name;
        name.Format(L"busy\\clip%02d.avi", i);
        WriteClip(name, 3);
    }
    CDlgAniPreview* browser = Open();
    ASSERT_NE(browser, nullptr);
    for (int round = 0; round < 3; ++round) {
        ui.ExpectFolder(busy);
        SelectTab(*browser, browser->AddTabIndex());
        ASSERT_EQ(browser->PageCount(), 1);
        EXPECT_TRUE(browser->Page(0)->IsLoading());
        SelectTab(*browser, 1);
        browser->SendMessage(WM_COMMAND, ID_AP_DELETE_FOLDER, 0);
        EXPECT_EQ(browser->PageCount(), 0);
        // A completion the thread posted before it ended finds no page.
        fwtest::PumpPending();
    }
    // An entry that goes while the page reads the folder is passed over.
    ui.ExpectFolder(busy);
    SelectTab(*browser, browser->AddTabIndex());
    CDlgImportDirAni* page = browser->Page(0);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(::DeleteFileW(busy + L"\\clip39.avi"));
    ASSERT_TRUE(Loaded(*page));
    fwtest::PumpPending();
    EXPECT_EQ(page->m_pTileView->m_tiles.GetCount(), 39);
    EXPECT_EQ(fwtest::GetItemText(*page, IDC_AP_LOADING), CString());

    // The program closes while another page still draws: the browser and its
    // pages go with the document and wait for the thread.
    ui.ExpectFolder(busy);
    SelectTab(*browser, browser->AddTabIndex());
    ASSERT_EQ(browser->PageCount(), 2);
    EXPECT_TRUE(browser->Page(1)->IsLoading());
    session.reset();
    doc = nullptr;
}

TEST(FolderScan, OnlyAnimationFilesThatOpenGiveThumbnails)
{
    fwtest::CTempFolder temp;
    const CString folder = temp.Path();
    clipgen::AviStream stream;
    stream.width = 8;
    stream.height = 8;
    stream.chunks.push_back(clipgen::DibRows24(clipgen::FlatPicture(8, 8, clipgen::FrameColour(1))));
    const auto clip = clipgen::BuildAvi({ stream }, 25);
    for (LPCWSTR name : { L"x.AVI", L"y.avi", L"z.tol", L"w.mov" })
        ASSERT_TRUE(clipgen::WriteFileBytes((folder + L"\\" + name).GetString(), clip));
    ASSERT_TRUE(clipgen::WriteFileBytes((folder + L"\\bad.avi").GetString(), { 'n', 'o' }));
    ASSERT_TRUE(::CreateDirectoryW(folder + L"\\dir.avi", nullptr));
    CFolderThumbnails found;
    ScanFolderAnimations(folder, found);
    ASSERT_EQ(found.m_items.size(), 2u);
    EXPECT_EQ(found.m_items[0]->m_path, folder + L"\\x.AVI");
    EXPECT_EQ(found.m_items[1]->m_path, folder + L"\\y.avi");
    // A missing folder gives nothing.
    CFolderThumbnails none;
    ScanFolderAnimations(folder + L"\\gone", none);
    EXPECT_TRUE(none.m_items.empty());

    // An entry that goes between the listing and its thumbnail is passed
    // over and the entries after it are still drawn.
    const std::vector<CString> listed = ListFolderEntries(folder);
    EXPECT_EQ(listed, (std::vector<CString> { L"bad.avi", L"dir.avi", L"w.mov", L"x.AVI", L"y.avi", L"z.tol" }));
    ASSERT_TRUE(::DeleteFileW(folder + L"\\x.AVI"));
    CFolderThumbnails rest;
    DrawFolderAnimations(folder, listed, rest);
    ASSERT_EQ(rest.m_items.size(), 1u);
    EXPECT_EQ(rest.m_items[0]->m_path, folder + L"\\y.avi");
    // A stopped scan draws nothing more.
    const std::atomic<bool> stop { true };
    CFolderThumbnails stopped;
    DrawFolderAnimations(folder, listed, stopped, &stop);
    EXPECT_TRUE(stopped.m_items.empty());
}
