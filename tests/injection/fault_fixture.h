// What the fault suites share: the corpus files they fail, the faults they
// inject and a short summary of a database to compare loads by.
#pragma once

#ifndef _WIN32

#include <string>

#include "injection/fault_runner.h"
#include "kinfold.h"
#include "support/database_walk.h"
#include "support/member_walker.h"

namespace kinfold::test {

// Small files that between them hold every kind of record, pointers of
// every kind, continuation lines, blank lines and a dangling pointer.
constexpr const char* kFaultFiles[] = {"555SAMPLE.GED", "Simpsons.ged", "comprehensive-551.ged",
                                       "made-blank-lines-in-records.ged"};

constexpr Fault kAllFaults[] = {{Fault::Allocation}, {Fault::ReadNothing}, {Fault::ReadHalf}};

const char* FaultName(const Fault& fault);
std::string CorpusPath(const char* file);

// The number of records of each kind and whether there is a header.
std::string Summary(IGEDCOMdb* db);
constexpr const char* kEmptySummary = "I0 F0 S0 N0 R0 M0 U0 H0";

}  // namespace kinfold::test

#endif  // _WIN32
