// CMemDCEx: double buffering for one paint.
#include "MemDCEx.h"

namespace {
CRect ClipBoxOf(CDC* pDC)
{
    CRect rect;
    pDC->GetClipBox(&rect);
    return rect;
}
} // namespace

CMemDCEx::CMemDCEx(CDC* pDC)
    : CMemDCEx(pDC, ClipBoxOf(pDC))
{
}

CMemDCEx::CMemDCEx(CDC* pDC, const CRect& rect)
    : m_pDC(pDC)
    , m_rect(rect)
{
    const HDC hTarget = pDC->GetSafeHdc();
    const DWORD type = ::GetObjectType(hTarget);
    const bool bPrinting
        = pDC->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER || type == OBJ_ENHMETADC || type == OBJ_METADC;
    m_bMemDC = bPrinting ? FALSE : TRUE;
    if (!m_bMemDC) {
        // Printing: draw straight through the target's handle.
        m_hDC = hTarget;
        return;
    }
    if (!CreateCompatibleDC(pDC) || !m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height())) {
        // No buffer to be had: draw directly after all.
        if (m_hDC != nullptr)
            DeleteDC();
        m_hDC = hTarget;
        m_bMemDC = FALSE;
        return;
    }
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
    SetWindowOrg(m_rect.left, m_rect.top);
    FillSolidRect(&m_rect, pDC->GetBkColor());
}

CMemDCEx::~CMemDCEx()
{
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
        ::SelectObject(m_hDC, m_hOldBitmap);
    } else {
        // The handle belongs to the target.
        m_hDC = nullptr;
    }
}
