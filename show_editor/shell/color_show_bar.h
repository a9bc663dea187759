// CColorShowBar: a static control that shows a colour image stretched over
// its area, with an optional number or warning text, and reports clicks,
// double-clicks and drags to its parent by posted messages. The owner sets
// the public members and invalidates the bar when it changes what it shows.
#pragma once

#include <afxwin.h>

class CColorShowBar : public CStatic {
    DECLARE_DYNAMIC(CColorShowBar)
public:
    CColorShowBar();

    // The part of the bar's drag, normalised (left <= right, top <= bottom).
    void GetDragRect(LPRECT lpRect) const;

    // Paints the bar's picture into pDC over rcClient; OnPaint calls it with
    // the paint DC.
    void Paint(CDC* pDC, const CRect& rcClient);

    // Set by the owner.
    CDC* m_pSrcDC = nullptr; // not owned; its clip box is the part shown
    BOOL m_bTooShort = FALSE;
    CBitmap* m_pBitmap = nullptr; // not owned; shown when there is no source
    BOOL m_bShowNumber = FALSE;
    int m_nNumber = 0;
    CString m_strMessage;
    HCURSOR m_hCursor = nullptr;
    BOOL m_bReportDrag = FALSE;
    BOOL m_bReportLButtonDown = FALSE;
    BOOL m_bReportRButtonDown = FALSE;

    // Kept by the bar. Their addresses travel with the posted messages and
    // stay valid as long as the bar exists.
    POINT m_ptDragStart { 0, 0 };
    POINT m_ptDragEnd { 0, 0 };
    POINT m_ptDblClk { 0, 0 };
    BOOL m_bDragging = FALSE;
    int m_nNumberTextHeight = 0;

protected:
    void OnPaint();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void PostToParent(UINT message, LPARAM lParam) const;
    void DrawCentredMessage(HDC hdc, const CRect& rc) const;
    void DrawNumber(HDC hdc, const CRect& rc);
};
