// The options of a database: their values on a fresh object, the put/get
// rules of each, and that they survive loads.
#include <gtest/gtest.h>

#include "support/com_test_support.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

class DatabaseOptionsTest : public ::testing::Test {
   protected:
    LiveObjectGuard guard_;  // checked after every other member is gone
    ComPtr<IGEDCOMdb> db_ = NewDatabase();
};

TEST_F(DatabaseOptionsTest, FreshDatabaseHasTheInitialValues) {
    ASSERT_TRUE(db_);
    LONG flags = -1, confidential = -1;
    VARIANT_BOOL concatenate = 0, merge = 0;
    EXPECT_EQ(db_->get_ReturnBlankFlags(&flags), S_OK);
    EXPECT_EQ(flags, 1);
    EXPECT_EQ(db_->get_ConcatenateWithSpace(&concatenate), S_OK);
    EXPECT_EQ(concatenate, VARIANT_TRUE);
    EXPECT_EQ(db_->get_DefaultConfidentialValue(&confidential), S_OK);
    EXPECT_EQ(confidential, 1);
    EXPECT_EQ(db_->get_MergeCitationAndMasterSource(&merge), S_OK);
    EXPECT_EQ(merge, VARIANT_TRUE);

    Bstr notice, format, file;
    EXPECT_EQ(db_->get_ConfidentialNotice(notice.Out()), S_OK);
    EXPECT_EQ(notice.Text(), "Confidential");
    EXPECT_EQ(db_->get_SourceFootnoteFormat(format.Out()), S_OK);
    EXPECT_EQ(format.Text(), "%a%. %t%. %p%. %f%. %R%r%.%C%c%.%C%R");
    EXPECT_EQ(db_->get_FileName(file.Out()), S_OK);
    EXPECT_EQ(file.Text(), "");

    ComPtr<IGDHeaderRecord> header;
    EXPECT_EQ(db_->get_Header(header.Out()), S_OK);
    EXPECT_FALSE(header);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Individuals), 0);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Families), 0);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Sources), 0);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Notes), 0);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Repositories), 0);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Multimedia), 0);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_Submitters), 0);
    EXPECT_EQ(CountOf(db_.get(), &IGEDCOMdb::get_IndEventTypes), 0);
}

TEST_F(DatabaseOptionsTest, ReturnBlankFlagsMapsBitsToTheThreeOptions) {
    struct Case {
        LONG put;
        VARIANT_BOOL names, events, places;
        LONG readBack;
    };
    const Case cases[] = {
        {6, VARIANT_FALSE, VARIANT_TRUE, VARIANT_TRUE, 6},
        {1, VARIANT_TRUE, VARIANT_FALSE, VARIANT_FALSE, 1},
        {7, VARIANT_TRUE, VARIANT_TRUE, VARIANT_TRUE, 7},
        {0, VARIANT_FALSE, VARIANT_FALSE, VARIANT_FALSE, 0},
        // Only the low byte counts; bits above the three are ignored.
        {0x100 | 4, VARIANT_FALSE, VARIANT_FALSE, VARIANT_TRUE, 4},
        {-1, VARIANT_TRUE, VARIANT_TRUE, VARIANT_TRUE, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.put);
        EXPECT_EQ(db_->put_ReturnBlankFlags(c.put), S_OK);
        VARIANT_BOOL names = 1, events = 1, places = 1;
        db_->get_ReturnBlankNames(&names);
        db_->get_ReturnBlankEvents(&events);
        db_->get_ReturnBlankPlaces(&places);
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(places, c.places);
        LONG flags = -1;
        db_->get_ReturnBlankFlags(&flags);
        EXPECT_EQ(flags, c.readBack);
    }

    // The flags are built from the stored values bit by bit: a host that
    // stores 2 as a flag gets it back unchanged, and only its bit 1 shows in
    // the flags (the events bit, not the names bit).
    db_->put_ReturnBlankNames(2);
    db_->put_ReturnBlankEvents(VARIANT_FALSE);
    db_->put_ReturnBlankPlaces(VARIANT_FALSE);
    VARIANT_BOOL names = 0;
    db_->get_ReturnBlankNames(&names);
    EXPECT_EQ(names, 2);
    LONG flags = -1;
    db_->get_ReturnBlankFlags(&flags);
    EXPECT_EQ(flags, 0);
}

TEST_F(DatabaseOptionsTest, NormalisingPuts) {
    LONG confidential = -1;
    db_->put_DefaultConfidentialValue(5);
    db_->get_DefaultConfidentialValue(&confidential);
    EXPECT_EQ(confidential, 1);
    db_->put_DefaultConfidentialValue(0);
    db_->get_DefaultConfidentialValue(&confidential);
    EXPECT_EQ(confidential, 0);

    VARIANT_BOOL merge = 0;
    db_->put_MergeCitationAndMasterSource(2);
    db_->get_MergeCitationAndMasterSource(&merge);
    EXPECT_EQ(merge, VARIANT_TRUE);
    db_->put_MergeCitationAndMasterSource(VARIANT_FALSE);
    db_->get_MergeCitationAndMasterSource(&merge);
    EXPECT_EQ(merge, VARIANT_FALSE);
}

TEST_F(DatabaseOptionsTest, TextOptionsAreStoredUnchanged) {
    Bstr notice("Privé – living person"), read;
    db_->put_ConfidentialNotice(notice.get());
    db_->get_ConfidentialNotice(read.Out());
    EXPECT_EQ(read.Text(), "Privé – living person");
    // A NULL BSTR is the empty text.
    db_->put_SourceFootnoteFormat(nullptr);
    db_->get_SourceFootnoteFormat(read.Out());
    EXPECT_EQ(read.Text(), "");
}

TEST_F(DatabaseOptionsTest, NullOutPointersGiveEPointer) {
    EXPECT_EQ(db_->get_ReturnBlankFlags(nullptr), E_POINTER);
    EXPECT_EQ(db_->get_ReturnBlankNames(nullptr), E_POINTER);
    EXPECT_EQ(db_->get_ConcatenateWithSpace(nullptr), E_POINTER);
    EXPECT_EQ(db_->get_FileName(nullptr), E_POINTER);
    EXPECT_EQ(db_->get_ConfidentialNotice(nullptr), E_POINTER);
    EXPECT_EQ(db_->get_Individuals(nullptr), E_POINTER);
    EXPECT_EQ(db_->get_Header(nullptr), E_POINTER);
    EXPECT_EQ(db_->get_Assistant(nullptr), E_POINTER);
    EXPECT_EQ(db_->LoadGEDCOMFile(nullptr, nullptr), E_POINTER);
    Bstr id("@I1@");
    EXPECT_EQ(db_->GetIndividualFromID(id.get(), nullptr), E_POINTER);
}

TEST_F(DatabaseOptionsTest, ObjectGettersReleaseWhatTheOutArgumentHeld) {
    // The assistant handed out before is released when the out-argument is
    // reused, so the count of live objects does not grow.
    IGDAssistant* assistant = nullptr;
    ASSERT_EQ(db_->get_Assistant(&assistant), S_OK);
    ASSERT_NE(assistant, nullptr);
    IGDAssistant* again = assistant;
    again->AddRef();
    ASSERT_EQ(db_->get_Assistant(&assistant), S_OK);
    EXPECT_EQ(assistant, again);
    EXPECT_EQ(again->Release(), 2u);  // the database's and the out-argument's
    assistant->Release();

    IGDIndividuals* collection = nullptr;
    ASSERT_EQ(db_->get_Individuals(&collection), S_OK);
    const long live = LiveObjectCount();
    ASSERT_EQ(db_->get_Individuals(&collection), S_OK);
    EXPECT_EQ(LiveObjectCount(), live);
    collection->Release();
}

}  // namespace
}  // namespace kinfold::test
