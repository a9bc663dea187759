// Writes and reads a layout of 1,000,000 lamps (400 ports of 2,500) in the
// current format, and beside it writes and reads the same number of bytes
// as one plain file, so the two can be compared on the same machine.
#include "bench.h"

#include <memory>
#include <vector>

#include "EditorSettings.h"
#include "LampTypeList.h"
#include "LayoutFile.h"

namespace {

constexpr int kPorts = 400;
constexpr int kLampsPerPort = 2500;
const BYTE kKey[kLayoutKeyBytes] = { 0x11, 0x22, 0x33, 0x44, 0x55 };

class CBenchView : public ILayoutFileView {
public:
    CLayoutProjectSettings& GetLayoutSettings() override { return m_settings; }
    void ResizeLayout(int width, int height) override
    {
        LayoutWidth = width;
        LayoutHeight = height;
    }
    CLayoutProjectSettings m_settings;
};

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
    WCHAR folder[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, folder);
    CString path;
    path.Format(L"%slayoutfile_bench_%s_%lu", folder, name, ::GetCurrentProcessId());
    return path;
}

bool RawWrite(const CString& path, const std::vector<BYTE>& bytes)
{
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == bytes.size();
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
    if (WriteLayoutFile(*layout, layoutPath, settings, kKey) != LayoutWriteResult::Ok) {
        bench::Report("layout write FAILED", 0, "");
        return;
    }
    std::vector<BYTE> bytes;
    ReadWholeFile(layoutPath, bytes);
    bench::Report("file size", static_cast<double>(bytes.size()) / (1024.0 * 1024.0), "MiB");

    const double layoutWrite = bench::Measure([&] { WriteLayoutFile(*layout, layoutPath, settings, kKey); }, 2.0);
    const double rawWrite = bench::Measure([&] { RawWrite(rawPath, bytes); }, 2.0);

    const double build = bench::Measure(
        [&] {
            std::vector<BYTE> built;
            BuildLayoutFileBytes(*layout, settings, kKey, built);
        },
        1.0);
    const double parse = bench::Measure(
        [&] {
            LayoutFileContents contents;
            ParseLayoutBytes(bytes.data(), bytes.size(), contents);
        },
        1.0);

    CBenchView view;
    const double layoutRead = bench::Measure(
        [&] {
            CLayoutData read;
            ReadLayoutFile(&view, layoutPath, read);
        },
        2.0);
    const double rawRead = bench::Measure(
        [&] {
            std::vector<BYTE> again;
            ReadWholeFile(rawPath, again);
        },
        2.0);
    // Reading into a model includes setting up 400 ports with their tables;
    // this is the same work without the file.
    const double modelSetup = bench::Measure(
        [&] {
            CLayoutData empty;
            empty.ResetPorts(kPorts, kLampsPerPort, CString(L"RGB"), 0);
        },
        1.0);

    bench::Report("layout write", layoutWrite * 1000, "ms");
    bench::Report("raw write, same bytes", rawWrite * 1000, "ms");
    bench::Report("layout write / raw write", layoutWrite / rawWrite, "x");
    bench::Report("layout read into model", layoutRead * 1000, "ms");
    bench::Report("raw read, same bytes", rawRead * 1000, "ms");
    bench::Report("layout read / raw read", layoutRead / rawRead, "x");
    bench::Report("  of which building the bytes", build * 1000, "ms");
    bench::Report("  of which parsing the bytes", parse * 1000, "ms");
    bench::Report("empty model set-up (part of the read)", modelSetup * 1000, "ms");
    ::DeleteFileW(layoutPath);
    ::DeleteFileW(rawPath);
}
