// Pictures of the media editors for a person to look at: with
// VANTREL_GALLERY set to a folder, the video import editor, the image-show
// editor and the animation browser are opened in English and in Simplified
// Chinese and saved there as BMP files (skipped otherwise). The same windows
// in English, French and Korean show no Chinese.
#include "media_session.h"

#include "dlg_ani_preview.h"
#include "dlg_image_show.h"
#include "dlg_import_dir_ani.h"
#include "dlg_video_chioce.h"
#include "fw_window_picture.h"
#include "fw_window_texts.h"
#include "media_editors_resource.h"
#include "show_messages.h"

#include <cstdlib>
#include <functional>
#include <string>

using namespace mediatest;

namespace {

CString GalleryFolder()
{
    const wchar_t* folder = _wgetenv(L"VANTREL_GALLERY");
    return folder != nullptr ? CString(folder) : CString();
}

struct MediaGallery : MediaSession {
    // Opens each media editor in its states, showing each window to look.
    void Visit(const std::function<void(LPCWSTR name, HWND wnd)>& look)
    {
        for (int i = 0; i < 3; ++i) {
            CString name;
            name.Format(L"clip%d.avi", i);
            WriteClip(name, 10 + i);
        }
        ui.ExpectFileOpen({ folder.Path() + L"clip0.avi" });
        Command(ID_DOC_ADD_VIDEO);
        ui.ExpectFileOpen({ folder.Path() + L"clip1.avi" });
        auto* video = dynamic_cast<CDialog*>(doc->m_pVideoEditor);
        ASSERT_NE(video, nullptr);
        CloseWith(doc->m_pVideoEditor, IDCANCEL);
        Command(ID_DOC_ADD_VIDEO);
        video = dynamic_cast<CDialog*>(doc->m_pVideoEditor);
        ASSERT_NE(video, nullptr);
        look(L"video_import", video->m_hWnd);
        CloseWith(doc->m_pVideoEditor, IDCANCEL);

        ui.ExpectFileOpen({ folder.Path() + L"a.png", folder.Path() + L"b.png" });
        Command(ID_DOC_ADD_IMAGE_SHOW);
        auto* show = dynamic_cast<CDlgImageShow*>(doc->m_pImageShowEditor);
        ASSERT_NE(show, nullptr);
        look(L"image_show", show->m_hWnd);
        Choose(*show, IDC_IMS_BACKGROUND, 2);
        look(L"image_show_background", show->m_hWnd);
        CloseWith(doc->m_pImageShowEditor, IDCANCEL);

        ::CreateDirectoryW(folder.Path() + L"anims", nullptr);
        WriteClip(L"anims\\wave.avi", 5);
        WriteClip(L"anims\\spark.avi", 5);
        ::WritePrivateProfileStringW(
            L"UserDirs", L"UserDir0", folder.Path() + L"anims", folder.Path() + L"Lang\\SoftConf.ini");
        Command(ID_DOC_BUILT_IN_EFFECTS);
        auto* browser = dynamic_cast<CDlgAniPreview*>(doc->m_pAnimationBrowser);
        ASSERT_NE(browser, nullptr);
        look(L"animation_browser", browser->m_hWnd);
        browser->m_tab.SetCurSel(1);
        NMHDR notice { browser->m_tab.GetSafeHwnd(), IDC_AP_TAB, static_cast<UINT>(TCN_SELCHANGE) };
        browser->SendMessage(WM_NOTIFY, IDC_AP_TAB, reinterpret_cast<LPARAM>(&notice));
        fwtest::PumpUntil([&] { return !browser->Page(0)->IsLoading(); }, 10000);
        fwtest::PumpPending();
        look(L"animation_folder", browser->m_hWnd);
        fwtest::ClickButton(*browser, IDCANCEL);
    }

    void Shoot(LPCWSTR tag)
    {
        const CString out = GalleryFolder();
        Visit(
            [&](LPCWSTR name, HWND wnd) { fwtest::SaveWindowPicture(wnd, out + L"\\" + name + L"_" + tag + L".bmp"); });
    }
};

struct MediaGalleryChinese : MediaGallery {
    LPCWSTR Language() const override { return L"2052"; }
};

} // namespace

TEST_F(MediaGallery, English)
{
    if (GalleryFolder().IsEmpty())
        GTEST_SKIP() << "VANTREL_GALLERY not set";
    Shoot(L"en");
}

TEST_F(MediaGalleryChinese, Chinese)
{
    if (GalleryFolder().IsEmpty())
        GTEST_SKIP() << "VANTREL_GALLERY not set";
    Shoot(L"zh");
}

namespace {

struct MediaLanguage : MediaGallery, ::testing::WithParamInterface<LPCWSTR> {
    void SetUp() override
    {
        ASSERT_TRUE(folder.CopyShippedLanguageFolders());
        MediaGallery::SetUp();
    }
    LPCWSTR Language() const override { return GetParam(); }
};

} // namespace

TEST_P(MediaLanguage, ShowsNoChinese)
{
    std::string found;
    auto look = [&](const CString& where, const CString& text) {
        if (fwtest::HoldsChinese(text))
            found += "\n  " + fwtest::Utf8(where + L": " + text);
    };
    const CString out = GalleryFolder();
    Visit([&](LPCWSTR name, HWND wnd) {
        for (const fwtest::CShownText& shown : fwtest::CollectShownTexts(wnd))
            look(CString(name) + L", " + shown.strWhere, shown.strText);
        if (!out.IsEmpty())
            fwtest::SaveWindowPicture(wnd, out + L"\\" + name + L"_" + GetParam() + L".bmp");
    });
    for (const CString& prompt : ui.Transcript())
        look(L"prompt", prompt);
    EXPECT_TRUE(found.empty()) << CStringA(GetParam()).GetString() << ":" << found;
}

INSTANTIATE_TEST_SUITE_P(OutsideChinese, MediaLanguage, ::testing::Values(L"1033", L"1036", L"1042"),
    [](const ::testing::TestParamInfo<LPCWSTR>& info) { return std::string(CStringA(info.param).GetString()); });
