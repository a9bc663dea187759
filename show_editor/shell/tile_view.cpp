// CMyColorView and its QCtrl tiles: placement, selection, scrolling and the
// tiles' double-buffered painting.
#include "tile_view.h"

#include "../document/show_messages.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(QCtrl, CWnd)
IMPLEMENT_DYNAMIC(CMyColorView, CFormView)

namespace {
const COLORREF kHoverColor = RGB(255, 127, 80);
const COLORREF kSelectColor = RGB(0, 0, 255);

// A frame nWidth pixels wide just inside rc, painted with brush.
void FrameWide(HDC hdc, const CRect& rc, int nWidth, HBRUSH brush)
{
    CRect r;
    r.SetRect(rc.left, rc.top, rc.right, rc.top + nWidth);
    ::FillRect(hdc, &r, brush);
    r.SetRect(rc.left, rc.bottom - nWidth, rc.right, rc.bottom);
    ::FillRect(hdc, &r, brush);
    r.SetRect(rc.left, rc.top, rc.left + nWidth, rc.bottom);
    ::FillRect(hdc, &r, brush);
    r.SetRect(rc.right - nWidth, rc.top, rc.right, rc.bottom);
    ::FillRect(hdc, &r, brush);
}
} // namespace

// ---------------------------------------------------------------------------

QMemDC::QMemDC(CDC* pTarget, const CRect& rc)
    : m_pTarget(pTarget)
    , m_rect(rc)
{
    CreateCompatibleDC(pTarget);
    m_bitmap.CreateCompatibleBitmap(pTarget, rc.Width(), rc.Height());
    m_pOldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(rc.left, rc.top);
}

QMemDC::~QMemDC()
{
    if (GetSafeHdc() != nullptr) {
        if (m_pOldBitmap != nullptr)
            SelectObject(m_pOldBitmap);
        DeleteDC();
    }
    m_bitmap.DeleteObject();
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(QCtrl, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDBLCLK()
ON_MESSAGE(WM_TILE_DESELECT, OnTileDeselect)
END_MESSAGE_MAP()

BOOL QCtrl::CreateTile(LPCTSTR lpszCaption, const CRect& rc, CWnd* pParent)
{
    // No background brush, cursor or icon: the tile paints everything.
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, nullptr, nullptr, nullptr);
    if (!CreateEx(0, cls, lpszCaption, WS_CHILD | WS_VISIBLE, rc, pParent, 0))
        return FALSE;
    if (m_toolTip.Create(this)) {
        m_toolTip.Activate(TRUE);
        m_toolTip.AddTool(this, lpszCaption);
    }
    return TRUE;
}

BOOL QCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

void QCtrl::Paint(CDC* pDC, const CRect& rc) const
{
    HDC hdc = pDC->GetSafeHdc();
    ::FillRect(hdc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    if (m_pBitmap != nullptr && m_pBitmap->GetSafeHandle() != nullptr) {
        BITMAP bm {};
        ::GetObjectW(m_pBitmap->GetSafeHandle(), sizeof(bm), &bm);
        CRect pic = rc;
        pic.DeflateRect(6, 6);
        HDC mem = ::CreateCompatibleDC(hdc);
        HGDIOBJ old = ::SelectObject(mem, m_pBitmap->GetSafeHandle());
        int oldMode = ::SetStretchBltMode(hdc, HALFTONE);
        ::SetBrushOrgEx(hdc, 0, 0, nullptr);
        ::StretchBlt(hdc, pic.left, pic.top, pic.Width(), pic.Height(), mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        ::SetStretchBltMode(hdc, oldMode);
        ::SelectObject(mem, old);
        ::DeleteDC(mem);
    }
    if (m_bHover) {
        HBRUSH hover = ::CreateSolidBrush(kHoverColor);
        CRect r = rc;
        r.DeflateRect(4, 4);
        FrameWide(hdc, r, 2, hover);
        ::DeleteObject(hover);
        if (m_bSelected) {
            HBRUSH sel = ::CreateSolidBrush(kSelectColor);
            r = rc;
            r.DeflateRect(2, 2);
            FrameWide(hdc, r, 2, sel);
            ::DeleteObject(sel);
        }
    } else if (m_bSelected) {
        HBRUSH hatch = ::CreateHatchBrush(HS_DIAGCROSS, kSelectColor);
        int oldBk = ::SetBkMode(hdc, TRANSPARENT);
        CRect r = rc;
        r.DeflateRect(4, 4);
        FrameWide(hdc, r, 4, hatch);
        ::SetBkMode(hdc, oldBk);
        ::DeleteObject(hatch);
    }
}

void QCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    QMemDC mem(&dc, rc);
    Paint(&mem, rc);
    dc.BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &mem, rc.left, rc.top, SRCCOPY);
}

void QCtrl::OnMouseMove(UINT, CPoint)
{
    if (m_bHover == 0) {
        m_bHover = 1;
        TRACKMOUSEEVENT tme { sizeof(tme), TME_LEAVE | TME_HOVER, GetSafeHwnd(), HOVER_DEFAULT };
        ::TrackMouseEvent(&tme);
        Invalidate();
    }
}

void QCtrl::OnMouseLeave()
{
    m_bHover = 0;
    Invalidate();
}

LRESULT QCtrl::OnMouseHover(WPARAM, LPARAM)
{
    Invalidate();
    return 0;
}

void QCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bSelected = 1;
    ::PostMessageW(::GetParent(GetSafeHwnd()), WM_TILE_CLICKED, static_cast<WPARAM>(m_nId), 0);
    Invalidate();
    CWnd::OnLButtonDown(nFlags, point);
}

void QCtrl::OnRButtonDown(UINT, CPoint)
{
    m_bSelected = 1;
    ::PostMessageW(::GetParent(GetSafeHwnd()), WM_TILE_CLICKED, static_cast<WPARAM>(m_nId), 1);
    Invalidate();
}

LRESULT QCtrl::OnTileDeselect(WPARAM wParam, LPARAM)
{
    if (static_cast<int>(wParam) != m_nId) {
        m_bSelected = 0;
        Invalidate();
    }
    return 0;
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMyColorView, CFormView)
ON_MESSAGE(WM_TILE_CLICKED, OnTileClicked)
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
ON_MESSAGE(WM_MOUSEACTIVATE, OnDefaultHandling)
ON_MESSAGE(WM_ACTIVATE, OnDefaultHandling)
ON_MESSAGE(WM_ERASEBKGND, OnDefaultHandling)
END_MESSAGE_MAP()

CMyColorView::CMyColorView()
    : CFormView(IDD_TILE_VIEW)
{
}

CMyColorView::~CMyColorView()
{
    // The tile windows are children and already gone with the view's window.
    while (!m_tiles.IsEmpty())
        delete m_tiles.RemoveHead();
}

void CMyColorView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(1, 1));
}

QCtrl* CMyColorView::TileAt(int nPos) const
{
    if (nPos < 0 || nPos >= static_cast<int>(m_tiles.GetCount()))
        return nullptr;
    POSITION pos = m_tiles.FindIndex(nPos);
    return pos != nullptr ? m_tiles.GetAt(pos) : nullptr;
}

CRect CMyColorView::PlaceNext(int n) const
{
    int c = std::max(1, m_nColumns);
    int left = 0;
    int top = 0;
    QCtrl* prev = n < c ? nullptr : TileAt(n - 1);
    if (prev == nullptr || prev->GetSafeHwnd() == nullptr) {
        // The first row, or a previous tile that cannot be asked: its content
        // position.
        left = (n % c) * (m_nMarginX + m_nTileWidth) + m_nMarginX;
        top = m_nMarginY + (n / c) * (m_nMarginY + m_nTileHeight);
        if (n >= c) {
            CPoint scroll = GetScrollPosition();
            left -= scroll.x;
            top -= scroll.y;
        }
    } else {
        // Where the previous tile lies now, so scrolling is accounted for.
        CRect r;
        prev->GetWindowRect(&r);
        ScreenToClient(&r);
        if (n % c != 0) {
            left = r.right + m_nMarginX;
            top = r.top;
        } else {
            left = r.left - (c - 1) * (m_nMarginX + m_nTileWidth);
            top = r.bottom + m_nMarginY;
        }
    }
    return CRect(left, top, left + m_nTileWidth, top + m_nTileHeight);
}

void CMyColorView::AddItem(CBitmap* pBitmap, int nId)
{
    CString caption;
    caption.Format(L"%d", static_cast<int>(m_tiles.GetCount()));
    AddNamedItem(pBitmap, caption, nId);
}

void CMyColorView::AddNamedItem(CBitmap* pBitmap, LPCTSTR lpszCaption, int nId)
{
    int n = static_cast<int>(m_tiles.GetCount());
    int c = std::max(1, m_nColumns);
    auto* tile = new QCtrl;
    tile->m_pBitmap = pBitmap;
    tile->m_nId = nId;
    CRect rc = PlaceNext(n);
    tile->CreateTile(lpszCaption, rc, this);
    m_tiles.AddTail(tile);
    if (nId == m_nRememberedSel) {
        tile->m_bSelected = 1;
        tile->Invalidate();
    }
    int height = m_nMarginY + (m_nMarginY + m_nTileHeight) * (n / c + 1);
    SetScrollSizes(MM_TEXT, CSize(300, height), CSize(300, height), CSize(300, m_nMarginY + m_nTileHeight));
}

void CMyColorView::RemoveAllItems()
{
    while (!m_tiles.IsEmpty()) {
        QCtrl* tile = m_tiles.RemoveHead();
        if (tile->GetSafeHwnd() != nullptr)
            tile->DestroyWindow();
        delete tile;
    }
    m_nCurSel = -1;
    SetScrollSizes(MM_TEXT, CSize(1, 1));
}

LRESULT CMyColorView::OnTileClicked(WPARAM wParam, LPARAM lParam)
{
    int id = static_cast<int>(wParam);
    SetFocus();
    // The current selection is used as a list position only when it is one.
    QCtrl* prev = TileAt(m_nCurSel);
    if (prev != nullptr && prev->GetSafeHwnd() != nullptr)
        prev->SendMessage(WM_TILE_DESELECT, static_cast<WPARAM>(id));
    m_nCurSel = id;
    CWnd* parent = GetParent();
    if (parent != nullptr)
        parent->PostMessage(WM_TILE_SELECTED, static_cast<WPARAM>(id), lParam);
    return 0;
}

BOOL CMyColorView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_DELETE) {
        CWnd* parent = GetParent();
        if (parent != nullptr)
            parent->PostMessage(WM_TILE_DELETE, static_cast<WPARAM>(m_nCurSel), 0);
    }
    return CFormView::PreTranslateMessage(pMsg);
}

void CMyColorView::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    CFormView::OnLButtonDown(nFlags, point);
}

LRESULT CMyColorView::OnNcLButtonDown(WPARAM, LPARAM)
{
    SetFocus();
    return Default();
}
