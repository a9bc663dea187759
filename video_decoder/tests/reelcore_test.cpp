// Playing generated clips through Reelcore.dll's exports: frame order by the
// colour drawn, seeking, counting at the end, crops, argument checks and
// independent handles.
#include "Reelcore.h"
#include "JpegEncoder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

using namespace clipgen;

namespace {

// Lets the decoding thread refill its queue, as a frame tick would.
void Tick()
{
    Sleep(3);
}

struct ClipCase {
    const char* name;
    const wchar_t* file;
    std::vector<uint8_t> (*build)(int width, int height, int frames, int fps, int first);
};

std::vector<uint8_t> RawAvi(int w, int h, int n, int fps, int first)
{
    return FlatRawAvi(w, h, n, fps, first);
}

const ClipCase kClips[] = {
    { "RawAvi", L"raw.avi", &RawAvi },
    { "MjpegAvi", L"mjpeg.avi", &FlatMjpegAvi },
    { "MjpegMkv", L"mjpeg.mkv", &FlatMjpegMkv },
};

class ContainerTest : public testing::TestWithParam<ClipCase> {
protected:
    static constexpr int kWidth = 48;
    static constexpr int kHeight = 32;
    static constexpr int kFrames = 24;

    void SetUp() override
    {
        m_path = m_folder.File(GetParam().file);
        ASSERT_TRUE(WriteFileBytes(m_path, GetParam().build(kWidth, kHeight, kFrames, 25, 0)));
    }

    int Open(const CCanvas& canvas)
    {
        return FFmpegFileOpen(m_path.c_str(), canvas.DC(), 0, 0, canvas.Width(), canvas.Height(), 0, 0, 0, 0);
    }

    CTempFolder m_folder;
    std::wstring m_path;
};

TEST_P(ContainerTest, PlaysEveryFrameInOrderAndCountsOnToTheTotalAtTheEnd)
{
    CCanvas canvas(40, 30);
    const int handle = Open(canvas);
    ASSERT_GT(handle, 0);
    EXPECT_EQ(FFmpegFileGetFrames(handle), kFrames);
    EXPECT_EQ(FFmpegFileGetFrame(handle), 0);
    EXPECT_EQ(FFmpegFileGetWidth(handle), kWidth);
    EXPECT_EQ(FFmpegFileGetHeight(handle), kHeight);

    for (int i = 0; i < kFrames; ++i) {
        Tick();
        EXPECT_EQ(FFmpegFileForward(handle), 1);
        EXPECT_EQ(FrameIndexOf(canvas.At(20, 15)), i) << "forward " << i + 1;
        EXPECT_EQ(FFmpegFileGetFrame(handle), i + 1);
    }
    // At the end nothing more is drawn and the counter stays at the total.
    for (int i = 0; i < 3; ++i) {
        Tick();
        FFmpegFileForward(handle);
        EXPECT_EQ(FFmpegFileGetFrame(handle), kFrames);
        EXPECT_EQ(FrameIndexOf(canvas.At(20, 15)), kFrames - 1);
    }
    FFmpegFileClose(handle);
}

TEST_P(ContainerTest, SeeksClampToTheFirstAndLastFrame)
{
    CCanvas canvas(40, 30);
    const int handle = Open(canvas);
    ASSERT_GT(handle, 0);

    struct {
        int asked;
        int frame; // 1-based frame that must be drawn
    } const seeks[] = { { 10, 10 }, { 0, 1 }, { -3, 1 }, { kFrames + 50, kFrames }, { 5, 5 }, { kFrames, kFrames } };
    for (const auto& seek : seeks) {
        Tick();
        FFmpegFileSeekTo(handle, seek.asked, TRUE);
        EXPECT_EQ(FrameIndexOf(canvas.At(20, 15)), seek.frame - 1) << "seek to " << seek.asked;
        EXPECT_EQ(FFmpegFileGetFrame(handle), seek.frame - 1) << "seek to " << seek.asked;
    }

    // Without drawing, the next forward draws the frame sought and counts it.
    Tick();
    FFmpegFileSeekTo(handle, 7, FALSE);
    EXPECT_EQ(FrameIndexOf(canvas.At(20, 15)), kFrames - 1);
    EXPECT_EQ(FFmpegFileGetFrame(handle), 6);
    Tick();
    FFmpegFileForward(handle);
    EXPECT_EQ(FrameIndexOf(canvas.At(20, 15)), 6);
    EXPECT_EQ(FFmpegFileGetFrame(handle), 7);
    Tick();
    FFmpegFileForward(handle);
    EXPECT_EQ(FrameIndexOf(canvas.At(20, 15)), 7);

    // Having drawn frame n, the seek leaves the counter at n - 1; the next
    // forward draws the frame after it and makes the counter n.
    Tick();
    FFmpegFileSeekTo(handle, 3, TRUE);
    EXPECT_EQ(FrameIndexOf(canvas.At(20, 15)), 2);
    Tick();
    FFmpegFileForward(handle);
    EXPECT_EQ(FrameIndexOf(canvas.At(20, 15)), 3);
    EXPECT_EQ(FFmpegFileGetFrame(handle), 3);

    // Playing on after a seek back from the end reaches the end again.
    Tick();
    FFmpegFileSeekTo(handle, kFrames - 2, FALSE);
    for (int i = kFrames - 2; i <= kFrames; ++i) {
        Tick();
        FFmpegFileForward(handle);
        EXPECT_EQ(FrameIndexOf(canvas.At(20, 15)), i - 1);
    }
    FFmpegFileClose(handle);
}

INSTANTIATE_TEST_SUITE_P(Clips, ContainerTest, testing::ValuesIn(kClips),
    [](const testing::TestParamInfo<ClipCase>& info) { return std::string(info.param.name); });

class PlayerTest : public testing::Test {
protected:
    std::wstring WriteClip(const wchar_t* name, const std::vector<uint8_t>& bytes)
    {
        const std::wstring path = m_folder.File(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }

    CTempFolder m_folder;
};

TEST_F(PlayerTest, CropsCutTheDecodedPictureAndCropsThatLeaveNothingDrawTheWholeFrame)
{
    // Quadrants: red top-left, green top-right, blue bottom-left, white bottom-right.
    AviStream stream { StreamKind::RawVideo, 64, 48, { DibRows24(QuadrantPicture(64, 48)) } };
    const std::wstring path = WriteClip(L"quadrants.avi", BuildAvi({ stream }, 25));
    const Rgb red { 255, 0, 0 }, green { 0, 255, 0 }, blue { 0, 0, 255 }, white { 255, 255, 255 };

    struct {
        const char* name;
        int left, top, right, bottom;
        Rgb topLeft, topRight, bottomLeft, bottomRight;
    } const cases[] = {
        { "no crop", 0, 0, 0, 0, red, green, blue, white },
        { "top-left quadrant", 0, 0, 32, 24, red, red, red, red },
        { "right half", 32, 0, 0, 0, green, green, white, white },
        { "bottom half", 0, 24, 0, 0, blue, white, blue, white },
        { "left and right meet", 32, 0, 32, 0, red, green, blue, white },
        { "more than the height", 0, 30, 0, 30, red, green, blue, white },
        { "more than the width", 100, 0, 0, 0, red, green, blue, white },
    };
    for (const auto& c : cases) {
        CCanvas canvas(100, 80);
        const int handle = FFmpegFileOpen(path.c_str(), canvas.DC(), 0, 0, 100, 80, c.left, c.top, c.right, c.bottom);
        ASSERT_GT(handle, 0) << c.name;
        FFmpegFileForward(handle);
        EXPECT_TRUE(Near(canvas.At(5, 5), c.topLeft)) << c.name;
        EXPECT_TRUE(Near(canvas.At(94, 5), c.topRight)) << c.name;
        EXPECT_TRUE(Near(canvas.At(5, 74), c.bottomLeft)) << c.name;
        EXPECT_TRUE(Near(canvas.At(94, 74), c.bottomRight)) << c.name;
        FFmpegFileClose(handle);
    }
}

TEST_F(PlayerTest, DrawsOnlyIntoTheTargetRectangle)
{
    const std::wstring path = WriteClip(L"flat.avi", FlatRawAvi(16, 16, 3, 25));
    CCanvas canvas(80, 80);
    canvas.Fill({ 1, 2, 3 });
    const int handle = FFmpegFileOpen(path.c_str(), canvas.DC(), 10, 20, 30, 40, 0, 0, 0, 0);
    ASSERT_GT(handle, 0);
    FFmpegFileForward(handle);
    EXPECT_EQ(FrameIndexOf(canvas.At(10, 20)), 0);
    EXPECT_EQ(FrameIndexOf(canvas.At(39, 59)), 0);
    EXPECT_TRUE(Near(canvas.At(9, 20), { 1, 2, 3 }, 0));
    EXPECT_TRUE(Near(canvas.At(40, 59), { 1, 2, 3 }, 0));
    EXPECT_TRUE(Near(canvas.At(10, 60), { 1, 2, 3 }, 0));
    EXPECT_TRUE(Near(canvas.At(10, 19), { 1, 2, 3 }, 0));
    FFmpegFileClose(handle);
}

TEST_F(PlayerTest, WidthOrHeightOfZeroOrLessFailsTheOpen)
{
    const std::wstring path = WriteClip(L"flat.avi", FlatRawAvi(16, 16, 3, 25));
    CCanvas canvas(10, 10);
    const int sizes[][2] = { { 0, 10 }, { 10, 0 }, { -1, 10 }, { 10, -5 }, { 0, 0 }, { -10, -10 } };
    for (const auto& size : sizes) {
        EXPECT_EQ(FFmpegFileOpen(path.c_str(), canvas.DC(), 0, 0, size[0], size[1], 0, 0, 0, 0), -1)
            << size[0] << " x " << size[1];
    }
    // And a proper size opens the same file.
    const int handle = FFmpegFileOpen(path.c_str(), canvas.DC(), 0, 0, 1, 1, 0, 0, 0, 0);
    EXPECT_GT(handle, 0);
    FFmpegFileClose(handle);
}

TEST_F(PlayerTest, TwoHandlesOfOneFilePlayIndependently)
{
    const std::wstring path = WriteClip(L"flat.avi", FlatRawAvi(16, 16, 10, 25));
    CCanvas first(20, 20);
    CCanvas second(20, 20);
    const int a = FFmpegFileOpen(path.c_str(), first.DC(), 0, 0, 20, 20, 0, 0, 0, 0);
    const int b = FFmpegFileOpen(path.c_str(), second.DC(), 0, 0, 20, 20, 0, 0, 0, 0);
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    EXPECT_NE(a, b);

    for (int i = 0; i < 4; ++i) {
        Tick();
        FFmpegFileForward(a);
    }
    Tick();
    FFmpegFileForward(b);
    EXPECT_EQ(FFmpegFileGetFrame(a), 4);
    EXPECT_EQ(FFmpegFileGetFrame(b), 1);
    EXPECT_EQ(FrameIndexOf(first.At(10, 10)), 3);
    EXPECT_EQ(FrameIndexOf(second.At(10, 10)), 0);

    FFmpegFileSeekTo(b, 9, FALSE);
    Tick();
    FFmpegFileForward(a);
    EXPECT_EQ(FrameIndexOf(first.At(10, 10)), 4);

    // Closing one leaves the other playing; closing twice is harmless.
    FFmpegFileClose(a);
    FFmpegFileClose(a);
    EXPECT_EQ(FFmpegFileGetFrame(a), 0);
    EXPECT_EQ(FFmpegFileGetFrames(a), 0);
    EXPECT_EQ(FFmpegFileGetWidth(a), 0);
    EXPECT_EQ(FFmpegFileGetHeight(a), 0);
    EXPECT_EQ(FFmpegFileForward(a), 0);
    EXPECT_EQ(FFmpegFileSeekTo(a, 1, TRUE), 0);
    Tick();
    FFmpegFileForward(b);
    EXPECT_EQ(FrameIndexOf(second.At(10, 10)), 8);
    EXPECT_EQ(FFmpegFileGetFrame(b), 9);

    // A new handle is never one still open, nor one just closed.
    const int c = FFmpegFileOpen(path.c_str(), first.DC(), 0, 0, 20, 20, 0, 0, 0, 0);
    EXPECT_GT(c, 0);
    EXPECT_NE(c, a);
    EXPECT_NE(c, b);
    FFmpegFileClose(b);
    FFmpegFileClose(c);
}

TEST_F(PlayerTest, ThreadsOpeningAndClosingTogetherGetDistinctPositiveHandles)
{
    const std::wstring path = WriteClip(L"flat.avi", FlatRawAvi(16, 16, 6, 25));
    constexpr int kThreads = 4;
    constexpr int kRounds = 8;
    std::vector<std::vector<int>> handles(kThreads);
    std::atomic<int> wrongFrames { 0 };
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            CCanvas canvas(16, 16);
            for (int round = 0; round < kRounds; ++round) {
                const int handle = FFmpegFileOpen(path.c_str(), canvas.DC(), 0, 0, 16, 16, 0, 0, 0, 0);
                handles[size_t(t)].push_back(handle);
                for (int i = 0; i < 3; ++i) {
                    Tick();
                    FFmpegFileForward(handle);
                }
                if (FFmpegFileGetFrame(handle) != 3)
                    ++wrongFrames;
                FFmpegFileClose(handle);
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    std::set<int> seen;
    for (const auto& list : handles) {
        for (int handle : list) {
            EXPECT_GT(handle, 0);
            seen.insert(handle);
        }
    }
    EXPECT_EQ(seen.size(), size_t(kThreads * kRounds));
    EXPECT_EQ(wrongFrames.load(), 0);
}

TEST_F(PlayerTest, HandlesThatWereNeverOpenAreIgnored)
{
    for (int handle : { -1, 0, 1 << 30, 77777 }) {
        FFmpegFileClose(handle);
        EXPECT_EQ(FFmpegFileForward(handle), 0);
        EXPECT_EQ(FFmpegFileSeekTo(handle, 3, TRUE), 0);
        EXPECT_EQ(FFmpegFileGetFrame(handle), 0);
        EXPECT_EQ(FFmpegFileGetFrames(handle), 0);
        EXPECT_EQ(FFmpegFileGetWidth(handle), 0);
        EXPECT_EQ(FFmpegFileGetHeight(handle), 0);
    }
}

TEST_F(PlayerTest, AFileWithTwoVideoStreamsPlaysTheSecond)
{
    AviStream one { StreamKind::RawVideo, 48, 32, {} };
    AviStream two { StreamKind::Mjpeg, 32, 24, {} };
    CJpegEncoder encoder;
    for (int i = 0; i < 6; ++i) {
        one.chunks.push_back(DibRows24(FlatPicture(48, 32, FrameColour(i))));
        two.chunks.push_back(encoder.Encode(FlatPicture(32, 24, FrameColour(100 + i))));
    }
    const std::wstring path = WriteClip(L"two.avi", BuildAvi({ one, two }, 25));
    CCanvas canvas(20, 20);
    const int handle = FFmpegFileOpen(path.c_str(), canvas.DC(), 0, 0, 20, 20, 0, 0, 0, 0);
    ASSERT_GT(handle, 0);
    EXPECT_EQ(FFmpegFileGetWidth(handle), 32);
    EXPECT_EQ(FFmpegFileGetHeight(handle), 24);
    EXPECT_EQ(FFmpegFileGetFrames(handle), 6);
    for (int i = 0; i < 6; ++i) {
        Tick();
        FFmpegFileForward(handle);
        EXPECT_EQ(FrameIndexOf(canvas.At(10, 10)), 100 + i);
    }
    FFmpegFileClose(handle);
}

TEST_F(PlayerTest, ExportsExactlyTheEightFunctionsByPlainName)
{
    HMODULE module = GetModuleHandleW(L"Reelcore.dll");
    ASSERT_NE(module, nullptr);
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    std::vector<std::string> found;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        found.emplace_back(reinterpret_cast<const char*>(base + names[i]));
    const std::vector<std::string> expected = { "FFmpegFileClose", "FFmpegFileForward", "FFmpegFileGetFrame",
        "FFmpegFileGetFrames", "FFmpegFileGetHeight", "FFmpegFileGetWidth", "FFmpegFileOpen", "FFmpegFileSeekTo" };
    EXPECT_EQ(found, expected);
    for (const auto& name : expected)
        EXPECT_NE(GetProcAddress(module, name.c_str()), nullptr) << name;
}

} // namespace
