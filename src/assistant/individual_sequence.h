// A plain list of individuals, as the assistant's walks and sorts make it,
// and the counted list a result collection takes over.
#pragma once

#include <memory>
#include <new>
#include <vector>

#include "core/record_list.h"
#include "records/person/individual_entry.h"

namespace kinfold {

using IndividualSequence = std::vector<IndividualEntry*>;

// The individuals in order, each with a reference held by the list; null
// when memory runs out.
inline std::unique_ptr<RecordList> HeldList(const IndividualSequence& individuals) {
    std::unique_ptr<RecordList> list(new (std::nothrow) RecordList);
    for (IndividualEntry* individual : individuals) {
        if (list == nullptr || !list->Append(static_cast<RecordBase*>(individual))) return nullptr;
    }
    return list;
}

}  // namespace kinfold
