// Files the library must refuse or survive: missing and broken files, a file
// cut short, a path outside the ANSI code page; and that failures and
// open/close cycles leak no handles or GDI objects.
#include "Reelcore.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <string>
#include <vector>

using namespace clipgen;

namespace {

DWORD HandleCount()
{
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return count;
}

// The value a new kernel handle gets. Handle tables hand out the lowest free
// slot, so a handle leaked in between shows as a different value; this works
// where the process counters below are not kept (Wine answers 0 to them).
uintptr_t NextHandleSlot()
{
    HANDLE probe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(probe);
    return reinterpret_cast<uintptr_t>(probe);
}

DWORD GdiObjectCount()
{
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

class FilesTest : public testing::Test {
protected:
    std::wstring WriteClip(const std::wstring& name, const std::vector<uint8_t>& bytes)
    {
        const std::wstring path = m_folder.File(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }

    int Open(const std::wstring& path) { return FFmpegFileOpen(path.c_str(), m_canvas.DC(), 0, 0, 20, 20, 0, 0, 0, 0); }

    CTempFolder m_folder;
    CCanvas m_canvas { 20, 20 };
};

TEST_F(FilesTest, MissingAndBrokenFilesFailWithMinusOne)
{
    const std::vector<uint8_t> good = FlatRawAvi(16, 16, 5, 25);
    AviStream audio { StreamKind::Pcm, 0, 0, { std::vector<uint8_t>(1600, 0), std::vector<uint8_t>(1600, 0) } };
    std::vector<uint8_t> noise(4096);
    uint32_t seed = 12345;
    for (auto& b : noise) {
        seed = seed * 1103515245u + 12345u;
        b = uint8_t(seed >> 24);
    }
    std::vector<uint8_t> headOnly(good.begin(), good.begin() + 100);
    std::vector<uint8_t> text = { 'n', 'o', 't', ' ', 'a', ' ', 'v', 'i', 'd', 'e', 'o' };

    const std::vector<std::wstring> paths = {
        m_folder.File(L"missing.avi"),
        m_folder.File(L"no-folder\\missing.avi"),
        WriteClip(L"empty.avi", {}),
        WriteClip(L"noise.avi", noise),
        WriteClip(L"text.mkv", text),
        WriteClip(L"head-only.avi", headOnly),
        WriteClip(L"audio-only.avi", BuildAvi({ audio }, 25)),
        m_folder.Path(), // a folder
        L"",
    };
    for (const auto& path : paths)
        EXPECT_EQ(Open(path), -1) << std::string(path.begin(), path.end());
    EXPECT_EQ(FFmpegFileOpen(nullptr, m_canvas.DC(), 0, 0, 20, 20, 0, 0, 0, 0), -1);
}

TEST_F(FilesTest, FailuresAndOpenCloseCyclesLeakNothing)
{
    const std::wstring good = WriteClip(L"good.avi", FlatRawAvi(16, 16, 5, 25));
    const std::wstring broken = WriteClip(L"broken.avi", std::vector<uint8_t>(2000, 0x41));
    const std::wstring missing = m_folder.File(L"missing.avi");
    auto cycle = [&] {
        EXPECT_EQ(Open(missing), -1);
        EXPECT_EQ(Open(broken), -1);
        const int handle = Open(good);
        EXPECT_GT(handle, 0);
        FFmpegFileForward(handle);
        FFmpegFileSeekTo(handle, 3, TRUE);
        FFmpegFileClose(handle);
    };
    cycle(); // first use settles one-time allocations
    const DWORD handles = HandleCount();
    const uintptr_t slot = NextHandleSlot();
    const DWORD gdi = GdiObjectCount();
    PROCESS_MEMORY_COUNTERS before {};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof(before));
    for (int i = 0; i < 30; ++i)
        cycle();
    PROCESS_MEMORY_COUNTERS after {};
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof(after));
    EXPECT_EQ(HandleCount(), handles);
    EXPECT_EQ(NextHandleSlot(), slot);
    ASSERT_GT(after.PagefileUsage, 0u);
    EXPECT_EQ(GdiObjectCount(), gdi);
    // 30 cycles that each leaked a player or a frame would add megabytes.
    EXPECT_LT(after.PagefileUsage, before.PagefileUsage + 2 * 1024 * 1024);
}

TEST_F(FilesTest, ATruncatedFileDecodesWhatItHasAndEndsCleanly)
{
    const int frames = 20;
    std::vector<uint8_t> whole = FlatRawAvi(16, 16, frames, 25, 0, false);
    whole.resize(whole.size() * 6 / 10);
    const std::wstring path = WriteClip(L"cut.avi", whole);
    const int handle = Open(path);
    ASSERT_GT(handle, 0);
    EXPECT_EQ(FFmpegFileGetFrames(handle), frames); // as the header says

    int drawn = 0;
    for (int i = 0; i < frames + 5; ++i) {
        Sleep(3);
        FFmpegFileForward(handle);
        const int shown = FrameIndexOf(m_canvas.At(10, 10));
        if (shown == i)
            drawn = i + 1;
        else
            EXPECT_EQ(shown, drawn - 1) << "forward " << i + 1 << " after the end of the data";
        EXPECT_EQ(FFmpegFileGetFrame(handle), std::min(i + 1, frames));
    }
    EXPECT_GE(drawn, frames / 2);
    EXPECT_LT(drawn, frames);
    // Seeking back into the data that is there still works.
    FFmpegFileSeekTo(handle, 2, TRUE);
    EXPECT_EQ(FrameIndexOf(m_canvas.At(10, 10)), 1);
    FFmpegFileClose(handle);
}

TEST_F(FilesTest, APathOutsideTheAnsiCodePageOpens)
{
    CTempFolder folder(L"\x0432\x0438\x0434\x0435\x043E \x89C6\x9891 \x00FC");
    const std::wstring path = folder.File(L"\x30AF\x30EA\x30C3\x30D7.avi");
    ASSERT_TRUE(WriteFileBytes(path, FlatRawAvi(16, 16, 4, 25, 40)));
    const int handle = Open(path);
    ASSERT_GT(handle, 0);
    EXPECT_EQ(FFmpegFileGetFrame(handle), 0);
    EXPECT_EQ(FFmpegFileGetFrames(handle), 4);
    FFmpegFileForward(handle);
    EXPECT_EQ(FrameIndexOf(m_canvas.At(10, 10)), 40);
    FFmpegFileClose(handle);
}

TEST_F(FilesTest, TheFirstForwardAfterAShortWaitDrawsTheFirstFrame)
{
    // As the thumbnail maker uses the library: open 256 x 256, wait 5 ms,
    // one forward, close.
    const std::wstring path = WriteClip(L"mjpeg.avi", FlatMjpegAvi(320, 240, 3, 25, 7));
    CCanvas canvas(256, 256);
    const int handle = FFmpegFileOpen(path.c_str(), canvas.DC(), 0, 0, 256, 256, 0, 0, 0, 0);
    ASSERT_GT(handle, 0);
    Sleep(5);
    FFmpegFileForward(handle);
    EXPECT_EQ(FrameIndexOf(canvas.At(128, 128)), 7);
    FFmpegFileClose(handle);
}

} // namespace
