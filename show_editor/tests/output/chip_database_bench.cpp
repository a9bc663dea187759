// Opens a chip database of 30,000 chip sections in one category and builds
// the chip menu; beside it reads the same file's bytes, the least any
// reading of the file costs on the same machine.
#include "bench.h"

#include "ChipDatabase.h"

#include <string>
#include <vector>

namespace {

CString TempPath(const wchar_t* name)
{
    WCHAR folder[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return CString(folder) + name;
}

bool WriteAll(const CString& path, const std::string& text)
{
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == text.size();
}

std::vector<BYTE> ReadAll(const CString& path)
{
    std::vector<BYTE> bytes;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(::GetFileSize(file, nullptr));
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    return bytes;
}

} // namespace

LS_BENCHMARK(ChipMenuOf30000Sections)
{
    const CString path = TempPath(L"bench_chip.ini");
    std::string text = "[CHIPS]\r\n1=C\r\n";
    for (int k = 1; k <= 30000; ++k)
        text += "[C_" + std::to_string(k) + "]\r\nName=C" + std::to_string(k) + "\r\nChipChannel=3\r\nGray=4096\r\n";
    if (!bench::Check(WriteAll(path, text), "the chip database could not be written"))
        return;
    std::size_t items = 0;
    const double menu = bench::Measure(
        [&] {
            CChipDatabase db;
            db.Open(path);
            const std::vector<ChipMenuCategory> categories = db.BuildMenu();
            items = categories.empty() ? 0 : categories.front().chips.size();
        },
        1.0);
    std::size_t read = 0;
    const double raw = bench::Measure([&] { read = ReadAll(path).size(); }, 1.0);
    bench::Report("chip menu items", static_cast<double>(items), "");
    // As many chips as the 16-bit command ids number.
    bench::Check(items == kLastChipCommand - kFirstChipCommand + 1, "the menu does not list every chip it can");
    bench::Check(read == text.size(), "the raw read did not read the file");
    bench::Report("open and build the menu", menu * 1000.0, "ms");
    bench::Report("read the file's bytes", raw * 1000.0, "ms");
    bench::Report("ratio", raw > 0 ? menu / raw : 0.0, "x");
    ::DeleteFileW(path);
}
