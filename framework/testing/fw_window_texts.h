// What a window shows a user as text, for the language sweeps: a window in
// English, French or Korean must show no Chinese. The texts are read from the
// live window and its children: captions and labels, the items of lists,
// combo boxes, trees, list views, tabs and toolbars, the window's menu, and
// the rows of the framework's property grid.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

namespace fwtest {

struct CShownText {
    CString strWhere; // "caption", "control 1012", "menu Settings > Language", ...
    CString strText;
    UINT nID = 0; // control id, or menu command (0 for a popup's title)
    HMENU hMenu = nullptr; // menu entries: the menu that holds the entry
    HMENU hSubMenu = nullptr; // a popup's title: the popup it opens
};

// The texts of wnd (caption, menu) and of every child window below it,
// hidden ones included: a window shows those in another of its states.
std::vector<CShownText> CollectShownTexts(HWND wnd);

// The texts of every entry of menu and of its popups, below path.
void CollectMenuTexts(HMENU menu, const CString& path, std::vector<CShownText>& texts);

// The visible top-level windows of the calling thread.
std::vector<HWND> VisibleThreadWindows();

// A character of the Han script (CJK ideographs and their extensions and
// compatibility forms): no English, French or Korean text has one.
bool HoldsChinese(const CString& text);

// The text in UTF-8, for failure messages that name what a window showed.
std::string Utf8(const CString& text);

} // namespace fwtest
