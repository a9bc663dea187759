// CPrintInfo: what a print loop hands to the printing operations of a view
// or control (pages, the current page and the drawing rectangle).
#pragma once

#include "afx.h"

class CPrintInfo {
public:
    CPrintInfo() = default;

    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    UINT GetFromPage() const { return m_nMinPage; }
    UINT GetToPage() const { return m_nMaxPage; }

    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw;

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
};
