// The frame slider.
#include "my_slider.h"

#include "show_messages.h"

IMPLEMENT_DYNAMIC(CMySlider, CSliderCtrl)

BEGIN_MESSAGE_MAP(CMySlider, CSliderCtrl)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

float CMySlider::ClickPosition(int x, const CRect& channel, int maximum)
{
    // A project of one frame has the range 0 to 0: nothing to divide by.
    if (maximum <= 0 || channel.right <= channel.left)
        return 0.0f;
    const float scale = static_cast<float>(channel.right - channel.left) / static_cast<float>(maximum);
    return static_cast<float>(x - channel.left) / scale;
}

void CMySlider::OnLButtonDown(UINT, CPoint point)
{
    CRect thumb;
    SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    if (thumb.PtInRect(point)) {
        Default();
        return;
    }
    CRect channel;
    SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const float position = ClickPosition(point.x, channel, GetRangeMax());
    SetPos(static_cast<int>(position));
    SetFocus();
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_SLIDER_CLICKED, static_cast<WPARAM>(static_cast<int>(position + 0.5f)), 0);
}
