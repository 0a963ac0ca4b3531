// Which loads run on two threads (one reading lines ahead of the other, then
// both linking): files from a given size on, set for as long as a
// ScopedTwoThreadsFrom lives (process-wide, so only from a test's own thread
// while no other database loads).
#pragma once

#include <cstdint>

#include "core/gedcom_loader.h"

namespace kinfold::test {

class ScopedTwoThreadsFrom {
   public:
    explicit ScopedTwoThreadsFrom(uint32_t bytes) : before_(kinfold::TwoThreadsFrom()) {
        SetTwoThreadsFrom(bytes);
    }
    ~ScopedTwoThreadsFrom() { SetTwoThreadsFrom(before_); }
    ScopedTwoThreadsFrom(const ScopedTwoThreadsFrom&) = delete;
    ScopedTwoThreadsFrom& operator=(const ScopedTwoThreadsFrom&) = delete;

   private:
    uint32_t before_;
};

// Both ways of loading, for tests that must give the same answers in each.
struct LoadingWay {
    const char* name;
    uint32_t twoThreadsFrom;
};
constexpr LoadingWay kLoadingWays[] = {{"one thread", UINT32_MAX}, {"two threads", 0}};

}  // namespace kinfold::test
