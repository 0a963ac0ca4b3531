// What hangs from an event: its place, made from the file at every read, the
// blank place that stands in for a missing one, and the host's Tag slot; its
// notes, citations and address, whose telephone lines stand beside ADDR under
// the event. A confidential event hands out neither notes nor address, but
// still its citations.
#include <utility>

#include "records/person/fact_event_fixture.h"
#include "records/person/place_record.h"
#include "support/host_tag_check.h"

namespace kinfold::test {
namespace {

constexpr std::string_view kFile =
    "0 @I1@ INDI\n"
    "1 BIRT\n2 DATE 1900\n2 PLAC Springfield, Ohio\n3 FORM City, State\n2 PLAC Shelbyville\n"
    "1 DEAT\n2 NOTE\n3 PLAC not the event's\n"
    "0 TRLR\n";

class FactEventPlaceTest : public FactEventFixture {
   protected:
    void SetUp() override { LoadText(kFile); }

    static const GDPlaceRecord& Internal(IGDPlaceRecord* place) {
        return *static_cast<GDPlaceRecord*>(place);
    }
};

TEST_F(FactEventPlaceTest, PlaceIsMadeFromTheFirstPlacLineAtEveryRead) {
    ComPtr<IGDFactEventRecord> birth = AsHost(IndividualEvent("@I1@", 0));
    ComPtr<IGDPlaceRecord> first, second;
    ASSERT_EQ(birth->get_Place(first.Out()), S_OK);
    ASSERT_EQ(birth->get_Place(second.Out()), S_OK);
    ASSERT_TRUE(first);
    EXPECT_EQ(Internal(first.get()).Value(), "Springfield, Ohio");
    EXPECT_EQ(Internal(first.get()).GetTag(), "PLAC");
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(Internal(first.get()).Position(), Internal(second.get()).Position());

    // The object already in the out-argument belongs to the member now; the
    // guard catches it when it is not released.
    IGDPlaceRecord* held = nullptr;
    ASSERT_EQ(birth->get_Place(&held), S_OK);
    ASSERT_EQ(birth->get_Place(&held), S_OK);
    held->Release();
    ExpectHostTagKeepsACopy(birth.get());
}

// An event without a place line, and the blank event, give no place, or the
// blank place when the option asks for it.
TEST_F(FactEventPlaceTest, MissingPlaceFollowsTheBlankPlacesOption) {
    ComPtr<IGDPlaceRecord> blankPlace;
    Database().BlankPlace()->QueryInterface(IID_IGDPlaceRecord,
                                            reinterpret_cast<void**>(blankPlace.Out()));
    for (GDFactEventRecord* event :
         {IndividualEvent("@I1@", 1), static_cast<GDFactEventRecord*>(Database().BlankEvent())}) {
        ComPtr<IGDFactEventRecord> host = AsHost(event);
        ComPtr<IGDPlaceRecord> place;
        ASSERT_EQ(db_->put_ReturnBlankPlaces(VARIANT_FALSE), S_OK);
        EXPECT_EQ(host->get_Place(place.Out()), S_OK);
        EXPECT_FALSE(place);
        ASSERT_EQ(db_->put_ReturnBlankPlaces(VARIANT_TRUE), S_OK);
        EXPECT_EQ(host->get_Place(place.Out()), S_OK);
        EXPECT_EQ(place.get(), blankPlace.get());
    }
}

constexpr char kEventsFile[] =
    "0 @I1@ INDI\n"
    "1 BIRT\n2 ADDR 1 High St\n3 CITY Leeds\n3 PHON under-addr\n2 PHON 0113\n"
    "2 NOTE First\n2 NOTE @N1@\n2 SOUR @S1@\n3 NOTE Citation note\n"
    "1 DEAT\n2 DATE 1900\n"
    "0 @N1@ NOTE Second\n0 @S1@ SOUR\n0 TRLR\n";

class FactEventAddressNotesTest : public FactEventFixture {
   protected:
    void SetUp() override {
        LoadText(kEventsFile);
        for (auto [event, held] : {std::pair{IndividualEvent("@I1@", 0), &birth_},
                                   std::pair{IndividualEvent("@I1@", 1), &death_}}) {
            ASSERT_NE(event, nullptr);
            ASSERT_EQ(static_cast<RecordBase*>(event)->QueryInterface(IID_IGDFactEventRecord,
                                                                      held->OutVoid()),
                      S_OK);
        }
    }

    ComPtr<IGDFactEventRecord> birth_;
    ComPtr<IGDFactEventRecord> death_;
};

// The citation's note is not the event's.
TEST_F(FactEventAddressNotesTest, AddressSeesThePhoneBesideAddrAndNotesAreDirectlyUnderTheEvent) {
    ComPtr<IGDAddressRecord> address;
    ASSERT_EQ(birth_->get_Address(address.Out()), S_OK);
    ASSERT_TRUE(address);
    EXPECT_EQ(TextOf(address.get(), &IGDAddressRecord::get_Phone), "0113");
    EXPECT_EQ(TextOf(address.get(), &IGDAddressRecord::get_City), "Leeds");
    EXPECT_EQ(CountIn(birth_.get(), &IGDFactEventRecord::get_Notes), 2);
}

// Citations are counted whatever the event's confidentiality says.
TEST_F(FactEventAddressNotesTest, SourcesAreTheCitationsUnderTheEventEvenWhenConfidential) {
    for (VARIANT_BOOL confidential : {VARIANT_FALSE, VARIANT_TRUE}) {
        SCOPED_TRACE(confidential);
        ASSERT_EQ(birth_->put_Confidential(confidential), S_OK);
        ASSERT_EQ(death_->put_Confidential(confidential), S_OK);
        EXPECT_EQ(CountIn(birth_.get(), &IGDFactEventRecord::get_Sources), 1);
        EXPECT_EQ(CountIn(death_.get(), &IGDFactEventRecord::get_Sources), 0);
    }
    EXPECT_EQ(birth_->get_Sources(nullptr), E_POINTER);
}

TEST_F(FactEventAddressNotesTest, EventWithoutThemAndConfidentialEvent) {
    ASSERT_EQ(birth_->put_Confidential(VARIANT_TRUE), S_OK);
    for (IGDFactEventRecord* event : {death_.get(), birth_.get()}) {
        ComPtr<IGDAddressRecord> address;
        EXPECT_EQ(event->get_Address(address.Out()), S_OK);
        EXPECT_FALSE(address);
        EXPECT_EQ(CountIn(event, &IGDFactEventRecord::get_Notes), 0);
        EXPECT_EQ(event->get_Address(nullptr), E_POINTER);
        EXPECT_EQ(event->get_Notes(nullptr), E_POINTER);
    }
}

}  // namespace
}  // namespace kinfold::test
