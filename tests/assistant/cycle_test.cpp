// Files whose links loop: every walk ends, lists each individual at most
// once, and the inference of confidentiality ends too. A file without a
// loop keeps the repeats that two lines to one ancestor give.
#include <gtest/gtest.h>

#include <set>

#include "assistant/assistant_fixture.h"

namespace kinfold::test {
namespace {

// @L@ is a child, and the husband, of his own family.
constexpr char kOwnFather[] =
    "0 @L@ INDI\n1 FAMC @LF@\n1 FAMS @LF@\n0 @W@ INDI\n1 FAMS @LF@\n"
    "0 @K@ INDI\n1 FAMC @LF@\n"
    "0 @LF@ FAM\n1 HUSB @L@\n1 WIFE @W@\n1 CHIL @L@\n1 CHIL @K@\n0 TRLR\n";

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
