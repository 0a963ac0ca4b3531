// Relatives over one hand-drawn tree:
//
//   FF + FM      MF + MM
//      |            |
//      F     +      M
//             |
//   S1  +     X     +  S2
//       |             |
//    C1   C2          C3
//    |
//    D1
//
// C2's first FAMC family has S2 as its only parent, so C2 has no father.
//
// Files whose links loop: every walk ends, lists each individual at most
// once, and the inference of confidentiality ends too. A file without a
// loop keeps the repeats that two lines to one ancestor give.
#include <gtest/gtest.h>

#include <set>

#include "assistant/assistant_fixture.h"

namespace kinfold::test {
namespace {

constexpr char kTree[] =
    "0 @FF@ INDI\n1 FAMS @PF@\n0 @FM@ INDI\n1 FAMS @PF@\n"
    "0 @MF@ INDI\n1 FAMS @PM@\n0 @MM@ INDI\n1 FAMS @PM@\n"
    "0 @F@ INDI\n1 FAMC @PF@\n1 FAMS @P@\n0 @M@ INDI\n1 FAMC @PM@\n1 FAMS @P@\n"
    "0 @X@ INDI\n1 FAMC @P@\n1 FAMS @X1@\n1 FAMS @X2@\n"
    "0 @S1@ INDI\n1 FAMS @X1@\n0 @S2@ INDI\n1 FAMS @X2@\n"
    "0 @C1@ INDI\n1 FAMC @X1@\n1 FAMS @K1@\n0 @C2@ INDI\n1 FAMC @N@\n1 FAMC @X1@\n"
    "0 @C3@ INDI\n1 FAMC @X2@\n0 @D1@ INDI\n1 FAMC @K1@\n"
    "0 @PF@ FAM\n1 HUSB @FF@\n1 WIFE @FM@\n1 CHIL @F@\n"
    "0 @PM@ FAM\n1 HUSB @MF@\n1 WIFE @MM@\n1 CHIL @M@\n"
    "0 @P@ FAM\n1 HUSB @F@\n1 WIFE @M@\n1 CHIL @X@\n"
    "0 @X1@ FAM\n1 HUSB @X@\n1 WIFE @S1@\n1 CHIL @C1@\n1 CHIL @C2@\n"
    "0 @X2@ FAM\n1 HUSB @X@\n1 WIFE @S2@\n1 CHIL @C3@\n"
    "0 @K1@ FAM\n1 HUSB @C1@\n1 CHIL @D1@\n0 @N@ FAM\n1 WIFE @S2@\n1 CHIL @C2@\n"
    "0 TRLR\n";

class RelativesTest : public AssistantFixture {
   protected:
    void SetUp() override { LoadText(kTree); }

    int Generations(bool ancestors, std::string_view id) {
        int generations = -1;
        ComPtr<IGDIndividualRecord> person = Individual(id);
        const HRESULT hr = ancestors
                               ? assistant_->GenerationsOfAncestors(person.get(), &generations)
                               : assistant_->GenerationsOfDescendants(person.get(), &generations);
        return hr == S_OK ? generations : -2;
    }

    std::string FamilyOf(std::string_view one, std::string_view other) {
        ComPtr<IGDFamilyRecord> family;
        if (assistant_->GetFamilyFromSpouses(Individual(one).get(), Individual(other).get(),
                                             family.Out()) != S_OK)
            return "<failed>";
        return family ? TextOf(family.get(), &IGDFamilyRecord::get_ID) : "none";
    }
};

TEST_F(RelativesTest, EachOrderListsItsLine) {
    const struct {
        gd_RelationalColType type;
        const char* from;
        const char* ancestor;
        Ids expected;
    } cases[] = {
        {gd_relDescendants, "@X@", "", {"@X@", "@C1@", "@D1@", "@C2@", "@C3@"}},
        {gd_relDescendants, "@D1@", "", {"@D1@"}},
        {gd_relAncestors, "@X@", "", {"@X@", "@F@", "@FF@", "@FM@", "@M@", "@MF@", "@MM@"}},
        {gd_relAnc2Desc, "@X@", "@FF@", {"@FF@", "@F@", "@X@"}},
        {gd_relDesc2Anc, "@X@", "@FF@", {"@X@", "@F@", "@FF@"}},
        {gd_relAnc2Desc, "@D1@", "@MM@", {"@MM@", "@M@", "@X@", "@C1@", "@D1@"}},
        {gd_relDesc2Anc, "@X@", "@X@", {"@X@"}},
        {gd_relAnc2Desc, "@X@", "@C1@", {}},
        {gd_relPaternalAnc, "@X@", "", {"@X@", "@F@", "@FF@"}},
        {gd_relPaternalAnc_Reversed, "@X@", "", {"@FF@", "@F@", "@X@"}},
        {gd_relPaternalAnc, "@M@", "", {"@M@", "@MF@"}},
        {gd_relMaternalAnc, "@X@", "", {"@X@", "@M@", "@MM@"}},
        {gd_relMaternalAnc_Reversed, "@D1@", "", {"@D1@"}},
        {gd_relPaternalAnc, "@C2@", "", {"@C2@"}},
        {gd_relAncestors, "@C2@", "", {"@C2@", "@S2@"}},
        {gd_relFamilyRoots, "@X@", "", {"@X@", "@FM@", "@M@", "@MM@"}},
        // The ancestor plays no part outside the two lines.
        {gd_relAncestors,
         "@C3@",
         "@D1@",
         {"@C3@", "@X@", "@F@", "@FF@", "@FM@", "@M@", "@MF@", "@MM@", "@S2@"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.from + " " + c.ancestor);
        EXPECT_EQ(Relatives(c.type, c.from, c.ancestor), c.expected);
    }
}

TEST_F(RelativesTest, MissingOrWrongArgumentsAreRefused) {
    ComPtr<IGDFamilyRecord> family = Family("@P@");
    VARIANT empty;
    VariantInit(&empty);
    const struct {
        const char* what;
        gd_RelationalColType type;
        VARIANT from;
        VARIANT ancestor;
        Ids expected;
    } cases[] = {
        {"no individual", gd_relDescendants, Omitted(), Omitted(), {"0x80070057"}},
        {"line without ancestor",
         gd_relAnc2Desc,
         Arg(Individual("@X@").get()),
         Omitted(),
         {"0x80070057"}},
        {"order 10",
         static_cast<gd_RelationalColType>(10),
         Arg(Individual("@X@").get()),
         Omitted(),
         {"0x80070057"}},
        {"empty is not omitted", gd_relDescendants, empty, Omitted(), {"0x80070057"}},
        {"a family", gd_relDescendants, Arg(family.get()), Omitted(), {"0x80004002"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(IdsOf(assistant_->ExtractRelatives(c.type, c.from, c.ancestor, list_.Out())),
                  c.expected);
        EXPECT_FALSE(list_);
    }
}

TEST_F(RelativesTest, GenerationsAncestryAndSpouses) {
    EXPECT_EQ(Generations(true, "@X@"), 2);
    EXPECT_EQ(Generations(true, "@FF@"), 0);
    EXPECT_EQ(Generations(false, "@X@"), 2);
    EXPECT_EQ(Generations(false, "@C1@"), 1);
    EXPECT_EQ(Generations(false, "@D1@"), 0);
    int untouched = 7;
    EXPECT_EQ(assistant_->GenerationsOfAncestors(nullptr, &untouched), S_OK);
    EXPECT_EQ(untouched, 7);
    EXPECT_EQ(assistant_->GenerationsOfDescendants(Individual("@X@").get(), nullptr), E_POINTER);

    const struct {
        const char* ancestor;
        const char* descendant;
        VARIANT_BOOL expected;
    } ancestry[] = {{"@FF@", "@X@", VARIANT_TRUE},   {"@MM@", "@D1@", VARIANT_TRUE},
                    {"@X@", "@FF@", VARIANT_FALSE},  {"@X@", "@X@", VARIANT_FALSE},
                    {"@S1@", "@C3@", VARIANT_FALSE}, {"", "@X@", VARIANT_FALSE}};
    for (const auto& c : ancestry) {
        VARIANT_BOOL is = 5;
        EXPECT_EQ(assistant_->IsAncestor(Individual(c.ancestor).get(),
                                         Individual(c.descendant).get(), &is),
                  S_OK);
        EXPECT_EQ(is, c.expected) << c.ancestor << " of " << c.descendant;
    }

    EXPECT_EQ(FamilyOf("@X@", "@S1@"), "@X1@");
    EXPECT_EQ(FamilyOf("@S2@", "@X@"), "@X2@");
    EXPECT_EQ(FamilyOf("@C1@", ""), "@K1@");
    EXPECT_EQ(FamilyOf("", "@C1@"), "@K1@");
    EXPECT_EQ(FamilyOf("@X@", ""), "none");
    EXPECT_EQ(FamilyOf("@S1@", "@S2@"), "none");
    EXPECT_EQ(FamilyOf("", ""), "none");
}

TEST_F(RelativesTest, IndividualsOfAnotherDatabaseAreRefused) {
    ComPtr<IGEDCOMdb> other = NewDatabase();
    ASSERT_TRUE(Load(other.get(), file_->Path()));
    ComPtr<IGDIndividualRecord> stranger;
    Bstr id("@X@");
    ASSERT_EQ(other->GetIndividualFromID(id.get(), stranger.Out()), S_OK);
    IGDIndividualRecord* own = Individual("@F@").get();
    int generations = 0;
    VARIANT_BOOL is = VARIANT_TRUE;
    ComPtr<IGDFamilyRecord> family;
    const HRESULT results[] = {
        assistant_->ExtractRelatives(gd_relDescendants, Arg(stranger.get()), Omitted(),
                                     list_.Out()),
        assistant_->ExtractRelatives(gd_relAnc2Desc, Arg(own), Arg(stranger.get()), list_.Out()),
        assistant_->GenerationsOfAncestors(stranger.get(), &generations),
        assistant_->GenerationsOfDescendants(stranger.get(), &generations),
        assistant_->IsAncestor(own, stranger.get(), &is),
        assistant_->GetFamilyFromSpouses(own, stranger.get(), family.Out()),
    };
    for (HRESULT hr : results) EXPECT_EQ(hr, DISP_E_EXCEPTION);
    EXPECT_EQ(ErrorDescription(), "Record not part of this GEDCOM database");
    EXPECT_FALSE(list_);
    EXPECT_FALSE(family);
    EXPECT_EQ(is, VARIANT_FALSE);
}

// Two families, each the other's ancestor.
constexpr char kEachOthersAncestors[] =
    "0 @A@ INDI\n1 FAMC @FB@\n1 FAMS @FA@\n1 BIRT\n2 DATE 1990\n"
    "0 @B@ INDI\n1 FAMC @FA@\n1 FAMS @FB@\n1 DEAT\n2 DATE 1800\n"
    "0 @FA@ FAM\n1 HUSB @A@\n1 CHIL @B@\n0 @FB@ FAM\n1 HUSB @B@\n1 CHIL @A@\n0 TRLR\n";

// Cousins who married: @Z@ reaches @A@ and @B@ through both parents.
constexpr char kCousins[] =
    "0 @A@ INDI\n1 FAMS @F0@\n0 @B@ INDI\n1 FAMS @F0@\n"
    "0 @P@ INDI\n1 FAMC @F0@\n1 FAMS @FP@\n0 @Q@ INDI\n1 FAMC @F0@\n1 FAMS @FQ@\n"
    "0 @R@ INDI\n1 FAMC @FP@\n1 FAMS @FZ@\n0 @T@ INDI\n1 FAMC @FQ@\n1 FAMS @FZ@\n"
    "0 @Z@ INDI\n1 FAMC @FZ@\n"
    "0 @F0@ FAM\n1 HUSB @A@\n1 WIFE @B@\n1 CHIL @P@\n1 CHIL @Q@\n"
    "0 @FP@ FAM\n1 HUSB @P@\n1 CHIL @R@\n0 @FQ@ FAM\n1 WIFE @Q@\n1 CHIL @T@\n"
    "0 @FZ@ FAM\n1 HUSB @R@\n1 WIFE @T@\n1 CHIL @Z@\n0 TRLR\n";

class CycleTest : public AssistantFixture {
   protected:
    // Runs every order from every individual of the file, to every one.
    void ExpectEveryWalkEndsListingEachOnce() {
        std::vector<std::string> ids;
        for (RecordBase* individual : Database().IndividualStore())
            ids.emplace_back(individual->Id());
        for (const std::string& from : ids) {
            for (const std::string& to : ids) {
                for (int type = gd_relDescendants; type <= gd_relFamilyRoots; ++type) {
                    const Ids listed = Relatives(static_cast<gd_RelationalColType>(type), from, to);
                    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()).size(),
                              listed.size())
                        << "order " << type << " from " << from << " to " << to;
                }
                VARIANT_BOOL is = VARIANT_FALSE;
                EXPECT_EQ(assistant_->IsAncestor(Individual(to).get(), Individual(from).get(), &is),
                          S_OK);
            }
            int generations = -1;
            EXPECT_EQ(assistant_->GenerationsOfAncestors(Individual(from).get(), &generations),
                      S_OK);
            EXPECT_EQ(assistant_->GenerationsOfDescendants(Individual(from).get(), &generations),
                      S_OK);
        }
        EXPECT_EQ(db_->SetConfidentiality(100), S_OK);
    }
};

TEST_F(CycleTest, OwnFatherEndsEveryWalk) {
    LoadText(kOwnFather);
    ExpectEveryWalkEndsListingEachOnce();
    EXPECT_EQ(Relatives(gd_relAncestors, "@L@"), (Ids{"@L@", "@W@"}));
    EXPECT_EQ(Relatives(gd_relDescendants, "@L@"), (Ids{"@L@", "@K@"}));
    EXPECT_EQ(Relatives(gd_relPaternalAnc_Reversed, "@K@"), (Ids{"@L@", "@K@"}));
    VARIANT_BOOL is = VARIANT_FALSE;
    EXPECT_EQ(assistant_->IsAncestor(Individual("@L@").get(), Individual("@L@").get(), &is), S_OK);
    EXPECT_EQ(is, VARIANT_TRUE);
}

TEST_F(CycleTest, FamiliesThatAreEachOthersAncestorsEndEveryWalk) {
    LoadText(kEachOthersAncestors);
    ExpectEveryWalkEndsListingEachOnce();
    EXPECT_EQ(Relatives(gd_relAncestors, "@A@"), (Ids{"@A@", "@B@"}));
    EXPECT_EQ(Relatives(gd_relAnc2Desc, "@A@", "@B@"), (Ids{"@B@", "@A@"}));
    int generations = -1;
    EXPECT_EQ(assistant_->GenerationsOfDescendants(Individual("@B@").get(), &generations), S_OK);
    EXPECT_EQ(generations, 1);
}

TEST_F(CycleTest, CousinsWhoMarriedListTheirCommonAncestorsTwice) {
    LoadText(kCousins);
    EXPECT_EQ(Relatives(gd_relAncestors, "@Z@"),
              (Ids{"@Z@", "@R@", "@P@", "@A@", "@B@", "@T@", "@Q@", "@A@", "@B@"}));
    EXPECT_EQ(Relatives(gd_relDescendants, "@A@"),
              (Ids{"@A@", "@P@", "@R@", "@Z@", "@Q@", "@T@", "@Z@"}));
    EXPECT_EQ(Relatives(gd_relFamilyRoots, "@Z@"), (Ids{"@Z@", "@B@", "@T@", "@Q@", "@B@"}));
    int generations = -1;
    EXPECT_EQ(assistant_->GenerationsOfAncestors(Individual("@Z@").get(), &generations), S_OK);
    EXPECT_EQ(generations, 3);
}

}  // namespace
}  // namespace kinfold::test
