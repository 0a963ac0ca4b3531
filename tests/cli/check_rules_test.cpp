// The rules of kinfold check, each on a small file written here: which lines
// it blames and for what.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "check/file_check.h"
#include "support/com_test_support.h"
#include "support/temp_file.h"

namespace kinfold::cli {
namespace {

using test::TempFile;

const std::string kHead = "0 HEAD\n1 CHAR UTF-8\n";

struct Blame {
    uint32_t line;
    std::string kind;
    bool corrupt;
    bool operator==(const Blame& other) const {
        return line == other.line && kind == other.kind && corrupt == other.corrupt;
    }
};

std::ostream& operator<<(std::ostream& out, const Blame& blame) {
    return out << "{" << blame.line << ", " << blame.kind << (blame.corrupt ? ", corrupt}" : "}");
}

struct RuleCase {
    const char* name;
    std::string text;
    std::vector<Blame> expected;
};

const RuleCase kCases[] = {
    {"clean family",
     kHead + "0 @I1@ INDI\n1 FAMS @F1@\n0 @I2@ INDI\n1 FAMC @F1@\n"
             "0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I2@\n2 DATE @#DJULIAN@ 1700\n0 TRLR\n",
     {}},
    {"pointer to no record, linked by the loader",
     kHead + "0 @I1@ INDI\n1 FAMS @F9@\n0 TRLR\n",
     {{4, "pointer", true}}},
    {"pointer to no record, read on demand",
     kHead + "0 @I1@ INDI\n1 BIRT\n2 SOUR @S9@\n0 TRLR\n",
     {{5, "pointer", false}}},
    {"family links without a pointer",
     kHead + "0 @I1@ INDI\n1 FAMS F1\n0 @F1@ FAM\n1 CHIL\n0 TRLR\n",
     {{4, "pointer", true}, {6, "pointer", true}}},
    {"pointer to a record of another kind",
     kHead + "0 @I1@ INDI\n1 FAMS @I1@\n0 TRLR\n",
     {{4, "pointer", true}}},
    {"one-sided links, both ways",
     kHead + "0 @I1@ INDI\n1 FAMS @F1@\n0 @I2@ INDI\n0 @F1@ FAM\n1 CHIL @I2@\n0 TRLR\n",
     {{4, "one-sided-link", false}, {7, "one-sided-link", false}}},
    {"duplicate ID, both lines",
     kHead + "0 @I1@ INDI\n0 @I1@ INDI\n0 TRLR\n",
     {{3, "duplicate-id", false}, {4, "duplicate-id", false}}},
    {"long line: its rest hides the lines after it, whose numbers stay right",
     kHead + "0 @I1@ INDI\n1 NOTE " + std::string(700, 'x') + "\n1 FAMC @F9@\n0 TRLR\n",
     {{4, "long-line", false}, {4, "long-line", false}, {5, "pointer", false}}},
    {"a line of exactly the reader's length is whole",
     kHead + "0 @N1@ NOTE " + std::string(278 - 12, 'x') + "\n0 TRLR\n",
     {}},
    {"level jump and a level that is no number",
     kHead + "0 @I1@ INDI\n1 BIRT\n3 DATE 1900\nx NAME A\n0 TRLR\n",
     {{5, "level", false}, {6, "level", false}, {6, "record", false}}},
    {"records of unknown and user kinds, and an ID with a blank",
     kHead + "0 @P1@ _PLAC\n0 STUFF\n0 @N 1@ NOTE\n0 TRLR\n",
     {{3, "user-record", false}, {4, "record", false}, {5, "record", false}}},
    {"no HEAD, no TRLR",
     "0 @I1@ INDI\n1 NAME A\n",
     {{1, "structure", false}, {2, "structure", false}}},
    {"data after TRLR and a second HEAD",
     kHead + "0 TRLR\n0 HEAD\n",
     {{4, "structure", false}, {4, "record", false}}},
    {"blank lines",
     "\n" + kHead + "\n0 TRLR\n",
     {{1, "blank-line", false}, {4, "blank-line", false}}},
    {"invalid UTF-8, and a character split by CONC is whole",
     kHead + "0 @N1@ NOTE caf\xC3\n1 CONC \xA9\n0 @N2@ NOTE \xE9t\xE9\n0 TRLR\n",
     {{5, "encoding", false}}},
    {"UTF-8 ending inside a character",
     kHead + "0 @N1@ NOTE caf\xC3\n0 TRLR\n",
     {{3, "encoding", false}}},
    {"no CHAR is read as UTF-8", "0 HEAD\n0 @N1@ NOTE \xFF\n0 TRLR\n", {{2, "encoding", false}}},
    {"ASCII", "0 HEAD\n1 CHAR ASCII\n0 @N1@ NOTE \xC3\xA9\n0 TRLR\n", {{3, "encoding", false}}},
    {"ANSEL: marks and specials pass, gaps do not",
     "0 HEAD\n1 CHAR ANSEL\n0 @N1@ NOTE \xE2"
     "e \xA4 \xCF\n0 @N2@ NOTE \xAF\n0 TRLR\n",
     {{4, "encoding", false}}},
    {"a code page without a rule passes every byte",
     "0 HEAD\n1 CHAR IBMPC\n0 @N1@ NOTE \x81\xFF\n0 TRLR\n",
     {}},
    {"UNICODE declared on an 8-bit file",
     "0 HEAD\n1 CHAR UNICODE\n0 TRLR\n",
     {{2, "encoding", false}}},
    {"UTF-16",
     std::string("\xFF\xFE"
                 "0\0 \0H\0E\0A\0D\0\n\0",
                 16),
     {{1, "encoding", false}}},
    {"CR alone ends lines", "0 HEAD\r1 CHAR UTF-8\r0 TRLR\r", {{1, "line-end", false}}},
    {"empty file", "", {{1, "structure", false}}},
};

class CheckRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(CheckRules, BlameTheRightLines) {
    const RuleCase& rule = GetParam();
    TempFile file(rule.text);
    const CheckResult result = CheckFile(file.Path());
    ASSERT_EQ(result.unreadable, "");
    std::vector<Blame> actual;
    for (const Problem& problem : result.problems) {
        actual.push_back({problem.line, problem.kind, problem.corrupt});
        EXPECT_FALSE(problem.message.empty());
    }
    EXPECT_EQ(actual, rule.expected);

    // The checker blames a line for the corrupt file exactly when the loader refuses it.
    bool corrupt = false;
    for (const Problem& problem : result.problems) corrupt = corrupt || problem.corrupt;
    test::MessageCapture messages;
    test::Load(test::NewDatabase().get(), file.Path());
    bool refused = false;
    for (const std::string& text : messages.Texts())
        refused = refused || text.find("GEDCOM file is corrupt") != std::string::npos;
    EXPECT_EQ(corrupt, refused);
}

INSTANTIATE_TEST_SUITE_P(Files, CheckRules, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RuleCase>& info) {
                             std::string name;
                             for (char c : std::string(info.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(CheckFile, MissingFileIsUnreadable) {
    EXPECT_EQ(CheckFile(test::UnusedTempPath()).unreadable, "cannot be opened");
}

}  // namespace
}  // namespace kinfold::cli
