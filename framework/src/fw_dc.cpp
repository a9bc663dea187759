// Device contexts and the window DCs.
#include "afx_gdi.h"

#include <map>
#include <memory>

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)

struct CDCTempMapAccess {
    static void Release(CDC* p)
    {
        p->m_hDC = nullptr;
        delete p;
    }
    static void MarkTemporary(CDC* p) { p->m_bTemporary = true; }
};

namespace {

struct TempDeleter {
    void operator()(CDC* p) const { CDCTempMapAccess::Release(p); }
};

using TempMap = std::map<HDC, std::unique_ptr<CDC, TempDeleter>>;

TempMap& ThreadTempMap()
{
    thread_local TempMap map;
    return map;
}

} // namespace

CDC::~CDC()
{
    if (!m_bTemporary)
        DeleteDC();
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    if (hDC == nullptr)
        return nullptr;
    TempMap& map = ThreadTempMap();
    auto it = map.find(hDC);
    if (it == map.end()) {
        CDC* dc = new CDC;
        dc->m_hDC = hDC;
        CDCTempMapAccess::MarkTemporary(dc);
        it = map.emplace(hDC, std::unique_ptr<CDC, TempDeleter>(dc)).first;
    }
    return it->second.get();
}

void PASCAL CDC::DeleteTempMap()
{
    ThreadTempMap().clear();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr)
        return FALSE;
    if (m_hDC != nullptr && m_hDC != hDC)
        DeleteDC();
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = nullptr;
    return h;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : nullptr));
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const DEVMODE* lpInitData)
{
    return Attach(::CreateDCW(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData));
}

namespace {

// SelectObject's failure value differs by kind (NULL or HGDI_ERROR).
HGDIOBJ SelectChecked(HDC hDC, HGDIOBJ hObject)
{
    if (hDC == nullptr || hObject == nullptr)
        return nullptr;
    HGDIOBJ old = ::SelectObject(hDC, hObject);
    return old == HGDI_ERROR ? nullptr : old;
}

} // namespace

CPen* CDC::SelectObject(CPen* pPen)
{
    return pPen == nullptr ? nullptr : CPen::FromHandle(static_cast<HPEN>(SelectChecked(m_hDC, *pPen)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return pBrush == nullptr ? nullptr : CBrush::FromHandle(static_cast<HBRUSH>(SelectChecked(m_hDC, *pBrush)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return pFont == nullptr ? nullptr : CFont::FromHandle(static_cast<HFONT>(SelectChecked(m_hDC, *pFont)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return pBitmap == nullptr ? nullptr : CBitmap::FromHandle(static_cast<HBITMAP>(SelectChecked(m_hDC, *pBitmap)));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return pObject == nullptr ? nullptr : CGdiObject::FromHandle(SelectChecked(m_hDC, pObject->m_hObject));
}

int CDC::SelectObject(CRgn* pRgn)
{
    if (pRgn == nullptr)
        return ERROR;
    return static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, pRgn->m_hObject)));
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectChecked(m_hDC, ::GetStockObject(nIndex)));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    if (pPalette == nullptr)
        return nullptr;
    return CPalette::FromHandle(::SelectPalette(m_hDC, *pPalette, bForceBackground));
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT old = {};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::GetViewportOrg() const
{
    POINT pt = {};
    ::GetViewportOrgEx(m_hDC, &pt);
    return CPoint(pt);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old = {};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT old = {};
    ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
    return CPoint(old);
}

CSize CDC::GetViewportExt() const
{
    SIZE size = {};
    ::GetViewportExtEx(m_hDC, &size);
    return CSize(size);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE old = {};
    ::SetViewportExtEx(m_hDC, cx, cy, &old);
    return CSize(old);
}

CPoint CDC::GetWindowOrg() const
{
    POINT pt = {};
    ::GetWindowOrgEx(m_hDC, &pt);
    return CPoint(pt);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old = {};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CSize CDC::GetWindowExt() const
{
    SIZE size = {};
    ::GetWindowExtEx(m_hDC, &size);
    return CSize(size);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE old = {};
    ::SetWindowExtEx(m_hDC, cx, cy, &old);
    return CSize(old);
}

CPoint CDC::GetCurrentPosition() const
{
    POINT pt = {};
    ::GetCurrentPositionEx(m_hDC, &pt);
    return CPoint(pt);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old = {};
    ::MoveToEx(m_hDC, x, y, &old);
    return CPoint(old);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rc = { x, y, x + cx, y + cy };
    FillSolidRect(&rc, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
        clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {};
    if (lpszString != nullptr && nCount > 0)
        ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &size);
    return CSize(size);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
    int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, SourceOf(pSrcDC), xSrc, ySrc, nSrcWidth,
        nSrcHeight, clrTransparent);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
    int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    return ::AlphaBlend(
        m_hDC, xDest, yDest, nDestWidth, nDestHeight, SourceOf(pSrcDC), xSrc, ySrc, nSrcWidth, nSrcHeight, blend);
}

// Window DCs: released or ended, never deleted.
CClientDC::CClientDC(HWND hWnd)
    : m_hWnd(hWnd)
{
    if (!Attach(::GetDC(hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(HWND hWnd)
    : m_hWnd(hWnd)
{
    if (!Attach(::GetWindowDC(hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CPaintDC::CPaintDC(HWND hWnd)
    : m_hWnd(hWnd)
    , m_ps()
{
    if (!Attach(::BeginPaint(hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}
