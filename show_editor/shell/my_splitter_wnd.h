// CMySpltterWnd: the main frame's splitter drawn flat and dark: bars, boxes,
// intersections and the frames round the panes are filled with one dark
// blue. The owner sets the border widths (the main frame: 5 pixels outside,
// 2 inside).
#pragma once

#include <afxwin.h>

#include "fw_splitter.h"

class CMySpltterWnd : public CSplitterWnd {
    DECLARE_DYNAMIC(CMySpltterWnd)
public:
    static constexpr COLORREF kSplitterColor = RGB(48, 66, 97);

    // Without a device context the framework draws.
    void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override;
};
