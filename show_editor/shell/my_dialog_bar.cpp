// The dialog bar of the frame slider.
#include "my_dialog_bar.h"

#include "show_messages.h"

IMPLEMENT_DYNAMIC(CMydiallogBar, CDialog)

BEGIN_MESSAGE_MAP(CMydiallogBar, CDialog)
ON_WM_HSCROLL()
ON_MESSAGE(WM_SLIDER_CLICKED, OnSliderClicked)
END_MESSAGE_MAP()

BOOL CMydiallogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT, UINT nID)
{
    if (!CDialog::Create(nIDTemplate, pParentWnd))
        return FALSE;
    SetDlgCtrlID(static_cast<int>(nID));
    return TRUE;
}

void CMydiallogBar::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    HWND slider = ::GetDlgItem(m_hWnd, kSliderId);
    // Every code but the end of scrolling; a drag only to a real position.
    if (pScrollBar != nullptr && slider != nullptr && pScrollBar->GetSafeHwnd() == slider && nSBCode <= 7) {
        const int position = static_cast<int>(::SendMessageW(slider, TBM_GETPOS, 0, 0));
        const bool dragging = nSBCode == TB_THUMBTRACK || nSBCode == TB_THUMBPOSITION;
        CWnd* parent = GetParent();
        if ((!dragging || position >= 0) && parent != nullptr)
            parent->PostMessage(WM_SEEK_FRAME, static_cast<WPARAM>(position), 0);
    }
}

LRESULT CMydiallogBar::OnSliderClicked(WPARAM position, LPARAM)
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_SEEK_FRAME, position, 0);
    return 0;
}
