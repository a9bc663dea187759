// The real host's open dialog, driven as a user does from another thread: a
// multiple selection of thousands of files (more than the 64 K characters a
// caller gets that asks for no room) comes back whole when the caller asks
// for the room. (Too little room is not tried: Wine's dialog then writes
// past the buffer instead of refusing.)
#include "fw_temp_folder.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr int kFiles = 2000;

// Finds the open dialog of this process, types the names into its file name
// box and presses Open (or, when the dialog refuses, Cancel).
class CDialogDriver {
public:
    explicit CDialogDriver(CString names)
        : m_names(std::move(names))
        , m_thread([this] { Drive(); })
    {
    }
    ~CDialogDriver()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    static BOOL CALLBACK FindDialog(HWND wnd, LPARAM found)
    {
        DWORD process = 0;
        ::GetWindowThreadProcessId(wnd, &process);
        wchar_t cls[16] = L"";
        ::GetClassNameW(wnd, cls, 16);
        if (process == ::GetCurrentProcessId() && wcscmp(cls, L"#32770") == 0 && ::IsWindowVisible(wnd)) {
            *reinterpret_cast<HWND*>(found) = wnd;
            return FALSE;
        }
        return TRUE;
    }
    void Drive()
    {
        HWND dialog = nullptr;
        for (int i = 0; i < 1000 && dialog == nullptr && !m_stop; ++i) {
            ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&dialog));
            if (dialog == nullptr)
                ::Sleep(20);
        }
        if (dialog == nullptr)
            return;
        // The file name box: a combo box (cmb13) or an edit (edt1).
        HWND name = ::GetDlgItem(dialog, 0x47c);
        if (name == nullptr)
            name = ::GetDlgItem(dialog, 0x480);
        ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_names.GetString()));
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        // A refused selection leaves the dialog open with a message of its
        // own: both go.
        for (int i = 0; i < 150 && !m_stop && ::IsWindow(dialog); ++i) {
            ::Sleep(20);
            HWND message = nullptr;
            ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&message));
            if (message != nullptr && message != dialog)
                ::PostMessageW(message, WM_COMMAND, IDOK, 0);
        }
        if (::IsWindow(dialog))
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }

    CString m_names;
    std::atomic<bool> m_stop { false };
    std::thread m_thread;
};

} // namespace

TEST(RealUiHost, AMultipleSelectionOfThousandsOfFilesComesBackWhole)
{
    fwtest::CTempFolder folder(L"manyfiles");
    CString names;
    for (int i = 0; i < kFiles; ++i) {
        CString name;
        name.Format(L"harbour bridge rehearsal, camera two, still %05d.png", i);
        ::CloseHandle(::CreateFileW(folder.File(name), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        names += L"\"" + name + L"\" ";
    }
    ASSERT_GT(names.GetLength(), 64 * 1024);
    CRealUiHost host;
    CFileDialogRequest request;
    request.bOpen = TRUE;
    request.strFilter = L"Images|*.png||";
    request.strInitialDir = folder.Path();
    request.dwFlags = OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY;
    request.nMaxFile = 2600000;
    BOOL chosen = FALSE;
    {
        CDialogDriver driver(names);
        chosen = host.FileDialog(request);
    }
    ASSERT_TRUE(chosen);
    ASSERT_EQ(request.results.size(), size_t(kFiles));
    CString last;
    last.Format(L"harbour bridge rehearsal, camera two, still %05d.png", kFiles - 1);
    EXPECT_EQ(request.results.back(), folder.File(last));
    EXPECT_EQ(request.results.front().Left(folder.Path().GetLength()), folder.Path());
}
