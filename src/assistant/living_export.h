// A copy of the loaded file that is safe to share. Every individual the
// confidentiality rules mark (SetConfidentiality with the years asked for)
// keeps its ID, sex and family links and a name standing for every living
// person; its events, notes, citations, attributes, multimedia links and
// addresses are left out. Families whose partners are all hidden keep only
// their partners and children. Every other record keeps its bytes and its
// place, and a note in the header says what was done.
#pragma once

#include <cstdint>
#include <string>

#include "platform/automation.h"

namespace kinfold {

class GEDCOMdb;

// A person born within the last century may still be alive.
constexpr int32_t kDefaultLivingYears = 100;
constexpr char kDefaultLivingName[] = "Living";
// A NAME line of GEDCOM 5.5.1 holds at most 120 characters.
constexpr size_t kMaxLivingNameBytes = 120;

struct LivingExport {
    std::string path;
    int32_t years = kDefaultLivingYears;
    std::string livingName = kDefaultLivingName;
};

// Decides who is hidden, as SetConfidentiality(years) does (the states stay
// so afterwards), and writes the copy to the request's path: S_OK, or a
// failure code with `failure` saying why; no file is left behind then.
HRESULT WriteHidingLiving(GEDCOMdb& database, const LivingExport& request, std::string* failure);

}  // namespace kinfold
