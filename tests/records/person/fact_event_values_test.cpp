// What an event reads from the lines under it: the plain values, the TYPE
// rules of generic and specific tags, the partners' ages, the associated
// family, the joined text of the event's own line, and the blank event.
// Events are kept from loading as lines and get their objects when a host
// first asks: the object a host gets is the same at every read, carries the
// state the individual gave its events before it was made, keeps what the
// host stored in it, and still answers after the database let go of it.
#include <gtest/gtest.h>

#include "records/person/fact_event_fixture.h"
#include "records/person/first_sub_record.h"
#include "support/scripted_database_test.h"

namespace kinfold::test {
namespace {

constexpr std::string_view kFile =
    "0 HEAD\n1 CHAR ASCII\n"
    "0 @I1@ INDI\n1 NAME John /Smith/\n"
    "1 BIRT\n2 TYPE Home birth\n2 DATE 1 JAN 1900\n2 AGE 0\n2 FAMC @F1@\n3 ADOP BOTH\n"
    "2 RESN locked\n"
    "1 EVEN Walked\n2 CONC the stage\n2 CONT second line\n2 TYPE Graduation\n2 DATE 1918\n"
    "3 TIME 10:00\n2 CAUS Finished school\n2 AGNC University\n2 RELI None\n2 FAMC @F9@\n"
    "1 DEAT Y\n2 NOTE died\n3 DATE not the event's date\n2 CAUS Influenza\n1 EVEN\n"
    "1 FACT Tall\n2 TYPE Height\n1 FAMC @F1@\n"
    "0 @F1@ FAM\n1 CHIL @I1@\n"
    "0 @F2@ FAM\n1 MARR\n2 HUSB\n3 NOTE no age here\n2 WIFE\n3 AGE 24\n2 WIFE\n3 AGE 99\n"
    "1 DIV\n2 HUSB\n3 AGE 41\n3 AGE 42\n"
    "0 TRLR\n";

class FactEventValuesTest : public FactEventFixture {
   protected:
    void SetUp() override { LoadText(kFile); }
};

TEST_F(FactEventValuesTest, StringMembersReadTheLinesUnderTheEvent) {
    using Member = HRESULT (STDMETHODCALLTYPE IGDFactEventRecord::*)(BSTR*);
    struct Case {
        size_t event;
        const char* name;
        Member member;
        const char* expected;
    };
    const Case cases[] = {
        {0, "Date", &IGDFactEventRecord::get_Date, "1 JAN 1900"},
        {0, "Age", &IGDFactEventRecord::get_Age, "0"},
        {0, "RestrictionNotice", &IGDFactEventRecord::get_RestrictionNotice, "locked"},
        {0, "Cause", &IGDFactEventRecord::get_Cause, ""},
        {0, "Data", &IGDFactEventRecord::get_Data, ""},
        {0, "AdoptedByParent", &IGDFactEventRecord::get_AdoptedByParent, "BOTH"},
        {1, "Date", &IGDFactEventRecord::get_Date, "1918"},
        {1, "Cause", &IGDFactEventRecord::get_Cause, "Finished school"},
        {1, "ResponsibleAgency", &IGDFactEventRecord::get_ResponsibleAgency, "University"},
        {1, "ReligiousAffiliation", &IGDFactEventRecord::get_ReligiousAffiliation, "None"},
        {1, "Data", &IGDFactEventRecord::get_Data, "Walked the stage\nsecond line"},
        {1, "AdoptedByParent", &IGDFactEventRecord::get_AdoptedByParent, ""},
        // Lines under a NOTE are not the event's own.
        {2, "Date", &IGDFactEventRecord::get_Date, ""},
        {2, "Cause", &IGDFactEventRecord::get_Cause, "Influenza"},
        {2, "Data", &IGDFactEventRecord::get_Data, "Y"},
        {2, "Age", &IGDFactEventRecord::get_Age, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " of event " + std::to_string(c.event));
        ComPtr<IGDFactEventRecord> event = AsHost(IndividualEvent("@I1@", c.event));
        ASSERT_TRUE(event);
        EXPECT_EQ(TextOf(event.get(), c.member), c.expected);
    }
}

TEST_F(FactEventValuesTest, TypeIsTheTagExceptForGenericEvents) {
    struct Case {
        size_t event;
        const char* gedcomTag;
        const char* type;
        const char* descriptor;
    };
    const Case cases[] = {
        {0, "BIRT", "BIRT", "Home birth"},
        {1, "EVEN", "Graduation", "Graduation"},
        {2, "DEAT", "DEAT", ""},
        {3, "EVEN", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.event);
        ComPtr<IGDFactEventRecord> event = AsHost(IndividualEvent("@I1@", c.event));
        ASSERT_TRUE(event);
        EXPECT_EQ(TextOf(event.get(), &IGDFactEventRecord::get_GEDCOMTag), c.gedcomTag);
        EXPECT_EQ(TextOf(event.get(), &IGDFactEventRecord::get_Type), c.type);
        EXPECT_EQ(TextOf(event.get(), &IGDFactEventRecord::get_Descriptor), c.descriptor);
    }
}

// Attributes are not kept while loading; they are built from their line
// when asked for, as here.
TEST_F(FactEventValuesTest, GenericAttributeIsTypedByItsTypeLine) {
    RecordBase* individual = Database().IndividualStore().Find("@I1@");
    int32_t position = -1;
    ASSERT_TRUE(individual->FindSubTag("FACT", position, false));
    RecordBase* built = nullptr;
    ASSERT_EQ(Database().Loader().ParseSubRecord(&CreateRecordOf<RecordKind::FactEvent>, position,
                                                 &built, nullptr),
              S_OK);
    ComPtr<IGDFactEventRecord> attribute = AsHost(static_cast<GDFactEventRecord*>(built));
    built->Release();
    EXPECT_EQ(TextOf(attribute.get(), &IGDFactEventRecord::get_GEDCOMTag), "FACT");
    EXPECT_EQ(TextOf(attribute.get(), &IGDFactEventRecord::get_Type), "Height");
    EXPECT_EQ(TextOf(attribute.get(), &IGDFactEventRecord::get_Data), "Tall");
}

TEST_F(FactEventValuesTest, PartnerAgesComeFromTheFirstPartnerLineOnly) {
    ComPtr<IGDFactEventRecord> marriage = AsHost(FamilyEvent("@F2@", 0));
    ComPtr<IGDFactEventRecord> divorce = AsHost(FamilyEvent("@F2@", 1));
    ASSERT_TRUE(marriage);
    ASSERT_TRUE(divorce);
    EXPECT_EQ(TextOf(marriage.get(), &IGDFactEventRecord::get_HusbandAge), "");
    EXPECT_EQ(TextOf(marriage.get(), &IGDFactEventRecord::get_WifeAge), "24");
    EXPECT_EQ(TextOf(divorce.get(), &IGDFactEventRecord::get_HusbandAge), "41");
    EXPECT_EQ(TextOf(divorce.get(), &IGDFactEventRecord::get_WifeAge), "");
    // The event's own AGE is not a partner's.
    EXPECT_EQ(TextOf(divorce.get(), &IGDFactEventRecord::get_Age), "");
}

TEST_F(FactEventValuesTest, AssociatedFamilyIsLookedUpByTheFamcPointer) {
    ComPtr<IGDFactEventRecord> birth = AsHost(IndividualEvent("@I1@", 0));
    ComPtr<IGDFamilyRecord> family;
    ASSERT_EQ(birth->get_AssociatedFamily(family.Out()), S_OK);
    ASSERT_TRUE(family);
    ComPtr<IGDFamilyRecord> expected;
    Database().FamilyStore().Find("@F1@")->QueryInterface(IID_IGDFamilyRecord,
                                                          reinterpret_cast<void**>(expected.Out()));
    EXPECT_EQ(family.get(), expected.get());

    // A pointer to no family, and no FAMC line at all, both give NULL.
    for (size_t index : {1u, 2u}) {
        SCOPED_TRACE(index);
        ComPtr<IGDFactEventRecord> event = AsHost(IndividualEvent("@I1@", index));
        ComPtr<IGDFamilyRecord> none;
        EXPECT_EQ(event->get_AssociatedFamily(none.Out()), S_OK);
        EXPECT_FALSE(none);
    }
}

TEST_F(FactEventValuesTest, NullOutPointersAreRefused) {
    ComPtr<IGDFactEventRecord> event = AsHost(IndividualEvent("@I1@", 0));
    using Text = HRESULT (STDMETHODCALLTYPE IGDFactEventRecord::*)(BSTR*);
    for (Text member :
         {&IGDFactEventRecord::get_Date, &IGDFactEventRecord::get_Age,
          &IGDFactEventRecord::get_HusbandAge, &IGDFactEventRecord::get_WifeAge,
          &IGDFactEventRecord::get_Data, &IGDFactEventRecord::get_ResponsibleAgency,
          &IGDFactEventRecord::get_ReligiousAffiliation, &IGDFactEventRecord::get_Cause,
          &IGDFactEventRecord::get_Type, &IGDFactEventRecord::get_GEDCOMTag,
          &IGDFactEventRecord::get_RestrictionNotice, &IGDFactEventRecord::get_Descriptor,
          &IGDFactEventRecord::get_AdoptedByParent}) {
        EXPECT_EQ((event.get()->*member)(nullptr), E_POINTER);
    }
    EXPECT_EQ(event->get_Place(nullptr), E_POINTER);
    EXPECT_EQ(event->get_AssociatedFamily(nullptr), E_POINTER);
    EXPECT_EQ(event->get_Confidential(nullptr), E_POINTER);
    EXPECT_EQ(event->get_Tag(nullptr), E_POINTER);
}

TEST_F(FactEventValuesTest, BlankEventHasNoValues) {
    ComPtr<IGDFactEventRecord> blank =
        AsHost(static_cast<GDFactEventRecord*>(Database().BlankEvent()));
    ASSERT_TRUE(blank);
    using Text = HRESULT (STDMETHODCALLTYPE IGDFactEventRecord::*)(BSTR*);
    for (Text member : {&IGDFactEventRecord::get_Date, &IGDFactEventRecord::get_Age,
                        &IGDFactEventRecord::get_HusbandAge, &IGDFactEventRecord::get_Data,
                        &IGDFactEventRecord::get_Cause, &IGDFactEventRecord::get_Type,
                        &IGDFactEventRecord::get_GEDCOMTag, &IGDFactEventRecord::get_Descriptor,
                        &IGDFactEventRecord::get_AdoptedByParent}) {
        EXPECT_EQ(TextOf(blank.get(), member), "");
    }
    ComPtr<IGDFamilyRecord> family;
    EXPECT_EQ(blank->get_AssociatedFamily(family.Out()), S_OK);
    EXPECT_FALSE(family);
}

constexpr char kLinesFile[] =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 BIRT\n2 DATE 1 JAN 1900\n1 DEAT Y\n1 EVEN\n2 TYPE Voyage\n1 FAMS @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 MARR\n2 DATE 1920\n1 MARR\n2 DATE 1925\n"
    "0 TRLR\n";

class EventLinesTest : public ScriptedDatabaseTest {
   protected:
    void SetUp() override { LoadText(kLinesFile); }

    // The object a path reads, with one reference for the test to adopt.
    IDispatch* Object(const char* path) {
        Variant value;
        EXPECT_EQ(ReadPath(Script(), path, &value), S_OK) << path;
        IDispatch* object = AsObject(value);
        if (object != nullptr) object->AddRef();
        return object;
    }
};

TEST_F(EventLinesTest, EveryReadGivesTheSameObject) {
    ComPtr<IDispatch> birth(Object("Individuals(1).Birth"));
    ComPtr<IDispatch> first(Object("Individuals(1).Events.Item(1)"));
    ComPtr<IDispatch> filtered(Object("Individuals(1).Events(\"BIRT\").Item(1)"));
    EXPECT_EQ(birth.get(), first.get());
    EXPECT_EQ(birth.get(), filtered.get());
    ASSERT_EQ(Put("Individuals(1).Birth", "Tag", TextVariant("kept")), S_OK);
    ExpectTexts({
        {"Individuals(1).Events.Item(1).Tag", "kept"},
        {"Individuals(1).Death.Data", "Y"},
        {"Individuals(1).Events.Item(3).Descriptor", "Voyage"},
        {"Individuals(1).Events(\"Voyage\").Count", "1"},
        // The last MARR line is the marriage.
        {"Families(1).Married.Date", "1925"},
        {"Families(1).Events(\"MARR\").Count", "2"},
    });
}

// A state given before an event's object exists reaches the object made
// after, and one given after reaches the object already made.
TEST_F(EventLinesTest, ConfidentialityReachesEventsMadeBeforeAndAfter) {
    ComPtr<IDispatch> birth(Object("Individuals(1).Birth"));
    ASSERT_EQ(Put("Individuals(1)", "Confidential", LongVariant(-1)), S_OK);
    ExpectTexts({
        {"Individuals(1).Birth.Confidential", "True"},
        {"Individuals(1).Death.Confidential", "True"},
        {"Individuals(1).Death.Date", "Confidential"},
        {"Families(1).Married.Confidential", "True"},
    });
    ASSERT_EQ(Put("Individuals(1)", "Confidential", LongVariant(0)), S_OK);
    EXPECT_EQ(Text("Individuals(1).Events.Item(3).Confidential"), "False");
}

// Events never asked for before the database is cleared still come from a
// held collection, with what was kept in memory (the file is gone for them).
TEST_F(EventLinesTest, HeldEventsAnswerAfterTheDatabaseLetGo) {
    ComPtr<IDispatch> events(Object("Individuals(1).Events"));
    ComPtr<IDispatch> birth(Object("Individuals(1).Birth"));
    ReleaseDatabase();
    EXPECT_EQ(ReadPathText(events.get(), "Count"), "3");
    EXPECT_EQ(ReadPathText(events.get(), "Item(2).Date"), "");
    EXPECT_EQ(ReadPathText(birth.get(), "Date"), "");
}

}  // namespace
}  // namespace kinfold::test
