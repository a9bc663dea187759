// The owner-drawn menu class and its start-up probes (see IconMenu.h).
#include "IconMenu.h"

#include <algorithm>

namespace {

int g_systemCode = 1;
int g_classicTheme = -1; // not read yet
std::vector<HMENU>& RegisteredMenus()
{
    static std::vector<HMENU> menus;
    return menus;
}

} // namespace

int IconMenuSystemCode(DWORD platformId, DWORD major, DWORD minor)
{
    if (platformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (major < 4)
            return 0;
        if (major == 4 && minor == 10)
            return 3;
        if (major == 4 && minor == 90)
            return 4;
        return 2;
    }
    if (major == 4)
        return 5;
    if (major == 5 && minor == 0)
        return 6;
    if (major == 5 && minor == 1)
        return 7;
    return 1;
}

int ProbeIconMenuSystem()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL ok = ::GetVersionExW(&info);
#pragma GCC diagnostic pop
    g_systemCode = ok ? IconMenuSystemCode(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion) : 1;
    return g_systemCode;
}

int GetIconMenuSystemCode()
{
    return g_systemCode;
}

bool IsClassicThemeFile(const CString& value)
{
    const CString suffix = L"windows classic.theme";
    CString lower = value;
    lower.MakeLower();
    return lower.GetLength() >= suffix.GetLength() && lower.Right(suffix.GetLength()) == suffix;
}

bool IconMenuClassicTheme()
{
    if (g_classicTheme < 0) {
        WCHAR value[MAX_PATH + 1] = {};
        LONG size = MAX_PATH * sizeof(WCHAR);
        const bool read
            = ::RegQueryValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Plus!\\Themes\\Current", value, &size)
            == ERROR_SUCCESS;
        g_classicTheme = read && IsClassicThemeFile(value) ? 1 : 0;
    }
    return g_classicTheme == 1;
}

CIconMenu::CIconMenu()
{
    ::GetCPInfo(CP_ACP, &m_codePage);
}

CIconMenu::~CIconMenu()
{
    // Nothing was loaded: there is nothing to unregister or destroy here,
    // and the menu handle (none) is the framework's to release.
}

bool CIconMenu::IsRegistered(HMENU hMenu)
{
    const std::vector<HMENU>& menus = RegisteredMenus();
    return hMenu != nullptr && std::find(menus.begin(), menus.end(), hMenu) != menus.end();
}

size_t CIconMenu::RegisteredCount()
{
    return RegisteredMenus().size();
}

void CIconMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS == nullptr)
        return;
    const int menuHeight = ::GetSystemMetrics(SM_CYMENU);
    const int gap = 4;
    if ((lpMIS->itemData & MF_SEPARATOR) != 0) {
        lpMIS->itemWidth = 0;
        lpMIS->itemHeight = static_cast<UINT>(std::max(menuHeight / 2, (m_iconHeight + gap) / 2));
        return;
    }
    lpMIS->itemWidth = static_cast<UINT>(2 * m_iconWidth + 1);
    lpMIS->itemHeight = static_cast<UINT>(std::max(menuHeight, m_iconHeight + gap));
}

LRESULT CIconMenu::FindMnemonic(HMENU hMenu, UINT nChar)
{
    if (hMenu == nullptr)
        return 0;
    WCHAR wanted[3] = { L'&', static_cast<WCHAR>(::towlower(static_cast<wint_t>(nChar))), 0 };
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        WCHAR text[256] = {};
        ::GetMenuStringW(hMenu, static_cast<UINT>(i), text, 255, MF_BYPOSITION);
        CString lower(text);
        lower.MakeLower();
        if (lower.Find(wanted) >= 0)
            return MAKELRESULT(i, 2);
    }
    return 0;
}
