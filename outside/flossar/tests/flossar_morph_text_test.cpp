// Flossar draws morph shapes at the ratio of their placement and static
// texts from their fonts' glyph outlines.
#include "Flossar.h"
#include "canvas.h"
#include "swf_writer.h"

#include <gtest/gtest.h>

using namespace swftest;

namespace {

int OpenOn(Canvas& canvas, const wchar_t* name, const Bytes& file)
{
    return SWFFileOpen(WriteTemp(name, file).c_str(), canvas.Dc(), 0, 0, canvas.Width(), canvas.Height());
}

// Extent of the pixels near colour c along row y: first and last x, or -1.
std::pair<int, int> RowSpan(const Canvas& canvas, int y, COLORREF c, int tolerance)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < canvas.Width(); ++x)
        if (Canvas::Near(canvas.At(x, y), c, tolerance)) {
            if (first < 0)
                first = x;
            last = x;
        }
    return { first, last };
}

} // namespace

TEST(FlossarMorphText, MorphShapeAtItsRatio)
{
    // From a red 10 x 10 px square at (0, 0) to a blue 20 x 20 px one at
    // (40, 20); placed at ratios 0, one half and 1 on three frames.
    Movie m(80, 60);
    m.Background(Color { 255, 255, 255 });
    Shape start;
    start.Rect(0, 0, 200, 200, 1);
    Shape end;
    end.MoveTo(800, 400);
    end.LineTo(1200, 400);
    end.LineTo(1200, 800);
    end.LineTo(800, 800);
    end.LineTo(800, 400);
    m.Tag(46, MorphBody(1, start, end, { { Color { 255, 0, 0 }, Color { 0, 0, 255 } } }));
    const int ratios[] = { 0, 32768, 65535 };
    for (int i = 0; i < 3; ++i) {
        Place p;
        p.charId = i == 0 ? 1 : -1;
        p.move = i > 0;
        p.ratio = ratios[i];
        m.Place(p);
        m.ShowFrame();
    }
    Canvas canvas(80, 60);
    const int handle = OpenOn(canvas, L"morph.swf", m.Fws());
    ASSERT_GE(handle, 0);
    SWFFileForward(handle);
    EXPECT_EQ(std::make_pair(0, 9), RowSpan(canvas, 5, RGB(255, 0, 0), 2));
    SWFFileForward(handle);
    // Half way: from (20, 10) to (35, 25), purple.
    const COLORREF purple = RGB(128, 0, 128);
    EXPECT_EQ(std::make_pair(20, 34), RowSpan(canvas, 17, purple, 2));
    EXPECT_TRUE(Canvas::Near(canvas.At(27, 10), purple, 2));
    EXPECT_TRUE(Canvas::Near(canvas.At(27, 24), purple, 2));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(27, 8));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(27, 26));
    SWFFileForward(handle);
    EXPECT_EQ(std::make_pair(40, 59), RowSpan(canvas, 30, RGB(0, 0, 255), 2));
    SWFFileClose(handle);
}

TEST(FlossarMorphText, StaticTextFromGlyphOutlines)
{
    // Glyph 0 is a box, glyph 1 a box with a square hole; a 20 px high text
    // of box, holed box, box in red from (10, 30) px, 25 px apart.
    for (int fontVersion = 1; fontVersion <= 3; ++fontVersion)
        for (int textVersion = 1; textVersion <= 2; ++textVersion) {
            const int em = fontVersion == 3 ? 20 : 1;
            Shape box;
            box.Rect(100 * em, -800 * em, 800 * em, 800 * em, 1);
            Shape holed;
            holed.Rect(100 * em, -800 * em, 800 * em, 800 * em, 1);
            // The hole runs the other way round: fill on its outside.
            holed.Style(1, 0, -1);
            holed.MoveTo(300 * em, -600 * em);
            holed.LineTo(700 * em, -600 * em);
            holed.LineTo(700 * em, -200 * em);
            holed.LineTo(300 * em, -200 * em);
            holed.LineTo(300 * em, -600 * em);
            Movie m(100, 40);
            m.Background(Color { 255, 255, 255 });
            m.Tag(fontVersion == 1 ? 10 : fontVersion == 2 ? 48 : 75, FontBody(2, fontVersion, { box, holed }));
            m.Tag(textVersion == 1 ? 11 : 33,
                TextBody(3, textVersion, Matrix {},
                    { { 2, Color { 255, 0, 0 }, 200, 600, 400, { { 0, 500 }, { 1, 500 }, { 0, 500 } } } }));
            Place p;
            p.charId = 3;
            m.Place(p);
            m.ShowFrame();

            Canvas canvas(100, 40);
            const int handle = OpenOn(canvas, L"text.swf", m.Fws());
            ASSERT_GE(handle, 0);
            SWFFileForward(handle);
            // Each box spans 0.1 .. 0.9 em of 20 px: 2 .. 18 px right of its
            // origin, 16 px up from the baseline at y = 30.
            for (int i = 0; i < 3; ++i) {
                const int left = 10 + 25 * i;
                EXPECT_EQ(RGB(255, 0, 0), canvas.At(left + 4, 20)) << fontVersion << textVersion << " glyph " << i;
                EXPECT_EQ(RGB(255, 255, 255), canvas.At(left, 20)) << fontVersion << textVersion;
                EXPECT_EQ(RGB(255, 255, 255), canvas.At(left + 4, 31)) << fontVersion << textVersion;
                EXPECT_EQ(RGB(255, 255, 255), canvas.At(left + 4, 12)) << fontVersion << textVersion;
            }
            EXPECT_EQ(RGB(255, 255, 255), canvas.At(35 + 10, 22)) << "the hole of glyph 1";
            EXPECT_EQ(RGB(255, 0, 0), canvas.At(10 + 10, 22)) << "no hole in glyph 0";
            SWFFileClose(handle);
        }
}
