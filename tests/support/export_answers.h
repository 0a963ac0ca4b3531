// What a copy written by ExportHidingLiving must keep of a loaded file:
// every individual's and family's answers by ID, and whether the record is
// hidden. A hidden individual keeps its sex and family links and takes the
// stand-in name; a family whose partners are all hidden keeps its partners
// and children; every other record answers as before.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "kinfold.h"

namespace kinfold::test {

struct RecordAnswers {
    bool hidden = false;
    std::vector<std::string> answers;
};
using AnswersById = std::map<std::string, RecordAnswers>;

struct DatabaseAnswers {
    // Names, sex, family links, events with dates, birth and death (and the
    // counts of notes, citations and attributes); hidden when Confidential.
    AnswersById individuals;
    // Partners, children, events and marriage; hidden when the family has a
    // partner and every partner is Confidential.
    AnswersById families;
};

// Takes which records are hidden, then clears the confidentiality of `db`
// (which would hide the data of a hidden person's families) and reads the
// answers; the counts of notes, citations and attributes when
// `onDemandCounts` (a blank line after a record's line lets those members
// read the lines of the record the blank line opens, which the copy hides
// when that one is hidden).
DatabaseAnswers AnswersForExport(IGEDCOMdb* db, bool onDemandCounts);

// What a hidden record keeps of its answers.
std::vector<std::string> KeptOfHidden(const std::vector<std::string>& answers);

// "" when every record of `before` is in `after` and answers as the copy
// must; else the first few differences, one record each.
std::string ExportDifferences(const DatabaseAnswers& before, const DatabaseAnswers& after,
                              const std::string& livingName);

}  // namespace kinfold::test
