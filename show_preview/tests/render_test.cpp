// Layouts read for the preview (both formats, from files and from the copy
// inside a show file) and frames drawn raw and on a layout, checked pixel by
// pixel.
#include <gtest/gtest.h>

#include "FileScrambler.h"
#include "FrameRender.h"
#include "PreviewLayout.h"
#include "ShowFile.h"
#include "ShowFileWriter.h"

using namespace tavisk_test;
using namespace preview;

namespace {

CLPoint Lamp(int x, int y)
{
    return CLPoint(x, y);
}

// The colour of a picture pixel, y counted from the top.
COLORREF Pixel(const std::vector<BYTE>& picture, CSize size, int x, int y)
{
    const BYTE* p = picture.data() + (static_cast<std::size_t>(size.cy - 1 - y) * size.cx + x) * 4;
    EXPECT_EQ(p[3], 0);
    return RGB(p[2], p[1], p[0]);
}

// Opens a show file written from `show` and returns its first frame.
std::vector<BYTE> OpenFrame(const TestShow& show, ShowGeometry& geometry)
{
    CScratchFolder folder;
    const CString path = folder.Path(L"OFF001.arm");
    WriteBytes(path, ShowBytes(show));
    std::vector<BYTE> a, b, frame;
    EXPECT_EQ(ReadShowFile(path, a, b, frame, geometry), ShowOpenResult::Ok);
    return frame;
}

} // namespace

TEST(PreviewLayoutRead, CurrentFormatGroupsKeepTheirOutputNumbers)
{
    TestLayout layout;
    layout.width = 20;
    layout.height = 10;
    layout.lampTypes = { L"RGB", L"GRB" };
    layout.controllers
        = { { { { Lamp(1, 1), Lamp(2, 1) } }, {}, { { Lamp(5, 5) }, L"GRB", 1 } }, { { { Lamp(0, 0) } } } };
    PreviewLayout read;
    ASSERT_TRUE(ReadPreviewLayoutBytes(CurrentLayoutBytes(layout), read));
    EXPECT_EQ(read.width, 20);
    EXPECT_EQ(read.height, 10);
    ASSERT_EQ(read.records.size(), 2u);
    const ControllerLayout& first = read.records[0];
    ASSERT_EQ(first.m_outputs.size(), 2u);
    EXPECT_EQ(first.m_outputs[0].m_portIndex, 0);
    EXPECT_EQ(first.m_outputs[1].m_portIndex, 2);
    EXPECT_EQ(first.m_ports, 3);
    EXPECT_EQ(first.m_largestLampCount, 2);
    // G, R, B: three bytes per lamp, values 1, 2, 0.
    EXPECT_EQ(first.m_outputs[1].m_channelCount, 3);
    EXPECT_EQ(first.m_outputs[1].m_codes, (std::vector<std::uint32_t> { 1, 2, 0 }));
    EXPECT_EQ(read.typeText, CString(L"RGB"));
}

TEST(PreviewLayoutRead, DoubleSidedLampsAreFollowedByTheirMirrors)
{
    TestLayout layout;
    layout.width = 100;
    layout.doubleSided = 1;
    layout.controllers = { { { { Lamp(10, 3) } } } };
    for (bool archive : { false, true }) {
        SCOPED_TRACE(archive ? "archive" : "current");
        PreviewLayout read;
        ASSERT_TRUE(ReadPreviewLayoutBytes(archive ? ArchiveLayoutBytes(layout) : CurrentLayoutBytes(layout), read));
        const auto& lamps = read.records[0].m_outputs[0].m_lamps;
        ASSERT_EQ(lamps.size(), 2u);
        EXPECT_EQ(lamps[0].x, 10);
        EXPECT_EQ(lamps[1].x, 89);
        EXPECT_EQ(lamps[1].y, 3);
    }
}

TEST(PreviewLayoutRead, ArchiveFilesAreReadInMemoryAndNeverWritten)
{
    CScratchFolder folder;
    TestLayout layout;
    layout.controllers = { { { { Lamp(1, 2), Lamp(3, 4) } } } };
    const std::vector<BYTE> plain = ArchiveLayoutBytes(layout);
    std::vector<BYTE> scrambled = plain;
    ScrambleBytes(scrambled);
    // The user's layout is read, whether plain or scrambled, and left
    // byte for byte as it was.
    for (const auto& bytes : { plain, scrambled }) {
        const CString path = folder.Path(L"old.lpx");
        WriteBytes(path, bytes);
        PreviewLayout read;
        ASSERT_TRUE(ReadPreviewLayout(path, read));
        EXPECT_EQ(ReadBytes(path), bytes);
        ASSERT_EQ(read.records.size(), 1u);
        EXPECT_EQ(read.records[0].m_outputs[0].m_lamps[1].y, 4);
    }
}

TEST(PreviewLayoutRead, RefusedFilesLeaveTheLayoutAndTheFileAlone)
{
    CScratchFolder folder;
    PreviewLayout read;
    read.width = 7;
    TestLayout tooMany;
    tooMany.controllers = { std::vector<TestPort>(17, TestPort { { Lamp(0, 0) } }) };
    std::vector<BYTE> truncated = CurrentLayoutBytes(tooMany);
    truncated.resize(truncated.size() / 2);
    TestLayout big;
    big.width = 5000;
    big.height = 5000;
    big.controllers = { { { { Lamp(0, 0) } } } };
    std::vector<BYTE> brokenArchive = ArchiveLayoutBytes(big);
    brokenArchive.resize(400);
    const std::vector<std::vector<BYTE>> files = {
        {},
        CurrentLayoutBytes(tooMany), // 17 ports in one controller
        truncated,
        CurrentLayoutBytes(big), // a grid beyond the largest picture
        brokenArchive,
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i);
        const CString path = folder.Path(L"bad.lpx");
        WriteBytes(path, files[i]);
        EXPECT_FALSE(ReadPreviewLayout(path, read));
        EXPECT_EQ(read.width, 7);
        EXPECT_EQ(ReadBytes(path), files[i]); // not scrambled when refused
    }
    EXPECT_FALSE(ReadPreviewLayout(folder.Path(L"missing.lpx"), read));
}

TEST(PreviewLayoutRead, TheLayoutCopyInsideAShowFile)
{
    TestLayout layout;
    layout.width = 12;
    layout.height = 6;
    layout.controllers = { { { { Lamp(4, 2), Lamp(5, 2) } } } };
    TestShow show;
    show.frames.push_back(PackPort(1, { Lamps({ RGB(9, 8, 7), RGB(1, 2, 3) }) }));
    show.layout = CurrentLayoutBytes(layout);
    CScratchFolder folder;
    WriteBytes(folder.Path(L"OFF001.arm"), ShowBytes(show));
    std::vector<BYTE> copy;
    ASSERT_TRUE(ReadEmbeddedLayout(folder.Path(L"OFF001.arm"), copy));
    EXPECT_EQ(copy, show.layout);
    PreviewLayout read;
    ASSERT_TRUE(ReadPreviewLayoutBytes(copy, read));
    EXPECT_EQ(read.width, 12);
    EXPECT_EQ(read.records[0].m_outputs[0].m_lamps.size(), 2u);
}

TEST(FrameRender, RawPictureHasOneRowPerOutput)
{
    // 2 ports of 3 outputs, the largest 512 bytes: 171 x 6 pixels.
    TestShow show;
    show.firstPort = 1;
    std::vector<TestSlot> slots = PackPort(1, { Lamps({ RGB(10, 20, 30) }), Ramp(512, 0), Lamps({ RGB(1, 1, 1) }) });
    const std::vector<TestSlot> second = PackPort(
        2, { Lamps({ RGB(200, 0, 0), RGB(0, 200, 0) }), Lamps({ RGB(5, 5, 5) }), Lamps({ RGB(0, 0, 99) }) }, 0x6B);
    slots.insert(slots.end(), second.begin(), second.end());
    show.frames.push_back(slots);
    ShowGeometry geometry;
    const std::vector<BYTE> frame = OpenFrame(show, geometry);
    const CSize size = PictureSize(geometry, nullptr);
    ASSERT_EQ(size, CSize(171, 6));
    std::vector<BYTE> picture;
    RenderPicture(frame.data(), geometry, nullptr, size, picture);
    ASSERT_EQ(picture.size(), 171u * 6 * 4);
    // The bottom row is output 0 of the first port.
    EXPECT_EQ(Pixel(picture, size, 0, 5), RGB(10, 20, 30));
    EXPECT_EQ(Pixel(picture, size, 1, 5), RGB(0, 0, 0)); // not carried: black
    EXPECT_EQ(Pixel(picture, size, 170, 4), RGB(254, 255, 0)); // bytes 510, 511 of the ramp
    EXPECT_EQ(Pixel(picture, size, 0, 3), RGB(1, 1, 1));
    EXPECT_EQ(Pixel(picture, size, 1, 2), RGB(0, 200, 0)); // second port, scrambled
    EXPECT_EQ(Pixel(picture, size, 0, 0), RGB(0, 0, 99));
}

TEST(FrameRender, RawWidthStopsAtTheBytesKeptOfAnOutput)
{
    TestShow show;
    show.frames.push_back(PackPort(1, { Ramp(9000, 0) }));
    ShowGeometry geometry;
    const std::vector<BYTE> frame = OpenFrame(show, geometry);
    EXPECT_EQ(geometry.largestOutputLength, 9000);
    const CSize size = PictureSize(geometry, nullptr);
    EXPECT_EQ(size, CSize(1366, 1));
    std::vector<BYTE> picture;
    RenderPicture(frame.data(), geometry, nullptr, size, picture);
    EXPECT_EQ(Pixel(picture, size, 1364, 0), RGB(4092 & 0xFF, 4093 & 0xFF, 4094 & 0xFF));
    EXPECT_EQ(Pixel(picture, size, 1365, 0), RGB(4095 & 0xFF, 0, 0));
}

TEST(FrameRender, LampsLightTheirGridCellsInTheirColourOrder)
{
    TestLayout layout;
    layout.width = 10;
    layout.height = 5;
    layout.lampTypes = { L"RGB", L"GRB" };
    // Controller 0: port 0 RGB with two lamps (one outside the grid), port 1
    // GRB. Controller 1 serves show port 2; there is no record for port 3.
    layout.controllers
        = { { { { Lamp(0, 0), Lamp(12, 1), Lamp(9, 4) } }, { { Lamp(3, 2) }, L"GRB", 1 } }, { { { Lamp(5, 0) } } } };
    PreviewLayout read;
    ASSERT_TRUE(ReadPreviewLayoutBytes(CurrentLayoutBytes(layout), read));

    TestShow show;
    std::vector<TestSlot> slots
        = PackPort(1, { Lamps({ RGB(11, 12, 13), RGB(99, 99, 99), RGB(21, 22, 23) }), Lamps({ RGB(31, 32, 33) }) });
    for (int port : { 2, 3 }) {
        const std::vector<TestSlot> more = PackPort(port, { Lamps({ RGB(41, 42, 43) }) }, 0x21);
        slots.insert(slots.end(), more.begin(), more.end());
    }
    show.frames.push_back(slots);
    ShowGeometry geometry;
    const std::vector<BYTE> frame = OpenFrame(show, geometry);
    ASSERT_EQ(geometry.portCount, 3);
    const CSize size = PictureSize(geometry, &read);
    ASSERT_EQ(size, CSize(10, 5));
    std::vector<BYTE> picture;
    RenderPicture(frame.data(), geometry, &read, size, picture);
    EXPECT_EQ(Pixel(picture, size, 0, 0), RGB(11, 12, 13));
    EXPECT_EQ(Pixel(picture, size, 9, 4), RGB(21, 22, 23));
    // GRB: the first byte goes to green.
    EXPECT_EQ(Pixel(picture, size, 3, 2), RGB(32, 31, 33));
    EXPECT_EQ(Pixel(picture, size, 5, 0), RGB(41, 42, 43));
    int lit = 0;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x)
            lit += Pixel(picture, size, x, y) != 0 ? 1 : 0;
    EXPECT_EQ(lit, 4);
}
