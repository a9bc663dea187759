// Point selection: clicks, runs, rectangles, whole ports and the block flag.
#include <gtest/gtest.h>

#include "EditTestUtil.h"
#include "LayoutSelection.h"

namespace {

std::vector<int> Selected(const CLayoutData& layout, int port)
{
    return SelectedIndexesOf(layout, port);
}

TEST_F(EditTest, ClickingALampTwiceSelectsAndDeselectsIt)
{
    Put(m_layout, 2, { { 1, 1 }, { 2, 1 } });
    EXPECT_EQ(1, SelectPointAt(m_layout, CPoint(2, 1)));
    EXPECT_EQ(std::vector<int> { 1 }, Selected(m_layout, 2));
    EXPECT_TRUE(IsPointSelected(m_layout, 2, 1));
    EXPECT_FALSE(IsPointSelected(m_layout, 1, 1));
    EXPECT_EQ(1, SelectPointAt(m_layout, CPoint(2, 1)));
    EXPECT_TRUE(Selected(m_layout, 2).empty());
    EXPECT_EQ(std::vector<WORD> { 2 }, m_layout.m_selectedPorts);
    EXPECT_EQ(1, SelectPointAt(m_layout, CPoint(20, 10)));
    EXPECT_EQ(1u, m_layout.m_selectedPorts.size());
}

struct RangeCase {
    int from;
    int to;
    int result;
    std::vector<int> selected;
};

class SelectRange : public EditTest, public ::testing::WithParamInterface<RangeCase> { };

TEST_P(SelectRange, SelectsTheRunInEitherOrder)
{
    CellList chain;
    for (int i = 0; i < 10; ++i)
        chain.emplace_back(i, 3);
    Put(m_layout, 0, chain);
    Put(m_layout, 1, { { 0, 8 } });
    SelectPointAt(m_layout, CPoint(9, 3)); // cleared by the range
    const RangeCase& c = GetParam();
    const CPoint second = c.to < 0 ? CPoint(0, 8) : CPoint(c.to, 3);
    EXPECT_EQ(c.result, SelectPointRange(m_layout, CPoint(c.from, 3), second));
    EXPECT_EQ(c.selected, Selected(m_layout, 0));
    EXPECT_EQ(c.result == 0 ? 0u : 1u, m_layout.m_selectedPorts.size());
}

INSTANTIATE_TEST_SUITE_P(Cases, SelectRange,
    ::testing::Values(RangeCase { 7, 2, 6, { 2, 3, 4, 5, 6, 7 } }, RangeCase { 2, 7, 6, { 2, 3, 4, 5, 6, 7 } },
        RangeCase { 3, 2, 2, { 2, 3 } }, RangeCase { 4, 4, 1, { 4 } }, RangeCase { 4, -1, 0, {} },
        RangeCase { 20, 2, 0, {} }));

TEST_F(EditTest, RectangleCoveringEverythingSelectsAllAndBlocks)
{
    const CellList block = Block(4, 4, 8, 8);
    Put(m_layout, 3, block);
    Put(m_layout, 5, { { 10, 2 }, { 12, 2 } });
    SelectPointAt(m_layout, CPoint(10, 2)); // already listed: merged, not doubled
    EXPECT_EQ(18, SelectPointsInRect(CRect(4, 2, 13, 8), m_layout));
    EXPECT_EQ((std::vector<WORD> { 5, 3 }), m_layout.m_selectedPorts);
    EXPECT_EQ(16u, Selected(m_layout, 3).size());
    EXPECT_EQ((std::vector<int> { 0, 1 }), Selected(m_layout, 5));
    EXPECT_EQ(1, m_layout.m_blockSelected[3]);
    EXPECT_EQ(0, m_layout.m_blockSelected[5]);
}

TEST_F(EditTest, PartialRectangleSelectsInsideOnly)
{
    const CellList block = Block(4, 4, 8, 8);
    Put(m_layout, 3, block);
    Put(m_layout, 5, { { 20, 2 } });
    EXPECT_EQ(4, SelectPointsInRect(CRect(4, 4, 6, 6), m_layout));
    EXPECT_EQ((std::vector<int> { 0, 1, 4, 5 }), Selected(m_layout, 3));
    EXPECT_EQ(std::vector<WORD> { 3 }, m_layout.m_selectedPorts); // port 5 untouched: no entry
    EXPECT_EQ(0, m_layout.m_blockSelected[3]);
    // A second rectangle adds to the bits; points inside count again.
    EXPECT_EQ(16, SelectPointsInRect(CRect(0, 0, 8, 8), m_layout));
    EXPECT_EQ(1, m_layout.m_blockSelected[3]);
    EXPECT_EQ(1u, m_layout.m_selectedPorts.size());
}

TEST_F(EditTest, SelectPortAndItsBlockFlag)
{
    EXPECT_EQ(0, SelectPort(m_layout, 0));
    EXPECT_TRUE(m_layout.m_selectedPorts.empty());
    Put(m_layout, 0, { { 0, 0 }, { 1, 0 }, { 1, 1 }, { 0, 1 } });
    Put(m_layout, 1, { { 5, 5 }, { 7, 5 } });
    EXPECT_EQ(4, SelectPort(m_layout, 0));
    EXPECT_EQ(2, SelectPort(m_layout, 1));
    EXPECT_EQ(1, m_layout.m_blockSelected[0]);
    EXPECT_EQ(0, m_layout.m_blockSelected[1]); // a gap in its rectangle
    SelectPointAt(m_layout, CPoint(1, 1));
    EXPECT_EQ(0, m_layout.m_blockSelected[0]);
    EXPECT_EQ(4, SelectPort(m_layout, 0));
    EXPECT_EQ(1, m_layout.m_blockSelected[0]);
    EXPECT_EQ(2u, m_layout.m_selectedPorts.size());
}

} // namespace
