// Flossar draws gradients, sprites with their own timelines and clip
// layers: pixel checks on small movies from the test-side writer.
#include "Flossar.h"
#include "canvas.h"
#include "swf_writer.h"

#include <gtest/gtest.h>

using namespace swftest;

namespace {

const Color kWhite { 255, 255, 255 };
const Color kBlack { 0, 0, 0 };
const Color kRed { 255, 0, 0 };
const Color kBlue { 0, 0, 255 };

struct Player {
    Player(const std::wstring& name, const Bytes& bytes, Canvas& canvas)
        : handle(SWFFileOpen(WriteTemp(name, bytes).c_str(), canvas.Dc(), 0, 0, canvas.Width(), canvas.Height()))
    {
    }
    ~Player()
    {
        if (handle >= 0)
            SWFFileClose(handle);
    }
    int handle;
};

// Gradient square (-16384..16384) laid over [x0, x1] horizontally, centred
// vertically at cy (twips).
Matrix GradientOver(int x0, int x1, int cy)
{
    const double s = (x1 - x0) / 32768.0;
    return ScaleAt(s, s, (x0 + x1) / 2, cy);
}

void PlaceAt(Movie& m, uint16_t depth, int id, int tx = 0, int ty = 0, int clipDepth = -1)
{
    Place p;
    p.depth = depth;
    p.charId = id;
    p.hasMatrix = true;
    p.matrix = Translate(tx, ty);
    p.clipDepth = clipDepth;
    m.Place(p);
}

int Red(COLORREF c)
{
    return GetRValue(c);
}

} // namespace

TEST(FlossarScene, LinearGradientRunsAcrossAndPadsBeyond)
{
    Movie m(120, 20);
    m.Background(kWhite);
    Shape s;
    // Red to blue over x = 10..110 px; the shape reaches 0..120 px.
    s.Rect(0, 0, 2400, 400, s.Linear(GradientOver(200, 2200, 200), { { 0, kRed }, { 255, kBlue } }));
    m.Shape(1, s);
    PlaceAt(m, 1, 1);
    m.ShowFrame();
    Canvas canvas(120, 20);
    Player p(L"linear.swf", m.Fws(), canvas);
    ASSERT_GE(p.handle, 0);
    SWFFileForward(p.handle);
    EXPECT_TRUE(Canvas::Near(RGB(255, 0, 0), canvas.At(3, 10), 6)) << "padded with the first colour";
    EXPECT_TRUE(Canvas::Near(RGB(0, 0, 255), canvas.At(116, 10), 6)) << "padded with the last colour";
    EXPECT_TRUE(Canvas::Near(RGB(128, 0, 127), canvas.At(60, 10), 12));
    EXPECT_TRUE(Canvas::Near(RGB(191, 0, 64), canvas.At(35, 10), 14));
    for (int x = 12; x < 108; x += 4)
        EXPECT_GE(Red(canvas.At(x, 10)), Red(canvas.At(x + 4, 10))) << x;
}

TEST(FlossarScene, RadialGradientFromCentreToRim)
{
    Movie m(100, 100);
    m.Background(kRed);
    Shape s;
    // White in the middle to black at radius 40 px, on an 80 x 80 square.
    const double scale = 800.0 / 16384.0;
    s.Rect(200, 200, 1600, 1600, s.Radial(ScaleAt(scale, scale, 1000, 1000), { { 0, kWhite }, { 255, kBlack } }));
    m.Shape(1, s);
    PlaceAt(m, 1, 1);
    m.ShowFrame();
    Canvas canvas(100, 100);
    Player p(L"radial.swf", m.Fws(), canvas);
    ASSERT_GE(p.handle, 0);
    SWFFileForward(p.handle);
    EXPECT_TRUE(Canvas::Near(RGB(255, 255, 255), canvas.At(50, 50), 12));
    EXPECT_TRUE(Canvas::Near(RGB(128, 128, 128), canvas.At(70, 50), 16)) << "half way out";
    EXPECT_TRUE(Canvas::Near(RGB(128, 128, 128), canvas.At(50, 30), 16)) << "round, not along one axis";
    EXPECT_TRUE(Canvas::Near(RGB(0, 0, 0), canvas.At(12, 12), 8)) << "corner padded with the rim colour";
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(5, 5)) << "outside the shape";
}

TEST(FlossarScene, SpriteInsideASpritePlaysItsOwnTimeline)
{
    Movie m(100, 40);
    m.Background(kWhite);
    Shape square;
    square.Rect(0, 0, 200, 200, square.Solid(kRed));
    m.Shape(1, square);
    // Sprite 10: the square at x = 0 px on its frame 1, at x = 20 px on frame 2.
    Place first;
    first.charId = 1;
    first.hasMatrix = true;
    Place second;
    second.move = true;
    second.hasMatrix = true;
    second.matrix = Translate(400, 0);
    m.Sprite(10, 2,
        TagRecord(26, PlaceObject2(first)) + TagRecord(1, {}) + TagRecord(26, PlaceObject2(second)) + TagRecord(1, {}));
    // Sprite 11: sprite 10 moved down 10 px; one frame.
    Place inner;
    inner.charId = 10;
    inner.hasMatrix = true;
    inner.matrix = Translate(0, 200);
    m.Sprite(11, 1, TagRecord(26, PlaceObject2(inner)) + TagRecord(1, {}));
    // Main: sprite 11 at (10, 0) px from frame 1; another sprite 10 at
    // (50, 0) px placed on frame 2. Three frames.
    PlaceAt(m, 1, 11, 200, 0);
    m.ShowFrame();
    PlaceAt(m, 2, 10, 1000, 0);
    m.ShowFrame();
    m.ShowFrame();

    Canvas canvas(100, 40);
    Player p(L"sprites.swf", m.Fws(), canvas);
    ASSERT_GE(p.handle, 0);
    EXPECT_EQ(3, SWFFileGetFrames(p.handle));
    auto redAt = [&](int x, int y) { return canvas.At(x, y) == RGB(255, 0, 0); };
    SWFFileForward(p.handle); // frame 1: inner sprite on its frame 1
    EXPECT_TRUE(redAt(15, 15));
    EXPECT_FALSE(redAt(35, 15));
    SWFFileForward(p.handle); // frame 2: inner on its frame 2, the new one on its frame 1
    EXPECT_FALSE(redAt(15, 15));
    EXPECT_TRUE(redAt(35, 15));
    EXPECT_TRUE(redAt(55, 5));
    EXPECT_FALSE(redAt(75, 5));
    SWFFileForward(p.handle); // frame 3: both loop / advance
    EXPECT_TRUE(redAt(15, 15));
    EXPECT_TRUE(redAt(75, 5));
    EXPECT_FALSE(redAt(55, 5));
    // Seeking replays the same steps.
    SWFFileSeekTo(p.handle, 2);
    EXPECT_TRUE(redAt(35, 15));
    EXPECT_TRUE(redAt(55, 5));
}

TEST(FlossarScene, ClipLayerMasksTheDepthsUpToItsClipDepth)
{
    Movie m(100, 60);
    m.Background(kWhite);
    Shape mask;
    mask.Circle(1000, 600, 400, mask.Solid(kBlack)); // radius 20 px at (50, 30)
    m.Shape(1, mask);
    Shape red;
    red.Rect(0, 0, 2000, 1200, red.Solid(kRed));
    m.Shape(2, red);
    Shape blue;
    blue.Rect(0, 0, 200, 1200, blue.Solid(kBlue));
    m.Shape(3, blue);
    PlaceAt(m, 1, 1, 0, 0, 2); // masks depth 2
    PlaceAt(m, 2, 2);
    PlaceAt(m, 3, 3, 1400, 0); // above the clip depth: drawn whole
    m.ShowFrame();

    Canvas canvas(100, 60);
    Player p(L"clip.swf", m.Fws(), canvas);
    ASSERT_GE(p.handle, 0);
    SWFFileForward(p.handle);
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(50, 30)) << "inside the mask";
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(50, 13));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(5, 5)) << "outside the mask";
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(50, 7));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(75, 2)) << "not masked";
    EXPECT_EQ(0, canvas.Count(RGB(0, 0, 0), 30)) << "the mask itself is not drawn";
}

TEST(FlossarScene, FocalGradientMovesItsCentreColour)
{
    Movie m(100, 100);
    m.Background(kRed);
    Shape s;
    const double scale = 800.0 / 16384.0; // radius 40 px around (50, 50)
    s.Circle(1000, 1000, 800, s.Focal(ScaleAt(scale, scale, 1000, 1000), { { 0, kWhite }, { 255, kBlack } }, 0.5));
    m.Shape(1, s, 4);
    PlaceAt(m, 1, 1);
    m.ShowFrame();
    Canvas canvas(100, 100);
    Player p(L"focal.swf", m.Fws(), canvas);
    ASSERT_GE(p.handle, 0);
    SWFFileForward(p.handle);
    EXPECT_TRUE(Canvas::Near(RGB(255, 255, 255), canvas.At(70, 50), 12)) << "the focal point, half way right";
    EXPECT_GT(Red(canvas.At(70, 50)), Red(canvas.At(50, 50)) + 40);
    EXPECT_GT(Red(canvas.At(50, 50)), Red(canvas.At(30, 50)) + 20);
    EXPECT_TRUE(Canvas::Near(RGB(0, 0, 0), canvas.At(88, 50), 40)) << "near the rim";
}

TEST(FlossarScene, LineStylesOfTheFourthShapeVersion)
{
    // A solid line with round caps and a line coloured by a gradient, both
    // 4 px wide, drawn across a 60 x 40 stage.
    Movie m(60, 40);
    m.Background(kWhite);
    Shape s;
    const int solid = s.Line(80, kBlue);
    const int graded = s.GradientLine(80, ScaleAt(0.01, 0.01, 600, 600), { { 0, kRed }, { 255, kBlack } });
    s.Style(-1, -1, solid);
    s.MoveTo(200, 200);
    s.LineTo(1000, 200);
    s.Style(-1, -1, graded);
    s.MoveTo(200, 600);
    s.LineTo(1000, 600);
    m.Shape(1, s, 4);
    PlaceAt(m, 1, 1);
    m.ShowFrame();
    Canvas canvas(60, 40);
    Player p(L"lines4.swf", m.Fws(), canvas);
    ASSERT_GE(p.handle, 0);
    SWFFileForward(p.handle);
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(30, 10));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(9, 10)) << "round cap beyond the end";
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(30, 14));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(30, 30)) << "a gradient line shows its first colour";
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(8, 30)) << "flat cap";
}

TEST(FlossarScene, ThirdPlacementTagWithAClassName)
{
    Movie m(40, 40);
    m.Background(kWhite);
    Shape square;
    square.Rect(0, 0, 200, 200, square.Solid(kRed));
    m.Shape(1, square);
    Place p;
    p.charId = 1;
    p.hasMatrix = true;
    p.matrix = Translate(400, 400);
    m.Tag(70, PlaceObject3(p, "Square"));
    m.ShowFrame();
    Canvas canvas(40, 40);
    Player player(L"place3.swf", m.Fws(), canvas);
    ASSERT_GE(player.handle, 0);
    SWFFileForward(player.handle);
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(25, 25));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(15, 15));
}
