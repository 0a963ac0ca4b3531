// Lists of the records that pointers resolved to when they were linked:
// those of sub-records (individual pointers) and of kept lines (family links,
// partners, children).
#pragma once

#include <memory>

#include "core/record_list.h"
#include "records/person/family_link_list.h"
#include "records/person/family_entry.h"

namespace kinfold {

// The target of each record of `pointers`, in list order, each with a new
// reference; one that resolved to nothing is left out. Null when memory runs
// out.
std::unique_ptr<RecordList> TargetsOf(const RecordList& pointers);
std::unique_ptr<RecordList> TargetsOf(const FamilyEntry::IndividualLines& lines);
std::unique_ptr<RecordList> TargetsOf(const FamilyLinkList& lines);

}  // namespace kinfold
