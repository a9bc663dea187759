// Saves and reads a layout of 1,000,000 lamps (400 ports of 2,500) in the
// current format, and beside it writes and reads the same bytes as one plain
// file, so the two can be compared on the same machine. Saves and raw writes
// alternate, each into a fresh file; the saved file must hold exactly the
// layout's bytes and the reads every lamp.
#include "bench.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "EditorSettings.h"
#include "LayoutBenchFiles.h"
#include "LampTypeList.h"
#include "LayoutFile.h"

namespace {

constexpr int kPorts = 400;
constexpr int kLampsPerPort = 2500;
const BYTE kKey[kLayoutKeyBytes] = { 0x11, 0x22, 0x33, 0x44, 0x55 };

std::unique_ptr<CLayoutData> BuildLayout()
{
    auto layout = std::make_unique<CLayoutData>();
    layout->ResetPorts(kPorts, kLampsPerPort, CString(L"RGB"), 0);
    layout->m_width = 2000;
    layout->m_height = 1000;
    for (int p = 0; p < kPorts; ++p) {
        LayoutPort record;
        record.Allocate(kLampsPerPort);
        std::vector<CLPoint> points;
        points.reserve(kLampsPerPort);
        for (int y = 0; y < 1000; y += 2) {
            for (int x = p; x < 2000; x += kPorts) {
                CLPoint lamp(x, y);
                lamp.m_normX = (x + 0.5) / 2000;
                lamp.m_normY = (y + 0.5) / 1000;
                points.push_back(lamp);
            }
        }
        record.InsertPoints(points.data(), static_cast<int>(points.size()));
        record.m_brightness[p] = 50;
        layout->AppendLoadedPort(record);
    }
    return layout;
}

CString TempPath(const wchar_t* name)
{
    return BenchTempPath(L"layoutfile_bench", name);
}

bool RawWrite(const CString& path, const std::vector<BYTE>& bytes, bool flush)
{
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (flush)
        ok = ok && ::FlushFileBuffers(file);
    ::CloseHandle(file);
    return ok && written == bytes.size();
}

// Counts the bytes it is given and keeps none.
class CCountingSink : public ILayoutByteSink {
public:
    bool Begin(size_t) override
    {
        m_bytes = 0;
        return true;
    }
    bool Put(const BYTE* data, size_t count) override
    {
        m_bytes += count;
        m_last = data[count - 1];
        return true;
    }
    size_t m_bytes = 0;
    BYTE m_last = 0;
};

long long FileSize(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long long LampsOf(const CLayoutData& layout)
{
    long long lamps = 0;
    for (int p = 0; p < layout.GetPortCount(); ++p)
        lamps += layout.GetPort(p).GetCount();
    return lamps;
}

} // namespace

LS_BENCHMARK(layout_file_1m_lamps)
{
    std::unique_ptr<CLayoutData> layout = BuildLayout();
    CLayoutProjectSettings settings;
    settings.SetControllers(kPorts / 8, 8);
    ResetLampTypeList();

    const CString layoutPath = TempPath(L"layout.lpx");
    const CString rawPath = TempPath(L"raw.bin");
    std::vector<BYTE> bytes;
    if (!bench::Check(BuildLayoutFileBytes(*layout, settings, kKey, bytes) == LayoutWriteResult::Ok,
            "the layout's bytes could not be built"))
        return;
    bench::Report("file size", static_cast<double>(bytes.size()) / (1024.0 * 1024.0), "MiB");

    // The save and the raw write of the same bytes alternate, each into a
    // fresh file (the previous one is deleted first, outside the timing).
    constexpr int kRounds = 7;
    std::vector<double> saves;
    std::vector<double> raws;
    std::vector<double> flushedRaws;
    bool saved = true;
    bool written = true;
    for (int round = 0; round < kRounds; ++round) {
        ::DeleteFileW(layoutPath);
        double start = bench::Now();
        saved = WriteLayoutFile(*layout, layoutPath, settings, kKey) == LayoutWriteResult::Ok && saved;
        saves.push_back(bench::Now() - start);
        ::DeleteFileW(rawPath);
        start = bench::Now();
        written = RawWrite(rawPath, bytes, false) && written;
        raws.push_back(bench::Now() - start);
        ::DeleteFileW(rawPath);
        start = bench::Now();
        written = RawWrite(rawPath, bytes, true) && written;
        flushedRaws.push_back(bench::Now() - start);
    }
    bench::Check(saved, "a save failed");
    bench::Check(written, "a raw write failed");
    bench::Check(FileSize(rawPath) == static_cast<long long>(bytes.size()), "the raw file has not its bytes");
    std::vector<BYTE> back;
    bench::Check(ReadWholeFile(layoutPath, back) && back == bytes, "the saved file does not hold the layout's bytes");
    const double layoutWrite = Median(saves);
    const double rawWrite = Median(raws);

    const double build = bench::Measure(
        [&] {
            std::vector<BYTE> built;
            BuildLayoutFileBytes(*layout, settings, kKey, built);
        },
        1.0);
    CCountingSink counted;
    const double stream
        = bench::Measure([&] { StreamLayoutBytes(EditorLayoutWriteSource(*layout, settings), kKey, counted); }, 1.0);
    bench::Check(counted.m_bytes == bytes.size() && counted.m_last == bytes.back(), "the stream lacks bytes");
    LayoutFileContents parsed;
    const double parse = bench::Measure(
        [&] {
            LayoutFileContents contents;
            ParseLayoutBytes(bytes.data(), bytes.size(), contents);
            parsed.ports.swap(contents.ports);
        },
        1.0);
    long long parsedLamps = 0;
    for (const LayoutFilePort& port : parsed.ports)
        parsedLamps += static_cast<long long>(port.lamps.size());
    bench::Check(parsedLamps == static_cast<long long>(kPorts) * kLampsPerPort, "the parse did not find every lamp");

    CBenchLayoutView view;
    long long readLamps = 0;
    const double layoutRead = bench::Measure(
        [&] {
            CLayoutData read;
            readLamps = ReadLayoutFile(&view, layoutPath, read) == LayoutReadResult::Ok ? LampsOf(read) : -1;
        },
        2.0);
    bench::Check(readLamps == static_cast<long long>(kPorts) * kLampsPerPort, "the read did not load every lamp");
    size_t rawRead = 0;
    const double rawReadTime = bench::Measure(
        [&] {
            std::vector<BYTE> again;
            rawRead = ReadWholeFile(rawPath, again) ? again.size() : 0;
        },
        2.0);
    bench::Check(rawRead == bytes.size(), "the raw read did not read every byte");
    // Reading into a model includes setting up 400 ports with their tables;
    // this is the same work without the file.
    int setUpPorts = 0;
    const double modelSetup = bench::Measure(
        [&] {
            CLayoutData empty;
            empty.ResetPorts(kPorts, kLampsPerPort, CString(L"RGB"), 0);
            setUpPorts = empty.GetPortCount();
        },
        1.0);
    bench::Check(setUpPorts == kPorts, "the model was not set up");

    bench::Report("layout save into a fresh file (median of 7)", layoutWrite * 1000, "ms");
    bench::Report("raw write, same bytes, fresh file (median of 7)", rawWrite * 1000, "ms");
    bench::Report("layout save / raw write", layoutWrite / rawWrite, "x");
    bench::Report("  of which making the bytes (no file)", stream * 1000, "ms");
    bench::Report("  building the whole file in new memory", build * 1000, "ms");
    bench::Report("  raw write flushed to disk (median of 7)", Median(flushedRaws) * 1000, "ms");
    // The save flushes its temporary file before the name moves over to it,
    // so nothing is lost when the power fails: this is its like-for-like
    // reference.
    bench::Report("layout save / raw write flushed to disk", layoutWrite / Median(flushedRaws), "x");
    bench::Report("  fastest save", *std::min_element(saves.begin(), saves.end()) * 1000, "ms");
    bench::Report("  fastest raw write", *std::min_element(raws.begin(), raws.end()) * 1000, "ms");
    bench::Report("layout read into model", layoutRead * 1000, "ms");
    bench::Report("raw read, same bytes", rawReadTime * 1000, "ms");
    bench::Report("layout read / raw read", layoutRead / rawReadTime, "x");
    bench::Report("  of which parsing the bytes", parse * 1000, "ms");
    bench::Report("empty model set-up (part of the read)", modelSetup * 1000, "ms");
    ::DeleteFileW(layoutPath);
    ::DeleteFileW(rawPath);
}
