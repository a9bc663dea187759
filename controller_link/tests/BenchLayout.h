// The layout files of the controller library's benchmarks: large grids of
// RGB lamps written by the layout editor's own writer.
#pragma once

#include <string>

namespace corvane_bench {

// Controllers of equal ports, each port `lampsPerPort` lamps; the lamps of
// all ports in turn fill the grid row by row.
struct GridLayout {
    int controllers = 1;
    int portsPerController = 1;
    int lampsPerPort = 1;
    int width = 1;
    int height = 1;
};

// A file of the temporary folder.
std::wstring TempPath(const wchar_t* name);

// Writes the layout in the current format; false when it could not.
bool WriteGridLayout(const std::wstring& path, const GridLayout& grid);

} // namespace corvane_bench
