// Menu relabelling from language texts: popups and items by key, items that
// keep their state, empty texts, the colour-effect and four-colour popups
// that need their own key, the update item and the fixed labels.
#include "menu_localizer.h"
#include "resource.h"
#include "shell_test_support.h"

#include <map>

namespace {

// Texts of a language file as a lookup.
MenuTextLookup Texts(std::map<int, CString> texts)
{
    return [texts](int key) {
        auto it = texts.find(key);
        return it != texts.end() ? it->second : CString();
    };
}

CString PopupTitle(CMenu& menu, int pos)
{
    CString text;
    menu.GetMenuString(static_cast<UINT>(pos), text, MF_BYPOSITION);
    return text;
}

struct MenuFixture : ::testing::Test {
    CMenu menu;
    void SetUp() override
    {
        AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
        ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    }
    CMenu* Popup(int pos) { return menu.GetSubMenu(pos); }
};

TEST_F(MenuFixture, ItemsAndPopupsTakeTheirKeys)
{
    std::map<int, CString> texts;
    for (int key = 1; key <= 129; ++key)
        texts[key].Format(L"T%d", key);
    menu.EnableMenuItem(ID_EXPORT_OFFLINE, MF_BYCOMMAND | MF_GRAYED);
    menu.CheckMenuItem(ID_EXPORT_AVI, MF_BYCOMMAND | MF_CHECKED);
    menu.EnableMenuItem(ID_LAYOUT_NEW, MF_BYCOMMAND | MF_GRAYED);
    LocalizeMainMenu(&menu, Texts(texts), L"Vantrel");

    const struct {
        int pos;
        LPCWSTR title;
    } bar[] = { { 0, L"T1" }, { 1, L"T2" }, { 2, L"T3" }, { 3, L"T4" }, { 4, L"T5" }, { 5, L"T84" }, { 6, L"T6" } };
    for (const auto& b : bar)
        EXPECT_EQ(PopupTitle(menu, b.pos), CString(b.title)) << b.pos;

    const struct {
        UINT id;
        LPCWSTR label;
    } items[] = { { ID_FILE_NEW, L"T7" }, { ID_FILE_SAVE_AS, L"T10" }, { ID_EXPORT_OFFLINE, L"T12" },
        { ID_APP_EXIT, L"T14" }, { 32791, L"T20" }, { ID_LAYOUT_CLEAR, L"T25" }, { 32854, L"T26" },
        { ID_TRANSITION_EFFECT, L"T28" }, { 32858, L"T83" }, { 33009, L"T122" }, { 32859, L"T33" }, { 32882, L"T52" },
        { 33014, L"T123" }, { ID_HARDWARE_SETTINGS, L"T53" }, { ID_FOUR_COLOR_FREE, L"T80" },
        { ID_FOUR_COLOR_FIXED_WHITE, L"T129" }, { ID_APP_ABOUT, L"T60" }, { ID_CHECK_UPDATE, L"T126" },
        { ID_TOOL_PAINT, L"T85" }, { ID_TOOL_PELLOX, L"T125" } };
    for (const auto& item : items)
        EXPECT_EQ(MenuItemText(&menu, item.id), CString(item.label)) << item.id;
    EXPECT_EQ(PopupTitle(*Popup(3), 1), CString(L"T27"));
    EXPECT_EQ(PopupTitle(*Popup(4), 2), CString(L"T54"));

    // Fixed labels stay.
    EXPECT_EQ(MenuItemText(&menu, 32993), CString(L"Zazez Urad"));
    EXPECT_EQ(MenuItemText(&menu, ID_LANG_ENGLISH), CString(L"English"));
    EXPECT_EQ(MenuItemText(&menu, ID_TOOL_WORD), CString(L"WORD"));
    EXPECT_EQ(MenuItemText(&menu, ID_TOOL_TAVISK), CString(L"Tavisk"));

    // States: the export items keep theirs, a plain relabel enables.
    EXPECT_NE(menu.GetMenuState(ID_EXPORT_OFFLINE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(menu.GetMenuState(ID_EXPORT_AVI, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(menu.GetMenuState(ID_LAYOUT_NEW, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(MenuFixture, EmptyTextsLeaveTheResourceLabels)
{
    CString before = MenuItemText(&menu, ID_LAYOUT_NEW);
    CString titleBefore = PopupTitle(menu, 0);
    LocalizeMainMenu(&menu, Texts({ { 7, L"New" } }), L"Vantrel");
    EXPECT_EQ(MenuItemText(&menu, ID_FILE_NEW), CString(L"New"));
    EXPECT_EQ(MenuItemText(&menu, ID_LAYOUT_NEW), before);
    EXPECT_EQ(PopupTitle(menu, 0), titleBefore);
}

TEST_F(MenuFixture, EffectAndFourColourPopupsNeedTheirOwnKey)
{
    std::map<int, CString> texts;
    for (int key = 33; key <= 59; ++key)
        texts[key].Format(L"T%d", key);
    texts.erase(54);
    CString effectBefore = MenuItemText(&menu, 32859);
    CString modeBefore = MenuItemText(&menu, ID_FOUR_COLOR_OFF);
    LocalizeMainMenu(&menu, Texts(texts), L"Vantrel");
    EXPECT_EQ(MenuItemText(&menu, 32859), effectBefore);
    EXPECT_EQ(MenuItemText(&menu, ID_FOUR_COLOR_OFF), modeBefore);
    EXPECT_EQ(MenuItemText(&menu, ID_HARDWARE_SETTINGS), CString(L"T53"));

    // The drop-down copy of the effect popup is relabelled on its own.
    CMenu copy;
    ASSERT_TRUE(copy.LoadMenu(IDR_MAINFRAME));
    CMenu* effects = copy.GetSubMenu(3)->GetSubMenu(1);
    LocalizeEffectMenu(effects, Texts(texts));
    EXPECT_EQ(MenuItemText(effects, 32859), CString(L"T33"));
    EXPECT_EQ(MenuItemText(effects, 32882), CString(L"T52"));
}

TEST_F(MenuFixture, UpdateItemOnlyForTheProductTitle)
{
    struct Case {
        LPCWSTR title;
        bool kept;
    };
    for (const Case& c : { Case { L"Vantrel", true }, Case { L"vantrel", false }, Case { L"Korvash Build", false },
             Case { L"", false } }) {
        CMenu fresh;
        ASSERT_TRUE(fresh.LoadMenu(IDR_MAINFRAME));
        LocalizeMainMenu(&fresh, Texts({ { 126, L"Update" }, { 60, L"About" } }), c.title);
        EXPECT_EQ(fresh.GetMenuState(ID_CHECK_UPDATE, MF_BYCOMMAND) != static_cast<UINT>(-1), c.kept)
            << CStringA(c.title).GetString();
        EXPECT_EQ(MenuItemText(&fresh, ID_APP_ABOUT), CString(L"About"));
    }
}

TEST(MenuLocalizer, NoMenuIsHarmless)
{
    LocalizeMainMenu(nullptr, Texts({}), L"Vantrel");
    CMenu empty;
    LocalizeMainMenu(&empty, Texts({ { 1, L"x" } }), L"Vantrel");
    LocalizeEffectMenu(nullptr, Texts({ { 33, L"x" } }));
}

} // namespace
