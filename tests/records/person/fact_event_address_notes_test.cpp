// An event's notes, citations and address: the address's telephone lines
// stand beside ADDR under the event, and a confidential event hands out
// neither notes nor address, but still its citations.
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

// Citations are counted whatever the event's confidentiality says.
TEST_F(FactEventAddressNotesTest, SourcesAreTheCitationsUnderTheEventEvenWhenConfidential) {
    LoadText(kEventsFile);
    ComPtr<IGDFactEventRecord> birth = AsHost(IndividualEvent("@I1@", 0));
    ComPtr<IGDFactEventRecord> death = AsHost(IndividualEvent("@I1@", 1));
    ASSERT_TRUE(birth);
    ASSERT_TRUE(death);
    const struct {
        IGDFactEventRecord* event;
        LONG count;
    } cases[] = {{birth.get(), 1}, {death.get(), 0}};
    for (VARIANT_BOOL confidential : {VARIANT_FALSE, VARIANT_TRUE}) {
        for (const auto& c : cases) {
            ASSERT_EQ(c.event->put_Confidential(confidential), S_OK);
            ComPtr<IGDSources> sources;
            ASSERT_EQ(c.event->get_Sources(sources.Out()), S_OK);
            LONG count = -1;
            ASSERT_EQ(sources->get_Count(&count), S_OK);
            EXPECT_EQ(count, c.count);
        }
    }
    EXPECT_EQ(birth->get_Sources(nullptr), E_POINTER);
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
