// Keeps score of automation objects across a test: when the guard goes, the
// count of live objects (the one that decides whether the library may be
// unloaded) must be back where it started, so a test that leaks a reference,
// or releases one too many, fails where it happened.
#pragma once

#include <gtest/gtest.h>

#include "access/module_state.h"

namespace kinfold::test {

class LiveObjectGuard {
   public:
    LiveObjectGuard() : start_(LiveObjectCount()) {}
    ~LiveObjectGuard() {
        EXPECT_EQ(LiveObjectCount(), start_) << "automation objects leaked or released too often";
    }
    LiveObjectGuard(const LiveObjectGuard&) = delete;
    LiveObjectGuard& operator=(const LiveObjectGuard&) = delete;

   private:
    long start_;
};

}  // namespace kinfold::test
