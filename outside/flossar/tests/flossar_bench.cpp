// Frame drawing speed: a frame of 200 solid shapes (100 circles of curved
// edges, 100 rectangles) drawn by Flossar into a 512 x 256 target, against
// GDI+ alone filling the same circles and rectangles into a picture of the
// same size, in the same run.
#include "Flossar.h"
#include "bench.h"
#include "canvas.h"
#include "swf_writer.h"
#include "swf_movie.h"
#include "swf_player.h"
#include "swf_render.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

using namespace swftest;

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 256;

struct Item {
    bool circle;
    int x, y, w, h; // pixels; circles: centre and radius in x, y, w
    Color color;
};

std::vector<Item> Items()
{
    std::mt19937 random(7);
    std::vector<Item> items;
    for (int i = 0; i < 200; ++i) {
        Item it;
        it.circle = i % 2 == 0;
        it.x = static_cast<int>(random() % kWidth);
        it.y = static_cast<int>(random() % kHeight);
        it.w = 8 + static_cast<int>(random() % 40);
        it.h = 8 + static_cast<int>(random() % 40);
        it.color
            = Color { static_cast<uint8_t>(random()), static_cast<uint8_t>(random()), static_cast<uint8_t>(random()) };
        items.push_back(it);
    }
    return items;
}

Bytes FrameOf(const std::vector<Item>& items)
{
    Movie m(kWidth, kHeight);
    m.Background(Color { 0, 0, 0 });
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& it = items[i];
        Shape s;
        const int fill = s.Solid(it.color);
        if (it.circle)
            s.Circle(it.x * 20, it.y * 20, it.w * 20, fill);
        else
            s.Rect(it.x * 20, it.y * 20, it.w * 20, it.h * 20, fill);
        m.Shape(static_cast<uint16_t>(i + 1), s);
        Place p;
        p.depth = static_cast<uint16_t>(i + 1);
        p.charId = static_cast<int>(i + 1);
        m.Place(p);
    }
    m.ShowFrame();
    return m.Fws();
}

} // namespace

LS_BENCHMARK(flossar_frame_of_200_shapes_vs_gdiplus_fills)
{
    const std::vector<Item> items = Items();
    const std::wstring path = WriteTemp(L"bench.swf", FrameOf(items));
    Canvas canvas(kWidth, kHeight);
    const int handle = SWFFileOpen(path.c_str(), canvas.Dc(), 0, 0, kWidth, kHeight);
    if (!bench::Check(handle >= 0, "the frame did not open"))
        return;
    // The last rectangle lies over everything: its colour shows inside it.
    const Item* top = nullptr;
    for (const Item& it : items)
        if (!it.circle && it.x + 1 < kWidth && it.y + 1 < kHeight)
            top = &it;
    if (!bench::Check(top != nullptr, "the frame has no rectangle to look at"))
        return;
    const COLORREF topColour = RGB(top->color.r, top->color.g, top->color.b);
    // One frame: every Forward starts the timeline again and draws it.
    const COLORREF unpainted = RGB(3, 251, 7);
    canvas.Fill(unpainted);
    const double flossar = bench::Measure([&] { SWFFileForward(handle); }, 2.0);
    SWFFileClose(handle);
    bench::Check(canvas.Count(unpainted, 0) == 0 && Canvas::Near(canvas.At(top->x + 1, top->y + 1), topColour, 8),
        "the frame was not drawn over the whole target");

    // The renderer alone, without the blit to the target, and the display
    // list stepping alone.
    flossar::Movie movie;
    movie.Load(path);
    flossar::Player player(movie);
    flossar::Renderer renderer(movie);
    std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
    flossar::PixelTarget target { pixels.data(), kWidth, kHeight };
    const flossar::Matrix toDevice { 0.05, 0, 0, 0.05, 0, 0 };
    player.Next();
    const uint32_t mark = 0x00FE01FD;
    std::fill(pixels.begin(), pixels.end(), mark);
    const double drawing = bench::Measure([&] { renderer.Draw(target, player.List(), toDevice); }, 1.0);
    const uint32_t at = pixels[static_cast<size_t>(top->y + 1) * kWidth + static_cast<size_t>(top->x + 1)];
    bench::Check(std::count(pixels.begin(), pixels.end(), mark) < static_cast<std::ptrdiff_t>(pixels.size())
            && Canvas::Near(RGB((at >> 16) & 0xFF, (at >> 8) & 0xFF, at & 0xFF), topColour, 8),
        "the renderer did not draw the list");
    const double stepping = bench::Measure([&] { player.GoTo(1); }, 0.5);
    bench::Check(!player.List().empty(), "the stepping left no display list");

    // GDI+ alone: the same figures as paths made beforehand, filled into a
    // picture of the same size cleared first.
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    double gdiplus = 0;
    {
        std::vector<std::unique_ptr<Gdiplus::GraphicsPath>> paths;
        std::vector<std::unique_ptr<Gdiplus::SolidBrush>> brushes;
        for (const Item& it : items) {
            auto p = std::make_unique<Gdiplus::GraphicsPath>(Gdiplus::FillModeWinding);
            if (it.circle)
                p->AddEllipse(it.x - it.w, it.y - it.w, 2 * it.w, 2 * it.w);
            else
                p->AddRectangle(Gdiplus::Rect(it.x, it.y, it.w, it.h));
            paths.push_back(std::move(p));
            brushes.push_back(
                std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(255, it.color.r, it.color.g, it.color.b)));
        }
        Gdiplus::Bitmap picture(kWidth, kHeight, PixelFormat32bppPARGB);
        Gdiplus::Graphics g(&picture);
        g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        gdiplus = bench::Measure(
            [&] {
                g.Clear(Gdiplus::Color(255, 0, 0, 0));
                for (size_t i = 0; i < paths.size(); ++i)
                    g.FillPath(brushes[i].get(), paths[i].get());
                g.Flush(Gdiplus::FlushIntentionSync);
            },
            2.0);
        Gdiplus::Color inside;
        picture.GetPixel(top->x + 1, top->y + 1, &inside);
        bench::Check(Canvas::Near(RGB(inside.GetR(), inside.GetG(), inside.GetB()), topColour, 8),
            "GDI+ did not fill the figures");
    }
    Gdiplus::GdiplusShutdown(token);
    ::DeleteFileW(path.c_str());

    bench::Report("Flossar frame (200 shapes, 512x256)", 1.0 / flossar, "frames/s");
    bench::Report("  of which drawing the list", drawing * 1e3, "ms");
    bench::Report("  of which stepping the list", stepping * 1e3, "ms");
    bench::Report("GDI+ alone filling the same figures", 1.0 / gdiplus, "frames/s");
    bench::Report("Flossar / GDI+ alone", flossar / gdiplus, "ratio (time)");
}

namespace {

// Seconds of one open, first frame and close of a movie at the target size;
// the canvas holds the frame afterwards.
double FirstFrame(const std::wstring& path, Canvas& canvas)
{
    return bench::Measure(
        [&] {
            const int handle = SWFFileOpen(path.c_str(), canvas.Dc(), 0, 0, canvas.Width(), canvas.Height());
            SWFFileForward(handle);
            SWFFileClose(handle);
        },
        2.0);
}

// Seconds of one more frame of an open movie (its outlines already joined).
double NextFrame(const std::wstring& path, Canvas& canvas)
{
    const int handle = SWFFileOpen(path.c_str(), canvas.Dc(), 0, 0, canvas.Width(), canvas.Height());
    SWFFileForward(handle);
    const double seconds = bench::Measure([&] { SWFFileForward(handle); }, 2.0);
    SWFFileClose(handle);
    return seconds;
}

} // namespace

LS_BENCHMARK(flossar_shape_of_200000_edges_sharing_four_points_vs_drawing_it_joined)
{
    constexpr int kEdges = 200000;
    const std::wstring path = WriteTemp(L"bench_zigzag.swf", ZigZagMovie(kWidth, kHeight, kEdges));
    Canvas canvas(kWidth, kHeight);
    const double first = FirstFrame(path, canvas);
    // The edges cover two triangles of the square between its corners.
    const bool drawn = canvas.At(kWidth / 2 - kHeight / 8, kHeight / 2) == RGB(255, 255, 0)
        && canvas.At(kWidth / 2, kHeight / 2 - kHeight / 8) == RGB(0, 0, 0);
    const double again = NextFrame(path, canvas);
    ::DeleteFileW(path.c_str());
    if (!bench::Check(drawn, "the shape was not drawn"))
        return;
    bench::Report("Flossar first frame of 200000 edges (open, join, draw)", first * 1e3, "ms");
    bench::Report("Drawing the same frame again, outlines joined", again * 1e3, "ms");
    bench::Report("First frame / drawing again", first / again, "ratio (time)");
}

LS_BENCHMARK(flossar_bitmap_fill_2048x1024_at_4096x4096_vs_solid_fill)
{
    constexpr int kSide = 4096;
    Movie stage = BitmapStage(2048, 1024, 2048, 1024);
    stage.ShowFrame();
    const std::wstring bitmapPath = WriteTemp(L"bench_bitmap.swf", stage.Cws());
    const std::wstring solidPath = WriteTemp(L"bench_solid.swf", FlatFrames(2048, 1024, { Color { 0, 0, 255 } }));
    Canvas canvas(kSide, kSide);
    const double bitmap = NextFrame(bitmapPath, canvas);
    // Stage pixel (1000, 750) of the pattern, and the last corner: the
    // whole stage was drawn.
    const COLORREF middle = canvas.At(2000, 3000);
    const COLORREF corner = canvas.At(kSide - 1, kSide - 1);
    const bool drawn = std::abs(GetRValue(middle) - 125) <= 2 && std::abs(GetGValue(middle) - 187) <= 2
        && GetRValue(corner) >= 253 && GetGValue(corner) >= 253;
    const double solid = NextFrame(solidPath, canvas);
    const bool solidDrawn = canvas.At(kSide - 1, kSide - 1) == RGB(0, 0, 255);
    ::DeleteFileW(bitmapPath.c_str());
    ::DeleteFileW(solidPath.c_str());
    if (!bench::Check(drawn && solidDrawn, "the stage was not drawn whole"))
        return;
    bench::Report("Flossar frame of a 2048x1024 bitmap over 4096x4096", bitmap * 1e3, "ms");
    bench::Report("The same stage filled solid", solid * 1e3, "ms");
    bench::Report("Bitmap / solid", bitmap / solid, "ratio (time)");
}
