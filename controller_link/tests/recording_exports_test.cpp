// The recording exports: their results as a table, a file split at a size
// limit the way the main program splits it, a recording started over an
// open one, the four-colour mode, frames taken from a device context, and
// failures (a folder that cannot be written, a full disk) reported as
// failures with no broken show file left behind.
#include "RecorderFixture.h"

#include <cstring>

#include <fw_replacefile.h>

namespace {

using namespace corvane_test;

class RecordingExports : public CRecorderTest { };

struct ResultCase {
    const char* what;
    int (*call)(const std::wstring& folder);
    int expected;
};

TEST_F(RecordingExports, ResultsTable)
{
    LoadLayout(TinyLayout());
    ASSERT_EQ(LEDNewScreen(), 2); // screen 2 has no layout and so no controllers
    static Bytes pixels = TinyFrame(0);
    static double size = 0;
    static CStringArray cards;
    const ResultCase cases[] = {
        { "frame, nothing open", [](const std::wstring&) { return LEDRecordingFrame(pixels.data(), 1, &size); }, -1 },
        { "frame from a DC, nothing open",
            [](const std::wstring&) { return LEDRecordingFrameDC(GetDC(nullptr), 4, 2, 1, &size); }, -1 },
        { "stop, nothing open", [](const std::wstring&) { return LEDRecordingStop(PlainSettings(cards)); }, -1 },
        { "screen 0", [](const std::wstring& f) { return LEDRecordingInit(0, (f + L"\\a.arm").c_str(), 25); }, -1 },
        { "screen count + 1", [](const std::wstring& f) { return LEDRecordingInit(3, (f + L"\\a.arm").c_str(), 25); },
            -1 },
        { "frame rate 0", [](const std::wstring& f) { return LEDRecordingInit(1, (f + L"\\a.arm").c_str(), 0); }, -1 },
        { "frame rate 65536 (taken as 16 bits: 0)",
            [](const std::wstring& f) { return LEDRecordingInit(1, (f + L"\\a.arm").c_str(), 65536); }, -1 },
        { "screen without controllers",
            [](const std::wstring& f) { return LEDRecordingInit(2, (f + L"\\a.arm").c_str(), 25); }, -2 },
        { "folder missing",
            [](const std::wstring& f) { return LEDRecordingInit(1, (f + L"\\none\\a.arm").c_str(), 25); }, -3 },
        { "null path", [](const std::wstring&) { return LEDRecordingInit(1, nullptr, 25); }, -3 },
        { "frame after a failed start", [](const std::wstring&) { return LEDRecordingFrame(pixels.data(), 1, &size); },
            -1 },
        { "start", [](const std::wstring& f) { return LEDRecordingInit(1, (f + L"\\a.arm").c_str(), 25); }, 0 },
        { "frame without pixels", [](const std::wstring&) { return LEDRecordingFrame(nullptr, 1, &size); }, -1 },
        { "frame from a null DC", [](const std::wstring&) { return LEDRecordingFrameDC(nullptr, 4, 2, 1, &size); },
            -1 },
        { "frame", [](const std::wstring&) { return LEDRecordingFrame(pixels.data(), 1, &size); }, 0 },
        { "frame without a size out", [](const std::wstring&) { return LEDRecordingFrame(pixels.data(), 1, nullptr); },
            0 },
        { "stop", [](const std::wstring&) { return LEDRecordingStop(PlainSettings(cards)); }, 0 },
        { "stop again", [](const std::wstring&) { return LEDRecordingStop(PlainSettings(cards)); }, -1 },
    };
    for (const ResultCase& c : cases)
        EXPECT_EQ(c.call(m_folder.Path()), c.expected) << c.what;
    ShowFile show;
    ASSERT_TRUE(ReadShowFile(Path(L"a.arm"), show));
    EXPECT_EQ(show.frames, 2u);
}

TEST_F(RecordingExports, FilesSplitAtTheSizeLimitLikeTheMainProgram)
{
    LoadLayout(TinyLayout());
    // The main program compares the size in MiB with its limit after every
    // frame; 3 MiB stands in for its 1 or 2 GB.
    const double limitMiB = 3.0;
    const int totalFrames = 700;
    int file = 0;
    bool open = false;
    CStringArray cards;
    for (int f = 0; f < totalFrames; ++f) {
        if (!open) {
            wchar_t name[32];
            swprintf(name, 32, L"OFF%03d.arm", ++file);
            LEDSetSecurityFlag(0);
            ASSERT_EQ(LEDRecordingInit(1, Path(name).c_str(), 25), 0);
            open = true;
        }
        Bytes pixels = TinyFrame(f % 50);
        double size = 0;
        ASSERT_EQ(LEDRecordingFrame(pixels.data(), 1, &size), 0);
        if (size >= limitMiB) {
            ASSERT_EQ(LEDRecordingStop(PlainSettings(cards)), 0);
            open = false;
        }
    }
    if (open) {
        ASSERT_EQ(LEDRecordingStop(PlainSettings(cards)), 0);
    }

    // (3 MiB - 2 MiB) / 3584 bytes: the 293rd frame reaches the limit.
    ASSERT_EQ(file, 3);
    std::uint32_t frames = 0;
    int next = 0;
    for (int n = 1; n <= 3; ++n) {
        wchar_t name[32];
        swprintf(name, 32, L"OFF%03d.arm", n);
        ShowFile show;
        ASSERT_TRUE(ReadShowFile(Path(name), show));
        EXPECT_EQ(show.frames, n < 3 ? 293u : 700u - 2 * 293u) << n;
        ASSERT_FALSE(show.frameList.empty());
        // Every file goes on where the last one stopped.
        const Bytes expected = TinyFrame(next % 50);
        EXPECT_EQ(show.frameList.front().ports[1][1], (Bytes { expected[2 * 4 + 2], expected[9], expected[8] })) << n;
        next += int(show.frames);
        frames += show.frames;
        EXPECT_TRUE(show.hasLayout);
    }
    EXPECT_EQ(frames, 700u);
}

TEST_F(RecordingExports, StartOverAnOpenRecordingClosesItWithDefaults)
{
    LoadLayout(TinyLayout());
    ASSERT_EQ(LEDRecordingInit(1, Path(L"first.arm").c_str(), 25), 0);
    Bytes pixels = TinyFrame(1);
    ASSERT_EQ(LEDRecordingFrame(pixels.data(), 1, nullptr), 0);
    ASSERT_EQ(LEDRecordingInit(1, Path(L"second.arm").c_str(), 25), 0);

    ShowFile show;
    ASSERT_TRUE(ReadShowFile(Path(L"first.arm"), show));
    const Bytes& a = show.blockA;
    EXPECT_EQ(show.frames, 1u);
    EXPECT_EQ(a[8], 1);
    EXPECT_EQ(a[9], 0);
    EXPECT_EQ(Bytes(a.begin() + 12, a.begin() + 16), (Bytes { 'Q', 'V', 'T', 'N' }));
    const char cards[] = "QV-HN31EPLAY>>>>QV-HN31E>>PLAY>>QV-HN31EPLAY>>>>QV-HN31E>>PLAY>>";
    EXPECT_EQ(0, std::memcmp(a.data() + 512, cards, 64));
    EXPECT_EQ(a[1053], 0);
    EXPECT_EQ(U32(a, 1056 + 23), 1u);
    EXPECT_TRUE(show.hasLayout);
}

TEST_F(RecordingExports, TemporarySenderGoesAndSyncComesBackAtTheStop)
{
    LoadLayout(TinyLayout());
    CLEDScreen* screen = Library().screens.Screen(1);
    ASSERT_EQ(screen->m_sender, nullptr);
    ASSERT_EQ(LEDRecordingInit(1, Path(L"s.arm").c_str(), 25), 0);
    ASSERT_NE(screen->m_sender, nullptr);
    EXPECT_EQ(screen->m_syncEnabled, 0);
    CStringArray cards;
    ASSERT_EQ(LEDRecordingStop(PlainSettings(cards)), 0);
    EXPECT_EQ(screen->m_sender, nullptr);
    EXPECT_EQ(screen->m_ready, 0);
    EXPECT_EQ(screen->m_syncEnabled, 1);

    // A screen with its own sender keeps it; block B names its MAC.
    ASSERT_EQ(LEDSetIP(1, 0), 0);
    LocalSender* own = screen->m_sender;
    ASSERT_NE(own, nullptr);
    ASSERT_EQ(LEDRecordingInit(1, Path(L"s.arm").c_str(), 25), 0);
    ASSERT_EQ(LEDRecordingStop(PlainSettings(cards)), 0);
    EXPECT_EQ(screen->m_sender, own);
    ShowFile show;
    ASSERT_TRUE(ReadShowFile(Path(L"s.arm"), show));
    ASSERT_FALSE(show.commands.empty());
    EXPECT_EQ(show.commands[0].sourceMac, (std::array<std::uint8_t, 6> { 0x02, 0x11, 0x22, 0x33, 0x44, 0x55 }));
}

TEST_F(RecordingExports, FourColourModeDerivesWhiteIntoTheFrame)
{
    LoadLayout(TinyLayout(L"RGBW"));
    ASSERT_EQ(LEDSetFourColor(1, 3, 0), 0); // white = the smallest of red, green and blue
    ASSERT_EQ(LEDRecordingInit(1, Path(L"w.arm").c_str(), 25), 0);
    Bytes pixels = TinyFrame(2);
    const Bytes original = pixels;
    ASSERT_EQ(LEDRecordingFrame(pixels.data(), 1, nullptr), 0);
    CStringArray cards;
    ASSERT_EQ(LEDRecordingStop(PlainSettings(cards)), 0);

    auto rgbw = [&](int x, int y) {
        const std::uint8_t* p = original.data() + (x + 4 * y) * 4;
        return Bytes { p[2], p[1], p[0], std::min({ p[0], p[1], p[2] }) };
    };
    ShowFile show;
    ASSERT_TRUE(ReadShowFile(Path(L"w.arm"), show));
    ASSERT_EQ(show.frameList.size(), 1u);
    Bytes port2 = rgbw(0, 1);
    const Bytes second = rgbw(3, 1);
    port2.insert(port2.end(), second.begin(), second.end());
    EXPECT_EQ(show.frameList[0].ports[2][0], port2);
    EXPECT_EQ(show.frameList[0].ports[1][1], rgbw(2, 0));
    // The caller's frame carries the white values now.
    EXPECT_EQ(pixels[3], std::min({ original[0], original[1], original[2] }));
}

TEST_F(RecordingExports, ScrambledFramesReadBackThroughTheirByte)
{
    LoadLayout(TinyLayout());
    LEDSetSecurityFlag(1);
    ASSERT_EQ(LEDRecordingInit(1, Path(L"x.arm").c_str(), 25), 0);
    for (int f = 0; f < 8; ++f) {
        Bytes pixels = TinyFrame(f);
        ASSERT_EQ(LEDRecordingFrame(pixels.data(), 1, nullptr), 0);
    }
    CStringArray cards;
    ASSERT_EQ(LEDRecordingStop(PlainSettings(cards)), 0);

    ShowFile show;
    ASSERT_TRUE(ReadShowFile(Path(L"x.arm"), show));
    ASSERT_EQ(show.frameList.size(), 8u);
    int scrambled = 0;
    for (int f = 0; f < 8; ++f) {
        const Bytes tiny = TinyFrame(f);
        const std::uint8_t* p = tiny.data() + 2 * 4;
        EXPECT_EQ(show.frameList[std::size_t(f)].ports[1][1], (Bytes { p[2], p[1], p[0] })) << f;
        for (const StoredSlot& slot : show.frameList[std::size_t(f)].slots) {
            EXPECT_TRUE(slot.ipChecksumOk);
            scrambled += slot.scramble != 0;
        }
    }
    EXPECT_GT(scrambled, 10);
}

TEST_F(RecordingExports, FrameFromADeviceContextScaledToTheScreen)
{
    LoadLayout(TinyLayout());
    // An 8 x 4 source, each 2 x 2 block one colour: scaled to 4 x 2.
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 8;
    info.bmiHeader.biHeight = -4;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const Bytes tiny = TinyFrame(3);
    auto* px = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            std::memcpy(px + (x + 8 * y) * 4, tiny.data() + (x / 2 + 4 * (y / 2)) * 4, 4);

    ASSERT_EQ(LEDRecordingInit(1, Path(L"dc.arm").c_str(), 25), 0);
    double size = 0;
    EXPECT_EQ(LEDRecordingFrameDC(dc, 8, 4, 1, &size), 0);
    CStringArray cards;
    ASSERT_EQ(LEDRecordingStop(PlainSettings(cards)), 0);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);

    ShowFile show;
    ASSERT_TRUE(ReadShowFile(Path(L"dc.arm"), show));
    ASSERT_EQ(show.frameList.size(), 1u);
    const std::uint8_t* p = tiny.data() + (2 + 0) * 4;
    EXPECT_EQ(show.frameList[0].ports[1][1], (Bytes { p[2], p[1], p[0] }));
    const std::uint8_t* q = tiny.data() + (3 + 4) * 4;
    EXPECT_EQ(Bytes(show.frameList[0].ports[2][0].begin() + 3, show.frameList[0].ports[2][0].end()),
        (Bytes { q[2], q[1], q[0] }));
}

TEST_F(RecordingExports, FullDiskIsReportedAndLeavesNoBrokenFile)
{
    LoadLayout(TinyLayout());
    const std::wstring path = Path(L"OFF001.arm");
    WriteBytes(path, { 'o', 'l', 'd' }); // an earlier file of the same name
    ASSERT_EQ(LEDRecordingInit(1, path.c_str(), 25), 0);
    Bytes pixels = TinyFrame(0);
    double size = 0;
    // Room for one more frame and a half.
    COfflineShowFile::SetWriteBudgetForTests(3584 + 1792);
    EXPECT_EQ(LEDRecordingFrame(pixels.data(), 1, &size), 0);
    const double before = size;
    EXPECT_EQ(LEDRecordingFrame(pixels.data(), 1, &size), -3);
    EXPECT_EQ(size, before); // not counted
    EXPECT_EQ(LEDRecordingFrame(pixels.data(), 1, &size), -3);
    COfflineShowFile::SetWriteBudgetForTests(-1);
    CStringArray cards;
    EXPECT_EQ(LEDRecordingStop(PlainSettings(cards)), -3);
    EXPECT_EQ(ReadFileBytes(path), (Bytes { 'o', 'l', 'd' }));
    EXPECT_EQ(GetFileAttributesW(AfxReplacementTempPath(path.c_str())), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(LEDRecordingFrame(pixels.data(), 1, &size), -1); // closed

    // A disk that fills while the file is closed fails the stop.
    ASSERT_EQ(LEDRecordingInit(1, path.c_str(), 25), 0);
    ASSERT_EQ(LEDRecordingFrame(pixels.data(), 1, &size), 0);
    COfflineShowFile::SetWriteBudgetForTests(100);
    EXPECT_EQ(LEDRecordingStop(PlainSettings(cards)), -3);
    COfflineShowFile::SetWriteBudgetForTests(-1);
    EXPECT_EQ(ReadFileBytes(path), (Bytes { 'o', 'l', 'd' }));

    // A target held open by a player fails the start, not the stop.
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(LEDRecordingInit(1, path.c_str(), 25), -3);
    CloseHandle(held);

    // A disk already full fails the start.
    COfflineShowFile::SetWriteBudgetForTests(1000);
    EXPECT_EQ(LEDRecordingInit(1, path.c_str(), 25), -3);
    COfflineShowFile::SetWriteBudgetForTests(-1);
    EXPECT_EQ(LEDRecordingFrame(pixels.data(), 1, &size), -1);
    EXPECT_EQ(GetFileAttributesW(AfxReplacementTempPath(path.c_str())), INVALID_FILE_ATTRIBUTES);
}

} // namespace
