// The preview's caption bar: the play, pause and stop buttons, the frame
// counter and the frame slider.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "TaviskDoc.h"
#include "resource.h"

// Clicks beside the thumb jump straight to the frame under the mouse.
class CQvSliderCtrl : public CSliderCtrl {
public:
    // The position a click at x lands on; -1 when the click is left to the
    // slider (a range maximum of 0).
    static int ClickPosition(const CRect& channel, int rangeMax, int x);

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CQvDialogBar : public CDialog {
public:
    CQvDialogBar();

protected:
    void OnOK() override { }
    void OnCancel() override { }
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()
};

class CCaptionContent : public CDialog {
public:
    CCaptionContent();

    CTaviskDoc* m_document = nullptr;
    CWnd m_toolBar;
    CImageList m_images;
    CQvDialogBar m_dialogBar;
    CQvSliderCtrl m_slider;
    CStatic m_counter;

    void ResetSlider();
    void ShowPlayState(int code, int value);
    // The image index of each button (play, pause, stop).
    int ButtonImage(UINT command) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { }
    void OnCancel() override { }
    void OnPlay();
    void OnPause();
    void OnStop();
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void SetImages(int play, int pause, int stop);
    void SetButtonsFor(int state);
};

class CQVCaptionBar : public CWnd {
public:
    BOOL Create(CWnd* parent, UINT id);
    CCaptionContent& Content() { return m_content; }
    CTaviskDoc* m_document = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CCaptionContent m_content;
};
