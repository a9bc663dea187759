// Lamp and index buffers handed back by dropped undo steps, kept for the
// next edits of the layout. A page the process takes fresh from the system
// costs far more than copying lamps into it, and the heap gives freed blocks
// of this size back at once: an edit of a large layout that takes its copies
// from here does not pay again for memory that it held a moment before.
#pragma once

#include <cstddef>
#include <map>
#include <vector>

#include "LPoint.h"

// Kept buffers of one element type, found by room; the oldest go first when
// a new one needs the space.
template <typename T> class CSpareBufferList {
public:
    // An empty buffer with room for at least n elements: the smallest kept
    // one when it has at most four times that room, else a new one.
    std::vector<T> Take(size_t n)
    {
        std::vector<T> buffer;
        auto it = m_byRoom.lower_bound(n);
        if (n >= kMinElements && it != m_byRoom.end() && it->first / 4 <= n) {
            buffer.swap(it->second.buffer);
            Forget(it);
        }
        buffer.reserve(n);
        return buffer;
    }
    // Keeps the buffer's room when it is worth keeping, making space within
    // the limit by freeing the oldest kept ones; frees it otherwise.
    void Give(std::vector<T>&& buffer)
    {
        const size_t room = buffer.capacity();
        if (room < kMinElements || Bytes(room) > m_limit)
            return;
        while (m_bytes + Bytes(room) > m_limit && !m_byAge.empty())
            Forget(m_byAge.begin()->second);
        buffer.clear();
        auto it = m_byRoom.emplace(room, Entry { m_nextAge, std::move(buffer) });
        m_byAge.emplace(m_nextAge++, it);
        m_bytes += Bytes(room);
    }
    // Sets the most bytes kept, freeing the oldest beyond it.
    void SetLimit(size_t bytes)
    {
        m_limit = bytes;
        while (m_bytes > m_limit && !m_byAge.empty())
            Forget(m_byAge.begin()->second);
    }
    size_t GetBytes() const { return m_bytes; }
    size_t GetCount() const { return m_byRoom.size(); }

private:
    struct Entry {
        unsigned long long age;
        std::vector<T> buffer;
    };
    using ByRoom = std::multimap<size_t, Entry>;

    // Smaller buffers cost the heap little to hand out again.
    static constexpr size_t kMinElements = 1024 / sizeof(T);
    static size_t Bytes(size_t room) { return room * sizeof(T); }
    void Forget(typename ByRoom::iterator it)
    {
        m_bytes -= Bytes(it->first);
        m_byAge.erase(it->second.age);
        m_byRoom.erase(it);
    }

    ByRoom m_byRoom;
    std::map<unsigned long long, typename ByRoom::iterator> m_byAge;
    unsigned long long m_nextAge = 0;
    size_t m_bytes = 0;
    size_t m_limit = 0;
};

class CSpareBuffers {
public:
    std::vector<CLPoint> TakePoints(size_t n) { return m_points.Take(n); }
    std::vector<int> TakeIndexes(size_t n) { return m_indexes.Take(n); }
    void Give(std::vector<CLPoint>&& buffer) { m_points.Give(std::move(buffer)); }
    void Give(std::vector<int>&& buffer) { m_indexes.Give(std::move(buffer)); }
    // Keeps at most as many lamps, and as many indexes, as given; frees the
    // oldest beyond that.
    void SetLimit(size_t elements)
    {
        m_points.SetLimit(elements * sizeof(CLPoint));
        m_indexes.SetLimit(elements * sizeof(int));
    }
    // Frees every kept buffer.
    void Clear() { SetLimit(0); }
    size_t GetBytes() const { return m_points.GetBytes() + m_indexes.GetBytes(); }
    size_t GetCount() const { return m_points.GetCount() + m_indexes.GetCount(); }

private:
    CSpareBufferList<CLPoint> m_points;
    CSpareBufferList<int> m_indexes;
};
