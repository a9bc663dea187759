// Demo files for a look at the program (not run by the test suite): three
// show files of a moving colour wheel recorded for a 64 x 32 layout of two
// controllers with four ports each, and that layout. Run with
//   test_tavisk.exe --gtest_also_run_disabled_tests --gtest_filter=Demo.*
// and TAVISK_DEMO_DIR set to the folder to write into.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "ShowFileWriter.h"

using namespace tavisk_test;

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 32;

// Lamps of controller c, port p: 32 x 8 cells, serpentine rows.
std::vector<CLPoint> PortLamps(int c, int p)
{
    std::vector<CLPoint> lamps;
    for (int row = 0; row < 8; ++row)
        for (int i = 0; i < 32; ++i) {
            const int x = 32 * c + (row % 2 == 0 ? i : 31 - i);
            lamps.emplace_back(x, 8 * p + row);
        }
    return lamps;
}

COLORREF Wheel(double angle)
{
    auto channel = [&](double offset) { return static_cast<BYTE>(127.5 + 127.5 * std::sin(angle + offset)); };
    return RGB(channel(0), channel(2.094), channel(4.189));
}

} // namespace

TEST(Demo, DISABLED_WriteShowFolder)
{
    const char* folder = std::getenv("TAVISK_DEMO_DIR");
    ASSERT_NE(folder, nullptr);
    const CString base(folder);
    CreateDirectoryW(base, nullptr);

    TestLayout layout;
    layout.width = kWidth;
    layout.height = kHeight;
    for (int c = 0; c < 2; ++c) {
        std::vector<TestPort> ports;
        for (int p = 0; p < 4; ++p)
            ports.push_back(TestPort { PortLamps(c, p) });
        layout.controllers.push_back(ports);
    }
    const std::vector<BYTE> layoutBytes = CurrentLayoutBytes(layout);
    WriteBytes(base + L"\\wheel.lpx", layoutBytes);

    for (int file = 1; file <= 3; ++file) {
        TestShow show;
        show.firstPort = 1;
        show.layout = layoutBytes;
        for (int f = 0; f < 120; ++f) {
            std::vector<TestSlot> slots;
            for (int c = 0; c < 2; ++c) {
                std::vector<std::vector<BYTE>> outputs;
                for (int p = 0; p < 4; ++p) {
                    std::vector<BYTE> data;
                    for (const CLPoint& lamp : PortLamps(c, p)) {
                        const double dx = lamp.x - kWidth / 2.0 + 0.5;
                        const double dy = lamp.y - kHeight / 2.0 + 0.5;
                        const COLORREF colour = Wheel(std::atan2(dy, dx) + f * 0.1 * file);
                        const double fade = std::min(1.0, std::hypot(dx, dy) / 12.0);
                        data.push_back(static_cast<BYTE>(GetRValue(colour) * fade));
                        data.push_back(static_cast<BYTE>(GetGValue(colour) * fade));
                        data.push_back(static_cast<BYTE>(GetBValue(colour) * fade));
                    }
                    outputs.push_back(data);
                }
                const std::vector<TestSlot> port = PackPort(c + 1, outputs, BYTE(f * 7 + c));
                slots.insert(slots.end(), port.begin(), port.end());
            }
            show.frames.push_back(slots);
        }
        CString name;
        name.Format(L"\\OFF%03d.arm", file);
        WriteBytes(base + name, ShowBytes(show));
    }
}
