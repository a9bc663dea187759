// CQvRectTracker: the rectangle tracker that moves and resizes the selected
// view on the dot-matrix preview. It draws a frame with square handles around
// a rectangle, tells which handle lies under the mouse, sets the matching
// cursor and runs a modal mouse loop that drags the rectangle inside the
// client area of the window it tracks in. While dragging it posts
// WM_TRACKER_MOVED, and WM_TRACKER_DONE when the button goes up, to the
// parent of that window (the frame engine), which turns the rectangle into
// the view's new geometry through the document.
//
// Drawing and hit testing: rect_tracker.cpp; the mouse loop and the drag
// rectangle: rect_tracker_track.cpp.
#pragma once

#include <afxwin.h>

class CQvRectTracker {
public:
    // Style bits.
    enum StyleFlags {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };

    // Hit codes: -1 nothing, 0 to 7 the handles, 8 the middle (move).
    enum TrackerHit {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };

    // The edges a handle moves and where it was grabbed. An axis the handle
    // does not move has a null edge, and its grab position is the middle of
    // the rectangle along that axis.
    struct ModifyPointers {
        LONG* x = nullptr;
        LONG* y = nullptr;
        int grabX = 0;
        int grabY = 0;
    };

    // Style 0 and an empty rectangle. The first tracker creates the shared
    // brushes, pens and cursors; failing to make them throws the framework's
    // resource exception.
    CQvRectTracker();
    CQvRectTracker(LPCRECT rect, UINT style);

    // Virtual operations, in their table order.
    virtual void DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* window);
    virtual void AdjustRect(int handle, LPRECT rect);
    virtual void OnChangedRect(const CRect& rectOld);
    virtual UINT GetHandleMask() const;
    virtual ~CQvRectTracker();
    // The handle size for the rectangle r (the tracker's own when null).
    virtual int GetHandleSize(LPCRECT rect = nullptr) const;

    void Draw(CDC* dc) const;
    // Sets the cursor for the handle under the mouse; FALSE when none (or the
    // hit code is not the client area).
    BOOL SetCursor(CWnd* window, UINT hitTest);
    int HitTest(CPoint point) const;
    int NormalizeHit(int handle) const;
    void GetTrueRect(LPRECT trueRect) const;
    CRect GetTrueRect() const;
    CRect GetHandleRect(int handle) const;
    int HitTestHandles(CPoint point) const;
    // handle when point lies on that side (2 pixels either way, at least 2
    // pixels from its ends), else -1.
    int HitTestSide(int handle, CPoint point) const;
    // The modal drag of handle (0 to 8) from point, in the client coordinates
    // of window. TRUE when the rectangle changed.
    BOOL TrackHandle(int handle, CWnd* window, CPoint point);
    ModifyPointers GetModifyPointers(int handle);

    // The shared handle size read from the user profile (4 by default).
    static int SharedHandleSize();

    int m_nStyle = 0;
    CRect m_rect;
    CSize m_sizeMin;
    int m_nHandleSize = 0;
    int m_nLastHit = hitNothing; // the last handle SetCursor found
    BOOL m_bAllowInvert = FALSE;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bErase = FALSE;
    BOOL m_bFinalErase = FALSE;
    COLORREF m_handleColour = RGB(255, 0, 0);

protected:
    void Construct();
};
