// Broken videos must never end the host program: every cut of a small MKV
// and AVI and a Matroska segment whose size is cut short either fail to open
// or play to their end and close. A fault here aborts the whole test program.
#include "Reelcore.h"
#include "JpegEncoder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

using namespace clipgen;

namespace {

constexpr int kFrames = 6;

// Lengths to cut a file at: densely through the first few hundred bytes
// (the headers), then coarsely through the frames.
std::vector<size_t> CutLengths(size_t whole)
{
    std::vector<size_t> lengths;
    for (size_t n = 1; n < whole && n < 700; n += 31)
        lengths.push_back(n);
    for (size_t n = 700; n < whole; n += 397)
        lengths.push_back(n);
    lengths.push_back(whole - 1);
    return lengths;
}

// Bytes of a Matroska image with the segment's size field rewritten: the
// writer gives every size 8 bytes (0x01 and seven value bytes).
std::vector<uint8_t> WithSegmentSize(std::vector<uint8_t> file, uint64_t size)
{
    if (file.size() < 12)
        return {};
    uint64_t headerSize = 0;
    for (size_t i = 5; i < 12; ++i)
        headerSize = headerSize << 8 | file[i];
    const size_t headerEnd = 12 + size_t(headerSize);
    const size_t sizeAt = headerEnd + 4;
    if (file.size() < sizeAt + 8 || file[headerEnd] != 0x18 || file[sizeAt] != 0x01)
        return {};
    for (int i = 0; i < 7; ++i)
        file[sizeAt + 1 + size_t(i)] = uint8_t(size >> (8 * (6 - i)));
    return file;
}

struct HostileCase {
    const char* name;
    std::vector<uint8_t> bytes;
};

class HostileFilesTest : public testing::Test {
protected:
    // Opens the file; when it opens, plays past its end, seeks back and
    // closes. The frame counter never passes the total it reported.
    void Survive(const HostileCase& c)
    {
        const std::wstring path = m_folder.File(L"hostile.bin");
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        const int handle = FFmpegFileOpen(path.c_str(), m_canvas.DC(), 0, 0, 20, 20, 0, 0, 0, 0);
        if (handle <= 0) {
            EXPECT_EQ(handle, -1) << c.name;
            return;
        }
        const int total = FFmpegFileGetFrames(handle);
        EXPECT_GT(total, 0) << c.name;
        for (int i = 0; i < total + 2; ++i) {
            EXPECT_EQ(FFmpegFileForward(handle), 1) << c.name;
            EXPECT_LE(FFmpegFileGetFrame(handle), total) << c.name;
        }
        EXPECT_EQ(FFmpegFileGetFrame(handle), total) << c.name;
        EXPECT_EQ(FFmpegFileSeekTo(handle, 1, TRUE), 1) << c.name;
        FFmpegFileForward(handle);
        FFmpegFileClose(handle);
    }

    CTempFolder m_folder;
    CCanvas m_canvas { 20, 20 };
};

TEST_F(HostileFilesTest, TruncatedMatroskaFilesFailOrPlayToTheEnd)
{
    const std::vector<uint8_t> whole = FlatMjpegMkv(32, 24, kFrames, 25);
    for (size_t length : CutLengths(whole.size())) {
        const std::string name = "mkv cut at " + std::to_string(length) + " of " + std::to_string(whole.size());
        Survive({ name.c_str(), std::vector<uint8_t>(whole.begin(), whole.begin() + std::ptrdiff_t(length)) });
    }
}

TEST_F(HostileFilesTest, TruncatedAviFilesFailOrPlayToTheEnd)
{
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> clips = {
        { "mjpeg avi", FlatMjpegAvi(32, 24, kFrames, 25) },
        { "raw avi", FlatRawAvi(16, 16, kFrames, 25) },
    };
    for (const auto& [kind, whole] : clips) {
        for (size_t length : CutLengths(whole.size())) {
            const std::string name = std::string(kind) + " cut at " + std::to_string(length);
            Survive({ name.c_str(), std::vector<uint8_t>(whole.begin(), whole.begin() + std::ptrdiff_t(length)) });
        }
    }
}

TEST_F(HostileFilesTest, AMatroskaSegmentSizeCutShortFailsOrPlaysToTheEnd)
{
    const std::vector<uint8_t> whole = FlatMjpegMkv(32, 24, kFrames, 25);
    ASSERT_FALSE(WithSegmentSize(whole, 1).empty());
    for (uint64_t size : { 0ull, 1ull, 40ull, 120ull, 200ull, 333ull, 500ull, 900ull, 2000ull }) {
        const std::string name = "segment size " + std::to_string(size);
        Survive({ name.c_str(), WithSegmentSize(whole, size) });
        // The same size with the file cut where the segment says it ends.
        std::vector<uint8_t> cut = WithSegmentSize(whole, size);
        const size_t end = std::min(cut.size(), size_t(48 + size));
        cut.resize(end);
        Survive({ (name + " and the file cut there").c_str(), cut });
    }
}

// Headers claiming pictures larger than the library scales: a few hundred
// bytes that once held an open for half a minute. Each is refused from its
// headers, and says so.
TEST_F(HostileFilesTest, PicturesLargerThanTheLibraryScalesAreRefusedBeforeDecoding)
{
    struct Case {
        const char* name;
        StreamKind kind;
        int width;
        int height;
    } cases[] = {
        { "raw 1221355 wide", StreamKind::RawVideo, 1221355, 16 },
        { "mjpeg 1221355 wide", StreamKind::Mjpeg, 1221355, 16 },
        { "raw 1221355 high", StreamKind::RawVideo, 16, 1221355 },
        { "raw 16385 wide", StreamKind::RawVideo, 16385, 2 },
        { "raw 8193 x 4321", StreamKind::RawVideo, 8193, 4321 },
    };
    const std::wstring path = m_folder.File(L"giant.avi");
    for (const Case& c : cases) {
        AviStream stream { c.kind, c.width, c.height, { std::vector<uint8_t>(16, 0x55) } };
        const std::vector<uint8_t> bytes = BuildAvi({ stream }, 25);
        ASSERT_LT(bytes.size(), 400u) << c.name;
        ASSERT_TRUE(WriteFileBytes(path, bytes));
        const auto start = std::chrono::steady_clock::now();
        const int handle = FFmpegFileOpen(path.c_str(), m_canvas.DC(), 0, 0, 100, 100, 0, 0, 0, 0);
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        FFmpegFileClose(handle);
        EXPECT_EQ(handle, REELCORE_PICTURE_TOO_LARGE) << c.name;
        EXPECT_LT(seconds.count(), 10.0) << c.name << ": only a hang fails this";
    }

    // The widest picture taken plays.
    AviStream widest { StreamKind::RawVideo, 16384, 2, {} };
    for (int i = 0; i < 2; ++i)
        widest.chunks.push_back(DibRows24(FlatPicture(16384, 2, FrameColour(i))));
    ASSERT_TRUE(WriteFileBytes(path, BuildAvi({ widest }, 25)));
    const int handle = FFmpegFileOpen(path.c_str(), m_canvas.DC(), 0, 0, 20, 20, 0, 0, 0, 0);
    ASSERT_GT(handle, 0);
    FFmpegFileForward(handle);
    EXPECT_EQ(FrameIndexOf(m_canvas.At(10, 10)), 0);
    FFmpegFileClose(handle);
}

// Packets the decoder refuses: one in the middle is skipped and the frames
// after it all play; a long run of them (more than the 16 in a row the
// player gives a file) ends the file there. The counter runs on to the
// total either way.
TEST_F(HostileFilesTest, ADamagedPacketIsSkippedAndALongRunOfThemEndsTheFile)
{
    constexpr int kClipFrames = 24;
    struct Case {
        const char* name;
        StreamKind kind;
        int firstDamaged;
        int lastDamaged;
        std::vector<int> shown; // frame indexes drawn, in order
    };
    std::vector<int> allButSix;
    for (int i = 0; i < kClipFrames; ++i)
        if (i != 6)
            allButSix.push_back(i);
    const Case cases[] = {
        { "raw, one damaged", StreamKind::RawVideo, 6, 6, allButSix },
        { "mjpeg, one damaged", StreamKind::Mjpeg, 6, 6, allButSix },
        { "mjpeg, 20 damaged", StreamKind::Mjpeg, 2, 21, { 0, 1 } },
    };
    CJpegEncoder encoder;
    const std::wstring path = m_folder.File(L"damaged.avi");
    for (const Case& c : cases) {
        AviStream stream { c.kind, 16, 16, {} };
        for (int i = 0; i < kClipFrames; ++i) {
            const Picture picture = FlatPicture(16, 16, FrameColour(i));
            if (c.kind == StreamKind::RawVideo)
                stream.chunks.push_back(DibRows24(picture));
            else
                stream.chunks.push_back(encoder.Encode(picture));
            if (i < c.firstDamaged || i > c.lastDamaged)
                continue;
            // A raw picture cut short; a JPEG picture overwritten with noise
            // (no marker in it).
            std::vector<uint8_t>& chunk = stream.chunks.back();
            if (c.kind == StreamKind::RawVideo)
                chunk.resize(10);
            for (size_t b = 0; b < chunk.size(); ++b)
                chunk[b] = uint8_t(b * 37 % 127);
        }
        ASSERT_TRUE(WriteFileBytes(path, BuildAvi({ stream }, 25)));
        const int handle = FFmpegFileOpen(path.c_str(), m_canvas.DC(), 0, 0, 20, 20, 0, 0, 0, 0);
        ASSERT_GT(handle, 0) << c.name;
        ASSERT_EQ(FFmpegFileGetFrames(handle), kClipFrames) << c.name;
        std::vector<int> shown;
        for (int i = 0; i < kClipFrames + 2; ++i) {
            FFmpegFileForward(handle);
            const int index = FrameIndexOf(m_canvas.At(10, 10));
            if (shown.empty() || shown.back() != index)
                shown.push_back(index);
        }
        EXPECT_EQ(shown, c.shown) << c.name;
        EXPECT_EQ(FFmpegFileGetFrame(handle), kClipFrames) << c.name;
        FFmpegFileClose(handle);
    }
}

} // namespace
