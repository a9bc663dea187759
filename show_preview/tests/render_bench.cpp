// Time to read and draw one frame of a large show (64 ports of 4 outputs,
// 450 RGB lamps each: 115,200 lamps), raw and on its layout, against the
// playback's budget of 40 ms per frame.
#include "bench.h"

#include "FrameRender.h"
#include "PreviewLayout.h"
#include "ShowFile.h"
#include "ShowFileWriter.h"

using namespace tavisk_test;
using namespace preview;

namespace {

constexpr int kPorts = 64;
constexpr int kOutputs = 4;
constexpr int kLamps = 450; // 30 x 15 cells per output

struct BigShow {
    CScratchFolder folder;
    CString path;
    ShowGeometry geometry;
    PreviewLayout layout;

    BigShow()
    {
        TestLayout lpx;
        lpx.width = 8 * 60;
        lpx.height = 8 * 30;
        TestShow show;
        for (int c = 0; c < kPorts; ++c) {
            std::vector<TestPort> ports;
            for (int o = 0; o < kOutputs; ++o) {
                TestPort port;
                const int left = (c % 8) * 60 + (o % 2) * 30;
                const int top = (c / 8) * 30 + (o / 2) * 15;
                for (int i = 0; i < kLamps; ++i)
                    port.lamps.emplace_back(left + i % 30, top + i / 30);
                ports.push_back(port);
            }
            lpx.controllers.push_back(ports);
        }
        for (int f = 0; f < 4; ++f) {
            std::vector<TestSlot> slots;
            for (int c = 0; c < kPorts; ++c) {
                std::vector<std::vector<BYTE>> outputs(kOutputs, Ramp(kLamps * 3, c + f));
                const std::vector<TestSlot> port = PackPort(c + 1, outputs, BYTE(c));
                slots.insert(slots.end(), port.begin(), port.end());
            }
            show.frames.push_back(slots);
        }
        path = folder.Path(L"OFF001.arm");
        WriteBytes(path, ShowBytes(show));
        std::vector<BYTE> a, b, frame;
        ReadShowFile(path, a, b, frame, geometry);
        ReadPreviewLayoutBytes(CurrentLayoutBytes(lpx), layout);
    }
};

// Pixels of a picture that are not black.
long long LitPixels(const std::vector<BYTE>& picture)
{
    long long lit = 0;
    for (size_t i = 0; i + 3 < picture.size(); i += 4)
        lit += (picture[i] | picture[i + 1] | picture[i + 2]) != 0 ? 1 : 0;
    return lit;
}

// A frame's lamps, at most a few of them black by their ramp.
constexpr long long kShowLamps = static_cast<long long>(kPorts) * kOutputs * kLamps;

BigShow& Show()
{
    static BigShow show;
    return show;
}

} // namespace

LS_BENCHMARK(ReadAndDrawRawFrame)
{
    BigShow& show = Show();
    std::vector<BYTE> frame;
    std::vector<BYTE> picture;
    const CSize size = PictureSize(show.geometry, nullptr);
    bool read = true;
    const double seconds = bench::Measure([&] {
        read = ReadShowFrame(show.path, show.geometry, 2, frame) && read;
        RenderPicture(frame.data(), show.geometry, nullptr, size, picture);
    });
    bench::Report("raw frame, 256 outputs of 1350 bytes", seconds * 1000.0, "ms");
    bench::Check(read && LitPixels(picture) > kShowLamps * 9 / 10, "the frames were not read and drawn");
}

LS_BENCHMARK(ReadAndDrawLayoutFrame)
{
    BigShow& show = Show();
    std::vector<BYTE> frame;
    std::vector<BYTE> picture;
    const CSize size = PictureSize(show.geometry, &show.layout);
    bench::Report("ports in the frame", show.geometry.portCount, "");
    bench::Report("controllers in the layout", static_cast<double>(show.layout.records.size()), "");
    bool read = true;
    const double seconds = bench::Measure([&] {
        read = ReadShowFrame(show.path, show.geometry, 2, frame) && read;
        RenderPicture(frame.data(), show.geometry, &show.layout, size, picture);
    });
    bench::Report("layout frame, 115200 lamps on 480 x 240", seconds * 1000.0, "ms");
    bench::Check(read && LitPixels(picture) > kShowLamps * 9 / 10, "the frames were not read and drawn on the layout");
}
