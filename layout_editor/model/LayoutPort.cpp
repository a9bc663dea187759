// Point-array operations of one layout port.
#include "LayoutPort.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>

#include "EditorSettings.h"

namespace {

// Chains up to this length are searched directly; longer ones through the
// sorted cell index.
constexpr int kDirectSearchLimit = 32;

// Removals and indexed insertions of more points than this run in one pass
// instead of one scan or shift per point.
constexpr int kDirectEditLimit = 8;

int ClampToInt(long long v)
{
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

// int(v) truncated toward zero, held inside the int range (NaN gives 0).
int TruncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return INT_MAX;
    if (v <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(v);
}

// Realigns a moved point by the editor-wide grid setting.
void Realign(CLPoint& p)
{
    if (AlignToGrid) {
        p.m_normX = (p.x + 0.5) / LayoutWidth;
        p.m_normY = (p.y + 0.5) / LayoutHeight;
    } else {
        p.x = TruncToInt(LayoutWidth * p.m_normX);
        p.y = TruncToInt(LayoutHeight * p.m_normY);
    }
}

void MovePointBy(CLPoint& p, const CLPoint& d)
{
    p.x = ClampToInt(static_cast<long long>(p.x) + d.x);
    p.y = ClampToInt(static_cast<long long>(p.y) + d.y);
    p.m_normX += d.m_normX;
    p.m_normY += d.m_normY;
    Realign(p);
}

void Negate(CLPoint& d)
{
    d.x = -d.x;
    d.y = -d.y;
    d.m_normX = -d.m_normX;
    d.m_normY = -d.m_normY;
}

// Marks over positions 0..n-1 with prefix counts and the search for the
// k-th marked position, both in O(log n) (a binary indexed tree).
class PositionCounter {
public:
    // All positions unmarked, or all marked.
    PositionCounter(int n, bool allMarked)
        : m_tree(static_cast<size_t>(n) + 1, 0)
    {
        if (allMarked)
            for (size_t i = 1; i < m_tree.size(); ++i)
                m_tree[i] = static_cast<int>(i & (~i + 1));
    }
    void Add(int pos, int delta)
    {
        for (size_t i = static_cast<size_t>(pos) + 1; i < m_tree.size(); i += i & (~i + 1))
            m_tree[i] += delta;
    }
    // Marked positions below pos.
    int Below(int pos) const
    {
        int sum = 0;
        for (size_t i = static_cast<size_t>(pos); i > 0; i -= i & (~i + 1))
            sum += m_tree[i];
        return sum;
    }
    // The position of the marked entry that has k marked entries before it.
    int FindKth(int k) const
    {
        size_t pos = 0;
        size_t step = 1;
        while (step * 2 < m_tree.size())
            step *= 2;
        for (; step > 0; step /= 2) {
            if (pos + step < m_tree.size() && m_tree[pos + step] <= k) {
                pos += step;
                k -= m_tree[pos];
            }
        }
        return static_cast<int>(pos);
    }

private:
    std::vector<int> m_tree;
};

} // namespace

LayoutPort::LayoutPort()
    : m_lampFormat(L"RGB")
    , m_brightness(kPortTableSize, 100)
    , m_gamma(kPortTableSize, 0)
    , m_bounds(65535, 65535, 1, 1)
{
}

void LayoutPort::Allocate(int capacity)
{
    Settle();
    m_points.clear();
    m_points.shrink_to_fit();
    m_capacity = std::clamp(capacity, 0, kMaxPortPoints);
    m_lastHit = -1;
    Changed();
    UpdateBounds();
}

void LayoutPort::ClearPoints()
{
    Settle();
    m_points.clear();
    m_lastHit = -1;
    Changed();
    UpdateBounds();
}

std::vector<CLPoint> LayoutPort::TakePoints()
{
    Settle();
    std::vector<CLPoint> taken;
    taken.swap(m_points);
    m_lastHit = -1;
    Changed();
    UpdateBounds();
    return taken;
}

std::vector<CLPoint> LayoutPort::Borrow(std::vector<CLPoint> points, std::shared_ptr<CChainLoan> loan)
{
    Settle();
    m_points.swap(points);
    m_hold.m_loan = std::move(loan);
    Changed();
    UpdateBounds();
    points.clear();
    return points;
}

std::vector<CLPoint> LayoutPort::GiveBack()
{
    m_hold.m_loan.reset();
    return TakePoints();
}

void LayoutPort::SettleLoan()
{
    std::shared_ptr<CChainLoan> loan = std::move(m_hold.m_loan);
    if (loan->wanted)
        loan->copy = m_points;
    loan->wanted = false;
}

std::vector<CLPoint> LayoutPort::ReplaceStorage(std::vector<CLPoint> storage)
{
    Settle();
    storage.assign(m_points.begin(), m_points.end());
    m_points.swap(storage);
    storage.clear();
    return storage;
}

void LayoutPort::RemoveFlagged(const std::vector<char>& gone)
{
    Settle();
    size_t kept = 0;
    for (size_t i = 0; i < m_points.size(); ++i) {
        if (i < gone.size() && gone[i])
            continue;
        if (kept != i)
            m_points[kept] = m_points[i];
        ++kept;
    }
    m_points.erase(m_points.begin() + static_cast<std::ptrdiff_t>(kept), m_points.end());
    m_lastHit = -1;
    Changed();
    UpdateBounds();
}

bool LayoutPort::GrowCapacity(int n)
{
    n = std::min(n, kMaxPortPoints);
    if (m_capacity >= n)
        return false;
    m_capacity = n;
    return true;
}

void LayoutPort::SwapPoints(LayoutPort& other) noexcept
{
    Settle();
    other.Settle();
    m_points.swap(other.m_points);
    std::swap(m_capacity, other.m_capacity);
    std::swap(m_bounds, other.m_bounds);
    std::swap(m_fillsRect, other.m_fillsRect);
    std::swap(m_lastHit, other.m_lastHit);
    m_cellIndex.swap(other.m_cellIndex);
    std::swap(m_indexValid, other.m_indexValid);
    std::swap(m_revision, other.m_revision);
}

unsigned long long LayoutPort::GetRevision() const
{
    // Numbers are drawn from one counter for every port of the process, so
    // a port never gets a number another content of it had.
    static std::atomic<unsigned long long> s_next { 0 };
    if (m_revision == 0)
        m_revision = s_next.fetch_add(1, std::memory_order_relaxed) + 1;
    return m_revision;
}

CLPoint& LayoutPort::EditPoint(int i)
{
    Settle();
    Changed();
    return m_points[static_cast<size_t>(i)];
}

void LayoutPort::EnsureIndex() const
{
    if (m_indexValid)
        return;
    m_cellIndex.resize(m_points.size());
    for (size_t i = 0; i < m_points.size(); ++i)
        m_cellIndex[i] = CellEntry { m_points[i].y, m_points[i].x, static_cast<int>(i) };
    std::sort(m_cellIndex.begin(), m_cellIndex.end(), [](const CellEntry& a, const CellEntry& b) {
        if (a.y != b.y)
            return a.y < b.y;
        if (a.x != b.x)
            return a.x < b.x;
        return a.index < b.index;
    });
    m_indexValid = true;
}

std::pair<const LayoutPort::CellEntry*, const LayoutPort::CellEntry*> LayoutPort::EntriesAt(int x, int y) const
{
    EnsureIndex();
    const CellEntry* first = m_cellIndex.data();
    const CellEntry* last = first + m_cellIndex.size();
    auto lo = std::lower_bound(first, last, CellEntry { y, x, INT_MIN }, [](const CellEntry& a, const CellEntry& b) {
        return a.y != b.y ? a.y < b.y : (a.x != b.x ? a.x < b.x : a.index < b.index);
    });
    auto hi = lo;
    while (hi != last && hi->y == y && hi->x == x)
        ++hi;
    return { lo, hi };
}

bool LayoutPort::UseIndex(int* indexBudget) const
{
    if (GetCount() <= kDirectSearchLimit)
        return false;
    if (m_indexValid)
        return true;
    if (indexBudget != nullptr) {
        if (*indexBudget < GetCount())
            return false;
        *indexBudget -= GetCount();
    }
    EnsureIndex();
    return true;
}

bool LayoutPort::HasPointAt(int x, int y, int* indexBudget) const
{
    if (!InBounds(x, y))
        return false;
    if (!UseIndex(indexBudget)) {
        for (const CLPoint& p : m_points)
            if (p.IsAt(x, y))
                return true;
        return false;
    }
    auto [lo, hi] = EntriesAt(x, y);
    return lo != hi;
}

int LayoutPort::FindPointIndex(int x, int y, int preferred, int* indexBudget) const
{
    const int count = GetCount();
    if (preferred >= 0 && preferred < count && m_points[static_cast<size_t>(preferred)].IsAt(x, y))
        return preferred;
    if (!UseIndex(indexBudget)) {
        for (int i = count - 1; i >= 0; --i)
            if (m_points[static_cast<size_t>(i)].IsAt(x, y))
                return i;
        return -1;
    }
    auto [lo, hi] = EntriesAt(x, y);
    return lo == hi ? -1 : (hi - 1)->index;
}

void LayoutPort::CollectIndexesAt(int x, int y, std::vector<int>& out, int* indexBudget) const
{
    if (!InBounds(x, y))
        return;
    if (!UseIndex(indexBudget)) {
        for (int i = GetCount() - 1; i >= 0; --i)
            if (m_points[static_cast<size_t>(i)].IsAt(x, y))
                out.push_back(i);
        return;
    }
    auto [lo, hi] = EntriesAt(x, y);
    while (hi != lo)
        out.push_back((--hi)->index);
}

void LayoutPort::CollectIndexesInRect(const CRect& rect, std::vector<int>& out) const
{
    const LONG left = std::max(rect.left, m_bounds.left);
    const LONG top = std::max(rect.top, m_bounds.top);
    const LONG right = std::min(rect.right, m_bounds.right);
    const LONG bottom = std::min(rect.bottom, m_bounds.bottom);
    if (left >= right || top >= bottom || m_points.empty())
        return;
    if (!m_indexValid || GetCount() <= kDirectSearchLimit) {
        for (size_t i = 0; i < m_points.size(); ++i) {
            const CLPoint& p = m_points[i];
            if (p.x >= left && p.x < right && p.y >= top && p.y < bottom)
                out.push_back(static_cast<int>(i));
        }
        return;
    }
    // Walk the sorted cells row by row, jumping over the parts of each row
    // outside the rectangle.
    const CellEntry* first = m_cellIndex.data();
    const CellEntry* last = first + m_cellIndex.size();
    auto less = [](const CellEntry& a, const CellEntry& b) {
        return a.y != b.y ? a.y < b.y : (a.x != b.x ? a.x < b.x : a.index < b.index);
    };
    const CellEntry* it = std::lower_bound(first, last, CellEntry { top, left, INT_MIN }, less);
    while (it != last && it->y < bottom) {
        if (it->x < left) {
            it = std::lower_bound(it, last, CellEntry { it->y, left, INT_MIN }, less);
        } else if (it->x >= right) {
            if (it->y >= bottom - 1)
                break;
            it = std::lower_bound(it, last, CellEntry { it->y + 1, left, INT_MIN }, less);
        } else {
            out.push_back(it->index);
            ++it;
        }
    }
}

void LayoutPort::UpdateBounds()
{
    LONG minX = 65536, minY = 65536, maxX = 0, maxY = 0;
    for (const CLPoint& p : m_points) {
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    m_bounds.SetRect(ClampToInt(static_cast<long long>(minX) - 1), ClampToInt(static_cast<long long>(minY) - 1),
        ClampToInt(static_cast<long long>(maxX) + 1), ClampToInt(static_cast<long long>(maxY) + 1));

    // The rectangle is filled when every cell of it holds a point. It cannot
    // be when a side is longer than there are points, or it has more cells
    // than that; this also keeps a sparse port from walking a huge rectangle
    // and the cell count inside 64 bits whatever cells the points have.
    m_fillsRect = 0;
    if (m_points.empty())
        return;
    const long long width = static_cast<long long>(maxX) - minX + 1;
    const long long height = static_cast<long long>(maxY) - minY + 1;
    if (width > GetCount() || height > GetCount() || width * height > GetCount())
        return;
    const long long cells = width * height;
    std::vector<char> held(static_cast<size_t>(cells), 0);
    long long filled = 0;
    for (const CLPoint& p : m_points) {
        char& cell = held[static_cast<size_t>((static_cast<long long>(p.y) - minY) * width + (p.x - minX))];
        if (!cell) {
            cell = 1;
            ++filled;
        }
    }
    m_fillsRect = filled == cells ? 1 : 0;
}

int LayoutPort::InsertPoints(const CLPoint* points, int n, const int* indexes)
{
    Settle();
    if (IsFull() || points == nullptr || n < 1)
        return 0;
    const int taken = std::min(n, GetFreeRoom());
    if (indexes == nullptr) {
        m_points.insert(m_points.end(), points, points + taken);
    } else if (taken <= kDirectEditLimit) {
        for (int i = 0; i < taken; ++i) {
            int at = indexes[i];
            // A position beyond the chain appends.
            if (at < 0 || at > GetCount())
                at = GetCount();
            m_points.insert(m_points.begin() + at, points[i]);
        }
    } else {
        InsertPointsAt(points, taken, indexes);
    }
    Changed();
    UpdateBounds();
    return taken;
}

// The same insertions in one pass, in place. Seen from the end, the last
// inserted point sits at its index in the final chain; each earlier one sits
// at its index among the slots that the later ones left free; the old points
// fill the remaining slots in order, so filling the chain from its end moves
// each old point up before its own slot is written. Ascending indexes (how
// deletions record them) are the final slots themselves.
void LayoutPort::InsertPointsAt(const CLPoint* points, int taken, const int* indexes)
{
    const int count = GetCount();
    const int total = count + taken;
    bool ascending = indexes[0] >= 0 && indexes[taken - 1] < total;
    for (int i = 1; i < taken && ascending; ++i)
        ascending = indexes[i - 1] < indexes[i];
    std::vector<int> source; // per slot: the inserted point, or -1
    if (!ascending) {
        source.assign(static_cast<size_t>(total), -1);
        PositionCounter freeSlots(total, true);
        for (int i = taken - 1; i >= 0; --i) {
            int at = indexes[i];
            if (at < 0 || at > count + i) // beyond the chain of that moment: appended
                at = count + i;
            const int slot = freeSlots.FindKth(at);
            freeSlots.Add(slot, -1);
            source[static_cast<size_t>(slot)] = i;
        }
    }
    m_points.resize(static_cast<size_t>(total));
    size_t next = static_cast<size_t>(count);
    int pending = taken - 1; // the last inserted point not placed yet (ascending)
    for (size_t slot = static_cast<size_t>(total); slot-- > 0;) {
        int from = -1;
        if (!ascending)
            from = source[slot];
        else if (pending >= 0 && static_cast<size_t>(indexes[pending]) == slot)
            from = pending--;
        if (from >= 0)
            m_points[slot] = points[from];
        else if (--next != slot)
            m_points[slot] = m_points[next];
    }
}

int LayoutPort::RemovePoints(const CLPoint* points, int n, int* indexesOut)
{
    Settle();
    if (m_points.empty() || points == nullptr || n < 1)
        return 0;
    std::vector<int> recorded(static_cast<size_t>(n), -1);
    int removed = 0;
    if (n <= kDirectEditLimit) {
        for (int k = n - 1; k >= 0; --k) {
            for (size_t i = 0; i < m_points.size(); ++i) {
                if (m_points[i].SameCell(points[k])) {
                    recorded[static_cast<size_t>(k)] = static_cast<int>(i);
                    m_points.erase(m_points.begin() + static_cast<std::ptrdiff_t>(i));
                    ++removed;
                    break;
                }
            }
        }
    } else {
        removed = RemovePointsByIndex(points, n, recorded);
    }
    if (indexesOut != nullptr)
        std::copy(recorded.begin(), recorded.begin() + removed, indexesOut);
    Changed();
    UpdateBounds();
    return removed;
}

// The same removal in one pass: the lowest remaining point on a cell is
// always the lowest original index on that cell not taken yet, and its
// position at the moment of removal is its original index less the removed
// points before it.
int LayoutPort::RemovePointsByIndex(const CLPoint* points, int n, std::vector<int>& recorded)
{
    EnsureIndex();
    const int count = GetCount();
    std::vector<int> taken(m_cellIndex.size(), 0); // per range start: entries taken
    std::vector<char> gone(static_cast<size_t>(count), 0);
    PositionCounter counter(count, false);
    int removed = 0;
    for (int k = n - 1; k >= 0; --k) {
        auto [lo, hi] = EntriesAt(points[k].x, points[k].y);
        if (lo == hi)
            continue;
        const size_t start = static_cast<size_t>(lo - m_cellIndex.data());
        const int used = taken[start];
        if (used >= hi - lo)
            continue;
        taken[start] = used + 1;
        const int original = lo[used].index;
        recorded[static_cast<size_t>(k)] = original - counter.Below(original);
        counter.Add(original, 1);
        gone[static_cast<size_t>(original)] = 1;
        ++removed;
    }
    size_t out = 0;
    for (size_t i = 0; i < m_points.size(); ++i)
        if (!gone[i])
            m_points[out++] = m_points[i];
    m_points.resize(out);
    return removed;
}

bool LayoutPort::ExchangePoint(const CLPoint& newPoint, int index, CLPoint& oldPoint)
{
    Settle();
    if (index < 0 || index >= GetCount())
        return false;
    CLPoint& slot = m_points[static_cast<size_t>(index)];
    CLPoint previous = slot;
    slot = newPoint;
    oldPoint = previous;
    Changed();
    UpdateBounds();
    return true;
}

bool LayoutPort::OffsetPoints(const int* indexes, int n, CLPoint& offset)
{
    Settle();
    if (indexes == nullptr || n < 1)
        return false;
    for (int i = 0; i < n; ++i) {
        // Indexes outside the chain are skipped.
        if (indexes[i] >= 0 && indexes[i] < GetCount())
            MovePointBy(m_points[static_cast<size_t>(indexes[i])], offset);
    }
    Negate(offset);
    Changed();
    UpdateBounds();
    return true;
}

bool LayoutPort::OffsetPointsAndNegate(const int* indexes, int n, CLPoint* offsets)
{
    Settle();
    if (indexes == nullptr || offsets == nullptr || n < 1)
        return false;
    for (int i = 0; i < n; ++i) {
        if (indexes[i] >= 0 && indexes[i] < GetCount())
            MovePointBy(m_points[static_cast<size_t>(indexes[i])], offsets[i]);
        Negate(offsets[i]);
    }
    Changed();
    UpdateBounds();
    return true;
}

int LayoutPort::ThinOut(int n)
{
    Settle();
    if (n < 1 || m_points.empty())
        return 0;
    const size_t step = static_cast<size_t>(n) + 1;
    size_t out = 0;
    for (size_t i = 0; i < m_points.size(); i += step)
        m_points[out++] = m_points[i];
    const int removed = GetCount() - static_cast<int>(out);
    m_points.resize(out);
    Changed();
    UpdateBounds();
    return removed;
}

void ReversePointRange(int first, int last, LayoutPort& port)
{
    port.Settle();
    if (first < 1 || first > last || port.GetCount() < last)
        return;
    std::reverse(port.m_points.begin() + (first - 1), port.m_points.begin() + last);
    port.Changed();
}
