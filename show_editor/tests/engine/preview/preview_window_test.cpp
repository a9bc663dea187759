// The dot-matrix preview window in a real window: the dot pattern for each
// dot layout type and zoom (full grid or one dot per lamp of the layout),
// the frame stretched under the dots, the background ORed over them, the
// visible part, and the tracker or lock frame of the selected view.
#include "dornel_doc.h"
#include "../engine_test_support.h"
#include "fw_testing.h"
#include "preview_test_windows.h"
#include "preview_window.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

using enginetest::Canvas;
using previewtest::CHostWindow;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Canvas size of a frame at a zoom the way the engine lays it out.
CSize CanvasSizeFor(int frameWidth, int frameHeight, int zoom, int type, int gap)
{
    int w = zoom * frameWidth / 100;
    int h = zoom * frameHeight / 100;
    if (zoom > 100) {
        if (type != 3)
            h += gap * frameHeight;
        if (type != 2)
            w += gap * frameWidth;
    }
    return CSize(w, h);
}

class PreviewWindow : public testing::Test {
protected:
    PreviewWindow()
        : m_host(previewtest::SharedHost())
    {
        m_canvas.SetDocument(&m_doc);
        m_canvas.SetFrameMutex(&m_mutex);
        m_canvas.SetGeometrySource([this] { return m_geometry; });
    }
    ~PreviewWindow() override
    {
        if (m_canvas.GetSafeHwnd() != nullptr)
            m_canvas.DestroyWindow();
    }

    // Lays the canvas out for a frameWidth x frameHeight project at the zoom,
    // at (x, y) of the host, and sizes it (which builds the layers and mask).
    void Layout(int frameWidth, int frameHeight, int zoom, int type, int gap, int x = 10, int y = 10)
    {
        const CSize size = CanvasSizeFor(frameWidth, frameHeight, zoom, type, gap);
        m_geometry = { static_cast<int>(size.cx), static_cast<int>(size.cy), zoom, type, gap };
        m_doc.m_projectSettings.m_layoutType = type;
        m_doc.m_projectSettings.m_width = frameWidth;
        m_doc.m_projectSettings.m_height = frameHeight;
        const CRect rect(x, y, x + size.cx, y + size.cy);
        if (m_canvas.GetSafeHwnd() == nullptr) {
            ASSERT_TRUE(m_canvas.CreateCanvas(&m_host, rect));
        }
        m_canvas.MoveWindow(&rect);
        // Same size again sends no WM_SIZE: ask for the rebuild directly.
        m_canvas.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(size.cx, size.cy));
    }

    void AddLamp(int x, int y)
    {
        auto* point = new S_PixPoint;
        point->x = x;
        point->y = y;
        m_doc.m_pixels.Add(point);
    }

    COLORREF Mask(int x, int y) { return m_canvas.GetDotMaskDC()->GetPixel(x, y); }
    COLORREF Composed(int x, int y) { return m_canvas.GetCompositionDC()->GetPixel(x, y); }

    // Every mask pixel against expectWhite(x, y); reports the first mismatch.
    void ExpectMask(const std::function<bool(int, int)>& expectWhite)
    {
        for (int y = 0; y < m_geometry.canvasHeight; ++y) {
            for (int x = 0; x < m_geometry.canvasWidth; ++x) {
                const COLORREF want = expectWhite(x, y) ? kWhite : kBlack;
                if (Mask(x, y) != want) {
                    ADD_FAILURE() << "mask pixel " << x << "," << y << " is " << enginetest::Show(Mask(x, y));
                    return;
                }
            }
        }
    }

    int CountWhite()
    {
        int count = 0;
        for (int y = 0; y < m_geometry.canvasHeight; ++y)
            for (int x = 0; x < m_geometry.canvasWidth; ++x)
                count += Mask(x, y) == kWhite ? 1 : 0;
        return count;
    }

    void Paint()
    {
        m_canvas.Invalidate(FALSE);
        m_canvas.UpdateWindow();
    }

    // Frame pixel colours that differ in every channel and are never black.
    static COLORREF FrameColour(int x, int y) { return RGB(40 + 20 * x, 60 + 30 * y, 200 - 10 * x); }

    CHostWindow& m_host;
    CDornelDoc m_doc;
    CMutex m_mutex;
    CCanvas m_canvas;
    CanvasGeometry m_geometry;
};

TEST_F(PreviewWindow, FullGridAtEachLayoutType)
{
    struct Case {
        int zoom;
        int type;
        int gap;
        std::function<bool(int, int)> white;
        const char* what;
    };
    const Case cases[] = {
        { 400, 1, 1, [](int x, int y) { return x % 5 < 4 && y % 5 < 4; }, "4 x 4 squares every 5 pixels" },
        { 100, 0, 1, [](int, int) { return true; }, "every pixel a 1 x 1 dot, no gap at 100 %" },
        { 50, 1, 1, [](int, int) { return true; }, "1-pixel dots at 50 %" },
        { 400, 2, 1, [](int, int y) { return y % 5 < 4; }, "full-width rows of 4 with dark lines" },
        { 400, 3, 1, [](int x, int) { return x % 5 < 4; }, "full-height columns of 4" },
        { 200, 1, 2, [](int x, int y) { return x % 4 < 2 && y % 4 < 2; }, "2 x 2 squares with a gap of 2" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Layout(10, 5, c.zoom, c.type, c.gap);
        ExpectMask(c.white);
    }

    // 250 %: dots of 2 at positions 0, 3, 6, 9 ... (3.5 truncated as it adds up).
    Layout(10, 5, 250, 1, 1);
    for (int x = 0; x < 20; ++x) {
        const bool white = x % 3 < 2;
        EXPECT_EQ(Mask(x, 0), white ? kWhite : kBlack) << x;
    }
}

TEST_F(PreviewWindow, RoundDotsAboveOneHundredPercent)
{
    // 800 %: an 8 x 8 round stamp every 9 pixels.
    Layout(4, 3, 800, 0, 1);
    for (int cell = 0; cell < 3; ++cell) {
        const int x = cell * 9;
        EXPECT_EQ(Mask(x + 4, 4), kWhite);
        EXPECT_EQ(Mask(x, 0), kBlack);
        EXPECT_EQ(Mask(x + 7, 7), kBlack);
        EXPECT_EQ(Mask(x + 8, 4), kBlack); // the gap
    }
    // 300 %: outlined 3 x 3 dots every 4 pixels: the corners stay dark.
    Layout(4, 3, 300, 0, 1);
    for (int cell = 0; cell < 3; ++cell) {
        const int x = cell * 4;
        EXPECT_EQ(Mask(x, 0), kBlack);
        EXPECT_EQ(Mask(x + 2, 2), kBlack);
        EXPECT_EQ(Mask(x + 3, 1), kBlack);
    }
}

TEST_F(PreviewWindow, LayoutLampsLightOnlyTheirDots)
{
    AddLamp(0, 0);
    AddLamp(3, 1);
    AddLamp(9, 4);
    m_doc.m_projectSettings.m_layoutMask = 1;
    m_doc.m_listSelector = 2;
    Layout(10, 5, 400, 1, 1);
    ExpectMask([](int x, int y) {
        auto in = [&](int dx, int dy) { return x >= dx && x < dx + 4 && y >= dy && y < dy + 4; };
        return in(0, 0) || in(15, 5) || in(45, 20);
    });

    // Without the layout-mask flag the full grid shows.
    m_doc.m_projectSettings.m_layoutMask = 0;
    m_canvas.RedrawDotMask();
    EXPECT_EQ(CountWhite(), 10 * 5 * 16);
}

TEST_F(PreviewWindow, LayoutLampsAtHalfZoomSitAtHalfTheirPlace)
{
    AddLamp(4, 2);
    AddLamp(7, 3);
    Layout(10, 6, 50, 1, 1);
    ExpectMask([](int x, int y) { return (x == 2 && y == 1) || (x == 3 && y == 1); });
}

TEST_F(PreviewWindow, LampsOutsideTheCanvasAreLeftOut)
{
    AddLamp(9, 4); // the last dot that fits
    AddLamp(10, 0); // one dot past the right edge
    AddLamp(0, 5);
    AddLamp(-3, 1);
    AddLamp(100000, 100000);
    Layout(10, 5, 400, 1, 1);
    EXPECT_EQ(CountWhite(), 16);
    EXPECT_EQ(Mask(45, 20), kWhite);
}

TEST_F(PreviewWindow, RowsAndColumnsPlaceLampsByTheirPitch)
{
    AddLamp(2, 1);
    Layout(10, 5, 400, 2, 1); // rows: pitch 4 across, 5 down
    ExpectMask([](int x, int y) { return x >= 8 && x < 12 && y >= 5 && y < 9; });
    Layout(10, 5, 400, 3, 1); // columns: pitch 5 across, 4 down
    ExpectMask([](int x, int y) { return x >= 10 && x < 14 && y >= 4 && y < 8; });
}

TEST_F(PreviewWindow, MaskedLampsOfThePixelMapStayDark)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const CString path = CString(temp) + L"preview_masked.pix";
    FILE* file = _wfopen(path, L"wb");
    ASSERT_NE(file, nullptr);
    // Lamp (1, 0) is masked (third field); (2, 0) and (3, 1) are lit.
    fputs("10,5,\r\r\nC1P1,3,RGB\r\r\n2,0,0,0\r\r\n1,0,1,0\r\r\n3,1,0,0\r\r\n", file);
    fclose(file);
    m_doc.m_opening = 1; // no lamp-count message box
    m_doc.LoadLayoutPixels(path);
    ::DeleteFileW(path);
    ASSERT_EQ(m_doc.m_pixels.GetSize(), 2);

    Layout(10, 5, 400, 1, 1);
    EXPECT_EQ(Mask(11, 1), kWhite);
    EXPECT_EQ(Mask(16, 6), kWhite);
    EXPECT_EQ(Mask(6, 1), kBlack); // the masked lamp
    EXPECT_EQ(CountWhite(), 2 * 16);
}

TEST_F(PreviewWindow, EmptyPixelMapShowsTheFullGrid)
{
    m_doc.m_projectSettings.m_layoutMask = 1;
    Layout(8, 4, 400, 1, 1);
    EXPECT_EQ(CountWhite(), 8 * 4 * 16);
}

TEST_F(PreviewWindow, OtherLayoutTypesDrawNoDots)
{
    Layout(8, 4, 400, 7, 1);
    EXPECT_EQ(CountWhite(), 0);
}

TEST_F(PreviewWindow, NegativeGapStillEnds)
{
    Layout(8, 4, 400, 1, 0);
    m_geometry.dotGap = -9;
    m_canvas.BuildDotMask(1);
    EXPECT_GT(CountWhite(), 0);
}

TEST_F(PreviewWindow, PlayingFrameIsScaledUnderTheDots)
{
    Canvas frame(10, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x)
            frame.dc()->SetPixel(x, y, FrameColour(x, y));
    Layout(10, 5, 400, 1, 1);
    m_canvas.SetFrame(frame.dc(), 10, 5);
    m_doc.m_playState = PLAY_PLAYING;
    Paint();

    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(Composed(5 * x, 5 * y), FrameColour(x, y)) << x << "," << y;
            EXPECT_EQ(Composed(5 * x + 3, 5 * y + 3), FrameColour(x, y)) << x << "," << y;
            EXPECT_EQ(Composed(5 * x + 4, 5 * y + 1), kBlack) << x << "," << y; // the gap
        }
    }
}

TEST_F(PreviewWindow, FrameAtHundredPercentEqualsThePreview)
{
    Canvas frame(12, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 12; ++x)
            frame.dc()->SetPixel(x, y, FrameColour(x, y));
    Layout(12, 6, 100, 0, 1);
    m_canvas.SetFrame(frame.dc(), 12, 6);
    for (int state : { PLAY_PLAYING, PLAY_PAUSED }) {
        m_doc.m_playState = state;
        Paint();
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(Composed(x, y), FrameColour(x, y)) << x << "," << y << " state " << state;
    }
}

TEST_F(PreviewWindow, PausedShowsTheLastFrameUnlessStale)
{
    Canvas frame(10, 5, RGB(200, 100, 50));
    Layout(10, 5, 400, 1, 1);
    m_doc.m_playState = PLAY_PAUSED;

    // No frame yet: bare dots.
    Paint();
    EXPECT_EQ(Composed(1, 1), kWhite);
    EXPECT_EQ(Composed(4, 1), kBlack);

    m_canvas.SetFrame(frame.dc(), 10, 5);
    Paint();
    EXPECT_EQ(Composed(1, 1), RGB(200, 100, 50));
    EXPECT_EQ(Composed(4, 1), kBlack);

    m_canvas.SetFrameStale(TRUE);
    Paint();
    EXPECT_EQ(Composed(1, 1), kWhite);

    // A handle of -1 is no frame either.
    m_canvas.SetFrameStale(FALSE);
    m_canvas.SetFrame(reinterpret_cast<CDC*>(-1), 10, 5);
    Paint();
    EXPECT_EQ(Composed(1, 1), kWhite);
}

TEST_F(PreviewWindow, BackgroundIsOredOverDotsAndGaps)
{
    const std::wstring image = enginetest::WriteImage(
        L"preview_background.bmp", 8, 8, enginetest::ImageFormat::Bmp, [](int, int) { return RGB(0, 0, 128); });
    Canvas frame(10, 5, RGB(100, 60, 0));
    Layout(10, 5, 400, 1, 1);
    m_canvas.SetFrame(frame.dc(), 10, 5);
    m_doc.m_playState = PLAY_PLAYING;
    m_canvas.LoadBackground(image.c_str());
    EXPECT_EQ(m_canvas.GetBackgroundPath(), CString(image.c_str()));
    Paint();
    EXPECT_EQ(Composed(1, 1), RGB(100, 60, 128)); // dot: frame OR background
    EXPECT_EQ(Composed(4, 1), RGB(0, 0, 128)); // gap: background only

    // A new size redraws the background at that size.
    Layout(10, 5, 200, 1, 1);
    Paint();
    EXPECT_EQ(Composed(2, 1), RGB(0, 0, 128));

    // Clearing the background takes it away at once.
    m_canvas.LoadBackground(L"");
    Paint();
    EXPECT_EQ(Composed(2, 1), kBlack);
    EXPECT_EQ(Composed(0, 0), RGB(100, 60, 0));
}

TEST_F(PreviewWindow, BackgroundChosenBeforeTheLayersIsDrawnWithThem)
{
    const std::wstring image = enginetest::WriteImage(
        L"preview_early.bmp", 4, 4, enginetest::ImageFormat::Bmp, [](int, int) { return RGB(0, 128, 0); });
    m_canvas.LoadBackground(image.c_str());
    Layout(10, 5, 400, 1, 1);
    Paint();
    EXPECT_EQ(Composed(4, 4), RGB(0, 128, 0));
}

TEST_F(PreviewWindow, VisiblePartSnapsToWholeDots)
{
    // Canvas inside the engine window: the whole canvas, snapped.
    Layout(10, 5, 400, 1, 1, 10, 10); // 50 x 25, pitch for snapping 6
    EXPECT_EQ(m_canvas.VisibleDotRect(), CRect(0, 0, 2 * 6 + 48, 2 * 6 + 24));

    // Canvas larger than the engine window and panned up and left: the part
    // under the engine window, moved to whole dots.
    Layout(100, 80, 400, 1, 1, -37, -45); // 500 x 400
    CRect expected;
    expected.left = 37 - 37 % 6;
    expected.right = expected.left + 12 + (700 + 37 - expected.left) / 6 * 6;
    expected.top = 45 - 45 % 6;
    expected.bottom = expected.top + 12 + (500 + 45 - expected.top) / 6 * 6;
    EXPECT_EQ(m_canvas.VisibleDotRect(), expected);
}

TEST_F(PreviewWindow, PanningShowsTheFramePartUnderTheEngineWindow)
{
    Canvas frame(200, 150);
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x)
            frame.dc()->SetPixel(x, y, RGB(x, y, 7));
    Layout(200, 150, 400, 1, 1, -300, -200); // 1000 x 750
    m_canvas.SetFrame(frame.dc(), 200, 150);
    m_doc.m_playState = PLAY_PLAYING;
    Paint();
    // Dot (70, 50) of the frame lies at canvas (350, 250), inside the view.
    EXPECT_EQ(Composed(351, 251), RGB(70, 50, 7));
    EXPECT_EQ(Composed(354, 251), kBlack);
}

TEST_F(PreviewWindow, TrackerFollowsTheSelectedView)
{
    QvSegmentGourp* segment = m_doc.NewSegment(TRUE, FALSE);
    ASSERT_NE(segment, nullptr);
    ASSERT_GE(segment->m_views.GetSize(), 1);
    ProgramView* view = segment->m_views.GetAt(0);
    view->m_canvasRect.SetRect(5, 5, 30, 20);
    NodeInfo node(1, 1, L"View_01", NODE_VIEW);
    m_doc.m_pCurrentViewNode = &node;
    m_doc.m_regionEditing = 0;
    Layout(10, 5, 400, 1, 1);

    m_canvas.SetTrackerVisible(TRUE);
    Paint();
    EXPECT_EQ(m_canvas.Tracker().m_rect, CRect(5, 5, 30, 20));

    m_canvas.SetTrackerVisible(FALSE);
    Paint();
    EXPECT_TRUE(m_canvas.Tracker().m_rect.IsRectEmpty());

    // While the document edits a region the tracker is left alone.
    m_canvas.Tracker().m_rect.SetRect(1, 2, 3, 4);
    m_doc.m_regionEditing = 1;
    Paint();
    EXPECT_EQ(m_canvas.Tracker().m_rect, CRect(1, 2, 3, 4));

    // A node that names no view does not move the tracker.
    m_doc.m_regionEditing = 0;
    NodeInfo missing(4, 9, L"View_09", NODE_VIEW);
    m_doc.m_pCurrentViewNode = &missing;
    m_canvas.SetTrackerVisible(TRUE);
    Paint();
    EXPECT_EQ(m_canvas.Tracker().m_rect, CRect(1, 2, 3, 4));
    m_doc.m_pCurrentViewNode = nullptr;
}

TEST_F(PreviewWindow, LockedViewGetsABlueFrameOnScreen)
{
    QvSegmentGourp* segment = m_doc.NewSegment(TRUE, FALSE);
    ProgramView* view = segment->m_views.GetAt(0);
    view->m_canvasRect.SetRect(10, 5, 40, 20);
    view->m_areaLocked = 1;
    NodeInfo node(1, 1, L"View_01", NODE_VIEW);
    m_doc.m_pCurrentViewNode = &node;
    m_doc.m_playState = PLAY_STOPPED;
    Layout(10, 5, 400, 1, 1);
    m_canvas.SetTrackerVisible(FALSE);
    Paint();
    CClientDC screen(&m_canvas);
    const bool blueEdge = screen.GetPixel(9, 12) == RGB(0, 0, 255) || screen.GetPixel(10, 12) == RGB(0, 0, 255);
    EXPECT_TRUE(blueEdge);
    EXPECT_EQ(screen.GetPixel(25, 12), Composed(25, 12)); // inside: the dots
    m_doc.m_pCurrentViewNode = nullptr;
}

TEST_F(PreviewWindow, NoLayersWithoutACanvasSize)
{
    m_geometry = {};
    ASSERT_TRUE(m_canvas.CreateCanvas(&m_host, CRect(0, 0, 30, 30)));
    m_canvas.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 30));
    EXPECT_EQ(m_canvas.GetDotMaskDC(), nullptr);
    EXPECT_EQ(m_canvas.GetCompositionDC(), nullptr);
    Paint(); // draws a plain rectangle; must not fail
    m_canvas.RedrawDotMask();
    m_canvas.LoadBackground(L"none.bmp");
    EXPECT_EQ(m_canvas.GetBackgroundPath(), CString(L"none.bmp"));
}

TEST_F(PreviewWindow, ReleasesItsGdiObjects)
{
    const DWORD before = enginetest::GdiObjectCount();
    {
        CCanvas canvas;
        canvas.SetDocument(&m_doc);
        canvas.SetFrameMutex(&m_mutex);
        CanvasGeometry geometry { 80, 40, 400, 1, 1 };
        canvas.SetGeometrySource([&] { return geometry; });
        ASSERT_TRUE(canvas.CreateCanvas(&m_host, CRect(0, 0, 80, 40)));
        for (int i = 0; i < 3; ++i)
            canvas.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(80, 40));
        canvas.Invalidate();
        canvas.UpdateWindow();
        canvas.DestroyWindow();
    }
    EXPECT_LE(enginetest::GdiObjectCount(), before);
}

} // namespace

namespace {

// Not part of the run: shows a preview on screen for a person to look at
// (a screenshot), with --gtest_also_run_disabled_tests.
TEST(PreviewShowcase, DISABLED_ShowsDotsOnScreen)
{
    CHostWindow host(20, 20, 480, 280, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE);
    host.SetWindowText(L"Dot-matrix preview");
    CDornelDoc doc;
    doc.m_playState = PLAY_PLAYING;
    QvSegmentGourp* segment = doc.NewSegment(TRUE, FALSE);
    segment->m_views.GetAt(0)->m_canvasRect.SetRect(90, 45, 270, 135);
    NodeInfo node(1, 1, L"View_01", NODE_VIEW);
    doc.m_pCurrentViewNode = &node;
    CMutex mutex;
    Canvas frame(50, 25);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 50; ++x)
            frame.dc()->SetPixel(x, y, RGB(255 * x / 49, 255 * y / 24, 255 - 255 * x / 49));
    CCanvas canvas;
    canvas.SetDocument(&doc);
    canvas.SetFrameMutex(&mutex);
    const CanvasGeometry geometry { 450, 225, 800, 0, 1 };
    canvas.SetGeometrySource([&] { return geometry; });
    canvas.SetFrame(frame.dc(), 50, 25);
    canvas.SetTrackerVisible(TRUE);
    ASSERT_TRUE(canvas.CreateCanvas(&host, CRect(5, 5, 455, 230)));
    canvas.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(450, 225));
    canvas.Invalidate();
    fwtest::PumpUntil([] { return false; }, 6000);
    doc.m_pCurrentViewNode = nullptr;
}

} // namespace
