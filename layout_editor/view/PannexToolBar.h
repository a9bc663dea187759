// CMyMFCToolBar: the layout editor's toolbar. Its tooltips are the LAYOUT
// texts of the buttons' commands in the editor's language, followed by the
// shortcut part of the framework's text ("(Ctrl+S)").
#pragma once

#include <afxwin.h>
#include <fw_bars.h>

#include "PannexMenus.h"

class CMyMFCToolBar : public CToolBar {
public:
    // Where the LAYOUT texts come from (the frame's language); without one
    // the framework's tips stay.
    void SetTextSource(LayoutTextFn text) { m_text = std::move(text); }

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

private:
    LayoutTextFn m_text;
};
