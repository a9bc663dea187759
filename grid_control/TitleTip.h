// CTitleTip: a small top-most pop-up the grid can show over a cell while the
// pointer hovers it; clicks on it are passed on to the window below.
#pragma once

#include "GridTypes.h"

class CTitleTip : public CWnd {
    DECLARE_DYNAMIC(CTitleTip)
public:
    CTitleTip();
    ~CTitleTip() override;

    virtual BOOL Create(CWnd* pParentWnd);
    void Show(CRect rectTitle, LPCTSTR lpszTitleText, LPRECT lpHoverRect = nullptr, const LOGFONT* lpLogFont = nullptr,
        COLORREF crTextClr = CLR_GRID_DEFAULT, COLORREF crBackClr = CLR_GRID_DEFAULT);
    void Hide();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    const CRect& GetHoverRect() const { return m_rectHover; }

protected:
    void OnMouseMove(UINT nFlags, CPoint point);

private:
    CWnd* m_pParentWnd = nullptr;
    CRect m_rectHover;
    DWORD m_dwLastLButtonDown = static_cast<DWORD>(-1);
    DWORD m_dwDblClickMsecs;

    DECLARE_MESSAGE_MAP()
};
