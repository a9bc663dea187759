// The spare buffers that dropped undo steps leave for the next edits.
#include <gtest/gtest.h>

#include "LayoutSpareBuffers.h"

namespace {

std::vector<int> Buffer(size_t room)
{
    std::vector<int> buffer;
    buffer.reserve(room);
    buffer.assign(room / 2, 7);
    return buffer;
}

TEST(SpareBuffers, AKeptBufferServesRequestsUpToFourTimesSmaller)
{
    struct Case {
        size_t room;
        size_t asked;
        bool reused;
    };
    const Case cases[] = {
        { 4000, 4000, true }, { 4000, 1000, true }, { 4000, 999, false }, // too large for the need
        { 4000, 4001, false }, // too small
        { 100, 100, false }, // too small to be kept at all
    };
    for (const Case& c : cases) {
        CSpareBufferList<int> spares;
        spares.SetLimit(1 << 20);
        std::vector<int> given = Buffer(c.room);
        const int* storage = given.data();
        spares.Give(std::move(given));
        const std::vector<int> taken = spares.Take(c.asked);
        EXPECT_TRUE(taken.empty()) << c.room << " " << c.asked;
        EXPECT_GE(taken.capacity(), c.asked);
        EXPECT_EQ(c.reused, taken.data() == storage) << c.room << " " << c.asked;
        EXPECT_EQ(c.reused || c.room < 256 ? 0u : 1u, spares.GetCount()) << c.room << " " << c.asked;
    }
}

TEST(SpareBuffers, TheSmallestFittingBufferGoesFirst)
{
    CSpareBufferList<int> spares;
    spares.SetLimit(1 << 20);
    std::vector<const int*> storage;
    for (size_t room : { 4000, 1000, 2000 }) {
        std::vector<int> given = Buffer(room);
        storage.push_back(given.data());
        spares.Give(std::move(given));
    }
    EXPECT_EQ(storage[2], spares.Take(1500).data());
    EXPECT_EQ(storage[0], spares.Take(1500).data());
    EXPECT_EQ(storage[1], spares.Take(900).data());
    EXPECT_EQ(0u, spares.GetBytes());
}

TEST(SpareBuffers, TheLimitFreesTheOldestFirst)
{
    CSpareBufferList<int> spares;
    spares.SetLimit(3000 * sizeof(int));
    std::vector<const int*> storage;
    for (int k = 0; k < 3; ++k) {
        std::vector<int> given = Buffer(1000);
        storage.push_back(given.data());
        spares.Give(std::move(given));
    }
    EXPECT_EQ(3000 * sizeof(int), spares.GetBytes());
    spares.Give(Buffer(1500)); // the two oldest make room
    EXPECT_EQ(2u, spares.GetCount());
    EXPECT_EQ(storage[2], spares.Take(1000).data());
    spares.Give(Buffer(4000)); // larger than the limit: not kept
    EXPECT_EQ(1500 * sizeof(int), spares.GetBytes());
    spares.SetLimit(1000 * sizeof(int));
    EXPECT_EQ(0u, spares.GetCount());
}

TEST(SpareBuffers, LampsAndIndexesHaveALimitEach)
{
    CSpareBuffers spares;
    spares.SetLimit(1000);
    std::vector<CLPoint> points;
    points.reserve(1000);
    std::vector<int> indexes(1000);
    spares.Give(std::move(points));
    spares.Give(std::move(indexes));
    EXPECT_EQ(2u, spares.GetCount());
    EXPECT_EQ(1000 * (sizeof(CLPoint) + sizeof(int)), spares.GetBytes());
    spares.Clear();
    EXPECT_EQ(0u, spares.GetBytes());
}

} // namespace
