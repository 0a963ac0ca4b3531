// The options of the database a record belongs to. A record a host created
// through its class object has no database and answers as a new database
// would.
#pragma once

#include "core/database_options.h"
#include "core/record_base.h"
#include "core/record_host.h"

namespace kinfold {

inline const DatabaseOptions& OptionsOf(const RecordBase& record) {
    static const DatabaseOptions defaults;
    const RecordHost* host = record.Database();
    return host != nullptr ? host->Options() : defaults;
}

}  // namespace kinfold
