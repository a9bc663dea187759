// The frame engine's window: creation of the preview canvas, start-up
// sizing, the output image, the canvas's size and place at the current zoom,
// the canvas commands of the document, panning with the right button and the
// view rectangle tracker.
#include "frame_engine.h"

#include "proj_set.h"
#include "show_messages.h"

#include <algorithm>

namespace {
constexpr UINT WM_ENGINE_UNUSED = WM_USER + 1008;
constexpr UINT kCanvasControlId = 0xFFFF;
} // namespace

BEGIN_MESSAGE_MAP(CCanvasContainer, CStatic)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_RBUTTONUP()
ON_WM_LBUTTONDOWN()
ON_WM_SETCURSOR()
ON_MESSAGE(WM_CANVAS_COMMAND, OnCanvasCommand)
ON_MESSAGE(WM_EXPORT_AVI, OnExportAvi)
ON_MESSAGE(WM_RECORD_OFFLINE, OnRecordOffline)
ON_MESSAGE(WM_NEXT_FRAME, OnNextFrame)
ON_MESSAGE(WM_TRACKER_DONE, OnTrackerDone)
ON_MESSAGE(WM_TRACKER_MOVED, OnTrackerMoved)
ON_MESSAGE(WM_ENGINE_UNUSED, OnUnusedCommand)
END_MESSAGE_MAP()

int CCanvasContainer::OnCreate(LPCREATESTRUCT create)
{
    if (CStatic::OnCreate(create) == -1)
        return -1;
    if (m_canvas != nullptr && !m_canvas->CreateCanvas(this, CRect(20, 20, 220, 220), kCanvasControlId, &m_frameMutex))
        return -1;
    return 0;
}

void CCanvasContainer::OnSize(UINT type, int cx, int cy)
{
    CStatic::OnSize(type, cx, cy);
    if (m_startupSizing == 0)
        return;
    if (m_startupSizeCount >= 7) {
        m_startupSizing = 0;
        return;
    }
    RelayoutCentred();
    if (m_startupSizeCount == 6 && m_document != nullptr) {
        RebuildFrameBuffers();
        {
            CSingleLock lock(&m_document->Mutex(), TRUE);
            if (ProjSet* settings = m_document->GetActiveSettings())
                m_backgroundPath = settings->m_backgroundImage;
        }
        if (m_canvas != nullptr)
            m_canvas->LoadBackground(m_backgroundPath);
        m_document->RefreshWindowTitle();
        m_document->BroadcastLanguageChanged();
        if (m_canvas != nullptr && m_canvas->GetWindow() != nullptr) {
            CRect client;
            m_canvas->GetWindow()->GetClientRect(&client);
            m_canvas->SetTrackerRect(client);
        }
    }
    ++m_startupSizeCount;
}

void CCanvasContainer::OnTimer(UINT_PTR id)
{
    if (id == kPlayTimerId)
        StepFrame();
    CStatic::OnTimer(id);
}

void CCanvasContainer::OnDestroy()
{
    CStatic::OnDestroy();
    // A recording or export that is still running would have its worker
    // post frames to a window that is gone: it ends here, its files closed.
    EndRunOnDestroy();
    StopPlay();
}

void CCanvasContainer::ReleaseOutput()
{
    if (m_outputDC.GetSafeHdc() != nullptr) {
        if (m_oldOutputBitmap != nullptr)
            ::SelectObject(m_outputDC.GetSafeHdc(), m_oldOutputBitmap);
        m_outputDC.DeleteDC();
    }
    if (m_outputBitmap != nullptr)
        ::DeleteObject(m_outputBitmap);
    if (m_windowDC != nullptr)
        ::ReleaseDC(m_hWnd, m_windowDC);
    m_outputBitmap = nullptr;
    m_oldOutputBitmap = nullptr;
    m_windowDC = nullptr;
    m_outputBits = nullptr;
    m_outputValid = false;
}

void CCanvasContainer::RebuildFrameBuffers()
{
    if (m_document == nullptr)
        return;
    {
        CSingleLock lock(&m_document->Mutex(), TRUE);
        ProjSet& project = m_document->GetProjectSettings();
        m_frameWidth = project.m_width;
        m_frameHeight = project.m_height;
    }
    {
        CSingleLock lock(&m_frameMutex, TRUE);
        ReleaseOutput();
        if (m_frameWidth > 0 && m_frameHeight > 0) {
            m_windowDC = ::GetDC(m_hWnd);
            HDC memory = ::CreateCompatibleDC(m_windowDC);
            BITMAPINFO info {};
            info.bmiHeader.biSize = sizeof(info.bmiHeader);
            info.bmiHeader.biWidth = m_frameWidth;
            info.bmiHeader.biHeight = m_frameHeight; // bottom-up
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            info.bmiHeader.biCompression = BI_RGB;
            void* bits = nullptr;
            m_outputBitmap = ::CreateDIBSection(m_windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (memory != nullptr && m_outputBitmap != nullptr) {
                m_outputDC.Attach(memory);
                m_oldOutputBitmap = ::SelectObject(memory, m_outputBitmap);
                m_outputBits = static_cast<DWORD*>(bits);
                m_outputValid = true;
                ClearOutput(RGB(0, 0, 0));
            } else if (memory != nullptr) {
                ::DeleteDC(memory);
            }
        }
    }
    m_fitOnRelayout = 1;
    RelayoutCentred();
    Invalidate();
    if (m_canvas != nullptr)
        m_canvas->SetFrameStale(TRUE);
}

void CCanvasContainer::Relayout(bool centred)
{
    if (m_document == nullptr)
        return;
    unsigned zoom = 400;
    int width = 0;
    int height = 0;
    {
        CSingleLock lock(&m_document->Mutex(), TRUE);
        if (ProjSet* settings = m_document->GetActiveSettings()) {
            width = settings->m_width;
            height = settings->m_height;
        }
        zoom = m_document->GetZoomPercent();
        if (m_dotLayoutType >= 0 && m_dotLayoutType <= 3)
            m_dotGap = 1;
        unsigned w = zoom * static_cast<unsigned>(std::max(0, width)) / 100;
        unsigned h = zoom * static_cast<unsigned>(std::max(0, height)) / 100;
        if (zoom > 100) {
            if (m_dotLayoutType == 2) {
                h += static_cast<unsigned>(m_dotGap * height);
            } else if (m_dotLayoutType == 3) {
                w += static_cast<unsigned>(m_dotGap * width);
            } else {
                w += static_cast<unsigned>(m_dotGap * width);
                h += static_cast<unsigned>(m_dotGap * height);
            }
        }
        m_canvasWidth = static_cast<int>(w);
        m_canvasHeight = static_cast<int>(h);
        m_frameWidth = width;
        m_frameHeight = height;
        m_document->SetDotGap(m_dotGap);
        m_document->RecomputeViewCanvasRects();
    }
    CWnd* canvas = m_canvas != nullptr ? m_canvas->GetWindow() : nullptr;
    if (canvas != nullptr && ::IsWindow(canvas->GetSafeHwnd())) {
        if (centred) {
            if (IsWindowVisible()) {
                CRect client;
                GetClientRect(&client);
                const int left = client.left + (client.Width() - m_canvasWidth) / 2;
                const int top = client.top + (client.Height() - m_canvasHeight) / 2;
                canvas->MoveWindow(left, top, m_canvasWidth, m_canvasHeight);
            }
        } else {
            CRect present;
            canvas->GetWindowRect(&present);
            ScreenToClient(&present);
            const int left = present.left + (present.Width() - m_canvasWidth) / 2;
            const int top = present.top + (present.Height() - m_canvasHeight) / 2;
            if (present.Width() == m_canvasWidth && present.Height() == m_canvasHeight) {
                // The canvas must always see a size change.
                const int shrink = std::max(static_cast<int>(zoom / 100), 1);
                canvas->MoveWindow(
                    left, top, std::max(0, m_canvasWidth - shrink), std::max(0, m_canvasHeight - shrink));
            }
            canvas->MoveWindow(left, top, m_canvasWidth, m_canvasHeight);
        }
    }
    HandFrameToCanvas();
    if (canvas != nullptr && ::IsWindow(canvas->GetSafeHwnd()))
        canvas->Invalidate(FALSE);
}

void CCanvasContainer::RelayoutCentred()
{
    Relayout(true);
}

void CCanvasContainer::RelayoutInPlace()
{
    Relayout(false);
}

LRESULT CCanvasContainer::OnCanvasCommand(WPARAM subCommand, LPARAM value)
{
    m_fitOnRelayout = 0;
    auto relayout = [this] {
        if (m_fitOnRelayout != 0)
            RelayoutCentred();
        else
            RelayoutInPlace();
        Invalidate();
    };
    switch (static_cast<int>(subCommand)) {
    case CANVAS_SET_WIDTH:
    case CANVAS_SET_HEIGHT:
        RebuildFrameBuffers();
        break;
    case CANVAS_SET_FRAME_RATE:
        if (m_document != nullptr && m_document->GetPlayState() == 0) {
            KillTimer(kPlayTimerId);
            const int rate = static_cast<int>(value) > 0 ? static_cast<int>(value) : 25;
            m_playTimerId = SetTimer(kPlayTimerId, static_cast<UINT>(1000 / rate), nullptr);
        }
        break;
    case CANVAS_SET_DOT_LAYOUT:
        m_dotLayoutType = static_cast<int>(value);
        relayout();
        break;
    case CANVAS_SET_BACKGROUND:
        if (value != 0)
            m_backgroundPath = *reinterpret_cast<const CString*>(value);
        if (m_canvas != nullptr)
            m_canvas->LoadBackground(m_backgroundPath);
        break;
    case CANVAS_ZOOM_STEP:
        m_zoomPercent = static_cast<int>(value);
        relayout();
        break;
    case CANVAS_ZOOM_CENTRE:
        m_zoomPercent = static_cast<int>(value);
        m_fitOnRelayout = 1;
        relayout();
        break;
    case CANVAS_REBUILD_DOT_MASK:
        if (m_canvas != nullptr)
            m_canvas->RebuildDotMask();
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CCanvasContainer::OnUnusedCommand(WPARAM, LPARAM)
{
    return 0;
}

void CCanvasContainer::ResetCanvas()
{
    if (!IsWindowVisible() || m_canvas == nullptr || m_canvas->GetWindow() == nullptr
        || !m_canvas->GetWindow()->IsWindowVisible() || m_document == nullptr)
        return;
    RebuildFrameBuffers();
    {
        CSingleLock lock(&m_document->Mutex(), TRUE);
        m_dotLayoutType = m_document->GetProjectSettings().m_layoutType;
        if (ProjSet* settings = m_document->GetActiveSettings())
            m_backgroundPath = settings->m_backgroundImage;
    }
    m_zoomPercent = 400;
    m_fitOnRelayout = 1;
    m_canvas->LoadBackground(m_backgroundPath);
    RelayoutCentred();
    Invalidate();
}

void CCanvasContainer::UpdateTrackerVisibility()
{
    if (m_document == nullptr || m_canvas == nullptr)
        return;
    bool locked = false;
    if (const NodeInfo* node = m_document->GetCurrentViewNode()) {
        SegmentList& segments = m_document->GetProjectSegments();
        if (node->m_parent >= 1 && node->m_parent <= segments.GetSize()) {
            QvSegmentGourp* segment = segments.GetAt(node->m_parent - 1);
            if (node->m_index >= 1 && node->m_index <= segment->m_views.GetSize())
                locked = segment->m_views.GetAt(node->m_index - 1)->m_areaLocked != 0;
        }
    }
    m_canvas->SetTrackerVisible(locked ? FALSE : TRUE);
    Invalidate();
}

// ---------------------------------------------------------------------------
// Mouse

void CCanvasContainer::OnRButtonDown(UINT flags, CPoint point)
{
    CWnd* canvas = m_canvas != nullptr ? m_canvas->GetWindow() : nullptr;
    if (canvas != nullptr) {
        CRect rect;
        canvas->GetWindowRect(&rect);
        ScreenToClient(&rect);
        if (rect.PtInRect(point)) {
            m_canvas->SetTrackerVisible(FALSE);
            Invalidate();
            m_dragOriginX = point.x;
            m_dragOriginY = point.y;
            m_rightDragging = 1;
            m_fitOnRelayout = 0;
            SetCapture();
        }
    }
    CStatic::OnRButtonDown(flags, point);
}

void CCanvasContainer::OnMouseMove(UINT flags, CPoint point)
{
    CWnd* canvas = m_canvas != nullptr ? m_canvas->GetWindow() : nullptr;
    if (m_rightDragging != 0 && canvas != nullptr) {
        CRect rect;
        canvas->GetWindowRect(&rect);
        ScreenToClient(&rect);
        rect.OffsetRect(point.x - m_dragOriginX, point.y - m_dragOriginY);
        canvas->MoveWindow(&rect);
        m_dragOriginX = point.x;
        m_dragOriginY = point.y;
    }
    CStatic::OnMouseMove(flags, point);
}

void CCanvasContainer::OnRButtonUp(UINT flags, CPoint point)
{
    m_rightDragging = 0;
    ::ReleaseCapture();
    CStatic::OnRButtonUp(flags, point);
}

void CCanvasContainer::OnLButtonDown(UINT flags, CPoint point)
{
    CWnd* canvas = m_canvas != nullptr ? m_canvas->GetWindow() : nullptr;
    if (canvas != nullptr && m_document != nullptr) {
        CPoint local = point;
        MapWindowPoints(m_hWnd, canvas->GetSafeHwnd(), &local, 1);
        if (m_canvas->TrackerHitTest(local) != -1)
            m_document->RegionEditing() = 1;
        const int handle = m_canvas->TrackerHandleHitTest(local);
        if (handle >= 0 && handle <= 8)
            m_canvas->TrackHandle(handle, local, TRUE);
        Invalidate();
    }
    CStatic::OnLButtonDown(flags, point);
}

BOOL CCanvasContainer::OnSetCursor(CWnd* window, UINT hitTest, UINT message)
{
    if (window == this && m_canvas != nullptr && m_canvas->SetTrackerCursor(this, hitTest))
        return TRUE;
    return CStatic::OnSetCursor(window, hitTest, message);
}

namespace {
CRect ClippedToCanvas(CPreviewCanvas* canvas)
{
    CRect rect = canvas->GetTrackerTrueRect();
    CRect client(0, 0, 0, 0);
    if (canvas->GetWindow() != nullptr)
        canvas->GetWindow()->GetClientRect(&client);
    rect.left = std::max(rect.left, client.left);
    rect.top = std::max(rect.top, client.top);
    rect.right = std::min(rect.right, client.right);
    rect.bottom = std::min(rect.bottom, client.bottom);
    return rect;
}
} // namespace

LRESULT CCanvasContainer::OnTrackerMoved(WPARAM, LPARAM)
{
    if (m_document != nullptr && m_canvas != nullptr && m_document->RegionEditing() != 0)
        m_document->ShowTrackedRectText(ClippedToCanvas(m_canvas));
    return 0;
}

LRESULT CCanvasContainer::OnTrackerDone(WPARAM, LPARAM)
{
    if (m_document == nullptr || m_canvas == nullptr)
        return 0;
    m_document->ApplyTrackedViewRect(ClippedToCanvas(m_canvas), m_canvas->GetTrackerHandleCode());
    m_document->RegionEditing() = 0;
    ClearOutput(RGB(255, 255, 255));
    RelayoutInPlace();
    return 0;
}
