// Memory for automation objects. A large file makes millions of small record
// objects; carving them from slabs, one free list per size, saves the
// allocator's per-block header and most of its time. Blocks go back to the
// free list of the thread that releases them and are reused by later
// objects; slabs are kept for the life of the process.
//
// Sanitizer builds use the ordinary allocator so that use-after-free and
// leaks of objects stay visible.
#pragma once

#include <cstddef>

namespace kinfold {

class ObjectPool {
   public:
    static void* Allocate(size_t size) noexcept;
    static void Free(void* block, size_t size) noexcept;
};

}  // namespace kinfold
