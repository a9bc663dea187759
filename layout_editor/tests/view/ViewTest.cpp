// The layout view's coordinates without a window: the layout rectangle,
// cells under client points (with snapping to lamps), panning to a cell,
// controller and port numbers, resizing and zoom steps.
#include <gtest/gtest.h>

#include "EditorSettings.h"
#include "PannexView.h"

namespace {

// A view of a model of the given size in a client area, at the fit zoom.
struct ViewFixture {
    CLayoutData model;
    CPannexView view;

    ViewFixture(int width, int height, int clientWidth, int clientHeight)
    {
        AlignToGrid = 1;
        view.AttachModel(&model);
        view.m_clientWidth = clientWidth;
        view.m_clientHeight = clientHeight;
        view.ResizeLayout(width, height);
        model.m_width = width;
        model.m_height = height;
    }
    ~ViewFixture() { view.AttachModel(nullptr); }

    void AddLamp(int port, int x, int y)
    {
        if (model.GetPortCount() == 0)
            model.ResetPorts(2, 64, L"RGB", 0);
        CLPoint p(x, y);
        p.m_normX = (x + 0.5) / model.m_width;
        p.m_normY = (y + 0.5) / model.m_height;
        model.GetPort(port).InsertPoints(&p, 1);
        model.GetPort(port).UpdateBounds();
        model.RebuildUsedPorts();
    }
};

} // namespace

TEST(PannexViewCoordinates, LayoutIsCentredAndShiftedByThePan)
{
    ViewFixture f(10, 8, 120, 80);
    EXPECT_DOUBLE_EQ(f.view.m_zoom, 10.0);
    EXPECT_DOUBLE_EQ(f.view.m_fitZoom, 10.0);
    EXPECT_EQ(f.view.LayoutRectInClient(), CRect(10, 0, 110, 80));
    f.view.m_pan = CPoint(-3, 4);
    EXPECT_EQ(f.view.LayoutRectInClient(), CRect(7, 4, 107, 84));
    // Odd differences divide towards zero.
    EXPECT_EQ(CPannexView::LayoutRectInClient(121, 81, 10.0, CPoint(0, 0)), CRect(10, 0, 110, 80));
    EXPECT_EQ(CPannexView::LayoutRectInClient(50, 50, 2.5, CPoint(0, 0)), CRect(12, 15, 37, 35));
}

TEST(PannexViewCoordinates, CellsUnderClientPoints)
{
    ViewFixture f(10, 8, 120, 80);
    struct Case {
        CPoint client;
        int x, y;
    };
    const Case cases[] = {
        { { 10, 0 }, 0, 0 }, // the layout's left edge
        { { 5, 0 }, -1, 0 }, // half a cell left of it
        { { 9, 0 }, -1, 0 }, { { 19, 9 }, 0, 0 }, { { 20, 10 }, 1, 1 }, { { 109, 79 }, 9, 7 }, { { 110, 80 }, 10, 8 },
        { { 0, -1 }, -2, -1 }, // a whole cell left: the truncation and the minus one add up
    };
    for (const Case& c : cases) {
        const CLPoint p = f.view.PointFromClient(c.client);
        EXPECT_EQ(p.x, c.x) << c.client.x << "," << c.client.y;
        EXPECT_EQ(p.y, c.y) << c.client.x << "," << c.client.y;
    }
    const CLPoint p = f.view.PointFromClient(CPoint(35, 20));
    EXPECT_DOUBLE_EQ(p.m_normX, 25.0 / 100);
    EXPECT_DOUBLE_EQ(p.m_normY, 20.0 / 80);
}

TEST(PannexViewCoordinates, PointsWithinHalfACellSnapToTheLamp)
{
    ViewFixture f(10, 8, 120, 80);
    f.AddLamp(1, 3, 2);
    // A lamp of cell 3 placed near the cell's right edge (client x 49).
    CLPoint& lamp = f.model.GetPort(1).EditPoint(0);
    lamp.m_normX = 0.39;
    lamp.m_layer = 4;
    // Client x 52 lies in cell 4 but within half a cell of the lamp.
    const CLPoint snapped = f.view.PointFromClient(CPoint(52, 25));
    EXPECT_EQ(snapped.x, 3);
    EXPECT_EQ(snapped.y, 2);
    EXPECT_EQ(snapped.m_layer, 4);
    EXPECT_DOUBLE_EQ(snapped.m_normX, 0.39);
    // Half a cell away or more: the plain cell.
    const CLPoint plain = f.view.PointFromClient(CPoint(55, 25));
    EXPECT_EQ(plain.x, 4);
    EXPECT_EQ(plain.m_layer, 0);
    EXPECT_DOUBLE_EQ(plain.m_normX, 0.45);
}

TEST(PannexViewCoordinates, PanToPointPutsTheCellCentreUnderThePoint)
{
    ViewFixture f(10, 8, 120, 80);
    f.view.PanToPoint(CPoint(2, 3), CPoint(60, 40), false);
    // The centre of cell (2, 3) is now at (60, 40).
    const CRect rect = f.view.LayoutRectInClient();
    EXPECT_EQ(rect.left + 2 * 10 + 5, 60);
    EXPECT_EQ(rect.top + 3 * 10 + 5, 40);
    const CLPoint under = f.view.PointFromClient(CPoint(60, 40));
    EXPECT_EQ(under.x, 2);
    EXPECT_EQ(under.y, 3);
}

TEST(PannexViewCoordinates, BarToCardPortWalksTheControllers)
{
    CPannexView view;
    view.m_settings.SetControllers(2, 8);
    struct Case {
        int index, controller, port;
    };
    for (const Case& c : { Case { 0, 1, 1 }, Case { 7, 1, 8 }, Case { 8, 2, 1 }, Case { 15, 2, 8 }, Case { 16, 3, 9 },
             Case { 20, 3, 13 } }) {
        int controller = 0;
        int port = 0;
        view.BarToCardPort(c.index, controller, port);
        EXPECT_EQ(controller, c.controller) << c.index;
        EXPECT_EQ(port, c.port) << c.index;
    }
    // Without controllers every port belongs to the first.
    view.m_settings.SetControllers(0, 8);
    int controller = 0;
    int port = 0;
    view.BarToCardPort(5, controller, port);
    EXPECT_EQ(controller, 1);
    EXPECT_EQ(port, 6);
}

TEST(PannexViewCoordinates, ResizeKeepsCellsOrScalesToThePage)
{
    ViewFixture f(10, 8, 120, 80);
    f.AddLamp(0, 4, 2);
    f.view.m_pan = CPoint(5, 5);
    f.view.ResizeLayout(20, 16);
    const CLPoint& kept = f.model.GetPort(0).GetPoint(0);
    EXPECT_EQ(kept.x, 4);
    EXPECT_EQ(kept.y, 2);
    EXPECT_DOUBLE_EQ(kept.m_normX, 4.5 / 20);
    EXPECT_DOUBLE_EQ(kept.m_normY, 2.5 / 16);
    EXPECT_EQ(LayoutWidth, 20);
    EXPECT_EQ(LayoutHeight, 16);
    EXPECT_DOUBLE_EQ(f.view.m_zoom, 5.0);
    EXPECT_EQ(f.view.m_pan, CPoint(0, 0));
    f.model.m_width = 20;
    f.model.m_height = 16;

    f.view.m_scaleToPage = 1;
    const double fx = kept.m_normX;
    const double fy = kept.m_normY;
    f.view.ResizeLayout(40, 32);
    const CLPoint& scaled = f.model.GetPort(0).GetPoint(0);
    EXPECT_EQ(scaled.x, static_cast<int>(40 * fx));
    EXPECT_EQ(scaled.y, static_cast<int>(32 * fy));
    EXPECT_DOUBLE_EQ(scaled.m_normX, fx);
    EXPECT_EQ(f.model.GetPort(0).GetBounds().left, scaled.x - 1); // bounds are one cell wider

    // A size of 0 has no fit zoom: refused.
    const double zoom = f.view.m_zoom;
    f.view.ResizeLayout(0, 5);
    EXPECT_EQ(LayoutWidth, 40);
    EXPECT_DOUBLE_EQ(f.view.m_zoom, zoom);
}

TEST(PannexViewCoordinates, ZoomStepsLandOnOddWholeNumbersAboveTheFit)
{
    ViewFixture f(10, 8, 120, 80); // fit 10
    f.view.m_currentCell = CLPoint(5, 4);
    f.view.ZoomAt(120, 60, 40);
    EXPECT_DOUBLE_EQ(f.view.m_zoom, 11.0);
    f.view.ZoomAt(120, 60, 40);
    EXPECT_DOUBLE_EQ(f.view.m_zoom, 13.0);
    // The current cell stays under the point.
    const CLPoint under = f.view.PointFromClient(CPoint(60, 40));
    EXPECT_EQ(under.x, 5);
    EXPECT_EQ(under.y, 4);
    f.view.ZoomAt(-120, 60, 40);
    EXPECT_DOUBLE_EQ(f.view.m_zoom, 12.0);
    f.view.ZoomAt(-120, 60, 40);
    f.view.ZoomAt(-120, 60, 40);
    EXPECT_DOUBLE_EQ(f.view.m_zoom, 10.0); // stops at the fit
    f.view.ZoomAt(-120, 60, 40);
    EXPECT_DOUBLE_EQ(f.view.m_zoom, 9.0);
    f.view.m_zoom = 0.2;
    f.view.ZoomAt(-120, 60, 40);
    EXPECT_DOUBLE_EQ(f.view.m_zoom, 0.2);
    f.view.m_zoom = 151;
    f.view.ZoomAt(120, 60, 40);
    EXPECT_DOUBLE_EQ(f.view.m_zoom, 151.0);
}

TEST(PannexViewCoordinates, EditModesClearSelectionAndMarkTheWiredPort)
{
    ViewFixture f(10, 8, 120, 80);
    f.AddLamp(1, 1, 1);
    f.view.m_currentPort = 1;
    f.view.SetEditMode(1);
    EXPECT_EQ(f.model.GetPort(1).m_wiringMark, 1);
    EXPECT_EQ(f.model.GetPort(0).m_wiringMark, 0);
    f.view.m_templateShown = 1;
    f.view.SetEditMode(3);
    EXPECT_EQ(f.view.m_templateShown, 0);
    f.view.m_rotationRunning = 1;
    f.view.SetEditMode(0);
    EXPECT_EQ(f.model.GetPort(1).m_wiringMark, 0);
    EXPECT_EQ(f.view.m_rotationRunning, 0);
    EXPECT_TRUE(f.model.m_selectedPorts.empty());
}

TEST(PannexViewCoordinates, CropMovesLampsToTheCornerAndFitsTheSize)
{
    ViewFixture f(10, 8, 120, 80);
    f.AddLamp(0, 3, 2);
    f.AddLamp(0, 6, 5);
    f.model.m_modified = 0;
    CropLayoutToLamps(f.view, f.model);
    EXPECT_EQ(f.model.m_width, 4);
    EXPECT_EQ(f.model.m_height, 4);
    EXPECT_EQ(f.model.GetPort(0).GetPoint(0).x, 0);
    EXPECT_EQ(f.model.GetPort(0).GetPoint(0).y, 0);
    EXPECT_EQ(f.model.GetPort(0).GetPoint(1).x, 3);
    EXPECT_EQ(f.model.GetPort(0).GetPoint(1).y, 3);
    // Moved lamps and a new size are saved content: closing must ask.
    EXPECT_EQ(f.model.m_modified, 1);

    // No lamps: the layout becomes 1 x 1.
    ViewFixture empty(10, 8, 120, 80);
    CropLayoutToLamps(empty.view, empty.model);
    EXPECT_EQ(empty.model.m_width, 1);
    EXPECT_EQ(empty.model.m_height, 1);
}
