// The dot-matrix preview window: creation, its three layers, the background
// image and painting (frame stretched, masked by the dots, background ORed
// over it), with the tracker or the frame of a locked view on top.
#include "preview_window.h"

#include "dornel_doc.h"
#include "drawing_helpers.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CCanvas, CStatic)

BEGIN_MESSAGE_MAP(CCanvas, CStatic)
ON_WM_SIZE()
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

// The whole frame pixels under the visible part of the canvas (from the one
// holding its top-left pixel to the one holding its bottom-right pixel) and
// the canvas rectangle they cover.
void FramePart(const CRect& visible, const CRect& client, const CRect& frame, CRect& canvasPart, CRect& framePart)
{
    const long long cw = client.Width();
    const long long ch = client.Height();
    const long long fw = frame.Width();
    const long long fh = frame.Height();
    framePart.left = static_cast<LONG>(visible.left * fw / cw);
    framePart.top = static_cast<LONG>(visible.top * fh / ch);
    framePart.right = static_cast<LONG>(std::min(fw, (visible.right * fw + cw - 1) / cw));
    framePart.bottom = static_cast<LONG>(std::min(fh, (visible.bottom * fh + ch - 1) / ch));
    framePart.right = std::max(framePart.right, framePart.left + 1);
    framePart.bottom = std::max(framePart.bottom, framePart.top + 1);
    canvasPart.left = static_cast<LONG>(framePart.left * cw / fw);
    canvasPart.top = static_cast<LONG>(framePart.top * ch / fh);
    canvasPart.right = static_cast<LONG>(framePart.right * cw / fw);
    canvasPart.bottom = static_cast<LONG>(framePart.bottom * ch / fh);
    framePart.OffsetRect(frame.left, frame.top);
}

} // namespace

BOOL CCanvasLayer::Create(CDC* compatible, int width, int height)
{
    Release();
    void* bits = nullptr;
    HBITMAP bitmap = CreateDib32(width, height, &bits);
    if (bitmap == nullptr)
        return FALSE;
    if (!m_dc.CreateCompatibleDC(compatible)) {
        ::DeleteObject(bitmap);
        return FALSE;
    }
    m_bitmap = bitmap;
    m_oldBitmap = m_dc.SelectObject(static_cast<HGDIOBJ>(bitmap));
    m_bits = static_cast<DWORD*>(bits);
    m_width = width;
    m_height = height;
    std::fill(m_bits, m_bits + static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
    return TRUE;
}

void CCanvasLayer::Release()
{
    if (m_dc.GetSafeHdc() != nullptr) {
        if (m_oldBitmap != nullptr)
            m_dc.SelectObject(m_oldBitmap);
        m_dc.DeleteDC();
    }
    if (m_bitmap != nullptr)
        ::DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_oldBitmap = nullptr;
    m_bits = nullptr;
    m_width = m_height = 0;
}

CCanvas::CCanvas()
{
    m_tracker.m_nStyle = CQvRectTracker::solidLine | CQvRectTracker::resizeInside;
    m_tracker.m_rect.SetRect(0, 0, 100, 100);
    // Thin handles on the dots; the minimum size stays that of the profile.
    m_tracker.m_nHandleSize = 1;
    m_tracker.m_handleColour = RGB(255, 0, 0);
}

CCanvas::~CCanvas()
{
    m_composition.Release();
    m_background.Release();
    m_dotMask.Release();
}

BOOL CCanvas::CreateCanvas(CWnd* engine, const RECT& rect, UINT id)
{
    return Create(L"HELLOWORLD", WS_CHILD | WS_VISIBLE, rect, engine, id);
}

CanvasGeometry CCanvas::GetGeometry() const
{
    if (m_geometrySource)
        return m_geometrySource();
    CanvasGeometry geometry;
    if (m_hWnd != nullptr) {
        CRect client;
        GetClientRect(&client);
        geometry.canvasWidth = client.Width();
        geometry.canvasHeight = client.Height();
    }
    geometry.dotLayoutType = DocumentDotLayoutType();
    return geometry;
}

int CCanvas::DocumentDotLayoutType() const
{
    return m_pDocument != nullptr ? m_pDocument->m_projectSettings.m_layoutType : 1;
}

void CCanvas::SetFrame(CDC* frame, int width, int height)
{
    m_pFrame = frame;
    m_frameWidth = width;
    m_frameHeight = height;
}

bool CCanvas::HasFrame() const
{
    return m_pFrame != nullptr && m_pFrame != reinterpret_cast<CDC*>(-1) && m_pFrame->GetSafeHdc() != nullptr;
}

CRect CCanvas::FrameRect() const
{
    if (m_frameWidth > 0 && m_frameHeight > 0)
        return CRect(0, 0, m_frameWidth, m_frameHeight);
    CRect box;
    m_pFrame->GetClipBox(&box);
    return box;
}

void CCanvas::LoadBackground(const CString& path)
{
    // The path is kept even before the layers exist, so that the first
    // BuildLayers draws it.
    m_backgroundPath = path;
    if (!m_background.Exists())
        return;
    if (m_pFrameMutex != nullptr)
        m_pFrameMutex->Lock();
    CDC* dc = m_background.GetDC();
    // An empty path clears the picture: a removed background must not linger
    // until the next size change.
    if (path.IsEmpty())
        dc->FillSolidRect(0, 0, m_background.Width(), m_background.Height(), RGB(0, 0, 0));
    else
        DrawImageFileToDC(dc, path);
    if (m_pFrameMutex != nullptr)
        m_pFrameMutex->Unlock();
    if (m_hWnd != nullptr)
        Invalidate();
}

void CCanvas::RedrawDotMask()
{
    if (!m_dotMask.Exists())
        return;
    BuildDotMask(DocumentDotLayoutType());
    if (m_hWnd != nullptr)
        Invalidate();
}

void CCanvas::BuildLayers()
{
    if (m_hWnd == nullptr || VisibleDotRect().IsRectEmpty())
        return;
    const CanvasGeometry geometry = GetGeometry();
    CClientDC windowDC(m_hWnd);
    m_dotMask.Create(&windowDC, geometry.canvasWidth, geometry.canvasHeight);
    if (m_background.Create(&windowDC, geometry.canvasWidth, geometry.canvasHeight) && !m_backgroundPath.IsEmpty())
        DrawImageFileToDC(m_background.GetDC(), m_backgroundPath);
    m_composition.Create(&windowDC, geometry.canvasWidth, geometry.canvasHeight);
}

void CCanvas::OnSize(UINT type, int cx, int cy)
{
    CStatic::OnSize(type, cx, cy);
    BuildLayers();
    BuildDotMask(DocumentDotLayoutType());
}

void CCanvas::OnPaint()
{
    CPaintDC dc(this);
    if (m_pFrameMutex == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    {
        // Paint anyway when the engine holds the frame for too long.
        m_pFrameMutex->Lock(1000);
        const BOOL painted = ComposeAndCopy(dc, client);
        m_pFrameMutex->Unlock();
        if (!painted)
            return;
    }
    DrawViewMarks(dc);
}

BOOL CCanvas::ComposeAndCopy(CDC& dc, const CRect& client)
{
    CDC* composition = m_composition.GetDC();
    if (composition != nullptr) {
        composition->FillSolidRect(&client, RGB(0, 0, 0));
        composition->SetStretchBltMode(COLORONCOLOR);
    }
    CDC* mask = m_dotMask.GetDC();
    if (mask == nullptr || composition == nullptr) {
        dc.Rectangle(&client);
        return TRUE;
    }

    CRect visible = VisibleDotRect();
    if (visible.IsRectEmpty())
        return FALSE;
    // The visible part reaches up to two dots past the canvas; nothing
    // outside the client area is drawn.
    visible.right = std::min(visible.right, client.right);
    visible.bottom = std::min(visible.bottom, client.bottom);
    const bool playing = m_pDocument != nullptr && m_pDocument->m_playState == PLAY_PLAYING;

    if (!visible.IsRectEmpty()) {
        if (playing && HasFrame()) {
            // Only the visible part is stretched and masked, so that a large
            // zoom stays cheap. The part starts on a whole frame pixel: a
            // stretch that began inside one would slide the picture against
            // the dots.
            CRect part;
            CRect source;
            FramePart(visible, client, FrameRect(), part, source);
            composition->StretchBlt(part.left, part.top, part.Width(), part.Height(), m_pFrame, source.left, source.top,
                source.Width(), source.Height(), SRCCOPY);
            composition->BitBlt(part.left, part.top, part.Width(), part.Height(), mask, part.left, part.top, SRCAND);
        } else {
            composition->BitBlt(
                visible.left, visible.top, visible.Width(), visible.Height(), mask, visible.left, visible.top, SRCCOPY);
            if (HasFrame() && m_frameStale == 0) {
                const CRect frame = FrameRect();
                composition->StretchBlt(client.left, client.top, client.Width(), client.Height(), m_pFrame, frame.left,
                    frame.top, frame.Width(), frame.Height(), SRCAND);
            }
        }
        if (CDC* background = m_background.GetDC()) {
            composition->BitBlt(visible.left, visible.top, visible.Width(), visible.Height(), background, visible.left,
                visible.top, SRCPAINT);
        }
    }
    dc.BitBlt(0, 0, client.Width(), client.Height(), composition, 0, 0, SRCCOPY);
    return TRUE;
}

void CCanvas::DrawViewMarks(CDC& dc)
{
    if (m_pDocument == nullptr || m_pDocument->m_regionEditing != 0 || m_pDocument->m_pCurrentViewNode == nullptr)
        return;
    const NodeInfo* node = m_pDocument->m_pCurrentViewNode;
    ProgramView* view = nullptr;
    const SegmentList& segments = m_pDocument->m_segments;
    if (node->m_parent >= 1 && node->m_parent <= segments.GetSize()) {
        const QvSegmentGourp* segment = segments.GetAt(node->m_parent - 1);
        if (segment != nullptr && node->m_index >= 1 && node->m_index <= segment->m_views.GetSize())
            view = segment->m_views.GetAt(node->m_index - 1);
    }
    if (view != nullptr && !view->m_canvasRect.IsRectEmpty())
        m_tracker.m_rect = view->m_canvasRect;

    if (m_trackerVisible == 0) {
        m_tracker.m_rect.SetRectEmpty();
        if (view != nullptr && view->m_areaLocked != 0 && m_pDocument->m_playState != PLAY_PLAYING) {
            const int saved = dc.SaveDC();
            CPen pen(PS_SOLID, 2, RGB(0, 0, 255));
            dc.SelectObject(&pen);
            dc.SelectObject(::GetStockObject(NULL_BRUSH));
            dc.Rectangle(&view->m_canvasRect);
            dc.RestoreDC(saved);
        }
    } else {
        m_tracker.Draw(&dc);
    }
}
