// Layout files of the benchmarks (see BenchLayout.h).
#include "BenchLayout.h"

#include <vector>

#include "LayoutFileFormat.h"

namespace corvane_bench {

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

bool WriteGridLayout(const std::wstring& path, const GridLayout& grid)
{
    CLayoutData model;
    CLayoutProjectSettings settings;
    const int ports = grid.controllers * grid.portsPerController;
    model.ResetPorts(ports, grid.lampsPerPort, CString(L"RGB"), 0);
    model.m_width = grid.width;
    model.m_height = grid.height;
    settings.SetControllers(grid.controllers, grid.portsPerController);
    int lamp = 0;
    for (int p = 0; p < ports; ++p) {
        LayoutPort record;
        record.Allocate(grid.lampsPerPort);
        std::vector<CLPoint> points;
        for (int i = 0; i < grid.lampsPerPort; ++i, ++lamp)
            points.emplace_back(lamp % grid.width, lamp / grid.width);
        record.InsertPoints(points.data(), grid.lampsPerPort);
        model.AppendLoadedPort(record);
    }
    CStringArray types;
    types.Add(L"RGB");
    CGammaCurveTables curves;
    LayoutWriteSource source;
    source.model = &model;
    source.settings = &settings;
    source.lampTypes = &types;
    source.curves = &curves;
    const BYTE key[kLayoutKeyBytes] = { 1, 2, 3, 4, 5 };
    std::vector<BYTE> bytes;
    if (BuildLayoutBytes(source, key, bytes) != LayoutWriteResult::Ok)
        return false;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

} // namespace corvane_bench
