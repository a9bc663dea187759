// The built-in animations the program ships: the files are what their
// recipes make, every one plays in the animation library (SWF library,
// frame count, first-frame thumbnail), and the browser's built-in page of
// the running program shows them, previews one and hands it to the video
// import editor, which adds it to the show.
#include "media_session.h"

#include "AppPaths.h"
#include "builtin_animations.h"
#include "dlg_ani_preview.h"
#include "dlg_video_chioce.h"
#include "media_editors_resource.h"
#include "media_probe.h"
#include "program_video.h"
#include "show_messages.h"
#include "tile_view.h"

#include <algorithm>

using namespace mediatest;

namespace {

CString ShippedFolder()
{
    return GetAppFolder() + L"Resource\\ani_template\\";
}

std::vector<BYTE> ReadAll(const CString& path)
{
    std::vector<BYTE> bytes;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(::GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty() && !::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        read = 0;
    bytes.resize(read);
    ::CloseHandle(file);
    return bytes;
}

std::vector<CString> ShippedNames()
{
    std::vector<CString> names;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW(ShippedFolder() + L"*.*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(found.cFileName);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

bool HasColour(HBITMAP bitmap)
{
    BITMAP info {};
    if (::GetObjectW(bitmap, sizeof(info), &info) == 0)
        return false;
    std::vector<RGBQUAD> pixels(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
    BITMAPINFO format {};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    HDC screen = ::GetDC(nullptr);
    const int rows
        = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return rows > 0 && std::any_of(pixels.begin(), pixels.end(), [](const RGBQUAD& p) {
        return p.rgbRed > 40 || p.rgbGreen > 40 || p.rgbBlue > 60;
    });
}

} // namespace

TEST(BuiltInAnimationFiles, TheShippedFilesAreWhatTheirRecipesMake)
{
    const std::vector<BuiltInAnimation> made = MakeBuiltInAnimations();
    std::vector<CString> names;
    for (const BuiltInAnimation& animation : made) {
        names.push_back(animation.fileName.c_str());
        const std::vector<BYTE> shipped = ReadAll(ShippedFolder() + animation.fileName.c_str());
        EXPECT_TRUE(shipped == animation.bytes)
            << CStringA(animation.fileName.c_str()).GetString() << ": run tools/make-builtin-animations.sh";
        EXPECT_LT(shipped.size(), 32u * 1024u); // small
    }
    std::sort(names.begin(), names.end());
    // Nothing else is shipped there.
    EXPECT_EQ(ShippedNames(), names);
}

TEST(BuiltInAnimationFiles, EveryOnePlaysItsFramesAndDrawsAThumbnail)
{
    HDC screen = ::GetDC(nullptr);
    for (const BuiltInAnimation& animation : MakeBuiltInAnimations()) {
        const CString path = ShippedFolder() + animation.fileName.c_str();
        EXPECT_EQ(GetSwfFrameCount(screen, path), animation.frames) << CStringA(path).GetString();
        HDC memory = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 256, 256);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        RenderMediaThumbnail(path, memory);
        ::SelectObject(memory, old);
        EXPECT_TRUE(HasColour(bitmap)) << CStringA(path).GetString();
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
    }
    ::ReleaseDC(nullptr, screen);
}

// The program loads its library from its own folder, where the build put
// the shipped animations.
using BuiltInAnimations = MediaSession;

TEST_F(BuiltInAnimations, TheBuiltInPageShowsThemAndOneIsPreviewedAndAdded)
{
    Command(ID_DOC_BUILT_IN_EFFECTS);
    auto* browser = dynamic_cast<CDlgAniPreview*>(doc->m_pAnimationBrowser);
    ASSERT_NE(browser, nullptr);
    ASSERT_NE(browser->m_pBuiltIn, nullptr);
    std::vector<CString> captions;
    for (POSITION pos = browser->m_pBuiltIn->m_tiles.GetHeadPosition(); pos != nullptr;) {
        CString caption;
        browser->m_pBuiltIn->m_tiles.GetNext(pos)->GetWindowText(caption);
        captions.push_back(caption);
    }
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions,
        (std::vector<CString> {
            L"Bouncing ball", L"Colour cycle", L"Rainbow sweep", L"Rings", L"Spinner", L"Twinkle" }));
    ASSERT_EQ(doc->m_animationPreviews.GetSize(), 6);
    for (INT_PTR i = 0; i < doc->m_animationPreviews.GetSize(); ++i)
        EXPECT_TRUE(HasColour(static_cast<HBITMAP>(doc->m_animationPreviews.GetAt(i)->m_pThumb->GetSafeHandle())))
            << CStringA(doc->m_animationPreviews.GetAt(i)->m_path).GetString();

    // A click plays the animation in the preview; OK imports it.
    browser->m_pBuiltIn->SendMessage(WM_TILE_CLICKED, 2, 0);
    fwtest::PumpPending();
    EXPECT_EQ(doc->m_previewSettings.m_playFrames, 48);
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);
    const CString chosen = doc->m_animationPreviews.GetAt(2)->m_path;
    fwtest::ClickButton(*browser, IDOK);
    auto* editor = dynamic_cast<CDlgVideoChioce*>(doc->m_pVideoEditor);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_VC_PATH), chosen);
    EXPECT_EQ(ItemInt(*editor, IDC_VC_END), 48);
    ASSERT_TRUE(CloseWith(doc->m_pVideoEditor, IDOK));
    auto* added = dynamic_cast<ProgramVideo*>(ProjectProgram(1, 1, 1));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_filePath, chosen);
    EXPECT_EQ(added->m_mediaKind, 1); // SWF
    EXPECT_EQ(added->m_endFrame, 48);
    Command(ID_DOC_PLAY);
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);
    Command(ID_DOC_STOP);
}
