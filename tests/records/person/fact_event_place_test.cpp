// The place of an event, made from the file at every read, the blank place
// that stands in for a missing one, and the host's Tag slot.
#include "records/person/fact_event_fixture.h"
#include "records/person/place_record.h"
#include "support/host_tag_check.h"

namespace kinfold::test {
namespace {

constexpr std::string_view kFile =
    "0 @I1@ INDI\n"
    "1 BIRT\n"
    "2 DATE 1900\n"
    "2 PLAC Springfield, Ohio\n"
    "3 FORM City, State\n"
    "2 PLAC Shelbyville\n"
    "1 DEAT\n"
    "2 NOTE\n"
    "3 PLAC not the event's\n"
    "0 TRLR\n";

class FactEventPlaceTest : public FactEventFixture {
   protected:
    void SetUp() override { LoadText(kFile); }

    static const GDPlaceRecord& Internal(IGDPlaceRecord* place) {
        return *static_cast<GDPlaceRecord*>(place);
    }
};

TEST_F(FactEventPlaceTest, PlaceIsMadeFromTheFirstPlacLine) {
    ComPtr<IGDFactEventRecord> birth = AsHost(IndividualEvent("@I1@", 0));
    ComPtr<IGDPlaceRecord> place;
    ASSERT_EQ(birth->get_Place(place.Out()), S_OK);
    ASSERT_TRUE(place);
    EXPECT_EQ(Internal(place.get()).Value(), "Springfield, Ohio");
    EXPECT_EQ(Internal(place.get()).GetTag(), "PLAC");
}

TEST_F(FactEventPlaceTest, EveryReadMakesANewPlaceAndReleasesTheHeldOne) {
    ComPtr<IGDFactEventRecord> birth = AsHost(IndividualEvent("@I1@", 0));
    ComPtr<IGDPlaceRecord> first, second;
    ASSERT_EQ(birth->get_Place(first.Out()), S_OK);
    ASSERT_EQ(birth->get_Place(second.Out()), S_OK);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(Internal(first.get()).Position(), Internal(second.get()).Position());

    // The object already in the out-argument belongs to the member now; the
    // guard catches it when it is not released.
    IGDPlaceRecord* held = nullptr;
    ASSERT_EQ(birth->get_Place(&held), S_OK);
    ASSERT_EQ(birth->get_Place(&held), S_OK);
    held->Release();
}

TEST_F(FactEventPlaceTest, MissingPlaceFollowsTheBlankPlacesOption) {
    ComPtr<IGDFactEventRecord> death = AsHost(IndividualEvent("@I1@", 1));
    ComPtr<IGDPlaceRecord> place;
    EXPECT_EQ(death->get_Place(place.Out()), S_OK);
    EXPECT_FALSE(place);

    ASSERT_EQ(db_->put_ReturnBlankPlaces(VARIANT_TRUE), S_OK);
    EXPECT_EQ(death->get_Place(place.Out()), S_OK);
    ComPtr<IGDPlaceRecord> blank;
    Database().BlankPlace()->QueryInterface(IID_IGDPlaceRecord,
                                            reinterpret_cast<void**>(blank.Out()));
    EXPECT_EQ(place.get(), blank.get());
}

TEST_F(FactEventPlaceTest, BlankEventGivesNoPlaceOrTheBlankPlace) {
    ComPtr<IGDFactEventRecord> blank =
        AsHost(static_cast<GDFactEventRecord*>(Database().BlankEvent()));
    ComPtr<IGDPlaceRecord> place;
    EXPECT_EQ(blank->get_Place(place.Out()), S_OK);
    EXPECT_FALSE(place);
    ASSERT_EQ(db_->put_ReturnBlankPlaces(VARIANT_TRUE), S_OK);
    EXPECT_EQ(blank->get_Place(place.Out()), S_OK);
    EXPECT_TRUE(place);
}

TEST_F(FactEventPlaceTest, HostTagHoldsACopyOfWhatWasWritten) {
    ExpectHostTagKeepsACopy(AsHost(IndividualEvent("@I1@", 0)).get());
}

}  // namespace
}  // namespace kinfold::test
