// Shared bits of the hardware dialog tests: a language text source that
// names the key it was asked for, and a temporary folder per test.
#pragma once

#include "dmx_dialogs.h"
#include "fw_temp_folder.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

namespace hwtest {

// "<section> <key>", so a test sees which text a label took.
inline ConfigTextSource KeyNamingTexts()
{
    return [](LPCTSTR section, int key) {
        CString text;
        text.Format(L"%s %d", section, key);
        return text;
    };
}

inline HWND Item(CWnd& dlg, int id)
{
    return ::GetDlgItem(dlg.m_hWnd, id);
}

inline bool Enabled(CWnd& dlg, int id)
{
    return ::IsWindowEnabled(Item(dlg, id)) != FALSE;
}

inline int ComboCount(CWnd& dlg, int id)
{
    return static_cast<int>(::SendMessageW(Item(dlg, id), CB_GETCOUNT, 0, 0));
}

inline int ComboSel(CWnd& dlg, int id)
{
    return static_cast<int>(::SendMessageW(Item(dlg, id), CB_GETCURSEL, 0, 0));
}

inline CString ComboEntry(CWnd& dlg, int id, int index)
{
    const HWND combo = Item(dlg, id);
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length < 0)
        return L"<none>";
    CString text;
    ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.GetBufferSetLength(length + 1)));
    text.ReleaseBuffer();
    return text;
}

// Selects an entry as the user would: the parent gets CBN_SELCHANGE.
inline void SelectEntry(CWnd& dlg, int id, int index)
{
    ::SendMessageW(Item(dlg, id), CB_SETCURSEL, index, 0);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(dlg, id)));
}

using fwtest::CTempFolder;

} // namespace hwtest

namespace hwtest {
// Sets a check box as a click would and tells the parent.
inline void SetCheck(CWnd& dlg, int id, bool checked)
{
    ::SendMessageW(Item(dlg, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(dlg, id)));
}
} // namespace hwtest
