// Start-up: the single-instance mark and its message, the splash lines, bar
// and update check, what an update found at start-up does, and the About box.
#include "about_dlg.h"
#include "resource.h"
#include "shell_test_support.h"
#include "splash_screen.h"

#include <vector>

using fwtest::CScriptedUiHost;
using shelltest::CFakeServices;
using shelltest::CTempProgramFolder;

namespace {

CString UniqueName(LPCWSTR base)
{
    CString name;
    name.Format(L"%s_%lu", base, ::GetCurrentProcessId());
    return name;
}

TEST(SingleInstance, SecondClaimSeesTheFirstUntilItEnds)
{
    CString name = UniqueName(L"VantrelShellTest");
    CSingleInstance first;
    ASSERT_EQ(first.Claim(name), CSingleInstance::kClaimed);
    CSingleInstance second;
    EXPECT_EQ(second.Claim(name), CSingleInstance::kAlreadyRunning);
    EXPECT_FALSE(second.IsHeld());
    first.Release();
    EXPECT_EQ(second.Claim(name), CSingleInstance::kClaimed);
}

TEST(SingleInstance, SecondStartShowsProgramIsRunningAndEnds)
{
    CScriptedUiHost host;
    CDornelApp app;
    app.m_singleInstanceName = UniqueName(L"VantrelShellTestApp");
    CSingleInstance running;
    ASSERT_EQ(running.Claim(app.m_singleInstanceName), CSingleInstance::kClaimed);

    host.ExpectMessageBox(IDOK, L"Program Is Running!");
    EXPECT_FALSE(app.ClaimSingleInstance());
    EXPECT_EQ(host.PendingCount(), 0u);

    // Once the first instance is gone the next start goes on.
    running.Release();
    EXPECT_TRUE(app.ClaimSingleInstance());
    app.ExitInstance();
    EXPECT_EQ(running.Claim(app.m_singleInstanceName), CSingleInstance::kClaimed);
}

TEST(Splash, LinesAndBar)
{
    EXPECT_EQ(CSplashScreen::LineText(0), CString(L"Loading Corvane.dll..."));
    EXPECT_EQ(CSplashScreen::LineText(14), CString(L"Loading swresample-1.dll..."));
    EXPECT_EQ(CSplashScreen::LineText(15), CString(L"Checking Update"));
    EXPECT_EQ(CSplashScreen::ProgressOf(0), 0);
    EXPECT_EQ(CSplashScreen::ProgressOf(1), 6);
    EXPECT_EQ(CSplashScreen::ProgressOf(15), 93);
}

TEST(Splash, RunsSixteenTicksChecksOnceAndCloses)
{
    AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
    CFakeServices services;
    services.m_checkUpdate = 2;
    fwtest::CFakeClock clock;
    CSplashScreen splash;
    int checksBeforeLast = -1;
    int barAtEnd = -1;
    INT_PTR result = fwtest::RunModal(splash, [&](CDialog& dlg) {
        for (int tick = 0; tick < 15; ++tick)
            clock.Advance(3000 / 16);
        checksBeforeLast = services.CountOf(L"CheckUpdate");
        clock.Advance(3000 / 16); // "Checking Update"
        barAtEnd = static_cast<int>(::SendDlgItemMessageW(dlg.m_hWnd, IDC_SPLASH_PROGRESS, PBM_GETPOS, 0, 0));
        clock.Advance(3000 / 16); // closes
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(checksBeforeLast, 0);
    EXPECT_EQ(services.CountOf(L"CheckUpdate"), 1);
    EXPECT_EQ(barAtEnd, 93);
    EXPECT_EQ(splash.GetUpdateResult(), 2);
}

namespace {

// The 32-bit pixels of a bitmap.
std::vector<DWORD> PixelsOf(HBITMAP bitmap, int& width, int& height)
{
    BITMAP info {};
    ::GetObjectW(bitmap, sizeof(info), &info);
    width = info.bmWidth;
    height = info.bmHeight;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO bi {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC dc = ::GetDC(nullptr);
    ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, dc);
    return pixels;
}

} // namespace

// Each loading line stays on the picture the splash shows (it is part of the
// image, so a repaint keeps it), and the next line replaces it.
TEST(Splash, ShowsEachLineInItsPicture)
{
    AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
    CFakeServices services;
    fwtest::CFakeClock clock;
    CSplashScreen splash;
    std::vector<int> changed;
    fwtest::RunModal(splash, [&](CDialog& dlg) {
        CBitmap background;
        ASSERT_TRUE(background.LoadBitmap(IDB_SPLASH));
        int w = 0, h = 0;
        const auto plain = PixelsOf(static_cast<HBITMAP>(background.GetSafeHandle()), w, h);
        std::vector<DWORD> previous = plain;
        for (int tick = 0; tick < 2; ++tick) {
            clock.Advance(3000 / 16);
            dlg.GetDlgItem(IDC_SPLASH_PICTURE)->RedrawWindow();
            auto shown = reinterpret_cast<HBITMAP>(
                ::SendDlgItemMessageW(dlg.m_hWnd, IDC_SPLASH_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
            ASSERT_NE(shown, nullptr);
            int sw = 0, sh = 0;
            const auto now = PixelsOf(shown, sw, sh);
            ASSERT_EQ(sw, w);
            ASSERT_EQ(sh, h);
            int differ = 0;
            for (size_t i = 0; i < now.size(); ++i)
                differ += (now[i] & 0xFFFFFF) != (previous[i] & 0xFFFFFF) ? 1 : 0;
            changed.push_back(differ);
            previous = now;
        }
        dlg.EndDialog(IDCANCEL);
    });
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_GT(changed[0], 50); // "Loading Corvane.dll..." drawn over the picture
    EXPECT_GT(changed[1], 10); // replaced by "Loading Quorra.dll..."
}

// The start-up with a canned splash result.
class CSplashResultApp : public CDornelApp {
public:
    int m_splashResult = 0;

protected:
    int RunSplash() override { return m_splashResult; }
};

TEST(Startup, AnUpdateEndsTheStartOnlyWhenFoundConfirmedAndInstalled)
{
    struct Case {
        int found, confirm, install;
        BOOL goOn;
        LPCWSTR calls;
    };
    const Case cases[] = {
        { 1, 1, 1, FALSE, L"UpdateConfirm,DownloadAndInstall," },
        { 1, 1, 0, TRUE, L"UpdateConfirm,DownloadAndInstall," },
        { 1, 0, 1, TRUE, L"UpdateConfirm," },
        { 0, 1, 1, TRUE, L"" },
        { 2, 1, 1, TRUE, L"" },
        { -1, 1, 1, TRUE, L"" },
    };
    for (const Case& c : cases) {
        CFakeServices services;
        services.m_confirm = c.confirm;
        services.m_install = c.install;
        CSplashResultApp app;
        app.m_splashResult = c.found;
        EXPECT_EQ(app.RunSplashAndUpdate(), c.goOn) << c.found << c.confirm << c.install;
        CString calls;
        for (const CString& call : services.m_calls)
            calls += call + L",";
        EXPECT_EQ(calls, CString(c.calls)) << c.found << c.confirm << c.install;
    }
}

TEST(About, ShowsTitleAndVersionFromTheSettingsFile)
{
    AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
    CTempProgramFolder folder;
    struct Case {
        bool settings;
        LPCWSTR expected;
    };
    for (const Case& c : { Case { true, L"Vantrel 3.1.4" }, Case { false, L" " } }) {
        if (c.settings)
            folder.WriteSoftConf(L"Vantrel", L"2052", L"3.1.4");
        else
            ::DeleteFileW(folder.Path() + L"Lang\\SoftConf.ini");
        CAboutDlg about;
        CString text;
        CString caption;
        CString line;
        fwtest::RunModal(about, [&](CDialog& dlg) {
            text = fwtest::GetItemText(dlg, IDC_ABOUT_TITLE);
            line = fwtest::GetItemText(dlg, IDC_ABOUT_LINE);
            dlg.GetWindowText(caption);
            dlg.EndDialog(IDOK);
        });
        EXPECT_EQ(text, CString(c.expected));
        // No language texts: the resource's caption and line.
        EXPECT_EQ(caption, CString(L"关于 Vantrel"));
        EXPECT_EQ(line, CString(L"Pixel LED show editor"));
    }
    folder.WriteFile(L"Lang\\Chs.ini",
        shelltest::LangFileText({ { L"TITLE", 4, L"About this program" }, { L"TITLE", 9, L"Light shows" } }));
    CAboutDlg about;
    CString caption;
    CString line;
    fwtest::RunModal(about, [&](CDialog& dlg) {
        line = fwtest::GetItemText(dlg, IDC_ABOUT_LINE);
        dlg.GetWindowText(caption);
        dlg.EndDialog(IDOK);
    });
    EXPECT_EQ(caption, CString(L"About this program"));
    EXPECT_EQ(line, CString(L"Light shows"));
}

} // namespace
