// CShowPointDlg (dialog 331): the floating coordinate tip over the layout
// view. A layered popup whose black background is the transparent colour
// key, so only its blue text ("X=..\r\nY=..") shows over the layout.
#pragma once

#include <afxwin.h>

#include "PannexDialogsResource.h"

class CShowPointDlg : public CDialogEx {
public:
    enum { IDD = IDD_SHOW_POINT };
    static constexpr COLORREF kTextColour = 0xFF3200;

    CShowPointDlg() = default;

    // Creates the tip (hidden) for the view.
    BOOL CreateIn(CWnd* view);
    // Stores the text and paints it at once.
    void ShowText(const CString& text);
    const CString& GetText() const { return m_strText; }

    // Paints the text on a device context the size of the client area.
    void PaintText(CDC& dc);

protected:
    BOOL OnInitDialog() override;
    void OnPaint();
    void OnCancel() override { }
    void OnOK() override { }
    DECLARE_MESSAGE_MAP()

private:
    CString m_strText;
};
