// Opening show files: header blocks, geometry from the first frame, single
// frames, the layout copy and its trailer; broken and hostile files are
// refused without changing what was read before.
#include <gtest/gtest.h>

#include "ShowFile.h"
#include "ShowFileWriter.h"

using namespace tavisk_test;
using namespace preview;

namespace {

constexpr std::size_t kBlock = 1048576;

// Two ports of three outputs; the largest output is 512 bytes.
TestShow TwoPortShow(int frames)
{
    TestShow show;
    show.firstPort = 3;
    for (int f = 0; f < frames; ++f) {
        std::vector<TestSlot> slots = PackPort(3, { Ramp(300, f), Ramp(512, f + 1), Ramp(90, f + 2) });
        const std::vector<TestSlot> second = PackPort(4, { Ramp(30, f), Ramp(30, f), Ramp(30, f) }, BYTE(f * 31 + 1));
        slots.insert(slots.end(), second.begin(), second.end());
        show.frames.push_back(slots);
    }
    show.layout = { 'Q', 'V', 'T', 'N', 'L', 'A', 'Y', 'O', 'U', 'T', 1, 2, 3 };
    return show;
}

struct Opened {
    ShowOpenResult result;
    ShowGeometry geometry;
};

Opened Open(const CString& path)
{
    std::vector<BYTE> a, b, frame;
    Opened opened {};
    opened.result = ReadShowFile(path, a, b, frame, opened.geometry);
    return opened;
}

} // namespace

TEST(ShowFile, GeometryOfATwoPortFile)
{
    CScratchFolder folder;
    const TestShow show = TwoPortShow(3);
    const std::vector<BYTE> bytes = ShowBytes(show);
    const CString path = folder.Path(L"OFF001.arm");
    WriteBytes(path, bytes);

    std::vector<BYTE> a, b, frame0;
    ShowGeometry geometry;
    ASSERT_EQ(ReadShowFile(path, a, b, frame0, geometry), ShowOpenResult::Ok);
    EXPECT_EQ(geometry.sectors, ShowSectors(show));
    EXPECT_EQ(geometry.frameCount, 3u);
    EXPECT_EQ(geometry.firstPort, 3);
    EXPECT_EQ(geometry.portCount, 2);
    EXPECT_EQ(geometry.largestOutputCount, 3);
    EXPECT_EQ(geometry.largestOutputLength, 512);
    EXPECT_EQ(geometry.framesEnd, bytes.size() - 13 - 10);
    EXPECT_TRUE(std::equal(a.begin(), a.end(), bytes.begin()));
    EXPECT_TRUE(std::equal(b.begin(), b.end(), bytes.begin() + kBlock));
    ASSERT_EQ(frame0.size(), geometry.FrameBytes());
    EXPECT_TRUE(std::equal(frame0.begin(), frame0.end(), bytes.begin() + 2 * kBlock));
    EXPECT_EQ(frame0[0], 'Q'); // the frame header

    std::vector<BYTE> frame;
    ASSERT_TRUE(ReadShowFrame(path, geometry, 2, frame));
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), bytes.begin() + 2 * kBlock + 2 * geometry.FrameBytes()));
    EXPECT_FALSE(ReadShowFrame(path, geometry, 3, frame)); // the layout copy is no frame

    std::vector<BYTE> layout;
    ASSERT_TRUE(ReadEmbeddedLayout(path, layout));
    EXPECT_EQ(layout, show.layout);
}

TEST(ShowFile, OutputsStopAtTheFirstEmptyOne)
{
    CScratchFolder folder;
    TestShow show;
    // Outputs 0 and 2 have data, output 1 none: one output counts.
    show.frames.push_back(PackPort(1, { Ramp(60, 0), {}, Ramp(900, 0) }));
    WriteBytes(folder.Path(L"a.arm"), ShowBytes(show));
    const Opened opened = Open(folder.Path(L"a.arm"));
    ASSERT_EQ(opened.result, ShowOpenResult::Ok);
    EXPECT_EQ(opened.geometry.largestOutputCount, 1);
    EXPECT_EQ(opened.geometry.largestOutputLength, 60);
}

TEST(ShowFile, LastFrameEndingAtTheFileEndIsRead)
{
    // A file recorded without a layout ends right after its last frame.
    CScratchFolder folder;
    TestShow show = TwoPortShow(2);
    show.layout.clear();
    const CString path = folder.Path(L"OFF002.arm");
    WriteBytes(path, ShowBytes(show));
    const Opened opened = Open(path);
    ASSERT_EQ(opened.result, ShowOpenResult::Ok);
    EXPECT_EQ(opened.geometry.frameCount, 2u);
    std::vector<BYTE> frame;
    EXPECT_TRUE(ReadShowFrame(path, opened.geometry, 1, frame));
    std::vector<BYTE> layout;
    EXPECT_FALSE(ReadEmbeddedLayout(path, layout));
}

TEST(ShowFile, HostileFilesAreRefused)
{
    CScratchFolder folder;
    const std::vector<BYTE> good = ShowBytes(TwoPortShow(3));
    const std::size_t frameSize = static_cast<std::size_t>(ShowSectors(TwoPortShow(3))) * 512;
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
        ShowOpenResult result;
    };
    auto withSectors = [&](int sectors) {
        std::vector<BYTE> bytes = good;
        bytes[2] = BYTE(sectors & 0xFF);
        bytes[3] = BYTE(sectors >> 8);
        return bytes;
    };
    auto withFrames = [&](std::uint32_t frames) {
        std::vector<BYTE> bytes = good;
        for (int i = 0; i < 4; ++i)
            bytes[4 + static_cast<std::size_t>(i)] = BYTE(frames >> (8 * i));
        return bytes;
    };
    const Case cases[] = {
        { "empty", {}, ShowOpenResult::Broken },
        { "inside block A", std::vector<BYTE>(good.begin(), good.begin() + 5000), ShowOpenResult::Broken },
        { "inside block B", std::vector<BYTE>(good.begin(), good.begin() + kBlock + 100), ShowOpenResult::Broken },
        { "no frame", std::vector<BYTE>(good.begin(), good.begin() + 2 * kBlock), ShowOpenResult::Broken },
        { "half a frame", std::vector<BYTE>(good.begin(), good.begin() + static_cast<long>(2 * kBlock + frameSize / 2)),
            ShowOpenResult::Broken },
        { "frame size 0", withSectors(0), ShowOpenResult::Broken },
        { "frame size without a slot", withSectors(3), ShowOpenResult::Broken },
        { "frame size beyond the largest frame", withSectors(30000), ShowOpenResult::Broken },
        { "frame size beyond the file", withSectors(0xFFFF), ShowOpenResult::Broken },
        { "zero frames", withFrames(0), ShowOpenResult::Broken },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const CString path = folder.Path(L"bad.arm");
        WriteBytes(path, test.bytes);
        std::vector<BYTE> a(3, 7), b(3, 8), frame(3, 9);
        ShowGeometry geometry;
        geometry.sectors = 77;
        EXPECT_EQ(ReadShowFile(path, a, b, frame, geometry), test.result);
        // What was read before stays.
        EXPECT_EQ(geometry.sectors, 77);
        EXPECT_EQ(a, std::vector<BYTE>(3, 7));
        EXPECT_EQ(frame, std::vector<BYTE>(3, 9));
    }
    EXPECT_EQ(Open(folder.Path(L"missing.arm")).result, ShowOpenResult::NotOpened);
}

TEST(ShowFile, FrameCountIsCutToTheFramesInTheFile)
{
    CScratchFolder folder;
    TestShow show = TwoPortShow(3);
    show.headerFrames = 0x7FFFFFFF;
    WriteBytes(folder.Path(L"a.arm"), ShowBytes(show));
    EXPECT_EQ(Open(folder.Path(L"a.arm")).geometry.frameCount, 3u);

    show.headerFrames = 2; // fewer than stored: the header holds
    WriteBytes(folder.Path(L"b.arm"), ShowBytes(show));
    EXPECT_EQ(Open(folder.Path(L"b.arm")).geometry.frameCount, 2u);
}

TEST(ShowFile, TrailerRules)
{
    const ULONGLONG length = 2 * kBlock + 4096 + 50 + 10;
    auto trailer = [](std::uint32_t layout, const char* text) {
        std::vector<BYTE> bytes(10);
        for (int i = 0; i < 4; ++i)
            bytes[static_cast<std::size_t>(i)] = BYTE(layout >> (8 * i));
        std::copy_n(text, 6, bytes.begin() + 4);
        MaskWithLayoutKey(bytes.data(), bytes.size());
        return bytes;
    };
    EXPECT_EQ(FramesEndFromTrailer(trailer(50, "LAYOUT").data(), length), length - 60);
    EXPECT_EQ(FramesEndFromTrailer(trailer(0, "LAYOUT").data(), length), length - 10);
    EXPECT_EQ(FramesEndFromTrailer(trailer(50, "LAYOUX").data(), length), length); // wrong text
    EXPECT_EQ(FramesEndFromTrailer(trailer(0xFFFFFFFF, "LAYOUT").data(), length), length); // absurd length
    EXPECT_EQ(FramesEndFromTrailer(trailer(4096 + 51, "LAYOUT").data(), length), length); // into block B
    EXPECT_EQ(FramesEndFromTrailer(trailer(4096 + 50, "LAYOUT").data(), length), 2 * kBlock);

    // A file whose trailer is wrong has no layout copy; its frames still open.
    CScratchFolder folder;
    TestShow show = TwoPortShow(2);
    std::vector<BYTE> bytes = ShowBytes(show);
    bytes[bytes.size() - 1] ^= 0x01;
    WriteBytes(folder.Path(L"c.arm"), bytes);
    std::vector<BYTE> layout;
    EXPECT_FALSE(ReadEmbeddedLayout(folder.Path(L"c.arm"), layout));
    EXPECT_EQ(Open(folder.Path(L"c.arm")).geometry.frameCount, 2u);
}
