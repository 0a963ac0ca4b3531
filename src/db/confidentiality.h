// Deciding from the dates in the file, and those of each person's relatives,
// who was born within a number of years and so may still be alive; the
// records of those people then hide their data.
#pragma once

#include <cstdint>
#include <string_view>

namespace kinfold {

class GEDCOMdb;

// The year a DATE value gives as evidence: the number at the start of its
// last word (so ABT 1900 and BET 1900 AND 1910 give 1900 and 1910), or 0,
// no evidence, when that word is no number or the number is below 1001.
int64_t EvidenceYear(std::string_view date);

// Starts from every individual undecided, then marks confidential those born
// after `cutoffYear` by the evidence and not confidential those born by
// then; each decision spreads to the relatives for whom it follows. Those
// left undecided are made confidential when the database's
// DefaultConfidentialValue asks for it.
void DecideConfidentiality(GEDCOMdb& database, int64_t cutoffYear);

// Every individual, with its names, events and families, back to undecided.
void ClearConfidentiality(GEDCOMdb& database);

// The calendar year of the local date today.
int64_t CurrentLocalYear();

}  // namespace kinfold
