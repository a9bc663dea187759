// CPannexView: the layout editor's only view. Holds the project settings of
// the layout, the view geometry (zoom, pan, client size), the edit mode and
// the state of the user's gestures; turns client pixels into grid cells and
// back, pans, resizes the layout and paints it (LayoutDraw.cpp).
#pragma once

#include <afxwin.h>

#include <vector>

#include "LightBarTemplate.h"
#include "PannexDoc.h"

class CPannexView : public CView, public ILayoutDocView {
    DECLARE_DYNCREATE(CPannexView)
public:
    CPannexView();
    ~CPannexView() override;

    // --- ILayoutDocView ----------------------------------------------------
    CLayoutProjectSettings& GetLayoutSettings() override { return m_settings; }
    void ResizeLayout(int width, int height) override;
    void OnLayoutLoaded() override;

    // The layout model: the document's, or one attached without a document
    // (a view drawn off-screen).
    CLayoutData* GetModel() const;
    void AttachModel(CLayoutData* model) { m_pDetachedModel = model; }

    // --- Coordinates -------------------------------------------------------
    // The layout's pixel rectangle for a client size, zoom and pan.
    static CRect LayoutRectInClient(int clientWidth, int clientHeight, double zoom, CPoint pan);
    CRect LayoutRectInClient() const { return LayoutRectInClient(m_clientWidth, m_clientHeight, m_zoom, m_pan); }
    // The cell and normalised position under a client point, snapped to a
    // lamp within half a cell.
    CLPoint PointFromClient(CPoint client) const;
    // Pans so that the cell's centre lies under the client point.
    void PanToPoint(const CPoint& cell, CPoint client, bool moveCursor);
    // 1-based controller and port of a global port index.
    void BarToCardPort(int portIndex, int& controller, int& port) const;
    // One zoom step in (delta > 0) or out about a client point, keeping the
    // current cell under it.
    void ZoomAt(short delta, int x, int y);
    void SetEditMode(int mode);
    // The list panel chose a port: it becomes the current port, and in mode
    // 0 its lamps become the selection.
    void SelectBar(int port);
    void ShowTemplate(bool show);
    void Redraw();

    // --- Drawing -------------------------------------------------------------
    void OnDraw(CDC* pDC) override;
    // Paints the whole client area off-screen and copies it to pDC; nothing
    // without a model.
    void DrawLayout(CDC* pDC);

    // Releases the background picture.
    void ClearBackgroundImage();
    // Takes a picture (a copy is kept) as the background; false when it
    // cannot be copied.
    bool SetBackgroundImage(HBITMAP bitmap);

    // --- State -----------------------------------------------------------------
    CLayoutProjectSettings m_settings;
    BYTE m_wiringDirection = 0;
    BYTE m_wiringAlternation = 1;
    int m_currentPort = 0;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_scaleToPage = 0;
    BYTE m_loadedFile = 0;
    CLightBarTemplate m_copyBuffer;
    BYTE m_templateShown = 0;
    CPoint m_pan { 0, 0 };
    double m_zoom = 1.0;
    double m_fitZoom = 1.0;
    BYTE m_dragRectShown = 0;
    int m_bkWidth = 0;
    int m_bkHeight = 0;
    int m_overlapMarkers = 0;
    std::vector<CPoint> m_overlapCells;
    int m_fastWidth = 50;
    int m_fastHeight = 50;
    CLPoint m_currentCell;
    CLPoint m_pressCell;
    CLPoint m_prevClickCell;
    int m_lampNumbers = 0;
    int m_connectionLines = 1;
    CRect m_dragRect { 0, 0, 0, 0 };
    CRect m_visibleCells { 0, 0, 0, 0 };
    BYTE m_editMode = 0;
    BYTE m_movingLamp = 0;
    BYTE m_insertArmed = 0;
    BYTE m_rotationArmed = 0;
    BYTE m_rotationRunning = 0;
    BYTE m_straightenArmed = 0;
    std::vector<CLPoint> m_rotationPreview;
    BYTE m_cursorMarkerShown = 0;
    BYTE m_rubberLineShown = 0;
    std::vector<CLPoint> m_previewBuffer;
    int m_previewCount = 0;

protected:
    void OnInitialUpdate() override;
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    // The layout's top-left pixel at zoom z without pan.
    void PaintLayout(CDC& dc, CLayoutData& model);

    CLayoutData* m_pDetachedModel = nullptr;
    HDC m_bkDC = nullptr;
    HBITMAP m_bkBitmap = nullptr;
    HGDIOBJ m_bkOldBitmap = nullptr;
};

// Crops the layout to its lamps: shifts them to the top-left, fits the size
// to the largest cell and refits the view. Not undoable; the modified state
// stays.
void CropLayoutToLamps(CPannexView& view, CLayoutData& model);
