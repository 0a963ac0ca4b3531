// Self-registration of the creatable class and the type library.
#pragma once

#include "platform/automation.h"

namespace kinfold {

// The ProgIDs of GEDCOMdb, the only class with registry entries.
extern const OLECHAR kDatabaseProgId[];
extern const OLECHAR kDatabaseVersionIndependentProgId[];

// Writes the entries of GEDCOMdb and registers the type library; stops at
// the first failure and returns its code.
HRESULT RegisterServer();
// Removes those entries (the CLSID key itself stays) and unregisters the
// type library; entries that are already gone are not a failure.
HRESULT UnregisterServer();

}  // namespace kinfold
