// Self-registration of the creatable class and the type library.
#pragma once

#include "platform/automation.h"

namespace kinfold {

HRESULT RegisterServer();
HRESULT UnregisterServer();

}  // namespace kinfold
