// CMyStatusBar: the main frame's status bar, a flat blue strip that shows
// one status text (a view's rectangle while it is selected) in white, centred.
// Its panes exist for the framework's layout but are not drawn.
#pragma once

#include <afxwin.h>

#include "fw_bars.h"

class CMyStatusBar : public CStatusBar {
    DECLARE_DYNAMIC(CMyStatusBar)
public:
    static constexpr COLORREF kBarColor = RGB(41, 57, 85);

    // Stores the text; the owner invalidates the bar to show it.
    void SetStatusText(const CString& text) { m_statusText = text; }
    const CString& GetStatusText() const { return m_statusText; }

    // Draws the bar as it paints: the blue background over the area and the
    // text centred in it.
    void DrawBar(CDC* pDC, const CRect& area) const;

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CString m_statusText;
};
