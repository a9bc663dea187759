// Message boxes and dialogs without a parent are owned by the window the user
// works in: the top-level window's last active popup (a dialog over the main
// window), never a window that dialog has disabled; a named parent that takes
// input keeps them.
#include <gtest/gtest.h>

#include "afxwin.h"

namespace {

HWND MakeWindow(HWND owner, LPCWSTR title)
{
    return ::CreateWindowExW(0, L"STATIC", title, WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 200, 100, owner, nullptr,
        ::GetModuleHandleW(nullptr), nullptr);
}

} // namespace

TEST(SafeOwner, IsTheLastActivePopupOfTheTopLevelWindow)
{
    HWND main = MakeWindow(nullptr, L"main");
    HWND child = ::CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, main, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(main, nullptr);
    ::SetActiveWindow(main);
    HWND top = nullptr;
    CWnd::GetSafeOwner(CWnd::FromHandle(child), &top);
    EXPECT_EQ(top, main); // a child climbs to its top-level window

    HWND dialog = MakeWindow(main, L"dialog");
    ::SetActiveWindow(dialog);
    ::EnableWindow(main, FALSE); // as a modal dialog does
    CWnd::GetSafeOwner(CWnd::FromHandle(child), &top);
    EXPECT_EQ(top, dialog);

    // A hidden or disabled popup does not own the box.
    ::ShowWindow(dialog, SW_HIDE);
    CWnd::GetSafeOwner(CWnd::FromHandle(main), &top);
    EXPECT_EQ(top, main);
    ::ShowWindow(dialog, SW_SHOW);
    ::EnableWindow(dialog, FALSE);
    CWnd::GetSafeOwner(CWnd::FromHandle(main), &top);
    EXPECT_EQ(top, main);

    ::EnableWindow(main, TRUE);
    ::DestroyWindow(dialog);
    ::DestroyWindow(main);
}

TEST(SafeOwner, ANamedParentThatTakesInputKeepsTheBox)
{
    // A modal wait named its program's main window: that window is the one
    // to disable, not a tool window the user clicked last.
    HWND main = MakeWindow(nullptr, L"main");
    HWND tool = MakeWindow(main, L"tool");
    ASSERT_NE(tool, nullptr);
    ::SetActiveWindow(tool);
    HWND top = nullptr;
    CWnd::GetSafeOwner(CWnd::FromHandle(main), &top);
    EXPECT_EQ(top, main);
    // Once a modal dialog has disabled it, the box goes to that dialog.
    ::EnableWindow(main, FALSE);
    CWnd::GetSafeOwner(CWnd::FromHandle(main), &top);
    EXPECT_EQ(top, tool);
    ::EnableWindow(main, TRUE);
    ::DestroyWindow(tool);
    ::DestroyWindow(main);
}
