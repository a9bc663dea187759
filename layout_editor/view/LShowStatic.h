// CLShowStatic: the overview thumbnail of the list panel. Shows the whole
// layout small (every used port as a yellow line on black) with a blue
// frame around the part the layout view shows; a click or a drag pans the
// view so that the pointed cell comes to its centre. All drawing goes to a
// back buffer that reaches the screen in one copy, so panning does not
// flicker.
#pragma once

#include <afxwin.h>

#include <utility>
#include <vector>

#include "LPoint.h"

class CLayoutData;
class CPannexView;

// Where a layout of width x height cells lies in a control of cw x ch
// pixels: the pixels per cell and the rectangle it is drawn in (centred).
struct OverviewPlacement {
    double scale = 1.0;
    CRect drawn { 0, 0, 0, 0 };
};
OverviewPlacement PlaceOverview(int cw, int ch, int width, int height);
// The cell under a control point (truncated toward zero, so a point left of
// the drawn rectangle gives a cell left of the layout).
CPoint OverviewCellAt(CPoint point, const OverviewPlacement& placement);
// The pixel of a cell's lamp in the thumbnail.
CPoint OverviewPixelOf(int x, int y, const OverviewPlacement& placement);
// The frame of the visible area: view client vw x vh at zoom over fit zoom
// with the view's pan, in a control of tw x th.
CRect OverviewViewFrame(
    int vw, int vh, int tw, int th, const OverviewPlacement& placement, double fitZoom, double zoom, CPoint pan);
// Draws the used ports of the model as straight runs of a one-pixel line in
// the current pen (a port of one lamp draws nothing).
void DrawOverviewPorts(HDC dc, const CLayoutData& model, const OverviewPlacement& placement);
// What a thumbnail shows of a model, in a form that is cheap to compare:
// each used port with the revision of its points. Equal signatures mean an
// equal picture; it is filled into `out` (no allocation once it has room).
using OverviewSignature = std::vector<std::pair<int, unsigned long long>>;
void GetOverviewSignature(const CLayoutData& model, OverviewSignature& out);

class CLShowStatic : public CStatic {
    DECLARE_DYNAMIC(CLShowStatic)
public:
    CLShowStatic();
    ~CLShowStatic() override;

    // Takes the layout size, places it and redraws.
    void SetLayoutSize(int width, int height);
    // Makes the back buffer in the control's client size (again after the
    // control was resized).
    void CreateBackBuffer();
    // Paints the layout into the back buffer and copies it to pDC.
    void DrawThumbnail(CDC* pDC);
    // Copies the back buffer to pDC and draws the visible-area frame.
    void DrawViewFrame(CDC* pDC);
    // Both on the control's own device context.
    void Redraw();
    // After the view redrew: takes the view's layout size when it differs,
    // paints the thumbnail again when the lamps changed since it was last
    // painted (comparing costs a look at each used port, not at each lamp)
    // and draws the frame of the visible area.
    void FollowView(int width, int height);

    // The view whose layout and geometry are shown: by default the main
    // frame's active layout view; tests attach one.
    void AttachView(CPannexView* view) { m_pAttachedView = view; }
    CPannexView* GetView() const;

    const OverviewPlacement& GetPlacement() const { return m_placement; }
    int GetLayoutWidth() const { return m_layoutWidth; }
    int GetLayoutHeight() const { return m_layoutHeight; }
    const CLPoint& GetClickedCell() const { return m_clickedCell; }
    bool IsDragging() const { return m_dragging != 0; }
    HDC GetBackBufferDC() const { return m_backDC; }

protected:
    void PreSubclassWindow() override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void Place();
    void PointAt(CPoint point);
    void ReleaseBackBuffer();
    CSize ClientSize() const;

    CLPoint m_clickedCell;
    int m_layoutWidth = 1;
    int m_layoutHeight = 1;
    OverviewPlacement m_placement;
    BYTE m_dragging = 0;
    HDC m_backDC = nullptr;
    HBITMAP m_backBitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    CSize m_backSize { 0, 0 };
    CPannexView* m_pAttachedView = nullptr;
    // What the back buffer shows: the model and its signature when painted.
    const CLayoutData* m_paintedModel = nullptr;
    OverviewSignature m_paintedSignature;
    OverviewSignature m_currentSignature;
};
