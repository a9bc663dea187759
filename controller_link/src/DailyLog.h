// The controller library's daily log: network failures and check results,
// one UTF-16 file per day, "<month>-<day>.log" in the folder
// "<program>Log<year>" under "LogFile" of the program folder. Every entry
// opens, appends and closes the file, and every line is preceded by the
// character U+FEFF (bytes FF FE).
#pragma once

#include <windows.h>

#include <cstdarg>
#include <functional>
#include <string>

enum LogLevelKind { LOG_INFO = 0, LOG_WARNING = 1, LOG_ERROR = 2 };

class CLLOG {
public:
    // One open file handle positioned at the end of the file; closed when the
    // object goes. Creates the file when it is missing.
    class FileOut {
    public:
        explicit FileOut(const std::wstring& path);
        ~FileOut();
        FileOut(const FileOut&) = delete;
        FileOut& operator=(const FileOut&) = delete;
        bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
        bool Write(const void* data, DWORD size);

    private:
        HANDLE m_handle;
    };

    // Path of the day's file for the given local time; creates "\LogFile" and
    // the year folder when missing.
    static std::wstring LogPath(const SYSTEMTIME& now);
    // Writes one entry (time, space, text, CR LF) to the day's file. Failures
    // drop the entry silently.
    static void AppendEntry(const std::wstring& text);

    // Formats with "%%", "%c" (low byte of an int), "%d" (int) and "%s" (wide
    // string); any other character after '%' stands for itself.
    static std::wstring Format(const wchar_t* format, va_list args);
    // The level word that starts an entry's text ("信息 " for unknown levels).
    static const wchar_t* LevelWord(int level);

    // Test seams: the running program's path and the local clock.
    static void SetProgramPathForTest(const std::wstring& path);
    static void SetClockForTest(std::function<SYSTEMTIME()> clock);
};

// An information entry.
void LogPrintf(const wchar_t* format, ...);
// An entry of level LOG_INFO, LOG_WARNING or LOG_ERROR.
void LogLevel(int level, const wchar_t* format, ...);
