// The layout editor's main frame (see MainFrm.h).
#include "MainFrm.h"

#include <fw_uihost.h>

#include "AppPaths.h"
#include "AutoSaveDlg.h"
#include "EditorSettings.h"
#include "FileScrambler.h"
#include "GammaCurveTables.h"
#include "IniFile.h"
#include "LayoutFile.h"
#include "LayoutFolders.h"
#include "LayoutLangText.h"
#include "PannexApp.h"
#include "LShowStatic.h"
#include "PannexDoc.h"
#include "PannexLabels.h"
#include "PannexLooks.h"
#include "PannexMenus.h"
#include "PannexResource.h"
#include "PannexSession.h"
#include "PannexView.h"

int ExportDxfEnabled = 0;
int ProtocolIconFlag = 0;

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_TIMER()
ON_MESSAGE(WM_STARTUP_COMMAND, OnStartupCommand)
ON_COMMAND_RANGE(ID_VIEW_APPLOOK_WIN_2000, ID_VIEW_APPLOOK_WINDOWS_7, OnApplicationLook)
ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_APPLOOK_WIN_2000, ID_VIEW_APPLOOK_WINDOWS_7, OnUpdateApplicationLook)
ON_COMMAND(ID_VIEW_ZOOM_IN, OnZoomIn)
ON_COMMAND(ID_VIEW_ZOOM_OUT, OnZoomOut)
ON_COMMAND(ID_VIEW_CROP_BORDER, OnCropBorder)
ON_UPDATE_COMMAND_UI(ID_VIEW_CROP_BORDER, OnUpdateCropBorder)
ON_COMMAND(ID_EDIT_LOCK_LAYOUT, OnLockLayout)
ON_UPDATE_COMMAND_UI(ID_EDIT_LOCK_LAYOUT, OnUpdateLockLayout)
ON_COMMAND(ID_VIEW_LIST_PANE, OnListPane)
ON_UPDATE_COMMAND_UI(ID_VIEW_LIST_PANE, OnUpdateListPane)
ON_COMMAND(ID_VIEW_STATUS_BAR, OnViewStatusBar)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateViewStatusBar)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_COMMAND(ID_FILE_AUTO_SAVE, OnAutoSaveSettings)
END_MESSAGE_MAP()

namespace {
constexpr UINT_PTR kAutoSaveTimer = 1;
constexpr LPCWSTR kLayoutSection = L"Layout";

CString AbtLgoPath()
{
    return GetLogoFolder() + L"abt.lgo";
}

// The status bar: the message pane, then three panes the view writes its
// position texts into.
const UINT kIndicators[] = { ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };
const int kIndicatorWidths[] = { 300, 100, 160 };
} // namespace

CString GetOtherIniPath()
{
    return GetConfigFolder() + L"other.ini";
}

CMainFrame::CMainFrame()
{
    if (CWinApp* app = AfxGetApp())
        m_nAppLook = static_cast<int>(app->GetProfileInt(L"Settings", L"ApplicationLook", 208));
}

CMainFrame::~CMainFrame()
{
    if (m_hMenuBarBrush != nullptr)
        ::DeleteObject(m_hMenuBarBrush);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    // The caption names the layout ("name.lpx - Pannex"), as a document
    // program's does.
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    // Ctrl+C, X, V and Z in a text field (the lamp formats' box) edit its
    // text: they must not copy or undo in the layout.
    if (pMsg->message == WM_KEYDOWN && ::GetKeyState(VK_CONTROL) < 0) {
        WCHAR name[16] = {};
        ::GetClassNameW(pMsg->hwnd, name, 16);
        const bool textField = ::_wcsicmp(name, L"Edit") == 0;
        const WPARAM key = pMsg->wParam;
        if (textField && (key == 'C' || key == 'X' || key == 'V' || key == 'Z'))
            return FALSE;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMainFrame::ActivateFrame(int nCmdShow)
{
    CPannexApp* app = GetPannexApp();
    if (app != nullptr && app->m_bHidden)
        nCmdShow = SW_HIDE;
    CFrameWnd::ActivateFrame(nCmdShow);
}

CString CMainFrame::GetLangTextByKey(LPCWSTR section, LPCWSTR key) const
{
    SetLangTextLanguage(m_nLanguage);
    return ::GetLangTextByKey(section, key);
}

CString CMainFrame::GetLangText(LPCWSTR section, int key) const
{
    SetLangTextLanguage(m_nLanguage);
    return ::GetLangText(section, key);
}

int CMainFrame::ShowLangMessage(int n, UINT flags)
{
    return AfxGetUiHost().MessageBox(GetSafeHwnd(), GetLangText(L"LAYOUT", n), L"Solvane", flags);
}

void CMainFrame::LocalizeMenus()
{
    CMenu* menu = GetMenu();
    if (menu == nullptr)
        return;
    LocalizeMainMenu(*menu, [this](int key) { return GetLangText(L"LAYOUT", key); });
    DrawMenuBar();
    if (IListPanel* panel = GetListPanel())
        panel->LocalizeLabels();
}

CPannexView* CMainFrame::GetPannexView() const
{
    return dynamic_cast<CPannexView*>(GetActiveView());
}

CPannexDoc* CMainFrame::GetPannexDoc() const
{
    CView* view = GetActiveView();
    return view != nullptr ? dynamic_cast<CPannexDoc*>(view->GetDocument()) : nullptr;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    GammaCurveTables.Reset();
    ::CreateDirectoryW(GetTemplateFolder(), nullptr);
    if (CPannexApp* app = GetPannexApp())
        m_nLanguage = app->m_nLanguage;
    SetLangTextLanguage(m_nLanguage);

    const CString abt = AbtLgoPath();
    UnscrambleFileInPlace(abt);
    CINI about;
    about.SetPath(abt);
    about.GetInt(L"CONFIG", L"EnableExportDxf", 0);
    ProtocolIconFlag = about.GetInt(L"CONFIG", L"Protocol", 0);
    // The DXF export is offered whatever the file says.
    ExportDxfEnabled = 1;

    if (ProtocolIconFlag == 1) {
        const CString iconPath = GetLogoFolder() + L"Player.ico";
        auto big = static_cast<HICON>(::LoadImageW(nullptr, iconPath, IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
        auto small = static_cast<HICON>(::LoadImageW(nullptr, iconPath, IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
            ::GetSystemMetrics(SM_CYSMICON), LR_LOADFROMFILE));
        if (big != nullptr)
            SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        if (small != nullptr)
            SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }

    if (!CreateToolBar() || !CreateStatusBar())
        return -1;
    if (!m_wndFileView.CreateListPane(this, *this))
        return -1;
    ApplyLook(m_nAppLook);
    RecalcLayout();

    PostMessage(WM_STARTUP_COMMAND, 1, 0);
    ReadAutoSaveSettings();
    m_nTimerId = SetTimer(kAutoSaveTimer, 1000);
    return 0;
}

bool CMainFrame::CreateToolBar()
{
    CPannexApp* app = GetPannexApp();
    const bool hiColor = app == nullptr || app->m_bHiColorIcons;
    const UINT images = hiColor ? IDR_MAINFRAME_256 : IDR_MAINFRAME;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
            CRect(1, 1, 1, 1), AFX_IDW_TOOLBAR)
        || !m_wndToolBar.LoadToolBar(images))
        return false;
    // Grey around the glyphs is see-through, so the images sit on the
    // bar's face in every visual style.
    if (m_toolBarImages.Create(images, 16, 0, RGB(192, 192, 192)))
        m_wndToolBar.GetToolBarCtrl().SetImageList(&m_toolBarImages);
    // The bar's name shows when it floats: in the chosen language.
    CString name = GetLangText(L"LAYOUT", 990);
    if (name.IsEmpty())
        name.LoadString(IDS_TOOLBAR_STANDARD);
    m_wndToolBar.SetWindowText(name);
    m_wndToolBar.SetTextSource([this](int key) { return GetLangText(L"LAYOUT", key); });
    return true;
}

bool CMainFrame::CreateStatusBar()
{
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR)
        || !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators))))
        return false;
    for (int i = 1; i < static_cast<int>(std::size(kIndicators)); ++i)
        m_wndStatusBar.SetPaneInfo(i, kIndicators[i], SBPS_NORMAL, kIndicatorWidths[i - 1]);
    return true;
}

void CMainFrame::RecalcLayout(BOOL)
{
    AfxRepositionBars(this, AFX_IDW_PANE_FIRST);
}

void CMainFrame::ApplyLook(int look)
{
    const PannexLook colours = PannexLookOf(static_cast<UINT>(look));
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.SetBarColor(colours.bars);
    if (m_wndStatusBar.GetSafeHwnd() != nullptr)
        m_wndStatusBar.SetBarColor(colours.bars);
    if (m_wndFileView.GetSafeHwnd() != nullptr)
        m_wndFileView.SetBarColor(colours.pane);
    HMENU menu = ::GetMenu(GetSafeHwnd());
    if (menu != nullptr) {
        HBRUSH brush = ::CreateSolidBrush(colours.menuBar);
        MENUINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIM_BACKGROUND;
        info.hbrBack = brush;
        if (::SetMenuInfo(menu, &info)) {
            if (m_hMenuBarBrush != nullptr)
                ::DeleteObject(m_hMenuBarBrush);
            m_hMenuBarBrush = brush;
            DrawMenuBar();
        } else {
            ::DeleteObject(brush);
        }
    }
}

CMainFrame* GetPannexFrame()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? dynamic_cast<CMainFrame*>(app->m_pMainWnd) : nullptr;
}

void CMainFrame::OnLayoutLoaded()
{
    IListPanel* panel = GetListPanel();
    if (panel == nullptr)
        return;
    panel->RefreshFromLayout();
    if (CLShowStatic* overview = panel->GetOverview())
        overview->SetLayoutSize(LayoutWidth, LayoutHeight);
}

void CMainFrame::OnViewRedrawn()
{
    IListPanel* panel = GetListPanel();
    CLShowStatic* overview = panel != nullptr ? panel->GetOverview() : nullptr;
    if (overview != nullptr)
        overview->FollowView(LayoutWidth, LayoutHeight);
}

void CMainFrame::OnListPane()
{
    m_wndFileView.ShowPane(!m_wndFileView.IsPaneVisible());
    RecalcLayout();
}

void CMainFrame::OnUpdateListPane(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndFileView.IsPaneVisible() ? 1 : 0);
}

void CMainFrame::OnViewStatusBar()
{
    m_wndStatusBar.ShowWindow((m_wndStatusBar.GetStyle() & WS_VISIBLE) != 0 ? SW_HIDE : SW_SHOWNOACTIVATE);
    RecalcLayout();
}

void CMainFrame::OnUpdateViewStatusBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck((m_wndStatusBar.GetStyle() & WS_VISIBLE) != 0 ? 1 : 0);
}

void CMainFrame::OnAppExit()
{
    // The close runs the question about unsaved changes and the reply.
    SendMessage(WM_CLOSE);
}

void CMainFrame::OnAutoSaveSettings()
{
    CAutoSaveDlg dlg(this);
    dlg.m_bEnable = m_bAutoSaveEnable;
    dlg.m_nTarget = m_nAutoSaveFlag == 1 ? 1 : 0;
    dlg.m_strFile = m_strAutoSaveFile;
    dlg.m_nMinutes = m_nAutoSaveMinutes;
    if (dlg.DoModal() != IDOK)
        return;
    // Kept in the frame; "other.ini" gets them when the frame closes.
    m_bAutoSaveEnable = dlg.m_bEnable;
    m_nAutoSaveFlag = dlg.m_nTarget;
    m_strAutoSaveFile = dlg.m_strFile;
    m_nAutoSaveMinutes = dlg.m_nMinutes;
}

void CMainFrame::ReadAutoSaveSettings()
{
    CINI ini;
    ini.SetPath(GetOtherIniPath());
    m_bAutoSaveEnable = ini.GetInt(kLayoutSection, L"bAutoSaveEnable", 1);
    m_nAutoSaveMinutes = ini.GetInt(kLayoutSection, L"iAutoSaveSpace", 1);
    m_nAutoSaveFlag = ini.GetInt(kLayoutSection, L"iAutoSaveFlag", 0);
    CString file;
    if (ini.GetString(kLayoutSection, L"strAutoSaveFile", file))
        m_strAutoSaveFile = file;
}

void CMainFrame::WriteAutoSaveSettings()
{
    CINI ini;
    ini.SetPath(GetOtherIniPath());
    ini.WriteInt(kLayoutSection, L"bAutoSaveEnable", m_bAutoSaveEnable);
    ini.WriteInt(kLayoutSection, L"iAutoSaveSpace", m_nAutoSaveMinutes);
    ini.WriteInt(kLayoutSection, L"iAutoSaveFlag", m_nAutoSaveFlag);
    ini.WriteLayoutString(m_strAutoSaveFile, L"strAutoSaveFile");
}

LONGLONG CMainFrame::NowSeconds()
{
    const DWORD tick = AfxGetTickCount();
    if (!m_bClockStarted) {
        m_bClockStarted = true;
        m_lastTick = tick;
    }
    m_clockMillis += static_cast<DWORD>(tick - m_lastTick);
    m_lastTick = tick;
    return static_cast<LONGLONG>(m_clockMillis / 1000);
}

CString CMainFrame::AutoSaveTarget() const
{
    if (m_nAutoSaveFlag == 1 && !m_strAutoSaveFile.IsEmpty())
        return m_strAutoSaveFile;
    return GetAppFolder() + L"Files\\Backup.lpx";
}

bool CMainFrame::AutoSaveTick()
{
    if (m_bAutoSaveEnable == 0)
        return false;
    // A failure message of a save keeps the timer running: a tick arriving
    // while it is open must not start a second save inside the first.
    if (m_bInAutoSave)
        return false;
    const LONGLONG now = NowSeconds();
    if (!m_bAutoSaveStarted) {
        m_bAutoSaveStarted = true;
        m_lastAutoSaveTime = now;
    }
    const LONGLONG elapsed = (now - m_lastAutoSaveTime) / 60;
    if (elapsed < m_nAutoSaveMinutes)
        return false;
    CPannexDoc* doc = GetPannexDoc();
    if (doc == nullptr)
        return false;
    const CString target = AutoSaveTarget();
    if (m_nAutoSaveFlag != 1 || m_strAutoSaveFile.IsEmpty())
        ::CreateDirectoryW(GetAppFolder() + L"Files", nullptr);
    CPannexView* view = GetPannexView();
    const CLayoutProjectSettings noView;
    m_bInAutoSave = true;
    // Neither the modified state nor the document's path changes, and the
    // caller is not told: only saves of the document are reported.
    const LayoutWriteResult result
        = WriteLayoutFile(doc->GetLayout(), target, view != nullptr ? view->GetLayoutSettings() : noView);
    m_bInAutoSave = false;
    m_lastAutoSaveTime = NowSeconds();
    return result == LayoutWriteResult::Ok;
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    AutoSaveTick();
    CFrameWnd::OnTimer(nIDEvent);
}

LRESULT CMainFrame::OnStartupCommand(WPARAM wParam, LPARAM)
{
    if (wParam != 1)
        return 0;
    CPannexApp* app = GetPannexApp();
    CPannexDoc* doc = GetPannexDoc();
    if (app == nullptr || doc == nullptr)
        return 0;
    if (app->m_hCallerWnd != nullptr) {
        // The caller copies the layout from this file after every save; the
        // folder is made so that the first save can succeed.
        ::CreateDirectoryW(GetTFFolder(), nullptr);
        doc->SetPathName(GetTFFolder() + L"new.lpx", FALSE);
    }
    if (!app->m_bHidden)
        return 0;
    CLayoutData& model = doc->GetLayout();
    const int width = model.m_width;
    const int height = model.m_height;
    const int rows = std::min(model.GetPortCount(), height);
    const int lamps = std::min(model.GetPointsPerPort(), width);
    for (int i = 0; i < rows; ++i) {
        LayoutPort& port = model.GetPort(i);
        port.ClearPoints();
        std::vector<CLPoint> points(static_cast<size_t>(std::max(lamps, 0)));
        for (int j = 0; j < lamps; ++j) {
            CLPoint& p = points[static_cast<size_t>(j)];
            p.x = j;
            p.y = i;
            p.m_normX = (j + 0.5) / width;
            p.m_normY = (i + 0.5) / height;
        }
        port.InsertPoints(points.data(), lamps);
        port.UpdateBounds();
    }
    model.RebuildUsedPorts();
    SendMessage(WM_COMMAND, ID_FILE_SAVE);
    OnClose();
    return 0;
}

void CMainFrame::OnClose()
{
    CPannexApp* app = GetPannexApp();
    const bool hidden = app != nullptr && app->m_bHidden != 0;
    CPannexDoc* doc = GetPannexDoc();
    if (!hidden && doc != nullptr && doc->GetLayout().m_modified != 0) {
        const int answer = AfxGetUiHost().MessageBox(
            GetSafeHwnd(), GetLangText(L"LAYOUT", 177), GetLangText(L"LAYOUT", 162), MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return;
        if (answer == IDYES) {
            SendMessage(WM_COMMAND, ID_FILE_SAVE);
            // A save that failed (the user was told) or was cancelled in
            // the file dialog leaves the changes unsaved: closing now would
            // lose them, so the window stays as after Cancel.
            if (doc->IsModified())
                return;
        }
    }
    // The question was asked (or the mode never asks): the framework's own
    // close must not ask again.
    if (doc != nullptr)
        doc->SetModifiedFlag(FALSE);
    if (m_nTimerId != 0) {
        KillTimer(m_nTimerId);
        m_nTimerId = 0;
    }
    WriteAutoSaveSettings();
    GammaCurveTables.Reset();
    HandCallerTheForeground();
    SendTextToCaller(L"EXIT");
    CFrameWnd::OnClose();
}

void CMainFrame::OnApplicationLook(UINT id)
{
    m_nAppLook = static_cast<int>(id);
    ApplyLook(m_nAppLook);
    RedrawWindow(nullptr, nullptr, RDW_ALLCHILDREN | RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ERASE);
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(L"Settings", L"ApplicationLook", m_nAppLook);
}

void CMainFrame::OnUpdateApplicationLook(CCmdUI* pCmdUI)
{
    pCmdUI->SetRadio(m_nAppLook == static_cast<int>(pCmdUI->m_nID));
}

void CMainFrame::ZoomAboutCentre(bool zoomIn)
{
    CPannexView* view = GetPannexView();
    if (view == nullptr)
        return;
    const CPoint centre(view->m_clientWidth / 2, view->m_clientHeight / 2);
    view->m_currentCell = view->PointFromClient(centre);
    const int align = AlignToGrid;
    AlignToGrid = 0;
    view->ZoomAt(zoomIn ? 120 : -120, centre.x, centre.y);
    AlignToGrid = align;
}

void CMainFrame::OnZoomIn()
{
    ZoomAboutCentre(true);
}

void CMainFrame::OnZoomOut()
{
    ZoomAboutCentre(false);
}

void CMainFrame::OnCropBorder()
{
    if (LayoutLock)
        return;
    CPannexView* view = GetPannexView();
    CPannexDoc* doc = GetPannexDoc();
    if (view == nullptr || doc == nullptr)
        return;
    if (AfxGetUiHost().MessageBox(
            GetSafeHwnd(), LangTextOr(L"LAYOUT", 1010, L"确定裁剪布灯区域边框?"), L"Tip", MB_YESNO)
        != IDYES)
        return;
    CropLayoutToLamps(*view, doc->GetLayout());
}

void CMainFrame::OnUpdateCropBorder(CCmdUI* pCmdUI)
{
    // A locked layout is not cropped: the item says so instead of doing
    // nothing.
    pCmdUI->Enable(LayoutLock ? FALSE : TRUE);
}

void CMainFrame::OnLockLayout()
{
    LayoutLock = LayoutLock ? 0 : 1;
}

void CMainFrame::OnUpdateLockLayout(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(LayoutLock ? 1 : 0);
}
