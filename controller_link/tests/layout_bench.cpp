// Reads a layout of 960,000 lamps (40 controllers of 16 ports of 1,500
// lamps, "RGB", on a 1200 x 800 grid) into a screen, maps frames through
// every port's byte map (with and without a white mode first), and writes
// the screen's pixel map.
#include "bench.h"

#include <string>
#include <vector>

#include "BenchLayout.h"
#include "ColourProcessing.h"
#include "CorvaneLibrary.h"
#include "PixelMapFile.h"

namespace {

constexpr int kControllers = 40;
constexpr int kPortsPerController = 16;
constexpr int kLampsPerPort = 1500;
constexpr int kWidth = 1200;
constexpr int kHeight = 800;

std::size_t MapFrame(CLEDScreen& screen, const std::vector<BYTE>& frame)
{
    std::size_t sum = 0;
    for (ControllerLayout& controller : screen.m_ports)
        for (PortOutput& output : controller.m_outputs) {
            const BYTE* out
                = output.ExtractOutput(frame.data(), screen.m_colour.whiteMode, nullptr, 0, screen.m_curves);
            sum += out[output.m_mapLength - 1];
        }
    return sum;
}

LS_BENCHMARK(CorvaneLayout)
{
    const std::wstring layoutPath = corvane_bench::TempPath(L"corvane_bench.lpx");
    const std::wstring pixPath = corvane_bench::TempPath(L"corvane_bench.pix");
    if (!corvane_bench::WriteGridLayout(
            layoutPath, { kControllers, kPortsPerController, kLampsPerPort, kWidth, kHeight })) {
        std::printf("could not write the layout\n");
        return;
    }
    Library().screens.Resize(1);
    CLEDScreen& screen = Library().screens[0];

    const double read = bench::Measure([&] { screen.ReadLayout(layoutPath.c_str()); }, 2.0);
    bench::Report("read 960,000-lamp layout", read * 1000, "ms");

    std::vector<BYTE> frame(static_cast<size_t>(kWidth) * kHeight * 4 + 4, 0);
    for (size_t i = 0; i + 4 < frame.size(); ++i)
        frame[i] = static_cast<BYTE>(i * 31);
    volatile std::size_t sink = 0;
    const double map = bench::Measure([&] { sink = sink + MapFrame(screen, frame); }, 2.0);
    bench::Report("map one frame to 640 outputs (2,880,000 bytes)", map * 1000, "ms");

    screen.m_colour.whiteMode = 1;
    std::vector<BYTE> work(frame);
    const double white = bench::Measure(
        [&] {
            work = frame;
            ApplyWhiteChannel(1, work.data(), screen, work.size() - 4);
            sink = sink + MapFrame(screen, work);
        },
        2.0);
    bench::Report("white mode 1 and map one frame", white * 1000, "ms");

    const double pix = bench::Measure([&] { WritePixFile(pixPath.c_str(), 1); }, 2.0);
    bench::Report("write the pixel map", pix * 1000, "ms");

    Library().screens.Resize(0);
    DeleteFileW(layoutPath.c_str());
    DeleteFileW(pixPath.c_str());
}

} // namespace
