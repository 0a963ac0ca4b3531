// The set of records handed to hosts: after any mix of additions and
// removals, clearing reaches exactly the records still listed.
#include "db/handed_out_records.h"

#include <gtest/gtest.h>

#include <vector>

#include "collections/fake_objects.h"

namespace kinfold::test {
namespace {

TEST(HandedOutRecordsTest, DropAllReachesExactlyTheRecordsStillListed) {
    // Removal orders that leave gaps before, inside and after probe runs.
    const struct {
        const char* name;
        int count;
        int removeEvery;
        int removeOffset;
    } cases[] = {
        {"none removed", 300, 0, 0},
        {"every third", 1000, 3, 0},
        {"every other, odd", 1000, 2, 1},
        {"all but a few", 100, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<FakeRecord*> records;
        HandedOutRecords handedOut;
        for (int i = 0; i < c.count; ++i) {
            FakeRecord* record = NewObject<FakeRecordImpl>("@N" + std::to_string(i) + "@");
            record->AddRef();
            record->SetTarget(record);  // cleared by DropReferences
            records.push_back(record);
            ASSERT_TRUE(handedOut.Add(*record));
        }
        FakeRecord* never = NewObject<FakeRecordImpl>("@X@");
        never->AddRef();
        handedOut.Remove(*never);
        std::vector<bool> removed(records.size(), false);
        for (size_t i = 0; c.removeEvery != 0 && i < records.size(); ++i) {
            if ((i + c.removeOffset) % c.removeEvery != 0 || i % 10 == 9) continue;
            handedOut.Remove(*records[i]);
            handedOut.Remove(*records[i]);  // twice: the second finds nothing
            removed[i] = true;
        }
        handedOut.DropAll();
        for (size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i]->Target() == nullptr, !removed[i]) << i;
            records[i]->Release();
        }
        never->Release();
    }
}

}  // namespace
}  // namespace kinfold::test
