// 3-D corrections as pure functions: empty lists change nothing, band
// semantics, step stretches, the vertical crops and their guards.
#include <gtest/gtest.h>

#include "ThreeDReset.h"

namespace {

using Cells = std::vector<std::pair<int, int>>;

// One used port holding the lamps at the cells, in a 100 x 20 layout.
void MakeLayout(CLayoutData& model, const Cells& cells)
{
    ASSERT_TRUE(model.ResetPorts(1, 64, L"RGB", 0));
    model.m_width = 100;
    model.m_height = 20;
    std::vector<CLPoint> lamps;
    for (const auto& [x, y] : cells) {
        CLPoint p(x, y);
        p.m_normX = 0.25;
        p.m_normY = 0.75;
        lamps.push_back(p);
    }
    model.GetPort(0).InsertPoints(lamps.data(), static_cast<int>(lamps.size()));
    model.RebuildUsedPorts();
}

Cells CellsOf(const CLayoutData& model)
{
    Cells out;
    const LayoutPort& port = model.GetPort(0);
    for (int i = 0; i < port.GetCount(); ++i)
        out.emplace_back(port.GetPoint(i).x, port.GetPoint(i).y);
    return out;
}

// An entry naming lamp i of the first used port with weight w.
CLPoint Ref(int lamp, double w)
{
    CLPoint entry(0, lamp);
    entry.m_normX = w;
    return entry;
}

} // namespace

TEST(ThreeDResetTest, EmptyListsChangeNothing)
{
    CLayoutData model;
    const Cells cells = { { 10, 0 }, { 20, 5 }, { 30, 19 } };
    MakeLayout(model, cells);
    const std::vector<CLPoint> none;
    ShiftBand(model, none, none, 1, 20, 5);
    StretchBand(model, none, none, 1, 20, 3.0, false);
    StretchBand(model, none, none, 1, 20, 3.0, true);
    StepStretchBand(model, none, none, 1, 20, 0.5);
    ApplyPresetStretch(model, ThreeDReferenceLists {});
    EXPECT_EQ(CellsOf(model), cells);
    EXPECT_DOUBLE_EQ(model.GetPort(0).GetPoint(0).m_normX, 0.25);
}

TEST(ThreeDResetTest, HorizontalCorrectionsActOnTheBandOnly)
{
    struct Case {
        const char* name;
        int from;
        int to;
        int op; // 0 shift, 1 stretch, 2 scale, 3 step
        Cells expected;
    };
    // Lamps at rows 0, 1, 2, 3; lamps 0 and 2 in the first list (weight
    // 10), lamps 1 and 3 in the second (weight 10).
    const Cells start = { { 50, 0 }, { 50, 1 }, { 50, 2 }, { 50, 3 } };
    const Case cases[] = {
        { "shift rows 2..3", 2, 3, 0, { { 50, 0 }, { 53, 1 }, { 53, 2 }, { 50, 3 } } },
        { "shift a single row", 3, 3, 0, { { 50, 0 }, { 50, 1 }, { 53, 2 }, { 50, 3 } } },
        { "shift from > to: no row", 3, 2, 0, start },
        { "stretch", 1, 4, 1, { { 45, 0 }, { 55, 1 }, { 45, 2 }, { 55, 3 } } },
        { "scale", 1, 4, 2, { { 55, 0 }, { 45, 1 }, { 55, 2 }, { 45, 3 } } },
        // Row 0 is the base; row 1 moves by 10 * (0.2 + 0.1) = 3, row 2 by 4,
        // row 3 by 5, outward.
        { "step stretch", 1, 4, 3, { { 50, 0 }, { 53, 1 }, { 46, 2 }, { 55, 3 } } },
        { "step stretch from == to", 2, 2, 3, start },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLayoutData model;
        MakeLayout(model, start);
        const std::vector<CLPoint> first = { Ref(0, 10), Ref(2, 10) };
        const std::vector<CLPoint> second = { Ref(1, 10), Ref(3, 10) };
        switch (c.op) {
        case 0:
            ShiftBand(model, first, second, c.from, c.to, 3);
            break;
        case 1:
        case 2:
            StretchBand(model, first, second, c.from, c.to, 0.5, c.op == 2);
            break;
        default:
            StepStretchBand(model, first, second, c.from, c.to, 0.1);
            break;
        }
        EXPECT_EQ(CellsOf(model), c.expected);
    }
}

TEST(ThreeDResetTest, ZeroWeightAndStaleEntriesChangeNothing)
{
    CLayoutData model;
    const Cells cells = { { 50, 0 }, { 50, 1 } };
    MakeLayout(model, cells);
    StretchBand(model, { Ref(0, 0) }, { Ref(1, 0) }, 1, 2, 9.0, false);
    // Entries past the lamps or the used ports name nothing.
    CLPoint stale(5, 0);
    StretchBand(model, { Ref(7, 10), stale }, {}, 1, 2, 9.0, false);
    ShiftBand(model, { Ref(-1, 1) }, {}, 1, 2, 4);
    EXPECT_EQ(CellsOf(model), cells);
}

TEST(ThreeDResetTest, VerticalStretchesCropToTheLampsAndRefuseUndefinedCases)
{
    struct Case {
        const char* name;
        int from;
        int to;
        int angle;
        bool step;
        int height; // -1: refused
        Cells expected;
    };
    const Cells start = { { 1, 5 }, { 2, 9 }, { 3, 12 } };
    const Case cases[] = {
        { "angle 0 crops", 1, 20, 0, false, 8, { { 1, 0 }, { 2, 4 }, { 3, 7 } } },
        { "r0 = dr = 0 crops", 1, 20, 0, true, 8, { { 1, 0 }, { 2, 4 }, { 3, 7 } } },
        { "from == to", 4, 4, 0, false, -1, start },
        { "from > to", 9, 4, 0, true, -1, start },
        { "angle 90", 1, 20, 90, false, -1, start },
        { "angle 180", 1, 20, 180, false, -1, start },
        // cos 60 = 0.5: rows double inside the band.
        { "angle 60", 1, 20, 60, false, 15, { { 1, 0 }, { 2, 8 }, { 3, 14 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLayoutData model;
        MakeLayout(model, start);
        const int h = c.step ? VerticalStepStretch(model, 100, 20, c.from, c.to, 0.0, 0.0)
                             : VerticalProportionalStretch(model, 100, 20, c.from, c.to, c.angle);
        EXPECT_EQ(h, c.height);
        EXPECT_EQ(CellsOf(model), c.expected);
        EXPECT_EQ(model.m_height, c.height < 0 ? 20 : c.height);
    }
}

TEST(ThreeDResetTest, VerticalStretchWithoutLampsIsRefused)
{
    CLayoutData model;
    MakeLayout(model, {});
    EXPECT_EQ(VerticalProportionalStretch(model, 100, 20, 1, 20, 0), -1);
    EXPECT_EQ(VerticalStepStretch(model, 100, 20, 1, 20, 0.1, 0.01), -1);
    EXPECT_EQ(model.m_height, 20);
}

TEST(ThreeDResetTest, PresetStretchMovesListedLampsOnly)
{
    CLayoutData model;
    MakeLayout(model, { { 10, 0 }, { 10, 1 }, { 10, 2 } });
    ThreeDReferenceLists lists;
    lists.left1.push_back(Ref(1, 0)); // weight 0: only the shift moves it
    lists.right2.push_back(Ref(2, 0));
    ApplyPresetStretch(model, lists);
    EXPECT_EQ(CellsOf(model), (Cells { { 10, 0 }, { 309, 1 }, { 645, 2 } }));
}
