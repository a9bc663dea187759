// Show files written by the controller library's own recorder, read back by
// the preview: geometry, the layout copy and frames drawn on that layout and
// raw, with payload scrambling off and on.
#include "RecorderFixture.h"

#include "FrameRender.h"
#include "PreviewLayout.h"
#include "ShowFile.h"

namespace {

using namespace corvane_test;

class CRecordedShowTest : public CRecorderTest {
protected:
    // Records three frames of the tiny layout into OFF001.arm.
    CString Record(bool scrambled)
    {
        LoadLayout(TinyLayout());
        LEDSetSecurityFlag(scrambled ? 1 : 0);
        const std::wstring path = Path(L"OFF001.arm");
        EXPECT_EQ(LEDRecordingInit(1, path.c_str(), 25), 0);
        for (int f = 0; f < 3; ++f) {
            std::vector<std::uint8_t> pixels = TinyFrame(f);
            double size = 0;
            EXPECT_EQ(LEDRecordingFrame(pixels.data(), 1, &size), 0);
        }
        CStringArray cards;
        for (int i = 0; i < 4; ++i)
            cards.Add(L"QV-HN31EPLAY>>>>");
        EXPECT_EQ(LEDRecordingStop(PlainSettings(cards)), 0);
        return CString(path.c_str());
    }
};

COLORREF PicturePixel(const std::vector<BYTE>& picture, CSize size, int x, int y)
{
    const BYTE* p = picture.data() + (static_cast<std::size_t>(size.cy - 1 - y) * size.cx + x) * 4;
    return RGB(p[2], p[1], p[0]);
}

COLORREF FramePixel(int f, int x, int y)
{
    const std::vector<std::uint8_t> frame = TinyFrame(f);
    const std::uint8_t* p = frame.data() + (x + 4 * y) * 4;
    return RGB(p[2], p[1], p[0]);
}

} // namespace

TEST_F(CRecordedShowTest, PlaysOnItsOwnLayoutCopy)
{
    for (bool scrambled : { false, true }) {
        SCOPED_TRACE(scrambled ? "scrambled" : "plain");
        const CString path = Record(scrambled);
        std::vector<BYTE> a, b, frame;
        preview::ShowGeometry geometry;
        ASSERT_EQ(preview::ReadShowFile(path, a, b, frame, geometry), preview::ShowOpenResult::Ok);
        EXPECT_EQ(geometry.frameCount, 3u);
        EXPECT_EQ(geometry.firstPort, 1);
        EXPECT_EQ(geometry.portCount, 2);
        EXPECT_EQ(geometry.largestOutputCount, 2);
        EXPECT_EQ(geometry.largestOutputLength, 6);

        std::vector<BYTE> copy;
        ASSERT_TRUE(preview::ReadEmbeddedLayout(path, copy));
        EXPECT_EQ(copy, LayoutBytes());
        preview::PreviewLayout layout;
        ASSERT_TRUE(preview::ReadPreviewLayoutBytes(copy, layout));

        const CPoint lamps[] = { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 0, 1 }, { 3, 1 } };
        for (std::uint32_t f = 0; f < 3; ++f) {
            ASSERT_TRUE(preview::ReadShowFrame(path, geometry, f, frame));
            const CSize size = preview::PictureSize(geometry, &layout);
            ASSERT_EQ(size, CSize(4, 2));
            std::vector<BYTE> picture;
            preview::RenderPicture(frame.data(), geometry, &layout, size, picture);
            for (const CPoint& lamp : lamps)
                EXPECT_EQ(PicturePixel(picture, size, lamp.x, lamp.y), FramePixel(int(f), lamp.x, lamp.y))
                    << "frame " << f << " lamp " << lamp.x << "," << lamp.y;
            EXPECT_EQ(PicturePixel(picture, size, 1, 1), RGB(0, 0, 0)); // no lamp there

            // Raw: the bottom row is port 1's output 0 (lamps (0,0), (1,0)).
            const CSize raw = preview::PictureSize(geometry, nullptr);
            ASSERT_EQ(raw, CSize(2, 4));
            preview::RenderPicture(frame.data(), geometry, nullptr, raw, picture);
            EXPECT_EQ(PicturePixel(picture, raw, 1, 3), FramePixel(int(f), 1, 0));
            EXPECT_EQ(PicturePixel(picture, raw, 0, 2), FramePixel(int(f), 2, 0));
            EXPECT_EQ(PicturePixel(picture, raw, 1, 1), FramePixel(int(f), 3, 1));
        }
        EXPECT_FALSE(preview::ReadShowFrame(path, geometry, 3, frame));
    }
}
