// Start-up check of one shipped module of the program folder:
//   startup_check exe <Program.exe> [arguments...]
//     starts the program, waits for its first window with a caption (a splash
//     without one is passed over), lets it run a moment, closes that window
//     (and a window that shows after it, such as the main window after a
//     start-up dialog) and waits for the program to end with exit code 0.
//   startup_check dll <Library.dll>
//     loads the library (its DllMain and imports run), resolves every name of
//     its export table and unloads it.
// A crash, a missing window, a program that does not end when closed or a
// library that does not load fails the check (exit code 1), with the reason
// on stderr.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWindowTimeoutMs = 90'000;
constexpr DWORD kSettleMs = 1'500;
constexpr DWORD kCloseTimeoutMs = 30'000;
constexpr DWORD kNextWindowWaitMs = 3'000;
constexpr int kMaxWindowsClosed = 3;

int Fail(const wchar_t* module, const std::wstring& why)
{
    std::fwprintf(stderr, L"startup check: %ls: %ls\n", module, why.c_str());
    std::fflush(stderr);
    return 1;
}

std::wstring Hex(DWORD value)
{
    wchar_t buf[16];
    std::swprintf(buf, 16, L"0x%08lX", static_cast<unsigned long>(value));
    return buf;
}

std::wstring Describe(HWND hWnd)
{
    wchar_t title[256] = L"";
    wchar_t cls[128] = L"";
    ::GetWindowTextW(hWnd, title, 256);
    ::GetClassNameW(hWnd, cls, 128);
    return std::wstring(L"\"") + title + L"\" (" + cls + L")";
}

struct WindowQuery {
    DWORD pid = 0;
    std::vector<HWND> visible;
};

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    auto* q = reinterpret_cast<WindowQuery*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == q->pid && ::IsWindowVisible(hWnd))
        q->visible.push_back(hWnd);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD pid)
{
    WindowQuery q;
    q.pid = pid;
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&q));
    return q.visible;
}

HWND CaptionedWindowOf(DWORD pid)
{
    for (HWND hWnd : VisibleWindowsOf(pid))
        if ((::GetWindowLongW(hWnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
            return hWnd;
    return nullptr;
}

std::wstring ExitReason(DWORD code)
{
    if (code >= 0xC0000000u)
        return L"crashed (exception " + Hex(code) + L")";
    if (code == 0x80000003u)
        return L"stopped at a breakpoint or a trap (" + Hex(code) + L")";
    return L"ended with exit code " + std::to_wstring(code);
}

std::wstring Quote(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring out = L"\"";
    for (wchar_t c : arg) {
        if (c == L'"')
            out += L'\\';
        out += c;
    }
    return out + L"\"";
}

// The owner of a process handle: the process is killed if the check leaves
// before it ended, so a failed check never leaves a program running.
struct ChildProcess {
    PROCESS_INFORMATION pi {};
    ~ChildProcess()
    {
        if (pi.hProcess != nullptr) {
            if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(pi.hProcess, 1);
            ::CloseHandle(pi.hProcess);
            ::CloseHandle(pi.hThread);
        }
    }
    bool Ended(DWORD waitMs) const { return ::WaitForSingleObject(pi.hProcess, waitMs) == WAIT_OBJECT_0; }
    DWORD ExitCode() const
    {
        DWORD code = 0;
        ::GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }
};

int CheckProgram(const wchar_t* program, int argc, wchar_t** argv)
{
    std::wstring commandLine = Quote(program);
    for (int i = 0; i < argc; ++i)
        commandLine += L" " + Quote(argv[i]);
    STARTUPINFOW si {};
    si.cb = sizeof(si);
    ChildProcess child;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    if (!::CreateProcessW(program, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &child.pi))
        return Fail(program, L"cannot be started (error " + std::to_wstring(::GetLastError()) + L")");

    const ULONGLONG start = ::GetTickCount64();
    HWND window = nullptr;
    while (window == nullptr) {
        if (child.Ended(100))
            return Fail(program, ExitReason(child.ExitCode()) + L" before it showed a window");
        window = CaptionedWindowOf(child.pi.dwProcessId);
        if (window == nullptr && ::GetTickCount64() - start > kWindowTimeoutMs)
            return Fail(
                program, L"showed no window with a caption within " + std::to_wstring(kWindowTimeoutMs / 1000) + L" s");
    }
    std::wprintf(L"%ls: first window %ls after %.1f s\n", program, Describe(window).c_str(),
        static_cast<double>(::GetTickCount64() - start) / 1000.0);
    std::fflush(stdout);

    // Let it paint and finish starting: a crash in the first moments counts.
    if (child.Ended(kSettleMs))
        return Fail(program, ExitReason(child.ExitCode()) + L" right after showing its window");
    if (!::IsWindow(window))
        window = CaptionedWindowOf(child.pi.dwProcessId);
    if (window == nullptr)
        return Fail(program, L"has no window with a caption any more");

    // A program may open a dialog before its main window (the layout
    // editor asks for a new layout's settings): closing it brings the next
    // window, which is closed in turn.
    for (int round = 0; round < kMaxWindowsClosed; ++round) {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        if (child.Ended(kNextWindowWaitMs))
            break;
        HWND next = CaptionedWindowOf(child.pi.dwProcessId);
        if (next == nullptr)
            break;
        if (next != window)
            std::wprintf(L"%ls: next window %ls\n", program, Describe(next).c_str());
        window = next;
    }
    if (!child.Ended(kCloseTimeoutMs)) {
        std::wstring open;
        for (HWND hWnd : VisibleWindowsOf(child.pi.dwProcessId))
            open += L" " + Describe(hWnd);
        return Fail(program,
            L"did not end within " + std::to_wstring(kCloseTimeoutMs / 1000) + L" s of closing its window; open:"
                + open);
    }
    const DWORD code = child.ExitCode();
    if (code != 0)
        return Fail(program, ExitReason(code) + L" when closed");
    std::wprintf(
        L"%ls: closed after %.1f s in all\n", program, static_cast<double>(::GetTickCount64() - start) / 1000.0);
    return 0;
}

// The names of the export table of a loaded module.
std::vector<std::string> ExportNames(HMODULE module)
{
    std::vector<std::string> names;
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return names;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE)
        return names;
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (dir.VirtualAddress == 0 || dir.Size == 0)
        return names;
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    const auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.emplace_back(reinterpret_cast<const char*>(base + nameRvas[i]));
    return names;
}

int CheckLibrary(const wchar_t* library)
{
    HMODULE module = ::LoadLibraryW(library);
    if (module == nullptr)
        return Fail(library, L"does not load (error " + std::to_wstring(::GetLastError()) + L")");
    const std::vector<std::string> names = ExportNames(module);
    int result = 0;
    if (names.empty())
        result = Fail(library, L"exports nothing");
    for (const std::string& name : names) {
        if (::GetProcAddress(module, name.c_str()) == nullptr)
            result = Fail(library, L"export " + std::wstring(name.begin(), name.end()) + L" does not resolve");
    }
    if (!::FreeLibrary(module))
        result = Fail(library, L"does not unload (error " + std::to_wstring(::GetLastError()) + L")");
    if (result == 0)
        std::wprintf(L"%ls: loaded, %zu exports resolve, unloaded\n", library, names.size());
    return result;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    // A crash of the checked program must not wait for a dialog.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    if (argc >= 3 && std::wstring(argv[1]) == L"exe")
        return CheckProgram(argv[2], argc - 3, argv + 3);
    if (argc == 3 && std::wstring(argv[1]) == L"dll")
        return CheckLibrary(argv[2]);
    std::fwprintf(stderr, L"usage: startup_check exe <Program.exe> [arguments...] | dll <Library.dll>\n");
    return 2;
}
