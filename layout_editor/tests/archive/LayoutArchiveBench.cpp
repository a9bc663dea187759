// Writes and reads a layout of 1,000,000 lamps (400 ports of 2,500) in the
// archive format, in memory, and opens it through the layout document from
// a scrambled file, to compare with the current format's benchmark.
#include "bench.h"

#include <memory>
#include <vector>

#include "ByteBufferFile.h"
#include "EditorSettings.h"
#include "FileScrambler.h"
#include "LayoutArchive.h"
#include "PannexDoc.h"

namespace {

constexpr int kPorts = 400;
constexpr int kLampsPerPort = 2500;

class CBenchView : public CView, public ILayoutDocView {
public:
    void OnDraw(CDC*) override { }
    CLayoutProjectSettings& GetLayoutSettings() override { return m_settings; }
    void ResizeLayout(int width, int height) override
    {
        LayoutWidth = width;
        LayoutHeight = height;
    }
    void OnLayoutLoaded() override { }
    CLayoutProjectSettings m_settings;
};

std::unique_ptr<CLayoutData> BuildLayout(CLayoutProjectSettings& settings)
{
    auto layout = std::make_unique<CLayoutData>();
    layout->ResetPorts(kPorts, kLampsPerPort, CString(L"RGB"), 0);
    layout->m_width = 2000;
    layout->m_height = 1000;
    std::vector<CLPoint> points(kLampsPerPort);
    for (int p = 0; p < kPorts; ++p) {
        for (int i = 0; i < kLampsPerPort; ++i) {
            points[i] = CLPoint((p * 5) % 2000, i % 1000);
            points[i].m_normX = (points[i].x + 0.5) / 2000;
            points[i].m_normY = (points[i].y + 0.5) / 1000;
        }
        layout->GetPort(p).InsertPoints(points.data(), kLampsPerPort);
    }
    layout->RebuildUsedPorts();
    settings.SetControllers(kPorts / 8, 8);
    return layout;
}

long long LampsOf(const CLayoutData& layout)
{
    long long lamps = 0;
    for (int p = 0; p < layout.GetPortCount(); ++p)
        lamps += layout.GetPort(p).GetCount();
    return lamps;
}

std::vector<BYTE> Write(const CLayoutData& layout, const CLayoutProjectSettings& settings)
{
    CByteBufferFile file;
    CArchive ar(&file, CArchive::store);
    WriteLayoutArchive(layout, ar, settings);
    ar.Close();
    return file.Bytes();
}

} // namespace

LS_BENCHMARK(LayoutArchiveMillionLamps)
{
    CLayoutProjectSettings settings;
    const std::unique_ptr<CLayoutData> layout = BuildLayout(settings);
    std::vector<BYTE> bytes;
    if (!bench::Check(LampsOf(*layout) == static_cast<long long>(kPorts) * kLampsPerPort, "the layout lacks lamps"))
        return;
    const double write = bench::Measure([&] { bytes = Write(*layout, settings); });
    bench::Report("archive write 1,000,000 lamps to memory", write * 1000, "ms");
    bench::Report("archive size", static_cast<double>(bytes.size()) / (1024 * 1024), "MiB");
    constexpr long long kLamps = static_cast<long long>(kPorts) * kLampsPerPort;
    // Every lamp takes at least its cell's two numbers.
    if (!bench::Check(bytes.size() > static_cast<size_t>(kLamps) * 8, "the archive does not hold the lamps"))
        return;

    CBenchView view;
    long long readLamps = 0;
    const double read = bench::Measure([&] {
        CLayoutData target;
        CByteBufferFile file(bytes);
        CArchive ar(&file, CArchive::load);
        ReadLayoutArchive(&view, ar, target);
        readLamps = LampsOf(target);
    });
    bench::Check(readLamps == kLamps, "the archive read did not load every lamp");
    bench::Report("archive read 1,000,000 lamps from memory", read * 1000, "ms");

    WCHAR folder[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, folder);
    CString path;
    path.Format(L"%slayoutarchive_bench_%lu.lpx", folder, ::GetCurrentProcessId());
    bool opened = true;
    long long openedLamps = 0;
    const double open = bench::Measure([&] {
        HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        opened = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)
            && written == bytes.size() && opened;
        ::CloseHandle(file);
        ScrambleFileInPlace(path);
        CPannexDoc doc;
        doc.m_bAutoDelete = FALSE;
        doc.AddView(&view);
        opened = doc.OnOpenDocument(path) && opened;
        openedLamps = LampsOf(doc.GetLayout());
        doc.RemoveView(&view);
    });
    bench::Check(opened && openedLamps == kLamps, "an open of the scrambled archive did not load every lamp");
    ::DeleteFileW(path);
    bench::Report("scramble and open a scrambled archive file (1,000,000 lamps)", open * 1000, "ms");
}
