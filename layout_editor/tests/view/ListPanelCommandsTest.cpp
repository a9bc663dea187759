// The list panel's commands on the running editor, through its menus and
// the real dialogs they open: inserting and deleting ports and controllers,
// interval clear, clearing all wiring (one controller, or a range), swaps,
// reverse data, the batch controller dialog and the port selection dialog.
#include "PanelTestSupport.h"

#include "CleanCardSelDlg.h"
#include "ListPanelResource.h"
#include "ReverseDataAllDlg.h"
#include "SelPortDlg.h"

using namespace pannextest;

namespace {

// Former row of each port's first lamp (the fixture puts port i's lamps on
// row i); -1 for an empty port.
std::vector<int> Contents(const CLayoutData& model)
{
    std::vector<int> out;
    for (int p = 0; p < model.GetPortCount(); ++p)
        out.push_back(model.GetPort(p).GetCount() == 0 ? -1 : model.GetPort(p).GetPoint(0).y);
    return out;
}

std::vector<int> Counts(const CControllerList& list)
{
    std::vector<int> out;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        out.push_back(list.GetAt(i));
    return out;
}

// Types the text into the input dialog and presses OK.
std::function<void(CDialog&)> Enter(LPCWSTR text)
{
    return [text](CDialog& dlg) {
        fwtest::SetItemText(dlg, IDC_INPUT_VALUE, text);
        fwtest::ClickButton(dlg, IDOK);
    };
}

class CTestReverseDlg : public CReverseDataAllDlg {
public:
    CPoint m_cursor;

protected:
    CPoint GetCursorScreenPos() const override { return m_cursor; }
};

} // namespace

TEST_F(ListPanelTest, InsertPortKeepsEveryLamp)
{
    struct Row {
        const char* name;
        std::vector<int> lamps;
        std::vector<int> controllers;
        std::vector<int> contents;
    };
    const Row rows[] = {
        { "last port empty", { 1, 1, 1, 0 }, { 4 }, { 0, -1, 1, 2 } },
        { "last port used", { 1, 1, 1, 1 }, { 4, 8 }, { 0, -1, 1, 2, 3, -1, -1, -1, -1, -1, -1, -1 } },
    };
    for (const Row& row : rows) {
        Build({ 4 }, row.lamps);
        m_ui.ExpectMessageBox(IDYES);
        Command(PortItem(1), ID_PORT_INSERT);
        EXPECT_EQ(Counts(View().m_settings.m_controllers), row.controllers) << row.name;
        EXPECT_EQ(Contents(Doc().GetLayout()), row.contents) << row.name;
        EXPECT_EQ(View().m_settings.m_controllerCount, static_cast<int>(row.controllers.size())) << row.name;
        EXPECT_EQ(Labels().size(), 1 + row.controllers.size() + row.contents.size()) << row.name;
        EXPECT_EQ(Doc().GetLayout().m_modified, 1) << row.name;
    }
}

TEST_F(ListPanelTest, DeclinedQuestionsChangeNothing)
{
    Build({ 4 }, { 1, 1, 1, 1 });
    for (UINT id : { ID_PORT_INSERT, ID_PORT_DELETE, ID_PORT_CLEAR_WIRING }) {
        m_ui.ExpectMessageBox(IDNO);
        Command(PortItem(1), id);
    }
    EXPECT_EQ(Contents(Doc().GetLayout()), (std::vector<int> { 0, 1, 2, 3 }));
    EXPECT_EQ(Doc().GetLayout().m_modified, 0);
}

TEST_F(ListPanelTest, DeletePortKeepsThePortCount)
{
    Build({ 4 }, { 1, 1, 1, 1 });
    m_ui.ExpectMessageBox(IDYES);
    Command(PortItem(1), ID_PORT_DELETE);
    EXPECT_EQ(Contents(Doc().GetLayout()), (std::vector<int> { 0, 2, 3, -1 }));
    EXPECT_EQ(Counts(View().m_settings.m_controllers), (std::vector<int> { 4 }));
}

TEST_F(ListPanelTest, IntervalClearWithOneKeepsEveryOtherLampAndDropsTheHistory)
{
    Build({ 2 }, { 7, 2 });
    Doc().GetLayout().ClearPortPoints(1);
    ASSERT_EQ(Doc().GetLayout().GetStepCount(), 1);
    CDriveNext drive(Enter(L"1"));
    Command(PortItem(0), ID_PANEL_INTERVAL_CLEAR);
    EXPECT_TRUE(drive.Driven());
    const LayoutPort& port = Doc().GetLayout().GetPort(0);
    std::vector<int> kept;
    for (int i = 0; i < port.GetCount(); ++i)
        kept.push_back(port.GetPoint(i).x + 1);
    EXPECT_EQ(kept, (std::vector<int> { 1, 3, 5, 7 }));
    EXPECT_EQ(Doc().GetLayout().GetStepCount(), 0);
    // The tree shows the new count.
    EXPECT_EQ(Tree().GetItemText(PortItem(0)), PortLabel(LoadTreeLabelTexts(), 1, 1, 4));
}

TEST_F(ListPanelTest, ClearAllWiringOfOneControllerAsks)
{
    Build({ 2 }, { 3, 2 });
    m_ui.ExpectMessageBox(IDYES);
    Command(Tree().GetRootItem(), ID_ROOT_CLEAR_ALL);
    EXPECT_EQ(Contents(Doc().GetLayout()), (std::vector<int> { -1, -1 }));
    EXPECT_EQ(Doc().GetLayout().GetStepCount(), 2);
}

TEST_F(ListPanelTest, ClearAllWiringOfSeveralControllersTakesARange)
{
    Build({ 1, 1, 1 }, { 1, 1, 1 });
    CDriveNext drive([](CDialog& dlg) {
        fwtest::SetItemText(dlg, IDC_CARD_FIRST, L"2");
        fwtest::SetItemText(dlg, IDC_CARD_SECOND, L"3");
        fwtest::ClickButton(dlg, IDOK);
    });
    Command(Tree().GetRootItem(), ID_ROOT_CLEAR_ALL);
    EXPECT_EQ(Contents(Doc().GetLayout()), (std::vector<int> { 0, -1, -1 }));
    EXPECT_EQ(Doc().GetLayout().m_modified, 1);
}

TEST_F(ListPanelTest, ATypedRangeOutsideTheControllersIsRefused)
{
    Build({ 1, 1, 1 }, { 1, 1, 1 });
    struct Row {
        LPCWSTR first;
        LPCWSTR last;
    };
    for (const Row& row : { Row { L"0", L"2" }, Row { L"2", L"9" }, Row { L"3", L"2" } }) {
        m_ui.ExpectMessageBox(IDOK, L"between");
        CDriveNext drive([&](CDialog& dlg) {
            fwtest::SetItemText(dlg, IDC_CARD_FIRST, row.first);
            fwtest::SetItemText(dlg, IDC_CARD_SECOND, row.last);
            fwtest::ClickButton(dlg, IDOK);
            // The range message came and OK did not end the dialog.
            fwtest::ClickButton(dlg, IDCANCEL);
        });
        Command(Tree().GetRootItem(), ID_ROOT_CLEAR_ALL);
    }
    EXPECT_EQ(Contents(Doc().GetLayout()), (std::vector<int> { 0, 1, 2 }));
}

TEST(CleanCardSelDlg, ArrowsKeepTheRangeInsideTheControllers)
{
    struct Row {
        const char* name;
        bool first;
        int delta;
        int startFirst, startLast;
        int wantFirst, wantLast;
    };
    const Row rows[] = {
        { "first up", true, -1, 1, 3, 2, 3 },
        { "first up at last", true, -1, 3, 3, 3, 3 },
        { "first down at 1", true, 1, 1, 3, 1, 3 },
        { "last down at first", false, 1, 2, 2, 2, 2 },
        { "last up at count", false, -1, 1, 4, 1, 4 },
        { "last up", false, -1, 1, 2, 1, 3 },
        { "other delta", false, 5, 1, 2, 1, 2 },
    };
    for (const Row& row : rows) {
        CCleanCardSelDlg dlg;
        dlg.m_nFirst = row.startFirst;
        dlg.m_nLast = row.startLast;
        dlg.m_nCount = 4;
        fwtest::RunModal(dlg, [&](CDialog& live) {
            auto& d = static_cast<CCleanCardSelDlg&>(live);
            if (row.first)
                d.StepFirst(row.delta);
            else
                d.StepLast(row.delta);
            EXPECT_EQ(fwtest::GetItemText(live, IDC_CARD_FIRST), CString(std::to_wstring(row.wantFirst).c_str()))
                << row.name;
            EXPECT_EQ(fwtest::GetItemText(live, IDC_CARD_SECOND), CString(std::to_wstring(row.wantLast).c_str()))
                << row.name;
            fwtest::ClickButton(live, IDOK);
        });
        EXPECT_EQ(dlg.m_nFirst, row.wantFirst) << row.name;
        EXPECT_EQ(dlg.m_nLast, row.wantLast) << row.name;
    }
}

TEST_F(ListPanelTest, SwapControllersOfEightAndFourPorts)
{
    Build({ 8, 4 }, std::vector<int>(12, 1));
    CDriveNext drive([&](CDialog& dlg) {
        // Itself: nothing, not even "完成".
        fwtest::SetItemText(dlg, IDC_CARD_FIRST, L"2");
        fwtest::SetItemText(dlg, IDC_CARD_SECOND, L"2");
        fwtest::ClickButton(dlg, IDC_CARD_SWAP);
        m_ui.ExpectMessageBox(IDOK, L"卡号设置错误");
        fwtest::SetItemText(dlg, IDC_CARD_SECOND, L"3");
        fwtest::ClickButton(dlg, IDC_CARD_SWAP);
        m_ui.ExpectMessageBox(IDOK, L"完成");
        fwtest::SetItemText(dlg, IDC_CARD_FIRST, L"1");
        fwtest::SetItemText(dlg, IDC_CARD_SECOND, L"2");
        fwtest::ClickButton(dlg, IDC_CARD_SWAP);
        dlg.EndDialog(IDCANCEL);
    });
    Command(ControllerItem(0), ID_CARD_SWAP);
    EXPECT_EQ(Contents(Doc().GetLayout()), (std::vector<int> { 8, 9, 10, 11, 4, 5, 6, 7, 0, 1, 2, 3 }));
    EXPECT_EQ(Doc().GetLayout().m_modified, 1);
}

TEST_F(ListPanelTest, SwapPortsChecksItsNumbers)
{
    Build({ 16, 4 }, std::vector<int>(20, 1));
    CDriveNext drive([&](CDialog& dlg) {
        const struct {
            LPCWSTR ca, pa, cb, pb, message;
        } rows[] = {
            { L"1", L"9", L"1", L"1", L"端口号设置错误" },
            { L"1", L"1", L"2", L"6", L"端口号设置错误" },
            { L"3", L"1", L"1", L"1", L"卡号设置错误" },
            { L"1", L"2", L"2", L"4", L"完成" },
        };
        for (const auto& row : rows) {
            fwtest::SetItemText(dlg, IDC_CARD_FIRST, row.ca);
            fwtest::SetItemText(dlg, IDC_SWAP_PORT_A, row.pa);
            fwtest::SetItemText(dlg, IDC_CARD_SECOND, row.cb);
            fwtest::SetItemText(dlg, IDC_SWAP_PORT_B, row.pb);
            m_ui.ExpectMessageBox(IDOK, row.message);
            fwtest::ClickButton(dlg, IDC_CARD_SWAP);
        }
        dlg.EndDialog(IDCANCEL);
    });
    Command(PortItem(0), ID_PORT_SWAP);
    EXPECT_EQ(Contents(Doc().GetLayout())[1], 19);
    EXPECT_EQ(Contents(Doc().GetLayout())[19], 1);
}

TEST_F(ListPanelTest, ReverseDataTreePropagatesChecksAndOkSetsTheFlags)
{
    Build({ 2, 2 }, { 1, 1, 1, 1 });
    Doc().GetLayout().GetPort(3).m_dataReversed = 1;
    CTestReverseDlg dlg;
    fwtest::RunModal(dlg, [&](CDialog&) {
        CTreeCtrl& tree = dlg.m_tree;
        HTREEITEM root = tree.GetRootItem();
        HTREEITEM first = tree.GetChildItem(root);
        HTREEITEM second = tree.GetNextSiblingItem(first);
        EXPECT_TRUE(tree.GetCheck(tree.GetNextSiblingItem(tree.GetChildItem(second))));
        EXPECT_FALSE(tree.GetCheck(tree.GetChildItem(second)));
        // A click on the first controller's check box checks its ports.
        CRect rect;
        tree.GetItemRect(first, &rect, TRUE);
        CPoint box(rect.left - 8, rect.CenterPoint().y);
        UINT flags = 0;
        ASSERT_EQ(tree.HitTest(box, &flags), first);
        ASSERT_NE(flags & TVHT_ONITEMSTATEICON, 0u);
        tree.ClientToScreen(&box);
        dlg.m_cursor = box;
        NMHDR click = { tree.GetSafeHwnd(), IDC_REVERSE_TREE, static_cast<UINT>(NM_CLICK) };
        dlg.SendMessage(WM_NOTIFY, IDC_REVERSE_TREE, reinterpret_cast<LPARAM>(&click));
        EXPECT_TRUE(tree.GetCheck(tree.GetChildItem(first)));
        // Unchecking one port leaves its controller checked; OK takes the ports.
        tree.SetCheck(tree.GetNextSiblingItem(tree.GetChildItem(second)), FALSE);
        tree.SetCheck(second, TRUE);
        fwtest::ClickButton(dlg, IDOK);
    });
    std::vector<int> flags;
    for (int p = 0; p < 4; ++p)
        flags.push_back(Doc().GetLayout().GetPort(p).m_dataReversed);
    EXPECT_EQ(flags, (std::vector<int> { 1, 1, 0, 0 }));
    EXPECT_EQ(Doc().GetLayout().m_modified, 1);
}

TEST_F(ListPanelTest, BatchDeleteOfEntriesZeroAndTwoLeavesControllersTwoAndFour)
{
    Build({ 1, 1, 1, 1 }, { 1, 1, 1, 1 });
    fwtest::SendCommand(m_panel, ID_ROOT_BATCH);
    CBatchCardDlg& batch = m_panel.m_dlgBatchCard;
    ASSERT_TRUE(::IsWindowVisible(batch.GetSafeHwnd()));
    ASSERT_EQ(batch.m_lbControllers.GetCount(), 4);
    batch.m_lbControllers.SetCheck(0, BST_CHECKED);
    batch.m_lbControllers.SetCheck(2, BST_CHECKED);
    m_ui.ExpectMessageBox(IDYES);
    fwtest::ClickButton(batch, IDC_BATCH_DELETE);
    EXPECT_EQ(Contents(Doc().GetLayout()), (std::vector<int> { 1, 3 }));
    EXPECT_EQ(batch.m_lbControllers.GetCount(), 2);
    EXPECT_EQ(batch.m_lbControllers.GetCheck(0), BST_UNCHECKED);
    EXPECT_EQ(Labels().size(), 5u);
    batch.ShowWindow(SW_HIDE);
}

TEST_F(ListPanelTest, BatchClearGivesOneStepPerControllerAndKeepsChecks)
{
    Build({ 2, 2, 2 }, { 1, 1, 1, 1, 1, 1 });
    fwtest::SendCommand(m_panel, ID_ROOT_BATCH);
    CBatchCardDlg& batch = m_panel.m_dlgBatchCard;
    fwtest::ClickButton(batch, IDC_BATCH_ALL);
    fwtest::ClickButton(batch, IDC_BATCH_INVERT);
    batch.m_lbControllers.SetCheck(0, BST_CHECKED);
    batch.m_lbControllers.SetCheck(2, BST_CHECKED);
    m_ui.ExpectMessageBox(IDYES);
    fwtest::ClickButton(batch, IDC_BATCH_CLEAR);
    EXPECT_EQ(Contents(Doc().GetLayout()), (std::vector<int> { -1, -1, 2, 3, -1, -1 }));
    EXPECT_EQ(Doc().GetLayout().GetStepCount(), 2);
    // Shown again with the same controllers: the checks stay.
    batch.ShowWindow(SW_HIDE);
    batch.ShowWindow(SW_SHOW);
    EXPECT_EQ(batch.m_lbControllers.GetCheck(2), BST_CHECKED);
    // A controller added elsewhere: every entry is new and unchecked.
    batch.ShowWindow(SW_HIDE);
    Command(Tree().GetRootItem(), ID_ROOT_ADD_CARD);
    batch.ShowWindow(SW_SHOW);
    EXPECT_EQ(batch.m_lbControllers.GetCount(), 4);
    EXPECT_EQ(batch.CheckedFromLast(), std::vector<int> {});
    batch.ShowWindow(SW_HIDE);
}

TEST_F(ListPanelTest, SelectPortsLikeAReferenceController)
{
    Build({ 3, 3, 2 }, {});
    CSelPortDlg dlg;
    fwtest::RunModal(dlg, [&](CDialog&) {
        ASSERT_EQ(dlg.m_list.GetItemCount(), 8);
        EXPECT_EQ(dlg.m_list.GetItemText(3, 0), L"端口1");
        EXPECT_EQ(dlg.m_list.GetItemText(3, 1), L"控制器2");
        dlg.m_list.SetCheck(3, TRUE);
        dlg.m_list.SetCheck(5, TRUE);
        dlg.m_list.SetCheck(7, TRUE);
        fwtest::SetItemText(dlg, IDC_SEL_PORT_REFERENCE, L"2");
        m_ui.ExpectMessageBox(IDYES, L"确定参考控制器2选择?");
        fwtest::ClickButton(dlg, IDC_SEL_PORT_PATTERN);
        // Out of range: silently nothing.
        fwtest::SetItemText(dlg, IDC_SEL_PORT_REFERENCE, L"4");
        fwtest::ClickButton(dlg, IDC_SEL_PORT_PATTERN);
        fwtest::ClickButton(dlg, IDOK);
    });
    std::vector<int> selected;
    for (INT_PTR i = 0; i < dlg.m_selectedPorts.GetSize(); ++i)
        selected.push_back(dlg.m_selectedPorts.GetAt(i));
    EXPECT_EQ(selected, (std::vector<int> { 0, 2, 3, 5, 6 }));
}

TEST_F(ListPanelTest, CommandsMarkTheLayoutModified)
{
    struct Row {
        const char* name;
        int item; // -1 root, -2 controller 0, else port
        UINT id;
        int answer; // question answer, 0 none
        COLORREF colour; // colour picker answer, or CLR_INVALID
    };
    const Row rows[] = {
        { "red", 0, ID_PORT_RED, 0, CLR_INVALID },
        { "custom colour", 0, ID_PORT_CUSTOM_COLOUR, 0, RGB(1, 2, 3) },
        { "clear wiring", 0, ID_PORT_CLEAR_WIRING, IDYES, CLR_INVALID },
        { "controller colour", -2, ID_CARD_COLOUR, 0, RGB(1, 2, 3) },
        { "controller reverse", -2, ID_CARD_REVERSE, 0, CLR_INVALID },
        { "controller clear", -2, ID_CARD_CLEAR_WIRING, IDYES, CLR_INVALID },
        { "controller delete", -2, ID_CARD_DELETE, IDYES, CLR_INVALID },
        { "add controller", -1, ID_ROOT_ADD_CARD, 0, CLR_INVALID },
        { "reverse used", -1, ID_ROOT_REVERSE, 0, CLR_INVALID },
        { "unmask", 0, ID_PORT_UNMASK, 0, CLR_INVALID },
    };
    for (const Row& row : rows) {
        Build({ 2, 2 }, { 3, 3, 3, 3 });
        Doc().GetLayout().GetPort(0).EditPoint(1).m_masked = 1;
        if (row.answer != 0)
            m_ui.ExpectMessageBox(row.answer);
        if (row.colour != CLR_INVALID)
            m_ui.ExpectColor(row.colour);
        HTREEITEM item = row.item == -1 ? Tree().GetRootItem()
            : row.item == -2            ? ControllerItem(0)
                                        : PortItem(row.item);
        Command(item, row.id);
        EXPECT_EQ(Doc().GetLayout().m_modified, 1) << row.name;
    }
}

TEST_F(ListPanelTest, SettingTheControllerCount)
{
    Build({ 8 }, std::vector<int>(8, 1));
    CDriveNext drive([](CDialog& dlg) {
        fwtest::SetItemText(dlg, IDC_CARD_FIRST, L"3");
        fwtest::ClickButton(dlg, IDOK);
    });
    Command(Tree().GetRootItem(), ID_ROOT_CARD_COUNT);
    EXPECT_EQ(Counts(View().m_settings.m_controllers), (std::vector<int> { 8, 8, 8 }));
    EXPECT_EQ(Labels().size(), 1u + 3 + 24);
    EXPECT_EQ(View().m_editMode, 0);
}

TEST_F(ListPanelTest, InsertingControllersSelectsTheFirstNewPort)
{
    Build({ 8, 8 }, std::vector<int>(16, 1));
    CDriveNext drive(Enter(L"2"));
    Command(ControllerItem(1), ID_CARD_INSERT);
    EXPECT_EQ(Counts(View().m_settings.m_controllers), (std::vector<int> { 8, 8, 8, 8 }));
    EXPECT_EQ(Tree().GetSelectedItem(), PortItem(8));
    EXPECT_EQ(Contents(Doc().GetLayout())[24], 8);
}

TEST_F(ListPanelTest, CopyFillsTheViewsCopyBuffer)
{
    Build({ 3, 2 }, { 4, 0, 2, 5, 6 });
    Command(PortItem(0), ID_PORT_COPY);
    EXPECT_EQ(View().m_copyBuffer.m_ports.size(), 1u);
    EXPECT_EQ(View().m_copyBuffer.m_ports[0].GetCount(), 4);
    EXPECT_EQ(View().m_copyBuffer.m_templateMode, 1);
    EXPECT_EQ(View().m_templateShown, 1);
    EXPECT_EQ(View().m_editMode, 0);
    // A controller copies its ports with lamps; the group is its port count.
    Command(ControllerItem(0), ID_CARD_COPY);
    EXPECT_EQ(View().m_copyBuffer.m_ports.size(), 2u);
    EXPECT_EQ(View().m_copyBuffer.m_templateMode, 3);
    // Copying changes nothing saved.
    EXPECT_EQ(Doc().GetLayout().m_modified, 0);
}

TEST_F(ListPanelTest, CopyingAControllerKeepsEveryLampOfAPortThatGrew)
{
    Build({ 3, 2 }, { 4, 0, 2, 5, 6 });
    // The second port holds more lamps than the first port has room for.
    LayoutPort& grown = Doc().GetLayout().GetPort(1);
    ASSERT_TRUE(grown.GrowCapacity(100));
    std::vector<CLPoint> lamps;
    for (int k = 0; k < 100; ++k)
        lamps.emplace_back(k % 50, 10 + k / 50);
    ASSERT_EQ(grown.InsertPoints(lamps.data(), 100), 100);
    Doc().GetLayout().RebuildUsedPorts();
    Command(ControllerItem(0), ID_CARD_COPY);
    ASSERT_EQ(View().m_copyBuffer.m_ports.size(), 3u);
    EXPECT_EQ(View().m_copyBuffer.m_ports[0].GetCount(), 4);
    EXPECT_EQ(View().m_copyBuffer.m_ports[1].GetCount(), 100);
    EXPECT_EQ(View().m_copyBuffer.m_ports[2].GetCount(), 2);
}

TEST_F(ListPanelTest, MaskAndReverseTakeALampRange)
{
    struct Row {
        const char* name;
        UINT id;
        LPCWSTR from;
        LPCWSTR to;
        std::vector<int> masked; // lamp numbers masked afterwards
        std::vector<int> order; // lamp numbers in chain order afterwards
    };
    const Row rows[] = {
        { "mask 0 to 3", ID_PORT_MASK, L"0", L"3", { 1, 2, 3 }, { 1, 2, 3, 4, 5, 6 } },
        { "mask beyond", ID_PORT_MASK, L"5", L"99", { 5, 6 }, { 1, 2, 3, 4, 5, 6 } },
        { "reverse 2 to 5", ID_PORT_REVERSE, L"2", L"5", {}, { 1, 5, 4, 3, 2, 6 } },
        { "reverse beyond", ID_PORT_REVERSE, L"2", L"7", {}, { 1, 2, 3, 4, 5, 6 } },
    };
    for (const Row& row : rows) {
        Build({ 1 }, { 6 });
        CDriveNext drive([&](CDialog& dlg) {
            fwtest::SetItemText(dlg, 1115, row.from);
            fwtest::SetItemText(dlg, 1117, row.to);
            fwtest::ClickButton(dlg, IDOK);
        });
        Command(PortItem(0), row.id);
        EXPECT_TRUE(drive.Driven()) << row.name;
        const LayoutPort& port = Doc().GetLayout().GetPort(0);
        std::vector<int> masked;
        std::vector<int> order;
        for (int i = 0; i < port.GetCount(); ++i) {
            if (port.GetPoint(i).m_masked)
                masked.push_back(i + 1);
            order.push_back(port.GetPoint(i).x + 1);
        }
        EXPECT_EQ(masked, row.masked) << row.name;
        EXPECT_EQ(order, row.order) << row.name;
    }
}

TEST_F(ListPanelTest, LampTypeCommandsRelabelTheTree)
{
    Build({ 2, 2 }, { 1, 1, 1, 1 });
    LampTypeList.Add(L"RGBW");
    m_panel.FillLampTypeCombo();
    auto choose = [](int index) {
        return [index](CDialog& dlg) {
            static_cast<CListBox*>(dlg.GetDlgItem(1024))->SetCurSel(index);
            fwtest::ClickButton(dlg, IDOK);
        };
    };
    {
        CDriveNext drive(choose(1));
        Command(PortItem(1), ID_PORT_LAMP_TYPE);
    }
    EXPECT_EQ(Doc().GetLayout().GetPort(1).m_lampFormatIndex, 1);
    EXPECT_EQ(Tree().GetItemText(PortItem(1)), PortLabel(LoadTreeLabelTexts(), 2, 2, 1));
    EXPECT_EQ(m_panel.m_cbLampType.GetCurSel(), 1);
    {
        CDriveNext drive(choose(1));
        Command(ControllerItem(1), ID_CARD_LAMP_TYPE);
    }
    EXPECT_EQ(Doc().GetLayout().GetPort(3).m_lampFormat, L"RGBW");
    EXPECT_EQ(Tree().GetItemText(PortItem(3)), PortLabel(LoadTreeLabelTexts(), 2, 2, 1));
    {
        CDriveNext drive(choose(0));
        Command(Tree().GetRootItem(), ID_ROOT_LAMP_TYPE);
    }
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(Doc().GetLayout().GetPort(p).m_lampFormatIndex, 0) << p;
    // The batch dialog changes the checked controllers only.
    fwtest::SendCommand(m_panel, ID_ROOT_BATCH);
    CBatchCardDlg& batch = m_panel.m_dlgBatchCard;
    batch.m_lbControllers.SetCheck(1, BST_CHECKED);
    {
        CDriveNext drive(choose(1));
        fwtest::ClickButton(batch, IDC_BATCH_LAMP_TYPE);
    }
    batch.ShowWindow(SW_HIDE);
    EXPECT_EQ(Doc().GetLayout().GetPort(1).m_lampFormatIndex, 0);
    EXPECT_EQ(Doc().GetLayout().GetPort(2).m_lampFormatIndex, 1);
    EXPECT_EQ(Tree().GetItemText(PortItem(2)), PortLabel(LoadTreeLabelTexts(), 2, 1, 1));
}

TEST_F(ListPanelTest, AdjustmentAndPerLampDialogsFollowTheTree)
{
    Build({ 2, 2 }, { 1, 2, 3, 4 });
    Command(PortItem(1), ID_PORT_ADJUST);
    ASSERT_TRUE(m_panel.m_dlgAdjust.IsWindowVisible());
    EXPECT_EQ(m_panel.m_dlgAdjust.GetPortIndex(), 1);
    Command(PortItem(2), ID_PORT_LAMPS_PER_POINT);
    ASSERT_TRUE(m_panel.m_dlgPixLightBar.IsWindowVisible());
    EXPECT_EQ(m_panel.m_dlgPixLightBar.GetPortIndex(), 2);
    EXPECT_EQ(m_panel.m_dlgPixLightBar.m_list.GetItemCount(), 3);
    // Choosing another port in the tree loads it into both shown dialogs.
    Tree().SelectItem(PortItem(3));
    EXPECT_EQ(m_panel.m_dlgAdjust.GetPortIndex(), 3);
    EXPECT_EQ(m_panel.m_dlgPixLightBar.GetPortIndex(), 3);
    m_panel.m_dlgAdjust.ShowWindow(SW_HIDE);
    m_panel.m_dlgPixLightBar.ShowWindow(SW_HIDE);
}
