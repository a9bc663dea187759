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

// Maps the frame through every output; the bytes the outputs produced.
std::size_t MapFrame(CLEDScreen& screen, const std::vector<BYTE>& frame)
{
    std::size_t bytes = 0;
    for (ControllerLayout& controller : screen.m_ports)
        for (PortOutput& output : controller.m_outputs) {
            const BYTE* out
                = output.ExtractOutput(frame.data(), screen.m_colour.whiteMode, nullptr, 0, screen.m_curves);
            if (out != nullptr)
                bytes += static_cast<std::size_t>(output.m_mapLength - output.m_dataOffset);
        }
    return bytes;
}

// An output's bytes are the frame's bytes its map names.
bool MapsMatch(CLEDScreen& screen, const std::vector<BYTE>& frame)
{
    for (ControllerLayout& controller : screen.m_ports)
        for (PortOutput& output : controller.m_outputs) {
            const BYTE* out = output.ExtractOutput(frame.data(), 0, nullptr, 0, screen.m_curves);
            if (out == nullptr)
                return false;
            for (int i = output.m_dataOffset; i < output.m_mapLength; ++i)
                if (out[i] != frame[output.m_map[static_cast<std::size_t>(i)]])
                    return false;
        }
    return true;
}

LS_BENCHMARK(CorvaneLayout)
{
    const std::wstring layoutPath = corvane_bench::TempPath(L"corvane_bench.lpx");
    const std::wstring pixPath = corvane_bench::TempPath(L"corvane_bench.pix");
    if (!bench::Check(corvane_bench::WriteGridLayout(
                          layoutPath, { kControllers, kPortsPerController, kLampsPerPort, kWidth, kHeight }),
            "the layout could not be written"))
        return;
    Library().screens.Resize(1);
    CLEDScreen& screen = Library().screens[0];

    int read = 1;
    const double readTime = bench::Measure([&] { read = screen.ReadLayout(layoutPath.c_str()) & read; }, 2.0);
    bench::Report("read 960,000-lamp layout", readTime * 1000, "ms");
    std::size_t outputs = 0;
    for (const ControllerLayout& controller : screen.m_ports)
        outputs += controller.m_outputs.size();
    if (!bench::Check(read == 1 && outputs == kControllers * kPortsPerController, "a read did not load the layout"))
        return;
    // Every lamp's three bytes.
    constexpr std::size_t kFrameBytes = std::size_t(kControllers) * kPortsPerController * kLampsPerPort * 3;

    std::vector<BYTE> frame(static_cast<size_t>(kWidth) * kHeight * 4 + 4, 0);
    for (size_t i = 0; i + 4 < frame.size(); ++i)
        frame[i] = static_cast<BYTE>(i * 31);
    std::size_t mapped = 0;
    const double map = bench::Measure([&] { mapped = MapFrame(screen, frame); }, 2.0);
    bench::Report("map one frame to 640 outputs (2,880,000 bytes)", map * 1000, "ms");
    bench::Check(mapped == kFrameBytes && MapsMatch(screen, frame), "the maps did not map the frame");

    screen.m_colour.whiteMode = 1;
    std::vector<BYTE> work(frame);
    const double white = bench::Measure(
        [&] {
            work = frame;
            ApplyWhiteChannel(1, work.data(), screen, work.size() - 4);
            mapped = MapFrame(screen, work);
        },
        2.0);
    bench::Report("white mode 1 and map one frame", white * 1000, "ms");
    bench::Check(mapped == kFrameBytes && work != frame, "white mode 1 did not derive and map the frame");

    ::DeleteFileW(pixPath.c_str());
    int written = 0;
    const double pix = bench::Measure([&] { written |= WritePixFile(pixPath.c_str(), 1); }, 2.0);
    bench::Report("write the pixel map", pix * 1000, "ms");
    WIN32_FILE_ATTRIBUTE_DATA pixFile = {};
    // At least a byte per lamp.
    bench::Check(written == 0 && ::GetFileAttributesExW(pixPath.c_str(), GetFileExInfoStandard, &pixFile)
            && pixFile.nFileSizeLow > kFrameBytes / 3,
        "the pixel map was not written");

    Library().screens.Resize(0);
    DeleteFileW(layoutPath.c_str());
    DeleteFileW(pixPath.c_str());
}

} // namespace
