// How two individuals are related, over one hand-drawn family:
//
//   GGF + GGM
//       |-------------------.
//   GF + GM                 GU
//    |--------.------.       |
//   DAD + MOM  UNC   AUN    GUC
//    |  \       |            |
//    |   +MOM2  COU          SC
//    |     | \   |
//   ME SIS HSIS SB(MOM2+OTHER)   CC -> CCC
//   |   |
//   |  NEP -> GNI      ME + WIFE: ADO (adopted), FOS (fostered)
//   WIFE's parents WF + WM, her brother WB
//
// plus generated lines: a pedigree of ancestors, and two lines of twenty
// generations below one couple.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assistant/assistant_fixture.h"

namespace kinfold::test {
namespace {

constexpr char kFamily[] =
    "0 @GGF@ INDI\n1 SEX M\n1 FAMS @F11@\n0 @GGM@ INDI\n1 SEX F\n1 FAMS @F11@\n"
    "0 @GF@ INDI\n1 SEX M\n1 FAMC @F11@\n1 FAMS @F1@\n0 @GM@ INDI\n1 SEX F\n1 FAMS @F1@\n"
    "0 @GU@ INDI\n1 SEX M\n1 FAMC @F11@\n1 FAMS @F12@\n"
    "0 @GUC@ INDI\n1 SEX M\n1 FAMC @F12@\n1 FAMS @F13@\n0 @SC@ INDI\n1 SEX M\n1 FAMC @F13@\n"
    "0 @DAD@ INDI\n1 SEX M\n1 FAMC @F1@\n1 FAMS @F2@\n1 FAMS @F3@\n"
    "0 @MOM@ INDI\n1 SEX F\n1 FAMS @F2@\n"
    "0 @MOM2@ INDI\n1 SEX F\n1 FAMS @F3@\n1 FAMS @F14@\n0 @OTHER@ INDI\n1 SEX M\n1 FAMS @F14@\n"
    "0 @UNC@ INDI\n1 SEX M\n1 FAMC @F1@\n1 FAMS @F4@\n0 @AUN@ INDI\n1 SEX F\n1 FAMC @F1@\n"
    "0 @COU@ INDI\n1 SEX M\n1 FAMC @F4@\n1 FAMS @F5@\n"
    "0 @CC@ INDI\n1 SEX F\n1 FAMC @F5@\n1 FAMS @F6@\n0 @CCC@ INDI\n1 SEX M\n1 FAMC @F6@\n"
    "0 @ME@ INDI\n1 SEX M\n1 FAMC @F2@\n1 FAMS @F9@\n"
    "0 @SIS@ INDI\n1 SEX F\n1 FAMC @F2@\n1 FAMS @F7@\n0 @SH@ INDI\n1 SEX M\n1 FAMS @F7@\n"
    "0 @HSIS@ INDI\n1 SEX F\n1 FAMC @F3@\n0 @SB@ INDI\n1 SEX M\n1 FAMC @F14@\n"
    "0 @NEP@ INDI\n1 SEX M\n1 FAMC @F7@\n1 FAMS @F8@\n0 @GNI@ INDI\n1 SEX F\n1 FAMC @F8@\n"
    "0 @WIFE@ INDI\n1 SEX F\n1 FAMC @F10@\n1 FAMS @F9@\n"
    "0 @WF@ INDI\n1 SEX M\n1 FAMS @F10@\n0 @WM@ INDI\n1 SEX F\n1 FAMS @F10@\n"
    "0 @WB@ INDI\n1 SEX M\n1 FAMC @F10@\n"
    "0 @ADO@ INDI\n1 SEX F\n1 FAMC @F9@\n2 PEDI adopted\n"
    "0 @FOS@ INDI\n1 SEX M\n1 FAMC @F9@\n2 PEDI foster\n"
    "0 @LONE@ INDI\n1 SEX F\n"
    "0 @F11@ FAM\n1 HUSB @GGF@\n1 WIFE @GGM@\n1 CHIL @GF@\n1 CHIL @GU@\n"
    "0 @F12@ FAM\n1 HUSB @GU@\n1 CHIL @GUC@\n0 @F13@ FAM\n1 HUSB @GUC@\n1 CHIL @SC@\n"
    "0 @F1@ FAM\n1 HUSB @GF@\n1 WIFE @GM@\n1 CHIL @DAD@\n1 CHIL @UNC@\n1 CHIL @AUN@\n"
    "0 @F2@ FAM\n1 HUSB @DAD@\n1 WIFE @MOM@\n1 CHIL @ME@\n1 CHIL @SIS@\n"
    "0 @F3@ FAM\n1 HUSB @DAD@\n1 WIFE @MOM2@\n1 CHIL @HSIS@\n"
    "0 @F14@ FAM\n1 HUSB @OTHER@\n1 WIFE @MOM2@\n1 CHIL @SB@\n"
    "0 @F4@ FAM\n1 HUSB @UNC@\n1 CHIL @COU@\n0 @F5@ FAM\n1 HUSB @COU@\n1 CHIL @CC@\n"
    "0 @F6@ FAM\n1 WIFE @CC@\n1 CHIL @CCC@\n"
    "0 @F7@ FAM\n1 HUSB @SH@\n1 WIFE @SIS@\n1 CHIL @NEP@\n"
    "0 @F8@ FAM\n1 HUSB @NEP@\n1 CHIL @GNI@\n"
    "0 @F9@ FAM\n1 HUSB @ME@\n1 WIFE @WIFE@\n1 CHIL @ADO@\n1 CHIL @FOS@\n"
    "0 @F10@ FAM\n1 HUSB @WF@\n1 WIFE @WM@\n1 CHIL @WIFE@\n1 CHIL @WB@\n"
    "0 TRLR\n";

// First cousins R and T who married.
constexpr char kCousinsWhoMarried[] =
    "0 @A@ INDI\n1 SEX M\n1 FAMS @F0@\n0 @B@ INDI\n1 SEX F\n1 FAMS @F0@\n"
    "0 @P@ INDI\n1 SEX M\n1 FAMC @F0@\n1 FAMS @FP@\n0 @Q@ INDI\n1 SEX F\n1 FAMC @F0@\n"
    "1 FAMS @FQ@\n0 @R@ INDI\n1 SEX M\n1 FAMC @FP@\n1 FAMS @FZ@\n"
    "0 @T@ INDI\n1 SEX F\n1 FAMC @FQ@\n1 FAMS @FZ@\n"
    "0 @F0@ FAM\n1 HUSB @A@\n1 WIFE @B@\n1 CHIL @P@\n1 CHIL @Q@\n"
    "0 @FP@ FAM\n1 HUSB @P@\n1 CHIL @R@\n0 @FQ@ FAM\n1 WIFE @Q@\n1 CHIL @T@\n"
    "0 @FZ@ FAM\n1 HUSB @R@\n1 WIFE @T@\n0 TRLR\n";

// Two lines of `generations` below the couple @A@ + @B@: @L1@..@Ln@ and
// @R1@..@Rn@, each a son of the one before.
std::string TwoLines(int generations) {
    std::string text = "0 @A@ INDI\n1 SEX M\n1 FAMS @FA@\n0 @B@ INDI\n1 SEX F\n1 FAMS @FA@\n";
    std::string families = "0 @FA@ FAM\n1 HUSB @A@\n1 WIFE @B@\n1 CHIL @L1@\n1 CHIL @R1@\n";
    for (const char side : {'L', 'R'}) {
        for (int i = 1; i <= generations; ++i) {
            const std::string id = side + std::to_string(i);
            text += "0 @" + id + "@ INDI\n1 SEX M\n";
            if (i > 1) text += std::string("1 FAMC @F") + side + std::to_string(i - 1) + "@\n";
            if (i < generations) {
                text += "1 FAMS @F" + id + "@\n";
                families += "0 @F" + id + "@ FAM\n1 HUSB @" + id + "@\n1 CHIL @" +
                            std::string(1, side) + std::to_string(i + 1) + "@\n";
            }
        }
    }
    // The first of each line is a child of the couple.
    const auto first = text.find("0 @L1@ INDI\n1 SEX M\n") + 20;
    text.insert(first, "1 FAMC @FA@\n");
    const auto right = text.find("0 @R1@ INDI\n1 SEX M\n") + 20;
    text.insert(right, "1 FAMC @FA@\n");
    return text + families + "0 TRLR\n";
}

// @P0@ and his fathers @P1@ .. @Pn@.
std::string Pedigree(int generations) {
    std::string text;
    for (int i = 0; i <= generations; ++i) {
        const std::string id = std::to_string(i);
        text += "0 @P" + id + "@ INDI\n1 SEX M\n";
        if (i < generations) text += "1 FAMC @F" + id + "@\n";
        if (i > 0) text += "1 FAMS @F" + std::to_string(i - 1) + "@\n";
    }
    for (int i = 0; i < generations; ++i) {
        const std::string id = std::to_string(i);
        text +=
            "0 @F" + id + "@ FAM\n1 HUSB @P" + std::to_string(i + 1) + "@\n1 CHIL @P" + id + "@\n";
    }
    return text + "0 TRLR\n";
}

// Pedigree collapse: @T@'s father @S@ is a grandson of @A@ + @B@ through @Q@,
// and his mother @U@ a daughter of @R@, their grandson through @P@.
constexpr char kCollapse[] =
    "0 @A@ INDI\n1 SEX M\n1 FAMS @F0@\n0 @B@ INDI\n1 SEX F\n1 FAMS @F0@\n"
    "0 @P@ INDI\n1 SEX M\n1 FAMC @F0@\n1 FAMS @FP@\n0 @Q@ INDI\n1 SEX M\n1 FAMC @F0@\n"
    "1 FAMS @FQ@\n0 @R@ INDI\n1 SEX M\n1 FAMC @FP@\n1 FAMS @FR@\n"
    "0 @S@ INDI\n1 SEX M\n1 FAMC @FQ@\n1 FAMS @FT@\n0 @U@ INDI\n1 SEX F\n1 FAMC @FR@\n"
    "1 FAMS @FT@\n0 @T@ INDI\n1 SEX F\n1 FAMC @FT@\n"
    "0 @F0@ FAM\n1 HUSB @A@\n1 WIFE @B@\n1 CHIL @P@\n1 CHIL @Q@\n"
    "0 @FP@ FAM\n1 HUSB @P@\n1 CHIL @R@\n0 @FQ@ FAM\n1 HUSB @Q@\n1 CHIL @S@\n"
    "0 @FR@ FAM\n1 HUSB @R@\n1 CHIL @U@\n0 @FT@ FAM\n1 HUSB @S@\n1 WIFE @U@\n1 CHIL @T@\n"
    "0 TRLR\n";

class RelationshipTest : public AssistantFixture {
   protected:
    void LoadFamily(std::string_view gedcom) {
        LoadText(gedcom);
        ASSERT_EQ(assistant_->QueryInterface(IID_IGDAssistant2, assistant2_.OutVoid()), S_OK);
    }

    // The relations of `from` to `to`; null when the call fails.
    ComPtr<IGDRelationships> Relations(std::string_view from, std::string_view to) {
        IGDRelationships* found = nullptr;
        EXPECT_EQ(assistant2_->Relationship(Individual(from).get(), Individual(to).get(), &found),
                  S_OK)
            << from << " to " << to;
        return ComPtr<IGDRelationships>(found);
    }

    // "name (kind)" for each relation of `from` to `to`, or the failure.
    std::vector<std::string> Names(const char* from, const char* to) {
        ComPtr<IGDRelationships> found = Relations(from, to);
        if (!found) return {"<failed>"};
        std::vector<std::string> names;
        LONG count = -1;
        EXPECT_EQ(found->get_Count(&count), S_OK);
        for (LONG i = 1; i <= count; ++i) {
            ComPtr<IGDRelationship> relation;
            EXPECT_EQ(found->get_Item(i, relation.Out()), S_OK);
            names.push_back(TextOf(relation.get(), &IGDRelationship::get_Name) + " (" +
                            TextOf(relation.get(), &IGDRelationship::get_Kind) + ")");
        }
        return names;
    }

    // The first relation of `from` to `to`.
    void Closest(const char* from, const char* to, ComPtr<IGDRelationship>& relation) {
        ComPtr<IGDRelationships> found = Relations(from, to);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->get_Item(1, relation.Out()), S_OK);
    }

    Ids CommonAncestors(IGDRelationship* relation) {
        ComPtr<IGDIndividuals> list;
        EXPECT_EQ(relation->get_CommonAncestors(list.Out()), S_OK);
        return IdsIn(list.get());
    }
    Ids Path(IGDRelationship* relation) {
        ComPtr<IGDIndividuals> list;
        EXPECT_EQ(relation->get_Path(list.Out()), S_OK);
        return IdsIn(list.get());
    }

    ComPtr<IGDAssistant2> assistant2_;
};

TEST_F(RelationshipTest, EachKindIsNamed) {
    LoadFamily(kFamily);
    const struct {
        const char* from;
        const char* to;
        std::vector<std::string> expected;
    } cases[] = {
        {"@DAD@", "@ME@", {"father (blood)"}},
        {"@MOM@", "@ME@", {"mother (blood)"}},
        {"@ME@", "@DAD@", {"son (blood)"}},
        {"@SIS@", "@MOM@", {"daughter (blood)"}},
        {"@GF@", "@ME@", {"grandfather (blood)"}},
        {"@GGM@", "@ME@", {"great-grandmother (blood)"}},
        {"@ME@", "@SIS@", {"brother (blood)"}},
        {"@HSIS@", "@ME@", {"half-sister (half)"}},
        {"@UNC@", "@ME@", {"uncle (blood)"}},
        {"@AUN@", "@SIS@", {"aunt (blood)"}},
        {"@GU@", "@ME@", {"great-uncle (blood)"}},
        {"@NEP@", "@ME@", {"nephew (blood)"}},
        {"@GNI@", "@ME@", {"grandniece (blood)"}},
        {"@COU@", "@ME@", {"first cousin (blood)"}},
        {"@CCC@", "@ME@", {"first cousin twice removed (blood)"}},
        {"@ME@", "@CCC@", {"first cousin twice removed (blood)"}},
        {"@CC@", "@SIS@", {"first cousin once removed (blood)"}},
        {"@SC@", "@ME@", {"second cousin (blood)"}},
        {"@ME@", "@WIFE@", {"husband (spouse)"}},
        {"@WIFE@", "@ME@", {"wife (spouse)"}},
        {"@WB@", "@ME@", {"brother-in-law (in-law)"}},
        {"@ME@", "@WB@", {"brother-in-law (in-law)"}},
        {"@SH@", "@ME@", {"brother-in-law (in-law)"}},
        {"@WF@", "@ME@", {"father-in-law (in-law)"}},
        {"@WM@", "@ME@", {"mother-in-law (in-law)"}},
        {"@ME@", "@WF@", {"son-in-law (in-law)"}},
        {"@MOM2@", "@ME@", {"stepmother (step)"}},
        {"@ME@", "@MOM2@", {"stepson (step)"}},
        {"@SB@", "@ME@", {"stepbrother (step)"}},
        {"@SB@", "@HSIS@", {"half-brother (half)"}},
        {"@HSIS@", "@NEP@", {"half-aunt (half)"}},
        {"@NEP@", "@HSIS@", {"half-nephew (half)"}},
        {"@GNI@", "@HSIS@", {"half-grandniece (half)"}},
        {"@HSIS@", "@GNI@", {"half great-aunt (half)"}},
        {"@ME@", "@ADO@", {"adoptive father (adoptive)"}},
        {"@ADO@", "@WIFE@", {"adoptive daughter (adoptive)"}},
        {"@FOS@", "@ME@", {"foster son (foster)"}},
        {"@GF@", "@ADO@", {"adoptive great-grandfather (adoptive)"}},
        {"@LONE@", "@ME@", {}},
        {"@ME@", "@ME@", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Names(c.from, c.to), c.expected) << c.from << " to " << c.to;
}

TEST_F(RelationshipTest, CousinsWhoMarriedAreBoth) {
    LoadFamily(kCousinsWhoMarried);
    EXPECT_EQ(Names("@R@", "@T@"),
              (std::vector<std::string>{"husband (spouse)", "first cousin (blood)"}));
    EXPECT_EQ(Names("@T@", "@R@"),
              (std::vector<std::string>{"wife (spouse)", "first cousin (blood)"}));
}

TEST_F(RelationshipTest, PedigreeCollapseGivesEachLine) {
    LoadFamily(kCollapse);
    EXPECT_EQ(Names("@R@", "@T@"), (std::vector<std::string>{"grandfather (blood)",
                                                             "first cousin once removed (blood)"}));
    EXPECT_EQ(Names("@T@", "@P@"),
              (std::vector<std::string>{"great-granddaughter (blood)", "grandniece (blood)"}));
    ComPtr<IGDRelationships> found = Relations("@R@", "@T@");
    ASSERT_TRUE(found);
    ComPtr<IGDRelationship> cousin;
    ASSERT_EQ(found->get_Item(2, cousin.Out()), S_OK);
    EXPECT_EQ(CommonAncestors(cousin.get()), (Ids{"@A@", "@B@"}));
    EXPECT_EQ(Path(cousin.get()), (Ids{"@R@", "@P@", "@A@", "@Q@", "@S@", "@T@"}));
}

TEST_F(RelationshipTest, CommonAncestorsAndPathFollowTheRelation) {
    LoadFamily(kFamily);
    const struct {
        const char* from;
        const char* to;
        Ids common;
        Ids path;
    } cases[] = {
        {"@COU@", "@ME@", {"@GF@", "@GM@"}, {"@COU@", "@UNC@", "@GF@", "@DAD@", "@ME@"}},
        {"@HSIS@", "@ME@", {"@DAD@"}, {"@HSIS@", "@DAD@", "@ME@"}},
        {"@DAD@", "@ME@", {"@DAD@"}, {"@DAD@", "@ME@"}},
        {"@ME@", "@WIFE@", {"@ME@", "@WIFE@"}, {"@ME@", "@WIFE@"}},
        {"@MOM2@", "@ME@", {"@MOM2@", "@DAD@"}, {"@MOM2@", "@DAD@", "@ME@"}},
        {"@SB@", "@ME@", {"@MOM2@", "@DAD@"}, {"@SB@", "@MOM2@", "@DAD@", "@ME@"}},
        {"@WB@", "@ME@", {"@WIFE@", "@ME@"}, {"@WB@", "@WIFE@", "@ME@"}},
    };
    for (const auto& c : cases) {
        ComPtr<IGDRelationship> relation;
        Closest(c.from, c.to, relation);
        ASSERT_TRUE(relation);
        EXPECT_EQ(CommonAncestors(relation.get()), c.common) << c.from << " to " << c.to;
        EXPECT_EQ(Path(relation.get()), c.path) << c.from << " to " << c.to;
    }
}

TEST_F(RelationshipTest, GreatsAreCountedUpAPedigree) {
    LoadFamily(Pedigree(25));
    const struct {
        const char* from;
        const char* expected;
    } cases[] = {
        {"@P1@", "father"},
        {"@P4@", "second great-grandfather"},
        {"@P5@", "third great-grandfather"},
        {"@P22@", "twentieth great-grandfather"},
        {"@P23@", "21st great-grandfather"},
        {"@P25@", "23rd great-grandfather"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Names(c.from, "@P0@"),
                  std::vector<std::string>{std::string(c.expected) + " (blood)"})
            << c.from;
    EXPECT_EQ(Names("@P0@", "@P5@"), std::vector<std::string>{"third great-grandson (blood)"});
}

TEST_F(RelationshipTest, TwentyGenerationsGiveEveryCousinDegree) {
    LoadFamily(TwoLines(20));
    const struct {
        const char* from;
        const char* to;
        const char* expected;
    } cases[] = {
        {"@L2@", "@R2@", "first cousin"},
        {"@L2@", "@R4@", "first cousin twice removed"},
        {"@L5@", "@R8@", "fourth cousin three times removed"},
        {"@L20@", "@R20@", "nineteenth cousin"},
        {"@L20@", "@R2@", "first cousin 18 times removed"},
        {"@A@", "@L20@", "eighteenth great-grandfather"},
        {"@L1@", "@R20@", "eighteenth great-uncle"},
        {"@R20@", "@L1@", "seventeenth great-grandnephew"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Names(c.from, c.to),
                  std::vector<std::string>{std::string(c.expected) + " (blood)"})
            << c.from << " to " << c.to;
    // Every pair of the two lines meets at the couple: one relation, whose
    // path climbs one line to @A@ and goes down the other.
    for (int i = 1; i <= 20; ++i) {
        for (int j = 1; j <= 20; ++j) {
            const std::string from = "@L" + std::to_string(i) + "@";
            const std::string to = "@R" + std::to_string(j) + "@";
            ComPtr<IGDRelationships> found = Relations(from, to);
            ASSERT_TRUE(found);
            LONG count = 0;
            ASSERT_EQ(found->get_Count(&count), S_OK);
            ASSERT_EQ(count, 1) << from << " to " << to;
            ComPtr<IGDRelationship> relation;
            ASSERT_EQ(found->get_Item(1, relation.Out()), S_OK);
            EXPECT_EQ(CommonAncestors(relation.get()), (Ids{"@A@", "@B@"}));
            EXPECT_EQ(Path(relation.get()).size(), static_cast<size_t>(i + j + 1));
        }
    }
}

// @L@ is a child, and the husband, of his own family; @A@ and @B@ are each
// the other's ancestor.
TEST_F(RelationshipTest, FilesThatLoopEnd) {
    for (const char* text :
         {kOwnFather,
          "0 @L@ INDI\n1 FAMC @FB@\n1 FAMS @FA@\n0 @W@ INDI\n1 FAMC @FA@\n1 FAMS @FB@\n"
          "0 @K@ INDI\n"
          "0 @FA@ FAM\n1 HUSB @L@\n1 CHIL @W@\n0 @FB@ FAM\n1 HUSB @W@\n1 CHIL @L@\n0 TRLR\n"}) {
        LoadFamily(text);
        for (const char* from : {"@L@", "@W@", "@K@"})
            for (const char* to : {"@L@", "@W@", "@K@"})
                EXPECT_NE(Names(from, to), std::vector<std::string>{"<failed>"});
    }
}

TEST_F(RelationshipTest, RelationsOwnTheirObjectsAndTag) {
    LoadFamily(kFamily);
    ComPtr<IGDRelationship> relation;
    Closest("@COU@", "@ME@", relation);
    ComPtr<IGDIndividuals> path;
    ASSERT_EQ(relation->get_Path(path.Out()), S_OK);
    relation.Reset();
    EXPECT_EQ(IdsIn(path.get()), (Ids{"@COU@", "@UNC@", "@GF@", "@DAD@", "@ME@"}));
    Closest("@ME@", "@WIFE@", relation);
    EXPECT_EQ(relation->put_Tag(LongVariant(7)), S_OK);
    VARIANT tag;
    VariantInit(&tag);
    EXPECT_EQ(relation->get_Tag(&tag), S_OK);
    EXPECT_EQ(tag.vt, VT_I4);
    EXPECT_EQ(tag.lVal, 7);
}

TEST_F(RelationshipTest, MissingOutputAndForeignRecordsAreRefused) {
    LoadFamily(kFamily);
    EXPECT_EQ(
        assistant2_->Relationship(Individual("@ME@").get(), Individual("@DAD@").get(), nullptr),
        E_POINTER);
    ComPtr<IGDRelationships> found;
    ASSERT_EQ(assistant2_->Relationship(nullptr, Individual("@DAD@").get(), found.Out()), S_OK);
    LONG count = -1;
    EXPECT_EQ(found->get_Count(&count), S_OK);
    EXPECT_EQ(count, 0);
    ComPtr<IGDRelationship> none;
    EXPECT_EQ(found->get_Item(1, none.Out()), E_FAIL);

    ComPtr<IGEDCOMdb> other = NewDatabase();
    ASSERT_TRUE(Load(other.get(), file_->Path()));
    ComPtr<IGDIndividualRecord> stranger;
    Bstr id("@DAD@");
    ASSERT_EQ(other->GetIndividualFromID(id.get(), stranger.Out()), S_OK);
    EXPECT_EQ(assistant2_->Relationship(Individual("@ME@").get(), stranger.get(), found.Out()),
              DISP_E_EXCEPTION);
    EXPECT_EQ(ErrorDescription(), "Record not part of this GEDCOM database");
    EXPECT_FALSE(found);
}

}  // namespace
}  // namespace kinfold::test
