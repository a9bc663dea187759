// Pictures of the media editors for a person to look at: with
// VANTREL_GALLERY set to a folder, the video import editor, the image-show
// editor and the animation browser are opened in English and in Simplified
// Chinese and saved there as BMP files. Skipped otherwise.
#include "media_session.h"

#include "dlg_ani_preview.h"
#include "dlg_image_show.h"
#include "dlg_import_dir_ani.h"
#include "dlg_video_chioce.h"
#include "fw_window_picture.h"
#include "media_editors_resource.h"
#include "show_messages.h"

#include <cstdlib>

using namespace mediatest;

namespace {

CString GalleryFolder()
{
    const wchar_t* folder = _wgetenv(L"VANTREL_GALLERY");
    return folder != nullptr ? CString(folder) : CString();
}

struct MediaGallery : MediaSession {
    void Shoot(LPCWSTR tag)
    {
        const CString out = GalleryFolder();
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
        fwtest::SaveWindowPicture(video->m_hWnd, out + L"\\video_import_" + tag + L".bmp");
        CloseWith(doc->m_pVideoEditor, IDCANCEL);

        ui.ExpectFileOpen({ folder.Path() + L"a.png", folder.Path() + L"b.png" });
        Command(ID_DOC_ADD_IMAGE_SHOW);
        auto* show = dynamic_cast<CDlgImageShow*>(doc->m_pImageShowEditor);
        ASSERT_NE(show, nullptr);
        fwtest::SaveWindowPicture(show->m_hWnd, out + L"\\image_show_" + tag + L".bmp");
        Choose(*show, IDC_IMS_BACKGROUND, 2);
        fwtest::SaveWindowPicture(show->m_hWnd, out + L"\\image_show_background_" + tag + L".bmp");
        CloseWith(doc->m_pImageShowEditor, IDCANCEL);

        ::CreateDirectoryW(folder.Path() + L"anims", nullptr);
        WriteClip(L"anims\\wave.avi", 5);
        WriteClip(L"anims\\spark.avi", 5);
        ::WritePrivateProfileStringW(
            L"UserDirs", L"UserDir0", folder.Path() + L"anims", folder.Path() + L"Lang\\SoftConf.ini");
        Command(ID_DOC_BUILT_IN_EFFECTS);
        auto* browser = dynamic_cast<CDlgAniPreview*>(doc->m_pAnimationBrowser);
        ASSERT_NE(browser, nullptr);
        fwtest::SaveWindowPicture(browser->m_hWnd, out + L"\\animation_browser_" + tag + L".bmp");
        browser->m_tab.SetCurSel(1);
        NMHDR notice { browser->m_tab.GetSafeHwnd(), IDC_AP_TAB, static_cast<UINT>(TCN_SELCHANGE) };
        browser->SendMessage(WM_NOTIFY, IDC_AP_TAB, reinterpret_cast<LPARAM>(&notice));
        fwtest::PumpUntil([&] { return !browser->Page(0)->IsLoading(); }, 10000);
        fwtest::PumpPending();
        fwtest::SaveWindowPicture(browser->m_hWnd, out + L"\\animation_folder_" + tag + L".bmp");
        fwtest::ClickButton(*browser, IDCANCEL);
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
