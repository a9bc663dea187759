// Layout > Edit Layout end to end with the real layout editor: the program
// with the real controller library starts Pannex.exe as its own process and
// waits for it; a driver thread plays the user in the editor (crop, save,
// close, or the editor killed). While the editor runs the main window takes
// no input and a second Edit Layout starts no second editor; afterwards the
// main window takes input again, every message box belongs to a window the
// user can reach, and the project shows what was saved.
#include "../shell/shell_test_support.h"

#include "Corvane.h"
#include "LayoutData.h"
#include "LayoutFileFormat.h"
#include "LayoutProjectSettings.h"
#include "fw_process_windows.h"
#include "resource.h"

#include <atomic>
#include <cstdio>
#include <thread>

using shelltest::CShellSession;
using shelltest::CTempProgramFolder;

namespace {

constexpr UINT kPannexCropCommand = 32916; // Pannex: crop the layout to its lamps
constexpr DWORD kEditorTimeout = 40000;

// A 12 x 6 layout of one port whose four lamps sit away from the edges, so
// that cropping it in the editor leaves a 4 x 2 layout.
std::vector<BYTE> InsetLayoutBytes()
{
    constexpr int width = 12;
    constexpr int height = 6;
    const CPoint cells[] = { { 3, 2 }, { 4, 2 }, { 5, 2 }, { 6, 3 } };
    CLayoutData model;
    CLayoutProjectSettings settings;
    model.ResetPorts(1, 4, CString(L"RGB"), 0);
    model.m_width = width;
    model.m_height = height;
    settings.SetControllers(1, 1);
    LayoutPort port;
    port.Allocate(4);
    port.m_lampFormat = L"RGB";
    std::vector<CLPoint> lamps;
    for (const CPoint& cell : cells) {
        CLPoint lamp(cell.x, cell.y);
        lamp.m_normX = (cell.x + 0.5) / width;
        lamp.m_normY = (cell.y + 0.5) / height;
        lamps.push_back(lamp);
    }
    port.InsertPoints(lamps.data(), static_cast<int>(lamps.size()));
    model.AppendLoadedPort(port);
    settings.m_lampFormat = L"RGB";
    settings.m_channelsPerPort = 3072;
    CStringArray types;
    types.Add(L"RGB");
    CGammaCurveTables curves;
    LayoutWriteSource source;
    source.model = &model;
    source.settings = &settings;
    source.lampTypes = &types;
    source.curves = &curves;
    const BYTE key[kLayoutKeyBytes] = { 0x21, 0x32, 0x43, 0x54, 0x65 };
    std::vector<BYTE> bytes;
    EXPECT_EQ(BuildLayoutBytes(source, key, bytes), LayoutWriteResult::Ok);
    return bytes;
}

// The scripted host, which also notes whether each message box's owner
// could take the user's input when the box came up: enabled, shown and in
// front.
class COwnerCheckingHost : public fwtest::CScriptedUiHost {
public:
    int MessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) override
    {
        m_reachableOwners.push_back(hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner) && ::IsWindowVisible(hWndOwner)
            && ::GetForegroundWindow() == hWndOwner);
        return CScriptedUiHost::MessageBox(hWndOwner, lpszText, lpszCaption, nType);
    }
    std::vector<bool> m_reachableOwners;
};

enum class EditorEnd { CropSaveAndClose, Killed };

// Plays the user in the layout editor from a thread of its own, since the
// program's thread waits inside the library until the editor has gone.
class CEditorDriver {
public:
    CEditorDriver(HWND program, EditorEnd end)
        : m_program(program)
        , m_end(end)
        , m_thread([this] { Run(); })
    {
    }
    ~CEditorDriver()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

    std::atomic<bool> m_done { false };
    bool m_editorShown = false;
    bool m_programDisabled = false; // while the editor ran
    bool m_secondCommandReturned = false;
    size_t m_editorsAfterSecondCommand = 0;
    bool m_endedByItself = false;

private:
    void Run()
    {
        HANDLE editor = WaitForEditor();
        if (editor != nullptr) {
            Drive();
            m_endedByItself = ::WaitForSingleObject(editor, kEditorTimeout) == WAIT_OBJECT_0;
            ::CloseHandle(editor);
        }
        // Whatever went wrong, no editor outlives the test.
        for (DWORD id : fwtest::ProcessesNamed(L"Pannex.exe")) {
            if (HANDLE left = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
                ::TerminateProcess(left, 1);
                ::WaitForSingleObject(left, 5000);
                ::CloseHandle(left);
            }
        }
        m_done = true;
    }

    HANDLE WaitForEditor()
    {
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < kEditorTimeout) {
            std::vector<DWORD> ids = fwtest::ProcessesNamed(L"Pannex.exe");
            if (!ids.empty()) {
                m_pid = ids.front();
                return ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, m_pid);
            }
            ::Sleep(50);
        }
        return nullptr;
    }

    void Drive()
    {
        HWND frame = fwtest::WaitForProcessWindow(m_pid, false, kEditorTimeout);
        m_editorShown = frame != nullptr;
        m_programDisabled = !::IsWindowEnabled(m_program);
        // The command once more, as a second click would bring it: it must
        // come back at once and start nothing.
        DWORD_PTR result = 0;
        m_secondCommandReturned
            = ::SendMessageTimeoutW(m_program, WM_COMMAND, ID_LAYOUT_EDIT, 0, SMTO_NORMAL, 10000, &result) != 0;
        ::Sleep(500);
        m_editorsAfterSecondCommand = fwtest::ProcessesNamed(L"Pannex.exe").size();
        if (frame == nullptr || m_end == EditorEnd::Killed) {
            if (HANDLE editor = ::OpenProcess(PROCESS_TERMINATE, FALSE, m_pid)) {
                ::TerminateProcess(editor, 1);
                ::CloseHandle(editor);
            }
            return;
        }
        ::PostMessageW(frame, WM_COMMAND, kPannexCropCommand, 0);
        HWND question = fwtest::WaitForProcessWindow(m_pid, true, kEditorTimeout);
        if (question != nullptr) {
            ::PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
            fwtest::PumpUntil([&] { return !::IsWindow(question); }, kEditorTimeout);
        }
        ::PostMessageW(frame, WM_COMMAND, ID_FILE_SAVE, 0);
        ::PostMessageW(frame, WM_CLOSE, 0, 0);
    }

    HWND m_program;
    EditorEnd m_end;
    DWORD m_pid = 0;
    std::thread m_thread;
};

struct LayoutRoundTrip : ::testing::Test {
    CTempProgramFolder folder;
    COwnerCheckingHost ui;
    std::unique_ptr<CShellSession> session;
    CMainFrame* frame = nullptr;
    CDornelDoc* doc = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(fwtest::ProcessesNamed(L"Pannex.exe").empty()) << "an editor of another test still runs";
        ASSERT_TRUE(folder.CopyShippedLanguages());
        folder.WriteSoftConf(L"Vantrel", L"1033");
        session = std::make_unique<CShellSession>();
        frame = session->m_frame;
        ASSERT_NE(frame, nullptr);
        doc = session->Doc();
        ASSERT_NE(doc, nullptr);
        ASSERT_TRUE(session->WaitForLibraryLoader());
        // The program's window as the user has it: shown and in front.
        frame->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(frame->m_hWnd);
        ::SetActiveWindow(frame->m_hWnd);

        // The project takes the inset layout through the layout import.
        const CString source = folder.Path() + L"inset.lpx";
        const std::vector<BYTE> bytes = InsetLayoutBytes();
        FILE* file = _wfopen(source, L"wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        ui.ExpectFileOpen({ source });
        ui.ExpectMessageBox(IDOK, L" 4 ");
        fwtest::SendCommand(*frame, ID_LAYOUT_IMPORT);
        ASSERT_EQ(doc->m_pixels.GetSize(), 4);
        ASSERT_EQ(doc->m_projectSettings.m_width, 12);
        ASSERT_EQ(doc->m_projectSettings.m_height, 6);
        doc->SetModifiedFlag(FALSE);
    }

    void TearDown() override
    {
        if (frame != nullptr && frame->GetScreen() > 0)
            LEDClearLayout(frame->GetScreen());
        session.reset();
    }

    // Edit Layout as the menu sends it; returns once the command has
    // finished and the driver has let the editor go.
    void EditLayout(CEditorDriver& driver)
    {
        frame->PostMessage(WM_COMMAND, ID_LAYOUT_EDIT, 0);
        EXPECT_TRUE(fwtest::PumpUntil([&] { return driver.m_done.load() && ui.PendingCount() == 0; }, 90000));
        fwtest::PumpPending();
    }

    void ExpectTheProgramAnswers()
    {
        EXPECT_TRUE(frame->IsWindowEnabled());
        for (bool reachable : ui.m_reachableOwners)
            EXPECT_TRUE(reachable) << "a message box belonged to a window the user cannot reach or see";
        fwtest::SendCommand(*frame, ID_FOUR_COLOR_BASIC);
        EXPECT_EQ(frame->FourColorMode, 3);
    }
};

TEST_F(LayoutRoundTrip, ACroppedAndSavedLayoutComesBackAndTheProgramAnswers)
{
    ui.ExpectMessageBox(IDOK, L" 4 ");
    CEditorDriver driver(frame->m_hWnd, EditorEnd::CropSaveAndClose);
    EditLayout(driver);

    EXPECT_TRUE(driver.m_editorShown);
    EXPECT_TRUE(driver.m_endedByItself) << "the editor did not close after its save";
    EXPECT_TRUE(driver.m_programDisabled) << "the main window took input while the editor ran";
    EXPECT_TRUE(driver.m_secondCommandReturned) << "a second Edit Layout waited for an editor of its own";
    EXPECT_EQ(driver.m_editorsAfterSecondCommand, 1u);
    EXPECT_EQ(doc->m_projectSettings.m_width, 4);
    EXPECT_EQ(doc->m_projectSettings.m_height, 2);
    EXPECT_EQ(doc->m_pixels.GetSize(), 4);
    EXPECT_EQ(doc->m_projectSettings.m_layoutFile, CString(LEDGetLpxFilePath(frame->GetScreen())));
    EXPECT_TRUE(doc->IsModified());
    ExpectTheProgramAnswers();
}

TEST_F(LayoutRoundTrip, AKilledEditorGivesTheMainWindowBackWithTheLayoutAsItWas)
{
    ui.ExpectMessageBox(IDOK, L" 4 ");
    CEditorDriver driver(frame->m_hWnd, EditorEnd::Killed);
    EditLayout(driver);

    EXPECT_TRUE(driver.m_editorShown);
    EXPECT_TRUE(driver.m_programDisabled);
    EXPECT_EQ(driver.m_editorsAfterSecondCommand, 1u);
    EXPECT_EQ(doc->m_projectSettings.m_width, 12);
    EXPECT_EQ(doc->m_projectSettings.m_height, 6);
    EXPECT_EQ(doc->m_pixels.GetSize(), 4);
    ExpectTheProgramAnswers();
}

} // namespace
