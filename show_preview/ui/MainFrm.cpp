// The preview's main frame (see MainFrm.h).
#include "MainFrm.h"

#include "TaviskView.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_MESSAGE(WM_PREVIEW_VIEW_READY, OnViewReady)
ON_MESSAGE(WM_PREVIEW_FILE_OPENED, OnFileOpened)
ON_MESSAGE(WM_PREVIEW_PLAY_STATE, OnPlayState)
ON_MESSAGE(WM_PREVIEW_SEEK, OnSeek)
ON_MESSAGE(WM_PREVIEW_MOUSE_POS, OnMousePos)
END_MESSAGE_MAP()

namespace {

constexpr int kCaptionBarHeight = 50;
constexpr LPCWSTR kSettings = L"Settings";
constexpr LPCWSTR kLeftPaneWidthEntry = L"LeftPaneWidth";

} // namespace

CMainFrame::CMainFrame()
{
    m_appLook = AfxGetApp()->GetProfileInt(L"Settings", L"ApplicationLook", 215);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~FWS_ADDTOTITLE;
    cs.hMenu = nullptr;
    m_strTitle = L"Tavisk V1.7";
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    // The frame shows no menu.
    ::SetMenu(m_hWnd, nullptr);
    SetWindowText(L"Tavisk V1.7");
    // The stored value is the user's own registry entry: any number may be
    // found there, and the pane keeps it within its limits.
    const int width
        = static_cast<int>(AfxGetApp()->GetProfileInt(kSettings, kLeftPaneWidthEntry, CLeftDocker::kDefaultWidth));
    if (!m_leftDocker.Create(this, ID_LEFT_PANE, width) || !m_captionBar.Create(this, ID_CAPTION_BAR))
        return -1;
    m_appLook = 215;
    AfxGetApp()->WriteProfileInt(L"Settings", L"ApplicationLook", static_cast<int>(m_appLook));
    RecalcLayout();
    return 0;
}

void CMainFrame::OnDestroy()
{
    if (m_leftDocker.GetSafeHwnd() != nullptr)
        AfxGetApp()->WriteProfileInt(kSettings, kLeftPaneWidthEntry, m_leftDocker.GetPaneWidth());
    CFrameWnd::OnDestroy();
}

void CMainFrame::RecalcLayout(BOOL)
{
    if (m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int top = std::min<int>(kCaptionBarHeight, client.Height());
    if (m_captionBar.GetSafeHwnd() != nullptr)
        m_captionBar.MoveWindow(0, 0, client.Width(), top);
    int left = 0;
    if (m_leftDocker.IsPaneVisible()) {
        // A pane wider than the window leaves the view no room: it is cut.
        left = std::min<int>(m_leftDocker.GetPaneWidth(), client.Width());
        m_leftDocker.MoveWindow(0, top, left, client.Height() - top);
    }
    if (HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
        ::MoveWindow(pane, left, top, client.Width() - left, client.Height() - top, TRUE);
}

CTaviskDoc* CMainFrame::Document()
{
    return dynamic_cast<CTaviskDoc*>(GetActiveDocument());
}

LRESULT CMainFrame::OnViewReady(WPARAM, LPARAM)
{
    CTaviskDoc* doc = Document();
    if (doc == nullptr) {
        // The view may announce itself before it is the active one.
        if (CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST))
            if (auto* view = dynamic_cast<CTaviskView*>(pane))
                doc = view->GetDocument();
    }
    m_leftDocker.m_document = doc;
    m_leftDocker.Content().SetDocument(doc);
    m_captionBar.m_document = doc;
    m_captionBar.Content().m_document = doc;
    if (doc != nullptr)
        doc->m_autoPlay = m_leftDocker.Content().m_autoPlay;
    return 0;
}

LRESULT CMainFrame::OnFileOpened(WPARAM, LPARAM)
{
    m_captionBar.Content().ResetSlider();
    return 0;
}

LRESULT CMainFrame::OnPlayState(WPARAM wParam, LPARAM lParam)
{
    if (wParam == kPlayStateShow || wParam == kPlayStateFrame) {
        m_captionBar.Content().ShowPlayState(static_cast<int>(wParam), static_cast<int>(lParam));
    } else if (wParam == kPlayStateCommand) {
        CTaviskDoc* doc = m_captionBar.Content().m_document;
        if (doc != nullptr && doc->m_view != nullptr)
            if (auto* view = dynamic_cast<CTaviskView*>(doc->m_view))
                view->SendMessage(WM_PREVIEW_PLAY_STATE, wParam, lParam);
    }
    return 0;
}

LRESULT CMainFrame::OnSeek(WPARAM wParam, LPARAM)
{
    CTaviskDoc* doc = m_captionBar.Content().m_document;
    if (doc != nullptr && doc->m_view != nullptr)
        if (auto* view = dynamic_cast<CTaviskView*>(doc->m_view))
            view->SeekFrame(static_cast<int>(wParam));
    return 0;
}

LRESULT CMainFrame::OnMousePos(WPARAM wParam, LPARAM lParam)
{
    m_leftDocker.Content().m_magnifierX = static_cast<int>(wParam);
    m_leftDocker.Content().m_magnifierY = static_cast<int>(lParam);
    return 0;
}
