// CMemDCEx: an off-screen device context for one paint. It draws into a
// bitmap of the target's clip box and copies it to the target when it ends;
// over a printer (or metafile) it draws straight into the target.
#pragma once

#include "afxwin.h"

class CMemDCEx : public CDC {
public:
    explicit CMemDCEx(CDC* pDC);
    // Over a given rectangle of the target instead of its clip box.
    CMemDCEx(CDC* pDC, const CRect& rect);
    ~CMemDCEx() override;
    CMemDCEx(const CMemDCEx&) = delete;
    CMemDCEx& operator=(const CMemDCEx&) = delete;

    BOOL IsMemDC() const { return m_bMemDC; }
    const CRect& GetPaintRect() const { return m_rect; }

private:
    CDC* m_pDC;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    CRect m_rect;
    BOOL m_bMemDC;
};
