// The stand-ins a host may ask for in place of a missing name or event, so
// that a script can read `Birth.Date` without testing for nothing first.
#pragma once

#include "core/record_base.h"
#include "db/gedcom_db.h"

namespace kinfold {

// The database's blank name when the host asked for blank names, else null.
inline RecordBase* BlankNameFor(const RecordBase& owner) {
    const auto* database = static_cast<const GEDCOMdb*>(owner.Database());
    if (database == nullptr || database->Options().returnBlankNames == VARIANT_FALSE)
        return nullptr;
    return database->BlankName();
}

// The database's blank event when the host asked for blank events, else null.
inline RecordBase* BlankEventFor(const RecordBase& owner) {
    const auto* database = static_cast<const GEDCOMdb*>(owner.Database());
    if (database == nullptr || database->Options().returnBlankEvents == VARIANT_FALSE)
        return nullptr;
    return database->BlankEvent();
}

}  // namespace kinfold
