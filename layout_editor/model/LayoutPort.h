// One controller output of a layout: an ordered chain of lamp points (the
// wiring order) with a fixed capacity, its display colour, lamp format and
// per-channel adjustment tables, plus the point-array operations that every
// edit of the layout model is built from.
#pragma once

#include <afx.h>

#include <memory>
#include <vector>

#include "LPoint.h"
#include "LayoutLimits.h"

// An undo step's claim on points that a port holds as its chain for the
// step: the two share them until the port first changes them, when the port
// leaves the step a copy of them as they were.
struct CChainLoan {
    bool wanted = true; // the step may still need the points
    std::vector<CLPoint> copy; // the points, once the port has changed its own
};

class LayoutPort {
public:
    LayoutPort();
    LayoutPort(const LayoutPort&) = default;
    LayoutPort(LayoutPort&&) noexcept = default;
    LayoutPort& operator=(const LayoutPort&) = default;
    LayoutPort& operator=(LayoutPort&&) noexcept = default;
    ~LayoutPort() = default;

    // Drops every point and sets a new capacity (0..3072); colour, format,
    // tables and flags stay.
    void Allocate(int capacity);

    // Cell look-ups use a sorted index of the port's cells, built on first
    // use after a change. Callers that query many ports at once pass a
    // budget of points they allow to be indexed during the call; a port that
    // does not fit it is scanned instead. Without a budget the index is
    // always built.

    // True when a point in use sits on the cell.
    bool HasPointAt(int x, int y, int* indexBudget = nullptr) const;

    // Recomputes bounds and the fills-rectangle flag from the points in use.
    void UpdateBounds();

    // Inserts up to the free room of the given points: appended without
    // indexes, else point i at indexes[i] (positions at the moment of each
    // insertion, as RemovePoints records them). Returns the number taken;
    // 0 when the port is full.
    int InsertPoints(const CLPoint* points, int n, const int* indexes = nullptr);

    // Removes, from the last given point to the first, the lowest-indexed
    // point on the same cell and records its index for that given point.
    // Hands back one index per removed point from the start of the recorded
    // list. Returns the number removed.
    int RemovePoints(const CLPoint* points, int n, int* indexesOut = nullptr);

    // Stores newPoint at index and hands back the point that was there.
    bool ExchangePoint(const CLPoint& newPoint, int index, CLPoint& oldPoint);

    // Moves the listed points by the offset (dx, dy, normalised dx, dy) and
    // realigns them by the editor-wide grid setting; then negates the
    // offset, so a second call with the same record moves them back.
    bool OffsetPoints(const int* indexes, int n, CLPoint& offset);
    // The same with one offset record per listed point.
    bool OffsetPointsAndNegate(const int* indexes, int n, CLPoint* offsets);

    // Keeps the first point and every (n+1)-th after it. Returns the number
    // removed; n < 1 and an empty port change nothing.
    int ThinOut(int n);

    // Drops every point and keeps the capacity.
    void ClearPoints();
    // Removes every point, handing them over in wiring order (no copy).
    std::vector<CLPoint> TakePoints();
    // Takes an undo step's points as the chain of an empty port, holding them
    // for the step (see CChainLoan), and hands back its own emptied buffer.
    std::vector<CLPoint> Borrow(std::vector<CLPoint> points, std::shared_ptr<CChainLoan> loan);
    // True while the port holds the loan's points unchanged.
    bool Holds(const CChainLoan& loan) const { return m_hold.m_loan.get() == &loan; }
    // Gives the held points back to their step, leaving the port empty.
    std::vector<CLPoint> GiveBack();
    // Moves the points into the given buffer and hands back the emptied one
    // they were in (its room kept).
    std::vector<CLPoint> ReplaceStorage(std::vector<CLPoint> storage);
    // Points the chain holds room for without growing.
    size_t GetStorageRoom() const { return m_points.capacity(); }
    // Removes the points whose flag is set (one flag per point), in place.
    void RemoveFlagged(const std::vector<char>& gone);

    // Index of the point the hit test reports on the cell: the point at
    // preferred when it lies there, else the highest index on the cell;
    // -1 when none.
    int FindPointIndex(int x, int y, int preferred = -1, int* indexBudget = nullptr) const;
    // Appends the indexes of every point on the cell, highest first.
    void CollectIndexesAt(int x, int y, std::vector<int>& out, int* indexBudget = nullptr) const;
    // Appends the indexes of every point inside the rectangle (left and top
    // inclusive, right and bottom exclusive): by cell and then index when the
    // cell index is built, else in chain order. Never builds the index, so a
    // large rectangle over an unindexed port costs one pass over its chain.
    void CollectIndexesInRect(const CRect& rect, std::vector<int>& out) const;

    int GetCount() const { return static_cast<int>(m_points.size()); }
    int GetCapacity() const { return m_capacity; }
    bool IsFull() const { return GetCount() >= m_capacity; }
    int GetFreeRoom() const { return m_capacity - GetCount(); }
    const CLPoint* GetPoints() const { return m_points.data(); }
    const CLPoint& GetPoint(int i) const { return m_points[static_cast<size_t>(i)]; }
    // Writable access to one point (flags, or a cell the caller changes);
    // the caller updates the bounds when it moved the point.
    CLPoint& EditPoint(int i);
    const CRect& GetBounds() const { return m_bounds; }
    bool FillsRectangle() const { return m_fillsRect != 0; }
    // A number that changes whenever the points change (and only then), so
    // that a picture of the port can tell that it is out of date. Copies of
    // a port share the number with their source until either changes.
    unsigned long long GetRevision() const;

    // Raises the capacity to n (at most 3072), keeping the points. Returns
    // true when it grew.
    bool GrowCapacity(int n);

    // Exchanges the point storage (points, capacity, bounds, fills flag and
    // last hit) with another port.
    void SwapPoints(LayoutPort& other) noexcept;

    friend void ReversePointRange(int first, int last, LayoutPort& port);

    COLORREF m_colour = 255;
    CString m_lampFormat;
    int m_lampFormatIndex = 0;
    BYTE m_wiringMark = 0; // the port the view is wiring
    int m_lastHit = -1; // index of the point last found by the hit test
    std::vector<BYTE> m_brightness; // percent per output channel
    std::vector<BYTE> m_gamma; // curve number per output channel, 0 = default
    BYTE m_adjusted = 0;
    BYTE m_dataReversed = 0;

private:
    // The loan the port's points are held for. A copy of a port holds none;
    // a port moved elsewhere takes its loan with it.
    struct LoanHold {
        LoanHold() = default;
        LoanHold(const LoanHold&) noexcept { }
        LoanHold(LoanHold&&) noexcept = default;
        LoanHold& operator=(const LoanHold&) noexcept
        {
            m_loan.reset();
            return *this;
        }
        LoanHold& operator=(LoanHold&&) noexcept = default;
        ~LoanHold() = default;
        std::shared_ptr<CChainLoan> m_loan;
    };

    struct CellEntry {
        int y;
        int x;
        int index;
    };

    void Changed()
    {
        m_indexValid = false;
        m_revision = 0; // a new number is drawn when it is next asked for
    }
    // Every change of the points starts here: a step that the points are
    // held for gets its copy first.
    void Settle()
    {
        if (m_hold.m_loan)
            SettleLoan();
    }
    void SettleLoan();
    void EnsureIndex() const;
    // Whether a look-up goes through the index (building it when allowed).
    bool UseIndex(int* indexBudget) const;
    bool InBounds(int x, int y) const
    {
        return x >= m_bounds.left && x < m_bounds.right && y >= m_bounds.top && y < m_bounds.bottom;
    }
    // Range of index entries on the cell, or an empty range.
    std::pair<const CellEntry*, const CellEntry*> EntriesAt(int x, int y) const;
    int RemovePointsByIndex(const CLPoint* points, int n, std::vector<int>& recorded);
    void InsertPointsAt(const CLPoint* points, int taken, const int* indexes);

    std::vector<CLPoint> m_points; // the points in use, in wiring order
    int m_capacity = 0;
    CRect m_bounds;
    BYTE m_fillsRect = 0;
    LoanHold m_hold;

    // Cells of the points sorted by (y, x, index), rebuilt lazily after a
    // change so that cell look-ups do not scan the chain.
    mutable std::vector<CellEntry> m_cellIndex;
    mutable bool m_indexValid = false;
    mutable unsigned long long m_revision = 0;
};

// Reverses the order of the points first..last (counted from 1, both
// included). Nothing happens on a bad range or when the port holds fewer
// than last points.
void ReversePointRange(int first, int last, LayoutPort& port);
