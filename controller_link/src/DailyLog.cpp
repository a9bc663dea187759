// The daily log (see DailyLog.h).
#include "DailyLog.h"

#include <cwchar>

namespace {

std::wstring& ProgramPathOverride()
{
    static std::wstring path;
    return path;
}

std::function<SYSTEMTIME()>& ClockOverride()
{
    static std::function<SYSTEMTIME()> clock;
    return clock;
}

std::wstring ProgramPath()
{
    if (!ProgramPathOverride().empty())
        return ProgramPathOverride();
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n == 0)
            return std::wstring();
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        if (path.size() >= 32768)
            return std::wstring();
        path.resize(path.size() * 2);
    }
}

SYSTEMTIME Now()
{
    if (ClockOverride())
        return ClockOverride()();
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t;
}

} // namespace

CLLOG::FileOut::FileOut(const std::wstring& path)
    : m_handle(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_NORMAL, nullptr))
{
    if (m_handle != INVALID_HANDLE_VALUE)
        SetFilePointer(m_handle, 0, nullptr, FILE_END);
}

CLLOG::FileOut::~FileOut()
{
    if (m_handle != INVALID_HANDLE_VALUE)
        CloseHandle(m_handle);
}

bool CLLOG::FileOut::Write(const void* data, DWORD size)
{
    DWORD written = 0;
    return IsOpen() && WriteFile(m_handle, data, size, &written, nullptr) && written == size;
}

std::wstring CLLOG::LogPath(const SYSTEMTIME& now)
{
    std::wstring path = ProgramPath();
    std::size_t slash = path.find_last_of(L'\\');
    std::size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash))
        path.resize(dot);
    slash = path.find_last_of(L'\\');
    std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);

    std::wstring logFolder = folder + L"\\LogFile";
    CreateDirectoryW(logFolder.c_str(), nullptr);
    std::wstring yearFolder = logFolder + L"\\" + name + L"Log" + std::to_wstring(now.wYear);
    CreateDirectoryW(yearFolder.c_str(), nullptr);
    return yearFolder + L"\\" + std::to_wstring(now.wMonth) + L"-" + std::to_wstring(now.wDay) + L".log";
}

void CLLOG::AppendEntry(const std::wstring& text)
{
    try {
        SYSTEMTIME now = Now();
        wchar_t clock[16];
        swprintf(clock, 16, L"%02d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
        std::wstring line = std::wstring(clock) + L" " + text + L"\r\n";
        std::wstring path = LogPath(now);
        // The mark and the line are two separate appends, each with its own
        // open and close, so a reader sees whole writes only.
        {
            FileOut out(path);
            const wchar_t mark = 0xFEFF;
            if (!out.Write(&mark, sizeof mark))
                return;
        }
        FileOut out(path);
        out.Write(line.data(), DWORD(line.size() * sizeof(wchar_t)));
    } catch (...) {
        // Logging never fails a caller.
    }
}

std::wstring CLLOG::Format(const wchar_t* format, va_list args)
{
    std::wstring out;
    if (!format)
        return out;
    for (const wchar_t* p = format; *p; ++p) {
        if (*p != L'%') {
            out += *p;
            continue;
        }
        ++p;
        if (!*p)
            break;
        switch (*p) {
        case L'd':
            out += std::to_wstring(va_arg(args, int));
            break;
        case L'c':
            out += wchar_t(static_cast<unsigned char>(va_arg(args, int)));
            break;
        case L's': {
            const wchar_t* s = va_arg(args, const wchar_t*);
            if (s)
                out += s;
            break;
        }
        default: // "%%" and anything unknown stand for themselves
            out += *p;
            break;
        }
    }
    return out;
}

const wchar_t* CLLOG::LevelWord(int level)
{
    switch (level) {
    case LOG_WARNING:
        return L"警告 ";
    case LOG_ERROR:
        return L"错误 ";
    default:
        return L"信息 ";
    }
}

void CLLOG::SetProgramPathForTest(const std::wstring& path)
{
    ProgramPathOverride() = path;
}

void CLLOG::SetClockForTest(std::function<SYSTEMTIME()> clock)
{
    ClockOverride() = std::move(clock);
}

namespace {

void LogV(int level, const wchar_t* format, va_list args) noexcept
{
    try {
        CLLOG::AppendEntry(CLLOG::LevelWord(level) + CLLOG::Format(format, args));
    } catch (...) {
        // Logging never fails a caller.
    }
}

} // namespace

void LogPrintf(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    LogV(LOG_INFO, format, args);
    va_end(args);
}

void LogLevel(int level, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    LogV(level, format, args);
    va_end(args);
}
