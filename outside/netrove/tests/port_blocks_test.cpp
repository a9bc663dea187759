// Frame-data blocks of one port, checked against blocks laid out by hand.
#include "PortBlocks.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Outputs {
    std::array<Bytes, 16> data;
    std::array<const unsigned char*, 16> ptr {};
    std::array<unsigned short, 16> len {};

    void Set(int output, std::size_t n, std::uint8_t seed)
    {
        data[output].resize(n);
        for (std::size_t i = 0; i < n; ++i)
            data[output][i] = std::uint8_t(seed + i * 7);
        ptr[output] = data[output].data();
        len[output] = static_cast<unsigned short>(n);
    }

    Bytes Pack(unsigned short port) const
    {
        Bytes out;
        netrove::PackPortBlocks(ptr.data(), len.data(), port, out);
        return out;
    }
};

// Expected block header.
Bytes Header(unsigned short port, std::uint8_t chunks)
{
    return { 'Q', 'V', 'T', 'N', std::uint8_t(port), std::uint8_t(port >> 8), chunks, 1 };
}

void AppendChunk(Bytes& block, std::uint32_t position, const std::uint8_t* data, std::size_t n)
{
    for (int i = 0; i < 4; ++i)
        block.push_back(std::uint8_t(position >> (8 * i)));
    block.push_back(std::uint8_t(n));
    block.push_back(std::uint8_t(n >> 8));
    block.insert(block.end(), data, data + n);
}

TEST(PortBlocks, SmallOutputsShareOneBlock)
{
    Outputs o;
    o.Set(0, 4, 1);
    o.Set(2, 3, 50);
    Bytes expected = Header(0x0102, 2);
    AppendChunk(expected, 0x00000000, o.data[0].data(), 4);
    AppendChunk(expected, 0x00020000, o.data[2].data(), 3);
    expected.resize(1472, 0);
    EXPECT_EQ(o.Pack(0x0102), expected);
}

TEST(PortBlocks, OutputThatFillsTheChunkAreaGivesOneBlockOnly)
{
    Outputs o;
    o.Set(0, 1464 - 6, 9);
    Bytes expected = Header(3, 1);
    AppendChunk(expected, 0, o.data[0].data(), 1458);
    ASSERT_EQ(expected.size(), 1472u);
    EXPECT_EQ(o.Pack(3), expected);
}

TEST(PortBlocks, LongOutputIsSplitAcrossBlocksAtMultiplesOfFour)
{
    Outputs o;
    o.Set(0, 5, 3);
    o.Set(1, 2000, 11);
    Bytes packed = o.Pack(7);
    ASSERT_EQ(packed.size(), 2u * 1472);

    // Block 1: output 0 (11 bytes with its header) leaves 1453 free; output 1
    // gets (1453 - 6) rounded down to 4 = 1444 bytes; 3 bytes remain, too few.
    Bytes first = Header(7, 2);
    AppendChunk(first, 0, o.data[0].data(), 5);
    AppendChunk(first, 0x00010000, o.data[1].data(), 1444);
    first.resize(1472, 0);
    // Block 2: the other 556 bytes at offset 1444.
    Bytes second = Header(7, 1);
    AppendChunk(second, 0x00010000 + 1444, o.data[1].data() + 1444, 556);
    second.resize(1472, 0);

    EXPECT_EQ(Bytes(packed.begin(), packed.begin() + 1472), first);
    EXPECT_EQ(Bytes(packed.begin() + 1472, packed.end()), second);
}

TEST(PortBlocks, NoOutputsGiveNoBlocks)
{
    Outputs o;
    EXPECT_TRUE(o.Pack(1).empty());
}

} // namespace
