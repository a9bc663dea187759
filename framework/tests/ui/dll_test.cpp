// The DLL skeleton: its exported __stdcall function shows a dialog from the
// DLL's own resources and returns the value entered; its application object
// is initialised at load.
#include "fw_testing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {
constexpr int IDC_SKEL_VALUE = 1301;
using SkelAskFn = int(__stdcall*)(HWND, int);
using SkelInitStateFn = int(__stdcall*)();

TEST(DllSkeleton, ExportShowsTheDllsOwnDialogAndReturnsTheValue)
{
    HMODULE hDll = ::LoadLibrary(L"skeleton_dll.dll");
    ASSERT_NE(hDll, nullptr);
    auto ask = reinterpret_cast<SkelAskFn>(reinterpret_cast<void*>(::GetProcAddress(hDll, "SkelAsk")));
    auto initState
        = reinterpret_cast<SkelInitStateFn>(reinterpret_cast<void*>(::GetProcAddress(hDll, "SkelInitState")));
    ASSERT_NE(ask, nullptr);
    ASSERT_NE(initState, nullptr);
    EXPECT_EQ(initState(), 1);
    // The dialog resource is not in this program: it can only come from the DLL.
    EXPECT_EQ(::FindResource(nullptr, MAKEINTRESOURCE(300), RT_DIALOG), nullptr);

    // The dialog runs modally on this thread; a helper thread plays the user.
    std::atomic<bool> found { false };
    wchar_t initial[32] = L"";
    std::thread user([&] {
        HWND hDlg = nullptr;
        for (int i = 0; i < 3000 && hDlg == nullptr; ++i) { // up to 30 s on a loaded machine
            hDlg = ::FindWindow(L"#32770", L"Skeleton Ask");
            if (hDlg == nullptr)
                ::Sleep(10);
        }
        if (hDlg == nullptr)
            return;
        found = true;
        // The window exists before WM_INITDIALOG has filled its controls:
        // wait for the initial value before playing the user.
        for (int i = 0; i < 3000 && ::GetDlgItemText(hDlg, IDC_SKEL_VALUE, initial, 32) == 0; ++i)
            ::Sleep(10);
        ::SetDlgItemText(hDlg, IDC_SKEL_VALUE, L"42");
        ::SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    int result = ask(nullptr, 17);
    user.join();
    EXPECT_TRUE(found);
    EXPECT_STREQ(initial, L"17");
    EXPECT_EQ(result, 42);
    EXPECT_TRUE(::FreeLibrary(hDll));
}
} // namespace
