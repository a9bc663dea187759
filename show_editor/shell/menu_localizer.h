// Relabelling of the main menu, its popups and the main toolbar from the
// "KVMENU" texts of the current language file. An empty text always leaves
// the label as it is.
#pragma once

#include <afxwin.h>

#include "fw_bars.h"

#include <functional>

// A "KVMENU" text by key; empty when the language file lacks it.
using MenuTextLookup = std::function<CString(int key)>;

// The main menu bar and its popups. The Help menu keeps its update item only
// when title is exactly "Vantrel".
void LocalizeMainMenu(CMenu* bar, const MenuTextLookup& text, const CString& title);
void LocalizeEditMenu(CMenu* popup, const MenuTextLookup& text);
void LocalizeLayoutMenu(CMenu* popup, const MenuTextLookup& text);
// The Material popup with its colour-effect popup at position 1.
void LocalizeMaterialMenu(CMenu* popup, const MenuTextLookup& text);
void LocalizeEffectMenu(CMenu* popup, const MenuTextLookup& text);
// The seven toolbar buttons; the Zazez Urad button always reads "Zazez Urad".
void LocalizeToolbar(CToolBar& toolBar, const MenuTextLookup& text);

// The label of a menu item by command (empty when there is none).
CString MenuItemText(CMenu* menu, UINT id);
