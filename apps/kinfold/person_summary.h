// The few facts that identify a person in every command's output.
#pragma once

#include "object_access.h"
#include "report.h"

namespace kinfold::cli {

std::string FullNameOf(IGDIndividualRecord* individual);

// "date, place" of an event, leaving out what the file does not give.
std::string DateAndPlace(IGDFactEventRecord* event);

// {id, name, sex, born, died} of an individual.
Report PersonSummary(IGDIndividualRecord* individual);

}  // namespace kinfold::cli
