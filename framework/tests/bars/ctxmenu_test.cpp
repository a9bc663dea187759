// The context menu manager: menus registered by name and resource id, a
// missing resource refused, popups shown through the hook with the chosen
// command sent to the owner.
#include "afxwin.h"
#include "fw_ctxmenu.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

namespace {

class CCommandOwner : public CWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
    std::vector<UINT> m_commands;
};

// A menu resource in memory is not a resource: this test program carries
// none, so registration of real ids is checked by the programs' own tests;
// here the refusal and the showing.
TEST(ContextMenuManager, MissingMenusAreRefusedAndPopupsGoThroughTheHook)
{
    AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
    CContextMenuManager manager;
    EXPECT_FALSE(manager.AddMenu(L"Edit", 4711));
    EXPECT_EQ(manager.GetMenuById(4711), nullptr);
    EXPECT_TRUE(manager.GetMenuNames().empty());
    EXPECT_EQ(manager.GetMenuByName(L"Edit"), nullptr);

    CCommandOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HMENU popup = ::CreatePopupMenu();
    ::AppendMenuW(popup, MF_STRING, 301, L"One");
    ::AppendMenuW(popup, MF_STRING, 302, L"Two");
    POINT shownAt = {};
    HWND shownFor = nullptr;
    CContextMenuManager::SetShowHook([&](HMENU menu, POINT pt, HWND hOwner) -> UINT {
        shownAt = pt;
        shownFor = hOwner;
        return menu == popup ? 302u : 0u;
    });
    EXPECT_EQ(manager.TrackPopupMenu(popup, 40, 50, &owner), 302u);
    EXPECT_EQ(shownAt.x, 40);
    EXPECT_EQ(shownAt.y, 50);
    EXPECT_EQ(shownFor, owner.GetSafeHwnd());
    ASSERT_EQ(owner.m_commands.size(), 1u);
    EXPECT_EQ(owner.m_commands[0], 302u);
    // Nothing chosen: nothing sent.
    CContextMenuManager::SetShowHook([](HMENU, POINT, HWND) -> UINT { return 0; });
    EXPECT_EQ(manager.TrackPopupMenu(popup, 0, 0, &owner), 0u);
    EXPECT_EQ(owner.m_commands.size(), 1u);
    EXPECT_EQ(manager.TrackPopupMenu(nullptr, 0, 0, &owner), 0u);
    CContextMenuManager::SetShowHook(nullptr);
    ::DestroyMenu(popup);
    owner.DestroyWindow();
}

} // namespace
