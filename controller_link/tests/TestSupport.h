// Shared helpers of the controller library tests: a scratch folder, the log
// redirected into it with a fixed clock, and a scripted adapter list.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane_test {

// A fresh folder under the temporary folder, removed with its content.
class CScratchFolder {
public:
    CScratchFolder();
    ~CScratchFolder();
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

// Sends the daily log of the running program "<folder>\show.exe" to
// <folder>\LogFile and fixes the clock; undone by the destructor.
class CLogCapture {
public:
    explicit CLogCapture(const std::wstring& folder, SYSTEMTIME when);
    ~CLogCapture();
    void SetClock(SYSTEMTIME when);
    // The bytes of the file for the given day.
    std::vector<std::uint8_t> DayFile(int year, int month, int day) const;
    std::wstring DayPath(int year, int month, int day) const;
    // The UTF-16 text of a file without its marks, lines joined.
    std::wstring DayText(int year, int month, int day) const;

private:
    std::wstring m_folder;
};

SYSTEMTIME At(int year, int month, int day, int hour, int minute, int second);

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path);

struct FakeAdapter {
    std::string ip;
    std::string mask;
    std::vector<std::uint8_t> mac;
    std::string name;
};

// Installs a GetAdaptersInfo stand-in that reports `adapters` (and asks for
// a larger buffer when 648 bytes are too few); the destructor restores the
// system's list.
class CFakeAdapters {
public:
    explicit CFakeAdapters(std::vector<FakeAdapter> adapters);
    ~CFakeAdapters();
    static int Calls();
};

// A frame of exactly `size` bytes between two pages that cannot be read: it
// ends where the upper one begins, so reading one byte past it faults; a
// frame of whole pages also starts where the lower one ends.
class CGuardedFrame {
public:
    explicit CGuardedFrame(std::size_t size);
    ~CGuardedFrame();
    CGuardedFrame(const CGuardedFrame&) = delete;
    CGuardedFrame& operator=(const CGuardedFrame&) = delete;
    // Null when the pages could not be had.
    std::uint8_t* Data() const { return m_data; }

private:
    std::uint8_t* m_base = nullptr;
    std::uint8_t* m_data = nullptr;
};

} // namespace corvane_test
