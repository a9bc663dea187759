// Painting the layout into a memory device context: background, grid dots,
// lamps and their masks, selection, overlap markers, connection lines and
// the zoom at which circles give way to lines, checked pixel by pixel.
#include <gtest/gtest.h>

#include "EditorSettings.h"
#include "LabelPlacement.h"
#include "LayoutSelection.h"
#include "PannexTestUtil.h"
#include "PannexView.h"

namespace {

using pannextest::CCanvas;

const COLORREF kGrey = RGB(192, 192, 192);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kMagenta = RGB(255, 0, 255);

// A 10 x 8 layout in a 120 x 80 client area: zoom 10, layout pixels
// x 10..109, y 0..79; cell (x, y) covers (10 + 10x .. 19 + 10x, 10y ..).
struct DrawFixture {
    CLayoutData model;
    CPannexView view;
    CCanvas canvas { 120, 80 };

    DrawFixture()
    {
        AlignToGrid = 1;
        view.AttachModel(&model);
        view.m_clientWidth = 120;
        view.m_clientHeight = 80;
        model.m_width = 10;
        model.m_height = 8;
        view.ResizeLayout(10, 8);
        model.ResetPorts(2, 64, L"RGB", 0);
        view.m_settings.SetControllers(1, 2);
        model.GetPort(0).m_colour = RGB(0, 200, 0);
    }
    ~DrawFixture() { view.AttachModel(nullptr); }

    void Add(int port, int x, int y)
    {
        CLPoint p(x, y);
        p.m_normX = (x + 0.5) / 10;
        p.m_normY = (y + 0.5) / 8;
        model.GetPort(port).InsertPoints(&p, 1);
        model.GetPort(port).UpdateBounds();
        model.RebuildUsedPorts();
    }
    void Draw() { view.DrawLayout(canvas.Dc()); }
    COLORREF At(int x, int y) const { return canvas.At(x, y); }
    // Centre pixel of a cell at zoom 10.
    COLORREF Cell(int x, int y) const { return At(15 + 10 * x, 5 + 10 * y); }
};

} // namespace

TEST(PannexDrawing, BackgroundGridLampsAndLines)
{
    DrawFixture f;
    f.Add(0, 2, 5);
    f.Add(0, 7, 5);
    f.Draw();
    // Outside the layout: light grey with a grid dot at every cell centre.
    EXPECT_EQ(f.At(2, 40), kGrey);
    EXPECT_EQ(f.At(5, 45), RGB(0, 0, 255));
    // Inside: black, dots on the empty cells.
    EXPECT_EQ(f.At(12, 72), kBlack);
    EXPECT_EQ(f.Cell(0, 7), RGB(0, 0, 255));
    // Lamps are white circles outlined in black.
    EXPECT_EQ(f.At(35, 57), kWhite);
    EXPECT_EQ(f.At(85, 57), kWhite);
    EXPECT_EQ(f.At(30, 55), kBlack); // the square's corner is outside the circle
    // The connection line joins the centres in the port's colour.
    EXPECT_EQ(f.At(55, 55), RGB(0, 200, 0));
    EXPECT_EQ(f.At(55, 57), kBlack);
}

TEST(PannexDrawing, NoCirclesOrDotsAtZoomSevenAndBelow)
{
    DrawFixture f;
    f.Add(0, 2, 5);
    f.Add(0, 7, 5);
    f.view.m_zoom = 7.0;
    f.Draw();
    // Zoom 7: layout 70 x 56 at (25, 12); lamp (2, 5) covers 39..45 x 47..53.
    EXPECT_EQ(f.At(42, 52), kBlack);
    EXPECT_EQ(f.At(2, 2), kGrey); // no grid dots
    EXPECT_EQ(f.At(28, 15), kBlack);
    EXPECT_EQ(f.At(60, 50), RGB(0, 200, 0)); // the line is still drawn

    f.view.m_zoom = 7.01;
    f.Draw();
    EXPECT_EQ(f.At(42, 52), kWhite);
}

TEST(PannexDrawing, LinesOffAtLargeZoomButShownAtSmallZoom)
{
    DrawFixture f;
    f.Add(0, 2, 5);
    f.Add(0, 7, 5);
    f.view.m_connectionLines = 0;
    f.Draw();
    EXPECT_EQ(f.At(53, 55), kBlack);
    f.view.m_zoom = 7.0;
    f.Draw();
    EXPECT_EQ(f.At(60, 50), RGB(0, 200, 0));
}

TEST(PannexDrawing, MaskedSelectedAndOverlappingLamps)
{
    DrawFixture f;
    f.Add(0, 1, 1);
    f.Add(0, 4, 1);
    f.Add(1, 8, 6);
    f.view.m_connectionLines = 0;
    f.model.GetPort(0).EditPoint(1).m_masked = 1;
    f.Draw();
    EXPECT_EQ(f.Cell(1, 1), kWhite);
    EXPECT_EQ(f.Cell(4, 1), RGB(100, 100, 100));

    // Port 1 selected: its lamp turns yellow.
    f.model.m_selectedPorts.push_back(1);
    f.model.m_selectionBits.push_back(std::vector<bool> { true });
    f.view.m_overlapMarkers = 1;
    f.view.m_overlapCells.push_back(CPoint(1, 1));
    f.Draw();
    EXPECT_EQ(f.Cell(8, 6), kYellow);
    EXPECT_EQ(f.Cell(1, 1), kMagenta);
    f.model.ClearSelection();
}

TEST(PannexDrawing, FillingPortAtSmallZoomIsOneRectangle)
{
    DrawFixture f;
    for (int y = 2; y < 4; ++y)
        for (int x = 3; x < 6; ++x)
            f.Add(0, x, y);
    ASSERT_TRUE(f.model.GetPort(0).FillsRectangle());
    f.view.m_zoom = 1.0; // layout 10 x 8 at (55, 36)
    f.Draw();
    // Cells (3..5, 2..3) with the cell-centre origin (55, 36):
    // from (55 + 3, 36 + 2) to (55 + 6, 36 + 4), filled.
    EXPECT_EQ(f.At(59, 39), RGB(0, 200, 0));
    EXPECT_EQ(f.At(58, 38), RGB(0, 200, 0));
    EXPECT_EQ(f.At(61, 40), kBlack);
}

TEST(PannexDrawing, ClippedBackgroundImageAndFastRectangle)
{
    DrawFixture f;
    // A 10 x 8 picture: left half red, right half blue.
    CCanvas picture(10, 8);
    const RECT left = { 0, 0, 5, 8 };
    const RECT right = { 5, 0, 10, 8 };
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH blue = ::CreateSolidBrush(RGB(0, 0, 255));
    ::FillRect(picture.Dc()->GetSafeHdc(), &left, red);
    ::FillRect(picture.Dc()->GetSafeHdc(), &right, blue);
    ::DeleteObject(red);
    ::DeleteObject(blue);
    HBITMAP bitmap = static_cast<HBITMAP>(::GetCurrentObject(picture.Dc()->GetSafeHdc(), OBJ_BITMAP));
    ASSERT_TRUE(f.view.SetBackgroundImage(bitmap));
    f.view.m_settings.m_showGrid = 0;
    // The layout starts 40 pixels left of the client: only the picture's
    // right part is stretched onto the visible area.
    f.view.m_pan = CPoint(-50, 0);
    f.Draw();
    EXPECT_EQ(f.At(2, 40), RGB(255, 0, 0)); // picture x 4
    EXPECT_EQ(f.At(20, 40), RGB(0, 0, 255)); // picture x 6
    EXPECT_EQ(f.At(75, 40), kGrey);

    f.view.m_pan = CPoint(0, 0);
    f.view.m_editMode = 3;
    f.view.m_fastWidth = 2;
    f.view.m_fastHeight = 3;
    f.view.m_currentCell = CLPoint(1, 1);
    f.Draw();
    EXPECT_EQ(f.view.m_dragRect, CRect(20, 10, 40, 40));
    EXPECT_EQ(f.At(20, 20), RGB(100, 255, 100));
    EXPECT_EQ(f.At(39, 20), RGB(100, 255, 100));
    f.view.ClearBackgroundImage();
}

TEST(PannexDrawing, NothingWithoutAModel)
{
    CPannexView view;
    view.m_clientWidth = 20;
    view.m_clientHeight = 20;
    CCanvas canvas(20, 20);
    const RECT all = { 0, 0, 20, 20 };
    ::FillRect(canvas.Dc()->GetSafeHdc(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    view.DrawLayout(canvas.Dc());
    EXPECT_EQ(canvas.At(5, 5), kWhite);
}

namespace {

// Rows of ports at zoom 4 (a 50 x 30 layout in 200 x 120 pixels), each
// port's label reaching over the lines of the ports above it; port 6 runs
// down through every row and port 7 fills a rectangle.
struct SelectionScene {
    CLayoutData model;
    CPannexView view;

    SelectionScene()
    {
        AlignToGrid = 1;
        view.AttachModel(&model);
        view.m_clientWidth = 200;
        view.m_clientHeight = 120;
        model.m_width = 50;
        model.m_height = 30;
        view.ResizeLayout(50, 30);
        model.ResetPorts(8, 256, L"RGB", 0);
        view.m_settings.SetControllers(2, 4);
        for (int p = 0; p < 6; ++p) {
            for (int i = 0; i < 30; ++i)
                Add(p, 5 + i + (p % 2) * 8, 3 + 4 * p + (i > 20 ? 1 : 0));
            model.GetPort(p).m_colour = RGB(40 * p, 255 - 30 * p, 120);
        }
        for (int y = 0; y < 30; ++y)
            Add(6, 12, y);
        model.GetPort(6).m_colour = RGB(255, 128, 0);
        for (int y = 20; y < 24; ++y)
            for (int x = 40; x < 46; ++x)
                Add(7, x, y);
        model.GetPort(7).m_colour = RGB(0, 128, 255);
        model.RebuildUsedPorts();
    }
    ~SelectionScene() { view.AttachModel(nullptr); }

    void Add(int port, int x, int y)
    {
        CLPoint p(x, y);
        p.m_normX = (x + 0.5) / 50;
        p.m_normY = (y + 0.5) / 30;
        model.GetPort(port).InsertPoints(&p, 1);
        model.GetPort(port).UpdateBounds();
    }
    void Select(const std::vector<int>& ports)
    {
        model.ClearSelection();
        for (int p : ports)
            SelectPort(model, p);
    }
};

// The pixels where two pictures of the scene differ.
int Differences(const CCanvas& a, const CCanvas& b)
{
    int count = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x)
            count += a.At(x, y) != b.At(x, y) ? 1 : 0;
    return count;
}

} // namespace

// A change of the selection alone is painted from the pictures the last
// full paint kept, and a full paint that keeps them puts the selected
// labels in afterwards: both give the picture of a full paint that keeps
// nothing, whichever ports are chosen before and after.
TEST(PannexDrawing, SelectionChangeDrawsWhatAFullPaintDraws)
{
    const struct {
        std::vector<int> before, after;
    } cases[] = {
        { {}, { 2 } },
        { { 2 }, { 3 } },
        { { 0 }, { 6 } },
        { { 6 }, { 7 } },
        { { 1 }, { 0, 1, 2, 3 } },
        { { 0, 1, 2, 3 }, {} },
    };
    for (const auto& c : cases) {
        SelectionScene scene;
        scene.view.m_zoom = 4.0;
        CCanvas reference(200, 120), kept(200, 120), changed(200, 120);
        scene.Select(c.after);
        scene.view.SetKeepSelectionBase(false);
        scene.view.DrawLayout(reference.Dc());
        scene.view.SetKeepSelectionBase(true);
        scene.view.DrawLayout(kept.Dc());
        EXPECT_EQ(Differences(kept, reference), 0);

        scene.Select(c.before);
        scene.view.DrawLayout(changed.Dc());
        scene.Select(c.after);
        EXPECT_TRUE(scene.view.DrawSelectionChange(changed.Dc()));
        EXPECT_EQ(Differences(changed, reference), 0);
    }
}

// What else changes the picture makes the selection change paint in full.
TEST(PannexDrawing, SelectionChangeAfterOtherChangesPaintsInFull)
{
    SelectionScene scene;
    scene.view.m_zoom = 4.0;
    CCanvas canvas(200, 120);
    scene.view.DrawLayout(canvas.Dc());
    scene.Add(7, 2, 2);
    EXPECT_FALSE(scene.view.DrawSelectionChange(canvas.Dc()));
    EXPECT_TRUE(scene.view.DrawSelectionChange(canvas.Dc()));
    scene.view.m_zoom = 2.0;
    EXPECT_FALSE(scene.view.DrawSelectionChange(canvas.Dc()));
    scene.view.m_zoom = 10.0; // lamps drawn one by one: nothing kept
    scene.view.DrawLayout(canvas.Dc());
    EXPECT_FALSE(scene.view.DrawSelectionChange(canvas.Dc()));
}

TEST(PannexLabelPlacement, LabelsNeverCoverOneAnother)
{
    const CRect client(0, 0, 200, 100);
    auto box = [](int x, int y) { return CRect(CPoint(x, y), CSize(30, 16)); };
    struct Row {
        const char* name;
        std::vector<CRect> wanted;
        std::vector<CRect> placed;
    };
    const CRect none(0, 0, 0, 0);
    const Row rows[] = {
        { "apart, each where wanted", { box(100, 40), box(150, 70) }, { box(100, 40), box(150, 70) } },
        { "a column closer than a label's height goes left", { box(100, 40), box(100, 45), box(100, 50) },
            { box(100, 40), box(68, 45), box(36, 50) } },
        { "a row closer than a label's width goes up", { box(100, 40), box(110, 40) }, { box(100, 40), box(110, 22) } },
        { "cut by the top edge, moved in", { box(100, -10) }, { box(100, 0) } },
        { "cut by the left edge, moved in", { box(-20, 50) }, { box(0, 50) } },
        { "wholly outside, left out", { box(-40, 50), box(100, 120) }, { none, none } },
        { "no free spot within three steps, left out", { box(2, 2), box(2, 3), box(2, 4) }, { box(2, 2), none, none } },
    };
    for (const Row& row : rows) {
        const std::vector<CRect> placed = PlaceLabels(row.wanted, client);
        ASSERT_EQ(placed.size(), row.placed.size()) << row.name;
        for (size_t i = 0; i < placed.size(); ++i)
            EXPECT_EQ(placed[i], row.placed[i]) << row.name << ", label " << i;
    }
}

TEST(PannexDrawing, PortLabelsOfPortsStartingCloseTogetherDoNotOverlap)
{
    // 40 ports starting one row apart, as a light box's rows are, in a
    // client where a row is 5 pixels: labels stacked there would cover one
    // another.
    CLayoutData model;
    CPannexView view;
    AlignToGrid = 1;
    model.m_width = 100;
    model.m_height = 160;
    model.ResetPorts(40, 64, L"RGB", 0);
    for (int p = 0; p < 40; ++p) {
        for (int x = 10; x < 20; ++x) {
            CLPoint lamp(x, 2 + p);
            lamp.m_normX = (x + 0.5) / 100;
            lamp.m_normY = (2 + p + 0.5) / 160;
            model.GetPort(p).InsertPoints(&lamp, 1);
        }
        model.GetPort(p).UpdateBounds();
    }
    model.RebuildUsedPorts();
    view.AttachModel(&model);
    view.m_settings.SetControllers(5, 8);
    view.m_clientWidth = 500;
    view.m_clientHeight = 800;
    view.ResizeLayout(100, 160);
    ASSERT_DOUBLE_EQ(view.m_zoom, 5.0);
    CCanvas canvas(500, 800);
    auto shown = [&] {
        std::vector<CRect> boxes;
        for (int p = 0; p < 40; ++p)
            if (const CRect* box = view.PortLabelBox(p))
                boxes.push_back(*box);
        return boxes;
    };
    view.DrawLayout(canvas.Dc());
    const std::vector<CRect> atFit = shown();
    // Only the column left of the lamps has room: some labels wait for a
    // larger zoom.
    EXPECT_GE(atFit.size(), 8u);
    EXPECT_LT(atFit.size(), 40u);
    for (size_t i = 0; i < atFit.size(); ++i)
        for (size_t j = i + 1; j < atFit.size(); ++j) {
            CRect both;
            EXPECT_FALSE(both.IntersectRect(&atFit[i], &atFit[j])) << i << " and " << j;
        }
    // Each shown label in red pixels where it was put.
    const CRect& first = *view.PortLabelBox(0);
    int red = 0;
    for (int y = first.top; y < first.bottom; ++y)
        for (int x = first.left; x < first.right; ++x)
            red += canvas.At(x, y) == RGB(255, 0, 0) ? 1 : 0;
    EXPECT_GT(red, 10);

    // Zoomed in far enough for a label a row, every port's label is where
    // it always goes: above and left of its first lamp.
    view.m_zoom = 20;
    view.m_pan = CPoint(650, 1210); // the layout's left edge 100 pixels out, its top at 10
    view.DrawLayout(canvas.Dc());
    const CRect L = view.LayoutRectInClient();
    for (int p = 0; p < 10; ++p) {
        const CRect* box = view.PortLabelBox(p);
        ASSERT_NE(box, nullptr) << p;
        EXPECT_EQ(box->TopLeft(), CPoint(L.left + 20 * 10 + 10 - 33, L.top + 20 * (2 + p) + 10 - 18)) << p;
    }
    view.AttachModel(nullptr);
    ResetEditorSettings();
}
