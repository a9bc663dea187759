// Dropping the generated grid of lamps (edit mode 2): the start corner, the
// repeat directions with their gaps, filling to the end with the wrap to
// the next column, the message naming the first port left without the
// grid, the emptied undo history, and grids, drop cells and gaps of any
// size placing nothing off the layout.
#include "EditFixture.h"

#include <climits>

#include "FormatCheck.h"
#include "LayoutAddPoints.h"
#include "LayoutLangText.h"
#include "fw_testing.h"

using edittest::EditFixture;

namespace {

struct DropTest : EditFixture {
    fwtest::CScriptedUiHost ui;

    // The generated grid: cells relative to (0, 0), normalised x / size.
    void Grid(std::initializer_list<CPoint> cells)
    {
        std::vector<CLPoint> points;
        for (const CPoint& c : cells) {
            CLPoint p(c.x, c.y);
            p.m_normX = static_cast<double>(c.x) / model.m_width;
            p.m_normY = static_cast<double>(c.y) / model.m_height;
            points.push_back(p);
        }
        const int n = static_cast<int>(points.size());
        model.SetFloatingPoints(std::move(points), n);
    }
    // A 2 x 2 grid starting in a corner.
    void TopLeft() { Grid({ { 0, 0 }, { 1, 0 }, { 1, 1 }, { 0, 1 } }); }
    void BottomLeft() { Grid({ { 0, 1 }, { 1, 1 }, { 1, 0 }, { 0, 0 } }); }
    void TopRight() { Grid({ { 1, 0 }, { 0, 0 }, { 0, 1 }, { 1, 1 } }); }
    void BottomRight() { Grid({ { 1, 1 }, { 0, 1 }, { 0, 0 }, { 1, 0 } }); }

    CPoint FirstCell(int port) const
    {
        const LayoutPort& p = model.GetPort(port);
        return p.GetCount() > 0 ? CPoint(p.GetPoint(0).x, p.GetPoint(0).y) : CPoint(-1, -1);
    }
    CString NotPlacedMessage(int controller, int port) const
    {
        return GetLangText(L"LAYOUT", 174) + L"\r\n"
            + FormatCheckedText(GetLangText(L"LAYOUT", 175), L"Controller %d, port %d", "dd", controller, port);
    }
};

} // namespace

TEST_F(DropTest, TheFirstLampGoesToTheDropCellFromItsCorner)
{
    struct Case {
        const char* name;
        void (DropTest::*grid)();
        int style;
        CPoint drop;
        std::vector<CPoint> cells;
    };
    const Case cases[] = {
        { "top left", &DropTest::TopLeft, 1, { 5, 5 }, { { 5, 5 }, { 6, 5 }, { 6, 6 }, { 5, 6 } } },
        { "bottom right, upwards", &DropTest::BottomRight, 2, { 5, 5 }, { { 5, 5 }, { 4, 5 }, { 4, 4 }, { 5, 4 } } },
        // Downwards the bottom corner is not taken: the grid hangs from the row.
        { "bottom right, downwards", &DropTest::BottomRight, 1, { 5, 5 }, { { 5, 6 }, { 4, 6 }, { 4, 5 }, { 5, 5 } } },
        // To the right the right corner is not taken.
        { "top right, rightwards", &DropTest::TopRight, 3, { 5, 5 }, { { 6, 5 }, { 5, 5 }, { 5, 6 }, { 6, 6 } } },
        { "top right, leftwards", &DropTest::TopRight, 4, { 5, 5 }, { { 5, 5 }, { 4, 5 }, { 4, 6 }, { 5, 6 } } },
        { "right edge", &DropTest::TopLeft, 1, { 18, 14 }, { { 18, 14 }, { 19, 14 }, { 19, 15 }, { 18, 15 } } },
        { "one cell too far", &DropTest::TopLeft, 1, { 19, 5 }, {} },
        { "above the layout", &DropTest::BottomRight, 2, { 5, 0 }, {} },
    };
    for (const Case& c : cases) {
        Setup(20, 16, 4, 64);
        (this->*c.grid)();
        GridDropOptions options;
        options.style = c.style;
        EXPECT_EQ(view.DropTemplate(false, c.drop, options), 1) << c.name;
        EXPECT_EQ(Cells(0), c.cells) << c.name;
        const LayoutPort& port = model.GetPort(0);
        for (int i = 0; i < port.GetCount(); ++i)
            EXPECT_NEAR(port.GetPoint(i).m_normX, (port.GetPoint(i).x + 0.5) / 20, 1e-9) << c.name;
    }
    // Nothing to drop: 0, mode 2 stays.
    model.ClearFloatingPoints();
    EXPECT_EQ(view.DropTemplate(false, CPoint(5, 5), GridDropOptions()), 0);
}

TEST_F(DropTest, RepeatFillsTheFollowingPortsOfTheController)
{
    struct Case {
        const char* name;
        void (DropTest::*grid)();
        int style, columnGap, rowGap;
        CPoint drop;
        std::vector<CPoint> firsts; // first lamp of ports 0 to 3
    };
    const Case cases[] = {
        { "down with a row gap", &DropTest::TopLeft, 1, 0, 1, { 0, 0 }, { { 0, 0 }, { 0, 3 }, { 0, 6 }, { 0, 9 } } },
        { "up from the bottom", &DropTest::BottomLeft, 2, 0, 0, { 3, 15 },
            { { 3, 15 }, { 3, 13 }, { 3, 11 }, { 3, 9 } } },
        { "right with a column gap", &DropTest::TopLeft, 3, 2, 0, { 0, 4 },
            { { 0, 4 }, { 4, 4 }, { 8, 4 }, { 12, 4 } } },
        { "left from the right", &DropTest::TopRight, 4, 1, 0, { 19, 0 },
            { { 19, 0 }, { 16, 0 }, { 13, 0 }, { 10, 0 } } },
        // A direction the corner does not lead to places nothing.
        { "up from a top corner", &DropTest::TopLeft, 2, 0, 0, { 3, 8 },
            { { -1, -1 }, { -1, -1 }, { -1, -1 }, { -1, -1 } } },
        { "left from a left corner", &DropTest::TopLeft, 4, 0, 0, { 8, 3 },
            { { -1, -1 }, { -1, -1 }, { -1, -1 }, { -1, -1 } } },
    };
    for (const Case& c : cases) {
        Setup(20, 16, 4, 64);
        (this->*c.grid)();
        GridDropOptions options;
        options.style = c.style;
        options.columnGap = c.columnGap;
        options.rowGap = c.rowGap;
        options.repeat = true;
        EXPECT_EQ(view.DropTemplate(true, c.drop, options), 1) << c.name;
        for (int p = 0; p < 4; ++p)
            EXPECT_EQ(FirstCell(p), c.firsts[static_cast<size_t>(p)]) << c.name << " port " << p;
        // No message: the controller's ports were all filled (or none was due).
        EXPECT_TRUE(ui.Transcript().empty()) << c.name;
    }
}

TEST_F(DropTest, AGridThatNoLongerFitsNamesTheFirstPortLeftWithoutIt)
{
    Setup(6, 16, 8, 64);
    view.m_settings.SetControllers(2, 4);
    view.m_currentPort = 1;
    TopLeft();
    GridDropOptions options;
    options.style = 3;
    options.repeat = true;
    options.toEnd = true;
    // Ports 1, 2 and 3 fit at x 0, 2 and 4; port 4 is the first of
    // controller 2.
    ui.ExpectMessageBox(IDOK, NotPlacedMessage(2, 1));
    EXPECT_EQ(view.DropTemplate(true, CPoint(0, 0), options), 1);
    EXPECT_EQ(FirstCell(3), CPoint(4, 0));
    EXPECT_EQ(model.GetPort(4).GetCount(), 0);
    EXPECT_EQ(ui.PendingCount(), 0u);

    // Without the messages flag nothing is said.
    Setup(6, 16, 8, 64);
    view.m_settings.SetControllers(2, 4);
    view.m_currentPort = 0;
    TopLeft();
    EXPECT_EQ(view.DropTemplate(false, CPoint(0, 0), options), 1);
    EXPECT_EQ(FirstCell(2), CPoint(4, 0));

    // A single drop that does not fit names the current port.
    Setup(6, 16, 8, 64);
    view.m_settings.SetControllers(2, 4);
    view.m_currentPort = 5;
    TopLeft();
    ui.ExpectMessageBox(IDOK, NotPlacedMessage(2, 2));
    EXPECT_EQ(view.DropTemplate(true, CPoint(5, 0), GridDropOptions()), 1);
    EXPECT_EQ(model.GetPort(5).GetCount(), 0);
}

TEST_F(DropTest, FillingToTheEndWrapsToTheNextColumn)
{
    struct Case {
        const char* name;
        int height, rowGap;
        bool toEnd;
        std::vector<CPoint> firsts; // ports 0 to 5
    };
    const Case cases[] = {
        { "flush with the bottom", 6, 0, true, { { 0, 0 }, { 0, 2 }, { 0, 4 }, { 2, 0 }, { 2, 2 }, { 2, 4 } } },
        { "a row gap that overshoots", 7, 1, true, { { 0, 0 }, { 0, 3 }, { 2, 0 }, { 2, 3 }, { 4, 0 }, { 4, 3 } } },
        // Only the controller's own four ports without the option.
        { "within the controller", 6, 0, false, { { 0, 0 }, { 0, 2 }, { 0, 4 }, { -1, -1 }, { -1, -1 }, { -1, -1 } } },
    };
    for (const Case& c : cases) {
        Setup(20, c.height, 8, 64);
        view.m_settings.SetControllers(2, 4);
        TopLeft();
        GridDropOptions options;
        options.style = 1;
        options.rowGap = c.rowGap;
        options.repeat = true;
        options.toEnd = c.toEnd;
        if (!c.toEnd)
            ui.ExpectMessageBox(IDOK, NotPlacedMessage(1, 4));
        EXPECT_EQ(view.DropTemplate(true, CPoint(0, 0), options), 1) << c.name;
        for (int p = 0; p < 6; ++p)
            EXPECT_EQ(FirstCell(p), c.firsts[static_cast<size_t>(p)]) << c.name << " port " << p;
    }
    EXPECT_EQ(ui.PendingCount(), 0u);
}

TEST_F(DropTest, ADropEmptiesTheUndoHistory)
{
    for (const bool repeat : { false, true }) {
        Setup(20, 16, 8, 64);
        view.m_settings.SetControllers(2, 4);
        AddPointToPort(model, 7, false, CLPoint(10, 10));
        AddPointToPort(model, 7, false, CLPoint(11, 10));
        ASSERT_EQ(model.m_currentStep, 2);
        TopLeft();
        GridDropOptions options;
        options.repeat = repeat;
        view.DropTemplate(false, CPoint(0, 0), options);
        // Only the drop itself can be undone, and only without repeat.
        EXPECT_EQ(model.GetStepCount(), repeat ? 0 : 1) << repeat;
        EXPECT_EQ(model.m_currentStep, repeat ? 0 : 1) << repeat;
        EXPECT_EQ(model.m_modified, 1) << repeat;
        view.OnEditUndo();
        EXPECT_EQ(model.GetPort(0).GetCount(), repeat ? 4 : 0) << repeat;
        EXPECT_EQ(model.GetPort(7).GetCount(), 2) << repeat;
    }
}

TEST_F(DropTest, AClickInModeTwoDropsTheGridAndLeavesTheMode)
{
    TopLeft();
    view.m_currentPort = 2;
    view.SetEditMode(2);
    Move(7, 3);
    EXPECT_EQ(view.m_editMode, 2);
    Click(7, 3);
    EXPECT_EQ(view.m_editMode, 0);
    EXPECT_EQ(Cells(2), (std::vector<CPoint> { { 7, 3 }, { 8, 3 }, { 8, 4 }, { 7, 4 } }));

    // Locked, the click drops nothing and the mode stays.
    TopLeft();
    view.SetEditMode(2);
    LayoutLock = 1;
    Click(1, 1);
    EXPECT_EQ(view.m_editMode, 2);
    EXPECT_EQ(model.GetPort(2).GetCount(), 4);
}

TEST_F(DropTest, HostileGridsAndGapsPlaceNothingOffTheLayout)
{
    struct Case {
        const char* name;
        std::vector<CPoint> grid;
        CPoint drop;
        int style, columnGap, rowGap;
        bool repeat;
        std::vector<int> placed; // lamps in ports 0 to 3 afterwards
    };
    // A 20 x 16 layout of four ports in one controller.
    const Case cases[] = {
        { "a grid reaching the largest cell", { { 0, 0 }, { INT_MAX, INT_MAX } }, { 5, 5 }, 1, 0, 0, false,
            { 0, 0, 0, 0 } },
        { "a grid starting at the largest cell", { { INT_MAX, INT_MAX }, { 0, 0 } }, { 19, 15 }, 2, 0, 0, false,
            { 0, 0, 0, 0 } },
        { "a lamp left of the grid's start", { { 0, 0 }, { INT_MIN, 0 } }, { 5, 5 }, 1, 0, 0, false, { 0, 0, 0, 0 } },
        { "a drop at the largest cell", { { 0, 0 }, { 1, 0 } }, { INT_MAX, INT_MAX }, 1, 0, 0, false, { 0, 0, 0, 0 } },
        { "a drop at the most negative cell", { { 0, 0 }, { 1, 0 } }, { INT_MIN, INT_MIN }, 1, 0, 0, false,
            { 0, 0, 0, 0 } },
        { "repeated with the largest column gap", { { 0, 0 }, { 1, 0 } }, { 18, 0 }, 3, INT_MAX, 0, true,
            { 2, 0, 0, 0 } },
        { "repeated with the largest row gap", { { 0, 0 }, { 0, 1 } }, { 0, 14 }, 1, 0, INT_MAX, true, { 2, 0, 0, 0 } },
        { "repeated up with the largest row gap", { { 0, 1 }, { 0, 0 } }, { 0, 1 }, 2, 0, INT_MAX, true,
            { 2, 0, 0, 0 } },
    };
    for (const Case& c : cases) {
        Setup(20, 16, 4, 64);
        std::vector<CLPoint> points;
        for (const CPoint& cell : c.grid)
            points.emplace_back(cell.x, cell.y);
        const int n = static_cast<int>(points.size());
        model.SetFloatingPoints(std::move(points), n);
        GridDropOptions options;
        options.style = c.style;
        options.columnGap = c.columnGap;
        options.rowGap = c.rowGap;
        options.repeat = c.repeat;
        options.toEnd = true;
        view.DropTemplate(false, c.drop, options);
        for (int p = 0; p < 4; ++p) {
            EXPECT_EQ(model.GetPort(p).GetCount(), c.placed[static_cast<size_t>(p)]) << c.name << " port " << p;
            for (const CPoint& cell : Cells(p))
                EXPECT_TRUE(cell.x >= 0 && cell.x < 20 && cell.y >= 0 && cell.y < 16) << c.name << " port " << p;
        }
    }
}
