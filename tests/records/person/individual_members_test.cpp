// What an individual answers from its own lines: sex, name, birth and death,
// events with and without a filter, the plain lines, the host tag, and the
// out-argument conventions.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "records/person/person_record_fixture.h"
#include "support/host_tag_check.h"

namespace kinfold::test {
namespace {

using Strings = std::vector<std::string>;

class IndividualMembersTest : public PersonRecordFixture {};

TEST_F(IndividualMembersTest, SexIsTheFirstCharacterOfTheLastSexLine) {
    LoadText(
        "0 @I1@ INDI\n"
        "0 @I2@ INDI\n1 SEX M\n1 SEX F\n"
        "0 @I3@ INDI\n1 SEX female\n"
        "0 @I4@ INDI\n1 SEX\n"
        "0 TRLR\n");
    const struct {
        const char* id;
        std::string sex;
    } cases[] = {
        {"@I1@", "?"},  // no SEX line
        {"@I2@", "F"},  // the second line wins
        {"@I3@", "f"},  // first character, case kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(TextOf(Individual(c.id).get(), &IGDIndividualRecord::get_Sex), c.sex);
    }
    // An empty value keeps the character 0: a one-character string, not an empty one.
    Bstr empty;
    ASSERT_EQ(Individual("@I4@")->get_Sex(empty.Out()), S_OK);
    EXPECT_EQ(SysStringLen(empty.get()), 1u);
    EXPECT_EQ(empty.get()[0], 0);
}

constexpr char kEventsFile[] =
    "0 @I1@ INDI\n1 NAME John /Smith/\n1 NAME Jack /Smith/\n1 CHR\n2 DATE 1899\n"
    "1 BIRT\n2 DATE 1900\n1 DEAT\n2 DATE 1970\n1 BIRT\n2 DATE 1901\n"
    "1 EVEN\n2 TYPE Graduation\n2 DATE 1920\n1 EVEN\n2 DATE 1921\n1 EVEN\n2 TYPE 42\n2 DATE 1922\n"
    "1 DEAT\n2 DATE 1971\n1 OCCU Miller\n1 RESN locked\n1 RFN 77\n1 AFN X-1\n1 RIN 9\n"
    "0 @I2@ INDI\n1 CHR\n2 DATE 1899\n1 BURI\n"
    "0 TRLR\n";

// An out-argument is the caller's earlier value: an interface in it is
// released before the new one is stored (the guard counts a leaked birth).
TEST_F(IndividualMembersTest, BirthAndDeathAreTheFirstOfTheirLines) {
    LoadText(kEventsFile);
    ComPtr<IGDIndividualRecord> person = Individual("@I1@");
    IGDFactEventRecord* event = nullptr;
    ASSERT_EQ(person->get_Birth(&event), S_OK);
    EXPECT_EQ(TextOf(event, &IGDFactEventRecord::get_Date), "1900");
    ASSERT_EQ(person->get_Death(&event), S_OK);
    ComPtr<IGDFactEventRecord> held(event);
    EXPECT_EQ(TextOf(held.get(), &IGDFactEventRecord::get_Date), "1970");
}

// A christening does not stand in for a birth, nor a burial for a death.
TEST_F(IndividualMembersTest, MissingBirthAndDeathFollowTheBlankEventOption) {
    LoadText(kEventsFile);
    ComPtr<IGDIndividualRecord> person = Individual("@I2@");
    using Getter = HRESULT (STDMETHODCALLTYPE IGDIndividualRecord::*)(IGDFactEventRecord**);
    for (Getter member : {&IGDIndividualRecord::get_Birth, &IGDIndividualRecord::get_Death}) {
        ComPtr<IGDFactEventRecord> event;
        ASSERT_EQ(db_->put_ReturnBlankEvents(VARIANT_FALSE), S_OK);
        EXPECT_EQ((person.get()->*member)(event.Out()), S_OK);
        EXPECT_FALSE(event);
        ASSERT_EQ(db_->put_ReturnBlankEvents(VARIANT_TRUE), S_OK);
        EXPECT_EQ((person.get()->*member)(event.Out()), S_OK);
        EXPECT_TRUE(Is(event.get(), Database().BlankEvent()));
    }
}

TEST_F(IndividualMembersTest, NameIsTheFirstNameOrTheBlankName) {
    LoadText(kEventsFile);
    ComPtr<IGDNameRecord> name;
    ASSERT_EQ(Individual("@I1@")->get_Name(name.Out()), S_OK);
    EXPECT_EQ(TextOf(name.get(), &IGDNameRecord::get_GivenName), "John");
    // Names is the live list of them all.
    ComPtr<IGDNames> names;
    ASSERT_EQ(Individual("@I1@")->get_Names(names.Out()), S_OK);
    EXPECT_EQ(CountIn(Individual("@I1@").get(), &IGDIndividualRecord::get_Names), 2);
    ASSERT_EQ(names->get_Item(2, name.Out()), S_OK);
    EXPECT_EQ(TextOf(name.get(), &IGDNameRecord::get_GivenName), "Jack");

    ComPtr<IGDIndividualRecord> nameless = Individual("@I2@");
    EXPECT_EQ(nameless->get_Name(name.Out()), S_OK);  // blank names are on by default
    EXPECT_TRUE(Is(name.get(), Database().BlankName()));
    ASSERT_EQ(db_->put_ReturnBlankNames(VARIANT_FALSE), S_OK);
    EXPECT_EQ(nameless->get_Name(name.Out()), S_OK);
    EXPECT_FALSE(name);
}

TEST_F(IndividualMembersTest, EventsFilterComparesTheTypeAsText) {
    LoadText(kEventsFile);
    ComPtr<IGDIndividualRecord> person = Individual("@I1@");
    VARIANT empty;
    VariantInit(&empty);
    const struct {
        const char* label;
        VARIANT tag;
        Strings events;
    } cases[] = {
        {"omitted",
         Omitted(),
         {"CHR 1899", "BIRT 1900", "DEAT 1970", "BIRT 1901", "EVEN 1920", "EVEN 1921", "EVEN 1922",
          "DEAT 1971"}},
        {"tag", TextVariant("BIRT"), {"BIRT 1900", "BIRT 1901"}},
        {"EVEN with a TYPE is not EVEN", TextVariant("EVEN"), {}},
        {"TYPE value", TextVariant("Graduation"), {"EVEN 1920"}},
        {"empty VARIANT is the empty text", empty, {"EVEN 1921"}},
        {"number converted to text", LongVariant(42), {"EVEN 1922"}},
        {"case matters", TextVariant("birt"), {}},
        {"attributes are not events", TextVariant("OCCU"), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ComPtr<IGDFactEvents> events;
        ASSERT_EQ(person->get_Events(c.tag, events.Out()), S_OK);
        EXPECT_EQ(EventsIn(events.get()), c.events);
    }
    for (const auto& c : cases) VariantClear(const_cast<VARIANT*>(&c.tag));
    // A filter that does not convert returns the conversion's code.
    ComPtr<IGDFactEvents> events;
    EXPECT_EQ(person->get_Events(Null(), events.Out()), DISP_E_TYPEMISMATCH);
    EXPECT_FALSE(events);
}

// Without a filter the collection shows the individual's own events: the
// same objects at every read.
TEST_F(IndividualMembersTest, UnfilteredEventsAreTheRecordsOwn) {
    LoadText(kEventsFile);
    ComPtr<IGDIndividualRecord> person = Individual("@I1@");
    ComPtr<IGDFactEvents> first;
    ComPtr<IGDFactEvents> second;
    ASSERT_EQ(person->get_Events(Omitted(), first.Out()), S_OK);
    VARIANT death = TextVariant("DEAT");
    ASSERT_EQ(person->get_Events(death, second.Out()), S_OK);
    VariantClear(&death);
    ComPtr<IGDFactEventRecord> a;
    ComPtr<IGDFactEventRecord> b;
    ASSERT_EQ(first->get_Item(3, a.Out()), S_OK);
    ASSERT_EQ(second->get_Item(1, b.Out()), S_OK);
    EXPECT_EQ(a.get(), b.get());
}

TEST_F(IndividualMembersTest, PlainLinesAreTheirFirstValue) {
    LoadText(kEventsFile);
    ComPtr<IGDIndividualRecord> person = Individual("@I1@");
    ComPtr<IGDIndividualRecord> bare = Individual("@I2@");
    const struct {
        HRESULT (STDMETHODCALLTYPE IGDIndividualRecord::*member)(BSTR*);
        const char* expected;
    } cases[] = {
        {&IGDIndividualRecord::get_RestrictionNotice, "locked"},
        {&IGDIndividualRecord::get_RecordFileNumber, "77"},
        {&IGDIndividualRecord::get_AncestralFileNumber, "X-1"},
        {&IGDIndividualRecord::get_RecordID, "9"},
        {&IGDIndividualRecord::get_ID, "@I1@"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(TextOf(person.get(), c.member), c.expected);
        if (c.member != &IGDIndividualRecord::get_ID) {
            EXPECT_EQ(TextOf(bare.get(), c.member), "");
        }
    }
}

TEST_F(IndividualMembersTest, TagAndNullOutPointers) {
    LoadText(kEventsFile);
    ComPtr<IGDIndividualRecord> hold = Individual("@I1@");
    ExpectHostTagKeepsACopy(hold.get());
    IGDIndividualRecord* p = hold.get();
    const VARIANT omitted = Omitted();
    VARIANT birth = TextVariant("BIRT");
    const HRESULT results[] = {
        p->get_Name(nullptr),
        p->get_Sex(nullptr),
        p->get_Names(nullptr),
        p->get_Notes(nullptr),
        p->get_Sources(nullptr),
        p->get_SpouseFamilies(nullptr),
        p->get_ChildFamilies(nullptr),
        p->get_Birth(nullptr),
        p->get_Death(nullptr),
        p->get_Attributes(omitted, nullptr),
        p->get_RestrictionNotice(nullptr),
        p->get_Events(omitted, nullptr),
        p->get_Events(birth, nullptr),
        p->get_ParentFamily(nullptr),
        p->get_Father(nullptr),
        p->get_Mother(nullptr),
        p->get_ChildFamilyLinks(nullptr),
        p->get_SpouseFamilyLinks(nullptr),
        p->get_Spouses(nullptr),
        p->get_Confidential(nullptr),
        p->get_Aliases(nullptr),
        p->get_RecordFileNumber(nullptr),
        p->get_AncestralFileNumber(nullptr),
        p->get_RecordID(nullptr),
    };
    VariantClear(&birth);
    for (size_t i = 0; i < std::size(results); ++i) EXPECT_EQ(results[i], E_POINTER) << i;
}

}  // namespace
}  // namespace kinfold::test
