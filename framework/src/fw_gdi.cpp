// GDI object wrappers and the per-thread map of temporary wrappers.
#include "afx_gdi.h"

#include <map>
#include <memory>
#include <typeindex>
#include <utility>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNCREATE(CImageList, CObject)

// Lets the temporary map reach the private flag without making it public.
struct CGdiTempMapAccess {
    static void Release(CGdiObject* p)
    {
        // A temporary never owns its handle: forget it before destruction.
        p->m_hObject = nullptr;
        delete p;
    }
    static void MarkTemporary(CGdiObject* p) { p->m_bTemporary = true; }
};

namespace {

struct TempDeleter {
    void operator()(CGdiObject* p) const { CGdiTempMapAccess::Release(p); }
};

using TempKey = std::pair<HGDIOBJ, std::type_index>;
using TempMap = std::map<TempKey, std::unique_ptr<CGdiObject, TempDeleter>>;

// One map per thread: no locking, and a thread's temporaries die with it.
TempMap& ThreadTempMap()
{
    thread_local TempMap map;
    return map;
}

} // namespace

template <class T> T* CGdiObject::TempFromHandle(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return nullptr;
    TempMap& map = ThreadTempMap();
    TempKey key(hObject, std::type_index(typeid(T)));
    auto it = map.find(key);
    if (it == map.end()) {
        T* wrapper = new T;
        wrapper->m_hObject = hObject;
        CGdiTempMapAccess::MarkTemporary(wrapper);
        it = map.emplace(key, std::unique_ptr<CGdiObject, TempDeleter>(wrapper)).first;
    }
    return static_cast<T*>(it->second.get());
}

CGdiObject::~CGdiObject()
{
    if (!m_bTemporary)
        DeleteObject();
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return TempFromHandle<CGdiObject>(hObject);
}

void PASCAL CGdiObject::DeleteTempMap()
{
    ThreadTempMap().clear();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return FALSE;
    if (m_hObject != nullptr && m_hObject != hObject)
        DeleteObject();
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    // Stock objects are never deleted by the system; DeleteObject on them is a no-op.
    return Attach(::GetStockObject(nIndex));
}

// Pens.
CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (!CreatePen(nPenStyle, nWidth, crColor))
        AfxThrowResourceException();
}

CPen* PASCAL CPen::FromHandle(HPEN hPen)
{
    return TempFromHandle<CPen>(hPen);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    return Attach(::CreatePenIndirect(lpLogPen));
}

// Brushes.
CBrush::CBrush(COLORREF crColor)
{
    if (!CreateSolidBrush(crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    if (!CreateHatchBrush(nIndex, crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap)
{
    if (!CreatePatternBrush(pBitmap))
        AfxThrowResourceException();
}

CBrush* PASCAL CBrush::FromHandle(HBRUSH hBrush)
{
    return TempFromHandle<CBrush>(hBrush);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return Attach(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    if (pBitmap == nullptr)
        return FALSE;
    return Attach(::CreatePatternBrush(*pBitmap));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return Attach(::GetSysColorBrush(nIndex));
}

// Fonts.
CFont* PASCAL CFont::FromHandle(HFONT hFont)
{
    return TempFromHandle<CFont>(hFont);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    return Attach(::CreateFontIndirectW(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
    BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
        nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName != nullptr)
        lstrcpynW(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    if (lpLogFont == nullptr)
        return FALSE;
    HDC hDC = pDC != nullptr ? pDC->m_hDC : ::GetDC(nullptr);
    // lfHeight holds tenths of a point: device pixels first, then logical
    // units of the DC's mapping mode (negative: character height).
    POINT pt[2] = { { 0, 0 }, { 0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lpLogFont->lfHeight, 720) } };
    ::DPtoLP(hDC, pt, 2);
    if (pDC == nullptr)
        ::ReleaseDC(nullptr, hDC);
    LOGFONT lf = *lpLogFont;
    LONG h = pt[1].y - pt[0].y;
    lf.lfHeight = h < 0 ? h : -h;
    return CreateFontIndirect(&lf);
}

// Bitmaps.
CBitmap* PASCAL CBitmap::FromHandle(HBITMAP hBitmap)
{
    return TempFromHandle<CBitmap>(hBitmap);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    return Attach(::LoadBitmapW(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    return Attach(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (pDC == nullptr)
        return FALSE;
    return Attach(::CreateCompatibleBitmap(*pDC, nWidth, nHeight));
}

// Regions and palettes.
CRgn* PASCAL CRgn::FromHandle(HRGN hRgn)
{
    return TempFromHandle<CRgn>(hRgn);
}

CPalette* PASCAL CPalette::FromHandle(HPALETTE hPalette)
{
    return TempFromHandle<CPalette>(hPalette);
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    if (pDC == nullptr)
        return FALSE;
    return Attach(::CreateHalftonePalette(*pDC));
}

// Image lists.
CImageList::~CImageList()
{
    DeleteImageList();
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Attach(ImageList_LoadImageW(
        AfxGetResourceHandle(), MAKEINTRESOURCEW(nBitmapID), cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == nullptr)
        return FALSE;
    if (m_hImageList != nullptr && m_hImageList != hImageList)
        DeleteImageList();
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (pbmImage == nullptr)
        return -1;
    return ImageList_Add(m_hImageList, *pbmImage, pbmMask != nullptr ? HBITMAP(*pbmMask) : HBITMAP(nullptr));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (pbmImage == nullptr)
        return -1;
    return ImageList_AddMasked(m_hImageList, *pbmImage, crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (pbmImage == nullptr)
        return FALSE;
    return ImageList_Replace(
        m_hImageList, nImage, *pbmImage, pbmMask != nullptr ? HBITMAP(*pbmMask) : HBITMAP(nullptr));
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (pDC == nullptr)
        return FALSE;
    return ImageList_Draw(m_hImageList, nImage, *pDC, pt.x, pt.y, nStyle);
}
