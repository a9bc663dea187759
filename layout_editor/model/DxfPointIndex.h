// A bucket index over points of a DXF drawing (line ends, circle centres),
// so that "the first free record in file order with a point within the
// tolerance" is found without walking every record. Each point belongs to a
// record (its id, the record's index in file order); a record may own
// several points. The buckets are at least twice the largest tolerance
// asked for, so the 3 x 3 buckets around a point hold every candidate; the
// exact tolerance test is left to the caller.
#pragma once

#include <cstdint>
#include <vector>

class CDxfPointIndex {
public:
    struct Entry {
        int64_t bx;
        int64_t by;
        int id;
        int end; // which point of the record (0 or 1)
    };

    // Builds the index over the points; bucket is the bucket size
    // (non-finite or tiny values are made safe).
    void Build(const std::vector<double>& xs, const std::vector<double>& ys, const std::vector<int>& ids,
        const std::vector<int>& ends, double bucket);

    // Calls visit(entry) for every entry in the 3 x 3 buckets around (x, y),
    // bucket by bucket, each bucket in ascending id from the first id not
    // below minId. visit returns false to leave the current bucket.
    template <class Visit> void ForEachNear(double x, double y, int minId, Visit visit) const
    {
        const int64_t cx = Key(x);
        const int64_t cy = Key(y);
        for (int64_t dx = -1; dx <= 1; ++dx) {
            for (int64_t dy = -1; dy <= 1; ++dy) {
                size_t i = LowerBound(cx + dx, cy + dy, minId);
                for (; i < m_entries.size(); ++i) {
                    const Entry& e = m_entries[i];
                    if (e.bx != cx + dx || e.by != cy + dy)
                        break;
                    if (!visit(e))
                        break;
                }
            }
        }
    }

    bool Empty() const { return m_entries.empty(); }

private:
    int64_t Key(double v) const;
    size_t LowerBound(int64_t bx, int64_t by, int minId) const;

    double m_bucket = 1.0;
    std::vector<Entry> m_entries; // sorted by (bx, by, id, end)
};
