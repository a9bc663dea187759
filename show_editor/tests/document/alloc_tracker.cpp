// Replacement of the global allocation functions for the show-model tests.
#include "alloc_tracker.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Open-addressed sets of block addresses in fixed storage, so that tracking
// itself never allocates. The tests allocate a few thousand blocks at most.
// Addresses are kept as integers: the blocks' contents are never looked at.
constexpr unsigned kSlots = 1u << 16;
constexpr std::uintptr_t kEmpty = 0;
constexpr std::uintptr_t kTombstone = 1;

struct AddressSet {
    std::uintptr_t slots[kSlots];

    static unsigned Hash(std::uintptr_t a) { return static_cast<unsigned>(a >> 3) * 2654435761u; }

    void Clear() { std::memset(slots, 0, sizeof(slots)); }

    bool Insert(std::uintptr_t a)
    {
        unsigned h = Hash(a) & (kSlots - 1);
        for (unsigned n = 0; n < kSlots; ++n, h = (h + 1) & (kSlots - 1)) {
            if (slots[h] == kEmpty || slots[h] == kTombstone) {
                slots[h] = a;
                return true;
            }
        }
        return false;
    }

    bool Contains(std::uintptr_t a) const
    {
        unsigned h = Hash(a) & (kSlots - 1);
        for (unsigned n = 0; n < kSlots; ++n, h = (h + 1) & (kSlots - 1)) {
            if (slots[h] == kEmpty)
                return false;
            if (slots[h] == a)
                return true;
        }
        return false;
    }

    bool Remove(std::uintptr_t a)
    {
        unsigned h = Hash(a) & (kSlots - 1);
        for (unsigned n = 0; n < kSlots; ++n, h = (h + 1) & (kSlots - 1)) {
            if (slots[h] == kEmpty)
                return false;
            if (slots[h] == a) {
                slots[h] = kTombstone;
                return true;
            }
        }
        return false;
    }
};

// A macro, not a function: GCC takes a block passed by const pointer for a
// read of uninitialised memory.
#define AddressOf(p) reinterpret_cast<std::uintptr_t>(p)

bool g_tracking = false;
AddressSet g_live;
AddressSet g_freed; // held back until Stop
alloc_tracker::Counts g_counts;

void* Allocate(std::size_t size)
{
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr)
        throw std::bad_alloc();
    if (g_tracking) {
        if (!g_live.Insert(AddressOf(p)))
            std::abort(); // more blocks than the test tracker was sized for
        ++g_counts.allocations;
    }
    return p;
}

void Release(void* p)
{
    if (p == nullptr)
        return;
    if (g_tracking) {
        if (g_live.Remove(AddressOf(p))) {
            ++g_counts.frees;
            if (!g_freed.Insert(AddressOf(p)))
                std::abort();
            return; // held back so that the address stays unique
        }
        if (g_freed.Contains(AddressOf(p))) {
            ++g_counts.doubleFrees;
            return;
        }
    }
    std::free(p);
}

} // namespace

namespace alloc_tracker {

void Start()
{
    g_live.Clear();
    g_freed.Clear();
    g_counts = Counts();
    g_tracking = true;
}

Counts Stop()
{
    g_tracking = false;
    for (std::uintptr_t& slot : g_freed.slots) {
        if (slot != kEmpty && slot != kTombstone)
            std::free(reinterpret_cast<void*>(slot));
        slot = kEmpty;
    }
    Counts result = g_counts;
    result.live = result.allocations - result.frees;
    // Blocks still live stay allocated: they belong to whoever leaked them.
    g_live.Clear();
    return result;
}

bool IsLive(const void* block)
{
    return g_tracking && g_live.Contains(AddressOf(block));
}

} // namespace alloc_tracker

void* operator new(std::size_t size)
{
    return Allocate(size);
}
void* operator new[](std::size_t size)
{
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new(size, tag);
}
void operator delete(void* p) noexcept
{
    Release(p);
}
void operator delete[](void* p) noexcept
{
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    Release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    Release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    Release(p);
}
