// The rectangle tracker's shared drawing objects, its handle geometry, hit
// testing, cursor and drawing. The modal mouse loop is in
// rect_tracker_track.cpp.
#include "rect_tracker.h"

#include "rect_tracker_shared.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace {

// Where each handle sits: the edges that give its x and y, whether it is
// centred along an axis, its shift in handle sizes, and the handle it becomes
// when the rectangle is inverted along x or y.
struct HandleInfo {
    int xEdge;
    int yEdge;
    int centreX;
    int centreY;
    int shiftX;
    int shiftY;
    int invertX;
    int invertY;
};

enum Edge { EDGE_LEFT = 0, EDGE_TOP = 1, EDGE_RIGHT = 2, EDGE_BOTTOM = 3 };

constexpr HandleInfo kHandles[8] = {
    { EDGE_LEFT, EDGE_TOP, 0, 0, 0, 0, 1, 3 },
    { EDGE_RIGHT, EDGE_TOP, 0, 0, -1, 0, 0, 2 },
    { EDGE_RIGHT, EDGE_BOTTOM, 0, 0, -1, -1, 3, 1 },
    { EDGE_LEFT, EDGE_BOTTOM, 0, 0, 0, -1, 2, 0 },
    { EDGE_LEFT, EDGE_TOP, 1, 0, 0, 0, 4, 6 },
    { EDGE_RIGHT, EDGE_TOP, 0, 1, -1, 0, 7, 5 },
    { EDGE_LEFT, EDGE_BOTTOM, 1, 0, 0, -1, 6, 4 },
    { EDGE_LEFT, EDGE_TOP, 0, 1, 0, 0, 5, 7 },
};

// For the edge a handle moves: the opposite edge and the sign of the
// minimum size measured from it.
struct EdgeRule {
    int opposite;
    int sign;
};
constexpr EdgeRule kEdgeRules[4] = { { EDGE_RIGHT, 1 }, { EDGE_BOTTOM, 1 }, { EDGE_LEFT, -1 }, { EDGE_TOP, -1 } };

const HandleInfo& Handle(int handle)
{
    if (handle < 0 || handle > 7)
        AfxThrowInvalidArgException();
    return kHandles[handle];
}

LONG& EdgeOf(RECT& rect, int edge)
{
    switch (edge) {
    case EDGE_LEFT:
        return rect.left;
    case EDGE_TOP:
        return rect.top;
    case EDGE_RIGHT:
        return rect.right;
    default:
        return rect.bottom;
    }
}

LONG EdgeValue(const RECT& rect, int edge)
{
    return EdgeOf(const_cast<RECT&>(rect), edge);
}

constexpr int kLineStyles = CQvRectTracker::solidLine | CQvRectTracker::dottedLine;
constexpr int kResizeStyles = CQvRectTracker::resizeInside | CQvRectTracker::resizeOutside;

std::mutex g_sharedLock;
std::unique_ptr<CTrackerShared> g_shared;

} // namespace

CTrackerShared::~CTrackerShared()
{
    if (hatchBrush != nullptr)
        ::DeleteObject(hatchBrush);
    if (halftoneBrush != nullptr)
        ::DeleteObject(halftoneBrush);
    if (dottedPen != nullptr)
        ::DeleteObject(dottedPen);
    if (solidPen != nullptr)
        ::DeleteObject(solidPen);
    // The cursors are the system's shared ones: nothing to free.
}

const CTrackerShared& TrackerShared(COLORREF penColour)
{
    std::lock_guard<std::mutex> lock(g_sharedLock);
    if (g_shared != nullptr)
        return *g_shared;

    auto shared = std::make_unique<CTrackerShared>();
    // 8 x 8 one-bit diagonal hatch; every row is one 16-bit word.
    const WORD hatchRows[8] = { 0x1111, 0x2222, 0x4444, 0x8888, 0x1111, 0x2222, 0x4444, 0x8888 };
    const WORD halftoneRows[8] = { 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA };
    for (int pass = 0; pass < 2; ++pass) {
        HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, pass == 0 ? hatchRows : halftoneRows);
        if (pattern == nullptr)
            AfxThrowResourceException();
        HBRUSH brush = ::CreatePatternBrush(pattern);
        ::DeleteObject(pattern);
        if (brush == nullptr)
            AfxThrowResourceException();
        (pass == 0 ? shared->hatchBrush : shared->halftoneBrush) = brush;
    }
    shared->dottedPen = ::CreatePen(PS_DOT, 2, penColour);
    shared->solidPen = ::CreatePen(PS_SOLID, 2, penColour);
    if (shared->dottedPen == nullptr || shared->solidPen == nullptr)
        AfxThrowResourceException();

    // Diagonal, vertical and horizontal sizing cursors, then tracking and
    // moving (both four-way).
    LPCTSTR names[10] = { IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENS, IDC_SIZEWE, IDC_SIZENS,
        IDC_SIZEWE, IDC_SIZEALL, IDC_SIZEALL };
    for (int i = 0; i < 10; ++i)
        shared->cursors[i] = ::LoadCursor(nullptr, names[i]);
    shared->handleSize = static_cast<int>(::GetProfileIntW(L"windows", L"oleinplaceborderwidth", 4));

    g_shared = std::move(shared);
    return *g_shared;
}

CQvRectTracker::CQvRectTracker()
{
    Construct();
}

CQvRectTracker::CQvRectTracker(LPCRECT rect, UINT style)
{
    Construct();
    m_rect.CopyRect(rect);
    m_nStyle = static_cast<int>(style);
}

CQvRectTracker::~CQvRectTracker() = default;

void CQvRectTracker::Construct()
{
    const CTrackerShared& shared = TrackerShared(m_handleColour);
    m_nHandleSize = shared.handleSize;
    m_sizeMin.cx = m_sizeMin.cy = shared.handleSize * 2;
    m_rect.SetRectEmpty();
    m_rectLast.SetRectEmpty();
    m_sizeLast.cx = m_sizeLast.cy = 0;
}

int CQvRectTracker::SharedHandleSize()
{
    return TrackerShared(RGB(255, 0, 0)).handleSize;
}

int CQvRectTracker::GetHandleSize(LPCRECT rect) const
{
    const RECT& r = rect != nullptr ? *rect : static_cast<const RECT&>(m_rect);
    int size = m_nHandleSize;
    if ((m_nStyle & resizeOutside) == 0) {
        const int smaller = std::min(std::abs(r.right - r.left), std::abs(r.bottom - r.top));
        if (size * 2 > smaller)
            size = smaller / 2;
    }
    return size;
}

UINT CQvRectTracker::GetHandleMask() const
{
    UINT mask = 0x0F; // the corners
    // The middle handles of the top and bottom sides need a wide enough
    // rectangle, those of the left and right sides a high enough one.
    if (std::abs(m_rect.Width()) - 3 * m_nHandleSize > 4)
        mask |= 0x50;
    if (std::abs(m_rect.Height()) - 3 * m_nHandleSize > 4)
        mask |= 0xA0;
    return mask;
}

void CQvRectTracker::GetTrueRect(LPRECT trueRect) const
{
    CRect rect = m_rect;
    rect.NormalizeRect();
    if ((m_nStyle & (hatchedBorder | resizeOutside)) != 0) {
        const int inflate = GetHandleSize() - 1;
        rect.InflateRect(inflate, inflate);
    }
    if ((m_nStyle & kLineStyles) != 0)
        rect.InflateRect(1, 1);
    *trueRect = rect;
}

CRect CQvRectTracker::GetTrueRect() const
{
    CRect rect;
    GetTrueRect(&rect);
    return rect;
}

int CQvRectTracker::NormalizeHit(int handle) const
{
    if (handle == hitNothing || handle == hitMiddle)
        return handle;
    const HandleInfo& info = Handle(handle);
    if (m_rect.Width() < 0) {
        handle = info.invertX;
        if (m_rect.Height() < 0)
            handle = Handle(handle).invertY;
    } else if (m_rect.Height() < 0) {
        handle = info.invertY;
    }
    return handle;
}

CRect CQvRectTracker::GetHandleRect(int handle) const
{
    CRect rect = m_rect;
    rect.NormalizeRect();
    if ((m_nStyle & kLineStyles) != 0)
        rect.InflateRect(1, 1);
    const HandleInfo& info = Handle(NormalizeHit(handle));
    const int size = GetHandleSize();
    if ((m_nStyle & resizeOutside) != 0)
        rect.InflateRect(size - 1, size - 1);
    const int left = EdgeValue(rect, info.xEdge) + info.shiftX * size + info.centreX * (rect.Width() - size) / 2;
    const int top = EdgeValue(rect, info.yEdge) + info.shiftY * size + info.centreY * (rect.Height() - size) / 2;
    return CRect(left, top, left + size, top + size);
}

int CQvRectTracker::HitTestSide(int handle, CPoint point) const
{
    CRect rect = m_rect;
    rect.NormalizeRect();
    const bool alongX = point.x >= rect.left + 2 && point.x <= rect.right - 2;
    const bool alongY = point.y >= rect.top + 2 && point.y <= rect.bottom - 2;
    switch (NormalizeHit(handle)) {
    case hitTop:
        return std::abs(point.y - rect.top) <= 2 && alongX ? handle : hitNothing;
    case hitBottom:
        return std::abs(point.y - rect.bottom) <= 2 && alongX ? handle : hitNothing;
    case hitLeft:
        return std::abs(point.x - rect.left) <= 2 && alongY ? handle : hitNothing;
    case hitRight:
        return std::abs(point.x - rect.right) <= 2 && alongY ? handle : hitNothing;
    default:
        return hitNothing;
    }
}

int CQvRectTracker::HitTestHandles(CPoint point) const
{
    if (!GetTrueRect().PtInRect(point))
        return hitNothing;
    const UINT mask = GetHandleMask();
    for (int handle = 0; handle < 8; ++handle) {
        if ((mask & (1u << handle)) == 0)
            continue;
        if (GetHandleRect(handle).PtInRect(point))
            return handle;
        if (handle >= hitTop && HitTestSide(handle, point) == handle)
            return handle;
    }
    if ((m_nStyle & hatchedBorder) == 0) {
        CRect rect = m_rect;
        rect.NormalizeRect();
        rect.InflateRect(1, 1);
        if (!rect.PtInRect(point))
            return hitNothing;
    }
    return hitMiddle;
}

int CQvRectTracker::HitTest(CPoint point) const
{
    if (!GetTrueRect().PtInRect(point))
        return hitNothing;
    if ((m_nStyle & kResizeStyles) != 0)
        return HitTestHandles(point);
    return hitMiddle;
}

BOOL CQvRectTracker::SetCursor(CWnd* window, UINT hitTest)
{
    if (hitTest != HTCLIENT || window == nullptr)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    window->ScreenToClient(&point);
    int handle = HitTestHandles(point);
    if (handle < 0)
        return FALSE;
    m_nLastHit = handle;
    handle = NormalizeHit(handle);
    if (handle == hitMiddle && !m_rect.PtInRect(point) && (m_nStyle & hatchedBorder) != 0)
        handle = 9;
    ::SetCursor(TrackerShared(m_handleColour).cursors[handle]);
    return TRUE;
}

void CQvRectTracker::Draw(CDC* dc) const
{
    const CTrackerShared& shared = TrackerShared(m_handleColour);
    const int saved = dc->SaveDC();
    dc->SetMapMode(MM_TEXT);
    dc->SetViewportOrg(0, 0);
    dc->SetWindowOrg(0, 0);

    CRect rect = m_rect;
    rect.NormalizeRect();
    if ((m_nStyle & kLineStyles) != 0) {
        dc->SelectObject((m_nStyle & dottedLine) != 0 ? shared.dottedPen : shared.solidPen);
        dc->SelectObject(::GetStockObject(NULL_BRUSH));
        dc->SetROP2(R2_COPYPEN);
        CRect frame = rect;
        frame.InflateRect(1, 1);
        dc->Rectangle(&frame);
    }
    if ((m_nStyle & hatchInside) != 0) {
        dc->SelectObject(::GetStockObject(NULL_PEN));
        dc->SelectObject(shared.hatchBrush);
        dc->SetBkMode(TRANSPARENT);
        dc->SetROP2(R2_MASKNOTPEN);
        dc->Rectangle(rect.left + 1, rect.top + 1, rect.right, rect.bottom);
    }
    if ((m_nStyle & hatchedBorder) != 0) {
        dc->SelectObject(shared.hatchBrush);
        dc->SetBkMode(OPAQUE);
        const CRect outer = GetTrueRect();
        const DWORD invertPattern = 0x000F0001;
        dc->PatBlt(outer.left, outer.top, outer.Width(), rect.top - outer.top, invertPattern);
        dc->PatBlt(outer.left, rect.bottom, outer.Width(), outer.bottom - rect.bottom, invertPattern);
        dc->PatBlt(outer.left, rect.top, rect.left - outer.left, rect.Height(), invertPattern);
        dc->PatBlt(rect.right, rect.top, outer.right - rect.right, rect.Height(), invertPattern);
    }
    if ((m_nStyle & kResizeStyles) != 0) {
        const UINT mask = GetHandleMask();
        for (int handle = 0; handle < 8; ++handle) {
            if ((mask & (1u << handle)) != 0)
                dc->FillSolidRect(GetHandleRect(handle), m_handleColour);
        }
    }
    dc->RestoreDC(saved);
}

void CQvRectTracker::AdjustRect(int handle, LPRECT rect)
{
    if (handle == hitMiddle)
        return;
    const HandleInfo& info = Handle(handle);
    if (info.centreX == 0) {
        int width = rect->right - rect->left;
        if (m_bAllowInvert)
            width = std::abs(width);
        if (width < m_sizeMin.cx) {
            const int direction = width == 0 ? 1 : width / std::abs(width);
            const EdgeRule& rule = kEdgeRules[info.xEdge];
            EdgeOf(*rect, info.xEdge) = EdgeOf(*rect, rule.opposite) - rule.sign * m_sizeMin.cx * direction;
        }
    }
    if (info.centreY == 0) {
        int height = rect->bottom - rect->top;
        if (m_bAllowInvert)
            height = std::abs(height);
        if (height < m_sizeMin.cy) {
            const int direction = height == 0 ? 1 : height / std::abs(height);
            const EdgeRule& rule = kEdgeRules[info.yEdge];
            EdgeOf(*rect, info.yEdge) = EdgeOf(*rect, rule.opposite) - rule.sign * m_sizeMin.cy * direction;
        }
    }
}

void CQvRectTracker::OnChangedRect(const CRect&) { }

CQvRectTracker::ModifyPointers CQvRectTracker::GetModifyPointers(int handle)
{
    if (handle < 0 || handle > hitMiddle)
        AfxThrowInvalidArgException();
    // A move drags the top-left corner; the other edges follow.
    const int moving = handle == hitMiddle ? hitTopLeft : handle;
    const HandleInfo& info = Handle(moving);
    ModifyPointers pointers;
    if (info.invertX != moving) {
        pointers.x = &EdgeOf(m_rect, info.xEdge);
        pointers.grabX = *pointers.x;
    } else {
        pointers.grabX = m_rect.left + std::abs(m_rect.Width()) / 2;
    }
    if (info.invertY != moving) {
        pointers.y = &EdgeOf(m_rect, info.yEdge);
        pointers.grabY = *pointers.y;
    } else {
        pointers.grabY = m_rect.top + std::abs(m_rect.Height()) / 2;
    }
    return pointers;
}
