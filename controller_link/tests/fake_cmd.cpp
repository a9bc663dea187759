// A stand-in for the command interpreter in the controller library's tests,
// so they never run the system's "arp". Called as "fake_cmd /C <command>":
// "arp -a" prints the file named by LEDSUITE_FAKE_ARP_TABLE; any other
// command is appended as one line to the file named by LEDSUITE_FAKE_ARP_LOG.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::wstring Env(const wchar_t* name)
{
    wchar_t value[MAX_PATH * 2] {};
    const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH * 2);
    return n > 0 && n < MAX_PATH * 2 ? std::wstring(value) : std::wstring();
}

} // namespace

int wmain()
{
    // The command is everything after "/C ".
    const wchar_t* line = GetCommandLineW();
    const wchar_t* at = std::wcsstr(line, L" /C ");
    if (!at)
        return 2;
    const std::wstring command(at + 4);
    if (command == L"arp -a") {
        const std::wstring table = Env(L"LEDSUITE_FAKE_ARP_TABLE");
        FILE* in = table.empty() ? nullptr : _wfopen(table.c_str(), L"rb");
        if (!in)
            return 0;
        HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        char buffer[700]; // odd size, so lines cross the reader's chunks
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
            DWORD written = 0;
            WriteFile(out, buffer, DWORD(n), &written, nullptr);
            Sleep(1);
        }
        std::fclose(in);
        return 0;
    }
    const std::wstring log = Env(L"LEDSUITE_FAKE_ARP_LOG");
    FILE* out = log.empty() ? nullptr : _wfopen(log.c_str(), L"ab");
    if (!out)
        return 1;
    std::string narrow(command.begin(), command.end());
    narrow += "\n";
    std::fwrite(narrow.data(), 1, narrow.size(), out);
    std::fclose(out);
    return 0;
}
