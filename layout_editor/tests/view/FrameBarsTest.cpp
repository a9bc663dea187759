// The main frame's bars driven through the real Pannex frame: the toolbar's
// buttons and tooltips in the editor's language, the status bar's panes, the
// docked list pane and its toggle, the status bar toggle, the visual styles
// and the menu commands that have no handler yet showing disabled.
#include "PannexTestUtil.h"

#include "AppPaths.h"
#include "EditorSettings.h"
#include "LayoutFile.h"
#include "LayoutLangText.h"
#include "PannexLooks.h"
#include "PannexResource.h"

using namespace pannextest;

namespace {

UINT MenuState(CMainFrame& frame, UINT command)
{
    // The popup holding the command, updated as when it opens.
    CMenu* bar = frame.GetMenu();
    for (int i = 0; bar != nullptr && i < bar->GetMenuItemCount(); ++i) {
        HMENU popup = ::GetSubMenu(bar->GetSafeHmenu(), i);
        std::vector<HMENU> stack { popup };
        while (!stack.empty()) {
            HMENU menu = stack.back();
            stack.pop_back();
            for (int j = 0; j < ::GetMenuItemCount(menu); ++j) {
                if (HMENU sub = ::GetSubMenu(menu, j)) {
                    stack.push_back(sub);
                } else if (::GetMenuItemID(menu, j) == command) {
                    frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
                    return ::GetMenuState(menu, command, MF_BYCOMMAND);
                }
            }
        }
    }
    ADD_FAILURE() << "no menu item " << command;
    return 0;
}

CRect InFrame(CMainFrame& frame, CWnd& child)
{
    CRect rc;
    child.GetWindowRect(&rc);
    frame.ScreenToClient(&rc);
    return rc;
}

} // namespace

TEST(PannexFrameBars, ToolbarButtonsAndTheirTipsInTheEditorsLanguage)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    CMainFrame& frame = *s.Frame();
    CMyMFCToolBar& bar = frame.GetToolBar();
    ASSERT_NE(bar.GetSafeHwnd(), nullptr);
    EXPECT_EQ(bar.GetDlgCtrlID(), AFX_IDW_TOOLBAR);
    const UINT commands[] = { ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PROJECT_SETTINGS, ID_EDIT_UNDO,
        ID_EDIT_REDO, ID_EDIT_PREVIEW, ID_EDIT_LAMP_NUMBERS, ID_EDIT_CONNECTION_LINES, ID_EDIT_LOCK_LAYOUT,
        ID_VIEW_CROP_BORDER, ID_EDIT_REVERSE_LAMPS, ID_APP_ABOUT };
    for (UINT id : commands)
        EXPECT_GE(bar.CommandToIndex(id), 0) << id;
    CString name;
    bar.GetWindowText(name);
    EXPECT_EQ(name, L"标准");

    // The start-up registered layout files for this user: they open in the
    // running program.
    WCHAR command[512] = {};
    LONG size = sizeof(command);
    ASSERT_EQ(::RegQueryValueW(
                  HKEY_CURRENT_USER, L"Software\\Classes\\Pannex.Document\\shell\\open\\command", command, &size),
        ERROR_SUCCESS);
    WCHAR program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    EXPECT_EQ(CString(command), L"\"" + CString(program) + L"\" \"%1\"");

    // Tips: the LAYOUT text of the command and the shortcut of the
    // framework's text, in the frame's language.
    for (int language : { 2, 1 }) {
        frame.m_nLanguage = language;
        SetLangTextLanguage(language);
        EXPECT_EQ(bar.GetToolTipText(ID_FILE_SAVE), GetLangText(L"LAYOUT", 119) + L"(Ctrl+S)");
        EXPECT_EQ(bar.GetToolTipText(ID_EDIT_LOCK_LAYOUT), GetLangText(L"LAYOUT", 232));
        EXPECT_FALSE(GetLangText(L"LAYOUT", 232).IsEmpty());
    }
    // What the tooltip control gets when it asks the bar.
    NMTTDISPINFOW info {};
    info.hdr.idFrom = ID_EDIT_UNDO;
    info.hdr.code = TTN_GETDISPINFOW;
    bar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(CString(info.lpszText), GetLangText(L"LAYOUT", 145) + L"(Ctrl+Z)");
    SetLangTextLanguage(2);
}

TEST(PannexFrameBars, StatusPanesListPaneAndTheirToggles)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    CMainFrame& frame = *s.Frame();
    CStatusBar& status = frame.GetStatusBar();
    ASSERT_EQ(status.GetCount(), 4);
    const int widths[] = { 300, 100, 160 };
    for (int i = 1; i < 4; ++i) {
        UINT id = 0, style = 0;
        int width = 0;
        status.GetPaneInfo(i, id, style, width);
        EXPECT_EQ(width, widths[i - 1]) << i;
    }

    CFileView& pane = frame.GetListPane();
    ASSERT_NE(pane.GetSafeHwnd(), nullptr);
    EXPECT_EQ(pane.GetDlgCtrlID(), 133);
    ASSERT_NE(frame.GetListPanel(), nullptr);
    EXPECT_EQ(::GetParent(frame.GetListPanel()->GetPanelWnd()->GetSafeHwnd()), pane.GetSafeHwnd());
    // The pane sits at the left between the bars; the view takes the rest.
    CPannexView& view = *s.View();
    EXPECT_EQ(InFrame(frame, pane).left, 0);
    EXPECT_EQ(InFrame(frame, pane).Width(), 300);
    EXPECT_EQ(InFrame(frame, view).left, 300);
    EXPECT_EQ(InFrame(frame, pane).top, InFrame(frame, frame.GetToolBar()).bottom);
    EXPECT_EQ(InFrame(frame, pane).bottom, InFrame(frame, status).top);

    // 32933 hides and shows the pane; its item is checked while shown.
    EXPECT_NE(MenuState(frame, ID_VIEW_LIST_PANE) & MF_CHECKED, 0u);
    frame.SendMessage(WM_COMMAND, ID_VIEW_LIST_PANE);
    EXPECT_FALSE(pane.IsPaneVisible());
    EXPECT_EQ(InFrame(frame, view).left, 0);
    EXPECT_EQ(MenuState(frame, ID_VIEW_LIST_PANE) & MF_CHECKED, 0u);
    frame.SendMessage(WM_COMMAND, ID_VIEW_LIST_PANE);
    EXPECT_TRUE(pane.IsPaneVisible());
    EXPECT_EQ(InFrame(frame, view).left, 300);

    // The status bar item works the same way.
    EXPECT_NE(MenuState(frame, ID_VIEW_STATUS_BAR) & MF_CHECKED, 0u);
    frame.SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_EQ(status.GetStyle() & WS_VISIBLE, 0u);
    EXPECT_EQ(MenuState(frame, ID_VIEW_STATUS_BAR) & MF_CHECKED, 0u);
    frame.SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_NE(status.GetStyle() & WS_VISIBLE, 0u);
}

TEST(PannexFrameBars, CommandsWithoutTheirWorkShowDisabledOthersEnabled)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    CMainFrame& frame = *s.Frame();
    for (UINT id : { ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_APP_EXIT, ID_APP_ABOUT,
             ID_EDIT_LOCK_LAYOUT, ID_VIEW_CROP_BORDER, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT, ID_VIEW_LIST_PANE,
             ID_VIEW_STATUS_BAR, ID_VIEW_APPLOOK_OFF_2003, ID_VIEW_APPLOOK_OFF_2007_AQUA })
        EXPECT_EQ(MenuState(frame, id) & MF_GRAYED, 0u) << id;
}

TEST(PannexFrameBars, VisualStylesColourTheBarsAndAreKept)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    CMainFrame& frame = *s.Frame();
    const int before = frame.m_nAppLook;
    // Our schemes differ from each other.
    EXPECT_NE(PannexLookOf(ID_VIEW_APPLOOK_OFF_2003).bars, PannexLookOf(ID_VIEW_APPLOOK_OFF_2007_BLACK).bars);
    for (UINT look : { ID_VIEW_APPLOOK_OFF_2007_BLACK, ID_VIEW_APPLOOK_OFF_2007_AQUA, ID_VIEW_APPLOOK_OFF_2003 }) {
        SCOPED_TRACE(look);
        frame.SendMessage(WM_COMMAND, look);
        EXPECT_EQ(frame.m_nAppLook, static_cast<int>(look));
        EXPECT_EQ(frame.GetToolBar().GetBarColor(), PannexLookOf(look).bars);
        EXPECT_EQ(frame.GetStatusBar().GetBarColor(), PannexLookOf(look).bars);
        EXPECT_EQ(frame.GetListPane().GetBarColor(), PannexLookOf(look).pane);
        EXPECT_EQ(s.app.GetProfileInt(L"Settings", L"ApplicationLook", 0), look);
        // One radio mark, on the chosen style.
        for (UINT other : { ID_VIEW_APPLOOK_OFF_2003, ID_VIEW_APPLOOK_OFF_2007_BLUE, ID_VIEW_APPLOOK_OFF_2007_BLACK,
                 ID_VIEW_APPLOOK_OFF_2007_SILVER, ID_VIEW_APPLOOK_OFF_2007_AQUA })
            EXPECT_EQ((MenuState(frame, other) & MF_CHECKED) != 0, other == look) << other;
    }
    // The next frame starts with the kept style.
    s.app.WriteProfileInt(L"Settings", L"ApplicationLook", ID_VIEW_APPLOOK_OFF_2007_SILVER);
    CMainFrame second;
    EXPECT_EQ(second.m_nAppLook, static_cast<int>(ID_VIEW_APPLOOK_OFF_2007_SILVER));
    s.app.WriteProfileInt(L"Settings", L"ApplicationLook", before);
}

// Not a test: writes the small layout that the screenshots of the editor
// open ("pannex_demo.lpx" beside the program). Run it with
// --gtest_also_run_disabled_tests --gtest_filter=*WriteScreenshotLayout.
TEST(PannexFrameBars, DISABLED_WriteScreenshotLayout)
{
    CLayoutData model;
    model.m_width = 48;
    model.m_height = 24;
    ASSERT_TRUE(model.ResetPorts(4, 256, L"RGB", 0));
    // Four ports, each a snake over six rows of its quarter.
    for (int port = 0; port < 4; ++port) {
        const int top = port * 6;
        for (int row = 0; row < 5; ++row) {
            for (int i = 0; i < 40; ++i) {
                const int x = row % 2 == 0 ? 4 + i : 43 - i;
                CLPoint lamp(x, top + row);
                lamp.m_normX = (x + 0.5) / 48;
                lamp.m_normY = (top + row + 0.5) / 24;
                model.GetPort(port).InsertPoints(&lamp, 1);
            }
        }
        model.GetPort(port).m_colour = RGB(60 * port + 40, 200 - 40 * port, 120);
        model.GetPort(port).UpdateBounds();
    }
    model.RebuildUsedPorts();
    CLayoutProjectSettings settings;
    settings.SetControllers(2, 2);
    ASSERT_EQ(WriteLayoutFile(model, GetAppFolder() + L"pannex_demo.lpx", settings), LayoutWriteResult::Ok);
}

TEST(PannexFrameBars, LockCropAndZoomAboutTheCentreThroughTheFrame)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    CMainFrame& frame = *s.Frame();
    frame.MoveWindow(0, 0, 900, 600);
    CPannexView& view = *s.View();
    CLayoutData& model = s.Doc()->GetLayout();
    model.m_width = 40;
    model.m_height = 20;
    view.ResizeLayout(40, 20);
    AddLamp(*s.Doc(), view, 5, 4);
    AddLamp(*s.Doc(), view, 9, 7);
    LayoutLock = 0;
    CMyMFCToolBar& bar = frame.GetToolBar();
    auto buttonState = [&](UINT id) {
        frame.OnIdleUpdateCmdUI();
        return static_cast<UINT>(bar.GetToolBarCtrl().SendMessage(TB_GETSTATE, id, 0));
    };

    // Lock: checked on the menu and the toolbar; crop then shows disabled
    // and does nothing (no question).
    frame.SendMessage(WM_COMMAND, ID_EDIT_LOCK_LAYOUT);
    EXPECT_EQ(LayoutLock, 1);
    EXPECT_NE(MenuState(frame, ID_EDIT_LOCK_LAYOUT) & MF_CHECKED, 0u);
    EXPECT_NE(buttonState(ID_EDIT_LOCK_LAYOUT) & TBSTATE_CHECKED, 0u);
    EXPECT_NE(MenuState(frame, ID_VIEW_CROP_BORDER) & MF_GRAYED, 0u);
    EXPECT_EQ(buttonState(ID_VIEW_CROP_BORDER) & TBSTATE_ENABLED, 0u);
    frame.SendMessage(WM_COMMAND, ID_VIEW_CROP_BORDER);
    EXPECT_EQ(model.m_width, 40);
    frame.SendMessage(WM_COMMAND, ID_EDIT_LOCK_LAYOUT);
    EXPECT_EQ(LayoutLock, 0);
    EXPECT_EQ(buttonState(ID_EDIT_LOCK_LAYOUT) & TBSTATE_CHECKED, 0u);
    EXPECT_NE(buttonState(ID_VIEW_CROP_BORDER) & TBSTATE_ENABLED, 0u);

    // Crop asks first: No keeps the layout, Yes fits it to the lamps.
    host.ExpectMessageBox(IDNO, L"确定裁剪布灯区域边框?");
    frame.SendMessage(WM_COMMAND, ID_VIEW_CROP_BORDER);
    EXPECT_EQ(model.m_width, 40);
    host.ExpectMessageBox(IDYES, L"确定裁剪布灯区域边框?");
    frame.SendMessage(WM_COMMAND, ID_VIEW_CROP_BORDER);
    EXPECT_EQ(model.m_width, 5);
    EXPECT_EQ(model.m_height, 4);
    EXPECT_EQ(LayoutWidth, 5);

    // Zoom about the centre: the cell under the view's centre stays there.
    model.m_width = 40;
    model.m_height = 20;
    view.ResizeLayout(40, 20);
    const CPoint centre(view.m_clientWidth / 2, view.m_clientHeight / 2);
    const CLPoint before = view.PointFromClient(centre);
    const double fit = view.m_zoom;
    frame.SendMessage(WM_COMMAND, ID_VIEW_ZOOM_IN);
    EXPECT_GT(view.m_zoom, fit);
    CLPoint after = view.PointFromClient(centre);
    EXPECT_EQ(CPoint(after.x, after.y), CPoint(before.x, before.y));
    const int align = AlignToGrid;
    frame.SendMessage(WM_COMMAND, ID_VIEW_ZOOM_OUT);
    EXPECT_LT(view.m_zoom, fit + 2);
    after = view.PointFromClient(centre);
    EXPECT_EQ(CPoint(after.x, after.y), CPoint(before.x, before.y));
    EXPECT_EQ(AlignToGrid, align); // restored after the zoom
}

TEST(PannexFrameBars, ContextMenusAreRegisteredAtStartUp)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    ASSERT_TRUE(s.started);
    CContextMenuManager* menus = s.app.GetContextMenuManager();
    ASSERT_NE(menus, nullptr);
    // The view's edit menu under "编辑", the list panel's under "资源管理器".
    EXPECT_NE(menus->GetMenuById(119), nullptr);
    for (UINT id : { 174u, 315u, 316u })
        EXPECT_NE(menus->GetMenuById(id), nullptr) << id;
    UINT first = 0;
    EXPECT_EQ(menus->GetMenuByName(L"编辑", &first), menus->GetMenuById(119));
    EXPECT_EQ(first, 119u);
    EXPECT_NE(menus->GetMenuByName(L"资源管理器", &first), nullptr);
    EXPECT_EQ(first, 174u);
    EXPECT_EQ(menus->GetMenuNames(), (std::vector<CString> { L"编辑", L"资源管理器" }));
}
