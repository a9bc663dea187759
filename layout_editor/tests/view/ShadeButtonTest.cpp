// The owner-drawn button: the bitmap drawn through its mask (black shows
// the button), centred and moved by a pixel while pressed, the borders of
// hover and press, hover tracking and its ends, double clicks as two
// presses, check mode, the default-button style, bitmaps re-assigned
// without leaking, the reflected colour message; and the owner-drawn menu's
// start-up probes.
#include "PannexTestUtil.h"

#include "IconMenu.h"
#include "ShadeButton.h"

using namespace pannextest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

// A window holding the button, which records the clicks it hears.
class CButtonParent : public CWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == BN_CLICKED)
            ++m_clicks;
        return CWnd::OnCommand(wParam, lParam);
    }
    int m_clicks = 0;
};

// A 4 x 4 red bitmap with a black top-left pixel.
HBITMAP RedSquare()
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 4, 4);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const RECT all = { 0, 0, 4, 4 };
    HBRUSH red = ::CreateSolidBrush(kRed);
    ::FillRect(dc, &all, red);
    ::DeleteObject(red);
    ::SetPixel(dc, 0, 0, RGB(0, 0, 0));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

struct ButtonFixture {
    CButtonParent parent;
    CShadeButton button;

    explicit ButtonFixture(DWORD type = BS_PUSHBUTTON, LPCWSTR caption = L"")
    {
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
        parent.CreateEx(0, AfxRegisterWndClass(0), L"Buttons", WS_POPUP, 100, 100, 200, 100, nullptr, nullptr);
        HWND hButton = ::CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | type, 10, 10, 20,
            20, parent.GetSafeHwnd(), reinterpret_cast<HMENU>(1117), ::GetModuleHandleW(nullptr), nullptr);
        button.SubclassWindow(hButton);
    }
    ~ButtonFixture()
    {
        button.DestroyWindow();
        parent.DestroyWindow();
    }
    // Draws the button as the parent's owner-draw message would.
    void Draw(CCanvas& canvas, UINT state)
    {
        canvas.Dc()->FillSolidRect(0, 0, 20, 20, RGB(1, 2, 3));
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = 1117;
        item.itemState = state;
        item.hwndItem = button.GetSafeHwnd();
        item.hDC = canvas.Dc()->GetSafeHdc();
        item.rcItem = { 0, 0, 20, 20 };
        button.DrawItem(&item);
    }
};

} // namespace

TEST(PannexShadeButton, BitmapCentredThroughItsMaskAndPressedByAPixel)
{
    ButtonFixture f;
    EXPECT_EQ(f.button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    ASSERT_EQ(f.button.AssignBitmaps(RedSquare()), 0);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);

    CCanvas rest(20, 20);
    f.Draw(rest, 0);
    // (20 - 4) / 2 = 8: the square covers 8..11; its black pixel shows the
    // button's face.
    EXPECT_EQ(rest.At(8, 8), face);
    EXPECT_EQ(rest.At(9, 8), kRed);
    EXPECT_EQ(rest.At(11, 11), kRed);
    EXPECT_EQ(rest.At(12, 12), face);
    // Flat at rest: no border.
    EXPECT_EQ(rest.At(0, 0), face);
    EXPECT_EQ(rest.At(19, 19), face);

    CCanvas pressed(20, 20);
    f.Draw(pressed, ODS_SELECTED);
    EXPECT_EQ(pressed.At(9, 9), face);
    EXPECT_EQ(pressed.At(12, 12), kRed);
    EXPECT_NE(pressed.At(8, 8), kRed);
    // Sunken: shadow at the top left, highlight at the bottom right.
    EXPECT_EQ(pressed.At(0, 0), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pressed.At(19, 19), ::GetSysColor(COLOR_BTNHIGHLIGHT));

    // Disabled: drawn embossed, never in its own colour.
    CCanvas disabled(20, 20);
    f.Draw(disabled, ODS_DISABLED);
    for (int y = 8; y < 12; ++y)
        for (int x = 8; x < 12; ++x)
            EXPECT_NE(disabled.At(x, y), kRed);
}

TEST(PannexShadeButton, HoverShowsTheRaisedBorderUntilLeaveFocusLossOrDeactivation)
{
    ButtonFixture f;
    f.parent.ShowWindow(SW_SHOWNOACTIVATE);
    f.parent.UpdateWindow();
    CRect rc;
    f.button.GetWindowRect(&rc);
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_LBUTTON] = 0;
    ::SetKeyboardState(keys);
    ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);

    for (UINT leave : { static_cast<UINT>(WM_MOUSELEAVE), static_cast<UINT>(WM_KILLFOCUS),
             static_cast<UINT>(WM_CANCELMODE), static_cast<UINT>(WM_ACTIVATE) }) {
        SCOPED_TRACE(leave);
        f.button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
        EXPECT_TRUE(f.button.IsHovered());
        CCanvas hovered(20, 20);
        f.Draw(hovered, 0);
        EXPECT_EQ(hovered.At(0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT)); // raised
        EXPECT_EQ(hovered.At(19, 19), ::GetSysColor(COLOR_BTNSHADOW));
        f.button.SendMessage(leave, leave == WM_ACTIVATE ? WA_INACTIVE : 0, 0);
        EXPECT_FALSE(f.button.IsHovered());
    }

    // A press that started elsewhere and is dragged onto the button does not
    // light it up.
    keys[VK_LBUTTON] = 0x80;
    ::SetKeyboardState(keys);
    f.button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_FALSE(f.button.IsHovered());
    keys[VK_LBUTTON] = 0;
    ::SetKeyboardState(keys);
    // Off the button, the hover ends.
    f.button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(f.button.IsHovered());
    ::SetCursorPos(rc.right + 40, rc.bottom + 40);
    f.button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
    EXPECT_FALSE(f.button.IsHovered());
}

TEST(PannexShadeButton, ADoubleClickIsTwoPresses)
{
    ButtonFixture f;
    f.parent.ShowWindow(SW_SHOWNOACTIVATE);
    const LPARAM at = MAKELPARAM(5, 5);
    f.button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    f.button.SendMessage(WM_LBUTTONUP, 0, at);
    f.button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    f.button.SendMessage(WM_LBUTTONUP, 0, at);
    EXPECT_EQ(f.parent.m_clicks, 2);
}

TEST(PannexShadeButton, CheckBoxStyleMakesATwoStateButton)
{
    ButtonFixture f(BS_AUTOCHECKBOX);
    EXPECT_TRUE(f.button.IsCheckMode());
    EXPECT_EQ(f.button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_EQ(f.button.GetCheck(), 0);
    f.parent.SendMessage(WM_COMMAND, MAKEWPARAM(1117, BN_CLICKED), reinterpret_cast<LPARAM>(f.button.GetSafeHwnd()));
    EXPECT_EQ(f.button.GetCheck(), 1);
    EXPECT_EQ(f.parent.m_clicks, 1); // the parent still hears the click
    f.button.SetCheck(0);
    EXPECT_FALSE(f.button.IsChecked());
    f.button.SetCheck(2);
    EXPECT_TRUE(f.button.IsChecked());
    // A checked button draws pressed without moving its picture.
    ASSERT_EQ(f.button.AssignBitmaps(RedSquare()), 0);
    CCanvas checked(20, 20);
    f.Draw(checked, 0);
    EXPECT_EQ(checked.At(0, 0), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(checked.At(9, 8), kRed);

    // A plain push button ignores BM_SETCHECK.
    ButtonFixture push;
    push.button.SetCheck(1);
    EXPECT_EQ(push.button.GetCheck(), 0);
}

TEST(PannexShadeButton, DefaultButtonStyleAndReflectedColour)
{
    ButtonFixture f(BS_DEFPUSHBUTTON);
    EXPECT_TRUE(f.button.IsDefaultButton());
    EXPECT_NE(f.button.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON, 0);
    f.button.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_FALSE(f.button.IsDefaultButton());
    EXPECT_NE(f.button.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON, 0);
    EXPECT_EQ(f.button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    f.button.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_TRUE(f.button.IsDefaultButton());
    EXPECT_EQ(f.button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));

    HDC dc = ::GetDC(f.button.GetSafeHwnd());
    const LRESULT brush = f.parent.SendMessage(
        WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(f.button.GetSafeHwnd()));
    ::ReleaseDC(f.button.GetSafeHwnd(), dc);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), ::GetStockObject(NULL_BRUSH));
}

TEST(PannexShadeButton, BitmapsAreReassignedWithoutLeaking)
{
    ButtonFixture f;
    HBITMAP first = RedSquare();
    ASSERT_EQ(f.button.AssignBitmaps(first), 0);
    HBITMAP firstMask = f.button.GetHoverMask();
    ASSERT_NE(firstMask, nullptr);
    EXPECT_EQ(::GetObjectType(first), static_cast<DWORD>(OBJ_BITMAP));

    HBITMAP second = RedSquare();
    HBITMAP rest = RedSquare();
    ASSERT_EQ(f.button.AssignBitmaps(second, rest), 0);
    // The first bitmap and its mask are gone.
    EXPECT_EQ(::GetObjectType(first), 0u);
    EXPECT_EQ(::GetObjectType(firstMask), 0u);
    EXPECT_EQ(f.button.GetHoverBitmap(), second);
    EXPECT_EQ(f.button.GetRestBitmap(), rest);

    // No hover bitmap keeps nothing (and frees what was held); a handle that
    // is no bitmap is refused.
    HBITMAP secondMask = f.button.GetHoverMask();
    EXPECT_EQ(f.button.AssignBitmaps(nullptr, RedSquare()), 0);
    EXPECT_EQ(f.button.GetHoverBitmap(), nullptr);
    EXPECT_EQ(::GetObjectType(second), 0u);
    EXPECT_EQ(::GetObjectType(secondMask), 0u);
    EXPECT_EQ(::GetObjectType(rest), 0u);
    EXPECT_EQ(f.button.AssignBitmaps(reinterpret_cast<HBITMAP>(::GetStockObject(WHITE_BRUSH))), 1);
    EXPECT_EQ(f.button.GetHoverBitmap(), nullptr);
}

TEST(PannexIconMenu, StartUpProbesAndTheEmptyMenu)
{
    struct Row {
        DWORD platform, major, minor;
        int code;
    };
    const Row rows[] = {
        { VER_PLATFORM_WIN32_WINDOWS, 3, 95, 0 },
        { VER_PLATFORM_WIN32_WINDOWS, 4, 0, 2 },
        { VER_PLATFORM_WIN32_WINDOWS, 4, 10, 3 },
        { VER_PLATFORM_WIN32_WINDOWS, 4, 90, 4 },
        { VER_PLATFORM_WIN32_NT, 4, 0, 5 },
        { VER_PLATFORM_WIN32_NT, 5, 0, 6 },
        { VER_PLATFORM_WIN32_NT, 5, 1, 7 },
        { VER_PLATFORM_WIN32_NT, 5, 2, 1 },
        { VER_PLATFORM_WIN32_NT, 10, 0, 1 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(IconMenuSystemCode(row.platform, row.major, row.minor), row.code) << row.major << "." << row.minor;
    EXPECT_EQ(ProbeIconMenuSystem(), GetIconMenuSystemCode());

    EXPECT_TRUE(IsClassicThemeFile(L"C:\\WINDOWS\\Resources\\Themes\\windows CLASSIC.theme"));
    EXPECT_FALSE(IsClassicThemeFile(L"C:\\Themes\\Luna.theme"));
    EXPECT_FALSE(IsClassicThemeFile(L""));

    // Every button holds an empty menu: nothing registered, nothing to
    // forward; the mnemonic lookup finds "&" + the character.
    {
        CShadeButton a, b;
        EXPECT_EQ(CIconMenu::RegisteredCount(), 0u);
    }
    EXPECT_EQ(CIconMenu::RegisteredCount(), 0u);
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 1, L"&Open");
    ::AppendMenuW(menu, MF_STRING, 2, L"E&xport");
    EXPECT_EQ(CIconMenu::FindMnemonic(menu, L'X'), MAKELRESULT(1, 2));
    EXPECT_EQ(CIconMenu::FindMnemonic(menu, L'o'), MAKELRESULT(0, 2));
    EXPECT_EQ(CIconMenu::FindMnemonic(menu, L'z'), 0);
    EXPECT_FALSE(CIconMenu::IsRegistered(menu));
    ::DestroyMenu(menu);
}

TEST(PannexIconMenu, MemoryContextDrawsAnItemOffScreenAndPutsItBackAtItsPlace)
{
    // An item's rectangle of a menu picture: drawn into memory, shown on
    // the target only when the context ends, nothing outside the item.
    CCanvas canvas(60, 40);
    CRect all(0, 0, 60, 40);
    canvas.Dc()->FillSolidRect(&all, RGB(1, 2, 3));
    const CRect item(10, 20, 50, 35);
    {
        CIconMenuMemDC mem(canvas.Dc(), item);
        ASSERT_TRUE(mem.IsMemDC());
        EXPECT_NE(mem.GetSafeHdc(), canvas.Dc()->GetSafeHdc());
        // Drawn in the target's coordinates.
        CRect inside(12, 22, 48, 33);
        mem.FillSolidRect(&inside, RGB(200, 100, 50));
        EXPECT_EQ(canvas.At(20, 25), RGB(1, 2, 3));
    }
    EXPECT_EQ(canvas.At(12, 22), RGB(200, 100, 50));
    EXPECT_EQ(canvas.At(47, 32), RGB(200, 100, 50));
    EXPECT_EQ(canvas.At(5, 5), RGB(1, 2, 3));
    EXPECT_EQ(canvas.At(55, 25), RGB(1, 2, 3));

    // A printer-like target (a metafile) is drawn into straight.
    HDC hMeta = ::CreateEnhMetaFile(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hMeta, nullptr);
    {
        CDC meta;
        meta.Attach(hMeta);
        {
            CIconMenuMemDC mem(&meta, item);
            EXPECT_FALSE(mem.IsMemDC());
            EXPECT_EQ(mem.GetSafeHdc(), hMeta);
        }
        meta.Detach();
    }
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(hMeta));
}
