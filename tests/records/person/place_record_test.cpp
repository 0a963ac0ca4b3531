// A place made from a PLAC line: its name as written, the lines under it read
// on demand, its variations, the blank place and the host tag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/person/name_place_fixture.h"
#include "support/host_tag_check.h"

namespace kinfold::test {
namespace {

class PlaceRecordTest : public NamePlaceFixture {};

using StringMember = HRESULT (STDMETHODCALLTYPE IGDPlaceRecord::*)(BSTR*);
using PlacesMember = HRESULT (STDMETHODCALLTYPE IGDPlaceRecord::*)(IGDPlaces**);
const StringMember kStringMembers[] = {&IGDPlaceRecord::get_Name, &IGDPlaceRecord::get_Type,
                                       &IGDPlaceRecord::get_Latitude,
                                       &IGDPlaceRecord::get_Longitude, &IGDPlaceRecord::get_Format};

constexpr char kPlacesFile[] =
    "0 @I1@ INDI\n"
    "1 BIRT\n2 DATE 1900\n2 PLAC Cove, Cork, Ireland\n3 FORM Town, County, Country\n3 TYPE parish\n"
    "3 MAP\n4 LATI N51.85\n4 LONG W8.3\n3 NOTE Now Cobh\n3 NOTE @N1@\n3 SOUR @S1@\n"
    "3 SOUR Register\n3 FONE Kov\n4 TYPE guess\n3 ROMN Cobh\n4 TYPE irish\n3 FONE Cobe\n"
    "2 NOTE Not the place's note\n1 DEAT\n2 PLAC Paris\n3 MAP\n4 LONG E2.35\n3 LATI N48.85\n"
    "1 BURI\n2 PLAC\n3 TYPE cemetery\n3 NOTE Unmarked\n"
    "1 CHR\n2 PLAC Nowhere\n3 NOTE @N9@\n3 NOTE After\n"
    "0 @N1@ NOTE Note\n"
    "0 @S1@ SOUR\n0 TRLR\n";

TEST_F(PlaceRecordTest, MembersReadTheLinesUnderThePlace) {
    LoadText(kPlacesFile);
    ComPtr<IGDPlaceRecord> cove(Place("@I1@", "BIRT"));
    ComPtr<IGDPlaceRecord> paris(Place("@I1@", "DEAT"));
    ComPtr<IGDPlaceRecord> unnamed(Place("@I1@", "BURI"));
    ASSERT_TRUE(cove);
    ASSERT_TRUE(paris);
    ASSERT_TRUE(unnamed);
    const struct {
        IGDPlaceRecord* place;
        StringMember member;
        const char* label;
        const char* expected;
    } cases[] = {
        {cove.get(), &IGDPlaceRecord::get_Name, "Name", "Cove, Cork, Ireland"},
        {cove.get(), &IGDPlaceRecord::get_Type, "Type", "parish"},
        {cove.get(), &IGDPlaceRecord::get_Format, "Format", "Town, County, Country"},
        {cove.get(), &IGDPlaceRecord::get_Latitude, "Latitude", "N51.85"},
        {cove.get(), &IGDPlaceRecord::get_Longitude, "Longitude", "W8.3"},
        // Only LONG under MAP; the LATI beside MAP does not count.
        {paris.get(), &IGDPlaceRecord::get_Name, "Name", "Paris"},
        {paris.get(), &IGDPlaceRecord::get_Latitude, "Latitude", ""},
        {paris.get(), &IGDPlaceRecord::get_Longitude, "Longitude", "E2.35"},
        {paris.get(), &IGDPlaceRecord::get_Type, "Type", ""},
        {paris.get(), &IGDPlaceRecord::get_Format, "Format", ""},
        // An empty place line still has its lines read.
        {unnamed.get(), &IGDPlaceRecord::get_Name, "Name", ""},
        {unnamed.get(), &IGDPlaceRecord::get_Type, "Type", "cemetery"},
        {unnamed.get(), &IGDPlaceRecord::get_Latitude, "Latitude", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(TextOf(c.place, c.member), c.expected) << c.label;
    // Notes and citations are those directly under the place.
    EXPECT_EQ(CountIn(cove.get(), &IGDPlaceRecord::get_Notes), 2);
    EXPECT_EQ(CountIn(cove.get(), &IGDPlaceRecord::get_Sources), 2);
    EXPECT_EQ(CountIn(paris.get(), &IGDPlaceRecord::get_Notes), 0);
    EXPECT_EQ(CountIn(paris.get(), &IGDPlaceRecord::get_Sources), 0);
    EXPECT_EQ(CountIn(unnamed.get(), &IGDPlaceRecord::get_Notes), 1);
    EXPECT_TRUE(messages_.Texts().empty());
}

TEST_F(PlaceRecordTest, ADanglingNotePointerEndsTheNotesWithOneMessage) {
    LoadText(kPlacesFile);
    ComPtr<IGDPlaceRecord> nowhere(Place("@I1@", "CHR"));
    EXPECT_EQ(CountIn(nowhere.get(), &IGDPlaceRecord::get_Notes), 0);
    EXPECT_EQ(messages_.Texts(),
              std::vector<std::string>{"ERROR: GEDCOM file is corrupt. Invalid Reference."});
}

TEST_F(PlaceRecordTest, VariationsAndReadsAreNewPlaces) {
    LoadText(kPlacesFile);
    ComPtr<IGDPlaceRecord> cove(Place("@I1@", "BIRT"));
    const struct {
        PlacesMember member;
        const char* label;
        std::vector<std::string> expected;
    } cases[] = {
        {&IGDPlaceRecord::get_PhoneticVariations, "phonetic", {"Kov|guess", "Cobe|"}},
        {&IGDPlaceRecord::get_RomanizedVariations, "romanized", {"Cobh|irish"}},
    };
    for (const auto& c : cases) {
        ComPtr<IGDPlaces> places;
        ASSERT_EQ((cove.get()->*c.member)(places.Out()), S_OK) << c.label;
        LONG count = 0;
        ASSERT_EQ(places->get_Count(&count), S_OK);
        std::vector<std::string> found;
        for (LONG i = 1; i <= count; ++i) {
            ComPtr<IGDPlaceRecord> variation;
            ASSERT_EQ(places->get_Item(i, variation.Out()), S_OK);
            found.push_back(TextOf(variation.get(), &IGDPlaceRecord::get_Name) + "|" +
                            TextOf(variation.get(), &IGDPlaceRecord::get_Type));
        }
        EXPECT_EQ(found, c.expected) << c.label;
    }
    ComPtr<IGDPlaceRecord> paris(Place("@I1@", "DEAT"));
    EXPECT_EQ(CountIn(paris.get(), &IGDPlaceRecord::get_PhoneticVariations), 0);
    EXPECT_EQ(CountIn(paris.get(), &IGDPlaceRecord::get_RomanizedVariations), 0);

    // Two reads of one line give two places with equal contents.
    ComPtr<IGDPlaceRecord> again(Place("@I1@", "BIRT"));
    EXPECT_NE(cove.get(), again.get());
    EXPECT_EQ(TextOf(cove.get(), &IGDPlaceRecord::get_Name),
              TextOf(again.get(), &IGDPlaceRecord::get_Name));
}

TEST_F(PlaceRecordTest, TheBlankPlaceIsEmptyEverywhere) {
    LoadText(kPlacesFile);
    ComPtr<IGDPlaceRecord> blank(QueryFor<IGDPlaceRecord>(Database().BlankPlace()));
    ASSERT_TRUE(blank);
    for (StringMember member : kStringMembers) EXPECT_EQ(TextOf(blank.get(), member), "");
    EXPECT_EQ(CountIn(blank.get(), &IGDPlaceRecord::get_Notes), 0);
    EXPECT_EQ(CountIn(blank.get(), &IGDPlaceRecord::get_Sources), 0);
    EXPECT_EQ(CountIn(blank.get(), &IGDPlaceRecord::get_PhoneticVariations), 0);
    EXPECT_EQ(CountIn(blank.get(), &IGDPlaceRecord::get_RomanizedVariations), 0);
    EXPECT_TRUE(messages_.Texts().empty());
}

TEST_F(PlaceRecordTest, TagAndNullOutPointers) {
    LoadText(kPlacesFile);
    ComPtr<IGDPlaceRecord> place(Place("@I1@", "BIRT"));
    ExpectHostTagKeepsACopy(place.get());
    for (StringMember member : kStringMembers)
        EXPECT_EQ((place.get()->*member)(nullptr), E_POINTER);
    EXPECT_EQ(place->get_Notes(nullptr), E_POINTER);
    EXPECT_EQ(place->get_Sources(nullptr), E_POINTER);
    EXPECT_EQ(place->get_PhoneticVariations(nullptr), E_POINTER);
    EXPECT_EQ(place->get_RomanizedVariations(nullptr), E_POINTER);
}

}  // namespace
}  // namespace kinfold::test
