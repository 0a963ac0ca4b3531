#include "core/object_pool.h"

#include <cstdlib>
#include <new>

namespace kinfold {
namespace {

constexpr size_t kGranule = 16;
constexpr size_t kLargestPooled = 512;
constexpr size_t kClasses = kLargestPooled / kGranule;
constexpr size_t kSlabBytes = 64 * 1024;

struct FreeBlock {
    FreeBlock* next;
};

struct ThreadPool {
    FreeBlock* freeLists[kClasses] = {};
    char* slab = nullptr;
    size_t slabLeft = 0;
};

thread_local ThreadPool pool;

size_t ClassOf(size_t size) { return (size + kGranule - 1) / kGranule - 1; }

#if defined(KINFOLD_SANITIZE)
constexpr bool kPooling = false;
#else
constexpr bool kPooling = true;
#endif

}  // namespace

void* ObjectPool::Allocate(size_t size) noexcept {
    if (!kPooling || size == 0 || size > kLargestPooled) return std::malloc(size ? size : 1);
    const size_t index = ClassOf(size);
    if (FreeBlock* block = pool.freeLists[index]) {
        pool.freeLists[index] = block->next;
        return block;
    }
    const size_t bytes = (index + 1) * kGranule;
    if (pool.slabLeft < bytes) {
        pool.slab = static_cast<char*>(std::malloc(kSlabBytes));
        if (pool.slab == nullptr) {
            pool.slabLeft = 0;
            return nullptr;
        }
        pool.slabLeft = kSlabBytes;
    }
    void* block = pool.slab;
    pool.slab += bytes;
    pool.slabLeft -= bytes;
    return block;
}

void ObjectPool::Free(void* block, size_t size) noexcept {
    if (block == nullptr) return;
    if (!kPooling || size == 0 || size > kLargestPooled) {
        std::free(block);
        return;
    }
    const size_t index = ClassOf(size);
    FreeBlock* freed = static_cast<FreeBlock*>(block);
    freed->next = pool.freeLists[index];
    pool.freeLists[index] = freed;
}

}  // namespace kinfold
