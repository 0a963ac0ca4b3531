// What a family answers: its partners and children, the count the file
// states, the marriage and the other events with and without a filter, the
// plain lines, the host tag and the out-argument conventions.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "records/person/person_record_fixture.h"
#include "support/host_tag_check.h"

namespace kinfold::test {
namespace {

using Strings = std::vector<std::string>;

constexpr char kFile[] =
    "0 @I1@ INDI\n0 @I2@ INDI\n0 @I3@ INDI\n0 @I4@ INDI\n0 @I5@ INDI\n0 @F1@ FAM\n1 HUSB @I1@\n"
    "1 WIFE @I2@\n1 HUSB @I5@\n1 CHIL @I4@\n1 CHIL @I3@\n1 NCHI 3\n1 MARR\n2 DATE 1920\n"
    "1 EVEN\n2 TYPE Party\n2 DATE 1921\n1 DIV\n2 DATE 1930\n1 MARR\n2 DATE 1940\n1 RESN locked\n"
    "1 RIN 12\n"
    "0 @F2@ FAM\n1 HUSB @I1@\n1 CHIL @I3@\n1 DIV\n"
    // Pointers of 15 and 16 characters (the longest kept in place and the
    // shortest that is not) and longer ones, on both sides of the link.
    "0 @I123456789ABC@ INDI\n1 FAMS @F_NAMED_AT_MORE_THAN_SIXTEEN@\n0 @I123456789ABCD@ INDI\n"
    "0 @I_A_CHILD_NAMED_AT_LENGTH@ INDI\n1 FAMC @F_NAMED_AT_MORE_THAN_SIXTEEN@\n"
    "0 @F_NAMED_AT_MORE_THAN_SIXTEEN@ FAM\n1 HUSB @I123456789ABC@\n1 WIFE @I123456789ABCD@\n"
    "1 CHIL @I_A_CHILD_NAMED_AT_LENGTH@\n"
    "0 TRLR\n";

class FamilyMembersTest : public PersonRecordFixture {
   protected:
    void SetUp() override { LoadText(kFile); }

    // What a host reads of a family's partners, children, marriage and plain
    // lines, as one text.
    static std::string Describe(IGDFamilyRecord* family) {
        ComPtr<IGDIndividualRecord> husband, wife;
        ComPtr<IGDIndividuals> children;
        ComPtr<IGDFactEventRecord> married;
        if (family->get_Husband(husband.Out()) != S_OK || family->get_Wife(wife.Out()) != S_OK ||
            family->get_Children(children.Out()) != S_OK ||
            family->get_Married(married.Out()) != S_OK)
            return "<failed>";
        std::string text =
            "husband " + IdOf(husband.get()) + ", wife " + IdOf(wife.get()) + ", children";
        for (const std::string& id : IdsIn(children.get())) text += " " + id;
        return text + ", married " +
               (married ? TextOf(married.get(), &IGDFactEventRecord::get_Date) : "none") +
               ", RESN " + TextOf(family, &IGDFamilyRecord::get_RestrictionNotice) + ", RIN " +
               TextOf(family, &IGDFamilyRecord::get_RecordID) + ", ID " +
               TextOf(family, &IGDFamilyRecord::get_ID);
    }
};

// Partners are the last of their lines, the marriage the last MARR, children
// in file order. A missing partner is NULL whatever the blank-name option says
// (no blank individual exists); a missing marriage is NULL while blank events
// are off, as they are by default.
TEST_F(FamilyMembersTest, PartnersChildrenMarriageAndPlainLines) {
    for (VARIANT_BOOL blankNames : {VARIANT_TRUE, VARIANT_FALSE}) {
        ASSERT_EQ(db_->put_ReturnBlankNames(blankNames), S_OK);
        EXPECT_EQ(Describe(Family("@F1@").get()),
                  "husband @I5@, wife @I2@, children @I4@ @I3@, married 1940, RESN locked, RIN 12, "
                  "ID @F1@");
        EXPECT_EQ(Describe(Family("@F2@").get()),
                  "husband @I1@, wife , children @I3@, married none, RESN , RIN , ID @F2@");
        EXPECT_EQ(Describe(Family("@F_NAMED_AT_MORE_THAN_SIXTEEN@").get()),
                  "husband @I123456789ABC@, wife @I123456789ABCD@, children "
                  "@I_A_CHILD_NAMED_AT_LENGTH@, married none, RESN , RIN , ID "
                  "@F_NAMED_AT_MORE_THAN_SIXTEEN@");
    }
    for (const char* id : {"@I123456789ABC@", "@I_A_CHILD_NAMED_AT_LENGTH@"}) {
        ComPtr<IGDFamilyRecord> family;
        EXPECT_EQ(Individual(id)->get_ParentFamily(family.Out()), S_OK);
        ComPtr<IGDFamilies> spouseFamilies;
        ASSERT_EQ(Individual(id)->get_SpouseFamilies(spouseFamilies.Out()), S_OK);
        std::string parentAndSpouses =
            (family ? TextOf(family.get(), &IGDFamilyRecord::get_ID) : "") + "/";
        for (const std::string& spouseFamily : IdsIn(spouseFamilies.get()))
            parentAndSpouses += spouseFamily;
        EXPECT_EQ(parentAndSpouses, std::string(id) == "@I123456789ABC@"
                                        ? "/@F_NAMED_AT_MORE_THAN_SIXTEEN@"
                                        : "@F_NAMED_AT_MORE_THAN_SIXTEEN@/")
            << id;
    }
    ASSERT_EQ(db_->put_ReturnBlankEvents(VARIANT_TRUE), S_OK);
    ComPtr<IGDFactEventRecord> married;
    EXPECT_EQ(Family("@F2@")->get_Married(married.Out()), S_OK);
    EXPECT_TRUE(Is(married.get(), Database().BlankEvent()));
}

TEST_F(FamilyMembersTest, EventsFilterComparesTheTypeAsText) {
    ComPtr<IGDFamilyRecord> family = Family("@F1@");
    const struct {
        const char* label;
        VARIANT tag;
        Strings events;
    } cases[] = {
        {"omitted", Omitted(), {"MARR 1920", "EVEN 1921", "DIV 1930", "MARR 1940"}},
        {"tag", TextVariant("MARR"), {"MARR 1920", "MARR 1940"}},
        {"TYPE value", TextVariant("Party"), {"EVEN 1921"}},
        {"EVEN with a TYPE is not EVEN", TextVariant("EVEN"), {}},
        {"number converted to text", DoubleVariant(1.5), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ComPtr<IGDFactEvents> events;
        ASSERT_EQ(family->get_Events(c.tag, events.Out()), S_OK);
        EXPECT_EQ(EventsIn(events.get()), c.events);
    }
    for (const auto& c : cases) VariantClear(const_cast<VARIANT*>(&c.tag));

    ComPtr<IGDFactEvents> events;
    EXPECT_EQ(family->get_Events(Null(), events.Out()), DISP_E_TYPEMISMATCH);
    EXPECT_FALSE(events);
}

// The count is what the NCHI line says, read the way the C library reads a
// number; the CHIL lines are never counted.
class FamilyCountOfChildrenTest : public PersonRecordFixture {};

TEST_F(FamilyCountOfChildrenTest, ReadsTheNchiLine) {
    const struct {
        const char* nchi;
        LONG count;
    } cases[] = {
        {nullptr, -1},  // no NCHI line, though the family names a child
        {"", -1},      {"3", 3},  {"12 children", 12}, {"twelve", 0},
        {"-2", -2},    {"+7", 7}, {"--1", 0},          {"0", 0},
    };
    std::string file = "0 @I1@ INDI\n";
    for (size_t i = 0; i < std::size(cases); ++i) {
        file += "0 @F" + std::to_string(i) + "@ FAM\n1 CHIL @I1@\n";
        if (cases[i].nchi != nullptr) file += std::string("1 NCHI ") + cases[i].nchi + "\n";
    }
    file += "0 TRLR\n";
    LoadText(file);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].nchi == nullptr ? "none" : cases[i].nchi);
        LONG count = 99;
        EXPECT_EQ(Family("@F" + std::to_string(i) + "@")->get_CountOfChildren(&count), S_OK);
        EXPECT_EQ(count, cases[i].count);
    }
}

TEST_F(FamilyMembersTest, TagAndNullOutPointers) {
    ComPtr<IGDFamilyRecord> family = Family("@F1@");
    ExpectHostTagKeepsACopy(family.get());
    IGDFamilyRecord* f = family.get();
    VARIANT marriage = TextVariant("MARR");
    const HRESULT results[] = {
        f->get_ID(nullptr),
        f->get_Children(nullptr),
        f->get_CountOfChildren(nullptr),
        f->get_Events(Omitted(), nullptr),
        f->get_Events(marriage, nullptr),
        f->get_Husband(nullptr),
        f->get_Wife(nullptr),
        f->get_Notes(nullptr),
        f->get_Married(nullptr),
        f->get_RestrictionNotice(nullptr),
        f->get_Sources(nullptr),
        f->get_RecordID(nullptr),
        f->get_Confidential(nullptr),
    };
    VariantClear(&marriage);
    for (size_t i = 0; i < std::size(results); ++i) EXPECT_EQ(results[i], E_POINTER) << i;
}

}  // namespace
}  // namespace kinfold::test
