#pragma once

#include <atomic>
#include <cstdint>

#include "platform/page_memory.h"

// While it lives, counts the allocations of the page allocator and the
// effects' scratch (on every thread) and has them refuse the one chosen,
// counted from 1; 0 refuses none.
class RefusedAllocation {
public:
    RefusedAllocation() {
        refuse(0);
        setAllocationRefusal(refuseTheChosen);
    }
    ~RefusedAllocation() { setAllocationRefusal(nullptr); }
    RefusedAllocation(const RefusedAllocation&) = delete;
    RefusedAllocation& operator=(const RefusedAllocation&) = delete;

    // Starts the count again, with `allocation` the one to refuse.
    void refuse(int64_t allocation) {
        made() = 0;
        chosen() = allocation;
    }
    // The allocations asked for since the count started.
    int64_t count() const { return made(); }

private:
    static std::atomic<int64_t>& made() {
        static std::atomic<int64_t> allocations{0};
        return allocations;
    }
    static std::atomic<int64_t>& chosen() {
        static std::atomic<int64_t> allocation{0};
        return allocation;
    }
    static bool refuseTheChosen() { return ++made() == chosen(); }
};
