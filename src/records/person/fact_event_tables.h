// The fixed tag tables of person records, searched in this order.
#pragma once

#include <string_view>

namespace kinfold {

constexpr std::string_view kIndividualEventTags[] = {
    "BIRT", "DEAT", "CHR",  "BURI", "CREM", "ADOP", "BAPM", "BARM", "BASM", "BLES", "CHRA", "CONF",
    "FCOM", "ORDN", "NATU", "EMIG", "IMMI", "CENS", "PROB", "WILL", "GRAD", "RETI", "EVEN"};

constexpr std::string_view kIndividualAttributeTags[] = {
    "OCCU", "CAST", "DSCR", "EDUC", "IDNO", "NATI", "NCHI",
    "NMR",  "PROP", "RELI", "RESI", "SSN",  "TITL", "FACT"};

constexpr std::string_view kIndividualOrdinanceTags[] = {"BAPL", "CONL", "ENDL", "SLGC"};

constexpr std::string_view kFamilyEventTags[] = {"MARR", "ANUL", "CENS", "DIV",  "DIVF", "ENGA",
                                                 "MARB", "MARC", "MARL", "MARS", "RESI", "EVEN"};

// Whether `tag` is in `table`, compared as IDs and tags are (the case
// switch applies).
template <size_t N>
bool InTagTable(const std::string_view (&table)[N], std::string_view tag);

}  // namespace kinfold

#include "core/fixed_string.h"

namespace kinfold {

template <size_t N>
bool InTagTable(const std::string_view (&table)[N], std::string_view tag) {
    for (std::string_view entry : table)
        if (TextEquals(entry, tag)) return true;
    return false;
}

}  // namespace kinfold
