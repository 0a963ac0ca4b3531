// The stand-ins a host may ask for in place of a missing name, place or
// event, so that a script can read `Birth.Date` without testing for nothing
// first.
#pragma once

#include "core/record_base.h"
#include "core/record_host.h"
#include "records/source/record_options.h"

namespace kinfold {

// The database's blank name when the host asked for blank names, else null.
inline RecordBase* BlankNameFor(const RecordBase& owner) {
    const RecordHost* database = owner.Database();
    if (database == nullptr || database->Options().returnBlankNames == VARIANT_FALSE)
        return nullptr;
    return database->BlankRecord(RecordKind::Name);
}

// The database's blank event when the host asked for blank events, else null.
inline RecordBase* BlankEventFor(const RecordBase& owner) {
    const RecordHost* database = owner.Database();
    if (database == nullptr || database->Options().returnBlankEvents == VARIANT_FALSE)
        return nullptr;
    return database->BlankRecord(RecordKind::FactEvent);
}

// The database's blank place when the host asked for blank places, else null.
inline RecordBase* BlankPlaceFor(const RecordBase& owner) {
    const RecordHost* database = owner.Database();
    if (database == nullptr || database->Options().returnBlankPlaces == VARIANT_FALSE)
        return nullptr;
    return database->BlankRecord(RecordKind::Place);
}

}  // namespace kinfold
