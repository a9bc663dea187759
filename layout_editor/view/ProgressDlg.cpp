// The DXF progress window (see ProgressDlg.h).
#include "ProgressDlg.h"

BEGIN_MESSAGE_MAP(CProgressDlg, CDialogEx)
ON_WM_TIMER()
END_MESSAGE_MAP()

void CProgressDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS_BAR, m_bar);
}

BOOL CProgressDlg::CreateIn(CWnd* parent)
{
    if (!Create(IDD_PROGRESS, parent))
        return FALSE;
    CentreInParent();
    return TRUE;
}

void CProgressDlg::CentreInParent()
{
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return;
    CRect client;
    parent->GetClientRect(&client);
    CRect own;
    GetWindowRect(&own);
    SetWindowPos(nullptr, client.Width() / 2 - own.Width() / 2, client.Height() / 2 - own.Height() / 2, 0, 0,
        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CProgressDlg::ShowAndReset()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CentreInParent();
    if (m_bar.GetSafeHwnd() != nullptr) {
        m_bar.SetRange32(0, 100);
        m_bar.SetPos(0);
    }
    ShowWindow(SW_SHOW);
    UpdateWindow();
}

void CProgressDlg::HideSoon()
{
    if (GetSafeHwnd() != nullptr)
        SetTimer(kHideTimer, kHideDelay, nullptr);
}

void CProgressDlg::OnTimer(UINT_PTR nIDEvent)
{
    // The window's own visible style, not IsWindowVisible: a tick while the
    // main window is still hidden must hide it too.
    if ((::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0)
        ShowWindow(SW_HIDE);
    else
        KillTimer(kHideTimer);
    CDialogEx::OnTimer(nIDEvent);
}
