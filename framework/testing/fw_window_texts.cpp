// Reading what windows show, for the language sweeps.
#include "fw_window_texts.h"

#include "fw_propgrid.h"

#include <commctrl.h>

namespace fwtest {

namespace {

constexpr int kTextBuffer = 2048;

CString Where(LPCWSTR kind, UINT id)
{
    CString where;
    where.Format(L"%s %d", kind, static_cast<int>(id));
    return where;
}

void Add(std::vector<CShownText>& texts, const CString& where, const CString& text, UINT id)
{
    if (!text.IsEmpty())
        texts.push_back({ where, text, id, nullptr, nullptr });
}

CString ClassOf(HWND wnd)
{
    WCHAR name[64] = L"";
    ::GetClassNameW(wnd, name, 64);
    return name;
}

// Owner-drawn items without strings hold data, not texts (and so does the
// caption of such a drop-down list).
bool DrawnWithoutStrings(HWND combo)
{
    const LONG style = ::GetWindowLongW(combo, GWL_STYLE);
    return (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0 && (style & CBS_HASSTRINGS) == 0;
}

// The messages that read the items of a combo box or of a list box.
struct ListMessages {
    UINT count;
    UINT length;
    UINT text;
};
constexpr ListMessages kComboMessages { CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT };
constexpr ListMessages kListBoxMessages { LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT };

void ListItems(HWND list, UINT id, const ListMessages& messages, std::vector<CShownText>& texts)
{
    const LRESULT count = ::SendMessageW(list, messages.count, 0, 0);
    for (LRESULT i = 0; i < count && i < 10000; ++i) {
        const LRESULT length = ::SendMessageW(list, messages.length, static_cast<WPARAM>(i), 0);
        if (length <= 0 || length >= kTextBuffer)
            continue;
        WCHAR item[kTextBuffer] = L"";
        ::SendMessageW(list, messages.text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        Add(texts, Where(L"list of control", id), item, id);
    }
}

void TreeItems(HWND tree, UINT id, std::vector<CShownText>& texts)
{
    // Depth first, with a bound against a tree that changes meanwhile.
    std::vector<HTREEITEM> pending;
    HTREEITEM root = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (HTREEITEM item = root; item != nullptr; item = reinterpret_cast<HTREEITEM>(::SendMessageW(
                                                     tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
        pending.push_back(item);
    for (size_t seen = 0; !pending.empty() && seen < 100000; ++seen) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        WCHAR text[kTextBuffer] = L"";
        TVITEMW tv {};
        tv.mask = TVIF_TEXT | TVIF_HANDLE;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = kTextBuffer;
        if (::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv)))
            Add(texts, Where(L"tree item of control", id), text, id);
        for (HTREEITEM child = reinterpret_cast<HTREEITEM>(
                 ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
             child != nullptr; child = reinterpret_cast<HTREEITEM>(
                                   ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child))))
            pending.push_back(child);
    }
}

// Items read through a record that names their text buffer: the columns of
// a header and the tabs of a tab control.
template <typename Item>
void RecordItems(
    HWND wnd, UINT id, UINT countMessage, UINT getMessage, UINT textMask, LPCWSTR kind, std::vector<CShownText>& texts)
{
    const LRESULT count = ::SendMessageW(wnd, countMessage, 0, 0);
    for (LRESULT i = 0; i < count && i < 1000; ++i) {
        WCHAR text[kTextBuffer] = L"";
        Item item {};
        item.mask = textMask;
        item.pszText = text;
        item.cchTextMax = kTextBuffer;
        if (::SendMessageW(wnd, getMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
            Add(texts, Where(kind, id), text, id);
    }
}

void ListViewItems(HWND list, UINT id, std::vector<CShownText>& texts)
{
    HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    LRESULT columns = header != nullptr ? ::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) : 0;
    if (columns < 1)
        columns = 1;
    const LRESULT count = ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count && i < 10000; ++i) {
        for (LRESULT column = 0; column < columns && column < 100; ++column) {
            WCHAR text[kTextBuffer] = L"";
            LVITEMW lv {};
            lv.iSubItem = static_cast<int>(column);
            lv.pszText = text;
            lv.cchTextMax = kTextBuffer;
            ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&lv));
            Add(texts, Where(L"list item of control", id), text, id);
        }
    }
}

void ToolbarItems(HWND bar, std::vector<CShownText>& texts)
{
    const LRESULT count = ::SendMessageW(bar, TB_BUTTONCOUNT, 0, 0);
    for (LRESULT i = 0; i < count && i < 1000; ++i) {
        TBBUTTON button {};
        if (!::SendMessageW(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button)))
            continue;
        const LRESULT length = ::SendMessageW(bar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand), 0);
        if (length <= 0 || length >= kTextBuffer)
            continue;
        WCHAR text[kTextBuffer] = L"";
        ::SendMessageW(bar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand), reinterpret_cast<LPARAM>(text));
        Add(texts, Where(L"toolbar button", static_cast<UINT>(button.idCommand)), text,
            static_cast<UINT>(button.idCommand));
    }
}

void StatusBarItems(HWND bar, UINT id, std::vector<CShownText>& texts)
{
    const LRESULT parts = ::SendMessageW(bar, SB_GETPARTS, 0, 0);
    for (LRESULT i = 0; i < parts && i < 256; ++i) {
        const LRESULT length = LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0));
        if (length <= 0 || length >= kTextBuffer)
            continue;
        WCHAR text[kTextBuffer] = L"";
        ::SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        Add(texts, Where(L"status bar part of control", id), text, id);
    }
}

void GridRow(CMFCPropertyGridProperty& row, UINT id, std::vector<CShownText>& texts)
{
    const CString where = Where(L"property row of control", id);
    Add(texts, where, row.GetName(), id);
    Add(texts, where, row.GetDescription(), id);
    if (row.HasValueField())
        Add(texts, where, row.FormatProperty(), id);
    for (int i = 0; i < row.GetOptionCount(); ++i)
        Add(texts, where, row.GetOption(i), id);
    for (int i = 0; i < row.GetSubItemsCount(); ++i) {
        if (CMFCPropertyGridProperty* sub = row.GetSubItem(i))
            GridRow(*sub, id, texts);
    }
}

void GridRows(HWND wnd, UINT id, std::vector<CShownText>& texts)
{
    CWnd* object = CWnd::FromHandlePermanent(wnd);
    if (object == nullptr || !object->IsKindOf(RUNTIME_CLASS(CMFCPropertyGridCtrl)))
        return;
    auto* grid = static_cast<CMFCPropertyGridCtrl*>(object);
    for (int i = 0; i < grid->GetPropertyCount(); ++i) {
        if (CMFCPropertyGridProperty* row = grid->GetProperty(i))
            GridRow(*row, id, texts);
    }
}

// The window's own texts, without its children.
void OneWindow(HWND wnd, bool top, std::vector<CShownText>& texts)
{
    const UINT id = top ? 0 : static_cast<UINT>(::GetDlgCtrlID(wnd));
    const CString cls = ClassOf(wnd);
    const bool isCombo = cls.CompareNoCase(L"ComboBox") == 0;
    const int length = isCombo && DrawnWithoutStrings(wnd) ? 0 : ::GetWindowTextLengthW(wnd);
    if (length > 0) {
        std::vector<WCHAR> text(static_cast<size_t>(length) + 1, 0);
        ::GetWindowTextW(wnd, text.data(), length + 1);
        Add(texts, top ? CString(L"caption") : Where(L"control", id), text.data(), id);
    }
    if (isCombo) {
        if (!DrawnWithoutStrings(wnd))
            ListItems(wnd, id, kComboMessages, texts);
    } else if (cls.CompareNoCase(L"ListBox") == 0 || cls.CompareNoCase(L"ComboLBox") == 0) {
        const LONG style = ::GetWindowLongW(wnd, GWL_STYLE);
        if ((style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0 || (style & LBS_HASSTRINGS) != 0)
            ListItems(wnd, id, kListBoxMessages, texts);
    } else if (cls.CompareNoCase(WC_TREEVIEWW) == 0) {
        TreeItems(wnd, id, texts);
    } else if (cls.CompareNoCase(WC_LISTVIEWW) == 0) {
        ListViewItems(wnd, id, texts);
    } else if (cls.CompareNoCase(WC_HEADERW) == 0) {
        RecordItems<HDITEMW>(wnd, id, HDM_GETITEMCOUNT, HDM_GETITEMW, HDI_TEXT, L"column title of control", texts);
    } else if (cls.CompareNoCase(WC_TABCONTROLW) == 0) {
        RecordItems<TCITEMW>(wnd, id, TCM_GETITEMCOUNT, TCM_GETITEMW, TCIF_TEXT, L"tab of control", texts);
    } else if (cls.CompareNoCase(TOOLBARCLASSNAMEW) == 0) {
        ToolbarItems(wnd, texts);
    } else if (cls.CompareNoCase(STATUSCLASSNAMEW) == 0) {
        StatusBarItems(wnd, id, texts);
    } else {
        GridRows(wnd, id, texts);
    }
    if (top) {
        if (HMENU menu = ::GetMenu(wnd))
            CollectMenuTexts(menu, L"menu", texts);
    }
}

struct ChildWalk {
    std::vector<CShownText>* texts;
};

BOOL CALLBACK OneChild(HWND child, LPARAM walk)
{
    // Hidden controls too: a window shows them in another of its states.
    OneWindow(child, false, *reinterpret_cast<ChildWalk*>(walk)->texts);
    return TRUE;
}

BOOL CALLBACK OneThreadWindow(HWND wnd, LPARAM list)
{
    if (::IsWindowVisible(wnd))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
    return TRUE;
}

} // namespace

void CollectMenuTexts(HMENU menu, const CString& path, std::vector<CShownText>& texts)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count && i < 1000; ++i) {
        MENUITEMINFOW info {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)
            || (info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_BITMAP)) != 0)
            continue;
        WCHAR text[kTextBuffer] = L"";
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, kTextBuffer, MF_BYPOSITION);
        const CString where = path + L" > " + text;
        if (text[0] != 0) {
            texts.push_back({ path, text, info.hSubMenu != nullptr ? 0u : info.wID, menu, info.hSubMenu });
        }
        if (info.hSubMenu != nullptr)
            CollectMenuTexts(info.hSubMenu, where, texts);
    }
}

std::vector<CShownText> CollectShownTexts(HWND wnd)
{
    std::vector<CShownText> texts;
    if (wnd == nullptr || !::IsWindow(wnd))
        return texts;
    OneWindow(wnd, true, texts);
    ChildWalk walk { &texts };
    ::EnumChildWindows(wnd, OneChild, reinterpret_cast<LPARAM>(&walk));
    return texts;
}

std::vector<HWND> VisibleThreadWindows()
{
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), OneThreadWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool HoldsChinese(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        const wchar_t c = text[i];
        if ((c >= 0x2E80 && c <= 0x2FDF) // radicals
            || (c >= 0x3400 && c <= 0x4DBF) // extension A
            || (c >= 0x4E00 && c <= 0x9FFF) // unified ideographs
            || (c >= 0xF900 && c <= 0xFAFF)) // compatibility ideographs
            return true;
        // Extension B and later lie beyond the basic plane: high surrogates
        // D840 to D87F lead to planes 2 and 3.
        if (c >= 0xD840 && c <= 0xD87F)
            return true;
    }
    return false;
}

std::string Utf8(const CString& text)
{
    if (text.IsEmpty())
        return std::string();
    const int bytes
        = ::WideCharToMultiByte(CP_UTF8, 0, text.GetString(), text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.GetString(), text.GetLength(), out.data(), bytes, nullptr, nullptr);
    return out;
}

} // namespace fwtest
