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
    if (handle < 0) {
        std::printf("bench: the frame did not open\n");
        return;
    }
    // One frame: every Forward starts the timeline again and draws it.
    const double flossar = bench::Measure([&] { SWFFileForward(handle); }, 2.0);
    SWFFileClose(handle);

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
    const double drawing = bench::Measure([&] { renderer.Draw(target, player.List(), toDevice); }, 1.0);
    const double stepping = bench::Measure([&] { player.GoTo(1); }, 0.5);

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
    }
    Gdiplus::GdiplusShutdown(token);
    ::DeleteFileW(path.c_str());

    bench::Report("Flossar frame (200 shapes, 512x256)", 1.0 / flossar, "frames/s");
    bench::Report("  of which drawing the list", drawing * 1e3, "ms");
    bench::Report("  of which stepping the list", stepping * 1e3, "ms");
    bench::Report("GDI+ alone filling the same figures", 1.0 / gdiplus, "frames/s");
    bench::Report("Flossar / GDI+ alone", flossar / gdiplus, "ratio (time)");
}
