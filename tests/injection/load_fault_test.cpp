// Every allocation and every file read of a load fails in turn, on a fresh
// database each time: the load either fails and leaves the database empty,
// or succeeds with what it could read, and in both cases the database is
// sound (it can be walked) and loads the file fully when asked again.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstdio>

#include "access/module_state.h"
#include "db/gedcom_db.h"
#include "injection/fault_fixture.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

constexpr MemberWalker::Limits kQuickWalk{3, 5};

TEST(LoadFaultTest, EveryAllocationAndReadOfALoadCanFail) {
    MessageCapture messages;
    LiveObjectGuard guard;
    for (const Fault& fault : kAllFaults) {
        long points = 0;
        for (const char* file : kFaultFiles) {
            SCOPED_TRACE(std::string(file) + ", " + FaultName(fault));
            const std::string path = CorpusPath(file);
            std::string reference;
            {
                ComPtr<IGEDCOMdb> db = NewDatabase();
                ASSERT_TRUE(Load(db.get(), path));
                reference = Summary(db.get());
            }
            for (long nth = 1;; ++nth) {
                ComPtr<IGEDCOMdb> db = NewDatabase();
                fault.Schedule(nth);
                const bool loaded = Load(db.get(), path);
                const bool happened = fault.Happened();
                fault.Cancel();
                if (!happened) {
                    EXPECT_TRUE(loaded);
                    EXPECT_EQ(Summary(db.get()), reference);
                    break;
                }
                ++points;
                if (!loaded) EXPECT_EQ(Summary(db.get()), kEmptySummary) << "fault " << nth;
                MemberWalker walker(kQuickWalk);
                WalkDatabase(db.get(), walker);
                ASSERT_TRUE(Load(db.get(), path)) << "fault " << nth;
                ASSERT_EQ(Summary(db.get()), reference) << "fault " << nth;
            }
        }
        std::printf("load: %ld points of %s failed\n", points, FaultName(fault));
        EXPECT_GT(points, 0);
    }
}

TEST(LoadFaultTest, EveryAllocationOfADatabaseCanFail) {
    LiveObjectGuard guard;
    for (long nth = 1;; ++nth) {
        IGEDCOMdb* db = reinterpret_cast<IGEDCOMdb*>(0x1);
        fault::FailAllocation(nth);
        const HRESULT hr = CreateDatabase(&db);
        const bool happened = fault::AllocationFailed();
        fault::FailAllocation(0);
        if (!happened) {
            ASSERT_EQ(hr, S_OK);
            db->Release();
            std::printf("database creation: %ld points failed\n", nth - 1);
            break;
        }
        EXPECT_EQ(hr, E_OUTOFMEMORY) << "fault " << nth;
        EXPECT_EQ(db, nullptr) << "fault " << nth;
        EXPECT_EQ(LiveObjectCount(), 0) << "fault " << nth;
    }
}

}  // namespace
}  // namespace kinfold::test

#endif  // _WIN32
