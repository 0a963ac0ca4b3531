// Lookups by ID in a sealed store, across the key lengths at which the index
// stops holding a key whole and starts comparing the record's ID.
#include "core/record_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "collections/fake_objects.h"
#include "core/fixed_string.h"

namespace kinfold::test {
namespace {

class RecordStoreTest : public ::testing::Test {
   protected:
    ~RecordStoreTest() override { store_.Clear(); }

    FakeRecordImpl* File(const std::string& id) {
        FakeRecord* record = NewObject<FakeRecordImpl>(id);
        EXPECT_NE(record, nullptr);
        EXPECT_TRUE(store_.Add(record));  // the store takes the only reference
        return record;
    }

    RecordStore store_;
};

// IDs of 3 to 60 bytes, with neighbours that share their first 8, 15 or 16
// bytes or differ only in length, each with lookups that must miss.
TEST_F(RecordStoreTest, FindsEveryKeyLengthAndMissesItsNeighbours) {
    const std::vector<std::string> ids = {"@A@",
                                          "@I1@",
                                          "@I12@",
                                          "@I1234@",
                                          "@I12345@",
                                          "@I123456@",
                                          "@I12345.1@",
                                          "@I12345.2@",
                                          "@I123456789012@",
                                          "@I1234567890123@",
                                          "@I12345678901234@",
                                          "@I12345678901235@",
                                          "@" + std::string(58, 'x') + "@",
                                          "@" + std::string(57, 'x') + "y@"};
    std::vector<FakeRecordImpl*> filed;
    for (const std::string& id : ids) filed.push_back(File(id));
    store_.Seal();

    ASSERT_EQ(store_.Size(), ids.size());
    for (size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(store_.Find(ids[i]), filed[i]) << ids[i];
    for (const char* absent : {"", "@", "@I1", "@I123@", "@I12345.3@", "@I1234567890124@",
                               "@I123456789012345@", "@I12345678901236@", "@I12345.1@@"})
        EXPECT_EQ(store_.Find(absent), nullptr) << absent;
    for (size_t i = 1; i < store_.Size(); ++i)
        EXPECT_LT(store_.At(i - 1)->Id(), store_.At(i)->Id()) << "byte order at " << i;
}

// Of records sharing an ID the last filed stays, whatever the key length.
TEST_F(RecordStoreTest, LastFiledOfEqualIdsStays) {
    const std::string longId = "@" + std::string(30, 'L') + "@";
    File("@S1@");
    File(longId);
    FakeRecordImpl* lastShort = File("@S1@");
    File("@S2@");
    FakeRecordImpl* lastLong = File(longId);
    store_.Seal();

    EXPECT_EQ(store_.Size(), 3u);
    EXPECT_EQ(store_.Find("@S1@"), lastShort);
    EXPECT_EQ(store_.Find(longId), lastLong);
}

// Enough records that probes run into each other and wrap at the table's end.
TEST_F(RecordStoreTest, FindsAllOfManyRecords) {
    std::vector<std::string> ids;
    for (int i = 0; i < 5000; ++i)
        ids.push_back("@I" + std::to_string(i) + (i % 3 == 0 ? std::string(i % 17, '.') : "") +
                      "@");
    std::vector<FakeRecordImpl*> filed;
    for (const std::string& id : ids) filed.push_back(File(id));
    store_.Seal();

    for (size_t i = 0; i < ids.size(); ++i) ASSERT_EQ(store_.Find(ids[i]), filed[i]) << ids[i];
    EXPECT_EQ(store_.Find("@I5000@"), nullptr);
}

TEST_F(RecordStoreTest, CaseBlindSwitchFindsAnyCase) {
    FakeRecordImpl* shortKey = File("@Ab1@");
    FakeRecordImpl* longKey = File("@AbCdEfGhIjKlMnOp@");
    store_.Seal();
    CompareCaseScope caseBlind(0);
    EXPECT_EQ(store_.Find("@aB1@"), shortKey);
    EXPECT_EQ(store_.Find("@ABCDEFGHIJKLMNOP@"), longKey);
}

}  // namespace
}  // namespace kinfold::test
