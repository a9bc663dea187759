// The context menu manager (see fw_ctxmenu.h).
#include "fw_ctxmenu.h"

namespace {
CContextMenuManager::ShowHook& Hook()
{
    static CContextMenuManager::ShowHook hook;
    return hook;
}
} // namespace

CContextMenuManager::~CContextMenuManager()
{
    for (auto& [id, entry] : m_menus)
        ::DestroyMenu(entry.menu);
}

BOOL CContextMenuManager::AddMenu(LPCTSTR lpszName, UINT uiMenuResId)
{
    if (lpszName == nullptr || m_menus.count(uiMenuResId) != 0)
        return FALSE;
    HMENU menu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(uiMenuResId));
    if (menu == nullptr)
        return FALSE;
    m_menus[uiMenuResId] = { lpszName, menu };
    m_order.push_back(uiMenuResId);
    return TRUE;
}

BOOL CContextMenuManager::AddMenu(UINT uiMenuNameResId, UINT uiMenuResId)
{
    CString name;
    name.LoadString(uiMenuNameResId);
    return AddMenu(name, uiMenuResId);
}

HMENU CContextMenuManager::GetMenuById(UINT uiMenuResId) const
{
    const auto it = m_menus.find(uiMenuResId);
    return it != m_menus.end() ? it->second.menu : nullptr;
}

HMENU CContextMenuManager::GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID) const
{
    for (UINT id : m_order) {
        const Entry& entry = m_menus.at(id);
        if (lpszName != nullptr && entry.name == lpszName) {
            if (puiOrigResID != nullptr)
                *puiOrigResID = id;
            return entry.menu;
        }
    }
    return nullptr;
}

std::vector<CString> CContextMenuManager::GetMenuNames() const
{
    std::vector<CString> names;
    for (UINT id : m_order) {
        const CString& name = m_menus.at(id).name;
        bool seen = false;
        for (const CString& n : names)
            seen = seen || n == name;
        if (!seen)
            names.push_back(name);
    }
    return names;
}

std::vector<UINT> CContextMenuManager::GetMenuIds() const
{
    return m_order;
}

UINT CContextMenuManager::TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner)
{
    if (hmenuPopup == nullptr)
        return 0;
    HWND owner = pWndOwner != nullptr ? pWndOwner->GetSafeHwnd() : nullptr;
    UINT command = 0;
    if (Hook()) {
        command = Hook()(hmenuPopup, POINT { x, y }, owner);
    } else {
        command = static_cast<UINT>(::TrackPopupMenu(
            hmenuPopup, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
    }
    if (command != 0 && owner != nullptr)
        ::SendMessageW(owner, WM_COMMAND, command, 0);
    return command;
}

void CContextMenuManager::SetShowHook(ShowHook hook)
{
    Hook() = std::move(hook);
}
