// An event's notes and address: the address's telephone lines stand beside
// ADDR under the event, and a confidential event hands out neither.
#include <gtest/gtest.h>

#include "records/person/fact_event_fixture.h"

namespace kinfold::test {
namespace {

class FactEventAddressNotesTest : public FactEventFixture {};

constexpr char kEventsFile[] =
    "0 @I1@ INDI\n"
    "1 BIRT\n2 ADDR 1 High St\n3 CITY Leeds\n3 PHON under-addr\n2 PHON 0113\n"
    "2 NOTE First\n2 NOTE @N1@\n2 SOUR @S1@\n3 NOTE Citation note\n"
    "1 DEAT\n2 DATE 1900\n"
    "0 @N1@ NOTE Second\n0 @S1@ SOUR\n0 TRLR\n";

TEST_F(FactEventAddressNotesTest, AddressSeesThePhoneBesideAddr) {
    LoadText(kEventsFile);
    ComPtr<IGDFactEventRecord> birth = AsHost(IndividualEvent("@I1@", 0));
    ASSERT_TRUE(birth);
    ComPtr<IGDAddressRecord> address;
    ASSERT_EQ(birth->get_Address(address.Out()), S_OK);
    ASSERT_TRUE(address);
    Bstr text;
    ASSERT_EQ(address->get_Phone(text.Out()), S_OK);
    EXPECT_EQ(text.Text(), "0113");
    ASSERT_EQ(address->get_City(text.Out()), S_OK);
    EXPECT_EQ(text.Text(), "Leeds");
}

TEST_F(FactEventAddressNotesTest, NotesAreTheNoteLinesDirectlyUnderTheEvent) {
    LoadText(kEventsFile);
    ComPtr<IGDFactEventRecord> birth = AsHost(IndividualEvent("@I1@", 0));
    ASSERT_TRUE(birth);
    ComPtr<IGDNotes> notes;
    ASSERT_EQ(birth->get_Notes(notes.Out()), S_OK);
    LONG count = -1;
    ASSERT_EQ(notes->get_Count(&count), S_OK);
    EXPECT_EQ(count, 2);  // the citation's note is not the event's
}

TEST_F(FactEventAddressNotesTest, EventWithoutThemAndConfidentialEvent) {
    LoadText(kEventsFile);
    ComPtr<IGDFactEventRecord> death = AsHost(IndividualEvent("@I1@", 1));
    ComPtr<IGDFactEventRecord> birth = AsHost(IndividualEvent("@I1@", 0));
    ASSERT_TRUE(death);
    ASSERT_TRUE(birth);
    ASSERT_EQ(birth->put_Confidential(VARIANT_TRUE), S_OK);
    for (IGDFactEventRecord* event : {death.get(), birth.get()}) {
        ComPtr<IGDAddressRecord> address;
        EXPECT_EQ(event->get_Address(address.Out()), S_OK);
        EXPECT_FALSE(address);
        ComPtr<IGDNotes> notes;
        ASSERT_EQ(event->get_Notes(notes.Out()), S_OK);
        LONG count = -1;
        ASSERT_EQ(notes->get_Count(&count), S_OK);
        EXPECT_EQ(count, 0);
        EXPECT_EQ(event->get_Address(nullptr), E_POINTER);
        EXPECT_EQ(event->get_Notes(nullptr), E_POINTER);
    }
}

}  // namespace
}  // namespace kinfold::test
