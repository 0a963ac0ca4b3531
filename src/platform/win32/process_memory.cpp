#include "platform/process_memory.h"

#include <windows.h>
#include <psapi.h>

namespace kinfold {
namespace {

PROCESS_MEMORY_COUNTERS Counters() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        counters = PROCESS_MEMORY_COUNTERS{};
    return counters;
}

}  // namespace

size_t CurrentResidentBytes() { return Counters().WorkingSetSize; }
size_t PeakResidentBytes() { return Counters().PeakWorkingSetSize; }

}  // namespace kinfold
