// CIconMenu: the editor's owner-drawn menu class. Each owner-drawn button
// (CShadeButton) holds one, but nothing in the editor loads a menu into it,
// so what runs is its construction and destruction, the start-up probes of
// the system, and the lookup of registered owner-drawn menus, which stays
// empty (the editor's menus and context menus are plain menus). The
// measuring and the mnemonic lookup are kept because the button forwards
// WM_MEASUREITEM and WM_MENUCHAR to registered menus.
#pragma once

#include <afxwin.h>

#include <vector>

#include "MemDCEx.h"

// Windows family codes of the start-up probe: 9x (0 below 4.0, 3 for 4.10,
// 4 for 4.90, 2 otherwise) and NT (5 for 4.x, 6 for 5.0, 7 for 5.1, 1 for
// everything else, later versions included).
int IconMenuSystemCode(DWORD platformId, DWORD major, DWORD minor);
// The probe of the running system, once at start-up; the value is kept.
int ProbeIconMenuSystem();
int GetIconMenuSystemCode();
// True when the user's theme file (the default value of the HKCU key
// "Software\Microsoft\Plus!\Themes\Current") ends with
// "Windows Classic.theme", any case; false without the key. Read once and
// cached.
bool IconMenuClassicTheme();
bool IsClassicThemeFile(const CString& value);

// The owner-drawn menu's off-screen surface over an item's rectangle: a
// memory copy of the target that goes to the target when it ends (straight
// into a printer). The grid's double buffer does exactly this work; the
// menu names it for its own use.
class CIconMenuMemDC : public CMemDCEx {
public:
    CIconMenuMemDC(CDC* target, const CRect& rect)
        : CMemDCEx(target, rect)
    {
    }
};

class CIconMenu : public CMenu {
public:
    CIconMenu();
    ~CIconMenu() override;

    // True when hMenu is one of the owner-drawn popup menus a CIconMenu
    // created and registered (none in this editor).
    static bool IsRegistered(HMENU hMenu);
    static size_t RegisteredCount();

    // The measure of an item: separators are half a menu line, others the
    // text width plus the icon column, at least a menu line high.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMIS);
    // Mnemonic lookup for WM_MENUCHAR: MAKELRESULT(index, 2) of the first
    // item whose lower-cased text holds "&" + the lower-cased character,
    // 0 without one.
    static LRESULT FindMnemonic(HMENU hMenu, UINT nChar);

    // Icon size and bitmap background of the items.
    int m_iconWidth = 16;
    int m_iconHeight = 15;
    COLORREF m_bitmapBackground = RGB(192, 192, 192);
    bool m_loaded = false;
    // The ANSI code page read at construction (for the mnemonic lookup).
    CPINFO m_codePage {};
};
