// CProgressDlg (dialog 325): the small window with one progress bar that
// the layout view shows while a DXF drawing is read or written. The view
// starts timer 1 on it afterwards; the first tick hides the window, the
// next one stops the timer.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "PannexDialogsResource.h"

class CProgressDlg : public CDialogEx {
public:
    enum { IDD = IDD_PROGRESS };
    static constexpr UINT_PTR kHideTimer = 1;
    static constexpr UINT kHideDelay = 100;

    CProgressDlg() = default;

    // Creates the window as a hidden child of the parent, centred in it.
    BOOL CreateIn(CWnd* parent);
    // Shows the window (centred again) with the bar at 0.
    void ShowAndReset();
    // Starts the timer that hides the window.
    void HideSoon();
    HWND GetBar() const { return m_bar.GetSafeHwnd(); }

    CProgressCtrl m_bar;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnCancel() override { }
    void OnOK() override { }
    DECLARE_MESSAGE_MAP()

private:
    void CentreInParent();
};
