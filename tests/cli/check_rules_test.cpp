// The rules of kinfold check, each on a small file written here: which lines
// it blames, for what and how gravely.
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

// ASCII `text` in UTF-16, little-endian, with or without a byte-order mark.
std::string Utf16(const std::string& text, bool byteOrderMark) {
    std::string out = byteOrderMark ? "\xFF\xFE" : "";
    for (char c : text) out.append({c, '\0'});
    return out;
}

constexpr Severity E = Severity::Error;
constexpr Severity W = Severity::Warning;

struct Blame {
    uint32_t line;
    std::string kind;
    Severity severity;
    bool corrupt = false;
    bool operator==(const Blame& other) const {
        return line == other.line && kind == other.kind && severity == other.severity &&
               corrupt == other.corrupt;
    }
};

std::ostream& operator<<(std::ostream& out, const Blame& blame) {
    return out << "{" << blame.line << ", " << blame.kind
               << (blame.severity == E ? ", error" : ", warning")
               << (blame.corrupt ? ", corrupt}" : "}");
}

struct RuleCase {
    const char* name;
    std::string text;
    std::vector<Blame> expected;
    // Words one of the messages must hold, where the wording is the point.
    std::string mentions = "";
    // The file's TextEncoding, as the other commands load it.
    std::string encoding = "bytes";
};

const RuleCase kCases[] = {
    {"clean family",
     kHead + "0 @I1@ INDI\n1 FAMS @F1@\n0 @I2@ INDI\n1 FAMC @F1@\n"
             "0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I2@\n2 DATE @#DJULIAN@ 1700\n0 TRLR\n",
     {}},
    {"pointer to no record, linked by the loader",
     kHead + "0 @I1@ INDI\n1 FAMS @F9@\n0 TRLR\n",
     {{4, "pointer", E, true}}},
    {"pointer to no record, read on demand",
     kHead + "0 @I1@ INDI\n1 BIRT\n2 SOUR @S9@\n0 TRLR\n",
     {{5, "pointer", E}}},
    {"family links without a pointer",
     kHead + "0 @I1@ INDI\n1 FAMS F1\n0 @F1@ FAM\n1 CHIL\n0 TRLR\n",
     {{4, "pointer", E, true}, {6, "pointer", E, true}}},
    {"pointer to a record of another kind",
     kHead + "0 @I1@ INDI\n1 FAMS @I1@\n0 TRLR\n",
     {{4, "pointer", E, true}}},
    {"one-sided links, both ways",
     kHead + "0 @I1@ INDI\n1 FAMS @F1@\n0 @I2@ INDI\n0 @F1@ FAM\n1 CHIL @I2@\n0 TRLR\n",
     {{4, "one-sided-link", W}, {7, "one-sided-link", W}}},
    {"duplicate ID: the later record replaces the earlier",
     kHead + "0 @I1@ INDI\n0 @I1@ INDI\n0 TRLR\n",
     {{3, "duplicate-id", E}},
     "the record at line 4 wins"},
    {"long line: its rest hides the lines after it, told once, and line numbers stay right",
     kHead + "0 @I1@ INDI\n1 NOTE " + std::string(700, 'x') + "\n1 FAMC @F9@\n0 TRLR\n",
     {{4, "long-line", E}, {5, "pointer", E}},
     "skips the lines after it"},
    {"a line of exactly the reader's length is whole",
     kHead + "0 @N1@ NOTE " + std::string(278 - 12, 'x') + "\n0 TRLR\n",
     {}},
    {"level jump, and a level that is no number told once with the record it makes",
     kHead + "0 @I1@ INDI\n1 BIRT\n3 DATE 1900\nx NAME A\n0 TRLR\n",
     {{5, "level", E}, {6, "level", E}},
     "is not a number; the loader reads it as level 0, so unknown kind of record NAME"},
    {"records of unknown and user kinds, and an ID with a blank",
     kHead + "0 @P1@ _PLAC\n0 STUFF\n0 @N 1@ NOTE\n0 TRLR\n",
     {{3, "user-record", W}, {4, "record", E}, {5, "record", E}}},
    {"no HEAD, no TRLR", "0 @I1@ INDI\n1 NAME A\n", {{1, "structure", E}, {2, "structure", W}}},
    {"data after TRLR and a second HEAD",
     kHead + "0 TRLR\n0 HEAD\n",
     {{4, "structure", W}, {4, "record", E}}},
    {"blank lines",
     "\n" + kHead + "\n0 TRLR\n\n",
     {{1, "blank-line", W}, {4, "blank-line", W}, {6, "blank-line", W}},
     "blank line after TRLR"},
    {"invalid UTF-8, and a character split by CONC is whole",
     kHead + "0 @N1@ NOTE caf\xC3\n1 CONC \xA9\n0 @N2@ NOTE \xE9t\xE9\n0 TRLR\n",
     {{5, "encoding", E}}},
    {"UTF-8 ending inside a character",
     kHead + "0 @N1@ NOTE caf\xC3\n0 TRLR\n",
     {{3, "encoding", E}}},
    {"no CHAR is read as UTF-8", "0 HEAD\n0 @N1@ NOTE \xFF\n0 TRLR\n", {{2, "encoding", E}}},
    {"Windows-1252 in UTF-8: the byte that begins the broken character is named",
     kHead + "0 @I1@ INDI\n1 NAME Ren\xE9 /X/\n0 TRLR\n",
     {{4, "encoding", E}},
     "byte 0xE9 begins a character that the byte after it (0x20) does not continue"},
    {"ASCII", "0 HEAD\n1 CHAR ASCII\n0 @N1@ NOTE \xC3\xA9\n0 TRLR\n", {{3, "encoding", E}}},
    {"ANSEL: marks and specials pass, gaps do not",
     "0 HEAD\n1 CHAR ANSEL\n0 @N1@ NOTE \xE2"
     "e \xA4 \xCF\n0 @N2@ NOTE \xAF\n0 TRLR\n",
     {{4, "encoding", E}}},
    {"a code page without a rule passes every byte",
     "0 HEAD\n1 CHAR IBMPC\n0 @N1@ NOTE \x81\xFF\n0 TRLR\n",
     {}},
    {"UNICODE declared on an 8-bit file", "0 HEAD\n1 CHAR UNICODE\n0 TRLR\n", {{2, "encoding", W}}},
    {"UTF-16",
     std::string("\xFF\xFE"
                 "0\0 \0H\0E\0A\0D\0\n\0",
                 16),
     {{1, "encoding", E}}},
    {"UTF-16 without a byte-order mark",
     Utf16("0 HEAD\n0 TRLR\n", false),
     {{1, "encoding", E}},
     "--encoding auto"},
    {"CR alone ends lines", "0 HEAD\r1 CHAR UTF-8\r0 TRLR\r", {{1, "line-end", E}}},
    {"decoded, UTF-16 is checked whole",
     Utf16("0 HEAD\n1 CHAR UNICODE\n0 @I1@ INDI\n1 FAMS @F9@\n0 TRLR\n", true),
     {{4, "pointer", E, true}},
     "",
     "auto"},
    {"decoded, UTF-16 without a byte-order mark is checked whole",
     Utf16("0 HEAD\n0 @I1@ INDI\n1 NAME A\n3 FAMS @F1@\n0 TRLR\n", false),
     {{4, "level", E}, {4, "pointer", E}},
     "",
     "auto"},
    {"decoded, lines that CR alone ends are checked",
     "0 HEAD\r1 CHAR UTF-8\r0 @I1@ INDI\r1 FAMS @F9@\r0 TRLR\r",
     {{4, "pointer", E, true}},
     "",
     "auto"},
    {"decoded, text is held to the declared character set",
     "0 HEAD\n1 CHAR ANSEL\n0 @N1@ NOTE \xAF\n0 TRLR\n",
     {{3, "encoding", E}},
     "not defined in ANSEL",
     "auto"},
    {"empty file", "", {{1, "structure", E}}},
};

class CheckRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(CheckRules, BlameTheRightLines) {
    const RuleCase& rule = GetParam();
    TempFile file(rule.text);
    const CheckResult result = CheckFile(file.Path(), rule.encoding);
    ASSERT_EQ(result.unreadable, "");
    std::vector<Blame> actual;
    std::string messages;
    for (const Problem& problem : result.problems) {
        actual.push_back({problem.line, problem.kind, problem.severity, problem.corrupt});
        EXPECT_FALSE(problem.message.empty());
        messages += problem.message + "\n";
    }
    EXPECT_EQ(actual, rule.expected);
    EXPECT_NE(messages.find(rule.mentions), std::string::npos) << messages;

    // The checker blames a line for the corrupt file exactly when the loader refuses it.
    bool corrupt = false;
    for (const Problem& problem : result.problems) corrupt = corrupt || problem.corrupt;
    test::MessageCapture shown;
    test::ComPtr<IGEDCOMdb> db = test::NewDatabase();
    test::ComPtr<IGEDCOMdb2> db2;
    ASSERT_EQ(db->QueryInterface(IID_IGEDCOMdb2, reinterpret_cast<void**>(&db2)), S_OK);
    ASSERT_EQ(db2->put_TextEncoding(test::Bstr(rule.encoding.c_str()).get()), S_OK);
    test::Load(db.get(), file.Path());
    bool refused = false;
    for (const std::string& text : shown.Texts())
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
