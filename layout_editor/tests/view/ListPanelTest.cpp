// The list panel on the real application: the tree built from the layout
// (labels, item data, suffixes), the selection in both directions without
// feedback, the three context menus and the panel commands on the model.
#include "PannexTestUtil.h"

#include "BarDlg.h"
#include "EditorSettings.h"
#include "FormatCheck.h"
#include "LampTypeList.h"
#include "LayoutLangText.h"
#include "ListPanelAccess.h"
#include "ListPanelLabels.h"
#include "ListPanelResource.h"
#include "PanelTestSupport.h"

using namespace pannextest;

TEST(ListPanelLabels, SuffixesReplaceTheLastCharacter)
{
    CTreeLabelTexts texts;
    texts.port = L"[%d] Port %d (%d)";
    const CString label = PortLabel(texts, 1, 2, 30);
    EXPECT_EQ(label, L"[1] Port 2 (30)");
    EXPECT_EQ(DecoratePortLabel(label, 0, false), L"[1] Port 2 (30)");
    EXPECT_EQ(DecoratePortLabel(label, 12, false), L"[1] Port 2 (30_偏移:12)");
    EXPECT_EQ(DecoratePortLabel(label, 0, true), L"[1] Port 2 (30_逐点调)");
    EXPECT_EQ(DecoratePortLabel(label, 12, true), L"[1] Port 2 (30_偏移:12_逐点调)");
    EXPECT_EQ(DecoratePortLabel(L"", 12, true), L"_偏移:12_逐点调)");
    // The words come from the language when it has them.
    texts.offset = L"offset";
    texts.adjusted = L"adjusted";
    EXPECT_EQ(DecoratePortLabel(label, 12, true, texts), L"[1] Port 2 (30_offset:12_adjusted)");
}

TEST(ListPanelLabels, LanguageTextsWithWrongConversionsFallBack)
{
    CTreeLabelTexts texts;
    texts.root = L"%s ports";
    texts.controller = L"Card %d %d";
    texts.port = L"%d-%d";
    EXPECT_EQ(RootLabel(texts, 8, 2048), L"Project (8 ports, 2048 channels)");
    EXPECT_EQ(ControllerLabel(texts, 3), L"Controller 3");
    EXPECT_EQ(PortLabel(texts, 1, 2, 3), L"[1] Port 2 (3)");
    texts.controller = L"Card %d";
    EXPECT_EQ(ControllerLabel(texts, 3), L"Card 3");
}

TEST(ListPanelLabels, ShippedLanguageFilesFormatTheTreeLabels)
{
    for (int language : { 1, 2, 3, 4 }) {
        SetLangTextLanguage(language);
        const CTreeLabelTexts texts = LoadTreeLabelTexts();
        EXPECT_TRUE(FormatConversionsAre(texts.root, "dd")) << language;
        EXPECT_TRUE(FormatConversionsAre(texts.controller, "d")) << language;
        EXPECT_TRUE(FormatConversionsAre(texts.port, "ddd")) << language;
        EXPECT_EQ(texts.port.Right(1), L")") << language;
        // The suffix words speak the language too.
        EXPECT_FALSE(texts.offset.IsEmpty()) << language;
        EXPECT_FALSE(texts.adjusted.IsEmpty()) << language;
        if (language == 1 || language == 4) {
            EXPECT_FALSE(fwtest::HoldsChinese(texts.offset + texts.adjusted)) << language;
        }
    }
    SetLangTextLanguage(2);
}

TEST(ListPanelLabels, EveryTextThePanelAsksIsInEveryLanguage)
{
    const int keys[] = { 34, 35, 36, 37, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59,
        60, 62, 74, 75, 87, 88, 89, 91, 92, 157, 158, 159, 162, 164, 165, 166, 167, 198, 199, 200, 204, 205, 206, 207,
        208, 209, 210, 211, 212, 219, 220, 221, 222, 223, 224, 225, 230, 231, 964, 985, 986, 987, 988, 989, 992, 993,
        994, 995, 996, 997, 998, 999, 1005, 1006, 1007, 1008, 1009, 1011, 1012 };
    for (int language : { 1, 2, 3, 4 }) {
        SetLangTextLanguage(language);
        for (int key : keys)
            EXPECT_FALSE(GetLangText(L"LAYOUT", key).IsEmpty()) << language << " " << key;
    }
    SetLangTextLanguage(2);
}

TEST_F(ListPanelTest, AnEmptyLayoutShowsTheRootOnly)
{
    Build({});
    EXPECT_EQ(Labels().size(), 1u);
    HTREEITEM root = Tree().GetRootItem();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Tree().GetItemData(root), 0u);
    EXPECT_EQ(Tree().GetChildItem(root), nullptr);
}

TEST_F(ListPanelTest, TreeShowsControllersAndPortsWithTheirData)
{
    Build({ 2, 3 }, { 5, 0, 1, 2, 3 });
    Doc().GetLayout().GetPort(3).m_lampFormatIndex = 1;
    Doc().GetLayout().GetPort(4).m_adjusted = 1;
    View().m_settings.m_dataOffset = 12;
    m_panel.BuildCardTree();
    const CTreeLabelTexts texts = LoadTreeLabelTexts();
    const std::vector<CString> expected = {
        RootLabel(texts, 8, 2048),
        L"  " + ControllerLabel(texts, 1),
        L"    " + DecoratePortLabel(PortLabel(texts, 1, 1, 5), 12, false, texts),
        L"    " + DecoratePortLabel(PortLabel(texts, 1, 2, 0), 12, false, texts),
        L"  " + ControllerLabel(texts, 2),
        L"    " + DecoratePortLabel(PortLabel(texts, 1, 1, 1), 12, false, texts),
        L"    " + DecoratePortLabel(PortLabel(texts, 2, 2, 2), 12, false, texts),
        L"    " + DecoratePortLabel(PortLabel(texts, 1, 3, 3), 12, true, texts),
    };
    EXPECT_EQ(Labels(), expected);
    EXPECT_EQ(Data(),
        (std::vector<DWORD> { 0, 0x01000000, 0x02000000, 0x02000001, 0x01000001, 0x02000002, 0x02000003, 0x02000004 }));
    // Controllers and the root are expanded.
    EXPECT_TRUE(Expanded(Tree().GetRootItem()));
}

TEST_F(ListPanelTest, SelectingAPortInTheTreeSelectsItsLampsInModeZero)
{
    Build({ 2, 2 }, { 3, 4, 5, 6 });
    View().SetEditMode(0);
    Tree().SelectItem(PortItem(2));
    EXPECT_EQ(View().m_currentPort, 2);
    EXPECT_EQ(SelectedPorts(), (std::vector<int> { 2 }));
    EXPECT_EQ(SelectedPointCount(), 5);
    EXPECT_EQ(m_panel.m_nItemData, static_cast<int>(ITEM_PORT | 2));
}

TEST_F(ListPanelTest, SelectingAPortInModeOneOnlyChangesTheCurrentPort)
{
    Build({ 2, 2 }, { 3, 4, 5, 6 });
    View().SetEditMode(1);
    Tree().SelectItem(PortItem(3));
    EXPECT_EQ(View().m_currentPort, 3);
    EXPECT_TRUE(SelectedPorts().empty());
}

TEST_F(ListPanelTest, SelectingAControllerSelectsAllItsPorts)
{
    Build({ 2, 3 }, { 3, 4, 5, 6, 7 });
    Tree().SelectItem(ControllerItem(1));
    EXPECT_EQ(SelectedPorts(), (std::vector<int> { 2, 3, 4 }));
}

TEST_F(ListPanelTest, TheViewSelectingInTheTreeIsNotToldBack)
{
    Build({ 2, 2 }, { 3, 4, 5, 6 });
    View().m_currentPort = 1;
    // The view selects port 3's item (as after its own edits): neither the
    // current port nor the selection change.
    SelectPortInListPanel(3);
    EXPECT_EQ(Tree().GetSelectedItem(), PortItem(3));
    EXPECT_EQ(View().m_currentPort, 1);
    EXPECT_TRUE(SelectedPorts().empty());
    // A rebuild keeps the view's selection too.
    SelectPort(Doc().GetLayout(), 0);
    RebuildListPanelTree();
    EXPECT_EQ(SelectedPorts(), (std::vector<int> { 0 }));
    // Port numbers beyond a controller stop the walk without selecting.
    Tree().SelectItem(nullptr);
    m_panel.SelectBarInTree(99);
    EXPECT_EQ(Tree().GetSelectedItem(), nullptr);
}

TEST_F(ListPanelTest, ClickingAPortWithDirectWiringStartsWiringIt)
{
    Build({ 2, 2 }, { 3, 4, 5, 6 });
    WireSelectedPortDirectly = 1;
    ClickItem(PortItem(2));
    fwtest::PumpPending();
    WireSelectedPortDirectly = 0;
    EXPECT_EQ(View().m_currentPort, 2);
    EXPECT_EQ(View().m_editMode, 1);
}

TEST_F(ListPanelTest, RightClickOpensTheMenuOfTheItemRelabelled)
{
    Build({ 2, 2 }, { 3, 4, 5, 6 });
    const struct {
        HTREEITEM item;
        UINT firstCommand;
        UINT relabelled;
        int key;
    } rows[] = {
        { Tree().GetRootItem(), ID_ROOT_ADD_CARD, ID_ROOT_BATCH, 198 },
        { ControllerItem(1), ID_CARD_INSERT, ID_CARD_SWAP, 199 },
        { PortItem(1), ID_PORT_MANUAL_WIRING, ID_PORT_INSERT, 53 },
    };
    for (const auto& row : rows) {
        m_panel.m_menus.clear();
        RightClickItem(row.item);
        ASSERT_EQ(m_panel.m_menus.size(), 1u);
        const ShownMenu& menu = m_panel.m_menus[0];
        ASSERT_FALSE(menu.items.empty());
        EXPECT_EQ(menu.items[0].id, row.firstCommand);
        EXPECT_EQ(menu.Text(row.relabelled), GetLangText(L"LAYOUT", row.key));
    }
    // Commands the panel does not carry are shown disabled, never silent.
    const ShownMenu& port = m_panel.m_menus[0];
    EXPECT_FALSE(port.Enabled(ID_PORT_PASTE));
    EXPECT_TRUE(port.Enabled(ID_PORT_FAST_WIRING));
    EXPECT_TRUE(port.Enabled(ID_PORT_ARRANGE));
    EXPECT_TRUE(port.Enabled(ID_PORT_INSERT));
    EXPECT_TRUE(port.Enabled(ID_PORT_RED));
    m_panel.m_menus.clear();
    RightClickItem(Tree().GetRootItem());
    EXPECT_FALSE(m_panel.m_menus[0].Enabled(ID_ROOT_OUTPUT_FILE));
    EXPECT_TRUE(m_panel.m_menus[0].Enabled(ID_ROOT_REVERSE_DATA));
}

// Each item of the three tree menus, popup titles included, speaks the
// chosen language: none keeps its Chinese resource text in English or French.
TEST_F(ListPanelTest, EveryTreeMenuItemSpeaksEnglishAndFrench)
{
    for (int language : { 1, 4 }) {
        SetLangTextLanguage(language);
        Build({ 2, 2 }, { 3, 4, 5, 6 });
        for (HTREEITEM item : { Tree().GetRootItem(), ControllerItem(1), PortItem(1) }) {
            m_panel.m_menuTexts.clear();
            RightClickItem(item);
            ASSERT_FALSE(m_panel.m_menuTexts.empty()) << language;
            for (const fwtest::CShownText& shown : m_panel.m_menuTexts)
                EXPECT_FALSE(fwtest::HoldsChinese(shown.strText))
                    << "language " << language << ": " << fwtest::Utf8(shown.strWhere) << " > "
                    << fwtest::Utf8(shown.strText);
        }
    }
    SetLangTextLanguage(2);
}

TEST_F(ListPanelTest, ALockedLayoutOpensNoMenuButClicksStillSelect)
{
    Build({ 2 }, { 3, 4 });
    LayoutLock = 1;
    RightClickItem(PortItem(1));
    ClickItem(PortItem(0));
    LayoutLock = 0;
    EXPECT_TRUE(m_panel.m_menus.empty());
    EXPECT_EQ(View().m_currentPort, 0);
}

TEST_F(ListPanelTest, EnterDoesNotEndThePanel)
{
    Build({ 1 }, { 1 });
    MSG msg = {};
    msg.hwnd = Tree().GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_RETURN;
    EXPECT_TRUE(m_panel.PreTranslateMessage(&msg));
    EXPECT_TRUE(::IsWindow(m_panel.GetSafeHwnd()));
}

TEST_F(ListPanelTest, ExpandAndCollapseTouchTheControllersOnly)
{
    Build({ 1, 1 }, { 1, 1 });
    fwtest::ClickButton(m_panel, IDC_PANEL_COLLAPSE);
    EXPECT_FALSE(Expanded(ControllerItem(0)));
    EXPECT_TRUE(Expanded(Tree().GetRootItem()));
    fwtest::ClickButton(m_panel, IDC_PANEL_EXPAND);
    EXPECT_TRUE(Expanded(ControllerItem(1)));
}

TEST_F(ListPanelTest, LampTypeComboListsTheProjectFormats)
{
    Build({ 1 }, { 1 });
    LampTypeList.Add(L"RGBW");
    m_panel.FillLampTypeCombo();
    ASSERT_EQ(m_panel.m_cbLampType.GetCount(), 2);
    CString second;
    m_panel.m_cbLampType.GetLBText(1, second);
    EXPECT_EQ(second, L"(2): RGBW");
    EXPECT_EQ(m_panel.m_cbLampType.GetCurSel(), 0);
    // Choosing a port shows its format.
    Doc().GetLayout().GetPort(0).m_lampFormatIndex = 1;
    Tree().SelectItem(PortItem(0));
    EXPECT_EQ(m_panel.m_cbLampType.GetCurSel(), 1);
}

TEST_F(ListPanelTest, RightClickBelowTheItemsOpensTheMenuOfTheSelection)
{
    Build({ 1 }, { 1 });
    CRect client;
    Tree().GetClientRect(&client);
    CPoint below(client.CenterPoint().x, client.bottom - 2);
    Tree().ClientToScreen(&below);
    const struct {
        HTREEITEM selected;
        UINT firstCommand;
    } rows[] = { { nullptr, ID_ROOT_ADD_CARD }, { PortItem(0), ID_PORT_MANUAL_WIRING },
        { Tree().GetRootItem(), ID_ROOT_ADD_CARD } };
    for (const auto& row : rows) {
        Tree().SelectItem(row.selected);
        m_panel.m_menus.clear();
        m_panel.m_cursor = below;
        m_panel.OnTreeRightClick();
        ASSERT_EQ(m_panel.m_menus.size(), 1u);
        EXPECT_EQ(m_panel.m_menus[0].items[0].id, row.firstCommand);
    }
}

TEST_F(ListPanelTest, DoubleClickingALampInTheViewSelectsItsPortItemOnly)
{
    Build({ 2, 2 }, { 3, 4, 5, 6 });
    View().SetEditMode(0);
    const CRect layout = View().LayoutRectInClient();
    const double z = View().m_zoom;
    // Lamp 2 of port 2 sits on cell (1, 2).
    const CPoint client(layout.left + static_cast<int>((1 + 0.5) * z), layout.top + static_cast<int>((2 + 0.5) * z));
    View().SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(client.x, client.y));
    EXPECT_EQ(View().m_currentPort, 2);
    EXPECT_EQ(Tree().GetSelectedItem(), PortItem(2));
    // The tree did not act on its own selection: the view's selection is its own.
    EXPECT_EQ(SelectedPorts(), (std::vector<int> { 2 }));
    EXPECT_EQ(m_panel.m_nItemData, 0);
}
