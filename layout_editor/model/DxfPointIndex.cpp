// Bucket index over the points of a DXF drawing.
#include "DxfPointIndex.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kKeyLimit = 1152921504606846976.0; // 2^60: keys and their neighbours stay in range
} // namespace

void CDxfPointIndex::Build(const std::vector<double>& xs, const std::vector<double>& ys, const std::vector<int>& ids,
    const std::vector<int>& ends, double bucket)
{
    m_bucket = (std::isfinite(bucket) && bucket > 1e-9) ? bucket : 1e-9;
    if (!std::isfinite(bucket) && bucket > 0)
        m_bucket = 1e300;
    m_entries.clear();
    m_entries.reserve(xs.size());
    for (size_t i = 0; i < xs.size(); ++i)
        m_entries.push_back(Entry { Key(xs[i]), Key(ys[i]), ids[i], ends[i] });
    std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        if (a.bx != b.bx)
            return a.bx < b.bx;
        if (a.by != b.by)
            return a.by < b.by;
        if (a.id != b.id)
            return a.id < b.id;
        return a.end < b.end;
    });
}

int64_t CDxfPointIndex::Key(double v) const
{
    const double k = std::floor(v / m_bucket);
    if (!(k > -kKeyLimit))
        return static_cast<int64_t>(-kKeyLimit);
    if (!(k < kKeyLimit))
        return static_cast<int64_t>(kKeyLimit);
    return static_cast<int64_t>(k);
}

size_t CDxfPointIndex::LowerBound(int64_t bx, int64_t by, int minId) const
{
    const auto it = std::lower_bound(
        m_entries.begin(), m_entries.end(), Entry { bx, by, minId, 0 }, [](const Entry& a, const Entry& b) {
            if (a.bx != b.bx)
                return a.bx < b.bx;
            if (a.by != b.by)
                return a.by < b.by;
            if (a.id != b.id)
                return a.id < b.id;
            return a.end < b.end;
        });
    return static_cast<size_t>(it - m_entries.begin());
}
