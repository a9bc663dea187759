// Media probing: the decoder calls for each kind of file, and thumbnails and
// frame counts of generated clips through the real video library.
#include "doc_test_support.h"

#include "ClipWriters.h"
#include "JpegEncoder.h"
#include "drawing_helpers.h"
#include "media_probe.h"
#include "swf_writer.h"

using namespace doctest;

namespace {

// Records every call; animations report m_frames frames.
class CScriptDecoders : public CMediaDecoders {
public:
    int FFmpegFileOpen(LPCWSTR, HDC, int x, int y, int w, int h, int l, int t, int r, int b) override
    {
        Log(L"FFmpegFileOpen %d %d %d %d %d %d %d %d", x, y, w, h, l, t, r, b);
        return m_open;
    }
    void FFmpegFileForward(int handle) override { Log(L"FFmpegFileForward %d", handle); }
    int FFmpegFileGetFrames(int handle) override
    {
        Log(L"FFmpegFileGetFrames %d", handle);
        return m_frames;
    }
    void FFmpegFileClose(int handle) override { Log(L"FFmpegFileClose %d", handle); }
    int SWFFileOpen(LPCWSTR, HDC, int x, int y, int w, int h) override
    {
        Log(L"SWFFileOpen %d %d %d %d", x, y, w, h);
        return m_open;
    }
    int SWFFileGetFrames(int handle) override
    {
        Log(L"SWFFileGetFrames %d", handle);
        return m_frames;
    }
    void SWFFileSeekTo(int handle, int frame) override { Log(L"SWFFileSeekTo %d %d", handle, frame); }
    void SWFFileForward(int handle) override { Log(L"SWFFileForward %d", handle); }
    void SWFFileClose(int handle) override { Log(L"SWFFileClose %d", handle); }
    int TOLFileOpen(LPCWSTR, HDC, int x, int y, int w, int h) override
    {
        Log(L"TOLFileOpen %d %d %d %d", x, y, w, h);
        return m_open;
    }
    int TOLFileGetFrames(int handle) override
    {
        Log(L"TOLFileGetFrames %d", handle);
        return m_frames;
    }
    void TOLFileSeekTo(int handle, int frame) override { Log(L"TOLFileSeekTo %d %d", handle, frame); }
    void TOLFileForward(int handle) override { Log(L"TOLFileForward %d", handle); }
    void TOLFileClose(int handle) override { Log(L"TOLFileClose %d", handle); }

    template <class... Args> void Log(LPCWSTR format, Args... args)
    {
        CString line;
        line.Format(format, args...);
        m_log.push_back(line);
    }
    CString Joined() const
    {
        CString all;
        for (const CString& line : m_log)
            all += line + L"; ";
        return all;
    }
    int m_open = 4;
    int m_frames = 9;
    std::vector<CString> m_log;
};

class ProbeTest : public ::testing::Test {
protected:
    ProbeTest() { m_previous = SetMediaDecoders(&m_decoders); }
    ~ProbeTest() override { SetMediaDecoders(m_previous); }
    CString File(LPCWSTR name)
    {
        CString path = m_folder.File(name);
        WriteText(path, "x");
        return path;
    }
    CScriptDecoders m_decoders;
    CMediaDecoders* m_previous = nullptr;
    CTempFolder m_folder;
};

// A 256 x 256 drawing surface filled with one colour.
class CThumbSurface {
public:
    CThumbSurface()
    {
        m_dc = ::CreateCompatibleDC(nullptr);
        m_bitmap = CreateDib32(256, 256, reinterpret_cast<void**>(&m_bits));
        m_old = ::SelectObject(m_dc, m_bitmap);
        for (int i = 0; i < 256 * 256; ++i)
            m_bits[i] = 0x00FF00FF;
    }
    ~CThumbSurface()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    // 0x00RRGGBB of the pixel, rows counted from the top.
    DWORD At(int x, int y) const { return m_bits[(255 - y) * 256 + x] & 0xFFFFFF; }
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    DWORD* m_bits = nullptr;
};

bool Near(DWORD pixel, clipgen::Rgb c, int tolerance = 24)
{
    int r = (pixel >> 16) & 0xFF;
    int g = (pixel >> 8) & 0xFF;
    int b = pixel & 0xFF;
    return std::abs(r - c.r) <= tolerance && std::abs(g - c.g) <= tolerance && std::abs(b - c.b) <= tolerance;
}

} // namespace

TEST(MediaKind, FollowsTheLastExtensionWithoutRegardToCase)
{
    EXPECT_EQ(MediaKindOfPath(L"C:\\a\\logo.swf"), MEDIA_FILE_SWF);
    EXPECT_EQ(MediaKindOfPath(L"C:\\a\\logo.SWF"), MEDIA_FILE_SWF);
    EXPECT_EQ(MediaKindOfPath(L"C:\\a.swf\\anim.Tol"), MEDIA_FILE_TOL);
    EXPECT_EQ(MediaKindOfPath(L"C:\\a.swf\\clip"), MEDIA_FILE_VIDEO);
    EXPECT_EQ(MediaKindOfPath(L"clip.swf.avi"), MEDIA_FILE_VIDEO);
    EXPECT_EQ(MediaKindOfPath(L"noextension"), MEDIA_FILE_VIDEO);
}

TEST_F(ProbeTest, ThumbnailCallsPerKind)
{
    struct Case {
        LPCWSTR name;
        int open;
        int frames;
        int result;
        LPCWSTR calls;
    };
    const Case cases[] = {
        { L"clip.mp4", 4, 9, 1, L"FFmpegFileOpen 0 0 256 256 0 0 0 0; FFmpegFileForward 4; FFmpegFileClose 4; " },
        { L"clip", 4, 9, 1, L"FFmpegFileOpen 0 0 256 256 0 0 0 0; FFmpegFileForward 4; FFmpegFileClose 4; " },
        { L"bad.avi", -1, 9, 0, L"FFmpegFileOpen 0 0 256 256 0 0 0 0; " },
        { L"logo.swf", 4, 9, 1,
            L"SWFFileOpen 0 0 256 256; SWFFileGetFrames 4; SWFFileSeekTo 4 4; SWFFileForward 4; "
            L"SWFFileClose 4; " },
        { L"one.SWF", 4, 1, 1,
            L"SWFFileOpen 0 0 256 256; SWFFileGetFrames 4; SWFFileSeekTo 4 0; SWFFileForward 4; "
            L"SWFFileClose 4; " },
        { L"empty.swf", 4, 0, 0, L"SWFFileOpen 0 0 256 256; SWFFileGetFrames 4; SWFFileClose 4; " },
        { L"bad.swf", -2, 9, 0, L"SWFFileOpen 0 0 256 256; " },
        { L"anim.tol", 6, 9, 1,
            L"TOLFileOpen 0 0 256 256; TOLFileGetFrames 6; TOLFileSeekTo 6 4; TOLFileForward 6; "
            L"TOLFileClose 6; " },
        { L"empty.tol", 6, 0, 0, L"TOLFileOpen 0 0 256 256; TOLFileGetFrames 6; TOLFileClose 6; " },
    };
    for (const Case& c : cases) {
        m_decoders.m_log.clear();
        m_decoders.m_open = c.open;
        m_decoders.m_frames = c.frames;
        EXPECT_EQ(RenderMediaThumbnail(File(c.name), nullptr), c.result) << CStringA(c.name).GetString();
        EXPECT_EQ(m_decoders.Joined(), CString(c.calls)) << CStringA(c.name).GetString();
    }
    // A missing file asks no decoder.
    m_decoders.m_log.clear();
    EXPECT_EQ(RenderMediaThumbnail(m_folder.File(L"missing.swf"), nullptr), 0);
    EXPECT_TRUE(m_decoders.m_log.empty());
}

TEST_F(ProbeTest, FrameCountsCloseWhatTheyOpen)
{
    m_decoders.m_frames = 12;
    EXPECT_EQ(GetVideoFrameCount(nullptr, L"v.avi"), 12);
    EXPECT_EQ(GetSwfFrameCount(nullptr, L"a.swf"), 12);
    EXPECT_EQ(GetTolFrameCount(nullptr, L"a.tol"), 12);
    EXPECT_EQ(m_decoders.Joined(),
        CString(L"FFmpegFileOpen 0 0 256 256 0 0 0 0; FFmpegFileGetFrames 4; FFmpegFileClose 4; "
                L"SWFFileOpen 0 0 256 256; SWFFileGetFrames 4; SWFFileClose 4; "
                L"TOLFileOpen 0 0 256 256; TOLFileGetFrames 4; TOLFileClose 4; "));
    m_decoders.m_open = -1;
    m_decoders.m_log.clear();
    EXPECT_EQ(GetSwfFrameCount(nullptr, L"a.swf"), 0);
    EXPECT_EQ(GetVideoFrameCount(nullptr, L"v.avi"), 0);
    EXPECT_EQ(m_decoders.m_log.size(), 2u);
}

// Through the real video library beside the test program.
TEST(MediaProbeFiles, GeneratedClipGivesItsFirstFrameAndCount)
{
    CTempFolder folder;
    clipgen::AviStream stream;
    stream.width = 32;
    stream.height = 24;
    for (int i = 0; i < 6; ++i)
        stream.chunks.push_back(clipgen::DibRows24(clipgen::FlatPicture(32, 24, clipgen::FrameColour(i))));
    CString clip = folder.File(L"clip.avi");
    ASSERT_TRUE(clipgen::WriteFileBytes(clip.GetString(), clipgen::BuildAvi({ stream }, 25)));

    CThumbSurface surface;
    EXPECT_EQ(GetVideoFrameCount(surface.m_dc, clip), 6);
    EXPECT_EQ(surface.At(128, 128), 0xFF00FFu); // counting draws nothing
    ASSERT_EQ(RenderMediaThumbnail(clip, surface.m_dc), 1);
    EXPECT_TRUE(Near(surface.At(128, 128), clipgen::FrameColour(0))) << std::hex << surface.At(128, 128);
    EXPECT_TRUE(Near(surface.At(0, 0), clipgen::FrameColour(0)));
    EXPECT_TRUE(Near(surface.At(255, 255), clipgen::FrameColour(0)));

    // Not a video at all: refused, the surface untouched.
    CThumbSurface other;
    CString text = folder.File(L"notes.avi");
    WriteText(text, "these are not frames");
    EXPECT_EQ(RenderMediaThumbnail(text, other.m_dc), 0);
    EXPECT_EQ(GetVideoFrameCount(other.m_dc, text), 0);
    EXPECT_EQ(other.At(128, 128), 0xFF00FFu);
}

// Through the real animation library: the thumbnail of a 10-frame SWF file
// is its frame 6 (a seek to frame 10 / 2, then one forward).
TEST(MediaProbeFiles, GeneratedSwfGivesItsMiddleFrameAndCount)
{
    CTempFolder folder;
    std::vector<swftest::Color> colours;
    for (int i = 0; i < 10; ++i) {
        const clipgen::Rgb c = clipgen::FrameColour(i);
        colours.push_back(
            swftest::Color { static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g), static_cast<uint8_t>(c.b) });
    }
    CString path = folder.File(L"flat.SWF");
    ASSERT_TRUE(clipgen::WriteFileBytes(path.GetString(), swftest::FlatFrames(64, 32, colours)));

    CThumbSurface surface;
    EXPECT_EQ(GetSwfFrameCount(surface.m_dc, path), 10);
    EXPECT_EQ(surface.At(128, 128), 0xFF00FFu); // counting draws nothing
    ASSERT_EQ(RenderMediaThumbnail(path, surface.m_dc), 1);
    EXPECT_TRUE(Near(surface.At(128, 128), clipgen::FrameColour(5))) << std::hex << surface.At(128, 128);
    EXPECT_TRUE(Near(surface.At(0, 0), clipgen::FrameColour(5))) << "the stage stretched over the thumbnail";
    EXPECT_TRUE(Near(surface.At(255, 255), clipgen::FrameColour(5)));

    // An SWF file compressed with LZMA is refused; the surface stays.
    CThumbSurface other;
    std::vector<uint8_t> lzma = swftest::FlatFrames(64, 32, colours);
    lzma[0] = 'Z';
    CString refused = folder.File(L"lzma.swf");
    ASSERT_TRUE(clipgen::WriteFileBytes(refused.GetString(), lzma));
    EXPECT_EQ(RenderMediaThumbnail(refused, other.m_dc), 0);
    EXPECT_EQ(GetSwfFrameCount(other.m_dc, refused), 0);
    EXPECT_EQ(other.At(128, 128), 0xFF00FFu);
}

TEST(MediaProbeFiles, AnImageMadeWithGdiplusIsProbedAsAVideo)
{
    clipgen::CJpegEncoder encoder;
    ASSERT_TRUE(encoder.Ready());
    clipgen::Rgb colour = clipgen::FrameColour(5);
    std::vector<uint8_t> jpeg = encoder.Encode(clipgen::FlatPicture(40, 30, colour));
    ASSERT_FALSE(jpeg.empty());
    CTempFolder folder;
    CString image = folder.File(L"still.jpg");
    ASSERT_TRUE(clipgen::WriteFileBytes(image.GetString(), jpeg));
    CThumbSurface surface;
    int drawn = RenderMediaThumbnail(image, surface.m_dc);
    if (drawn == 1) {
        EXPECT_TRUE(Near(surface.At(128, 128), colour)) << std::hex << surface.At(128, 128);
    } else {
        // The video library may refuse a still picture; then nothing is drawn.
        EXPECT_EQ(surface.At(128, 128), 0xFF00FFu);
    }
}

TEST_F(DocTest, AddingAGeneratedClipRendersItsThumbnailOnce)
{
    CTempFolder folder;
    clipgen::AviStream stream;
    stream.width = 16;
    stream.height = 16;
    for (int i = 0; i < 3; ++i)
        stream.chunks.push_back(clipgen::DibRows24(clipgen::FlatPicture(16, 16, clipgen::FrameColour(i + 2))));
    CString clip = folder.File(L"added.avi");
    ASSERT_TRUE(clipgen::WriteFileBytes(clip.GetString(), clipgen::BuildAvi({ stream }, 25)));
    BindFakePanels();
    m_doc->AddVideoFile(clip);
    ASSERT_EQ(m_doc->m_mediaThumbs.GetSize(), 1);
    ASSERT_EQ(m_host.m_requests.size(), 1u);
    EXPECT_EQ(m_host.m_requests[0].dialogId, IDD_EDITOR_VIDEO);
    EXPECT_EQ(m_host.m_requests[0].thumbnailIndex, 0);
    BITMAP info {};
    ASSERT_NE(::GetObjectW(m_doc->m_mediaThumbs.GetAt(0)->GetSafeHandle(), sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 256);
    EXPECT_EQ(info.bmHeight, 256);
}

TEST_F(DocTest, AddingAGeneratedSwfOpensTheImportWithItsThumbnail)
{
    CTempFolder folder;
    std::vector<swftest::Color> colours;
    for (int i = 0; i < 4; ++i) {
        const clipgen::Rgb c = clipgen::FrameColour(i + 1);
        colours.push_back(
            swftest::Color { static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g), static_cast<uint8_t>(c.b) });
    }
    CString path = folder.File(L"added.swf");
    ASSERT_TRUE(clipgen::WriteFileBytes(path.GetString(), swftest::FlatFrames(32, 32, colours)));
    BindFakePanels();
    m_doc->AddVideoFile(path);
    ASSERT_EQ(m_doc->m_mediaThumbs.GetSize(), 1);
    ASSERT_EQ(m_host.m_requests.size(), 1u);
    EXPECT_EQ(m_host.m_requests[0].dialogId, IDD_EDITOR_VIDEO);
    // The thumbnail is frame 3 of 4 (a seek to frame 2, one forward).
    CDC dc;
    dc.Attach(::CreateCompatibleDC(nullptr));
    HGDIOBJ old = ::SelectObject(dc, m_doc->m_mediaThumbs.GetAt(0)->GetSafeHandle());
    const COLORREF centre = ::GetPixel(dc, 128, 128);
    ::SelectObject(dc, old);
    ::DeleteDC(dc.Detach());
    const clipgen::Rgb wanted = clipgen::FrameColour(3);
    EXPECT_EQ(centre, RGB(wanted.r, wanted.g, wanted.b));
}
