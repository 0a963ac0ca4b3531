// The text a confidential record shows in place of its data.
#pragma once

#include <string_view>

#include "core/record_base.h"
#include "db/gedcom_db.h"

namespace kinfold {

// The notice of the record's database; a record a host created on its own
// has no database and shows the notice a new database starts with.
inline std::string_view ConfidentialNotice(const RecordBase& record) {
    static const DatabaseOptions defaults;
    const RecordHost* host = record.Database();
    const DatabaseOptions& options =
        host != nullptr ? static_cast<const GEDCOMdb*>(host)->Options() : defaults;
    return options.confidentialNotice;
}

}  // namespace kinfold
