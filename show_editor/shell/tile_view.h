// CMyColorView: the scrolling grid of picture tiles (QCtrl) from which the
// effect editors and the animation browser let the user pick a colour
// template, a colour strip or an animation. The host dialog sets the columns,
// tile size and selections, then adds tiles with ids 0, 1, 2, ... in order (a
// tile's id is also its position in the list).
#pragma once

#include <afxext.h>
#include <afxtempl.h>
#include <afxcmn.h>
#include <afxwin.h>

// Tile to view: a tile was clicked (id, 0 left button / 1 right button).
constexpr UINT WM_TILE_CLICKED = WM_USER + 100;
// View to tile: the tile with this id is now selected.
constexpr UINT WM_TILE_DESELECT = WM_USER + 101;
// View to host: the Delete key was released (current selection or -1, 0).
constexpr UINT WM_TILE_DELETE = 121;

// The empty form the view is created on.
#define IDD_TILE_VIEW 319

// A memory DC with a bitmap of rc's size, for double-buffered painting. The
// painter copies it to the target itself.
class QMemDC : public CDC {
public:
    QMemDC(CDC* pTarget, const CRect& rc);
    ~QMemDC() override;
    QMemDC(const QMemDC&) = delete;
    QMemDC& operator=(const QMemDC&) = delete;

    CDC* Target() const { return m_pTarget; }
    const CRect& Rect() const { return m_rect; }

private:
    CDC* m_pTarget;
    CRect m_rect;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
};

// One picture tile of the view.
class QCtrl : public CWnd {
    DECLARE_DYNAMIC(QCtrl)
public:
    QCtrl() = default;

    BOOL CreateTile(LPCTSTR lpszCaption, const CRect& rc, CWnd* pParent);
    // Draws the tile into pDC over rcClient (what painting shows).
    void Paint(CDC* pDC, const CRect& rcClient) const;

    BYTE m_bHover = 0;
    BYTE m_bSelected = 0;
    CBitmap* m_pBitmap = nullptr; // not owned
    int m_nId = 0;
    CToolTipCtrl m_toolTip;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    LRESULT OnMouseHover(WPARAM, LPARAM);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT, CPoint) { }
    void OnLButtonDblClk(UINT, CPoint) { }
    void OnRButtonDblClk(UINT, CPoint) { }
    LRESULT OnTileDeselect(WPARAM wParam, LPARAM);
    DECLARE_MESSAGE_MAP()
};

class CMyColorView : public CFormView {
    DECLARE_DYNAMIC(CMyColorView)
public:
    CMyColorView();
    ~CMyColorView() override;

    void AddItem(CBitmap* pBitmap, int nId);
    void AddNamedItem(CBitmap* pBitmap, LPCTSTR lpszCaption, int nId);
    void RemoveAllItems();

    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int m_nTileWidth = 145;
    int m_nTileHeight = 30;
    int m_nMarginX = 5;
    int m_nMarginY = 1;
    int m_nColumns = 2;
    CList<QCtrl*, QCtrl*> m_tiles;
    int m_nCurSel = -1;
    int m_nRememberedSel = -1;

protected:
    LRESULT OnTileClicked(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT nFlags, CPoint point);
    // Non-client press, mouse and window activation and background erasing
    // take the default window handling: the view lives in dialogs, not in a
    // frame.
    LRESULT OnNcLButtonDown(WPARAM, LPARAM);
    LRESULT OnDefaultHandling(WPARAM, LPARAM) { return Default(); }
    DECLARE_MESSAGE_MAP()

private:
    QCtrl* TileAt(int nPos) const;
    CRect PlaceNext(int n) const;
};
