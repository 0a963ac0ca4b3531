// How much memory the process holds, for the benchmarks' figures.
#pragma once

#include <cstddef>

namespace kinfold {

// Resident memory now, and the most the process has held so far, in bytes;
// 0 where the platform does not say.
size_t CurrentResidentBytes();
size_t PeakResidentBytes();

}  // namespace kinfold
