// The preview's form view (see TaviskView.h).
#include "TaviskView.h"

#include "Magnifier.h"

IMPLEMENT_DYNCREATE(CTaviskView, CFormView)

BEGIN_MESSAGE_MAP(CTaviskView, CFormView)
ON_MESSAGE(WM_PREVIEW_PLAY_STATE, OnPlayCommand)
ON_MESSAGE(WM_PREVIEW_FRAME_DONE, OnFrameDone)
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_CONTEXTMENU()
ON_WM_ERASEBKGND()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CTaviskView::CTaviskView()
    : CFormView(IDD_TAVISK_FORM)
    , m_playback(*this)
{
}

CTaviskView::~CTaviskView()
{
    m_playback.StopThread();
}

void CTaviskView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    if (CTaviskDoc* doc = GetDocument())
        doc->FindView();
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->GetSafeHwnd() != nullptr)
        main->SendMessage(WM_PREVIEW_VIEW_READY);
    if (m_canvas.GetSafeHwnd() == nullptr) {
        m_canvas.Create(L"HELLOWORLD", WS_CHILD | WS_VISIBLE, CRect(20, 20, 220, 220), this, 0xFFFF);
        m_canvas.ShowWindow(SW_HIDE);
    }
    m_playback.StartThread();
}

void CTaviskView::PostPlayState(WPARAM code, LPARAM value)
{
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->GetSafeHwnd() != nullptr)
        main->PostMessage(WM_PREVIEW_PLAY_STATE, code, value);
}

void CTaviskView::InvalidateCanvas()
{
    if (m_canvas.GetSafeHwnd() != nullptr)
        m_canvas.Invalidate(FALSE);
}

void CTaviskView::PostFrameDone()
{
    if (m_hWnd != nullptr)
        ::PostMessage(m_hWnd, WM_PREVIEW_FRAME_DONE, 0, 0);
}

LRESULT CTaviskView::OnPlayCommand(WPARAM, LPARAM lParam)
{
    if (CTaviskDoc* doc = GetDocument())
        m_playback.PlayCommand(doc->m_playState, static_cast<int>(lParam));
    return 0;
}

LRESULT CTaviskView::OnFrameDone(WPARAM, LPARAM)
{
    if (CTaviskDoc* doc = GetDocument())
        m_playback.FrameDone(doc->m_playState, doc->m_geometry.frameCount);
    return 0;
}

void CTaviskView::SeekFrame(int frame)
{
    if (CTaviskDoc* doc = GetDocument())
        m_playback.Seek(doc->m_playState, frame, doc->m_geometry.frameCount);
}

void CTaviskView::ResetForFile()
{
    CTaviskDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    m_playback.ResetBegin(doc->m_playState);
    const CSize size = doc->PictureSize();
    if (m_canvas.GetSafeHwnd() != nullptr) {
        CRect canvas;
        m_canvas.GetWindowRect(&canvas);
        ScreenToClient(&canvas);
        CRect view;
        GetClientRect(&view);
        if (canvas.left < 0 || canvas.left >= view.right)
            canvas.left = 0;
        if (canvas.top < 0 || canvas.top >= view.bottom)
            canvas.top = 0;
        if (canvas.Width() != size.cx || canvas.Height() != size.cy)
            m_canvas.MoveWindow(canvas.left, canvas.top, size.cx, size.cy);
        if (!m_canvas.IsWindowVisible())
            m_canvas.ShowWindow(SW_SHOW);
    }
    m_playback.ResetEnd(doc->m_playState, doc->m_autoPlay != 0, doc->m_fileList.GetSize() > 0);
}

void CTaviskView::RenderFrame()
{
    CTaviskDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    // The canvas is filled under the document's mutex: the user-interface
    // thread resizes it only with the mutex held (ResetForFile).
    doc->RenderFrame(m_playback.CurrentFrame(), [this](const std::vector<BYTE>& picture, CSize size) {
        if (m_rightDrag.load() == 0)
            m_canvas.CopyPicture(picture.data(), size);
    });
}

void CTaviskView::OnRButtonDown(UINT, CPoint point)
{
    m_lastDrag = point;
    m_rightDrag = 1;
    SetCapture();
}

void CTaviskView::OnRButtonUp(UINT, CPoint)
{
    m_rightDrag = 0;
    ReleaseCapture();
}

void CTaviskView::OnMouseMove(UINT, CPoint point)
{
    if (m_canvas.GetSafeHwnd() == nullptr)
        return;
    CRect canvas;
    m_canvas.GetWindowRect(&canvas);
    ScreenToClient(&canvas);
    if (m_rightDrag.load() != 0) {
        canvas.OffsetRect(point.x - m_lastDrag.x, point.y - m_lastDrag.y);
        m_canvas.MoveWindow(canvas.left, canvas.top, canvas.Width(), canvas.Height());
        m_lastDrag = point;
        return;
    }
    if (canvas.PtInRect(point)) {
        if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->GetSafeHwnd() != nullptr)
            main->PostMessage(WM_PREVIEW_MOUSE_POS, point.x - canvas.left, point.y - canvas.top);
    }
}

void CTaviskView::OnContextMenu(CWnd*, CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_POPUP_EDIT))
        return;
    if (CMenu* popup = menu.GetSubMenu(0))
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, AfxGetMainWnd());
}

BOOL CTaviskView::OnEraseBkgnd(CDC* pDC)
{
    CRect clip;
    pDC->GetClipBox(&clip);
    pDC->FillSolidRect(clip, preview::kPreviewGrey);
    return TRUE;
}

void CTaviskView::OnDestroy()
{
    CFormView::OnDestroy();
    m_playback.StopThread();
}
