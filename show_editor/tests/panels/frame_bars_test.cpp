// The main frame's own bars drawn and clicked: the flat dark splitter parts,
// the blue status bar with its centred text, the panels' gradient title bar,
// the frame slider that jumps where its track is clicked, and the dialog bar
// that turns slider clicks into seeks.
#include "../controls/controls_test_support.h"

#include "fw_testing.h"

#include "my_dialog_bar.h"
#include "my_slider.h"
#include "my_splitter_wnd.h"
#include "my_status_bar.h"
#include "my_title_bar.h"
#include "panel_resource.h"
#include "show_messages.h"

#include <gtest/gtest.h>

#include "gdiplus_session.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

int CountWhite(CPixelCanvas& canvas, const CRect& area)
{
    int white = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            white += canvas.At(x, y) == kWhite ? 1 : 0;
    return white;
}

} // namespace

TEST(FrameBars, SplitterPartsAreFlatDarkBlueAndBordersAsWideAsSet)
{
    CMySpltterWnd splitter;
    splitter.m_cxBorder = 5;
    splitter.m_cyBorder = 2;
    CPixelCanvas canvas(60, 40, kWhite);
    splitter.OnDrawSplitter(&canvas.Dc(), CSplitterWnd::splitBar, CRect(0, 0, 7, 40));
    EXPECT_EQ(canvas.At(0, 0), CMySpltterWnd::kSplitterColor);
    EXPECT_EQ(canvas.At(6, 39), CMySpltterWnd::kSplitterColor);
    EXPECT_EQ(canvas.At(7, 0), kWhite);

    splitter.OnDrawSplitter(&canvas.Dc(), CSplitterWnd::splitBorder, CRect(10, 0, 60, 40));
    const struct {
        int x, y;
        bool dark;
    } points[] = { { 10, 20, true }, { 14, 20, true }, { 15, 20, false }, { 59, 20, true }, { 55, 20, true },
        { 54, 20, false }, { 30, 0, true }, { 30, 1, true }, { 30, 2, false }, { 30, 39, true }, { 30, 38, true },
        { 30, 37, false } };
    for (const auto& p : points)
        EXPECT_EQ(canvas.At(p.x, p.y) == CMySpltterWnd::kSplitterColor, p.dark) << p.x << "," << p.y;

    // Without a device context nothing is drawn and nothing fails.
    splitter.OnDrawSplitter(nullptr, CSplitterWnd::splitIntersection, CRect(0, 0, 5, 5));
}

TEST(FrameBars, StatusBarShowsItsTextWhiteAndCentredOnBlue)
{
    CControlHostWnd host({});
    CMyStatusBar bar;
    ASSERT_TRUE(bar.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
    CPixelCanvas canvas(300, 20, RGB(0, 0, 0));
    const CRect area(0, 0, 300, 20);
    bar.DrawBar(&canvas.Dc(), area);
    EXPECT_EQ(canvas.At(0, 0), CMyStatusBar::kBarColor);
    EXPECT_EQ(canvas.At(299, 19), CMyStatusBar::kBarColor);
    EXPECT_EQ(CountWhite(canvas, area), 0);

    bar.SetStatusText(L"x:12  y:3  w:40  h:20");
    EXPECT_EQ(bar.GetStatusText(), CString(L"x:12  y:3  w:40  h:20"));
    bar.DrawBar(&canvas.Dc(), area);
    EXPECT_GT(CountWhite(canvas, CRect(90, 0, 210, 20)), 20);
    EXPECT_EQ(CountWhite(canvas, CRect(0, 0, 60, 20)), 0); // centred: the ends stay blue
    EXPECT_EQ(CountWhite(canvas, CRect(240, 0, 300, 20)), 0);
}

TEST(FrameBars, TitleBarIsAGreyGradientOnBlueWithAWhiteTitle)
{
    // GDI+ for the title bar, as the program starts it.
    CGdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.Ok());
    CPixelCanvas canvas(200, 20, RGB(0, 0, 0));
    CMyTitleBar::Paint(canvas.Dc().GetSafeHdc(), CRect(0, 0, 200, 20), CString());
    // The top corners are round: the blue shows in the corner pixel.
    EXPECT_EQ(canvas.At(0, 0), CMyTitleBar::kBackColor);
    const COLORREF top = canvas.At(100, 1);
    const COLORREF bottom = canvas.At(100, 19);
    EXPECT_NEAR(GetRValue(top), 137, 8);
    EXPECT_NEAR(GetRValue(bottom), 85, 8);
    EXPECT_EQ(GetRValue(top), GetBValue(top)); // grey
    EXPECT_GT(GetRValue(top), GetRValue(bottom));
    EXPECT_EQ(CountWhite(canvas, CRect(0, 0, 200, 20)), 0);

    CMyTitleBar::Paint(canvas.Dc().GetSafeHdc(), CRect(0, 0, 200, 20), L"Preview");
    EXPECT_GT(CountWhite(canvas, CRect(10, 2, 80, 18)), 10);
    EXPECT_EQ(CountWhite(canvas, CRect(0, 0, 9, 20)), 0); // the title starts 10 pixels in
    EXPECT_EQ(CountWhite(canvas, CRect(120, 0, 200, 20)), 0);

    // Made owner-drawn, whatever style it is given.
    CControlHostWnd host({});
    CMyTitleBar bar;
    ASSERT_TRUE(bar.Create(L"Project", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(0, 0, 200, 20), &host));
    EXPECT_EQ(bar.GetStyle() & SS_TYPEMASK, static_cast<DWORD>(SS_OWNERDRAW));
}

TEST(FrameBars, SliderClickJumpsToThePointAndTellsTheParent)
{
    const struct {
        int x;
        int maximum;
        float expected;
    } cases[] = { { 110, 100, 50.0f }, { 10, 100, 0.0f }, { 210, 100, 100.0f }, { 60, 4, 1.0f }, { 150, 0, 0.0f } };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(CMySlider::ClickPosition(c.x, CRect(10, 5, 210, 9), c.maximum), c.expected) << c.x;
    EXPECT_FLOAT_EQ(CMySlider::ClickPosition(50, CRect(10, 5, 10, 9), 100), 0.0f); // no channel

    CControlHostWnd host({ WM_SLIDER_CLICKED });
    CMySlider slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_NOTICKS, CRect(0, 0, 300, 30), &host, 1000));
    slider.SetRange(0, 100, TRUE);
    slider.SetPos(0);
    CRect channel;
    slider.SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const CPoint middle((channel.left + channel.right) / 2, (channel.top + channel.bottom) / 2);
    slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(middle.x, middle.y));
    EXPECT_NEAR(slider.GetPos(), 50, 1);
    ASSERT_EQ(host.m_seen.size(), 1u);
    EXPECT_NEAR(static_cast<int>(host.m_seen[0].wParam), 50, 1);

    // A project of one frame: position 0, and 0 is sent.
    host.m_seen.clear();
    slider.SetRange(0, 0, TRUE);
    slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(channel.right - 5, middle.y));
    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(channel.right - 5, middle.y));
    EXPECT_EQ(slider.GetPos(), 0);
    ASSERT_EQ(host.m_seen.size(), 1u);
    EXPECT_EQ(host.m_seen[0].wParam, 0u);
}

TEST(FrameBars, DialogBarTurnsSliderClicksIntoSeeks)
{
    CControlHostWnd host({ WM_SEEK_FRAME });
    CMydiallogBar bar;
    ASSERT_TRUE(bar.Create(&host, IDD_PLAYER_BAR, CBRS_ALIGN_BOTTOM, 0xE805));
    EXPECT_EQ(bar.GetDlgCtrlID(), 0xE805);
    bar.SendMessage(WM_SLIDER_CLICKED, 37, 0);
    EXPECT_TRUE(fwtest::PumpUntil([&] { return !host.m_seen.empty(); }, 2000));
    ASSERT_EQ(host.m_seen.size(), 1u);
    EXPECT_EQ(host.m_seen[0].wParam, 37u);
    EXPECT_EQ(host.m_seen[0].lParam, 0);
}
