#include "access/pointer_handles.h"

#include <cstdint>
#include <mutex>
#include <new>
#include <vector>

#include "access/module_state.h"

namespace kinfold {
namespace {

std::mutex tableMutex;
// Handle n is slot n - 1; a free slot holds nullptr and its index waits in
// freeSlots for reuse.
std::vector<GDIndividualRecord*> slots;
std::vector<size_t> freeSlots;

}  // namespace

LONG InstanceHandleToken() {
    const uint64_t value = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(ModuleInstance()));
    return static_cast<LONG>(static_cast<uint32_t>(value ^ (value >> 32)));
}

LONG AssignPointerHandle(GDIndividualRecord* individual) {
    std::lock_guard<std::mutex> lock(tableMutex);
    try {
        size_t slot = slots.size();
        if (!freeSlots.empty()) {
            slot = freeSlots.back();
            freeSlots.pop_back();
            slots[slot] = individual;
        } else {
            freeSlots.reserve(slots.size() + 1);
            slots.push_back(individual);
        }
        return static_cast<LONG>(slot + 1);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

GDIndividualRecord* IndividualOfPointerHandle(LONG handle) {
    std::lock_guard<std::mutex> lock(tableMutex);
    if (handle <= 0 || static_cast<size_t>(handle) > slots.size()) return nullptr;
    return slots[static_cast<size_t>(handle) - 1];
}

void ReleasePointerHandle(LONG handle) {
    std::lock_guard<std::mutex> lock(tableMutex);
    if (handle <= 0 || static_cast<size_t>(handle) > slots.size()) return;
    slots[static_cast<size_t>(handle) - 1] = nullptr;
    // There is room for every slot (reserved when it was made), so this
    // cannot throw.
    freeSlots.push_back(static_cast<size_t>(handle) - 1);
}

}  // namespace kinfold
