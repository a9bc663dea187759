// Hidden command runner and ARP table reader (see HiddenCommand.h).
#include "HiddenCommand.h"

#include "LocalSender.h"

#include <string>

namespace {

// A function's static, so a test can set it before other globals exist.
CString& Interpreter()
{
    static CString program;
    return program;
}

// Owns one handle.
class CHandle {
public:
    CHandle() = default;
    explicit CHandle(HANDLE h)
        : m_h(h)
    {
    }
    ~CHandle() { Close(); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    void Close()
    {
        if (m_h != nullptr && m_h != INVALID_HANDLE_VALUE)
            CloseHandle(m_h);
        m_h = nullptr;
    }
    HANDLE* Out() { return &m_h; }
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h = nullptr;
};

// Starts the interpreter with "/C <command>", its output on the write end
// of a new pipe; hands back the read end. False when the pipe or the
// process cannot be created.
bool StartHidden(const CString& command, CHandle& readEnd)
{
    SECURITY_ATTRIBUTES inherit { sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE };
    CHandle writeEnd;
    if (!CreatePipe(readEnd.Out(), writeEnd.Out(), &inherit, 0))
        return false;
    // Only the write end belongs to the child.
    SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);

    CString line;
    if (Interpreter().IsEmpty())
        line.Format(L"cmd /C %s", command.GetString());
    else
        line.Format(L"\"%s\" /C %s", Interpreter().GetString(), command.GetString());
    std::wstring buffer(line.GetString()); // CreateProcessW may write into it

    STARTUPINFOW start {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    start.wShowWindow = SW_HIDE;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = writeEnd.Get();
    start.hStdError = writeEnd.Get();
    PROCESS_INFORMATION process {};
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true; // the parent's write end closes here, so reads end with the child
}

} // namespace

void SetCommandInterpreterForTest(const CString& program)
{
    Interpreter() = program;
}

int SplitString(const CString& text, CStringArray& parts, const CString& separator)
{
    parts.RemoveAll();
    if (text.IsEmpty())
        return -1;
    if (separator.IsEmpty()) {
        parts.Add(text);
        return 1;
    }
    int start = 0;
    for (;;) {
        const int at = text.Find(separator, start);
        if (at < 0) {
            parts.Add(text.Mid(start));
            break;
        }
        parts.Add(text.Mid(start, at - start));
        start = at + separator.GetLength();
    }
    return int(parts.GetSize());
}

int RunHiddenCommand(const CString& command)
{
    CHandle readEnd;
    return StartHidden(command, readEnd) ? 0 : kBindError;
}

int ReadArpTable(CStringArray& lines)
{
    lines.RemoveAll();
    CHandle readEnd;
    if (!StartHidden(L"arp -a", readEnd))
        return kBindError;
    CStringA output;
    char chunk[512];
    DWORD got = 0;
    while (ReadFile(readEnd.Get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
        output.Append(chunk, int(got));

    CStringArray parts;
    SplitString(CString(output), parts, L"\r\n");
    for (INT_PTR i = 0; i < parts.GetSize(); ++i) {
        if (parts[i].IsEmpty())
            continue;
        CString line = parts[i];
        line.MakeUpper();
        lines.Add(line);
    }
    return 0;
}
