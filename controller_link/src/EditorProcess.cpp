// Starting the layout editor (see EditorProcess.h).
#include "EditorProcess.h"

namespace {

EditorStarter& TestStarter()
{
    static EditorStarter starter;
    return starter;
}

} // namespace

bool StartEditorProcess(const CString& file, const CString& parameters, HANDLE& process)
{
    process = nullptr;
    if (TestStarter())
        return TestStarter()(file, parameters, process);
    CString commandLine = L"\"" + file + L"\"";
    if (!parameters.IsEmpty())
        commandLine += L" " + parameters;
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info {};
    LPWSTR buffer = commandLine.GetBuffer();
    const BOOL started = ::CreateProcessW(file, buffer, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    commandLine.ReleaseBuffer();
    if (!started)
        return false;
    ::CloseHandle(info.hThread);
    process = info.hProcess;
    return true;
}

void SetEditorStarterForTest(EditorStarter starter)
{
    TestStarter() = std::move(starter);
}
