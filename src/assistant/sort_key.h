// Ordering individuals by a packed sort order: four key bytes, the most
// significant first, each naming a field (1 surname, 2 given name, 3 Soundex
// of the surname, 4 birth year, 5 death year; anything else adds nothing).
// A negative order is the complement of one that ignores confidentiality.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "assistant/individual_sequence.h"

namespace kinfold {

class GEDCOMdb;

// The parts of an individual's first name that keys and extraction read; the
// database's blank name stands in for an individual without one.
struct PrimaryNameParts {
    std::string_view surname;
    std::string_view givenName;
    int32_t confidentialState;
};
PrimaryNameParts PrimaryName(const IndividualEntry& individual, const GEDCOMdb& database);

// The text a year key compares: the last word of the date up to its first
// '/', so 12 MAR 1750/51 gives 1750 and BET 1800 AND 1810 gives 1810.
std::string_view YearKey(std::string_view date);

// The key of `individual` under `order`, in lower case. Each field ends with
// the byte 0x01, which sorts below every printable byte, so Smith with any
// given name comes before Smithson. A confidential name or event stands as
// the database's notice (or an empty year) unless the order ignores
// confidentiality.
std::string BuildSortKey(const IndividualEntry& individual, int32_t order,
                         const GEDCOMdb& database);

// Individuals with their keys, put in order of the keys' bytes.
class SortedIndividuals {
   public:
    SortedIndividuals(int32_t order, const GEDCOMdb& database)
        : order_(order), database_(database) {}

    // Keys `individual` now, so that sorting compares ready texts only.
    void Add(IndividualEntry& individual);
    // The individuals in key order; equal keys keep no particular order.
    IndividualSequence TakeSorted();

   private:
    struct Entry {
        IndividualEntry* individual;
        std::string key;
    };

    int32_t order_;
    const GEDCOMdb& database_;
    std::vector<Entry> entries_;
};

}  // namespace kinfold
