// Sets the process-wide comparison switch and puts the earlier value back
// however the test leaves the scope.
#pragma once

#include "core/fixed_string.h"

namespace kinfold::test {

class CompareCaseGuard {
   public:
    explicit CompareCaseGuard(int value) : saved_(SetCompareCase(value)) {}
    ~CompareCaseGuard() { SetCompareCase(saved_); }
    CompareCaseGuard(const CompareCaseGuard&) = delete;
    CompareCaseGuard& operator=(const CompareCaseGuard&) = delete;

   private:
    int saved_;
};

}  // namespace kinfold::test
