// Editing end to end in the real Pannex window: mouse and key messages sent
// to the live view, undo and redo sent to the main frame as its menu would,
// the main menu's enabling and the context menu's commands.
#include "EditWindowFixture.h"

#include "EditorSettings.h"
#include "LayoutFile.h"
#include "LayoutLangText.h"
#include "LayoutSelection.h"
#include "PannexEditResource.h"
#include "PannexResource.h"

using namespace pannextest;

TEST_F(PannexEditWindowTest, DrawUndoRedoAndDeleteThroughTheWindow)
{
    fwtest::CScriptedUiHost host;
    m_view->SetEditMode(1);
    Click(2, 3);
    Send(WM_MOUSEMOVE, 5, 3);
    Send(WM_LBUTTONDOWN, 5, 3, MK_LBUTTON);
    Send(WM_MOUSEMOVE, 6, 4, MK_LBUTTON);
    Send(WM_LBUTTONUP, 6, 4);
    ASSERT_EQ(Model().GetPort(0).GetCount(), 5);
    EXPECT_TRUE(m_session->Doc()->IsModified());

    // Undo and redo come from the frame's menu and reach the view.
    CMainFrame* frame = m_session->Frame();
    fwtest::SendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ(Model().GetPort(0).GetCount(), 1);
    fwtest::SendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ(Model().GetPort(0).GetCount(), 0);
    fwtest::SendCommand(*frame, ID_EDIT_REDO);
    fwtest::SendCommand(*frame, ID_EDIT_REDO);
    EXPECT_EQ(Model().GetPort(0).GetCount(), 5);

    // Esc, then a rubber band and the Delete key.
    Key(WM_KEYUP, VK_ESCAPE);
    EXPECT_EQ(m_view->m_editMode, 0);
    Send(WM_MOUSEMOVE, 4, 2);
    Send(WM_LBUTTONDOWN, 4, 2, MK_LBUTTON);
    Send(WM_MOUSEMOVE, 7, 5, MK_LBUTTON);
    Send(WM_LBUTTONUP, 7, 5);
    Key(WM_KEYUP, VK_DELETE);
    ASSERT_EQ(Model().GetPort(0).GetCount(), 1);
    EXPECT_EQ(Model().GetPort(0).GetPoint(0), CPoint(2, 3));
    EXPECT_EQ(Model().m_currentStep, 3);
}

TEST_F(PannexEditWindowTest, MainMenuEnablesUndoAndRedoByTheView)
{
    CMainFrame* frame = m_session->Frame();
    CMenu* main = frame->GetMenu();
    ASSERT_NE(main, nullptr);
    auto state = [&](UINT id) {
        CMenu edit;
        edit.Attach(::GetSubMenu(main->GetSafeHmenu(), 1));
        frame->UpdateMenuCmdUI(&edit);
        const UINT s = ::GetMenuState(edit.GetSafeHmenu(), id, MF_BYCOMMAND);
        edit.Detach();
        return s;
    };
    EXPECT_TRUE(state(ID_EDIT_UNDO) & MF_GRAYED);
    m_view->SetEditMode(1);
    Click(1, 1);
    EXPECT_FALSE(state(ID_EDIT_UNDO) & MF_GRAYED);
    EXPECT_TRUE(state(ID_EDIT_REDO) & MF_GRAYED);
    fwtest::SendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_FALSE(state(ID_EDIT_REDO) & MF_GRAYED);
    // Lamp numbers carry a check mark while shown.
    fwtest::SendCommand(*frame, ID_EDIT_LAMP_NUMBERS);
    EXPECT_TRUE(state(ID_EDIT_LAMP_NUMBERS) & MF_CHECKED);
}

TEST_F(PannexEditWindowTest, RightClickOpensTheEditMenuWhoseCommandsReachTheView)
{
    CMenu* shown = nullptr;
    CPoint at;
    m_view->m_trackMenu = [&](CMenu& menu, CPoint screen) {
        shown = &menu;
        at = screen;
        // The user picks "Edit port" over the lamp.
        ::SendMessageW(m_view->GetSafeHwnd(), WM_COMMAND, ID_EDIT_PORT, 0);
    };
    CLPoint lamp(3, 3);
    lamp.m_normX = 3.5 / 20;
    lamp.m_normY = 3.5 / 10;
    Model().GetPort(1).InsertPoints(&lamp, 1);
    Model().GetPort(1).UpdateBounds();
    Model().RebuildUsedPorts();
    Send(WM_MOUSEMOVE, 3, 3);
    Send(WM_RBUTTONDOWN, 3, 3, MK_RBUTTON);
    Send(WM_RBUTTONUP, 3, 3);
    ASSERT_NE(shown, nullptr);
    POINT client = { 35, 35 };
    ::ClientToScreen(m_view->GetSafeHwnd(), &client);
    EXPECT_EQ(at, CPoint(client));
    EXPECT_EQ(m_view->m_editMode, 1);
    EXPECT_EQ(m_view->m_currentPort, 1);
}

TEST(PannexEditStart, NewLayoutStartsWithTheCommandLinePortsReadyToWire)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({ L"CMD1-0,40,20,4,300,1" });
    ASSERT_TRUE(s.started);
    CLayoutData& model = s.Doc()->GetLayout();
    ASSERT_EQ(model.GetPortCount(), 4);
    // Ports may take the maximum lamp count: one lamp a channel.
    EXPECT_EQ(model.GetPort(0).GetCapacity(), 300);
    EXPECT_EQ(s.View()->m_settings.m_controllers.GetSize(), 1);
    EXPECT_EQ(model.m_width, 40);
    EXPECT_FALSE(s.Doc()->IsModified());
    // A lamp drawn, then File New: an empty layout of the same ports.
    s.View()->SetEditMode(1);
    s.View()->OnLButtonDown(MK_LBUTTON, CPoint(1, 1));
    s.View()->OnLButtonUp(0, CPoint(1, 1));
    ASSERT_EQ(model.GetPort(0).GetCount(), 1);
    s.Doc()->SetModifiedFlag(FALSE);
    {
        // File New asks for the project settings again; OK keeps them.
        CDriveNext ok([](CDialog& live) { fwtest::ClickButton(live, IDOK); });
        fwtest::SendCommand(*s.Frame(), ID_FILE_NEW);
        EXPECT_TRUE(ok.Driven());
    }
    EXPECT_EQ(s.Doc()->GetLayout().GetPortCount(), 4);
    EXPECT_EQ(s.Doc()->GetLayout().GetPort(0).GetCount(), 0);
    EXPECT_EQ(s.Doc()->GetLayout().GetStepCount(), 0);
}

TEST_F(PannexEditWindowTest, ChangeLampTypeOfTheSelectionThroughItsDialog)
{
    CLPoint lamp(3, 3);
    lamp.m_normX = 3.5 / 20;
    lamp.m_normY = 3.5 / 10;
    Model().GetPort(1).InsertPoints(&lamp, 1);
    Model().GetPort(1).UpdateBounds();
    Model().GetPort(1).m_lampFormatIndex = 1;
    Model().RebuildUsedPorts();
    Send(WM_MOUSEMOVE, 2, 2);
    Send(WM_LBUTTONDOWN, 2, 2, MK_LBUTTON);
    Send(WM_MOUSEMOVE, 4, 4, MK_LBUTTON);
    Send(WM_LBUTTONUP, 4, 4);
    int shown = 0;
    AfxSetDialogInitHook([&](CDialog& live) {
        // The panel's modeless dialogs made on the way are not the question.
        if (!live.IsModal())
            return;
        ++shown;
        fwtest::ClickButton(live, IDOK); // the first entry
    });
    ::SendMessageW(m_view->GetSafeHwnd(), WM_COMMAND, ID_EDIT_LAMP_TYPE, 0);
    AfxSetDialogInitHook(nullptr);
    EXPECT_EQ(shown, 1);
    // Entry 0 differs from the port's own format 1: stored as 0 + 1.
    EXPECT_EQ(Model().GetPort(1).GetPoint(0).m_lampFormat, 1);
    EXPECT_TRUE(m_session->Doc()->IsModified());
}

TEST_F(PannexEditWindowTest, TheCoordinateTipFollowsTheCursorWhileTheProjectAsksForIt)
{
    CShowPointDlg* tip = m_view->GetCoordinateTip();
    ASSERT_NE(tip, nullptr);
    ASSERT_NE(tip->GetSafeHwnd(), nullptr);
    m_view->m_settings.m_showXY = 1;
    Send(WM_MOUSEMOVE, 3, 7);
    EXPECT_TRUE(tip->IsWindowVisible());
    EXPECT_EQ(tip->GetText(), L"X=4\r\nY=8");
    POINT cursor = { 35, 75 };
    ::ClientToScreen(m_view->GetSafeHwnd(), &cursor);
    RECT where = {};
    ::GetWindowRect(tip->GetSafeHwnd(), &where);
    EXPECT_EQ(where.left, cursor.x + 13);
    EXPECT_EQ(where.top, cursor.y);
    EXPECT_EQ(where.right - where.left, 53);
    EXPECT_EQ(where.bottom - where.top, 35);

    m_view->m_settings.m_showXY = 0;
    Send(WM_MOUSEMOVE, 4, 7);
    EXPECT_FALSE(tip->IsWindowVisible());
}

TEST_F(PannexEditWindowTest, ARightClickOverTheFloatingTemplateOpensItsMenu)
{
    fwtest::CScriptedUiHost host;
    // A copy of two lamps floats over cells (2, 2) to (4, 2).
    CLPoint a(2, 2);
    CLPoint b(4, 2);
    const CLPoint lamps[] = { a, b };
    Model().GetPort(0).InsertPoints(lamps, 2);
    Model().RebuildUsedPorts();
    SelectPort(Model(), 0);
    ::SendMessageW(m_session->Frame()->GetSafeHwnd(), WM_COMMAND, ID_EDIT_COPY, 0);
    ASSERT_EQ(m_view->m_templateShown, 1);

    std::vector<std::pair<UINT, CString>> shown;
    m_view->m_trackMenu = [&](CMenu& menu, CPoint) {
        shown.clear();
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
            CString text;
            menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
            shown.emplace_back(menu.GetMenuItemID(i), text);
        }
    };
    auto rightClick = [&](int x, int y, int toX) {
        Send(WM_MOUSEMOVE, x, y);
        Send(WM_RBUTTONDOWN, x, y, MK_RBUTTON);
        if (toX != x)
            Send(WM_MOUSEMOVE, toX, y, MK_RBUTTON);
        Send(WM_RBUTTONUP, toX, y);
    };
    rightClick(3, 2, 3);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().first, static_cast<UINT>(ID_TEMPLATE_ROTATE_CW));
    EXPECT_EQ(shown.front().second, GetLangText(L"LAYOUT", 64));
    EXPECT_EQ(shown.back().first, static_cast<UINT>(ID_TEMPLATE_CLOSE));
    EXPECT_EQ(shown.back().second, GetLangText(L"LAYOUT", 71));

    // Beside the template: the edit menu; a drag over it: no menu.
    rightClick(8, 6, 8);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().first, static_cast<UINT>(ID_EDIT_PORT));
    shown.clear();
    rightClick(2, 2, 3);
    EXPECT_TRUE(shown.empty());
    // Locked: no menu either.
    LayoutLock = 1;
    rightClick(3, 2, 3);
    EXPECT_TRUE(shown.empty());
    LayoutLock = 0;

    // The menu's command reaches the view: Close hides the template.
    ::SendMessageW(m_view->GetSafeHwnd(), WM_COMMAND, ID_TEMPLATE_CLOSE, 0);
    EXPECT_EQ(m_view->m_templateShown, 0);
}
