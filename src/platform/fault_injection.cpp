#include "platform/fault_injection.h"

#if defined(KINFOLD_FAULT_INJECTION)

namespace kinfold::fault {
namespace {

// One countdown per thread, so that hosts on other threads are not hit.
struct Countdown {
    long counted = 0;
    long failAt = 0;
    bool failed = false;

    void Schedule(long nth) {
        counted = 0;
        failAt = nth;
        failed = false;
    }
    bool Next() {
        if (++counted != failAt) return false;
        failed = true;
        return true;
    }
};

thread_local Countdown allocations;
thread_local Countdown reads;
thread_local ReadFault readFault = ReadFault::Nothing;

}  // namespace

bool AllocationFails() noexcept { return allocations.Next(); }

size_t ReadLimit(size_t count) noexcept {
    if (!reads.Next()) return count;
    return readFault == ReadFault::Nothing ? 0 : count / 2;
}

void FailAllocation(long nth) noexcept { allocations.Schedule(nth); }
void FailRead(long nth, ReadFault fault) noexcept {
    reads.Schedule(nth);
    readFault = fault;
}
bool AllocationFailed() noexcept { return allocations.failed; }
bool ReadFailed() noexcept { return reads.failed; }
long AllocationsCounted() noexcept { return allocations.counted; }
long ReadsCounted() noexcept { return reads.counted; }

}  // namespace kinfold::fault

#endif
