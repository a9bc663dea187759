// The preview's caption bar (see CaptionBar.h).
#include "CaptionBar.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kCaptionHeight = 50;

void PostToMain(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->GetSafeHwnd() != nullptr)
        main->PostMessage(message, wParam, lParam);
}

} // namespace

// --- slider ---

BEGIN_MESSAGE_MAP(CQvSliderCtrl, CSliderCtrl)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

int CQvSliderCtrl::ClickPosition(const CRect& channel, int rangeMax, int x)
{
    if (rangeMax <= 0)
        return -1;
    const float step = static_cast<float>(channel.right - channel.left) / static_cast<float>(rangeMax);
    if (step <= 0.0f)
        return -1;
    const float position = (static_cast<float>(x - channel.left) + step - 1.0f) / step;
    return static_cast<int>(position);
}

void CQvSliderCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CRect thumb;
    SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    CRect channel;
    SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const int position = thumb.PtInRect(point) ? -1 : ClickPosition(channel, GetRangeMax(), point.x);
    if (position < 0) {
        Default();
        return;
    }
    (void)nFlags;
    SetPos(position);
    SetFocus();
    PostToMain(WM_PREVIEW_SEEK, static_cast<WPARAM>(position), 0);
}

// --- dialog bar ---

BEGIN_MESSAGE_MAP(CQvDialogBar, CDialog)
ON_WM_HSCROLL()
END_MESSAGE_MAP()

CQvDialogBar::CQvDialogBar()
    : CDialog(IDD_DIALOG_BAR)
{
}

void CQvDialogBar::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && pScrollBar->GetDlgCtrlID() == IDC_FRAME_SLIDER && nSBCode <= 7) {
        const int position = static_cast<int>(::SendMessage(pScrollBar->m_hWnd, TBM_GETPOS, 0, 0));
        const bool thumb = nSBCode == TB_THUMBPOSITION || nSBCode == TB_THUMBTRACK;
        if (!(thumb && position < 0))
            PostToMain(WM_PREVIEW_SEEK, static_cast<WPARAM>(position), 0);
    }
    CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
}

// --- caption content ---

BEGIN_MESSAGE_MAP(CCaptionContent, CDialog)
ON_COMMAND(ID_PREVIEW_PLAY, OnPlay)
ON_COMMAND(ID_PREVIEW_PAUSE, OnPause)
ON_COMMAND(ID_PREVIEW_STOP, OnStop)
ON_WM_SIZE()
END_MESSAGE_MAP()

CCaptionContent::CCaptionContent()
    : CDialog(IDD_CAPTION_CONTENT)
{
}

BOOL CCaptionContent::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The transport toolbar: flat 40 x 40 buttons with 32 x 32 icons.
    m_images.Create(32, 32, ILC_COLOR32 | ILC_MASK, 6, 0);
    for (UINT icon : { IDI_PLAY, IDI_PAUSE, IDI_STOP, IDI_PLAY_LIT, IDI_PAUSE_LIT, IDI_STOP_LIT })
        m_images.Add(
            static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(icon), IMAGE_ICON, 32, 32, 0)));
    m_toolBar.CreateEx(0, TOOLBARCLASSNAME, nullptr,
        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN, CRect(0, 0, 150, 40),
        this, IDR_TRANSPORT);
    m_toolBar.SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    m_toolBar.SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images.GetSafeHandle()));
    m_toolBar.SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(32, 32));
    m_toolBar.SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(40, 40));
    TBBUTTON buttons[3] = {};
    const UINT commands[3] = { ID_PREVIEW_PLAY, ID_PREVIEW_PAUSE, ID_PREVIEW_STOP };
    for (int i = 0; i < 3; ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = static_cast<int>(commands[i]);
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
    }
    m_toolBar.SendMessage(TB_ADDBUTTONS, 3, reinterpret_cast<LPARAM>(buttons));
    SetButtonsFor(kPlayStateStopped);

    m_dialogBar.Create(IDD_DIALOG_BAR, this);
    m_slider.SubclassDlgItem(IDC_FRAME_SLIDER, &m_dialogBar);
    m_counter.SubclassDlgItem(IDC_FRAME_COUNTER, &m_dialogBar);
    m_slider.SetRange(0, 100);
    m_slider.SetPos(0);
    m_counter.SetWindowText(L"0/0");
    return TRUE;
}

void CCaptionContent::SetImages(int play, int pause, int stop)
{
    if (m_toolBar.GetSafeHwnd() == nullptr)
        return;
    m_toolBar.SendMessage(TB_CHANGEBITMAP, ID_PREVIEW_PLAY, play);
    m_toolBar.SendMessage(TB_CHANGEBITMAP, ID_PREVIEW_PAUSE, pause);
    m_toolBar.SendMessage(TB_CHANGEBITMAP, ID_PREVIEW_STOP, stop);
}

int CCaptionContent::ButtonImage(UINT command) const
{
    if (m_toolBar.GetSafeHwnd() == nullptr)
        return -1;
    return static_cast<int>(m_toolBar.SendMessage(TB_GETBITMAP, command, 0));
}

void CCaptionContent::SetButtonsFor(int state)
{
    if (state == kPlayStatePlaying)
        SetImages(3, 1, 2);
    else if (state == kPlayStatePaused)
        SetImages(0, 4, 2);
    else
        SetImages(0, 1, 5);
}

void CCaptionContent::OnPlay()
{
    SetButtonsFor(kPlayStatePlaying);
    PostToMain(WM_PREVIEW_PLAY_STATE, kPlayStateCommand, kPlayStatePlaying);
}

void CCaptionContent::OnPause()
{
    SetButtonsFor(kPlayStatePaused);
    PostToMain(WM_PREVIEW_PLAY_STATE, kPlayStateCommand, kPlayStatePaused);
}

void CCaptionContent::OnStop()
{
    SetButtonsFor(kPlayStateStopped);
    PostToMain(WM_PREVIEW_PLAY_STATE, kPlayStateCommand, kPlayStateStopped);
}

void CCaptionContent::ResetSlider()
{
    if (m_document == nullptr || m_slider.GetSafeHwnd() == nullptr)
        return;
    const int frames = static_cast<int>(m_document->m_geometry.frameCount);
    m_slider.SetRange(0, frames - 1, TRUE);
    m_slider.SetPos(0);
    CString text;
    text.Format(L"%d/%d", 0, frames);
    m_counter.SetWindowText(text);
}

void CCaptionContent::ShowPlayState(int code, int value)
{
    if (code == static_cast<int>(kPlayStateFrame)) {
        if (m_slider.GetSafeHwnd() == nullptr || value > m_slider.GetRangeMax())
            return;
        m_slider.SetPos(value);
        CString text;
        text.Format(L"%5d/%5d", value + 1, m_slider.GetRangeMax() + 1);
        m_counter.SetWindowText(text);
    } else if (code == static_cast<int>(kPlayStateShow)) {
        SetButtonsFor(value);
    }
}

void CCaptionContent::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (m_toolBar.GetSafeHwnd() != nullptr)
        m_toolBar.MoveWindow(3, cy - 43, 150, 40);
    if (m_dialogBar.GetSafeHwnd() == nullptr)
        return;
    const int width = std::max(cx - 156, 0);
    m_dialogBar.MoveWindow(153, cy - 43, width, 40);
    if (m_counter.GetSafeHwnd() != nullptr)
        m_counter.MoveWindow(0, 10, 80, 30);
    if (m_slider.GetSafeHwnd() != nullptr)
        m_slider.MoveWindow(80, 5, std::max(width - 80, 0), 30);
}

// --- caption bar ---

BEGIN_MESSAGE_MAP(CQVCaptionBar, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CQVCaptionBar::Create(CWnd* parent, UINT id)
{
    const CString windowClass
        = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE));
    return CWnd::Create(
        windowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 200, kCaptionHeight), parent, id);
}

int CQVCaptionBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    return m_content.Create(IDD_CAPTION_CONTENT, this) ? 0 : -1;
}

void CQVCaptionBar::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_content.GetSafeHwnd() != nullptr)
        m_content.MoveWindow(0, 0, cx, cy);
}
