// The pool's free lists are per thread: blocks freed on a thread that ends
// must come back to the threads that go on, or every two-thread load would
// leave memory that no later load can use.
#include "core/object_pool.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/worker_thread.h"

namespace kinfold {
namespace {

#if !defined(KINFOLD_SANITIZE)
TEST(ObjectPoolTest, BlocksFreedOnAnEndedThreadAreReusedByTheOthers) {
    constexpr size_t kSize = 40;
    constexpr size_t kBlocks = 64;
    // A block in use keeps the slabs, as a loaded database does.
    void* const kept = ObjectPool::Allocate(kSize);
    std::set<void*> handedOver;
    WorkerThread worker;
    ASSERT_TRUE(worker.Start([&] {
        std::vector<void*> blocks;
        for (size_t i = 0; i < kBlocks; ++i) blocks.push_back(ObjectPool::Allocate(kSize));
        for (void* block : blocks) {
            handedOver.insert(block);
            ObjectPool::Free(block, kSize);
        }
        ObjectPool::HandOverFreeBlocks();
    }));
    worker.Join();
    ASSERT_EQ(handedOver.size(), kBlocks);

    // This thread's own free blocks of the size come first, however many
    // earlier tests left; the handed-over ones follow before any new ones.
    std::vector<void*> taken;
    size_t reused = 0;
    while (reused < kBlocks && taken.size() < 4'000'000) {
        void* block = ObjectPool::Allocate(kSize);
        ASSERT_NE(block, nullptr);
        taken.push_back(block);
        reused += handedOver.count(block);
    }
    for (void* block : taken) ObjectPool::Free(block, kSize);
    ObjectPool::Free(kept, kSize);
    EXPECT_EQ(reused, kBlocks);
}
#endif

}  // namespace
}  // namespace kinfold
