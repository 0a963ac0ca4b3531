// Builds made with KINFOLD_FAULT_INJECTION let a test make one allocation or
// one file read of the library fail, chosen by its order on the calling
// thread, so that every failure path can be walked in turn. In every other
// build the checks are constants and compile to nothing.
#pragma once

#include <cstddef>

namespace kinfold::fault {

#if defined(KINFOLD_FAULT_INJECTION)

// Asked by every allocation of the library: true when this one must fail.
bool AllocationFails() noexcept;
// Asked by every file read for `count` bytes: how many it may deliver.
size_t ReadLimit(size_t count) noexcept;

// What a failing read does: deliver nothing, or only half of what was asked.
enum class ReadFault { Nothing, Half };

// The `nth` allocation (or read) from now on this thread fails; 0 fails none.
// Each call starts the count again.
void FailAllocation(long nth) noexcept;
void FailRead(long nth, ReadFault fault) noexcept;
// Whether the failure scheduled last has happened, and how many allocations
// (or reads) were counted since it was scheduled.
bool AllocationFailed() noexcept;
bool ReadFailed() noexcept;
long AllocationsCounted() noexcept;
long ReadsCounted() noexcept;

#else

constexpr bool AllocationFails() noexcept { return false; }
constexpr size_t ReadLimit(size_t count) noexcept { return count; }

#endif

}  // namespace kinfold::fault
