// Flossar plays SWF files written by the test-side writer: frame counts, the
// open / seek / forward / close contract, placement at x, y, width, height
// with the stage's background, shapes of every version with curves and
// lines, placements, removals and colour transforms, and a zlib copy.
#include "Flossar.h"
#include "canvas.h"
#include "swf_writer.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace swftest;

namespace {

const Color kRed { 255, 0, 0 };
const Color kNavy { 0, 0, 128 };
constexpr COLORREF kRedRef = RGB(255, 0, 0);
constexpr COLORREF kNavyRef = RGB(0, 0, 128);
constexpr COLORREF kGreenRef = RGB(0, 255, 0);

// A 10 x 10 pixel red square moving 8 pixels right per frame over 10 frames
// on a 100 x 50 stage with a navy background.
Movie RedSquare(int shapeVersion = 3)
{
    Movie m(100, 50);
    m.Background(kNavy);
    Shape s;
    s.Rect(0, 0, 200, 200, s.Solid(kRed));
    m.Shape(1, s, shapeVersion);
    for (int f = 1; f <= 10; ++f) {
        Place p;
        p.depth = 1;
        p.charId = f == 1 ? 1 : -1;
        p.move = f > 1;
        p.hasMatrix = true;
        p.matrix = Translate((5 + 8 * (f - 1)) * 20, 20 * 20);
        m.Place(p);
        m.ShowFrame();
    }
    return m;
}

// Left edge on the canvas of the square of frame f, drawn at (10, 5) twice
// the stage size.
int SquareLeft(int f)
{
    return 10 + 2 * (5 + 8 * (f - 1));
}

struct Opened {
    explicit Opened(const std::wstring& path, HDC dc, int x, int y, int w, int h)
        : handle(SWFFileOpen(path.c_str(), dc, x, y, w, h))
    {
    }
    ~Opened()
    {
        if (handle >= 0)
            SWFFileClose(handle);
    }
    int handle;
};

bool SquareAt(const Canvas& c, int f)
{
    return c.At(SquareLeft(f) + 10, 55) == kRedRef;
}

} // namespace

TEST(FlossarPlay, RedSquareFramesSeekAndForward)
{
    const std::wstring path = WriteTemp(L"square.swf", RedSquare().Fws());
    Canvas canvas(220, 110);
    Opened file(path, canvas.Dc(), 10, 5, 200, 100);
    ASSERT_GE(file.handle, 0);
    EXPECT_EQ(10, SWFFileGetFrames(file.handle));
    EXPECT_EQ(canvas.Width() * canvas.Height(), canvas.Count(kGreenRef, 0)) << "opening draws nothing";

    EXPECT_EQ(1, SWFFileForward(file.handle)); // the first Forward after opening shows frame 1
    EXPECT_TRUE(SquareAt(canvas, 1));
    EXPECT_EQ(kNavyRef, canvas.At(SquareLeft(1) - 3, 55)) << "stage background";
    EXPECT_EQ(kNavyRef, canvas.At(10, 5)) << "top left of the target";
    EXPECT_EQ(kNavyRef, canvas.At(209, 104)) << "bottom right of the target";
    EXPECT_EQ(kGreenRef, canvas.At(9, 50)) << "left of the target untouched";
    EXPECT_EQ(kGreenRef, canvas.At(210, 50)) << "right of the target untouched";
    EXPECT_EQ(kGreenRef, canvas.At(100, 4)) << "above the target untouched";
    EXPECT_EQ(kGreenRef, canvas.At(100, 105)) << "below the target untouched";

    EXPECT_EQ(7, SWFFileSeekTo(file.handle, 7));
    EXPECT_TRUE(SquareAt(canvas, 7));
    EXPECT_FALSE(SquareAt(canvas, 1));
    EXPECT_EQ(8, SWFFileForward(file.handle));
    EXPECT_TRUE(SquareAt(canvas, 8));
    EXPECT_FALSE(SquareAt(canvas, 7));
    // The square covers 20 x 20 pixels; anti-aliasing may soften its border.
    const int red = canvas.Count(kRedRef, 8);
    EXPECT_GE(red, 18 * 18);
    EXPECT_LE(red, 21 * 21);
    EXPECT_EQ(kNavyRef, canvas.At(SquareLeft(8) + 10, 55 - 12)) << "above the square";

    // Seeking back replays from the start; the end loops to frame 1.
    EXPECT_EQ(3, SWFFileSeekTo(file.handle, 3));
    EXPECT_TRUE(SquareAt(canvas, 3));
    EXPECT_EQ(10, SWFFileSeekTo(file.handle, 10));
    EXPECT_EQ(1, SWFFileForward(file.handle));
    EXPECT_TRUE(SquareAt(canvas, 1));
    EXPECT_FALSE(SquareAt(canvas, 10));
}

TEST(FlossarPlay, SeekOutsideTheFramesWrapsOrStartsAtOne)
{
    const std::wstring path = WriteTemp(L"square_seek.swf", RedSquare().Fws());
    Canvas canvas(220, 110);
    Opened file(path, canvas.Dc(), 10, 5, 200, 100);
    ASSERT_GE(file.handle, 0);
    struct Case {
        int seek;
        int shown;
    } cases[] = { { 0, 1 }, { -5, 1 }, { 1, 1 }, { 10, 10 }, { 11, 1 }, { 25, 5 } };
    for (const Case& c : cases) {
        EXPECT_EQ(c.shown, SWFFileSeekTo(file.handle, c.seek)) << c.seek;
        EXPECT_TRUE(SquareAt(canvas, c.shown)) << c.seek;
    }
}

TEST(FlossarPlay, CompressedCopyDrawsTheSamePixels)
{
    const Movie movie = RedSquare();
    Canvas plain(220, 110);
    Canvas packed(220, 110);
    Opened a(WriteTemp(L"plain.swf", movie.Fws()), plain.Dc(), 10, 5, 200, 100);
    Opened b(WriteTemp(L"packed.swf", movie.Cws()), packed.Dc(), 10, 5, 200, 100);
    ASSERT_GE(a.handle, 0);
    ASSERT_GE(b.handle, 0);
    EXPECT_EQ(10, SWFFileGetFrames(b.handle));
    SWFFileSeekTo(a.handle, 4);
    SWFFileSeekTo(b.handle, 4);
    EXPECT_TRUE(SquareAt(packed, 4));
    EXPECT_EQ(0, std::memcmp(plain.Bits(), packed.Bits(), 220 * 110 * 4));
}

TEST(FlossarPlay, EveryShapeVersionDrawsTheSquare)
{
    for (int version = 1; version <= 4; ++version) {
        Canvas canvas(220, 110);
        Opened file(WriteTemp(L"version.swf", RedSquare(version).Fws()), canvas.Dc(), 10, 5, 200, 100);
        ASSERT_GE(file.handle, 0) << version;
        SWFFileSeekTo(file.handle, 2);
        EXPECT_TRUE(SquareAt(canvas, 2)) << version;
        EXPECT_EQ(kNavyRef, canvas.At(SquareLeft(2) - 3, 55)) << version;
    }
}

TEST(FlossarPlay, HandlesComeFromACounterAndStayIndependent)
{
    const std::wstring path = WriteTemp(L"square_handles.swf", RedSquare().Fws());
    Canvas one(220, 110);
    Canvas two(220, 110);
    const int a = SWFFileOpen(path.c_str(), one.Dc(), 10, 5, 200, 100);
    const int b = SWFFileOpen(path.c_str(), two.Dc(), 10, 5, 200, 100);
    ASSERT_GE(a, 0);
    ASSERT_GT(b, a);
    SWFFileSeekTo(a, 2);
    SWFFileSeekTo(b, 9);
    EXPECT_TRUE(SquareAt(one, 2));
    EXPECT_TRUE(SquareAt(two, 9));
    EXPECT_EQ(0, SWFFileClose(a));
    EXPECT_EQ(10, SWFFileForward(b)) << "the other handle plays on";
    EXPECT_EQ(-1, SWFFileClose(a)) << "a closed handle is unknown";
    EXPECT_EQ(0, SWFFileGetFrames(a));
    EXPECT_EQ(-1, SWFFileSeekTo(a, 1));
    EXPECT_EQ(-1, SWFFileForward(a));
    EXPECT_EQ(0, SWFFileClose(b));
    const int c = SWFFileOpen(path.c_str(), one.Dc(), 0, 0, 100, 50);
    EXPECT_GT(c, b) << "handles are not reused";
    SWFFileClose(c);
    EXPECT_EQ(0, SWFClearEnv());
}

TEST(FlossarPlay, FilesThatCannotBeOpened)
{
    Movie lzma = RedSquare();
    Bytes zws = lzma.Fws();
    zws[0] = 'Z';
    Bytes badSignature = lzma.Fws();
    badSignature[1] = 'X';
    Movie flat(0, 50);
    struct Case {
        const wchar_t* name;
        Bytes bytes;
    } cases[] = {
        { L"lzma.swf", zws },
        { L"signature.swf", badSignature },
        { L"empty.swf", {} },
        { L"header_only.swf", Bytes { 'F', 'W', 'S', 8, 8, 0, 0, 0 } },
        { L"no_stage.swf", flat.Fws() },
    };
    Canvas canvas(100, 50);
    for (const Case& c : cases) {
        const std::wstring path = WriteTemp(c.name, c.bytes);
        EXPECT_LT(SWFFileOpen(path.c_str(), canvas.Dc(), 0, 0, 100, 50), 0) << c.name;
    }
    EXPECT_LT(SWFFileOpen(L"C:\\no such folder\\missing.swf", canvas.Dc(), 0, 0, 100, 50), 0);
    EXPECT_LT(SWFFileOpen(nullptr, canvas.Dc(), 0, 0, 100, 50), 0);
}

TEST(FlossarPlay, RemovalsPlacementsAndColourTransforms)
{
    Movie m(100, 50);
    m.Background(kNavy);
    Shape square;
    square.Rect(0, 0, 200, 200, square.Solid(kRed));
    m.Shape(1, square);
    Shape blue;
    blue.Rect(0, 0, 200, 200, blue.Solid(Color { 0, 0, 255 }));
    m.Shape(2, blue);
    // Frame 1: the red square by the first placement tag, the blue one turned
    // yellow by a colour transform.
    BitWriter po;
    po.U16(1);
    po.U16(1);
    WriteMatrix(po, Translate(200, 200));
    m.Tag(4, po.Data());
    Place yellow;
    yellow.depth = 2;
    yellow.charId = 2;
    yellow.hasMatrix = true;
    yellow.matrix = Translate(1000, 200);
    yellow.hasColorTransform = true;
    yellow.colorTransform.mr = 0;
    yellow.colorTransform.mb = 0;
    yellow.colorTransform.ar = 255;
    yellow.colorTransform.ag = 255;
    m.Place(yellow);
    m.ShowFrame();
    // Frame 2: the red square goes (RemoveObject2) and the yellow one is
    // scaled by two in place (a move without character).
    m.Remove(1);
    Place grow;
    grow.depth = 2;
    grow.move = true;
    grow.hasMatrix = true;
    grow.matrix = ScaleAt(2, 2, 1000, 200);
    m.Place(grow);
    m.ShowFrame();
    // Frame 3: the first removal tag takes the other one too; a move that
    // names a character at an empty depth places it.
    BitWriter ro;
    ro.U16(2);
    ro.U16(2);
    m.Tag(5, ro.Data());
    Place moved;
    moved.depth = 4;
    moved.move = true;
    moved.charId = 1;
    moved.hasMatrix = true;
    moved.matrix = Translate(1600, 600);
    m.Place(moved);
    m.ShowFrame();

    Canvas canvas(100, 50);
    Opened file(WriteTemp(L"places.swf", m.Fws()), canvas.Dc(), 0, 0, 100, 50);
    ASSERT_GE(file.handle, 0);
    EXPECT_EQ(3, SWFFileGetFrames(file.handle));
    SWFFileForward(file.handle);
    EXPECT_EQ(kRedRef, canvas.At(15, 15));
    EXPECT_EQ(RGB(255, 255, 0), canvas.At(55, 15));
    EXPECT_EQ(kNavyRef, canvas.At(65, 25));
    SWFFileForward(file.handle);
    EXPECT_EQ(kNavyRef, canvas.At(15, 15));
    EXPECT_EQ(RGB(255, 255, 0), canvas.At(65, 25)) << "scaled to 20 x 20";
    SWFFileForward(file.handle);
    EXPECT_EQ(100 * 50 - 100, canvas.Count(kNavyRef, 0));
    EXPECT_EQ(100, canvas.Count(kRedRef, 0));
    EXPECT_EQ(kRedRef, canvas.At(85, 35));
}

TEST(FlossarPlay, CurvedEdgesAndLines)
{
    Movie m(100, 100);
    m.Background(Color { 255, 255, 255 });
    Shape circle;
    circle.Circle(500 * 2, 500 * 2, 400, circle.Solid(kRed)); // radius 20 px at (50, 50)
    m.Shape(1, circle);
    Shape frame;
    const int black = frame.Line(40, Color { 0, 0, 0 }); // 2 px wide
    frame.Style(0, 0, black);
    frame.MoveTo(200, 200);
    frame.LineTo(400, 200);
    frame.LineTo(400, 400);
    frame.LineTo(200, 400);
    frame.LineTo(200, 200);
    m.Shape(2, frame);
    Place p;
    p.charId = 1;
    m.Place(p);
    p.depth = 2;
    p.charId = 2;
    m.Place(p);
    m.ShowFrame();

    Canvas canvas(100, 100);
    Opened file(WriteTemp(L"curves.swf", m.Fws()), canvas.Dc(), 0, 0, 100, 100);
    ASSERT_GE(file.handle, 0);
    SWFFileForward(file.handle);
    // Area of a circle of radius 20: 1257 pixels.
    const int red = canvas.Count(kRedRef, 60);
    EXPECT_NEAR(1257, red, 40);
    EXPECT_EQ(kRedRef, canvas.At(50, 50));
    EXPECT_EQ(kRedRef, canvas.At(50, 32));
    int blended = 0; // rim pixels part red, part white
    for (int y = 25; y < 75; ++y)
        for (int x = 25; x < 75; ++x) {
            const COLORREF c = canvas.At(x, y);
            blended += GetRValue(c) == 255 && GetGValue(c) > 16 && GetGValue(c) < 240 ? 1 : 0;
        }
    EXPECT_GT(blended, 30) << "anti-aliased edges";
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(50, 27));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(66, 66)) << "outside the curve, inside its square";
    // The outline from (10, 10) to (20, 20): on the line black, inside white.
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(15, 10));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(20, 15));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(15, 15));
}
