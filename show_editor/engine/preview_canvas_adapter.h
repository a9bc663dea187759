// CPreviewCanvasAdapter: the dot-matrix preview window CCanvas behind the
// interface through which the frame engine drives its preview. The adapter
// owns the window object; the engine creates the window in its own
// WM_CREATE, and the adapter then gives the canvas the document, the
// engine's frame mutex and the engine's canvas size, zoom and dot look.
#pragma once

#include "frame_engine.h"
#include "preview_window.h"

class CDornelDoc;

class CPreviewCanvasAdapter : public CPreviewCanvas {
public:
    // document may be null (the canvas then draws the default dot look).
    explicit CPreviewCanvasAdapter(CDornelDoc* document);

    CCanvas& Canvas() { return m_canvas; }

    BOOL CreateCanvas(CCanvasContainer* engine, const CRect& rect, UINT id, CSyncObject* frameMutex) override;
    CWnd* GetWindow() override { return m_canvas.GetSafeHwnd() != nullptr ? &m_canvas : nullptr; }
    void SetFrame(CDC* image, int width, int height) override { m_canvas.SetFrame(image, width, height); }
    void SetFrameStale(BOOL stale) override { m_canvas.SetFrameStale(stale); }
    void LoadBackground(const CString& path) override { m_canvas.LoadBackground(path); }
    void RebuildDotMask() override { m_canvas.RedrawDotMask(); }
    CDC* GetCompositionDC() override { return m_canvas.GetCompositionDC(); }
    CDC* GetDotMaskDC() override { return m_canvas.GetDotMaskDC(); }
    CDC* GetBackgroundDC() override { return m_canvas.GetBackgroundDC(); }

    void SetTrackerVisible(BOOL visible) override { m_canvas.SetTrackerVisible(visible); }
    void SetTrackerRect(const CRect& rect) override { m_canvas.Tracker().m_rect = rect; }
    CRect GetTrackerTrueRect() override { return m_canvas.Tracker().GetTrueRect(); }
    int TrackerHitTest(CPoint point) override { return m_canvas.Tracker().HitTest(point); }
    int TrackerHandleHitTest(CPoint point) override { return m_canvas.Tracker().HitTestHandles(point); }
    void TrackHandle(int handle, CPoint point, BOOL allowInvert) override;
    int GetTrackerHandleCode() override { return m_lastHandle; }
    BOOL SetTrackerCursor(CWnd* window, UINT hitTest) override;

private:
    CDornelDoc* m_document;
    CCanvas m_canvas;
    int m_lastHandle = -1;
};
