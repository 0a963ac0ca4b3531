#include "core/object_pool.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <new>

#include "platform/fault_injection.h"

namespace kinfold {
namespace {

// Blocks come in steps of eight bytes, aligned to eight: nothing the pool
// holds needs more, and a finer step wastes less of each of millions of
// blocks.
constexpr size_t kGranule = kPoolAlignment;
constexpr size_t kLargestPooled = 512;
constexpr size_t kClasses = kLargestPooled / kGranule;
constexpr size_t kSlabBytes = 64 * 1024;

struct FreeBlock {
    FreeBlock* next;
};

// The first granule of every slab links it into the list of all slabs.
struct Slab {
    Slab* next;
};

std::mutex slabMutex;
Slab* slabs = nullptr;  // guarded by slabMutex
size_t slabCount = 0;   // guarded by slabMutex

// Pooled blocks in use on all threads. Each block counts before a thread
// looks at its lists, and stops counting after it is back on one, so zero
// means every block of every slab is free.
std::atomic<long> blocksInUse{0};
// Raised whenever the slabs are freed: a thread whose lists are older drops
// them unread, since they point into freed slabs.
std::atomic<unsigned> generation{0};

struct ThreadPool {
    FreeBlock* freeLists[kClasses] = {};
    // The last block of each free list, for handing the list over whole.
    FreeBlock* freeTails[kClasses] = {};
    char* slab = nullptr;
    size_t slabLeft = 0;
    unsigned generation = 0;
};

// Reached once per call and passed on: on Windows every reach of a
// thread-local variable is a function call.
thread_local ThreadPool threadPool;

// Free lists handed over by threads that ended (HandOverFreeBlocks), taken
// whole by the next thread whose own list of that size runs out. Changed
// under slabMutex; a list is looked at without it, to see whether there is
// one, since a thread's own list runs out at most allocations of a load.
std::atomic<FreeBlock*> handedOverLists[kClasses] = {};
FreeBlock* handedOverTails[kClasses] = {};

size_t ClassOf(size_t size) { return (size + kGranule - 1) / kGranule - 1; }

#if defined(KINFOLD_SANITIZE)
constexpr bool kPooling = false;
#else
constexpr bool kPooling = true;
#endif

bool Pooled(size_t size) { return kPooling && size != 0 && size <= kLargestPooled; }

void CatchUp(ThreadPool& pool) {
    const unsigned current = generation.load();
    if (pool.generation == current) return;
    pool = ThreadPool{};
    pool.generation = current;
}

// A block stops counting; the last one frees the slabs. Another thread may
// have started to count a block meanwhile: then the generation is raised
// all the same (threads drop their lists, which costs only reuse) but the
// slabs stay.
void StopCounting() {
    if (blocksInUse.fetch_sub(1) != 1) return;
    std::lock_guard<std::mutex> lock(slabMutex);
    generation.fetch_add(1);
    // The lists handed over point into slabs that may go now, and are of a
    // generation that has ended either way.
    for (size_t i = 0; i < kClasses; ++i) {
        handedOverLists[i].store(nullptr);
        handedOverTails[i] = nullptr;
    }
    if (blocksInUse.load() != 0) return;
    while (slabs != nullptr) {
        Slab* next = slabs->next;
        std::free(slabs);
        slabs = next;
    }
    slabCount = 0;
}

bool NewSlab(ThreadPool& pool) {
    auto* slab = static_cast<Slab*>(std::malloc(kSlabBytes));
    if (slab == nullptr) return false;
    {
        std::lock_guard<std::mutex> lock(slabMutex);
        slab->next = slabs;
        slabs = slab;
        ++slabCount;
    }
    pool.slab = reinterpret_cast<char*>(slab) + kGranule;
    pool.slabLeft = kSlabBytes - kGranule;
    return true;
}

// The blocks of class `index` that other threads handed over become this
// thread's free list (which is empty).
void TakeHandedOver(ThreadPool& pool, size_t index) {
    std::lock_guard<std::mutex> lock(slabMutex);
    if (pool.generation != generation.load()) return;
    pool.freeLists[index] = handedOverLists[index].exchange(nullptr);
    pool.freeTails[index] = handedOverTails[index];
    handedOverTails[index] = nullptr;
}

}  // namespace

void ObjectPool::HandOverFreeBlocks() noexcept {
    if (!kPooling) return;
    ThreadPool& pool = threadPool;
    std::lock_guard<std::mutex> lock(slabMutex);
    if (pool.generation == generation.load()) {
        for (size_t i = 0; i < kClasses; ++i) {
            if (pool.freeLists[i] == nullptr) continue;
            FreeBlock* const earlier = handedOverLists[i].load();
            pool.freeTails[i]->next = earlier;
            if (earlier == nullptr) handedOverTails[i] = pool.freeTails[i];
            handedOverLists[i].store(pool.freeLists[i]);
        }
    }
    pool = ThreadPool{};
    pool.generation = generation.load();
}

void* ObjectPool::Allocate(size_t size) noexcept {
    if (fault::AllocationFails()) return nullptr;
    if (!Pooled(size)) return std::malloc(size ? size : 1);
    blocksInUse.fetch_add(1);
    ThreadPool& pool = threadPool;
    CatchUp(pool);
    const size_t index = ClassOf(size);
    if (pool.freeLists[index] == nullptr &&
        handedOverLists[index].load(std::memory_order_relaxed) != nullptr)
        TakeHandedOver(pool, index);
    if (FreeBlock* block = pool.freeLists[index]) {
        pool.freeLists[index] = block->next;
        if (block->next == nullptr) pool.freeTails[index] = nullptr;
        return block;
    }
    const size_t bytes = (index + 1) * kGranule;
    if (pool.slabLeft < bytes && !NewSlab(pool)) {
        StopCounting();
        return nullptr;
    }
    void* block = pool.slab;
    pool.slab += bytes;
    pool.slabLeft -= bytes;
    return block;
}

void ObjectPool::Free(void* block, size_t size) noexcept {
    if (block == nullptr) return;
    if (!Pooled(size)) {
        std::free(block);
        return;
    }
    ThreadPool& pool = threadPool;
    CatchUp(pool);
    const size_t index = ClassOf(size);
    FreeBlock* freed = static_cast<FreeBlock*>(block);
    freed->next = pool.freeLists[index];
    if (freed->next == nullptr) pool.freeTails[index] = freed;
    pool.freeLists[index] = freed;
    StopCounting();
}

size_t ObjectPool::SlabBytes() noexcept {
    std::lock_guard<std::mutex> lock(slabMutex);
    return slabCount * kSlabBytes;
}

}  // namespace kinfold
