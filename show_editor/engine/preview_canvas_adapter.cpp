// The preview window as the frame engine's canvas.
#include "preview_canvas_adapter.h"

CPreviewCanvasAdapter::CPreviewCanvasAdapter(CDornelDoc* document)
    : m_document(document)
{
}

BOOL CPreviewCanvasAdapter::CreateCanvas(CCanvasContainer* engine, const CRect& rect, UINT id, CSyncObject* frameMutex)
{
    if (engine == nullptr)
        return FALSE;
    // Everything the canvas reads while it sizes and paints must be in place
    // before the window exists: its first WM_SIZE already builds the layers.
    m_canvas.SetDocument(m_document);
    m_canvas.SetFrameMutex(frameMutex);
    m_canvas.SetGeometrySource([engine] {
        CanvasGeometry geometry;
        geometry.canvasWidth = engine->GetCanvasWidth();
        geometry.canvasHeight = engine->GetCanvasHeight();
        geometry.zoomPercent = engine->GetZoomPercent();
        geometry.dotLayoutType = engine->GetDotLayoutType();
        geometry.dotGap = engine->GetDotGap();
        return geometry;
    });
    return m_canvas.CreateCanvas(engine, rect, id);
}

void CPreviewCanvasAdapter::TrackHandle(int handle, CPoint point, BOOL allowInvert)
{
    if (m_canvas.GetSafeHwnd() == nullptr)
        return;
    // Remembered before the drag: the engine reads it when the tracker's
    // WM_TRACKER_DONE arrives, after this call has returned.
    m_lastHandle = handle;
    CQvRectTracker& tracker = m_canvas.Tracker();
    tracker.m_bAllowInvert = allowInvert;
    tracker.TrackHandle(handle, &m_canvas, point);
}

BOOL CPreviewCanvasAdapter::SetTrackerCursor(CWnd* window, UINT hitTest)
{
    // The tracker's rectangle is in canvas coordinates: ask with the canvas.
    if (m_canvas.GetSafeHwnd() == nullptr || window == nullptr)
        return FALSE;
    return m_canvas.Tracker().SetCursor(&m_canvas, hitTest);
}
