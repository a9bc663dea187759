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

void CheckOne(HWND control, std::vector<CCutLabel>& cut)
{
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    if ((style & WS_VISIBLE) == 0)
        return;
    const CString cls = ClassOf(control);
    const bool isStatic = cls.CompareNoCase(L"Static") == 0;
    const bool isButton = cls.CompareNoCase(L"Button") == 0;
    if (!isStatic && !isButton)
        return;
    const CString text = TextOf(control);
    if (text.IsEmpty())
        return;
    HDC dc = ::GetDC(control);
    auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = ::SelectObject(dc, font != nullptr ? font : ::GetStockObject(SYSTEM_FONT));
    const LabelLayout layout = isStatic ? StaticLayout(style) : ButtonLayout(dc, style);
    if (layout.measured) {
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
            cut.push_back(
                { static_cast<UINT>(::GetDlgCtrlID(control)), text, needed.Size(), CSize(room, client.Height()) });
    }
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

std::string DescribeCutLabels(const std::vector<CCutLabel>& cut)
{
    std::string out;
    for (const CCutLabel& label : cut) {
        CString line;
        line.Format(L"\n  control %u \"%s\" needs %d x %d, has %d x %d", label.nID, label.strText.GetString(),
            static_cast<int>(label.sizeNeeded.cx), static_cast<int>(label.sizeNeeded.cy),
            static_cast<int>(label.sizeRoom.cx), static_cast<int>(label.sizeRoom.cy));
        out += Utf8(line);
    }
    return out;
}

} // namespace fwtest
