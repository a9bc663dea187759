// CCanvas: the dot-matrix preview window in which the user watches the show.
// A child window of the frame engine, which sizes and places it by the zoom
// and hands it every finished output image. The canvas never renders frames
// itself: it stretches the image to its own size, ANDs it with a pattern of
// white lamp dots on black drawn for the project's dot layout type, ORs the
// project's background image over it and paints the result. It also shows
// the rectangle tracker on the selected view, or a frame around a locked one.
//
// Window, layers, background and painting: preview_window.cpp; the visible
// part and the dot pattern: preview_window_dots.cpp.
#pragma once

#include "rect_tracker.h"

#include <afxmt.h>
#include <afxwin.h>

#include <functional>

class CDornelDoc;

// What the canvas reads from the frame engine: the canvas size in pixels, the
// zoom and the dot look the engine laid the canvas out with.
struct CanvasGeometry {
    int canvasWidth = 0;
    int canvasHeight = 0;
    int zoomPercent = 100;
    int dotLayoutType = 1;
    int dotGap = 0;
};

// One off-screen layer: a 32-bit bottom-up DIB section of the canvas size
// selected into a memory DC.
class CCanvasLayer {
public:
    CCanvasLayer() = default;
    ~CCanvasLayer() { Release(); }
    CCanvasLayer(const CCanvasLayer&) = delete;
    CCanvasLayer& operator=(const CCanvasLayer&) = delete;

    // Replaces the layer by a black width x height one compatible with
    // compatible; FALSE (and no layer) when it cannot be made.
    BOOL Create(CDC* compatible, int width, int height);
    void Release();
    BOOL Exists() const { return m_bitmap != nullptr; }
    CDC* GetDC() { return Exists() ? &m_dc : nullptr; }
    DWORD* GetBits() const { return m_bits; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    DWORD* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

class CCanvas : public CStatic {
    DECLARE_DYNAMIC(CCanvas)

public:
    using GeometrySource = std::function<CanvasGeometry()>;

    // The tracker starts with style 9 (solid line, resize inside), rectangle
    // (0, 0, 100, 100), handle size 1 and red handles.
    CCanvas();
    ~CCanvas() override;

    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

    // Creates the canvas as a visible child of the engine window.
    BOOL CreateCanvas(CWnd* engine, const RECT& rect, UINT id = 0xFFFF);

    // Surroundings, set by the engine when it creates the canvas.
    void SetDocument(CDornelDoc* document) { m_pDocument = document; }
    CDornelDoc* GetDocument() const { return m_pDocument; }
    void SetFrameMutex(CSyncObject* frameMutex) { m_pFrameMutex = frameMutex; }
    // Read whenever the canvas needs the engine's canvas size, zoom, dot
    // layout type or dot gap. Without a source the canvas uses its client
    // size at 100 % with the document's dot layout type and no gap.
    void SetGeometrySource(GeometrySource source) { m_geometrySource = std::move(source); }
    CanvasGeometry GetGeometry() const;

    // The engine's finished 32-bit output image of width x height pixels,
    // handed over with the frame mutex held. The DC stays the engine's; a
    // null DC, one without a device context, or (CDC*)-1 means no frame.
    void SetFrame(CDC* frame, int width, int height);
    CDC* GetFrame() const { return m_pFrame; }
    // Set right after the engine rebuilt its output image: while paused or
    // stopped the canvas then shows the bare dot pattern.
    void SetFrameStale(BOOL stale) { m_frameStale = stale ? 1 : 0; }
    BOOL IsFrameStale() const { return m_frameStale != 0; }

    // Draws the image file stretched over the background layer; an empty
    // path clears the layer to black.
    void LoadBackground(const CString& path);
    const CString& GetBackgroundPath() const { return m_backgroundPath; }
    // Redraws the dot pattern for the document's dot layout type.
    void RedrawDotMask();
    // The part of the canvas to paint, in canvas coordinates.
    CRect VisibleDotRect() const;
    // Re-creates the three layers at the engine's canvas size (nothing when
    // no part of the canvas is visible).
    void BuildLayers();
    // White lamp dots on black for the dot layout type.
    void BuildDotMask(int dotLayoutType);

    // The layers (null while they do not exist).
    CDC* GetCompositionDC() { return m_composition.GetDC(); }
    CDC* GetDotMaskDC() { return m_dotMask.GetDC(); }
    CDC* GetBackgroundDC() { return m_background.GetDC(); }
    DWORD* GetCompositionBits() const { return m_composition.GetBits(); }

    // The view rectangle tracker and whether it is shown.
    CQvRectTracker& Tracker() { return m_tracker; }
    void SetTrackerVisible(BOOL visible) { m_trackerVisible = visible ? 1 : 0; }
    BOOL IsTrackerVisible() const { return m_trackerVisible != 0; }

protected:
    void OnSize(UINT type, int cx, int cy);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    bool HasFrame() const;
    CRect FrameRect() const;
    // Steps 2 to 8 of a paint: the composition of frame, dots and background
    // copied to dc. FALSE when no part of the canvas is visible.
    BOOL ComposeAndCopy(CDC& dc, const CRect& client);
    // The selected view's rectangle for the tracker, or the frame of a
    // locked view.
    void DrawViewMarks(CDC& dc);
    int DocumentDotLayoutType() const;

    CDornelDoc* m_pDocument = nullptr;
    CSyncObject* m_pFrameMutex = nullptr;
    CDC* m_pFrame = nullptr;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    CCanvasLayer m_dotMask;
    CCanvasLayer m_background;
    CCanvasLayer m_composition;
    CString m_backgroundPath;
    int m_frameStale = 0;
    CQvRectTracker m_tracker;
    int m_trackerVisible = 0;
    GeometrySource m_geometrySource;
};
