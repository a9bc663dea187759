// The recipes of the built-in animations (see builtin_animations.h). Every
// animation is a 128 x 128 pixel stage of 48 frames at 24 frames per second
// that loops without a jump.
#include "builtin_animations.h"

#include "swf_writer.h"

#include <cmath>

using namespace swftest;

namespace {

constexpr int kStage = 128 * 20; // twips
constexpr int kFrames = 48;
constexpr double kPi = 3.14159265358979323846;

// The gradient square of the SWF format is 32768 twips wide.
constexpr double kGradientSquare = 32768.0;

Matrix Rotation(double angle, int tx, int ty)
{
    Matrix m;
    m.a = std::cos(angle);
    m.b = std::sin(angle);
    m.c = -std::sin(angle);
    m.d = std::cos(angle);
    m.tx = tx;
    m.ty = ty;
    return m;
}

// A shape tag whose bounds are its own (shapes drawn round the origin).
void DefineShape(Movie& movie, uint16_t id, const Shape& shape, int xMin, int xMax, int yMin, int yMax)
{
    movie.Tag(32, shape.Body(id, 3, xMin, xMax, yMin, yMax));
}

void PlaceFirst(Movie& movie, uint16_t depth, uint16_t id, const Matrix& m)
{
    Place p;
    p.depth = depth;
    p.charId = id;
    p.hasMatrix = true;
    p.matrix = m;
    movie.Place(p);
}

void Move(Movie& movie, uint16_t depth, const Matrix& m, const ColorTransform* transform = nullptr)
{
    Place p;
    p.depth = depth;
    p.move = true;
    p.hasMatrix = true;
    p.matrix = m;
    if (transform != nullptr) {
        p.hasColorTransform = true;
        p.colorTransform = *transform;
    }
    movie.Place(p);
}

// A rainbow twice as wide as the stage slides left by one stage width.
BuiltInAnimation RainbowSweep()
{
    Movie movie(128, 128);
    movie.Background(Color { 0, 0, 0 });
    Shape band;
    const std::vector<Color> hues
        = { { 255, 0, 0 }, { 255, 255, 0 }, { 0, 255, 0 }, { 0, 255, 255 }, { 0, 0, 255 }, { 255, 0, 255 } };
    std::vector<Stop> stops;
    // The colours twice over: a shift of half the band looks the same.
    for (int i = 0; i <= 12; ++i)
        stops.push_back({ static_cast<uint8_t>(i * 255 / 12), hues[static_cast<size_t>(i % 6)] });
    const double scale = 2.0 * kStage / kGradientSquare;
    band.Rect(0, 0, 2 * kStage, kStage, band.Linear(ScaleAt(scale, scale, kStage, kStage / 2), stops));
    DefineShape(movie, 1, band, 0, 2 * kStage, 0, kStage);
    for (int f = 0; f < kFrames; ++f) {
        const Matrix m = Translate(-kStage * f / kFrames, 0);
        if (f == 0)
            PlaceFirst(movie, 1, 1, m);
        else
            Move(movie, 1, m);
        movie.ShowFrame();
    }
    return { L"Rainbow sweep.swf", movie.Fws(), kFrames };
}

// Two glowing rings grow from the centre and fade, half a loop apart.
BuiltInAnimation Rings()
{
    Movie movie(128, 128);
    movie.Background(Color { 0, 0, 0 });
    const int radius = kStage / 2;
    const Color colours[] = { { 0, 220, 255 }, { 255, 60, 200 } };
    for (uint16_t id = 1; id <= 2; ++id) {
        const Color c = colours[id - 1];
        Shape ring;
        const double scale = 2.0 * radius / kGradientSquare;
        ring.Circle(0, 0, radius,
            ring.Radial(ScaleAt(scale, scale, 0, 0),
                { { 0, { c.r, c.g, c.b, 0 } }, { 180, { c.r, c.g, c.b, 0 } }, { 220, { 255, 255, 255, 255 } },
                    { 235, c }, { 255, { c.r, c.g, c.b, 0 } } }));
        DefineShape(movie, id, ring, -radius, radius, -radius, radius);
    }
    for (int f = 0; f < kFrames; ++f) {
        for (uint16_t depth = 1; depth <= 2; ++depth) {
            const double t = std::fmod(static_cast<double>(f) / kFrames + (depth - 1) * 0.5, 1.0);
            const double s = 0.05 + 1.4 * t;
            const Matrix m = ScaleAt(s, s, kStage / 2, kStage / 2);
            ColorTransform fade;
            fade.ma = 1.0 - t;
            if (f == 0) {
                Place p;
                p.depth = depth;
                p.charId = depth;
                p.hasMatrix = true;
                p.matrix = m;
                p.hasColorTransform = true;
                p.colorTransform = fade;
                movie.Place(p);
            } else {
                Move(movie, depth, m, &fade);
            }
        }
        movie.ShowFrame();
    }
    return { L"Rings.swf", movie.Fws(), kFrames };
}

// Four coloured blades turn once round the centre.
BuiltInAnimation Spinner()
{
    Movie movie(128, 128);
    movie.Background(Color { 0, 0, 0 });
    Shape blades;
    const Color colours[] = { { 255, 40, 40 }, { 255, 220, 0 }, { 40, 220, 60 }, { 40, 120, 255 } };
    const int length = kStage * 9 / 20;
    const int half = kStage / 14;
    for (int i = 0; i < 4; ++i) {
        const int fill = blades.Solid(colours[i]);
        // Blade i points along the i-th quarter turn.
        const double a = i * kPi / 2;
        auto at = [&](int along, int across) {
            return std::pair<int, int> { static_cast<int>(std::lround(along * std::cos(a) - across * std::sin(a))),
                static_cast<int>(std::lround(along * std::sin(a) + across * std::cos(a))) };
        };
        const auto p0 = at(half, -half);
        const auto p1 = at(length, -half * 2);
        const auto p2 = at(length, half * 2);
        const auto p3 = at(half, half);
        blades.Style(0, fill, 0);
        blades.MoveTo(p0.first, p0.second);
        blades.LineTo(p1.first, p1.second);
        blades.LineTo(p2.first, p2.second);
        blades.LineTo(p3.first, p3.second);
        blades.LineTo(p0.first, p0.second);
    }
    blades.Circle(0, 0, half * 2, blades.Solid({ 255, 255, 255 }));
    DefineShape(movie, 1, blades, -length, length, -length, length);
    for (int f = 0; f < kFrames; ++f) {
        const Matrix m = Rotation(2.0 * kPi * f / kFrames, kStage / 2, kStage / 2);
        if (f == 0)
            PlaceFirst(movie, 1, 1, m);
        else
            Move(movie, 1, m);
        movie.ShowFrame();
    }
    return { L"Spinner.swf", movie.Fws(), kFrames };
}

// A shaded ball bounces once a loop and squashes on the floor.
BuiltInAnimation BouncingBall()
{
    Movie movie(128, 128);
    movie.Background(Color { 10, 10, 40 });
    const int radius = kStage / 8;
    Shape floor;
    floor.Rect(0, kStage - kStage / 16, kStage, kStage / 16, floor.Solid({ 60, 60, 90 }));
    DefineShape(movie, 1, floor, 0, kStage, kStage - kStage / 16, kStage);
    PlaceFirst(movie, 1, 1, Matrix {});
    Shape ball;
    const double scale = 2.0 * radius / kGradientSquare;
    ball.Circle(0, 0, radius,
        ball.Radial(ScaleAt(scale, scale, -radius / 3, -radius / 3),
            { { 0, { 255, 255, 230 } }, { 90, { 255, 160, 30 } }, { 255, { 120, 30, 0 } } }));
    DefineShape(movie, 2, ball, -radius, radius, -radius, radius);
    const int floorY = kStage - kStage / 16 - radius;
    const int height = kStage * 11 / 20;
    for (int f = 0; f < kFrames; ++f) {
        const double t = static_cast<double>(f) / kFrames;
        const double up = std::sin(kPi * t);
        // Squashed where it meets the floor, round in the air.
        const double squash = up < 0.15 ? 0.25 * (0.15 - up) / 0.15 : 0.0;
        const double sx = 1.0 + squash;
        const double sy = 1.0 - squash;
        const int y
            = floorY - static_cast<int>(std::lround(height * up)) + static_cast<int>(std::lround(radius * squash));
        const Matrix m = ScaleAt(sx, sy, kStage / 2, y);
        if (f == 0)
            PlaceFirst(movie, 2, 2, m);
        else
            Move(movie, 2, m);
        movie.ShowFrame();
    }
    return { L"Bouncing ball.swf", movie.Fws(), kFrames };
}

// The whole stage runs through the colour wheel.
BuiltInAnimation ColourCycle()
{
    Movie movie(128, 128);
    movie.Background(Color { 0, 0, 0 });
    Shape stage;
    stage.Rect(0, 0, kStage, kStage, stage.Solid({ 255, 255, 255 }));
    DefineShape(movie, 1, stage, 0, kStage, 0, kStage);
    for (int f = 0; f < kFrames; ++f) {
        const double hue = 2.0 * kPi * f / kFrames;
        ColorTransform tint;
        tint.mr = 0.5 + 0.5 * std::cos(hue);
        tint.mg = 0.5 + 0.5 * std::cos(hue - 2.0 * kPi / 3);
        tint.mb = 0.5 + 0.5 * std::cos(hue + 2.0 * kPi / 3);
        Place p;
        p.depth = 1;
        if (f == 0)
            p.charId = 1;
        else
            p.move = true;
        p.hasColorTransform = true;
        p.colorTransform = tint;
        movie.Place(p);
        movie.ShowFrame();
    }
    return { L"Colour cycle.swf", movie.Fws(), kFrames };
}

// Twelve stars glow and fade, each at its own moment.
BuiltInAnimation Twinkle()
{
    Movie movie(128, 128);
    movie.Background(Color { 0, 0, 20 });
    const int radius = kStage / 14;
    const Color colours[] = { { 255, 255, 255 }, { 255, 210, 90 }, { 140, 190, 255 } };
    for (uint16_t id = 1; id <= 3; ++id) {
        const Color c = colours[id - 1];
        Shape star;
        const double scale = 2.0 * radius / kGradientSquare;
        star.Circle(0, 0, radius,
            star.Radial(ScaleAt(scale, scale, 0, 0),
                { { 0, { 255, 255, 255, 255 } }, { 60, c }, { 255, { c.r, c.g, c.b, 0 } } }));
        DefineShape(movie, id, star, -radius, radius, -radius, radius);
    }
    // Places and moments from a fixed sequence: the same file every time.
    uint32_t seed = 20240611;
    auto next = [&](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range));
    };
    struct Star {
        int x, y;
        double phase;
    };
    std::vector<Star> stars;
    for (int i = 0; i < 12; ++i)
        stars.push_back(
            { radius + next(kStage - 2 * radius), radius + next(kStage - 2 * radius), next(1000) / 1000.0 });
    for (int f = 0; f < kFrames; ++f) {
        for (size_t i = 0; i < stars.size(); ++i) {
            const uint16_t depth = static_cast<uint16_t>(i + 1);
            const double glow = 0.5 + 0.5 * std::sin(2.0 * kPi * (static_cast<double>(f) / kFrames + stars[i].phase));
            const Matrix m = ScaleAt(0.4 + 0.6 * glow, 0.4 + 0.6 * glow, stars[i].x, stars[i].y);
            ColorTransform fade;
            fade.ma = glow;
            Place p;
            p.depth = depth;
            if (f == 0)
                p.charId = static_cast<int>(i % 3 + 1);
            else
                p.move = true;
            p.hasMatrix = true;
            p.matrix = m;
            p.hasColorTransform = true;
            p.colorTransform = fade;
            movie.Place(p);
        }
        movie.ShowFrame();
    }
    return { L"Twinkle.swf", movie.Fws(), kFrames };
}

} // namespace

std::vector<BuiltInAnimation> MakeBuiltInAnimations()
{
    return { RainbowSweep(), Rings(), Spinner(), BouncingBall(), ColourCycle(), Twinkle() };
}
