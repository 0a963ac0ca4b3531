// Sources in their three forms (record, citation in place, citation that
// points to a record), the merge of a pointer citation with its source
// record, and the DATA of a source or citation.
// Footnotes: formats compiled into tokens and walked over a citation, its
// source record, the repository citations with their call numbers, and the
// notes.
#include <gtest/gtest.h>

#include "support/scripted_database_test.h"

namespace kinfold::test {
namespace {

constexpr char kSources[] =
    "0 HEAD\n"
    "0 @I1@ INDI\n"
    "1 SOUR @S1@\n2 PAGE p. 12\n2 NOTE citation note\n2 EVEN BIRT\n3 ROLE CHIL\n2 ROLE top\n"
    "2 QUAY 3\n2 DATA\n3 DATE 1 JAN 1900\n2 TEXT some text\n"
    "1 SOUR Parish register\n2 CONC of Smithtown\n"
    "1 SOUR @S2@\n2 DATA\n3 TEXT under data\n2 TEXT beside data\n2 AUTH own author\n"
    "0 @S1@ SOUR\n1 AUTH Smith, John\n1 TITL Parish registers\n2 CONT volume 2\n"
    "1 PUBL London 1900\n1 ABBR PR\n1 RIN 42\n1 NOTE first source note\n1 NOTE second source note\n"
    "1 REFN 77\n1 REPO @R1@\n2 CALN A/12\n3 MEDI Book\n2 CALN B/7\n"
    "0 @S2@ SOUR\n1 TITL Second\n1 DATA\n2 REPO @R2@\n1 REPO\n2 NAME Local\n2 CALN Z\n"
    "0 @R1@ REPO\n1 NAME County Archive\n1 ADDR 1 Main St\n2 CITY Town\n1 PHON 555\n"
    "1 NOTE archive note\n1 RIN 9\n"
    "0 @R2@ REPO\n1 NAME Other Archive\n"
    "0 TRLR\n";

class SourceRecordTest : public ScriptedDatabaseTest {};

TEST_F(SourceRecordTest, EachFormAnswersItsMembers) {
    LoadText(kSources);
    ExpectTexts({
        {"Sources(1).RecordType", "1"},
        {"Sources(1).ID", "@S1@"},
        {"Sources(1).Title", "Parish registers\nvolume 2"},
        {"Sources(1).MasterSource", "<nothing>"},
        {"Sources(1).RecordID", "42"},
        {"Sources(1).Page", ""},
        {"Individuals(1).Sources.Count", "3"},
        {"Individuals(1).Sources(2).RecordType", "2"},
        {"Individuals(1).Sources(2).ID", ""},
        {"Individuals(1).Sources(2).Title", "Parish register of Smithtown"},
        {"Individuals(1).Sources(2).MasterSource", "<nothing>"},
        {"Individuals(1).Sources(1).RecordType", "2"},
        {"Individuals(1).Sources(1).ID", ""},
        {"Individuals(1).Sources(1).MasterSource.ID", "@S1@"},
        {"Individuals(1).Sources(1).Page", "p. 12"},
        {"Individuals(1).Sources(1).Certainty", "3"},
        {"Individuals(1).Sources(1).EventCitedFrom", "BIRT"},
        // The ROLE directly under the citation is not the role in the event.
        {"Individuals(1).Sources(1).RoleInEvent", "CHIL"},
        {"Individuals(1).Sources(1).RecordID", ""},
        {"Individuals(1).Sources(1).LastModified", "<nothing>"},
        {"Individuals(1).Sources(2).Data", "<nothing>"},
    });
}

// With the merge on, a pointer citation answers the source's fields; its page,
// record number and change date stay its own.
TEST_F(SourceRecordTest, PointerCitationMergesWithItsSourceRecord) {
    LoadText(kSources);
    ExpectTexts({
        {"Individuals(1).Sources(1).Title", "Parish registers\nvolume 2"},
        {"Individuals(1).Sources(1).Author", "Smith, John"},
        {"Individuals(1).Sources(1).PublicationFacts", "London 1900"},
        {"Individuals(1).Sources(1).AbbreviatedTitle", "PR"},
        {"Individuals(1).Sources(1).UserRefNumbers(1).RefNumber", "77"},
        {"Individuals(1).Sources(1).Repositories(1).Name", "County Archive"},
        {"Individuals(1).Sources(1).Notes.Count", "3"},
        {"Individuals(1).Sources(1).Notes(1).Note", "citation note"},
        {"Individuals(1).Sources(1).Notes(3).Note", "second source note"},
        {"Individuals(1).Sources(3).Author", ""},
    });
    ASSERT_EQ(Put("", "MergeCitationAndMasterSource", LongVariant(0)), S_OK);
    ExpectTexts({
        {"Individuals(1).Sources(1).Title", ""},
        {"Individuals(1).Sources(1).Author", ""},
        {"Individuals(1).Sources(1).Notes.Count", "1"},
        {"Individuals(1).Sources(1).Repositories.Count", "0"},
        {"Individuals(1).Sources(1).UserRefNumbers.Count", "0"},
        {"Individuals(1).Sources(3).Author", "own author"},
        {"Individuals(1).Sources(1).MasterSource.ID", "@S1@"},
    });
}

// GEDCOM writes a citation's text under DATA or directly under the citation.
TEST_F(SourceRecordTest, DataReadsTextUnderDataOrBesideIt) {
    LoadText(kSources);
    ExpectTexts({
        {"Individuals(1).Sources(1).Data.RecordingDate", "1 JAN 1900"},
        {"Individuals(1).Sources(1).Data.Text", "some text"},
        {"Individuals(1).Sources(1).Data.Texts.Count", "1"},
        {"Individuals(1).Sources(3).Data.Text", "under data"},
        {"Individuals(1).Sources(3).Data.Texts.Count", "2"},
        {"Individuals(1).Sources(3).Data.Texts(1)", "under data"},
        {"Individuals(1).Sources(3).Data.Texts(2)", "beside data"},
    });
}

// A REPO under DATA is a repository citation of the source too.
TEST_F(SourceRecordTest, RepositoryCitationsOfEachForm) {
    LoadText(kSources);
    ExpectTexts({
        {"Repositories(1).Name", "County Archive"},
        {"Repositories(1).ID", "@R1@"},
        {"Repositories(1).CallNumbers.Count", "0"},
        {"Repositories(1).Address.Address", "1 Main St"},
        {"Repositories(1).Address.City", "Town"},
        {"Repositories(1).Address.Phone", "555"},
        {"Sources(1).Repositories(1).Name", "County Archive"},
        {"Sources(1).Repositories(1).Address.City", "Town"},
        {"Sources(1).Repositories(1).RecordID", "9"},
        {"Sources(1).Repositories(1).Notes(1).Note", "archive note"},
        {"Sources(1).Repositories(1).ID", ""},
        {"Sources(1).Repositories(1).LastModified", "<nothing>"},
        {"Sources(1).Repositories(1).CallNumbers.Count", "2"},
        {"Sources(1).Repositories(1).CallNumbers(1).CallNumber", "A/12"},
        {"Sources(1).Repositories(1).CallNumbers(1).Media", "Book"},
        {"Sources(1).Repositories(1).CallNumbers(2).CallNumber", "B/7"},
        {"Sources(2).Repositories.Count", "2"},
        {"Sources(2).Repositories(1).Name", "Other Archive"},
        {"Sources(2).Repositories(2).Name", "Local"},
        {"Sources(2).Repositories(2).CallNumbers(1).CallNumber", "Z"},
    });
}

// A repository citation's tag is its own; a multimedia or submitter pointer
// writes the tag of the record it names.
TEST_F(SourceRecordTest, RepositoryCitationKeepsItsOwnTag) {
    LoadText(kSources);
    ASSERT_EQ(Put("Sources(1).Repositories(1)", "Tag", TextVariant("mine")), S_OK);
    ExpectTexts({{"Sources(1).Repositories(1).Tag", "mine"}, {"Repositories(1).Tag", "<empty>"}});
}

// Each read of a list or object through a dangling pointer tells the user
// once; a list keeps the items before the bad one.
TEST_F(SourceRecordTest, DanglingPointersTellTheUserAndKeepWhatCameBefore) {
    LoadText(
        "0 HEAD\n1 SUBM @U9@\n1 SUBN @X1@\n"
        "0 @I1@ INDI\n1 SOUR @S1@\n1 SOUR @S9@\n1 SOUR @S1@\n1 OBJE @M9@\n1 SUBM @U9@\n"
        "1 ASSO @I1@\n1 ASSO @I9@\n1 ASSO @I1@\n2 TYPE XYZ\n1 ANCI @U9@\n"
        "0 @S1@ SOUR\n0 TRLR\n");
    const PathText cases[] = {
        {"Individuals(1).Sources.Count", "1"},      {"Individuals(1).Multimedia.Count", "0"},
        {"Individuals(1).Submitters.Count", "0"},   {"Individuals(1).AncestorInterest.Count", "0"},
        {"Individuals(1).Associations.Count", "1"}, {"Header.Submitter", "<0x80004005>"},
        {"Header.Submission", "<0x80004005>"},
    };
    size_t shown = messages_.Texts().size();
    for (const PathText& c : cases) {
        EXPECT_EQ(Text(c.path), c.expected) << c.path;
        ASSERT_EQ(messages_.Texts().size(), shown + 1) << c.path;
        EXPECT_EQ(messages_.Texts().back(), "ERROR: GEDCOM file is corrupt. Invalid Reference.");
        shown = messages_.Texts().size();
    }
}

// Source records are linked while loading: one repository pointer that names
// nothing fails the load.
TEST_F(SourceRecordTest, SourceWithDanglingRepositoryFailsTheLoad) {
    file_ = std::make_unique<TempFile>("0 HEAD\n0 @S1@ SOUR\n1 REPO @R9@\n0 TRLR\n");
    EXPECT_FALSE(Load(db_.get(), file_->Path()));
    EXPECT_EQ(Text("Sources.Count"), "0");
}

constexpr char kDefaultFormat[] = "%a%. %t%. %p%. %f%. %R%r%.%C%c%.%C%R";

// Citation 1 points to @S1@ (two repositories, three call numbers, notes on
// both sides), citation 2 is written in place, citation 3 points to @S2@,
// whose author ends in a full stop.
constexpr char kFile[] =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 SOUR @S1@\n2 PAGE p. 12\n2 NOTE N0\n1 SOUR Inline text\n2 PAGE 7\n1 SOUR @S2@\n"
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
