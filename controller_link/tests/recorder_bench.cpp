// Records off-line show frames of a large screen: 64 ports (8 controllers of
// 8 ports) of 16 outputs of 170 RGB lamps (174,080 lamps, 384 packet slots
// and 590 KB per frame) into a file in the temporary folder, with and
// without a white mode, beside a raw write of the same bytes; the port maps
// alone beside the same maps looked up byte by byte; and the close with its
// layout copy.
#include "bench.h"

#include <string>
#include <vector>

#include "BenchLayout.h"
#include "ControllerTable.h"
#include "CorvaneLibrary.h"
#include "OfflineRecorder.h"

namespace {

constexpr int kPorts = 64;
constexpr int kOutputs = 16;
constexpr int kLamps = 170;
constexpr int kWidth = 1088;
constexpr int kHeight = 160;

LS_BENCHMARK(CorvaneRecorder)
{
    const std::wstring layoutPath = corvane_bench::TempPath(L"corvane_rec_bench.lpx");
    const std::wstring showPath = corvane_bench::TempPath(L"corvane_rec_bench.arm");
    if (!corvane_bench::WriteGridLayout(layoutPath, { kPorts, kOutputs, kLamps, kWidth, kHeight })) {
        std::printf("could not write the layout\n");
        return;
    }
    Library().screens.Resize(1);
    CLEDScreen& screen = Library().screens[0];
    if (!screen.ReadLayout(layoutPath.c_str())) {
        std::printf("could not read the layout\n");
        return;
    }
    screen.m_groupMode = 1;
    screen.m_portsPerController = 8;
    BuildControllerTable(screen);
    LocalSender sender;
    sender.ipv4 = 0x0A01A8C0; // 192.168.1.10
    for (int i = 0; i < 6; ++i)
        sender.mac[i] = std::uint8_t(0x10 * i);

    std::vector<BYTE> frame(static_cast<size_t>(kWidth) * kHeight * 4 + 4, 0);
    for (size_t i = 0; i + 4 < frame.size(); ++i)
        frame[i] = static_cast<BYTE>(i * 31);
    std::vector<BYTE> work(frame);

    COfflineRecorder recorder;
    if (recorder.CreateFile(showPath.c_str()) != 0
        || recorder.Begin(screen, screen.m_controllers, sender, 25, 0, false) != 0) {
        std::printf("could not open the show file\n");
        return;
    }
    double size = 0;
    // The same bytes written raw into another file of the temporary folder.
    // Both files grow by gigabytes, and the system's write-back of what was
    // written first slows whatever is timed next: the two are timed in
    // alternating rounds and each keeps its best round.
    const std::wstring rawPath = corvane_bench::TempPath(L"corvane_rec_bench.raw");
    HANDLE raw = CreateFileW(rawPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const size_t frameBytes = size_t(384) * 1536 + 512;
    std::vector<BYTE> rawBytes(frameBytes, 7);
    double plain = 0;
    double rawWrite = 0;
    for (int round = 0; round < 3; ++round) {
        const double r = bench::Measure(
            [&] {
                work = frame; // the recorder's frame copy, for fairness
                DWORD written = 0;
                WriteFile(raw, rawBytes.data(), DWORD(rawBytes.size()), &written, nullptr);
            },
            0.2);
        const double p = bench::Measure(
            [&] {
                work = frame;
                recorder.RecordFrame(screen, screen.m_controllers, sender, work.data(), 4, false, &size);
            },
            0.2);
        rawWrite = round == 0 || r < rawWrite ? r : rawWrite;
        plain = round == 0 || p < plain ? p : plain;
    }
    CloseHandle(raw);
    DeleteFileW(rawPath.c_str());
    bench::Report("record one frame (384 slots, 590 KB)", plain * 1000, "ms");
    bench::Report("raw write of the frame's bytes (reference)", rawWrite * 1000, "ms");
    bench::Report("raw write / record", rawWrite / plain, "ratio");

    // Where the time goes: the port maps alone.
    const double maps = bench::Measure(
        [&] {
            for (ControllerLayout& port : screen.m_ports)
                for (PortOutput& output : port.m_outputs)
                    output.ExtractOutput(frame.data(), 0, nullptr, 0, screen.m_curves);
        },
        0.3);
    bench::Report("port maps alone", maps * 1000, "ms");
    // For scale: the same maps looked up one byte at a time.
    const double lookups = bench::Measure(
        [&] {
            for (ControllerLayout& port : screen.m_ports)
                for (PortOutput& output : port.m_outputs)
                    for (int i = output.m_dataOffset; i < output.m_mapLength; ++i)
                        output.m_output[size_t(i)] = frame[output.m_map[size_t(i)]];
        },
        0.3);
    bench::Report("the maps byte by byte", lookups * 1000, "ms");

    screen.m_colour.whiteMode = 3;
    const double white = bench::Measure(
        [&] {
            work = frame;
            recorder.RecordFrame(screen, screen.m_controllers, sender, work.data(), 4, true, &size);
        },
        0.5);
    bench::Report("white mode 3, scrambled, record one frame", white * 1000, "ms");
    bench::Report("file size so far", size, "MiB");

    CStringArray cards;
    RecordingSettings settings {};
    settings.cardStrings = &cards;
    const double start = bench::Now();
    recorder.Close(settings, layoutPath.c_str());
    bench::Report("close with the layout copy", (bench::Now() - start) * 1000, "ms");

    Library().screens.Resize(0);
    DeleteFileW(layoutPath.c_str());
    DeleteFileW(showPath.c_str());
}

} // namespace
