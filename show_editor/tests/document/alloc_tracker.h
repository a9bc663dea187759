// Counts the C++ allocations and frees made between Start and Stop, so tests
// can prove that model objects are freed once and only once. While tracking,
// freed blocks are held back (not returned to the heap) so that their
// addresses are not reused and a second delete of the same pointer is seen
// as a double free instead of corrupting the heap.
#pragma once

namespace alloc_tracker {

struct Counts {
    long allocations = 0; // blocks allocated while tracking
    long frees = 0; // of those, blocks freed while tracking
    long doubleFrees = 0; // deletes of a block already freed while tracking
    long live = 0; // blocks allocated while tracking and still not freed
};

void Start();
Counts Stop();
// True when the block was allocated while tracking and is not freed yet.
bool IsLive(const void* block);

// Tracks for the lifetime of the scope unless stopped earlier.
class Scope {
public:
    Scope() { Start(); }
    ~Scope()
    {
        if (!m_stopped)
            Stop();
    }
    Counts StopAndCount()
    {
        m_stopped = true;
        return Stop();
    }

private:
    bool m_stopped = false;
};

} // namespace alloc_tracker
