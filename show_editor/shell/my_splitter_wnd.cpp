// The flat dark splitter.
#include "my_splitter_wnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMySpltterWnd, CSplitterWnd)

void CMySpltterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (pDC == nullptr) {
        CSplitterWnd::OnDrawSplitter(pDC, nType, rect);
        return;
    }
    if (nType != splitBorder) {
        pDC->FillSolidRect(&rect, kSplitterColor);
        return;
    }
    // A frame inside the border rectangle, as wide as the border widths.
    const int cx = std::min(m_cxBorder, rect.Width());
    const int cy = std::min(m_cyBorder, rect.Height());
    pDC->FillSolidRect(rect.left, rect.top, rect.Width(), cy, kSplitterColor);
    pDC->FillSolidRect(rect.left, rect.bottom - cy, rect.Width(), cy, kSplitterColor);
    pDC->FillSolidRect(rect.left, rect.top, cx, rect.Height(), kSplitterColor);
    pDC->FillSolidRect(rect.right - cx, rect.top, cx, rect.Height(), kSplitterColor);
}
