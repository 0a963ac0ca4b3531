// A small, separate model of how the loader's context stack takes the
// lines of an INDI, FAM or SOUR record, written from the loading rules alone (the
// stack, PopToLevel, SkipLevel, refusal, a child as the context of the lines
// under its line, a blank line read as the line before it again), and the
// comparison of a loaded database with it. Records are generated: sub-lines
// given as a level and a tag, with values made from each line's index, so
// that every answer says which line it came from.
#pragma once

#include <string>
#include <vector>

#include "kinfold.h"

namespace kinfold::test {

// One sub-line of a generated record: its level as written (the reader
// cuts it to 16 bits, so 32768 reads as -32768) and its tag; or a blank
// line. A blank line before the record's first sub-line is left out.
struct GeneratedLine {
    long level = 1;
    std::string tag;
    bool blank = false;
};

enum class GeneratedKind { Individual, Family, Source };

struct GeneratedRecord {
    GeneratedKind kind = GeneratedKind::Individual;
    std::vector<GeneratedLine> lines;
};

// The tags the generated lines draw from: what individuals, families and
// sources keep (names, family links, events, partners, children,
// repository citations with their call numbers), what stands under those
// (name parts, pedigrees, dates, places) and a line whose lines go to its
// record (DATA).
extern const std::vector<std::string> kLevelRuleTags;

// The ID a record is written under: @I<n>@, @F<n>@ or @S<n>@.
std::string GeneratedId(const GeneratedRecord& record, size_t index);

// A whole file: a header, the records under the IDs @I<n>@, @F<n>@ and
// @S<n>@ (n their index), the records every pointer names, and a trailer.
std::string GeneratedFile(const std::vector<GeneratedRecord>& records);

// The sub-lines of `record` as the file holds them, one an indented line.
std::string WrittenLines(const GeneratedRecord& record);

// The answers of record `index` of the loaded `db` (sex, names with their
// parts, family links with family and pedigree, events with tag and date,
// birth and death; partners, children, events and marriage; repository
// citations with the repository's name and their call numbers), one text
// each.
std::vector<std::string> AnswersOf(IGEDCOMdb* db, const std::vector<GeneratedRecord>& records,
                                   size_t index);

// The answers of one individual and of one family, as AnswersOf gives them;
// a null record answers that there is none.
std::vector<std::string> IndividualAnswers(IGDIndividualRecord* person);
std::vector<std::string> FamilyAnswers(IGDFamilyRecord* family);

// "what index: text", the form of an answer about one element of a list.
std::string NumberedAnswer(const char* what, size_t index, const std::string& text);

// The same answers as the loading rules give them.
std::vector<std::string> AnswersByRules(const GeneratedRecord& record);

// Every record whose answers differ, with both sets of answers; empty when
// the database agrees with the rules on every record.
std::string DifferencesFromRules(IGEDCOMdb* db, const std::vector<GeneratedRecord>& records);

}  // namespace kinfold::test
