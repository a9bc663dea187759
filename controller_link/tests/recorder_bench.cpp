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
    if (!bench::Check(corvane_bench::WriteGridLayout(layoutPath, { kPorts, kOutputs, kLamps, kWidth, kHeight }),
            "the layout could not be written"))
        return;
    Library().screens.Resize(1);
    CLEDScreen& screen = Library().screens[0];
    if (!bench::Check(screen.ReadLayout(layoutPath.c_str()) == 1, "the layout could not be read"))
        return;
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

    // Each round writes a fresh file of kRoundFrames frames from empty and
    // deletes it: files of gigabytes would make the system throttle the
    // writer for its write-back, and which of the two it throttles depends
    // on the machine's disk, not on the work measured. The recording and the
    // raw write of the same bytes are timed in alternating rounds, and each
    // keeps its best round.
    constexpr int kRoundFrames = 300;
    const std::uint64_t frameBytes = std::uint64_t(384) * 1536 + 512;
    COfflineRecorder recorder;
    double size = 0;
    auto recordRound = [&](bool scramble) {
        if (recorder.CreateFile(showPath.c_str()) != 0
            || recorder.Begin(screen, screen.m_controllers, sender, 25, 0, scramble) != 0)
            return -1.0;
        const double start = bench::Now();
        for (int i = 0; i < kRoundFrames; ++i) {
            work = frame; // the maps may derive pixels in place: a fresh copy each frame
            if (recorder.RecordFrame(screen, screen.m_controllers, sender, work.data(), 4, scramble, &size) != 0)
                return -1.0;
        }
        const double seconds = (bench::Now() - start) / kRoundFrames;
        // Every frame was written whole: the frame header and 384 slots.
        const bool whole = recorder.Frames() == kRoundFrames
            && recorder.TotalBytes() == offline::kFramesOffset + kRoundFrames * frameBytes;
        recorder.Abandon();
        return whole ? seconds : -1.0;
    };
    const std::wstring rawPath = corvane_bench::TempPath(L"corvane_rec_bench.raw");
    const std::vector<BYTE> rawBytes(static_cast<size_t>(frameBytes), 7);
    auto rawRound = [&] {
        HANDLE raw
            = CreateFileW(rawPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (raw == INVALID_HANDLE_VALUE)
            return -1.0;
        const double start = bench::Now();
        std::uint64_t total = 0;
        for (int i = 0; i < kRoundFrames; ++i) {
            work = frame; // the recorder's frame copy, for fairness
            DWORD written = 0;
            WriteFile(raw, rawBytes.data(), DWORD(rawBytes.size()), &written, nullptr);
            total += written;
        }
        const double seconds = (bench::Now() - start) / kRoundFrames;
        LARGE_INTEGER size {};
        const bool whole
            = total == kRoundFrames * frameBytes && GetFileSizeEx(raw, &size) && std::uint64_t(size.QuadPart) == total;
        CloseHandle(raw);
        DeleteFileW(rawPath.c_str());
        return whole ? seconds : -1.0;
    };
    // A round that did not write every frame whole fails the benchmark.
    bool allWhole = true;
    auto best = [&](double& kept, double round) {
        allWhole = allWhole && round > 0;
        kept = kept <= 0 || (round > 0 && round < kept) ? round : kept;
    };
    double plain = 0;
    double rawWrite = 0;
    double white = 0;
    for (int round = 0; round < 5; ++round) {
        best(rawWrite, rawRound());
        best(plain, recordRound(false));
    }
    if (!bench::Check(allWhole && plain > 0 && rawWrite > 0, "a round did not write its frames whole"))
        return;
    bench::Report("record one frame (384 slots, 590 KB)", plain * 1000, "ms");
    bench::Report("raw write of the frame's bytes (reference)", rawWrite * 1000, "ms");
    bench::Report("raw write / record", rawWrite / plain, "ratio");

    // Where the time goes: the port maps alone.
    int mapped = 0;
    const double maps = bench::Measure(
        [&] {
            mapped = 0;
            for (ControllerLayout& port : screen.m_ports)
                for (PortOutput& output : port.m_outputs)
                    mapped += output.ExtractOutput(frame.data(), 0, nullptr, 0, screen.m_curves) != nullptr ? 1 : 0;
        },
        0.3);
    bench::Report("port maps alone", maps * 1000, "ms");
    bench::Check(mapped == kPorts * kOutputs, "an output was not mapped");
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
    const PortOutput& lastOutput = screen.m_ports.back().m_outputs.back();
    const int lastByte = lastOutput.m_mapLength - 1;
    bench::Check(lastOutput.m_output[size_t(lastByte)] == frame[lastOutput.m_map[size_t(lastByte)]],
        "the lookups did not map the outputs");

    screen.m_colour.whiteMode = 3;
    for (int round = 0; round < 3; ++round)
        best(white, recordRound(true));
    bench::Report("white mode 3, scrambled, record one frame", white * 1000, "ms");
    bench::Check(allWhole, "a white-mode round did not write its frames whole");

    // The close of a short recording: block A, the layout copy, the rename.
    DeleteFileW(showPath.c_str());
    if (!bench::Check(recorder.CreateFile(showPath.c_str()) == 0
                && recorder.Begin(screen, screen.m_controllers, sender, 25, 0, false) == 0,
            "the show file could not be opened"))
        return;
    int recorded = 0;
    for (int i = 0; i < 10; ++i) {
        work = frame;
        recorded += recorder.RecordFrame(screen, screen.m_controllers, sender, work.data(), 4, false, &size) == 0;
    }
    CStringArray cards;
    RecordingSettings settings {};
    settings.cardStrings = &cards;
    const double start = bench::Now();
    const int closed = recorder.Close(settings, layoutPath.c_str());
    bench::Report("close with the layout copy", (bench::Now() - start) * 1000, "ms");
    WIN32_FILE_ATTRIBUTE_DATA layoutFile = {};
    WIN32_FILE_ATTRIBUTE_DATA showFile = {};
    // Header blocks, ten frames, the layout and its 10-byte trailer.
    bench::Check(recorded == 10 && closed == 0
            && GetFileAttributesExW(layoutPath.c_str(), GetFileExInfoStandard, &layoutFile)
            && GetFileAttributesExW(showPath.c_str(), GetFileExInfoStandard, &showFile)
            && showFile.nFileSizeLow
                == offline::kFramesOffset + 10 * frameBytes + layoutFile.nFileSizeLow + offline::kTrailerSize,
        "the closed show file does not hold its frames and the layout");

    Library().screens.Resize(0);
    DeleteFileW(layoutPath.c_str());
    DeleteFileW(showPath.c_str());
}

} // namespace
