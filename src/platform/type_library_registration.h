// Registering the type library embedded in the module at `modulePath`.
#pragma once

#include "automation.h"

namespace kinfold {

HRESULT RegisterTypeLibrary(const OLECHAR* modulePath);
// Unregistering a library that is not registered succeeds.
HRESULT UnregisterTypeLibrary(const OLECHAR* modulePath);

}  // namespace kinfold
