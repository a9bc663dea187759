// The Zazez Urad editor's style menu, style choice and block settings.
#include "dlg_effect_plus.h"

#include <algorithm>

namespace {

struct StyleFamily {
    int labelKey; // KVMENU key of the submenu's label
    int first;
    int last;
};

constexpr int kBlockControls[] = { IDC_EP_LABEL_BLOCK_WIDTH, IDC_EP_BLOCK_WIDTH, IDC_EP_LABEL_BLOCK_HEIGHT,
    IDC_EP_BLOCK_HEIGHT, IDC_EP_LABEL_INTERVAL, IDC_EP_INTERVAL, IDC_EP_LABEL_BLOCK_COUNT, IDC_EP_BLOCK_COUNT,
    IDC_EP_LABEL_BLOCK_SHAPE, IDC_EP_BLOCK_SHAPE, IDC_EP_BREATHING };

} // namespace

void CDlgEffectPlus::BuildPlusStyleMenu()
{
    if (m_styleMenu != nullptr)
        ::DestroyMenu(m_styleMenu);
    m_styleMenu = ::CreatePopupMenu();
    if (m_styleMenu == nullptr)
        return;
    auto item = [this](HMENU menu, int code, const CString& text) {
        ::AppendMenuW(menu, MF_STRING, ID_EP_STYLE_FIRST + code, text);
    };
    auto family = [&](const StyleFamily& f) {
        HMENU sub = ::CreatePopupMenu();
        for (int code = f.first; code <= f.last; ++code)
            item(sub, code, GetPlusStyleName(code));
        ::AppendMenuW(
            m_styleMenu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), LangText(L"KVMENU", f.labelKey));
    };
    item(m_styleMenu, 0, GetPlusStyleName(0));
    item(m_styleMenu, 1, GetPlusStyleName(1));
    for (const StyleFamily& f : { StyleFamily { 105, 2, 5 }, StyleFamily { 106, 6, 9 }, StyleFamily { 107, 10, 13 },
             StyleFamily { 108, 14, 19 }, StyleFamily { 109, 25, 28 }, StyleFamily { 110, 29, 30 } })
        family(f);
    item(m_styleMenu, 31, GetPlusStyleName(31));
    family({ 111, 32, 35 });
    item(m_styleMenu, 36, LangText(L"KVMENU", 112));
    family({ 113, 37, 38 });
    family({ 116, 39, 42 });
    item(m_styleMenu, 43, LangText(L"KVMENU", 121));
    SetDlgItemText(IDC_EP_STYLE, GetPlusStyleName(0));
}

void CDlgEffectPlus::OnStyleDropDown()
{
    POINT cursor {};
    ::GetCursorPos(&cursor);
    if (m_styleMenu != nullptr)
        ::TrackPopupMenu(m_styleMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
    HWND box = ::GetDlgItem(m_hWnd, IDC_EP_STYLE);
    ::SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(0, 0));
    ::SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
}

BOOL CDlgEffectPlus::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id >= ID_EP_STYLE_FIRST && id <= ID_EP_STYLE_LAST && lParam == 0) {
        if (id == ID_EP_STYLE_LAST && m_pDoc != nullptr && m_pDoc->m_projectSettings.m_layoutFile.IsEmpty()) {
            // Fixture scan follows the layout's ports: without one the style stays.
            AfxMessageBox(LangText(L"SHOW", 2));
        } else {
            wchar_t text[128] = {};
            if (m_styleMenu != nullptr && ::GetMenuStringW(m_styleMenu, id, text, 127, MF_BYCOMMAND) > 0) {
                SetDlgItemText(IDC_EP_STYLE, text);
                SendDlgItemMessageW(m_hWnd, IDC_EP_STYLE, CB_SETEDITSEL, 0, MAKELPARAM(0, 0));
                SetFocus();
                SelectPlusStyle(static_cast<int>(id - ID_EP_STYLE_FIRST));
            }
        }
    }
    return CEffectEditorDialog::OnCommand(wParam, lParam);
}

void CDlgEffectPlus::SelectPlusStyle(int code)
{
    StopPlayback();
    m_style = code;
    if (code == ProgramColorEffectPlus::STYLE_RANDOM_BLOCKS) {
        ShowBlockControls(true);
    } else if (code >= 39 && code <= 42) {
        for (int id : { IDC_EP_LABEL_BLOCK_WIDTH, IDC_EP_BLOCK_WIDTH })
            ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_SHOW);
    } else {
        ShowBlockControls(false);
    }
    int width = 0;
    {
        PlusGuard guard(m_shared.lock);
        width = ColorListWidth(m_shared.colors);
    }
    if (width <= 0)
        return;
    SetFramesBox(std::max(FramesBox(), ComputeItemFrames(width)));
    ApplyAndRestart();
}

void CDlgEffectPlus::ShowBlockControls(bool show)
{
    for (int id : kBlockControls)
        ::ShowWindow(::GetDlgItem(m_hWnd, id), show ? SW_SHOW : SW_HIDE);
}

void CDlgEffectPlus::ReadRandomSettings()
{
    m_random.m_blockWidth = ComboNumber(IDC_EP_BLOCK_WIDTH);
    m_random.m_blockHeight = ComboNumber(IDC_EP_BLOCK_HEIGHT);
    m_random.m_changeSpan = ComboNumber(IDC_EP_INTERVAL);
    m_random.m_dotCount = ComboNumber(IDC_EP_BLOCK_COUNT);
    m_random.m_dotShape = ComboIndex(IDC_EP_BLOCK_SHAPE);
    m_random.m_lightingType = IsDlgButtonChecked(IDC_EP_BREATHING) == BST_CHECKED ? 1 : 0;
}

void CDlgEffectPlus::LoadRandomSettings()
{
    SetDlgItemInt(IDC_EP_BLOCK_WIDTH, static_cast<UINT>(m_random.m_blockWidth), TRUE);
    SetDlgItemInt(IDC_EP_BLOCK_HEIGHT, static_cast<UINT>(m_random.m_blockHeight), TRUE);
    SetDlgItemInt(IDC_EP_INTERVAL, static_cast<UINT>(m_random.m_changeSpan), TRUE);
    SetDlgItemInt(IDC_EP_BLOCK_COUNT, static_cast<UINT>(m_random.m_dotCount), TRUE);
    SendDlgItemMessageW(m_hWnd, IDC_EP_BLOCK_SHAPE, CB_SETCURSEL, m_random.m_dotShape, 0);
    CheckDlgButton(IDC_EP_BREATHING, m_random.m_lightingType == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void CDlgEffectPlus::OnBlockWidthChosen()
{
    const int index = ComboIndex(IDC_EP_BLOCK_WIDTH);
    if (index >= 0) {
        wchar_t text[32] = {};
        SendDlgItemMessageW(m_hWnd, IDC_EP_BLOCK_WIDTH, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        SetDlgItemText(IDC_EP_BLOCK_WIDTH, text);
    }
    OnBlockWidthTyped();
}

void CDlgEffectPlus::OnBlockWidthTyped()
{
    const int blockWidth = ComboNumber(IDC_EP_BLOCK_WIDTH);
    m_pCurrent->m_bandWidth = blockWidth < 1 ? 1 : blockWidth;
    int width = 0;
    {
        PlusGuard guard(m_shared.lock);
        width = ColorListWidth(m_shared.colors);
    }
    // The proposal is asked with the list's own width: the colour count it
    // sets must stay the strip width the renderer walks.
    SetFramesBox(std::max(FramesBox(), ComputeItemFrames(width)));
    ApplyAndRestart();
}

void CDlgEffectPlus::OnBlockListChosen(UINT id)
{
    const int index = ComboIndex(static_cast<int>(id));
    if (index >= 0) {
        wchar_t text[32] = {};
        SendDlgItemMessageW(m_hWnd, static_cast<int>(id), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        SetDlgItemText(static_cast<int>(id), text);
    }
    ApplyAndRestart();
}
