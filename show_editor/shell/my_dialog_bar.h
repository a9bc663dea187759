// CMydiallogBar: a bar made from a dialog template that carries the frame
// slider (control 1000, a CMySlider): every move of the slider, a drag or a
// click on its track, is posted to the bar's parent as
// WM_SEEK_FRAME(position, 0).
#pragma once

#include <afxwin.h>

class CMydiallogBar : public CDialog {
    DECLARE_DYNAMIC(CMydiallogBar)
public:
    static constexpr int kSliderId = 1000;

    // Made like any dialog bar: parent, template, bar style (the template's
    // own styles apply) and the bar's id.
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);

protected:
    void OnOK() override { }
    void OnCancel() override { }
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    LRESULT OnSliderClicked(WPARAM position, LPARAM);
    DECLARE_MESSAGE_MAP()
};
