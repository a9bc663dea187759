// The preview player panel: buttons and progress driven through the
// document, seeking, zoom, and the template loader.
#include "panels_fixture.h"

#include "panel_resource.h"

#include <filesystem>
#include <fstream>

namespace panelstest {
namespace {

using PlayerPanelTest = PanelsTest;

TEST_F(PlayerPanelTest, PlayPauseStopThroughTheDocumentSetButtonsAndProgress)
{
    fwtest::CFakeClock clock;
    BuildProject({ { 100 }, { 150 } });
    m_doc->m_projectSettings.m_playFrames = 250;
    m_doc->RefreshPanels();
    EXPECT_EQ(m_player->GetButtonImage(ID_PLAYER_STOP), PLAYER_IMAGE_STOP_LIT);

    m_doc->OnPlay();
    EXPECT_EQ(m_player->GetButtonImage(ID_PLAYER_PLAY), PLAYER_IMAGE_PLAY_LIT);
    EXPECT_EQ(m_player->GetButtonImage(ID_PLAYER_STOP), PLAYER_IMAGE_STOP);
    EXPECT_EQ(m_player->GetSlider().GetRangeMax(), 249);
    CString counter;
    m_player->GetCounter().GetWindowText(counter);
    EXPECT_EQ(counter, L"1/250");
    EXPECT_TRUE(clock.HasTimer(m_player->GetEngine().GetSafeHwnd(), kPlayTimerId));

    m_doc->OnPause();
    EXPECT_EQ(m_player->GetButtonImage(ID_PLAYER_PAUSE), PLAYER_IMAGE_PAUSE_LIT);
    EXPECT_FALSE(clock.HasTimer(m_player->GetEngine().GetSafeHwnd(), kPlayTimerId));

    m_doc->OnStop();
    EXPECT_EQ(m_player->GetButtonImage(ID_PLAYER_STOP), PLAYER_IMAGE_STOP_LIT);
    EXPECT_EQ(m_player->GetButtonImage(ID_PLAYER_PLAY), PLAYER_IMAGE_PLAY);
}

TEST_F(PlayerPanelTest, FrameShownUpdatesCounterAndEverySeventhTheTime)
{
    m_doc->m_projectSettings.m_frameRate = 25;
    m_player->ResetProgress(250);
    for (int i = 0; i < 6; ++i)
        m_player->SendMessage(WM_FRAME_SHOWN, 100);
    EXPECT_EQ(m_player->GetTimeText(), L"00:00:00/00:00:00");
    m_player->SendMessage(WM_FRAME_SHOWN, 100);
    EXPECT_EQ(m_player->GetTimeText(), L"00:00:04/00:00:05");
    CString counter;
    m_player->GetCounter().GetWindowText(counter);
    EXPECT_EQ(counter, L"  101/250  ");
    EXPECT_EQ(m_player->GetSlider().GetPos(), 100);
    // Past the maximum nothing changes.
    m_player->SendMessage(WM_FRAME_SHOWN, 400);
    EXPECT_EQ(m_player->GetSlider().GetPos(), 100);
}

// The time label is wide enough for the longest time in its own font.
TEST_F(PlayerPanelTest, TimeTextIsNeverCut)
{
    struct Find {
        static BOOL CALLBACK Child(HWND wnd, LPARAM found)
        {
            if (::GetDlgCtrlID(wnd) == IDC_FRAME_TIME)
                *reinterpret_cast<HWND*>(found) = wnd;
            return TRUE;
        }
    };
    m_player->SetWindowPos(nullptr, 0, 0, 700, 300, SWP_NOZORDER | SWP_NOMOVE);
    HWND time = nullptr;
    ::EnumChildWindows(m_player->GetSafeHwnd(), Find::Child, reinterpret_cast<LPARAM>(&time));
    ASSERT_NE(time, nullptr);
    HDC dc = ::GetDC(time);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(time, WM_GETFONT, 0, 0)));
    SIZE text {};
    ::GetTextExtentPoint32W(dc, L"88:88:88/88:88:88", 17, &text);
    ::SelectObject(dc, old);
    ::ReleaseDC(time, dc);
    RECT client {};
    ::GetClientRect(time, &client);
    EXPECT_GE(client.right, text.cx);
}

TEST_F(PlayerPanelTest, ZeroPlayedFramesGiveAnEmptyRange)
{
    m_doc->m_projectSettings.m_playFrames = 0;
    m_player->SendMessage(WM_PROJECT_CHANGED, 1);
    CString counter;
    m_player->GetCounter().GetWindowText(counter);
    EXPECT_EQ(counter, L"0/0");
    EXPECT_EQ(m_player->GetSlider().GetRangeMax(), 0);
}

TEST_F(PlayerPanelTest, SeekIsClampedToTheSlider)
{
    BuildProject({ { 100 } });
    m_doc->m_projectSettings.m_playFrames = 100;
    m_player->SendMessage(WM_PROJECT_CHANGED, 1);
    m_player->SendMessage(WM_SEEK_FRAME, 500);
    EXPECT_EQ(m_player->GetEngine().GetRunningFrame(), 99);
    m_player->SendMessage(WM_SEEK_FRAME, static_cast<WPARAM>(-3));
    EXPECT_EQ(m_player->GetEngine().GetRunningFrame(), 0);
    // The slider's scroll reaches the panel as a seek.
    m_player->GetSlider().SetPos(42);
    m_player->GetFrameBar().SendMessage(
        WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 42), reinterpret_cast<LPARAM>(m_player->GetSlider().GetSafeHwnd()));
    fwtest::PumpPending();
    EXPECT_EQ(m_player->GetEngine().GetRunningFrame(), 42);
}

TEST_F(PlayerPanelTest, ZoomMenuItemSetsTheZoom)
{
    fwtest::SendCommand(*m_player, ID_ZOOM_FIRST);
    EXPECT_EQ(m_doc->m_zoomPercent, 50u);
    fwtest::SendCommand(*m_player, ID_ZOOM_LAST);
    EXPECT_EQ(m_doc->m_zoomPercent, 1900u);
}

TEST_F(PlayerPanelTest, LoaderFillsTheLibrariesFromTheProgramResources)
{
    m_player->OnInitialUpdate();
    ASSERT_TRUE(fwtest::PumpUntil([&] { return m_doc->m_colourTemplates.GetSize() > 0; }, 20000));
    EXPECT_EQ(m_doc->m_colourTemplates.GetSize(), 6);
    EXPECT_EQ(m_doc->m_colourTemplateThumbs.GetSize(), 6);
    EXPECT_EQ(m_doc->m_textureTemplates.GetSize(), 5);
    EXPECT_EQ(m_doc->m_textureTemplateThumbs.GetSize(), 5);
    EXPECT_GE(m_doc->m_colourStrips.GetSize(), 6);
    EXPECT_EQ(m_doc->m_stripThumbs.GetSize(), m_doc->m_colourStrips.GetSize());
    // A thumbnail is one pixel high and 256 pixels per colour step.
    BITMAP info {};
    m_doc->m_colourTemplateThumbs.GetAt(0)->GetObject(sizeof(info), &info);
    EXPECT_EQ(info.bmHeight, 1);
    EXPECT_EQ(info.bmWidth % 256, 0);
    // The panels were bound on the way.
    EXPECT_EQ(m_doc->m_pTreePanel, m_tree);
}

TEST_F(PlayerPanelTest, LoaderSkipsShortExtensionsAndUnreadableBars)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    std::filesystem::path root = std::filesystem::path(temp) / L"panels_loader_test";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / L"ani_template");
    std::filesystem::create_directories(root / L"template_cus");
    std::ofstream(root / L"ani_template" / L"clip.xy") << "x";
    std::ofstream(root / L"ani_template" / L"clip.avi") << "not a video";
    std::ofstream(root / L"template_cus" / L"broken.ctx") << "<nothing";
    m_player->SetResourceFolder(CString((root.wstring() + L"\\").c_str()));
    m_player->OnInitialUpdate();
    ASSERT_TRUE(fwtest::PumpUntil([&] { return m_doc->m_animationPreviews.GetSize() > 0; }, 20000));
    ASSERT_EQ(m_doc->m_animationPreviews.GetSize(), 1);
    EXPECT_TRUE(m_doc->m_animationPreviews.GetAt(0)->m_path.Find(L"clip.avi") > 0);
    EXPECT_EQ(m_doc->m_colourStrips.GetSize(), 0);
    m_player->StopTemplateLoader();
    std::filesystem::remove_all(root);
}

TEST_F(PlayerPanelTest, StoppingTheLoaderEndsItWithoutInstallingHalfLists)
{
    m_player->OnInitialUpdate();
    m_player->StopTemplateLoader();
    EXPECT_FALSE(m_player->IsTemplateLoaderRunning());
    fwtest::PumpPending();
    // Nothing or everything: the thumbnails always match their templates.
    EXPECT_EQ(m_doc->m_colourTemplateThumbs.GetSize(), m_doc->m_colourTemplates.GetSize());
}

} // namespace
} // namespace panelstest
