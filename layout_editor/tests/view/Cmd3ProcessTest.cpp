// The show editor's "import DXF" road end to end, as the controller library
// takes it: Pannex.exe started as its own process with "CMD3-<caller>,
// <drawing>" and the language, the options dialog answered, the layout
// saved. The caller gets the saved file's path, whose layout holds the
// drawing's lamps, and "EXIT" when the editor closes.
#include "PannexTestUtil.h"

#include "../dxf/DxfTestUtil.h"
#include "AppPaths.h"
#include "LayoutFile.h"
#include "PannexResource.h"
#include "fw_process_windows.h"

using namespace pannextest;

namespace {

using fwtest::WaitForProcessWindow;

CString ReplyText(const Reply& reply)
{
    return CString(reinterpret_cast<const wchar_t*>(reply.bytes.data()));
}

} // namespace

TEST(PannexProcessTest, ShowEditorDxfImportOpensTheEditorWithTheDrawingsLamps)
{
    DxfDrawing d;
    d.Label(0, 8, "C1P1");
    d.Wire({ { 0, 8 }, { 2, 8 }, { 4, 8 } });
    d.Label(0, 4, "C1P2");
    d.Wire({ { 0, 4 }, { 2, 4 } });
    ScratchFile drawing(L" drawing.dxf");
    drawing.Write(d.Build());
    const CString saved = GetAppFolder() + L"TF\\new.lpx";
    ::DeleteFileW(saved);

    CCallerWindow caller;
    // The controller library's command line: the path quoted with the mode,
    // the language after it.
    CString command;
    command.Format(L"\"%sPannex.exe\" \"CMD3-%s,%s\",1", GetAppFolder().GetString(), caller.Handle().GetString(),
        drawing.Path().GetString());
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(
        ::CreateProcessW(nullptr, command.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, GetAppFolder(), &si, &pi));
    command.ReleaseBuffer();

    // The new layout's project settings come first, taken as they are.
    HWND settings = WaitForProcessWindow(pi.dwProcessId, true);
    ASSERT_NE(settings, nullptr) << "the project settings never showed";
    ::PostMessageW(settings, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(fwtest::PumpUntil([&] { return !::IsWindow(settings); }, 20000));
    HWND options = WaitForProcessWindow(pi.dwProcessId, true);
    ASSERT_NE(options, nullptr) << "the DXF options dialog never showed";
    ::PostMessageW(options, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    HWND frame = WaitForProcessWindow(pi.dwProcessId, false);
    ASSERT_NE(frame, nullptr) << "the editor's window never showed";
    ::PostMessageW(frame, WM_COMMAND, ID_FILE_SAVE, 0);
    EXPECT_TRUE(fwtest::PumpUntil([] { return !Replies().empty(); }, 20000));
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(fwtest::PumpUntil([&] { return ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 20000));
    if (::WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0)
        ::TerminateProcess(pi.hProcess, 1);
    fwtest::PumpPending();
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);

    ASSERT_EQ(Replies().size(), 2u);
    EXPECT_EQ(ReplyText(Replies()[0]).CompareNoCase(saved), 0);
    EXPECT_EQ(ReplyText(Replies()[1]), L"EXIT");
    CLayoutData model;
    ASSERT_EQ(ReadLayoutFile(nullptr, saved, model), LayoutReadResult::Ok);
    ASSERT_GE(model.GetPortCount(), 2);
    EXPECT_EQ(model.GetPort(0).GetCount(), 3);
    EXPECT_EQ(model.GetPort(1).GetCount(), 2);
    ::DeleteFileW(saved);
}
