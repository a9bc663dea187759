// Imports generated DXF drawings of 10,000, 50,000 and 200,000 lamps (ports
// of 2,000 lamps wired in serpentines) in the endpoint and the circle mode,
// and exports the imported layout again, so the growth with the drawing's
// size can be read off.
#include "bench.h"

#include <cstdio>
#include <string>

#include "DxfExporter.h"
#include "DxfReader.h"
#include "EditorSettings.h"
#include "LampTypeList.h"

namespace {

constexpr int kLampsPerPort = 2000;
constexpr int kColumns = 50; // lamps per serpentine row

void Add(std::string& out, const char* format, double a, double b, double c = 0, double d = 0)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, a, b, c, d);
    out += buffer;
}

// Ports side by side, each a block of 50 x 40 lamps one unit apart; every
// entity carries the groups a CAD program writes.
std::string Drawing(int lamps)
{
    std::string out = "  0\nSECTION\n  2\nENTITIES\n";
    const int ports = lamps / kLampsPerPort;
    for (int p = 0; p < ports; ++p) {
        const double left = (p % 10) * (kColumns + 5);
        const double bottom = (p / 10) * 45.0;
        auto at = [&](int i, double& x, double& y) {
            const int row = i / kColumns;
            const int col = row % 2 == 0 ? i % kColumns : kColumns - 1 - i % kColumns;
            x = left + col;
            y = bottom + row;
        };
        char label[32];
        std::snprintf(label, sizeof label, "C%dP%d", p / 8 + 1, p % 8 + 1);
        double x = 0;
        double y = 0;
        at(0, x, y);
        Add(out, "  0\nTEXT\n  8\nLabels\n 10\n%f\n 20\n%f\n 30\n0.0\n 40\n0.2\n", x - 0.6, y - 0.2);
        out += "  1\n";
        out += label;
        out += "\n";
        Add(out, "  0\nLINE\n  8\nWires\n 10\n%f\n 20\n%f\n 30\n0.0\n 11\n%f\n 21\n%f\n 31\n0.0\n", x, y, x - 0.6,
            y - 0.2);
        for (int i = 0; i < kLampsPerPort; ++i) {
            double nx = 0;
            double ny = 0;
            at(i, nx, ny);
            Add(out, "  0\nCIRCLE\n  8\nLamps\n 10\n%f\n 20\n%f\n 30\n0.0\n 40\n0.4\n", nx, ny);
            if (i > 0)
                Add(out, "  0\nLINE\n  8\nWires\n 10\n%f\n 20\n%f\n 30\n0.0\n 11\n%f\n 21\n%f\n 31\n0.0\n", x, y, nx,
                    ny);
            x = nx;
            y = ny;
        }
    }
    out += "  0\nENDSEC\n  0\nEOF\n";
    return out;
}

CString WriteDrawing(int lamps)
{
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    CString path;
    path.Format(L"%sdxf_bench_%d.dxf", folder, lamps);
    const std::string text = Drawing(lamps);
    HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
    ::CloseHandle(h);
    return path;
}

void Run(int lamps)
{
    ResetEditorSettings();
    ResetLampTypeList();
    const CString path = WriteDrawing(lamps);
    if (!bench::Check(::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES, "the drawing could not be written"))
        return;
    for (int mode : { DxfReader::kEndpointMode, DxfReader::kCircleMode }) {
        int imported = 0;
        const double seconds = bench::Measure(
            [&] {
                CLayoutData layout;
                layout.ResetPorts(1, kMaxPortPoints, CString(L"RGB"), 0);
                CControllerList controllers;
                controllers.Add(8);
                DxfReader reader;
                bench::Check(reader.Parse(path, layout, controllers, mode, nullptr, 1.0) == 0, "an import failed");
                imported = 0;
                for (int u = 0; u < layout.GetUsedCount(); ++u)
                    imported += layout.GetPort(layout.GetUsedPort(u)).GetCount();
            },
            0.2);
        char name[96];
        std::snprintf(name, sizeof name, "import %d lamps, %s mode (%d placed)", lamps,
            mode == DxfReader::kEndpointMode ? "endpoint" : "circle", imported);
        bench::Report(name, seconds * 1000.0, "ms");
        bench::Check(imported == lamps, "an import did not place every lamp");
    }
    // Export of what the endpoint import gives.
    CLayoutData layout;
    layout.ResetPorts(1, kMaxPortPoints, CString(L"RGB"), 0);
    CControllerList controllers;
    controllers.Add(8);
    DxfReader reader;
    reader.Parse(path, layout, controllers, DxfReader::kEndpointMode, nullptr, 1.0);
    const CString out = path + L".out.dxf";
    ::DeleteFileW(out);
    const double seconds = bench::Measure([&] { ExportDxf(out, layout, controllers, true, nullptr); }, 0.2);
    WIN32_FILE_ATTRIBUTE_DATA exported = {};
    // Every lamp is at least a circle of a few lines in the drawing.
    bench::Check(::GetFileAttributesExW(out, GetFileExInfoStandard, &exported)
            && (static_cast<unsigned long long>(exported.nFileSizeHigh) << 32 | exported.nFileSizeLow)
                > 50ull * static_cast<unsigned long long>(lamps),
        "the export wrote no drawing of the lamps");
    char name[96];
    std::snprintf(name, sizeof name, "export %d lamps with numbers", lamps);
    bench::Report(name, seconds * 1000.0, "ms");
    ::DeleteFileW(out);
    ::DeleteFileW(path);
}

} // namespace

LS_BENCHMARK(DxfImport10k)
{
    Run(10000);
}

LS_BENCHMARK(DxfImport50k)
{
    Run(50000);
}

LS_BENCHMARK(DxfImport200k)
{
    Run(200000);
}
