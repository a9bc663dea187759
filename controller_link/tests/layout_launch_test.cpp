// The layout exports that start the layout editor: its command lines for
// modes 1, 2, 3 and 5 through the UI host, and the editor's WM_COPYDATA
// replies played by a fake editor thread (saved paths, then "EXIT").
#include "Corvane.h"
#include "CorvaneLibrary.h"
#include "EditorProcess.h"
#include "LayoutTestFiles.h"
#include "MessageDlg.h"
#include "NetTestSupport.h"
#include "PixelMapFile.h"
#include "TestSupport.h"

#include <fw_testing.h>
#include <gtest/gtest.h>

namespace {

using namespace corvane_test;

// The scripted host that also plays the editor: it takes the library's
// start of the editor, records the command line and lets a thread send the
// replies to the window the command line names. With m_handOver the thread
// stands for the editor's process: its handle goes to the library, and its
// end is the editor's end.
class CEditorHost : public fwtest::CScriptedUiHost {
public:
    std::vector<std::wstring> m_replies; // paths, then usually "EXIT"
    CString m_file;
    CString m_parameters;
    bool m_startResult = true;
    int m_starts = 0;
    bool m_handOver = false;
    ULONG_PTR m_firstKind = 0; // record kind of the first reply
    // The caller's window, and whether it took input once the wait ran.
    HWND m_caller = nullptr;
    bool m_callerEnabledDuringWait = true;
    // A message the editor thread sends the caller while the wait runs.
    UINT m_callerMessage = 0;

    CEditorHost()
    {
        SetEditorStarterForTest([this](const CString& file, const CString& parameters, HANDLE& process) {
            return Start(file, parameters, process);
        });
    }
    ~CEditorHost() override
    {
        SetEditorStarterForTest({});
        if (m_editor != nullptr) {
            ::WaitForSingleObject(m_editor, INFINITE);
            ::CloseHandle(m_editor);
        }
    }

private:
    bool Start(const CString& file, const CString& parameters, HANDLE& process)
    {
        ++m_starts;
        m_file = file;
        m_parameters = parameters;
        if (!m_startResult)
            return false;
        // "CMDn-<window>," or "\"CMDn-<window>,".
        const int dash = m_parameters.Find(L'-');
        m_window = reinterpret_cast<HWND>(INT_PTR(_wtoi(m_parameters.GetString() + dash + 1)));
        m_editor = ::CreateThread(nullptr, 0, &EditorProc, this, 0, nullptr);
        if (m_handOver && m_editor != nullptr)
            ::DuplicateHandle(
                ::GetCurrentProcess(), m_editor, ::GetCurrentProcess(), &process, 0, FALSE, DUPLICATE_SAME_ACCESS);
        return true;
    }

    static DWORD WINAPI EditorProc(LPVOID self)
    {
        auto* host = static_cast<CEditorHost*>(self);
        // Answered once the wait's message loop runs.
        SendMessageW(host->m_window, WM_NULL, 0, 0);
        if (host->m_caller != nullptr) {
            host->m_callerEnabledDuringWait = IsWindowEnabled(host->m_caller) != FALSE;
            if (host->m_callerMessage != 0)
                SendMessageW(host->m_caller, host->m_callerMessage, 0, 0);
        }
        ULONG_PTR kind = host->m_firstKind;
        for (const std::wstring& text : host->m_replies) {
            COPYDATASTRUCT data { kind, DWORD((text.size() + 1) * 2), const_cast<wchar_t*>(text.c_str()) };
            kind = 0;
            SendMessageW(host->m_window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
        }
        return 0;
    }

    HWND m_window = nullptr;
    HANDLE m_editor = nullptr;
};

class LayoutLaunch : public testing::Test {
protected:
    void SetUp() override
    {
        LEDSetScreenNum(0);
        SetProgramFolderOverride((m_folder.Path() + L"\\").c_str());
        CreateDirectoryW((m_folder.Path() + L"\\TF").c_str(), nullptr);
        ASSERT_EQ(LEDNewScreen(), 1);
    }
    void TearDown() override
    {
        LEDSetScreenNum(0);
        LEDSetLanguage(2);
        SetProgramFolderOverride(CString());
    }
    std::wstring Layout(const wchar_t* name, int ports) { return WritePairLayout(m_folder.Path(), name, ports); }
    CString WindowPart(const CString& parameters) const
    {
        const int dash = parameters.Find(L'-');
        return parameters.Mid(dash + 1, parameters.Find(L',') - dash - 1);
    }

    CScratchFolder m_folder;
};

TEST_F(LayoutLaunch, NewLayoutStartsTheEditorAndReadsTheLastSaveAfterExit)
{
    const std::wstring first = Layout(L"first.lpx", 2);
    const std::wstring second = Layout(L"second.lpx", 3);
    CEditorHost host;
    host.m_replies = { first, second, L"EXIT" };
    EXPECT_EQ(LEDNewLayout(1, 256, 128, 8, 3072), 0);
    EXPECT_EQ(host.m_file, GetLayoutEditorPath());
    EXPECT_EQ(host.m_starts, 1);
    const CString window = WindowPart(host.m_parameters);
    EXPECT_GT(_wtoi(window), 0);
    EXPECT_EQ(host.m_parameters, L"CMD1-" + window + L",256,128,8,3072,2");

    CLEDScreen& screen = *Library().screens.Screen(1);
    EXPECT_EQ(screen.m_portCount, 3) << "the second save wins";
    EXPECT_EQ(ReadFileBytes(ScreenLayoutPath(1).GetString()), ReadFileBytes(second));
    EXPECT_NE(GetFileAttributesW(ScreenPixelMapPath(1)), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(screen.m_controllers.size(), 1u);
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST_F(LayoutLaunch, LightBoxLayoutUsesMode5AndTheLanguage)
{
    const std::wstring saved = Layout(L"box.lpx", 1);
    ASSERT_EQ(LEDSetLanguage(4), 4);
    CEditorHost host;
    host.m_replies = { saved, L"EXIT" };
    EXPECT_EQ(LEDNewLayout2(1, 64, 32, 4, 512), 0);
    EXPECT_EQ(host.m_parameters, L"CMD5-" + WindowPart(host.m_parameters) + L",64,32,4,512,4");
}

TEST_F(LayoutLaunch, EditingQuotesTheExchangeFileAndNeedsIt)
{
    {
        // No exchange file yet: no editor, -2.
        CEditorHost host;
        EXPECT_EQ(LEDEditLayout(1), -2);
        EXPECT_EQ(host.m_starts, 0);
        EXPECT_TRUE(host.Transcript().empty());
    }
    ASSERT_EQ(LEDSetLayout(1, Layout(L"start.lpx", 2).c_str()), 0);
    const std::wstring saved = Layout(L"edited.lpx", 4);
    CEditorHost host;
    host.m_replies = { saved, L"EXIT" };
    EXPECT_EQ(LEDEditLayout(1), 0);
    EXPECT_EQ(host.m_parameters, L"\"CMD2-" + WindowPart(host.m_parameters) + L"," + ScreenLayoutPath(1) + L"\",2");
    EXPECT_EQ(Library().screens.Screen(1)->m_portCount, 4);
    EXPECT_EQ(LEDEditLayout(2), -1);
    EXPECT_EQ(LEDEditLayout(0), -1);
}

TEST_F(LayoutLaunch, ASaveThatCannotBeReadLeavesTheExchangeFileAndTheScreen)
{
    const std::wstring start = Layout(L"start.lpx", 2);
    ASSERT_EQ(LEDSetLayout(1, start.c_str()), 0);
    const std::vector<BYTE> before = ReadFileBytes(ScreenLayoutPath(1).GetString());
    const std::wstring good = Layout(L"good.lpx", 3);
    const std::wstring broken = m_folder.Path() + L"\\broken.lpx";
    WriteBytes(broken, std::vector<BYTE>(300, 0x5A));
    CEditorHost host;
    host.m_replies = { good, broken, L"EXIT" }; // the last save is the broken one
    EXPECT_EQ(LEDEditLayout(1), -2);
    EXPECT_EQ(ReadFileBytes(ScreenLayoutPath(1).GetString()), before);
    EXPECT_EQ(Library().screens.Screen(1)->m_portCount, 2);
    EXPECT_EQ(GetFileAttributesW(ScreenLayoutStagingPath(1)), INVALID_FILE_ATTRIBUTES) << "no copy left behind";

    // The exchange file is replaced once the last save has been read.
    CEditorHost again;
    again.m_replies = { good, L"EXIT" };
    EXPECT_EQ(LEDEditLayout(1), 0);
    EXPECT_EQ(ReadFileBytes(ScreenLayoutPath(1).GetString()), ReadFileBytes(good));
    EXPECT_EQ(Library().screens.Screen(1)->m_layoutPath, ScreenLayoutPath(1));
    EXPECT_EQ(GetFileAttributesW(ScreenLayoutStagingPath(1)), INVALID_FILE_ATTRIBUTES);
}

TEST_F(LayoutLaunch, AnEditorThatEndsWithoutExitEndsTheWait)
{
    // Saved, then the editor's process ends without "EXIT": the save is read.
    const std::wstring saved = Layout(L"saved.lpx", 3);
    {
        CEditorHost host;
        host.m_handOver = true;
        host.m_replies = { saved };
        EXPECT_EQ(LEDNewLayout(1, 256, 128, 8, 3072), 0);
        EXPECT_EQ(Library().screens.Screen(1)->m_portCount, 3);
    }
    // Nothing saved: the documented -2.
    CEditorHost host;
    host.m_handOver = true;
    EXPECT_EQ(LEDNewLayout(1, 256, 128, 8, 3072), -2);
    EXPECT_EQ(Library().screens.Screen(1)->m_portCount, 3);
}

TEST_F(LayoutLaunch, RecordsOfAnotherKindAreNoReply)
{
    const std::wstring saved = Layout(L"saved.lpx", 3);
    CEditorHost host;
    // A record of kind 7 naming a layout arrives before the editor's "EXIT".
    host.m_replies = { saved, L"EXIT" };
    host.m_firstKind = 7;
    EXPECT_EQ(LEDNewLayout(1, 256, 128, 8, 3072), -2);
    EXPECT_EQ(Library().screens.Screen(1)->m_portCount, 0);
}

TEST_F(LayoutLaunch, DxfImportClosedWithoutSavingLeavesTheScreen)
{
    ASSERT_EQ(LEDSetLayout(1, Layout(L"start.lpx", 2).c_str()), 0);
    const std::wstring dxf = m_folder.Path() + L"\\drawing one.dxf";
    WriteBytes(dxf, { '0', '\n', 'E', 'O', 'F', '\n' });
    CEditorHost host;
    host.m_replies = { L"EXIT" };
    EXPECT_EQ(LEDLoadDxfLayout(1, dxf.c_str()), -2);
    EXPECT_EQ(host.m_parameters, L"\"CMD3-" + WindowPart(host.m_parameters) + L"," + dxf.c_str() + L"\",2");
    EXPECT_EQ(Library().screens.Screen(1)->m_portCount, 2);

    CEditorHost none;
    EXPECT_EQ(LEDLoadDxfLayout(1, (m_folder.Path() + L"\\missing.dxf").c_str()), -2);
    EXPECT_EQ(LEDLoadDxfLayout(1, nullptr), -2);
    EXPECT_EQ(none.m_starts, 0);
    EXPECT_TRUE(none.Transcript().empty());
}

TEST_F(LayoutLaunch, AnEditorThatCannotStartEndsTheWait)
{
    CEditorHost host;
    host.m_startResult = false;
    EXPECT_EQ(LEDNewLayout(1, 256, 128, 8, 3072), -2);
    EXPECT_EQ(LEDNewLayout(3, 256, 128, 8, 3072), -1);
}

TEST_F(LayoutLaunch, ASavedFileThatIsNotALayoutGivesMinus2)
{
    const std::wstring junk = m_folder.Path() + L"\\junk.lpx";
    WriteBytes(junk, { 1, 2, 3 });
    CEditorHost host;
    host.m_replies = { junk, L"EXIT" };
    EXPECT_EQ(LEDNewLayout(1, 256, 128, 8, 3072), -2);
    // No exchange file is made from a save that could not be read.
    EXPECT_EQ(GetFileAttributesW(ScreenLayoutPath(1)), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Library().screens.Screen(1)->m_portCount, 0);
}

// The program's main window that calls the exports: the active window of
// the thread. A message from the editor thread asks it for another editor
// while the first one runs.
class CCallerWindow : public CWnd {
public:
    static constexpr UINT WM_ANOTHER_EDITOR = WM_APP + 17;

    CCallerWindow()
    {
        CreateEx(0, nullptr, L"program", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 300, 200, nullptr, nullptr);
        ::SetActiveWindow(m_hWnd);
    }
    ~CCallerWindow() override { DestroyWindow(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ANOTHER_EDITOR) {
            m_anotherResult = LEDEditLayout(1);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int m_anotherResult = 1;
};

TEST_F(LayoutLaunch, TheCallersWindowTakesNoInputUntilTheEditorHasGoneHoweverItEnds)
{
    const std::wstring saved = Layout(L"saved.lpx", 3);
    struct Case {
        const char* name;
        std::vector<std::wstring> replies;
        bool processEnds; // the editor's process ends, with or without "EXIT"
        bool starts;
        int result;
    };
    const Case cases[] = {
        { "saved, then closed", { saved, L"EXIT" }, false, true, 0 },
        { "closed without a save", { L"EXIT" }, false, true, -2 },
        { "killed after a save", { saved }, true, true, 0 },
        { "killed before a save", {}, true, true, -2 },
        { "never started", {}, false, false, -2 },
    };
    for (const Case& c : cases) {
        CCallerWindow program;
        ASSERT_NE(program.m_hWnd, nullptr);
        CEditorHost host;
        host.m_replies = c.replies;
        host.m_handOver = c.processEnds;
        host.m_startResult = c.starts;
        host.m_caller = program.m_hWnd;
        EXPECT_EQ(LEDNewLayout(1, 64, 32, 8, 3072), c.result) << c.name;
        if (c.starts) {
            EXPECT_FALSE(host.m_callerEnabledDuringWait) << c.name;
        }
        EXPECT_TRUE(program.IsWindowEnabled()) << c.name;
    }
}

TEST_F(LayoutLaunch, ASecondEditorCommandDuringTheWaitStartsNothing)
{
    ASSERT_EQ(LEDSetLayout(1, Layout(L"start.lpx", 2).c_str()), 0);
    const std::wstring saved = Layout(L"edited.lpx", 4);
    CCallerWindow program;
    CEditorHost host;
    host.m_replies = { saved, L"EXIT" };
    host.m_caller = program.m_hWnd;
    host.m_callerMessage = CCallerWindow::WM_ANOTHER_EDITOR;
    EXPECT_EQ(LEDEditLayout(1), 0);
    EXPECT_EQ(program.m_anotherResult, -2);
    EXPECT_EQ(host.m_starts, 1);
    EXPECT_EQ(Library().screens.Screen(1)->m_portCount, 4);
    // Once the editor has gone, the next command starts one again.
    CEditorHost again;
    again.m_replies = { L"EXIT" };
    EXPECT_EQ(LEDEditLayout(1), -2);
    EXPECT_EQ(again.m_starts, 1);
}

TEST(MessageDlgReplies, TextIsBoundedByTheSizeTheSenderGave)
{
    // A reply without its terminating zero inside the given size reads
    // only what the size covers.
    CMessageDlg dlg;
    dlg.m_mode = 1;
    EXPECT_EQ(dlg.CommandLine(reinterpret_cast<HWND>(INT_PTR(1234)), 6), L"CMD1-1234,512,384,8,3072,6");
    dlg.m_mode = 3;
    dlg.m_path = L"C:\\a b\\c.dxf";
    EXPECT_EQ(dlg.CommandLine(reinterpret_cast<HWND>(INT_PTR(99)), 2), L"\"CMD3-99,C:\\a b\\c.dxf\",2");
    dlg.m_mode = 4;
    EXPECT_TRUE(dlg.CommandLine(nullptr, 2).IsEmpty());
}

} // namespace
