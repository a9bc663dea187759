// The overview thumbnail: placement of the layout in the control, cells
// under control points, the visible-area frame against zoom and pan, ports
// drawn as straight runs (pixels of a memory picture), clicks and drags
// that pan the real view of a running editor, and the thumbnail of the
// running editor following the edits made in its view.
#include "EditWindowFixture.h"

#include "EditorSettings.h"
#include "LShowStatic.h"
#include "PannexResource.h"

using namespace pannextest;

namespace {

const COLORREF kYellow = RGB(255, 255, 0);

int CountYellow(const CCanvas& canvas, int width, int height)
{
    int n = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            n += canvas.At(x, y) == kYellow ? 1 : 0;
    return n;
}

} // namespace

TEST(PannexOverview, LayoutIsScaledToFitAndCentred)
{
    struct Case {
        const char* name;
        int cw, ch, width, height;
        double scale;
        CRect drawn;
    };
    const Case cases[] = {
        { "wide control", 300, 100, 256, 128, 0.78125, CRect(50, 0, 250, 100) },
        { "tall control", 100, 300, 256, 128, 100.0 / 256, CRect(0, 125, 100, 175) },
        { "exact fit", 200, 100, 20, 10, 10.0, CRect(0, 0, 200, 100) },
        { "odd leftover halves toward zero", 101, 50, 10, 10, 5.0, CRect(25, 0, 75, 50) },
        { "no size yet counts as one cell", 40, 40, 0, 0, 40.0, CRect(0, 0, 40, 40) },
    };
    for (const Case& c : cases) {
        const OverviewPlacement p = PlaceOverview(c.cw, c.ch, c.width, c.height);
        EXPECT_DOUBLE_EQ(p.scale, c.scale) << c.name;
        EXPECT_EQ(p.drawn, c.drawn) << c.name;
    }
    // Cells under points: truncation toward zero, so left of the layout
    // gives zero or a negative cell.
    const OverviewPlacement p = PlaceOverview(300, 100, 256, 128);
    EXPECT_EQ(OverviewCellAt(CPoint(50, 0), p), CPoint(0, 0));
    EXPECT_EQ(OverviewCellAt(CPoint(150, 50), p), CPoint(128, 64));
    EXPECT_EQ(OverviewCellAt(CPoint(49, 10), p), CPoint(-1, 12));
    EXPECT_EQ(OverviewCellAt(CPoint(50, 10), p), CPoint(0, 12));
    EXPECT_EQ(OverviewCellAt(CPoint(10, 10), p), CPoint(-51, 12));
    // Lamp pixels: half a cell in only when a cell is two pixels or more.
    EXPECT_EQ(OverviewPixelOf(10, 10, p), CPoint(57, 7));
    EXPECT_EQ(OverviewPixelOf(3, 2, PlaceOverview(200, 100, 20, 10)), CPoint(35, 25));
}

TEST(PannexOverview, ViewFrameCoversTheLayoutAtFitAndShrinksWhenZoomedIn)
{
    const OverviewPlacement p = PlaceOverview(300, 100, 256, 128);
    // A view of the layout's proportions at the fit zoom with no pan: the
    // frame is the drawn rectangle.
    EXPECT_EQ(OverviewViewFrame(640, 320, 300, 100, p, 2.5, 2.5, CPoint(0, 0)), CRect(50, 0, 250, 100));
    // Zoomed in twice as far: half the size, still centred.
    EXPECT_EQ(OverviewViewFrame(640, 320, 300, 100, p, 2.5, 5.0, CPoint(0, 0)), CRect(100, 25, 200, 75));
    // The pan moves the frame the other way.
    const CRect panned = OverviewViewFrame(640, 320, 300, 100, p, 2.5, 5.0, CPoint(64, 0));
    EXPECT_LT(panned.left, 100);
    EXPECT_EQ(panned.Width(), 100);
    // A view narrower than the layout's proportions is stretched to the
    // drawn width first.
    const CRect narrow = OverviewViewFrame(320, 320, 300, 100, p, 2.5, 2.5, CPoint(0, 0));
    EXPECT_EQ(narrow.Width(), 200);
    EXPECT_EQ(narrow.left, 50);
    // No view size, no frame.
    EXPECT_TRUE(OverviewViewFrame(0, 0, 300, 100, p, 1, 1, CPoint(0, 0)).IsRectEmpty());
}

TEST(PannexOverview, PortsAreDrawnAsStraightRuns)
{
    CLayoutData model;
    model.m_width = 20;
    model.m_height = 10;
    const OverviewPlacement p = PlaceOverview(200, 100, 20, 10); // 10 pixels a cell, offset 5
    auto draw = [&](CCanvas& canvas) {
        canvas.Dc()->FillSolidRect(0, 0, 200, 100, RGB(0, 0, 0));
        HPEN pen = ::CreatePen(PS_SOLID, 1, kYellow);
        HGDIOBJ old = ::SelectObject(canvas.Dc()->GetSafeHdc(), pen);
        DrawOverviewPorts(canvas.Dc()->GetSafeHdc(), model, p);
        ::SelectObject(canvas.Dc()->GetSafeHdc(), old);
        ::DeleteObject(pen);
    };

    // One lamp draws nothing.
    AddModelLamp(model, 0, 4, 4);
    CCanvas one(200, 100);
    draw(one);
    EXPECT_EQ(CountYellow(one, 200, 100), 0);

    // Ten lamps in a row, out of order inside the row: one line from the
    // leftmost to the rightmost lamp.
    model.ResetPorts(2, 64, L"RGB", 0);
    for (int x : { 2, 3, 4, 5, 6, 7, 8, 9, 10, 1 })
        AddModelLamp(model, 0, x, 3);
    CCanvas row(200, 100);
    draw(row);
    EXPECT_EQ(CountYellow(row, 200, 100), 90); // pixels 15 .. 104 of row 35
    for (int x = 15; x < 105; ++x)
        EXPECT_EQ(row.At(x, 35), kYellow) << x;

    // An L: down a column, then along a row.
    model.ResetPorts(2, 64, L"RGB", 0);
    for (int y : { 1, 2, 3, 4 })
        AddModelLamp(model, 1, 2, y);
    for (int x : { 3, 4, 5 })
        AddModelLamp(model, 1, x, 4);
    CCanvas corner(200, 100);
    draw(corner);
    EXPECT_EQ(corner.At(25, 15), kYellow); // top of the column
    EXPECT_EQ(corner.At(25, 40), kYellow);
    EXPECT_EQ(corner.At(40, 45), kYellow); // along the row
    EXPECT_EQ(corner.At(54, 45), kYellow);
    EXPECT_NE(corner.At(60, 45), kYellow);
    EXPECT_NE(corner.At(35, 30), kYellow); // nothing cuts the corner
}

TEST(PannexOverview, ClicksAndDragsPanTheRealViewUntilRelease)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    CMainFrame& frame = *s.Frame();
    frame.MoveWindow(0, 0, 900, 500);
    CPannexView& view = *s.View();
    CLayoutData& model = s.Doc()->GetLayout();
    model.m_width = 256;
    model.m_height = 128;
    view.ResizeLayout(256, 128);
    AddModelLamp(model, 0, 10, 10);
    AddModelLamp(model, 0, 200, 10);

    CLShowStatic overview;
    ASSERT_TRUE(overview.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 100), &frame.GetListPane(), 1010));
    overview.SetLayoutSize(256, 128);
    EXPECT_DOUBLE_EQ(overview.GetPlacement().scale, 0.78125);
    EXPECT_EQ(overview.GetPlacement().drawn, CRect(50, 0, 250, 100));
    EXPECT_EQ(overview.GetView(), &view); // the main frame's active view
    ASSERT_NE(overview.GetBackBufferDC(), nullptr);
    EXPECT_EQ(::GetPixel(overview.GetBackBufferDC(), 10, 10), RGB(192, 192, 192));
    EXPECT_EQ(::GetPixel(overview.GetBackBufferDC(), 60, 90), RGB(0, 0, 0));

    // Zooming in makes the view bigger than its window; a click brings the
    // clicked cell to the view's centre.
    view.ZoomAt(120, view.m_clientWidth / 2, view.m_clientHeight / 2);
    view.ZoomAt(120, view.m_clientWidth / 2, view.m_clientHeight / 2);
    const CPoint centre(view.m_clientWidth / 2, view.m_clientHeight / 2);
    overview.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 30));
    const CPoint first = OverviewCellAt(CPoint(100, 30), overview.GetPlacement());
    EXPECT_EQ(overview.GetClickedCell().x, first.x);
    EXPECT_EQ(overview.GetClickedCell().y, first.y);
    CLPoint under = view.PointFromClient(centre);
    EXPECT_EQ(CPoint(under.x, under.y), first);
    EXPECT_TRUE(overview.IsDragging());

    // Dragging keeps panning; after the release moves do nothing.
    overview.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(180, 60));
    const CPoint second = OverviewCellAt(CPoint(180, 60), overview.GetPlacement());
    under = view.PointFromClient(centre);
    EXPECT_EQ(CPoint(under.x, under.y), second);
    overview.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(180, 60));
    EXPECT_FALSE(overview.IsDragging());
    const CPoint pan = view.m_pan;
    overview.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(60, 20));
    EXPECT_EQ(view.m_pan, pan);
    overview.DestroyWindow();
}

TEST_F(PannexEditWindowTest, TheOverviewShowsEachEditButMouseMovesDoNotRepaintIt)
{
    fwtest::CScriptedUiHost host;
    CMainFrame& frame = *m_session->Frame();
    ASSERT_NE(frame.GetListPanel(), nullptr);
    CLShowStatic& overview = *frame.GetListPanel()->GetOverview();
    auto back = [&] { return overview.GetBackBufferDC(); };
    auto yellowAt = [&](int x, int y) {
        const CPoint p = OverviewPixelOf(x, y, overview.GetPlacement());
        return ::GetPixel(back(), p.x, p.y) == kYellow;
    };

    // Two lamps wired with the mouse: the thumbnail shows the line at once.
    m_view->SetEditMode(1);
    Click(2, 3);
    Click(8, 3);
    ASSERT_EQ(Model().GetPort(0).GetCount(), 2);
    ASSERT_NE(back(), nullptr);
    EXPECT_TRUE(yellowAt(2, 3));
    EXPECT_TRUE(yellowAt(5, 3));
    EXPECT_TRUE(yellowAt(7, 3)); // a line ends before its last pixel

    // Moving the mouse redraws the view but leaves the thumbnail as it is:
    // a mark put into its picture stays.
    const COLORREF mark = RGB(1, 2, 3);
    ::SetPixel(back(), 0, 0, mark);
    ASSERT_EQ(::GetPixel(back(), 0, 0), mark);
    Send(WM_MOUSEMOVE, 12, 6);
    Send(WM_MOUSEMOVE, 14, 7);
    m_view->Redraw();
    EXPECT_EQ(::GetPixel(back(), 0, 0), mark);

    // Undo from the frame's menu takes the line away again.
    fwtest::SendCommand(frame, ID_EDIT_UNDO);
    EXPECT_EQ(Model().GetPort(0).GetCount(), 1);
    EXPECT_FALSE(yellowAt(5, 3));
    EXPECT_NE(::GetPixel(back(), 0, 0), mark);

    // Cropping changes the layout's size: the thumbnail takes it.
    Click(6, 7);
    host.ExpectMessageBox(IDYES);
    fwtest::SendCommand(frame, ID_VIEW_CROP_BORDER);
    EXPECT_EQ(overview.GetLayoutWidth(), LayoutWidth);
    EXPECT_EQ(overview.GetLayoutHeight(), LayoutHeight);
    EXPECT_LT(LayoutWidth, 20);
}
