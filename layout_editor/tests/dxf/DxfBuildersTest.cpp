// DXF import: following the wiring (line ends, rings, circles along the
// lines) and fitting the grid to the lamps.
#include <gtest/gtest.h>

#include "DxfReader.h"
#include "DxfTestUtil.h"
#include "EditorSettings.h"
#include "LampTypeList.h"

namespace {

using Cells = std::vector<std::pair<int, int>>;

int Import(const DxfDrawing& d, CLayoutData& layout, DxfReader& reader, int mode, WORD firstEntry = 8)
{
    ScratchFile file(L".dxf");
    file.Write(d.Build());
    TestControllers controllers({ firstEntry });
    return reader.Parse(file, layout, controllers, mode, nullptr, 1.0);
}

class DxfBuildersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorSettings();
        ResetLampTypeList();
    }
};

// A square ring of four lamps, wired all the way round.
DxfDrawing Ring()
{
    DxfDrawing d;
    d.Label(0, 0, "P1");
    d.Wire({ { 0, 0 }, { 2, 0 }, { 2, 2 }, { 0, 2 } });
    d.Line(0, 2, 0, 0);
    return d;
}

TEST_F(DxfBuildersTest, RingGoesRoundOnceWithoutOverlapMode)
{
    CLayoutData layout;
    DxfReader reader;
    ASSERT_EQ(0, Import(Ring(), layout, reader, DxfReader::kEndpointMode));
    EXPECT_EQ((Cells { { 0, 1 }, { 1, 1 }, { 1, 0 }, { 0, 0 }, { 0, 1 } }), PortCells(layout, 0));
}

TEST_F(DxfBuildersTest, RingEndsBeforeTheRepeatInOverlapMode)
{
    CLayoutData layout;
    DxfReader reader;
    reader.m_overlapMode = 1;
    ASSERT_EQ(0, Import(Ring(), layout, reader, DxfReader::kEndpointMode));
    EXPECT_EQ((Cells { { 0, 1 }, { 1, 1 }, { 1, 0 }, { 0, 0 } }), PortCells(layout, 0));
    // The closing line stays free.
    EXPECT_FALSE(reader.GetLines().back().used);
}

TEST_F(DxfBuildersTest, EndpointChainTakesTheFirstLineInFileOrder)
{
    // At (2, 0) two lines go on: the one written first wins, whichever of
    // its ends touches the point.
    DxfDrawing d;
    d.Label(0, 0, "P1");
    d.Line(0, 0, 2, 0);
    d.Line(2, 4, 2, 0); // end 2 touches, written first
    d.Line(2, 0, 4, 0);
    d.Circle(0, 0, 1);
    CLayoutData layout;
    DxfReader reader;
    ASSERT_EQ(0, Import(d, layout, reader, DxfReader::kEndpointMode));
    // (0,0) -> (2,0) -> (2,4); from (2,4) nothing goes on.
    EXPECT_EQ((Cells { { 0, 2 }, { 1, 2 }, { 1, 0 } }), PortCells(layout, 0));
    EXPECT_TRUE(reader.GetLines()[1].used);
    EXPECT_TRUE(reader.GetLines()[2].used);
    EXPECT_FALSE(reader.GetLines()[3].used);
}

TEST_F(DxfBuildersTest, LeaderToALoneLampGivesOneLamp)
{
    DxfDrawing d;
    d.Label(0, 0, "P1");
    d.Circle(0, 0, 1);
    CLayoutData layout;
    DxfReader reader;
    ASSERT_EQ(0, Import(d, layout, reader, DxfReader::kEndpointMode));
    EXPECT_EQ((Cells { { 0, 0 } }), PortCells(layout, 0));
    EXPECT_EQ(1, layout.m_width);
    EXPECT_EQ(1, layout.m_height);
}

TEST_F(DxfBuildersTest, CircleModeSamplesAlongTheLines)
{
    // Radius 1, a wire of length 10: n = 11, samples at k = 1 .. 9 steps of
    // 10/11 and the far end; the point at k = 10 is never sampled.
    DxfDrawing d;
    d.Label(0, 0, "P1");
    d.Line(0, 0, 10, 0);
    const double step = 10.0 / 11.0;
    d.Circle(10, 0, 1); // far end
    d.Circle(10 * step, 0, 1); // only k = 10 reaches it: left out
    d.Circle(5, 0.5, 1); // within reach of k = 5 and k = 6: taken once
    d.Circle(3 * step, 0, 1); // k = 3
    d.Circle(0, 0, 1); // the start
    CLayoutData layout;
    DxfReader reader;
    ASSERT_EQ(0, Import(d, layout, reader, DxfReader::kCircleMode));
    EXPECT_DOUBLE_EQ(1.0, reader.GetRadius());
    // Path order, not file order: start, k = 3, k = 5, far end.
    EXPECT_EQ((Cells { { 0, 0 }, { 1, 0 }, { 3, 0 }, { 5, 0 } }), PortCells(layout, 0));
    EXPECT_FALSE(reader.GetCircles()[1].used);
    EXPECT_EQ(6, layout.m_width);
    EXPECT_EQ(1, layout.m_height);
}

TEST_F(DxfBuildersTest, CircleModeFollowsLinesInPasses)
{
    // Wires written out of order: the pass follows what it can in file
    // order and starts again from the first line.
    DxfDrawing d;
    d.Label(0, 0, "P1");
    d.Line(4, 0, 6, 0); // third segment
    d.Line(2, 0, 4, 0); // second
    d.Line(0, 0, 2, 0); // first
    for (int x = 0; x <= 6; x += 2)
        d.Circle(x, 0, 1);
    CLayoutData layout;
    DxfReader reader;
    ASSERT_EQ(0, Import(d, layout, reader, DxfReader::kCircleMode));
    EXPECT_EQ((Cells { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 } }), PortCells(layout, 0));
}

TEST_F(DxfBuildersTest, CircleModeOnAVeryLongLineTakesTheSameCircles)
{
    // A wire thousands of radii long with few circles takes the per-circle
    // route; it must find what sampling every point would.
    DxfDrawing d;
    d.Label(0, 0, "P1");
    d.Line(0, 0, 20000, 0);
    d.Circle(0, 0, 1);
    d.Circle(20000, 0, 1);
    const double n = std::trunc(20000.0 / 1.0 + 1.0);
    const double step = 20000.0 / n;
    d.Circle(7000 * step + 0.3, 0.2, 1);
    d.Circle(123 * step, 0, 1);
    d.Circle((n - 1) * step, 0, 1); // only the skipped sample reaches it
    CLayoutData layout;
    DxfReader reader;
    ASSERT_EQ(0, Import(d, layout, reader, DxfReader::kCircleMode));
    const LayoutPort& port = layout.GetPort(0);
    ASSERT_EQ(4, port.GetCount());
    EXPECT_EQ(0, port.GetPoint(0).x);
    EXPECT_EQ(61, port.GetPoint(1).x); // trunc(123 * step / 2 + 0.5)
    EXPECT_EQ(3500, port.GetPoint(2).x);
    EXPECT_EQ(10000, port.GetPoint(3).x);
}

TEST_F(DxfBuildersTest, GridShrinksToTheLamps)
{
    // A stray line widens the drawing to 12 columns and 6 rows; the lamps
    // occupy columns 3 .. 7 of the bottom row only.
    DxfDrawing d;
    d.Line(0, 10, 22, 10);
    d.Label(6, 0, "P1");
    d.Wire({ { 6, 0 }, { 8, 0 }, { 10, 0 }, { 12, 0 }, { 14, 0 } });
    CLayoutData layout;
    DxfReader reader;
    ASSERT_EQ(0, Import(d, layout, reader, DxfReader::kEndpointMode));
    EXPECT_EQ(5, layout.m_width);
    EXPECT_EQ(1, layout.m_height);
    EXPECT_EQ((Cells { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0 } }), PortCells(layout, 0));
    const LayoutPort& port = layout.GetPort(0);
    EXPECT_NEAR(0.5 / 5, port.GetPoint(0).m_normX, 1e-12);
    EXPECT_NEAR(4.5 / 5, port.GetPoint(4).m_normX, 1e-12);
    EXPECT_NEAR(0.5, port.GetPoint(0).m_normY, 1e-12);
    EXPECT_EQ(CRect(-1, -1, 5, 1), port.GetBounds());
}

TEST_F(DxfBuildersTest, LampsFromColumnZeroOnlyRescale)
{
    // Smallest grid x is 0: the cells stay, only the rows shrink and the
    // normalised y is rescaled.
    DxfDrawing d;
    d.Line(0, 10, 4, 10); // stray line above
    d.Label(0, 0, "P1");
    d.Wire({ { 0, 0 }, { 2, 0 }, { 4, 0 } });
    CLayoutData layout;
    DxfReader reader;
    ASSERT_EQ(0, Import(d, layout, reader, DxfReader::kEndpointMode));
    EXPECT_EQ(3, layout.m_width);
    EXPECT_EQ(1, layout.m_height);
    EXPECT_EQ((Cells { { 0, 0 }, { 1, 0 }, { 2, 0 } }), PortCells(layout, 0));
    EXPECT_NEAR(0.5 / 3, layout.GetPort(0).GetPoint(0).m_normX, 1e-12);
}

TEST_F(DxfBuildersTest, SamePortNamedTwiceKeepsTheLaterChainOnce)
{
    DxfDrawing d;
    d.Label(0, 0, "P1");
    d.Wire({ { 0, 0 }, { 2, 0 } });
    d.Label(0, 4, "P1");
    d.Wire({ { 0, 4 }, { 2, 4 }, { 4, 4 } });
    CLayoutData layout;
    DxfReader reader;
    ASSERT_EQ(0, Import(d, layout, reader, DxfReader::kEndpointMode));
    EXPECT_EQ((std::vector<int> { 0 }), UsedPorts(layout));
    EXPECT_EQ((Cells { { 0, 0 }, { 1, 0 }, { 2, 0 } }), PortCells(layout, 0));
}

TEST_F(DxfBuildersTest, ChainStopsAtTheWorkingLimitAndThePortCapacity)
{
    DxfDrawing d;
    d.Label(0, 0, "P1");
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 5000; ++i)
        points.emplace_back(2.0 * (i % 100), 2.0 * (i / 100));
    // Rows of 100 lamps, each row's end wired to the next row's start.
    d.Circle(0, 0, 1);
    for (size_t i = 1; i < points.size(); ++i)
        d.Line(points[i - 1].first, points[i - 1].second, points[i].first, points[i].second);
    CLayoutData layout;
    layout.ResetPorts(1, 3072, CString(L"RGB"), 0);
    DxfReader reader;
    ASSERT_EQ(0, Import(d, layout, reader, DxfReader::kEndpointMode));
    EXPECT_EQ(3072, layout.GetPort(0).GetCount());
    // The chain took 4096 lamps: lines beyond that stay free.
    int used = 0;
    for (const DxfLine& l : reader.GetLines())
        used += l.used;
    EXPECT_EQ(1 + 4095, used);
}

} // namespace
