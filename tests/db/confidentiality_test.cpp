// Who the dates of a file and of each person's relatives make confidential,
// rule by rule, with the cutoff year 1926 (100 years before 2026); the year
// a date value gives; and what the records then show.
#include "db/confidentiality.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "records/person/individual_record.h"
#include "records/person/person_record_fixture.h"

namespace kinfold::test {
namespace {

using States = std::map<std::string, int32_t>;

constexpr int64_t kCutoff = 1926;

std::string Birth(const char* year) { return std::string("1 BIRT\n2 DATE ") + year + "\n"; }
std::string Death(const char* year) { return std::string("1 DEAT\n2 DATE ") + year + "\n"; }

// @P@ is a child of @FP@ (father @FA@, mother @MO@), and married @SP@ in @FS@.
std::string Parents(const std::string& family = "") {
    return "0 @FA@ INDI\n1 FAMS @FP@\n0 @MO@ INDI\n1 FAMS @FP@\n"
           "0 @FP@ FAM\n1 HUSB @FA@\n1 WIFE @MO@\n" +
           family;
}

class ConfidentialityTest : public PersonRecordFixture {
   protected:
    States Decide(const std::string& gedcom) {
        LoadText(gedcom + "0 TRLR\n");
        EXPECT_EQ(db_->put_DefaultConfidentialValue(0), S_OK);
        DecideConfidentiality(Database(), kCutoff);
        States states;
        for (RecordBase* record : Database().IndividualStore())
            states[std::string(record->Id())] =
                static_cast<IndividualEntry*>(record)->ConfidentialState();
        return states;
    }
};

TEST(EvidenceYearTest, NumberAtTheStartOfTheLastWord) {
    const struct {
        const char* date;
        int64_t year;
    } cases[] = {{"1 JAN 1900", 1900},
                 {"ABT 1900", 1900},
                 {"BEF 1900", 1900},
                 {"BET 1900 AND 1910", 1910},
                 {"FROM 1900 TO 1910", 1910},
                 {"12 MAR 1750/51", 1750},
                 {"1900 B.C.", 0},
                 {"1 JAN 850", 0},
                 {"1000", 0},
                 {"1001", 1001},
                 {"", 0},
                 {"(1900)", 0},
                 {" 1900", 1900},
                 {"ABT", 0},
                 {"-1900", 0}};
    for (const auto& c : cases) EXPECT_EQ(EvidenceYear(c.date), c.year) << '"' << c.date << '"';
}

TEST_F(ConfidentialityTest, EachRuleDecides) {
    const struct {
        const char* what;
        std::string gedcom;
        States expected;
    } cases[] = {
        {"born after the cutoff", "0 @P@ INDI\n" + Birth("1927"), {{"@P@", 1}}},
        {"born in the cutoff year", "0 @P@ INDI\n" + Birth("1926"), {{"@P@", 0}}},
        {"died before it", "0 @P@ INDI\n" + Death("1925"), {{"@P@", 0}}},
        {"died in it", "0 @P@ INDI\n" + Death("1926"), {{"@P@", 2}}},
        {"nothing at all", "0 @P@ INDI\n", {{"@P@", 2}}},
        {"a date of no evidence", "0 @P@ INDI\n" + Birth("2000 B.C."), {{"@P@", 2}}},
        {"mother born after 1901",
         "0 @P@ INDI\n1 FAMC @FP@\n" + Parents() + "1 CHIL @P@\n0 @MO@ INDI\n" + Birth("1902"),
         {{"@FA@", 0}, {"@MO@", 0}, {"@P@", 1}}},
        {"father died before it",
         "0 @P@ INDI\n1 FAMC @FP@\n" + Parents("1 CHIL @P@\n") + "0 @FA@ INDI\n" + Death("1925"),
         {{"@FA@", 0}, {"@MO@", 0}, {"@P@", 0}}},
        {"parents married before 1951",
         "0 @P@ INDI\n1 FAMC @FP@\n" + Parents("1 CHIL @P@\n1 MARR\n2 DATE 1950\n"),
         {{"@FA@", 0}, {"@MO@", 0}, {"@P@", 0}}},
        {"parents married in 1951",
         "0 @P@ INDI\n1 FAMC @FP@\n" + Parents("1 CHIL @P@\n1 MARR\n2 DATE 1951\n"),
         {{"@FA@", 2}, {"@MO@", 2}, {"@P@", 1}}},
        {"older sibling born after it",
         "0 @P@ INDI\n1 FAMC @FP@\n0 @SB@ INDI\n1 FAMC @FP@\n" + Birth("1930") +
             Parents("1 CHIL @SB@\n1 CHIL @P@\n"),
         {{"@FA@", 2}, {"@MO@", 2}, {"@P@", 1}, {"@SB@", 1}}},
        {"younger sibling born before it",
         "0 @P@ INDI\n1 FAMC @FP@\n0 @SB@ INDI\n" + Birth("1920") +
             Parents("1 CHIL @P@\n1 CHIL @SB@\n"),
         {{"@FA@", 0}, {"@MO@", 0}, {"@P@", 0}, {"@SB@", 0}}},
        {"first child born after 1941",
         "0 @P@ INDI\n1 FAMS @FS@\n0 @SP@ INDI\n1 FAMS @FS@\n"
         "0 @FS@ FAM\n1 HUSB @P@\n1 WIFE @SP@\n1 CHIL @K1@\n0 @K1@ INDI\n" +
             Birth("1942"),
         {{"@K1@", 1}, {"@P@", 1}, {"@SP@", 1}}},
        {"first child born in 1941",
         "0 @P@ INDI\n1 FAMS @FS@\n0 @SP@ INDI\n1 FAMS @FS@\n"
         "0 @FS@ FAM\n1 HUSB @P@\n1 WIFE @SP@\n1 CHIL @K1@\n0 @K1@ INDI\n" +
             Birth("1941"),
         {{"@K1@", 1}, {"@P@", 2}, {"@SP@", 2}}},
        {"father's sister born before 1876",
         "0 @P@ INDI\n1 FAMC @FP@\n" + Parents("1 CHIL @P@\n") +
             "0 @FA@ INDI\n1 FAMC @FG@\n0 @AU@ INDI\n" + Birth("1875") +
             "0 @FG@ FAM\n1 CHIL @FA@\n1 CHIL @AU@\n",
         {{"@AU@", 0}, {"@FA@", 0}, {"@MO@", 0}, {"@P@", 0}}},
        {"mother's sister's husband born before 1866",
         "0 @P@ INDI\n1 FAMC @FP@\n" + Parents("1 CHIL @P@\n") +
             "0 @MO@ INDI\n1 FAMC @FG@\n0 @AU@ INDI\n1 FAMS @FU@\n"
             "0 @UN@ INDI\n" +
             Birth("1865") +
             "0 @FU@ FAM\n1 HUSB @UN@\n1 WIFE @AU@\n"
             "0 @FG@ FAM\n1 CHIL @MO@\n1 CHIL @AU@\n",
         {{"@AU@", 0}, {"@FA@", 0}, {"@MO@", 0}, {"@P@", 0}, {"@UN@", 0}}},
        {"old climbs to ancestors",
         "0 @P@ INDI\n1 FAMC @FP@\n" + Birth("1800") + Parents("1 CHIL @P@\n"),
         {{"@FA@", 0}, {"@MO@", 0}, {"@P@", 0}}},
        {"recent descends to descendants and their spouses",
         "0 @P@ INDI\n1 FAMS @FS@\n" + Birth("1990") +
             "0 @FS@ FAM\n1 HUSB @P@\n1 CHIL @K1@\n0 @K1@ INDI\n1 FAMS @FK@\n"
             "0 @FK@ FAM\n1 WIFE @K1@\n1 HUSB @SP@\n0 @SP@ INDI\n1 FAMS @FK@\n",
         {{"@K1@", 1}, {"@P@", 1}, {"@SP@", 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Decide(c.gedcom), c.expected);
    }
}

// Through the database's members, with whatever year it is now.
TEST_F(ConfidentialityTest, RecordsShowTheNoticeUntilCleared) {
    LoadText("0 @I1@ INDI\n1 NAME Ann /Young/\n" + Birth("1990") + "0 @I2@ INDI\n" +
             "1 NAME Old /Man/\n" + Birth("1800") + "0 @I3@ INDI\n1 NAME No /Dates/\n0 TRLR\n");
    const LONG years = static_cast<LONG>(CurrentLocalYear() - kCutoff);
    auto shown = [this](const char* id) {
        ComPtr<IGDNameRecord> name;
        ComPtr<IGDFactEventRecord> birth;
        ComPtr<IGDIndividualRecord> person = Individual(id);
        VARIANT_BOOL confidential = 5;
        person->get_Name(name.Out());
        person->get_Birth(birth.Out());
        person->get_Confidential(&confidential);
        return std::to_string(confidential) + " " +
               TextOf(name.get(), &IGDNameRecord::get_FullName) +
               (birth ? ", " + TextOf(birth.get(), &IGDFactEventRecord::get_Date) : "");
    };
    for (int run = 0; run < 2; ++run) {
        ASSERT_EQ(db_->SetConfidentiality(years), S_OK);
        EXPECT_EQ(shown("@I1@"), "-1 Confidential, Confidential");
        EXPECT_EQ(shown("@I2@"), "0 Old Man, 1800");
        EXPECT_EQ(shown("@I3@"), "-1 Confidential");
    }
    ASSERT_EQ(db_->ClearConfidentiality(), S_OK);
    EXPECT_EQ(shown("@I1@"), "0 Ann Young, 1990");
    ASSERT_EQ(db_->put_DefaultConfidentialValue(0), S_OK);
    ASSERT_EQ(db_->SetConfidentiality(years), S_OK);
    EXPECT_EQ(shown("@I3@"), "0 No Dates");
}

}  // namespace
}  // namespace kinfold::test
