// The packet-slot readers: first port, port runs, gathering and the chunks
// of one output, on slots laid out by hand (plain and scrambled).
#include <gtest/gtest.h>

#include <vector>

#include "ShowFileWriter.h"
#include "ShowSlots.h"

using namespace tavisk_test;
using namespace preview;

namespace {

constexpr std::size_t kBlock = 1048576;

// A frame (header sector and slots) of these slots.
std::vector<BYTE> FrameOf(const std::vector<TestSlot>& slots, int& sectors)
{
    sectors = 1 + 3 * static_cast<int>(slots.size());
    std::vector<BYTE> frame(static_cast<std::size_t>(sectors) * 512, 0);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const std::vector<BYTE> bytes = SlotBytes(slots[i]);
        std::copy(bytes.begin(), bytes.end(), frame.begin() + static_cast<long>(512 + i * 1536));
    }
    return frame;
}

std::vector<BYTE> CommandBlockOf(const TestShow& show)
{
    const std::vector<BYTE> file = ShowBytes(show);
    return std::vector<BYTE>(file.begin() + kBlock, file.begin() + 2 * kBlock);
}

TestSlot DataSlot(int port, std::vector<TestChunk> chunks, BYTE k = 0)
{
    TestSlot slot;
    slot.port = port;
    slot.chunks = std::move(chunks);
    slot.k = k;
    return slot;
}

} // namespace

TEST(ShowSlots, FirstPortFromTheStartCommand)
{
    TestShow show;
    show.firstPort = 5;
    EXPECT_EQ(FindFirstPort(CommandBlockOf(show).data()), 5);
    show.commandK = 0x5A; // scrambled commands read the same
    EXPECT_EQ(FindFirstPort(CommandBlockOf(show).data()), 5);
    show.commandSectors = 6; // too short: no slot is read
    EXPECT_EQ(FindFirstPort(CommandBlockOf(show).data()), -1);
    show.commandSectors = 7;
    show.firstPort = -1; // only a sync command
    EXPECT_EQ(FindFirstPort(CommandBlockOf(show).data()), -1);
}

TEST(ShowSlots, HostileCommandLengthStaysInsideTheBlock)
{
    TestShow show;
    show.firstPort = -1;
    show.commandSectors = 0xFFFF; // 21844 slots claimed, 682 fit
    std::vector<BYTE> block = CommandBlockOf(show);
    EXPECT_EQ(FindFirstPort(block.data()), -1);
    // A start command in the block's last slot is still found.
    TestSlot start;
    start.code = 14;
    std::vector<BYTE> slot = SlotBytes(start);
    slot[56] = 9;
    std::copy(slot.begin(), slot.end(), block.begin() + static_cast<long>(512 + (kMaxCommandSlots - 1) * 1536));
    EXPECT_EQ(FindFirstPort(block.data()), 9);
}

TEST(ShowSlots, PortRunsAreCounted)
{
    int sectors = 0;
    auto chunk = std::vector<TestChunk> { { 0, { 1, 2, 3 } } };
    std::vector<BYTE> frame
        = FrameOf({ DataSlot(3, chunk), DataSlot(3, chunk, 7), DataSlot(4, chunk), DataSlot(3, chunk) }, sectors);
    EXPECT_EQ(CountFramePorts(sectors, frame.data()), 3);

    // Leading slots of port 0 are no port; command slots are skipped.
    TestSlot command;
    command.code = 14;
    command.port = 9;
    frame = FrameOf({ DataSlot(0, chunk), DataSlot(0, chunk), command, DataSlot(5, chunk) }, sectors);
    EXPECT_EQ(CountFramePorts(sectors, frame.data()), 1);
}

TEST(ShowSlots, GatheringKeepsTheStoredFormWithTheNewPortNumber)
{
    int sectors = 0;
    auto chunk = std::vector<TestChunk> { { 0, { 10, 20, 30 } } };
    const std::vector<BYTE> frame
        = FrameOf({ DataSlot(2, chunk, 0x33), DataSlot(3, chunk), DataSlot(2, chunk, 0x44) }, sectors);
    std::vector<BYTE> gathered(frame.size());
    int bytes = 0;
    GatherPortSlots(sectors, frame.data(), 2, 0x0102, gathered.data(), bytes);
    ASSERT_EQ(bytes, 2 * 1536);
    EXPECT_EQ(SlotByte(gathered.data(), 46), 0x02);
    EXPECT_EQ(SlotByte(gathered.data(), 47), 0x01);
    EXPECT_EQ(gathered[46], 0x02 ^ 0x33); // stored form
    EXPECT_EQ(SlotByte(gathered.data() + 1536, 19), 0x44);
    std::vector<BYTE> output(kOutputBufferSize);
    EXPECT_EQ(ParseOutputChunks(gathered.data(), 2, 0, output.data()), 6);
    EXPECT_EQ(output[3], 10);
}

TEST(ShowSlots, ChunkParsingRules)
{
    struct Case {
        const char* name;
        TestSlot slot;
        int output;
        int length;
    };
    const std::vector<BYTE> a(5, 0xA1);
    const std::vector<BYTE> b(7, 0xB2);
    const std::vector<BYTE> c(3, 0xC3);
    TestSlot capped = DataSlot(1, { { 0, a }, { 0, b }, { 0, c } });
    capped.chunkCount = 2;
    const Case cases[] = {
        { "outputs in order", DataSlot(1, { { 0, a }, { 1, b }, { 0, c } }), 0, 8 },
        { "second output", DataSlot(1, { { 0, a }, { 1, b }, { 0, c } }), 1, 7 },
        { "output 8 ends the slot", DataSlot(1, { { 0, a }, { 8, b }, { 0, c } }), 0, 5 },
        { "length 0 ends the slot", DataSlot(1, { { 0, a }, { 0, {} }, { 0, c } }), 0, 5 },
        { "chunk count caps the chunks", capped, 0, 12 },
        { "scrambled", DataSlot(1, { { 0, a }, { 1, b }, { 0, c } }, 0xE7), 0, 8 },
        { "missing output", DataSlot(1, { { 0, a }, { 2, b } }), 1, 0 },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const std::vector<BYTE> slot = SlotBytes(test.slot);
        std::vector<BYTE> output(kOutputBufferSize, 0);
        EXPECT_EQ(ParseOutputChunks(slot.data(), 1, test.output, output.data()), test.length);
    }
    // The data come back unscrambled and in chunk order.
    const std::vector<BYTE> slot = SlotBytes(DataSlot(1, { { 0, a }, { 1, b }, { 0, c } }, 0xE7));
    std::vector<BYTE> output(kOutputBufferSize, 0);
    ParseOutputChunks(slot.data(), 1, 0, output.data());
    EXPECT_EQ(output[4], 0xA1);
    EXPECT_EQ(output[5], 0xC3);
    EXPECT_EQ(output[8], 0);
}

TEST(ShowSlots, ChunkRunningPastThePayloadEndsTheSlot)
{
    std::vector<BYTE> slot = SlotBytes(DataSlot(1, { { 0, { 1, 2, 3 } } }));
    // A hostile length of 60000 bytes for a chunk that starts at byte 50.
    slot[54] = 60000 & 0xFF;
    slot[55] = 60000 >> 8;
    std::vector<BYTE> output(kOutputBufferSize, 0);
    EXPECT_EQ(ParseOutputChunks(slot.data(), 1, 0, output.data()), 0);
    // A chunk that fills the payload exactly is taken.
    slot = SlotBytes(DataSlot(1, { { 0, std::vector<BYTE>(1464 - 6, 9) } }));
    EXPECT_EQ(ParseOutputChunks(slot.data(), 1, 0, output.data()), 1458);
}

TEST(ShowSlots, LongOutputKeeps4096Bytes)
{
    const std::vector<BYTE> data = Ramp(4500, 0);
    const std::vector<TestSlot> slots = PackPort(1, { data });
    ASSERT_EQ(slots.size(), 4u);
    int sectors = 0;
    const std::vector<BYTE> frame = FrameOf(slots, sectors);
    std::vector<BYTE> gathered(frame.size());
    int bytes = 0;
    GatherPortSlots(sectors, frame.data(), 1, 1, gathered.data(), bytes);
    std::vector<BYTE> output(kOutputBufferSize + 16, 0xEE);
    EXPECT_EQ(ParseOutputChunks(gathered.data(), bytes / 1536, 0, output.data()), 4500);
    EXPECT_TRUE(std::equal(output.begin(), output.begin() + kOutputBufferSize, data.begin()));
    EXPECT_EQ(output[kOutputBufferSize], 0xEE); // nothing stored past the buffer
}
