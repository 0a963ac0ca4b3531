// The database makes its assistant at creation, but the assistant's class
// lives above the database: the server defines this.
#pragma once

#include "platform/automation.h"

namespace kinfold {

class GEDCOMdb;

// The assistant of `database`, with one reference; it keeps a plain back
// reference, since the database outlives it.
HRESULT CreateAssistant(GEDCOMdb& database, IUnknown** assistant);

}  // namespace kinfold
