// Measuring labels against their controls (see fw_label_fit.h).
#include "fw_label_fit.h"

#include "fw_window_texts.h"

namespace fwtest {

namespace {

CString ClassOf(HWND wnd)
{
    WCHAR name[64] = L"";
    ::GetClassNameW(wnd, name, 64);
    return name;
}

CString TextOf(HWND wnd)
{
    const int length = ::GetWindowTextLengthW(wnd);
    if (length <= 0)
        return CString();
    CString text;
    ::GetWindowTextW(wnd, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
    return text;
}

// How a control lays out its label: the room it leaves for the text inside
// its client rectangle and whether the text wraps.
struct LabelLayout {
    bool measured = false;
    bool wraps = false;
    UINT format = 0; // DrawText flags besides the wrapping
    int widthTaken = 0; // pixels of the client width not given to the text
};

LabelLayout StaticLayout(LONG style)
{
    LabelLayout layout;
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
        // A vertically centred text is a single line.
        layout.wraps = (style & SS_CENTERIMAGE) == 0;
        break;
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE:
        break;
    default:
        return layout; // pictures, frames, owner drawn
    }
    // A label that shortens itself with an ellipsis is never cut.
    if ((style & SS_ELLIPSISMASK) != 0)
        return layout;
    layout.measured = true;
    layout.format = DT_EXPANDTABS | ((style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0);
    return layout;
}

LabelLayout ButtonLayout(HDC dc, LONG style)
{
    LabelLayout layout;
    layout.measured = true;
    layout.wraps = (style & BS_MULTILINE) != 0;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_OWNERDRAW:
        // Inside the button's raised edges.
        layout.widthTaken = 2 * ::GetSystemMetrics(SM_CXEDGE);
        break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
        // The box, then half a digit's width before the text.
        if ((style & BS_PUSHLIKE) != 0) {
            layout.widthTaken = 2 * ::GetSystemMetrics(SM_CXEDGE);
            break;
        }
        INT digit = 0;
        ::GetCharWidth32W(dc, L'0', L'0', &digit);
        const int dpi = ::GetDeviceCaps(dc, LOGPIXELSX);
        layout.widthTaken = ::MulDiv(12, dpi, 96) + 1 + digit / 2;
        break;
    }
    case BS_GROUPBOX:
        // The caption sits on the frame, indented from both ends.
        layout.wraps = false;
        layout.widthTaken = 14;
        break;
    default:
        layout.measured = false;
        break;
    }
    return layout;
}

void CheckLabel(HWND control, HDC dc, const LabelLayout& layout, std::vector<CCutLabel>& cut)
{
    if (!layout.measured)
        return;
    const CString text = TextOf(control);
    if (text.IsEmpty())
        return;
    CRect client;
    ::GetClientRect(control, &client);
    const int room = client.Width() - layout.widthTaken;
    CRect needed(0, 0, room, 0);
    if (layout.wraps) {
        ::DrawTextW(dc, text, text.GetLength(), &needed, layout.format | DT_WORDBREAK | DT_CALCRECT);
    } else {
        ::DrawTextW(dc, text, text.GetLength(), &needed, layout.format | DT_SINGLELINE | DT_CALCRECT);
    }
    // A single line only has to be as wide as the room; its height is
    // that of the control's font, which a short control centres.
    const bool fits = needed.Width() <= room && (!layout.wraps || needed.Height() <= client.Height());
    if (!fits)
        cut.push_back({ static_cast<UINT>(::GetDlgCtrlID(control)), CutPart::Label, text, needed.Size(),
            CSize(room, client.Height()) });
}

// A combo box shows the chosen item in its box, inside the focus frame of
// the item rectangle, and what is typed in its edit box, inside the edit
// box's margins. Neither wraps nor shortens a text: the rest is just hidden.
void CheckCombo(HWND combo, HDC dc, LONG style, std::vector<CCutLabel>& cut)
{
    COMBOBOXINFO info {};
    info.cbSize = sizeof(info);
    if (!::GetComboBoxInfo(combo, &info))
        return;
    const auto id = static_cast<UINT>(::GetDlgCtrlID(combo));
    auto check = [&](CutPart part, const CString& text, CSize room) {
        SIZE needed {};
        ::GetTextExtentPoint32W(dc, text, text.GetLength(), &needed);
        if (needed.cx > room.cx)
            cut.push_back({ id, part, text, CSize(needed), room });
    };
    HWND edit = info.hwndItem;
    if (edit != nullptr && edit != combo && ClassOf(edit).CompareNoCase(L"Edit") == 0) {
        const CString text = TextOf(combo);
        if (!text.IsEmpty()) {
            CRect client;
            ::GetClientRect(edit, &client);
            const auto margins = static_cast<DWORD>(::SendMessageW(edit, EM_GETMARGINS, 0, 0));
            check(CutPart::EditText, text, CSize(client.Width() - LOWORD(margins) - HIWORD(margins), client.Height()));
        }
    }
    // An owner-drawn list without strings holds the owner's data, not texts.
    if ((style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0 && (style & CBS_HASSTRINGS) == 0)
        return;
    const CRect box(info.rcItem);
    const CSize room(box.Width() - 2, box.Height());
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int length = static_cast<int>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0));
        if (length <= 0)
            continue;
        CString item;
        ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.GetBuffer(length + 1)));
        item.ReleaseBuffer();
        check(CutPart::Item, item, room);
    }
}

void CheckOne(HWND control, std::vector<CCutLabel>& cut)
{
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    if ((style & WS_VISIBLE) == 0)
        return;
    const CString cls = ClassOf(control);
    const bool isStatic = cls.CompareNoCase(L"Static") == 0;
    const bool isButton = cls.CompareNoCase(L"Button") == 0;
    const bool isCombo = cls.CompareNoCase(L"ComboBox") == 0;
    if (!isStatic && !isButton && !isCombo)
        return;
    HDC dc = ::GetDC(control);
    auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = ::SelectObject(dc, font != nullptr ? font : ::GetStockObject(SYSTEM_FONT));
    if (isCombo)
        CheckCombo(control, dc, style, cut);
    else
        CheckLabel(control, dc, isStatic ? StaticLayout(style) : ButtonLayout(dc, style), cut);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
}

BOOL CALLBACK OneChild(HWND child, LPARAM cut)
{
    CheckOne(child, *reinterpret_cast<std::vector<CCutLabel>*>(cut));
    return TRUE;
}

} // namespace

std::vector<CCutLabel> FindCutLabels(HWND wnd)
{
    std::vector<CCutLabel> cut;
    if (wnd != nullptr && ::IsWindow(wnd))
        ::EnumChildWindows(wnd, OneChild, reinterpret_cast<LPARAM>(&cut));
    return cut;
}

CString DescribeCutLabel(const CCutLabel& label)
{
    LPCWSTR part = label.part == CutPart::Item ? L" item" : label.part == CutPart::EditText ? L" edit text" : L"";
    CString line;
    line.Format(L"control %u%s \"%s\" needs %d x %d, has %d x %d", label.nID, part, label.strText.GetString(),
        static_cast<int>(label.sizeNeeded.cx), static_cast<int>(label.sizeNeeded.cy),
        static_cast<int>(label.sizeRoom.cx), static_cast<int>(label.sizeRoom.cy));
    return line;
}

std::string DescribeCutLabels(const std::vector<CCutLabel>& cut)
{
    std::string out;
    for (const CCutLabel& label : cut)
        out += "\n  " + Utf8(DescribeCutLabel(label));
    return out;
}

} // namespace fwtest
