// Lamp points and the point-array operations of one port.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "EditorSettings.h"
#include "ModelTestUtil.h"

using Cell = std::pair<int, int>;
using CellList = std::vector<Cell>;

TEST(LPoint, DefaultsAndSetPacksFlags)
{
    CLPoint p;
    EXPECT_EQ(0, p.x);
    EXPECT_EQ(0, p.y);
    EXPECT_EQ(65536.0, p.m_normX);
    EXPECT_EQ(65536.0, p.m_normY);
    EXPECT_EQ(0, p.m_placeMark);
    EXPECT_EQ(0, p.m_lampFormat);
    EXPECT_EQ(0, p.m_masked);
    EXPECT_EQ(0, p.m_layer);

    CLPoint q(7, -3);
    EXPECT_EQ(7, q.x);
    EXPECT_EQ(-3, q.y);
    EXPECT_EQ(65536.0, q.m_normX);

    q.Set(1, 2, 0.25, 0.5, 9, 1, 0x030102);
    EXPECT_EQ(1, q.x);
    EXPECT_EQ(2, q.y);
    EXPECT_EQ(0.25, q.m_normX);
    EXPECT_EQ(0.5, q.m_normY);
    EXPECT_EQ(9, q.m_spare);
    EXPECT_EQ(1, q.m_placeMark);
    EXPECT_EQ(2, q.m_lampFormat);
    EXPECT_EQ(1, q.m_masked);
    EXPECT_EQ(3, q.m_layer);

    CLPoint copy(q);
    EXPECT_EQ(3, copy.m_layer);
    EXPECT_TRUE(copy.SameCell(CLPoint(1, 2)));
}

TEST(LayoutPort, Defaults)
{
    LayoutPort port;
    EXPECT_EQ(0, port.GetCount());
    EXPECT_EQ(0, port.GetCapacity());
    EXPECT_EQ(CRect(65535, 65535, 1, 1), port.GetBounds());
    EXPECT_EQ(255u, port.m_colour);
    EXPECT_EQ(CString(L"RGB"), port.m_lampFormat);
    EXPECT_EQ(-1, port.m_lastHit);
    EXPECT_FALSE(port.FillsRectangle());
    ASSERT_EQ(6000u, port.m_brightness.size());
    ASSERT_EQ(6000u, port.m_gamma.size());
    EXPECT_EQ(100, port.m_brightness[5999]);
    EXPECT_EQ(0, port.m_gamma[0]);
    EXPECT_FALSE(port.HasPointAt(0, 0));
    EXPECT_EQ(0, port.InsertPoints(nullptr, 0));
}

TEST(LayoutPort, AllocateCapsAndKeepsSettings)
{
    LayoutPort port = MakePort(4, { Pt(1, 1), Pt(2, 2) });
    port.m_colour = 0x123456;
    port.m_lastHit = 1;
    port.Allocate(5000);
    EXPECT_EQ(3072, port.GetCapacity());
    EXPECT_EQ(0, port.GetCount());
    EXPECT_EQ(-1, port.m_lastHit);
    EXPECT_EQ(0x123456u, port.m_colour);
    EXPECT_FALSE(port.HasPointAt(1, 1));
    port.Allocate(-3);
    EXPECT_EQ(0, port.GetCapacity());
}

TEST(LayoutPort, InsertPartialFitAndFull)
{
    struct Case {
        int capacity;
        int held;
        int offered;
        int expected;
    };
    const Case cases[] = {
        { 3, 2, 5, 1 }, // partial fit
        { 3, 3, 2, 0 }, // full port refuses
        { 10, 0, 4, 4 }, // all fit
        { 0, 0, 1, 0 }, // no capacity
    };
    for (const Case& c : cases) {
        LayoutPort port;
        port.Allocate(c.capacity);
        for (int i = 0; i < c.held; ++i) {
            CLPoint p(i, 0);
            port.InsertPoints(&p, 1);
        }
        std::vector<CLPoint> offer;
        for (int i = 0; i < c.offered; ++i)
            offer.push_back(Pt(100 + i, 5));
        EXPECT_EQ(c.expected, port.InsertPoints(offer.data(), c.offered)) << c.capacity << " " << c.held;
        EXPECT_EQ(c.held + c.expected, port.GetCount());
        if (c.expected > 0) { // the first offered points are the ones taken
            EXPECT_EQ(100 + c.expected - 1, port.GetPoint(port.GetCount() - 1).x);
        }
    }
}

// Reference removal, straight from the rules: from the last given point to
// the first, the lowest-indexed point on the same cell goes.
static int ReferenceRemove(std::vector<CLPoint>& chain, const std::vector<CLPoint>& given, std::vector<int>& recorded)
{
    recorded.assign(given.size(), -1);
    int removed = 0;
    for (int k = static_cast<int>(given.size()) - 1; k >= 0; --k) {
        for (size_t i = 0; i < chain.size(); ++i) {
            if (chain[i].SameCell(given[static_cast<size_t>(k)])) {
                recorded[static_cast<size_t>(k)] = static_cast<int>(i);
                chain.erase(chain.begin() + static_cast<std::ptrdiff_t>(i));
                ++removed;
                break;
            }
        }
    }
    recorded.resize(static_cast<size_t>(removed));
    return removed;
}

TEST(LayoutPort, RemoveAndReinsertRestoresOrder)
{
    struct Case {
        const char* name;
        std::vector<CLPoint> chain;
        std::vector<CLPoint> removed;
        CellList afterRemoval;
    };
    const std::vector<CLPoint> six = { Pt(0, 0), Pt(1, 0), Pt(2, 0), Pt(3, 0), Pt(4, 0), Pt(5, 0) };
    const Case cases[] = {
        { "two points at 4 and 1", six, { Pt(4, 0), Pt(1, 0) }, { { 0, 0 }, { 2, 0 }, { 3, 0 }, { 5, 0 } } },
        { "first and last", six, { Pt(0, 0), Pt(5, 0) }, { { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0 } } },
        { "shared cell loses one per entry", { Pt(1, 1), Pt(2, 2), Pt(1, 1), Pt(3, 3) }, { Pt(1, 1) },
            { { 2, 2 }, { 1, 1 }, { 3, 3 } } },
        { "shared cell both entries", { Pt(1, 1), Pt(2, 2), Pt(1, 1), Pt(3, 3) }, { Pt(1, 1), Pt(1, 1) },
            { { 2, 2 }, { 3, 3 } } },
        { "everything", six, six, {} },
    };
    for (const Case& c : cases) {
        LayoutPort port = MakePort(16, c.chain);
        const CellList before = Cells(port);
        std::vector<int> indexes(c.removed.size(), -7);
        const int n = static_cast<int>(c.removed.size());
        ASSERT_EQ(n, port.RemovePoints(c.removed.data(), n, indexes.data())) << c.name;
        EXPECT_EQ(c.afterRemoval, Cells(port)) << c.name;
        EXPECT_EQ(n, port.InsertPoints(c.removed.data(), n, indexes.data())) << c.name;
        EXPECT_EQ(before, Cells(port)) << c.name;
    }
}

TEST(LayoutPort, RemoveMissingPointsAndEmptyPort)
{
    LayoutPort port = MakePort(8, { Pt(1, 1), Pt(2, 2) });
    const CLPoint missing[] = { Pt(9, 9), Pt(2, 2) };
    int idx[2] = { -5, -5 };
    EXPECT_EQ(1, port.RemovePoints(missing, 2, idx));
    EXPECT_EQ((CellList { { 1, 1 } }), Cells(port));

    LayoutPort empty;
    empty.Allocate(4);
    EXPECT_EQ(0, empty.RemovePoints(missing, 2, idx));
}

TEST(LayoutPort, LargeRemovalsMatchTheRulesAndRoundTrip)
{
    // Long removals take the indexed path; they must match the plain rules.
    std::mt19937 rng(12345);
    for (int round = 0; round < 40; ++round) {
        const int count = 1 + static_cast<int>(rng() % 300);
        std::vector<CLPoint> chain;
        for (int i = 0; i < count; ++i)
            chain.push_back(Pt(static_cast<int>(rng() % 12), static_cast<int>(rng() % 12))); // many shared cells
        std::vector<CLPoint> given;
        const int n = static_cast<int>(rng() % 200);
        for (int k = 0; k < n; ++k)
            given.push_back(rng() % 5 == 0 ? Pt(50, 50) : chain[rng() % chain.size()]);

        LayoutPort port = MakePort(kMaxPortPoints, chain);
        std::vector<CLPoint> reference = chain;
        std::vector<int> expectedIdx;
        const int expected = ReferenceRemove(reference, given, expectedIdx);
        std::vector<int> idx(given.size() + 1, -9);
        ASSERT_EQ(expected, port.RemovePoints(given.data(), n, idx.data())) << round;
        EXPECT_EQ(Cells(reference), Cells(port)) << round;
        idx.resize(static_cast<size_t>(expected));
        EXPECT_EQ(expectedIdx, idx) << round;
        EXPECT_EQ(count - expected, port.GetCount());
    }
}

namespace {

// The chain after inserting the given points one after the other, point k
// at indexes[k] of the chain of that moment, positions beyond it appending.
std::vector<CLPoint> InsertOneByOne(
    std::vector<CLPoint> chain, const std::vector<CLPoint>& given, const std::vector<int>& indexes)
{
    for (size_t k = 0; k < given.size(); ++k) {
        int at = indexes[k];
        if (at < 0 || at > static_cast<int>(chain.size()))
            at = static_cast<int>(chain.size());
        chain.insert(chain.begin() + at, given[k]);
    }
    return chain;
}

} // namespace

TEST(LayoutPort, LargeIndexedInsertionsMatchTheRules)
{
    // Long insertions take the one-pass path; they must match inserting one
    // point after the other, positions beyond the chain appending.
    std::mt19937 rng(777);
    for (int round = 0; round < 40; ++round) {
        const int count = static_cast<int>(rng() % 200);
        std::vector<CLPoint> chain;
        for (int i = 0; i < count; ++i)
            chain.push_back(Pt(i, 0));
        const int n = 1 + static_cast<int>(rng() % 150);
        std::vector<CLPoint> given;
        std::vector<int> indexes;
        for (int k = 0; k < n; ++k) {
            given.push_back(Pt(1000 + k, 1));
            const int bound = count + k + 3;
            indexes.push_back(static_cast<int>(rng() % static_cast<unsigned>(bound + 2)) - 2); // some out of range
        }
        const std::vector<CLPoint> reference = InsertOneByOne(chain, given, indexes);
        LayoutPort port = MakePort(kMaxPortPoints, chain);
        ASSERT_EQ(n, port.InsertPoints(given.data(), n, indexes.data())) << round;
        EXPECT_EQ(Cells(reference), Cells(port)) << round;
    }
}

TEST(LayoutPort, AscendingIndexedInsertionsLandOnTheirIndexes)
{
    // Ascending indexes (as deletions record them) put each point on its
    // own index of the final chain; the capacity can cut the list short.
    struct Case {
        const char* name;
        int count;
        int capacity;
        std::vector<int> indexes;
    };
    auto run = [](int first, int n, int step) {
        std::vector<int> v;
        for (int k = 0; k < n; ++k)
            v.push_back(first + k * step);
        return v;
    };
    const Case cases[] = {
        { "into an empty chain", 0, kMaxPortPoints, run(0, 40, 1) },
        { "before every point", 30, kMaxPortPoints, run(0, 20, 1) },
        { "after every point", 30, kMaxPortPoints, run(30, 20, 1) },
        { "every other slot", 25, kMaxPortPoints, run(0, 25, 2) },
        { "every third from the second", 40, kMaxPortPoints, run(1, 20, 3) },
        { "cut by the capacity", 30, 45, run(2, 20, 2) },
    };
    for (const Case& c : cases) {
        std::vector<CLPoint> chain;
        for (int i = 0; i < c.count; ++i)
            chain.push_back(Pt(i, 0));
        std::vector<CLPoint> given;
        for (size_t k = 0; k < c.indexes.size(); ++k)
            given.push_back(Pt(static_cast<int>(k), 1));
        const int room = std::min(static_cast<int>(given.size()), c.capacity - c.count);
        const std::vector<CLPoint> reference
            = InsertOneByOne(chain, std::vector<CLPoint>(given.begin(), given.begin() + room),
                std::vector<int>(c.indexes.begin(), c.indexes.begin() + room));
        LayoutPort port = MakePort(c.capacity, chain);
        ASSERT_EQ(room, port.InsertPoints(given.data(), static_cast<int>(given.size()), c.indexes.data())) << c.name;
        EXPECT_EQ(Cells(reference), Cells(port)) << c.name;
    }
}

TEST(LayoutPort, UndoStyleRoundTripOfManyPoints)
{
    std::vector<CLPoint> chain;
    for (int i = 0; i < 500; ++i)
        chain.push_back(Pt(i % 37, i / 37));
    LayoutPort port = MakePort(kMaxPortPoints, chain);
    std::vector<CLPoint> given;
    for (int i = 3; i < 500; i += 7)
        given.push_back(chain[static_cast<size_t>(i)]);
    std::vector<int> idx(given.size());
    const int n = static_cast<int>(given.size());
    ASSERT_EQ(n, port.RemovePoints(given.data(), n, idx.data()));
    ASSERT_EQ(n, port.InsertPoints(given.data(), n, idx.data()));
    EXPECT_EQ(Cells(chain), Cells(port));
}

TEST(LayoutPort, BoundsAndFillsRectangle)
{
    struct Case {
        const char* name;
        std::vector<CLPoint> points;
        CRect bounds;
        bool fills;
    };
    const Case cases[] = {
        { "empty", {}, CRect(65535, 65535, 1, 1), false },
        { "single", { Pt(5, 7) }, CRect(4, 6, 6, 8), true },
        { "3 x 2 block", { Pt(2, 3), Pt(3, 3), Pt(4, 3), Pt(4, 4), Pt(3, 4), Pt(2, 4) }, CRect(1, 2, 5, 5), true },
        { "block less one", { Pt(2, 3), Pt(3, 3), Pt(4, 3), Pt(4, 4), Pt(3, 4) }, CRect(1, 2, 5, 5), false },
        { "block with a doubled cell instead of one", { Pt(2, 3), Pt(3, 3), Pt(4, 3), Pt(4, 4), Pt(3, 4), Pt(3, 4) },
            CRect(1, 2, 5, 5), false },
        { "line", { Pt(0, 0), Pt(1, 0), Pt(2, 0) }, CRect(-1, -1, 3, 1), true },
        { "diagonal", { Pt(0, 0), Pt(1, 1) }, CRect(-1, -1, 2, 2), false },
        { "far apart", { Pt(0, 0), Pt(60000, 60000) }, CRect(-1, -1, 60001, 60001), false },
        // The largest value starts at 0, so a negative-only port spans to column 0.
        { "negative cells", { Pt(-2, -2), Pt(-1, -2) }, CRect(-3, -3, 1, 1), false },
        // Cells as far apart as a file can put them: the bounds stop at the
        // int range and the spans are counted without overflow.
        { "corners of the int range", { Pt(INT_MIN, INT_MIN), Pt(INT_MAX, INT_MAX) },
            CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), false },
        { "ends of one row", { Pt(INT_MIN, 0), Pt(INT_MAX, 0) }, CRect(INT_MIN, -1, INT_MAX, 1), false },
        { "one cell at the largest corner", { Pt(INT_MAX, INT_MAX) }, CRect(65535, 65535, INT_MAX, INT_MAX), false },
    };
    for (const Case& c : cases) {
        LayoutPort port = MakePort(64, c.points);
        EXPECT_EQ(c.bounds, port.GetBounds()) << c.name;
        EXPECT_EQ(c.fills, port.FillsRectangle()) << c.name;
    }

    // Removing one point of a filled block clears the flag.
    LayoutPort block = MakePort(64, { Pt(2, 3), Pt(3, 3), Pt(4, 3), Pt(4, 4), Pt(3, 4), Pt(2, 4) });
    ASSERT_TRUE(block.FillsRectangle());
    const CLPoint gone = Pt(3, 3);
    block.RemovePoints(&gone, 1);
    EXPECT_FALSE(block.FillsRectangle());
}

TEST(LayoutPort, HasPointAtAndFindIndexInLongAndShortChains)
{
    for (int length : { 5, 200 }) {
        std::vector<CLPoint> chain;
        for (int i = 0; i < length; ++i)
            chain.push_back(Pt(i % 10, i / 10));
        chain.push_back(Pt(3, 0)); // the same cell as index 3, later in the chain
        LayoutPort port = MakePort(kMaxPortPoints, chain);
        EXPECT_TRUE(port.HasPointAt(3, 0)) << length;
        EXPECT_FALSE(port.HasPointAt(11, 0)) << length;
        EXPECT_FALSE(port.HasPointAt(-1, -1)) << length;
        EXPECT_EQ(length, port.FindPointIndex(3, 0)) << length;
        EXPECT_EQ(3, port.FindPointIndex(3, 0, 3)) << length;
        EXPECT_EQ(length, port.FindPointIndex(3, 0, 1)) << length; // preferred not on the cell
        EXPECT_EQ(-1, port.FindPointIndex(12, 12)) << length;
        std::vector<int> all;
        port.CollectIndexesAt(3, 0, all);
        EXPECT_EQ((std::vector<int> { length, 3 }), all) << length;
    }
}

TEST(LayoutPort, ExchangePoint)
{
    LayoutPort port = MakePort(8, { Pt(1, 1), Pt(2, 2) });
    CLPoint old(99, 99);
    EXPECT_FALSE(port.ExchangePoint(Pt(5, 5), 2, old));
    EXPECT_FALSE(port.ExchangePoint(Pt(5, 5), -1, old));
    EXPECT_EQ(99, old.x);
    EXPECT_TRUE(port.ExchangePoint(Pt(5, 5), 1, old));
    EXPECT_EQ(2, old.x);
    EXPECT_TRUE(port.HasPointAt(5, 5));
    EXPECT_FALSE(port.HasPointAt(2, 2));
    EXPECT_EQ(CRect(0, 0, 6, 6), port.GetBounds());
}

class OffsetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorSettings();
        LayoutWidth = 100;
        LayoutHeight = 50;
    }
    void TearDown() override { ResetEditorSettings(); }
};

TEST_F(OffsetTest, AlignedMovesByCellAndTakesCellCentre)
{
    AlignToGrid = 1;
    CLPoint p(10, 20);
    p.m_normX = 0.9;
    p.m_normY = 0.9;
    LayoutPort port = MakePort(4, { p, Pt(0, 0) });
    CLPoint d(2, -1);
    d.m_normX = 0.5;
    d.m_normY = 0.5;
    const int idx[] = { 0 };
    ASSERT_TRUE(port.OffsetPoints(idx, 1, d));
    EXPECT_EQ(12, port.GetPoint(0).x);
    EXPECT_EQ(19, port.GetPoint(0).y);
    EXPECT_DOUBLE_EQ(12.5 / 100, port.GetPoint(0).m_normX);
    EXPECT_DOUBLE_EQ(19.5 / 50, port.GetPoint(0).m_normY);
    EXPECT_EQ(0, port.GetPoint(1).x); // not listed
    EXPECT_EQ(-2, d.x); // the record is negated
    EXPECT_EQ(1, d.y);
    EXPECT_EQ(-0.5, d.m_normX);
    ASSERT_TRUE(port.OffsetPoints(idx, 1, d));
    EXPECT_EQ(10, port.GetPoint(0).x);
    EXPECT_EQ(20, port.GetPoint(0).y);
    EXPECT_EQ(CRect(-1, -1, 11, 21), port.GetBounds());
}

TEST_F(OffsetTest, UnalignedMovesByNormalisedOffsetAndTruncates)
{
    AlignToGrid = 0;
    CLPoint p(10, 20);
    p.m_normX = 0.105;
    p.m_normY = 0.41;
    LayoutPort port = MakePort(4, { p });
    CLPoint d(5, 5); // cell part is overwritten by the truncation
    d.m_normX = 0.02;
    d.m_normY = -0.03;
    const int idx[] = { 0 };
    ASSERT_TRUE(port.OffsetPoints(idx, 1, d));
    EXPECT_DOUBLE_EQ(0.125, port.GetPoint(0).m_normX);
    EXPECT_DOUBLE_EQ(0.38, port.GetPoint(0).m_normY);
    EXPECT_EQ(12, port.GetPoint(0).x); // int(100 x 0.125)
    EXPECT_EQ(static_cast<int>(50 * (0.41 + -0.03)), port.GetPoint(0).y); // truncated toward zero
    ASSERT_TRUE(port.OffsetPoints(idx, 1, d));
    EXPECT_DOUBLE_EQ(0.105, port.GetPoint(0).m_normX);
    EXPECT_DOUBLE_EQ(0.41, port.GetPoint(0).m_normY);
    EXPECT_EQ(10, port.GetPoint(0).x);
    EXPECT_EQ(20, port.GetPoint(0).y);
}

TEST_F(OffsetTest, PerPointOffsetsAndRefusals)
{
    AlignToGrid = 1;
    LayoutPort port = MakePort(4, { Pt(1, 1), Pt(5, 5) });
    CLPoint d[2] = { CLPoint(1, 0), CLPoint(0, 2) };
    d[0].m_normX = d[0].m_normY = d[1].m_normX = d[1].m_normY = 0;
    const int idx[] = { 0, 1 };
    ASSERT_TRUE(port.OffsetPointsAndNegate(idx, 2, d));
    EXPECT_EQ((CellList { { 2, 1 }, { 5, 7 } }), Cells(port));
    EXPECT_EQ(-1, d[0].x);
    EXPECT_EQ(-2, d[1].y);
    ASSERT_TRUE(port.OffsetPointsAndNegate(idx, 2, d));
    EXPECT_EQ((CellList { { 1, 1 }, { 5, 5 } }), Cells(port));

    EXPECT_FALSE(port.OffsetPoints(nullptr, 1, d[0]));
    EXPECT_FALSE(port.OffsetPoints(idx, 0, d[0]));
    EXPECT_FALSE(port.OffsetPointsAndNegate(idx, 0, d));
    const int outside[] = { 7 };
    EXPECT_TRUE(port.OffsetPoints(outside, 1, d[0])); // skipped, no harm
    EXPECT_EQ((CellList { { 1, 1 }, { 5, 5 } }), Cells(port));
}

TEST(LayoutPort, ReversePointRange)
{
    struct Case {
        int first;
        int last;
        CellList expected;
    };
    const CellList abcdef = { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0 }, { 5, 0 } };
    const Case cases[] = {
        { 2, 5, { { 0, 0 }, { 4, 0 }, { 3, 0 }, { 2, 0 }, { 1, 0 }, { 5, 0 } } },
        { 1, 6, { { 5, 0 }, { 4, 0 }, { 3, 0 }, { 2, 0 }, { 1, 0 }, { 0, 0 } } }, { 3, 3, abcdef }, // one point
        { 0, 3, abcdef }, // first below 1
        { -2, 3, abcdef }, { 4, 2, abcdef }, // first above last
        { 2, 7, abcdef }, // fewer than last points
    };
    for (const Case& c : cases) {
        LayoutPort port = MakePort(8, { Pt(0, 0), Pt(1, 0), Pt(2, 0), Pt(3, 0), Pt(4, 0), Pt(5, 0) });
        const CRect bounds = port.GetBounds();
        ReversePointRange(c.first, c.last, port);
        EXPECT_EQ(c.expected, Cells(port)) << c.first << ".." << c.last;
        EXPECT_EQ(bounds, port.GetBounds());
        // Cell look-ups follow the new order.
        for (size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(static_cast<int>(i), port.FindPointIndex(c.expected[i].first, 0));
    }
    LayoutPort empty;
    ReversePointRange(1, 1, empty);
    EXPECT_EQ(0, empty.GetCount());
}

TEST(LayoutPort, ThinOut)
{
    struct Case {
        int count;
        int n;
        std::vector<int> kept;
    };
    const Case cases[] = {
        { 9, 2, { 0, 3, 6 } },
        { 9, 1, { 0, 2, 4, 6, 8 } },
        { 9, 8, { 0 } },
        { 9, 20, { 0 } },
        { 9, 0, { 0, 1, 2, 3, 4, 5, 6, 7, 8 } }, // refused
        { 9, -1, { 0, 1, 2, 3, 4, 5, 6, 7, 8 } }, // refused
        { 0, 2, {} },
    };
    for (const Case& c : cases) {
        std::vector<CLPoint> chain;
        for (int i = 0; i < c.count; ++i)
            chain.push_back(Pt(i, 0));
        LayoutPort port = MakePort(16, chain);
        const int removed = port.ThinOut(c.n);
        CellList expected;
        for (int k : c.kept)
            expected.emplace_back(k, 0);
        EXPECT_EQ(expected, Cells(port)) << c.count << " by " << c.n;
        EXPECT_EQ(c.count - static_cast<int>(c.kept.size()), removed);
        if (!c.kept.empty()) {
            EXPECT_EQ(c.kept.back() + 1, port.GetBounds().right);
        }
    }
}
