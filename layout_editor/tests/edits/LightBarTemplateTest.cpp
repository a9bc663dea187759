// The floating light-bar template: building from a layout, rotations,
// mirrors and resizing from the base copy.
#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "EditTestUtil.h"
#include "LightBarTemplate.h"

namespace {

std::vector<CellList> AllCells(const std::vector<LayoutPort>& ports)
{
    std::vector<CellList> cells;
    for (const LayoutPort& port : ports)
        cells.push_back(Cells(port));
    return cells;
}

std::vector<int> Columns(const LayoutPort& port)
{
    std::vector<int> xs;
    for (int i = 0; i < port.GetCount(); ++i)
        xs.push_back(port.GetPoint(i).x);
    return xs;
}

class TemplateTest : public EditTest {
protected:
    // Ports 2 and 5 hold lamps between cells (10, 4) and (13, 6).
    void BuildTwoPorts()
    {
        Put(m_layout, 2, { { 10, 4 }, { 11, 4 }, { 12, 4 }, { 13, 4 } });
        Put(m_layout, 5, { { 10, 6 }, { 13, 5 } });
        ASSERT_TRUE(m_template.BuildFromLayout(m_layout, 0));
    }
    // One port of `n` lamps in a row.
    void BuildRow(int n)
    {
        CellList row;
        for (int x = 0; x < n; ++x)
            row.emplace_back(x + 3, 2);
        Put(m_layout, 0, row);
        ASSERT_TRUE(m_template.BuildFromLayout(m_layout, 0));
    }

    CLightBarTemplate m_template;
};

TEST_F(TemplateTest, BuildMovesTheGroupToTheOrigin)
{
    BuildTwoPorts();
    EXPECT_EQ(4, m_template.m_width);
    EXPECT_EQ(3, m_template.m_height);
    EXPECT_EQ(4, m_template.m_baseWidth);
    EXPECT_EQ((std::vector<WORD> { 2, 5 }), m_template.m_portList);
    EXPECT_EQ(10, m_template.m_left);
    EXPECT_EQ(4, m_template.m_top);
    EXPECT_DOUBLE_EQ(10.5 / 32, m_template.m_leastNormX);
    ASSERT_EQ(2u, m_template.m_ports.size());
    EXPECT_EQ((CellList { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 } }), Cells(m_template.m_ports[0]));
    EXPECT_EQ((CellList { { 0, 2 }, { 3, 1 } }), Cells(m_template.m_basePorts[1]));
    // Normalised positions measured from the template's left and top edges.
    EXPECT_DOUBLE_EQ(3.0 / 4, m_template.m_ports[1].GetPoint(1).m_normX);
    EXPECT_DOUBLE_EQ(1.0 / 3, m_template.m_ports[1].GetPoint(1).m_normY);
    EXPECT_EQ(8, m_template.m_templateMode); // a plain layout: its port count
    EXPECT_EQ(256, m_template.m_ports[0].GetCapacity());
}

TEST_F(TemplateTest, TemplateModeFollowsTheSourceKind)
{
    Put(m_layout, 0, { { 1, 1 } });
    m_layout.m_templateKind = 2;
    ASSERT_TRUE(m_template.BuildFromLayout(m_layout, 6));
    EXPECT_EQ(6, m_template.m_templateMode);
    m_layout.m_templateKind = 3;
    ASSERT_TRUE(m_template.BuildFromLayout(m_layout, 6));
    EXPECT_EQ(1, m_template.m_templateMode);
}

TEST_F(TemplateTest, EmptySourceGivesNoTemplate)
{
    EXPECT_FALSE(m_template.BuildFromLayout(m_layout, 0));
    m_layout.MarkPortUsed(3); // listed but empty
    EXPECT_FALSE(m_template.BuildFromLayout(m_layout, 0));
    EXPECT_TRUE(m_template.m_ports.empty());
    EXPECT_EQ(0, m_template.m_width);
}

TEST_F(TemplateTest, GroupsWiderThanACellCountGiveNoTemplate)
{
    struct Case {
        const char* name;
        CellList cells;
        bool built;
        int width, height;
    };
    const Case cases[] = {
        { "corners of the int range", { { INT_MIN, INT_MIN }, { INT_MAX, INT_MAX } }, false, 0, 0 },
        { "ends of one row", { { INT_MIN, 0 }, { INT_MAX, 0 } }, false, 0, 0 },
        { "the widest span that fits", { { 0, 0 }, { INT_MAX - 1, 3 } }, true, INT_MAX, 4 },
        { "from far left to column 0", { { INT_MIN + 2, 0 }, { 0, 0 } }, true, INT_MAX, 1 },
    };
    for (const Case& c : cases) {
        CLayoutData source;
        Put(source, 0, c.cells);
        EXPECT_EQ(m_template.BuildFromLayout(source, 0), c.built) << c.name;
        EXPECT_EQ(m_template.m_width, c.width) << c.name;
        EXPECT_EQ(m_template.m_height, c.height) << c.name;
        EXPECT_EQ(m_template.m_ports.size(), c.built ? 1u : 0u) << c.name;
    }
}

TEST_F(TemplateTest, RotationsAndMirrorsComeBackToTheStart)
{
    BuildTwoPorts();
    const auto start = AllCells(m_template.m_ports);
    const double startNormX = m_template.m_ports[1].GetPoint(1).m_normX;

    m_template.Transform(kTemplateRotateClockwise);
    EXPECT_EQ(3, m_template.m_width);
    EXPECT_EQ(4, m_template.m_height);
    EXPECT_EQ(3, m_template.m_baseWidth);
    EXPECT_EQ((CellList { { 2, 0 }, { 2, 1 }, { 2, 2 }, { 2, 3 } }), Cells(m_template.m_ports[0]));
    // Normalised positions stay in step with the cells (left-edge based).
    const CLPoint& turned = m_template.m_ports[1].GetPoint(0);
    EXPECT_NEAR(turned.x / 3.0, turned.m_normX, 1e-12);
    EXPECT_NEAR(turned.y / 4.0, turned.m_normY, 1e-12);
    for (int i = 0; i < 3; ++i)
        m_template.Transform(kTemplateRotateClockwise);
    EXPECT_EQ(start, AllCells(m_template.m_ports));
    EXPECT_EQ(start, AllCells(m_template.m_basePorts));
    EXPECT_NEAR(startNormX, m_template.m_ports[1].GetPoint(1).m_normX, 1e-12);

    m_template.Transform(kTemplateRotateCounterClockwise);
    m_template.Transform(kTemplateRotateClockwise);
    EXPECT_EQ(start, AllCells(m_template.m_ports));

    m_template.Transform(kTemplateMirrorLeftRight);
    EXPECT_EQ((CellList { { 3, 0 }, { 2, 0 }, { 1, 0 }, { 0, 0 } }), Cells(m_template.m_ports[0]));
    m_template.Transform(kTemplateMirrorLeftRight);
    EXPECT_EQ(start, AllCells(m_template.m_ports));

    m_template.Transform(kTemplateMirrorTopBottom);
    EXPECT_EQ((CellList { { 0, 0 }, { 3, 1 } }), Cells(m_template.m_ports[1]));
    m_template.Transform(kTemplateMirrorTopBottom);
    m_template.Transform(kTemplateRotate180);
    EXPECT_EQ((CellList { { 3, 0 }, { 0, 1 } }), Cells(m_template.m_ports[1]));
    m_template.Transform(kTemplateRotate180);
    m_template.Transform(0);
    m_template.Transform(6);
    EXPECT_EQ(start, AllCells(m_template.m_ports));
    EXPECT_NEAR(startNormX, m_template.m_ports[1].GetPoint(1).m_normX, 1e-12);
}

TEST_F(TemplateTest, ResizeTo20And15And7AndBack)
{
    BuildRow(10);
    const auto base = AllCells(m_template.m_ports);
    const double normX = m_template.m_ports[0].GetPoint(4).m_normX;

    m_template.Resize(20, 1);
    EXPECT_EQ((std::vector<int> { 0, 2, 4, 6, 8, 10, 12, 14, 16, 18 }), Columns(m_template.m_ports[0]));
    EXPECT_EQ(19, m_template.m_width);

    m_template.Resize(15, 1);
    EXPECT_EQ(15, m_template.m_width);
    std::vector<int> spread = Columns(m_template.m_ports[0]);
    EXPECT_EQ(0, spread.front());
    EXPECT_TRUE(std::is_sorted(spread.begin(), spread.end()));
    EXPECT_EQ(10u, std::set<int>(spread.begin(), spread.end()).size());
    EXPECT_LE(spread.back(), 14);
    int gaps = 0;
    for (size_t i = 1; i < spread.size(); ++i)
        gaps += spread[i] - spread[i - 1] - 1;
    EXPECT_EQ(14 - spread.back() + gaps, 5); // five empty columns, spread out
    EXPECT_LE(gaps, 5);
    EXPECT_GE(gaps, 4);

    m_template.Resize(7, 1);
    EXPECT_EQ(7, m_template.m_width);
    std::vector<int> merged = Columns(m_template.m_ports[0]);
    EXPECT_TRUE(std::is_sorted(merged.begin(), merged.end()));
    EXPECT_EQ(7u, std::set<int>(merged.begin(), merged.end()).size());
    EXPECT_EQ(0, merged.front());
    EXPECT_EQ(6, merged.back());

    m_template.Resize(0, 1);
    m_template.Resize(7, 0);
    EXPECT_EQ(merged, Columns(m_template.m_ports[0]));
    EXPECT_EQ(7, m_template.m_width);

    m_template.Resize(10, 1);
    EXPECT_EQ(base, AllCells(m_template.m_ports));
    EXPECT_EQ(10, m_template.m_width);
    // Resizing never touches the normalised positions.
    EXPECT_DOUBLE_EQ(normX, m_template.m_ports[0].GetPoint(4).m_normX);
}

TEST_F(TemplateTest, ResizeAfterRotationWorksOnTheRotatedBase)
{
    BuildRow(10);
    m_template.Transform(kTemplateRotateClockwise);
    ASSERT_EQ(1, m_template.m_width);
    ASSERT_EQ(10, m_template.m_height);
    m_template.Resize(1, 20);
    EXPECT_EQ(19, m_template.m_height);
    EXPECT_EQ(18, m_template.m_ports[0].GetPoint(9).y);
    EXPECT_EQ(0, m_template.m_ports[0].GetPoint(9).x);
}

} // namespace
