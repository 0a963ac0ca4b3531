// Memory for records and the small things they own. A large file makes
// millions of small record objects, texts and lists; carving them from
// slabs, one free list per size, saves the allocator's per-block header and
// most of its time. Blocks go back to the free list of the thread that
// releases them and are reused by later objects. When the last block in use
// anywhere comes back (the host has let go of its last database and of
// everything it made), every slab goes back to the system, so a
// long-running host does not keep the memory of a large file it no longer
// holds.
//
// Sanitizer builds use the ordinary allocator so that use-after-free and
// leaks of objects stay visible.
#pragma once

#include <cstddef>
#include <new>

namespace kinfold {

// Blocks are aligned to kPoolAlignment bytes.
constexpr size_t kPoolAlignment = 8;

class ObjectPool {
   public:
    static void* Allocate(size_t size) noexcept;
    static void Free(void* block, size_t size) noexcept;
    // A thread about to end hands the blocks it freed to the threads that
    // go on, which would otherwise never reuse them.
    static void HandOverFreeBlocks() noexcept;
    // Bytes held in slabs, in use or not.
    static size_t SlabBytes() noexcept;
};

// Class-level allocation from the pool for the final class `Self` (which
// derives from this), created with new (std::nothrow): a failed allocation
// gives null, and a constructor that throws gives its block back.
template <class Self>
struct PoolAllocated {
    static void* operator new(size_t size, const std::nothrow_t&) noexcept {
        return ObjectPool::Allocate(size);
    }
    static void operator delete(void* block, const std::nothrow_t&) noexcept {
        ObjectPool::Free(block, sizeof(Self));
    }
    static void operator delete(void* block, size_t size) noexcept {
        ObjectPool::Free(block, size);
    }
};

// A standard allocator over the pool, for the small lists records keep.
template <class T>
struct PoolAllocator {
    using value_type = T;
    PoolAllocator() = default;
    template <class U>
    PoolAllocator(const PoolAllocator<U>&) noexcept {}
    T* allocate(size_t count) {
        void* block = ObjectPool::Allocate(count * sizeof(T));
        if (block == nullptr) throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* block, size_t count) noexcept { ObjectPool::Free(block, count * sizeof(T)); }
    template <class U>
    bool operator==(const PoolAllocator<U>&) const noexcept {
        return true;
    }
    template <class U>
    bool operator!=(const PoolAllocator<U>&) const noexcept {
        return false;
    }
};

}  // namespace kinfold
