// CMySlider: the preview's frame slider. A click on the track jumps the
// thumb there (instead of paging) and tells the parent the new position with
// WM_SLIDER_CLICKED; the thumb itself still drags.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

class CMySlider : public CSliderCtrl {
    DECLARE_DYNAMIC(CMySlider)
public:
    // The position a click at x lands on: x across the channel scaled to the
    // range 0 to maximum; 0 when the range or the channel is empty.
    static float ClickPosition(int x, const CRect& channel, int maximum);

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
