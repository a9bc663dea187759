// Every shortcut that the editor's menus show works from the keyboard in the
// view: the keys go the way the message loop takes them (the window with
// the focus after a click in the view, the frame's accelerators, the view's
// own key handling), and each command does its work.
#include "EditWindowFixture.h"

#include "BarDlg.h"
#include "LayoutSelection.h"
#include "ListPanelResource.h"
#include "PannexEditResource.h"
#include "PannexResource.h"

using namespace pannextest;

namespace {

// A menu item that shows a shortcut after its tab.
struct ListedShortcut {
    CString menu;
    UINT id = 0;
    CString keys; // "Ctrl+C", "Del"
};

void CollectShortcuts(HMENU menu, const CString& name, std::vector<ListedShortcut>& out)
{
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            CollectShortcuts(sub, name, out);
            continue;
        }
        WCHAR text[256] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 255, MF_BYPOSITION);
        const CString label(text);
        const int tab = label.Find(L'\t');
        if (tab >= 0)
            out.push_back({ name, ::GetMenuItemID(menu, i), label.Mid(tab + 1) });
    }
}

// The keys of a shortcut text; false for a text this test cannot press.
bool ParseKeys(CString keys, bool& ctrl, UINT& key)
{
    ctrl = false;
    if (keys.Left(5).CompareNoCase(L"Ctrl+") == 0) {
        ctrl = true;
        keys = keys.Mid(5);
    }
    if (keys.CompareNoCase(L"Del") == 0 || keys.CompareNoCase(L"Delete") == 0) {
        key = VK_DELETE;
        return true;
    }
    if (keys.GetLength() == 1 && ((keys[0] >= L'A' && keys[0] <= L'Z') || (keys[0] >= L'0' && keys[0] <= L'9'))) {
        key = keys[0];
        return true;
    }
    return false;
}

void SetCtrl(bool down)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const BYTE state = down ? 0x80 : 0;
    keys[VK_CONTROL] = state;
    keys[VK_LCONTROL] = state;
    ::SetKeyboardState(keys);
}

// Presses and releases the keys at the window that has the focus; the
// messages are queued and taken by the application's loop.
void Press(bool ctrl, UINT key)
{
    HWND target = ::GetFocus();
    ASSERT_NE(target, nullptr);
    if (ctrl) {
        SetCtrl(true);
        ::PostMessageW(target, WM_KEYDOWN, VK_CONTROL, 1);
    }
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    fwtest::PumpPending();
    ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    if (ctrl)
        ::PostMessageW(target, WM_KEYUP, VK_CONTROL, 0xC0000001);
    fwtest::PumpPending();
    if (ctrl)
        SetCtrl(false);
}

} // namespace

class PannexShortcutTest : public PannexEditWindowTest {
protected:
    // Three lamps of port 0 on row 2 and one of port 1 (so that deleting
    // port 0's lamps is an undoable edit), nothing floating, mode 0.
    void ThreeLamps()
    {
        LayoutPort& other = Model().GetPort(1);
        other.ClearPoints();
        CLPoint single(10, 6);
        single.m_normX = 10.5 / 20;
        single.m_normY = 6.5 / 10;
        other.InsertPoints(&single, 1);
        other.UpdateBounds();
        m_view->ShowTemplate(false);
        m_view->SetEditMode(0);
        LayoutPort& port = Model().GetPort(0);
        port.ClearPoints();
        for (int x = 2; x <= 4; ++x) {
            CLPoint lamp(x, 2);
            lamp.m_normX = (x + 0.5) / 20;
            lamp.m_normY = 2.5 / 10;
            port.InsertPoints(&lamp, 1);
        }
        port.UpdateBounds();
        Model().RebuildUsedPorts();
    }
    int Lamps() { return Model().GetPort(0).GetCount(); }
    // A click on an empty cell, as the user would before typing.
    void ClickEmpty()
    {
        Click(15, 8);
        ASSERT_EQ(::GetFocus(), m_view->GetSafeHwnd());
    }
    // The items of the view's edit menu, as a right click shows it.
    std::vector<ListedShortcut> EditMenuShortcuts()
    {
        std::vector<ListedShortcut> found;
        m_view->m_trackMenu = [&](CMenu& menu, CPoint) { CollectShortcuts(menu.GetSafeHmenu(), L"edit", found); };
        Send(WM_MOUSEMOVE, 15, 8);
        Send(WM_RBUTTONDOWN, 15, 8, MK_RBUTTON);
        Send(WM_RBUTTONUP, 15, 8);
        m_view->m_trackMenu = nullptr;
        return found;
    }
};

TEST_F(PannexShortcutTest, EveryShortcutTheMenusShowWorksInTheView)
{
    fwtest::CScriptedUiHost host;
    std::vector<ListedShortcut> listed;
    CMenu* main = m_session->Frame()->GetMenu();
    ASSERT_NE(main, nullptr);
    CollectShortcuts(main->GetSafeHmenu(), L"main", listed);
    const std::vector<ListedShortcut> edit = EditMenuShortcuts();
    listed.insert(listed.end(), edit.begin(), edit.end());

    struct Check {
        UINT id;
        std::function<void()> before;
        std::function<void()> after;
    };
    CMainFrame& frame = *m_session->Frame();
    const CString saved = TempFile(L"pannex shortcut save.lpx");
    ::DeleteFileW(saved);
    bool newAsked = false;
    std::unique_ptr<CDriveNext> settings;
    const Check checks[] = {
        { ID_EDIT_COPY, [&] { SelectPort(Model(), 0); },
            [&] {
                EXPECT_EQ(m_view->m_templateShown, 1);
                ASSERT_EQ(m_view->m_copyBuffer.m_ports.size(), 1u);
                EXPECT_EQ(m_view->m_copyBuffer.m_ports[0].GetCount(), 3);
                EXPECT_EQ(Lamps(), 3);
            } },
        { ID_EDIT_CUT, [&] { SelectPort(Model(), 0); },
            [&] {
                EXPECT_EQ(m_view->m_templateShown, 1);
                EXPECT_EQ(Lamps(), 0);
            } },
        { ID_EDIT_CLEAR, [&] { SelectPort(Model(), 0); },
            [&] {
                EXPECT_EQ(Lamps(), 0);
                EXPECT_EQ(m_view->m_templateShown, 0);
            } },
        { ID_EDIT_UNDO,
            [&] {
                SelectPort(Model(), 0);
                fwtest::SendCommand(frame, ID_EDIT_CLEAR);
                ASSERT_EQ(Lamps(), 0);
            },
            [&] { EXPECT_EQ(Lamps(), 3); } },
        { ID_EDIT_REDO,
            [&] {
                SelectPort(Model(), 0);
                fwtest::SendCommand(frame, ID_EDIT_CLEAR);
                fwtest::SendCommand(frame, ID_EDIT_UNDO);
                ASSERT_EQ(Lamps(), 3);
            },
            [&] { EXPECT_EQ(Lamps(), 0); } },
        // The layout has no file yet: Save asks for one.
        { ID_FILE_SAVE,
            [&] {
                Model().m_modified = 1;
                host.ExpectFileSave(saved);
            },
            [&] {
                EXPECT_EQ(host.PendingCount(), 0u);
                EXPECT_FALSE(m_session->Doc()->IsModified());
                EXPECT_EQ(m_session->Doc()->GetPathName().CompareNoCase(saved), 0);
            } },
        { ID_FILE_OPEN, [&] { host.ExpectFileOpen({}); }, [&] { EXPECT_EQ(host.PendingCount(), 0u); } },
        // New asks for the project settings first.
        { ID_FILE_NEW,
            [&] {
                Model().m_modified = 0;
                settings = std::make_unique<CDriveNext>([&](CDialog& live) {
                    newAsked = true;
                    fwtest::ClickButton(live, IDCANCEL);
                });
            },
            [&] {
                EXPECT_TRUE(newAsked);
                settings.reset();
            } },
    };

    // The shortcuts the user is shown, in both menus.
    std::vector<UINT> ids;
    for (const ListedShortcut& item : listed)
        ids.push_back(item.id);
    for (UINT id : { ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_COPY, ID_EDIT_CUT,
             ID_EDIT_CLEAR })
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << "no shortcut shown for command " << id;

    for (const ListedShortcut& item : listed) {
        SCOPED_TRACE(CStringA(item.menu + L" menu, " + item.keys).GetString());
        bool ctrl = false;
        UINT key = 0;
        ASSERT_TRUE(ParseKeys(item.keys, ctrl, key));
        const Check* check = nullptr;
        for (const Check& c : checks)
            if (c.id == item.id)
                check = &c;
        ASSERT_NE(check, nullptr) << "a shortcut without a check, command " << item.id;
        ThreeLamps();
        ClickEmpty();
        check->before();
        Press(ctrl, key);
        check->after();
    }
    ::DeleteFileW(saved);
}

TEST_F(PannexShortcutTest, TheLampFormatsBoxKeepsItsClipboardKeys)
{
    // Ctrl+C typed into the list panel's lamp format box copies its text,
    // not the selected lamps.
    CBarDlg* panel = GetListPanel();
    ASSERT_NE(panel, nullptr);
    ThreeLamps();
    SelectPort(Model(), 0);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetComboBoxInfo(panel->m_cbLampType.GetSafeHwnd(), &info));
    ASSERT_NE(info.hwndItem, nullptr);
    ::SetFocus(info.hwndItem);
    ASSERT_EQ(::GetFocus(), info.hwndItem);
    for (UINT key : { 'C', 'X' }) {
        Press(true, key);
        EXPECT_EQ(m_view->m_templateShown, 0) << static_cast<char>(key);
        EXPECT_EQ(Lamps(), 3) << static_cast<char>(key);
    }
}

TEST_F(PannexShortcutTest, AClickWithoutAMoveGivesTheViewTheKeys)
{
    // The keys were in the list panel; a press and release on the view
    // (no move over it first) and Ctrl+C copies the selected lamps.
    CBarDlg* panel = GetListPanel();
    ASSERT_NE(panel, nullptr);
    ThreeLamps();
    ::SetFocus(panel->m_treeCards.GetSafeHwnd());
    ASSERT_EQ(::GetFocus(), panel->m_treeCards.GetSafeHwnd());
    Send(WM_LBUTTONDOWN, 15, 8, MK_LBUTTON);
    Send(WM_LBUTTONUP, 15, 8);
    EXPECT_EQ(::GetFocus(), m_view->GetSafeHwnd());
    SelectPort(Model(), 0);
    Press(true, 'C');
    EXPECT_EQ(m_view->m_templateShown, 1);
}
