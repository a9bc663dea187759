// CMenu and its temporary wrappers.
#include "afxwin.h"

#include <memory>
#include <unordered_map>

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {
std::unordered_map<HMENU, std::unique_ptr<CMenu>>& TempMenus()
{
    thread_local std::unordered_map<HMENU, std::unique_ptr<CMenu>> temp;
    return temp;
}
} // namespace

CMenu::~CMenu()
{
    if (!m_bTemporary)
        DestroyMenu();
}

HMENU AFXAPI AfxSafeHmenu(const CMenu* pMenu)
{
    return pMenu != nullptr ? pMenu->m_hMenu : nullptr;
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == nullptr)
        return nullptr;
    auto& temp = TempMenus();
    auto it = temp.find(hMenu);
    if (it != temp.end())
        return it->second.get();
    auto wrapper = std::make_unique<CMenu>();
    wrapper->m_hMenu = hMenu;
    wrapper->m_bTemporary = true;
    CMenu* p = wrapper.get();
    temp.emplace(hMenu, std::move(wrapper));
    return p;
}

void PASCAL CMenu::DeleteTempMap()
{
    TempMenus().clear();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr || m_hMenu != nullptr)
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCE(nIDResource));
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    return Attach(::LoadMenu(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    HMENU h = Detach();
    TempMenus().erase(h);
    return ::DestroyMenu(h);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int n = ::GetMenuString(m_hMenu, nIDItem, nullptr, 0, nFlags);
    LPTSTR buf = rString.GetBufferSetLength(n);
    ::GetMenuString(m_hMenu, nIDItem, buf, n + 1, nFlags);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, AfxSafeHwnd(pWnd), lpRect);
}
