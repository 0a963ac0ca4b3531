// The containers of the library (strings, vectors, maps) allocate through the
// global operator new; in this program it asks the fault hook first, so
// that their allocations fail in turn like the pool's, the BSTRs' and the
// SAFEARRAYs'. The hook counts only while a test has scheduled a failure
// around a call into the library.
#include <cstdlib>
#include <new>

#include "platform/fault_injection.h"

namespace {

void* Allocate(std::size_t size) noexcept {
    if (kinfold::fault::AllocationFails()) return nullptr;
    return std::malloc(size != 0 ? size : 1);
}

void* AllocateOrThrow(std::size_t size) {
    void* block = Allocate(size);
    if (block == nullptr) throw std::bad_alloc();
    return block;
}

}  // namespace

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
