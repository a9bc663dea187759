// The layout editor's menu and tooltip texts from the language file: the
// main menu's popups and items get their LAYOUT texts, and a toolbar
// button's tooltip is its LAYOUT text followed by the shortcut part of the
// framework's tool text.
#pragma once

#include <afxwin.h>

#include <functional>

// LAYOUT text by key.
using LayoutTextFn = std::function<CString(int key)>;

// Relabels the main menu in place: popups by position, items by command id
// (their ids, submenus and the shortcuts shown after a tab stay). Stops at
// the first popup that is missing.
// Returns the number of entries relabelled.
int LocalizeMainMenu(HMENU menu, const LayoutTextFn& text);
inline int LocalizeMainMenu(CMenu& menu, const LayoutTextFn& text)
{
    return LocalizeMainMenu(menu.GetSafeHmenu(), text);
}

// Relabels the view's edit menu (the first popup of menu 119) in place by
// command id; its "scene" popup by position. Returns the number relabelled.
int LocalizeEditMenu(HMENU popup, const LayoutTextFn& text);
// Relabels the floating template's menu (322, first popup) by command;
// returns the number of items relabelled.
int LocalizeTemplateMenu(HMENU popup, const LayoutTextFn& text);

// The tooltip of a toolbar command: the command's LAYOUT text followed by
// the framework text from its "(" on (nothing when "(" is missing or first).
CString ToolTipForCommand(UINT command, const CString& frameworkText, const LayoutTextFn& text);
