// A native host cancels a running load from another thread: the load answers
// False and the database is left as empty as a new one.
#ifndef _WIN32
#include "platform/posix/load_cancel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "support/com_test_support.h"
#include "support/generated_gedcom.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

TEST(LoadCancelTest, CancelFromAnotherThreadEmptiesTheDatabase) {
    LiveObjectGuard guard;
    MessageCapture messages;
    TempFile file(GeneratedGedcom(20000));
    ComPtr<IGEDCOMdb> db = NewDatabase();

    // The request is repeated until the load returns: one made before the
    // load starts is forgotten, so the first few may be lost.
    std::atomic<bool> done{false};
    std::thread canceller([&done] {
        while (!done.load()) {
            CancelLoad();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    const bool loaded = Load(db.get(), file.Path());
    done.store(true);
    canceller.join();

    EXPECT_FALSE(loaded);
    // Cancelled while reading or while linking, the file is not called corrupt.
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(CountOf(db.get(), &IGEDCOMdb::get_Individuals), 0);
    EXPECT_EQ(CountOf(db.get(), &IGEDCOMdb::get_Families), 0);
    // The same database loads the file in full once nobody cancels.
    EXPECT_TRUE(Load(db.get(), file.Path()));
    EXPECT_EQ(CountOf(db.get(), &IGEDCOMdb::get_Individuals), 80000);
}

}  // namespace
}  // namespace kinfold::test
#endif
