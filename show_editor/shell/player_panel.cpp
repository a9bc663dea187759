// The preview player panel: children and layout, button states, progress
// display, zoom menu, relays to the frame engine and the template loader.
#include "player_panel.h"

#include "dornel_doc.h"
#include "panel_resource.h"
#include "show_messages.h"

#include <algorithm>

namespace {

// Bitmaps of images 0 to 10, in image order.
const UINT kPlayerBitmaps[]
    = { IDB_PLAYER_PREV, IDB_PLAYER_PLAY, IDB_PLAYER_PAUSE, IDB_PLAYER_STOP, IDB_PLAYER_NEXT, IDB_PLAYER_ZOOM_IN,
          IDB_PLAYER_ZOOM, IDB_PLAYER_ZOOM_OUT, IDB_PLAYER_PLAY_LIT, IDB_PLAYER_PAUSE_LIT, IDB_PLAYER_STOP_LIT };
constexpr COLORREF kMaskColour = RGB(255, 0, 255);
constexpr UINT kEngineId = 0xFFFF;
constexpr LPCTSTR kZeroTime = L"00:00:00/00:00:00";

// The number a zoom menu item reads as: its text without the last character.
int ZoomOfItemText(const CString& text)
{
    return _wtoi(text.Left(std::max(0, text.GetLength() - 1)));
}

} // namespace

// ---------------------------------------------------------------------------
// Panel

IMPLEMENT_DYNCREATE(CViewpanel, CView)

BEGIN_MESSAGE_MAP(CViewpanel, CView)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_NOTIFY(TBN_DROPDOWN, AFX_IDW_TOOLBAR, OnToolbarDropDown)
ON_COMMAND_RANGE(ID_ZOOM_FIRST, ID_ZOOM_LAST, OnZoomCommand)
ON_MESSAGE(WM_CANVAS_COMMAND, OnCanvasCommand)
ON_MESSAGE(WM_FRAME_SHOWN, OnFrameShown)
ON_MESSAGE(WM_EXPORT_AVI, OnExportAvi)
ON_MESSAGE(WM_RECORD_OFFLINE, OnRecordOffline)
ON_MESSAGE(WM_PROJECT_CHANGED, OnProjectChanged)
ON_MESSAGE(WM_SEEK_FRAME, OnSeekFrame)
ON_MESSAGE(WM_LANGUAGE_CHANGED, OnLanguageChanged)
ON_MESSAGE(WM_VIEW_SELECTED, OnViewSelected)
ON_MESSAGE(WM_TEMPLATES_LOADED, OnTemplatesLoaded)
END_MESSAGE_MAP()

CViewpanel::CViewpanel() = default;

CViewpanel::~CViewpanel()
{
    StopTemplateLoader();
}

CDornelDoc* CViewpanel::GetDornelDoc() const
{
    return PanelDornelDoc(GetDocument());
}

int CViewpanel::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    if (!m_titleBar.Create(L"播放预览", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, kTitleBarHeight), this, kTitleBarId))
        return -1;
    if (!m_imageList.Create(32, 32, ILC_COLOR32 | ILC_MASK, 11, 1))
        return -1;
    if (!m_toolBar.CreateEx(
            this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS, CRect(), AFX_IDW_TOOLBAR)
        || !m_toolBar.LoadToolBar(IDR_PLAYER_TOOLBAR))
        return -1;
    for (UINT id : kPlayerBitmaps) {
        CBitmap bitmap;
        if (!bitmap.LoadBitmap(id) || m_imageList.Add(&bitmap, kMaskColour) < 0)
            return -1;
    }
    m_toolBar.GetToolBarCtrl().SetImageList(&m_imageList);
    m_toolBar.GetToolBarCtrl().SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
    const int zoomIndex = m_toolBar.CommandToIndex(ID_PLAYER_ZOOM);
    if (zoomIndex >= 0)
        m_toolBar.SetButtonStyle(zoomIndex, m_toolBar.GetButtonStyle(zoomIndex) | TBSTYLE_DROPDOWN);
    m_toolBar.SetSizes(CSize(39, 38), CSize(32, 32));
    SetButtonImages(PLAYER_IMAGE_PLAY, PLAYER_IMAGE_PAUSE, PLAYER_IMAGE_STOP_LIT);

    if (!m_dialogBar.Create(this, IDD_PLAYER_BAR, CBRS_ALIGN_BOTTOM, IDD_PLAYER_BAR))
        return -1;
    if (!m_slider.SubclassDlgItem(IDC_FRAME_SLIDER, &m_dialogBar)
        || !m_counter.SubclassDlgItem(IDC_FRAME_COUNTER, &m_dialogBar))
        return -1;
    m_slider.SetRange(0, 100);
    m_slider.SetPos(0);
    m_counter.SetWindowText(L"0/0");
    m_dialogBar.SetDlgItemText(IDC_FRAME_TIME, kZeroTime);

    if (CDornelDoc* doc = GetDornelDoc()) {
        m_engineLink = std::make_unique<CDornelDocEngineLink>(doc);
        m_engine.SetDocument(m_engineLink.get());
    }
    // The engine creates its preview window in its own WM_CREATE.
    if (m_engine.GetCanvas() == nullptr) {
        m_ownCanvas = std::make_unique<CPreviewCanvasAdapter>(GetDornelDoc());
        m_engine.SetCanvas(m_ownCanvas.get());
    }
    // Notifying, so that the engine gets the mouse for the view tracker.
    if (!m_engine.Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(20, 20, 400, 300), this, kEngineId))
        return -1;
    return 0;
}

void CViewpanel::OnDestroy()
{
    StopTemplateLoader();
    CView::OnDestroy();
}

void CViewpanel::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    CRect c;
    GetClientRect(c);
    if (m_engine.GetSafeHwnd() != nullptr)
        m_engine.MoveWindow(c.left + 2, c.top + 20, c.Width() - 5, c.Height() - 66);
    if (m_titleBar.GetSafeHwnd() != nullptr)
        m_titleBar.MoveWindow(c.left, c.top, c.Width(), kTitleBarHeight);
    if (m_toolBar.GetSafeHwnd() != nullptr)
        m_toolBar.MoveWindow(c.left + 3, c.bottom - 43, 350, 40);
    if (m_dialogBar.GetSafeHwnd() == nullptr)
        return;
    m_dialogBar.MoveWindow(c.left + 353, c.bottom - 43, c.Width() - 356, 40);
    CRect d;
    m_dialogBar.GetClientRect(d);
    // The labels are as wide as the longest time they show in their font,
    // so "00:00:00/00:00:00" is never cut.
    int labels = 100;
    if (CWnd* time = m_dialogBar.GetDlgItem(IDC_FRAME_TIME)) {
        CClientDC dc(time);
        CFont* font = time->GetFont();
        CFont* old = font != nullptr ? dc.SelectObject(font) : nullptr;
        labels = std::max(labels, static_cast<int>(dc.GetTextExtent(kZeroTime).cx) + 8);
        if (old != nullptr)
            dc.SelectObject(old);
        time->MoveWindow(d.left, d.top + 20, labels, 20);
    }
    m_counter.MoveWindow(d.left, d.top, labels, 20);
    m_slider.MoveWindow(d.left + labels, d.top + 5, std::max(0, d.Width() - labels), 30);
}

BOOL CViewpanel::OnEraseBkgnd(CDC* pDC)
{
    CRect c;
    GetClientRect(c);
    pDC->FillSolidRect(c, ::GetSysColor(COLOR_BTNFACE));
    CBrush frame(RGB(85, 85, 85));
    CRgn region;
    region.CreateRectRgnIndirect(c);
    pDC->FrameRgn(&region, &frame, 3, 3);
    pDC->FillSolidRect(CRect(c.left + 2, c.bottom - 46, c.right - 2, c.bottom - 43), RGB(85, 85, 85));
    return TRUE;
}

// ---------------------------------------------------------------------------
// Buttons and progress

void CViewpanel::SetButtonImages(int play, int pause, int stop)
{
    if (m_toolBar.GetSafeHwnd() == nullptr)
        return;
    m_toolBar.SendMessage(TB_CHANGEBITMAP, ID_PLAYER_PLAY, play);
    m_toolBar.SendMessage(TB_CHANGEBITMAP, ID_PLAYER_PAUSE, pause);
    m_toolBar.SendMessage(TB_CHANGEBITMAP, ID_PLAYER_STOP, stop);
}

int CViewpanel::GetButtonImage(UINT commandId) const
{
    return static_cast<int>(m_toolBar.SendMessage(TB_GETBITMAP, commandId));
}

CString CViewpanel::GetTimeText() const
{
    CString text;
    if (m_dialogBar.GetSafeHwnd() != nullptr)
        m_dialogBar.GetDlgItemText(IDC_FRAME_TIME, text);
    return text;
}

void CViewpanel::ResetProgress(int playFrames)
{
    CString counter;
    if (playFrames < 1) {
        m_slider.SetRange(0, playFrames, TRUE);
        counter = L"0/0";
    } else {
        m_slider.SetRange(0, playFrames - 1, TRUE);
        counter.Format(L"%d/%d", 1, playFrames);
    }
    m_slider.SetPos(0);
    m_counter.SetWindowText(counter);
    m_dialogBar.SetDlgItemText(IDC_FRAME_TIME, kZeroTime);
}

void CViewpanel::ShowFrame(int frame)
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr || m_slider.GetSafeHwnd() == nullptr)
        return;
    const int maximum = m_slider.GetRangeMax();
    if (frame > maximum)
        return;
    const int rate = doc->m_projectSettings.m_frameRate > 0 ? doc->m_projectSettings.m_frameRate : 25;
    const long long perFrame = 1000 / rate;
    m_slider.SetPos(frame);
    CString counter;
    counter.Format(L"%5d/%-5d", frame + 1, maximum + 1);
    m_counter.SetWindowText(counter);
    const long long elapsed = perFrame * frame / 1000;
    const long long remaining = perFrame * maximum / 1000 - elapsed;
    const int countBefore = m_timeTextCountdown++;
    if (countBefore > 5) {
        CString time;
        time.Format(L"%02d:%02d:%02d/%02d:%02d:%02d", static_cast<int>(elapsed / 3600),
            static_cast<int>(elapsed / 60 % 60), static_cast<int>(elapsed % 60), static_cast<int>(remaining / 3600),
            static_cast<int>(remaining / 60 % 60), static_cast<int>(remaining % 60));
        m_dialogBar.SetDlgItemText(IDC_FRAME_TIME, time);
        m_timeTextCountdown = 0;
    }
}

void CViewpanel::StartPlay()
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr || doc->GetActiveSegments().GetSize() == 0)
        return;
    SetButtonImages(PLAYER_IMAGE_PLAY_LIT, PLAYER_IMAGE_PAUSE, PLAYER_IMAGE_STOP);
    ResetProgress(doc->GetActiveProjSet()->m_playFrames);
    m_engine.StartPlay();
}

void CViewpanel::PausePlay()
{
    SetButtonImages(PLAYER_IMAGE_PLAY, PLAYER_IMAGE_PAUSE_LIT, PLAYER_IMAGE_STOP);
    // The engine keeps its place; only its timer stops.
    if (m_engine.GetSafeHwnd() != nullptr)
        m_engine.KillTimer(kPlayTimerId);
    if (CPreviewCanvas* canvas = m_engine.GetCanvas())
        canvas->SetFrameStale(FALSE);
}

void CViewpanel::StopPlay()
{
    if (GetSafeHwnd() == nullptr || !IsWindowVisible())
        return;
    SetButtonImages(PLAYER_IMAGE_PLAY, PLAYER_IMAGE_PAUSE, PLAYER_IMAGE_STOP_LIT);
    m_engine.StopPlay();
}

// ---------------------------------------------------------------------------
// Zoom

void CViewpanel::TrackZoomMenu(CMenu* popup, const CRect& buttonScreenRect)
{
    popup->TrackPopupMenu(TPM_VERTICAL, buttonScreenRect.left, buttonScreenRect.bottom, this, &buttonScreenRect);
}

void CViewpanel::OnToolbarDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* toolbar = reinterpret_cast<NMTOOLBAR*>(pNMHDR);
    *pResult = TBDDRET_DEFAULT;
    CDornelDoc* doc = GetDornelDoc();
    if (toolbar->iItem != ID_PLAYER_ZOOM || doc == nullptr)
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_ZOOM_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (popup == nullptr)
        return;
    for (int i = 0; i < popup->GetMenuItemCount(); ++i) {
        CString text;
        popup->GetMenuString(i, text, MF_BYPOSITION);
        if (ZoomOfItemText(text) == static_cast<int>(doc->m_zoomPercent)) {
            popup->CheckMenuItem(i, MF_BYPOSITION | MF_CHECKED);
            break;
        }
    }
    CRect rect;
    m_toolBar.GetItemRect(m_toolBar.CommandToIndex(ID_PLAYER_ZOOM), rect);
    m_toolBar.ClientToScreen(rect);
    TrackZoomMenu(popup, rect);
    menu.DestroyMenu();
}

void CViewpanel::OnZoomCommand(UINT id)
{
    CDornelDoc* doc = GetDornelDoc();
    CMenu menu;
    if (doc == nullptr || !menu.LoadMenu(IDR_ZOOM_MENU))
        return;
    CString text;
    if (CMenu* popup = menu.GetSubMenu(0); popup != nullptr)
        popup->GetMenuString(id, text, MF_BYCOMMAND);
    menu.DestroyMenu();
    const unsigned zoom = static_cast<unsigned>(ZoomOfItemText(text));
    doc->SetZoom(&zoom);
}

// ---------------------------------------------------------------------------
// Messages

LRESULT CViewpanel::OnCanvasCommand(WPARAM wParam, LPARAM lParam)
{
    return m_engine.GetSafeHwnd() != nullptr ? m_engine.SendMessage(WM_CANVAS_COMMAND, wParam, lParam) : 0;
}

LRESULT CViewpanel::OnFrameShown(WPARAM frame, LPARAM)
{
    ShowFrame(static_cast<int>(frame));
    return 0;
}

LRESULT CViewpanel::OnExportAvi(WPARAM, LPARAM)
{
    StopPlay();
    m_engine.PostMessage(WM_EXPORT_AVI, 0, 0);
    return 0;
}

LRESULT CViewpanel::OnRecordOffline(WPARAM wParam, LPARAM lParam)
{
    StopPlay();
    m_engine.PostMessage(WM_RECORD_OFFLINE, wParam, lParam);
    return 0;
}

LRESULT CViewpanel::OnProjectChanged(WPARAM wParam, LPARAM)
{
    if (wParam == 0)
        m_engine.ResetCanvas();
    if (CDornelDoc* doc = GetDornelDoc())
        ResetProgress(doc->m_projectSettings.m_playFrames);
    return 0;
}

LRESULT CViewpanel::OnSeekFrame(WPARAM frame, LPARAM)
{
    const int target = std::clamp(static_cast<int>(frame), 0, std::max(0, m_slider.GetRangeMax()));
    m_engine.SeekToFrame(target);
    return 0;
}

LRESULT CViewpanel::OnLanguageChanged(WPARAM, LPARAM)
{
    CString title = GetDornelDoc() != nullptr ? GetDornelDoc()->Host().GetLangText(L"TITLE", 3) : CString();
    if (!title.IsEmpty())
        m_titleBar.SetWindowText(title);
    return 0;
}

LRESULT CViewpanel::OnViewSelected(WPARAM, LPARAM)
{
    m_engine.UpdateTrackerVisibility();
    return 0;
}

// ---------------------------------------------------------------------------
// First update and the template loader

void CViewpanel::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr || m_loaderStarted || doc->m_colourTemplateThumbs.GetSize() > 0)
        return;
    doc->BindPanels();
    doc->RefreshPanels();
    StartTemplateLoader();
}

void CViewpanel::StartTemplateLoader()
{
    m_loaderStarted = true;
    m_stopLoader = false;
    m_loaderDone = false;
    const CString folder = m_resourceFolder.IsEmpty() ? ProgramResourceFolder() : m_resourceFolder;
    m_loaded = std::make_unique<TemplateLibraries>();
    HWND panel = GetSafeHwnd();
    TemplateLibraries* libraries = m_loaded.get();
    m_loader = std::thread([this, folder, panel, libraries]() {
        libraries->Load(folder, m_stopLoader);
        m_loaderDone = true;
        if (!m_stopLoader)
            ::PostMessageW(panel, WM_TEMPLATES_LOADED, 0, 0);
    });
}

void CViewpanel::StopTemplateLoader()
{
    // The thread fills lists this panel owns until they are installed, so
    // it never outlives the panel.
    m_stopLoader = true;
    if (m_loader.joinable())
        m_loader.join();
}

LRESULT CViewpanel::OnTemplatesLoaded(WPARAM, LPARAM)
{
    if (m_loader.joinable())
        m_loader.join();
    CDornelDoc* doc = GetDornelDoc();
    if (doc != nullptr && m_loaded != nullptr)
        m_loaded->InstallInto(*doc);
    m_loaded.reset();
    return 0;
}
