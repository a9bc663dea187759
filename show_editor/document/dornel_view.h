// CDornelView: the view class of the document template. It draws nothing;
// the user interface lives in the panels, which are views of the same
// document.
#pragma once

#include <afxwin.h>

class CDornelView : public CView {
    DECLARE_DYNCREATE(CDornelView)

public:
    void OnDraw(CDC*) override { }
};
