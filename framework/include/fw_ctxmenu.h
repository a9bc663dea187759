// CContextMenuManager: a program's context menus, registered by name and
// menu resource at start-up and shown through one place. Showing goes
// through a hook a test can replace, since a popup's own message loop would
// wait for a user.
#pragma once

#include "afxwin.h"

#include <functional>
#include <map>
#include <vector>

class CContextMenuManager {
public:
    CContextMenuManager() = default;
    ~CContextMenuManager();
    CContextMenuManager(const CContextMenuManager&) = delete;
    CContextMenuManager& operator=(const CContextMenuManager&) = delete;

    // Loads the menu resource and keeps it under the name; FALSE (nothing
    // kept) when the resource is missing or the name is taken by another
    // menu.
    BOOL AddMenu(LPCTSTR lpszName, UINT uiMenuResId);
    // The name from a string resource.
    BOOL AddMenu(UINT uiMenuNameResId, UINT uiMenuResId);
    // The loaded menu of a resource, or nullptr when it was not added. The
    // manager owns it.
    HMENU GetMenuById(UINT uiMenuResId) const;
    // The first registered menu of a name (several ids may share one name).
    HMENU GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID = nullptr) const;
    std::vector<CString> GetMenuNames() const;
    // Resource ids in the order they were added.
    std::vector<UINT> GetMenuIds() const;

    // Shows a popup at screen (x, y) for the owner; the chosen command goes
    // to the owner as WM_COMMAND. Returns the command, 0 when none.
    UINT TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner);

    // What shows popups (tests answer with a command); nullptr restores the
    // system's own popup.
    using ShowHook = std::function<UINT(HMENU hmenuPopup, POINT pt, HWND hOwner)>;
    static void SetShowHook(ShowHook hook);

private:
    struct Entry {
        CString name;
        HMENU menu = nullptr;
    };
    std::map<UINT, Entry> m_menus;
    std::vector<UINT> m_order;
};
