// Menu and toolbar relabelling of the show editor.
#include "menu_localizer.h"

#include "resource.h"

namespace {

struct KeyedItem {
    UINT id;
    int key;
};

// Sets a plain enabled text item, or keeps the enabled, greyed and check
// flags the item has now.
void RelabelItem(CMenu* menu, UINT id, const CString& label, bool keepState)
{
    if (menu == nullptr || label.IsEmpty())
        return;
    if (menu->GetMenuState(id, MF_BYCOMMAND) == static_cast<UINT>(-1))
        return; // no such item (for example the removed update item)
    UINT flags = MF_BYCOMMAND | MF_STRING;
    if (keepState)
        flags |= menu->GetMenuState(id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    menu->ModifyMenu(id, flags, id, label);
}

void RelabelItems(CMenu* menu, const MenuTextLookup& text, std::initializer_list<KeyedItem> items)
{
    for (const KeyedItem& item : items)
        RelabelItem(menu, item.id, text(item.key), false);
}

// Relabels the popup at position pos of menu; the popup and its items stay.
void RelabelPopup(CMenu* menu, int pos, const CString& label)
{
    if (menu == nullptr || label.IsEmpty())
        return;
    HMENU popup = ::GetSubMenu(menu->GetSafeHmenu(), pos);
    if (popup == nullptr)
        return;
    menu->ModifyMenu(
        static_cast<UINT>(pos), MF_BYPOSITION | MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), label);
}

CMenu* Popup(CMenu* menu, int pos)
{
    if (menu == nullptr || ::GetSubMenu(menu->GetSafeHmenu(), pos) == nullptr)
        return nullptr;
    return menu->GetSubMenu(pos);
}

} // namespace

CString MenuItemText(CMenu* menu, UINT id)
{
    CString text;
    if (menu != nullptr)
        menu->GetMenuString(id, text, MF_BYCOMMAND);
    return text;
}

void LocalizeEditMenu(CMenu* popup, const MenuTextLookup& text)
{
    RelabelItems(
        popup, text, { { 32786, 15 }, { 32787, 16 }, { 32788, 17 }, { 32789, 18 }, { 32790, 19 }, { 32791, 20 } });
}

void LocalizeLayoutMenu(CMenu* popup, const MenuTextLookup& text)
{
    RelabelItems(popup, text,
        { { ID_LAYOUT_NEW, 21 }, { ID_LAYOUT_IMPORT, 22 }, { ID_LAYOUT_IMPORT_DXF, 23 }, { ID_LAYOUT_EDIT, 24 },
            { ID_LAYOUT_CLEAR, 25 } });
}

void LocalizeEffectMenu(CMenu* popup, const MenuTextLookup& text)
{
    RelabelItems(popup, text,
        { { 32859, 33 }, { 32860, 34 }, { 32862, 35 }, { 32863, 36 }, { 32861, 37 }, { 32864, 38 }, { 32876, 39 },
            { 32866, 40 }, { 32877, 41 }, { 32868, 42 }, { 32869, 43 }, { 32871, 44 }, { 32872, 45 }, { 32873, 46 },
            { 32875, 47 }, { 32878, 48 }, { 32879, 49 }, { 32880, 50 }, { 32881, 51 }, { 32882, 52 }, { 32946, 75 },
            { 33014, 123 } });
}

void LocalizeMaterialMenu(CMenu* popup, const MenuTextLookup& text)
{
    if (popup == nullptr)
        return;
    RelabelItem(popup, 32854, text(26), false);
    CString effects = text(27);
    if (!effects.IsEmpty()) {
        RelabelPopup(popup, 1, effects);
        LocalizeEffectMenu(Popup(popup, 1), text);
    }
    RelabelItem(popup, ID_TRANSITION_EFFECT, text(28), true);
    RelabelItem(popup, 32856, text(29), true);
    RelabelItems(popup, text, { { 32857, 30 }, { 32858, 83 }, { 32925, 32 }, { 33009, 122 } });
}

void LocalizeMainMenu(CMenu* bar, const MenuTextLookup& text, const CString& title)
{
    if (bar == nullptr || bar->GetSafeHmenu() == nullptr)
        return;
    const KeyedItem titles[] = { { 0, 1 }, { 1, 2 }, { 2, 3 }, { 3, 4 }, { 4, 5 }, { 6, 6 }, { 5, 84 } };
    for (const KeyedItem& item : titles)
        RelabelPopup(bar, static_cast<int>(item.id), text(item.key));

    CMenu* file = Popup(bar, 0);
    RelabelItems(file, text,
        { { ID_FILE_NEW, 7 }, { ID_FILE_OPEN, 8 }, { ID_FILE_SAVE, 9 }, { ID_FILE_SAVE_AS, 10 }, { 32928, 11 } });
    RelabelItem(file, ID_EXPORT_OFFLINE, text(12), true);
    RelabelItem(file, ID_EXPORT_AVI, text(13), true);
    RelabelItem(file, ID_APP_EXIT, text(14), false);

    LocalizeEditMenu(Popup(bar, 1), text);
    LocalizeLayoutMenu(Popup(bar, 2), text);
    LocalizeMaterialMenu(Popup(bar, 3), text);

    CMenu* settings = Popup(bar, 4);
    RelabelItem(settings, ID_HARDWARE_SETTINGS, text(53), false);
    CString fourColour = text(54);
    if (!fourColour.IsEmpty()) {
        RelabelPopup(settings, 2, fourColour);
        CMenu* modes = Popup(settings, 2);
        RelabelItems(modes, text,
            { { ID_FOUR_COLOR_OFF, 55 }, { ID_FOUR_COLOR_SAVING, 56 }, { ID_FOUR_COLOR_BRIGHT, 57 },
                { ID_FOUR_COLOR_BASIC, 58 }, { ID_FOUR_COLOR_WHITE_ANIM, 59 }, { ID_FOUR_COLOR_FREE, 80 },
                { ID_FOUR_COLOR_BASIC2, 127 }, { ID_FOUR_COLOR_EQUAL_GRAY, 128 }, { ID_FOUR_COLOR_FIXED_WHITE, 129 } });
    }

    CMenu* help = Popup(bar, 6);
    if (help != nullptr && title != L"Vantrel")
        help->RemoveMenu(ID_CHECK_UPDATE, MF_BYCOMMAND);
    RelabelItems(help, text, { { ID_APP_ABOUT, 60 }, { ID_CHECK_UPDATE, 126 } });

    CMenu* tools = Popup(bar, 5);
    RelabelItems(tools, text,
        { { ID_TOOL_PAINT, 85 }, { ID_TOOL_NOTEPAD, 86 }, { ID_TOOL_CALC, 87 }, { ID_TOOL_MAGNIFY, 88 },
            { ID_TOOL_BRENLOW, 124 }, { ID_TOOL_PELLOX, 125 } });
}

void LocalizeToolbar(CToolBar& toolBar, const MenuTextLookup& text)
{
    if (toolBar.GetSafeHwnd() == nullptr)
        return;
    const KeyedItem buttons[] = { { ID_FILE_NEW, 61 }, { ID_FILE_OPEN, 62 }, { ID_FILE_SAVE, 63 },
        { ID_LAYOUT_DESIGN, 64 }, { ID_COLOR_EFFECT_BUTTON, 65 }, { ID_OFFLINE_BUTTON, 66 } };
    for (const KeyedItem& button : buttons) {
        CString label = text(button.key);
        int index = toolBar.CommandToIndex(button.id);
        if (!label.IsEmpty() && index >= 0)
            toolBar.SetButtonText(index, label);
    }
    int plus = toolBar.CommandToIndex(ID_COLOR_PLUS_BUTTON);
    if (plus >= 0)
        toolBar.SetButtonText(plus, L"Zazez Urad");
    toolBar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
