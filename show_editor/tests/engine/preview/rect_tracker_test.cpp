// The view rectangle tracker: handle geometry and masks, hit testing, the
// minimum-size rule, drawing, and the modal drag loop driven by posted mouse
// and key messages inside a real window, with the messages it posts to the
// window's parent.
#include "../engine_test_support.h"
#include "fw_testing.h"
#include "preview_test_windows.h"
#include "rect_tracker.h"

#include <gtest/gtest.h>

#include <vector>

using previewtest::CHostWindow;

namespace {

// The preview window's tracker: solid line, resize inside, handle size 1.
CQvRectTracker CanvasTracker(const CRect& rect)
{
    CQvRectTracker tracker(&rect, CQvRectTracker::solidLine | CQvRectTracker::resizeInside);
    tracker.m_nHandleSize = 1;
    return tracker;
}

template <class F> bool ThrowsInvalidArg(F f)
{
    try {
        f();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

TEST(RectTracker, DefaultsFromTheSharedProfileHandleSize)
{
    CQvRectTracker tracker;
    EXPECT_EQ(tracker.m_nStyle, 0);
    EXPECT_TRUE(tracker.m_rect.IsRectEmpty());
    EXPECT_EQ(tracker.m_nHandleSize, CQvRectTracker::SharedHandleSize());
    EXPECT_EQ(tracker.m_sizeMin, CSize(2 * tracker.m_nHandleSize, 2 * tracker.m_nHandleSize));
    EXPECT_EQ(tracker.m_nLastHit, -1);
    EXPECT_EQ(tracker.m_handleColour, RGB(255, 0, 0));
    EXPECT_FALSE(tracker.m_bAllowInvert);
}

TEST(RectTracker, HandleMaskShowsSideHandlesOnlyWhenThereIsRoom)
{
    struct Case {
        CRect rect;
        UINT mask;
    };
    const Case cases[] = {
        { CRect(0, 0, 20, 10), 0xFF }, // 20 - 3 > 4 and 10 - 3 > 4
        { CRect(0, 0, 6, 6), 0x0F }, // 6 - 3 = 3: corners only
        { CRect(0, 0, 20, 6), 0x5F }, // wide: top and bottom middles
        { CRect(0, 0, 6, 20), 0xAF }, // high: left and right middles
        { CRect(20, 10, 0, 0), 0xFF }, // inverted counts by size
    };
    for (const Case& c : cases) {
        CQvRectTracker tracker = CanvasTracker(c.rect);
        EXPECT_EQ(tracker.GetHandleMask(), c.mask) << c.rect.left << "," << c.rect.right;
    }
}

TEST(RectTracker, TrueRectAndHandleSizeFollowTheStyle)
{
    CRect rect(10, 10, 50, 50);
    CQvRectTracker tracker(&rect, CQvRectTracker::solidLine | CQvRectTracker::resizeInside);
    tracker.m_nHandleSize = 4;
    EXPECT_EQ(tracker.GetTrueRect(), CRect(9, 9, 51, 51));
    tracker.m_nStyle = CQvRectTracker::hatchedBorder;
    EXPECT_EQ(tracker.GetTrueRect(), CRect(7, 7, 53, 53));
    tracker.m_nStyle = CQvRectTracker::hatchedBorder | CQvRectTracker::solidLine;
    EXPECT_EQ(tracker.GetTrueRect(), CRect(6, 6, 54, 54));
    tracker.m_nStyle = CQvRectTracker::resizeOutside;
    EXPECT_EQ(tracker.GetTrueRect(), CRect(7, 7, 53, 53));

    // Half the smaller side caps the handles, unless they sit outside.
    CRect thin(0, 0, 6, 20);
    tracker.m_nStyle = CQvRectTracker::resizeInside;
    EXPECT_EQ(tracker.GetHandleSize(&thin), 3);
    tracker.m_nStyle = CQvRectTracker::resizeOutside;
    EXPECT_EQ(tracker.GetHandleSize(&thin), 4);
}

TEST(RectTracker, HandleRectsSitOnTheFrame)
{
    CQvRectTracker tracker = CanvasTracker(CRect(10, 10, 30, 20));
    // The frame is the rectangle inflated by 1: (9, 9, 31, 21).
    const CRect expected[8] = {
        CRect(9, 9, 10, 10),
        CRect(30, 9, 31, 10),
        CRect(30, 20, 31, 21),
        CRect(9, 20, 10, 21),
        CRect(19, 9, 20, 10), // 9 + (22 - 1) / 2
        CRect(30, 14, 31, 15), // 9 + (12 - 1) / 2
        CRect(19, 20, 20, 21),
        CRect(9, 14, 10, 15),
    };
    for (int handle = 0; handle < 8; ++handle)
        EXPECT_EQ(tracker.GetHandleRect(handle), expected[handle]) << "handle " << handle;
}

TEST(RectTracker, HitTestFindsHandlesSidesAndMiddle)
{
    CQvRectTracker tracker = CanvasTracker(CRect(10, 10, 30, 20));
    struct Case {
        CPoint point;
        int hit;
    };
    const Case cases[] = {
        { CPoint(9, 9), 0 },
        { CPoint(30, 9), 1 },
        { CPoint(30, 20), 2 },
        { CPoint(9, 20), 3 },
        { CPoint(19, 9), 4 }, // the handle square
        { CPoint(23, 9), 4 }, // one pixel above the top edge, outside the square
        { CPoint(30, 17), 5 },
        { CPoint(16, 20), 6 },
        { CPoint(9, 13), 7 },
        { CPoint(20, 15), 8 },
        { CPoint(31, 15), -1 }, // outside the true rectangle
        { CPoint(5, 5), -1 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tracker.HitTest(c.point), c.hit) << c.point.x << "," << c.point.y;
        EXPECT_EQ(tracker.HitTestHandles(c.point), c.hit) << c.point.x << "," << c.point.y;
    }
    EXPECT_EQ(tracker.HitTestSide(4, CPoint(23, 12)), 4);
    EXPECT_EQ(tracker.HitTestSide(4, CPoint(23, 13)), -1);
    EXPECT_EQ(tracker.HitTestSide(4, CPoint(11, 10)), -1); // too close to the corner

    // Without a resize style everything inside is a move.
    tracker.m_nStyle = CQvRectTracker::solidLine;
    EXPECT_EQ(tracker.HitTest(CPoint(9, 9)), 8);
    EXPECT_EQ(tracker.HitTest(CPoint(40, 9)), -1);
}

TEST(RectTracker, InvertedRectanglesSwapHandles)
{
    CQvRectTracker tracker = CanvasTracker(CRect(30, 10, 10, 20)); // negative width
    EXPECT_EQ(tracker.NormalizeHit(0), 1);
    EXPECT_EQ(tracker.NormalizeHit(2), 3);
    EXPECT_EQ(tracker.NormalizeHit(5), 7);
    EXPECT_EQ(tracker.NormalizeHit(4), 4);
    EXPECT_EQ(tracker.NormalizeHit(8), 8);
    EXPECT_EQ(tracker.NormalizeHit(-1), -1);
    tracker.m_rect.SetRect(30, 20, 10, 10); // both negative
    EXPECT_EQ(tracker.NormalizeHit(0), 2);
    EXPECT_EQ(tracker.NormalizeHit(4), 6);
    // Handle 0 of an inverted rectangle sits at the rectangle's own left.
    EXPECT_EQ(tracker.GetHandleRect(0), CRect(30, 20, 31, 21));

    EXPECT_TRUE(ThrowsInvalidArg([&] { tracker.NormalizeHit(9); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { tracker.GetHandleRect(-2); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { tracker.GetModifyPointers(9); }));
}

TEST(RectTracker, ModifyPointersNameTheMovingEdges)
{
    CQvRectTracker tracker = CanvasTracker(CRect(10, 20, 50, 60));
    CQvRectTracker::ModifyPointers move = tracker.GetModifyPointers(8);
    EXPECT_EQ(move.x, &tracker.m_rect.left);
    EXPECT_EQ(move.y, &tracker.m_rect.top);
    EXPECT_EQ(CPoint(move.grabX, move.grabY), CPoint(10, 20));

    CQvRectTracker::ModifyPointers top = tracker.GetModifyPointers(4);
    EXPECT_EQ(top.x, nullptr);
    EXPECT_EQ(top.y, &tracker.m_rect.top);
    EXPECT_EQ(top.grabX, 30);

    CQvRectTracker::ModifyPointers right = tracker.GetModifyPointers(5);
    EXPECT_EQ(right.x, &tracker.m_rect.right);
    EXPECT_EQ(right.y, nullptr);
    EXPECT_EQ(right.grabY, 40);

    CQvRectTracker::ModifyPointers corner = tracker.GetModifyPointers(2);
    EXPECT_EQ(corner.x, &tracker.m_rect.right);
    EXPECT_EQ(corner.y, &tracker.m_rect.bottom);
}

TEST(RectTracker, MinimumSizeMovesTheDraggedEdge)
{
    CQvRectTracker tracker = CanvasTracker(CRect());
    tracker.m_sizeMin = CSize(8, 8);
    struct Case {
        BOOL allowInvert;
        int handle;
        CRect before;
        CRect after;
    };
    const Case cases[] = {
        { FALSE, 2, CRect(10, 10, 12, 40), CRect(10, 10, 18, 40) },
        { FALSE, 2, CRect(10, 10, 5, 40), CRect(10, 10, 2, 40) }, // keeps its inversion
        { TRUE, 2, CRect(10, 10, 5, 40), CRect(10, 10, 18, 40) },
        { FALSE, 0, CRect(57, 47, 60, 50), CRect(52, 42, 60, 50) },
        { FALSE, 4, CRect(10, 38, 12, 40), CRect(10, 32, 12, 40) }, // only the top edge
        { FALSE, 8, CRect(10, 10, 11, 11), CRect(10, 10, 11, 11) },
        { FALSE, 2, CRect(10, 10, 30, 30), CRect(10, 10, 30, 30) },
    };
    for (const Case& c : cases) {
        tracker.m_bAllowInvert = c.allowInvert;
        CRect rect = c.before;
        tracker.AdjustRect(c.handle, &rect);
        EXPECT_EQ(rect, c.after) << "handle " << c.handle;
    }
}

TEST(RectTracker, DrawsRedFrameAndHandles)
{
    enginetest::Canvas canvas(100, 60, RGB(0, 0, 0));
    CQvRectTracker tracker = CanvasTracker(CRect(20, 10, 60, 40));
    tracker.Draw(canvas.dc());
    EXPECT_EQ(canvas.At(19, 25), RGB(255, 0, 0)); // left side of the frame
    EXPECT_EQ(canvas.At(60, 25), RGB(255, 0, 0)); // right side
    EXPECT_EQ(canvas.At(39, 9), RGB(255, 0, 0)); // top middle handle
    EXPECT_EQ(canvas.At(40, 25), RGB(0, 0, 0)); // nothing inside
    EXPECT_EQ(canvas.At(15, 25), RGB(0, 0, 0)); // nothing outside
    // The DC comes back as it was.
    EXPECT_EQ(::GetCurrentObject(canvas.dc()->GetSafeHdc(), OBJ_PEN), ::GetStockObject(BLACK_PEN));
}

// A tracked child window of 200 x 100 inside a host that records what the
// tracker posts.
class TrackerDrag : public testing::Test {
protected:
    TrackerDrag()
        : m_host(previewtest::SharedHost())
    {
        m_child.Create(L"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 110), &m_host, 100);
        m_tracker.m_rect.SetRect(20, 20, 60, 50);
        m_tracker.m_bAllowInvert = TRUE;
        fwtest::PumpPending();
        m_host.m_messages.clear();
    }
    ~TrackerDrag() override
    {
        if (::GetCapture() != nullptr)
            ::ReleaseCapture();
    }

    void Post(UINT message, int x, int y, WPARAM wParam = 0)
    {
        m_child.PostMessage(message, wParam, MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
    }
    // Drags handle from start through the points and lets the button go at
    // the last one; returns TrackHandle's result.
    BOOL Drag(int handle, CPoint start, const std::vector<CPoint>& points)
    {
        for (const CPoint& p : points)
            Post(WM_MOUSEMOVE, p.x, p.y, MK_LBUTTON);
        Post(WM_LBUTTONUP, points.back().x, points.back().y);
        const BOOL changed = m_tracker.TrackHandle(handle, &m_child, start);
        fwtest::PumpPending();
        return changed;
    }
    void ExpectOnlyZeroParameters() const
    {
        for (const previewtest::PostedMessage& posted : m_host.m_messages) {
            EXPECT_EQ(posted.wParam, 0u);
            EXPECT_EQ(posted.lParam, 0);
        }
    }

    CHostWindow& m_host;
    CStatic m_child;
    CQvRectTracker m_tracker = CanvasTracker(CRect());
};

TEST_F(TrackerDrag, MoveKeepsTheSizeAndTellsTheParent)
{
    EXPECT_TRUE(Drag(8, CPoint(30, 30), { CPoint(35, 40), CPoint(40, 45) }));
    EXPECT_EQ(m_tracker.m_rect, CRect(30, 35, 70, 65));
    EXPECT_GE(m_host.Count(WM_TRACKER_MOVED), 1);
    EXPECT_EQ(m_host.Count(WM_TRACKER_DONE), 1);
    EXPECT_EQ(m_host.m_messages.back().message, WM_TRACKER_DONE);
    ExpectOnlyZeroParameters();
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_FALSE(m_tracker.m_bErase);
    EXPECT_FALSE(m_tracker.m_bFinalErase);
}

TEST_F(TrackerDrag, MoveStopsAtTheClientEdges)
{
    struct Case {
        CPoint to;
        CRect expected;
    };
    const Case cases[] = {
        { CPoint(400, 30), CRect(160, 20, 200, 50) }, // right edge, width kept
        { CPoint(30, 300), CRect(20, 70, 60, 100) }, // bottom edge, height kept
        { CPoint(-50, -50), CRect(0, 0, 40, 30) }, // left and top
    };
    for (const Case& c : cases) {
        m_tracker.m_rect.SetRect(20, 20, 60, 50);
        m_host.m_messages.clear();
        EXPECT_TRUE(Drag(8, CPoint(30, 30), { c.to }));
        EXPECT_EQ(m_tracker.m_rect, c.expected) << c.to.x << "," << c.to.y;
        EXPECT_EQ(m_host.Count(WM_TRACKER_DONE), 1);
    }
}

TEST_F(TrackerDrag, ResizeMovesTheHandlesEdgesWithinTheClientArea)
{
    struct Case {
        int handle;
        CPoint start;
        CPoint to;
        CRect expected;
    };
    const Case cases[] = {
        { 2, CPoint(60, 50), CPoint(100, 80), CRect(20, 20, 100, 80) },
        { 2, CPoint(60, 50), CPoint(500, 500), CRect(20, 20, 200, 100) }, // clipped to the client
        { 0, CPoint(20, 20), CPoint(-30, -30), CRect(0, 0, 60, 50) },
        { 0, CPoint(20, 20), CPoint(57, 47), CRect(52, 42, 60, 50) }, // minimum size of 8
        { 4, CPoint(40, 20), CPoint(10, 5), CRect(20, 5, 60, 50) }, // top only
        { 5, CPoint(60, 35), CPoint(90, 70), CRect(20, 20, 90, 50) }, // right only
    };
    for (const Case& c : cases) {
        m_tracker.m_rect.SetRect(20, 20, 60, 50);
        m_tracker.m_sizeMin = CSize(8, 8);
        EXPECT_TRUE(Drag(c.handle, c.start, { c.to })) << "handle " << c.handle;
        EXPECT_EQ(m_tracker.m_rect, c.expected) << "handle " << c.handle;
    }
}

TEST_F(TrackerDrag, EscapeAndRightButtonCancelWithoutDone)
{
    for (int cancel = 0; cancel < 2; ++cancel) {
        m_host.m_messages.clear();
        Post(WM_MOUSEMOVE, 50, 50, MK_LBUTTON);
        if (cancel == 0)
            Post(WM_KEYDOWN, 0, 0, VK_ESCAPE);
        else
            Post(WM_RBUTTONDOWN, 50, 50);
        Post(WM_LBUTTONUP, 50, 50); // after the loop: must not count
        EXPECT_FALSE(m_tracker.TrackHandle(8, &m_child, CPoint(30, 30)));
        EXPECT_EQ(m_tracker.m_rect, CRect(20, 20, 60, 50));
        fwtest::PumpPending();
        EXPECT_EQ(m_host.Count(WM_TRACKER_DONE), 0);
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST_F(TrackerDrag, OtherKeysAreSwallowed)
{
    Post(WM_KEYDOWN, 0, 0, 'A');
    EXPECT_TRUE(Drag(8, CPoint(30, 30), { CPoint(31, 30) }));
    EXPECT_EQ(m_tracker.m_rect, CRect(21, 20, 61, 50));
}

TEST_F(TrackerDrag, ClickWithoutMovementChangesNothingButIsDone)
{
    Post(WM_LBUTTONUP, 30, 30);
    EXPECT_FALSE(m_tracker.TrackHandle(8, &m_child, CPoint(30, 30)));
    fwtest::PumpPending();
    EXPECT_EQ(m_tracker.m_rect, CRect(20, 20, 60, 50));
    EXPECT_EQ(m_host.Count(WM_TRACKER_DONE), 1);
    EXPECT_EQ(m_host.Count(WM_TRACKER_MOVED), 0);
}

TEST_F(TrackerDrag, ReleaseWithoutADrawnRectangleRestoresTheStart)
{
    // The button goes up at a new place before any move was drawn.
    Post(WM_LBUTTONUP, 80, 80);
    EXPECT_FALSE(m_tracker.TrackHandle(8, &m_child, CPoint(30, 30)));
    fwtest::PumpPending();
    EXPECT_EQ(m_tracker.m_rect, CRect(20, 20, 60, 50));
    EXPECT_EQ(m_host.Count(WM_TRACKER_DONE), 1);
}

TEST_F(TrackerDrag, CapturedMouseRefusesTracking)
{
    ::SetCapture(m_host.GetSafeHwnd());
    EXPECT_FALSE(m_tracker.TrackHandle(8, &m_child, CPoint(30, 30)));
    EXPECT_EQ(::GetCapture(), m_host.GetSafeHwnd());
    ::ReleaseCapture();
    EXPECT_EQ(m_tracker.m_rect, CRect(20, 20, 60, 50));
}

TEST_F(TrackerDrag, CursorFollowsTheHandleUnderTheMouse)
{
    m_tracker.m_rect.SetRect(20, 20, 60, 50);
    CPoint corner(60, 50); // handle 2 in the child's client coordinates
    m_child.ClientToScreen(&corner);
    ::SetCursorPos(corner.x, corner.y);
    CPoint check;
    ::GetCursorPos(&check);
    if (check != corner)
        GTEST_SKIP() << "the display does not move the pointer";
    EXPECT_TRUE(m_tracker.SetCursor(&m_child, HTCLIENT));
    EXPECT_EQ(m_tracker.m_nLastHit, 2);
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_SIZENWSE));
    EXPECT_FALSE(m_tracker.SetCursor(&m_child, HTCAPTION));

    CPoint away(150, 90);
    m_child.ClientToScreen(&away);
    ::SetCursorPos(away.x, away.y);
    EXPECT_FALSE(m_tracker.SetCursor(&m_child, HTCLIENT));
}

} // namespace
