// Footnotes: formats compiled into tokens and walked over a citation, its
// source record, the repository citations with their call numbers, and the
// notes.
#include <gtest/gtest.h>

#include "support/scripted_database_test.h"

namespace kinfold::test {
namespace {

constexpr char kDefaultFormat[] = "%a%. %t%. %p%. %f%. %R%r%.%C%c%.%C%R";

// Citation 1 points to @S1@ (two repositories, three call numbers, notes on
// both sides), citation 2 is written in place, citation 3 points to @S2@,
// whose author ends in a full stop.
constexpr char kFile[] =
    "0 HEAD\n"
    "0 @I1@ INDI\n"
    "1 SOUR @S1@\n2 PAGE p. 12\n2 NOTE N0\n"
    "1 SOUR Inline text\n2 PAGE 7\n"
    "1 SOUR @S2@\n"
    "0 @S1@ SOUR\n1 AUTH Smith, John\n1 TITL Parish registers\n1 PUBL London 1900\n"
    "1 REPO @R1@\n2 CALN A/12\n1 REPO @R2@\n2 CALN X\n2 CALN Y\n1 NOTE N1\n1 NOTE @N2@\n"
    "0 @S2@ SOUR\n1 AUTH A.\n1 TITL T\n1 REPO @R1@\n"
    "0 @R1@ REPO\n1 NAME County Archive\n"
    "0 @R2@ REPO\n1 NAME B\n"
    "0 @N2@ NOTE N2\n"
    "0 TRLR\n";

struct FootnoteCase {
    const char* format;
    int citation;  // 1 to 3 under @I1@; 0 for the source record @S1@ itself
    const char* expected;
};

const FootnoteCase kCases[] = {
    {kDefaultFormat, 1,
     "Smith, John. Parish registers. p. 12. London 1900. County Archive.A/12.B.X.Y."},
    // Literal blanks stay on both sides of an empty field; no repository, no block.
    {kDefaultFormat, 2, " Inline text. 7.  "},
    {kDefaultFormat, 3, "A. T.   County Archive."},
    {kDefaultFormat, 0, "Smith, John. Parish registers.  London 1900. County Archive.A/12.B.X.Y."},
    {"%%", 1, "%"},
    {"100%", 1, "100"},
    {"%x", 1, "x"},
    {"", 1, ""},
    {"%a%.", 3, "A."},
    {"%a%.", 2, ""},
    {"%a%.%.%t", 1, "Smith, John.Parish registers"},
    {"%.%a", 1, "Smith, John"},
    // The citation's notes come before its source record's; a pointer shows
    // the text of the note it names, whose record line keeps the blank
    // before its value.
    {"%N%n; %N", 1, "N0; N1;  N2; "},
    {"%n", 1, "N0"},
    {"%N%n%N", 2, ""},
    {"%R[%r]%R", 1, "[County Archive][B]"},
    {"%R[%r]%R", 2, ""},
    {"%r", 1, "County Archive"},
    // Outside its own block, %c is the first call number of the first repository.
    {"%R%r:%c %R", 1, "County Archive:A/12 B:A/12 "},
    {"%C%c,%C", 1, "A/12,"},
    {"%C%c%C|%r", 2, "|"},
    // A block code without a later one does nothing.
    {"%R%N%a", 1, "Smith, John"},
    // The block ends at the last occurrence of its code, but any occurrence
    // inside it goes round again, so the walk never reaches the "-".
    {"%R%r%R-%R", 1, "County ArchiveB"},
    {"%t|%p|%a|%f", 2, "Inline text|7||"},
    {"%p", 0, ""},
};

class FootnoteTest : public ScriptedDatabaseTest,
                     public ::testing::WithParamInterface<FootnoteCase> {};

std::string CitationPath(int citation) {
    return citation == 0 ? "Sources(1).Footnote"
                         : "Individuals(1).Sources(" + std::to_string(citation) + ").Footnote";
}

TEST_P(FootnoteTest, FormatWalkedOverCitation) {
    const FootnoteCase& c = GetParam();
    LoadText(kFile);
    ASSERT_EQ(Put("", "SourceFootnoteFormat", TextVariant(c.format)), S_OK);
    EXPECT_EQ(Text(CitationPath(c.citation)), c.expected);
    // The footnote of a pointer citation does not depend on the merge option.
    ASSERT_EQ(Put("", "MergeCitationAndMasterSource", LongVariant(0)), S_OK);
    EXPECT_EQ(Text(CitationPath(c.citation)), c.expected);
    EXPECT_EQ(Text("SourceFootnoteFormat"), c.format);
}

INSTANTIATE_TEST_SUITE_P(Formats, FootnoteTest, ::testing::ValuesIn(kCases));

TEST_F(ScriptedDatabaseTest, DefaultFootnoteFormatIsSetAtCreation) {
    EXPECT_EQ(Text("SourceFootnoteFormat"), kDefaultFormat);
}

}  // namespace
}  // namespace kinfold::test
