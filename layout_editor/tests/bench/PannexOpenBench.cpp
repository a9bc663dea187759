// Load to first paint in the running editor: a layout of 1,000,000 lamps
// (400 ports of 2,500 on a 2,000 x 1,000 grid) is opened through the
// document of the real main frame (the list panel's tree and overview
// refresh with it) and the view draws it at the fit zoom on screen. Beside
// it the same file's bytes are read raw, so the two can be compared on the
// same machine.
#include "bench.h"

#include <vector>

#include "EditorSettings.h"
#include "LayoutBenchFiles.h"
#include "LampTypeList.h"
#include "LayoutFile.h"
#include "MainFrm.h"
#include "PannexApp.h"
#include "PannexDoc.h"
#include "PannexView.h"

namespace {

constexpr int kPorts = 400;
constexpr int kLampsPerPort = 2500;
constexpr int kWidth = 2000;
constexpr int kHeight = 1000;

bool WriteMillionLampLayout(const CString& path)
{
    CLayoutData layout;
    layout.ResetPorts(kPorts, kLampsPerPort, CString(L"RGB"), 0);
    layout.m_width = kWidth;
    layout.m_height = kHeight;
    for (int p = 0; p < kPorts; ++p) {
        LayoutPort record;
        record.Allocate(kLampsPerPort);
        std::vector<CLPoint> points;
        points.reserve(kLampsPerPort);
        // Each port snakes through a band of rows, as wiring does.
        for (int i = 0; i < kLampsPerPort; ++i) {
            const int row = (p * kLampsPerPort + i) / kWidth;
            const int column = (p * kLampsPerPort + i) % kWidth;
            const int x = row % 2 == 0 ? column : kWidth - 1 - column;
            CLPoint lamp(x, row * 2 % kHeight);
            lamp.m_normX = (lamp.x + 0.5) / kWidth;
            lamp.m_normY = (lamp.y + 0.5) / kHeight;
            points.push_back(lamp);
        }
        record.InsertPoints(points.data(), static_cast<int>(points.size()));
        layout.AppendLoadedPort(record);
    }
    CLayoutProjectSettings settings;
    settings.SetControllers(kPorts / 8, 8);
    ResetLampTypeList();
    return WriteLayoutFile(layout, path, settings) == LayoutWriteResult::Ok;
}

CString TempPath(const wchar_t* name)
{
    return BenchTempPath(L"pannex_open_bench", name, L".lpx");
}

} // namespace

LS_BENCHMARK(pannex_open_1m_lamps_to_first_paint)
{
    const CString path = TempPath(L"layout");
    if (!bench::Check(WriteMillionLampLayout(path), "the layout could not be written"))
        return;
    CPannexApp app;
    AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
    if (!bench::Check(app.InitInstance() != FALSE, "the editor did not start"))
        return;
    auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
    CPannexDoc* doc = frame != nullptr ? frame->GetPannexDoc() : nullptr;
    CPannexView* view = frame != nullptr ? frame->GetPannexView() : nullptr;
    if (!bench::Check(doc != nullptr && view != nullptr, "the editor has no document or view"))
        return;
    frame->MoveWindow(0, 0, 1280, 800);
    frame->ShowWindow(SW_SHOWNOACTIVATE);

    bool ok = true;
    int opens = 0;
    const double open = bench::Measure(
        [&] {
            ok = ok && doc->OpenLayoutFile(path);
            ++opens;
            view->Redraw(); // the first paint, at the fit zoom the load set
            ::GdiFlush();
        },
        3.0);
    std::vector<BYTE> bytes;
    bool read = true;
    const double raw = bench::Measure([&] { read = ReadWholeFile(path, bytes) && read; }, 1.0);
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    bench::Check(read && ::GetFileAttributesExW(path, GetFileExInfoStandard, &file) && bytes.size() == file.nFileSizeLow
            && file.nFileSizeHigh == 0,
        "the raw read did not read the file");
    const double paint = bench::Measure(
        [&] {
            view->Redraw();
            ::GdiFlush();
        },
        1.0);

    const CLayoutData& model = doc->GetLayout();
    double lamps = 0;
    for (int i = 0; i < model.GetPortCount(); ++i)
        lamps += model.GetPort(i).GetCount();
    bench::Report("lamps", lamps, "");
    bench::Check(
        ok && opens > 0 && lamps == static_cast<double>(kPorts) * kLampsPerPort, "an open did not load every lamp");
    bench::Report("zoom after load / fit zoom", view->m_zoom / view->m_fitZoom, "x");
    bench::Report("open and first paint", open * 1000, "ms");
    bench::Report("  of which the paint alone", paint * 1000, "ms");
    bench::Report("raw read, same bytes", raw * 1000, "ms");
    bench::Report("open and first paint / raw read", open / raw, "x");
    ::DestroyWindow(frame->GetSafeHwnd());
    app.ExitInstance();
    ::DeleteFileW(path);
}
