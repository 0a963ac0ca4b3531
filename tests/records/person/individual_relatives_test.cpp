// The records an individual leads to: families through its links, parents,
// spouses and aliases; and its attributes, made from the file at each read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/person/person_record_fixture.h"

namespace kinfold::test {
namespace {

using Strings = std::vector<std::string>;

constexpr char kFamilyFile[] =
    "0 @I1@ INDI\n1 FAMC @F2@\n2 PEDI adopted\n1 FAMC @F1@\n1 FAMS @F3@\n1 FAMS @F4@\n1 FAMS @F3@\n"
    "0 @I2@ INDI\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 FAMS @F1@\n"
    "0 @I4@ INDI\n1 FAMS @F2@\n"
    "0 @I5@ INDI\n1 FAMS @F3@\n"
    "0 @I6@ INDI\n1 FAMS @F4@\n"
    "0 @I7@ INDI\n1 FAMS @F5@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n1 CHIL @I1@\n"
    "0 @F2@ FAM\n1 WIFE @I4@\n1 CHIL @I1@\n"
    "0 @F3@ FAM\n1 HUSB @I1@\n1 WIFE @I5@\n"
    "0 @F4@ FAM\n1 WIFE @I1@\n1 HUSB @I6@\n"
    "0 @F5@ FAM\n1 HUSB @I7@\n"
    "0 TRLR\n";

class IndividualRelativesTest : public PersonRecordFixture {};

TEST_F(IndividualRelativesTest, FamiliesFollowTheLinksInOrder) {
    LoadText(kFamilyFile);
    ComPtr<IGDIndividualRecord> person = Individual("@I1@");
    ComPtr<IGDFamilies> families;
    ASSERT_EQ(person->get_ChildFamilies(families.Out()), S_OK);
    EXPECT_EQ(IdsIn(families.get()), (Strings{"@F2@", "@F1@"}));
    ASSERT_EQ(person->get_SpouseFamilies(families.Out()), S_OK);
    EXPECT_EQ(IdsIn(families.get()), (Strings{"@F3@", "@F4@", "@F3@"}));

    EXPECT_EQ(CountIn(person.get(), &IGDIndividualRecord::get_ChildFamilyLinks), 2);
    EXPECT_EQ(CountIn(person.get(), &IGDIndividualRecord::get_SpouseFamilyLinks), 3);
}

// The first FAMC line decides, adoptive or not; @I1@'s has no husband, @I2@
// has no child family and so no parents.
TEST_F(IndividualRelativesTest, ParentsComeFromTheFirstChildFamily) {
    LoadText(kFamilyFile);
    const struct {
        const char* id;
        const char* family;
        const char* father;
        const char* mother;
    } cases[] = {{"@I1@", "@F2@", "", "@I4@"}, {"@I2@", "<none>", "", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        ComPtr<IGDIndividualRecord> person = Individual(c.id);
        ComPtr<IGDFamilyRecord> family;
        ComPtr<IGDIndividualRecord> father, mother;
        EXPECT_EQ(person->get_ParentFamily(family.Out()), S_OK);
        EXPECT_EQ(family ? TextOf(family.get(), &IGDFamilyRecord::get_ID) : "<none>", c.family);
        EXPECT_EQ(person->get_Father(father.Out()), S_OK);
        EXPECT_EQ(IdOf(father.get()), c.father);
        EXPECT_EQ(person->get_Mother(mother.Out()), S_OK);
        EXPECT_EQ(IdOf(mother.get()), c.mother);
    }
}

TEST_F(IndividualRelativesTest, SpousesAreTheOtherPartnerOfEachSpouseFamily) {
    LoadText(kFamilyFile);
    const struct {
        const char* id;
        Strings spouses;
    } cases[] = {
        {"@I1@", {"@I5@", "@I6@", "@I5@"}},  // husband, then wife, then the same family again
        {"@I2@", {"@I3@"}},
        {"@I3@", {"@I2@"}},
        {"@I7@", {}},        // husband of a family without a wife
        {"@I4@", {"@I4@"}},  // no husband: the wife is named, though she is the individual
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        ComPtr<IGDIndividuals> spouses;
        ASSERT_EQ(Individual(c.id)->get_Spouses(spouses.Out()), S_OK);
        EXPECT_EQ(IdsIn(spouses.get()), c.spouses);
    }
}

constexpr char kAliasFile[] =
    "0 @I1@ INDI\n1 ALIA @I2@\n1 ALIA @I3@\n1 ALIA @I9@\n1 ALIA @I2@\n"
    "0 @I2@ INDI\n0 @I3@ INDI\n"
    "0 @I4@ INDI\n1 ALIA @I3@\n"
    "0 TRLR\n";

TEST_F(IndividualRelativesTest, AliasesStopAtAPointerThatNamesNoOne) {
    LoadText(kAliasFile);
    ComPtr<IGDIndividuals> aliases;
    ASSERT_EQ(Individual("@I1@")->get_Aliases(aliases.Out()), S_OK);
    EXPECT_EQ(IdsIn(aliases.get()), (Strings{"@I2@", "@I3@"}));
    EXPECT_EQ(messages_.Texts(), Strings{"ERROR: GEDCOM file is corrupt. Invalid Reference."});
    ASSERT_EQ(Individual("@I1@")->get_Aliases(aliases.Out()), S_OK);
    EXPECT_EQ(messages_.Texts().size(), 2u);  // once per read

    ASSERT_EQ(Individual("@I4@")->get_Aliases(aliases.Out()), S_OK);
    EXPECT_EQ(IdsIn(aliases.get()), Strings{"@I3@"});
}

constexpr char kAttributeFile[] =
    "0 @I1@ INDI\n1 OCCU Miller\n2 DATE 1920\n1 BIRT\n2 DATE 1900\n"
    "1 FACT Tall\n2 TYPE Height\n2 DATE 1930\n1 RESI\n2 DATE 1940\n"
    "1 NOTE not an attribute\n2 OCCU nor this\n3 DATE 1\n1 OCCU Baker\n2 DATE 1950\n"
    "0 TRLR\n";

// Attributes are made from the file at each read: new objects every time.
TEST_F(IndividualRelativesTest, AttributesAreTheAttributeLinesInFileOrder) {
    LoadText(kAttributeFile);
    ComPtr<IGDIndividualRecord> person = Individual("@I1@");
    const struct {
        const char* label;
        VARIANT tag;
        Strings attributes;
    } cases[] = {
        {"omitted", Omitted(), {"OCCU 1920", "FACT 1930", "RESI 1940", "OCCU 1950"}},
        {"tag", TextVariant("OCCU"), {"OCCU 1920", "OCCU 1950"}},
        {"FACT by its TYPE", TextVariant("Height"), {"FACT 1930"}},
        {"FACT with a TYPE is not FACT", TextVariant("FACT"), {}},
        {"events are not attributes", TextVariant("BIRT"), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ComPtr<IGDFactEvents> attributes;
        ASSERT_EQ(person->get_Attributes(c.tag, attributes.Out()), S_OK);
        EXPECT_EQ(EventsIn(attributes.get()), c.attributes);
    }
    for (const auto& c : cases) VariantClear(const_cast<VARIANT*>(&c.tag));
    EXPECT_TRUE(messages_.Texts().empty());

    ComPtr<IGDFactEvents> attributes;
    EXPECT_EQ(person->get_Attributes(Null(), attributes.Out()), DISP_E_TYPEMISMATCH);
    EXPECT_FALSE(attributes);

    ComPtr<IGDFactEvents> first;
    ComPtr<IGDFactEvents> second;
    ASSERT_EQ(person->get_Attributes(Omitted(), first.Out()), S_OK);
    ASSERT_EQ(person->get_Attributes(Omitted(), second.Out()), S_OK);
    ComPtr<IGDFactEventRecord> a;
    ComPtr<IGDFactEventRecord> b;
    ASSERT_EQ(first->get_Item(1, a.Out()), S_OK);
    ASSERT_EQ(second->get_Item(1, b.Out()), S_OK);
    EXPECT_NE(a.get(), b.get());
    EXPECT_EQ(TextOf(a.get(), &IGDFactEventRecord::get_Data),
              TextOf(b.get(), &IGDFactEventRecord::get_Data));
}

}  // namespace
}  // namespace kinfold::test
