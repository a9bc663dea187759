// Menu relabelling and toolbar tooltips (see PannexMenus.h).
#include "PannexMenus.h"

#include "PannexEditResource.h"
#include "PannexResource.h"

namespace {

struct CommandKey {
    UINT command;
    int key;
};

bool SetItemText(HMENU menu, UINT item, BOOL byPosition, const CString& text)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<LPWSTR>(text.GetString());
    return ::SetMenuItemInfoW(menu, item, byPosition, &info) != FALSE;
}

// The menu holding the command, searched depth first.
HMENU FindCommandMenu(HMENU menu, UINT command)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(menu, i);
        if (sub != nullptr) {
            if (HMENU found = FindCommandMenu(sub, command))
                return found;
        } else if (::GetMenuItemID(menu, i) == command) {
            return menu;
        }
    }
    return nullptr;
}

// The shortcut part of an item's text, from its tab on ("\tCtrl+C"), or
// nothing.
CString Shortcut(HMENU menu, UINT command)
{
    WCHAR text[256] = {};
    ::GetMenuStringW(menu, command, text, 255, MF_BYCOMMAND);
    const CString current(text);
    const int tab = current.Find(L'\t');
    return tab >= 0 ? current.Mid(tab) : CString();
}

// Position of the n-th popup (0-based) of a menu, -1 when missing.
int PopupPosition(HMENU menu, int n)
{
    const int count = menu != nullptr ? ::GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        if (::GetSubMenu(menu, i) != nullptr && n-- == 0)
            return i;
    }
    return -1;
}

class CRelabeller {
public:
    CRelabeller(HMENU root, const LayoutTextFn& text)
        : m_root(root)
        , m_text(text)
    {
    }
    // Relabels popup n of the parent; false (and nothing done) when missing.
    HMENU Popup(HMENU parent, int n, int key)
    {
        const int pos = PopupPosition(parent, n);
        if (pos < 0)
            return nullptr;
        if (SetItemText(parent, static_cast<UINT>(pos), TRUE, m_text(key)))
            ++m_count;
        return ::GetSubMenu(parent, pos);
    }
    void Items(std::initializer_list<CommandKey> items)
    {
        for (const CommandKey& item : items) {
            HMENU holder = FindCommandMenu(m_root, item.command);
            // A text missing from the language file keeps the resource text.
            CString label = m_text(item.key);
            if (holder == nullptr || label.IsEmpty())
                continue;
            // The shortcut shown after the tab stays with the new label.
            if (label.Find(L'\t') < 0)
                label += Shortcut(holder, item.command);
            if (SetItemText(holder, item.command, FALSE, label))
                ++m_count;
        }
    }
    int Count() const { return m_count; }

private:
    HMENU m_root;
    const LayoutTextFn& m_text;
    int m_count = 0;
};

} // namespace

int LocalizeMainMenu(HMENU menu, const LayoutTextFn& text)
{
    if (menu == nullptr)
        return 0;
    CRelabeller r(menu, text);
    HMENU file = r.Popup(menu, 0, 1);
    if (file == nullptr)
        return r.Count();
    r.Items({ { ID_FILE_NEW, 2 }, { ID_FILE_OPEN, 3 }, { ID_FILE_SAVE, 4 }, { ID_FILE_SAVE_AS, 5 } });
    if (r.Popup(file, 0, 6) == nullptr)
        return r.Count();
    r.Items({ { ID_FILE_EXPORT_DXF, 7 }, { ID_FILE_EXPORT_BMP, 8 }, { ID_FILE_EXPORT_WIRING, 9 },
        { ID_FILE_EXPORT_COORDS, 201 } });
    if (r.Popup(file, 1, 10) == nullptr)
        return r.Count();
    r.Items({ { ID_FILE_IMPORT_DXF, 11 }, { ID_FILE_IMPORT_COORDS, 12 }, { ID_FILE_PROJECT_SETTINGS, 13 },
        { ID_APP_EXIT, 15 } });
    if (r.Popup(menu, 1, 16) == nullptr)
        return r.Count();
    r.Items({ { ID_EDIT_UNDO, 17 }, { ID_EDIT_REDO, 18 }, { ID_EDIT_PREVIEW, 19 }, { ID_EDIT_LAMP_NUMBERS, 20 },
        { ID_EDIT_BACKGROUND, 21 }, { ID_EDIT_DELETE_BACKGROUND, 186 }, { ID_EDIT_CONNECTION_LINES, 215 },
        { ID_EDIT_LOCK_LAYOUT, 232 } });
    HMENU view = r.Popup(menu, 2, 22);
    if (view == nullptr)
        return r.Count();
    r.Items({ { ID_VIEW_STATUS_BAR, 23 } });
    if (r.Popup(view, 0, 24) == nullptr)
        return r.Count();
    r.Items({ { ID_VIEW_APPLOOK_OFF_2003, 25 }, { ID_VIEW_APPLOOK_OFF_2007_BLUE, 26 },
        { ID_VIEW_APPLOOK_OFF_2007_BLACK, 27 }, { ID_VIEW_APPLOOK_OFF_2007_SILVER, 28 },
        { ID_VIEW_APPLOOK_OFF_2007_AQUA, 29 }, { ID_VIEW_CROP_BORDER, 216 }, { ID_VIEW_ZOOM_IN, 217 },
        { ID_VIEW_ZOOM_OUT, 218 }, { ID_VIEW_LIST_PANE, 233 } });
    if (r.Popup(menu, 3, 30) == nullptr)
        return r.Count();
    r.Items({ { ID_HELP_PROJECT_INFO, 31 }, { ID_APP_ABOUT, 32 } });
    return r.Count();
}

int LocalizeEditMenu(HMENU popup, const LayoutTextFn& text)
{
    if (popup == nullptr)
        return 0;
    CRelabeller r(popup, text);
    r.Items({ { ID_EDIT_PORT, 33 }, { ID_EDIT_INSERT_LAMP, 34 }, { ID_EDIT_CLEAR, 35 }, { ID_EDIT_OVERLAP_POINTS, 226 },
        { ID_EDIT_CUT, 133 }, { ID_EDIT_COPY, 36 }, { ID_EDIT_SAVE_TEMPLATE, 37 }, { ID_EDIT_ROTATE, 187 },
        { ID_EDIT_ADJUST_TOOL, 188 }, { ID_EDIT_SMOOTH_LINE, 189 }, { ID_EDIT_RULERS, 190 }, { ID_EDIT_MEASURE, 202 },
        { ID_EDIT_LAMP_TYPE, 227 }, { ID_EDIT_HIDE_LAMPS, 228 }, { ID_EDIT_SHOW_LAMPS, 229 },
        { ID_EDIT_REVERSE_LAMPS, 220 }, { ID_EDIT_LAYER, 2762 }, { ID_EDIT_FINISH, 38 } });
    // The scene popup sits at position 19.
    if (::GetSubMenu(popup, 19) != nullptr) {
        const CString label = text(222);
        if (!label.IsEmpty() && SetItemText(popup, 19, TRUE, label))
            return r.Count() + 1;
    }
    return r.Count();
}

int LocalizeTemplateMenu(HMENU popup, const LayoutTextFn& text)
{
    if (popup == nullptr)
        return 0;
    CRelabeller r(popup, text);
    r.Items({ { ID_TEMPLATE_ROTATE_CW, 64 }, { ID_TEMPLATE_ROTATE_CCW, 65 }, { ID_TEMPLATE_ROTATE_180, 66 },
        { ID_TEMPLATE_MIRROR_LR, 67 }, { ID_TEMPLATE_MIRROR_TB, 68 }, { ID_TEMPLATE_LOCATE, 69 },
        { ID_TEMPLATE_SIZE, 70 }, { ID_TEMPLATE_CLOSE, 71 } });
    return r.Count();
}

CString ToolTipForCommand(UINT command, const CString& frameworkText, const LayoutTextFn& text)
{
    static const CommandKey kTips[] = { { ID_FILE_NEW, 113 }, { ID_FILE_OPEN, 115 }, { ID_FILE_SAVE, 119 },
        { ID_FILE_PROJECT_SETTINGS, 13 }, { ID_EDIT_UNDO, 145 }, { ID_EDIT_REDO, 147 }, { ID_EDIT_PREVIEW, 156 },
        { ID_EDIT_LAMP_NUMBERS, 154 }, { ID_EDIT_CONNECTION_LINES, 215 }, { ID_EDIT_LOCK_LAYOUT, 232 },
        { ID_VIEW_CROP_BORDER, 216 }, { ID_EDIT_REVERSE_LAMPS, 220 }, { ID_APP_ABOUT, 123 } };
    const int paren = frameworkText.Find(L'(');
    const CString shortcut = paren > 0 ? frameworkText.Mid(paren) : CString();
    for (const CommandKey& tip : kTips) {
        if (tip.command == command)
            return text(tip.key) + shortcut;
    }
    return shortcut;
}
