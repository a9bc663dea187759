// Port label placement (see LabelPlacement.h).
#include "LabelPlacement.h"

#include <algorithm>

namespace {

// Room kept between two labels.
constexpr int kGap = 2;
// Steps tried in each direction before a label is left out: further away a
// label no longer tells which lamp it belongs to.
constexpr int kMostSteps = 3;
// Side of the squares the client area is cut into to find the placed
// labels near a spot without looking at all of them.
constexpr int kBucket = 64;

class CPlacedLabels {
public:
    explicit CPlacedLabels(const CRect& client)
        : m_origin(client.TopLeft())
        , m_columns(std::max(client.Width() / kBucket + 1, 1))
        , m_rows(std::max(client.Height() / kBucket + 1, 1))
        , m_buckets(static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows))
    {
    }

    // No placed label within the gap of the box.
    bool IsFree(const CRect& box) const
    {
        CRect grown = box;
        grown.InflateRect(kGap, kGap);
        const CRect range = BucketsOf(grown);
        for (int r = range.top; r <= range.bottom; ++r)
            for (int c = range.left; c <= range.right; ++c)
                for (int index : m_buckets[Slot(c, r)]) {
                    CRect hit;
                    if (hit.IntersectRect(&grown, &m_boxes[static_cast<size_t>(index)]))
                        return false;
                }
        return true;
    }

    void Add(const CRect& box)
    {
        const int index = static_cast<int>(m_boxes.size());
        m_boxes.push_back(box);
        const CRect range = BucketsOf(box);
        for (int r = range.top; r <= range.bottom; ++r)
            for (int c = range.left; c <= range.right; ++c)
                m_buckets[Slot(c, r)].push_back(index);
    }

private:
    // The first and last bucket columns (left, right) and rows (top,
    // bottom) a box touches; boxes beyond the client area fall into the
    // buckets at its edge.
    CRect BucketsOf(const CRect& box) const
    {
        auto column = [&](int x) { return std::clamp(static_cast<int>((x - m_origin.x) / kBucket), 0, m_columns - 1); };
        auto row = [&](int y) { return std::clamp(static_cast<int>((y - m_origin.y) / kBucket), 0, m_rows - 1); };
        return CRect(column(box.left), row(box.top), column(box.right), row(box.bottom));
    }
    size_t Slot(int column, int row) const
    {
        return static_cast<size_t>(row) * static_cast<size_t>(m_columns) + static_cast<size_t>(column);
    }

    CPoint m_origin;
    int m_columns;
    int m_rows;
    std::vector<std::vector<int>> m_buckets;
    std::vector<CRect> m_boxes;
};

bool Inside(const CRect& box, const CRect& client)
{
    return box.left >= client.left && box.top >= client.top && box.right <= client.right && box.bottom <= client.bottom;
}

} // namespace

std::vector<CRect> PlaceLabels(const std::vector<CRect>& wanted, const CRect& client)
{
    std::vector<CRect> placed(wanted.size(), CRect(0, 0, 0, 0));
    CPlacedLabels taken(client);
    for (size_t i = 0; i < wanted.size(); ++i) {
        CRect box = wanted[i];
        CRect seen;
        if (box.IsRectEmpty() || !seen.IntersectRect(&box, &client))
            continue;
        // A label cut by the client's edge moves in just far enough to be
        // read whole.
        const int inX = std::max<int>(client.left - box.left, 0) + std::min<int>(client.right - box.right, 0);
        const int inY = std::max<int>(client.top - box.top, 0) + std::min<int>(client.bottom - box.bottom, 0);
        box.OffsetRect(inX, inY);
        if (taken.IsFree(box)) {
            placed[i] = box;
            taken.Add(box);
            continue;
        }
        // Away from the layout only (left and up, as the label already sits
        // above and left of its lamp): right or down it would lie on the
        // lamps and their lines.
        const int dx = box.Width() + kGap;
        const int dy = box.Height() + kGap;
        for (int step = 1; step <= kMostSteps && placed[i].IsRectEmpty(); ++step) {
            const CPoint moves[] = { { -step * dx, 0 }, { 0, -step * dy } };
            for (const CPoint& move : moves) {
                CRect candidate = box;
                candidate.OffsetRect(move);
                if (Inside(candidate, client) && taken.IsFree(candidate)) {
                    placed[i] = candidate;
                    taken.Add(candidate);
                    break;
                }
            }
        }
    }
    return placed;
}
